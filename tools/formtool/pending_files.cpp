#include "tools/formtool/pending_files.h"

namespace formtool {

QIODevice* PendingFiles::Open(const QString& path, std::string* error) {
  auto file = std::make_unique<QSaveFile>(path);
  if (!file->open(QIODevice::WriteOnly)) {
    *error = "cannot write " + path.toStdString() + ": " + file->errorString().toStdString();
    return nullptr;
  }
  files_.push_back(std::move(file));
  return files_.back().get();
}

bool PendingFiles::Write(const QString& path, const QByteArray& bytes, std::string* error) {
  QIODevice* file = Open(path, error);
  if (file == nullptr) return false;
  if (file->write(bytes) != bytes.size()) {
    *error = "cannot write " + path.toStdString() + ": " + file->errorString().toStdString();
    return false;
  }
  return true;
}

bool PendingFiles::Commit(std::string* error) {
  for (const std::unique_ptr<QSaveFile>& file : files_) {
    if (!file->commit()) {
      *error = "cannot write " + file->fileName().toStdString() + ": " + file->errorString().toStdString();
      return false;
    }
  }
  files_.clear();
  return true;
}

}  // namespace formtool
