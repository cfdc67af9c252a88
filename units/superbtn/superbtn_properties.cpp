#include "units/superbtn/superbtn_properties.h"

#include "platform/colors.h"
#include "units/superbtn/lighten_color.h"

namespace units {

void SuperBtnProperties::Reset() {
  const uint32_t face = platform::ToColorRef(platform::SystemColorOf(platform::SystemColor::kButtonFace));
  const uint32_t text = platform::ToColorRef(platform::SystemColorOf(platform::SystemColor::kButtonText));
  buttonStyle = 0;
  checkMode = 0;
  checked = 0;
  picturePosition = 0;
  pressOffset = 0;
  hoverBorder = 1;
  hoverFocusRect = 0;
  normalPicture.clear();
  normalTransColor = platform::kDefaultColor;
  hotPicture.clear();
  hotTransColor = platform::kDefaultColor;
  disabledPicture.clear();
  normalSource = hotSource = disabledSource = {};
  disabledTransColor = platform::kDefaultColor;
  font.clear();
  caption = "\xb3\xac\xbc\xb6\xb0\xb4\xc5\xa5";  // 超级按钮
  systemColors = 1;
  normalTextColor = text;
  normalBackColor = face;
  hotTextColor = text;
  hotBackColor = LightenColor(face, 32);
  focusTextColor = text;
  focusBackColor = face;
  builtinSound = 0;
  hoverSound.clear();
  clickSound.clear();
  toolTip.clear();
  defaultButton = 0;
}

void SuperBtnProperties::Serialise(PropertyArchive& archive) {
  archive.Version(2);
  archive.Int32(buttonStyle);
  archive.Int32(checkMode);
  archive.Int32(checked);
  archive.Int32(picturePosition);
  archive.Int32(pressOffset);
  archive.Int32(hoverBorder);
  archive.Int32(hoverFocusRect);
  archive.UInt32(hotTransColor);  // stored before the normal picture's
  archive.UInt32(normalTransColor);
  archive.Int32(systemColors);
  archive.Int32(builtinSound);
  archive.Int32(defaultButton);
  for (uint32_t* color : {&normalTextColor, &normalBackColor, &hotTextColor, &hotBackColor, &focusTextColor,
                          &focusBackColor})
    archive.UInt32(*color);
  archive.Bytes(hotPicture, hotSource);
  archive.Bytes(normalPicture, normalSource);
  archive.Bytes(font);
  archive.Bytes(hoverSound);
  archive.Bytes(clickSound);
  archive.Text(caption);
  archive.Text(toolTip);
  if (archive.Since(2)) {
    archive.UInt32(disabledTransColor);
    archive.Bytes(disabledPicture, disabledSource);
  }
}

}  // namespace units
