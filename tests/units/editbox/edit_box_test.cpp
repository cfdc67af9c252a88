// The edit box built through its interfaces on a plain parent, reporting to a fake host.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <vector>

#include "platform/text.h"
#include "base/program/memory.h"
#include "base/program/notify_codes.h"
#include "base/program/program_header.h"
#include "units/editbox/editbox_properties.h"
#include "contract/event_report.h"
#include "contract/unit.h"
#include "contract/unit_interfaces.h"
#include "contract/unit_type_ids.h"
#include "contract/unit_type_registry.h"
#include "libraries/support_libraries.h"

namespace units::editbox {
namespace {

struct Raised {
  int32_t event;
  std::vector<intptr_t> args;
  bool operator==(const Raised&) const = default;
};

std::vector<Raised> gRaised;
std::function<void(const EventReport&)> gOnEvent;

intptr_t FakeHost(int32_t code, intptr_t arg1, intptr_t) {
  if (code != runtime::notify::kRaiseEvent) return 0;
  const auto& report = *reinterpret_cast<const EventReport*>(arg1);
  gRaised.push_back({report.event, {report.arguments, report.arguments + report.argumentCount}});
  if (gOnEvent) gOnEvent(report);
  return 1;
}

template <int32_t N>
typename InterfaceOf<N>::Fn Ask() {
  return reinterpret_cast<typename InterfaceOf<N>::Fn>(RegisteredGetInterface(type_id::kEditBox)(N));
}

std::vector<uint8_t> DataOf(const EditBoxProperties& p) {
  std::vector<uint8_t> out;
  EditBoxProperties copy = p;
  EXPECT_TRUE(WritePropertyData(copy, out));
  return out;
}

EditBoxProperties With(const std::function<void(EditBoxProperties&)>& set) {
  EditBoxProperties p;
  set(p);
  return p;
}

class EditBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gRaised.clear();
    gOnEvent = nullptr;
    CoreLibrary().notify(runtime::library_notify::kSetHostNotify, reinterpret_cast<intptr_t>(&FakeHost), 0);
    window_.resize(400, 300);
    other_ = new QLineEdit(&window_);
    other_->setGeometry(300, 250, 80, 20);
    window_.show();
    QApplication::setActiveWindow(&window_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  }
  void TearDown() override {
    gOnEvent = nullptr;
    CoreLibrary().notify(runtime::library_notify::kSetHostNotify, 0, 0);
  }

  Unit* Create(const EditBoxProperties& p, int32_t height = 24, uint32_t style = window_style::kTabStop) {
    const std::vector<uint8_t> data = DataOf(p);
    Unit* unit = Ask<interface_number::kCreateUnit>()(data.data(), static_cast<int32_t>(data.size()), style,
                                                      &window_, 0, nullptr, 10, 10, 120, height, 0x52000001,
                                                      0x16000002, 0, 0);
    if (unit != nullptr) unit->widget()->show();
    return unit;
  }
  static std::string Get(Unit* unit, int32_t index) {
    PropertyValue v;
    EXPECT_EQ(Ask<interface_number::kGetProperty>()(unit, index, &v), 1);
    return v.AsText() != nullptr ? v.AsText() : "";
  }
  static int32_t GetInt(Unit* unit, int32_t index) {
    PropertyValue v;
    EXPECT_EQ(Ask<interface_number::kGetProperty>()(unit, index, &v), 1);
    return v.AsInteger();
  }
  static int32_t Set(Unit* unit, int32_t index, PropertyValue v) {
    return Ask<interface_number::kPropertyChanged>()(unit, index, &v, 0);
  }
  static int32_t SetText(Unit* unit, int32_t index, const char* utf8) {
    const std::string gbk = platform::ToGbk(QString::fromUtf8(utf8));
    return Set(unit, index, PropertyValue::Text(gbk.c_str()));
  }
  static std::string Content(Unit* unit) { return platform::FromGbk(Get(unit, kContent)).toStdString(); }
  void Focus(Unit* unit) {
    unit->widget()->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
  }
  void FocusAway() {
    other_->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
  }
  int Count(int32_t event) const {
    return static_cast<int>(std::count_if(gRaised.begin(), gRaised.end(), [&](auto& r) { return r.event == event; }));
  }

