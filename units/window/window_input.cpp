// The window's input: pre-translation of every key, mouse and wheel event inside the window
// (keyboard navigation, dragging, the common events), focus and activation.
#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QUrl>
#include <QWheelEvent>
#include <QWindow>

#include "platform/text.h"
#include "platform/window_activation.h"
#include "base/program/notify_codes.h"
#include "contract/type_flags.h"
#include "contract/unit_interfaces.h"
#include "contract/window_host.h"
#include "units/window/focus_order.h"
#include "units/window/key_codes.h"
#include "units/window/window_properties.h"

namespace units {
namespace {

constexpr int kWheelStep = 120;
// The types whose mnemonic the window acts on.
constexpr uint32_t kMnemonicTypes =
    type_flag::kRadio | type_flag::kPushButton | type_flag::kCheckBox | type_flag::kLabel | type_flag::kFrameLabel;

// One activation report at a time across all windows.
bool gActivating = false;

bool HasMnemonic(const QString& text, QChar key) {
  for (qsizetype i = text.indexOf(u'&'); i >= 0 && i + 1 < text.size(); i = text.indexOf(u'&', i + 2)) {
    if (text[i + 1].toUpper() == key) return true;
  }
  return false;
}

void SetChecked(QWidget* widget, bool checked) {
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setCheckable(true);
    button->setChecked(checked);
  }
}

// The keys that move about a window or act on its units: once one is used, the window shows
// which unit has the focus.
bool IsNavigationKey(const QKeyEvent& key) {
  switch (key.key()) {
    case Qt::Key_Tab: case Qt::Key_Backtab: case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up:
    case Qt::Key_Down: case Qt::Key_Return: case Qt::Key_Enter: case Qt::Key_Space:
      return true;
    default: break;
  }
  const int code = key.key();
  const bool letterOrDigit = (code >= Qt::Key_A && code <= Qt::Key_Z) || (code >= Qt::Key_0 && code <= Qt::Key_9);
  return (key.modifiers() & Qt::AltModifier) && letterOrDigit;
}

bool IsChecked(QWidget* widget) {
  auto* button = qobject_cast<QAbstractButton*>(widget);
  return button != nullptr && button->isChecked();
}

}  // namespace

std::vector<WindowUnit::UnitInfo> WindowUnit::Units() const {
  std::vector<UnitInfo> units;
  for (const WindowMember& member : TheWindowHost().UnitsOf(*this)) {
    const uint32_t typeFlags = member.type != nullptr ? member.type->flags : 0;
    units.push_back({member.index, member.unit, member.type, typeFlags, member.tabStop, member.tabOrder});
  }
  return units;
}

std::optional<WindowUnit::UnitInfo> WindowUnit::UnitContaining(const QWidget* widget) const {
  if (widget == nullptr || widget == this) return std::nullopt;
  std::vector<UnitInfo> units = Units();
  for (const QWidget* w = widget; w != nullptr && w != this; w = w->parentWidget()) {
    for (const UnitInfo& info : units)
      if (info.widget() == w) return info;
  }
  return std::nullopt;
}

std::optional<WindowUnit::UnitInfo> WindowUnit::FocusedUnit() const {
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr || focus->window() != this) return std::nullopt;
  return UnitContaining(focus);
}

