// The main window and the tool windows it opens: captions, modality, the web pages' navigation,
// the forum link, and the whole program run through its entry stub.
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <optional>

#include "app/toolbox.h"
#include "imaging/picture_cache.h"
#include "platform/open_address.h"
#include "host/host.h"
#include "tests/e2e/toolbox_fixture.h"
#include "contract/unit.h"
#include "units/webbrowser/webbrowser_unit.h"

namespace e2e {
namespace {


struct Tool {
  uint32_t button;
  WindowIds window;
  const char* title;
};

const Tool kTools[] = {
    {kPriceButton, kPriceWindow, "Quarlex物价计算"},
    {kScoreButton, kScoreWindow, "Quarlex积分计算"},
    {kAnswerButton, kAnswerWindow, "Quarlex科举"},
    {kScheduleButton, kScheduleWindow, "开服表"},
};

// Property 6 as the program reads it.
bool Disabled(uint32_t window, uint32_t unit) { return runtime::Bridge().getUnitProperty(window, unit, 6, -1).i32 != 0; }

TEST_F(ToolboxTest, EachToolButtonOpensItsWindowModallyOverTheMainWindow) {
  QWidget* main = Widget(toolbox::main_window::kWindow, 0);
  EXPECT_EQ(main->windowTitle(), QStringLiteral("Quarlex工具箱 v1.0"));
  for (const Tool& tool : kTools) {
    SCOPED_TRACE(tool.title);
    bool mainDisabled = false;
    QString title;
    EXPECT_TRUE(WithWindowOpen(tool.button, tool.window, [&] {
      mainDisabled = Disabled(toolbox::main_window::kWindow, 0);
      title = Widget(tool.window.window, 0)->windowTitle();
    }));
    EXPECT_TRUE(mainDisabled);
    EXPECT_EQ(title, QString::fromUtf8(tool.title));
    // The click returned: the tool window is gone and the main window takes input again.
    EXPECT_EQ(Widget(tool.window.window, 0), nullptr);
    EXPECT_FALSE(Disabled(toolbox::main_window::kWindow, 0));
  }
}

// What the program decodes ahead while it waits for its user is what the tool windows then show:
// opening them decodes nothing more.
TEST_F(ToolboxTest, TheToolWindowsPicturesAreDecodedAhead) {
  const size_t before = imaging::CachedPictures();
  runtime::DecodePicturesAhead();
  const size_t ahead = imaging::CachedPictures();
  EXPECT_GE(ahead, before + 2) << "the price and score tables";
  for (const Tool& tool : {kTools[0], kTools[1]}) {
    EXPECT_TRUE(WithWindowOpen(tool.button, tool.window, [&] { Widget(tool.window.window, 0)->grab(); })) << tool.title;
  }
  EXPECT_EQ(imaging::CachedPictures(), ahead);
}

TEST_F(ToolboxTest, TheForumLinkOpensTheForumWithTheDesktopsHandler) {
  QStringList opened;
  platform::AddressOpening previous = platform::SetAddressOpening(
      {[&](const QString& address) { return opened.append(address), true; }, [] { return std::nullopt; },
       [](const QString&, const QStringList&) { return false; }});
  Click(toolbox::main_window::kWindow, toolbox::main_window::kForumLink);
  platform::SetAddressOpening(previous);
  EXPECT_EQ(opened, QStringList{QStringLiteral("\nhttp://bbs.quarlex.example/forums/")});
}

// Property 25 of a web browser box: the address of its page.
std::string PageAddress(uint32_t window, uint32_t box) {
  constexpr int32_t kLocationUrl = 8 + 17;
  runtime::DataBytes text = runtime::Bridge().getUnitProperty(window, box, kLocationUrl, -1);
  return text.text != nullptr ? text.text : "";  // the box keeps its own copy
}

TEST_F(ToolboxTest, EachWebPageWindowSendsItsBrowserBoxToItsPageWhenCreated) {
  struct Page {
    uint32_t button;
    WindowIds window;
    uint32_t box;
    const char* address;
    QRect place;  // the box overhangs the client area so that the page's header is cut off
  };
  const Page pages[] = {
      {kAnswerButton, kAnswerWindow, toolbox::answer::kBrowser, "http://bbs.quarlex.example/zt/dtq/keju.html",
       QRect(-34, -303, 1056, 951)},
      {kScheduleButton, kScheduleWindow, toolbox::schedule::kBrowser,
       "http://www.quarlex.example/topic-kaifu.html", QRect(0, -610, 1224, 1218)},
  };
  for (const Page& page : pages) {
    SCOPED_TRACE(page.address);
    for (int opening = 0; opening < 2; ++opening) {
      EXPECT_TRUE(WithWindowOpen(page.button, page.window, [&] {
        QWidget* box = Widget(page.window.window, page.box);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->geometry(), page.place);
        // The page itself starts at the box's corner.
        QWidget* view = static_cast<units::WebBrowserBox*>(box)->ControlWidget();
        EXPECT_EQ(view->mapTo(box->window(), QPoint(0, 0)), page.place.topLeft());
        EXPECT_TRUE(QTest::qWaitFor([&] { return PageAddress(page.window.window, page.box) == page.address; },
                                    20000))
            << PageAddress(page.window.window, page.box);
      }));
    }
  }
}

TEST(ToolboxProgramTest, TheEntryStubRunsUntilTheMainWindowClosesAndAnswersZero) {
  QString title;
  bool visible = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    units::Unit* main = runtime::LiveUnit(toolbox::main_window::kWindow, 0);
    if (main == nullptr || !main->widget()->isVisible()) return;
    poll.stop();
    visible = true;
    title = main->widget()->windowTitle();
    main->widget()->close();
  });
  poll.start(5);
  EXPECT_EQ(toolbox::EntryStub(), 0);
  EXPECT_TRUE(visible);
  EXPECT_EQ(title, QStringLiteral("Quarlex工具箱 v1.0"));
  EXPECT_FALSE(runtime::AnyWindowAlive());
  runtime::StopHost();
}

}  // namespace
}  // namespace e2e
