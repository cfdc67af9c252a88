#include "tests/e2e/x11_display.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace e2e {
namespace {

pid_t gServer = 0;

}  // namespace

bool StartPrivateDisplay(const char* screen) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return false;
  gServer = fork();
  if (gServer < 0) return false;
  if (gServer == 0) {
    close(pipeEnds[0]);
    // A test program that crashes never stops its server: the server then ends with it, rather
    // than living on and holding the test runner's output open.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    const std::string fd = std::to_string(pipeEnds[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen, "-nolisten", "tcp",
           static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeEnds[1]);
  // The server writes its display number once it accepts clients; nothing comes when it fails.
  std::string number;
  char c = 0;
  while (read(pipeEnds[0], &c, 1) == 1 && c != '\n') number.push_back(c);
  close(pipeEnds[0]);
  if (number.empty()) {
    StopPrivateDisplay();
    return false;
  }
  setenv("DISPLAY", (":" + number).c_str(), 1);
  return true;
}

void StopPrivateDisplay() {
  if (gServer <= 0) return;
  kill(gServer, SIGTERM);
  waitpid(gServer, nullptr, 0);
  gServer = 0;
}

X11Client::X11Client() {
  connection_ = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection_)) {
    xcb_disconnect(connection_);
    connection_ = nullptr;
  }
}

X11Client::~X11Client() {
  if (connection_ != nullptr) xcb_disconnect(connection_);
}

xcb_atom_t X11Client::Atom(const char* name) {
  xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name);
  std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
      xcb_intern_atom_reply(connection_, cookie, nullptr), &std::free);
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

uint32_t X11Client::TransientFor(uint32_t window) {
  xcb_get_property_cookie_t cookie =
      xcb_get_property(connection_, 0, window, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 0, 1);
  std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
      xcb_get_property_reply(connection_, cookie, nullptr), &std::free);
  if (!reply || xcb_get_property_value_length(reply.get()) < 4) return 0;
  return *static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
}

uint32_t X11Client::InputFocus() {
  std::unique_ptr<xcb_get_input_focus_reply_t, decltype(&std::free)> reply(
      xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr), &std::free);
  return reply ? reply->focus : 0;
}

void X11Client::RequestClose(uint32_t window) {
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = Atom("WM_PROTOCOLS");
  message.data.data32[0] = Atom("WM_DELETE_WINDOW");
  message.data.data32[1] = XCB_CURRENT_TIME;
  xcb_send_event(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
  xcb_flush(connection_);
}

void X11Client::Focus(uint32_t window) {
  xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
  xcb_flush(connection_);
}

}  // namespace e2e
