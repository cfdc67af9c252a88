#pragma once
// Which file or folder stands at a path, to tell when it was replaced: renamed over, or removed
// and made again, as editors and version control do.
#include <QString>

#include <cstdint>
#include <optional>

namespace platform {

struct FileIdentity {
  uint64_t device = 0;
  uint64_t node = 0;
  bool operator==(const FileIdentity&) const = default;
};

// The same value for as long as the same file or folder stands at `path`, another once another
// does; nothing when nothing is there or the system cannot tell.
std::optional<FileIdentity> IdentityOf(const QString& path);

}  // namespace platform
