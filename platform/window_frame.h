#pragma once
// The frame the desktop draws around a top-level window (title bar and borders).
#include <QMargins>

#include <optional>

class QWindow;

namespace platform {

// How wide the desktop's frame is on each side of `window`, as the window manager says it once
// it has taken the window in; nothing until then. The toolkit's own answer is kept from the
// moment it first asks and may be that of a window not yet framed: on X11 the window manager's
// word is read each time.
std::optional<QMargins> DesktopFrameMargins(QWindow* window);

}  // namespace platform
