#pragma once
// The multi-line edit box: a plain-text editor that wraps at its width unless it scrolls
// sideways, with the scroll bars asked for always shown.
#include <QPlainTextEdit>

#include <memory>

#include "units/editbox/editbox_unit.h"

namespace units::editbox {

class MultiLineBox final : public UnitWidget<QPlainTextEdit>, public EditBox {
  Q_OBJECT

 public:
  // `properties` are the edit box's own (editbox_properties.h).
  MultiLineBox(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties, QWidget* parent);

 protected:
  bool event(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  QWidget* Widget() override { return this; }
  const QWidget* Widget() const override { return this; }
  bool MultiLine() const override { return true; }
  QString Text() const override { return toPlainText(); }
  void SetText(const QString& text) override { setPlainText(text); }
  int SelectionStart() const override;
  int SelectionLength() const override;
  void Select(int start, int length) override;
  void ReplaceSelection(const QString& text) override { insertPlainText(text); }
  void ApplyMode() override;
  void ApplyBorder() override;

  // What the user's insertion of `typed` becomes, given the current text and selection.
  QString Admitted(const QString& typed) const;
};

}  // namespace units::editbox
