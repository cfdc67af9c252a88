#pragma once
// A thin line across the top of the page's visible part that shows a load going on, from a
// moment into the load until it ends. It lies over the page without moving it.
#include <QWidget>

namespace units::webbrowser {

class LoadIndicator : public QWidget {
 public:
  explicit LoadIndicator(QWidget* parent);
  // The line over the top of `visible` (in the parent's coordinates), `percent` of it drawn.
  void Show(const QRect& visible, int percent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int percent_ = 0;
};

}  // namespace units::webbrowser
