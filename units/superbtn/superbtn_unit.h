#pragma once
// The super button: an owner-drawn push button with hover, pressed and focused faces, up to three
// pictures, sounds, a tooltip, a check mode and the window's default-button role. A click
// reports the unit's event 0.
#include <QAbstractButton>
#include <QString>

#include <cstdint>
#include <memory>
#include <span>

#include "contract/unit.h"
#include "units/superbtn/button_picture.h"

namespace units {

namespace superbtn_event {
constexpr int32_t kClick = 0;
}  // namespace superbtn_event

// How the face reacts to the pointer.
namespace button_style {
constexpr int32_t kHover = 0;    // flat face, lit while the pointer is over it
constexpr int32_t kClassic = 1;  // raised 3D face, never lit
constexpr int32_t kRounded = 2;  // as kHover, the lit and pressed face a rounded rectangle
inline constexpr const char* kNames[] = {"Hover", "Classic", "Rounded"};
}  // namespace button_style

// Where the picture sits against the caption.
namespace picture_position {
constexpr int32_t kLeft = 0;
constexpr int32_t kAbove = 1;
constexpr int32_t kRight = 2;
constexpr int32_t kTopLeft = 3;  // the button's corner, the caption where it would be alone
inline constexpr const char* kNames[] = {"Left", "Above", "Right", "TopLeft"};
}  // namespace picture_position

// How far text and picture move while the button is held down.
namespace press_offset {
constexpr int32_t kRightAndDown = 0;  // one pixel each way
constexpr int32_t kTwoDown = 1;
inline constexpr const char* kNames[] = {"RightAndDown", "TwoDown"};
}  // namespace press_offset

struct SuperBtnState;  // the own properties, in superbtn_properties.h

class ButtonTip;

// Picture slots: the hot picture also shows while pressed or checked.
enum PictureSlot { kHotSlot = 0, kNormalSlot = 1, kDisabledSlot = 2 };

// The wave played on hover (0) or click (1): the built-in click when the button uses it, else the
// button's own sound, which may be empty.
std::span<const uint8_t> ButtonSound(const SuperBtnState& properties, int which);

class SuperBtnUnit : public UnitWidget<QAbstractButton> {
  Q_OBJECT

 public:
  // `properties` are the type's own (superbtn_properties.h).
  SuperBtnUnit(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties, QWidget* parent);

  SuperBtnState& Props() { return *props_; }
  const SuperBtnState& Props() const { return *props_; }

  // Check mode and the default-button role are fixed when the button is made; a change of either
  // property re-creates it.
  bool InCheckMode() const { return checkMode_; }
  bool IsDefault() const { return defaultButton_; }
  bool Hot() const { return hot_; }
  QString Caption() const { return caption_; }
  QString MnemonicText() const override { return caption_; }
  QString ToolTipText() const;

  // Called once the button is placed: from then on disabling it moves the focus on.
  void FinishCreation() { created_ = true; }
  void RebuildPicture(PictureSlot slot);
  void ApplyFont();
  void ApplyCaption();
  void ApplyToolTip();
  void ClearHot();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  struct Colors {
    QColor normalText, normalFace, hotText, hotFace, focusText, focusFace;
  };
  // Text, face and picture edges, right and bottom exclusive.
  struct Box {
    int l, t, r, b;
  };

  Colors DrawingColors() const;
  bool HoverEnabled() const;
  bool Rounded() const;
  bool Classic() const;
  QPoint PressShift() const;
  void OnClicked();
  void PlaySound(int which);
  void MoveFocusOn();

  void DrawFace(QPainter& painter, const Box& r, bool pressed, bool focused, const Colors& colors) const;
  void DrawBorder(QPainter& painter, const Box& r, bool pressed) const;
  void DrawHoverBorder(QPainter& painter, const Box& r, bool pressed) const;
  void DrawPicture(QPainter& painter, Box& text, bool pressed, bool disabled) const;
  void DrawCaption(QPainter& painter, Box text, bool pressed, bool focused, bool disabled,
                   const Colors& colors) const;

  SuperBtnState* props_;  // owned by the unit
  bool checkMode_;
  bool defaultButton_;
  bool hot_ = false;
  bool created_ = false;
  QString caption_;
  ButtonPicture pictures_[3];
  ButtonTip* tip_ = nullptr;  // made when first shown
};

}  // namespace units
