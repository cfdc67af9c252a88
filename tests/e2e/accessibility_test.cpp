// Assistive technology is a way in like the mouse and the keyboard: a window blocked by a modal
// window is reported unavailable, and what a client asks of it is refused.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QImage>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <optional>
#include <utility>

#include "platform/open_address.h"
#include "host/host.h"
#include "tests/e2e/toolbox_fixture.h"
#include "contract/live_window.h"

namespace e2e {
namespace {

constexpr uint32_t kForumLink = toolbox::main_window::kForumLink;
constexpr uint32_t kScoreInput = toolbox::score::kPrice1;

QAccessibleInterface* Accessible(QWidget* widget) { return QAccessible::queryAccessibleInterface(widget); }

// The window and every widget in it that assistive technology can reach.
QList<QWidget*> WindowAndUnits(QWidget* window) {
  QList<QWidget*> widgets = window->findChildren<QWidget*>();
  widgets.prepend(window);
  return widgets;
}

int CountAvailable(QWidget* window) {
  int available = 0;
  for (QWidget* widget : WindowAndUnits(window)) {
    QAccessibleInterface* iface = Accessible(widget);
    if (iface != nullptr && !iface->state().disabled) ++available;
  }
  return available;
}

void Press(QWidget* widget) {
  QAccessibleActionInterface* actions = Accessible(widget)->actionInterface();
  ASSERT_NE(actions, nullptr);
  actions->doAction(QAccessibleActionInterface::pressAction());
}

TEST_F(ToolboxTest, AMainWindowBlockedByAToolWindowIsUnavailableAndRefusesWhatAClientAsks) {
  QWidget* main = Widget(toolbox::main_window::kWindow, 0);
  main->show();
  const int units = static_cast<int>(WindowAndUnits(main).size());
  ASSERT_GE(units, 8);
  EXPECT_EQ(CountAvailable(main), units);
  QStringList opened;
  platform::AddressOpening previous = platform::SetAddressOpening(
      {[&](const QString& address) { return opened.append(address), true; }, [] { return std::nullopt; },
       [](const QString&, const QStringList&) { return false; }});
  const QImage before = main->grab().toImage();
  int availableWhileBlocked = -1;
  bool priceOpened = false;
  QStringList priceButtonActions;
  QWidget* focusBefore = nullptr;
  QWidget* focusAfter = nullptr;
  bool samePixels = false;
  ASSERT_TRUE(WithWindowOpen(kScoreButton, kScoreWindow, [&] {
    availableWhileBlocked = CountAvailable(main);
    samePixels = main->grab().toImage() == before;
    QWidget* priceButton = Widget(toolbox::main_window::kWindow, kPriceButton);
    priceButtonActions = Accessible(priceButton)->actionInterface()->actionNames();
    // Should the press get through, the price calculator it opens is closed again.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
      if (QWidget* price = Widget(kPriceWindow.window, 0)) priceOpened = true, price->close();
    });
    closer.start(5);
    Press(priceButton);
    Press(Widget(toolbox::main_window::kWindow, kForumLink));
    focusBefore = QApplication::focusWidget();
    Accessible(priceButton)->actionInterface()->doAction(QAccessibleActionInterface::setFocusAction());
    focusAfter = QApplication::focusWidget();
    QTest::qWait(50);
    // The tool window itself is not blocked.
    EXPECT_FALSE(Accessible(Widget(kScoreWindow.window, kScoreInput))->state().disabled);
  }));
  platform::SetAddressOpening(previous);
  EXPECT_EQ(availableWhileBlocked, 0);
  EXPECT_TRUE(samePixels);
  EXPECT_TRUE(priceButtonActions.isEmpty());
  EXPECT_FALSE(priceOpened);
  EXPECT_TRUE(opened.isEmpty());
  EXPECT_EQ(focusAfter, focusBefore);
  // Given back when the tool window closes.
  EXPECT_EQ(CountAvailable(main), units);
}

TEST_F(ToolboxTest, APressReturnsAtOnceAndTheClickComesFromTheEventLoop) {
  bool pressing = false, openedWhilePressing = false, opened = false;
  ASSERT_TRUE(WithWindowOpen(
      [&] {
        pressing = true;
        Press(Widget(toolbox::main_window::kWindow, kScoreButton));
        pressing = false;
        // The click runs on the next turn of the loop and opens the window modally there.
        QApplication::processEvents();
      },
      kScoreWindow, [&] { opened = true, openedWhilePressing = pressing; }));
  EXPECT_TRUE(opened);
  EXPECT_FALSE(openedWhilePressing);
}

TEST_F(ToolboxTest, AToolWindowBlockedInTurnTakesNoTextSelectionOrFocusFromAClient) {
  ASSERT_TRUE(WithWindowOpen(kScoreButton, kScoreWindow, [&] {
    QWidget* input = Widget(kScoreWindow.window, kScoreInput);
    QAccessibleInterface* box = Accessible(input);
    ASSERT_NE(box->editableTextInterface(), nullptr);
    box->editableTextInterface()->insertText(0, QStringLiteral("12"));
    EXPECT_EQ(Text(kScoreWindow.window, kScoreInput), "12");  // taken while not blocked
    box->textInterface()->setSelection(0, 0, 1);
    bool stateDisabled = false;
    std::string textWhileBlocked;
    int cursorWhileBlocked = -1, selectionsWhileBlocked = -1;
    std::pair<int, int> selectionWhileBlocked{-1, -1};
    const auto open = [] { runtime::LoadWindow({kPriceWindow.window, nullptr, 1}); };
    ASSERT_TRUE(WithWindowOpen(open, kPriceWindow, [&] {
      stateDisabled = box->state().disabled;
      box->editableTextInterface()->insertText(0, QStringLiteral("9"));
      box->editableTextInterface()->replaceText(0, 2, QStringLiteral("7"));
      box->editableTextInterface()->deleteText(0, 1);
      box->setText(QAccessible::Value, QStringLiteral("5"));
      box->textInterface()->removeSelection(0);
      box->textInterface()->setSelection(0, 1, 2);
      box->textInterface()->addSelection(0, 2);
      box->textInterface()->setCursorPosition(2);
      QWidget* focus = QApplication::focusWidget();
      box->actionInterface()->doAction(QAccessibleActionInterface::setFocusAction());
      EXPECT_EQ(QApplication::focusWidget(), focus);
      textWhileBlocked = Text(kScoreWindow.window, kScoreInput);
      cursorWhileBlocked = box->textInterface()->cursorPosition();
      selectionsWhileBlocked = box->textInterface()->selectionCount();
      box->textInterface()->selection(0, &selectionWhileBlocked.first, &selectionWhileBlocked.second);
    }));
    EXPECT_TRUE(stateDisabled);
    EXPECT_EQ(textWhileBlocked, "12");
    EXPECT_EQ(selectionsWhileBlocked, 1);
    EXPECT_EQ(selectionWhileBlocked, std::make_pair(0, 1));
    EXPECT_EQ(cursorWhileBlocked, 1);
  }));
}

}  // namespace
}  // namespace e2e
