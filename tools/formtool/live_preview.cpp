#include "tools/formtool/live_preview.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QRegularExpression>

#include <cstdio>

#include "platform/font_record.h"
#include "platform/text.h"
#include "host/host.h"
#include "host/window_access.h"
#include "tools/formtool/form_loading.h"
#include "tools/formtool/live_preview_place.h"
#include "contract/unit.h"

namespace formtool {
namespace {

constexpr const char* kStripName = "formtool_error_strip";

// What the runtime reported while the window was being built (a unit type that refused to
// create its unit): the preview reports it and goes on. Any other report is printed, and an
// error the runtime cannot go on from then ends the process.
bool gBuilding = false;
std::string gBuildMessage;

int32_t RuntimeMessage(int32_t, int32_t code, const char* message) {
  const std::string text = platform::FromGbk(runtime::RuntimeErrorText(code, message != nullptr ? message : "")).toStdString();
  if (gBuilding) {
    gBuildMessage = message != nullptr && *message != 0 ? platform::FromGbk(message).toStdString() : text;
  } else {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
  }
  return 1;
}

// "FORM: windows[0].units[1].top: what" as the strip shows it: the heading, the place, and what
// is wrong in the words `formtool compile` uses.
QString StripText(const std::string& form, const std::string& error) {
  QString rest = QString::fromStdString(error);
  const QString prefix = QString::fromStdString(form) + QStringLiteral(": ");
  QString place = QFileInfo(QString::fromStdString(form)).fileName();
  if (rest.startsWith(prefix)) {
    rest = rest.mid(prefix.size());
    static const QRegularExpression kPath(QStringLiteral(R"(^(windows\[\d+\][^\s:]*): )"));
    if (const QRegularExpressionMatch match = kPath.match(rest); match.hasMatch()) {
      place += QStringLiteral("，") + match.captured(1);
      rest = rest.mid(match.capturedLength());
    }
  }
  return QStringLiteral("表单有错，显示的仍是上次正确的窗口\n位置：") + place + QStringLiteral("\n") + rest;
}

// Gives a unit of a rebuilt window the focus, also when the window is activated later (the
// desktop's activation of a window shown without activating). The window, when it is activated,
// hands the focus to its first unit: the unit gets it again after that, unless the user has
// clicked or typed in the window meanwhile (the click that activated it).
class FocusKeeper : public QObject {
 public:
  FocusKeeper(QWidget* window, QWidget* unit) : QObject(window), window_(window), unit_(unit) {
    unit->setFocus(Qt::OtherFocusReason);
    if (window->isActiveWindow()) {
      deleteLater();
      return;
    }
    QCoreApplication::instance()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowActivate && watched == window_) {
      QMetaObject::invokeMethod(this, [this] {
        if (unit_ && !userChose_) unit_->setFocus(Qt::ActiveWindowFocusReason);
        deleteLater();
      }, Qt::QueuedConnection);
    } else if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress) &&
               watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == window_) {
      userChose_ = true;
    }
    return false;
  }

 private:
  QWidget* window_;
  QPointer<QWidget> unit_;
  bool userChose_ = false;
};

std::string NoWindow(const std::string& form, uint32_t windowId) {
  char id[16];
  std::snprintf(id, sizeof id, "0x%08X", windowId);
  return form + ": no window " + id + " in the form";
}

}  // namespace

void ShowErrorStrip(QWidget* window, const QString& message) {
  if (window == nullptr) return;
  delete ErrorStrip(window);
  if (message.isEmpty()) return;
  // The heading in bold, the lines after it as they are.
  QStringList lines = message.split(QLatin1Char('\n'));
  for (QString& line : lines) line = line.toHtmlEscaped();
  lines.first() = QStringLiteral("<b>") + lines.first() + QStringLiteral("</b>");
  auto* strip = new QLabel(lines.join(QStringLiteral("<br>")), window);
  strip->setObjectName(QLatin1String(kStripName));
  strip->setWordWrap(true);
  strip->setTextFormat(Qt::RichText);
  strip->setFont(platform::DefaultGuiFont());
  strip->setFocusPolicy(Qt::NoFocus);
  // The units under the strip stay usable.
  strip->setAttribute(Qt::WA_TransparentForMouseEvents);
  strip->setStyleSheet(QStringLiteral("background: #b3261e; color: white; padding: 4px 8px;"));
  strip->setGeometry(0, 0, window->width(), strip->heightForWidth(window->width()));
  strip->raise();
  strip->show();
}

