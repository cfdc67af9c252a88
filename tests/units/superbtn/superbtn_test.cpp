#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDeadlineTimer>
#include <QBuffer>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gbk.h"
#include "platform/sound.h"
#include "base/program/memory.h"
#include "base/program/notify_codes.h"
#include "tests/platform/wave_builder.h"
#include "tests/support/test_program.h"
#include "contract/event_report.h"
#include "contract/unit.h"
#include "contract/unit_interfaces.h"
#include "contract/unit_type_records.h"
#include "libraries/support_libraries.h"
#include "units/superbtn/lighten_color.h"
#include "units/superbtn/superbtn_properties.h"

namespace {

using namespace units;
using test_support::PutBytes;
using test_support::PutText;
using test_support::PutU32;

template <int32_t N>
auto Ask() {
  return AskInterface<N>(kSuperBtnType);
}

// Reports the buttons send, and what the test's handler does meanwhile.
std::vector<int32_t> gEvents;
std::function<void(const EventReport&)> gHandler;

intptr_t FakeHost(int32_t code, intptr_t arg1, intptr_t) {
  if (code != runtime::notify::kRaiseEvent) return 0;
  auto* report = reinterpret_cast<EventReport*>(arg1);
  gEvents.push_back(report->event);
  if (gHandler) gHandler(*report);
  return 1;
}

int Count(int32_t event) { return static_cast<int>(std::count(gEvents.begin(), gEvents.end(), event)); }

// Property data of a button as the forms store it (version 2 unless told otherwise).
struct Button {
  int32_t version = 2, style = 0, checkMode = 0, checked = 0, position = 0, pressOffset = 0, hoverBorder = 1,
          focusRect = 0;
  uint32_t hotTrans = 0xFF000000, normalTrans = 0xFF000000;
  int32_t systemColors = 1, builtinSound = 0, defaultButton = 0;
  uint32_t colors[6] = {0, 0x00C8D0D4, 0, 0x00E8F0F4, 0, 0x00C8D0D4};
  std::vector<uint8_t> hotPicture, normalPicture, font, hoverSound, clickSound;
  std::string caption = "超级按钮", toolTip;  // UTF-8; stored as GBK
  uint32_t disabledTrans = 0xFF000000;
  std::vector<uint8_t> disabledPicture;

  // The toolbox's own buttons: flat, no border, black on yellow, orange when hot.
  static Button Toolbox() {
    Button b;
    b.hoverBorder = 0;
    b.systemColors = 0;
    b.colors[1] = b.colors[5] = 0x0045DCF1;
    b.colors[3] = 0x0046B5F3;
    b.caption = "计算";
    return b;
  }

