#pragma once
// Watches the files a form is made of and says once when they have changed and settled.
// Editors save in place or write a new file and rename it over the old one: the old file's
// watch then ends with it, so the folders are watched too and a file that is back is watched
// again.
#include <QDateTime>
#include <QFileSystemWatcher>
#include <QHash>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace formtool {

class FormWatch {
 public:
  // Saves closer together than this give one call of `onSettled`.
  static constexpr int kSettleMs = 20;

  explicit FormWatch(std::function<void()> onSettled, int settleMs = kSettleMs);

  // Watches these files (absolute paths) from now on, instead of those watched before.
  // Called again after each reading of the form.
  void Watch(const QStringList& files);

 private:
  struct Stamp {
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;
    bool operator==(const Stamp&) const = default;
  };
  static Stamp StampOf(const QString& path);
  void FileChanged(const QString& path);
  void FolderChanged(const QString& folder);
  // Watches again each file that is back after its watch ended.
  void Rewatch();

  std::function<void()> onSettled_;
  QFileSystemWatcher watcher_;
  QTimer settle_;
  QStringList files_;
  QHash<QString, Stamp> stamps_;
};

}  // namespace formtool
