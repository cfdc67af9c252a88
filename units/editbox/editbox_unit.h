#pragma once
// What both kinds of edit box share: showing their properties as the host writes them, the
// input modes, change and focus events, and the up-down button. The single-line box is a line
// editor and the multi-line box a plain-text editor; each derives from its Qt editor (so input
// methods, accessibility and keyboard editing are the editor's own) and from this class.
//
// Events and re-entry. A handler may destroy the box, for instance by writing a property that
// re-creates it. Raising an event from inside the editor's own code would then return into a
// deleted editor, so changes and focus moves are only noted while the editor works, and reported
// once the outermost event of the box has returned, or, for a change made outside any event of
// the box (a context-menu paste), from the event loop.
#include <QEvent>
#include <QFocusEvent>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <deque>
#include <string>

#include "units/editbox/input_rules.h"
#include "contract/unit.h"
#include "contract/unit_interfaces.h"

class QWidget;

namespace units::editbox {

enum InputMode : int32_t {
  kNormal, kReadOnly, kPassword, kIntegerText, kDecimalText, kByte, kShort, kInteger, kLong, kFloat, kDouble,
  kDateTime, kLastInputMode = kDateTime
};

inline constexpr const char* kInputModeNames[] = {"Normal", "ReadOnly", "Password", "IntegerText",
                                                  "DecimalText", "Byte", "Short", "Integer",
                                                  "Long", "Float", "Double", "DateTime"};

enum UpDownMode : int32_t { kNoUpDown, kAutomaticUpDown, kManualUpDown };
inline constexpr const char* kUpDownModeNames[] = {"None", "Automatic", "Manual"};

namespace edit_border {
constexpr int32_t kNone = 0;
constexpr int32_t kSunken = 1;
constexpr int32_t kRaised = 2;
constexpr int32_t kShallow = 3;
constexpr int32_t kSunkenInRaised = 4;
constexpr int32_t kSingleLine = 5;
}  // namespace edit_border

namespace text_alignment {
constexpr int32_t kLeft = 0;
constexpr int32_t kCentred = 1;
constexpr int32_t kRight = 2;
inline constexpr const char* kNames[] = {"Left", "Centred", "Right"};
}  // namespace text_alignment

// Bit 0: a horizontal bar, bit 1: a vertical one.
namespace scroll_bars {
constexpr int32_t kNone = 0;
constexpr int32_t kHorizontal = 1;
constexpr int32_t kVertical = 2;
constexpr int32_t kBoth = 3;
inline constexpr const char* kNames[] = {"None", "Horizontal", "Vertical", "Both"};
}  // namespace scroll_bars

namespace case_conversion {
constexpr int32_t kNone = 0;
constexpr int32_t kLower = 1;
constexpr int32_t kUpper = 2;
inline constexpr const char* kNames[] = {"None", "Lower", "Upper"};
}  // namespace case_conversion

namespace editbox_event {
constexpr int32_t kTextChanged = 0;
constexpr int32_t kUpDownPressed = 1;  // manual up-down mode; argument -1 or 1
// The common focus events, raised by the box itself because the editor owns its focus.
constexpr int32_t kGotFocus = -7;
constexpr int32_t kLostFocus = -8;
}  // namespace editbox_event

struct EditBoxState;  // the own properties, in editbox_properties.h
class UpDownButton;

class EditBox {
 public:
  virtual ~EditBox();
  EditBox(const EditBox&) = delete;
  EditBox& operator=(const EditBox&) = delete;

  // Creation after construction: place, style bits, text, font, colours, border, up-down button
  // and selection. The box stays hidden until the host shows it.
  void Build(uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height);

  bool WantsKey(uint32_t key) const;
  PropertyObject& Properties() { return unit_.Properties(); }
  const EditBoxState& State() const { return props_; }

