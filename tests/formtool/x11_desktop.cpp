#include "tests/formtool/x11_desktop.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>

#include "tests/e2e/x11_display.h"

namespace formtool_test {
namespace {

pid_t gManager = 0;
// Held from the server's start to its end: the server starts afresh whenever its last client
// leaves, refusing clients meanwhile, and the tests' clients come and go.
xcb_connection_t* gHolder = nullptr;
const char* gMissing = "";
// The manager's own settings and cache, so that none of the user's are read or written.
std::unique_ptr<QTemporaryDir> gManagerHome;

template <typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
Owned<Reply> Own(Reply* reply) {
  return Owned<Reply>(reply, &std::free);
}

// Waits, looking again every few milliseconds, until `done` or about five seconds have passed.
template <typename Done>
bool Poll(Done done) {
  for (int i = 0; i < 1000; ++i) {
    if (done()) return true;
    QThread::msleep(5);
  }
  return done();
}

xcb_atom_t AtomOn(xcb_connection_t* connection, const char* name) {
  auto reply = Own(xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

bool HasProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property) {
  auto reply = Own(xcb_get_property_reply(
      connection, xcb_get_property(connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 4), nullptr));
  return reply && reply->type != XCB_ATOM_NONE;
}

// The manager has taken the screen once the root names its check window.
bool ManagerRuns() {
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(gHolder)).data->root;
  return HasProperty(gHolder, root, AtomOn(gHolder, "_NET_SUPPORTING_WM_CHECK"));
}

}  // namespace

bool StartDesktop(const char* screen) {
  if (!e2e::StartPrivateDisplay(screen)) {
    gMissing = "no X server (Xvfb) to run on";
    return false;
  }
  gHolder = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(gHolder)) {
    StopDesktop();
    return false;
  }
  gManagerHome = std::make_unique<QTemporaryDir>();
  gManager = fork();
  if (gManager < 0) return false;
  if (gManager == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    const QByteArray home = gManagerHome->path().toLocal8Bit();
    setenv("XDG_CONFIG_HOME", home.constData(), 1);
    setenv("XDG_CACHE_HOME", home.constData(), 1);
    execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
    _exit(127);
  }
  const bool runs = Poll([] {
    int status = 0;
    if (waitpid(gManager, &status, WNOHANG) == gManager) {
      gManager = 0;
      return true;  // ended: looked at below
    }
    return ManagerRuns();
  });
  if (!runs || gManager == 0) {
    gMissing = "no window manager (openbox) to run with";
    StopDesktop();
    return false;
  }
  return true;
}

void StopDesktop() {
  if (gManager > 0) {
    kill(gManager, SIGTERM);
    waitpid(gManager, nullptr, 0);
    gManager = 0;
  }
  if (gHolder != nullptr) xcb_disconnect(gHolder);
  gHolder = nullptr;
  e2e::StopPrivateDisplay();
  gManagerHome.reset();
}

const char* DesktopMissing() { return gMissing; }

DesktopClient::DesktopClient() {
  connection_ = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection_)) {
    xcb_disconnect(connection_);
    connection_ = nullptr;
    return;
  }
  root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
}

DesktopClient::~DesktopClient() {
  if (connection_ != nullptr) xcb_disconnect(connection_);
}

xcb_atom_t DesktopClient::Atom(const char* name) { return AtomOn(connection_, name); }

uint32_t DesktopClient::OpenEditor(QRect where) {
  const xcb_window_t window = xcb_generate_id(connection_);
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
  const uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_FOCUS_CHANGE};
  xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, root_, static_cast<int16_t>(where.x()),
                    static_cast<int16_t>(where.y()), static_cast<uint16_t>(where.width()),
                    static_cast<uint16_t>(where.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                    XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
  const char title[] = "editor";
  xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                      sizeof title - 1, title);
  // WM_HINTS: it takes input.
  const uint32_t hints[9] = {1, 1, 0, 0, 0, 0, 0, 0, 0};
  xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, 9, hints);
  xcb_map_window(connection_, window);
  xcb_flush(connection_);
  return window;
}

