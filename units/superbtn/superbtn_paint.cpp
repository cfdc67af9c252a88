// How the super button draws itself: face, border, picture, caption and focus rectangle. Edges
// are given with the right and bottom exclusive, and every line is drawn pixel-exact.
#include <QPainter>

#include "platform/colors.h"
#include "platform/edge_painter.h"
#include "contract/focus_mark.h"
#include "units/superbtn/lighten_color.h"
#include "units/superbtn/superbtn_properties.h"

namespace units {
namespace {

using platform::SystemColor;
using platform::SystemColorOf;

constexpr int kPictureMargin = 3;

void Fill(QPainter& p, int l, int t, int r, int b, const QColor& color) {
  if (r > l && b > t) p.fillRect(QRect(l, t, r - l, b - t), color);
}

// The rectangle of a box given with its right and bottom exclusive.
template <typename Box>
QRect RectOf(const Box& box) {
  return QRect(box.l, box.t, box.r - box.l, box.b - box.t);
}

int Centre(int start, int span, int size) { return start + (span - size) / 2; }

}  // namespace

SuperBtnUnit::Colors SuperBtnUnit::DrawingColors() const {
  if (props_->systemColors != 0) {
    const QColor text = SystemColorOf(SystemColor::kButtonText);
    const QColor face = SystemColorOf(SystemColor::kButtonFace);
    const QColor hot = platform::FromColorRef(LightenColor(platform::ToColorRef(face), 32));
    return {text, face, text, hot, text, face};
  }
  return {platform::FromColorRef(props_->normalTextColor), platform::BackgroundColor(props_->normalBackColor),
          platform::FromColorRef(props_->hotTextColor),    platform::BackgroundColor(props_->hotBackColor),
          platform::FromColorRef(props_->focusTextColor),  platform::BackgroundColor(props_->focusBackColor)};
}

void SuperBtnUnit::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const Colors colors = DrawingColors();
  const bool pressed = isDown() || (checkMode_ && isChecked());
  const bool focused = hasFocus();
  const bool disabled = !isEnabled();

  Box r{0, 0, width(), height()};
  if (Classic() && (focused || defaultButton_)) {
    platform::DrawRing(painter, RectOf(r), Qt::black, Qt::black);
    r = {r.l + 1, r.t + 1, r.r - 1, r.b - 1};
  }
  DrawFace(painter, r, pressed, focused, colors);
  DrawBorder(painter, r, pressed);

  Box text{0, 0, width(), height()};
  if (!pictures_[kHotSlot].Empty() || !pictures_[kNormalSlot].Empty()) DrawPicture(painter, text, pressed, disabled);
  if (!caption_.isEmpty()) DrawCaption(painter, text, pressed, focused, disabled, colors);

  // The hover styles draw it only when asked to, or once the keyboard is used in the window.
  if (focused && (Classic() || props_->hoverFocusRect != 0 || ShowsFocusMark(this)))
    DrawFocusMark(painter, QRect(r.l + 3, r.t + 3, r.r - r.l - 6, r.b - r.t - 6));
}

void SuperBtnUnit::DrawFace(QPainter& p, const Box& r, bool pressed, bool focused, const Colors& colors) const {
  if (!hot_ && !pressed) {
    Fill(p, r.l, r.t, r.r, r.b, focused ? colors.focusFace : colors.normalFace);
  } else if (Rounded()) {
    // Corners outside the rounded face show what lies beneath the button.
    p.save();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(colors.hotFace);
    p.drawRoundedRect(QRect(r.l, r.t, r.r - r.l - 1, r.b - r.t - 1), 4, 4);
    p.restore();
  } else {
    Fill(p, r.l, r.t, r.r, r.b, colors.hotFace);
  }
}

void SuperBtnUnit::DrawHoverBorder(QPainter& p, const Box& r, bool pressed) const {
  if (Rounded()) return;
  platform::DrawEdge(p, RectOf(r), pressed ? platform::Edge::kStatic : platform::Edge::kShallowRaised);
}

