// The plain Qt program a tool window's first opening is measured against: the toolbox's main
// window by hand, whose price and score calculator buttons build the same window from a Designer
// form with Qt's form loader (standard widgets only, no Designer plugins), shown modally. The
// loader is made at start with Qt's library paths set aside for the moment, since making it
// loads every Designer plugin installed (web and quick views among them) before any path can be
// cleared.
//
//   plain_form_window PRICE_FORM.ui SCORE_FORM.ui
#include <QApplication>
#include <QFile>
#include <QUiLoader>

#include "bench/plain_main_window.h"

namespace {

void OpenForm(QUiLoader& loader, const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return;
  QWidget* window = loader.load(&file);
  if (window == nullptr) return;
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowModality(Qt::ApplicationModal);
  window->show();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc < 3) return 2;
  const QString priceForm = QString::fromLocal8Bit(argv[1]), scoreForm = QString::fromLocal8Bit(argv[2]);
  const QStringList libraryPaths = QCoreApplication::libraryPaths();
  QCoreApplication::setLibraryPaths({});
  QUiLoader loader;
  loader.clearPluginPaths();
  QCoreApplication::setLibraryPaths(libraryPaths);
  QWidget window;
  QPushButton* buttons[4];
  bench::FillPlainMainWindow(window, buttons);
  QObject::connect(buttons[bench::kPriceButton], &QPushButton::clicked, [&] { OpenForm(loader, priceForm); });
  QObject::connect(buttons[bench::kScoreButton], &QPushButton::clicked, [&] { OpenForm(loader, scoreForm); });
  window.show();
  return application.exec();
}
