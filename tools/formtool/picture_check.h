#pragma once
// What `formtool compile` does not look at but an author wants to hear of at once: a picture or
// icon the form names that the toolbox could not show (a damaged or half-written file).
#include <QByteArray>
#include <QDir>
#include <QHash>
#include <QJsonObject>
#include <QString>

#include <string>

namespace formtool {

class PictureCheck {
 public:
  // "windows[0].units[4].properties.Picture.file: not a picture: FILE (REASON)" for the first
  // picture or icon property of the form source `form` (file names relative to `baseDir`) whose
  // file does not decode; empty when they all do.
  std::string Unreadable(const QJsonObject& form, const QDir& baseDir);

 private:
  bool Decodes(const QString& path, std::string* why);

  // The files that decoded, as they were: a picture is decoded again only when it changed.
  QHash<QString, QByteArray> decoded_;
};

}  // namespace formtool
