#include <QFile>
#include <cstdio>

#include "runtime/template/template_reader.h"
#include "tools/formtool/commands.h"
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
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "formtool dump: cannot read %s\n", path.c_str());
    return 1;
  }
  QByteArray bytes = file.readAll();
  std::optional<runtime::WindowTable> windows = runtime::ReadTemplateAsStored(
      std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())));
  if (!windows) {
    // The same message the runtime gives for data it cannot load.
    std::fputs("载入窗口模板数据段出错!\n", stderr);
    return 1;
  }
  size_t size = static_cast<size_t>(bytes.size());
  const UnitCatalogue& types = ProgramUnitTypes();
  std::string listing = json ? DumpJson(*windows, size, types) : DumpText(*windows, size, types);
  std::fwrite(listing.data(), 1, listing.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace formtool
