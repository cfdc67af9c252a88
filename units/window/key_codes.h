#pragma once
// Keys as the events report them: classic virtual-key codes and modifier bits.
#include <Qt>

#include <cstdint>

class QKeyEvent;

namespace units {

namespace vk {
constexpr int32_t kBack = 8;
constexpr int32_t kTab = 9;
constexpr int32_t kReturn = 13;
constexpr int32_t kEscape = 27;
constexpr int32_t kLeft = 37;
constexpr int32_t kUp = 38;
constexpr int32_t kRight = 39;
constexpr int32_t kDown = 40;
constexpr int32_t kF1 = 0x70;
}  // namespace vk

// The virtual-key code of a key: letters and digits as their upper-case ASCII code, keypad digits
// as the digit keys, keypad minus, point and slash as 189, 190 and 191; 0 for a key without one.
int32_t VirtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);
int32_t VirtualKeyCode(const QKeyEvent& event);

// Modifier bits of the events: 1 Control, 2 Shift, 4 Alt.
int32_t EventModifiers(Qt::KeyboardModifiers modifiers);
// Modifier bits that go with a key code asked about through WantsKey: 0x2000 Control, 0x4000
// Shift, 0x8000 Alt.
uint32_t KeyModifierBits(Qt::KeyboardModifiers modifiers);

}  // namespace units
