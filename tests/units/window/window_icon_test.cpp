// The window's icons: the one the desktop shows for it, and its notification-area icon as a
// program reaches it through the core library's command (added, replaced and removed, its clicks
// raised as the window's event 9, and gone with the window).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QPointer>
#include <QTest>
#include <QSystemTrayIcon>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/program/bridge.h"
#include "base/program/memory.h"
#include "base/values/data_block.h"
#include "base/values/value.h"
#include "contract/unit_type_ids.h"
#include "host/host.h"
#include "libraries/support_libraries.h"
#include "tests/imaging/picture_builders.h"
#include "tests/support/test_program.h"
#include "units/window/window_properties.h"
#include "units/window/window_unit.h"

namespace {

constexpr uint32_t kWindowId = 0x52000011;
constexpr uint32_t kOwnId = 0x06000011;

using picture_builders::Bytes;

// Icon file data with one 16-pixel entry of a single colour.
Bytes IconOf(QColor colour) {
  QImage picture(16, 16, QImage::Format_ARGB32);
  picture.fill(colour);
  return picture_builders::IconFile(1, {{16, 16, picture_builders::Encode(picture, "png")}});
}

QRgb ColourOf(const QIcon& icon) { return icon.pixmap(16, 16).toImage().pixel(8, 8); }

class WindowIconTest : public testing::Test {
 protected:
  // Loads the window; `onTray` runs for each event 9 after it is recorded.
  units::WindowUnit* Load(std::function<void()> onTray = {}, const Bytes& icon = {}) {
    units::WindowProperties p;
    p.icon = icon;
    std::vector<uint8_t> data;
    units::WritePropertyData(p, data);
    formtool::FormWindow window;
    window.id = kWindowId;
    window.units.push_back(test_support::MakeUnit(kOwnId, units::type_id::kWindow, 10, 20, 200, 100, data));
    const int32_t handler = program_.AddHandler([this, onTray](const intptr_t* args, int32_t count, int64_t*) {
      clicks_.push_back(count > 0 ? static_cast<int32_t>(args[0]) : -1);
      if (onTray) onTray();
      return false;
    });
    window.units[0].bindings.push_back({units::window_event::kTrayIcon, handler});
    program_.Start({window});
    runtime::LoadWindow({kWindowId, nullptr, 0});
    return dynamic_cast<units::WindowUnit*>(runtime::LiveUnit(kWindowId, 0));
  }

  // The command through the bridge, as a program calls it; no icon data removes the icon.
  static void Command(const std::optional<Bytes>& icon, const char* tip = nullptr) {
    runtime::ValueRecord args[3] = {runtime::MakeValue(units::type_id::kWindow), runtime::MakeValue(runtime::type::kNone),
                                    runtime::MakeValue(runtime::type::kNone)};
    args[0].unit = {kWindowId, kOwnId};
    if (icon) {
      args[1] = runtime::MakeValue(runtime::type::kByteData);
      args[1].ptr = runtime::NewByteData(icon->data(), static_cast<int32_t>(icon->size()));
    }
    if (tip != nullptr) {
      args[2] = runtime::MakeValue(runtime::type::kText);
      args[2].text = tip;
    }
    runtime::Bridge().callCoreCommand(units::TrayIconCommand, 3, args);
    runtime::Free(args[1].ptr);
  }

  static void DeleteLater() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  std::vector<int32_t> clicks_;
  test_support::TestProgram program_;
};

TEST_F(WindowIconTest, TheCommandAddsReplacesAndRemovesTheIconWithATipCutBetweenCharacters) {
  units::WindowUnit* window = Load();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->TrayIcon(), nullptr);

  Command(IconOf(Qt::red), "\xcc\xe1\xca\xbe");  // 提示
  QPointer<QSystemTrayIcon> tray = window->TrayIcon();
  ASSERT_NE(tray, nullptr);
  EXPECT_TRUE(tray->isVisible());
  EXPECT_EQ(ColourOf(tray->icon()), qRgb(255, 0, 0));
  EXPECT_EQ(tray->toolTip(), QStringLiteral("提示"));

