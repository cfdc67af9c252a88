#include "bench/plain_mirror.h"

#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QXmlStreamWriter>

#include "platform/text.h"
#include "host/host.h"
#include "contract/unit.h"
#include "units/picbox/picbox_unit.h"
#include "units/superbtn/superbtn_unit.h"
#include "units/translabel/translabel_unit.h"

namespace bench {
namespace {

QString TextOf(uint32_t windowId, uint32_t unitId) {
  runtime::DataBytes value = runtime::GetUnitProperty(windowId, unitId, 8, 0);
  return value.text != nullptr ? platform::FromGbk(value.text) : QString();
}

const char* ClassOf(MirroredUnit::Kind kind) {
  switch (kind) {
    case MirroredUnit::kLabel: return "QLabel";
    case MirroredUnit::kLineEdit: return "QLineEdit";
    case MirroredUnit::kButton: return "QPushButton";
    case MirroredUnit::kPicture: return "QLabel";
  }
  return "QWidget";
}

}  // namespace

MirroredWindow Mirror(uint32_t windowId) {
  MirroredWindow out;
  QWidget* window = runtime::LiveUnit(windowId, 0)->widget();
  out.title = window->windowTitle();
  out.clientSize = window->size();
  // Units inside a container (labels on the picture box) are placed in window coordinates.
  for (QWidget* child : window->findChildren<QWidget*>()) {
    auto* unit = dynamic_cast<units::Unit*>(child);
    if (unit == nullptr) continue;
    MirroredUnit m{MirroredUnit::kLabel, QRect(child->mapTo(window, QPoint(0, 0)), child->size()), {},
                   unit->UnitId()};
    if (qobject_cast<units::PictureBox*>(child) != nullptr) m.kind = MirroredUnit::kPicture;
    else if (qobject_cast<units::SuperBtnUnit*>(child) != nullptr) m.kind = MirroredUnit::kButton;
    else if (qobject_cast<QLineEdit*>(child) != nullptr) m.kind = MirroredUnit::kLineEdit;
    else if (qobject_cast<units::TransLabelUnit*>(child) == nullptr) continue;
    if (m.kind != MirroredUnit::kPicture) m.text = TextOf(windowId, m.unitId);
    out.units.push_back(m);
  }
  return out;
}

QByteArray DesignerForm(const MirroredWindow& window, const QString& pictureFile) {
  QByteArray form;
  QXmlStreamWriter xml(&form);
  xml.writeStartDocument();
  xml.writeStartElement("ui");
  xml.writeAttribute("version", "4.0");
  xml.writeTextElement("class", "Calculator");
  auto geometry = [&xml](const QRect& r) {
    xml.writeStartElement("property");
    xml.writeAttribute("name", "geometry");
    xml.writeStartElement("rect");
    xml.writeTextElement("x", QString::number(r.x()));
    xml.writeTextElement("y", QString::number(r.y()));
    xml.writeTextElement("width", QString::number(r.width()));
    xml.writeTextElement("height", QString::number(r.height()));
    xml.writeEndElement();
    xml.writeEndElement();
  };
  auto property = [&xml](const char* name, const char* type, const QString& value) {
    xml.writeStartElement("property");
    xml.writeAttribute("name", name);
    xml.writeTextElement(type, value);
    xml.writeEndElement();
  };
  xml.writeStartElement("widget");
  xml.writeAttribute("class", "QWidget");
  xml.writeAttribute("name", "Calculator");
  geometry(QRect(QPoint(0, 0), window.clientSize));
  property("windowTitle", "string", window.title);
  int n = 0;
  for (const MirroredUnit& unit : window.units) {
    xml.writeStartElement("widget");
    xml.writeAttribute("class", ClassOf(unit.kind));
    xml.writeAttribute("name", QStringLiteral("unit%1").arg(++n));
    geometry(unit.geometry);
    if (unit.kind == MirroredUnit::kPicture) {
      property("pixmap", "pixmap", pictureFile);
    } else {
      property("text", "string", unit.text);
      if (unit.kind == MirroredUnit::kLabel) property("wordWrap", "bool", QStringLiteral("true"));
    }
    xml.writeEndElement();
  }
  xml.writeEndElement();
  xml.writeEndElement();
  xml.writeEndDocument();
  return form;
}

QWidget* PlainWindow(const MirroredWindow& window, const QString& pictureFile) {
  auto* top = new QWidget;
  top->setWindowTitle(window.title);
  top->resize(window.clientSize);
  for (const MirroredUnit& unit : window.units) {
    QWidget* widget = nullptr;
    switch (unit.kind) {
      case MirroredUnit::kLabel: {
        auto* label = new QLabel(unit.text, top);
        label->setWordWrap(true);
        widget = label;
        break;
      }
      case MirroredUnit::kLineEdit: widget = new QLineEdit(unit.text, top); break;
      case MirroredUnit::kButton: widget = new QPushButton(unit.text, top); break;
      case MirroredUnit::kPicture: {
        auto* picture = new QLabel(top);
        picture->setPixmap(QPixmap(pictureFile));
        widget = picture;
        break;
      }
    }
    widget->setGeometry(unit.geometry);
    widget->setObjectName(QString::number(unit.unitId, 16));
  }
  return top;
}

}  // namespace bench