void DesktopClient::ReadEvents() {
  while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
    if ((event->response_type & 0x7F) == XCB_KEY_PRESS)
      keys_.append(reinterpret_cast<xcb_key_press_event_t*>(event)->event);
    std::free(event);
  }
}

bool DesktopClient::KeyArrived(uint32_t window) {
  ReadEvents();
  return keys_.removeAll(window) > 0;
}

uint32_t DesktopClient::InputFocus() {
  auto reply = Own(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
  return reply ? reply->focus : 0;
}

uint32_t DesktopClient::ParentOf(uint32_t window, uint32_t* root) {
  auto reply = Own(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), nullptr));
  if (!reply) return 0;
  if (root != nullptr) *root = reply->root;
  return reply->parent;
}

bool DesktopClient::Managed(uint32_t window) {
  uint32_t root = 0;
  const uint32_t parent = ParentOf(window, &root);
  if (parent == 0 || parent == root) return false;
  auto reply = Own(xcb_get_property_reply(
      connection_, xcb_get_property(connection_, 0, window, Atom("WM_STATE"), XCB_GET_PROPERTY_TYPE_ANY, 0, 2),
      nullptr));
  // NormalState
  return reply && xcb_get_property_value_length(reply.get()) >= 4 &&
         *static_cast<const uint32_t*>(xcb_get_property_value(reply.get())) == 1;
}

QRect DesktopClient::ClientOnScreen(uint32_t window) {
  auto at = Own(xcb_translate_coordinates_reply(connection_, xcb_translate_coordinates(connection_, window, root_, 0, 0),
                                                nullptr));
  auto geometry = Own(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
  if (!at || !geometry) return {};
  return QRect(at->dst_x, at->dst_y, geometry->width, geometry->height);
}

QRect DesktopClient::FrameOnScreen(uint32_t window) {
  uint32_t frame = window;
  for (uint32_t root = 0, parent = ParentOf(frame, &root); parent != 0 && parent != root;
       parent = ParentOf(frame, &root))
    frame = parent;
  auto geometry = Own(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, frame), nullptr));
  if (!geometry) return {};
  const int border = geometry->border_width;
  return QRect(geometry->x, geometry->y, geometry->width + 2 * border, geometry->height + 2 * border);
}

void DesktopClient::AskManager(uint32_t window, const char* request, std::initializer_list<uint32_t> data) {
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = Atom(request);
  int i = 0;
  for (uint32_t word : data) message.data.data32[i++] = word;
  xcb_send_event(connection_, 0, root_, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(connection_);
}

void DesktopClient::MoveForUser(uint32_t window, QPoint client) {
  // Static gravity (the client area's place), x and y given, from a pager (source 2).
  AskManager(window, "_NET_MOVERESIZE_WINDOW",
             {XCB_GRAVITY_STATIC | (1u << 8) | (1u << 9) | (2u << 12), static_cast<uint32_t>(client.x()),
              static_cast<uint32_t>(client.y())});
}

void DesktopClient::ActivateForUser(uint32_t window) {
  AskManager(window, "_NET_ACTIVE_WINDOW", {2, XCB_CURRENT_TIME});
}

bool DesktopClient::RoundTripThroughWindowManager() {
  const xcb_window_t probe = xcb_generate_id(connection_);
  xcb_create_window(connection_, XCB_COPY_FROM_PARENT, probe, root_, 0, 0, 10, 10, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                    XCB_COPY_FROM_PARENT, 0, nullptr);
  const xcb_atom_t extents = Atom("_NET_FRAME_EXTENTS");
  AskManager(probe, "_NET_REQUEST_FRAME_EXTENTS", {});
  const bool answered = Poll([&] { return HasProperty(connection_, probe, extents); });
  xcb_destroy_window(connection_, probe);
  xcb_flush(connection_);
  return answered;
}

bool Xdotool(const QStringList& arguments) { return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0; }

void SyncProgramConnection() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr) return;
  xcb_connection_t* connection = x11->connection();
  std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

}  // namespace formtool_test
