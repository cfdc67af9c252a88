#pragma once
// One window of a form shown with the real runtime, rebuilt in place whenever the form or a file
// it names changes: at the same screen position, with the focus on the same unit when that unit
// is still there, and never taking the keyboard from another application. A save that does not
// compile or build leaves the last good window up, with what is wrong written across its top,
// until a save that builds. Ctrl+click on a unit says what and where in the form it is.
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "tools/formtool/event_log.h"
#include "tools/formtool/form_loading.h"
#include "tools/formtool/form_watch.h"
#include "tools/formtool/live_preview_inspector.h"
#include "tools/formtool/picture_check.h"
#include "tools/formtool/preview_host.h"

namespace formtool {

class LivePreview {
 public:
  struct Options {
    std::string form;       // a form source (.json) or template data
    uint32_t windowId = 0;  // 0: the form's first window
    bool watch = false;
    EventSink events;       // empty: no event log
    bool quiet = false;     // what is wrong with a save goes onto the window only
    EventSink inspections = {};  // what Ctrl+click on a unit says; empty: standard output
  };

  explicit LivePreview(Options options);
  ~LivePreview();
  LivePreview(const LivePreview&) = delete;
  LivePreview& operator=(const LivePreview&) = delete;

  // Builds and shows the window; false, with the message on stderr, when the form cannot be
  // read, does not compile, lacks the window or cannot build it.
  bool Open();
  // Reads the form again and rebuilds the window when it changed. What is wrong with the form
  // goes to stderr and onto the window; nothing that the form holds ends the preview.
  void Reload();

  uint32_t WindowId() const { return windowId_; }
  // The shown window; null once the user has closed it.
  QWidget* Window() const;
  // What keeps the last good window up, as printed; empty when the form as saved is shown.
  const std::string& Error() const { return error_; }
  // How often the window was rebuilt after it was first opened.
  int Rebuilds() const { return rebuilds_; }
  // How often the form was read again after it was first opened (every reading, whether it
  // rebuilt the window, found it unchanged, or is not yet believed).
  int Reads() const { return reads_; }
  // Called whenever the shown window is closed by the user (not when it is rebuilt).
  void OnClosed(std::function<void()> closed) { onClosed_ = std::move(closed); }

 private:
  // Starts the host on `host` and builds the window; the runtime's message when that fails.
  std::string Build(std::unique_ptr<PreviewHost> host);
  void StopHost();
  // The unit of the window that holds the focus, or would once the window is active; 0 for none
  // or the window itself.
  uint32_t FocusedUnit() const;
  // The entry of the shown window whose unit `widget` is or lies in; -1 for a widget elsewhere.
  int64_t UnitIndexOf(const QWidget* widget) const;
  // Says what the unit of `clicked` is and outlines it; false when it is not on the shown window.
  bool Inspect(QWidget* clicked);
  // Prints what is wrong and shows it on the window; an empty error clears what was shown.
  void Report(const std::string& error);
  // The first picture or icon of a form source that does not decode, as PictureCheck says it.
  std::string UnreadablePicture(const LoadedForm& form);

  Options options_;
  uint32_t windowId_ = 0;
  std::unique_ptr<PreviewHost> host_;
  QByteArray shownText_;  // the form source the shown window was built from
  std::unique_ptr<FormWatch> watch_;
  PictureCheck pictures_;
  QStringList files_;  // what the watch covers
  std::string error_;
  int rebuilds_ = 0;
  int reads_ = 0;
  bool rebuilding_ = false;
  CtrlClickCatcher inspector_{[this](QWidget* clicked) { return Inspect(clicked); }};
  std::function<void()> onClosed_;
};

// The strip across the top of a window that says why it is not the form as saved: a heading in
// Chinese, then the place and what is wrong as `formtool compile` reports it. Replaces the
// window's strip; an empty message removes it.
void ShowErrorStrip(QWidget* window, const QString& message);
// The strip's widget, null when the window shows none.
QWidget* ErrorStrip(const QWidget* window);

}  // namespace formtool
