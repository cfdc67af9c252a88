#include "units/webbrowser/engine/load_indicator.h"

#include <QPainter>
#include <algorithm>

namespace units::webbrowser {
namespace {

constexpr int kLineHeight = 3;
const QColor kLineColor(0x1a, 0x5f, 0xb4);

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

}  // namespace units::webbrowser
