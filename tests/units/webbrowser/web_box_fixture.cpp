#include "tests/units/webbrowser/web_box_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace test_support {
namespace {

WebBoxFixture* gFixture = nullptr;

intptr_t StandInHost(int32_t code, intptr_t arg1, intptr_t /*arg2*/);

}  // namespace

// The fixture reads its own records; the stand-in host only forwards.
struct FixtureAccess {
  static intptr_t Typed(units::TypedEventReport& report) {
    WebBoxFixture& f = *gFixture;
    if (f.onEvent_) f.onEvent_(report);
    SeenEvent seen{report.event, {}};
    const units::TypedArgument& first = report.arguments[0];
    if (report.argumentCount > 0 && first.value.type == runtime::type::kText &&
        (first.flags & units::typed_argument::kByReference) != 0)
      seen.text = *static_cast<const char* const*>(first.value.ptr);
    f.events_.push_back(seen);
    return 1;
  }
  static intptr_t Live() { return reinterpret_cast<intptr_t>(static_cast<units::Unit*>(gFixture->box_)); }
};

namespace {

intptr_t StandInHost(int32_t code, intptr_t arg1, intptr_t /*arg2*/) {
  if (gFixture == nullptr) return 0;
  if (code == runtime::notify::kRaiseTypedEvent)
    return FixtureAccess::Typed(*reinterpret_cast<units::TypedEventReport*>(arg1));
  if (code == runtime::notify::kLiveUnitOrError) return FixtureAccess::Live();
  return 0;
}

}  // namespace

BoxAnswerer::BoxAnswerer(std::function<void(QDialog*)> answer) : answer_(std::move(answer)) {
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QDialog*>(top);
      if (box == nullptr || !box->isVisible() || box->property("answered").toBool()) continue;
      box->setProperty("answered", true);
      ++seen;
      titles << box->windowTitle();
      QStringList labels;
      for (const QLabel* label : box->findChildren<QLabel*>()) labels << label->text();
      texts << labels.join(u'\n');
      offeredSilence << (box->findChild<QCheckBox*>() != nullptr);
      answer_(box);
      return;
    }
  });
  timer_.start(20);
}

void Press(QDialog* box, const QString& text) {
  for (QPushButton* button : box->findChildren<QPushButton*>())
    if (button->text() == text) return button->click();
  ADD_FAILURE() << "no button " << text.toStdString();
}

bool WaitUntil(const std::function<bool()>& condition, int milliseconds) {
  QDeadlineTimer deadline(milliseconds);
  while (!condition()) {
    if (deadline.hasExpired()) return false;
    QTest::qWait(10);
  }
  return true;
}

void WebBoxFixture::SetUp() {
  gFixture = this;
  units::WebLibrary().notify(runtime::library_notify::kSetHostNotify, reinterpret_cast<intptr_t>(&StandInHost), 0);
  window_.resize(400, 300);
  window_.show();
}

void WebBoxFixture::TearDown() {
  delete box_;
  box_ = nullptr;
  // The engine's view goes on the next turn of the loop; let it go before the engine does.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  units::WebLibrary().notify(runtime::library_notify::kShutdown, 0, 0);
  units::WebLibrary().notify(runtime::library_notify::kSetHostNotify, 0, 0);
  gFixture = nullptr;
}

units::WebBrowserBox* WebBoxFixture::MakeBox(const std::vector<uint8_t>& data) {
  auto create = units::AskInterface<units::interface_number::kCreateUnit>(units::kWebBrowserType);
  units::Unit* unit = create(data.data(), static_cast<int32_t>(data.size()), 0, &window_, 0, nullptr, 0, 0, 400, 300,
                             kWindowId, kUnitId, 0, 0);
  box_ = dynamic_cast<units::WebBrowserBox*>(unit);
  if (box_ != nullptr) box_->show();
  return box_;
}

units::PropertyValue WebBoxFixture::Get(int32_t ownIndex, units::PropertyValue start) {
  auto get = units::AskInterface<units::interface_number::kGetProperty>(units::kWebBrowserType);
  EXPECT_EQ(get(box_, ownIndex, &start), 1) << "own property " << ownIndex;
  return start;
}

void WebBoxFixture::Set(int32_t ownIndex, units::PropertyValue value) {
  auto changed = units::AskInterface<units::interface_number::kPropertyChanged>(units::kWebBrowserType);
  EXPECT_EQ(changed(box_, ownIndex, &value, 0), 0) << "the box is never re-created";
}

std::string WebBoxFixture::GetText(int32_t ownIndex) {
  const char* text = Get(ownIndex).AsText();
  return text != nullptr ? text : "";
}

void WebBoxFixture::Navigate(const char* url, const char* headers) {
  runtime::ValueRecord args[5] = {};
  args[0].type = units::type_id::kWebBrowser;
  args[0].unit = {kWindowId, kUnitId};
  args[1].type = runtime::type::kText;
  args[1].text = url;
  if (headers != nullptr) {
    args[4].type = runtime::type::kText;
    args[4].text = headers;
  }
  runtime::ValueRecord result = runtime::MakeValue(0);
  units::WebLibrary().commands[units::web_command::kNavigate](&result, 5, args);
}

bool WebBoxFixture::SawEvent(int32_t number, const std::string& text) const {
  for (const SeenEvent& e : events_)
    if (e.number == number && e.text.find(text) != std::string::npos) return true;
  return false;
}

bool WebBoxFixture::WaitForEvent(int32_t number, const std::string& text, int milliseconds) {
  return WaitUntil([&] { return SawEvent(number, text); }, milliseconds);
}

}  // namespace test_support
