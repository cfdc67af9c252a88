#include "tests/support/test_program.h"

#include <array>
#include <stdexcept>

#include "platform/gbk.h"
#include "host/host.h"
#include "base/program/bridge.h"
#include "base/program/services.h"
#include "tools/formtool/template_writer.h"
#include "libraries/support_libraries.h"

namespace test_support {
namespace {

constexpr size_t kMaxHandlers = 64;
std::array<Handler, kMaxHandlers> gHandlers;
size_t gHandlerCount = 0;

template <size_t K>
bool Trampoline(const intptr_t* args, int32_t count, int64_t* result) {
  return gHandlers[K] ? gHandlers[K](args, count, result) : false;
}

template <size_t... K>
constexpr std::array<runtime::EventHandler, kMaxHandlers> MakeTrampolines(std::index_sequence<K...>) {
  return {Trampoline<K>...};
}

constexpr auto kTrampolines = MakeTrampolines(std::make_index_sequence<kMaxHandlers>());

}  // namespace

std::vector<const runtime::LibraryRecord*> ToolboxLibraries() {
  const std::span<const runtime::LibraryRecord* const> libraries = units::SupportLibraries();
  return {libraries.begin(), libraries.end()};
}

int32_t TestProgram::AddHandler(Handler handler) {
  if (gHandlerCount >= kMaxHandlers) throw std::length_error("too many test handlers");
  size_t slot = gHandlerCount++;
  gHandlers[slot] = std::move(handler);
  // Offsets as a program would have them: distances from the first handler, which sits at 0.
  auto offset = static_cast<int32_t>(slot * 16);
  offsets_.push_back(offset);
  handlers_.push_back(kTrampolines[slot]);
  return offset;
}

void TestProgram::Start(const formtool::Form& form, std::vector<const runtime::LibraryRecord*> libraries) {
  template_ = formtool::WriteTemplate(form);
  libraries_ = std::move(libraries);
  table_ = {static_cast<uint32_t>(offsets_.size()), offsets_.data(), handlers_.data()};
  header_ = {};
  header_.buildMode = 3;
  header_.serialBase = 0x100a5;
  header_.handlers = &table_;
  header_.templateData = template_.data();
  header_.templateLength = static_cast<uint32_t>(template_.size());
  header_.libraryCount = static_cast<uint32_t>(libraries_.size());
  header_.libraries = libraries_.data();
  runtime::Bridge().service(runtime::service::kStartHost, &header_);
}

TestProgram::~TestProgram() {
  runtime::StopHost();
  for (size_t i = 0; i < gHandlerCount; ++i) gHandlers[i] = nullptr;
  gHandlerCount = 0;
}

formtool::FormUnit MakeUnit(uint32_t id, uint32_t type, int32_t left, int32_t top, int32_t width, int32_t height,
                            std::vector<uint8_t> data) {
  formtool::FormUnit unit;
  unit.id = id;
  unit.type = type;
  unit.left = left;
  unit.top = top;
  unit.width = width;
  unit.height = height;
  unit.pointerData = {0, 0, 0, 0};
  unit.flags = 1;
  unit.data = std::move(data);
  return unit;
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutBytes(std::vector<uint8_t>& out, const std::vector<uint8_t>& bytes) {
  PutU32(out, static_cast<uint32_t>(bytes.size()));
  out.insert(out.end(), bytes.begin(), bytes.end());
}

void PutText(std::vector<uint8_t>& out, const char* utf8) {
  std::string gbk = platform::Utf8ToGbk(utf8);
  PutBytes(out, std::vector<uint8_t>(gbk.begin(), gbk.end()));
}

}  // namespace test_support
