#pragma once
// Reading a form description's JSON text strictly: what a general JSON reader quietly settles is
// refused here with its place, since the form would not say what its writer meant. A key given
// twice in one object (a general reader keeps one of them), text that is not UTF-8 and an escaped
// lone surrogate (which would become "?") are errors naming the line and byte where they stand.
#include <QByteArray>
#include <QJsonValue>
#include <string>
#include <variant>

namespace formtool {

// The document's value, or a message saying where the text is wrong.
std::variant<QJsonValue, std::string> ReadJsonText(const QByteArray& text);

}  // namespace formtool
