#pragma once
// The single-line edit box: a line editor whose one line sits centred in the box's height, with
// the up-down button beside it when asked for.
#include <QLineEdit>

#include <memory>

#include "units/editbox/editbox_unit.h"

class QProxyStyle;

namespace units::editbox {

class SingleLineBox final : public UnitWidget<QLineEdit>, public EditBox {
  Q_OBJECT

 public:
  // `properties` are the edit box's own (editbox_properties.h).
  SingleLineBox(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties, QWidget* parent);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QWidget* Widget() override { return this; }
  const QWidget* Widget() const override { return this; }
  bool MultiLine() const override { return false; }
  QString Text() const override { return text(); }
  void SetText(const QString& text) override;
  int SelectionStart() const override;
  int SelectionLength() const override;
  void Select(int start, int length) override;
  void ReplaceSelection(const QString& text) override { insert(text); }
  void ApplyMode() override;
  void ApplyBorder() override;

  QProxyStyle* passwordStyle_ = nullptr;
};

}  // namespace units::editbox
