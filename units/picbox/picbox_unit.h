#pragma once
// The picture box: one picture on a background colour, at natural size, stretched, or centred
// and shrunk to fit; an animated GIF plays on a worker thread of its own. Units listed as its
// children are placed inside it and paint over it.
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <memory>

#include "imaging/image.h"
#include "contract/unit.h"
#include "units/picbox/gif_player.h"

namespace units {

// Where the picture goes in the box.
namespace display_mode {
constexpr int32_t kNatural = 0;    // natural size at the top-left corner
constexpr int32_t kStretched = 1;  // stretched over the client area
constexpr int32_t kCentred = 2;    // centred, shrunk to fit when it does not
inline constexpr const char* kNames[] = {"Natural", "Stretched", "Centred"};
}  // namespace display_mode

struct PicBoxState;  // the own properties, in picbox_properties.h

// Where a picture of `picture` size goes in `client` in display mode `mode`; sizes shrunk to fit
// are truncated, with one scale for both sides.
QRect PictureRect(int32_t mode, QSize picture, const QRect& client);

class PictureBox : public UnitWidget<QWidget> {
  Q_OBJECT

 public:
  // `properties` are the type's own (picbox_properties.h).
  PictureBox(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties, QWidget* parent);
  // The worker must be gone before the base reports the unit destroyed.
  ~PictureBox() override;

  PicBoxState& Props();

  // Show the property of that name as just written to the state.
  void BorderStyleChanged();
  void BackColorChanged();
  void PictureChanged() { LoadPicture(); }
  void DisplayModeChanged() { repaint(); }
  void PlayAnimationChanged();

  // Whether an animation is playing on its worker thread.
  bool Animating() const { return player_ != nullptr && player_->Playing(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void LoadPicture();
  void StopAnimation();
  // The background colour, the button face resolved when it is painted.
  QColor Background();

  std::unique_ptr<imaging::Image> image_;
  // The picture made ready against the background it was last painted on. Every paint of a part
  // of the box (a label above it changing its text, say) draws from it instead of preparing the
  // whole picture again.
  imaging::PreparedImage prepared_;
  bool preparedValid_ = false;
  uint32_t preparedAgainst_ = 0;
  std::unique_ptr<GifPlayer> player_;
  bool animationEnabled_ = true;
  std::atomic<bool> repaintPosted_ = false;
};

}  // namespace units
