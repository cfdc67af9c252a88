// Opening addresses: the desktop's handler first, then the registered browser command cut at its
// placeholder and started with the address as an argument of its own.
#include "platform/open_address.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <optional>

namespace {

using platform::BrowserArguments;
using platform::CutAtPlaceholder;

TEST(BrowserCommand, IsCutAtItsPlaceholder) {
  EXPECT_EQ(CutAtPlaceholder(QStringLiteral(R"("C:\Program Files\web.exe" -nohome "%1")")),
            QStringLiteral(R"("C:\Program Files\web.exe" -nohome )"));
  EXPECT_EQ(CutAtPlaceholder(QStringLiteral("firefox-esr %u --private")), QStringLiteral("firefox-esr "));
  EXPECT_EQ(CutAtPlaceholder(QStringLiteral("web %F")), QStringLiteral("web "));
  EXPECT_EQ(CutAtPlaceholder(QStringLiteral("web --new")), QStringLiteral("web --new"));
  // A quoted placeholder wins over an earlier bare one, as the quoted form is looked for first.
  EXPECT_EQ(CutAtPlaceholder(QStringLiteral(R"(web %U "%1")")), QStringLiteral("web %U "));
}

TEST(BrowserCommand, TheAddressIsOneArgumentHoweverItLooks) {
  const QString address = QStringLiteral("\nhttp://a.example/x?y=1&z=\"2\"; rm -rf ~ `id` $(id)");
  EXPECT_EQ(BrowserArguments(QStringLiteral(R"("/opt/web browser/run" --new-window "%u")"), address),
            (QStringList{QStringLiteral("/opt/web browser/run"), QStringLiteral("--new-window"), address}));
  EXPECT_EQ(BrowserArguments(QStringLiteral("web %i --x 100%% %u"), address),
            (QStringList{QStringLiteral("web"), QStringLiteral("--x"), QStringLiteral("100%"), address}));
  EXPECT_EQ(BrowserArguments(QStringLiteral("web"), address), (QStringList{QStringLiteral("web"), address}));
  EXPECT_TRUE(BrowserArguments(QStringLiteral("\"%1\""), address).isEmpty());

  const QString longAddress = QStringLiteral("http://a.example/") + QString(100000, u'x');
  EXPECT_EQ(BrowserArguments(QStringLiteral("web %1"), longAddress).last(), longAddress);
}

// Records what OpenAddress does instead of doing it.
struct Recorder {
  bool desktopAnswer = false;
  std::optional<QString> command;
  bool launchAnswer = true;
  QStringList opened;
  QList<QStringList> launched;

  platform::AddressOpening Ways() {
    return {[this](const QString& address) {
              opened.append(address);
              return desktopAnswer;
            },
            [this] { return command; },
            [this](const QString& program, const QStringList& arguments) {
              launched.append(QStringList(program) + arguments);
              return launchAnswer;
            }};
  }
};

class OpenAddressTest : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = platform::SetAddressOpening(recorder_.Ways()); }
  void TearDown() override { platform::SetAddressOpening(previous_); }
  Recorder recorder_;
  platform::AddressOpening previous_;
};

TEST_F(OpenAddressTest, TheDesktopFirstThenTheBrowserCommand) {
  const QString address = QStringLiteral("\nhttp://forum.example/");
  recorder_.desktopAnswer = true;
  EXPECT_TRUE(platform::OpenAddress(address));
  EXPECT_EQ(recorder_.opened, QStringList(address));  // the line feed stays
  EXPECT_TRUE(recorder_.launched.isEmpty());

  recorder_.desktopAnswer = false;
  recorder_.command = QStringLiteral(R"("/usr/bin/web" "%1")");
  EXPECT_TRUE(platform::OpenAddress(address));
  ASSERT_EQ(recorder_.launched.size(), 1);
  EXPECT_EQ(recorder_.launched[0], (QStringList{QStringLiteral("/usr/bin/web"), address}));

  recorder_.launchAnswer = false;
  EXPECT_FALSE(platform::OpenAddress(address));
  recorder_.command.reset();
  EXPECT_FALSE(platform::OpenAddress(address));
  EXPECT_EQ(recorder_.launched.size(), 2);

  EXPECT_FALSE(platform::OpenAddress(QString()));
  EXPECT_EQ(recorder_.opened.size(), 4);
}

