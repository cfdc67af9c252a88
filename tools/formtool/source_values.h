#pragma once
// Reading the values of a form description, each checked and refused with its place
// ("windows[1].units[3].tag: ...") instead of being cut or guessed.
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace formtool {

struct SourceError {
  std::string message;
};

// Where in the description a value sits, for messages such as "windows[1].units[3].tag".
class Path {
 public:
  explicit Path(std::string text) : text_(std::move(text)) {}
  Path Key(std::string_view key) const { return Path(text_.empty() ? std::string(key) : text_ + "." + std::string(key)); }
  Path Index(qsizetype i) const { return Path(text_ + "[" + std::to_string(i) + "]"); }
  [[noreturn]] void Fail(const std::string& what) const { throw SourceError{(text_.empty() ? "" : text_ + ": ") + what}; }

 private:
  std::string text_;
};

// The bytes of a file a description names, given the name's value and place.
using FileSource = std::function<std::vector<uint8_t>(const QJsonValue& name, const Path& path)>;

// Files relative to `baseDir`; only plain files, since a device or a pipe could be read forever.
FileSource FilesIn(const QDir& baseDir);

void CheckKeys(const QJsonObject& object, std::initializer_list<const char*> allowed, const Path& path);
QJsonObject AsObject(const QJsonValue& value, const Path& path);
// An absent list is empty.
QJsonArray AsArray(const QJsonValue& value, const Path& path);
// An integer from a number or a numeric string, at most 64 bits; `fail` names what was expected.
// A string is decimal or, after "0x", hex; a decimal with a leading zero ("010") is refused, since
// other tools read it as octal.
int64_t AsInteger(const QJsonValue& value, const Path& path, int64_t absent, const char* fail);
// A 32-bit word from a number or a numeric string; negatives are stored as two's complement.
uint32_t AsWord(const QJsonValue& value, const Path& path, int64_t absent = 0);
int32_t AsInt(const QJsonValue& value, const Path& path, int64_t absent = 0);
// A 32-bit word as formtool writes ids: "0x0000ABCD".
std::string HexWord(uint32_t value);
// Whether a string is written as a number (after an optional sign, a digit first) rather than
// as a name.
bool IsNumeral(const QString& text);
// true or false; absent is false. Anything else is refused rather than taken as false.
bool AsLogical(const QJsonValue& value, const Path& path);
// UTF-8 text as GBK; refuses characters GBK cannot hold instead of writing "?".
std::string AsGbk(const QJsonValue& value, const Path& path);
// The same, refusing a zero character too.
std::string AsZText(const QJsonValue& value, const Path& path);
std::vector<uint8_t> AsHex(const QJsonValue& value, const Path& path);

}  // namespace formtool
