#pragma once
// A thin line across the top of the page's visible part that shows a load going on, from a
// moment into the load until it ends. It lies over the page without moving it.
#include <QWidget>

class QTimer;

namespace units::web {

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

// A one-line note across the top of the page's visible part, such as a download that was refused.
// It goes by itself after a few seconds.
class StripNote : public QWidget {
 public:
  explicit StripNote(QWidget* parent);
  void Show(const QRect& visible, const QString& text);
  QString Text() const { return text_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  QTimer* hide_;
};

}  // namespace units::web
