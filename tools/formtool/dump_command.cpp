#include <cstdio>

#include "tools/formtool/commands.h"
#include "tools/formtool/template_file.h"
#include "tools/formtool/template_dump.h"

namespace formtool {

int Dump(const Args& args) {
  bool json = false;
  std::string path;
  for (const std::string& arg : args) {
    if (arg == "--json" && !json) {
      json = true;
    } else if (path.empty() && !arg.starts_with("--")) {
      path = arg;
    } else {
      path.clear();
      break;
    }
  }
  if (path.empty()) {
    std::fputs("usage: formtool dump [--json] TEMPLATE\n", stderr);
    return 2;
  }
  std::optional<TemplateFile> file = ReadTemplateFile(path, "dump");
  if (!file) return 1;
  size_t size = static_cast<size_t>(file->bytes.size());
  const UnitCatalogue& types = ProgramUnitTypes();
  std::string listing = json ? DumpJson(file->windows, size, types) : DumpText(file->windows, size, types);
  std::fwrite(listing.data(), 1, listing.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace formtool
