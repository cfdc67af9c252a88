#include "tools/formtool/template_file.h"

#include <QFile>
#include <cstdio>

#include "base/template/template_reader.h"

namespace formtool {

std::optional<TemplateFile> ReadTemplateFile(const std::string& path, const char* command) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "formtool %s: cannot read %s\n", command, path.c_str());
    return std::nullopt;
  }
  TemplateFile result{file.readAll(), {}};
  runtime::TemplateReadFailure failure;
  std::optional<runtime::WindowTable> windows = runtime::ReadTemplateAsStored(
      std::span(reinterpret_cast<const uint8_t*>(result.bytes.constData()), static_cast<size_t>(result.bytes.size())),
      &failure);
  if (!windows) {
    // The runtime's own message for data it cannot load, then what and where.
    std::fprintf(stderr, "formtool %s: %s: 载入窗口模板数据段出错! %s, at byte %zu of %lld\n", command, path.c_str(),
                 failure.what.c_str(), failure.offset, static_cast<long long>(result.bytes.size()));
    return std::nullopt;
  }
  result.windows = std::move(*windows);
  return result;
}

}  // namespace formtool
