#pragma once
// Colours as the units store them (0x00BBGGRR) and the classic system colours.
#include <QColor>

#include <cstdint>

namespace platform {

// The value a colour-with-default property stores for "the system button face".
constexpr uint32_t kDefaultColor = 0xFF000000;

enum class SystemColor { kButtonFace, kButtonShadow, kButtonHighlight, kButtonLight, kDarkShadow, kButtonText,
                         kGrayText, kWindow, kWindowText, kHighlight, kHighlightText, kHotLight };

QColor FromColorRef(uint32_t colorRef);
uint32_t ToColorRef(const QColor& color);
// The colours of the classic desktop scheme, which the forms were drawn against.
QColor SystemColorOf(SystemColor which);
// A background colour property: kDefaultColor is the button face, anything else the colour.
QColor BackgroundColor(uint32_t colorRef);

}  // namespace platform
