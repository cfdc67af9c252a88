#pragma once
// Pictures of bytes that never change, decoded and made drawable once for the whole run: the
// pictures of the program's window template (window backgrounds, picture boxes, button
// pictures), which every opening of a window would otherwise decode again.
//
// A picture is known by the address and length of its bytes. Only bytes that stay at their
// address, unchanged, until the cache is released qualify: those inside a range the host
// declares lasting (the program's template data) that also lies in the loaded program image.
#include <cstdint>
#include <functional>
#include <span>

#include <QImage>

#include "imaging/image.h"

namespace imaging {

// Declares `bytes` unchanged at their address until ReleasePictureCache.
void AddLastingBytes(std::span<const uint8_t> bytes);

// Whether `bytes` lie wholly inside lasting bytes.
bool IsLasting(std::span<const uint8_t> bytes);

// Starts decoding lasting `bytes` on a worker thread, for a window being built: its first
// paint then finds the picture decoded, or waits only for the rest. Nothing for other bytes or
// bytes decoded already.
void DecodeAhead(std::span<const uint8_t> bytes);

// The picture of `bytes` prepared against `background` (no painter: set `dc` to draw). For
// lasting bytes, decoded and prepared once and shared after that; other bytes are decoded and
// prepared on every call. False when the bytes are not a picture.
bool PreparedPicture(std::span<const uint8_t> bytes, COLORREF background, PreparedImage* out);

// An image made from the picture by `make`, once per `variant` for lasting bytes (shared after
// that); `make` runs on every call for other bytes.
QImage DerivedPicture(std::span<const uint8_t> bytes, uint64_t variant, const std::function<QImage()>& make);

// The number of pictures kept: decoded ones and images made from them.
size_t CachedPictures();

// Forgets every lasting range and every picture kept for one.
void ReleasePictureCache();

}  // namespace imaging
