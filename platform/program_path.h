#pragma once
// Where the running program lies, as the OS reports it.
#include <string>
#include <vector>

namespace platform {

// Full path of the program file (UTF-8), empty when the OS cannot tell.
std::string ProgramFilePath();
// The program's directory, without a trailing separator.
std::string ProgramDirectory();
// Libraries the OS always provides, searched in turn for commands named without a library.
std::vector<std::string> SystemLibraryNames();
// Whether a library name is a full path (it is then tried only as it stands).
bool IsFullLibraryPath(const std::string& name);

}  // namespace platform
