#include "units/webbrowser/web_browser_box.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <qdrawutil.h>

#include "platform/gbk.h"
#include "platform/program_path.h"
#include "platform/text.h"
#include "units/webbrowser/document_commands.h"
#include "units/webbrowser/engine_module.h"

namespace units {
namespace {

using runtime::type::kBool;
using runtime::type::kByteData;
using runtime::type::kInt;
using runtime::type::kInt64;
using runtime::type::kText;

// Events of the box.
namespace event {
constexpr int32_t kBeforeNavigate = 0;
constexpr int32_t kNewWindow = 1;
constexpr int32_t kNavigateComplete = 2;
constexpr int32_t kDownloadBegin = 3;
constexpr int32_t kProgressChange = 4;
constexpr int32_t kDownloadComplete = 5;
constexpr int32_t kDocumentComplete = 6;
constexpr int32_t kStatusTextChange = 7;
constexpr int32_t kTitleChange = 8;
constexpr int32_t kCommandStateChange = 9;
constexpr int32_t kWindowSetTop = 10;
constexpr int32_t kWindowSetLeft = 11;
constexpr int32_t kWindowSetHeight = 12;
constexpr int32_t kWindowSetWidth = 13;
constexpr int32_t kWindowClosing = 15;
}  // namespace event

TypedArgument Value(uint32_t type, int64_t v) {
  TypedArgument a{};
  a.value = runtime::MakeValue(type);
  a.value.i64 = v;
  return a;
}

// The handler receives the address and may write through it.
TypedArgument Reference(uint32_t type, void* place) {
  TypedArgument a{};
  a.value = runtime::MakeValue(type);
  a.value.ptr = place;
  a.flags = typed_argument::kByReference;
  return a;
}

// A text passed by reference: its GBK bytes and the pointer the reference points to.
class ReferenceText {
 public:
  explicit ReferenceText(const QString& text) : gbk_(platform::ToGbk(text)), pointer_(gbk_.c_str()) {}
  ReferenceText(const ReferenceText&) = delete;
  ReferenceText& operator=(const ReferenceText&) = delete;
  TypedArgument Argument() { return Reference(kText, &pointer_); }

