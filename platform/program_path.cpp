#include "platform/program_path.h"

#include <filesystem>
#include <system_error>

namespace platform {

std::string ProgramFilePath() {
  std::error_code error;
  auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

std::string ProgramDirectory() {
  std::string path = ProgramFilePath();
  auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::vector<std::string> SystemLibraryNames() { return {"libc.so.6", "libm.so.6", "libdl.so.2", "libpthread.so.0"}; }

bool IsFullLibraryPath(const std::string& name) { return !name.empty() && name.front() == '/'; }

}  // namespace platform
