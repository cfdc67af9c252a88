#include "units/window/window_properties.h"

#include "units/framework/unit_type_ids.h"

namespace units {
namespace {
constexpr uint32_t kHighestVersion = 6;
}

void WindowProperties::Reset() {
  title.clear();
  borderStyle = 2;
  backColor = kDefaultColor;
  backPicture.clear();
  backPictureSource = {};
  backPictureMode = 1;
  backSound.clear();
  soundPlayMode = 0;
  controlBox = 1;
  maxButton = 0;
  minButton = 1;
  position = 1;
  closable = 1;
  icon.clear();
  enterMovesFocus = 0;
  escCloses = 1;
  f1Help = 0;
  helpFile.clear();
  helpTopic = 0;
  showInTaskbar = 1;
  moveAnywhere = 0;
  shape = 0;
  alwaysOnTop = 0;
  keepTitleActive = 0;
  className.clear();
}

void WindowProperties::Serialise(PropertyArchive& a) {
  a.Version(kHighestVersion);
  a.Int32(borderStyle);
  a.Int32(backPictureMode);
  a.UInt32(backColor);
  a.Int32(maxButton);
  a.Int32(minButton);
  a.Int32(controlBox);
  a.Int32(position);
  a.Int32(closable);
  a.Int32(soundPlayMode);
  a.Int32(enterMovesFocus);
  a.Int32(escCloses);
  a.Int32(f1Help);
  a.Int32(helpTopic);
  if (a.Since(2)) a.Int32(showInTaskbar);
  if (a.Since(3)) {
    a.Int32(moveAnywhere);
    a.Int32(shape);
  }
  if (a.Since(4)) a.Int32(alwaysOnTop);
  if (a.Since(5)) a.Int32(keepTitleActive);
  if (a.Since(6)) a.Text(className);
  a.Bytes(backPicture, backPictureSource);
  a.Bytes(icon);
  a.Bytes(backSound);
  a.Text(title);
  a.Text(helpFile);
}

}  // namespace units
