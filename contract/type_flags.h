#pragma once
// The bits of a unit type record's flag word: what the host and the window unit test of a type.
// Several are set by no type of ours, but windows are still built and navigated by them.
#include <cstdint>

namespace units::type_flag {

constexpr uint32_t kNoRecreate = 0x10;          // re-creation after a property change is skipped
constexpr uint32_t kPreTranslates = 0x20;       // offered every key and mouse event of the thread first
constexpr uint32_t kWindowed = 0x40;            // the unit is a window on screen
constexpr uint32_t kContainer = 0x80;           // a re-created unit takes the old one's children
constexpr uint32_t kPagedContainer = 0x100;     // a re-created unit keeps the current page
constexpr uint32_t kRadio = 0x400;              // a mnemonic checks it and clears its siblings
constexpr uint32_t kPushButton = 0x800;         // Enter and its mnemonic click it
constexpr uint32_t kCheckBox = 0x1000;          // a mnemonic toggles it
constexpr uint32_t kLabel = 0x2000;             // a mnemonic moves the focus on
constexpr uint32_t kFrameLabel = 0x4000;        // the same, for framing units
constexpr uint32_t kNonVisual = 0x8000;         // never shown, never focused
constexpr uint32_t kNoFocus = 0x10000;          // skipped when the window picks a unit to focus
constexpr uint32_t kBar = 0x100000;             // stacked along the window's top or bottom edge
constexpr uint32_t kDragsWindow = 0x4000000;    // a press on it drags a move-anywhere window
constexpr uint32_t kNative = 0x80000000;

// The event path raises events only of units whose type has one of these bits: windowed units,
// and 0x04, which no type of ours sets.
constexpr uint32_t kRaisesEvents = kWindowed | 0x04;

}  // namespace units::type_flag