bool WindowUnit::MoveFocus(const UnitInfo* start, bool forward, Traversal traversal) {
  std::vector<UnitInfo> units = Units();
  std::vector<FocusCandidate> candidates;
  for (const UnitInfo& info : units) {
    QWidget* w = info.widget();
    if (!w->isVisibleTo(this) || !w->isEnabledTo(this)) continue;
    if (info.typeFlags & (type_flag::kNonVisual | type_flag::kNoFocus)) continue;
    if (!info.tabStop) continue;
    if (traversal == Traversal::kArrow &&
        (!(info.typeFlags & type_flag::kRadio) || start == nullptr ||
         w->parentWidget() != start->widget()->parentWidget()))
      continue;
    if (traversal == Traversal::kMnemonic && start != nullptr && (start->typeFlags & type_flag::kFrameLabel) &&
        !start->widget()->isAncestorOf(w))
      continue;
    candidates.push_back({info.index, info.tabOrder});
  }
  OrderCandidates(candidates);

  FocusStart from{start != nullptr ? start->index : 0, start != nullptr ? start->tabOrder : 0};
  if (start != nullptr && (start->typeFlags & type_flag::kLabel)) from.kind = FocusStart::Kind::kLabel;
  else if (start != nullptr && (start->typeFlags & type_flag::kFrameLabel)) from.kind = FocusStart::Kind::kFrameLabel;
  std::optional<uint32_t> chosen = NextInFocusOrder(candidates, from, forward);
  if (!chosen || (start != nullptr && *chosen == start->index)) return false;

  const UnitInfo* target = nullptr;
  for (const UnitInfo& info : units)
    if (info.index == *chosen) target = &info;
  if (target == nullptr) return false;
  QPointer<QWidget> widget = target->widget();
  if (traversal == Traversal::kArrow) {
    for (const UnitInfo& info : units)
      if ((info.typeFlags & type_flag::kRadio) && info.widget()->parentWidget() == widget->parentWidget())
        SetChecked(info.widget(), info.index == *chosen);
    EventOutcome outcome = target->unit->ReportEvent(button_event::kClick);
    if (!outcome.unitAlive || widget.isNull()) return true;
  }
  // A plain focus change: an edit box keeps its caret and selection.
  widget->setFocus(Qt::OtherFocusReason);
  return true;
}

void WindowUnit::FocusFirstUnit() { MoveFocus(nullptr, true, Traversal::kTab); }

bool WindowUnit::focusNextPrevChild(bool next) {
  std::optional<UnitInfo> focused = FocusedUnit();
  MoveFocus(focused ? &*focused : nullptr, next, Traversal::kTab);
  return true;
}

void WindowUnit::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  QPointer<WindowUnit> self(this);
  ReportEvent(common_event::kGotFocus);
  if (self.isNull()) return;
  if (lastFocus_ && isAncestorOf(lastFocus_)) lastFocus_->setFocus(Qt::ActiveWindowFocusReason);
  else FocusFirstUnit();
}

void WindowUnit::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  ReportEvent(common_event::kLostFocus);
}

QWidget* WindowUnit::Blocker() {
  WindowHost& host = TheWindowHost();
  QWidget* blocked = this;
  // The modal window that disabled this one may itself be blocked by one it opened: the chain
  // ends at the window that takes input.
  for (size_t depth = 0; depth <= host.WindowCount(); ++depth) {
    LiveWindow* blocker = nullptr;
    for (size_t i = 0; i < host.WindowCount() && blocker == nullptr; ++i) {
      LiveWindow* other = host.LiveWindowAt(i);
      if (other == nullptr || !other->modal) continue;
      for (const DisabledWindow& entry : other->disabledWhileModal)
        if (entry.window == blocked) blocker = other;
    }
    if (blocker == nullptr) break;
    blocked = blocker->Widget();
    if (blocker->enabled) break;
  }
  return blocked != this ? blocked : nullptr;
}

bool WindowUnit::event(QEvent* event) {
  const bool result = QWidget::event(event);
  if (event->type() != QEvent::WindowActivate && event->type() != QEvent::WindowDeactivate) return result;
  if (gActivating || destroying_) return result;
  const bool activating = event->type() == QEvent::WindowActivate;
  if (activating && !enabled) {
    // A window disabled by a modal window hands the activation to that window (the desktop may
    // have activated it at a click), and the user is shown which window wants the answer.
    if (QWidget* blocker = Blocker(); blocker != nullptr && blocker->isVisible()) {
      // Once this activation has been dealt with: handed on from inside it, the platform would
      // take the desktop's activation of this window as the later one.
      // By then the blocker may have closed and this window taken input again: nothing to hand on.
      QMetaObject::invokeMethod(
          blocker,
          [blocker = QPointer<QWidget>(blocker), self = QPointer<WindowUnit>(this)] {
            if (!blocker || !blocker->isVisible() || !self || self->enabled) return;
            blocker->raise();
            blocker->activateWindow();
            platform::ActivateWindowNow(blocker->windowHandle());
            QApplication::alert(blocker);
          },
          Qt::QueuedConnection);
      return result;
    }
  }
  gActivating = true;
  QPointer<WindowUnit> self(this);
  if (activating) {
    update();
    if (!firstActivationSeen_) {
      firstActivationSeen_ = true;
      if (!ReportEvent(window_event::kFirstActivation).unitAlive || self.isNull()) {
        gActivating = false;
        return result;
      }
    }
    EventOutcome outcome = ReportEvent(window_event::kActivated);
    if (outcome.unitAlive && !self.isNull()) {
      QWidget* focus = QApplication::focusWidget();
      if (focus == nullptr || focus->window() != this) {
        if (lastFocus_ && isAncestorOf(lastFocus_)) lastFocus_->setFocus(Qt::ActiveWindowFocusReason);
        else FocusFirstUnit();
      }
    }
  } else {
    ReportEvent(window_event::kDeactivated);
  }
  gActivating = false;
  return result;
}