  QWidget window_;
  QLineEdit* other_ = nullptr;
};

TEST_F(EditBoxTest, StoredDataHasBothVersionsAndRefusesNewerOrShortData) {
  EXPECT_EQ(DataOf(EditBoxProperties()).size(), 82u);

  // A version 1 box: no data source fields; they come back empty and are written as version 2.
  EditBoxProperties p = With([](auto& p) { p.content = "12"; p.inputMode = kInteger; p.alignment = 1; });
  std::vector<uint8_t> data = DataOf(p);
  data.resize(data.size() - 8);
  data[0] = 1;
  Unit* unit = Ask<interface_number::kCreateUnit>()(data.data(), static_cast<int32_t>(data.size()), 0, &window_, 0,
                                                    nullptr, 0, 0, 80, 24, 1, 2, 0, 0);
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(Content(unit), "12");
  EXPECT_EQ(GetInt(unit, kInputMode), kInteger);
  int32_t length = 0;
  void* block = Ask<interface_number::kGetAllPropertyData>()(unit, &length);
  ASSERT_EQ(length, 84);
  EXPECT_EQ(static_cast<uint8_t*>(block)[0], 2);
  runtime::Free(block);
  delete unit;

  data[0] = 3;
  EXPECT_EQ(Ask<interface_number::kCreateUnit>()(data.data(), static_cast<int32_t>(data.size()), 0, &window_, 0,
                                                 nullptr, 0, 0, 80, 24, 1, 2, 0, 0),
            nullptr);
  data[0] = 2;
  EXPECT_EQ(Ask<interface_number::kCreateUnit>()(data.data(), 40, 0, &window_, 0, nullptr, 0, 0, 80, 24, 1, 2, 0, 0),
            nullptr);
}

TEST_F(EditBoxTest, NoDataGivesTheDefaultsAndBadChoicesAreBroughtIntoRange) {
  Unit* unit = Ask<interface_number::kCreateUnit>()(nullptr, 0, 0, &window_, 0, nullptr, 0, 0, 80, 24, 1, 2, 0, 0);
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(GetInt(unit, kBorderStyle), 1);
  EXPECT_EQ(GetInt(unit, kBackColor), 0xFFFFFF);
  EXPECT_EQ(Get(unit, kPasswordChar), "*");
  EXPECT_EQ(GetInt(unit, kUpDownMax), 100);
  PropertyValue font{1, 1};
  Ask<interface_number::kGetProperty>()(unit, kFont, &font);
  EXPECT_EQ(font.first, 0);
  EXPECT_EQ(Ask<interface_number::kGetProperty>()(unit, kPropertyCount, &font), 0);
  delete unit;

  unit = Create(With([](auto& p) { p.borderStyle = 9; p.inputMode = 40; p.maxLength = -5; }));
  EXPECT_EQ(GetInt(unit, kBorderStyle), 5);
  EXPECT_EQ(GetInt(unit, kInputMode), kDateTime);
  EXPECT_EQ(GetInt(unit, kMaxLength), 0);
}

TEST_F(EditBoxTest, KeysAreFilteredByModeAndRefusedKeysChangeNothing) {
  struct Case {
    int32_t mode;
    const char* typed;
    const char* result;
  };
  const Case cases[] = {{kIntegerText, "a-1.2", "-12"}, {kDecimalText, "a-1.2", "-1.2"}, {kByte, "-3x00", "300"},
                        {kNormal, "a-1.2", "a-1.2"}};
  for (bool multi : {false, true}) {
    for (const auto& c : cases) {
      Unit* unit = Create(With([&](auto& p) { p.inputMode = c.mode; p.multiline = multi; }));
      Focus(unit);
      gRaised.clear();
      QTest::keyClicks(unit->widget(), c.typed);
      EXPECT_EQ(Content(unit), c.result) << "mode " << c.mode << (multi ? " multi-line" : "");
      EXPECT_EQ(Count(0), static_cast<int>(strlen(c.result)));  // one change per admitted key, none else
      delete unit;
    }
  }
}

TEST_F(EditBoxTest, PastingAndInputMethodsAdmitNoMoreThanTyping) {
  for (bool multi : {false, true}) {
    Unit* unit = Create(With([&](auto& p) { p.inputMode = kInteger; p.multiline = multi; p.maxLength = 6; }));
    Focus(unit);
    QApplication::clipboard()->setText("12ab34");
    QTest::keyClick(unit->widget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Content(unit), "1234");

    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("５六7８9"));  // full-width digits count as digits
    QApplication::sendEvent(unit->widget(), &commit);
    EXPECT_EQ(Content(unit), "123457") << "two places left";

    QApplication::clipboard()->setText("9");
    QTest::keyClick(unit->widget(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(unit->widget(), Qt::Key_1);
    EXPECT_EQ(Content(unit), "123457") << "the box is full";
    QTest::keyClick(unit->widget(), Qt::Key_Backspace);
    EXPECT_EQ(Content(unit), "12345");
    delete unit;
  }
}

TEST_F(EditBoxTest, ChineseInputAndCaseConversion) {
  Unit* unit = Create(With([](auto& p) { p.caseConversion = 2; }));
  Focus(unit);
  QInputMethodEvent preedit(QString::fromUtf8("zhong"), {});
  QApplication::sendEvent(unit->widget(), &preedit);
  EXPECT_EQ(Content(unit), "");
  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf8("中文"));
  QApplication::sendEvent(unit->widget(), &commit);
  QTest::keyClicks(unit->widget(), "ab");
  EXPECT_EQ(Content(unit), "中文AB");
  EXPECT_EQ(Get(unit, kContent), "\xd6\xd0\xce\xc4" "AB");  // GBK
}

TEST_F(EditBoxTest, FocusLossRewritesTheTextRestoresTheCaretAndReportsInOrder) {
  Unit* unit = Create(With([](auto& p) { p.inputMode = kByte; }));
  Focus(unit);
  QTest::keyClicks(unit->widget(), "300");
  SetText(unit, kSelStart, "");  // caret to 0 by a write of 0
  Set(unit, kSelStart, PropertyValue::Integer(2));
  gRaised.clear();
  FocusAway();
  EXPECT_EQ(Content(unit), "255");
  EXPECT_EQ((std::vector<int32_t>{gRaised.at(0).event, gRaised.at(1).event}), (std::vector<int32_t>{0, -8}));
  EXPECT_EQ(GetInt(unit, kSelStart), 2);
  EXPECT_EQ(GetInt(unit, kSelLength), 0);

  gRaised.clear();
  Focus(unit);
  EXPECT_EQ(gRaised, (std::vector<Raised>{{-7, {}}}));

  // An unchanged text is not reported as a change; 0 becomes empty.
  SetText(unit, kContent, "0");
  gRaised.clear();
  FocusAway();
  EXPECT_EQ(Content(unit), "");
  EXPECT_EQ(Count(0), 1);
  gRaised.clear();
  Focus(unit);
  FocusAway();
  EXPECT_EQ(gRaised, (std::vector<Raised>{{-7, {}}, {-8, {}}}));
}

TEST_F(EditBoxTest, ProgramWritesReportOneChangeAndSelectionFollowsTheLiveText) {
  Unit* unit = Create(EditBoxProperties());
  EXPECT_EQ(SetText(unit, kContent, "abcdef"), 0);
  EXPECT_EQ(SetText(unit, kContent, "abcdef"), 0);
  EXPECT_EQ(Count(0), 2);
  // The program writes what it likes, whatever the input mode lets the user type.
  Set(unit, kInputMode, PropertyValue::Integer(kInteger));
  SetText(unit, kContent, "abcdef");

  Set(unit, kSelStart, PropertyValue::Integer(-1));
  EXPECT_EQ(GetInt(unit, kSelStart), 6);
  EXPECT_EQ(GetInt(unit, kSelLength), 0);
  Set(unit, kSelLength, PropertyValue::Integer(-1));
  EXPECT_EQ(GetInt(unit, kSelStart), 0);
  EXPECT_EQ(Get(unit, kSelText), "abcdef");
  Set(unit, kSelStart, PropertyValue::Integer(2));
  Set(unit, kSelLength, PropertyValue::Integer(99));
  EXPECT_EQ(Get(unit, kSelText), "cdef");
  gRaised.clear();
  SetText(unit, kSelText, "XY");
  EXPECT_EQ(Content(unit), "abXY");
  EXPECT_EQ(Count(0), 1);

  // Line breaks cross the property boundary as CR LF.
  Unit* multi = Create(With([](auto& p) { p.multiline = 1; p.content = "a\r\nb"; }));
  EXPECT_EQ(static_cast<QPlainTextEdit*>(multi->widget())->toPlainText(), "a\nb");
  EXPECT_EQ(Get(multi, kContent), "a\r\nb");
}

TEST_F(EditBoxTest, AHandlerMayDestroyTheBoxWhileItReports) {
  Unit* unit = Create(With([](auto& p) { p.inputMode = kByte; }));
  QPointer<QWidget> widget = unit->widget();
  Focus(unit);
  gOnEvent = [&](const EventReport& r) {
    if (r.event == 0) delete unit;
  };
  QTest::keyClick(widget, Qt::Key_1);
  EXPECT_TRUE(widget.isNull());

  unit = Create(With([](auto& p) { p.inputMode = kByte; p.content = "300"; }));
  widget = unit->widget();
  Focus(unit);
  FocusAway();  // the rewrite's change report destroys it before the focus loss is reported
  EXPECT_TRUE(widget.isNull());
  EXPECT_EQ(Count(-8), 0);
}

TEST_F(EditBoxTest, RecreationIsAskedForWhereTheLookCannotChangeInPlace) {
  Unit* unit = Create(EditBoxProperties());
  for (int32_t index : {kHideSelection, kMultiline, kScrollBars, kAlignment, kCaseConversion, kUpDownMode}) {
    EXPECT_EQ(Set(unit, index, PropertyValue::Integer(1)), index == kHideSelection ? 0 : 1) << index;
    EXPECT_EQ(Set(unit, index, PropertyValue::Integer(1)), 0) << index;
  }
  // Password mode always shows one line, so a multi-line box re-creates into and out of it.
  Unit* multi = Create(With([](auto& p) { p.multiline = 1; }));
  EXPECT_EQ(Set(multi, kInputMode, PropertyValue::Integer(kInteger)), 0);
  EXPECT_EQ(Set(multi, kInputMode, PropertyValue::Integer(kPassword)), 1);
  Unit* password = Create(With([](auto& p) { p.multiline = 1; p.inputMode = kPassword; }));
  EXPECT_NE(qobject_cast<QLineEdit*>(password->widget()), nullptr);
  EXPECT_EQ(Set(password, kInputMode, PropertyValue::Integer(kNormal)), 1);
}

// A logical is 0 or 1 whatever number it is given: -3 means yes, and yes again re-creates nothing.
TEST_F(EditBoxTest, LogicalsReadAndWriteAsZeroOrOne) {
  Unit* unit = Create(With([](auto& p) { p.hideSelection = 7; }));
  EXPECT_EQ(GetInt(unit, kHideSelection), 1);
  EXPECT_EQ(Set(unit, kHideSelection, PropertyValue::Integer(5)), 0);
  EXPECT_EQ(Set(unit, kMultiline, PropertyValue::Integer(-3)), 1);
  EXPECT_EQ(GetInt(unit, kMultiline), 1);
  EXPECT_EQ(Set(unit, kMultiline, PropertyValue::Integer(2)), 0);
}

// A program may hand over a null text; every text property takes it as the empty text.
TEST_F(EditBoxTest, ANullTextIsWrittenAsTheEmptyText) {
  Unit* unit = Create(With([](auto& p) { p.content = "abc"; p.dataSource = "src"; }));
  for (int32_t index : {kSelText, kContent, kPasswordChar, kDataSource, kDataColumn})
    Set(unit, index, PropertyValue::Text(nullptr));
  EXPECT_EQ(Content(unit), "");
  EXPECT_EQ(Get(unit, kPasswordChar), "");
  EXPECT_EQ(Get(unit, kDataSource), "");
}

TEST_F(EditBoxTest, EnterIsTheBoxsOwnOnlyInAnEditableMultiLineBox) {
  const auto wants = Ask<interface_number::kWantsKey>();
  Unit* single = Create(EditBoxProperties());
  Unit* multi = Create(With([](auto& p) { p.multiline = 1; }));
  Unit* readOnly = Create(With([](auto& p) { p.multiline = 1; p.inputMode = kReadOnly; }));
  EXPECT_EQ(wants(single, 13), 0);
  EXPECT_EQ(wants(multi, 13), 1);
  EXPECT_EQ(wants(multi, 13 | 0x2000), 0);
  EXPECT_EQ(wants(multi, 27), 0);
  EXPECT_EQ(wants(readOnly, 13), 0);
  Focus(multi);
  QTest::keyClicks(multi->widget(), "a");
  QTest::keyClick(multi->widget(), Qt::Key_Return);
  QTest::keyClicks(multi->widget(), "b");
  EXPECT_EQ(Get(multi, kContent), "a\r\nb");
}

TEST_F(EditBoxTest, UpDownWrapsAroundItsRangeGivenInEitherOrder) {
  Unit* unit = Create(With([](auto& p) { p.upDownMode = kAutomaticUpDown; p.upDownMin = 10; p.upDownMax = 1; p.content = "10"; }));
  auto* up = window_.findChild<QToolButton*>("up");
  auto* down = window_.findChild<QToolButton*>("down");
  ASSERT_TRUE(up && down);
  gRaised.clear();
  QTest::mouseClick(up, Qt::LeftButton);
  EXPECT_EQ(Content(unit), "1");
  EXPECT_EQ(Count(0), 1);
  QTest::mouseClick(down, Qt::LeftButton);
  EXPECT_EQ(Content(unit), "10");
  EXPECT_EQ(Get(unit, kSelText), "10");
  EXPECT_TRUE(unit->widget()->hasFocus());
  QTest::keyClick(unit->widget(), Qt::Key_Down);
  EXPECT_EQ(Content(unit), "9");
  SetText(unit, kContent, "abc");
  QTest::mouseClick(up, Qt::LeftButton);
  EXPECT_EQ(Content(unit), "1");

  // Disabled, the arrows do nothing.
  unit->widget()->setEnabled(false);
  EXPECT_FALSE(up->isEnabled());
  unit->widget()->setEnabled(true);
  Set(unit, kUpDownMax, PropertyValue::Integer(-5));
  QTest::mouseClick(down, Qt::LeftButton);
  EXPECT_EQ(Content(unit), "0");
}

TEST_F(EditBoxTest, ManualUpDownReportsTheDirectionAndLeavesTheText) {
  Unit* unit = Create(With([](auto& p) { p.upDownMode = kManualUpDown; p.content = "7"; }));
  gRaised.clear();
  QTest::mouseClick(window_.findChild<QToolButton*>("up"), Qt::LeftButton);
  QTest::mouseClick(window_.findChild<QToolButton*>("down"), Qt::LeftButton);
  EXPECT_EQ(gRaised, (std::vector<Raised>{{1, {1}}, {1, {-1}}}));
  EXPECT_EQ(Content(unit), "7");
}

TEST_F(EditBoxTest, UpDownFollowsTheBox) {
  Unit* unit = Create(With([](auto& p) { p.upDownMode = kAutomaticUpDown; p.borderStyle = 2; }));
  auto* button = window_.findChild<QToolButton*>("up")->parentWidget();
  QWidget* box = unit->widget();
  EXPECT_EQ(button->geometry(), QRect(130, 10, 18, 24));
  box->setGeometry(50, 60, 100, 30);
  EXPECT_EQ(button->geometry(), QRect(150, 60, 18, 30));
  box->hide();
  EXPECT_TRUE(button->isHidden());
  box->show();
  EXPECT_FALSE(button->isHidden());
  QWidget later(&window_);
  box->raise();
  const QObjectList stacking = window_.children();
  EXPECT_EQ(stacking.indexOf(button) + 1, stacking.indexOf(box)) << "the button stays right under the box";
  QWidget elsewhere(&window_);
  box->setParent(&elsewhere);
  EXPECT_EQ(button->parentWidget(), &elsewhere);
  QPointer<QWidget> gone = button;
  delete unit;
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(gone.isNull());

  // Without a parent there is nowhere to put the button: the box works without it.
  const std::vector<uint8_t> data = DataOf(With([](auto& p) { p.upDownMode = kAutomaticUpDown; }));
  Unit* lone = Ask<interface_number::kCreateUnit>()(data.data(), static_cast<int32_t>(data.size()), 0, nullptr, 0,
                                                    nullptr, 0, 0, 80, 24, 1, 2, 0, 0);
  EXPECT_EQ(GetInt(lone, kUpDownMode), kNoUpDown);
  delete lone;
}

TEST_F(EditBoxTest, ASingleLineGrowsToHoldOneLineOfText) {
  Unit* low = Create(EditBoxProperties(), 5);
  EXPECT_GE(low->widget()->height(), QFontMetrics(low->widget()->font()).height() + 4);
  Unit* multi = Create(With([](auto& p) { p.multiline = 1; }), 5);
  EXPECT_EQ(multi->widget()->height(), 5);
}

TEST_F(EditBoxTest, PaintsItsColoursAndBorder) {
  Unit* unit = Create(With([](auto& p) { p.borderStyle = 5; p.backColor = 0x0000FF; }), 30);
  const QImage image = unit->widget()->grab().toImage();
  EXPECT_EQ(image.pixelColor(0, 15), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(60, 0), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::red));
  EXPECT_EQ(image.pixelColor(117, 27), QColor(Qt::red));
  Set(unit, kBorderStyle, PropertyValue::Integer(0));
  EXPECT_EQ(unit->widget()->grab().toImage().pixelColor(0, 0), QColor(Qt::red));
}

