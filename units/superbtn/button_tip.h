#pragma once
// The tooltip of a super button: plain text, wrapped at 400 pixels.
#include <QLabel>

namespace units {

class ButtonTip : public QLabel {
 public:
  static constexpr int kMaxWidth = 400;

  explicit ButtonTip(QWidget* owner);
  // Shows `text` with its top-left corner near `globalPos`.
  void ShowText(const QString& text, QPoint globalPos);
};

}  // namespace units
