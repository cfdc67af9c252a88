#include "base/program/external_commands.h"

#include <dlfcn.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "platform/gbk.h"
#include "platform/program_path.h"
#include "base/program/runtime_error.h"

namespace runtime {
namespace {

struct ExternalCommand {
  std::string library;  // GBK, as declared
  std::string name;
  void* handle = nullptr;
  void* address = nullptr;
};

std::vector<ExternalCommand>& Commands() {
  static std::vector<ExternalCommand> commands;
  return commands;
}

std::vector<std::string> CandidatePaths(const std::string& library) {
  if (library.empty()) return platform::SystemLibraryNames();
  std::string name = platform::GbkToUtf8(library);
  if (platform::IsFullLibraryPath(name)) return {name};
  // The runtime is linked into the program, so its own library directory is the program's.
  std::string programDir = platform::ProgramDirectory();
  return {programDir + "/" + name, programDir + "/lib/" + name, name};
}

[[noreturn]] void ReportUnresolved(const ExternalCommand& command) {
  std::string message;
  if (command.library.empty()) {
    message = platform::Utf8ToGbk("无法找到指定DLL库文件中的输出命令“") + command.name + platform::Utf8ToGbk("”");
  } else {
    message = platform::Utf8ToGbk("无法找到指定DLL库文件“") + command.library +
              platform::Utf8ToGbk("”中的输出命令“") + command.name + platform::Utf8ToGbk("”");
  }
  ReportRuntimeError(message, 0);
}

// Every argument travels as one machine word, the way the platform passes integers and
// pointers; the command is called with exactly as many words as it was given.
constexpr int32_t kMaxExternalArgs = 12;

template <size_t... I>
intptr_t CallWithWords(void* address, const intptr_t* args, std::index_sequence<I...>) {
  using Fn = intptr_t (*)(decltype(I, intptr_t{})...);
  return reinterpret_cast<Fn>(address)(args[I]...);
}

template <size_t... N>
constexpr auto MakeCallers(std::index_sequence<N...>) {
  using Caller = intptr_t (*)(void*, const intptr_t*);
  return std::array<Caller, sizeof...(N)>{[](void* address, const intptr_t* args) {
    return CallWithWords(address, args, std::make_index_sequence<N>());
  }...};
}

constexpr auto kCallers = MakeCallers(std::make_index_sequence<kMaxExternalArgs + 1>());

}  // namespace

void SetExternalCommands(uint32_t count, const char* const* libraryNames, const char* const* commandNames) {
  auto& commands = Commands();
  commands.clear();
  if (libraryNames == nullptr || commandNames == nullptr) return;
  commands.resize(count);
  for (uint32_t i = 0; i < count; ++i) {
    commands[i].library = libraryNames[i] ? libraryNames[i] : "";
    commands[i].name = commandNames[i] ? commandNames[i] : "";
  }
}

void* ResolveExternalCommand(int32_t index) {
  auto& commands = Commands();
  if (index < 0 || static_cast<size_t>(index) >= commands.size()) RaiseRuntimeErrorByNumber(11);
  ExternalCommand& command = commands[static_cast<size_t>(index)];
  if (command.address != nullptr) return command.address;
  // Export numbers ("#n") need a loader that keeps an export table by number; ours looks
  // exports up by name only, so such a command stays unresolved.
  if (!command.name.empty() && command.name.front() != '#') {
    for (const std::string& path : CandidatePaths(command.library)) {
      void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
      if (handle == nullptr) continue;
      if (void* address = dlsym(handle, command.name.c_str())) {
        command.handle = handle;
        command.address = address;
        return address;
      }
      dlclose(handle);
    }
  }
  ReportUnresolved(command);
}

intptr_t CallExternalCommand(int32_t index, int32_t count, const intptr_t* args) {
  void* address = ResolveExternalCommand(index);
  if (count < 0 || count > kMaxExternalArgs || (count > 0 && args == nullptr)) RaiseRuntimeErrorByNumber(11);
  return kCallers[count](address, args);
}

}  // namespace runtime
