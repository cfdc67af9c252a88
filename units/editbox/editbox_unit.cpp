#include "units/editbox/editbox_unit.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <array>
#include <utility>

#include "platform/colors.h"
#include "platform/font_record.h"
#include "platform/text.h"
#include "units/editbox/editbox_properties.h"
#include "units/editbox/up_down_button.h"

namespace units::editbox {
namespace {

constexpr int kEdgeHeight = 2;  // one classic sunken edge
constexpr int32_t kEnterKey = 13;

// What an edit box's palette is made from: its colours, whether the selection shows, and the
// palettes it starts from.
struct PaletteKey {
  QRgb text = 0, back = 0;
  bool hideSelection = false;
  qint64 inherited = -1, standard = -1;
  bool operator==(const PaletteKey&) const = default;
};

// The up-down button wears a shallow edge beside the borders that have no raised part.
bool UpDownHasEdge(int32_t border) {
  return border == edit_border::kNone || border == edit_border::kSunken || border == edit_border::kShallow;
}

}  // namespace

EditBox::EditBox(Unit& unit, EditBoxState& props) : props_(props), unit_(unit) {}

InputRules EditBox::Rules() const { return {props_.inputMode, props_.caseConversion, props_.maxLength}; }

EditBox::~EditBox() {
  // The button may be the sender of the press whose handler is destroying this box.
  if (upDown_) {
    upDown_->hide();
    upDown_->deleteLater();
  }
}

void EditBox::Build(uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height) {
  QWidget* w = Widget();
  w->hide();
  w->setGeometry(x, y, width, height);
  w->setEnabled(!(style & window_style::kDisabled));
  w->setFocusPolicy(style & window_style::kTabStop ? Qt::StrongFocus : Qt::ClickFocus);
  ++depth_;
  programEdit_ = true;
  SetText(TextOf(props_.content.c_str()));
  programEdit_ = false;
  --depth_;
  changePending_ = false;  // building is no change
  ApplyFont();
  ApplyMode();
  ApplyPalette();
  ApplyBorder();
  if (props_.SingleLine() && props_.upDownMode != kNoUpDown) CreateUpDown();
  const int length = static_cast<int>(Text().size());
  const int start = std::min(props_.selStart, length);
  Select(start, std::min(props_.selLength, length - start));
}

QString EditBox::ContentOf(const QString& text) const {
  if (!MultiLine()) return text;
  QString out = text;
  return out.replace(u'\n', QStringLiteral("\r\n"));
}

QString EditBox::TextOf(const char* content) const {
  QString text = platform::FromGbk(content);
  if (!MultiLine()) return text;
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

void EditBox::ApplyFont() {
  QFont font = platform::DefaultGuiFont();
  platform::FontRecord record;
  if (platform::FontRecord::Parse(props_.font, &record)) {
    record.charSet = 1;
    record.outPrecision = 0;
    record.clipPrecision = 0;
    record.quality = 2;
    record.pitchAndFamily = 0;
    font = platform::ToQFont(record);
  }
  QWidget* w = Widget();
  w->setFont(font);
  if (!MultiLine()) {
    // A single line must fit its box with an edge above and below.
    const int needed = QFontMetrics(font).height() + 2 * kEdgeHeight;
    if (w->height() < needed) w->resize(w->width(), needed);
  }
}

void EditBox::ApplyPalette() {
  QWidget* w = Widget();
  const QColor text = platform::FromColorRef(props_.textColor);
  const QColor back = platform::BackgroundColor(props_.backColor);
  // Without the focus the selection is hidden unless the box keeps it visible.
  const bool hideSelection = props_.hideSelection != 0 && !w->hasFocus();
  const QPalette inherited = w->palette();
  const QPalette standard = QApplication::palette(w);
  // The boxes of a window mostly share their colours: the palette made for one serves the next.
  const PaletteKey key{text.rgba(), back.rgba(), hideSelection, inherited.cacheKey(), standard.cacheKey()};
  static std::array<std::pair<PaletteKey, QPalette>, 4> made;
  static size_t next = 0;
  for (const auto& [madeFor, palette] : made) {
    if (madeFor == key) {
      w->setPalette(palette);
      return;
    }
  }
  QPalette palette = inherited;
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Text, text);
    palette.setColor(group, QPalette::Base, back);
    palette.setColor(group, QPalette::Highlight, hideSelection ? back : standard.color(group, QPalette::Highlight));
    palette.setColor(group, QPalette::HighlightedText,
                     hideSelection ? text : standard.color(group, QPalette::HighlightedText));
  }
  palette.setColor(QPalette::Disabled, QPalette::Base, back);
  palette.setColor(QPalette::Disabled, QPalette::Text, platform::SystemColorOf(platform::SystemColor::kGrayText));
  made[next] = {key, palette};
  next = (next + 1) % made.size();
  w->setPalette(palette);
}

