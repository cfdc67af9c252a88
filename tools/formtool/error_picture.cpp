// The README's picture of a preview that shows an error: a copy of a form made wrong in one
// property, as an author's save could make it, then a picture of the window the preview keeps
// up with the error across its top.
//   formtool_error_picture FORM.json WINDOW_ID UNIT_ID PROPERTY JSON_VALUE -o OUT.png
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cstdio>
#include <string>

#include "tools/formtool/folder_copy.h"
#include "tools/formtool/live_preview.h"

namespace {

constexpr const char* kUsage =
    "usage: formtool_error_picture FORM.json WINDOW_ID UNIT_ID PROPERTY JSON_VALUE -o OUT.png\n";

int Fail(const char* what) {
  std::fprintf(stderr, "formtool_error_picture: %s\n", what);
  return 1;
}


// Sets the property of that unit of that window; false when the form has no such unit.
bool SetProperty(QJsonObject& form, uint32_t windowId, uint32_t unitId, const QString& property, const QJsonValue& value) {
  auto id = [](const QJsonValue& v) { return v.isString() ? v.toString().toUInt(nullptr, 0) : static_cast<uint32_t>(v.toInteger()); };
  QJsonArray windows = form[QStringLiteral("windows")].toArray();
  for (qsizetype w = 0; w < windows.size(); ++w) {
    QJsonObject window = windows[w].toObject();
    if (id(window[QStringLiteral("id")]) != windowId) continue;
    QJsonArray units = window[QStringLiteral("units")].toArray();
    for (qsizetype u = 0; u < units.size(); ++u) {
      QJsonObject unit = units[u].toObject();
      if (id(unit[QStringLiteral("id")]) != unitId) continue;
      QJsonObject properties = unit[QStringLiteral("properties")].toObject();
      properties[property] = value;
      unit[QStringLiteral("properties")] = properties;
      units[u] = unit;
      window[QStringLiteral("units")] = units;
      windows[w] = window;
      form[QStringLiteral("windows")] = windows;
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 8 || std::string(argv[6]) != "-o") {
    std::fputs(kUsage, stderr);
    return 2;
  }
  uint32_t windowId = 0;
  uint32_t unitId = 0;
  if (!formtool::ParseId(argv[2], &windowId) || !formtool::ParseId(argv[3], &unitId)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const QFileInfo source(QString::fromLocal8Bit(argv[1]));
  QTemporaryDir dir;
  if (!formtool::CopyFolder(source.absolutePath(), dir.path())) return Fail("cannot copy the form's folder");
  const QString copy = dir.filePath(source.fileName());

  // The error is the picture's subject, not a failure of the build that renders it.
  formtool::LivePreview preview({copy.toStdString(), windowId, false, {}, true});
  if (!preview.Open()) return 1;
  QFile file(copy);
  if (!file.open(QIODevice::ReadOnly)) return Fail("cannot read the copy of the form");
  QJsonObject form = QJsonDocument::fromJson(file.readAll()).object();
  file.close();
  const QJsonValue value = QJsonDocument::fromJson("[" + QByteArray(argv[5]) + "]").array().at(0);
  if (!SetProperty(form, windowId, unitId, QString::fromUtf8(argv[4]), value)) return Fail("no such unit in that window");
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(QJsonDocument(form).toJson()) < 0)
    return Fail("cannot write the copy of the form");
  file.close();

  preview.Reload();
  if (preview.Error().empty()) return Fail("the changed form still compiles");
  QWidget* window = preview.Window();
  QCoreApplication::processEvents();
  if (!window->grab().toImage().save(QString::fromLocal8Bit(argv[7]), "PNG")) return Fail("cannot write the picture");
  return 0;
}
