#pragma once
// What the test process has mapped, for tests that prove a library comes only when it is used.
#include <QFile>

namespace test_support {

// Whether a mapped file's path contains `name`.
inline bool Mapped(const char* name) {
  QFile maps(QStringLiteral("/proc/self/maps"));
  if (!maps.open(QIODevice::ReadOnly)) return false;
  return maps.readAll().contains(name);
}

}  // namespace test_support