 private:
  std::string gbk_;
  const char* pointer_;
};

QString FromGbkOrEmpty(const char* text) { return text != nullptr ? platform::FromGbk(text) : QString(); }

int32_t Logical(bool v) { return v ? 1 : 0; }

// Names of the document commands read as own properties 25 to 36.
constexpr const char* kStateCommands[] = {"Bold", "Italic", "Underline", "StrikeThrough",
                                          "Superscript", "Subscript", "OverWrite"};
constexpr const char* kEnabledCommands[] = {"Paste", "Copy", "Cut", "Redo", "Undo"};
constexpr int32_t kFirstStateCommand = 25;
constexpr int32_t kFirstEnabledCommand = 32;

}  // namespace

WebBrowserBox::WebBrowserBox(const UnitIdentity& identity, std::unique_ptr<WebBrowserProperties> properties,
                             QWidget* parent)
    : UnitWidget<QWidget>(identity, std::move(properties), parent), client_(new QWidget(this)) {
  // Reading the same text property again refreshes the same storage.
  for (std::string& text : texts_) text.reserve(256);
}

WebBrowserBox* WebBrowserBox::Create(const UnitIdentity& identity, std::unique_ptr<WebBrowserProperties> properties,
                                     QWidget* parent, const QRect& place) {
  const web::CreateBrowserControlFn factory = web::BrowserControlFactory();
  if (factory == nullptr) return nullptr;
  auto* box = new WebBrowserBox(identity, std::move(properties), parent);
  box->setGeometry(place);
  box->control_.reset(factory(box->client_, box, web::kBrowserInterfaceVersion));
  if (!box->control_) {
    delete box;
    return nullptr;
  }
  box->ApplyBorder();
  box->ApplyControlSettings();
  box->control_->Navigate(QStringLiteral("about:blank"), 0, QString(), QByteArray());
  return box;
}

WebBrowserBox::~WebBrowserBox() { control_.reset(); }

WebBrowserProperties& WebBrowserBox::Props() { return static_cast<WebBrowserProperties&>(Properties()); }

QWidget* WebBrowserBox::ControlWidget() const { return control_ ? control_->Widget() : nullptr; }

int WebBrowserBox::EdgeWidth(int32_t border) {
  switch (border) {
    case 1: return 2;  // client edge
    case 2: return 3;  // modal frame
    case 3: return 1;  // static edge
    case 4: return 5;  // modal frame around a client edge
    case 5: return 1;  // thin border
    default: return 0;
  }
}

void WebBrowserBox::ApplyBorder() {
  const int edge = EdgeWidth(Props().border);
  setContentsMargins(edge, edge, edge, edge);
  PlaceClient();
  update();
}

void WebBrowserBox::PlaceClient() {
  client_->setGeometry(contentsRect());
  // The engine's view has no sunken edge of its own to hide: the page fills the client area.
  if (QWidget* view = ControlWidget()) view->setGeometry(client_->rect());
}

void WebBrowserBox::ApplyControlSettings() {
  const WebBrowserProperties& p = Props();
  control_->SetSilent(p.silent != 0);
  control_->SetOffline(p.offline != 0);
  control_->SetDropTarget(p.dropTarget != 0);
}

// Tab and Shift+Tab move among the page's fields and links and Enter follows a link or sends a
// form, so the page has its keys before the window can take them for its own navigation. Esc,
// F1 and Alt combinations stay the window's.
bool WebBrowserBox::PreTranslate(QObject* target, QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
  QWidget* view = ControlWidget();
  if (view == nullptr || !target->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(target);
  if (widget != view && !view->isAncestorOf(widget)) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Escape || key->key() == Qt::Key_F1 || (key->modifiers() & Qt::AltModifier)) return false;
  QCoreApplication::sendEvent(target, event);
  return true;
}

void WebBrowserBox::resizeEvent(QResizeEvent* /*event*/) { PlaceClient(); }

// Only the edge is drawn: the client area is the page's.
void WebBrowserBox::paintEvent(QPaintEvent* /*event*/) {
  const int32_t border = Props().border;
  if (EdgeWidth(border) == 0) return;
  QPainter painter(this);
  QRect r = rect();
  if (border == 5) {
    painter.setPen(Qt::black);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    return;
  }
  if (border == 3) {
    qDrawShadePanel(&painter, r, palette(), true, 1);
    return;
  }
  if (border == 2 || border == 4) {
    qDrawWinPanel(&painter, r, palette(), false);
    painter.setPen(palette().color(QPalette::Button));
    painter.drawRect(r.adjusted(2, 2, -3, -3));
    r.adjust(3, 3, -3, -3);
  }
  if (border == 1 || border == 4) qDrawWinPanel(&painter, r, palette(), true);
}

void WebBrowserBox::Navigate(const char* url, int32_t flags, const char* frame, const char* headers) {
  control_->Navigate(FromGbkOrEmpty(url), flags, FromGbkOrEmpty(frame),
                     headers != nullptr ? QByteArray(platform::GbkToUtf8(headers).c_str()) : QByteArray());
}

int32_t WebBrowserBox::PropertyChanged(int32_t index, const PropertyValue& value) {
  WebBrowserProperties& p = Props();
  const int32_t v = value.AsInteger();
  switch (index) {
    case web_property::kBorder:
      p.border = v;
      ApplyBorder();
      break;
    case web_property::kSilent:
      p.silent = Logical(v != 0);
      control_->SetSilent(v != 0);
      break;
    case web_property::kOffline:
      p.offline = Logical(v != 0);
      control_->SetOffline(v != 0);
      break;
    case web_property::kDropTarget:
      p.dropTarget = Logical(v != 0);
      control_->SetDropTarget(v != 0);
      break;
    case web_property::kRegisterAsBrowser: p.registerAsBrowser = Logical(v != 0); break;
    case web_property::kEditMode:
      editMode_ = Logical(v != 0);
      control_->Run(web::SetDesignModeScript(editMode_ != 0));
      break;
    case web_property::kFontName:
      control_->Run(web::ExecuteScript(QStringLiteral("FontName"), FromGbkOrEmpty(value.AsText())));
      break;
    case 22: control_->Run(web::ExecuteScript(QStringLiteral("FontSize"), QString::number(v))); break;
    case 23: control_->Run(web::ExecuteScript(QStringLiteral("ForeColor"), web::ColorText(v))); break;
    case 24: control_->Run(web::ExecuteScript(QStringLiteral("BackColor"), web::ColorText(v))); break;
    default: break;
  }
  return 0;
}

const char* WebBrowserBox::CacheText(int32_t slot, const QString& text) {
  std::string& cached = texts_[slot];
  const std::string gbk = platform::ToGbk(text);
  cached.assign(gbk.data(), gbk.size());  // copied into the storage already there, not moved in
  return cached.c_str();
}

QVariant WebBrowserBox::Document(const QString& script, bool* alive) {
  QPointer<QWidget> self(this);
  QVariant answer = control_->Evaluate(script);
  *alive = !self.isNull();
  return answer;
}

int32_t WebBrowserBox::GetProperty(int32_t index, PropertyValue* value) {
  using namespace web_property;
  if (index < 0 || index > kLast) return 0;
  WebBrowserProperties& p = Props();
  if (index == kResizable) return 1;  // nothing to fetch: the caller's value stays
  *value = PropertyValue();
  switch (index) {
    case kBorder: value->first = p.border; return 1;
    case kSilent: value->first = p.silent = Logical(control_->Silent()); return 1;
    case kOffline: value->first = p.offline = Logical(control_->Offline()); return 1;
    case kDropTarget: value->first = p.dropTarget = Logical(control_->DropTarget()); return 1;
    case kRegisterAsBrowser: value->first = p.registerAsBrowser = Logical(p.registerAsBrowser != 0); return 1;
    case 12: value->first = Logical(!isHidden()); return 1;  // Visible
    case 13: value->first = Logical(control_->Busy()); return 1;
    case 15: value->first = static_cast<int32_t>(control_->State()); return 1;
    case kFullName:
      value->first = reinterpret_cast<intptr_t>(
          CacheText(0, QString::fromStdString(platform::ProgramFilePath())));
      return 1;
    case kLocationUrl: value->first = reinterpret_cast<intptr_t>(CacheText(1, control_->Url())); return 1;
    case kLocationName: value->first = reinterpret_cast<intptr_t>(CacheText(2, control_->Title())); return 1;
    default: break;
  }
  // The address bar, full screen, menu bar, status bar, theatre mode, tool bar and top-level
  // container of a browser window: a box embedded in a form has none of them.
  if (index < kType) return 1;

  bool alive = true;
  QVariant answer;
  if (index == kType) answer = Document(web::ContentTypeScript(), &alive);
  else if (index == kEditMode) answer = Document(web::DesignModeScript(), &alive);
  else if (index == kFontName) answer = Document(web::QueryValueScript(QStringLiteral("FontName")), &alive);
  else if (index == 22) answer = Document(web::QueryValueScript(QStringLiteral("FontSize")), &alive);
  else if (index == 23) answer = Document(web::QueryValueScript(QStringLiteral("ForeColor")), &alive);
  else if (index == 24) answer = Document(web::QueryValueScript(QStringLiteral("BackColor")), &alive);
  else if (index < kFirstEnabledCommand)
    answer = Document(web::QueryStateScript(QLatin1String(kStateCommands[index - kFirstStateCommand])), &alive);
  else
    answer = Document(web::QueryEnabledScript(QLatin1String(kEnabledCommands[index - kFirstEnabledCommand])), &alive);
  if (!alive) return 1;  // the box went while the document answered: nothing of it to give

  switch (index) {
    case kType:
      value->first = reinterpret_cast<intptr_t>(
          CacheText(3, answer.typeId() == QMetaType::QString ? answer.toString() : QString()));
      break;
    case kFontName: value->first = reinterpret_cast<intptr_t>(CacheText(4, web::AsFontName(answer))); break;
    case 22: value->first = web::AsInteger(answer); break;
    case 23:
    case 24: value->first = web::AsColor(answer); break;
    default: value->first = Logical(web::AsLogical(answer)); break;
  }
  return 1;
}

void WebBrowserBox::BeforeNavigate(web::NavigationRequest& request) {
  ReferenceText url(request.url);
  ReferenceText frame(request.frame);
  ReferenceText headers(QString::fromUtf8(request.headers));
  int32_t cancel = 0;
  const TypedArgument arguments[] = {
      url.Argument(),          Value(kInt, request.flags), frame.Argument(), Value(kByteData, 0), Value(kInt, 0),
      headers.Argument(), Reference(kBool, &cancel)};
  ReportTypedEvent(event::kBeforeNavigate, arguments);
  request.cancel = cancel != 0;
}

bool WebBrowserBox::NewWindow() {
  // The new window's object would be handed back here; the engine makes its own windows.
  int64_t newWindow = 0;
  int32_t cancel = 0;
  const TypedArgument arguments[] = {Reference(kInt64, &newWindow), Reference(kBool, &cancel)};
  const EventOutcome outcome = ReportTypedEvent(event::kNewWindow, arguments);
  return cancel != 0 || !outcome.unitAlive;
}

void WebBrowserBox::NavigateComplete(const QString& url) {
  ReferenceText text(url);
  const TypedArgument arguments[] = {text.Argument()};
  ReportTypedEvent(event::kNavigateComplete, arguments);
}

void WebBrowserBox::DownloadBegin() { ReportTypedEvent(event::kDownloadBegin, {}); }

void WebBrowserBox::ProgressChange(int32_t progress, int32_t maximum) {
  const TypedArgument arguments[] = {Value(kInt, progress), Value(kInt, maximum)};
  ReportTypedEvent(event::kProgressChange, arguments);
}

void WebBrowserBox::DownloadComplete() { ReportTypedEvent(event::kDownloadComplete, {}); }

void WebBrowserBox::DocumentComplete(const QString& url) {
  // Every new document starts in browse mode; the box's edit mode outlives documents.
  if (editMode_ != 0) control_->Run(web::SetDesignModeScript(true));
  ReferenceText text(url);
  const TypedArgument arguments[] = {text.Argument()};
  ReportTypedEvent(event::kDocumentComplete, arguments);
}

void WebBrowserBox::StatusTextChange(const QString& status) {
  ReferenceText text(status);
  const TypedArgument arguments[] = {text.Argument()};
  ReportTypedEvent(event::kStatusTextChange, arguments);
}

void WebBrowserBox::TitleChange(const QString& title) {
  ReferenceText text(title);
  const TypedArgument arguments[] = {text.Argument()};
  ReportTypedEvent(event::kTitleChange, arguments);
}

void WebBrowserBox::CommandStateChange(int32_t command, bool enabled) {
  const TypedArgument arguments[] = {Value(kInt, command), Value(kBool, Logical(enabled))};
  ReportTypedEvent(event::kCommandStateChange, arguments);
}

void WebBrowserBox::WindowGeometryRequest(int32_t left, int32_t top, int32_t width, int32_t height) {
  const std::pair<int32_t, int32_t> reports[] = {{event::kWindowSetTop, top},
                                                 {event::kWindowSetLeft, left},
                                                 {event::kWindowSetHeight, height},
                                                 {event::kWindowSetWidth, width}};
  for (const auto& [number, v] : reports) {
    if (number == event::kWindowSetLeft) repaint();
    const TypedArgument arguments[] = {Value(kInt, v)};
    if (!ReportTypedEvent(number, arguments).unitAlive) return;
  }
}

bool WebBrowserBox::WindowClosing() {
  int32_t cancel = 0;
  const TypedArgument arguments[] = {Value(kBool, 0), Reference(kBool, &cancel)};
  const EventOutcome outcome = ReportTypedEvent(event::kWindowClosing, arguments);
  return cancel != 0 || !outcome.unitAlive;
}

}  // namespace units
