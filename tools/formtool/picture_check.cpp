#include "tools/formtool/picture_check.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>

#include <optional>

#include "imaging/image.h"
#include "tools/formtool/unit_catalogue.h"
#include "contract/unit_type_ids.h"

namespace formtool {
namespace {

// The type id a unit names, by its English name or its number.
std::optional<uint32_t> TypeOf(const QJsonValue& type) {
  if (type.isDouble()) return static_cast<uint32_t>(type.toInteger());
  bool numeric = false;
  const uint32_t id = type.toString().toUInt(&numeric, 0);
  if (numeric) return id;
  return ProgramUnitTypes().IdOf(type.toString().toStdString());
}

}  // namespace

bool PictureCheck::Decodes(const QString& path, std::string* why) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *why = "cannot read";
    return false;
  }
  const QByteArray bytes = file.readAll();
  if (auto known = decoded_.constFind(path); known != decoded_.constEnd() && *known == bytes) return true;
  imaging::Refusal refusal;
  if (imaging::DecodeImage(reinterpret_cast<const uint8_t*>(bytes.constData()), bytes.size(), &refusal) == nullptr) {
    *why = refusal.text;
    return false;
  }
  decoded_.insert(path, bytes);
  return true;
}

std::string PictureCheck::Unreadable(const QJsonObject& form, const QDir& baseDir) {
  const QJsonArray windows = form.value(QStringLiteral("windows")).toArray();
  for (qsizetype w = 0; w < windows.size(); ++w) {
    const QJsonArray units = windows[w].toObject().value(QStringLiteral("units")).toArray();
    for (qsizetype u = 0; u < units.size(); ++u) {
      const QJsonObject unit = units[u].toObject();
      const std::optional<uint32_t> type = TypeOf(unit.value(QStringLiteral("type")));
      const units::PropertyTableView* table = type ? ProgramUnitTypes().TableOf(*type) : nullptr;
      if (table == nullptr) continue;
      const QJsonObject properties = unit.value(QStringLiteral("properties")).toObject();
      for (auto it = properties.begin(); it != properties.end(); ++it) {
        const QJsonValue name = it.value().toObject().value(QStringLiteral("file"));
        const int32_t index = table->Find(it.key().toStdString());
        if (!name.isString() || index < 0) continue;
        const int16_t kind = table->Info(static_cast<size_t>(index)).type;
        if (kind != units::property_type::kPicture && kind != units::property_type::kIcon) continue;
        const QString path = baseDir.filePath(name.toString());
        std::string why;
        if (Decodes(path, &why)) continue;
        return "windows[" + std::to_string(w) + "].units[" + std::to_string(u) + "].properties." +
               it.key().toStdString() + ".file: not a picture: " + path.toStdString() + " (" + why + ")";
      }
    }
  }
  return {};
}

}  // namespace formtool
