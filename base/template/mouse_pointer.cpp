#include "base/template/mouse_pointer.h"

#include <algorithm>
#include <array>

#include "platform/little_endian.h"

namespace runtime {

using platform::LoadU32;

namespace {

// Selectors 0 to 14 name these system cursors (0: none).
constexpr std::array<int32_t, 15> kSystemCursors = {0,     32512, 32515, 32513, 32514, 32651, 32650, 32648,
                                                    32646, 32643, 32645, 32642, 32644, 32516, 32649};

constexpr int32_t kImageFollows = -1;
constexpr size_t kShortestImageTry = 11;

}  // namespace

CursorChoice SelectCursor(std::span<const uint8_t> data) {
  CursorChoice choice;
  if (data.empty()) return choice;
  int32_t selector = data.size() <= 3 ? data[0] : static_cast<int32_t>(LoadU32(data.data()));
  if (selector == kImageFollows) {
    if (data.size() > 4) {
      choice.kind = CursorKind::kImage;
      choice.image = data.subspan(4);
    }
    return choice;
  }
  if (data.size() >= kShortestImageTry) choice.image = data;
  int32_t id = selector >= 0 && selector < static_cast<int32_t>(kSystemCursors.size())
                   ? kSystemCursors[static_cast<size_t>(selector)]
                   : selector;
  if (id == kHandCursorId) {
    choice.kind = CursorKind::kHand;
  } else if (id != 0 && std::find(kSystemCursors.begin(), kSystemCursors.end(), id) != kSystemCursors.end()) {
    choice.kind = CursorKind::kSystem;
    choice.systemId = id;
  }
  return choice;
}

int32_t CursorIdToIndex(int32_t id) {
  if (id == 0) return 0;
  auto found = std::find(kSystemCursors.begin(), kSystemCursors.end(), id);
  return found == kSystemCursors.end() ? id : static_cast<int32_t>(found - kSystemCursors.begin());
}

int32_t CursorIndexToId(int32_t index) {
  return index >= 0 && index < static_cast<int32_t>(kSystemCursors.size()) ? kSystemCursors[static_cast<size_t>(index)]
                                                                            : index;
}

}  // namespace runtime
