#pragma once
// The transparent label: text drawn straight onto whatever lies beneath it, with no background
// of its own, never clipped to its own rectangle.
#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <memory>

#include "contract/unit.h"

namespace units {

namespace label_effect {
constexpr int32_t kPlain = 0;
constexpr int32_t kRaised = 1;
constexpr int32_t kSunken = 2;
constexpr int32_t kShadow = 3;
inline constexpr const char* kNames[] = {"Plain", "Raised", "Sunken", "Shadow"};
}  // namespace label_effect

// Where the text lies across the label, and, on a single line, down it.
namespace label_alignment {
constexpr int32_t kLeading = 0;  // left, or top
constexpr int32_t kCentred = 1;
constexpr int32_t kTrailing = 2;  // right, or bottom
inline constexpr const char* kHorizontalNames[] = {"Left", "Centred", "Right"};
inline constexpr const char* kVerticalNames[] = {"Top", "Centred", "Bottom"};
}  // namespace label_alignment

struct TransLabelState;  // the own properties, in translabel_properties.h

class TextOverhang;

class TransLabelUnit : public UnitWidget<QWidget> {
  Q_OBJECT

 public:
  // `properties` are the type's own (translabel_properties.h).
  TransLabelUnit(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties, QWidget* parent);
  ~TransLabelUnit() override;

  TransLabelState& Props() { return *props_; }
  const TransLabelState& Props() const { return *props_; }
  QString Text() const { return text_; }
  QString MnemonicText() const override { return text_; }
  // Takes up every property again after a change and repaints.
  void Apply();
  // Draws the text with its effect as if the label's top-left corner were at `origin`.
  void DrawText(QPainter& painter, QPoint origin) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  int Flags() const;
  // Where the text and its effect copy land, in the label's coordinates; empty without text.
  QRect TextExtent() const;
  // Text that runs past the label is drawn by a sibling covering the whole extent, stacked right
  // under the label, since a widget cannot paint outside itself. The label's own geometry (and so
  // the width a program reads back) stays as it was set.
  void PlaceOverhang();

  TransLabelState* props_;  // owned by the unit
  QString text_;
  QFont font_;
  QPointer<TextOverhang> overhang_;
  bool placing_ = false;
  // Laying out a long text costs more than the rest of the label together, and moving, showing
  // or restacking the label does not change where its text lands: the extent is kept until the
  // text, its look or the label's size changes.
  mutable QRect extent_;
  mutable QSize extentFor_;
  mutable bool extentKnown_ = false;
};

}  // namespace units
