#include "platform/file_identity.h"

#include <QFile>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#endif

namespace platform {

std::optional<FileIdentity> IdentityOf(const QString& path) {
#if defined(Q_OS_UNIX)
  struct stat status {};
  if (::stat(QFile::encodeName(path).constData(), &status) != 0) return std::nullopt;
  return FileIdentity{static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
#else
  (void)path;
  return std::nullopt;
#endif
}

}  // namespace platform
