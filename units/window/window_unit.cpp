#include "units/window/window_unit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QPaintEvent>
#include <QWheelEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSessionManager>
#include <QSystemTrayIcon>
#include <QWindow>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "imaging/image.h"
#include "platform/edge_painter.h"
#include "platform/font_record.h"
#include "platform/program_icon.h"
#include "platform/sound.h"
#include "platform/text.h"
#include "base/program/notify_codes.h"
#include "contract/unit_type_ids.h"
#include "contract/window_host.h"
#include "units/window/window_properties.h"
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

}  // namespace

WindowUnit::WindowUnit(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties, QWidget* owner)
    : UnitWidget(identity, std::move(properties), owner, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  // Units get mouse moves without a button held, as the common events need (see eventFilter).
  qApp->installEventFilter(this);
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
    if (!manager.allowsInteraction()) return;
    if (ReportEvent(window_event::kQueryClose).ReturnedFalse()) manager.cancel();
    manager.release();
  });
}

WindowUnit::~WindowUnit() {
  destroying_ = true;
  qApp->removeEventFilter(this);
  StopSound();
  ReportEvent(window_event::kDestroyed);
  RemoveTrayIcon();
  // A modal window that goes without the close protocol still gives the others back.
  ReturnToOwner();
  // The units go before the window reports itself gone, as child windows do.
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) delete child;
}

WindowState& WindowUnit::Props() { return WindowType::StateOf(*this); }

bool WindowUnit::ThickFrame() const {
  const int border = const_cast<WindowUnit*>(this)->Props().borderStyle;
  return border == window_border::kSizable || border == window_border::kSizableTool ||
         border == window_border::kSizableSunken;
}

bool WindowUnit::HasCaption() const {
  WindowState& p = const_cast<WindowUnit*>(this)->Props();
  return p.borderStyle != window_border::kNone && (!p.title.empty() || p.controlBox != 0);
}

QMargins WindowUnit::FrameMargins() const {
  if (const_cast<WindowUnit*>(this)->Props().borderStyle == window_border::kNone) return {};
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
  WindowState& p = Props();
  setObjectName(p.className.empty() ? QStringLiteral("RKWindow") : platform::FromGbk(p.className));
  ShowTitle();
  setFont(platform::DefaultGuiFont());
  ApplyWindowFlags();
  QRect outer = requested;
  if (p.position == window_position::kCentred) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
      QSize area = screen->geometry().size();
      outer.moveTo((area.width() - outer.width()) / 2, (area.height() - outer.height()) / 2);
    }
  }
  SetOuterGeometry(FitToScreen(outer));
  lastPos_ = pos();
  lastSize_ = size();
  if (style & window_style::kDisabled) enabled = false;
  ApplyIcons();
  ApplyShape();
  ApplyKeepTitleActive();
  topmost = p.alwaysOnTop != 0;
  StartSound();
}

QRect WindowUnit::FitToScreen(QRect outer) {
  // The offscreen platform's screen is a fixed stand-in that no user sees: windows drawn there
  // (previews, pictures of forms) keep their size.
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr || QGuiApplication::platformName() == QLatin1String("offscreen")) return outer;
  const QRect area = screen->availableGeometry();
  if (outer.height() <= area.height()) return outer;
  // Taller than the desktop leaves room for: at the top of that room, the client area cut to
  // fit and scrolled, the scroll bar beside it so that it hides none of the client area.
  const QMargins frame = FrameMargins();
  contentHeight_ = outer.height() - frame.top() - frame.bottom();
  scrollBar_ = new QScrollBar(Qt::Vertical, this);
  scrollBar_->setFocusPolicy(Qt::NoFocus);
  connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int value) { ScrollTo(value); });
  outer.moveTop(area.top());
  outer.setHeight(area.height());
  outer.setWidth(outer.width() + scrollBar_->sizeHint().width());
  return outer;
}

void WindowUnit::PlaceScrollBar() {
  if (!scrollBar_) return;
  const int barWidth = scrollBar_->sizeHint().width();
  scrollBar_->setGeometry(width() - barWidth, 0, barWidth, height());
  scrollBar_->setRange(0, std::max(0, contentHeight_ - height()));
  scrollBar_->setPageStep(height());
  scrollBar_->setSingleStep(20);
  scrollBar_->raise();
  scrollBar_->show();
}

void WindowUnit::ScrollTo(int value) {
  const int delta = scrolled_ - value;
  scrolled_ = value;
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (child != scrollBar_) child->move(child->pos() + QPoint(0, delta));
  update();
}