  std::vector<uint8_t> Data() const {
    std::vector<uint8_t> d;
    for (int32_t v : {version, style, checkMode, checked, position, pressOffset, hoverBorder, focusRect})
      PutU32(d, static_cast<uint32_t>(v));
    PutU32(d, hotTrans);
    PutU32(d, normalTrans);
    for (int32_t v : {systemColors, builtinSound, defaultButton}) PutU32(d, static_cast<uint32_t>(v));
    for (uint32_t c : colors) PutU32(d, c);
    for (const auto* bytes : {&hotPicture, &normalPicture, &font, &hoverSound, &clickSound}) PutBytes(d, *bytes);
    PutText(d, caption.c_str());
    PutText(d, toolTip.c_str());
    if (version >= 2) {
      PutU32(d, disabledTrans);
      PutBytes(d, disabledPicture);
    }
    return d;
  }
};

// A square picture file: `border` all round a `centre` block, as BMP bytes.
std::vector<uint8_t> Picture(int size, QColor border, QColor centre) {
  QImage image(size, size, QImage::Format_RGB32);
  image.fill(border);
  QPainter(&image).fillRect(size / 4, size / 4, size / 2, size / 2, centre);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return {bytes.begin(), bytes.end()};
}

const QRgb kFace = qRgb(212, 208, 200);     // the classic button face
const QRgb kHotFace = qRgb(244, 240, 232);  // lightened by 32
const QRgb kToolboxFace = qRgb(241, 220, 69);
const QRgb kToolboxHot = qRgb(243, 181, 70);
const QRgb kParent = qRgb(10, 90, 30);

class SuperBtnTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Ui2Library().notify(runtime::library_notify::kSetHostNotify,
                                                     reinterpret_cast<intptr_t>(&FakeHost), 0); }
  static void TearDownTestSuite() { Ui2Library().notify(runtime::library_notify::kSetHostNotify, 0, 0); }

  void SetUp() override {
    gEvents.clear();
    gHandler = nullptr;
    window_ = std::make_unique<QWidget>();
    window_->resize(200, 100);
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(kParent));
    window_->setPalette(palette);
    window_->setAutoFillBackground(true);
    window_->show();
  }
  void TearDown() override { gHandler = nullptr; }

  SuperBtnUnit* Create(const Button& b, QRect where = {10, 10, 80, 30}, uint32_t style = window_style::kTabStop) {
    std::vector<uint8_t> data = b.Data();
    Unit* unit = Ask<interface_number::kCreateUnit>()(data.data(), static_cast<int32_t>(data.size()), style,
                                                      window_.get(), 1, nullptr, where.x(), where.y(),
                                                      where.width(), where.height(), 0x52000001, 0x16000001, 0, 0);
    if (unit == nullptr) return nullptr;
    unit->widget()->show();
    return static_cast<SuperBtnUnit*>(unit);
  }

  static int32_t Set(Unit* unit, int32_t index, intptr_t value) {
    PropertyValue v{value, 0};
    return Ask<interface_number::kPropertyChanged>()(unit, index, &v, 0);
  }
  static intptr_t Get(Unit* unit, int32_t index) {
    PropertyValue v;
    EXPECT_EQ(Ask<interface_number::kGetProperty>()(unit, index, &v), 1);
    return v.first;
  }

  static QImage Shot(QWidget* w) {
    QApplication::processEvents();
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }
  static void Hover(QWidget* w, QPoint at, Qt::MouseButtons held = Qt::NoButton) {
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
  }
  static void Leave(QWidget* w) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w, &leave);
  }

  std::unique_ptr<QWidget> window_;
};

TEST(LightenColorTest, OneShiftForAllChannelsWithinRange) {
  EXPECT_EQ(LightenColor(0x00C8D0D4, 32), 0x00E8F0F4u);
  EXPECT_EQ(LightenColor(0x00F0F0F0, 32), 0x00FFFFFFu);  // reduced to 15 by the brightest channel
  EXPECT_EQ(LightenColor(0x00102030, -32), 0x00001020u);  // reduced to -16 by the darkest
  EXPECT_EQ(LightenColor(0xFF102030, 0), 0x00102030u);
  EXPECT_EQ(LightenColor(0x00102030, 256), 0x00102030u);
}

