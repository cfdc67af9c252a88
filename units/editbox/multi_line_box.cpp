#include "units/editbox/multi_line_box.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextCursor>

#include "platform/colors.h"
#include "units/editbox/editbox_properties.h"
#include "contract/edge_style.h"

namespace units::editbox {
namespace {

Qt::Alignment AlignmentOf(int32_t alignment) {
  switch (alignment) {
    case text_alignment::kCentred: return Qt::AlignHCenter;
    case text_alignment::kRight: return Qt::AlignRight;
    default: return Qt::AlignLeft;
  }
}

// Keys that insert nothing (Backspace, shortcuts such as Ctrl+V whatever text they carry, Tab,
// which moves the focus) are never held back, not even by a full box.
bool InsertsText(const QKeyEvent& e) {
  const Qt::KeyboardModifiers mods = e.modifiers();
  if ((mods & (Qt::ControlModifier | Qt::MetaModifier)) && !(mods & Qt::AltModifier)) return false;
  const QString text = e.text();
  if (text.isEmpty()) return false;
  if (text.size() > 1) return true;
  const char16_t c = text[0].unicode();
  return c >= 32 || c == u'\r' || c == u'\n';
}

}  // namespace

MultiLineBox::MultiLineBox(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties,
                           QWidget* parent)
    : UnitWidget(identity, std::move(properties), parent),
      EditBox(*this, static_cast<EditBoxProperties&>(Unit::Properties())) {
  // Tab is the window's, for moving the focus on.
  setTabChangesFocus(true);
  const bool sideways = (props_.scrollBars & scroll_bars::kHorizontal) != 0;
  setLineWrapMode(sideways ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
  const auto policy = [this](int32_t bar) {
    return props_.scrollBars & bar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  };
  setHorizontalScrollBarPolicy(policy(scroll_bars::kHorizontal));
  setVerticalScrollBarPolicy(policy(scroll_bars::kVertical));
  QTextOption option = document()->defaultTextOption();
  option.setAlignment(AlignmentOf(props_.alignment));
  document()->setDefaultTextOption(option);
  connect(this, &QPlainTextEdit::textChanged, this, [this] { TextChanged(); });
}

bool MultiLineBox::event(QEvent* e) {
  if (e->type() == QEvent::Paint) {
    // The frame is the box's own; the corner between two scroll bars shows the button face.
    QPainter painter(this);
    painter.fillRect(rect(), platform::SystemColorOf(platform::SystemColor::kButtonFace));
    DrawEdge(painter, rect(), props_.borderStyle);
    return true;
  }
  return Event(e, [&] { return QPlainTextEdit::event(e); });
}

bool MultiLineBox::viewportEvent(QEvent* e) {
  return Event(e, [&] { return QPlainTextEdit::viewportEvent(e); });
}

int MultiLineBox::SelectionStart() const { return textCursor().selectionStart(); }

int MultiLineBox::SelectionLength() const {
  const QTextCursor cursor = textCursor();
  return cursor.selectionEnd() - cursor.selectionStart();
}

void MultiLineBox::Select(int start, int length) {
  QTextCursor cursor = textCursor();
  cursor.setPosition(start);
  cursor.setPosition(start + length, QTextCursor::KeepAnchor);
  setTextCursor(cursor);
  ensureCursorVisible();
}

void MultiLineBox::ApplyMode() {
  setReadOnly(props_.inputMode == kReadOnly);
  setInputMethodHints(InputHints());
}

void MultiLineBox::ApplyBorder() {
  setFrameShape(QFrame::Panel);
  setLineWidth(EdgeWidth(props_.borderStyle));
  update();
}

QString MultiLineBox::Admitted(const QString& typed) const {
  return Rules().Admit(typed, toPlainText().size(), SelectionLength());
}

void MultiLineBox::keyPressEvent(QKeyEvent* e) {
  const QString typed = e->text();
  if (isReadOnly() || !InsertsText(*e)) return QPlainTextEdit::keyPressEvent(e);
  const QString admitted = Admitted(typed);
  if (admitted == typed) return QPlainTextEdit::keyPressEvent(e);
  e->accept();
  if (admitted.isEmpty()) return;  // refused: nothing happens
  QKeyEvent converted(e->type(), e->key(), e->modifiers(), admitted, e->isAutoRepeat(),
                      static_cast<ushort>(e->count()));
  QPlainTextEdit::keyPressEvent(&converted);
}

void MultiLineBox::inputMethodEvent(QInputMethodEvent* e) {
  const QString committed = e->commitString();
  if (committed.isEmpty()) return QPlainTextEdit::inputMethodEvent(e);
  const QString admitted = Admitted(committed);
  if (admitted == committed) return QPlainTextEdit::inputMethodEvent(e);
  QInputMethodEvent filtered(e->preeditString(), e->attributes());
  filtered.setCommitString(admitted, e->replacementStart(), e->replacementLength());
  QPlainTextEdit::inputMethodEvent(&filtered);
  e->setAccepted(filtered.isAccepted());
}

void MultiLineBox::insertFromMimeData(const QMimeData* source) {
  if (source == nullptr || !source->hasText()) return;
  const QString admitted = Admitted(source->text());
  if (admitted.isEmpty()) return;
  insertPlainText(admitted);
  ensureCursorVisible();
}

}  // namespace units::editbox
