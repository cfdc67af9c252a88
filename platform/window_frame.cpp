#include "platform/window_frame.h"

#include <QGuiApplication>
#include <QWindow>

#if defined(QUARLEX_HAVE_XCB)
#include "platform/x11_replies.h"
#endif

namespace platform {
namespace {

#if defined(QUARLEX_HAVE_XCB)
// _NET_FRAME_EXTENTS: left, right, top, bottom; nothing when the window manager has not set it.
std::optional<QMargins> FrameExtents(xcb_connection_t* connection, xcb_window_t window) {
  static const xcb_atom_t kExtents = Atom(connection, "_NET_FRAME_EXTENTS");
  if (kExtents == XCB_ATOM_NONE) return std::nullopt;
  Reply<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, kExtents, XCB_ATOM_CARDINAL, 0, 4),
                             nullptr),
      &std::free);
  if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16) return std::nullopt;
  const auto* sides = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
  return QMargins(static_cast<int>(sides[0]), static_cast<int>(sides[2]), static_cast<int>(sides[1]),
                  static_cast<int>(sides[3]));
}
#endif

}  // namespace

std::optional<QMargins> DesktopFrameMargins(QWindow* window) {
  if (window == nullptr || !window->isExposed()) return std::nullopt;
#if defined(QUARLEX_HAVE_XCB)
  if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>(); x11 != nullptr && x11->connection())
    return FrameExtents(x11->connection(), static_cast<xcb_window_t>(window->winId()));
#endif
  return window->frameMargins();
}

}  // namespace platform
