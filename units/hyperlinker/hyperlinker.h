#pragma once
// The hyperlink box: one line of text on a coloured background that opens a web or e-mail
// address when clicked. Its text changes colour while the pointer is over it and after the last
// click opened the address.
#include <QFont>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "units/framework/unit.h"

namespace units {

struct HyperLinkerProperties : PropertyObject {
  std::string text;  // GBK, like the addresses
  int32_t linkKind = 0;  // 0 e-mail address, 1 web address
  std::string mailAddress;
  std::string webAddress;
  uint32_t linkColor = 0;
  uint32_t visitedColor = 0;
  uint32_t hoverColor = 0;
  uint32_t backColor = 0;
  int32_t border = 0;
  std::vector<uint8_t> font;  // a 60-byte font record, else the default GUI font

  HyperLinkerProperties() { Reset(); }
  void Reset() override;
  void Serialise(PropertyArchive& archive) override;
};

class HyperLinker : public UnitWidget<QWidget> {
  Q_OBJECT

 public:
  HyperLinker(const UnitIdentity& identity, std::unique_ptr<HyperLinkerProperties> properties, QWidget* parent);

  HyperLinkerProperties& Props() { return static_cast<HyperLinkerProperties&>(Properties()); }

  // The text shown: `Text`, or the address of the current kind when it is empty.
  QString ShownText();
  // The address a click opens: the web address, or "mailto:" and the e-mail address; empty when
  // the address of the current kind is empty.
  QString Address();
  bool Hot() const { return hot_; }
  bool Visited() const { return visited_; }

  void SetBorder(int32_t border);
  void SetFont(std::vector<uint8_t> font);
  // Opens the address; the visited colour follows whether that worked.
  void Open();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ApplyFont();
  void LeaveHot();

  // The box's own font, kept apart from the widget's font.
  QFont font_;
  bool hot_ = false;
  bool visited_ = false;
};

}  // namespace units
