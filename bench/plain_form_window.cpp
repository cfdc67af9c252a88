// The plain Qt program a tool window's first opening is measured against: the toolbox's main
// window by hand, whose price and score calculator buttons build the same window from a Designer
// form with Qt's form loader (standard widgets only, no Designer plugins), shown modally. The
// loader is made at start with Qt's library paths set aside for the moment, since making it
// loads every Designer plugin installed (web and quick views among them) before any path can be
// cleared.
//
// With --empty, the buttons open an empty window of each form's size and title instead (both
// learnt at start): what showing a window of that size costs any program, whatever builds it.
//
//   plain_form_window [--empty] PRICE_FORM.ui SCORE_FORM.ui
#include <QApplication>
#include <QFile>
#include <QUiLoader>

#include <functional>

#include "bench/plain_main_window.h"

namespace {

QWidget* LoadForm(QUiLoader& loader, const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? loader.load(&file) : nullptr;
}

// Makes the window a button opens: the form itself, or an empty window of its size and title.
std::function<QWidget*()> WindowMaker(QUiLoader& loader, const QString& path, bool empty) {
  if (!empty) return [&loader, path] { return LoadForm(loader, path); };
  QWidget* form = LoadForm(loader, path);
  if (form == nullptr) return [] { return nullptr; };
  const QSize size = form->size();
  const QString title = form->windowTitle();
  delete form;
  return [size, title] {
    auto* window = new QWidget;
    window->resize(size);
    window->setWindowTitle(title);
    return window;
  };
}

void Open(const std::function<QWidget*()>& make) {
  QWidget* window = make();
  if (window == nullptr) return;
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowModality(Qt::ApplicationModal);
  window->show();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const bool empty = argc > 1 && qstrcmp(argv[1], "--empty") == 0;
  if (argc < 3 + (empty ? 1 : 0)) return 2;
  const QString priceForm = QString::fromLocal8Bit(argv[argc - 2]), scoreForm = QString::fromLocal8Bit(argv[argc - 1]);
  const QStringList libraryPaths = QCoreApplication::libraryPaths();
  QCoreApplication::setLibraryPaths({});
  QUiLoader loader;
  loader.clearPluginPaths();
  QCoreApplication::setLibraryPaths(libraryPaths);
  QWidget window;
  QPushButton* buttons[4];
  bench::FillPlainMainWindow(window, buttons);
  const std::function<QWidget*()> makePrice = WindowMaker(loader, priceForm, empty);
  const std::function<QWidget*()> makeScore = WindowMaker(loader, scoreForm, empty);
  QObject::connect(buttons[bench::kPriceButton], &QPushButton::clicked, [&] { Open(makePrice); });
  QObject::connect(buttons[bench::kScoreButton], &QPushButton::clicked, [&] { Open(makeScore); });
  window.show();
  return application.exec();
}
