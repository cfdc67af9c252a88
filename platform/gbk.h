#pragma once
// Text crosses between the runtime (GBK bytes) and everything else (UTF-8, QString) only here.
#include <string>
#include <string_view>

namespace platform {

// GBK bytes to UTF-8. A byte sequence that is not GBK becomes U+FFFD per bad sequence.
std::string GbkToUtf8(std::string_view gbk);

// UTF-8 to GBK. A character that GBK cannot hold becomes "?".
std::string Utf8ToGbk(std::string_view utf8);

}  // namespace platform
