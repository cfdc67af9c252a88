#pragma once
// The user's input to a view and to everything inside it. It remembers the user's last click, so
// that what a page may do only after a click (open a window, hand an address to an outside
// program) is checked against a real click in that view, once per click; and it holds the input
// back while the view must not take it (its window blocked by a modal window, a box of the page
// up).
#include <QElapsedTimer>
#include <QObject>

#include <functional>

class QWidget;

namespace units::webbrowser {

class ViewInput : public QObject {
 public:
  // Watches `root` and every widget that comes into it later; owned by `root`.
  explicit ViewInput(QWidget* root);

  // Input goes through only while this answers true; unset lets it through.
  std::function<bool()> takesInput;
  // Set while a box of the page is up: the page takes nothing meanwhile.
  bool held = false;

  // Whether the user clicked, or pressed Enter or Space, in the view a moment ago. A true answer
  // uses the click up: one click allows one thing.
  bool TakeClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Watch(QObject* object);

  QElapsedTimer lastClick_;
};

}  // namespace units::webbrowser
