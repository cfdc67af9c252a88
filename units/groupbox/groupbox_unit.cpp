#include "units/groupbox/groupbox_unit.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <utility>

#include "platform/colors.h"
#include "platform/font_record.h"
#include "platform/text.h"
#include "contract/unit_accessibility.h"
#include "contract/unit_type_ids.h"
#include "units/groupbox/groupbox_properties.h"
#include "contract/edge_style.h"

namespace units {
namespace {

// Room between the frame's corner and the title, and around the title inside the frame line.
constexpr int kTitleIndent = 8;
constexpr int kTitleGap = 2;
constexpr int kTextFlags = Qt::TextSingleLine | Qt::TextShowMnemonic;

class AccessibleGroupBox : public QAccessibleWidget {
 public:
  explicit AccessibleGroupBox(GroupBox* box) : QAccessibleWidget(box, QAccessible::Grouping) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && !widget()->accessibleName().isEmpty()) return widget()->accessibleName();
    if (t == QAccessible::Name) return static_cast<GroupBox*>(widget())->Title().remove(u'&');
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* MakeAccessible(QObject* object) {
  if (auto* box = qobject_cast<GroupBox*>(object)) return new AccessibleGroupBox(box);
  return nullptr;
}

}  // namespace

GroupBox::GroupBox(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties, QWidget* parent)
    : UnitWidget(identity, std::move(properties), parent) {
  RegisterAccessibleMaker(MakeAccessible);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  titleText_ = platform::FromGbk(Props().title);
  ApplyFont();
}

GroupBoxState& GroupBox::Props() { return GroupBoxType::StateOf(*this); }

void GroupBox::TitleChanged() {
  titleText_ = platform::FromGbk(Props().title);
  update();
}

void GroupBox::FontChanged() {
  ApplyFont();
  update();
}

void GroupBox::ApplyFont() {
  platform::FontRecord record;
  font_ = platform::FontRecord::Parse(Props().font, &record) ? platform::ToQFont(record) : platform::DefaultGuiFont();
}

void GroupBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  // The button face is looked up at every paint, so a change of it shows at the next one.
  const QColor background = platform::BackgroundColor(Props().backColor);
  painter.fillRect(rect(), background);

  const QFontMetrics metrics(font_);
  const int top = metrics.height() / 2;
  DrawEtchedFrame(painter, QRect(0, top, width(), height() - top));
  if (titleText_.isEmpty()) return;

  const int textWidth = metrics.boundingRect(QRect(), kTextFlags, titleText_).width();
  int x = kTitleIndent;
  if (Props().alignment == title_alignment::kCentred) x = (width() - textWidth) / 2;
  else if (Props().alignment >= title_alignment::kRight) x = width() - kTitleIndent - textWidth;
  const QRect title(x, 0, textWidth, metrics.height());
  painter.fillRect(title.adjusted(-kTitleGap, 0, kTitleGap, 0), background);
  painter.setFont(font_);
  painter.setPen(platform::FromColorRef(Props().textColor));
  painter.drawText(title, kTextFlags | Qt::AlignLeft | Qt::AlignVCenter, titleText_);
}

}  // namespace units
