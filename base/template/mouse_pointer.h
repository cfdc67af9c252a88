#pragma once
// Which cursor a unit's mouse pointer data asks for. Making the cursor itself belongs to the
// window manager; this is only the choice.
#include <cstdint>
#include <span>

namespace runtime {

constexpr int32_t kHandCursorId = 32649;  // the program's own hand cursor, not the system's

enum class CursorKind { kNone, kSystem, kHand, kImage };

struct CursorChoice {
  CursorKind kind = CursorKind::kNone;
  int32_t systemId = 0;  // kSystem: the system cursor id
  // kImage: the cursor image. Otherwise, when not empty, the whole data, to be tried as a cursor
  // image first: a cursor made from it wins over `kind`.
  std::span<const uint8_t> image;
};

CursorChoice SelectCursor(std::span<const uint8_t> data);

// Mouse pointer data as the program numbers cursors (0 to 14) and as units do (system cursor
// ids): the first word of data of 4 bytes or more is translated on the way out and back in.
int32_t CursorIdToIndex(int32_t id);
int32_t CursorIndexToId(int32_t index);

}  // namespace runtime
