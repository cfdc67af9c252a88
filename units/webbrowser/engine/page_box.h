#pragma once
// The boxes a page brings up over its window: its own messages (alert, confirm, prompt) and the
// question before an address goes to an outside program. A box stands over its own window only,
// never over the whole program, and names the page's host, so a page cannot pass its box off as
// one of the program's. Esc and the window's close request close the window even while a box is
// up: a page that shows box after box cannot hold the user.
#include <QString>

class QWidget;

namespace units::webbrowser {

class ViewInput;

struct PageBoxRequest {
  enum Kind { kAlert, kConfirm, kPrompt, kOutsideProgram };
  Kind kind = kAlert;
  QString host;     // the page's host, named in the caption
  QString message;  // shown as plain text
  QString value;    // the prompt's starting text
  // The page has shown a box before: offer to show none of its boxes again.
  bool offerSilence = false;
};

struct PageBoxAnswer {
  bool accepted = false;
  QString value;             // what the prompt holds
  bool silence = false;      // the user chose to see no more of the page's boxes
  bool closeWindow = false;  // the user asked the window to close meanwhile
};

// Shows the box over `window` and waits for the user's answer; the page's view takes no input
// meanwhile. The box goes with the window, as if cancelled.
PageBoxAnswer RunPageBox(QWidget* window, ViewInput* input, const PageBoxRequest& request);

}  // namespace units::webbrowser
