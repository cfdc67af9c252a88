#include "platform/window_activation.h"

#include <QGuiApplication>
#include <QWindow>

#if defined(QUARLEX_HAVE_XCB)
#include "platform/x11_replies.h"
#endif

namespace platform {
namespace {

#if defined(QUARLEX_HAVE_XCB)
// Whether the window manager running on `root` takes activation requests.
bool ManagerActivates(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t activeWindow) {
  Reply<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(connection,
                             xcb_get_property(connection, 0, root, Atom(connection, "_NET_SUPPORTED"),
                                              XCB_ATOM_ATOM, 0, 1024),
                             nullptr),
      &std::free);
  if (!reply || reply->format != 32) return false;
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
  const int count = xcb_get_property_value_length(reply.get()) / 4;
  for (int i = 0; i < count; ++i)
    if (atoms[i] == activeWindow) return true;
  return false;
}

bool ActivateOnX11(QWindow* window) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return false;
  xcb_connection_t* connection = x11->connection();
  const auto id = static_cast<xcb_window_t>(window->winId());
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  const xcb_atom_t activeWindow = Atom(connection, "_NET_ACTIVE_WINDOW");
  if (screen != nullptr && activeWindow != XCB_ATOM_NONE && ManagerActivates(connection, screen->root, activeWindow)) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = activeWindow;
    message.data.data32[0] = 2;  // from a pager: the manager applies no focus stealing rules
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
  } else {
    xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, id, XCB_CURRENT_TIME);
  }
  xcb_flush(connection);
  return true;
}
#endif

}  // namespace

void ActivateWindowNow(QWindow* window) {
  if (window == nullptr) return;
#if defined(QUARLEX_HAVE_XCB)
  ActivateOnX11(window);
#endif
}

}  // namespace platform
