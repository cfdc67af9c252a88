#pragma once
// Texts between a program's code, written in UTF-8, and the runtime, whose texts are GBK.
#include <string>
#include <string_view>

namespace runner {

// The GBK bytes of UTF-8 text, to hand to the runtime (a caption, a command's text argument); a
// character GBK cannot hold becomes "?".
std::string Gbk(std::string_view utf8);

}  // namespace runner
