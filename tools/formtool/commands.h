#pragma once
// The subcommands of formtool; each takes the arguments after its own name.
#include <string>
#include <vector>

namespace formtool {

using Args = std::vector<std::string>;

int Compile(const Args& args);
int Decompile(const Args& args);
int Dump(const Args& args);
int Picture(const Args& args);
int Render(const Args& args);
int Show(const Args& args);

}  // namespace formtool
