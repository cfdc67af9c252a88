#pragma once

namespace units {

// Lets assistive technology read transparent labels as static text; installed once.
void InstallTransLabelAccessibility();

}  // namespace units
