#pragma once
// Texts placed into scripts that run in a page: always as quoted, escaped string literals, so a
// text from a program or a page can never become code.
#include <QJsonArray>
#include <QJsonDocument>
#include <QString>

namespace units::webbrowser {

inline QString ScriptString(const QString& text) {
  const QString array = QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact));
  return array.mid(1, array.size() - 2);  // the literal inside [ ]
}

}  // namespace units::webbrowser
