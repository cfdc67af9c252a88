#include "platform/gbk.h"

#include <iconv.h>

#include <cerrno>

namespace platform {
namespace {

// Converts with one iconv descriptor, replacing what cannot be converted by `replacement`
// and skipping one input byte (or one UTF-8 character) per failure.
std::string Convert(const char* to, const char* from, std::string_view in, std::string_view replacement,
                    bool utf8Input) {
  std::string out;
  if (in.empty()) return out;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  out.reserve(in.size() * 2);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char buffer[1024];
  while (srcLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, static_cast<size_t>(dst - buffer));
    if (rc != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL: skip the offending character and put the replacement in its place.
    size_t skip = 1;
    if (utf8Input) {
      auto lead = static_cast<unsigned char>(*src);
      skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
      if (skip > srcLeft) skip = srcLeft;
    } else if (static_cast<unsigned char>(*src) >= 0x80 && srcLeft >= 2) {
      skip = 2;
    }
    out.append(replacement);
    src += skip;
    srcLeft -= skip;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) { return Convert("UTF-8", "GBK", gbk, "\xEF\xBF\xBD", false); }

std::string Utf8ToGbk(std::string_view utf8) { return Convert("GBK", "UTF-8", utf8, "?", true); }

}  // namespace platform