bool WindowUnit::eventFilter(QObject* watched, QEvent* event) {
  // The unit that had the focus last gets it back when the window is activated again. It is
  // noted as the focus moves: by the time the window hears of its deactivation, the window
  // activated instead may have moved the focus already.
  if (event->type() == QEvent::FocusIn && watched->isWidgetType() && watched != this &&
      isAncestorOf(static_cast<QWidget*>(watched)))
    lastFocus_ = static_cast<QWidget*>(watched);
  // A pointer moving over a unit is reported even without a button held.
  if (event->type() == QEvent::Enter && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() == this && !widget->hasMouseTracking()) widget->setMouseTracking(true);
  }
  return false;
}

void WindowUnit::LayOutBars() {
  std::vector<UnitInfo> bars;
  for (const UnitInfo& info : Units())
    if (info.typeFlags & type_flag::kBar) bars.push_back(info);
  if (bars.empty()) return;
  for (const UnitInfo& bar : bars) bar.unit->LayOutBars();
  // Top bars stack downwards from the top, bottom bars upwards from the bottom, the later listed
  // nearer the edge; each keeps its height.
  int top = 0, bottom = height();
  for (auto it = bars.rbegin(); it != bars.rend(); ++it) {
    QWidget* w = it->widget();
    if (w->parentWidget() != this) continue;
    const int h = w->height();
    if (w->property("barEdge").toString() == QLatin1String("bottom")) {
      bottom -= h;
      w->setGeometry(0, bottom, width(), h);
    } else {
      w->setGeometry(0, top, width(), h);
      top += h;
    }
  }
}

bool WindowUnit::OfferToPreTranslatingUnits(QObject* target, QEvent* event) {
  const std::vector<UnitInfo> units = Units();
  // The units the event is on its way to, the nearest first, translate it before the window.
  QPointer<QObject> guard(target);
  for (auto* w = static_cast<QWidget*>(target); w != nullptr && w != this; w = w->parentWidget()) {
    for (const UnitInfo& info : units) {
      if (info.widget() != w) continue;
      if (info.unit->PreTranslate(target, event) || guard.isNull()) return true;
    }
  }
  for (const UnitInfo& info : units) {
    if (!(info.typeFlags & type_flag::kPreTranslates) || info.type == nullptr) continue;
    auto preTranslate = AskInterface<interface_number::kPreTranslate>(*info.type);
    if (preTranslate != nullptr && preTranslate(info.unit, target, event) != 0) return true;
  }
  return false;
}

