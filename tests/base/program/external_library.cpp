// A tiny library that the external command tests call into.
#include <cstdint>

extern "C" {
__attribute__((visibility("default"))) intptr_t quarlex_test_sum3(intptr_t a, intptr_t b, intptr_t c) {
  return a + b * 10 + c * 100;
}
__attribute__((visibility("default"))) intptr_t quarlex_test_answer() { return 42; }
}
