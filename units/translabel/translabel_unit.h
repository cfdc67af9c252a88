#pragma once
// The transparent label: text drawn straight onto whatever lies beneath it, with no background
// of its own, never clipped to its own rectangle.
#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "units/framework/unit.h"
#include "units/translabel/translabel_properties.h"

namespace units {

class TextOverhang;

class TransLabelUnit : public UnitWidget<QWidget> {
  Q_OBJECT

 public:
  TransLabelUnit(const UnitIdentity& identity, std::unique_ptr<TransLabelProperties> properties, QWidget* parent);
  ~TransLabelUnit() override;

  TransLabelProperties& Props() { return *props_; }
  const TransLabelProperties& Props() const { return *props_; }
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

  TransLabelProperties* props_;  // owned by the unit
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