TEST_F(SuperBtnTest, PropertyDataOfEveryVersion) {
  // The toolbox's buttons: 126 bytes for a 14-byte caption, written back byte for byte.
  Button toolbox = Button::Toolbox();
  toolbox.caption = "服务器开放时间";
  ASSERT_EQ(toolbox.Data().size(), 126u);
  SuperBtnUnit* button = Create(toolbox);
  ASSERT_NE(button, nullptr);
  int32_t length = 0;
  void* block = Ask<interface_number::kGetAllPropertyData>()(button, &length);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(std::vector<uint8_t>(static_cast<uint8_t*>(block), static_cast<uint8_t*>(block) + length),
            toolbox.Data());
  runtime::Free(block);

  // Version 1 stops before the disabled picture; written again it is version 2.
  Button old;
  old.version = 1;
  SuperBtnUnit* older = Create(old);
  ASSERT_NE(older, nullptr);
  EXPECT_EQ(Get(older, 11), 0);
  EXPECT_EQ(static_cast<uint32_t>(Get(older, 12)), 0xFF000000u);
  block = Ask<interface_number::kGetAllPropertyData>()(older, &length);
  EXPECT_EQ(length, static_cast<int32_t>(old.Data().size()) + 8);
  EXPECT_EQ(static_cast<uint8_t*>(block)[0], 2);
  runtime::Free(block);

  Button future;
  future.version = 3;
  EXPECT_EQ(Create(future), nullptr);

  // No data at all: the defaults.
  Unit* plain = Ask<interface_number::kCreateUnit>()(nullptr, 0, 0, window_.get(), 1, nullptr, 0, 0, 80, 30, 1, 2,
                                                      0, 0);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(platform::GbkToUtf8(reinterpret_cast<const char*>(Get(plain, 14))), "超级按钮");
  EXPECT_EQ(Get(plain, 15), 1);
  EXPECT_EQ(Get(plain, 5), 1);
  EXPECT_EQ(static_cast<uint32_t>(Get(plain, 19)), 0x00E8F0F4u);
}

TEST_F(SuperBtnTest, PropertyChangesClampStoreAndAskForRecreation) {
  SuperBtnUnit* button = Create(Button{});
  for (auto [index, value, stored] : std::vector<std::tuple<int32_t, int32_t, int32_t>>{
           {0, 5, 2}, {0, -1, 0}, {3, 9, 3}, {4, -3, 0}, {4, 4, 1}}) {
    EXPECT_EQ(Set(button, index, value), 0);
    EXPECT_EQ(Get(button, index), stored) << "own property " << index;
  }
  EXPECT_EQ(Set(button, 1, 0), 0);  // check mode unchanged: nothing to do
  EXPECT_EQ(Set(button, 1, 1), 1);
  EXPECT_FALSE(button->InCheckMode());  // until the host re-creates it
  EXPECT_EQ(Set(button, 26, 7), 1);
  EXPECT_EQ(Get(button, 26), 1);
  EXPECT_EQ(Ask<interface_number::kIsDefaultButton>()(button), 0);  // until re-created
  Button b;
  b.defaultButton = 3;  // any non-zero stored value counts, but not in check mode
  EXPECT_EQ(Ask<interface_number::kIsDefaultButton>()(Create(b)), 1);
  b.checkMode = 1;
  EXPECT_EQ(Ask<interface_number::kIsDefaultButton>()(Create(b)), 0);

}

// Each setting that makes others meaningless hides exactly those, and no other.
TEST_F(SuperBtnTest, ApplicabilityFollowsTheSettingsThatGiveAPropertyMeaning) {
  const auto applicable = [](Unit* unit) {
    std::vector<int32_t> own;
    for (int32_t index = 0; index < 27; ++index)
      if (Ask<interface_number::kPropertyApplicable>()(unit, index) != 0) own.push_back(index);
    return own;
  };
  // Defaults: not in check mode, no pictures, system colours, own sounds.
  EXPECT_EQ(applicable(Create(Button{})),
            (std::vector<int32_t>{0, 1, 3, 4, 5, 6, 7, 9, 11, 13, 14, 15, 22, 23, 24, 25, 26}));
  Button b;
  b.style = 1;  // classic: no hover border, focus rectangle setting or hover sound
  b.checkMode = 1;
  b.systemColors = 0;
  b.builtinSound = 1;
  b.hotPicture = Picture(8, Qt::red, Qt::blue);
  EXPECT_EQ(applicable(Create(b)),
            (std::vector<int32_t>{0, 1, 2, 3, 4, 7, 9, 10, 11, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 25}));
}