TEST_F(EditBoxTest, BoxesOfOneColourKeepTheirOwnSelectionLook) {
  // Red boxes, two hiding their selection without the focus and one never hiding it, and a green one.
  Unit* a = Create(With([](auto& p) { p.backColor = 0x0000FF; p.hideSelection = 1; }));
  Unit* b = Create(With([](auto& p) { p.backColor = 0x0000FF; p.hideSelection = 1; }));
  Unit* c = Create(With([](auto& p) { p.backColor = 0x0000FF; p.hideSelection = 0; }));
  Unit* d = Create(With([](auto& p) { p.backColor = 0x00FF00; p.hideSelection = 0; }));
  auto colour = [](Unit* u, QPalette::ColorRole role) { return u->widget()->palette().color(QPalette::Active, role); };
  for (Unit* red : {a, b, c}) EXPECT_EQ(colour(red, QPalette::Base), QColor(Qt::red));
  EXPECT_EQ(colour(d, QPalette::Base), QColor(Qt::green));
  EXPECT_EQ(colour(a, QPalette::Highlight), QColor(Qt::red)) << "a hidden selection wears the background";
  EXPECT_EQ(colour(b, QPalette::Highlight), QColor(Qt::red));
  EXPECT_NE(colour(c, QPalette::Highlight), QColor(Qt::red));
  EXPECT_EQ(colour(c, QPalette::Highlight), colour(d, QPalette::Highlight));
  Focus(a);
  EXPECT_NE(colour(a, QPalette::Highlight), QColor(Qt::red));
  EXPECT_EQ(colour(b, QPalette::Highlight), QColor(Qt::red));
  FocusAway();
  EXPECT_EQ(colour(a, QPalette::Highlight), QColor(Qt::red));
  EXPECT_EQ(colour(a, QPalette::Base), QColor(Qt::red));
}

