#pragma once
// What the web browser box asks of the browser engine, and what the engine tells the box back.
//
// The engine lives in a module of its own that the box loads on first use, so a program that
// never shows a web page never maps the engine. The two sides meet only through these abstract
// classes and one factory function looked up by name: no engine symbol is referenced by the
// program, and no program symbol by the module. Texts cross as QString (both sides use the same
// Qt libraries); the box converts to and from GBK.
#include <QByteArray>
#include <QString>
#include <QVariant>

#include <cstdint>

class QWidget;

namespace units::webbrowser {

// Load states of the page, numbered as the box reports them in ReadyState.
enum class ReadyState : int32_t { kUninitialized = 0, kLoading = 1, kLoaded = 2, kInteractive = 3, kComplete = 4 };

// Command ids of CommandStateChange.
constexpr int32_t kCommandForward = 1;
constexpr int32_t kCommandBack = 2;

// A navigation the page is about to make; `cancel` set by the box stops it.
struct NavigationRequest {
  QString url;
  int32_t flags = 0;
  QString frame;
  QByteArray headers;
  bool cancel = false;
};

class BrowserEvents {
 public:
  virtual void BeforeNavigate(NavigationRequest& request) = 0;
  // Answers true to refuse the new window.
  virtual bool NewWindow() = 0;
  virtual void NavigateComplete(const QString& url) = 0;
  virtual void DownloadBegin() = 0;
  virtual void ProgressChange(int32_t progress, int32_t maximum) = 0;
  virtual void DownloadComplete() = 0;
  virtual void DocumentComplete(const QString& url) = 0;
  virtual void StatusTextChange(const QString& text) = 0;
  virtual void TitleChange(const QString& title) = 0;
  virtual void CommandStateChange(int32_t command, bool enabled) = 0;
  // The page asks to move or resize its window.
  virtual void WindowGeometryRequest(int32_t left, int32_t top, int32_t width, int32_t height) = 0;
  // The page asks to close its window; answers true to keep it.
  virtual bool WindowClosing() = 0;

  // Whether the box's window takes the user's input now: false while a modal window blocks it.
  virtual bool TakesInput() = 0;
  // The name of the program the desktop would open `address` with; empty when it names none.
  virtual QString OutsideProgram(const QString& address) = 0;
  // Hands `address` to the desktop's program for it; true when it started.
  virtual bool OpenOutside(const QString& address) = 0;

 protected:
  ~BrowserEvents() = default;
};

class BrowserControl {
 public:
  virtual ~BrowserControl() = default;

  // The engine's view; the box places it.
  virtual QWidget* Widget() = 0;

  // `frame` empty: the whole page. `headers` are extra request lines ("Name: value", CR LF or LF
  // separated).
  virtual void Navigate(const QString& url, int32_t flags, const QString& frame, const QByteArray& headers) = 0;

  virtual void SetSilent(bool silent) = 0;
  virtual void SetOffline(bool offline) = 0;
  virtual void SetDropTarget(bool accept) = 0;
  virtual bool Silent() const = 0;
  virtual bool Offline() const = 0;
  virtual bool DropTarget() const = 0;

  virtual bool Busy() const = 0;
  virtual ReadyState State() const = 0;
  virtual QString Url() const = 0;
  virtual QString Title() const = 0;

  // Runs `script` in the page's document and waits for its value, at most a bounded time; an
  // invalid QVariant when there is no document or no answer came. The engine keeps running
  // while it waits, so the box may be gone when it returns.
  virtual QVariant Evaluate(const QString& script) = 0;
  // Runs `script` in the page's document without waiting; scripts run in the order given.
  virtual void Run(const QString& script) = 0;
};

// The module's first exported function: builds a control inside `parent` reporting to `events`,
// or answers null when `interfaceVersion` is not the module's or the engine cannot start.
using CreateBrowserControlFn = BrowserControl* (*)(QWidget* parent, BrowserEvents* events, int32_t interfaceVersion);
constexpr const char* kCreateBrowserControlName = "quarlex_create_browser_control";
// Its second: deletes the views of closed boxes that still wait for the event loop to delete
// them. Called when the program ends, before the engine is taken down.
using ReleaseBrowserModuleFn = void (*)();
constexpr const char* kReleaseBrowserModuleName = "quarlex_release_browser_module";
// Raised whenever these classes change, so a stale module is refused instead of misread.
constexpr int32_t kBrowserInterfaceVersion = 2;

}  // namespace units::webbrowser
