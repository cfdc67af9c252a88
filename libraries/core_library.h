#pragma once
// The core support library: the window, edit box, picture box, group box and hyperlink box unit
// types, the commands that load windows and convert values, and the window's notification-area
// icon command.
#include "base/program/program_header.h"

namespace units {

const runtime::LibraryRecord& CoreLibrary();

// Loads a window: (window, optional parent window, modal) -> bool, true when the window is
// loaded or was loaded already.
void LoadWindowCommand(runtime::ValueRecord* result, int32_t count, runtime::ValueRecord* args);

// Adds, replaces or removes a window's notification-area icon: (window, icon file data, tip
// text), no result. Icon data that is absent or empty removes the icon; data that holds no icon
// shows the window's own icon; the tip is optional. A window that is not loaded is the runtime
// error of the host's live-unit request. A program links this command only when it uses the
// icon, so it is not in the library record's list of the toolbox's commands.
void TrayIconCommand(runtime::ValueRecord* result, int32_t count, runtime::ValueRecord* args);

// The host notify function the library received at start-up (null before).
runtime::HostNotify CoreHostNotify();

}  // namespace units
