#include "units/webbrowser/engine/spare_page.h"

#include <QPointer>
#include <QTimer>

#include <memory>

namespace units::web {
namespace {

struct Spare {
  QPointer<QWebEngineView> view;
  QPointer<EnginePage> page;
  // Holds the request to blank the page on the next turn of the loop; gone with the spare.
  std::unique_ptr<QObject> context;
  bool blankAsked = false;
};

Spare& TheSpare() {
  static Spare spare;
  return spare;
}

}  // namespace

void ParkSparePage(QWebEngineView* view, EnginePage* page) {
  Spare& spare = TheSpare();
  view->hide();
  view->setParent(nullptr);
  // Windows the page opened went with its box.
  for (QWebEngineView* popUp : view->findChildren<QWebEngineView*>(Qt::FindDirectChildrenOnly))
    if (popUp->isWindow()) popUp->deleteLater();
  if (spare.view && spare.page) {  // one is kept
    view->deleteLater();
    return;
  }
  page->parked = true;
  spare = Spare{view, page, std::make_unique<QObject>(), false};
  QTimer::singleShot(0, spare.context.get(), [] {
    Spare& kept = TheSpare();
    kept.blankAsked = true;
    if (kept.page) kept.page->Blank();
  });
}

QWebEngineView* TakeSparePage(QWidget* parent) {
  Spare& spare = TheSpare();
  if (!spare.view || !spare.page) return nullptr;
  QWebEngineView* view = spare.view;
  EnginePage* page = spare.page;
  if (!spare.blankAsked) page->Blank();
  spare = Spare();
  page->parked = false;
  view->setParent(parent);
  view->show();
  return view;
}

void ReleaseSparePage() {
  Spare& spare = TheSpare();
  spare.context.reset();
  delete spare.view.data();
  spare = Spare();
}

}  // namespace units::web
