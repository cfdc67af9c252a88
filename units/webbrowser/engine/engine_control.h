#pragma once
// The browser control of the web browser box, built on the engine's view and page.
#include <QPointer>
#include <QWebEngineView>

#include <functional>
#include <memory>
#include <vector>

#include "units/webbrowser/browser_control.h"
#include "units/webbrowser/engine/engine_page.h"

namespace units::web {

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
  QString Url() const override { return waitingForBlank_ ? QString() : page_->url().toString(); }
  QString Title() const override { return waitingForBlank_ ? QString() : page_->title(); }
  QVariant Evaluate(const QString& script) override;
  void Run(const QString& script) override;

 private:
  void Connect();
  // Shows the note for an address that could not be loaded in place of the failed page.
  void ShowUnreachable(const QUrl& address);
  void ReportCommandStates();
  // What the page does is not the box's while it shows our own note or ends a closed box's page.
  bool Muted() const { return page_->showingOwnPage || waitingForBlank_; }
  // A navigation has committed `url`.
  void Committed(const QUrl& url);
  // The handed-on page is blank: what the box asked for meanwhile is done now, in order.
  void EndBlankWait();
  // A page handed on from a closed box forgets that box's pages once this box's first
  // navigation has committed, so that Back never leads there.
  void DropInheritedHistory();

  QPointer<QWebEngineView> view_;
  QPointer<EnginePage> page_;
  BrowserEvents* events_;
  ReadyState state_ = ReadyState::kUninitialized;
  bool canGoBack_ = false;
  bool canGoForward_ = false;
  bool inheritedHistory_ = false;
  bool waitingForBlank_ = false;
  std::vector<std::function<void()>> asked_;
  // Cleared when the control goes, so that a report which destroyed the box ends its work.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  // The receiver of the page's signals; destroying it ends every report.
  std::unique_ptr<QObject> context_;
};

}  // namespace units::web
