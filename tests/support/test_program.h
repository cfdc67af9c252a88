#pragma once
// A program for tests: window template data built from a form, the four support libraries (or
// the test's own), handlers that are lambdas, and the host started on it.
#include <cstdint>
#include <functional>
#include <vector>

#include "base/program/program_header.h"
#include "tools/formtool/form.h"

namespace test_support {

using Handler = std::function<bool(const intptr_t* args, int32_t count, int64_t* result)>;

// The libraries of the toolbox, in their order.
std::vector<const runtime::LibraryRecord*> ToolboxLibraries();

class TestProgram {
 public:
  // A handler for the form's bindings; answers the offset to bind it with.
  int32_t AddHandler(Handler handler);

  // Writes the form as template data and starts the host on it (a QApplication must exist).
  void Start(const formtool::Form& form,
             std::vector<const runtime::LibraryRecord*> libraries = ToolboxLibraries());
  ~TestProgram();

 private:
  std::vector<uint8_t> template_;
  std::vector<const runtime::LibraryRecord*> libraries_;
  std::vector<int32_t> offsets_;
  std::vector<runtime::EventHandler> handlers_;
  runtime::HandlerTable table_{};
  runtime::ProgramHeader header_{};
};

// A unit record: id, type, place and the unit type's property data; visible.
formtool::FormUnit MakeUnit(uint32_t id, uint32_t type, int32_t left, int32_t top, int32_t width, int32_t height,
                            std::vector<uint8_t> data = {});

// Little-endian pieces of property data.
void PutU32(std::vector<uint8_t>& out, uint32_t v);
void PutText(std::vector<uint8_t>& out, const char* utf8);  // counted GBK text
void PutBytes(std::vector<uint8_t>& out, const std::vector<uint8_t>& bytes);  // counted bytes

}  // namespace test_support