void WindowUnit::wheelEvent(QWheelEvent* event) {
  if (!scrollBar_) return QWidget::wheelEvent(event);
  scrollBar_->setValue(scrollBar_->value() - event->angleDelta().y() / 120 * 3 * scrollBar_->singleStep());
}

void WindowUnit::ApplyWindowFlags() {
  const WindowState& p = Props();
  const int border = std::clamp(p.borderStyle, window_border::kNone, window_border::kFixedSunken);
  // A window with an owner is the owner's dialog to the desktop: kept above it, not listed on
  // its own.
  const bool tool = border == window_border::kSizableTool || border == window_border::kFixedTool;
  Qt::WindowFlags flags = tool ? Qt::Tool : desktopOwner_ ? Qt::Dialog : Qt::Window;
  if (border == window_border::kNone) {
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
  largeIconsDue_ = false;
  const std::vector<uint8_t>& data = Props().icon;
  QIcon icon;
  for (bool large : {true, false}) {
    QImage entry = data.empty() ? QImage() : imaging::LoadIconOfSize(data.data(), static_cast<int64_t>(data.size()), large);
    if (!entry.isNull()) icon.addPixmap(QPixmap::fromImage(entry));
  }
  if (!icon.isNull()) {
    setWindowIcon(icon);
    return;
  }
  const QPixmap* programIcons[2] = {nullptr, nullptr};
  if (Host() != nullptr) Host()(runtime::notify::kDefaultIcon, reinterpret_cast<intptr_t>(programIcons), 0);
  for (const QPixmap* pixmap : programIcons)
    if (pixmap != nullptr && !pixmap->isNull()) icon.addPixmap(*pixmap);
  if (icon.isNull()) {
    icon.addPixmap(platform::ProgramIcon(32));
    icon.addPixmap(platform::ProgramIcon(16));
  }
  setWindowIcon(icon);
  // The sizes docks and window switchers show come once the window is painted: on X11 they are
  // over 350 KB for the display server, which the window's first paint need not wait for.
  largeIconsDue_ = true;
  if (isVisible()) AddLargeProgramIcons();  // already on the screen: nothing to wait for
}

// The program's icon also at the sizes docks and window switchers show, as its menu entry has.
void WindowUnit::AddLargeProgramIcons() {
  if (!largeIconsDue_) return;
  largeIconsDue_ = false;
  static const std::vector<QPixmap> kLarge = [] {
    std::vector<QPixmap> large;
    for (int size : {48, 64, 128, 256}) large.push_back(platform::ProgramIcon(size));
    return large;
  }();
  QIcon icon = windowIcon();
  for (const QPixmap& pixmap : kLarge) icon.addPixmap(pixmap);
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
    case window_position::kStored: showNormal(); break;
    case window_position::kCentred: {
      if (isMinimized() || isMaximized()) showNormal();
      const QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
      if (screen == nullptr) break;
      QRect outer = OuterGeometry();
      QSize area = screen->geometry().size();
      QPoint centre((area.width() - outer.width()) / 2, (area.height() - outer.height()) / 2);
      if (outer.topLeft() != centre) SetOuterGeometry(QRect(centre, outer.size()));
      break;
    }
    case window_position::kMinimised: showMinimized(); break;
    case window_position::kMaximised: showMaximized(); break;
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
    const WindowState& op = other->Props();
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
  const WindowState& p = Props();
  if (p.backSound.empty() || (p.soundPlayMode != sound_play_mode::kRepeat && p.soundPlayMode != sound_play_mode::kOnce))
    return;
  const std::vector<uint8_t>& data = p.backSound;
  const bool repeat = p.soundPlayMode == sound_play_mode::kRepeat;
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

void WindowUnit::ShowTitle() {
  const QString title = platform::FromGbk(Props().title);
  setWindowTitle(title);
  // What a panel shows for the window when it shows a short name: the title, never nothing.
  setWindowIconText(title.isEmpty() ? QCoreApplication::applicationName() : title);
}

void WindowUnit::TitleChanged() {
  ShowTitle();
  ApplyWindowFlags();
}

void WindowUnit::SetBorderStyle(int32_t style) {
  // The outer rectangle stays; the client area follows the new frame.
  const QRect outer = OuterGeometry();
  Props().borderStyle = std::clamp(style, window_border::kNone, window_border::kFixedSunken);
  ApplyWindowFlags();
  SetOuterGeometry(outer);
}

void WindowUnit::BackPictureChanged() {
  background_.DropPicture();
  RepaintBackground();
}

void WindowUnit::SetTrayIcon(std::span<const uint8_t> iconData, const char* tip) {
  QIcon icon;
  for (bool large : {false, true}) {
    QImage entry = iconData.empty() ? QImage()
                                    : imaging::LoadIconOfSize(iconData.data(), static_cast<int64_t>(iconData.size()), large);
    if (!entry.isNull()) icon.addPixmap(QPixmap::fromImage(entry));
  }
  // Data that holds no icon shows the window's own, as the window's caption does.
  if (icon.isNull()) icon = windowIcon();
  if (tray_ == nullptr) {
    tray_ = new QSystemTrayIcon();
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
      switch (reason) {
        case QSystemTrayIcon::Trigger: ReportEvent(window_event::kTrayIcon, tray_click::kLeft); break;
        case QSystemTrayIcon::DoubleClick: ReportEvent(window_event::kTrayIcon, tray_click::kLeftDouble); break;
        case QSystemTrayIcon::Context: ReportEvent(window_event::kTrayIcon, tray_click::kContext); break;
        default: break;
      }
    });
  }
  // The tip holds at most 62 GBK bytes; a double-byte character is never cut in half.
  const std::string_view gbk = tip != nullptr ? std::string_view(tip) : std::string_view();
  size_t end = 0;
  for (size_t i = 0; i < gbk.size();) {
    const size_t step = static_cast<uint8_t>(gbk[i]) >= 0x81 ? 2 : 1;
    if (i + step > kTrayTipBytes || i + step > gbk.size()) break;
    i += step;
    end = i;
  }
  tray_->setIcon(icon);
  tray_->setToolTip(platform::FromGbk(gbk.substr(0, end)));
  tray_->show();
}

