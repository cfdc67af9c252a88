#pragma once
// Making a window the active one when the request does not come from a user's input on it.
class QWindow;

namespace platform {

// Asks the desktop to activate `window` now, after the toolkit's own request, even though it
// has just activated another window of the program at the user's click: on X11 the window
// manager is asked as a pager asks it, with the current time, so that it does not take the
// request for an older one it has already overtaken (the toolkit's carries the time of the last
// event it saw); where there is no window manager the input focus is set directly.
void ActivateWindowNow(QWindow* window);

}  // namespace platform