QWidget* ErrorStrip(const QWidget* window) {
  return window != nullptr ? window->findChild<QWidget*>(QLatin1String(kStripName), Qt::FindDirectChildrenOnly) : nullptr;
}

LivePreview::LivePreview(Options options) : options_(std::move(options)) {}

LivePreview::~LivePreview() { StopHost(); }

QWidget* LivePreview::Window() const {
  units::Unit* unit = host_ != nullptr ? runtime::LiveUnit(windowId_, 0) : nullptr;
  return unit != nullptr ? unit->widget() : nullptr;
}

bool LivePreview::Open() {
  LoadedForm form = LoadForm(options_.form);
  auto host = std::make_unique<PreviewHost>();
  std::string error = form.error;
  if (error.empty() && !host->Adopt(std::move(form.templateBytes))) error = kDamagedTemplate;
  windowId_ = options_.windowId != 0 ? options_.windowId : host->FirstWindow();
  if (error.empty() && !host->HasWindow(windowId_)) error = NoWindow(options_.form, windowId_);
  if (error.empty()) error = Build(std::move(host));
  if (!error.empty()) {
    std::fprintf(stderr, "formtool show: %s\n", error.c_str());
    StopHost();
    return false;
  }
  shownText_ = form.text;
  KeepOnScreen(Window());
  // The window shows the form as saved, a picture that does not decode left blank.
  if (const std::string picture = UnreadablePicture(form); !picture.empty())
    std::fprintf(stderr, "formtool show: %s: %s\n", options_.form.c_str(), picture.c_str());
  if (options_.watch) {
    files_ = form.files;
    watch_ = std::make_unique<FormWatch>([this] { Reload(); });
    watch_->Watch(files_);
  }
  return true;
}

std::string LivePreview::UnreadablePicture(const LoadedForm& form) {
  if (!IsFormSource(options_.form)) return {};
  return pictures_.Unreadable(form.source, QFileInfo(QString::fromStdString(options_.form)).absoluteDir());
}

void LivePreview::Reload() {
  ++reads_;
  LoadedForm form = LoadForm(options_.form);
  // A source too broken to be read names no files: those it named before are still watched.
  if (form.error.empty() || form.files.size() > 1) files_ = form.files;
  if (watch_ != nullptr) watch_->Watch(files_);
  std::string unread = form.error;
  if (unread.empty()) {
    if (const std::string picture = UnreadablePicture(form); !picture.empty()) unread = options_.form + ": " + picture;
  }
  if (!unread.empty()) {
    // A save still being written reads as broken: it is believed once the files are quiet.
    if (watch_ != nullptr && !watch_->Quiet()) return watch_->AgainWhenQuiet();
    return Report(unread);
  }
  if (form.templateBytes == host_->Bytes()) {
    shownText_ = form.text;  // the same window, its lines perhaps elsewhere in the source
    return Report({});
  }

  auto next = std::make_unique<PreviewHost>();
  if (!next->Adopt(std::move(form.templateBytes))) return Report(options_.form + ": " + kDamagedTemplate);
  if (!next->HasWindow(windowId_)) return Report(NoWindow(options_.form, windowId_));

  QWidget* old = Window();
  const QPoint client = old != nullptr ? old->geometry().topLeft() : QPoint();
  const bool active = old != nullptr && old->isActiveWindow();
  const uint32_t focus = FocusedUnit();
  const QByteArray lastGood = host_->Bytes();
  rebuilding_ = true;
  StopHost();
  std::string failed;
  {
    ShowInPlace placing(client, active);
    failed = Build(std::move(next));
    if (!failed.empty()) {
      StopHost();
      auto back = std::make_unique<PreviewHost>();
      back->Adopt(lastGood);
      Build(std::move(back));
    }
  }
  rebuilding_ = false;
  if (QWidget* window = Window()) {
    PlaceClient(window, client);  // where the window unit places itself as it is shown
    KeepOnScreen(window);
    if (units::Unit* unit = focus != 0 ? runtime::LiveUnit(windowId_, focus) : nullptr)
      new FocusKeeper(window, unit->widget());
  }
  if (failed.empty()) {
    ++rebuilds_;
    shownText_ = form.text;
  }
  Report(failed);
}

