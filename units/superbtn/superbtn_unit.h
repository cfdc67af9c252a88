#pragma once
// The super button: an owner-drawn push button with hover, pressed and focused faces, up to three
// pictures, sounds, a tooltip, a check mode and the window's default-button role. A click
// reports the unit's event 0.
#include <QAbstractButton>
#include <QString>

#include <span>

#include "units/framework/unit.h"
#include "units/superbtn/button_picture.h"
#include "units/superbtn/superbtn_properties.h"

namespace units {

class ButtonTip;

// Picture slots: the hot picture also shows while pressed or checked.
enum PictureSlot { kHotSlot = 0, kNormalSlot = 1, kDisabledSlot = 2 };

// The wave played on hover (0) or click (1): the built-in click when the button uses it, else the
// button's own sound, which may be empty.
std::span<const uint8_t> ButtonSound(const SuperBtnProperties& properties, int which);

class SuperBtnUnit : public UnitWidget<QAbstractButton> {
  Q_OBJECT

 public:
  SuperBtnUnit(const UnitIdentity& identity, std::unique_ptr<SuperBtnProperties> properties, QWidget* parent);

  SuperBtnProperties& Props() { return *props_; }
  const SuperBtnProperties& Props() const { return *props_; }

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

  SuperBtnProperties* props_;  // owned by the unit
  bool checkMode_;
  bool defaultButton_;
  bool hot_ = false;
  bool created_ = false;
  QString caption_;
  ButtonPicture pictures_[3];
  ButtonTip* tip_ = nullptr;  // made when first shown
};

}  // namespace units