TEST_F(SuperBtnTest, FaceColourFollowsTheState) {
  SuperBtnUnit* button = Create(Button::Toolbox());
  const QPoint corner(2, 2);
  EXPECT_EQ(Shot(button).pixel(corner), kToolboxFace);
  Hover(button, {40, 15});
  EXPECT_TRUE(button->Hot());
  EXPECT_EQ(Shot(button).pixel(corner), kToolboxHot);
  Leave(button);
  EXPECT_EQ(Shot(button).pixel(corner), kToolboxFace);
  Hover(button, {40, 15}, Qt::LeftButton);  // dragged in from elsewhere: not lit
  EXPECT_FALSE(button->Hot());
  QTest::mousePress(button, Qt::LeftButton, {}, {40, 15});
  EXPECT_EQ(Shot(button).pixel(corner), kToolboxHot);
  QTest::mouseRelease(button, Qt::LeftButton, {}, {40, 15});
  Leave(button);
  Set(button, 21, 0x00FF0000);  // focus face blue
  button->setFocus();
  EXPECT_EQ(Shot(button).pixel(corner), qRgb(0, 0, 255));

  // System colours: the classic face, lightened when hot; no border without hover.
  SuperBtnUnit* system = Create(Button{}, {100, 10, 80, 30});
  EXPECT_EQ(Shot(system).pixel(corner), kFace);
  EXPECT_EQ(Shot(system).pixel(0, 0), kFace);
  Hover(system, {40, 15});
  const QImage hot = Shot(system);
  EXPECT_EQ(hot.pixel(corner), kHotFace);
  EXPECT_EQ(hot.pixel(0, 0), qRgb(255, 255, 255));  // the raised hover border
  EXPECT_EQ(hot.pixel(79, 29), qRgb(128, 128, 128));
  QTest::mousePress(system, Qt::LeftButton, {}, {40, 15});
  const QImage down = Shot(system);
  EXPECT_EQ(down.pixel(0, 0), qRgb(128, 128, 128));  // sunken while pressed
  EXPECT_EQ(down.pixel(79, 29), qRgb(255, 255, 255));
  QTest::mouseRelease(system, Qt::LeftButton, {}, {40, 15});
}

TEST_F(SuperBtnTest, ClassicStyleDrawsItsBorderLineByLine) {
  Button b;
  b.style = 1;
  b.caption.clear();
  SuperBtnUnit* button = Create(b, {10, 10, 20, 10}, 0);
  Hover(button, {5, 5});
  EXPECT_FALSE(button->Hot());  // no hot state in the classic style
  const QImage shot = Shot(button);
  const QRgb white = qRgb(255, 255, 255), light = kFace, dark = qRgb(64, 64, 64), shadow = qRgb(128, 128, 128);
  EXPECT_EQ(shot.pixel(0, 0), white);
  // Where the lines meet, the later one wins.
  for (auto [x, y, color] : std::vector<std::tuple<int, int, QRgb>>{{18, 0, white}, {19, 0, dark}, {0, 8, white},
                                                                     {0, 9, dark}, {1, 1, light}, {1, 8, shadow},
                                                                     {18, 1, shadow}, {19, 9, dark}, {5, 5, kFace}})
    EXPECT_EQ(shot.pixel(x, y), color) << x << "," << y;

  // Focused: a black frame outside and a dotted focus rectangle 3 pixels in from the border.
  button->setFocusPolicy(Qt::StrongFocus);
  button->setFocus();
  const QImage focused = Shot(button);
  EXPECT_EQ(focused.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(focused.pixel(19, 9), qRgb(0, 0, 0));
  EXPECT_EQ(focused.pixel(1, 1), white);
  EXPECT_NE(focused.pixel(4, 4), kFace);
  EXPECT_EQ(focused.pixel(5, 4), kFace);
  EXPECT_NE(focused.pixel(6, 4), kFace);
}

TEST_F(SuperBtnTest, RoundedStyleShowsTheParentInItsCorners) {
  Button b;
  b.style = 2;
  SuperBtnUnit* button = Create(b);
  Hover(button, {40, 15});
  const QImage shot = Shot(window_.get()).copy(button->geometry());
  EXPECT_EQ(shot.pixel(0, 0), kParent);
  EXPECT_EQ(shot.pixel(40, 0), qRgb(0, 0, 0));
  EXPECT_EQ(shot.pixel(4, 15), kHotFace);
}

TEST_F(SuperBtnTest, ClickReportsEventZeroOnceAndTogglesFirst) {
  Button b;
  b.checkMode = 1;
  SuperBtnUnit* button = Create(b);
  std::vector<intptr_t> checkedInHandler;
  gHandler = [&](const EventReport& report) {
    if (report.event == 0) checkedInHandler.push_back(Get(button, 2));
  };
  QTest::mouseClick(button, Qt::LeftButton, {}, {40, 15});
  QTest::mouseClick(button, Qt::LeftButton, {}, {40, 15});
  EXPECT_EQ(checkedInHandler, (std::vector<intptr_t>{1, 0}));

  // A fast double click arrives as press, release, double click, release: one click.
  gEvents.clear();
  const QPoint at(40, 15);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                            QEvent::MouseButtonRelease}) {
    const bool down = type != QEvent::MouseButtonRelease;
    QMouseEvent event(type, at, button->mapToGlobal(at), Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(button, &event);
  }
  EXPECT_EQ(Count(0), 1);
  // Space on the focused button is another click.
  button->setFocus();
  QTest::keyClick(button, Qt::Key_Space);
  EXPECT_EQ(Count(0), 2);
  EXPECT_EQ(Get(button, 2), 0);
}

