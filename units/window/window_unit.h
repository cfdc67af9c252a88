#pragma once
// The window unit: a form as a top-level window. It paints the background, plays the background
// sound, carries icon, shape and caption buttons, runs the form's keyboard navigation and raises
// the common mouse and keyboard events for itself and every unit on it.
#include <QMargins>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "contract/live_window.h"
#include "contract/unit.h"
#include "contract/unit_interfaces.h"
#include "units/window/window_background.h"

class QInputMethodEvent;
class QKeyEvent;
class QMouseEvent;
class QSystemTrayIcon;
class QScrollBar;
class QWheelEvent;

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
inline constexpr const char* kNames[] = {"None",     "Sizable",       "Fixed",      "SizableTool",
                                         "FixedTool", "SizableSunken", "FixedSunken"};
}  // namespace window_border

// BackPictureMode values.
enum class PictureMode : int32_t { kTopLeft = 0, kTiled = 1, kCentred = 2, kStretched = 3 };
inline constexpr const char* kPictureModeNames[] = {"TopLeft", "Tiled", "Centred", "Stretched"};

namespace sound_play_mode {
constexpr int32_t kRepeat = 0;
constexpr int32_t kOnce = 1;
constexpr int32_t kSilent = 2;
inline constexpr const char* kNames[] = {"Repeat", "Once", "Silent"};
}  // namespace sound_play_mode

// Where a window shows: at its stored place, centred on the screen, minimised or maximised.
namespace window_position {
constexpr int32_t kStored = 0;
constexpr int32_t kCentred = 1;
constexpr int32_t kMinimised = 2;
constexpr int32_t kMaximised = 3;
inline constexpr const char* kNames[] = {"Stored", "Centred", "Minimised", "Maximised"};
}  // namespace window_position

struct WindowState;  // the own properties, in window_properties.h

class WindowUnit : public UnitWidget<QWidget>, public LiveWindow {
 public:
  // Builds the window from read properties (the type's own, window_properties.h); `owner` is the
  // owning window or null.
  WindowUnit(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties, QWidget* owner);
  ~WindowUnit() override;

  // What CreateUnit does after reading the data: style, place, icons, shape, topmost, sound.
  // `outer` is the requested outer rectangle.
  void Build(uint32_t style, const QRect& outer);

  WindowState& Props();

  // Show a property just written.
  void TitleChanged();
  void SetBorderStyle(int32_t style);
  void BackPictureChanged();
  void RepaintBackground();
  void StartSound();
  void StopSound();
  void ApplyWindowFlags();
  void ApplyIcons();
  void AddLargeProgramIcons();
  void ApplyShape();
  void ApplyPosition();
  void ApplyTopmost();
  void ApplyKeepTitleActive();

  // The notification-area icon, one per window, added or replaced: the icon from icon file data
  // (the window's own icon when the data holds none) with a GBK tip of at most 62 bytes (null is
  // none). Its mouse notifications raise window_event::kTrayIcon.
  void SetTrayIcon(std::span<const uint8_t> iconData, const char* tip);
  void RemoveTrayIcon();
  QSystemTrayIcon* TrayIcon() const { return tray_; }

  // The frame and caption around the client area.
  QMargins FrameMargins() const;

  // LiveWindow
  QWidget* Widget() override { return this; }
  QRect OuterGeometry() override;
  void SetOuterGeometry(const QRect& outer) override;
  bool Idle(int64_t elapsedMs) override;
  int InitialShowState() override;
  void SetDesktopOwner(QWidget* owner) override;
  // Both the host's pre-translation hook and the unit hook: the window type does not pre-translate
  // for others, so there is one meaning.
  bool PreTranslate(QObject* target, QEvent* event) override;
  void LayOutBars() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A unit of this window as navigation sees it.
  struct UnitInfo {
    uint32_t index = 0;
    Unit* unit = nullptr;
    const runtime::UnitTypeRecord* type = nullptr;
    uint32_t typeFlags = 0;
    bool tabStop = false;
    uint32_t tabOrder = 0;
    QWidget* widget() const { return unit->widget(); }
  };
  enum class Traversal { kTab, kArrow, kMnemonic };

  bool ThickFrame() const;
  bool HasCaption() const;
  void ApplyFixedSize();
  void ShowTitle();
  // `outer` made to fit the screen's available area: unchanged where it fits, else at the top
  // of the area with a scrolled client area.
  QRect FitToScreen(QRect outer);
  void PlaceScrollBar();
  void ScrollTo(int value);
  // The window that takes input in this one's place while it is blocked; null when none.
  QWidget* Blocker();
  void SetClientGeometry(const QRect& client);
  void ReturnToOwner();

  std::vector<UnitInfo> Units() const;
  // The unit whose widget is or contains `widget`, nearest first.
  std::optional<UnitInfo> UnitContaining(const QWidget* widget) const;
  std::optional<UnitInfo> FocusedUnit() const;
  // Moves the focus from `start` (null: the window itself); true when it moved.
  bool MoveFocus(const UnitInfo* start, bool forward, Traversal traversal);
  void FocusFirstUnit();

  bool HandleKeyPress(QWidget* target, QKeyEvent* key);
  bool HandleEnter(const std::optional<UnitInfo>& target);
  bool HandleHelp();
  bool HandleMnemonic(int32_t key);
  bool HandleMoveAnywhere(QWidget* target, QMouseEvent* mouse);
  // Raises a common event for the window or the unit `target` belongs to; true consumes.
  bool RaiseCommonEvent(QObject* target, QEvent* event);
  bool RaiseCharacter(QWidget* target, Unit* unit, QKeyEvent* key);
  bool RaiseCommitted(QWidget* target, Unit* unit, QInputMethodEvent* input);
  bool OfferToPreTranslatingUnits(QObject* target, QEvent* event);
  void ReassertOthersTopmost();

  WindowBackground background_;
  QSystemTrayIcon* tray_ = nullptr;  // goes through the event loop, see RemoveTrayIcon
  QPointer<QWidget> lastFocus_;
  QPointer<QWidget> desktopOwner_;
  int soundId_ = 0;
  bool firstActivationSeen_ = false;
  // The program's icon at the sizes of docks and switchers, still to come after the first paint.
  bool largeIconsDue_ = false;
  bool helpUsed_ = false;
  bool closing_ = false;
  bool reflagging_ = false;
  bool destroying_ = false;
  QPoint lastPos_;
  QSize lastSize_;
  // Dragging by the client area where the platform cannot move the window itself.
  bool dragging_ = false;
  QPoint dragStartGlobal_;
  QPoint dragStartPos_;
  // The scroll bar of a client area taller than the screen leaves room for (null where it
  // fits), the client area's full height and how much of it is scrolled off at the top.
  QPointer<QScrollBar> scrollBar_;
  int contentHeight_ = 0;
  int scrolled_ = 0;
  // A replaced character on its way to the unit: not translated again.
  const QEvent* replaying_ = nullptr;
};

}  // namespace units
