#include "platform/program_icon.h"

#include <array>

// Outside any namespace: the resource's initialiser is a global function.
static void InitIconResource() { Q_INIT_RESOURCE(program_icon); }

namespace platform {

QPixmap ProgramIcon(int size) {
  // The sizes compiled in (platform/CMakeLists.txt); another size scales the next larger.
  static constexpr std::array kRendered = {16, 24, 32, 48, 64, 128, 256};
  static const bool initialised = (InitIconResource(), true);
  (void)initialised;
  int chosen = kRendered.back();
  for (int rendered : kRendered) {
    if (rendered >= size) {
      chosen = rendered;
      break;
    }
  }
  QPixmap pixmap(QStringLiteral(":/platform/icon/%1.png").arg(chosen));
  if (!pixmap.isNull() && pixmap.width() != size)
    pixmap = pixmap.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  return pixmap;
}

}  // namespace platform
