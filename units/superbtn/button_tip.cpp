#include "units/superbtn/button_tip.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace units {

ButtonTip::ButtonTip(QWidget* owner) : QLabel(owner, Qt::ToolTip | Qt::BypassGraphicsProxyWidget) {
  setObjectName(QStringLiteral("superbtn-tip"));
  setTextFormat(Qt::PlainText);
  setWordWrap(true);
  setMargin(2);
  setMaximumWidth(kMaxWidth);
  setForegroundRole(QPalette::ToolTipText);
  setBackgroundRole(QPalette::ToolTipBase);
  setAutoFillBackground(true);
  setFrameStyle(QFrame::Box | QFrame::Plain);
}

void ButtonTip::ShowText(const QString& text, QPoint globalPos) {
  setText(text);
  // As wide as the longest line, up to the limit; as tall as the wrapped text then needs.
  const int chrome = 2 * (margin() + frameWidth());
  int natural = 0;
  for (const QString& line : text.split(QLatin1Char('\n')))
    natural = std::max(natural, fontMetrics().horizontalAdvance(line));
  const int width = std::min(kMaxWidth, natural + chrome + 1);
  resize(width, heightForWidth(width));
  QPoint at = globalPos + QPoint(2, 16);
  if (const QScreen* screen = QGuiApplication::screenAt(globalPos)) {
    const QRect area = screen->availableGeometry();
    at.setX(std::max(area.left(), std::min(at.x(), area.right() - width)));
    at.setY(std::max(area.top(), std::min(at.y(), area.bottom() - height())));
  }
  move(at);
  show();
}

}  // namespace units
