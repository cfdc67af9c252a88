#pragma once
// The hyperlink box: one line of text on a coloured background that opens a web or e-mail
// address when clicked. Its text changes colour while the pointer is over it and after the last
// click opened the address.
#include <QFont>
#include <QWidget>

#include <cstdint>
#include <memory>

#include "contract/unit.h"

namespace units {

namespace link_kind {
constexpr int32_t kMail = 0;  // opens "mailto:" and the e-mail address
constexpr int32_t kWeb = 1;   // opens the web address as stored
inline constexpr const char* kNames[] = {"Mail", "Web"};
}  // namespace link_kind

struct HyperLinkerState;  // the own properties, in hyperlinker_properties.h

class HyperLinker : public UnitWidget<QWidget> {
  Q_OBJECT

 public:
  // `properties` are the type's own (hyperlinker_properties.h).
  HyperLinker(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties, QWidget* parent);

  HyperLinkerState& Props();

  // The text shown: `Text`, or the address of the current kind when it is empty.
  QString ShownText();
  // The address a click opens: the web address, or "mailto:" and the e-mail address; empty when
  // the address of the current kind is empty.
  QString Address();
  bool Hot() const { return hot_; }
  bool Visited() const { return visited_; }

  // Show the property of that name as just written to the state.
  void BorderChanged();
  void FontChanged();
  // An address shows only while there is no text of its own.
  void AddressChanged();
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
