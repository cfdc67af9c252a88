#pragma once
// A one-line note across the top of the page's visible part, such as a download that was refused.
// It goes by itself after a few seconds.
#include <QWidget>

class QTimer;

namespace units::webbrowser {

class StripNote : public QWidget {
 public:
  explicit StripNote(QWidget* parent);
  void Show(const QRect& visible, const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  QTimer* hide_;
};

}  // namespace units::webbrowser
