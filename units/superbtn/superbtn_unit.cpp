#include "units/superbtn/superbtn_unit.h"

#include <QAccessible>
#include <QFile>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <vector>

#include "platform/font_record.h"
#include "platform/sound.h"
#include "platform/text.h"
#include "units/superbtn/button_tip.h"
#include "units/superbtn/superbtn_properties.h"

namespace units {
namespace {

const std::vector<uint8_t>& BuiltinClick() {
  static const std::vector<uint8_t> wave = [] {
    QFile file(QStringLiteral(":/superbtn/click.wav"));
    if (!file.open(QIODevice::ReadOnly)) return std::vector<uint8_t>{};
    const QByteArray bytes = file.readAll();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
  }();
  return wave;
}

}  // namespace

std::span<const uint8_t> ButtonSound(const SuperBtnState& properties, int which) {
  if (properties.builtinSound != 0) return BuiltinClick();
  return which == 0 ? properties.hoverSound : properties.clickSound;
}

SuperBtnUnit::SuperBtnUnit(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties, QWidget* parent)
    : UnitWidget(identity, std::move(properties), parent),
      props_(&SuperBtnType::StateOf(*this)),
      checkMode_(props_->checkMode != 0),
      defaultButton_(!checkMode_ && props_->defaultButton != 0) {
  setCheckable(checkMode_);
  setChecked(checkMode_ && props_->checked != 0);
  setMouseTracking(true);  // hot tracking needs moves without a button held
  for (PictureSlot slot : {kNormalSlot, kHotSlot, kDisabledSlot}) RebuildPicture(slot);
  ApplyFont();
  ApplyCaption();
  ApplyToolTip();
  connect(this, &QAbstractButton::clicked, this, [this] { OnClicked(); });
}

QString SuperBtnUnit::ToolTipText() const { return platform::FromGbk(props_->toolTip); }

void SuperBtnUnit::RebuildPicture(PictureSlot slot) {
  switch (slot) {
    case kHotSlot:
      pictures_[slot] = ButtonPicture::Build(props_->hotPicture, props_->hotTransColor, props_->hotSource);
      break;
    case kNormalSlot:
      pictures_[slot] = ButtonPicture::Build(props_->normalPicture, props_->normalTransColor, props_->normalSource);
      break;
    case kDisabledSlot:
      pictures_[slot] =
          ButtonPicture::Build(props_->disabledPicture, props_->disabledTransColor, props_->disabledSource);
      break;
  }
}

void SuperBtnUnit::ApplyFont() {
  platform::FontRecord record;
  setFont(platform::FontRecord::Parse(props_->font, &record) ? platform::ToQFont(record)
                                                               : platform::DefaultGuiFont());
}

void SuperBtnUnit::ApplyCaption() {
  // The caption is kept apart from the button's own text so that no shortcut is registered for
  // an "&" in it: mnemonics are the window's business.
  const QString caption = platform::FromGbk(props_->caption);
  if (caption == caption_) return;
  caption_ = caption;
  QAccessibleEvent changed(this, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&changed);
}

void SuperBtnUnit::ApplyToolTip() {
  const QString text = ToolTipText();
  setAccessibleDescription(text);
  if (tip_ == nullptr || !tip_->isVisible()) return;
  if (text.isEmpty())
    tip_->hide();
  else
    tip_->ShowText(text, tip_->pos() - QPoint(2, 16));
}

bool SuperBtnUnit::HoverEnabled() const { return props_->buttonStyle != button_style::kClassic; }
bool SuperBtnUnit::Rounded() const { return props_->buttonStyle == button_style::kRounded; }
bool SuperBtnUnit::Classic() const { return props_->buttonStyle == button_style::kClassic; }
QPoint SuperBtnUnit::PressShift() const {
  return props_->pressOffset == press_offset::kTwoDown ? QPoint(0, 2) : QPoint(1, 1);
}

void SuperBtnUnit::ClearHot() {
  if (!hot_) return;
  hot_ = false;
  update();
}

void SuperBtnUnit::PlaySound(int which) {
  std::span<const uint8_t> wave = ButtonSound(*props_, which);
  if (!wave.empty()) platform::PlayWave(wave, false);
}

void SuperBtnUnit::OnClicked() {
  PlaySound(1);
  // The button has toggled itself already; the handler reads the new state.
  if (checkMode_) props_->checked = isChecked() ? 1 : 0;
  update();
  ReportEvent(superbtn_event::kClick);
}

void SuperBtnUnit::mouseMoveEvent(QMouseEvent* event) {
  UnitWidget::mouseMoveEvent(event);
  // Dragging in with the button held from elsewhere does not light it.
  if ((event->buttons() & Qt::LeftButton) && !hot_) return;
  if (!HoverEnabled()) return;
  if (rect().contains(event->position().toPoint())) {
    if (hot_) return;
    hot_ = true;
    update();
    PlaySound(0);
  } else {
    ClearHot();
  }
}

void SuperBtnUnit::mousePressEvent(QMouseEvent* event) {
  if (tip_ != nullptr) tip_->hide();
  UnitWidget::mousePressEvent(event);
}

// The second press of a fast double click is not a press: a double click reports one click.
void SuperBtnUnit::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

// Arrow keys are not the button's: the window moves the focus with them among radio-like units
// only.
void SuperBtnUnit::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: event->ignore(); return;
    default: UnitWidget::keyPressEvent(event);
  }
}

void SuperBtnUnit::leaveEvent(QEvent* event) {
  if (tip_ != nullptr) tip_->hide();
  ClearHot();
  UnitWidget::leaveEvent(event);
}

void SuperBtnUnit::focusInEvent(QFocusEvent* event) {
  UnitWidget::focusInEvent(event);
  ReportEvent(common_event::kGotFocus);
}

void SuperBtnUnit::focusOutEvent(QFocusEvent* event) {
  ClearHot();
  UnitWidget::focusOutEvent(event);
  ReportEvent(common_event::kLostFocus);
}

void SuperBtnUnit::changeEvent(QEvent* event) {
  UnitWidget::changeEvent(event);
  if (event->type() != QEvent::EnabledChange || isEnabled()) return;
  ClearHot();
  // Only the button's own disabling moves the focus, not its window disabled under a modal one.
  if (created_ && testAttribute(Qt::WA_ForceDisabled)) MoveFocusOn();
}

bool SuperBtnUnit::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const QString text = ToolTipText();
    if (!text.isEmpty()) {
      if (tip_ == nullptr) tip_ = new ButtonTip(this);
      tip_->ShowText(text, static_cast<QHelpEvent*>(event)->globalPos());
    }
    return true;
  }
  if (event->type() == QEvent::Hide && tip_ != nullptr) tip_->hide();
  return UnitWidget::event(event);
}

// A disabled button passes the keyboard focus to the next tab stop after it in its parent, or
// to the parent itself, whichever unit had it.
void SuperBtnUnit::MoveFocusOn() {
  QWidget* parent = parentWidget();
  if (parent == nullptr) return;
  for (QWidget* w = nextInFocusChain(); w != nullptr && w != this; w = w->nextInFocusChain()) {
    if (parent->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible()) {
      w->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
  parent->setFocus(Qt::OtherFocusReason);
}

}  // namespace units
