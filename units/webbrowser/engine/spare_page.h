#pragma once
// The engine's view and page of the web browser box that closed last, kept for the next box.
//
// Every page the engine makes and takes down leaves some memory behind in the engine until the
// process ends, so a web page window opened and closed again and again would grow the program
// without bound. One page handed on from box to box keeps that flat while windows come and go;
// it goes when no box has wanted it for a few seconds, as its renderer is costly to keep.
#include <QWebEngineView>

#include "units/webbrowser/engine/engine_page.h"

namespace units::web {

// Takes `view` (holding `page`) from a box that is going. It leaves its window at once and is
// blanked on the next turn of the event loop, since the box may be going in the middle of one of
// the page's own calls. Only one is kept: with one kept already, `view` goes.
void ParkSparePage(QWebEngineView* view, EnginePage* page);

// The kept view, now a child of `parent`, or null. Its page may still be blanking (see
// EnginePage::blanking), and it holds the closed box's history.
QWebEngineView* TakeSparePage(QWidget* parent);

// Deletes the kept view and page now: pages must go before the engine is taken down.
void ReleaseSparePage();

}  // namespace units::web
