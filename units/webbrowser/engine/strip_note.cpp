#include "units/webbrowser/engine/strip_note.h"

#include <QPainter>
#include <QTimer>

namespace units::webbrowser {
namespace {

constexpr int kStripHeight = 24;
constexpr int kStripShownMs = 8000;
const QColor kStripColor(0xff, 0xf4, 0xce);
const QColor kStripEdge(0xd9, 0xb9, 0x4a);

}  // namespace

StripNote::StripNote(QWidget* parent) : QWidget(parent), hide_(new QTimer(this)) {
  setObjectName(QStringLiteral("strip note"));
  hide();
  hide_->setSingleShot(true);
  connect(hide_, &QTimer::timeout, this, &QWidget::hide);
}

void StripNote::Show(const QRect& visible, const QString& text) {
  text_ = text;
  setAccessibleName(text);
  setGeometry(visible.left(), visible.top(), visible.width(), kStripHeight);
  raise();
  show();
  update();
  hide_->start(kStripShownMs);
}

void StripNote::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), kStripColor);
  painter.setPen(kStripEdge);
  painter.drawLine(0, height() - 1, width(), height() - 1);
  painter.setPen(Qt::black);
  painter.drawText(rect().adjusted(8, 0, -8, -1), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text_);
}

}  // namespace units::webbrowser
