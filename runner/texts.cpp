#include "runner/texts.h"

#include "platform/gbk.h"

namespace runner {

std::string Gbk(std::string_view utf8) { return platform::Utf8ToGbk(utf8); }

}  // namespace runner
