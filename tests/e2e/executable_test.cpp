// The built program started as a user starts it: it comes up, stays up with its main window
// until it is told to end, and writes no runtime error report on the way.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

namespace {

TEST(ToolboxExecutableTest, StartsAndRunsUntilTerminated) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(TOOLBOX_PATH), {});
  ASSERT_TRUE(process.waitForStarted(10000));
  // A startup window that fails to load ends the program at once with a report.
  EXPECT_FALSE(process.waitForFinished(1500)) << process.readAllStandardError().toStdString();
  EXPECT_EQ(process.state(), QProcess::Running);
  process.terminate();
  EXPECT_TRUE(process.waitForFinished(10000));
  const QString errors = QString::fromUtf8(process.readAllStandardError());
  EXPECT_FALSE(errors.contains(QStringLiteral("运行时出错"))) << errors.toStdString();
}

}  // namespace
