#pragma once
// What assistive technology sees of units. A client reaches a widget through the interface the
// accessibility framework asks its factories for; one factory, installed once by the first
// unit, answers for every widget of a unit (the window's included): it takes the unit type's own
// interface, or the toolkit's default for the widget, and puts a guard in front of it. While the
// window is blocked by a modal window the guard reports it and all it holds unavailable and
// refuses every action, text, selection and focus request, as the mouse and keyboard are refused.
#include <QAccessibleInterface>

class QObject;
class QWidget;

namespace units {

// A unit type's own interface for `object`, or null when the object is not of that type.
using AccessibleMaker = QAccessibleInterface* (*)(QObject* object);
// Adds a maker (once per maker); makers are asked in the order they were added.
void RegisterAccessibleMaker(AccessibleMaker maker);
void InstallUnitAccessibility();

// Keeps the top-level `widget` out of what assistive technology meets (a window that is never
// shown, such as the runtime's hidden owner of tool windows).
void KeepFromReaders(QWidget* widget);

// Whether the window holding `widget` is blocked by a modal window.
bool BlockedByModality(const QWidget* widget);
// Tells clients that the window `window` and everything on it became available or unavailable.
void AnnounceAvailability(QWidget* window);

}  // namespace units
