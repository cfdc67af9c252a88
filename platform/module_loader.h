#pragma once
// Modules the program loads on first use (the browser engine, sound), so that a program that
// never needs them never maps them or the libraries they pull in.
#include <string>

namespace platform {

// Loads the module `name` (a file name without directory or suffix, such as "quarlex_web") from
// the places modules are installed in, in turn, and answers the address of its symbol `entry`;
// null when no place holds a module with that symbol. A module once loaded stays loaded.
void* LoadModuleEntry(const std::string& name, const char* entry);

}  // namespace platform
