#include <cstdio>

#include "tools/formtool/commands.h"

namespace formtool {

int Compile(const Args&) {
  std::fputs("formtool compile: not built yet\n", stderr);
  return 2;
}

}  // namespace formtool
