#include "tools/formtool/form_watch.h"

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
    // The watches are looked at before the files are read: a watch that outlived its file
    // (renamed over while something held it open) would hear nothing of the file now at its name.
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
  for (const QString& file : files_)
    if (!files.contains(file)) stamps_.remove(file);
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

void FormWatch::Arm(const QString& path, bool watched) {
  // A watch stays with what it watches: it is taken off only when another file or folder stands
  // at its path by now (taking one off costs the system more than anything else here).
  const std::optional<platform::FileIdentity> identity = platform::IdentityOf(path);
  if (watched && identity && armed_.value(path) == identity) return;
  if (watched) watcher_.removePath(path);
  if (watcher_.addPath(path)) armed_.insert(path, identity);
  else armed_.remove(path);
}

void FormWatch::Rearm() {
  // A folder may come into being while its parent's watch is being set up: the folders are
  // looked at again until they stay the same. A tree made deeper at every look ends the loop all
  // the same; its next change to a watched folder comes back here.
  QStringList folders = FoldersToWatch();
  for (int round = 0; round < 16; ++round) {
    const QStringList watched = watcher_.directories();
    for (const QString& folder : watched) {
      if (folders.contains(folder)) continue;
      watcher_.removePath(folder);
      armed_.remove(folder);
    }
    for (const QString& folder : folders) Arm(folder, watched.contains(folder));
    const QStringList now = FoldersToWatch();
    if (now == folders) break;
    folders = now;
  }
  const QStringList watchedFiles = watcher_.files();
  for (const QString& file : watchedFiles) {
    if (files_.contains(file)) continue;
    watcher_.removePath(file);
    armed_.remove(file);
  }
  for (const QString& file : files_)
    if (QFileInfo(file).isFile()) Arm(file, watchedFiles.contains(file));
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
