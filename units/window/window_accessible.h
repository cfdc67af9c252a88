#pragma once

namespace units {

// Lets assistive technology read a window as a frame, or as a modal dialog while it is loaded
// modally over the others; installed once.
void InstallWindowAccessibility();

}  // namespace units
