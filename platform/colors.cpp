#include "platform/colors.h"

namespace platform {

QColor FromColorRef(uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

uint32_t ToColorRef(const QColor& color) {
  return static_cast<uint32_t>(color.red()) | static_cast<uint32_t>(color.green()) << 8 |
         static_cast<uint32_t>(color.blue()) << 16;
}

QColor SystemColorOf(SystemColor which) {
  switch (which) {
    case SystemColor::kButtonFace: return FromColorRef(0x00C8D0D4);
    case SystemColor::kButtonShadow: return FromColorRef(0x00808080);
    case SystemColor::kButtonHighlight: return FromColorRef(0x00FFFFFF);
    case SystemColor::kButtonLight: return FromColorRef(0x00C8D0D4);
    case SystemColor::kDarkShadow: return FromColorRef(0x00404040);
    case SystemColor::kButtonText: return FromColorRef(0x00000000);
    case SystemColor::kGrayText: return FromColorRef(0x00808080);
    case SystemColor::kWindow: return FromColorRef(0x00FFFFFF);
    case SystemColor::kWindowText: return FromColorRef(0x00000000);
    case SystemColor::kHighlight: return FromColorRef(0x006A240A);
    case SystemColor::kHighlightText: return FromColorRef(0x00FFFFFF);
    case SystemColor::kHotLight: return FromColorRef(0x00CC6600);
  }
  return FromColorRef(0);
}

QColor BackgroundColor(uint32_t colorRef) {
  return colorRef == kDefaultColor ? SystemColorOf(SystemColor::kButtonFace) : FromColorRef(colorRef);
}

}  // namespace platform
