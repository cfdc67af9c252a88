#pragma once
// Watches the files a form is made of and says once when they have changed and settled.
// Editors save in place or write a new file and rename it over the old one: the old file's
// watch then ends with it, so the folders are watched too and a file that is back is watched
// again. A folder that is not there (yet, or any more) is followed through its nearest existing
// parent, and each folder's parent is watched too, so that a folder made, removed or replaced
// (renamed over, as a branch switch may do) after the watch began is watched again as soon as it
// is back. A folder further up replaced is not seen.
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QHash>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <optional>

#include "platform/file_identity.h"

namespace formtool {

class FormWatch {
 public:
  // Saves closer together than this give one call of `onSettled`.
  static constexpr int kSettleMs = 20;
  // An editor may write a file in parts some tens of milliseconds apart: what is read in between
  // is not what was saved. A reading that fails is believed once nothing has changed for this long.
  static constexpr int kQuietMs = 250;

  explicit FormWatch(std::function<void()> onSettled, int settleMs = kSettleMs);

  // Watches these files (absolute paths) from now on, instead of those watched before.
  // Called again after each reading of the form.
  void Watch(const QStringList& files);

  // Whether nothing has changed for kQuietMs (or since the watch began).
  bool Quiet() const;
  // Calls `onSettled` again once nothing has changed for kQuietMs; a change before then settles
  // as any change does instead.
  void AgainWhenQuiet();

 private:
  struct Stamp {
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;
    bool operator==(const Stamp&) const = default;
  };
  static Stamp StampOf(const QString& path);
  void Changed();
  void FileChanged(const QString& path);
  // Watches each file that exists and, for each file, its folder (or, when that is missing, the
  // nearest parent that exists) and that folder's parent, each afresh when another stands at its
  // path by now; then a file that changed while nothing watched it counts as a change.
  void Rearm();
  // Watches `path` (watched already or not), afresh when what stands there is not what was
  // watched there.
  void Arm(const QString& path, bool watched);
  // The folders to watch for the files as things stand now.
  QStringList FoldersToWatch() const;

  std::function<void()> onSettled_;
  QFileSystemWatcher watcher_;
  QTimer settle_;
  QTimer quiet_;
  QElapsedTimer lastChange_;
  bool retrying_ = false;
  QStringList files_;
  QHash<QString, Stamp> stamps_;
  // What each watch was set on.
  QHash<QString, std::optional<platform::FileIdentity>> armed_;
};

}  // namespace formtool
