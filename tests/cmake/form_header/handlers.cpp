// The handlers form.json names, each leaving its mark; LEAVE_OUT_FIXED leaves one out.
#include "form.h"

namespace hello {

int marks = 0;

bool Opened(const std::intptr_t*, std::int32_t, std::int64_t*) {
  marks += 1;
  return false;
}

bool Clicked(const std::intptr_t*, std::int32_t, std::int64_t*) {
  marks += 10;
  return false;
}

#ifndef LEAVE_OUT_FIXED
bool Fixed(const std::intptr_t*, std::int32_t, std::int64_t*) {
  marks += 100;
  return false;
}
#endif

}  // namespace hello
