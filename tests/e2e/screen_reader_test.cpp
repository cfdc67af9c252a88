// What a screen reader meets in the calculators, through the toolkit's accessible interfaces on
// the real toolbox: every box named by its row, results that carry their row and column and are
// told when "计算" is pressed, dialogs, reading order, no hang at the end of a text, and the focus
// mark that only the keyboard brings.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QTest>
#include <QWidget>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "tests/e2e/toolbox_fixture.h"

namespace e2e {
namespace {

namespace main_window = toolbox::main_window;
namespace price = toolbox::price;
namespace score = toolbox::score;

QAccessibleInterface* Accessible(QWidget* widget) { return QAccessible::queryAccessibleInterface(widget); }

class ScreenReaderTest : public ToolboxTest {
 protected:
  static QAccessibleInterface* Accessible(uint32_t window, uint32_t unit) { return e2e::Accessible(Widget(window, unit)); }
  static QAccessibleInterface* Accessible(QWidget* widget) { return e2e::Accessible(widget); }
  static QString Name(uint32_t window, uint32_t unit) { return Accessible(window, unit)->text(QAccessible::Name); }
};

struct NamedRow {
  uint32_t input;
  uint32_t result;
  const char* row;  // dungeon, item: how a player reads the row
  int points;
};
// The score table as the picture shows it.
const std::vector<NamedRow> kScoreRows = {
    {score::kPrice1, score::kRatio1, "竞技场 悔梦石", 20000},
    {score::kPrice2, score::kRatio2, "竞技场 低级九彩", 12},
    {score::kPrice3, score::kRatio3, "地宫 神兽丹", 80},
    {score::kPrice4, score::kRatio4, "地宫 亲密丹", 30},
    {score::kPrice5, score::kRatio5, "地宫 低级九彩", 10},
    {score::kPrice6, score::kRatio6, "大雁塔 神兽丹", 60},
    {score::kPrice7, score::kRatio7, "大雁塔 盘古精铁", 150},
    {score::kPrice8, score::kRatio8, "大雁塔 金柳露", 40},
    {score::kPrice9, score::kRatio9, "大雁塔 普通技能书", 375},
    {score::kPrice10, score::kRatio10, "大雁塔 龙之骨", 5000},
    {score::kPrice11, score::kRatio11, "大雁塔 星梦石", 150},
    {score::kPrice12, score::kRatio12, "水陆 聚魄丹", 6000},
    {score::kPrice13, score::kRatio13, "水陆 神兽丹", 90},
    {score::kPrice14, score::kRatio14, "水陆 龙之骨", 10000},
    {score::kPrice15, score::kRatio15, "水陆 悔梦石", 6000},
    {score::kPrice16, score::kRatio16, "水陆 盘古精铁", 480},
    {score::kPrice17, score::kRatio17, "水陆 普通技能书残卷", 60},
    {score::kPrice18, score::kRatio18, "水陆 高级技能书残卷", 300}};
constexpr uint32_t kScoreCompute = score::kCalculate;
constexpr uint32_t kScoreTable = score::kTable;
constexpr uint32_t kScoreTip = score::kTip;

struct PriceNames {
  uint32_t input, afterTax, perXianyu;
  const char* item;
  const char* listing;
};
const std::vector<PriceNames> kPriceRows = {
    {price::kPrice1, price::kAfterTax1, price::kPerXianyu1, "金柳露", "每组999个"},
    {price::kPrice2, price::kAfterTax2, price::kPerXianyu2, "九彩云龙珠", "每组999个"},
    {price::kPrice3, price::kAfterTax3, price::kPerXianyu3, "悔梦石", "每个"},
    {price::kPrice4, price::kAfterTax4, price::kPerXianyu4, "见闻录（上中下）", "每个"}};
constexpr uint32_t kPriceCompute = price::kCalculate;
constexpr uint32_t kForumLink = main_window::kForumLink;

// The notifications a window tells readers: each is a new object of the window, shown to them
// once.
class Told {
 public:
  explicit Told(QWidget* window) : window_(window) {}
  // The texts told since the last call, when something was told; else empty.
  QString Next() {
    QObject* notice = window_->findChild<QObject*>(QStringLiteral("qx_told_results"));
    if (notice == nullptr || notice == last_) return {};
    last_ = notice;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(notice);
    if (iface == nullptr || iface->role() != QAccessible::Notification) return QStringLiteral("(not a notification)");
    return iface->text(QAccessible::Name);
  }

