#include "units/picbox/picbox_unit.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

#include <algorithm>
#include <utility>

#include "imaging/picture_cache.h"
#include "platform/colors.h"
#include "contract/unit_accessibility.h"
#include "contract/unit_type_ids.h"
#include "contract/edge_style.h"
#include "units/picbox/picbox_properties.h"

namespace units {
namespace {

QAccessibleInterface* MakeAccessible(QObject* object) {
  if (auto* box = qobject_cast<PictureBox*>(object)) return new QAccessibleWidget(box, QAccessible::Graphic);
  return nullptr;
}

}  // namespace

QRect PictureRect(int32_t mode, QSize picture, const QRect& client) {
  const int width = picture.width(), height = picture.height();
  switch (mode) {
    case display_mode::kStretched:
      return client;
    case display_mode::kCentred: {
      if (width <= 0 || height <= 0) return {};
      if (width <= client.width() && height <= client.height())
        return QRect(client.left() + (client.width() - width) / 2, client.top() + (client.height() - height) / 2,
                     width, height);
      const double scale = std::min(double(client.width()) / width, double(client.height()) / height);
      const int scaledWidth = static_cast<int>(width * scale), scaledHeight = static_cast<int>(height * scale);
      return QRect(client.left() + (client.width() - scaledWidth) / 2,
                   client.top() + (client.height() - scaledHeight) / 2, scaledWidth, scaledHeight);
    }
    default:
      return QRect(client.topLeft(), picture);
  }
}

PictureBox::PictureBox(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties, QWidget* parent)
    : UnitWidget(identity, std::move(properties), parent) {
  RegisterAccessibleMaker(MakeAccessible);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  animationEnabled_ = Props().playAnimation != 0;
  Props().borderStyle = std::clamp(Props().borderStyle, 0, kMaxEdgeStyle);
  BorderStyleChanged();
  LoadPicture();
}

PictureBox::~PictureBox() { StopAnimation(); }

PicBoxState& PictureBox::Props() { return PicBoxType::StateOf(*this); }

QColor PictureBox::Background() { return platform::BackgroundColor(Props().backColor); }

void PictureBox::BorderStyleChanged() {
  const int edge = EdgeWidth(Props().borderStyle);
  setContentsMargins(edge, edge, edge, edge);
  update();
}

void PictureBox::BackColorChanged() {
  // A playing animation composes on the background colour: it starts again on the new one.
  if (player_ != nullptr) LoadPicture();
  update();
}

void PictureBox::PlayAnimationChanged() {
  animationEnabled_ = Props().playAnimation != 0;
  const std::vector<uint8_t>& picture = Props().picture;
  if (imaging::RecogniseImage(picture.data(), static_cast<int64_t>(picture.size())) == imaging::kGif) LoadPicture();
}

void PictureBox::StopAnimation() { player_.reset(); }

void PictureBox::LoadPicture() {
  StopAnimation();
  image_.reset();
  imaging::ReleasePrepared(&prepared_);
  preparedValid_ = false;
  const std::vector<uint8_t>& picture = Props().picture;
  const auto length = static_cast<int64_t>(picture.size());
  if (animationEnabled_ && imaging::RecogniseImage(picture.data(), length) == imaging::kGif) {
    if (std::optional<imaging::GifAnimation> animation = imaging::ReadGifFrames(picture)) {
      // Called on the worker: at most one repaint request waits in the queue until the next
      // paint, and none outlives the box because the worker is joined before the box goes. The
      // request carries nothing the worker wrote: a thread sanitizer cannot see the ordering
      // that Qt's event queue gives it.
      player_ = std::make_unique<GifPlayer>(std::move(*animation), Background().rgb(), [this] {
        if (!repaintPosted_.exchange(true)) QMetaObject::invokeMethod(this, "update", Qt::QueuedConnection);
      });
      update();
      return;
    }
  }
  // A picture of the program's template is decoded once for the run, on a worker while the
  // rest of its window is built, and prepared when it is first painted.
  if (!picture.empty() && !imaging::IsLasting(Props().pictureSource))
    image_ = imaging::DecodeImage(picture.data(), length);
  else
    imaging::DecodeAhead(Props().pictureSource);
  update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect client = contentsRect();
  const QColor background = Background();
  if (player_ != nullptr) {
    repaintPosted_ = false;
    painter.fillRect(client, background);
    const QImage frame = player_->CurrentFrame();
    painter.drawImage(PictureRect(Props().displayMode, frame.size(), client), frame);
  } else if (image_ != nullptr || imaging::IsLasting(Props().pictureSource)) {
    const uint32_t against = platform::ToColorRef(background);
    if (!preparedValid_ || preparedAgainst_ != against) {
      imaging::ReleasePrepared(&prepared_);
      preparedValid_ = image_ != nullptr ? imaging::PrepareImage(&painter, *image_, against, &prepared_)
                                         : imaging::PreparedPicture(Props().pictureSource, against, &prepared_);
      preparedAgainst_ = against;
    }
    const QSize size(prepared_.width, prepared_.height);
    const QRect target = PictureRect(Props().displayMode, size, client);
    // A prepared bitmap is opaque and, at its natural size, copied pixel for pixel: the
    // background is filled only where it does not go (an icon blends with what is under it).
    const bool covers = preparedValid_ && target.size() == size && prepared_.kind != imaging::kIco &&
                        prepared_.kind != imaging::kCur;
    for (const QRect& rest : covers ? QRegion(client).subtracted(target) : QRegion(client))
      painter.fillRect(rest, background);
    if (preparedValid_) {
      prepared_.dc = &painter;
      // Units on the box that paint their own background (edit boxes) leave the region to paint
      // in many pieces. Drawn piece by piece, each piece is a plain copy of the picture's pixels;
      // through the whole ragged region at once, the painter blends it span by span on worker
      // threads.
      for (const QRect& piece : event->region()) {
        if (!piece.intersects(target)) continue;
        painter.setClipRect(piece);
        imaging::DrawPrepared(prepared_, target.x(), target.y(), target.width(), target.height(), imaging::SRCCOPY);
      }
      painter.setClipping(false);
      prepared_.dc = nullptr;
    }
  } else {
    painter.fillRect(client, background);
  }
  DrawEdge(painter, rect(), Props().borderStyle);
}

}  // namespace units
