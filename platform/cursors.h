#pragma once
// Cursors: the platform's own shapes by their classic system ids, and the program's hand.
#include <QCursor>

#include <cstdint>
#include <optional>

namespace platform {

// The cursor of a classic system cursor id (32512 arrow ... 32516 up arrow), or nothing for an
// id that is not one of them.
std::optional<QCursor> SystemCursor(int32_t id);

// The program's pointing hand: 32 x 32, hot spot at the fingertip (6, 1).
QCursor HandCursor();

}  // namespace platform
