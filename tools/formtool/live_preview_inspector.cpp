#include "tools/formtool/live_preview_inspector.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <variant>

#include "base/template/unit_record.h"
#include "platform/gbk.h"
#include "tools/formtool/json_reader.h"
#include "tools/formtool/property_values.h"

namespace formtool {
namespace {

constexpr const char* kOutlineName = "formtool_unit_outline";

QString Hex(uint32_t value) { return QString::asprintf("0x%08X", value); }

QString Text(std::string_view gbk) { return QString::fromStdString(platform::GbkToUtf8(gbk)); }

// A frame drawn over a unit; clicks go through it.
class Outline : public QWidget {
 public:
  static constexpr int kWidth = 3;

  explicit Outline(QWidget* window) : QWidget(window) {
    setObjectName(QLatin1String(kOutlineName));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setPen(QPen(QColor(0x1a, 0x73, 0xe8), kWidth));
    painter.drawRect(QRectF(rect()).adjusted(kWidth / 2.0, kWidth / 2.0, -kWidth / 2.0, -kWidth / 2.0));
  }
};

}  // namespace

QString DescribeUnit(const ShownForm& form, uint32_t windowId, uint32_t index, const UnitCatalogue& types) {
  if (form.windows == nullptr) return {};
  size_t w = 0;
  while (w < form.windows->Size() && form.windows->At(w).id != windowId) ++w;
  if (w == form.windows->Size()) return {};
  const std::optional<runtime::UnitEntry> entry = form.windows->At(w).units.EntryAt(index);
  if (!entry) return {};
  const std::string place = "windows[" + std::to_string(w) + "].units[" + std::to_string(index) + "]";

  // The unit's object in the source and the line it starts on.
  JsonLines lines;
  QJsonObject source;
  if (!form.text.isEmpty()) {
    std::variant<QJsonValue, std::string> document = ReadJsonText(form.text, &lines);
    if (const QJsonValue* root = std::get_if<QJsonValue>(&document)) {
      const QJsonValue window = root->toObject().value(QLatin1String("windows")).toArray().at(static_cast<qsizetype>(w));
      source = window.toObject().value(QLatin1String("units")).toArray().at(static_cast<qsizetype>(index)).toObject();
    }
  }
  QString out = QString::fromStdString(form.path);
  if (const auto line = lines.find(place); line != lines.end()) out += QLatin1Char(':') + QString::number(line->second);

  const runtime::UnitRecordView unit(entry->record);
  const QString name = Text(unit.Name());
  const std::string typeName = types.NameOf(unit.Type());
  out += QStringLiteral(": %1: ").arg(QString::fromStdString(place));
  out += name.isEmpty() ? Hex(entry->id) : QStringLiteral("%1 (%2)").arg(name, Hex(entry->id));
  out += QStringLiteral(", ") + (typeName.empty() ? QStringLiteral("type ") + Hex(unit.Type()) : QString::fromStdString(typeName));

  const QJsonValue symbol = source.value(QLatin1String("symbol"));
  out += QStringLiteral("\n  symbol: ") + (symbol.isString() ? symbol.toString() : QStringLiteral("(none)"));
  const runtime::UnitRect r = unit.Rect();
  out += QStringLiteral("\n  left %1, top %2, width %3, height %4").arg(r.left).arg(r.top).arg(r.width).arg(r.height);

  const units::PropertyTableView* table = types.TableOf(unit.Type());
  // A picture, icon or sound as the file the source names for it, else its size.
  const QJsonObject given = source.value(QLatin1String("properties")).toObject();
  auto bytesValue = [&given](const units::PropertyInfo& info, std::span<const uint8_t> bytes) {
    const QJsonValue named = given.value(QLatin1String(info.name));
    if (named.isObject() && named.toObject().contains(QLatin1String("file"))) return named;
    return ByteCount(info, bytes);
  };
  const auto values = table != nullptr ? ReadProperties(*table, unit.PropertyData(), bytesValue) : std::nullopt;
  if (!values) {
    out += QStringLiteral("\n  data: %1 bytes, no properties by name").arg(unit.PropertyData().size());
    return out;
  }
  for (const NamedValue& value : *values)
    out += QStringLiteral("\n  %1: %2").arg(QLatin1String(value.name), QString::fromStdString(CompactJson(value.value)));
  return out;
}

void OutlineUnit(QWidget* window, QWidget* unit) {
  delete UnitOutline(window);
  auto* outline = new Outline(window);
  const QRect at(unit->mapTo(window, QPoint(0, 0)), unit->size());
  outline->setGeometry(at.adjusted(-Outline::kWidth, -Outline::kWidth, Outline::kWidth, Outline::kWidth));
  outline->raise();
  outline->show();
  QTimer::singleShot(kOutlineMs, outline, &QObject::deleteLater);
}

QWidget* UnitOutline(const QWidget* window) {
  return window != nullptr ? window->findChild<QWidget*>(QLatin1String(kOutlineName), Qt::FindDirectChildrenOnly) : nullptr;
}

CtrlClickCatcher::CtrlClickCatcher(std::function<bool(QWidget*)> onClick) : onClick_(std::move(onClick)) {}

void CtrlClickCatcher::PutFirst() {
  QCoreApplication::instance()->removeEventFilter(this);
  QCoreApplication::instance()->installEventFilter(this);
}

bool CtrlClickCatcher::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseButtonRelease)
    return false;
  if (!watched->isWidgetType()) return false;
  const auto* mouse = static_cast<QMouseEvent*>(event);
  if (type == QEvent::MouseButtonRelease) {
    if (!taken_ || mouse->button() != Qt::LeftButton) return false;
    taken_ = false;
    return true;
  }
  if (mouse->button() != Qt::LeftButton || !(mouse->modifiers() & Qt::ControlModifier)) return false;
  if (!onClick_(static_cast<QWidget*>(watched))) return false;
  taken_ = true;
  return true;
}

}  // namespace formtool
