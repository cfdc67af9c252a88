// formtool render, run as people run it: a template file in, a picture of the window's client
// area out; a unit type the runtime does not have fails with the runtime's message.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/support/test_program.h"
#include "tools/formtool/template_writer.h"
#include "contract/property_data.h"
#include "contract/unit_type_ids.h"
#include "units/window/window_properties.h"

namespace {

constexpr uint32_t kWindowId = 0x52000001;

struct Outcome {
  int status;
  QString errors;
};

class FormtoolRenderTest : public testing::Test {
 protected:
  QString Write(const formtool::Form& form) {
    std::vector<uint8_t> bytes = formtool::WriteTemplate(form);
    QString path = dir_.filePath(QStringLiteral("form.bin"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    return path;
  }
  Outcome Render(const QStringList& args) { return Run(QStringList{QStringLiteral("render")} + args); }
  Outcome Run(const QStringList& args, const QString& folder = {}) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(FORMTOOL_PATH), args);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
  }
  QTemporaryDir dir_;
};

formtool::FormWindow Window(uint32_t colour) {
  units::WindowProperties p;
  p.backColor = colour;
  p.title = "x";
  std::vector<uint8_t> data;
  units::WritePropertyData(p, data);
  formtool::FormWindow window;
  window.id = kWindowId;
  formtool::FormUnit own = test_support::MakeUnit(0x06000001, 0x10001, 0, 0, 300, 200, data);
  own.bindings.push_back({0, 32});  // bound to a handler the preview does not have
  window.units.push_back(own);
  return window;
}

TEST_F(FormtoolRenderTest, WritesTheClientAreaOfTheWindow) {
  QString form = Write({Window(0x0000FF)});
  QString out = dir_.filePath(QStringLiteral("out.png"));
  Outcome run = Render({form, QStringLiteral("0x52000001"), QStringLiteral("-o"), out});
  ASSERT_EQ(run.status, 0) << run.errors.toStdString();
  QImage picture(out);
  EXPECT_EQ(picture.size(), QSize(294, 172));
  EXPECT_EQ(picture.pixelColor(150, 100), QColor(Qt::red));

  EXPECT_EQ(Render({form, QStringLiteral("0x52000009"), QStringLiteral("-o"), out}).status, 1);
  EXPECT_EQ(Render({form, QStringLiteral("-o"), out}).status, 2);
}

TEST_F(FormtoolRenderTest, AUnitTypeTheRuntimeLacksFailsAsTheRuntimeSays) {
  formtool::FormWindow window = Window(0);
  window.units.push_back(test_support::MakeUnit(0x16000001, 0x10063, 0, 0, 10, 10));
  Outcome run = Render({Write({window}), QStringLiteral("0x52000001"), QStringLiteral("-o"),
                    dir_.filePath(QStringLiteral("out.png"))});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.errors.contains(QStringLiteral("载入启动窗口失败"))) << run.errors.toStdString();
}

// Parents that loop (a group box inside the label it holds, a unit inside itself) cannot hang the
// build: each unit whose parent would close the loop stays on the window.
TEST_F(FormtoolRenderTest, ParentsThatLoopDoNotHangTheBuild) {
  formtool::FormWindow window = Window(0x00FF00);
  formtool::FormUnit group = test_support::MakeUnit(0x16000002, units::type_id::kGroupBox, 10, 10, 100, 80);
  group.parent = 0x16000003;
  group.children = {0x16000003};
  formtool::FormUnit label = test_support::MakeUnit(0x16000003, units::type_id::kTransLabel, 5, 20, 60, 20);
  label.parent = 0x16000002;
  formtool::FormUnit self = test_support::MakeUnit(0x16000004, units::type_id::kGroupBox, 150, 10, 100, 80);
  self.parent = 0x16000004;
  window.units.insert(window.units.end(), {group, label, self});
  QString out = dir_.filePath(QStringLiteral("loop.png"));
  Outcome run = Render({Write({window}), QStringLiteral("0x52000001"), QStringLiteral("-o"), out});
  ASSERT_EQ(run.status, 0) << run.errors.toStdString();
  EXPECT_EQ(QImage(out).size(), QSize(294, 172));
}

// A window that cannot be drawn, or is no window, is named with its file and what is wrong; the
// picture already at the output stays as it was.
TEST_F(FormtoolRenderTest, AWindowThatCannotBeDrawnSaysWhy) {
  QString out = dir_.filePath(QStringLiteral("kept.png"));
  {
    QFile kept(out);
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("before");
  }
  formtool::FormWindow empty = Window(0);
  empty.units[0].width = empty.units[0].height = 0;
  formtool::FormWindow negative = Window(0);
  negative.units[0].width = -40;
  negative.units[0].height = -5;
  formtool::FormWindow noWindowUnit = Window(0);
  noWindowUnit.units[0].type = units::type_id::kEditBox;
  noWindowUnit.units[0].data.clear();
  formtool::FormWindow noUnits = Window(0);
  noUnits.units.clear();
  const struct {
    formtool::FormWindow window;
    const char* id;
    const char* message;
  } cases[] = {
      {empty, "0x52000001", "window 0x52000001 has a client area of 0 x 0 pixels: nothing to draw"},
      {negative, "0x52000001", "window 0x52000001 has a client area of "},
      {noWindowUnit, "0x52000001",
       "window 0x52000001: its first unit 0x06000001 is of type EditBox, not a window; the first unit must be its "
       "window unit"},
      {noUnits, "0x52000001", "window 0x52000001 holds no units"},
      {Window(0), "0x52000009", "no window 0x52000009; its windows are 0x52000001"},
  };
  for (const auto& c : cases) {
    const QString form = Write({c.window});
    Outcome run = Render({form, QString::fromLatin1(c.id), QStringLiteral("-o"), out});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("formtool render: ") + form + QStringLiteral(": ") +
                                    QString::fromUtf8(c.message)))
        << run.errors.toStdString();
    EXPECT_FALSE(run.errors.contains(QStringLiteral("cannot write"))) << run.errors.toStdString();
    QFile kept(out);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("before"));
  }
}

