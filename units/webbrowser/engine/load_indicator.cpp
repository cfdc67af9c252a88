#include "units/webbrowser/engine/load_indicator.h"

#include <QPainter>
#include <algorithm>
#include <QTimer>

namespace units::web {
namespace {

constexpr int kLineHeight = 3;
constexpr int kStripHeight = 24;
constexpr int kStripShownMs = 8000;
const QColor kLineColor(0x1a, 0x5f, 0xb4);
const QColor kStripColor(0xff, 0xf4, 0xce);
const QColor kStripEdge(0xd9, 0xb9, 0x4a);

}  // namespace

LoadIndicator::LoadIndicator(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("load indicator"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  hide();
}

void LoadIndicator::Show(const QRect& visible, int percent) {
  percent_ = std::clamp(percent, 0, 100);
  setGeometry(visible.left(), visible.top(), visible.width(), kLineHeight);
  raise();
  show();
  update();
}

void LoadIndicator::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  // Never empty: a load that has shown no progress yet is still seen to go on.
  const int drawn = std::max(width() / 20, width() * percent_ / 100);
  painter.fillRect(0, 0, drawn, height(), kLineColor);
}

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

}  // namespace units::web