 private:
  QWidget* window_;
  QPointer<QObject> last_;
};

// The window shown, active, and placed where the platform put it, so that a click lands where aimed.
bool Settled(QWidget* window) {
  if (!QTest::qWaitForWindowExposed(window) || !QTest::qWaitForWindowActive(window)) return false;
  QCoreApplication::processEvents();
  return true;
}

TEST_F(ScreenReaderTest, EveryBoxOfBothCalculatorsIsNamedByItsRow) {
  ASSERT_TRUE(WithWindowOpen(kScoreButton, kScoreWindow, [] {
    for (const NamedRow& row : kScoreRows) {
      QAccessibleInterface* box = Accessible(kScoreWindow.window, row.input);
      EXPECT_EQ(box->role(), QAccessible::EditableText);
      EXPECT_EQ(box->text(QAccessible::Name), QString::fromUtf8(row.row) + QStringLiteral(" %1积分 市场价格").arg(row.points));
      EXPECT_EQ(Name(kScoreWindow.window, row.result), QString::fromUtf8(row.row) + QStringLiteral(" 兑换比例"));
    }
    EXPECT_EQ(Accessible(kScoreWindow.window, kScoreTable)->role(), QAccessible::Graphic);
    EXPECT_FALSE(Accessible(kScoreWindow.window, kScoreTable)->text(QAccessible::Description).isEmpty());
    // Unnamed in the form: its caption and its text, as before; a link, its address.
    EXPECT_EQ(Name(kScoreWindow.window, kScoreCompute), QStringLiteral("计算"));
    EXPECT_TRUE(Name(kScoreWindow.window, kScoreTip).startsWith(QStringLiteral("温馨提示：")));
  }));
  EXPECT_EQ(Accessible(toolbox::main_window::kWindow, kForumLink)->text(QAccessible::Description),
            QStringLiteral("http://bbs.quarlex.example/forums/"));
  ASSERT_TRUE(WithWindowOpen(kPriceButton, kPriceWindow, [] {
    for (const PriceNames& row : kPriceRows) {
      const QString item = QString::fromUtf8(row.item);
      EXPECT_EQ(Name(kPriceWindow.window, row.input), item + ' ' + QString::fromUtf8(row.listing) + QStringLiteral(" 目前成交价格"));
      EXPECT_EQ(Name(kPriceWindow.window, row.afterTax), item + QStringLiteral(" 8%税后所得"));
      EXPECT_EQ(Name(kPriceWindow.window, row.perXianyu), item + QStringLiteral(" 1仙玉可兑换银两"));
    }
  }));
}

// The role of the window titled `title` when it is first shown.
class RoleWhenShown : public QObject {
 public:
  explicit RoleWhenShown(QString title) : title_(std::move(title)) {}
  QAccessible::Role role = QAccessible::NoRole;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && role == QAccessible::NoRole && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow() && static_cast<QWidget*>(watched)->windowTitle() == title_)
      role = QAccessible::queryAccessibleInterface(watched)->role();
    return false;
  }

 private:
  QString title_;
};