void EditBox::TextChanged() {
  QString text = Text();
  if (text == lastText_) return;
  if (!programEdit_ && depth_ == 0) {
    // Changed from outside the box's own editing (assistive technology sets the text whole): the
    // same filter as typing, and the text the box takes is set in its place.
    const QString taken = Rules().Edited(lastText_, text);
    if (taken != text) {
      ProgramChange([&] { SetText(taken); });
      return;
    }
  }
  lastText_ = std::move(text);
  props_.content = platform::ToGbk(ContentOf(lastText_));
  changePending_ = true;
  if (depth_ > 0 || drainQueued_) return;
  // Changed from outside the box's own events: report from the event loop.
  drainQueued_ = true;
  QMetaObject::invokeMethod(
      Widget(),
      [this] {
        drainQueued_ = false;
        if (depth_ == 0) Drain();
      },
      Qt::QueuedConnection);
}

void EditBox::Noted(Action action) { noted_.push_back(action); }

bool EditBox::Raise(int32_t event) { return unit_.ReportEvent(event).unitAlive; }

bool EditBox::Drain() {
  for (;;) {
    if (changePending_) {
      changePending_ = false;
      if (!Raise(editbox_event::kTextChanged)) return false;
    }
    if (noted_.empty()) return true;
    const Action action = noted_.front();
    noted_.pop_front();
    ApplyPalette();
    if (action == Action::kGotFocus) {
      if (!Raise(editbox_event::kGotFocus)) return false;
      continue;
    }
    // The rewritten text is reported before the focus loss.
    ++depth_;
    Normalise();
    --depth_;
    if (changePending_) {
      changePending_ = false;
      if (!Raise(editbox_event::kTextChanged)) return false;
    }
    if (!Raise(editbox_event::kLostFocus)) return false;
  }
}

template <typename Change>
bool EditBox::ProgramChange(Change&& change) {
  ++depth_;
  programEdit_ = true;
  change();
  programEdit_ = false;
  --depth_;
  return depth_ > 0 || Drain();
}

void EditBox::Normalise() {
  if (props_.inputMode < kByte) return;
  const QString text = Text();
  const QString normalised = NormalisedText(props_.inputMode, text);
  if (normalised == text) return;
  const int start = SelectionStart();
  programEdit_ = true;
  SetText(normalised);
  programEdit_ = false;
  Select(std::min(start, static_cast<int>(normalised.size())), 0);
}

void EditBox::Step(int delta) {
  QWidget* w = Widget();
  if (!w->isEnabled() || !w->isVisible()) return;
  if (props_.upDownMode == kManualUpDown) {
    unit_.ReportEvent(editbox_event::kUpDownPressed, delta);
    return;
  }
  const int64_t lower = std::min(props_.upDownMin, props_.upDownMax);
  const int64_t upper = std::max(props_.upDownMin, props_.upDownMax);
  int64_t next = LeadingInteger(Text()) + delta;
  if (next < lower || next > upper) next = delta < 0 ? upper : lower;
  const QString text = QString::number(next);
  if (!ProgramChange([&] {
        SetText(text);
        Select(0, static_cast<int>(text.size()));
      }))
    return;
  w->setFocus(Qt::OtherFocusReason);
}

void EditBox::CreateUpDown() {
  QWidget* parent = Widget()->parentWidget();
  if (parent == nullptr) {
    // Nowhere to put it: the box works without.
    props_.upDownMode = kNoUpDown;
    return;
  }
  upDown_ = new UpDownButton(parent, [this](int delta) { Step(delta); });
  upDown_->SetEdge(UpDownHasEdge(props_.borderStyle));
  upDown_->setEnabled(Widget()->isEnabled());
  upDown_->setVisible(!Widget()->isHidden());
  upDown_->stackUnder(Widget());
  PlaceUpDown();
}

