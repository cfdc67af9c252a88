// formtool: compiles readable form descriptions into window template data, and back, and inspects them.
#include <cstdio>
#include <cstring>

#include "tools/formtool/commands.h"

namespace {

constexpr const char* kUsage =
    "usage: formtool compile SOURCE -o OUT [--header FILE.h] [--namespace NAME] [--names NAMES_OUT]\n"
    "       formtool decompile TEMPLATE -o FORM.json\n"
    "       formtool dump [--json] TEMPLATE\n"
    "       formtool picture FILE [--background 0xBBGGRR] [--size WxH] [--key 0xBBGGRR] -o OUT.png\n"
    "       formtool render FORM WINDOW_ID -o OUT.png [--focus UNIT_ID]\n"
    "       formtool show FORM [WINDOW_ID] [--watch] [--events]\n";

struct Command {
  const char* name;
  int (*run)(const formtool::Args&);
};

constexpr Command kCommands[] = {
    {"compile", formtool::Compile},
    {"decompile", formtool::Decompile},
    {"dump", formtool::Dump},
    {"picture", formtool::Picture},
    {"render", formtool::Render},
    {"show", formtool::Show},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  for (const Command& command : kCommands) {
    if (std::strcmp(argv[1], command.name) == 0) return command.run(formtool::Args(argv + 2, argv + argc));
  }
  std::fputs(kUsage, stderr);
  return 2;
}
