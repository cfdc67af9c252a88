#include "units/webbrowser/engine/engine_control.h"

#include <QEventLoop>
#include <QWebEngineHistory>
#include <QWebEngineHttpRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineScript>

#include <functional>
#include <memory>

#include "units/webbrowser/engine/unreachable_page.h"
#include "units/webbrowser/script_text.h"
#include "units/webbrowser/visible_part.h"

namespace units::webbrowser {
namespace {

// The box answers property reads synchronously; a page that does not answer within this time
// reads as having no document.
constexpr int kEvaluateWaitMs = 3000;
// A load shorter than this shows no sign of loading: the sign would only flicker.
constexpr int kIndicatorAfterMs = 1000;
// A load that has made no progress for this long has no answer coming.
constexpr int kStallMs = 30000;
// Navigation flag: do not take the page from the cache.
constexpr int32_t kNoReadFromCache = 0x4;

// "Name: value" lines, separated by CR LF or LF; lines without a name are skipped.
void AddHeaders(QWebEngineHttpRequest& request, const QByteArray& headers) {
  for (QByteArray line : headers.split('\n')) {
    line = line.trimmed();
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0) continue;
    request.setHeader(line.left(colon).trimmed(), line.mid(colon + 1).trimmed());
  }
}

QTimer* SingleShot(QObject* owner, int milliseconds, std::function<void()> call) {
  auto* timer = new QTimer(owner);
  timer->setSingleShot(true);
  timer->setInterval(milliseconds);
  QObject::connect(timer, &QTimer::timeout, owner, std::move(call));
  return timer;
}

}  // namespace

EngineControl::EngineControl(QWidget* parent, BrowserEvents* events)
    : view_(new QWebEngineView(parent)),
      input_(new ViewInput(view_)),
      page_(new EnginePage(view_, input_)),
      events_(events),
      indicator_(new LoadIndicator(parent)),
      note_(new StripNote(parent)),
      context_(std::make_unique<QObject>()) {
  input_->takesInput = [events] { return events->TakesInput(); };
  page_->events = events;
  page_->openPopUp = [this] { return OpenPopUp(); };
  page_->downloadRefused = [this](const QString& name) { DownloadRefused(name); };
  view_->setPage(page_);
  showIndicator_ = SingleShot(context_.get(), kIndicatorAfterMs, [this] {
    if (Busy()) indicator_->Show(VisiblePart(view_), progress_);
  });
  stall_ = SingleShot(context_.get(), kStallMs, [this] { Stalled(); });
  Connect();
}

EngineControl::~EngineControl() {
  *alive_ = false;
  context_.reset();  // no more reports
  input_->takesInput = [] { return false; };
  for (const QPointer<PopUpWindow>& popUp : popUps_)
    if (popUp) popUp->Release();
  if (view_) {
    // It leaves the window now; the page goes from the event loop, never inside its own call.
    view_->hide();
    view_->setParent(nullptr);
  }
  if (page_) page_->ReleaseView();
}

void EngineControl::Connect() {
  QObject* context = context_.get();
  QObject::connect(page_, &QWebEnginePage::loadStarted, context, [this] {
    if (Muted()) return;
    state_ = ReadyState::kLoading;
    progress_ = 0;
    showIndicator_->start();
    stall_->start();
    events_->DownloadBegin();
  });
  QObject::connect(page_, &QWebEnginePage::loadProgress, context, [this](int progress) {
    if (Muted()) return;
    if (progress != progress_ && Busy()) stall_->start();  // an answer is coming
    progress_ = progress;
    if (indicator_->isVisible()) indicator_->Show(VisiblePart(view_), progress);
    events_->ProgressChange(progress, 100);
  });
  QObject::connect(page_, &QWebEnginePage::urlChanged, context, [this](const QUrl& url) {
    if (!Muted()) Committed(url);
  });
  QObject::connect(page_, &QWebEnginePage::loadFinished, context, [this](bool /*ok*/) {
    if (Muted()) return;
    LoadEnded();
    auto alive = alive_;
    state_ = ReadyState::kComplete;
    events_->DownloadComplete();
    if (*alive) ReportCommandStates();
    if (*alive) events_->DocumentComplete(page_->url().toString());
  });
  QObject::connect(page_, &QWebEnginePage::linkHovered, context, [this](const QString& url) {
    if (!Muted()) events_->StatusTextChange(url);
  });
  QObject::connect(page_, &QWebEnginePage::titleChanged, context, [this](const QString& title) {
    if (!Muted()) events_->TitleChange(title);
  });
  QObject::connect(page_, &QWebEnginePage::loadingChanged, context, [this](const QWebEngineLoadingInfo& info) {
    // The failed load, with the engine's own error page, has been reported as the box reports
    // every load; our note takes the place of that page once those reports are done.
    if (Muted() || !IsUnreachable(info)) return;
    const QUrl address = info.url();
    QTimer::singleShot(0, context_.get(), [this, address] {
      // A navigation asked for since the failure has the page now.
      if (page_->url() == address && state_ == ReadyState::kComplete) ShowNote(address, false);
    });
  });
  QObject::connect(page_, &QWebEnginePage::renderProcessTerminated, context,
                   [this](QWebEnginePage::RenderProcessTerminationStatus status, int /*exitCode*/) {
                     if (status == QWebEnginePage::NormalTerminationStatus) return;
                     QTimer::singleShot(0, context_.get(), [this] { RendererGone(); });
                   });
  QObject::connect(page_, &QWebEnginePage::geometryChangeRequested, context, [this](const QRect& r) {
    if (!Muted()) events_->WindowGeometryRequest(r.x(), r.y(), r.width(), r.height());
  });
  // The page did not open the tool window, so it may not close it: the request is reported, and
  // that is all, whatever the handler answers.
  QObject::connect(page_, &QWebEnginePage::windowCloseRequested, context, [this] {
    if (!Muted()) events_->WindowClosing();
  });
}

