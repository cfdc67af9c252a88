#pragma once

namespace units {

// Lets assistive technology read super buttons as push buttons with their caption, tooltip and
// check state, and press them; installed once.
void InstallSuperBtnAccessibility();

}  // namespace units
