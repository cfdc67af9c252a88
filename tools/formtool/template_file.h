#pragma once
// Reading a window template file for a command, with a message that names the file and says
// where its data stopped making sense.
#include <QByteArray>
#include <optional>
#include <string>

#include "base/template/template_window.h"

namespace formtool {

struct TemplateFile {
  QByteArray bytes;
  runtime::WindowTable windows;
};

// The file's bytes and windows; on failure the message, led by "formtool COMMAND: ", is on
// standard error.
std::optional<TemplateFile> ReadTemplateFile(const std::string& path, const char* command);

}  // namespace formtool
