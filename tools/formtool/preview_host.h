#pragma once
// The runtime started on a template file for previewing its windows: the real unit types, and
// every handler offset the template binds mapped to one handler that does nothing.
#include <QByteArray>

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/program/program_header.h"
#include "runtime/template/template_window.h"

namespace formtool {

class PreviewHost {
 public:
  // Reads the template; false (with the message on stderr, led by "formtool COMMAND") when it
  // cannot be read or is damaged.
  bool Read(const std::string& path, const char* command);
  // Its windows as stored.
  const runtime::WindowTable& Windows() const { return windows_; }
  // Starts the host (the application object must exist), leaving the current directory the
  // caller's. A runtime error from here on prints the runtime's message and ends the process
  // with status 1.
  void Start(uint32_t buildMode);

 private:
  QByteArray bytes_;
  runtime::WindowTable windows_;
  std::vector<int32_t> offsets_;
  std::vector<runtime::EventHandler> handlers_;
  std::vector<const runtime::LibraryRecord*> libraries_;
  runtime::HandlerTable table_{};
  runtime::ProgramHeader header_{};
};

// Parses a window or unit id such as 0x52010001; false for anything else or 0.
bool ParseId(const std::string& text, uint32_t* id);

}  // namespace formtool
