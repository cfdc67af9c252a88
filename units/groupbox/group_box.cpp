#include "units/groupbox/group_box.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <utility>

#include "platform/colors.h"
#include "platform/font_record.h"
#include "platform/text.h"
#include "units/framework/unit_type_ids.h"
#include "units/picbox/edge_style.h"

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
    if (t == QAccessible::Name) return static_cast<GroupBox*>(widget())->Title().remove(u'&');
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* AccessibleFactory(const QString& /*key*/, QObject* object) {
  if (auto* box = qobject_cast<GroupBox*>(object)) return new AccessibleGroupBox(box);
  return nullptr;
}

}  // namespace

void GroupBoxProperties::Reset() {
  title.clear();
  alignment = 0;
  textColor = 0;
  backColor = kDefaultColor;
  font.clear();
}

void GroupBoxProperties::Serialise(PropertyArchive& a) {
  a.Version(1);
  a.Int32(alignment);
  a.UInt32(textColor);
  a.UInt32(backColor);
  a.Bytes(font);
  a.Text(title);
}

GroupBox::GroupBox(const UnitIdentity& identity, std::unique_ptr<GroupBoxProperties> properties, QWidget* parent)
    : UnitWidget(identity, std::move(properties), parent) {
  static const bool accessible = (QAccessible::installFactory(AccessibleFactory), true);
  (void)accessible;
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  titleText_ = platform::FromGbk(Props().title);
  ApplyFont();
}

void GroupBox::SetTitle(std::string title) {
  Props().title = std::move(title);
  titleText_ = platform::FromGbk(Props().title);
  update();
}

void GroupBox::SetAlignment(int32_t alignment) {
  Props().alignment = std::clamp(alignment, 0, 2);
  update();
}

void GroupBox::SetTextColor(uint32_t color) {
  Props().textColor = color;
  update();
}

void GroupBox::SetBackColor(uint32_t color) {
  Props().backColor = color;
  update();
}

void GroupBox::SetFont(std::vector<uint8_t> font) {
  Props().font = std::move(font);
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
  if (Props().alignment == 1) x = (width() - textWidth) / 2;
  else if (Props().alignment >= 2) x = width() - kTitleIndent - textWidth;
  const QRect title(x, 0, textWidth, metrics.height());
  painter.fillRect(title.adjusted(-kTitleGap, 0, kTitleGap, 0), background);
  painter.setFont(font_);
  painter.setPen(platform::FromColorRef(Props().textColor));
  painter.drawText(title, kTextFlags | Qt::AlignLeft | Qt::AlignVCenter, titleText_);
}

}  // namespace units
