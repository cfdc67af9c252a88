// formtool show --watch on a desktop as authors have it: a private X server with a real window
// manager, an editor of another application holding the keyboard, keys and clicks through the
// server as a user makes them. Where the windows are and who has the keyboard is read from the
// server, as any other application would see it. Skipped where there is no X server or window
// manager to run on.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QWindow>

#include "tests/formtool/live_preview_fixture.h"
#include "tests/formtool/x11_desktop.h"
#include "tools/formtool/live_preview_inspector.h"

namespace formtool {
namespace {

using formtool_test::DesktopClient;
using formtool_test::Xdotool;

bool gHaveDesktop = false;

constexpr uint32_t kPicture = 0x16010018;

QString Number(int value) { return QString::number(value); }

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Counts the keys the program is given.
class KeyCounter : public QObject {
 public:
  KeyCounter() { QCoreApplication::instance()->installEventFilter(this); }
  int keys = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) ++keys;
    return false;
  }
};

class LivePreviewX11Test : public LivePreviewTest {
 protected:
  void SetUp() override {
    if (!gHaveDesktop) GTEST_SKIP() << formtool_test::DesktopMissing();
    ASSERT_TRUE(desktop_.Connected());
    LivePreviewTest::SetUp();
  }

  static uint32_t Id(QWidget* window) { return static_cast<uint32_t>(window->winId()); }

  // Waits until the window is on the screen, framed by the window manager, and everything the
  // program and the window manager had to say about it has been said (an activation asked for as
  // the window was mapped included); then until the program agrees with the server on where its
  // client area is.
  bool Shown(QWidget* window) {
    if (window == nullptr) return false;
    const uint32_t id = Id(window);
    if (!WaitFor([&] { return window->windowHandle()->isExposed() && desktop_.Managed(id); })) return false;
    formtool_test::SyncProgramConnection();
    if (!desktop_.RoundTripThroughWindowManager()) return false;
    return WaitFor([&] { return window->geometry() == desktop_.ClientOnScreen(id); });
  }

  // A click on the middle of a rectangle of the screen, as the user makes it.
  static bool ClickAt(QPoint at, bool withCtrl = false) {
    QStringList arguments{"mousemove", Number(at.x()), Number(at.y())};
    if (withCtrl) arguments << "keydown" << "ctrl";
    arguments << "click" << "1";
    if (withCtrl) arguments << "keyup" << "ctrl";
    return Xdotool(arguments);
  }

  DesktopClient desktop_;
};

TEST_F(LivePreviewX11Test, ARebuiltWindowStaysExactlyWhereTheUserLeftIt) {
  auto preview = Open();
  ASSERT_NE(preview, nullptr);
  ASSERT_TRUE(Shown(preview->Window()));

  // The user moves the window (with a pager: a drag through the window manager is timing).
  const uint32_t first = Id(preview->Window());
  const QPoint to = desktop_.ClientOnScreen(first).topLeft() + QPoint(-170, 90);
  desktop_.MoveForUser(first, to);
  ASSERT_TRUE(WaitFor([&] { return desktop_.ClientOnScreen(first).topLeft() == to; }));
  ASSERT_TRUE(Shown(preview->Window()));
  const QRect frame = desktop_.FrameOnScreen(first);
  const QPoint clientAt = desktop_.ClientOnScreen(first).topLeft();

  for (int save = 1; save <= 6; ++save) {
    SetUnit(kFirstEdit, "left", 20 + save);
    SaveForm(/*byRename=*/save % 2 == 0);
    ASSERT_TRUE(WaitFor([&] { return preview->Rebuilds() == save; })) << preview->Error();
    QWidget* window = preview->Window();
    ASSERT_TRUE(Shown(window)) << "save " << save;
    EXPECT_NE(Id(window), first);
    EXPECT_EQ(desktop_.ClientOnScreen(Id(window)).topLeft(), clientAt) << "save " << save;
    EXPECT_EQ(desktop_.FrameOnScreen(Id(window)), frame) << "save " << save;
  }
}