TEST_F(EditBoxTest, ASingleLineSitsCentredInTheBoxInItsAlignmentAndColour) {
  // Red text on white, right-aligned, in a box much taller than a line.
  Unit* unit = Create(With([](auto& p) {
    p.borderStyle = 0;
    p.alignment = 2;
    p.textColor = 0x0000FF;
    p.content = "\xb9\xfa\xb9\xfa";  // 国国
  }), 60);
  const QImage image = unit->widget()->grab().toImage();
  QRect ink;
  int strong = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c == QColor(Qt::white)) continue;
      ASSERT_TRUE(c.red() >= c.green() && std::abs(c.green() - c.blue()) < 8) << "red text, smoothed onto white";
      strong += c.red() - c.green() > 150;
      ink |= QRect(x, y, 1, 1);
    }
  }
  EXPECT_GT(strong, 10);
  EXPECT_NEAR(ink.center().y(), 30, 3);
  EXPECT_GT(ink.left(), 60);
}

TEST_F(EditBoxTest, PasswordCharacterMasksTheTextWithAWholeCharacter) {
  Unit* unit = Create(With([](auto& p) { p.inputMode = kPassword; p.content = "abc"; }));
  auto* line = static_cast<QLineEdit*>(unit->widget());
  EXPECT_EQ(line->displayText(), "***");
  SetText(unit, kPasswordChar, "●x");
  EXPECT_EQ(Get(unit, kPasswordChar), "\xa1\xf1");
  EXPECT_EQ(line->displayText(), QString::fromUtf8("●●●"));
  SetText(unit, kPasswordChar, "");
  EXPECT_EQ(line->displayText(), "***") << "an empty password character must not show the password";
  EXPECT_EQ(Content(unit), "abc");
}

