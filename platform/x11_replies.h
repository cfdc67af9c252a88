#pragma once
// What the platform's own requests to the X server share (built only where the X library is):
// replies freed as the library wants them freed, and atoms by name.
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace platform {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

inline xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  Reply<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(connection,
                            xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr),
      &std::free);
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

}  // namespace platform
