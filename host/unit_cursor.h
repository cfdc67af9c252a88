#pragma once
// The cursor a unit's mouse pointer data asks for.
#include <QCursor>

#include <cstdint>
#include <memory>
#include <span>

namespace runtime {

// Null when the data names no cursor (length 0, selector 0, or an id that is not a cursor).
std::unique_ptr<QCursor> MakeUnitCursor(std::span<const uint8_t> pointerData);

}  // namespace runtime