  // Replaced in place. The tip keeps at most 62 bytes: a character that would end past them goes
  // whole, one that ends on the 62nd byte stays.
  const std::string over = std::string(61, 'a') + "\xb0\xa1";  // ... 啊
  Command(IconOf(Qt::blue), over.c_str());
  EXPECT_EQ(window->TrayIcon(), tray.data());
  EXPECT_EQ(ColourOf(tray->icon()), qRgb(0, 0, 255));
  EXPECT_EQ(tray->toolTip(), QString(61, QLatin1Char('a')));
  const std::string exact = std::string(60, 'a') + "\xb0\xa1";
  Command(IconOf(Qt::blue), exact.c_str());
  EXPECT_EQ(tray->toolTip(), QString(60, QLatin1Char('a')) + QStringLiteral("啊"));

  // Data that holds no icon shows the window's own; no tip is an empty one.
  Command(Bytes{1, 2, 3});
  EXPECT_EQ(tray->icon().pixmap(16, 16).toImage(), window->windowIcon().pixmap(16, 16).toImage());
  EXPECT_TRUE(tray->toolTip().isEmpty());

  Command(std::nullopt);
  EXPECT_EQ(window->TrayIcon(), nullptr);
  DeleteLater();
  EXPECT_TRUE(tray.isNull());
  Command(Bytes{});  // removing when there is none is nothing
  EXPECT_EQ(window->TrayIcon(), nullptr);
}

// Left click 1, double click 2, context 3; other buttons raise nothing. A handler may remove the
// icon from within its own notification: it leaves the area at once and goes after it.
TEST_F(WindowIconTest, ClicksRaiseEvent9AndAHandlerMayRemoveTheIconItWasToldAbout) {
  bool removeOnClick = false;
  units::WindowUnit* window = Load([&] {
    if (removeOnClick) Command(std::nullopt);
  });
  ASSERT_NE(window, nullptr);
  Command(IconOf(Qt::red), "x");
  QPointer<QSystemTrayIcon> tray = window->TrayIcon();
  ASSERT_NE(tray, nullptr);
  for (auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick, QSystemTrayIcon::MiddleClick,
                      QSystemTrayIcon::Context})
    Q_EMIT tray->activated(reason);
  EXPECT_EQ(clicks_, (std::vector<int32_t>{1, 2, 3}));

  removeOnClick = true;
  Q_EMIT tray->activated(QSystemTrayIcon::Trigger);
  ASSERT_FALSE(tray.isNull()) << "the icon outlives the notification that removed it";
  EXPECT_FALSE(tray->isVisible());
  EXPECT_EQ(window->TrayIcon(), nullptr);
  Q_EMIT tray->activated(QSystemTrayIcon::Trigger);
  EXPECT_EQ(clicks_.size(), 4u) << "a removed icon reports nothing more";
  DeleteLater();
  EXPECT_TRUE(tray.isNull());
}

// The sizes the desktop is given for the window, smallest first.
std::vector<int> IconSizes(const QWidget* window) {
  std::vector<int> sizes;
  for (const QSize& size : window->windowIcon().availableSizes()) sizes.push_back(size.width());
  std::sort(sizes.begin(), sizes.end());
  return sizes;
}

// A window without an icon of its own carries the program's at every size docks and window
// switchers show, once it is on the screen.
TEST_F(WindowIconTest, AWindowWithoutItsOwnIconCarriesTheProgramsAtEverySize) {
  units::WindowUnit* window = Load();
  ASSERT_NE(window, nullptr);
  window->grab();
  const std::vector<int> every{16, 32, 48, 64, 128, 256};
  EXPECT_TRUE(QTest::qWaitFor([&] { return IconSizes(window) == every; }, 2000));
}

TEST_F(WindowIconTest, AWindowWithItsOwnIconCarriesThatAlone) {
  units::WindowUnit* window = Load({}, IconOf(Qt::red));
  ASSERT_NE(window, nullptr);
  window->grab();
  QTest::qWait(50);
  EXPECT_EQ(IconSizes(window), std::vector<int>{16});
  EXPECT_EQ(ColourOf(window->windowIcon()), QColor(Qt::red).rgb());
}

TEST_F(WindowIconTest, TheIconGoesWithTheWindow) {
  units::WindowUnit* window = Load();
  ASSERT_NE(window, nullptr);
  Command(IconOf(Qt::red), "x");
  QPointer<QSystemTrayIcon> tray = window->TrayIcon();
  ASSERT_NE(tray, nullptr);
  window->close();
  DeleteLater();
  ASSERT_EQ(runtime::LiveUnit(kWindowId, 0), nullptr);
  ASSERT_FALSE(tray.isNull());
  EXPECT_FALSE(tray->isVisible()) << "out of the notification area as the window goes";
  DeleteLater();
  EXPECT_TRUE(tray.isNull());
}

}  // namespace