TEST_F(SuperBtnTest, CheckedStateSurvivesRecreationData) {
  Button b;
  b.checkMode = 1;
  SuperBtnUnit* button = Create(b);
  QTest::mouseClick(button, Qt::LeftButton, {}, {40, 15});
  int32_t length = 0;
  void* block = Ask<interface_number::kGetAllPropertyData>()(button, &length);
  Unit* fresh = Ask<interface_number::kCreateUnit>()(static_cast<uint8_t*>(block), length, 0, window_.get(), 1,
                                                      nullptr, 0, 0, 80, 30, 1, 3, 0, 0);
  runtime::Free(block);
  EXPECT_EQ(Get(fresh, 2), 1);
}

TEST_F(SuperBtnTest, HandlerThatDestroysTheButtonEndsTheClick) {
  SuperBtnUnit* button = Create(Button{});
  QPointer<QWidget> alive(button);
  gHandler = [&](const EventReport& report) {
    if (report.event == 0) delete button;
  };
  QTest::mouseClick(button, Qt::LeftButton, {}, {40, 15});
  EXPECT_TRUE(alive.isNull());
  EXPECT_EQ(Count(0), 1);
}

TEST_F(SuperBtnTest, FocusEventsAndDisablingMovesTheFocusOn) {
  auto* before = new QLineEdit(window_.get());
  SuperBtnUnit* button = Create(Button{});
  auto* after = new QLineEdit(window_.get());
  before->show();
  after->show();
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  button->setFocus();
  before->setFocus();
  EXPECT_EQ(Count(-7), 1);
  EXPECT_EQ(Count(-8), 1);

  // The line edit before the button has the focus; disabling the button still moves it on.
  button->setEnabled(false);
  EXPECT_TRUE(after->hasFocus());

  // With no tab stop left after it, the parent takes the focus.
  after->setEnabled(false);
  before->setEnabled(false);
  button->setEnabled(true);
  button->setEnabled(false);
  EXPECT_TRUE(window_->hasFocus());
}

