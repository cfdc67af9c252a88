#include "units/webbrowser/engine/outside_address.h"

#include <QStringList>

namespace units::webbrowser {
namespace {

bool OneOf(const QString& scheme, std::initializer_list<const char*> schemes) {
  for (const char* s : schemes)
    if (scheme == QLatin1String(s)) return true;
  return false;
}

}  // namespace

AddressKind KindOf(const QUrl& address) {
  const QString scheme = address.scheme().toLower();
  // The note for a page that could not be opened is loaded as data; the engine shows the rest.
  if (OneOf(scheme, {"http", "https", "about", "data", "blob", "javascript"})) return AddressKind::kShown;
  if (scheme.isEmpty() || OneOf(scheme, {"file", "filesystem", "qrc", "chrome", "chrome-error", "devtools",
                                         "view-source", "chrome-extension"}))
    return AddressKind::kRefused;
  // A local file may hide inside another scheme's address, for a program to open it.
  const QString whole = QUrl::fromPercentEncoding(address.toString(QUrl::FullyEncoded).toUtf8()).toLower();
  if (whole.contains(QLatin1String("file:"))) return AddressKind::kRefused;
  // So may a bare path: "scheme:/etc/passwd" names no host, only a file.
  if (address.host().isEmpty() && (address.path().startsWith(u'/') || address.path().startsWith(u'~')))
    return AddressKind::kRefused;
  return AddressKind::kOutside;
}

QString OutsideQuestion(const QUrl& address, const QString& program) {
  const QString name = program.isEmpty() ? QStringLiteral("系统为它设定的程序") : program;
  return QStringLiteral("此网页想用外部程序打开：%1\n\n将使用的程序：%2\n\n只在您信任此网页时才打开。")
      .arg(address.toString(), name);
}

}  // namespace units::webbrowser
