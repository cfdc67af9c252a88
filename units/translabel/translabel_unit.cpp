#include "units/translabel/translabel_unit.h"

#include <QAccessible>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include "platform/colors.h"
#include "platform/font_record.h"
#include "platform/text.h"
#include "units/translabel/translabel_properties.h"

namespace units {

// Paints the label's text where it spills over the label's edges; never takes the mouse.
class TextOverhang : public QWidget {
 public:
  TextOverhang(TransLabelUnit* label, QWidget* parent) : QWidget(parent), label_(label) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (label_ == nullptr) return;
    QPainter painter(this);
    label_->DrawText(painter, label_->pos() - pos());
  }

 private:
  QPointer<TransLabelUnit> label_;
};

TransLabelUnit::TransLabelUnit(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties,
                               QWidget* parent)
    : UnitWidget(identity, std::move(properties), parent), props_(&TransLabelType::StateOf(*this)) {
  setFocusPolicy(Qt::NoFocus);
  setAutoFillBackground(false);
}

TransLabelUnit::~TransLabelUnit() { delete overhang_.data(); }

void TransLabelUnit::Apply() {
  const TransLabelState& p = Props();
  QString text = platform::FromGbk(p.text);
  bool renamed = text != text_;
  text_ = std::move(text);
  platform::FontRecord record;
  font_ = platform::FontRecord::Parse(p.font, &record) ? platform::ToQFont(record) : platform::DefaultGuiFont();
  setFont(font_);
  extentKnown_ = false;
  PlaceOverhang();
  update();
  if (renamed) {
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
  }
}

int TransLabelUnit::Flags() const {
  const TransLabelState& p = Props();
  // "&" marks the mnemonic, drawn underlined; "&&" is one "&".
  int flags = Qt::TextDontClip | Qt::TextShowMnemonic;
  using namespace label_alignment;
  flags |= p.horzAlign == kCentred ? Qt::AlignHCenter : p.horzAlign == kTrailing ? Qt::AlignRight : Qt::AlignLeft;
  if (p.wordWrap != 0) return flags | Qt::TextWordWrap | Qt::AlignTop;
  // One line whatever line breaks the text holds.
  flags |= Qt::TextSingleLine;
  return flags | (p.vertAlign == kCentred ? Qt::AlignVCenter : p.vertAlign == kTrailing ? Qt::AlignBottom : Qt::AlignTop);
}

// The white or black copy of each effect, relative to the text's own place, and where the text
// itself moves.
namespace {
struct EffectLayout {
  bool copy;
  QColor color;
  QPoint copyOffset;
  QPoint textOffset;
};

EffectLayout LayoutOf(int32_t effect) {
  switch (effect) {
    case label_effect::kRaised: return {true, Qt::white, {1, 1}, {0, 0}};
    case label_effect::kSunken: return {true, Qt::white, {0, 0}, {1, 1}};
    case label_effect::kShadow: return {true, Qt::black, {2, 2}, {0, 0}};
    default: return {false, {}, {}, {}};
  }
}
}  // namespace

void TransLabelUnit::DrawText(QPainter& painter, QPoint origin) const {
  if (text_.isEmpty()) return;
  painter.setFont(font_);
  const QRect r = rect().translated(origin);
  const int flags = Flags();
  const EffectLayout effect = LayoutOf(Props().effect);
  if (effect.copy) {
    painter.setPen(effect.color);
    painter.drawText(r.translated(effect.copyOffset), flags, text_);
  }
  painter.setPen(platform::FromColorRef(Props().textColor));
  painter.drawText(r.translated(effect.textOffset), flags, text_);
}

QRect TransLabelUnit::TextExtent() const {
  if (text_.isEmpty()) return {};
  if (extentKnown_ && extentFor_ == size()) return extent_;
  const QFontMetrics metrics(font_, this);
  const QRect bounds = metrics.boundingRect(rect(), Flags(), text_);
  const EffectLayout effect = LayoutOf(Props().effect);
  QRect extent = bounds.translated(effect.textOffset);
  if (effect.copy) extent |= bounds.translated(effect.copyOffset);
  // Antialiased glyph edges may reach a pixel beyond the advance widths.
  extent_ = extent.adjusted(-1, -1, 1, 1);
  extentFor_ = size();
  extentKnown_ = true;
  return extent_;
}

void TransLabelUnit::paintEvent(QPaintEvent*) {
  if (overhang_ != nullptr && overhang_->isVisibleTo(parentWidget())) return;  // it draws the whole text
  QPainter painter(this);
  DrawText(painter, {0, 0});
}

bool TransLabelUnit::event(QEvent* event) {
  const bool result = UnitWidget::event(event);
  switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ParentChange:
    case QEvent::ZOrderChange:
      PlaceOverhang();
      break;
    default:
      break;
  }
  return result;
}

void TransLabelUnit::PlaceOverhang() {
  if (placing_) return;
  placing_ = true;
  QWidget* parent = parentWidget();
  const QRect extent = TextExtent();
  // The antialiasing margin alone does not make a text spill: only glyphs placed past the edge do.
  const bool spills = parent != nullptr && !extent.isEmpty() && !rect().contains(extent.adjusted(1, 1, -1, -1));
  if (!spills) {
    if (overhang_ != nullptr) overhang_->hide();
  } else {
    if (overhang_ == nullptr) overhang_ = new TextOverhang(this, parent);
    if (overhang_->parentWidget() != parent) overhang_->setParent(parent);
    overhang_->setGeometry(extent.united(rect()).translated(pos()));
    overhang_->stackUnder(this);
    overhang_->setVisible(isVisibleTo(parent));
    overhang_->update();
  }
  update();
  placing_ = false;
}

}  // namespace units
