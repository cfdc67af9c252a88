#include "units/window/window_unit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPaintEvent>
#include <QScreen>
#include <QSessionManager>
#include <QSystemTrayIcon>
#include <QWindow>

#include <algorithm>
#include <cstring>

#include "imaging/image.h"
#include "platform/edge_painter.h"
#include "platform/font_record.h"
#include "platform/program_icon.h"
#include "platform/sound.h"
#include "platform/text.h"
#include "runtime/program/notify_codes.h"
#include "units/framework/unit_type_ids.h"
#include "units/framework/window_host.h"
#include "units/window/window_shape.h"

namespace units {
namespace {

// The classic fixed dialog frame, used where the platform cannot tell the frame of a window it
// has not shown (and never can, on the offscreen platform).
constexpr int kFrameWidth = 3;
constexpr int kCaptionHeight = 22;
constexpr size_t kTrayTipBytes = 62;

bool PlatformKnowsFrames() {
  const QString name = QGuiApplication::platformName();
  return name != QLatin1String("offscreen") && name != QLatin1String("minimal");
}

int Clamp(int value, int high) { return std::clamp(value, 0, high); }

}  // namespace

WindowUnit::WindowUnit(const UnitIdentity& identity, std::unique_ptr<WindowProperties> properties, QWidget* owner)
    : UnitWidget(identity, std::move(properties), owner, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  // Units get mouse moves without a button held, as the common events need (see eventFilter).
  qApp->installEventFilter(this);
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
    if (!manager.allowsInteraction()) return;
    if (ReportEvent(1).ReturnedFalse()) manager.cancel();
    manager.release();
  });
}

WindowUnit::~WindowUnit() {
  destroying_ = true;
  qApp->removeEventFilter(this);
  StopSound();
  ReportEvent(2);
  tray_.reset();
  // A modal window that goes without the close protocol still gives the others back.
  ReturnToOwner();
  // The units go before the window reports itself gone, as child windows do.
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) delete child;
}

bool WindowUnit::ThickFrame() const {
  const int border = const_cast<WindowUnit*>(this)->Props().borderStyle;
  return border == 1 || border == 3 || border == 5;
}

bool WindowUnit::HasCaption() const {
  WindowProperties& p = const_cast<WindowUnit*>(this)->Props();
  return p.borderStyle != 0 && (!p.title.empty() || p.controlBox != 0);
}

QMargins WindowUnit::FrameMargins() const {
  if (const_cast<WindowUnit*>(this)->Props().borderStyle == 0) return {};
  if (PlatformKnowsFrames() && isVisible() && frameGeometry() != geometry()) {
    QRect frame = frameGeometry(), inner = geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
  }
  return {kFrameWidth, kFrameWidth + (HasCaption() ? kCaptionHeight : 0), kFrameWidth, kFrameWidth};
}

QRect WindowUnit::OuterGeometry() { return geometry().marginsAdded(FrameMargins()); }

void WindowUnit::SetOuterGeometry(const QRect& outer) { SetClientGeometry(outer.marginsRemoved(FrameMargins())); }

void WindowUnit::SetClientGeometry(const QRect& client) {
  QRect sized(client.topLeft(), client.size().expandedTo(QSize(0, 0)));
  if (!ThickFrame()) setFixedSize(sized.size());
  setGeometry(sized);
}

void WindowUnit::ApplyFixedSize() {
  if (ThickFrame()) {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  } else {
    setFixedSize(size());
  }
}

void WindowUnit::Build(uint32_t style, const QRect& requested) {
  WindowProperties& p = Props();
  setObjectName(p.className.empty() ? QStringLiteral("RKWindow") : platform::FromGbk(p.className));
  setWindowTitle(platform::FromGbk(p.title));
  setFont(platform::DefaultGuiFont());
  ApplyWindowFlags();
  QRect outer = requested;
  if (p.position == 1) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
      QSize area = screen->geometry().size();
      outer.moveTo((area.width() - outer.width()) / 2, (area.height() - outer.height()) / 2);
    }
  }
  SetOuterGeometry(outer);
  lastPos_ = pos();
  lastSize_ = size();
  if (style & window_style::kDisabled) enabled = false;
  ApplyIcons();
  ApplyShape();
  ApplyKeepTitleActive();
  topmost = p.alwaysOnTop != 0;
  StartSound();
}