void SuperBtnUnit::DrawBorder(QPainter& p, const Box& r, bool pressed) const {
  const bool hoverBorder = props_->hoverBorder != 0;
  if (pressed) {
    if (!Classic()) {
      if (hoverBorder) DrawHoverBorder(p, r, true);
    } else {
      const QColor shadow = SystemColorOf(SystemColor::kButtonShadow);
      platform::DrawRing(p, RectOf(r), shadow, shadow);
    }
    return;
  }
  if (!Classic()) {
    if (hot_ && hoverBorder) DrawHoverBorder(p, r, false);
    return;
  }
  platform::DrawEdge(p, RectOf(r), platform::Edge::kButton);
}

void SuperBtnUnit::DrawPicture(QPainter& p, Box& text, bool pressed, bool disabled) const {
  int slot;
  if (disabled) slot = pictures_[kDisabledSlot].Empty() ? kHotSlot : kDisabledSlot;
  else if (checkMode_) slot = pressed ? kHotSlot : kNormalSlot;
  else slot = pressed || hot_ ? kHotSlot : kNormalSlot;
  if (slot != kDisabledSlot && pictures_[slot].Empty()) slot = slot == kHotSlot ? kNormalSlot : kHotSlot;
  const QImage& image = pictures_[slot].image;
  const int w = image.width(), h = image.height();
  const int clientW = width(), clientH = height();
  const bool hasText = !caption_.isEmpty();

  int x = 0, y = 0;
  switch (props_->picturePosition) {
    case picture_position::kLeft:
      if (hasText) {
        x = kPictureMargin;
        text.l += kPictureMargin + w;
      } else {
        x = Centre(0, clientW, w);
      }
      y = Centre(0, clientH, h);
      break;
    case picture_position::kAbove:
      x = Centre(0, clientW, w);
      if (hasText) {
        y = kPictureMargin;
        text.t += h;
      } else {
        y = Centre(0, clientH, h);
      }
      break;
    case picture_position::kRight:  // alone, it stays at the top
      if (hasText) {
        text.r = text.r - text.l - kPictureMargin - w;
        text.l = kPictureMargin;
        x = clientW - kPictureMargin - w;
        y = Centre(0, clientH, h);
      } else {
        x = Centre(0, clientW, w);
      }
      break;
    default:  // kTopLeft
      break;
  }
  if (pressed && !checkMode_) {
    x += PressShift().x();
    y += PressShift().y();
  }
  p.drawImage(x, y, disabled && slot != kDisabledSlot ? pictures_[slot].Greyed() : image);
}

void SuperBtnUnit::DrawCaption(QPainter& p, Box text, bool pressed, bool focused, bool disabled,
                               const Colors& colors) const {
  if (pressed && !checkMode_) {
    const QPoint shift = PressShift();
    text = {text.l + shift.x(), text.t + shift.y(), text.r + shift.x(), text.b + shift.y()};
  }
  const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic | Qt::TextDontClip;
  const int spanW = text.r - text.l, spanH = text.b - text.t;
  // Measure the wrapped caption, then centre it both ways in the text box.
  const QRect measured = p.boundingRect(QRect(text.l, text.t, std::max(spanW, 1), 0x7FFF), flags, caption_);
  const QRect place(Centre(text.l, spanW, measured.width()), Centre(text.t, spanH, measured.height()),
                    measured.width(), measured.height());
  if (disabled) {
    p.setPen(SystemColorOf(SystemColor::kButtonHighlight));
    p.drawText(place.translated(1, 1), flags, caption_);
    p.setPen(SystemColorOf(SystemColor::kButtonShadow));
  } else if (hot_ || pressed) {
    p.setPen(colors.hotText);
  } else {
    p.setPen(focused ? colors.focusText : colors.normalText);
  }
  p.drawText(place, flags, caption_);
}

}  // namespace units
