#pragma once
// Text comparison for the program's own routines. A null text is the empty text.

namespace runtime {

// -1, 0 or 1 by the first differing byte, compared unsigned.
int CompareText(const char* a, const char* b);

}  // namespace runtime
