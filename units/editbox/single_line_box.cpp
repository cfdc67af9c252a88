#include "units/editbox/single_line_box.h"

#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QValidator>

#include <limits>

#include "platform/text.h"
#include "units/editbox/editbox_properties.h"
#include "contract/edge_style.h"
#include "contract/focus_mark.h"

namespace units::editbox {
namespace {

// Every user edit of the line passes here, whether typed, committed by an input method, pasted
// or dropped: the inserted part is cut down to what the input mode admits. The program's own
// edits pass untouched.
class InsertionFilter final : public QValidator {
 public:
  InsertionFilter(const EditBox& box, QObject* parent) : QValidator(parent), box_(box) {}

  State validate(QString& input, int& pos) const override {
    if (box_.ProgramEdit()) return Acceptable;
    bool refused = false;
    int cursor = pos;
    const QString taken = box_.Rules().Edited(box_.LastText(), input, &refused, &cursor);
    // Nothing admitted: the keystroke does nothing at all, the selection stays.
    if (refused) return Invalid;
    if (taken != input) {
      input = taken;
      pos = cursor;
    }
    return Acceptable;
  }

 private:
  const EditBox& box_;
};

// Shows the box's own password character.
class PasswordStyle final : public QProxyStyle {
 public:
  QChar mask = u'*';

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returned) const override {
    if (hint == SH_LineEdit_PasswordCharacter) return mask.unicode();
    if (hint == SH_LineEdit_PasswordMaskDelay) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returned);
  }
};

QChar MaskOf(uint16_t c) {
  if (c == 0) return u'*';  // masking with nothing would show the password
  const std::string bytes = c < 0x100 ? std::string(1, static_cast<char>(c))
                                      : std::string{static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
  const QString text = platform::FromGbk(bytes);
  if (text.size() != 1 || text[0] == QChar::ReplacementCharacter || text[0].unicode() < 32) return u'*';
  return text[0];
}

Qt::Alignment AlignmentOf(int32_t alignment) {
  switch (alignment) {
    case text_alignment::kCentred: return Qt::AlignHCenter | Qt::AlignVCenter;
    case text_alignment::kRight: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

}  // namespace

SingleLineBox::SingleLineBox(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties,
                             QWidget* parent)
    : UnitWidget(identity, std::move(properties), parent),
      EditBox(*this, static_cast<EditBoxProperties&>(Unit::Properties())) {
  setFrame(false);
  setAutoFillBackground(true);
  // The text limit is the box's own: the program may set longer texts than the user may type.
  setMaxLength(std::numeric_limits<int>::max());
  setAlignment(AlignmentOf(props_.alignment));
  setValidator(new InsertionFilter(*this, this));
  connect(this, &QLineEdit::textChanged, this, [this] { TextChanged(); });
}

bool SingleLineBox::event(QEvent* e) {
  return Event(e, [&] { return QLineEdit::event(e); });
}

void SingleLineBox::keyPressEvent(QKeyEvent* e) {
  // The arrow keys work the up-down button, as its arrows do.
  if (HasUpDown() && e->modifiers() == Qt::NoModifier && (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down)) {
    e->accept();
    Step(e->key() == Qt::Key_Up ? 1 : -1);
    return;
  }
  QLineEdit::keyPressEvent(e);
}

// The box keeps its selection without the focus (whether it shows it is the box's choice), so
// that coming back to it finds the caret and selection where they were.
void SingleLineBox::focusOutEvent(QFocusEvent* e) {
  const int start = selectionStart();
  const int length = selectionLength();
  const bool caretAtStart = hasSelectedText() && cursorPosition() == start;
  QLineEdit::focusOutEvent(e);
  if (length <= 0 || hasSelectedText()) return;
  if (caretAtStart) setSelection(start + length, -length);
  else setSelection(start, length);
}

void SingleLineBox::paintEvent(QPaintEvent* e) {
  QLineEdit::paintEvent(e);
  QPainter painter(this);
  DrawEdge(painter, rect(), props_.borderStyle);
  if (ShowsFocusMark(this)) DrawFocusMark(painter, rect().adjusted(2, 2, -2, -2));
}

void SingleLineBox::SetText(const QString& text) {
  setText(text);
  setCursorPosition(0);
}

int SingleLineBox::SelectionStart() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }

int SingleLineBox::SelectionLength() const { return hasSelectedText() ? selectionLength() : 0; }

void SingleLineBox::Select(int start, int length) {
  if (length > 0) {
    setSelection(start, length);
  } else {
    deselect();
    setCursorPosition(start);
  }
}

void SingleLineBox::ApplyMode() {
  setReadOnly(props_.inputMode == kReadOnly);
  setInputMethodHints(InputHints());
  if (props_.inputMode == kPassword) {
    if (passwordStyle_ == nullptr) {
      auto* style = new PasswordStyle;
      style->setParent(this);
      passwordStyle_ = style;
    }
    static_cast<PasswordStyle*>(passwordStyle_)->mask = MaskOf(props_.passwordChar);
    setStyle(passwordStyle_);
    setEchoMode(QLineEdit::Password);
  } else {
    setEchoMode(QLineEdit::Normal);
  }
  update();
}

void SingleLineBox::ApplyBorder() {
  const int w = EdgeWidth(props_.borderStyle);
  setTextMargins(w, w, w, w);
  update();
}

}  // namespace units::editbox
