#pragma once
// A window a page opened for a click. It stands over the tool window whose page opened it, shows
// its address in its title, takes input only while that tool window does, closes when its own page
// asks, and goes with the box. It is no child of the tool window, so that it is never deleted
// inside one of its page's own calls.
#include <QWebEngineView>

namespace units::webbrowser {

class BrowserEvents;
class EnginePage;
class ViewInput;

class PopUpWindow : public QWebEngineView {
 public:
  // A window over `toolWindow`; `events` are the opening box's, asked whether its window takes
  // input and where outside addresses go.
  PopUpWindow(QWidget* toolWindow, BrowserEvents* events);

  EnginePage* Page() const { return page_; }
  // The box is gone: the window goes too, once its page is out of its own calls.
  void Release();

 private:
  ViewInput* input_;
  EnginePage* page_;
};

}  // namespace units::webbrowser
