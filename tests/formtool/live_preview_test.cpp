// formtool show --watch: the sample form edited and saved as editors save, the preview followed
// through the runtime's own view of the rebuilt window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <functional>

#include "host/host.h"
#include "tests/formtool/live_preview_fixture.h"
#include "tools/formtool/commands.h"
#include "tools/formtool/form_loading.h"
#include "tools/formtool/live_preview.h"
#include "contract/unit.h"

namespace formtool {
namespace {

TEST_F(LivePreviewTest, EachSaveRebuildsTheWindowInPlaceAndLeavesNothingOfTheOldOne) {
  auto preview = Open();
  ASSERT_NE(preview, nullptr);
  int closed = 0;
  preview->OnClosed([&closed] { ++closed; });
  ASSERT_EQ(preview->WindowId(), kWindow);  // the first window, none being named
  preview->Window()->move(123, 77);

  for (int save = 1; save <= 3; ++save) {
    QList<QPointer<QWidget>> old;
    old.append(preview->Window());
    for (QWidget* child : preview->Window()->findChildren<QWidget*>()) old.append(child);

    const int left = 20 + 10 * save;
    SetUnit(kFirstEdit, "left", left);
    SaveForm(/*byRename=*/save > 1);  // the watch outlives the file it first watched
    ASSERT_TRUE(WaitFor([&] { return preview->Rebuilds() == save; })) << "save " << save;
    ASSERT_NE(UnitWidget(kFirstEdit), nullptr);
    EXPECT_EQ(UnitWidget(kFirstEdit)->x(), left);
    EXPECT_EQ(preview->Window()->pos(), QPoint(123, 77));
    for (const QPointer<QWidget>& widget : old) EXPECT_TRUE(widget.isNull()) << "save " << save;
  }
  EXPECT_EQ(closed, 0);
  preview->Window()->close();
  EXPECT_TRUE(WaitFor([&] { return closed == 1; }));
}

TEST_F(LivePreviewTest, SavesInQuickSuccessionGiveOneRebuild) {
  auto preview = Open();
  ASSERT_NE(preview, nullptr);
  for (int left = 11; left <= 15; ++left) {
    SetUnit(kFirstEdit, "left", left);
    SaveForm(left % 2 == 0);
    QTest::qWait(2);
  }
  ASSERT_TRUE(WaitFor([&] { return preview->Rebuilds() > 0; }));
  Settle();
  EXPECT_EQ(preview->Rebuilds(), 1);
  EXPECT_EQ(UnitWidget(kFirstEdit)->x(), 15);
}

TEST_F(LivePreviewTest, ABrokenSaveKeepsTheLastGoodWindowWithTheErrorAcrossItsTop) {
  auto preview = Open();
  ASSERT_NE(preview, nullptr);
  QPointer<QWidget> window = preview->Window();

  Save("{\"windows\": [", /*byRename=*/true);
  ASSERT_TRUE(WaitFor([&] { return !preview->Error().empty(); }));
  EXPECT_NE(preview->Error().find("not valid JSON"), std::string::npos) << preview->Error();
  ASSERT_FALSE(window.isNull());
  auto* strip = qobject_cast<QLabel*>(ErrorStrip(window));
  ASSERT_NE(strip, nullptr);
  EXPECT_TRUE(strip->text().contains(QStringLiteral("表单有错，显示的仍是上次正确的窗口"))) << strip->text().toStdString();
  EXPECT_EQ(strip->geometry().topLeft(), QPoint(0, 0));
  EXPECT_EQ(strip->width(), window->width());

  // Each error replaces the one before, with its place.
  QJsonObject properties = UnitEntry(0x160100A2)["properties"].toObject();
  properties["Titel"] = "x";
  SetUnit(0x160100A2, "properties", properties);
  SaveForm(false);
  ASSERT_TRUE(WaitFor([&] { return preview->Error().find("Titel") != std::string::npos; }));
  strip = qobject_cast<QLabel*>(ErrorStrip(window));
  ASSERT_NE(strip, nullptr);
  EXPECT_TRUE(strip->text().contains(QStringLiteral("位置：form.json，windows[0].units[1].properties.Titel")))
      << strip->text().toStdString();
  EXPECT_EQ(window->findChildren<QLabel*>(QStringLiteral("formtool_error_strip")).size(), 1);

  // A picture the form names that cannot be read.
  properties.remove("Titel");
  SetUnit(0x160100A2, "properties", properties);
  SaveForm(true);
  ASSERT_TRUE(WaitFor([&] { return preview->Error().empty(); }));
  ASSERT_TRUE(QFile::rename(Path("sample_picture.png"), Path("moved.png")));
  ASSERT_TRUE(WaitFor([&] { return preview->Error().find("cannot read") != std::string::npos; }))
      << preview->Error();
  EXPECT_NE(ErrorStrip(preview->Window()), nullptr);

  // A window the form no longer has.
  ASSERT_TRUE(QFile::rename(Path("moved.png"), Path("sample_picture.png")));
  ASSERT_TRUE(WaitFor([&] { return preview->Error().empty(); }));
  QJsonArray windows = form_["windows"].toArray();
  QJsonObject first = windows[0].toObject();
  first["id"] = "0x52010002";
  windows[0] = first;
  QJsonObject renamed = form_;
  renamed["windows"] = windows;
  Save(QJsonDocument(renamed).toJson(), true);
  ASSERT_TRUE(WaitFor([&] { return preview->Error().find("no window 0x52010001") != std::string::npos; }))
      << preview->Error();
  EXPECT_NE(preview->Window(), nullptr);

  // A good save clears it.
  SetUnit(kFirstEdit, "left", 44);
  SaveForm(true);
  ASSERT_TRUE(WaitFor([&] { return preview->Error().empty(); }));
  EXPECT_EQ(ErrorStrip(preview->Window()), nullptr);
  EXPECT_EQ(UnitWidget(kFirstEdit)->x(), 44);
}

TEST_F(LivePreviewTest, AChangedPictureFileIsShown) {
  auto preview = Open();
  ASSERT_NE(preview, nullptr);
  auto redPixels = [] {
    const QImage shown = UnitWidget(0x16010018)->grab().toImage();
    int red = 0;
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x) red += shown.pixelColor(x, y) == QColor(Qt::red);
    return red;
  };
  ASSERT_EQ(redPixels(), 0);

