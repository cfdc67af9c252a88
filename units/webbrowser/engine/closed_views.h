#pragma once
// The views of closed boxes and pop-ups wait for the event loop to delete them, so that no page
// is deleted inside one of its own calls. Those still waiting when the program ends are deleted
// before the engine is taken down.
class QWidget;

namespace units::webbrowser {

// `view` has been asked to go (deleteLater); it is deleted at the end if it has not gone by then.
void RememberClosedView(QWidget* view);
void DeleteClosedViews();

}  // namespace units::webbrowser
