#pragma once
// The web browser box's own properties: the state that keeps them, one row each, and the unit
// type record. Only the first five are stored; the others are read from the browser control or the
// loaded document at each access, and a few are written to the document.
#include <cstdint>

#include "contract/edge_style.h"
#include "contract/property_table.h"
#include "contract/tabled_unit_type.h"
#include "contract/unit_type_records.h"
#include "units/webbrowser/webbrowser_unit.h"

namespace units {

// The own properties the unit keeps, each in the field its row below names.
struct WebBrowserState {
  int32_t border;  // edge style 0 to 5; any other value is kept as stored and draws no edge
  int32_t silent;
  int32_t offline;
  int32_t dropTarget;
  int32_t registerAsBrowser;
};

namespace webbrowser_rows {
using S = WebBrowserState;
using U = WebBrowserBox;
using namespace property_type;

// State words of the host's entries: stored, read from the control, read without fetching
// anything, the edit state, read and written through the document, the document's command states.
namespace ps = property_state;
constexpr uint16_t kStored = ps::kNative;
constexpr uint16_t kControl = ps::kNative | ps::kReadOnly;
constexpr uint16_t kNotFetched = ps::kNative | ps::kReadOnly | ps::kNotFetched;
constexpr uint16_t kEditState = ps::kNative | ps::kDocument;
constexpr uint16_t kDocument = ps::kNative | ps::kDocument | ps::kDependent;
constexpr uint16_t kCommandState = ps::kNative | ps::kDocument | ps::kReadOnly | ps::kDependent;

// The hooks, in webbrowser_properties.cpp. Reads of the stored flags keep what the control says.
bool ReadSilent(U& box, PropertyValue& value);
bool ReadOffline(U& box, PropertyValue& value);
bool ReadDropTarget(U& box, PropertyValue& value);
bool ReadRegisterAsBrowser(U& box, PropertyValue& value);
int32_t ApplySilent(U& box);
int32_t ApplyOffline(U& box);
int32_t ApplyDropTarget(U& box);
// What a box embedded in a form does not have (a browser window's bars, full screen, theatre
// mode, top-level container): reads as 0.
bool Absent(U& box, PropertyValue& value);
// Leaves the caller's value as it is.
bool Untouched(U& box, PropertyValue& value);
int32_t ReadOnly(U& box, const PropertyValue& value);
bool ReadVisible(U& box, PropertyValue& value);
bool ReadBusy(U& box, PropertyValue& value);
bool ReadReadyState(U& box, PropertyValue& value);
bool ReadFullName(U& box, PropertyValue& value);
bool ReadLocationUrl(U& box, PropertyValue& value);
bool ReadLocationName(U& box, PropertyValue& value);
bool ReadType(U& box, PropertyValue& value);
bool ReadEditMode(U& box, PropertyValue& value);
int32_t WriteEditMode(U& box, const PropertyValue& value);
bool ReadFontName(U& box, PropertyValue& value);
int32_t WriteFontName(U& box, const PropertyValue& value);
bool ReadFontSize(U& box, PropertyValue& value);
int32_t WriteFontSize(U& box, const PropertyValue& value);
bool ReadForeColor(U& box, PropertyValue& value);
int32_t WriteForeColor(U& box, const PropertyValue& value);
bool ReadBackColor(U& box, PropertyValue& value);
int32_t WriteBackColor(U& box, const PropertyValue& value);
// Whether the document command of that name is in effect, or can be carried out.
bool ReadCommandState(U& box, const char* command, PropertyValue& value);
bool ReadCommandEnabled(U& box, const char* command, PropertyValue& value);
template <const char* Command>
bool CommandState(U& box, PropertyValue& value) {
  return ReadCommandState(box, Command, value);
}
template <const char* Command>
bool CommandEnabled(U& box, PropertyValue& value) {
  return ReadCommandEnabled(box, Command, value);
}

inline constexpr char kBold[] = "Bold", kItalic[] = "Italic", kUnderline[] = "Underline",
                      kStrikeThrough[] = "StrikeThrough", kSuperscript[] = "Superscript", kSubscript[] = "Subscript",
                      kOverWrite[] = "OverWrite", kPaste[] = "Paste", kCopy[] = "Copy", kCut[] = "Cut",
                      kRedo[] = "Redo", kUndo[] = "Undo";

inline constexpr PropertyRow<S, U> kRows[] = {
    // Any value is kept: one outside the edge styles draws no edge.
    {.name = "Border", .type = kChoice, .state = kStored, .word = &S::border, .stored = 0, .choices = kEdgeStyleNames,
     .apply = [](U& box) { box.ApplyBorder(); return 0; }},
    {.name = "Silent", .type = kLogical, .state = kStored, .word = &S::silent, .stored = 1, .logical = true,
     .apply = ApplySilent, .get = ReadSilent},
    {.name = "Offline", .type = kLogical, .state = kStored, .word = &S::offline, .stored = 2, .logical = true,
     .apply = ApplyOffline, .get = ReadOffline},
    {.name = "RegisterAsDropTarget", .type = kLogical, .state = kStored, .word = &S::dropTarget, .stored = 3,
     .initial = 1, .logical = true, .apply = ApplyDropTarget, .get = ReadDropTarget},
    {.name = "RegisterAsBrowser", .type = kLogical, .state = kStored, .word = &S::registerAsBrowser, .stored = 4,
     .logical = true, .get = ReadRegisterAsBrowser},
    {.name = "AddressBar", .type = kLogical, .state = kControl, .get = Absent, .set = ReadOnly},
    {.name = "FullScreen", .type = kLogical, .state = kControl, .get = Absent, .set = ReadOnly},
    {.name = "MenuBar", .type = kLogical, .state = kControl, .get = Absent, .set = ReadOnly},
    {.name = "Resizable", .type = kLogical, .state = kNotFetched, .get = Untouched, .set = ReadOnly},
    {.name = "StatusBar", .type = kLogical, .state = kControl, .get = Absent, .set = ReadOnly},
    {.name = "TheaterMode", .type = kLogical, .state = kControl, .get = Absent, .set = ReadOnly},
    {.name = "ToolBar", .type = kLogical, .state = kControl, .get = Absent, .set = ReadOnly},
    {.name = "Visible", .type = kLogical, .state = kControl, .get = ReadVisible, .set = ReadOnly},
    {.name = "Busy", .type = kLogical, .state = kControl, .get = ReadBusy, .set = ReadOnly},
    {.name = "TopLevelContainer", .type = kLogical, .state = kControl, .get = Absent, .set = ReadOnly},
    {.name = "ReadyState", .type = kInteger, .state = kControl, .get = ReadReadyState, .set = ReadOnly},
    {.name = "FullName", .type = kText, .state = kControl, .get = ReadFullName, .set = ReadOnly},
    {.name = "LocationURL", .type = kText, .state = kControl, .get = ReadLocationUrl, .set = ReadOnly},
    {.name = "LocationName", .type = kText, .state = kControl, .get = ReadLocationName, .set = ReadOnly},
    {.name = "Type", .type = kText, .state = kControl, .get = ReadType, .set = ReadOnly},
    {.name = "EditMode", .type = kLogical, .state = kEditState, .get = ReadEditMode, .set = WriteEditMode},
    {.name = "FontName", .type = kText, .state = kDocument, .get = ReadFontName, .set = WriteFontName},
    {.name = "FontSize", .type = kInteger, .state = kDocument, .get = ReadFontSize, .set = WriteFontSize},
    {.name = "ForeColor", .type = kInteger, .state = kDocument, .get = ReadForeColor, .set = WriteForeColor},
    {.name = "BackColor", .type = kInteger, .state = kDocument, .get = ReadBackColor, .set = WriteBackColor},
    {.name = "Bold", .type = kLogical, .state = kCommandState, .get = CommandState<kBold>, .set = ReadOnly},
    {.name = "Italic", .type = kLogical, .state = kCommandState, .get = CommandState<kItalic>, .set = ReadOnly},
    {.name = "Underline", .type = kLogical, .state = kCommandState, .get = CommandState<kUnderline>, .set = ReadOnly},
    {.name = "StrikeThrough", .type = kLogical, .state = kCommandState, .get = CommandState<kStrikeThrough>,
     .set = ReadOnly},
    {.name = "Superscript", .type = kLogical, .state = kCommandState, .get = CommandState<kSuperscript>,
     .set = ReadOnly},
    {.name = "Subscript", .type = kLogical, .state = kCommandState, .get = CommandState<kSubscript>, .set = ReadOnly},
    {.name = "OverWrite", .type = kLogical, .state = kCommandState, .get = CommandState<kOverWrite>, .set = ReadOnly},
    {.name = "CanPaste", .type = kLogical, .state = kCommandState, .get = CommandEnabled<kPaste>, .set = ReadOnly},
    {.name = "CanCopy", .type = kLogical, .state = kCommandState, .get = CommandEnabled<kCopy>, .set = ReadOnly},
    {.name = "CanCut", .type = kLogical, .state = kCommandState, .get = CommandEnabled<kCut>, .set = ReadOnly},
    {.name = "CanRedo", .type = kLogical, .state = kCommandState, .get = CommandEnabled<kRedo>, .set = ReadOnly},
    {.name = "CanUndo", .type = kLogical, .state = kCommandState, .get = CommandEnabled<kUndo>, .set = ReadOnly},
};
}  // namespace webbrowser_rows

inline constexpr PropertyTable kWebBrowserTable{webbrowser_rows::kRows, 1};
using WebBrowserType = TabledUnitType<kWebBrowserTable>;
using WebBrowserProperties = WebBrowserType::Properties;

inline constexpr runtime::UnitTypeRecord kWebBrowserType = MakeUnitTypeRecord<type_id::kWebBrowser>(
    "Vorel\xcd\xf8\xd2\xb3\xbf\xf2", "VorelWebBrowser", type_flag::kNative | type_flag::kWindowed,
    kWebBrowserTable.HostEntries());  // Vorel网页框

}  // namespace units
