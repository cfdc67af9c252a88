#include "tools/formtool/form_loading.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <stdexcept>
#include <variant>

#include "tools/formtool/form_source.h"
#include "tools/formtool/template_writer.h"

namespace formtool {
namespace {

// Every {"file": NAME} anywhere in the description: whatever kind of value names it, a change
// to that file changes the compiled form.
void CollectNamedFiles(const QJsonValue& value, const QDir& baseDir, QStringList& files) {
  if (value.isArray()) {
    for (const QJsonValue& item : value.toArray()) CollectNamedFiles(item, baseDir, files);
    return;
  }
  if (!value.isObject()) return;
  const QJsonObject object = value.toObject();
  const QJsonValue name = object.value(QStringLiteral("file"));
  if (name.isString()) {
    const QString path = QDir::cleanPath(baseDir.absoluteFilePath(name.toString()));
    if (!files.contains(path)) files.append(path);
  }
  for (const QJsonValue& member : object) CollectNamedFiles(member, baseDir, files);
}

}  // namespace

bool IsFormSource(const std::string& path) {
  return QString::fromStdString(path).endsWith(QLatin1String(".json"), Qt::CaseInsensitive);
}

LoadedForm LoadForm(const std::string& path) {
  LoadedForm loaded;
  QFile file(QString::fromStdString(path));
  const QFileInfo info(file);
  loaded.files.append(info.absoluteFilePath());
  if (!file.open(QIODevice::ReadOnly)) {
    loaded.error = "cannot read " + path;
    return loaded;
  }
  QByteArray bytes = file.readAll();
  if (!IsFormSource(path)) {
    loaded.templateBytes = std::move(bytes);
    return loaded;
  }

  const QDir baseDir = info.absoluteDir();
  loaded.text = bytes;
  loaded.source = QJsonDocument::fromJson(bytes).object();
  CollectNamedFiles(loaded.source, baseDir, loaded.files);
  // The same reader and writer as `formtool compile`, so the same form is refused with the same words.
  std::variant<Form, std::string> form = ParseFormSource(bytes, baseDir, ProgramUnitTypes());
  if (auto* error = std::get_if<std::string>(&form)) {
    loaded.error = path + ": " + *error;
    return loaded;
  }
  try {
    const std::vector<uint8_t> compiled = WriteTemplate(std::get<Form>(form));
    loaded.templateBytes = QByteArray(reinterpret_cast<const char*>(compiled.data()), static_cast<qsizetype>(compiled.size()));
    const std::vector<uint8_t> names = AccessibleNames(std::get<Form>(form));
    loaded.accessibleNames = QByteArray(reinterpret_cast<const char*>(names.data()), static_cast<qsizetype>(names.size()));
  } catch (const std::length_error& e) {
    loaded.error = path + ": " + e.what();
  }
  return loaded;
}

}  // namespace formtool
