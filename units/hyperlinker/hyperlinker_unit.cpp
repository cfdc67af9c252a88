#include "units/hyperlinker/hyperlinker_unit.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QPainter>

#include <algorithm>
#include <utility>

#include "platform/colors.h"
#include "platform/cursors.h"
#include "platform/font_record.h"
#include "platform/open_address.h"
#include "platform/text.h"
#include "contract/unit_accessibility.h"
#include "contract/unit_type_ids.h"
#include "units/hyperlinker/hyperlinker_properties.h"
#include "contract/edge_style.h"

namespace units {
namespace {

// A link to assistive technology: the name its form gives it or else its text, the description
// its form gives it or else its address, and pressing it opens the address as a click does.
class AccessibleHyperLinker : public QAccessibleWidget {
 public:
  explicit AccessibleHyperLinker(HyperLinker* box) : QAccessibleWidget(box, QAccessible::Link) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return Box()->accessibleName().isEmpty() ? Box()->ShownText() : Box()->accessibleName();
    // The address as stored may carry blanks and line breaks around it, which mean nothing.
    if (t == QAccessible::Description)
      return Box()->accessibleDescription().isEmpty() ? Box()->Address().trimmed() : Box()->accessibleDescription();
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }
  // Opened on the next turn of the event loop, as a press of a button is clicked: the client's
  // reply does not wait for what the opening starts.
  void doAction(const QString& name) override {
    if (name != pressAction()) return QAccessibleWidget::doAction(name);
    QMetaObject::invokeMethod(
        Box(),
        [box = QPointer<HyperLinker>(Box())] {
          if (box && !BlockedByModality(box)) box->Open();
        },
        Qt::QueuedConnection);
  }

 private:
  HyperLinker* Box() const { return static_cast<HyperLinker*>(widget()); }
};

QAccessibleInterface* MakeAccessible(QObject* object) {
  if (auto* box = qobject_cast<HyperLinker*>(object)) return new AccessibleHyperLinker(box);
  return nullptr;
}

}  // namespace

HyperLinker::HyperLinker(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties, QWidget* parent)
    : UnitWidget(identity, std::move(properties), parent) {
  RegisterAccessibleMaker(MakeAccessible);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  setCursor(platform::HandCursor());
  Props().border = std::clamp(Props().border, 0, kMaxEdgeStyle);
  BorderChanged();
  ApplyFont();
}

HyperLinkerState& HyperLinker::Props() { return HyperLinkerType::StateOf(*this); }

QString HyperLinker::ShownText() {
  const HyperLinkerState& p = Props();
  if (!p.text.empty()) return platform::FromGbk(p.text);
  return platform::FromGbk(p.linkKind == link_kind::kWeb ? p.webAddress : p.mailAddress);
}

QString HyperLinker::Address() {
  const HyperLinkerState& p = Props();
  if (p.linkKind == link_kind::kWeb) return platform::FromGbk(p.webAddress);
  if (p.mailAddress.empty()) return {};
  return QStringLiteral("mailto:") + platform::FromGbk(p.mailAddress);
}

void HyperLinker::BorderChanged() {
  const int edge = EdgeWidth(Props().border);
  setContentsMargins(edge, edge, edge, edge);
  update();
}

void HyperLinker::AddressChanged() {
  if (Props().text.empty()) update();
}

void HyperLinker::FontChanged() {
  ApplyFont();
  update();
}

void HyperLinker::ApplyFont() {
  platform::FontRecord record;
  font_ = platform::FontRecord::Parse(Props().font, &record) ? platform::ToQFont(record) : platform::DefaultGuiFont();
}

void HyperLinker::Open() {
  // Opening may run a nested event loop of the desktop; the box may be gone afterwards.
  QPointer<HyperLinker> alive(this);
  const bool opened = platform::OpenAddress(Address());
  if (alive.isNull()) return;
  visited_ = opened;
  // A failed open shows its colour only at the next repaint.
  if (opened) update();
}

bool HyperLinker::event(QEvent* event) {
  // The hand is this box's own pointer: when the pointer the form gives it is taken away, the
  // hand comes back rather than the arrow.
  if (event->type() == QEvent::CursorChange && !testAttribute(Qt::WA_SetCursor)) setCursor(platform::HandCursor());
  return QWidget::event(event);
}

void HyperLinker::paintEvent(QPaintEvent* event) {
  if (event->rect().isEmpty()) return;
  QPainter painter(this);
  painter.fillRect(event->rect(), platform::BackgroundColor(Props().backColor));
  DrawEdge(painter, rect(), Props().border);
  const HyperLinkerState& p = Props();
  const uint32_t color = hot_ ? p.hoverColor : visited_ ? p.visitedColor : p.linkColor;
  painter.setPen(platform::FromColorRef(color));
  painter.setFont(font_);
  // One line, centred both ways, "&" drawn as it is.
  painter.drawText(contentsRect(), Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, ShownText());
}

void HyperLinker::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) Open();
}

void HyperLinker::mouseMoveEvent(QMouseEvent* event) {
  // The box holds the mouse while the pointer is over it, so that it hears of the first move
  // outside and can leave the hover colour.
  if (hot_) {
    if (!rect().contains(event->position().toPoint())) {
      LeaveHot();
      return;
    }
    if (QWidget::mouseGrabber() != this) grabMouse();
    return;
  }
  hot_ = true;
  update();
  grabMouse();
}

void HyperLinker::leaveEvent(QEvent* /*event*/) {
  // Another window may have taken the mouse away: the pointer has left all the same.
  if (hot_) LeaveHot();
}

void HyperLinker::LeaveHot() {
  hot_ = false;
  if (QWidget::mouseGrabber() == this) releaseMouse();
  update();
}

void HyperLinker::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      Open();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

}  // namespace units
