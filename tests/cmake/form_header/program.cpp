// A program on form.json's header: the ids by name, and the handler table the program header
// takes, each offset leading to its handler. USE_IDS_ONLY leaves the table unused.
#include <cstdio>

#include "form.h"

namespace hello {
extern int marks;
}

int main() {
  static_assert(hello::greeting::kWindow == 0x52010001 && hello::greeting::kOwnUnit == 0x06010000);
  static_assert(hello::greeting::kOk == 0x16010002 && hello::greeting::kAgain == 0x16010003);
  // Opened, first named, takes 0; Fixed keeps its 1; Clicked takes the next free one.
  static_assert(hello::handler_offset::kOpened == 0 && hello::handler_offset::kFixed == 1 &&
                hello::handler_offset::kClicked == 2);
#ifdef USE_IDS_ONLY
  std::puts("ids only");
  return 0;
#else
  const runtime::HandlerTable& table = hello::kHandlerTable;
  if (table.count != 3) return 1;
  int expected = 0;
  for (std::uint32_t i = 0; i < table.count; ++i) {
    if (table.offsets[i] != static_cast<std::int32_t>(i)) return 2;
    table.handlers[i](nullptr, 0, nullptr);
    expected += i == 0 ? 1 : i == 1 ? 100 : 10;
    if (hello::marks != expected) return 3;
  }
  std::puts("handlers found by offset");
  return 0;
#endif
}
