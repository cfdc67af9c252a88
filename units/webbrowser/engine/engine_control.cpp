#include "units/webbrowser/engine/engine_control.h"

#include <QEventLoop>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEngineHttpRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>

#include <functional>
#include <memory>
#include <vector>

#include "platform/chinese_texts.h"
#include "units/webbrowser/engine/spare_page.h"
#include "units/webbrowser/engine/unreachable_page.h"
#include "units/webbrowser/script_text.h"

namespace units::web {
namespace {

// The box answers property reads synchronously; a page that does not answer within this time
// reads as having no document.
constexpr int kEvaluateWaitMs = 3000;
// A page handed on from a closed box that has not gone blank by then is used as it is.
constexpr int kBlankWaitMs = 2000;
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

// The part of `view` its window shows: a box may overhang its window, whose client area crops
// it. Taken from the geometry, so it holds before the window is first shown.
QRect VisiblePart(QWidget* view) {
  QWidget* window = view->window();
  if (window == view) return view->rect();
  const QPoint offset = view->mapTo(window, QPoint(0, 0));
  const QRect visible = QRect(offset, view->size()).intersected(window->rect()).translated(-offset);
  return visible.isEmpty() ? view->rect() : visible;
}

}  // namespace

EngineControl::EngineControl(QWidget* parent, BrowserEvents* events)
    : view_(TakeSparePage(parent)), events_(events), context_(std::make_unique<QObject>()) {
  if (view_) {
    page_ = static_cast<EnginePage*>(view_->page());
    inheritedHistory_ = true;
    waitingForBlank_ = page_->blanking;
    if (waitingForBlank_) {
      // Owned by the control, so that it goes with the control.
      auto* wait = new QTimer(context_.get());
      wait->setSingleShot(true);
      QObject::connect(wait, &QTimer::timeout, context_.get(), [this] { EndBlankWait(); });
      wait->start(kBlankWaitMs);
    }
  } else {
    view_ = new QWebEngineView(parent);
    page_ = new EnginePage(view_);
    page_->profile()->setHttpAcceptLanguage(QLatin1String(platform::kPageLanguages));
  }
  page_->events = events;
  view_->setPage(page_);
  Connect();
}

EngineControl::~EngineControl() {
  *alive_ = false;
  context_.reset();  // no more reports
  if (page_) page_->events = nullptr;
  if (view_ && page_) ParkSparePage(view_, page_);
}

void EngineControl::Connect() {
  QObject* context = context_.get();
  QObject::connect(page_, &QWebEnginePage::loadStarted, context, [this] {
    if (Muted()) return;
    state_ = ReadyState::kLoading;
    events_->DownloadBegin();
  });
  QObject::connect(page_, &QWebEnginePage::loadProgress, context,
                   [this](int progress) {
                     if (!Muted()) events_->ProgressChange(progress, 100);
                   });
  QObject::connect(page_, &QWebEnginePage::urlChanged, context, [this](const QUrl& url) {
    if (!Muted()) Committed(url);
  });
  QObject::connect(page_, &QWebEnginePage::loadFinished, context, [this](bool ok) {
    if (Muted()) return;
    auto alive = alive_;
    // A handed-on page that was blank already changes no address when it loads the blank page.
    if (inheritedHistory_ && ok) {
      Committed(page_->url());
      if (!*alive) return;
    }
    state_ = ReadyState::kComplete;
    DropInheritedHistory();
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
    // A handed-on page has gone blank: what the box asked for meanwhile starts from the event
    // loop, not inside the engine's call.
    if (waitingForBlank_ && !page_->blanking) QTimer::singleShot(0, context_.get(), [this] { EndBlankWait(); });
    // The failed load, with the engine's own error page, has been reported as the box reports
    // every load; our note takes the place of that page once those reports are done.
    if (Muted() || !IsUnreachable(info)) return;
    const QUrl address = info.url();
    QTimer::singleShot(0, context_.get(), [this, address] { ShowUnreachable(address); });
  });
  QObject::connect(page_, &QWebEnginePage::geometryChangeRequested, context, [this](const QRect& r) {
    if (!Muted()) events_->WindowGeometryRequest(r.x(), r.y(), r.width(), r.height());
  });
  QObject::connect(page_, &QWebEnginePage::windowCloseRequested, context, [this] {
    if (Muted()) return;
    QPointer<QWidget> window = view_->window();
    if (events_->WindowClosing() || window.isNull()) return;
    // Closed from the event loop, not from inside the engine's own call.
    QTimer::singleShot(0, window, [window] { window->close(); });
  });
}

void EngineControl::ShowUnreachable(const QUrl& address) {
  // A navigation asked for since the failure has the page now.
  if (page_->url() != address || state_ != ReadyState::kComplete) return;
  page_->showingOwnPage = true;
  page_->setHtml(UnreachablePageHtml(address, VisiblePart(view_)), address);
}

void EngineControl::Committed(const QUrl& url) {
  auto alive = alive_;
  if (state_ == ReadyState::kLoading) state_ = ReadyState::kInteractive;
  DropInheritedHistory();
  events_->NavigateComplete(url.toString());
  if (*alive) ReportCommandStates();
}

void EngineControl::EndBlankWait() {
  if (!waitingForBlank_) return;
  waitingForBlank_ = false;
  auto alive = alive_;
  std::vector<std::function<void()>> asked;
  asked.swap(asked_);
  for (const std::function<void()>& call : asked) {
    call();
    if (!*alive) return;
  }
}

void EngineControl::DropInheritedHistory() {
  if (!inheritedHistory_) return;
  inheritedHistory_ = false;
  page_->history()->clear();  // all but the entry just committed
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

void EngineControl::Navigate(const QString& url, int32_t flags, const QString& frame, const QByteArray& headers) {
  if (waitingForBlank_) {
    asked_.push_back([this, url, flags, frame, headers] { Navigate(url, flags, frame, headers); });
    return;
  }
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
  if (waitingForBlank_) return {};  // no document of this box's yet
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

void EngineControl::Run(const QString& script) {
  if (waitingForBlank_) {
    asked_.push_back([this, script] { Run(script); });
    return;
  }
  page_->runJavaScript(script, QWebEngineScript::ApplicationWorld);
}

}  // namespace units::web
