#pragma once
// The window unit's own properties and their stored form.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "units/framework/property_data.h"

namespace units {

// Own property indexes (property number - 8).
namespace window_property {
constexpr int32_t kTitle = 0;
constexpr int32_t kBorderStyle = 1;
constexpr int32_t kBackColor = 2;
constexpr int32_t kBackPicture = 3;
constexpr int32_t kBackPictureMode = 4;
constexpr int32_t kBackSound = 5;
constexpr int32_t kSoundPlayMode = 6;
constexpr int32_t kControlBox = 7;
constexpr int32_t kMaxButton = 8;
constexpr int32_t kMinButton = 9;
constexpr int32_t kPosition = 10;
constexpr int32_t kClosable = 11;
constexpr int32_t kIcon = 12;
constexpr int32_t kEnterMovesFocus = 13;
constexpr int32_t kEscCloses = 14;
constexpr int32_t kF1Help = 15;
constexpr int32_t kHelpFile = 16;
constexpr int32_t kHelpTopic = 17;
constexpr int32_t kShowInTaskbar = 18;
constexpr int32_t kMoveAnywhere = 19;
constexpr int32_t kShape = 20;
constexpr int32_t kAlwaysOnTop = 21;
constexpr int32_t kKeepTitleActive = 22;
constexpr int32_t kClassName = 23;
constexpr int32_t kCount = 24;
}  // namespace window_property

// BackPictureMode values.
enum class PictureMode : int32_t { kTopLeft = 0, kTiled = 1, kCentred = 2, kStretched = 3 };

struct WindowProperties : PropertyObject {
  std::string title;  // GBK
  int32_t borderStyle;
  uint32_t backColor;
  std::vector<uint8_t> backPicture;
  // Where backPicture was read from; empty once it is set at run time.
  std::span<const uint8_t> backPictureSource;
  int32_t backPictureMode;
  std::vector<uint8_t> backSound;
  int32_t soundPlayMode;
  int32_t controlBox;
  int32_t maxButton;
  int32_t minButton;
  int32_t position;
  int32_t closable;
  std::vector<uint8_t> icon;
  int32_t enterMovesFocus;
  int32_t escCloses;
  int32_t f1Help;
  std::string helpFile;  // GBK
  int32_t helpTopic;
  int32_t showInTaskbar;
  int32_t moveAnywhere;
  int32_t shape;
  int32_t alwaysOnTop;
  int32_t keepTitleActive;
  std::string className;  // GBK

  WindowProperties() { Reset(); }
  void Reset() override;
  void Serialise(PropertyArchive& archive) override;
};

}  // namespace units