TEST_F(ScreenReaderTest, AToolWindowIsAModalDialogReadRowByRowTheMainWindowAFrame) {
  QAccessibleInterface* main = Accessible(toolbox::main_window::kWindow, 0);
  EXPECT_EQ(main->role(), QAccessible::Window);
  EXPECT_FALSE(main->state().modal);
  // A reader learns a window's role when the window appears: it is a dialog by then.
  RoleWhenShown shown(QStringLiteral("Quarlex积分计算"));
  qApp->installEventFilter(&shown);
  ASSERT_TRUE(WithWindowOpen(kScoreButton, kScoreWindow, [main] {
    // The application holds the two windows; the hidden owner of tool windows is not met.
    QAccessibleInterface* application = QAccessible::queryAccessibleInterface(qApp);
    QList<QObject*> windows;
    for (int i = 0; i < application->childCount(); ++i) windows.append(application->child(i)->object());
    EXPECT_EQ(windows, QList<QObject*>({main->object(), Widget(kScoreWindow.window, 0)}));
    EXPECT_EQ(application->indexOfChild(main), 0);
    QAccessibleInterface* window = Accessible(kScoreWindow.window, 0);
    EXPECT_EQ(window->role(), QAccessible::Dialog);
    EXPECT_TRUE(window->state().modal);
    EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("Quarlex积分计算"));
    // The table, then each row's box and result (those lying on the table among them), then
    // 计算 and the tip.
    std::vector<QWidget*> expected = {Widget(kScoreWindow.window, kScoreTable)};
    for (const NamedRow& row : kScoreRows) {
      expected.push_back(Widget(kScoreWindow.window, row.input));
      expected.push_back(Widget(kScoreWindow.window, row.result));
    }
    expected.push_back(Widget(kScoreWindow.window, kScoreCompute));
    expected.push_back(Widget(kScoreWindow.window, kScoreTip));
    ASSERT_EQ(window->childCount(), static_cast<int>(expected.size()));
    for (int i = 0; i < window->childCount(); ++i) {
      QAccessibleInterface* child = window->child(i);
      EXPECT_EQ(child->object(), expected[i]) << "reading place " << i;
      EXPECT_EQ(child->parent(), window) << "reading place " << i;
      EXPECT_EQ(window->indexOfChild(child), i);
    }
    // Row 1 lies on the table; it is found beside it, at its place on the screen too.
    QAccessibleInterface* row1 = Accessible(kScoreWindow.window, kScoreRows[0].input);
    EXPECT_EQ(Accessible(kScoreWindow.window, kScoreTable)->childCount(), 0);
    const QPoint centre = row1->rect().center();
    EXPECT_EQ(window->childAt(centre.x(), centre.y()), row1);
  }));
  qApp->removeEventFilter(&shown);
  EXPECT_EQ(shown.role, QAccessible::Dialog);
}

TEST_F(ScreenReaderTest, AResultCarriesItsRowAndIsToldWhenComputeIsPressedShowingOnlyTheNumber) {
  ASSERT_TRUE(WithWindowOpen(kScoreButton, kScoreWindow, [] {
    ASSERT_TRUE(Settled(Widget(kScoreWindow.window, 0)));
    Type(kScoreWindow.window, kScoreRows[0].input, QStringLiteral("30000"));
    Type(kScoreWindow.window, kScoreRows[1].input, QStringLiteral("30"));
    Told told(Widget(kScoreWindow.window, 0));
    // The mouse.
    Click(kScoreWindow.window, kScoreCompute);
    EXPECT_EQ(Text(kScoreWindow.window, kScoreRows[0].result), "1.5");
    EXPECT_EQ(Name(kScoreWindow.window, kScoreRows[0].result), QStringLiteral("竞技场 悔梦石 兑换比例 1.5"));
    const QString results = QStringLiteral("竞技场 悔梦石 兑换比例 1.5，竞技场 低级九彩 兑换比例 2.5");
    EXPECT_EQ(told.Next(), results);
    // Space on the button, which keeps the focus.
    QWidget* compute = Widget(kScoreWindow.window, kScoreCompute);
    compute->setFocus();
    QTest::keyClick(compute, Qt::Key_Space);
    EXPECT_EQ(told.Next(), results);
    EXPECT_EQ(QApplication::focusWidget(), compute);
    // A screen reader's press, answered at once and clicked on the next turn of the loop.
    Accessible(compute)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QString toldAfterPress;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !(toldAfterPress = told.Next()).isEmpty(); }));
    EXPECT_EQ(toldAfterPress, results);
  }));
}