bool WindowUnit::PreTranslate(QObject* target, QEvent* event) {
  if (event == replaying_ || destroying_ || !target->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(target);
  const QEvent::Type type = event->type();
  if (type == QEvent::ShortcutOverride) return false;
  if (type == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
    dragging_ = false;

  if (type == QEvent::KeyPress && IsNavigationKey(*static_cast<QKeyEvent*>(event))) ShowKeyboardCues();
  QPointer<QWidget> guard(widget);
  QPointer<WindowUnit> self(this);
  if (OfferToPreTranslatingUnits(target, event)) return true;
  if (guard.isNull() || self.isNull()) return true;

  if (type == QEvent::MouseButtonPress || type == QEvent::MouseMove || type == QEvent::MouseButtonRelease) {
    if (HandleMoveAnywhere(widget, static_cast<QMouseEvent*>(event))) return true;
  }
  if (type == QEvent::KeyPress && HandleKeyPress(widget, static_cast<QKeyEvent*>(event))) return true;
  if (guard.isNull() || self.isNull()) return true;
  return RaiseCommonEvent(target, event);
}

bool WindowUnit::HandleMoveAnywhere(QWidget* target, QMouseEvent* mouse) {
  if (mouse->type() == QEvent::MouseButtonRelease) {
    dragging_ = false;
    return false;
  }
  if (mouse->type() == QEvent::MouseMove) {
    if (dragging_ && (mouse->buttons() & Qt::LeftButton))
      move(dragStartPos_ + (mouse->globalPosition().toPoint() - dragStartGlobal_));
    return false;
  }
  if (Props().moveAnywhere == 0 || mouse->button() != Qt::LeftButton) return false;
  bool onClient = target == this;
  bool consume = false;
  if (!onClient) {
    std::optional<UnitInfo> unit = UnitContaining(target);
    if (!unit || !(unit->typeFlags & type_flag::kDragsWindow)) return false;
    consume = true;
  }
  QWindow* handle = windowHandle();
  if (handle == nullptr || !handle->startSystemMove()) {
    // The platform cannot move the window for us: follow the pointer ourselves.
    dragging_ = true;
    dragStartGlobal_ = mouse->globalPosition().toPoint();
    dragStartPos_ = pos();
  }
  return consume;
}

bool WindowUnit::HandleKeyPress(QWidget* target, QKeyEvent* key) {
  const int32_t code = VirtualKeyCode(*key);
  if (code == 0) return false;
  const Qt::KeyboardModifiers modifiers = key->modifiers();
  std::optional<UnitInfo> focused = FocusedUnit();
  if (focused && focused->type != nullptr) {
    auto wantsKey = AskInterface<interface_number::kWantsKey>(*focused->type);
    if (wantsKey != nullptr && wantsKey(focused->unit, static_cast<uint32_t>(code) | KeyModifierBits(modifiers)) != 0)
      return false;
  }
  std::optional<UnitInfo> addressed = UnitContaining(target);
  const bool plain = !(modifiers & (Qt::ControlModifier | Qt::AltModifier));
  switch (code) {
    case vk::kTab:
      if (!plain) break;
      MoveFocus(focused ? &*focused : nullptr, !(modifiers & Qt::ShiftModifier) && key->key() != Qt::Key_Backtab,
                Traversal::kTab);
      return true;
    case vk::kReturn:
      return HandleEnter(addressed);
    case vk::kEscape:
      if (Props().escCloses == 0) break;
      close();
      return true;
    case vk::kF1:
      if (Props().f1Help != 0 && HandleHelp()) return true;
      break;
    case vk::kLeft: case vk::kUp: case vk::kRight: case vk::kDown:
      if (!addressed || !(addressed->typeFlags & type_flag::kRadio)) break;
      MoveFocus(&*addressed, code == vk::kRight || code == vk::kDown, Traversal::kArrow);
      return true;
    default: break;
  }
  const bool letterOrDigit = (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9');
  if ((modifiers & Qt::AltModifier) && letterOrDigit) return HandleMnemonic(code);
  return false;
}

bool WindowUnit::HandleEnter(const std::optional<UnitInfo>& target) {
  auto actsOnEnter = [](const UnitInfo& info) {
    if (!(info.typeFlags & type_flag::kPushButton) || info.type == nullptr || !info.widget()->isEnabled()) return false;
    auto isDefault = AskInterface<interface_number::kIsDefaultButton>(*info.type);
    return isDefault != nullptr && isDefault(info.unit) != 0;
  };
  if (target && actsOnEnter(*target)) {
    target->unit->ReportEvent(button_event::kClick);
    return true;
  }
  if (Props().enterMovesFocus != 0) {
    std::optional<UnitInfo> focused = FocusedUnit();
    MoveFocus(focused ? &*focused : nullptr, true, Traversal::kTab);
    return true;
  }
  for (const UnitInfo& info : Units()) {
    if (actsOnEnter(info)) {
      info.unit->ReportEvent(button_event::kClick);
      return true;
    }
  }
  return false;
}

bool WindowUnit::HandleHelp() {
  std::string file = Props().helpFile;
  if (file.empty() && Host() != nullptr) {
    // The program's own path with its extension replaced.
    const char* program = reinterpret_cast<const char*>(Host()(runtime::notify::kProgramFileName, 0, 0));
    if (program != nullptr) {
      file = program;
      size_t slash = file.find_last_of("/\\");
      size_t dot = file.find_last_of('.');
      if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) file.resize(dot);
      file += ".hlp";
    }
  }
  const QString path = platform::FromGbk(file);
  if (path.isEmpty() || !QFileInfo(path).isFile()) return false;
  // The desktop's handler for the file shows it; it has no notion of a topic to open at.
  QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
  helpUsed_ = true;
  return true;
}

bool WindowUnit::HandleMnemonic(int32_t key) {
  const QChar wanted(key);
  std::vector<UnitInfo> units = Units();
  for (const UnitInfo& info : units) {
    const uint32_t flags = info.typeFlags;
    if (!(flags & kMnemonicTypes)) continue;
    if ((flags & type_flag::kNonVisual) || !info.widget()->isVisibleTo(this) || !info.widget()->isEnabledTo(this))
      continue;
    if (!HasMnemonic(info.unit->MnemonicText(), wanted)) continue;
    if (flags & type_flag::kRadio) {
      for (const UnitInfo& other : units)
        if ((other.typeFlags & type_flag::kRadio) && other.widget()->parentWidget() == info.widget()->parentWidget())
          SetChecked(other.widget(), other.index == info.index);
      info.unit->ReportEvent(button_event::kClick);
    } else if (flags & type_flag::kPushButton) {
      info.unit->ReportEvent(button_event::kClick);
    } else if (flags & type_flag::kCheckBox) {
      SetChecked(info.widget(), !IsChecked(info.widget()));
      info.unit->ReportEvent(button_event::kClick);
    } else {
      MoveFocus(&info, true, Traversal::kMnemonic);
    }
    return true;
  }
  return false;
}

bool WindowUnit::RaiseCommonEvent(QObject* target, QEvent* event) {
  auto* widget = static_cast<QWidget*>(target);
  Unit* unit = this;
  QWidget* unitWidget = this;
  if (widget != this) {
    std::optional<UnitInfo> info = UnitContaining(widget);
    if (!info) return false;  // a widget of the window that belongs to no unit is left alone
    unit = info->unit;
    unitWidget = info->widget();
  }
  QPointer<QWidget> guard(widget);
  EventOutcome outcome;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      int32_t number = 0;
      if (event->type() == QEvent::MouseMove) number = common_event::kMouseMove;
      else if (mouse->button() == Qt::LeftButton)
        number = event->type() == QEvent::MouseButtonPress     ? common_event::kLeftButtonDown
                 : event->type() == QEvent::MouseButtonRelease ? common_event::kLeftButtonUp
                                                               : common_event::kLeftDoubleClick;
      else if (mouse->button() == Qt::RightButton && event->type() != QEvent::MouseButtonDblClick)
        number = event->type() == QEvent::MouseButtonPress ? common_event::kRightButtonDown : common_event::kRightButtonUp;
      if (number == 0) return false;
      const QPoint at = widget->mapTo(unitWidget, mouse->position().toPoint());
      outcome = unit->ReportEvent(number, static_cast<int16_t>(at.x()), static_cast<int16_t>(at.y()),
                                  EventModifiers(mouse->modifiers()));
      break;
    }
    case QEvent::Wheel: {
      auto* wheel = static_cast<QWheelEvent*>(event);
      const int delta = wheel->angleDelta().y();
      if (delta == 0) return false;
      outcome = unit->ReportEvent(common_event::kWheel, delta / kWheelStep, EventModifiers(wheel->modifiers()));
      break;
    }
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      const int32_t code = VirtualKeyCode(*key);
      if (code != 0) {
        outcome = unit->ReportEvent(common_event::kKeyDown, code, EventModifiers(key->modifiers()));
        if (!outcome.unitAlive || guard.isNull()) return true;
        if (outcome.ReturnedFalse()) return true;
      }
      return RaiseCharacter(widget, unit, key);
    }
    case QEvent::InputMethod:
      return RaiseCommitted(widget, unit, static_cast<QInputMethodEvent*>(event));
    case QEvent::KeyRelease: {
      auto* key = static_cast<QKeyEvent*>(event);
      const int32_t code = VirtualKeyCode(*key);
      if (code == 0 || key->isAutoRepeat()) return false;
      outcome = unit->ReportEvent(common_event::kKeyUp, code, EventModifiers(key->modifiers()));
      break;
    }
    default: return false;
  }
  return !outcome.unitAlive || guard.isNull() || outcome.ReturnedFalse();
}

