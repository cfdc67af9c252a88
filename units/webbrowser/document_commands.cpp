#include "units/webbrowser/document_commands.h"

#include <QColor>
#include <QRegularExpression>

#include "platform/colors.h"
#include "units/webbrowser/script_text.h"

namespace units::webbrowser {
namespace {

QString Guarded(const QString& expression) {
  return QStringLiteral("(function(){try{return %1;}catch(e){return null;}})()").arg(expression);
}

bool IsNumber(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
      return true;
    default:
      return false;
  }
}

}  // namespace

QString QueryValueScript(const QString& command) {
  return Guarded(QStringLiteral("document.queryCommandValue(%1)").arg(ScriptString(command)));
}

QString QueryStateScript(const QString& command) {
  return Guarded(QStringLiteral("document.queryCommandState(%1)").arg(ScriptString(command)));
}

QString QueryEnabledScript(const QString& command) {
  return Guarded(QStringLiteral("document.queryCommandEnabled(%1)").arg(ScriptString(command)));
}

QString DesignModeScript() { return Guarded(QStringLiteral("document.designMode === 'on'")); }

QString SetDesignModeScript(bool on) {
  return Guarded(QStringLiteral("document.designMode = %1").arg(on ? QStringLiteral("'on'") : QStringLiteral("'off'")));
}

QString ContentTypeScript() { return Guarded(QStringLiteral("document.contentType")); }

QString ExecuteScript(const QString& command, const QString& argument) {
  return Guarded(
      QStringLiteral("document.execCommand(%1, false, %2)").arg(ScriptString(command), ScriptString(argument)));
}

bool AsLogical(const QVariant& answer) { return answer.typeId() == QMetaType::Bool && answer.toBool(); }

int32_t AsInteger(const QVariant& answer) {
  if (IsNumber(answer)) {
    const double v = answer.toDouble();
    return v == static_cast<int32_t>(v) ? static_cast<int32_t>(v) : 0;
  }
  if (answer.typeId() == QMetaType::QString) {
    bool ok = false;
    const int32_t v = answer.toString().trimmed().toInt(&ok);
    return ok ? v : 0;
  }
  return 0;
}

int32_t AsColor(const QVariant& answer) {
  if (IsNumber(answer)) return AsInteger(answer);
  if (answer.typeId() != QMetaType::QString) return 0;
  const QString text = answer.toString().trimmed();
  QColor color;
  static const QRegularExpression rgb(
      QStringLiteral(R"(^rgba?\(\s*(\d{1,3})\s*,\s*(\d{1,3})\s*,\s*(\d{1,3})\s*(?:,[^)]*)?\)$)"));
  if (const QRegularExpressionMatch m = rgb.match(text); m.hasMatch()) {
    const int r = m.captured(1).toInt(), g = m.captured(2).toInt(), b = m.captured(3).toInt();
    if (r > 255 || g > 255 || b > 255) return 0;
    color = QColor(r, g, b);
  } else {
    color = QColor::fromString(text);
    if (!color.isValid()) return 0;
  }
  return static_cast<int32_t>(platform::ToColorRef(color));
}

QString AsFontName(const QVariant& answer) {
  if (answer.typeId() != QMetaType::QString) return {};
  QString name = answer.toString().trimmed();
  if (name.size() >= 2 && (name.front() == u'"' || name.front() == u'\'') && name.back() == name.front() &&
      name.indexOf(name.front(), 1) == name.size() - 1)
    name = name.mid(1, name.size() - 2);
  return name;
}

QString ColorText(uint32_t color) {
  return platform::FromColorRef(color).name();
}

}  // namespace units::webbrowser
