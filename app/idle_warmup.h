#pragma once
// One-time work of a window's first opening, done ahead while the program waits for its user.
#include <QWidget>

namespace toolbox {

// Once `mainWindow` has been painted and the program has then been idle for a moment, sets up
// what the first opening of a tool window would otherwise set up on the user's click: the
// application font's engine for text of no particular script, which an edit box lays out its
// empty text with before it takes its own font (no text the toolbox shows uses it); and the
// pictures of the tool windows, decoded on workers, which the first opening would otherwise
// decode beside building its window (the two cores then also serve the display server). Nothing
// on a platform without a screen, where no one clicks.
void WarmUpWhenIdle(QWidget* mainWindow);

}  // namespace toolbox