void WindowUnit::ApplyWindowFlags() {
  const WindowProperties& p = Props();
  const int border = Clamp(p.borderStyle, 6);
  // A window with an owner is the owner's dialog to the desktop: kept above it, not listed on
  // its own.
  Qt::WindowFlags flags = (border == 3 || border == 4) ? Qt::Tool : desktopOwner_ ? Qt::Dialog : Qt::Window;
  if (border == 0) {
    flags |= Qt::FramelessWindowHint;
  } else {
    flags |= Qt::CustomizeWindowHint;
    if (HasCaption()) flags |= Qt::WindowTitleHint;
    if (p.controlBox != 0) {
      flags |= Qt::WindowSystemMenuHint;
      if (p.closable != 0) flags |= Qt::WindowCloseButtonHint;
    }
    if (p.maxButton != 0) flags |= Qt::WindowMaximizeButtonHint;
    if (p.minButton != 0) flags |= Qt::WindowMinimizeButtonHint;
  }
  if (p.alwaysOnTop != 0) flags |= Qt::WindowStaysOnTopHint;
  if (flags == windowFlags()) return;
  // New flags hide a shown window; it comes back where it was, without show events.
  const bool wasVisible = isVisible();
  reflagging_ = true;
  setWindowFlags(flags);
  if (wasVisible) show();
  reflagging_ = false;
  ApplyFixedSize();
}

void WindowUnit::SetDesktopOwner(QWidget* owner) {
  desktopOwner_ = owner;
  ApplyWindowFlags();
  QWindow* ownerHandle = owner != nullptr ? owner->window()->windowHandle() : nullptr;
  if (ownerHandle == nullptr && windowHandle() == nullptr) return;
  createWinId();
  windowHandle()->setTransientParent(ownerHandle);
}

// The windows this one disabled take input again, and the keyboard goes back to the window it
// was opened over, as it does when a dialog closes.
void WindowUnit::ReturnToOwner() {
  ReenableDisabledWindows();
  if (desktopOwner_ && desktopOwner_->isVisible() && isActiveWindow()) desktopOwner_->activateWindow();
}

void WindowUnit::ApplyIcons() {
  const std::vector<uint8_t>& data = Props().icon;
  QIcon icon;
  for (bool large : {true, false}) {
    QImage entry = data.empty() ? QImage() : imaging::LoadIconOfSize(data.data(), static_cast<int64_t>(data.size()), large);
    if (!entry.isNull()) icon.addPixmap(QPixmap::fromImage(entry));
  }
  if (icon.isNull()) {
    const QPixmap* programIcons[2] = {nullptr, nullptr};
    if (Host() != nullptr) Host()(runtime::notify::kDefaultIcon, reinterpret_cast<intptr_t>(programIcons), 0);
    for (const QPixmap* pixmap : programIcons)
      if (pixmap != nullptr && !pixmap->isNull()) icon.addPixmap(*pixmap);
  }
  if (icon.isNull()) {
    icon.addPixmap(platform::ProgramIcon(32));
    icon.addPixmap(platform::ProgramIcon(16));
  }
  setWindowIcon(icon);
}

void WindowUnit::ApplyShape() {
  const int shape = Props().shape;
  if (shape <= 0 || shape >= kShapeCount) {
    clearMask();
    return;
  }
  // The outline belongs to the outer rectangle; the part over the client area masks the widget.
  const QMargins frame = FrameMargins();
  const QSize outer = size().grownBy(frame);
  setMask(ShapeRegion(shape, outer.width(), outer.height()).translated(-frame.left(), -frame.top()));
}

