#pragma once
// The toolbox's four support libraries in their one order: the program's library table, formtool,
// the tests and the fuzzers all take them from here. A unit type id names its library by its
// place in this list, counted from 1.
#include <cstdint>
#include <span>

#include "base/program/program_header.h"

namespace units {

namespace library_number {
constexpr uint32_t kCore = 1;  // window, edit box, picture box, group box, hyperlink box
constexpr uint32_t kUi2 = 2;   // super button
constexpr uint32_t kUi1 = 3;   // transparent label
constexpr uint32_t kWeb = 4;   // web browser box
}  // namespace library_number

// The core library's commands, by place.
namespace core_command {
// (window, optional parent window, modal) -> bool: true when the window is loaded or was loaded
// already.
constexpr int kLoadWindow = 0;
constexpr int kToInteger = 1;
constexpr int kToText = 2;
}  // namespace core_command

// The web page library's command: (web browser box, address, flags, target frame name, extra
// request headers), no result. The three last are optional (type code 0). A box that is not loaded
// is the runtime error of the host's live-unit request, and nothing happens.
namespace web_command {
constexpr int kNavigate = 0;
}  // namespace web_command

// Adds, replaces or removes a window's notification-area icon: (window, icon file data, tip
// text), no result. Icon data that is absent or empty removes the icon; data that holds no icon
// shows the window's own icon; the tip is optional. A window that is not loaded is the runtime
// error of the host's live-unit request. A program links this command of the core library only
// when it uses the icon, so it is not in the library record's list of the toolbox's commands.
void TrayIconCommand(runtime::ValueRecord* result, int32_t count, runtime::ValueRecord* args);

// All four, library 1 first.
std::span<const runtime::LibraryRecord* const> SupportLibraries();

const runtime::LibraryRecord& CoreLibrary();
const runtime::LibraryRecord& Ui2Library();
const runtime::LibraryRecord& Ui1Library();
const runtime::LibraryRecord& WebLibrary();

}  // namespace units