TEST_F(SuperBtnTest, PictureAloneIsPlacedByPosition) {
  Button b;
  b.caption.clear();
  b.normalPicture = Picture(8, Qt::magenta, Qt::blue);  // the magenta corner is transparent
  b.hoverBorder = 0;
  const QRgb blue = qRgb(0, 0, 255);
  auto blueBox = [&](SuperBtnUnit* button) {
    const QImage shot = Shot(button);
    QRect box;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x) {
        EXPECT_NE(shot.pixel(x, y), qRgb(255, 0, 255));
        if (shot.pixel(x, y) == blue) box |= QRect(x, y, 1, 1);
      }
    return box;
  };
  // Centred for positions 0 and 1, centred at the top for 2, at the corner for 3.
  for (auto [position, expected] : std::vector<std::pair<int32_t, QRect>>{
           {0, {38, 13, 4, 4}}, {1, {38, 13, 4, 4}}, {2, {38, 2, 4, 4}}, {3, {2, 2, 4, 4}}, {7, {2, 2, 4, 4}}}) {
    b.position = position;
    EXPECT_EQ(blueBox(Create(b)), expected) << "position " << position;
  }
  // Pressed outside check mode, the picture moves by the press shift.
  b.position = 3;
  SuperBtnUnit* button = Create(b);
  QTest::mousePress(button, Qt::LeftButton, {}, {40, 15});
  EXPECT_EQ(blueBox(button), QRect(3, 3, 4, 4));
  QTest::mouseRelease(button, Qt::LeftButton, {}, {40, 15});
  Set(button, 4, 1);
  QTest::mousePress(button, Qt::LeftButton, {}, {40, 15});
  EXPECT_EQ(blueBox(button), QRect(2, 4, 4, 4));
  QTest::mouseRelease(button, Qt::LeftButton, {}, {40, 15});
}

TEST_F(SuperBtnTest, CheckModeShowsTheHotPictureOnlyWhileChecked) {
  Button b;
  b.caption.clear();
  b.checkMode = 1;
  b.position = 3;
  b.normalPicture = Picture(8, Qt::magenta, Qt::blue);
  b.hotPicture = Picture(8, Qt::magenta, Qt::red);
  SuperBtnUnit* button = Create(b);
  EXPECT_EQ(Shot(button).pixel(3, 3), qRgb(0, 0, 255));
  Hover(button, {40, 15});
  EXPECT_EQ(Shot(button).pixel(3, 3), qRgb(0, 0, 255));
  QTest::mouseClick(button, Qt::LeftButton, {}, {40, 15});
  EXPECT_EQ(Shot(button).pixel(3, 3), qRgb(255, 0, 0));  // checked, and not shifted
}

TEST_F(SuperBtnTest, DisabledPictureOrTheOthersGreyed) {
  Button b;
  b.caption.clear();
  b.position = 3;
  b.hotPicture = Picture(8, Qt::magenta, Qt::red);
  SuperBtnUnit* greyed = Create(b, {10, 10, 80, 30}, window_style::kDisabled);
  const QImage shot = Shot(greyed);
  EXPECT_EQ(shot.pixel(3, 3), qRgb(128, 128, 128));
  EXPECT_EQ(shot.pixel(6, 6), qRgb(255, 255, 255));  // the highlight one pixel down and right
  EXPECT_EQ(shot.pixel(0, 0), kFace);               // transparent corner

  // The caption of a disabled button is embossed whatever its colours.
  Button red = Button::Toolbox();
  red.colors[0] = 0x000000FF;
  const QImage caption = Shot(Create(red, {10, 10, 80, 30}, window_style::kDisabled));
  int embossed = 0, inRed = 0;
  for (int y = 0; y < caption.height(); ++y)
    for (int x = 0; x < caption.width(); ++x) {
      embossed += caption.pixel(x, y) == qRgb(128, 128, 128);
      inRed += qRed(caption.pixel(x, y)) > 200 && qGreen(caption.pixel(x, y)) < 60;
    }
  EXPECT_GT(embossed, 0);
  EXPECT_EQ(inRed, 0);

  b.disabledPicture = Picture(8, Qt::magenta, Qt::green);
  SuperBtnUnit* own = Create(b, {10, 10, 80, 30}, window_style::kDisabled);
  EXPECT_EQ(Shot(own).pixel(3, 3), qRgb(0, 255, 0));

  // An explicit transparent colour keeps the picture's corner colour out instead.
  Set(own, 12, 0x0000FF00);  // green, as 0x00BBGGRR
  const QImage keyed = Shot(own);
  EXPECT_EQ(keyed.pixel(3, 3), kFace);
  EXPECT_EQ(keyed.pixel(0, 0), qRgb(255, 0, 255));
}

