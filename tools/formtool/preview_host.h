#pragma once
// The runtime started on template data for previewing its windows: the real unit types, and
// every handler offset the template binds mapped to one handler that does nothing.
#include <QByteArray>

#include <cstdint>
#include <string>
#include <vector>

#include "base/program/program_header.h"
#include "base/program/runtime_error.h"
#include "base/template/template_reader.h"
#include "base/template/template_window.h"

namespace formtool {

class PreviewHost {
 public:
  PreviewHost() = default;
  // The host's header points into the object.
  PreviewHost(const PreviewHost&) = delete;
  PreviewHost& operator=(const PreviewHost&) = delete;

  // Takes template data; false when it is damaged, with what and where in `failure` if given.
  bool Adopt(QByteArray bytes, runtime::TemplateReadFailure* failure = nullptr);
  // Reads a form source (compiled in memory) or template data; false, with the message on
  // stderr after "formtool COMMAND: ", when it cannot be read, does not compile or is damaged.
  bool Read(const std::string& path, const char* command);
  // Starts the host (the application object must exist), leaving the current directory the
  // caller's. A runtime error from here on goes to `onError`; the default prints the runtime's
  // message and ends the process with status 1.
  void Start(uint32_t buildMode, runtime::ErrorRoutine onError = nullptr);

  const QByteArray& Bytes() const { return bytes_; }
  // The id of the first window of the template; 0 when it has none.
  uint32_t FirstWindow() const { return windows_.Size() == 0 ? 0 : windows_.At(0).id; }
  bool HasWindow(uint32_t windowId) const;
  // Its windows as stored.
  const runtime::WindowTable& Windows() const { return windows_; }

 private:
  QByteArray bytes_;
  QByteArray accessibleNames_;
  runtime::WindowTable windows_;
  std::vector<int32_t> offsets_;
  std::vector<runtime::EventHandler> handlers_;
  runtime::HandlerTable table_{};
  runtime::ProgramHeader header_{};
};

// The text of a damaged template, as the runtime says it.
inline constexpr const char* kDamagedTemplate = "载入窗口模板数据段出错!";

// Parses a window or unit id such as 0x52010001; false for anything else or 0.
bool ParseId(const std::string& text, uint32_t* id);

}  // namespace formtool