  // Show the property of that name as just written to the state.
  void BorderChanged();
  void TextColorChanged() { ApplyPalette(); }
  void BackColorChanged();
  void FontChanged() { ApplyFont(); }
  // 1 when the box must be re-created: into or out of password mode it may change between one
  // line and several.
  int32_t InputModeChanged();

  // Properties the box reads from and writes to its editor. Texts handed out stay valid until
  // the next call.
  void SetContent(const char* content);
  const char* PasswordChar();
  void SetPasswordChar(const char* text);
  int32_t SelStart() const { return SelectionStart(); }
  int32_t SelLength() const { return SelectionLength(); }
  // -1 puts the caret after the last character.
  void SetSelStart(int32_t start);
  // -1 selects everything.
  void SetSelLength(int32_t length);
  const char* SelText();
  void SetSelText(const char* text);

  // The filter for what the user is about to insert.
  InputRules Rules() const;
  // The text before the edit under way, and whether the program (not the user) is making it.
  const QString& LastText() const { return lastText_; }
  bool ProgramEdit() const { return programEdit_; }

 protected:
  EditBox(Unit& unit, EditBoxState& props);

  virtual QWidget* Widget() = 0;
  virtual const QWidget* Widget() const = 0;
  virtual bool MultiLine() const = 0;
  virtual QString Text() const = 0;
  virtual void SetText(const QString& text) = 0;
  virtual int SelectionStart() const = 0;
  virtual int SelectionLength() const = 0;
  // Selects [start, start + length) with the caret at the end, scrolled into view.
  virtual void Select(int start, int length) = 0;
  virtual void ReplaceSelection(const QString& text) = 0;
  // Read-only and password display from the input mode and password character.
  virtual void ApplyMode() = 0;
  // What an input method or on-screen keyboard should offer in the current input mode.
  Qt::InputMethodHints InputHints() const;
  // Room for the border and its painting.
  virtual void ApplyBorder() = 0;

  // The editor's text-changed notification.
  void TextChanged();
  // Steps the up-down button's value: +1 up, -1 down.
  void Step(int delta);
  bool HasUpDown() const { return !upDown_.isNull(); }

  // Every event of the box passes through here; `base` runs the editor's own handling.
  template <typename Base>
  bool Event(QEvent* event, Base&& base) {
    const QEvent::Type type = event->type();
    const bool focus = type == QEvent::FocusIn || type == QEvent::FocusOut;
    // A popup menu of the box takes the focus only for a moment.
    const bool popup = focus && static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason;
    ++depth_;
    const bool result = base();
    --depth_;
    if (focus && !popup) Noted(type == QEvent::FocusIn ? Action::kGotFocus : Action::kLostFocus);
    FollowedByUpDown(type);
    if (depth_ == 0) Drain();  // may destroy the box: nothing of it is touched afterwards
    return result;
  }

  EditBoxState& props_;

 private:
  enum class Action { kGotFocus, kLostFocus };

  void Noted(Action action);
  // Reports what was noted, in order; false when a handler destroyed the box.
  bool Drain();
  bool Raise(int32_t event);
  // Runs `change` as the program's edit (no filtering), then reports it once.
  template <typename Change>
  bool ProgramChange(Change&& change);
  void Normalise();
  // Selects [start, start + count) cut to the text, and keeps it as the stored selection.
  void Reselect(int start, int count);

  QString ContentOf(const QString& text) const;
  QString TextOf(const char* content) const;
  void ApplyFont();
  void ApplyPalette();
  void CreateUpDown();
  void FollowedByUpDown(QEvent::Type type);
  void PlaceUpDown();

  Unit& unit_;
  QPointer<UpDownButton> upDown_;
  QString lastText_;
  std::string scratch_;  // text handed out, valid until the next call
  std::deque<Action> noted_;
  int depth_ = 0;
  bool changePending_ = false;
  bool drainQueued_ = false;
  bool programEdit_ = false;
};

}  // namespace units::editbox
