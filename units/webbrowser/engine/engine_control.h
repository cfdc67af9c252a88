#pragma once
// The browser control of the web browser box, built on the engine's view and a page of its own:
// every box has a new page, so nothing of an earlier window (its storage, name, zoom, history or
// picture) reaches the next one.
#include <QPointer>
#include <QTimer>
#include <QWebEngineView>

#include <memory>
#include <vector>

#include "units/webbrowser/browser_control.h"
#include "units/webbrowser/engine/engine_page.h"
#include "units/webbrowser/engine/load_indicator.h"
#include "units/webbrowser/engine/strip_note.h"
#include "units/webbrowser/engine/pop_up_window.h"
#include "units/webbrowser/engine/view_input.h"

namespace units::webbrowser {

class EngineControl final : public BrowserControl {
 public:
  EngineControl(QWidget* parent, BrowserEvents* events);
  ~EngineControl() override;

  QWidget* Widget() override { return view_; }
  void Navigate(const QString& url, int32_t flags, const QString& frame, const QByteArray& headers) override;
  void SetSilent(bool silent) override { page_->silent = silent; }
  void SetOffline(bool offline) override { page_->interceptor->offline = offline; }
  void SetDropTarget(bool accept) override { view_->setAcceptDrops(accept); }
  bool Silent() const override { return page_->silent; }
  bool Offline() const override { return page_->interceptor->offline; }
  bool DropTarget() const override { return view_->acceptDrops(); }
  bool Busy() const override { return state_ == ReadyState::kLoading || state_ == ReadyState::kInteractive; }
  ReadyState State() const override { return state_; }
  QString Url() const override { return page_->url().toString(); }
  QString Title() const override { return page_->title(); }
  QVariant Evaluate(const QString& script) override;
  void Run(const QString& script) override;

 private:
  void Connect();
  // Shows our note in place of a page that could not be shown: `stopped` for a renderer that
  // died, else for an address that could not be reached.
  void ShowNote(const QUrl& address, bool stopped);
  // Reports the load of `address` as one that failed; false when the box went meanwhile.
  bool ReportFailedLoad(const QUrl& address);
  // The renderer showing the page died: reported as a failed load, then the note.
  void RendererGone();
  // A load that has had no answer for too long is given up.
  void Stalled();
  void LoadEnded();
  void ReportCommandStates();
  // What the page does is not the box's while it shows our own note.
  bool Muted() const { return page_->showingOwnPage; }
  // A navigation has committed `url`.
  void Committed(const QUrl& url);
  QWebEnginePage* OpenPopUp();
  void DownloadRefused(const QString& name);

  QPointer<QWebEngineView> view_;
  ViewInput* input_;
  QPointer<EnginePage> page_;
  BrowserEvents* events_;
  LoadIndicator* indicator_;
  StripNote* note_;
  std::vector<QPointer<PopUpWindow>> popUps_;
  ReadyState state_ = ReadyState::kUninitialized;
  int progress_ = 0;
  bool canGoBack_ = false;
  bool canGoForward_ = false;
  // Cleared when the control goes, so that a report which destroyed the box ends its work.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  // The receiver of the page's signals and the owner of the timers; destroying it ends every
  // report.
  std::unique_ptr<QObject> context_;
  QTimer* showIndicator_;
  QTimer* stall_;
};

}  // namespace units::webbrowser
