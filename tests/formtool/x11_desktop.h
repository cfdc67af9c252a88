#pragma once
// A desktop of the test program's own: a private X server (tests/e2e/x11_display.h) with a real
// window manager on it, and what the tests need to see of it as another application sees it
// (where windows are, who has the keyboard) and to act on it as a user does (keys and clicks
// through the server's test extension, with xdotool).
#include <QPoint>
#include <QRect>
#include <QStringList>

#include <xcb/xcb.h>

#include <cstdint>
#include <initializer_list>

namespace formtool_test {

// Starts the X server (a screen of `screen`, "WxHxDepth") and the window manager, and waits until
// the manager has taken over the screen; false when either is missing on this machine.
bool StartDesktop(const char* screen);
void StopDesktop();
// Why StartDesktop failed, for the skip message.
const char* DesktopMissing();

// The desktop as one more application on it sees it.
class DesktopClient {
 public:
  DesktopClient();
  ~DesktopClient();
  DesktopClient(const DesktopClient&) = delete;
  DesktopClient& operator=(const DesktopClient&) = delete;

  bool Connected() const { return connection_ != nullptr; }

  // A plain top-level window of this client's own that takes keys: the editor the user types in.
  uint32_t OpenEditor(QRect where);
  // Whether a key was pressed in `window` since the last call (reads the events waiting).
  bool KeyArrived(uint32_t window);
  // The window with the keyboard's input focus.
  uint32_t InputFocus();
  // Whether the window manager has framed `window` and shows it.
  bool Managed(uint32_t window);
  // Where the server has the window's client area, and its frame (the window manager's window
  // holding it), on the screen.
  QRect ClientOnScreen(uint32_t window);
  QRect FrameOnScreen(uint32_t window);
  // Asks the window manager to move the window's client area to `client`, as a pager or a
  // taskbar does for the user.
  void MoveForUser(uint32_t window, QPoint client);
  // Asks the window manager to activate the window, as a pager or a taskbar does for the user.
  void ActivateForUser(uint32_t window);
  // Returns once the window manager has handled everything the server had for it when this was
  // called, from any client: a request only the manager answers, waited for.
  bool RoundTripThroughWindowManager();

 private:
  xcb_atom_t Atom(const char* name);
  // A client message to the window manager about `window`.
  void AskManager(uint32_t window, const char* request, std::initializer_list<uint32_t> data);
  uint32_t ParentOf(uint32_t window, uint32_t* root);
  void ReadEvents();

  xcb_connection_t* connection_ = nullptr;
  xcb_window_t root_ = 0;
  QList<uint32_t> keys_;  // windows a key was pressed in, not yet asked for
};

// Runs xdotool with these arguments; false when it is missing or fails.
bool Xdotool(const QStringList& arguments);
// Waits until the program's own requests so far have reached the server and been handled.
void SyncProgramConnection();

}  // namespace formtool_test