void EditBox::PlaceUpDown() {
  const QRect box = Widget()->geometry();
  upDown_->setGeometry(box.right() + 1, box.top(), UpDownButton::kWidth, box.height());
}

void EditBox::FollowedByUpDown(QEvent::Type type) {
  if (!upDown_) return;
  QWidget* w = Widget();
  switch (type) {
    case QEvent::Move:
    case QEvent::Resize: PlaceUpDown(); break;
    case QEvent::Show:
    case QEvent::Hide: upDown_->setVisible(!w->isHidden()); break;
    case QEvent::EnabledChange: upDown_->setEnabled(w->isEnabled()); break;
    case QEvent::ZOrderChange: upDown_->stackUnder(w); break;
    case QEvent::ParentChange:
      if (w->parentWidget() != nullptr && upDown_->parentWidget() != w->parentWidget()) {
        upDown_->setParent(w->parentWidget());
        upDown_->setVisible(!w->isHidden());
        upDown_->stackUnder(w);
        PlaceUpDown();
      }
      break;
    default: break;
  }
}

Qt::InputMethodHints EditBox::InputHints() const {
  switch (props_.inputMode) {
    case kByte: return Qt::ImhDigitsOnly;
    case kIntegerText:
    case kDecimalText:
    case kShort:
    case kInteger:
    case kLong:
    case kFloat:
    case kDouble: return Qt::ImhFormattedNumbersOnly;
    case kPassword: return Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText;
    default: return Qt::ImhNone;
  }
}

bool EditBox::WantsKey(uint32_t key) const {
  return key == kEnterKey && MultiLine() && props_.inputMode != kReadOnly;
}

namespace {

std::string PasswordCharText(uint16_t c) {
  if (c == 0) return {};
  if (c < 0x100) return std::string(1, static_cast<char>(c));
  return {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
}

// The first character of a GBK text: a double-byte character whole, with its lead byte high.
uint16_t FirstCharacter(const char* text) {
  const auto* b = reinterpret_cast<const uint8_t*>(text);
  if (b[0] >= 0x81 && b[0] <= 0xFE && b[1] >= 0x40 && b[1] <= 0xFE && b[1] != 0x7F) return b[0] << 8 | b[1];
  return b[0];
}

}  // namespace

void EditBox::BorderChanged() {
  ApplyBorder();
  if (upDown_) upDown_->SetEdge(UpDownHasEdge(props_.borderStyle));
}

void EditBox::BackColorChanged() {
  ApplyPalette();
  Widget()->update();
}

int32_t EditBox::InputModeChanged() {
  if (props_.SingleLine() == MultiLine()) return 1;
  ApplyMode();
  Widget()->update();
  return 0;
}

void EditBox::SetContent(const char* content) {
  const QString text = TextOf(content != nullptr ? content : "");
  // Reported once even when the text stays the same.
  ProgramChange([&] {
    SetText(text);
    changePending_ = true;
  });
}

const char* EditBox::PasswordChar() {
  scratch_ = PasswordCharText(props_.passwordChar);
  return scratch_.c_str();
}

void EditBox::SetPasswordChar(const char* text) {
  props_.passwordChar = FirstCharacter(text != nullptr ? text : "");
  if (props_.inputMode == kPassword) ApplyMode();
}

void EditBox::SetSelStart(int32_t start) {
  const int length = static_cast<int>(Text().size());
  if (start == -1) Reselect(length, 0);
  else Reselect(std::clamp(start, 0, length), SelectionLength());
}

void EditBox::SetSelLength(int32_t count) {
  const int length = static_cast<int>(Text().size());
  if (count == -1) Reselect(0, length);
  else Reselect(std::min(SelectionStart(), length), std::max(count, 0));
}

void EditBox::Reselect(int start, int count) {
  count = std::min(count, static_cast<int>(Text().size()) - start);
  Select(start, count);
  props_.selStart = start;
  props_.selLength = count;
}

const char* EditBox::SelText() {
  scratch_ = platform::ToGbk(ContentOf(Text().mid(SelectionStart(), SelectionLength())));
  return scratch_.c_str();
}

void EditBox::SetSelText(const char* text) {
  const QString replacement = TextOf(text != nullptr ? text : "");
  ProgramChange([&] { ReplaceSelection(replacement); });
}

}  // namespace units::editbox
