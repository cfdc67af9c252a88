// The plain Qt program a web page window's first opening is measured against: linking Qt
// WebEngine as a plain program does, the toolbox's main window by hand, whose answer page button
// opens, modally, a window of the toolbox's answer window's size with a QWebEngineView placed as
// its browser box is, loading the page given.
//
//   plain_web_window URL
#include <QApplication>
#include <QUrl>
#include <QWebEngineView>

#include "bench/plain_main_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc < 2) return 2;
  const QUrl page(QString::fromLocal8Bit(argv[1]));
  QWidget window;
  QPushButton* buttons[4];
  bench::FillPlainMainWindow(window, buttons);
  QObject::connect(buttons[bench::kAnswerButton], &QPushButton::clicked, [&] {
    auto* answer = new QWidget;
    answer->setAttribute(Qt::WA_DeleteOnClose);
    answer->setWindowTitle(QStringLiteral("Quarlex科举"));
    answer->resize(970, 622);
    auto* view = new QWebEngineView(answer);
    view->setGeometry(-34, -303, 1056, 951);
    view->load(page);
    answer->setWindowModality(Qt::ApplicationModal);
    answer->show();
  });
  window.show();
  return application.exec();
}