void WindowUnit::ApplyPosition() {
  if (!isVisible()) return;
  switch (Props().position) {
    case 0: showNormal(); break;
    case 1: {
      if (isMinimized() || isMaximized()) showNormal();
      const QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
      if (screen == nullptr) break;
      QRect outer = OuterGeometry();
      QSize area = screen->geometry().size();
      QPoint centre((area.width() - outer.width()) / 2, (area.height() - outer.height()) / 2);
      if (outer.topLeft() != centre) SetOuterGeometry(QRect(centre, outer.size()));
      break;
    }
    case 2: showMinimized(); break;
    case 3: showMaximized(); break;
  }
}

void WindowUnit::ApplyTopmost() {
  topmost = Props().alwaysOnTop != 0;
  ApplyWindowFlags();
  if (!topmost) ReassertOthersTopmost();
}

// Turning one window's topmost state off may push the others that keep it (the ones without a
// taskbar button) down with it; they are made topmost again.
void WindowUnit::ReassertOthersTopmost() {
  WindowHost& host = TheWindowHost();
  for (size_t i = 0; i < host.WindowCount(); ++i) {
    auto* other = dynamic_cast<WindowUnit*>(host.LiveWindowAt(i));
    if (other == nullptr || other == this) continue;
    WindowProperties& op = other->Props();
    if (op.alwaysOnTop == 0 || op.showInTaskbar != 0) continue;
    if (!other->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
      const bool wasVisible = other->isVisible();
      other->reflagging_ = true;
      other->setWindowFlag(Qt::WindowStaysOnTopHint, true);
      if (wasVisible) other->show();
      other->reflagging_ = false;
    }
    other->topmost = true;
    if (other->isVisible()) other->raise();
  }
}

void WindowUnit::ApplyKeepTitleActive() {
  // The caption belongs to the desktop; what the window can do is never draw its own contents
  // in the inactive colours.
  if (Props().keepTitleActive == 0) {
    setPalette(QPalette());
    return;
  }
  QPalette active = palette();
  for (int role = 0; role < QPalette::NColorRoles; ++role) {
    auto r = static_cast<QPalette::ColorRole>(role);
    active.setColor(QPalette::Inactive, r, active.color(QPalette::Active, r));
  }
  setPalette(active);
}

void WindowUnit::RepaintBackground() {
  // Units that draw nothing of their own background are painted again over the new one with it.
  update();
}

void WindowUnit::StartSound() {
  const WindowProperties& p = Props();
  if (p.backSound.empty() || p.soundPlayMode < 0 || p.soundPlayMode > 1) return;
  const std::vector<uint8_t>& data = p.backSound;
  const bool repeat = p.soundPlayMode == 0;
  if (data.size() > 11 && std::memcmp(data.data(), "RIFF", 4) == 0 && std::memcmp(data.data() + 8, "WAVE", 4) == 0)
    soundId_ = platform::PlayWave(data, repeat);
  else if (data.size() > 4 && std::memcmp(data.data(), "MThd", 4) == 0)
    soundId_ = platform::PlayMidi(data, repeat);
}

void WindowUnit::StopSound() {
  // Only this window's own sound stops: a window closing leaves the others' sounds alone.
  if (soundId_ != 0) platform::StopSound(soundId_);
  soundId_ = 0;
}

