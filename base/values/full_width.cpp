#include "base/values/full_width.h"

namespace runtime {
namespace {

const unsigned char kEmpty[1] = {0};

// The ASCII byte for a folded double-byte character, or -1 when it is kept.
int Fold(unsigned lead, unsigned trail) {
  if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<int>(trail - 0x80);
  if (lead == 0xA1) {
    if (trail == 0xA1) return ' ';  // ideographic space
    if (trail == 0xAB) return '~';  // ～
    if (trail == 0xEE || trail == 0xEF) return '*';  // ☆ ★
  }
  return -1;
}

}  // namespace

FullWidthReader::FullWidthReader(const char* text, bool dropBlanks)
    : at_(text != nullptr ? reinterpret_cast<const unsigned char*>(text) : kEmpty),
      dropBlanks_(dropBlanks) {}

int FullWidthReader::Next() {
  if (pendingTrail_ >= 0) {
    const int trail = pendingTrail_;
    pendingTrail_ = -1;
    return trail;
  }
  for (;;) {
    const unsigned lead = *at_;
    if (lead == 0) return -1;
    int folded;
    if (lead < 0x80) {
      folded = static_cast<int>(lead);
      ++at_;
    } else {
      const unsigned trail = at_[1];
      // A lead byte cut off by the end of the text is dropped.
      if (trail == 0) {
        ++at_;
        return -1;
      }
      at_ += 2;
      folded = Fold(lead, trail);
      if (folded < 0) {
        pendingTrail_ = static_cast<int>(trail);
        return static_cast<int>(lead);
      }
    }
    if (dropBlanks_ && (folded == ' ' || folded == '\t')) continue;
    return folded;
  }
}

}  // namespace runtime