TEST_F(LivePreviewX11Test, ASaveLeavesTheKeyboardWithTheEditorAndWithThePreviewWhenItHadIt) {
  auto preview = Open();
  ASSERT_NE(preview, nullptr);
  ASSERT_TRUE(Shown(preview->Window()));
  KeyCounter previewKeys;

  // The user was last in the first edit box of the preview, then clicks into the editor beside it.
  UnitWidget(kFirstEdit)->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(WaitFor([] { return FocusIsIn(UnitWidget(kFirstEdit)); }));
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const uint32_t editor = desktop_.OpenEditor(QRect(screen.right() - 420, 40, 400, 300));
  ASSERT_TRUE(WaitFor([&] { return desktop_.Managed(editor); }));
  ASSERT_TRUE(ClickAt(desktop_.ClientOnScreen(editor).center()));
  ASSERT_TRUE(WaitFor([&] { return desktop_.InputFocus() == editor && QApplication::activeWindow() == nullptr; }));

  for (int save = 1; save <= 3; ++save) {
    SetUnit(kFirstEdit, "left", 20 + save);
    SaveForm(/*byRename=*/save % 2 == 0);
    ASSERT_TRUE(WaitFor([&] { return preview->Rebuilds() == save; })) << preview->Error();
    ASSERT_TRUE(Shown(preview->Window()));
    EXPECT_EQ(desktop_.InputFocus(), editor) << "save " << save;
    // What the user types next goes on into the editor.
    ASSERT_TRUE(Xdotool({"key", "x"}));
    bool inEditor = false;
    ASSERT_TRUE(WaitFor([&] { return (inEditor = inEditor || desktop_.KeyArrived(editor)) || previewKeys.keys > 0; }));
    EXPECT_TRUE(inEditor) << "save " << save;
    EXPECT_EQ(previewKeys.keys, 0) << "save " << save;
  }

  // The user goes back to the preview (from the taskbar): the edit box has the keyboard again.
  desktop_.ActivateForUser(Id(preview->Window()));
  ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == preview->Window(); }));
  ASSERT_TRUE(Shown(preview->Window()));
  EXPECT_TRUE(FocusIsIn(UnitWidget(kFirstEdit)));
  // The user goes to the editor, saves, and clicks the button of the preview: the button has the
  // keyboard, not the edit box that had it before the save; and the preview keeps the keyboard
  // over a save.
  ASSERT_TRUE(ClickAt(desktop_.ClientOnScreen(editor).center()));
  ASSERT_TRUE(WaitFor([&] { return desktop_.InputFocus() == editor && QApplication::activeWindow() == nullptr; }));
  SetUnit(kFirstEdit, "left", 24);
  SaveForm(/*byRename=*/true);
  ASSERT_TRUE(WaitFor([&] { return preview->Rebuilds() == 4; }));
  ASSERT_TRUE(Shown(preview->Window()));
  ASSERT_TRUE(ClickAt(UnitWidget(kButton)->mapToGlobal(QPoint(5, 5))));
  ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == preview->Window(); }));
  ASSERT_TRUE(Shown(preview->Window()));
  ASSERT_TRUE(FocusIsIn(UnitWidget(kButton)));
  SetUnit(kSecondEdit, "top", 70);
  SaveForm(/*byRename=*/true);
  ASSERT_TRUE(WaitFor([&] { return preview->Rebuilds() == 5; }));
  ASSERT_TRUE(Shown(preview->Window()));
  EXPECT_TRUE(WaitFor([&] {
    return QApplication::activeWindow() == preview->Window() && desktop_.InputFocus() == Id(preview->Window());
  }));
  EXPECT_TRUE(WaitFor([] { return FocusIsIn(UnitWidget(kButton)); }));
}

