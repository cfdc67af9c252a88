#pragma once
// The window unit's own properties as the window holds them, their named values, and the
// window's events. The table of the properties is in window_properties.h.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace units {

namespace window_event {
constexpr int32_t kCreated = 0;  // raised by the host once every unit of the window is made
constexpr int32_t kQueryClose = 1;  // second step of closing, also when the session ends; can refuse
constexpr int32_t kDestroyed = 2;
constexpr int32_t kMoved = 3;
constexpr int32_t kResized = 4;
constexpr int32_t kActivated = 5;
constexpr int32_t kDeactivated = 6;
constexpr int32_t kIdle = 7;
constexpr int32_t kFirstActivation = 8;
constexpr int32_t kTrayIcon = 9;
constexpr int32_t kShown = 10;
constexpr int32_t kHidden = 11;
constexpr int32_t kCloseRequest = 12;  // first step of closing; can refuse
}  // namespace window_event

// What the tray icon reports with window_event::kTrayIcon.
namespace tray_click {
constexpr int32_t kLeft = 1;
constexpr int32_t kLeftDouble = 2;
constexpr int32_t kContext = 3;
}  // namespace tray_click

// The frame around the client area: sizable or fixed, as a normal or a tool window, or with a
// sunken client edge inside.
namespace window_border {
constexpr int32_t kNone = 0;
constexpr int32_t kSizable = 1;
constexpr int32_t kFixed = 2;
constexpr int32_t kSizableTool = 3;
constexpr int32_t kFixedTool = 4;
constexpr int32_t kSizableSunken = 5;
constexpr int32_t kFixedSunken = 6;
}  // namespace window_border

// BackPictureMode values.
enum class PictureMode : int32_t { kTopLeft = 0, kTiled = 1, kCentred = 2, kStretched = 3 };

namespace sound_play_mode {
constexpr int32_t kRepeat = 0;
constexpr int32_t kOnce = 1;
constexpr int32_t kSilent = 2;
}  // namespace sound_play_mode

// Where a window shows: at its stored place, centred on the screen, minimised or maximised.
namespace window_position {
constexpr int32_t kStored = 0;
constexpr int32_t kCentred = 1;
constexpr int32_t kMinimised = 2;
constexpr int32_t kMaximised = 3;
}  // namespace window_position

struct WindowState {
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
};

}  // namespace units