namespace {

// A character as the events carry it: its GBK code, double-byte characters as lead * 256 + trail.
int32_t CharacterCode(const QString& character) {
  int32_t code = 0;
  for (unsigned char byte : platform::ToGbk(character)) code = code << 8 | byte;
  return code;
}

QString CharacterText(uint32_t code) {
  std::string bytes;
  if (code > 0xFF) bytes.push_back(static_cast<char>(code >> 8 & 0xFF));
  bytes.push_back(static_cast<char>(code & 0xFF));
  return platform::FromGbk(bytes);
}

}  // namespace

bool WindowUnit::RaiseCharacter(QWidget* target, Unit* unit, QKeyEvent* key) {
  const QString text = key->text();
  if (text.size() != 1) return false;
  const int32_t character = CharacterCode(text);
  if (character == 0) return false;
  QPointer<QWidget> guard(target);
  EventOutcome outcome = unit->ReportEvent(common_event::kCharacter, character);
  if (!outcome.unitAlive || guard.isNull()) return true;
  if (!outcome.hasResult || outcome.result == character) return false;
  if (outcome.result == 0) return true;  // swallowed
  // Replaced: the unit gets the handler's character instead.
  const QString newText = CharacterText(static_cast<uint32_t>(outcome.result));
  const QChar upper = newText.isEmpty() ? QChar() : newText[0].toUpper();
  const int newKey = upper.unicode() < 0x80 && upper.isLetterOrNumber() ? static_cast<int>(upper.unicode()) : static_cast<int>(Qt::Key_unknown);
  QKeyEvent replacement(QEvent::KeyPress, newKey, key->modifiers(), newText, key->isAutoRepeat(), key->count());
  replaying_ = &replacement;
  QPointer<WindowUnit> self(this);
  QCoreApplication::sendEvent(target, &replacement);
  if (!self.isNull()) replaying_ = nullptr;
  return true;
}

// Text an input method commits is typed text: each character raises its own character event,
// and the handlers' answers replace or swallow it in what the unit receives.
bool WindowUnit::RaiseCommitted(QWidget* target, Unit* unit, QInputMethodEvent* input) {
  const QString committed = input->commitString();
  if (committed.isEmpty()) return false;
  QString kept;
  bool changed = false;
  QPointer<QWidget> guard(target);
  for (qsizetype i = 0; i < committed.size();) {
    const qsizetype length = committed[i].isHighSurrogate() && i + 1 < committed.size() ? 2 : 1;
    const QString character = committed.mid(i, length);
    i += length;
    const int32_t code = CharacterCode(character);
    EventOutcome outcome = unit->ReportEvent(common_event::kCharacter, code);
    if (!outcome.unitAlive || guard.isNull()) return true;
    if (!outcome.hasResult || outcome.result == code) {
      kept += character;
      continue;
    }
    changed = true;
    if (outcome.result != 0) kept += CharacterText(static_cast<uint32_t>(outcome.result));
  }
  if (changed) input->setCommitString(kept, input->replacementStart(), input->replacementLength());
  return false;
}

}  // namespace units
