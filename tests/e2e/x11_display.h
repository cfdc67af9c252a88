#pragma once
// A private X server for tests that need a real desktop's side of things (window properties,
// the window manager's requests): started before the application object, stopped at the end.
#include <xcb/xcb.h>

#include <cstdint>
#include <string>

namespace e2e {

// Starts the virtual X server on a free display with a screen of `screen` ("WxHxDepth") and
// points DISPLAY at it; false when there is no such server on this machine.
bool StartPrivateDisplay(const char* screen = "1600x1000x24");
void StopPrivateDisplay();

// A connection of the test's own to that display, as another client (the window manager) has.
class X11Client {
 public:
  X11Client();
  ~X11Client();
  X11Client(const X11Client&) = delete;
  X11Client& operator=(const X11Client&) = delete;

  bool Connected() const { return connection_ != nullptr; }
  xcb_atom_t Atom(const char* name);
  // The WM_TRANSIENT_FOR of `window`, 0 when it has none.
  uint32_t TransientFor(uint32_t window);
  // The window that has the keyboard's input focus.
  uint32_t InputFocus();
  // What the window manager sends when the user clicks a window's close button.
  void RequestClose(uint32_t window);
  // What a click-to-focus window manager does when the user clicks a window.
  void Focus(uint32_t window);

 private:
  xcb_connection_t* connection_ = nullptr;
};

}  // namespace e2e
