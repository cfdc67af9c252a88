#pragma once
// The plain Qt programs' main window: a hand-written window of the toolbox main window's size
// and contents (405 x 350, four buttons, a group box with a note, a link line).
#include <QPushButton>
#include <QWidget>

namespace bench {

enum PlainButton { kPriceButton, kScoreButton, kScheduleButton, kAnswerButton };

// Fills `window` and answers its four buttons, in PlainButton order.
void FillPlainMainWindow(QWidget& window, QPushButton* buttons[4]);

}  // namespace bench
