#include "platform/open_address.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <QUrl>

#include <utility>

namespace platform {
namespace {

AddressOpening& Current() {
  static AddressOpening opening = DesktopAddressOpening();
  return opening;
}

const QStringList& Placeholders() {
  static const QStringList placeholders{QStringLiteral("%u"), QStringLiteral("%U"), QStringLiteral("%f"),
                                        QStringLiteral("%F"), QStringLiteral("%1")};
  return placeholders;
}

// The earliest position in `command` of any placeholder, optionally only of one wrapped in
// double quotes; -1 when there is none.
qsizetype FirstPlaceholder(const QString& command, bool quoted) {
  qsizetype first = -1;
  for (const QString& placeholder : Placeholders()) {
    for (qsizetype at = command.indexOf(placeholder); at >= 0; at = command.indexOf(placeholder, at + 1)) {
      const bool wrapped = at > 0 && command[at - 1] == u'"' && at + 2 < command.size() && command[at + 2] == u'"';
      if (quoted && !wrapped) continue;
      if (first < 0 || at < first) first = at;
      break;
    }
  }
  return first;
}

// Splits a command line as a desktop entry's command line is split: spaces separate arguments,
// double quotes group them, and inside quotes a backslash keeps the next character. Field codes
// left in the line ("%i", "%c" ...) stand for nothing here and are dropped; "%%" is a percent sign.
QStringList SplitCommand(const QString& command) {
  QStringList arguments;
  QString current;
  bool inArgument = false, inQuotes = false;
  for (qsizetype i = 0; i < command.size(); ++i) {
    const QChar c = command[i];
    if (inQuotes) {
      if (c == u'\\' && i + 1 < command.size()) {
        current += command[++i];
      } else if (c == u'"') {
        inQuotes = false;
      } else {
        current += c;
      }
    } else if (c == u' ' || c == u'\t') {
      if (inArgument) arguments.append(std::exchange(current, {}));
      inArgument = false;
    } else {
      inArgument = true;
      if (c == u'"') inQuotes = true;
      else current += c;
    }
  }
  if (inArgument) arguments.append(current);

  QStringList kept;
  for (QString& argument : arguments) {
    if (argument.size() == 2 && argument[0] == u'%' && argument[1].isLetter()) continue;
    kept.append(argument.replace(QStringLiteral("%%"), QStringLiteral("%")));
  }
  return kept;
}

// The value of a desktop-entry file line with its escapes (\s \n \t \r \\) resolved.
QString Unescape(const QString& value) {
  QString out;
  for (qsizetype i = 0; i < value.size(); ++i) {
    if (value[i] != u'\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    const QChar next = value[++i];
    if (next == u's') out += u' ';
    else if (next == u'n') out += u'\n';
    else if (next == u't') out += u'\t';
    else if (next == u'r') out += u'\r';
    else out += next;
  }
  return out;
}

// The value of `key` in group `group` of a key file, or nothing.
std::optional<QString> KeyFileValue(const QString& path, const QString& group, const QString& key) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return std::nullopt;
  QTextStream in(&file);
  bool inGroup = false;
  const QString header = u'[' + group + u']';
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.startsWith(u'[')) {
      inGroup = line == header;
      continue;
    }
    if (!inGroup) continue;
    const qsizetype equals = line.indexOf(u'=');
    if (equals > 0 && line.left(equals).trimmed() == key) return Unescape(line.mid(equals + 1).trimmed());
  }
  return std::nullopt;
}

// $NAME split at colons, or the default when it is unset or empty.
QStringList PathList(const char* name, const QString& fallback) {
  QString value = qEnvironmentVariable(name);
  if (value.isEmpty()) value = fallback;
  QStringList list;
  for (const QString& path : value.split(u':'))
    if (!path.isEmpty()) list.append(path);
  return list;
}

