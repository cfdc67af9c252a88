#pragma once
// The program's own icon, used by windows that carry none of their own.
#include <QPixmap>

namespace platform {

// The icon at `size` x `size` pixels.
QPixmap ProgramIcon(int size);

}  // namespace platform
