#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "tools/formtool/commands.h"

namespace formtool {
namespace {

class FormtoolCommands : public ::testing::Test {
 protected:
  std::string TempPath(const char* name) const { return dir_.filePath(name).toStdString(); }

  std::string WriteFile(const char* name, const QByteArray& bytes) const {
    QFile file(dir_.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName().toStdString();
  }

  QTemporaryDir dir_;
};

TEST_F(FormtoolCommands, CompilesAndDumpsTheSampleForm) {
  std::string out = TempPath("sample.tpl");
  ASSERT_EQ(Compile({FORMTOOL_SAMPLE_DIR "/sample_form.json", "-o", out}), 0);

  ::testing::internal::CaptureStdout();
  int status = Dump({"--json", out});
  std::string json = ::testing::internal::GetCapturedStdout();
  ASSERT_EQ(status, 0);
  QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
  EXPECT_EQ(root["bytes"].toInteger(), QFile(QString::fromStdString(out)).size());
  QJsonArray windows = root["windows"].toArray();
  ASSERT_EQ(windows.size(), 2);
  QJsonArray units = windows[0].toObject()["units"].toArray();
  ASSERT_EQ(units.size(), 9);
  EXPECT_EQ(units[1].toObject()["name"].toString(), QString("分组框1"));
  EXPECT_EQ(units[8].toObject()["caption"].toString(), QString("退出"));

  QFile picture(FORMTOOL_SAMPLE_DIR "/sample_picture.png");
  ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
  QString pictureHex = QString::fromLatin1(picture.readAll().toHex());
  EXPECT_TRUE(units[4].toObject()["data"].toString().contains(pictureHex));

  ::testing::internal::CaptureStdout();
  status = Dump({out});
  std::string text = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(status, 0);
  EXPECT_NE(text.find("menu item 0x26010006"), std::string::npos);
  EXPECT_NE(text.find("event 0 -> handler 4894"), std::string::npos);
}

TEST_F(FormtoolCommands, UnreadableDataIsReportedNotCrashedOn) {
  const QByteArray bad[] = {
      QByteArray("\x01\x00", 2),
      QByteArray("\x08\x00\x00\x00\x01\x00\x01\x52\x00\x00\x00\x00", 12),  // window record missing
      QByteArray("\x10\x00\x00\x00", 4) + QByteArray(60, '\xff'),  // a unit count of 0xffffffff
  };
  for (const QByteArray& bytes : bad) {
    std::string path = WriteFile("bad.tpl", bytes);
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    int status = Dump({"--json", path});
    std::string out = ::testing::internal::GetCapturedStdout();
    std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(out.empty());
    EXPECT_NE(err.find("载入窗口模板数据段出错!"), std::string::npos);
  }
}

// Data that ends too soon is reported with the file and the byte where reading stopped.
TEST_F(FormtoolCommands, TruncatedDataIsReportedWithItsFileAndPlace) {
  std::string whole = TempPath("whole.tpl");
  ASSERT_EQ(Compile({FORMTOOL_SAMPLE_DIR "/sample_form.json", "-o", whole}), 0);
  QFile file(QString::fromStdString(whole));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  std::string cut = WriteFile("cut.tpl", bytes.left(bytes.size() / 2));
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Dump({cut}), 1);
  EXPECT_EQ(Decompile({cut, "-o", TempPath("cut.json")}), 1);
  std::string err = ::testing::internal::GetCapturedStderr();
  const std::string where = ": 载入窗口模板数据段出错! window 0x52010001 (1 of 2): its unit list runs past the end of the "
                            "data, at byte 40 of " + std::to_string(bytes.size() / 2) + "\n";
  EXPECT_NE(err.find("formtool dump: " + cut + where), std::string::npos) << err;
  EXPECT_NE(err.find("formtool decompile: " + cut + where), std::string::npos) << err;
  EXPECT_FALSE(QFile::exists(QString::fromStdString(TempPath("cut.json"))));
}

// A decompile that fails leaves the user's description as it was and writes no picture beside it.
TEST_F(FormtoolCommands, AFailedDecompileLeavesTheUsersFilesAsTheyWere) {
  const QByteArray mine = "{\"windows\": []} written by hand\n";
  std::string form = WriteFile("sample.json", mine);
  std::string compiled = TempPath("sample.tpl");
  ASSERT_EQ(Compile({FORMTOOL_SAMPLE_DIR "/sample_form.json", "-o", compiled}), 0);
  QFile file(QString::fromStdString(compiled));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QByteArray bytes = file.readAll();
  file.close();
  // A tag that ends in a GBK lead byte has no text in a description: the check fails.
  const qsizetype tag = bytes.indexOf(QByteArray("open\0", 5));
  ASSERT_GE(tag, 0);
  bytes[tag + 3] = '\x81';
  std::string odd = WriteFile("odd.tpl", bytes);
  std::string empty = WriteFile("empty.tpl", {});
  const QStringList before = QDir(dir_.path()).entryList(QDir::Files);
  for (const std::string& source : {odd, empty}) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Decompile({source, "-o", form}), 1);
    std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("sample.json does not give back " + source), std::string::npos) << err;
    QFile kept(QString::fromStdString(form));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), mine);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), before);
  }
}