void WindowUnit::PropertyChanged(int32_t index, const PropertyValue& value) {
  WindowProperties& p = Props();
  const int32_t v = value.AsInteger();
  auto bytes = [&value] {
    auto data = value.AsData();
    return std::vector<uint8_t>(data.begin(), data.end());
  };
  auto text = [&value] { return std::string(value.AsText() != nullptr ? value.AsText() : ""); };
  switch (index) {
    case window_property::kTitle:
      p.title = text();
      setWindowTitle(platform::FromGbk(p.title));
      ApplyWindowFlags();
      break;
    case window_property::kBorderStyle: {
      const QRect outer = OuterGeometry();
      p.borderStyle = Clamp(v, 6);
      ApplyWindowFlags();
      // The outer rectangle stays; the client area follows the new frame.
      SetOuterGeometry(outer);
      break;
    }
    case window_property::kBackColor:
      p.backColor = static_cast<uint32_t>(v);
      RepaintBackground();
      break;
    case window_property::kBackPicture:
      p.backPicture = bytes();
      p.backPictureSource = {};
      background_.DropPicture();
      RepaintBackground();
      break;
    case window_property::kBackPictureMode:
      p.backPictureMode = Clamp(v, 3);
      if (!p.backPicture.empty()) RepaintBackground();
      break;
    case window_property::kBackSound:
      StopSound();
      p.backSound = bytes();
      StartSound();
      break;
    case window_property::kSoundPlayMode:
      StopSound();
      p.soundPlayMode = Clamp(v, 2);
      StartSound();
      break;
    case window_property::kControlBox: p.controlBox = v != 0; ApplyWindowFlags(); break;
    case window_property::kMaxButton: p.maxButton = v != 0; ApplyWindowFlags(); break;
    case window_property::kMinButton: p.minButton = v != 0; ApplyWindowFlags(); break;
    case window_property::kPosition:
      p.position = Clamp(v, 3);
      ApplyPosition();
      break;
    case window_property::kClosable: p.closable = v != 0; ApplyWindowFlags(); break;
    case window_property::kIcon:
      p.icon = bytes();
      ApplyIcons();
      break;
    case window_property::kEnterMovesFocus: p.enterMovesFocus = v != 0; break;
    case window_property::kEscCloses: p.escCloses = v != 0; break;
    case window_property::kF1Help: p.f1Help = v != 0; break;
    case window_property::kHelpFile: p.helpFile = text(); break;
    case window_property::kHelpTopic: p.helpTopic = v; break;
    case window_property::kShowInTaskbar: p.showInTaskbar = v != 0; break;
    case window_property::kMoveAnywhere: p.moveAnywhere = v != 0; break;
    case window_property::kShape:
      p.shape = Clamp(v, kShapeCount - 1);
      ApplyShape();
      break;
    case window_property::kAlwaysOnTop:
      p.alwaysOnTop = v != 0;
      ApplyTopmost();
      break;
    case window_property::kKeepTitleActive:
      p.keepTitleActive = v != 0;
      ApplyKeepTitleActive();
      break;
    case window_property::kClassName: p.className = text(); break;
    default: break;
  }
}

bool WindowUnit::GetProperty(int32_t index, PropertyValue* value) {
  const WindowProperties& p = Props();
  auto data = [](const std::vector<uint8_t>& bytes) { return PropertyValue::Data(bytes.data(), bytes.size()); };
  switch (index) {
    case window_property::kTitle: *value = PropertyValue::Text(p.title.c_str()); return true;
    case window_property::kBorderStyle: *value = PropertyValue::Integer(p.borderStyle); return true;
    case window_property::kBackColor: *value = PropertyValue::Integer(static_cast<int32_t>(p.backColor)); return true;
    case window_property::kBackPicture: *value = data(p.backPicture); return true;
    case window_property::kBackPictureMode: *value = PropertyValue::Integer(p.backPictureMode); return true;
    case window_property::kBackSound: *value = data(p.backSound); return true;
    case window_property::kSoundPlayMode: *value = PropertyValue::Integer(p.soundPlayMode); return true;
    case window_property::kControlBox: *value = PropertyValue::Integer(p.controlBox); return true;
    case window_property::kMaxButton: *value = PropertyValue::Integer(p.maxButton); return true;
    case window_property::kMinButton: *value = PropertyValue::Integer(p.minButton); return true;
    case window_property::kPosition:
      // The live state, not the stored choice: a centred window that is shown normally reads 0.
      *value = PropertyValue::Integer(isMinimized() ? 2 : isMaximized() ? 3 : 0);
      return true;
    case window_property::kClosable: *value = PropertyValue::Integer(p.closable); return true;
    case window_property::kIcon: *value = data(p.icon); return true;
    case window_property::kEnterMovesFocus: *value = PropertyValue::Integer(p.enterMovesFocus); return true;
    case window_property::kEscCloses: *value = PropertyValue::Integer(p.escCloses); return true;
    case window_property::kF1Help: *value = PropertyValue::Integer(p.f1Help); return true;
    case window_property::kHelpFile: *value = PropertyValue::Text(p.helpFile.c_str()); return true;
    case window_property::kHelpTopic: *value = PropertyValue::Integer(p.helpTopic); return true;
    case window_property::kShowInTaskbar: *value = PropertyValue::Integer(p.showInTaskbar); return true;
    case window_property::kMoveAnywhere: *value = PropertyValue::Integer(p.moveAnywhere); return true;
    case window_property::kShape: *value = PropertyValue::Integer(p.shape); return true;
    case window_property::kAlwaysOnTop: *value = PropertyValue::Integer(p.alwaysOnTop); return true;
    case window_property::kKeepTitleActive: *value = PropertyValue::Integer(p.keepTitleActive); return true;
    case window_property::kClassName: *value = PropertyValue::Text(p.className.c_str()); return true;
    default: return false;
  }
}

