#pragma once
// Which addresses a page may show in the engine, which the engine never shows nor hands on (local
// files, the engine's own pages), and which would go to another program of the desktop.
#include <QUrl>

namespace units::webbrowser {

enum class AddressKind {
  kShown,    // the engine shows it
  kRefused,  // neither shown nor handed on
  kOutside,  // another program would open it, after the user's click and answer
};

AddressKind KindOf(const QUrl& address);

// The question put to the user before `address` goes to `program` (empty: not known).
QString OutsideQuestion(const QUrl& address, const QString& program);

}  // namespace units::webbrowser