TEST_F(FormtoolCommands, ReportsBadArgumentsAndFiles) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Compile({FORMTOOL_SAMPLE_DIR "/sample_form.json"}), 2);
  EXPECT_EQ(Dump({}), 2);
  EXPECT_EQ(Dump({"--json", "a", "b"}), 2);
  EXPECT_EQ(Dump({TempPath("absent.tpl")}), 1);
  std::string source = WriteFile("bad.json", "{\"windows\": [{}]}");
  EXPECT_EQ(Compile({source, "-o", TempPath("bad.tpl")}), 1);
  std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("windows[0]: a window needs an id"), std::string::npos);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(TempPath("bad.tpl"))));
}

// The header is written beside the template, and rewritten only when it says something new, so
// that the sources including it are not compiled again for a change of a colour.
TEST_F(FormtoolCommands, CompileWritesTheHeaderOnlyWhenItsNamesChange) {
  auto form = [](const char* caption, const char* symbol) {
    return QByteArray(R"({"windows": [{"id": "0x52010001", "symbol": "main_window", "units": [
                        {"id": "0x06010000", "type": "window"},
                        {"id": "0x16010002", "symbol": ")") + symbol + R"(", "type": "SuperBtn",
                         "bindings": [{"event": 0, "handler": "Clicked"}], "properties": {"Caption": ")" + caption +
           R"("}}]}]})";
  };
  const std::string source = WriteFile("form.json", form("a", "Ok"));
  const std::string tpl = TempPath("form.tpl");
  const std::string header = TempPath("form.h");
  ASSERT_EQ(Compile({source, "-o", tpl, "--header", header, "--namespace", "app::ui"}), 0);
  QFile written(QString::fromStdString(header));
  ASSERT_TRUE(written.open(QIODevice::ReadWrite));
  const QByteArray first = written.readAll();
  EXPECT_TRUE(first.contains("namespace app::ui {")) << first.toStdString();
  EXPECT_TRUE(first.contains("kOk = 0x16010002;")) << first.toStdString();
  const QDateTime old = QDateTime::currentDateTime().addDays(-1);
  ASSERT_TRUE(written.setFileTime(old, QFileDevice::FileModificationTime));
  written.close();

  WriteFile("form.json", form("b", "Ok"));
  const QByteArray firstTemplate = [&] {
    QFile t(QString::fromStdString(tpl));
    return t.open(QIODevice::ReadOnly) ? t.readAll() : QByteArray();
  }();
  ASSERT_EQ(Compile({source, "-o", tpl, "--header", header, "--namespace", "app::ui"}), 0);
  EXPECT_EQ(QFileInfo(QString::fromStdString(header)).lastModified(), old);
  QFile secondTemplate(QString::fromStdString(tpl));
  ASSERT_TRUE(secondTemplate.open(QIODevice::ReadOnly));
  EXPECT_NE(secondTemplate.readAll(), firstTemplate);

  WriteFile("form.json", form("b", "Cancel"));
  ASSERT_EQ(Compile({source, "-o", tpl, "--header", header, "--namespace", "app::ui"}), 0);
  QFile third(QString::fromStdString(header));
  ASSERT_TRUE(third.open(QIODevice::ReadOnly));
  EXPECT_TRUE(third.readAll().contains("kCancel = 0x16010002;"));

  // A header that cannot be written leaves both files as they were.
  WriteFile("form.json", R"({"windows": [{"id": "0x52010001", "units": [
                             {"id": "0x06010000", "type": "window", "bindings": [{"event": 0, "handler": 5}]}]}]})");
  const QDateTime before = QFileInfo(QString::fromStdString(tpl)).lastModified();
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Compile({source, "-o", tpl, "--header", header}), 1);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("handler offset 5 has no name for the header"),
            std::string::npos);
  EXPECT_EQ(QFileInfo(QString::fromStdString(tpl)).lastModified(), before);

  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Compile({source, "-o", tpl, "--namespace", "app"}), 2);  // a namespace for no header
  EXPECT_EQ(Compile({source, "-o", tpl, "--header"}), 2);
  EXPECT_EQ(Compile({source, "-o", tpl, "--header", header, "--namespace", "app::"}), 1);
  ::testing::internal::GetCapturedStderr();
}

}  // namespace
}  // namespace formtool
