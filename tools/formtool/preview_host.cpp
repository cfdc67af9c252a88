#include "tools/formtool/preview_host.h"

#include <QDir>

#include <cstdio>
#include <cstdlib>

#include "platform/text.h"
#include "base/program/bridge.h"
#include "base/program/runtime_error.h"
#include "base/program/services.h"
#include "base/template/template_reader.h"
#include "base/template/bound_handlers.h"
#include "tools/formtool/form_loading.h"
#include "libraries/support_libraries.h"

namespace formtool {
namespace {

bool NoHandler(const intptr_t*, int32_t, int64_t*) { return false; }


int32_t ReportAndExit(int32_t, int32_t code, const char* message) {
  const std::string text = runtime::RuntimeErrorText(code, message != nullptr ? message : "");
  std::fprintf(stderr, "%s\n", platform::FromGbk(text).toUtf8().constData());
  std::fflush(stderr);
  std::_Exit(1);
}

}  // namespace

bool ParseId(const std::string& text, uint32_t* id) {
  try {
    std::size_t used = 0;
    const unsigned long value = std::stoul(text, &used, 0);
    if (used != text.size() || value == 0 || value > 0xFFFFFFFFul) return false;
    *id = static_cast<uint32_t>(value);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool PreviewHost::Adopt(QByteArray bytes, runtime::TemplateReadFailure* failure) {
  std::optional<runtime::WindowTable> stored = runtime::ReadTemplateAsStored(
      {reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())}, failure);
  if (!stored) return false;
  bytes_ = std::move(bytes);
  windows_ = std::move(*stored);
  offsets_ = runtime::BoundHandlerOffsets(windows_);
  handlers_.assign(offsets_.size(), NoHandler);
  return true;
}

bool PreviewHost::Read(const std::string& path, const char* command) {
  LoadedForm form = LoadForm(path);
  if (!form.error.empty()) {
    std::fprintf(stderr, "formtool %s: %s\n", command, form.error.c_str());
    return false;
  }
  accessibleNames_ = form.accessibleNames;
  const long long size = form.templateBytes.size();
  runtime::TemplateReadFailure failure;
  if (!Adopt(std::move(form.templateBytes), &failure)) {
    // The runtime's own message for data it cannot load, then what and where.
    std::fprintf(stderr, "formtool %s: %s: %s %s, at byte %zu of %lld\n", command, path.c_str(), kDamagedTemplate,
                 failure.what.c_str(), failure.offset, size);
    return false;
  }
  return true;
}

bool PreviewHost::HasWindow(uint32_t windowId) const {
  for (std::size_t w = 0; w < windows_.Size(); ++w)
    if (windows_.At(w).id == windowId) return true;
  return false;
}

void PreviewHost::Start(uint32_t buildMode, runtime::ErrorRoutine onError) {
  table_ = {static_cast<uint32_t>(offsets_.size()), offsets_.data(), handlers_.data()};
  header_ = {};
  header_.buildMode = buildMode;
  header_.handlers = &table_;
  header_.templateData = reinterpret_cast<const uint8_t*>(bytes_.constData());
  header_.templateLength = static_cast<uint32_t>(bytes_.size());
  header_.accessibleNames = reinterpret_cast<const uint8_t*>(accessibleNames_.constData());
  header_.accessibleNamesLength = static_cast<uint32_t>(accessibleNames_.size());
  header_.libraryCount = static_cast<uint32_t>(units::SupportLibraries().size());
  header_.libraries = units::SupportLibraries().data();
  runtime::SetErrorRoutine(onError != nullptr ? onError : ReportAndExit);
  // The host makes the program's folder the current directory; the paths a formtool user
  // gives stay relative to the folder formtool was called from.
  const QString caller = QDir::currentPath();
  runtime::Bridge().service(runtime::service::kStartHost, &header_);
  QDir::setCurrent(caller);
}

}  // namespace formtool
