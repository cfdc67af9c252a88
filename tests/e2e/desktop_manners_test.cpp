// The toolbox as a desktop program: a tool window blocks the main window without changing how
// it looks, the keyboard does what the windows promise, and Qt's own texts are Chinese.
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QtTest/qtestspontaneevent.h>

#include <memory>

#include "app/toolbox.h"
#include "platform/chinese_texts.h"
#include "host/host.h"
#include "base/program/bridge.h"
#include "tests/e2e/toolbox_fixture.h"

namespace e2e {
namespace {

constexpr uint32_t kScoreFirstInput = toolbox::score::kPrice1;

bool Disabled(uint32_t window, uint32_t unit) { return runtime::Bridge().getUnitProperty(window, unit, 6, -1).i32 != 0; }

TEST_F(ToolboxTest, AToolWindowBlocksTheMainWindowWithoutChangingItsLook) {
  const uint32_t main = toolbox::main_window::kWindow;
  QWidget* mainWidget = Widget(main, 0);
  QApplication::processEvents();
  const QImage before = mainWidget->grab().toImage();
  QImage during;
  bool windowDisabled = false, buttonDisabled = true, mainAlive = false, otherToolOpened = false;
  bool toolActive = false, focusInTool = false;
  // Should a second tool open after all, it is closed again so that the test ends.
  QTimer safety;
  QObject::connect(&safety, &QTimer::timeout, [&] {
    if (Widget(kPriceWindow.window, 0) == nullptr) return;
    otherToolOpened = true;
    Close(kPriceWindow);
  });
  safety.start(5);
  EXPECT_TRUE(WithWindowOpen(kScoreButton, kScoreWindow, [&] {
    QApplication::processEvents();
    during = mainWidget->grab().toImage();
    windowDisabled = Disabled(main, 0);
    buttonDisabled = Disabled(main, kPriceButton);
    QWidget* tool = Widget(kScoreWindow.window, 0);
    toolActive = QApplication::activeWindow() == tool;
    focusInTool = QApplication::focusWidget() != nullptr && QApplication::focusWidget()->window() == tool;
    // Neither a click on another tool button nor the desktop's close button reaches it.
    Click(main, kPriceButton);
    QCloseEvent close;
    QSpontaneKeyEvent::setSpontaneous(&close);
    QApplication::instance()->notify(mainWidget, &close);  // as the desktop's close request comes
    mainAlive = Widget(main, 0) != nullptr && mainWidget->isVisible();
  }));
  EXPECT_TRUE(windowDisabled);
  EXPECT_FALSE(buttonDisabled);  // the button's own state
  EXPECT_EQ(during, before);     // no greyed buttons
  EXPECT_FALSE(otherToolOpened);
  EXPECT_TRUE(mainAlive);
  // The new window took the keyboard: it is active and its first input has the focus.
  EXPECT_TRUE(toolActive);
  EXPECT_TRUE(focusInTool);
}

TEST_F(ToolboxTest, ArrowKeysLeaveTheMainWindowsButtonsAlone) {
  QWidget* price = Widget(toolbox::main_window::kWindow, kPriceButton);
  ASSERT_TRUE(QTest::qWaitForWindowActive(price->window()));
  price->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(price, Qt::Key_Right);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  EXPECT_EQ(QApplication::focusWidget(), price);
  // So Space opens the tool the focus was on before.
  EXPECT_TRUE(WithWindowOpen([] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); },
                             kPriceWindow, [] {}));
  // A tool opened with the mouse gives the keyboard back to its button when it closes.
  EXPECT_TRUE(WithWindowOpen(kScoreButton, kScoreWindow, [] {}));
  EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 1000));
  EXPECT_EQ(QApplication::focusWidget(), Widget(toolbox::main_window::kWindow, kScoreButton));
}

TEST_F(ToolboxTest, TabIntoAnInputKeepsItsCaretAndSelection) {
  EXPECT_TRUE(WithWindowOpen(kScoreButton, kScoreWindow, [&] {
    auto* first = qobject_cast<QLineEdit*>(Widget(kScoreWindow.window, kScoreFirstInput));
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(first->window()));
    QApplication::processEvents();  // the activation's own focus moves are over
    Type(kScoreWindow.window, kScoreFirstInput, QStringLiteral("12345"));
    first->setCursorPosition(2);
    QTest::keyClick(first, Qt::Key_Tab);
    ASSERT_NE(QApplication::focusWidget(), first);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), first);
    EXPECT_EQ(first->cursorPosition(), 2);
    EXPECT_FALSE(first->hasSelectedText());

    first->setSelection(1, 3);
    QTest::keyClick(first, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), first);
    EXPECT_EQ(first->selectedText(), QStringLiteral("234"));
  }));
}

TEST_F(ToolboxTest, TheInputsContextMenuIsChinese) {
  platform::UseChineseTexts();
  QStringList texts;
  EXPECT_TRUE(WithWindowOpen(kScoreButton, kScoreWindow, [&] {
    auto* input = qobject_cast<QLineEdit*>(Widget(kScoreWindow.window, kScoreFirstInput));
    ASSERT_NE(input, nullptr);
    std::unique_ptr<QMenu> menu(input->createStandardContextMenu());
    for (const QAction* action : menu->actions()) texts << action->text();
  }));
  const QString all = texts.join(u'|');
  for (const char* text : {"撤销", "复制", "粘贴"}) EXPECT_TRUE(all.contains(QString::fromUtf8(text))) << all.toStdString();
  EXPECT_FALSE(all.contains(QStringLiteral("Paste"))) << all.toStdString();
}

}  // namespace
}  // namespace e2e
