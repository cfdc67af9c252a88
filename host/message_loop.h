#pragma once
// The host's message loop: the main loop, the nested loop of each modal window, idle processing
// while the queue is empty, and the quit request.
#include <QEvent>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <vector>

class QEventLoop;
class QWidget;

namespace runtime {

class MessageLoop : public QObject {
 public:
  MessageLoop();
  ~MessageLoop() override;

  // Runs until the quit request (main) or until the current modal window is gone (modal). A
  // modal loop also returns at a quit request, which then ends the loops around it too.
  void Run(bool modal);
  // Ends every running loop; loops started afterwards return at once.
  void RequestQuit();
  bool QuitRequested() const { return quitRequested_; }
  // Ends the innermost modal loop: its window is no longer the current modal window.
  void EndModalLoop();

  // Input arrived: idle processing starts again from count 0 once the queue is empty.
  void RestartIdle();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void IdleStep();
  bool Propagated(const QWidget* widget, const QEvent* event) const;

  std::vector<QEventLoop*> loops_;
  std::vector<bool> modal_;
  bool quitRequested_ = false;
  QTimer idleTimer_;
  int idleCount_ = 0;
  // The last event translated, to tell its passing on to the parents from a new one.
  struct Translated {
    QPointer<QWidget> target;
    QEvent::Type type = QEvent::None;
    const QEvent* event = nullptr;
    QPointF global;
  } lastTranslated_;
  std::vector<const QEvent*> inTranslation_;
};

// One step of idle processing: answers whether more idle work remains.
bool ProcessIdle(int count);

// Processes what is already waiting in the queue, stopping at a quit request.
void ProcessPendingMessages();

}  // namespace runtime
