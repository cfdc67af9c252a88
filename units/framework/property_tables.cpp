#include "units/framework/property_tables.h"

#include <cstddef>

#include "units/framework/unit_type_ids.h"

namespace units {
namespace {

using namespace property_type;

struct Own {
  int16_t type;
  uint16_t state;
};

// The common entries followed by the type's own; the array size is the type's property count, so
// an own list of the wrong length does not compile.
template <size_t N>
constexpr std::array<runtime::PropertyEntry, kCommonPropertyCount + N> Table(const Own (&own)[N]) {
  constexpr int16_t kCommon[kCommonPropertyCount] = {kInteger, kInteger, kInteger, kInteger,
                                                     kText,    kLogical, kLogical, kMousePointer};
  std::array<runtime::PropertyEntry, kCommonPropertyCount + N> table{};
  for (size_t i = 0; i < kCommonPropertyCount; ++i)
    table[i] = {nullptr, nullptr, nullptr, kCommon[i], kCommonPropertyState, nullptr};
  for (size_t i = 0; i < N; ++i)
    table[kCommonPropertyCount + i] = {nullptr, nullptr, nullptr, own[i].type, own[i].state, nullptr};
  return table;
}

constexpr uint16_t kCore = 0x8000;

}  // namespace

constexpr std::array<runtime::PropertyEntry, 32> kWindowProperties = Table({
    {kText, kCore},       // title
    {kChoice, kCore},     // border style
    {kBackColor, kCore},  // background colour
    {kPicture, kCore},    // background picture
    {kChoice, kCore},     // background picture mode
    {kSound, kCore},      // background sound
    {kChoice, kCore},     // sound play mode
    {kLogical, kCore},    // control box
    {kLogical, kCore},    // maximise button
    {kLogical, kCore},    // minimise button
    {kChoice, kCore},     // position
    {kLogical, kCore},    // closable
    {kIcon, kCore},       // icon
    {kLogical, kCore},    // Enter moves the focus
    {kLogical, kCore},    // Esc closes
    {kLogical, kCore},    // F1 opens help
    {kFileName, kCore},   // help file
    {kInteger, kCore},    // help topic
    {kLogical, kCore},    // show in taskbar
    {kLogical, kCore},    // move by dragging anywhere
    {kChoice, kCore},     // shape
    {kLogical, kCore},    // always on top
    {kLogical, kCore},    // keep the caption active
    {kText, kCore},       // window class name
});

constexpr std::array<runtime::PropertyEntry, 35> kSuperBtnProperties = Table({
    {kChoice, 0},     // button style
    {kLogical, 0},    // check mode
    {kLogical, 1},    // checked
    {kChoice, 0},     // picture position
    {kChoice, 0},     // press offset
    {kLogical, 0},    // hover border
    {kLogical, 2},    // hover focus rectangle
    {kPicture, 0},    // normal picture
    {kBackColor, 1},  // its transparent colour
    {kPicture, 0},    // hot picture
    {kBackColor, 1},  // its transparent colour
    {kPicture, 0},    // disabled picture
    {kBackColor, 3},  // its transparent colour
    {kFont, 0},       // font
    {kText, 2},       // caption
    {kLogical, 0},    // system colours
    {kColor, 1},      // normal text colour
    {kBackColor, 1},  // normal face colour
    {kColor, 1},      // hot text colour
    {kBackColor, 1},  // hot face colour
    {kColor, 1},      // focus text colour
    {kBackColor, 3},  // focus face colour
    {kLogical, 0},    // built-in sound
    {kSound, 1},      // hover sound
    {kSound, 3},      // click sound
    {kText, 0},       // tooltip
    {kChoice, 0},     // default button
});

constexpr std::array<runtime::PropertyEntry, 15> kTransLabelProperties = Table({
    {kText, 0},     // text
    {kChoice, 0},   // text effect
    {kFont, 0},     // font
    {kColor, 0},    // text colour
    {kChoice, 0},   // horizontal alignment
    {kLogical, 0},  // word wrap
    {kChoice, 0},   // vertical alignment
});

namespace {
// Web browser box states: persisted, read from the control, read and written through the
// document, and the document's command states.
constexpr uint16_t kPersisted = 0x8000;
constexpr uint16_t kControl = 0x8004;
constexpr uint16_t kNotFetched = 0x8014;
constexpr uint16_t kEditState = 0x8008;
constexpr uint16_t kDocument = 0x8009;
constexpr uint16_t kCommandState = 0x800D;
}  // namespace

constexpr std::array<runtime::PropertyEntry, 45> kWebBrowserProperties = Table({
    {kChoice, kPersisted},      // border
    {kLogical, kPersisted},     // silent
    {kLogical, kPersisted},     // offline
    {kLogical, kPersisted},     // register as drop target
    {kLogical, kPersisted},     // register as browser
    {kLogical, kControl},       // address bar
    {kLogical, kControl},       // full screen
    {kLogical, kControl},       // menu bar
    {kLogical, kNotFetched},    // resizable
    {kLogical, kControl},       // status bar
    {kLogical, kControl},       // theatre mode
    {kLogical, kControl},       // tool bar
    {kLogical, kControl},       // visible
    {kLogical, kControl},       // busy
    {kLogical, kControl},       // top-level container
    {kInteger, kControl},       // ready state
    {kText, kControl},          // full name
    {kText, kControl},          // location address
    {kText, kControl},          // location name
    {kText, kControl},          // type
    {kLogical, kEditState},     // edit mode
    {kText, kDocument},         // font name
    {kInteger, kDocument},      // font size
    {kInteger, kDocument},      // fore colour
    {kInteger, kDocument},      // back colour
    {kLogical, kCommandState},  // bold
    {kLogical, kCommandState},  // italic
    {kLogical, kCommandState},  // underline
    {kLogical, kCommandState},  // strike-through
    {kLogical, kCommandState},  // superscript
    {kLogical, kCommandState},  // subscript
    {kLogical, kCommandState},  // overwrite
    {kLogical, kCommandState},  // can paste
    {kLogical, kCommandState},  // can copy
    {kLogical, kCommandState},  // can cut
    {kLogical, kCommandState},  // can redo
    {kLogical, kCommandState},  // can undo
});

}  // namespace units