TEST_F(ScreenReaderTest, NoResultIsToldWhenNoRowIsFilled) {
  ASSERT_TRUE(WithWindowOpen(kPriceButton, kPriceWindow, [] {
    Told told(Widget(kPriceWindow.window, 0));
    Click(kPriceWindow.window, kPriceCompute);
    EXPECT_EQ(told.Next(), QString());
    Type(kPriceWindow.window, kPriceRows[2].input, QStringLiteral("200000"));
    Click(kPriceWindow.window, kPriceCompute);
    EXPECT_EQ(told.Next(), QStringLiteral("悔梦石 8%税后所得 84000，悔梦石 1仙玉可兑换银两 168"));
  }));
}

// Fails the whole program when `query` has not returned within a time no query comes near: the
// toolkit's own answer to some boundary queries never returns.
template <typename Query>
void WithinWatchdog(const char* what, Query query) {
  std::mutex mutex;
  std::condition_variable done;
  bool returned = false;
  std::thread watchdog([&] {
    std::unique_lock<std::mutex> lock(mutex);
    if (!done.wait_for(lock, std::chrono::seconds(30), [&] { return returned; })) {
      std::fprintf(stderr, "hung: %s\n", what);
      std::_Exit(1);
    }
  });
  query();
  {
    std::lock_guard<std::mutex> lock(mutex);
    returned = true;
  }
  done.notify_one();
  watchdog.join();
}

TEST_F(ScreenReaderTest, BoundaryQueriesAtAndBeyondTheEndOfATextAnswer) {
  ASSERT_TRUE(WithWindowOpen(kScoreButton, kScoreWindow, [] {
    Type(kScoreWindow.window, kScoreRows[0].input, QStringLiteral("30000"));
    QAccessibleTextInterface* text = Accessible(kScoreWindow.window, kScoreRows[0].input)->textInterface();
    ASSERT_NE(text, nullptr);
    text->setCursorPosition(5);
    const QAccessible::TextBoundaryType types[] = {QAccessible::CharBoundary, QAccessible::WordBoundary,
                                                   QAccessible::SentenceBoundary, QAccessible::LineBoundary,
                                                   QAccessible::ParagraphBoundary};
    for (QAccessible::TextBoundaryType type : types) {
      int start = 0, end = 0;
      // At the end (also as the end's and the cursor's special offsets): an empty item there.
      for (int offset : {5, -1, -2}) {
        start = end = 0;
        QString at;
        WithinWatchdog("text at the end", [&] { at = text->textAtOffset(offset, type, &start, &end); });
        EXPECT_TRUE(at.isEmpty()) << type << " at " << offset;
        EXPECT_EQ(start, 5);
        EXPECT_EQ(end, 5);
      }
      QString after;
      WithinWatchdog("text after the end", [&] { after = text->textAfterOffset(5, type, &start, &end); });
      EXPECT_TRUE(after.isEmpty());
      // Before the end: the item that holds the last character.
      QString before;
      WithinWatchdog("text before the end", [&] { before = text->textBeforeOffset(5, type, &start, &end); });
      EXPECT_EQ(before, type == QAccessible::CharBoundary ? QStringLiteral("0") : QStringLiteral("30000")) << type;
      // Beyond either end: an error, as the toolkit reports it.
      for (int offset : {6, 100, -3}) {
        WithinWatchdog("text beyond the end", [&] {
          EXPECT_TRUE(text->textAtOffset(offset, type, &start, &end).isEmpty());
          EXPECT_EQ(start, -1);
          EXPECT_TRUE(text->textBeforeOffset(offset, type, &start, &end).isEmpty());
          EXPECT_EQ(end, -1);
          EXPECT_TRUE(text->textAfterOffset(offset, type, &start, &end).isEmpty());
          EXPECT_EQ(start, -1);
        });
      }
    }
    // Inside the text the toolkit answers as before.
    int start = 0, end = 0;
    EXPECT_EQ(text->textAtOffset(2, QAccessible::WordBoundary, &start, &end), QStringLiteral("30000"));
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 5);
  }));
}

