#pragma once
// The group box: a titled frame around other units, which are placed inside it and paint over
// its background. It draws frame and title itself, in its own colours and font.
#include <QFont>
#include <QWidget>

#include <cstdint>
#include <memory>

#include "contract/unit.h"

namespace units {

// Where the title sits on the top edge.
namespace title_alignment {
constexpr int32_t kLeft = 0;
constexpr int32_t kCentred = 1;
constexpr int32_t kRight = 2;
inline constexpr const char* kNames[] = {"Left", "Centred", "Right"};
}  // namespace title_alignment

struct GroupBoxState;  // the own properties, in groupbox_properties.h

class GroupBox : public UnitWidget<QWidget> {
  Q_OBJECT

 public:
  // `properties` are the type's own (groupbox_properties.h).
  GroupBox(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties, QWidget* parent);

  GroupBoxState& Props();
  QString Title() { return titleText_; }
  QString MnemonicText() const override { return titleText_; }

  // Show the property of that name as it now stands.
  void TitleChanged();
  void FontChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void ApplyFont();

  // The box's own font, kept apart from the widget's so that units inside do not inherit it.
  QFont font_;
  QString titleText_;
};

}  // namespace units