TEST_F(SuperBtnTest, BuiltInSoundIsAWaveOfTheLibrary) {
  SuperBtnProperties p;
  p.builtinSound = 1;
  std::span<const uint8_t> wave = ButtonSound(p, 0);
  ASSERT_GT(wave.size(), 44u);
  EXPECT_EQ(std::string(wave.begin() + 8, wave.begin() + 12), "WAVE");
}

TEST_F(SuperBtnTest, HoverAndClickPlayTheirSoundsAndEachIsFreedAfterIt) {
  Button b;
  b.hoverSound = test_support::SilentWave(30);
  b.clickSound = test_support::SilentWave(40);
  SuperBtnUnit* button = Create(b);
  const int before = platform::LiveSounds();
  QTest::mouseMove(button, {40, 15});
  EXPECT_EQ(platform::LiveSounds(), before + 1) << "the hover sound";
  QTest::mouseClick(button, Qt::LeftButton, {}, {40, 15});
  EXPECT_EQ(platform::LiveSounds(), before + 2) << "the click sound";
  // Heard or not (no audio output here), both are freed a little after their length.
  QDeadlineTimer deadline(5000);
  while (platform::LiveSounds() > before && !deadline.hasExpired()) {
    QTest::qWait(20);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  EXPECT_EQ(platform::LiveSounds(), before);
}

TEST_F(SuperBtnTest, ToolTipWrapsAtFourHundredPixels) {
  Button b;
  b.toolTip = std::string(60, 'x') + " " + std::string(60, 'y');
  SuperBtnUnit* button = Create(b);
  EXPECT_EQ(button->findChild<QWidget*>(QStringLiteral("superbtn-tip")), nullptr);  // made on first use
  QHelpEvent help(QEvent::ToolTip, {5, 5}, button->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(button, &help);
  auto* tip = button->findChild<QLabel*>(QStringLiteral("superbtn-tip"));
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(tip->isVisible());
  EXPECT_LE(tip->width(), 400);
  EXPECT_GT(tip->height(), 2 * tip->fontMetrics().height());
  Leave(button);
  EXPECT_FALSE(tip->isVisible());

  std::string none;
  PropertyValue empty = PropertyValue::Text(none.c_str());
  EXPECT_EQ(Ask<interface_number::kPropertyChanged>()(button, 25, &empty, 0), 0);
  QApplication::sendEvent(button, &help);
  EXPECT_FALSE(tip->isVisible());
}

TEST_F(SuperBtnTest, AssistiveTechnologyReadsCaptionAndCheckState) {
  Button b;
  b.caption = "计算(&C)";
  b.checkMode = 1;
  b.toolTip = "提示";
  SuperBtnUnit* button = Create(b);
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::PushButton);
  EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("计算(C)"));
  EXPECT_EQ(accessible->text(QAccessible::Description), QStringLiteral("提示"));
  EXPECT_TRUE(accessible->state().checkable);
  EXPECT_FALSE(accessible->state().checked);
  accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(Count(0), 0) << "clicked on the next turn of the event loop, not inside the request";
  QCoreApplication::processEvents();
  EXPECT_TRUE(accessible->state().checked);
  EXPECT_EQ(Count(0), 1);

  QAccessibleInterface* plain = QAccessible::queryAccessibleInterface(Create(Button{}));
  EXPECT_EQ(plain->role(), QAccessible::PushButton);
  EXPECT_FALSE(plain->state().checkable);
}

}  // namespace