// The value of `key` in the desktop entry of the default program for the first of `types` that
// has one, per the XDG "mimeapps.list" files and application folders.
std::optional<QString> DefaultEntryValue(const QStringList& types, const QString& key) {
  const QString home = QDir::homePath();
  const QStringList configDirs = PathList("XDG_CONFIG_HOME", home + QStringLiteral("/.config")) +
                                 PathList("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
  QStringList applicationDirs;
  for (const QString& dir : PathList("XDG_DATA_HOME", home + QStringLiteral("/.local/share")) +
                                PathList("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share")))
    applicationDirs.append(dir + QStringLiteral("/applications"));

  QStringList lists;
  for (const QString& dir : configDirs + applicationDirs) lists.append(dir + QStringLiteral("/mimeapps.list"));
  for (const QString& dir : applicationDirs) lists.append(dir + QStringLiteral("/defaults.list"));

  for (const QString& type : types) {
    for (const QString& list : lists) {
      const std::optional<QString> ids = KeyFileValue(list, QStringLiteral("Default Applications"), type);
      if (!ids) continue;
      for (const QString& id : ids->split(u';', Qt::SkipEmptyParts)) {
        for (const QString& dir : applicationDirs) {
          std::optional<QString> value = KeyFileValue(dir + u'/' + id.trimmed(), QStringLiteral("Desktop Entry"), key);
          if (value && !value->trimmed().isEmpty()) return value;
        }
      }
    }
  }
  return std::nullopt;
}

std::optional<QString> DesktopEntryCommand() {
  return DefaultEntryValue({QStringLiteral("x-scheme-handler/http"), QStringLiteral("x-scheme-handler/https"),
                            QStringLiteral("text/html")},
                           QStringLiteral("Exec"));
}

}  // namespace

AddressOpening DesktopAddressOpening() {
  return {
      [](const QString& address) { return QDesktopServices::openUrl(QUrl(address.trimmed())); },
      [] { return RegisteredBrowserCommand(); },
      [](const QString& program, const QStringList& arguments) { return QProcess::startDetached(program, arguments); },
  };
}

AddressOpening SetAddressOpening(AddressOpening opening) { return std::exchange(Current(), std::move(opening)); }

QString CutAtPlaceholder(const QString& command) {
  qsizetype at = FirstPlaceholder(command, true);
  if (at >= 0) return command.left(at - 1);
  at = FirstPlaceholder(command, false);
  return at >= 0 ? command.left(at) : command;
}

QStringList BrowserArguments(const QString& command, const QString& address) {
  QStringList arguments = SplitCommand(CutAtPlaceholder(command));
  if (arguments.isEmpty()) return {};
  arguments.append(address);
  return arguments;
}

std::optional<QString> RegisteredBrowserCommand() {
  if (std::optional<QString> command = DesktopEntryCommand()) return command;
  for (const QString& command : qEnvironmentVariable("BROWSER").split(u':'))
    if (!command.trimmed().isEmpty()) return command;
  return std::nullopt;
}

QString DesktopHandlerName(const QString& address) {
  const QString scheme = QUrl(address).scheme().toLower();
  if (scheme.isEmpty()) return {};
  const QStringList types{QStringLiteral("x-scheme-handler/") + scheme};
  if (std::optional<QString> name = DefaultEntryValue(types, QStringLiteral("Name[zh_CN]"))) return *name;
  return DefaultEntryValue(types, QStringLiteral("Name")).value_or(QString());
}

bool OpenWithDesktopHandler(const QString& address) {
  const AddressOpening opening = Current();
  return !address.isEmpty() && opening.openWithDesktop && opening.openWithDesktop(address);
}

bool OpenAddress(const QString& address) {
  if (address.isEmpty()) return false;
  // A copy: a way out may replace the ways while it runs.
  const AddressOpening opening = Current();
  if (opening.openWithDesktop && opening.openWithDesktop(address)) return true;
  if (!opening.browserCommand || !opening.launch) return false;
  const std::optional<QString> command = opening.browserCommand();
  if (!command) return false;
  QStringList arguments = BrowserArguments(*command, address);
  if (arguments.isEmpty()) return false;
  const QString program = arguments.takeFirst();
  return opening.launch(program, arguments);
}

}  // namespace platform
