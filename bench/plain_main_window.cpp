#include "bench/plain_main_window.h"

#include <QGroupBox>
#include <QLabel>

namespace bench {

void FillPlainMainWindow(QWidget& window, QPushButton* buttons[4]) {
  window.setWindowTitle(QStringLiteral("Quarlex工具箱 v1.0"));
  window.resize(405, 350);
  const char* captions[] = {"仙玉物价计算器", "副本积分计算器", "开服表（需联网）", "科举答题器（需联网）"};
  const QPoint places[] = {{32, 24}, {216, 24}, {32, 96}, {215, 96}};
  for (int i = 0; i < 4; ++i) {
    buttons[i] = new QPushButton(QString::fromUtf8(captions[i]), &window);
    buttons[i]->setGeometry(QRect(places[i], QSize(152, 48)));
  }
  auto* group = new QGroupBox(QStringLiteral("作者说明"), &window);
  group->setGeometry(32, 160, 336, 100);
  auto* about = new QLabel(QStringLiteral("作者：云岚服「墨染流年」，论坛ID：mrln2017\n\n工具数据、图片、题库、"
                                          "开服信息均来自官方论坛。\n\n工具视情况后续更新!"),
                           group);
  about->setWordWrap(true);
  about->setGeometry(16, 24, 304, 64);
  auto* link = new QLabel(QStringLiteral("官方论坛：bbs.quarlex.example"), &window);
  link->setGeometry(98, 280, 190, 24);
}

}  // namespace bench