// A handler of the icon's own notification may remove it, or close the window: the icon leaves
// the notification area at once, and the object goes once the notification is over.
void WindowUnit::RemoveTrayIcon() {
  if (tray_ == nullptr) return;
  tray_->hide();
  tray_->disconnect(this);
  tray_->deleteLater();
  tray_ = nullptr;
}

bool WindowUnit::Idle(int64_t elapsedMs) {
  EventOutcome outcome = ReportEvent(window_event::kIdle, static_cast<int32_t>(std::min<int64_t>(elapsedMs, INT32_MAX)));
  return outcome.unitAlive && outcome.hasResult && outcome.result != 0;
}

int WindowUnit::InitialShowState() {
  // The host's show states are numbered as the Position choices.
  const int position = Props().position;
  if (position == window_position::kMinimised) return window_position::kMinimised;
  // Only a window that can be resized starts maximised.
  if (position == window_position::kMaximised && ThickFrame()) return window_position::kMaximised;
  return window_position::kStored;
}

void WindowUnit::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const WindowState& p = Props();
  // A scrolled client area is painted whole, moved up by what is scrolled off.
  QSize client = size();
  if (scrollBar_) {
    client = QSize(width() - scrollBar_->width(), contentHeight_);
    painter.translate(0, -scrolled_);
  }
  background_.Paint(painter, event->rect().translated(0, scrolled_), client, p.backColor, p.backPictureMode,
                    p.backPicture, p.backPictureSource);
  if (p.borderStyle == window_border::kSizableSunken || p.borderStyle == window_border::kFixedSunken)
    platform::DrawEdge(painter, QRect(QPoint(), client), platform::Edge::kSunken);  // the sunken client edge
  if (largeIconsDue_) QMetaObject::invokeMethod(this, [this] { AddLargeProgramIcons(); }, Qt::QueuedConnection);
}

void WindowUnit::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceScrollBar();
  ApplyShape();
  LayOutBars();
  if (size() == lastSize_) return;
  lastSize_ = size();
  ReportEvent(window_event::kResized);
}

void WindowUnit::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (pos() == lastPos_) return;
  lastPos_ = pos();
  ReportEvent(window_event::kMoved);
}

void WindowUnit::closeEvent(QCloseEvent* event) {
  if (destroying_) return;
  event->ignore();
  // The desktop's close button does nothing on a disabled window.
  if (event->spontaneous() && !enabled) return;
  EventOutcome outcome = ReportEvent(window_event::kCloseRequest);
  if (!outcome.unitAlive || outcome.ReturnedFalse()) return;
  outcome = ReportEvent(window_event::kQueryClose);
  if (!outcome.unitAlive || outcome.ReturnedFalse()) return;
  ReturnToOwner();
  closing_ = true;
  event->accept();
}

void WindowUnit::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous() && !reflagging_) ReportEvent(window_event::kShown);
}

void WindowUnit::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous() && !reflagging_ && !closing_ && !destroying_) ReportEvent(window_event::kHidden);
}

}  // namespace units