// The pixels of `after` that differ from `before` all lie on the outline of `mark`, and some do.
::testing::AssertionResult OnlyTheMarkDiffers(const QImage& before, const QImage& after, const QRect& mark) {
  if (before.size() != after.size()) return ::testing::AssertionFailure() << "sizes differ";
  int differing = 0;
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x) {
      if (before.pixel(x, y) == after.pixel(x, y)) continue;
      ++differing;
      const bool onOutline = mark.contains(x, y) && (x == mark.left() || x == mark.right() || y == mark.top() || y == mark.bottom());
      if (!onOutline) return ::testing::AssertionFailure() << "pixel " << x << "," << y << " differs off the mark";
    }
  if (differing == 0) return ::testing::AssertionFailure() << "no mark";
  return ::testing::AssertionSuccess();
}

TEST_F(ScreenReaderTest, TheFocusedBoxShowsAMarkOnceTheKeyboardIsUsedAndNotForTheMouse) {
  const int flashTime = QApplication::cursorFlashTime();
  QApplication::setCursorFlashTime(0);  // a caret that does not blink, drawn the same in every picture
  ASSERT_TRUE(WithWindowOpen(kScoreButton, kScoreWindow, [] {
    ASSERT_TRUE(Settled(Widget(kScoreWindow.window, 0)));
    QWidget* row1 = Widget(kScoreWindow.window, kScoreRows[0].input);
    QWidget* row2 = Widget(kScoreWindow.window, kScoreRows[1].input);
    QWidget* compute = Widget(kScoreWindow.window, kScoreCompute);
    const QImage row2Unfocused = row2->grab().toImage();
    const QImage computeUnfocused = compute->grab().toImage();
    // The mouse: the box has the caret, and no mark.
    QTest::mouseClick(row2, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), row2);
    const QImage clicked = row2->grab().toImage();
    QTest::mouseClick(row1, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), row1);
    const QImage row1Clicked = row1->grab().toImage();
    EXPECT_EQ(row2->grab().toImage(), row2Unfocused);
    // The keyboard: row 1, 计算 (its mark inside its edges), row 2.
    QTest::keyClick(row1, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), compute);
    EXPECT_TRUE(OnlyTheMarkDiffers(computeUnfocused, compute->grab().toImage(), compute->rect().adjusted(3, 3, -3, -3)));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), row2);
    EXPECT_TRUE(OnlyTheMarkDiffers(clicked, row2->grab().toImage(), row2->rect().adjusted(2, 2, -2, -2)));
    // Once shown, the window keeps showing it where the focus goes, a click included.
    QTest::mouseClick(row1, Qt::LeftButton);
    EXPECT_EQ(row2->grab().toImage(), row2Unfocused);
    EXPECT_TRUE(OnlyTheMarkDiffers(row1Clicked, row1->grab().toImage(), row1->rect().adjusted(2, 2, -2, -2)));
  }));
  // A window opened again starts without it.
  ASSERT_TRUE(WithWindowOpen(kScoreButton, kScoreWindow, [] {
    ASSERT_TRUE(Settled(Widget(kScoreWindow.window, 0)));
    QWidget* row2 = Widget(kScoreWindow.window, kScoreRows[1].input);
    QTest::mouseClick(row2, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), row2);
    const QImage clicked = row2->grab().toImage();
    QTest::keyClick(row2, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    ASSERT_EQ(QApplication::focusWidget(), row2);
    EXPECT_TRUE(OnlyTheMarkDiffers(clicked, row2->grab().toImage(), row2->rect().adjusted(2, 2, -2, -2)));
  }));
  QApplication::setCursorFlashTime(flashTime);
}

}  // namespace
}  // namespace e2e