// A picture named in folders that do not exist yet: the preview shows it once they are made,
// one after the other, as unpacking or checking out makes them.
TEST_F(LivePreviewX11Test, APictureInFoldersMadeAfterTheWatchBeganIsShown) {
  auto preview = Open();
  ASSERT_NE(preview, nullptr);
  QJsonObject properties = UnitEntry(kPicture)["properties"].toObject();
  properties["Picture"] = QJsonObject{{"file", "new/deeper/pictures/red.png"}};
  SetUnit(kPicture, "properties", properties);
  SaveForm(/*byRename=*/true);
  ASSERT_TRUE(WaitFor([&] { return preview->Error().find("cannot read") != std::string::npos; })) << preview->Error();

  // The first folder, and a save of the form meanwhile: the preview has looked at the folders
  // since the first was made, and has read the form again once the files were quiet.
  ASSERT_TRUE(QDir(Folder()).mkdir(QStringLiteral("new")));
  const int reads = preview->Reads();
  SaveForm(/*byRename=*/false);
  ASSERT_TRUE(WaitFor([&] { return preview->Reads() == reads + 2; }));
  // Then the folders in it, and the picture.
  ASSERT_TRUE(QDir(Folder()).mkpath(QStringLiteral("new/deeper/pictures")));
  ASSERT_TRUE(WriteFile(Path("new/deeper/pictures/red.png"), RedPng()));
  ASSERT_TRUE(WaitFor([&] { return preview->Rebuilds() == 1; })) << preview->Error();
  EXPECT_TRUE(preview->Error().empty()) << preview->Error();
  const QImage shown = UnitWidget(kPicture)->grab().toImage();
  EXPECT_EQ(shown.pixelColor(2, 2), QColor(Qt::red));
}

// The form's folder removed and made again, or replaced by another (a branch switch does both):
// the preview follows the folder now at that place, save after save.
TEST_F(LivePreviewX11Test, TheFormsFolderRemovedOrReplacedIsFollowed) {
  auto preview = Open();
  ASSERT_NE(preview, nullptr);
  const QByteArray picture = [&] {
    QFile file(Path("sample_picture.png"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }();
  ASSERT_FALSE(picture.isEmpty());

  ASSERT_TRUE(QDir(Folder()).removeRecursively());
  ASSERT_TRUE(WaitFor([&] { return preview->Reads() >= 1; }));  // the removal was heard
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("forms")));
  ASSERT_TRUE(WriteFile(Path("sample_picture.png"), picture));
  SetUnit(kFirstEdit, "left", 41);
  SaveForm(/*byRename=*/false);
  ASSERT_TRUE(WaitFor([&] { return preview->Rebuilds() == 1; })) << preview->Error();
  EXPECT_EQ(UnitWidget(kFirstEdit)->x(), 41);

  // Another folder renamed into its place.
  const QString next = dir_.filePath(QStringLiteral("forms.next"));
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("forms.next")));
  ASSERT_TRUE(WriteFile(next + QStringLiteral("/sample_picture.png"), picture));
  SetUnit(kFirstEdit, "left", 43);
  ASSERT_TRUE(WriteFile(next + QStringLiteral("/form.json"), FormText()));
  ASSERT_EQ(std::rename(Folder().toLocal8Bit().constData(), (Folder() + QStringLiteral(".old")).toLocal8Bit().constData()), 0);
  ASSERT_EQ(std::rename(next.toLocal8Bit().constData(), Folder().toLocal8Bit().constData()), 0);
  ASSERT_TRUE(WaitFor([&] { return preview->Rebuilds() == 2; })) << preview->Error();
  EXPECT_EQ(UnitWidget(kFirstEdit)->x(), 43);

  // Saves in the folder now there are followed.
  SetUnit(kFirstEdit, "left", 45);
  SaveForm(/*byRename=*/true);
  ASSERT_TRUE(WaitFor([&] { return preview->Rebuilds() == 3; })) << preview->Error();
  EXPECT_EQ(UnitWidget(kFirstEdit)->x(), 45);
}