// The sample form shipped with formtool holds a unit of nearly every type: all of them build.
TEST_F(FormtoolRenderTest, TheSampleFormRendersWithEveryUnit) {
  QString form = dir_.filePath(QStringLiteral("sample.tpl"));
  QProcess compile;
  compile.start(QStringLiteral(FORMTOOL_PATH),
                {QStringLiteral("compile"), QStringLiteral(FORMTOOL_SAMPLE), QStringLiteral("-o"), form});
  ASSERT_TRUE(compile.waitForFinished(60000));
  ASSERT_EQ(compile.exitCode(), 0);
  QString out = dir_.filePath(QStringLiteral("sample.png"));
  for (const char* window : {"0x52010001", "0x52010008"}) {
    Outcome run = Render({form, QString::fromLatin1(window), QStringLiteral("-o"), out});
    EXPECT_EQ(run.status, 0) << window << ": " << run.errors.toStdString();
    // The second window holds a web browser box: the engine is taken down in order at the end.
    EXPECT_FALSE(run.errors.contains(QStringLiteral("Expect troubles"))) << run.errors.toStdString();
  }
  EXPECT_EQ(QImage(out).size(), QSize(739, 412));
}

// Scripts call formtool from their own folder: every path is relative to it, although the
// runtime makes the program's folder current while it runs.
TEST_F(FormtoolRenderTest, PathsAreRelativeToTheCallersFolder) {
  Outcome compiled = Run({QStringLiteral("compile"), QStringLiteral(FORMTOOL_SAMPLE), QStringLiteral("-o"),
                          QStringLiteral("relative.tpl")},
                         dir_.path());
  ASSERT_EQ(compiled.status, 0) << compiled.errors.toStdString();
  ASSERT_TRUE(QFile::exists(dir_.filePath(QStringLiteral("relative.tpl"))));
  Outcome rendered = Run({QStringLiteral("render"), QStringLiteral("relative.tpl"), QStringLiteral("0x52010001"),
                          QStringLiteral("-o"), QStringLiteral("relative.png")},
                         dir_.path());
  ASSERT_EQ(rendered.status, 0) << rendered.errors.toStdString();
  EXPECT_FALSE(QImage(dir_.filePath(QStringLiteral("relative.png"))).isNull());
  EXPECT_FALSE(QFile::exists(QFileInfo(QStringLiteral(FORMTOOL_PATH)).dir().filePath(QStringLiteral("relative.png"))));
}

// render and show take a form source as it is, compiled in memory as `compile` compiles it.
TEST_F(FormtoolRenderTest, AFormSourceIsPreviewedAsItsCompiledTemplate) {
  const QString form = dir_.filePath(QStringLiteral("sample.tpl"));
  ASSERT_EQ(Run({QStringLiteral("compile"), QStringLiteral(FORMTOOL_SAMPLE), QStringLiteral("-o"), form}).status, 0);
  const QString fromTemplate = dir_.filePath(QStringLiteral("template.png"));
  const QString fromSource = dir_.filePath(QStringLiteral("source.png"));
  ASSERT_EQ(Render({form, QStringLiteral("0x52010001"), QStringLiteral("-o"), fromTemplate}).status, 0);
  Outcome run = Render({QStringLiteral(FORMTOOL_SAMPLE), QStringLiteral("0x52010001"), QStringLiteral("-o"), fromSource});
  ASSERT_EQ(run.status, 0) << run.errors.toStdString();
  EXPECT_EQ(QImage(fromSource), QImage(fromTemplate));

  QFile broken(dir_.filePath(QStringLiteral("broken.json")));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write(R"({"windows": [{"id": "0x52000001", "units": [{"id": "0x06000001", "type": "window", "left": "x"}]}]})");
  broken.close();
  run = Run({QStringLiteral("show"), broken.fileName()});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.errors.contains(QStringLiteral("formtool show: ") + broken.fileName() +
                                  QStringLiteral(": windows[0].units[0].left: ")))
      << run.errors.toStdString();
  run = Render({broken.fileName(), QStringLiteral("0x52000001"), QStringLiteral("-o"), fromSource});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.errors.contains(QStringLiteral("formtool render: ") + broken.fileName() + QStringLiteral(": windows[0]")))
      << run.errors.toStdString();
  EXPECT_EQ(Run({QStringLiteral("show"), broken.fileName(), QStringLiteral("--watc")}).status, 2);
  EXPECT_EQ(Run({QStringLiteral("show")}).status, 2);
}

}  // namespace
