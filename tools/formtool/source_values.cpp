#include "tools/formtool/source_values.h"

#include <QFile>
#include <QFileInfo>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <set>

#include "platform/gbk.h"

namespace formtool {

FileSource FilesIn(const QDir& baseDir) {
  return [baseDir](const QJsonValue& value, const Path& path) {
    if (!value.isString()) path.Fail("expected a file name");
    QFile file(baseDir.filePath(value.toString()));
    const QFileInfo info(file);
    if (info.exists() && !info.isFile()) path.Fail("not a file: " + file.fileName().toStdString());
    if (!file.open(QIODevice::ReadOnly)) path.Fail("cannot read " + file.fileName().toStdString());
    QByteArray bytes = file.readAll();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
  };
}

void CheckKeys(const QJsonObject& object, std::initializer_list<const char*> allowed, const Path& path) {
  std::set<QString> known;
  for (const char* key : allowed) known.insert(QString::fromLatin1(key));
  for (auto it = object.begin(); it != object.end(); ++it) {
    if (!known.contains(it.key())) path.Fail("unknown key \"" + it.key().toStdString() + "\"");
  }
}

QJsonObject AsObject(const QJsonValue& value, const Path& path) {
  if (!value.isObject()) path.Fail("expected an object");
  return value.toObject();
}

QJsonArray AsArray(const QJsonValue& value, const Path& path) {
  if (value.isUndefined()) return {};
  if (!value.isArray()) path.Fail("expected a list");
  return value.toArray();
}

int64_t AsInteger(const QJsonValue& value, const Path& path, int64_t absent, const char* fail) {
  if (value.isDouble()) {
    double d = value.toDouble();
    // Beyond 2^53 a JSON number no longer holds every integer exactly.
    if (d != std::floor(d) || std::fabs(d) > 9007199254740992.0) path.Fail(fail);
    return static_cast<int64_t>(d);
  }
  if (value.isString()) {
    const QString text = value.toString();
    const qsizetype sign = text.startsWith('-') || text.startsWith('+') ? 1 : 0;
    const QStringView digits = QStringView(text).mid(sign);
    const bool hex = digits.startsWith(u"0x", Qt::CaseInsensitive);
    if (!hex && digits.size() > 1 && digits.front() == u'0')
      path.Fail("\"" + text.toStdString() + "\" has a leading zero: write it without, or in hex after 0x");
    // Digits only: no spaces, and no base but 10 and 16.
    const QStringView body = hex ? digits.mid(2) : digits;
    if (body.isEmpty()) path.Fail(fail);
    for (QChar c : body) {
      const int ascii = c.unicode() <= 0x7F ? c.toLatin1() : 0;
      if (!(hex ? std::isxdigit(ascii) : std::isdigit(ascii))) path.Fail(fail);
    }
    bool ok = false;
    const int64_t n = text.toLongLong(&ok, hex ? 0 : 10);
    if (!ok) path.Fail(fail);
    return n;
  }
  if (!value.isUndefined()) path.Fail("expected a number");
  return absent;
}

uint32_t AsWord(const QJsonValue& value, const Path& path, int64_t absent) {
  constexpr const char* kFail = "expected a 32-bit integer";
  int64_t n = AsInteger(value, path, absent, kFail);
  if (n < -2147483648LL || n > 4294967295LL) path.Fail(kFail);
  return static_cast<uint32_t>(n);
}

int32_t AsInt(const QJsonValue& value, const Path& path, int64_t absent) {
  return static_cast<int32_t>(AsWord(value, path, absent));
}

std::string HexWord(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

bool IsNumeral(const QString& text) {
  const QStringView digits = QStringView(text).mid(text.startsWith('-') || text.startsWith('+') ? 1 : 0);
  return !digits.isEmpty() && digits.front().isDigit();
}

bool AsLogical(const QJsonValue& value, const Path& path) {
  if (value.isUndefined()) return false;
  if (!value.isBool()) path.Fail("expected true or false");
  return value.toBool();
}

std::string AsGbk(const QJsonValue& value, const Path& path) {
  if (value.isUndefined()) return {};
  if (!value.isString()) path.Fail("expected a text");
  std::string utf8 = value.toString().toStdString();
  std::string gbk = platform::Utf8ToGbk(utf8);
  if (platform::GbkToUtf8(gbk) != utf8) path.Fail("text holds a character that GBK cannot hold");
  return gbk;
}

std::string AsZText(const QJsonValue& value, const Path& path) {
  std::string text = AsGbk(value, path);
  if (text.find('\0') != std::string::npos) path.Fail("a zero-terminated text cannot hold a zero character");
  return text;
}

std::vector<uint8_t> AsHex(const QJsonValue& value, const Path& path) {
  if (!value.isString()) path.Fail("expected hex digits");
  QByteArray digits = value.toString().toLatin1();
  digits.replace(' ', "").replace('\n', "");
  for (char c : digits) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) path.Fail("expected hex digits");
  }
  if (digits.size() % 2 != 0) path.Fail("expected pairs of hex digits");
  QByteArray bytes = QByteArray::fromHex(digits);
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace formtool
