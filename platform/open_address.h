#pragma once
// Opening a web or e-mail address in the user's programs: the desktop's own handler first, then
// the registered browser command, which is started with an argument vector and never through a
// shell, so that no address can run a command.
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace platform {

// The three ways out to the desktop, replaceable so that tests start nothing.
struct AddressOpening {
  // Opens with the desktop's handler for the address, given exactly as stored; true on success.
  std::function<bool(const QString& address)> openWithDesktop;
  // The command line of the user's browser, or nothing when none is registered.
  std::function<std::optional<QString>()> browserCommand;
  // Starts a program detached; true when it started.
  std::function<bool(const QString& program, const QStringList& arguments)> launch;
};

// The desktop's own ways; what OpenAddress uses unless replaced. The desktop's handler takes a
// URL, which cannot hold white space around it (the toolbox's forum address starts with a line
// feed): that is left out of the URL, as the desktop's own parsing of a typed address does.
AddressOpening DesktopAddressOpening();
// Replaces the ways OpenAddress uses; answers the previous ones.
AddressOpening SetAddressOpening(AddressOpening opening);

// Opens `address` exactly as given (no trimming, quoting or escaping): the desktop's handler
// first, then the browser command with the address as its last argument. True when either
// reports success; an empty address opens nothing.
bool OpenAddress(const QString& address);

// Hands `address` to the desktop's own handler for its scheme and to nothing else (no browser
// command); true on success.
bool OpenWithDesktopHandler(const QString& address);

// The name of the program the desktop opens `address` with by default (its desktop entry's name,
// in Chinese where it has one); empty when none is set.
QString DesktopHandlerName(const QString& address);

// The browser command cut at its placeholder: a placeholder with a double quote right before and
// after it cuts at that opening quote, any other placeholder cuts where it starts, and a command
// without one stays whole. "%u", "%U", "%f", "%F" and "%1" are placeholders.
QString CutAtPlaceholder(const QString& command);

// The program and arguments that start `command` (cut at its placeholder) on `address`: the cut
// command split as a desktop entry splits its command line, then the address as one argument of
// its own. Empty when the cut command names no program.
QStringList BrowserArguments(const QString& command, const QString& address);

// The command of the desktop entry that handles web addresses by default (the XDG "mimeapps.list"
// files and application folders), else the first command of $BROWSER.
std::optional<QString> RegisteredBrowserCommand();

}  // namespace platform
