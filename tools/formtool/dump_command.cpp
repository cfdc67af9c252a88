#include <cstdio>

#include "tools/formtool/commands.h"

namespace formtool {

int Dump(const Args&) {
  std::fputs("formtool dump: not built yet\n", stderr);
  return 2;
}

}  // namespace formtool