TEST_F(EditBoxTest, AccessibilityReadsTheContentButNeverAPassword) {
  Unit* single = Create(With([](auto& p) { p.content = "\xbc\xc6\xcb\xe3"; }));  // 计算
  Unit* multi = Create(With([](auto& p) { p.multiline = 1; p.content = "a\r\nb"; }));
  Unit* password = Create(With([](auto& p) { p.inputMode = kPassword; p.content = "secret"; }));
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(single->widget());
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::EditableText);
  EXPECT_EQ(a->text(QAccessible::Value), QString::fromUtf8("计算"));
  a = QAccessible::queryAccessibleInterface(multi->widget());
  EXPECT_EQ(a->role(), QAccessible::EditableText);
  ASSERT_NE(a->textInterface(), nullptr);
  EXPECT_EQ(a->textInterface()->text(0, 3), "a\nb");
  a = QAccessible::queryAccessibleInterface(password->widget());
  EXPECT_EQ(a->role(), QAccessible::EditableText);
  EXPECT_FALSE(a->text(QAccessible::Value).contains("secret"));
  ASSERT_NE(a->textInterface(), nullptr);
  EXPECT_FALSE(a->textInterface()->text(0, 6).contains("secret"));
}

TEST_F(EditBoxTest, TextFromAssistiveTechnologyPassesTheSameFilterAsTyping) {
  for (bool multiline : {false, true}) {
    SCOPED_TRACE(multiline);
    Unit* unit = Create(With([multiline](auto& p) {
      p.inputMode = kInteger;
      p.multiline = multiline ? 1 : 0;
    }));
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(unit->widget());
    ASSERT_NE(a, nullptr);
    ASSERT_NE(a->editableTextInterface(), nullptr);
    a->editableTextInterface()->insertText(0, QStringLiteral("abc"));
    EXPECT_EQ(Content(unit), "");
    a->editableTextInterface()->insertText(0, QStringLiteral("12.9"));
    EXPECT_EQ(Content(unit), "129");
    a->editableTextInterface()->replaceText(1, 2, QStringLiteral("x5"));
    EXPECT_EQ(Content(unit), "159");
  }
}

TEST_F(EditBoxTest, EnumTextsOffersEveryTextAndWritesTheReplacements) {
  const std::vector<uint8_t> data = DataOf(With([](auto& p) { p.content = "old"; p.dataSource = "src"; }));
  int32_t length = static_cast<int32_t>(data.size());
  static std::vector<std::string> offered;
  offered.clear();
  void* block = Ask<interface_number::kEnumTexts>()(
      data.data(), &length,
      [](const char* text, intptr_t) -> const char* {
        offered.emplace_back(text);
        return std::string_view(text) == "old" ? "new" : nullptr;
      },
      0);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(offered, (std::vector<std::string>{"old", "src", ""}));
  Unit* unit = Ask<interface_number::kCreateUnit>()(static_cast<uint8_t*>(block), length, 0, &window_, 0, nullptr,
                                                    0, 0, 80, 24, 1, 2, 0, 0);
  runtime::Free(block);
  EXPECT_EQ(Content(unit), "new");
  EXPECT_EQ(Get(unit, kDataSource), "src");
}

}  // namespace
}  // namespace units::editbox
