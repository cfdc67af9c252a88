#pragma once
// Reading a form description's JSON text strictly: what a general JSON reader quietly settles is
// refused here with its place, since the form would not say what its writer meant. A key given
// twice in one object (a general reader keeps one of them), text that is not UTF-8 and an escaped
// lone surrogate (which would become "?") are errors naming the line and byte where they stand.
#include <QByteArray>
#include <QJsonValue>
#include <string>
#include <unordered_map>
#include <variant>

namespace formtool {

// The line (from 1) on which each object and list of a document opens, by its place as messages
// name it ("windows[2].units[7]"; the document itself is "").
using JsonLines = std::unordered_map<std::string, int>;

// The document's value, or a message saying where the text is wrong. With `lines`, also where
// each object and list stands.
std::variant<QJsonValue, std::string> ReadJsonText(const QByteArray& text, JsonLines* lines = nullptr);

}  // namespace formtool
