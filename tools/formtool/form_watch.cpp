#include "tools/formtool/form_watch.h"

#include <QFileInfo>

namespace formtool {

FormWatch::FormWatch(std::function<void()> onSettled, int settleMs) : onSettled_(std::move(onSettled)) {
  settle_.setSingleShot(true);
  settle_.setInterval(settleMs);
  QObject::connect(&settle_, &QTimer::timeout, [this] {
    // Each file is watched afresh before it is read: a watch that outlived its file (renamed
    // over while something held it open) would hear nothing of the file now at its name.
    if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
    Rewatch();
    onSettled_();
  });
  QObject::connect(&watcher_, &QFileSystemWatcher::fileChanged, [this](const QString& path) { FileChanged(path); });
  QObject::connect(&watcher_, &QFileSystemWatcher::directoryChanged,
                   [this](const QString& folder) { FolderChanged(folder); });
}

FormWatch::Stamp FormWatch::StampOf(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return {};
  return {true, info.size(), info.lastModified()};
}

void FormWatch::Watch(const QStringList& files) {
  // What is watched already stays watched, with what is known of it: a save made while the form
  // was being read is still to be heard of.
  QStringList folders;
  for (const QString& file : files) {
    if (!stamps_.contains(file)) stamps_.insert(file, StampOf(file));
    const QString folder = QFileInfo(file).absolutePath();
    if (!folders.contains(folder)) folders.append(folder);
  }
  for (const QString& file : files_) {
    if (files.contains(file)) continue;
    stamps_.remove(file);
    if (watcher_.files().contains(file)) watcher_.removePath(file);
  }
  for (const QString& folder : watcher_.directories())
    if (!folders.contains(folder)) watcher_.removePath(folder);
  for (const QString& folder : folders)
    if (!watcher_.directories().contains(folder)) watcher_.addPath(folder);
  files_ = files;
  Rewatch();
}

void FormWatch::Rewatch() {
  const QStringList watched = watcher_.files();
  for (const QString& file : files_)
    if (!watched.contains(file) && QFileInfo::exists(file)) watcher_.addPath(file);
}

void FormWatch::FileChanged(const QString& path) {
  stamps_.insert(path, StampOf(path));
  settle_.start();
}

// A folder changes for every file in it; only a change to one of the form's files counts.
void FormWatch::FolderChanged(const QString& folder) {
  bool changed = false;
  for (const QString& file : files_) {
    if (QFileInfo(file).absolutePath() != folder) continue;
    const Stamp now = StampOf(file);
    if (now == stamps_.value(file)) continue;
    stamps_.insert(file, now);
    changed = true;
  }
  if (changed) settle_.start();
  Rewatch();
}

}  // namespace formtool
