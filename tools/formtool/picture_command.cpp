#include <cstdio>

#include "tools/formtool/commands.h"

namespace formtool {

int Picture(const Args&) {
  std::fputs("formtool picture: not built yet\n", stderr);
  return 2;
}

}  // namespace formtool