// An editor writing a save in two parts: the half written is not taken for the save.
TEST_F(LivePreviewX11Test, ASaveWrittenInTwoPartsShowsNoErrorBetweenThem) {
  auto preview = Open();
  ASSERT_NE(preview, nullptr);
  SetUnit(kFirstEdit, "left", 29);
  const QByteArray text = FormText();
  QFile file(Path("form.json"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(file.write(text.left(text.size() / 2)), text.size() / 2);
  ASSERT_TRUE(file.flush());
  ASSERT_TRUE(WaitFor([&] { return preview->Reads() == 1; }));  // the half was read
  EXPECT_TRUE(preview->Error().empty()) << preview->Error();
  EXPECT_EQ(ErrorStrip(preview->Window()), nullptr);
  ASSERT_EQ(file.write(text.mid(text.size() / 2)), text.size() - text.size() / 2);
  file.close();
  ASSERT_TRUE(WaitFor([&] { return preview->Rebuilds() == 1; })) << preview->Error();
  EXPECT_TRUE(preview->Error().empty()) << preview->Error();
  EXPECT_EQ(ErrorStrip(preview->Window()), nullptr);
  EXPECT_EQ(UnitWidget(kFirstEdit)->x(), 29);

  // A save that stays broken is shown as broken once nothing more comes.
  Save("{\"windows\": [", /*byRename=*/false);
  ASSERT_TRUE(WaitFor([&] { return !preview->Error().empty(); }));
  EXPECT_NE(ErrorStrip(preview->Window()), nullptr);
}

// The line on which the object holding `needle` opens in `text`, counting from 1.
int LineOfObjectHolding(const QByteArray& text, const QByteArray& needle) {
  const QList<QByteArray> lines = text.split('\n');
  int at = 0;
  while (at < lines.size() && !lines[at].contains(needle)) ++at;
  for (int depth = 0; at >= 0; --at) {
    const QByteArray line = lines[at].trimmed();
    if (line.startsWith('}')) ++depth;
    if (line.endsWith('{') && depth-- == 0) return at + 1;
  }
  return 0;
}

TEST_F(LivePreviewX11Test, CtrlClickOnAUnitSaysWhereItIsInTheFormAndOutlinesIt) {
  SetWindow("symbol", "sample");  // a unit's symbol is a name within its window's
  SetUnit(kButton, "symbol", "OpenPriceCalculator");
  SaveForm(/*byRename=*/false);
  QStringList events, said;
  auto preview = Open([&events](const QString& line) { events.append(line); },
                      [&said](const QString& text) { said.append(text); });
  ASSERT_NE(preview, nullptr);
  ASSERT_TRUE(Shown(preview->Window()));
  QWidget* button = UnitWidget(kButton);
  const QString form = Path("form.json");

  ASSERT_TRUE(ClickAt(button->mapToGlobal(button->rect().center() - QPoint(30, 0)), /*withCtrl=*/true));
  ASSERT_TRUE(WaitFor([&] { return said.size() == 1; }));
  const int line = LineOfObjectHolding(FormText(), "\"0x16010002\"");
  ASSERT_GT(line, 1);
  const QStringList lines = said[0].split(QLatin1Char('\n'));
  EXPECT_EQ(lines.value(0), form + QStringLiteral(":%1: windows[0].units[3]: 超级按钮1 (0x16010002), SuperBtn").arg(line));
  EXPECT_TRUE(lines.contains(QStringLiteral("  symbol: OpenPriceCalculator"))) << said[0].toStdString();
  EXPECT_TRUE(lines.contains(QStringLiteral("  left 220, top 24, width 152, height 48"))) << said[0].toStdString();
  EXPECT_TRUE(lines.contains(QStringLiteral("  Caption: \"仙玉物价计算器\""))) << said[0].toStdString();
  EXPECT_TRUE(lines.contains(QStringLiteral("  ToolTip: \"打开物价计算器\""))) << said[0].toStdString();
  QWidget* outline = UnitOutline(preview->Window());
  ASSERT_NE(outline, nullptr);
  EXPECT_TRUE(outline->isVisible());
  EXPECT_TRUE(outline->geometry().contains(QRect(button->mapTo(preview->Window(), QPoint(0, 0)), button->size())));

  // The Ctrl+click was the inspector's: the button heard nothing of it, and hears the next click.
  const QString clicked = preview->Window()->windowTitle() + QStringLiteral(" / 超级按钮1 (0x16010002): event 0");
  // Away from the first: no double click.
  ASSERT_TRUE(ClickAt(button->mapToGlobal(button->rect().center() + QPoint(30, 0))));
  ASSERT_TRUE(WaitFor([&] { return events.contains(clicked); }));
  EXPECT_EQ(events.count(clicked), 1);
  EXPECT_TRUE(WaitFor([&] { return UnitOutline(preview->Window()) == nullptr; }, kOutlineMs + 5000));

  // A unit inside another, a picture named by its file; after a save that moved the form's lines
  // down without changing the window.
  const QByteArray moved = "\n\n\n" + FormText();
  Save(moved, /*byRename=*/true);
  ASSERT_TRUE(WaitFor([&] { return preview->Reads() == 1; }));
  EXPECT_EQ(preview->Rebuilds(), 0);
  QWidget* picture = UnitWidget(kPicture);
  ASSERT_TRUE(ClickAt(picture->mapToGlobal(QPoint(150, 110)), /*withCtrl=*/true));
  ASSERT_TRUE(WaitFor([&] { return said.size() == 2; }));
  const QStringList second = said[1].split(QLatin1Char('\n'));
  EXPECT_EQ(second.value(0), form + QStringLiteral(":%1: windows[0].units[4]: 图片框1 (0x16010018), PicBox")
                                        .arg(LineOfObjectHolding(moved, "\"0x16010018\"")));
  EXPECT_TRUE(second.contains(QStringLiteral("  symbol: (none)"))) << said[1].toStdString();
  EXPECT_TRUE(second.contains(QStringLiteral("  Picture: {\"file\":\"sample_picture.png\"}"))) << said[1].toStdString();
}

TEST_F(LivePreviewX11Test, AWindowLargerThanTheScreenOpensWithItsTitleBarAndCloseButtonOnIt) {
  SetUnit(0x06010000, "width", 20000);
  SetUnit(0x06010000, "height", 20000);
  SaveForm(/*byRename=*/false);
  auto preview = Open();
  ASSERT_NE(preview, nullptr);
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  auto onScreen = [&] {
    const QRect frame = desktop_.FrameOnScreen(Id(preview->Window()));
    return frame.left() >= area.left() && frame.right() <= area.right() && frame.top() >= area.top();
  };
  ASSERT_TRUE(Shown(preview->Window()));
  EXPECT_TRUE(WaitFor(onScreen)) << desktop_.FrameOnScreen(Id(preview->Window())).x() << " "
                                 << desktop_.FrameOnScreen(Id(preview->Window())).width() << " "
                                 << desktop_.ClientOnScreen(Id(preview->Window())).x() << " "
                                 << desktop_.ClientOnScreen(Id(preview->Window())).width();

  // It stays so over a save.
  SetUnit(kFirstEdit, "left", 33);
  SaveForm(/*byRename=*/true);
  ASSERT_TRUE(WaitFor([&] { return preview->Rebuilds() == 1; })) << preview->Error();
  ASSERT_TRUE(Shown(preview->Window()));
  EXPECT_TRUE(WaitFor(onScreen)) << desktop_.FrameOnScreen(Id(preview->Window())).x();
}

}  // namespace
}  // namespace formtool

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  formtool::gHaveDesktop = formtool_test::StartDesktop("1600x1000x24");
  qputenv("QT_QPA_PLATFORM", "xcb");
  int result = 0;
  if (formtool::gHaveDesktop) {
    QApplication application(argc, argv);
    result = RUN_ALL_TESTS();
  } else {
    result = RUN_ALL_TESTS();  // every test skips
  }
  formtool_test::StopDesktop();
  return result;
}
