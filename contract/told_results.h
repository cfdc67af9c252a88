#pragma once
// What a handler shows tells itself. A unit whose shown text a program writes (a result label)
// notes it here; when the event handler that wrote it returns, assistive technology hears every
// text the handler wrote, in the order written, as one notification, wherever the user is: a
// player who presses "计算" hears the results without moving to them.
class QWidget;

namespace units {

// Marks the run of one event handler: texts noted while it runs are told when it ends. Runs nest
// (a handler that opens a modal window runs the handlers of that window inside it); each tells
// what was noted while it was the innermost.
class HandlerRun {
 public:
  HandlerRun();
  ~HandlerRun();
  HandlerRun(const HandlerRun&) = delete;
  HandlerRun& operator=(const HandlerRun&) = delete;
};

// `widget` shows a text a program has just written; what it is told as is its accessible name.
// Outside a handler nothing is told.
void NoteWrittenText(QWidget* widget);

}  // namespace units
