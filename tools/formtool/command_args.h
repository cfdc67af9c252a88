#pragma once
// Arguments of the commands that turn one file into another: "INPUT -o OUTPUT", in either order.
#include <string>

#include "tools/formtool/commands.h"

namespace formtool {

// False, with both left empty, unless the arguments are exactly one input and one "-o OUTPUT".
inline bool InputAndOutput(const Args& args, std::string& input, std::string& output) {
  input.clear();
  output.clear();
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size() && output.empty()) {
      output = args[++i];
    } else if (input.empty() && args[i] != "-o") {
      input = args[i];
    } else {
      input.clear();
      break;
    }
  }
  if (input.empty() || output.empty()) {
    input.clear();
    output.clear();
    return false;
  }
  return true;
}

}  // namespace formtool
