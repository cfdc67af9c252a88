#pragma once
// Whether the program can reach a graphical desktop before Qt tries (and aborts when it cannot).
#include <string>

namespace platform {

// True when a desktop is there to show windows on: an X display or a Wayland session, or a Qt
// platform chosen by the user (QT_QPA_PLATFORM or a -platform argument). On a Wayland session
// with no X display beside it, chooses Qt's Wayland platform, which Qt would not try by itself.
bool FindDesktopSession(int argc, char** argv);

// The one line, in Chinese and English, that tells a user without a desktop what to do;
// `program` is the command that started the program.
std::string NoDesktopMessage(const std::string& program);

}  // namespace platform
