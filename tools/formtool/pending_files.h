#pragma once
// The files a command writes. Each is written to a temporary file beside its target, and all of
// them take their places only when the command has succeeded: a command that fails part way
// leaves every target as it was.
#include <QByteArray>
#include <QIODevice>
#include <QSaveFile>
#include <QString>
#include <memory>
#include <string>
#include <vector>

namespace formtool {

class PendingFiles {
 public:
  // A device to write the file at `path` through; null, with `*error` set, when the temporary
  // beside it cannot be made.
  QIODevice* Open(const QString& path, std::string* error);
  // Open, then write all of `bytes`.
  bool Write(const QString& path, const QByteArray& bytes, std::string* error);
  // Moves every file into place; false, with `*error` naming the file, when one cannot be.
  // Files not committed are dropped with their temporaries when this goes.
  bool Commit(std::string* error);

 private:
  std::vector<std::unique_ptr<QSaveFile>> files_;
};

}  // namespace formtool
