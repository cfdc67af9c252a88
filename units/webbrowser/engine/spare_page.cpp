#include "units/webbrowser/engine/spare_page.h"

#include <QPointer>
#include <QTimer>

#include <memory>

namespace units::web {
namespace {

// A page kept longer than this goes: its renderer holds tens of MiB, a price worth paying only
// while windows come and go.
constexpr int kKeepMs = 10000;

struct Spare {
  QPointer<QWebEngineView> view;
  QPointer<EnginePage> page;
  // Holds the request to blank the page and the timer that lets it go; gone with the spare.
  std::unique_ptr<QObject> context;
  bool blankAsked = false;
};

Spare& TheSpare() {
  static Spare spare;
  return spare;
}

// Called from the spare's own timer, so the timer's receiver is deleted later, not now.
void LetGo() {
  Spare& spare = TheSpare();
  if (spare.view) spare.view->deleteLater();
  spare.context.release()->deleteLater();
  spare = Spare();
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
  // A timer the spare owns, which goes with it when a box takes the page.
  auto* keep = new QTimer(spare.context.get());
  keep->setSingleShot(true);
  QObject::connect(keep, &QTimer::timeout, LetGo);
  keep->start(kKeepMs);
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
