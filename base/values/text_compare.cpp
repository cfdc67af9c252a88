#include "base/values/text_compare.h"

namespace runtime {

int CompareText(const char* a, const char* b) {
  if (a == nullptr) return b == nullptr || *b == '\0' ? 0 : -1;
  if (b == nullptr) return *a == '\0' ? 0 : 1;
  auto x = reinterpret_cast<const unsigned char*>(a);
  auto y = reinterpret_cast<const unsigned char*>(b);
  for (; *x == *y; ++x, ++y) {
    if (*x == '\0') return 0;
  }
  return *x < *y ? -1 : 1;
}

}  // namespace runtime