uint32_t LivePreview::FocusedUnit() const {
  // The window's own: it has one while another application has the keyboard too.
  const QWidget* window = Window();
  const int64_t index = window != nullptr ? UnitIndexOf(window->focusWidget()) : -1;
  return index > 0 ? runtime::FindLoadedWindow(windowId_)->units.IdAt(static_cast<uint32_t>(index)) : 0;
}

int64_t LivePreview::UnitIndexOf(const QWidget* widget) const {
  QWidget* window = Window();
  runtime::TemplateWindow* loaded = runtime::FindLoadedWindow(windowId_);
  if (window == nullptr || loaded == nullptr || widget == nullptr || widget->window() != window) return -1;
  for (const QWidget* at = widget; at != nullptr; at = at->parentWidget()) {
    for (uint32_t i = 0; i < loaded->units.Count(); ++i) {
      units::Unit* unit = runtime::UnitAt(*loaded, i);
      if (unit != nullptr && unit->widget() == at) return i;
    }
    if (at == window) break;
  }
  return -1;
}

bool LivePreview::Inspect(QWidget* clicked) {
  const int64_t index = UnitIndexOf(clicked);
  if (index < 0) return false;
  const QString said = DescribeUnit({options_.form, shownText_, &host_->Windows()}, windowId_,
                                    static_cast<uint32_t>(index), ProgramUnitTypes());
  if (options_.inspections) {
    options_.inspections(said);
  } else {
    std::fprintf(stdout, "%s\n", said.toUtf8().constData());
    std::fflush(stdout);
  }
  OutlineUnit(Window(), runtime::UnitAt(*runtime::FindLoadedWindow(windowId_), static_cast<uint32_t>(index))->widget());
  return true;
}

std::string LivePreview::Build(std::unique_ptr<PreviewHost> host) {
  host_ = std::move(host);
  gBuildMessage.clear();
  host_->Start(3, RuntimeMessage);
  if (options_.events) LogUnitEvents(options_.events);
  gBuilding = true;
  const bool built = runtime::LoadWindow({windowId_, nullptr, 0}) == 0 && Window() != nullptr;
  gBuilding = false;
  if (!built) return gBuildMessage.empty() ? std::string("载入启动窗口失败") : gBuildMessage;
  // The host puts its own filter first at each start: Ctrl+click is the inspector's before it.
  inspector_.PutFirst();
  QWidget* window = Window();
  if (!window->isVisible()) window->show();
  QObject::connect(window, &QObject::destroyed, [this] {
    if (!rebuilding_ && onClosed_) onClosed_();
  });
  return {};
}

void LivePreview::StopHost() {
  if (host_ == nullptr) return;
  const bool wasRebuilding = rebuilding_;
  rebuilding_ = true;
  runtime::StopHost();
  // What the old window's units left for later goes now: nothing of it outlives the rebuild.
  for (int i = 0; i < 3; ++i) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  rebuilding_ = wasRebuilding;
  host_.reset();
}

void LivePreview::Report(const std::string& error) {
  if (!options_.quiet) {
    if (!error.empty()) std::fprintf(stderr, "formtool show: %s\n", error.c_str());
    else if (!error_.empty()) std::fprintf(stderr, "formtool show: %s is shown as saved again\n", options_.form.c_str());
    std::fflush(stderr);
  }
  error_ = error;
  ShowErrorStrip(Window(), error.empty() ? QString() : StripText(options_.form, error));
}

}  // namespace formtool
