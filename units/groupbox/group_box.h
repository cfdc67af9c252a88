#pragma once
// The group box: a titled frame around other units, which are placed inside it and paint over
// its background. It draws frame and title itself, in its own colours and font.
#include <QFont>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "units/framework/unit.h"

namespace units {

struct GroupBoxProperties : PropertyObject {
  std::string title;  // GBK
  int32_t alignment = 0;  // 0 left, 1 centred, 2 right
  uint32_t textColor = 0;
  uint32_t backColor = 0;
  std::vector<uint8_t> font;  // a 60-byte font record, else the default GUI font

  GroupBoxProperties() { Reset(); }
  void Reset() override;
  void Serialise(PropertyArchive& archive) override;
};

class GroupBox : public UnitWidget<QWidget> {
  Q_OBJECT

 public:
  GroupBox(const UnitIdentity& identity, std::unique_ptr<GroupBoxProperties> properties, QWidget* parent);

  GroupBoxProperties& Props() { return static_cast<GroupBoxProperties&>(Properties()); }
  QString Title() { return titleText_; }
  QString MnemonicText() const override { return titleText_; }

  void SetTitle(std::string title);
  void SetAlignment(int32_t alignment);
  void SetTextColor(uint32_t color);
  void SetBackColor(uint32_t color);
  void SetFont(std::vector<uint8_t> font);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void ApplyFont();

  // The box's own font, kept apart from the widget's so that units inside do not inherit it.
  QFont font_;
  QString titleText_;
};

}  // namespace units