// A desktop with its own folders: the mimeapps list, application entries and $BROWSER.
class RegisteredBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.isValid());
    for (const char* name : kVariables) saved_.append({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
    QDir(root_.path()).mkpath(QStringLiteral("config"));
    QDir(root_.path()).mkpath(QStringLiteral("data/applications"));
    qputenv("XDG_CONFIG_HOME", (root_.path() + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_CONFIG_DIRS", (root_.path() + QStringLiteral("/none")).toUtf8());
    qputenv("XDG_DATA_HOME", (root_.path() + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_DATA_DIRS", (root_.path() + QStringLiteral("/none")).toUtf8());
    qunsetenv("BROWSER");
  }
  void TearDown() override {
    for (const Saved& s : saved_) {
      if (s.set) qputenv(s.name, s.value);
      else qunsetenv(s.name);
    }
  }
  void Write(const QString& path, const QByteArray& content) {
    QFile file(root_.path() + u'/' + path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
  }

  static constexpr const char* kVariables[] = {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME",
                                               "XDG_DATA_DIRS", "BROWSER"};
  struct Saved {
    const char* name;
    QByteArray value;
    bool set;
  };
  QList<Saved> saved_;
  QTemporaryDir root_;
};

TEST_F(RegisteredBrowserTest, TheDefaultHandlersEntryInItsSeveralForms) {
  EXPECT_FALSE(platform::RegisteredBrowserCommand());
  Write(QStringLiteral("config/mimeapps.list"),
        "[Added Associations]\nx-scheme-handler/http=other.desktop;\n"
        "[Default Applications]\nx-scheme-handler/http=missing.desktop;web.desktop;\n");
  Write(QStringLiteral("data/applications/other.desktop"), "[Desktop Entry]\nExec=other %u\n");
  const QString address = QStringLiteral("\nhttp://forum.example/");

  Write(QStringLiteral("data/applications/web.desktop"),
        "[Desktop Entry]\nName=Web\n[Desktop Action new]\nExec=wrong\n");
  EXPECT_FALSE(platform::RegisteredBrowserCommand());  // an entry without a command of its own

  Write(QStringLiteral("data/applications/web.desktop"),
        "[Desktop Entry]\nName=Web\nExec=\"/opt/web\\sbrowser/run\" --new-window \"%u\"\n");
  std::optional<QString> command = platform::RegisteredBrowserCommand();
  ASSERT_TRUE(command);
  EXPECT_EQ(BrowserArguments(*command, address),
            (QStringList{QStringLiteral("/opt/web browser/run"), QStringLiteral("--new-window"), address}));

  Write(QStringLiteral("data/applications/web.desktop"), "[Desktop Entry]\nExec=web-browser %U\n");
  command = platform::RegisteredBrowserCommand();
  ASSERT_TRUE(command);
  EXPECT_EQ(BrowserArguments(*command, address), (QStringList{QStringLiteral("web-browser"), address}));

  Write(QStringLiteral("data/applications/web.desktop"), "[Desktop Entry]\nExec=web-browser --home\n");
  command = platform::RegisteredBrowserCommand();
  ASSERT_TRUE(command);
  EXPECT_EQ(BrowserArguments(*command, address),
            (QStringList{QStringLiteral("web-browser"), QStringLiteral("--home"), address}));
}

TEST_F(RegisteredBrowserTest, BrowserVariableWhenNoEntryIsRegistered) {
  qputenv("BROWSER", ":text-browser -n:other");
  EXPECT_EQ(platform::RegisteredBrowserCommand(), QStringLiteral("text-browser -n"));
}

}  // namespace