void WindowUnit::SetTrayIcon(const QIcon& icon, const QString& tip) {
  if (!tray_) {
    tray_ = std::make_unique<QSystemTrayIcon>();
    connect(tray_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
      switch (reason) {
        case QSystemTrayIcon::Trigger: ReportEvent(9, 1); break;
        case QSystemTrayIcon::DoubleClick: ReportEvent(9, 2); break;
        case QSystemTrayIcon::Context: ReportEvent(9, 3); break;
        default: break;
      }
    });
  }
  // The tip holds at most 62 GBK bytes; a double-byte character is never cut in half.
  std::string gbk = platform::ToGbk(tip);
  if (gbk.size() > kTrayTipBytes) {
    size_t end = 0;
    for (size_t i = 0; i < kTrayTipBytes;) {
      size_t step = static_cast<uint8_t>(gbk[i]) >= 0x81 ? 2 : 1;
      if (i + step > kTrayTipBytes) break;
      i += step;
      end = i;
    }
    gbk.resize(end);
  }
  tray_->setIcon(icon);
  tray_->setToolTip(platform::FromGbk(gbk));
  tray_->show();
}

void WindowUnit::RemoveTrayIcon() { tray_.reset(); }

bool WindowUnit::Idle(int64_t elapsedMs) {
  EventOutcome outcome = ReportEvent(7, static_cast<int32_t>(std::min<int64_t>(elapsedMs, INT32_MAX)));
  return outcome.unitAlive && outcome.hasResult && outcome.result != 0;
}

int WindowUnit::InitialShowState() {
  const int position = Props().position;
  if (position == 2) return 2;
  // Only a window that can be resized starts maximised.
  if (position == 3 && ThickFrame()) return 3;
  return 0;
}

void WindowUnit::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const WindowProperties& p = Props();
  background_.Paint(painter, event->rect(), size(), p.backColor, p.backPictureMode, p.backPicture,
                    p.backPictureSource);
  // These two border styles give the window a sunken client edge.
  if (p.borderStyle == 5 || p.borderStyle == 6) platform::DrawEdge(painter, rect(), platform::Edge::kSunken);
}

void WindowUnit::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ApplyShape();
  LayOutBars();
  if (size() == lastSize_) return;
  lastSize_ = size();
  ReportEvent(4);
}

void WindowUnit::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (pos() == lastPos_) return;
  lastPos_ = pos();
  ReportEvent(3);
}

void WindowUnit::closeEvent(QCloseEvent* event) {
  if (destroying_) return;
  event->ignore();
  // The desktop's close button does nothing on a disabled window.
  if (event->spontaneous() && !enabled) return;
  EventOutcome outcome = ReportEvent(12);
  if (!outcome.unitAlive || outcome.ReturnedFalse()) return;
  outcome = ReportEvent(1);
  if (!outcome.unitAlive || outcome.ReturnedFalse()) return;
  ReturnToOwner();
  closing_ = true;
  event->accept();
}

void WindowUnit::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous() && !reflagging_) ReportEvent(10);
}

void WindowUnit::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous() && !reflagging_ && !closing_ && !destroying_) ReportEvent(11);
}

}  // namespace units
