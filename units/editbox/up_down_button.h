#pragma once
// The pair of arrows beside a single-line edit box. It lives among the box's siblings and is
// placed, shown, enabled and stacked by the box; pressing an arrow (and every repeat while it is
// held) hands the box +1 for up and -1 for down.
#include <QFrame>

#include <functional>

class QToolButton;

namespace units::editbox {

class UpDownButton final : public QFrame {
  Q_OBJECT

 public:
  static constexpr int kWidth = 18;

  UpDownButton(QWidget* parent, std::function<void(int delta)> onDelta);

  void SetEdge(bool staticEdge);

 private:
  QToolButton* MakeArrow(Qt::ArrowType arrow, int delta, const QString& name);

  std::function<void(int)> onDelta_;
};

}  // namespace units::editbox