void EngineControl::LoadEnded() {
  showIndicator_->stop();
  stall_->stop();
  indicator_->hide();
}

void EngineControl::ShowNote(const QUrl& address, bool stopped) {
  LoadEnded();
  page_->showingOwnPage = true;
  const QRect visible = VisiblePart(view_);
  page_->setHtml(stopped ? StoppedPageHtml(address, visible) : UnreachablePageHtml(address, visible), address);
}

bool EngineControl::ReportFailedLoad(const QUrl& address) {
  auto alive = alive_;
  LoadEnded();
  state_ = ReadyState::kComplete;
  events_->DownloadComplete();
  if (*alive) events_->DocumentComplete(address.toString());
  return *alive;
}

void EngineControl::RendererGone() {
  QUrl address = page_->url();
  if (address.isEmpty() || address == QUrl(QStringLiteral("about:blank"))) address = page_->requestedUrl();
  if (!Muted() && !ReportFailedLoad(address)) return;
  ShowNote(address, true);
}

void EngineControl::Stalled() {
  if (!Busy() || Muted()) return;
  const QUrl address = page_->requestedUrl();
  if (ReportFailedLoad(address)) ShowNote(address, false);  // the new load ends the one that hangs
}

void EngineControl::Committed(const QUrl& url) {
  auto alive = alive_;
  if (state_ == ReadyState::kLoading) state_ = ReadyState::kInteractive;
  events_->NavigateComplete(url.toString());
  if (*alive) ReportCommandStates();
}

void EngineControl::ReportCommandStates() {
  auto alive = alive_;
  const bool back = page_->history()->canGoBack();
  const bool forward = page_->history()->canGoForward();
  if (forward != canGoForward_) {
    canGoForward_ = forward;
    events_->CommandStateChange(kCommandForward, forward);
    if (!*alive) return;
  }
  if (back != canGoBack_) {
    canGoBack_ = back;
    events_->CommandStateChange(kCommandBack, back);
  }
}

QWebEnginePage* EngineControl::OpenPopUp() {
  std::erase_if(popUps_, [](const QPointer<PopUpWindow>& p) { return p.isNull(); });
  auto* popUp = new PopUpWindow(view_->window(), events_);
  popUp->Page()->downloadRefused = [this](const QString& name) { DownloadRefused(name); };
  popUps_.emplace_back(popUp);
  popUp->show();
  return popUp->Page();
}

void EngineControl::DownloadRefused(const QString& name) {
  note_->Show(VisiblePart(view_), QStringLiteral("此网页想下载文件 %1，已阻止").arg(name));
}

void EngineControl::Navigate(const QString& url, int32_t flags, const QString& frame, const QByteArray& headers) {
  const QUrl target = QUrl::fromUserInput(url);
  if (!frame.isEmpty()) {
    // A named frame of the page, or else a new window of that name (offered to the box first).
    page_->runJavaScript(
        QStringLiteral("window.open(%1, %2);").arg(ScriptString(target.toString()), ScriptString(frame)),
        QWebEngineScript::ApplicationWorld);
    return;
  }
  QWebEngineHttpRequest request(target);
  AddHeaders(request, headers);
  if ((flags & kNoReadFromCache) != 0) request.setHeader("Cache-Control", "no-cache");
  page_->showingOwnPage = false;
  NavigationRequest expected;
  expected.url = target.toString();
  expected.flags = flags;
  expected.headers = headers;
  page_->ExpectNavigation(expected);
  page_->load(request);
}

QVariant EngineControl::Evaluate(const QString& script) {
  struct Answer {
    bool done = false;
    QVariant value;
  };
  auto answer = std::make_shared<Answer>();
  QEventLoop loop;
  QPointer<QEventLoop> waiting(&loop);
  page_->runJavaScript(script, QWebEngineScript::ApplicationWorld, [answer, waiting](const QVariant& value) {
    answer->done = true;
    answer->value = value;
    if (waiting) waiting->quit();
  });
  if (!answer->done) {
    QTimer::singleShot(kEvaluateWaitMs, &loop, &QEventLoop::quit);
    QObject::connect(page_, &QObject::destroyed, &loop, &QEventLoop::quit);
    QObject::connect(context_.get(), &QObject::destroyed, &loop, &QEventLoop::quit);  // the box went
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  }
  return answer->value;
}

void EngineControl::Run(const QString& script) { page_->runJavaScript(script, QWebEngineScript::ApplicationWorld); }

}  // namespace units::webbrowser
