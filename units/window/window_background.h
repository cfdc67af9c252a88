#pragma once
// The form's background: a colour, and a picture drawn over it in one of four modes.
#include <QRect>
#include <QSize>

#include <cstdint>
#include <memory>
#include <span>

#include "imaging/image.h"

class QPainter;

namespace units {

// Where the picture goes in mode 0 (top-left, natural size), 2 (centred, scaled down
// proportionally when it does not fit) and 3 (stretched over the client area). Mode 1 tiles.
QRect PictureRect(int mode, QSize client, QSize picture);

class WindowBackground {
 public:
  // The picture bytes changed: the decoded picture is stale.
  void DropPicture() {
    decoded_.reset();
    decodeTried_ = false;
  }

  // Paints `clip` of a client area of size `client`: the picture per `mode`, and the colour
  // (0xFF000000: the button face) wherever the picture does not cover. A picture whose `source`
  // (where its bytes were read from) lasts the whole run is decoded once for every window.
  void Paint(QPainter& painter, const QRect& clip, QSize client, uint32_t color, int mode,
             std::span<const uint8_t> picture, std::span<const uint8_t> source = {});

 private:
  // Decoded once per picture; an undecodable one leaves the colour alone.
  const imaging::Image* Decoded(std::span<const uint8_t> picture);

  std::unique_ptr<imaging::Image> decoded_;
  bool decodeTried_ = false;
};

}  // namespace units