  // Half written: the toolbox could not show it.
  Save("\x89PNG\r\n\x1a\n", /*byRename=*/false, "sample_picture.png");
  ASSERT_TRUE(WaitFor([&] { return !preview->Error().empty(); }));
  EXPECT_NE(preview->Error().find("windows[0].units[4].properties.Picture.file: not a picture"), std::string::npos)
      << preview->Error();
  EXPECT_NE(ErrorStrip(preview->Window()), nullptr);
  EXPECT_EQ(preview->Rebuilds(), 0);

  Save(RedPng(), /*byRename=*/true, "sample_picture.png");
  ASSERT_TRUE(WaitFor([&] { return preview->Rebuilds() == 1; }));
  EXPECT_GT(redPixels(), 0);
  EXPECT_EQ(ErrorStrip(preview->Window()), nullptr);
}

TEST_F(LivePreviewTest, TheFocusStaysOnTheSameUnit) {
  auto preview = Open();
  ASSERT_NE(preview, nullptr);
  QApplication::setActiveWindow(preview->Window());
  UnitWidget(kFirstEdit)->setFocus();
  ASSERT_TRUE(WaitFor([] { return FocusIsIn(UnitWidget(kFirstEdit)); }));

  SetUnit(kSecondEdit, "top", 30);
  SaveForm(true);
  ASSERT_TRUE(WaitFor([&] { return preview->Rebuilds() == 1; }));
  EXPECT_TRUE(WaitFor([] { return FocusIsIn(UnitWidget(kFirstEdit)); }));

  // The unit gone, the window is rebuilt all the same.
  QJsonArray windows = form_["windows"].toArray();
  QJsonObject first = windows[0].toObject();
  QJsonArray units = first["units"].toArray();
  UnitEntry(kFirstEdit);
  units.removeAt(unitIndex_);
  first["units"] = units;
  windows[0] = first;
  form_["windows"] = windows;
  SaveForm(false);
  ASSERT_TRUE(WaitFor([&] { return preview->Rebuilds() == 2; })) << preview->Error();
  EXPECT_EQ(UnitWidget(kFirstEdit), nullptr);
}

TEST_F(LivePreviewTest, EventsAreLoggedWithWindowUnitAndArguments) {
  QStringList lines;
  auto preview = Open([&lines](const QString& line) { lines.append(line); });
  ASSERT_NE(preview, nullptr);
  const QString caption = preview->Window()->windowTitle();
  ASSERT_FALSE(caption.isEmpty());

  lines.clear();
  QTest::mouseClick(UnitWidget(kButton), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(lines.contains(caption + QStringLiteral(" / 超级按钮1 (0x16010002): event 0")))
      << lines.join('\n').toStdString();
  EXPECT_TRUE(lines.contains(caption + QStringLiteral(" / 超级按钮1 (0x16010002): event -1 (5, 5, 0)")))
      << lines.join('\n').toStdString();

  // The window's own unit is named by its caption.
  lines.clear();
  QTest::mouseClick(preview->Window(), Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_TRUE(lines.contains(caption + QStringLiteral(" (0x06010000): event -1 (2, 2, 0)")))
      << lines.join('\n').toStdString();

  // The log follows the rebuilt window.
  SetUnit(kFirstEdit, "left", 33);
  SaveForm(true);
  ASSERT_TRUE(WaitFor([&] { return preview->Rebuilds() == 1; }));
  lines.clear();
  QTest::mouseClick(UnitWidget(kButton), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(lines.contains(caption + QStringLiteral(" / 超级按钮1 (0x16010002): event 0")))
      << lines.join('\n').toStdString();
}

// What was typed into the window is what an author tries the window with: a save that changes
// nothing of the window (the same bytes, or whitespace) keeps it and what it holds.
TEST_F(LivePreviewTest, ASaveThatChangesNothingKeepsTheWindowAndWhatWasTypedIntoIt) {
  auto preview = Open();
  ASSERT_NE(preview, nullptr);
  QPointer<QWidget> window = preview->Window();
  QApplication::setActiveWindow(window);
  auto* edit = qobject_cast<QLineEdit*>(UnitWidget(kFirstEdit));
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, QStringLiteral("345"));
  ASSERT_EQ(edit->text(), QStringLiteral("345"));

  SaveForm(/*byRename=*/true);  // the bytes it has
  ASSERT_TRUE(WaitFor([&] { return preview->Reads() == 1; }));
  Save(FormText() + "\n\n", /*byRename=*/false);
  ASSERT_TRUE(WaitFor([&] { return preview->Reads() == 2; }));
  EXPECT_EQ(preview->Rebuilds(), 0);
  EXPECT_EQ(preview->Window(), window.data());
  EXPECT_EQ(edit->text(), QStringLiteral("345"));
  EXPECT_TRUE(preview->Error().empty()) << preview->Error();
}

// A unit the runtime refuses to create (an id of no kind) compiles: the window keeps the last
// good build, says why, and the next good save is shown.
TEST_F(LivePreviewTest, ASaveThatCompilesButCannotBeBuiltKeepsTheLastGoodWindow) {
  auto preview = Open();
  ASSERT_NE(preview, nullptr);
  int closed = 0;
  preview->OnClosed([&closed] { ++closed; });
  QJsonObject good = form_;
  QJsonArray windows = form_["windows"].toArray();
  QJsonObject first = windows[0].toObject();
  QJsonArray units = first["units"].toArray();
  units.append(QJsonObject{{"id", "0x10000099"}, {"type", "TransLabel"}, {"width", 20}, {"height", 20}});
  first["units"] = units;
  windows[0] = first;
  form_["windows"] = windows;
  SaveForm(/*byRename=*/true);
  ASSERT_TRUE(WaitFor([&] { return !preview->Error().empty(); }));
  ASSERT_NE(preview->Window(), nullptr);
  EXPECT_NE(ErrorStrip(preview->Window()), nullptr);
  EXPECT_NE(UnitWidget(kFirstEdit), nullptr);
  EXPECT_EQ(closed, 0);
  EXPECT_EQ(preview->Rebuilds(), 0);

  form_ = good;
  SetUnit(kFirstEdit, "left", 37);
  SaveForm(/*byRename=*/false);
  ASSERT_TRUE(WaitFor([&] { return preview->Rebuilds() == 1; })) << preview->Error();
  EXPECT_TRUE(preview->Error().empty()) << preview->Error();
  EXPECT_EQ(UnitWidget(kFirstEdit)->x(), 37);
  EXPECT_EQ(closed, 0);
}

// The preview refuses a form source with the words of `formtool compile`.
TEST(FormLoading, AFormSourceIsRefusedAsCompileRefusesIt) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("bad.json"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(R"({"windows": [{"id": "0x52000001", "units": [{"id": "0x06000001", "type": "Windoe"}]}]})");
  file.close();
  testing::internal::CaptureStderr();
  EXPECT_EQ(Compile({path.toStdString(), "-o", dir.filePath(QStringLiteral("bad.tpl")).toStdString()}), 1);
  const std::string printed = testing::internal::GetCapturedStderr();
  const LoadedForm loaded = LoadForm(path.toStdString());
  EXPECT_TRUE(loaded.templateBytes.isEmpty());
  EXPECT_EQ("formtool compile: " + loaded.error + "\n", printed);
}

}  // namespace
}  // namespace formtool
