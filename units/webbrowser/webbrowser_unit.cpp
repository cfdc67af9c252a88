#include "units/webbrowser/webbrowser_unit.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

#include "platform/gbk.h"
#include "platform/open_address.h"
#include "platform/text.h"
#include "contract/edge_style.h"
#include "contract/unit_accessibility.h"
#include "units/webbrowser/document_commands.h"
#include "units/webbrowser/engine_module.h"
#include "units/webbrowser/note_control.h"
#include "units/webbrowser/webbrowser_properties.h"

namespace units {
namespace {

using runtime::type::kBool;
using runtime::type::kByteData;
using runtime::type::kInt;
using runtime::type::kInt64;
using runtime::type::kText;

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
}  // namespace

WebBrowserBox::WebBrowserBox(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties, QWidget* parent)
    : UnitWidget<QWidget>(identity, std::move(properties), parent), client_(new QWidget(this)) {
  // Reading the same text property again refreshes the same storage.
  for (std::string& text : texts_) text.reserve(256);
}

WebBrowserBox* WebBrowserBox::Create(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties,
                                     QWidget* parent, const QRect& place) {
  // Where the engine may not run, the box says why instead of showing pages, and the engine is
  // never loaded.
  const QString refusal = webbrowser::EngineRefusal();
  const webbrowser::CreateBrowserControlFn factory = refusal.isEmpty() ? webbrowser::BrowserControlFactory() : nullptr;
  if (refusal.isEmpty() && factory == nullptr) return nullptr;
  auto* box = new WebBrowserBox(identity, std::move(properties), parent);
  box->setGeometry(place);
  if (factory != nullptr)
    box->control_.reset(factory(box->client_, box, webbrowser::kBrowserInterfaceVersion));
  else
    box->control_ = std::make_unique<webbrowser::NoteControl>(box->client_, refusal);
  if (!box->control_) {
    delete box;
    return nullptr;
  }
  // The engine brings accessibility of its own for its view; ours is to stay in front of it.
  InstallUnitAccessibility();
  box->ApplyBorder();
  box->ApplyControlSettings();
  box->control_->Navigate(QStringLiteral("about:blank"), 0, QString(), QByteArray());
  return box;
}

WebBrowserBox::~WebBrowserBox() { control_.reset(); }

WebBrowserState& WebBrowserBox::Props() { return WebBrowserType::StateOf(*this); }

QWidget* WebBrowserBox::ControlWidget() const { return control_ ? control_->Widget() : nullptr; }

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
  const WebBrowserState& p = Props();
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

// Only the edge is drawn: the client area is the page's. The edge is the one every unit with
// a border style wears.
void WebBrowserBox::paintEvent(QPaintEvent* /*event*/) {
  const int32_t border = Props().border;
  if (EdgeWidth(border) == 0) return;
  QPainter painter(this);
  DrawEdge(painter, rect(), border);
}

void WebBrowserBox::Navigate(const char* url, int32_t flags, const char* frame, const char* headers) {
  control_->Navigate(FromGbkOrEmpty(url), flags, FromGbkOrEmpty(frame),
                     headers != nullptr ? QByteArray(platform::GbkToUtf8(headers).c_str()) : QByteArray());
}

void WebBrowserBox::SetEditMode(bool on) {
  editMode_ = Logical(on);
  control_->Run(webbrowser::SetDesignModeScript(on));
}

const char* WebBrowserBox::CacheText(TextSlot slot, const QString& text) {
  std::string& cached = texts_[slot];
  const std::string gbk = platform::ToGbk(text);
  cached.assign(gbk.data(), gbk.size());  // copied into the storage already there, not moved in
  return cached.c_str();
}

bool WebBrowserBox::QueryDocument(const QString& script, QVariant* answer) {
  QPointer<QWidget> self(this);
  *answer = control_->Evaluate(script);
  return !self.isNull();
}

void WebBrowserBox::BeforeNavigate(webbrowser::NavigationRequest& request) {
  ReferenceText url(request.url);
  ReferenceText frame(request.frame);
  ReferenceText headers(QString::fromUtf8(request.headers));
  int32_t cancel = 0;
  const TypedArgument arguments[] = {
      url.Argument(),          Value(kInt, request.flags), frame.Argument(), Value(kByteData, 0), Value(kInt, 0),
      headers.Argument(), Reference(kBool, &cancel)};
  ReportTypedEvent(webbrowser_event::kBeforeNavigate, arguments);
  request.cancel = cancel != 0;
}

bool WebBrowserBox::NewWindow() {
  // The new window's object would be handed back here; the engine makes its own windows.
  int64_t newWindow = 0;
  int32_t cancel = 0;
  const TypedArgument arguments[] = {Reference(kInt64, &newWindow), Reference(kBool, &cancel)};
  const EventOutcome outcome = ReportTypedEvent(webbrowser_event::kNewWindow, arguments);
  return cancel != 0 || !outcome.unitAlive;
}

void WebBrowserBox::NavigateComplete(const QString& url) {
  ReferenceText text(url);
  const TypedArgument arguments[] = {text.Argument()};
  ReportTypedEvent(webbrowser_event::kNavigateComplete, arguments);
}

void WebBrowserBox::DownloadBegin() { ReportTypedEvent(webbrowser_event::kDownloadBegin, {}); }

void WebBrowserBox::ProgressChange(int32_t progress, int32_t maximum) {
  const TypedArgument arguments[] = {Value(kInt, progress), Value(kInt, maximum)};
  ReportTypedEvent(webbrowser_event::kProgressChange, arguments);
}

void WebBrowserBox::DownloadComplete() { ReportTypedEvent(webbrowser_event::kDownloadComplete, {}); }

void WebBrowserBox::DocumentComplete(const QString& url) {
  // Every new document starts in browse mode; the box's edit mode outlives documents.
  if (editMode_ != 0) control_->Run(webbrowser::SetDesignModeScript(true));
  ReferenceText text(url);
  const TypedArgument arguments[] = {text.Argument()};
  ReportTypedEvent(webbrowser_event::kDocumentComplete, arguments);
}

void WebBrowserBox::StatusTextChange(const QString& status) {
  ReferenceText text(status);
  const TypedArgument arguments[] = {text.Argument()};
  ReportTypedEvent(webbrowser_event::kStatusTextChange, arguments);
}

void WebBrowserBox::TitleChange(const QString& title) {
  ReferenceText text(title);
  const TypedArgument arguments[] = {text.Argument()};
  ReportTypedEvent(webbrowser_event::kTitleChange, arguments);
}

void WebBrowserBox::CommandStateChange(int32_t command, bool enabled) {
  const TypedArgument arguments[] = {Value(kInt, command), Value(kBool, Logical(enabled))};
  ReportTypedEvent(webbrowser_event::kCommandStateChange, arguments);
}

void WebBrowserBox::WindowGeometryRequest(int32_t left, int32_t top, int32_t width, int32_t height) {
  const std::pair<int32_t, int32_t> reports[] = {{webbrowser_event::kWindowSetTop, top},
                                                 {webbrowser_event::kWindowSetLeft, left},
                                                 {webbrowser_event::kWindowSetHeight, height},
                                                 {webbrowser_event::kWindowSetWidth, width}};
  for (const auto& [number, v] : reports) {
    if (number == webbrowser_event::kWindowSetLeft) repaint();
    const TypedArgument arguments[] = {Value(kInt, v)};
    if (!ReportTypedEvent(number, arguments).unitAlive) return;
  }
}

bool WebBrowserBox::WindowClosing() {
  int32_t cancel = 0;
  const TypedArgument arguments[] = {Value(kBool, 0), Reference(kBool, &cancel)};
  const EventOutcome outcome = ReportTypedEvent(webbrowser_event::kWindowClosing, arguments);
  return cancel != 0 || !outcome.unitAlive;
}

bool WebBrowserBox::TakesInput() { return !BlockedByModality(this); }

QString WebBrowserBox::OutsideProgram(const QString& address) { return platform::DesktopHandlerName(address); }

bool WebBrowserBox::OpenOutside(const QString& address) { return platform::OpenWithDesktopHandler(address); }

}  // namespace units
