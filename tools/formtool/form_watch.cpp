#include "tools/formtool/form_watch.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace formtool {
namespace {

// The folder itself when it is there, else the nearest of its parents that is.
QString NearestExistingFolder(QString folder) {
  for (;;) {
    if (QFileInfo(folder).isDir()) return folder;
    const QString parent = QFileInfo(folder).absolutePath();
    if (parent == folder) return folder;  // the root, which is always there
    folder = parent;
  }
}

}  // namespace

FormWatch::FormWatch(std::function<void()> onSettled, int settleMs) : onSettled_(std::move(onSettled)) {
  settle_.setSingleShot(true);
  settle_.setInterval(settleMs);
  QObject::connect(&settle_, &QTimer::timeout, [this] {
    // Each file is watched afresh before it is read: a watch that outlived its file (renamed
    // over while something held it open) would hear nothing of the file now at its name.
    if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
    Rearm();
    onSettled_();
  });
  quiet_.setSingleShot(true);
  quiet_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&quiet_, &QTimer::timeout, [this] {
    retrying_ = true;
    onSettled_();
    retrying_ = false;
  });
  QObject::connect(&watcher_, &QFileSystemWatcher::fileChanged, [this](const QString& path) { FileChanged(path); });
  // A folder changes for every file in it, and when it is removed or replaced: what it means for
  // the form's files is found out afresh.
  QObject::connect(&watcher_, &QFileSystemWatcher::directoryChanged, [this](const QString&) { Rearm(); });
}

FormWatch::Stamp FormWatch::StampOf(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return {};
  return {true, info.size(), info.lastModified()};
}

void FormWatch::Watch(const QStringList& files) {
  // What is watched already stays watched, with what is known of it: a save made while the form
  // was being read is still to be heard of.
  for (const QString& file : files)
    if (!stamps_.contains(file)) stamps_.insert(file, StampOf(file));
  for (const QString& file : files_) {
    if (files.contains(file)) continue;
    stamps_.remove(file);
    if (watcher_.files().contains(file)) watcher_.removePath(file);
  }
  files_ = files;
  Rearm();
}

bool FormWatch::Quiet() const {
  return retrying_ || !lastChange_.isValid() || lastChange_.elapsed() >= kQuietMs;
}

void FormWatch::AgainWhenQuiet() {
  const qint64 since = lastChange_.isValid() ? lastChange_.elapsed() : kQuietMs;
  quiet_.start(static_cast<int>(std::max<qint64>(0, kQuietMs - since)));
}

void FormWatch::Changed() {
  lastChange_.start();
  quiet_.stop();
  settle_.start();
}

QStringList FormWatch::FoldersToWatch() const {
  QStringList folders;
  auto add = [&folders](const QString& folder) {
    if (!folders.contains(folder)) folders.append(folder);
  };
  for (const QString& file : files_) {
    const QString folder = NearestExistingFolder(QFileInfo(file).absolutePath());
    add(folder);
    // A folder's watch stays with the folder when it is renamed away: its parent's says that
    // another folder now stands at its place.
    add(QFileInfo(folder).absolutePath());
  }
  return folders;
}

void FormWatch::Rearm() {
  // Each folder is watched afresh: what stands at its place may be another folder by now. One
  // may also come into being while its parent's watch is being set up: the folders are looked at
  // again until they stay the same. A tree made deeper at every look ends the loop all the same;
  // its next change to a watched folder comes back here.
  QStringList folders = FoldersToWatch();
  if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
  for (int round = 0; round < 16; ++round) {
    QStringList unwatched;
    for (const QString& folder : folders)
      if (!watcher_.directories().contains(folder)) unwatched.append(folder);
    if (!unwatched.isEmpty()) watcher_.addPaths(unwatched);
    const QStringList now = FoldersToWatch();
    if (now == folders) break;
    for (const QString& folder : watcher_.directories())
      if (!now.contains(folder)) watcher_.removePath(folder);
    folders = now;
  }
  const QStringList watchedFiles = watcher_.files();
  for (const QString& file : files_)
    if (!watchedFiles.contains(file) && QFileInfo(file).isFile()) watcher_.addPath(file);
  // Whatever changed while its folder was not watched, or before the new watch began.
  bool changed = false;
  for (const QString& file : files_) {
    const Stamp now = StampOf(file);
    if (now == stamps_.value(file)) continue;
    stamps_.insert(file, now);
    changed = true;
  }
  if (changed) Changed();
}

void FormWatch::FileChanged(const QString& path) {
  stamps_.insert(path, StampOf(path));
  Changed();
}

}  // namespace formtool
