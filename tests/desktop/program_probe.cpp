// A user's hands for the built or installed program, preloaded into it (LD_PRELOAD): once the
// application object exists it waits for the main window, clicks its tool buttons as a user
// would, reports on standard output what it saw, and closes every window, so that the program
// ends by itself. QUARLEX_PROBE names what to try:
//   every-window  open and close each tool window; a web window must hold the engine's view
//   modal         open the score calculator, then try to click the main window behind it
// A line "probe failed: ..." and exit status 3 report a window that never came.
#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

constexpr int kStepTimeoutMs = 60000;

QWidget* TopLevel(const QString& title) {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->isVisible() && widget->windowTitle() == title && widget->windowHandle() != nullptr &&
        widget->windowHandle()->isExposed())
      return widget;
  return nullptr;
}

bool HoldsEngineView(QWidget* window) {
  for (QWidget* child : window->findChildren<QWidget*>())
    if (qstrcmp(child->metaObject()->className(), "QWebEngineView") == 0) return true;
  return false;
}

void Report(const QString& line) {
  std::printf("probe: %s\n", qPrintable(line));
  std::fflush(stdout);
}

[[noreturn]] void Fail(const QString& why) {
  std::printf("probe failed: %s\n", qPrintable(why));
  std::fflush(stdout);
  std::_Exit(3);
}

QWidget* Button(QWidget* window, const QString& name) {
  for (QWidget* child : window->findChildren<QWidget*>()) {
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(child);
    if (access != nullptr && access->text(QAccessible::Name) == name) return child;
  }
  Fail(QStringLiteral("no button %1").arg(name));
}

// Runs `check` every 50 ms until it answers true; fails the probe after the step's time.
void WaitFor(const QString& what, std::function<bool()> check, std::function<void()> then) {
  auto* timer = new QTimer(qApp);
  auto* waited = new int(0);
  QObject::connect(timer, &QTimer::timeout, [=] {
    *waited += 50;
    if (check()) {
      timer->deleteLater();
      delete waited;
      then();
    } else if (*waited > kStepTimeoutMs) {
      Fail(what);
    }
  });
  timer->start(50);
}

// The click runs the tool's modal loop inside it: it is made from a timer of its own, so the
// probe's waits go on meanwhile.
void Click(QWidget* button) {
  QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center()); });
}

struct Tool {
  const char* button;
  const char* title;
  bool web;
};
const Tool kTools[] = {{"仙玉物价计算器", "Quarlex物价计算", false},
                       {"副本积分计算器", "Quarlex积分计算", false},
                       {"科举答题器（需联网）", "Quarlex科举", true},
                       {"开服表（需联网）", "开服表", true}};
const QString kMainTitle = QStringLiteral("Quarlex工具箱 v1.0");

void OpenTool(QWidget* main, size_t index) {
  if (index == std::size(kTools)) {
    main->close();
    return;
  }
  const Tool& tool = kTools[index];
  Click(Button(main, QString::fromUtf8(tool.button)));
  const QString title = QString::fromUtf8(tool.title);
  WaitFor(QStringLiteral("window %1 never opened").arg(title),
          [=] {
            QWidget* window = TopLevel(title);
            return window != nullptr && (!tool.web || HoldsEngineView(window));
          },
          [=] {
            Report(QStringLiteral("window %1 open%2").arg(title, tool.web ? QStringLiteral(" with its web view") : QString()));
            TopLevel(title)->close();
            WaitFor(QStringLiteral("window %1 never closed").arg(title), [=] { return TopLevel(title) == nullptr; },
                    [=] { OpenTool(main, index + 1); });
          });
}

void TryModal(QWidget* main) {
  const QString score = QStringLiteral("Quarlex积分计算"), price = QStringLiteral("Quarlex物价计算");
  Click(Button(main, QStringLiteral("副本积分计算器")));
  WaitFor(QStringLiteral("the score calculator never opened"), [=] { return TopLevel(score) != nullptr; }, [=] {
    QWidget* calculator = TopLevel(score);
    QWindow* owner = calculator->windowHandle()->transientParent();
    Report(QStringLiteral("calculator open on %1").arg(QGuiApplication::platformName()));
    Report(QStringLiteral("known to the desktop as %1").arg(QGuiApplication::desktopFileName()));
    Report(QStringLiteral("calculator transient for: %1")
               .arg(owner == nullptr ? QStringLiteral("nothing")
                    : owner == main->windowHandle() ? QStringLiteral("the main window")
                                                    : QStringLiteral("another window")));
    // A click on the main window's other tool button must not reach it.
    Click(Button(main, QStringLiteral("仙玉物价计算器")));
    QTimer::singleShot(1000, main, [=] {
      Report(TopLevel(price) == nullptr ? QStringLiteral("main window input blocked")
                                        : QStringLiteral("main window took a click"));
      if (QWidget* other = TopLevel(price)) other->close();
      TopLevel(score)->close();
      WaitFor(QStringLiteral("the calculator never closed"), [=] { return TopLevel(score) == nullptr; },
              [=] { main->close(); });
    });
  });
}

void Probe() {
  const QByteArray scenario = qgetenv("QUARLEX_PROBE");
  WaitFor(QStringLiteral("the main window never showed"), [] { return TopLevel(kMainTitle) != nullptr; },
          [scenario] {
            QWidget* main = TopLevel(kMainTitle);
            Report(QStringLiteral("main window exposed"));
            if (scenario == "modal") TryModal(main);
            else OpenTool(main, 0);
          });
}

// Called while the application object is being made: the probe starts once the program runs
// its event loop.
void StartProbe() { QMetaObject::invokeMethod(qApp, &Probe, Qt::QueuedConnection); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(StartProbe)
