#pragma once
// Making picture boxes through the unit type's own interfaces, as the host does.
#include <QBuffer>
#include <QImage>
#include <QWidget>

#include <cstdint>
#include <vector>

#include "tests/support/test_program.h"
#include "contract/unit_interfaces.h"
#include "contract/unit_type_ids.h"
#include "contract/unit_type_registry.h"
#include "units/picbox/picbox_unit.h"

namespace picbox_test {

template <int32_t N>
typename units::InterfaceOf<N>::Fn PicBoxInterface() {
  return reinterpret_cast<typename units::InterfaceOf<N>::Fn>(
      units::RegisteredGetInterface(units::type_id::kPicBox)(N));
}

inline units::PictureBox* MakeBox(QWidget* parent, const std::vector<uint8_t>& data, QRect place = {0, 0, 40, 30}) {
  units::Unit* unit = PicBoxInterface<units::interface_number::kCreateUnit>()(
      data.empty() ? nullptr : data.data(), static_cast<int32_t>(data.size()), 0, parent, 0, nullptr, place.x(),
      place.y(), place.width(), place.height(), 0x52000001, 0x16000001, 0, 0);
  return dynamic_cast<units::PictureBox*>(unit);
}

// Property data of the current version.
inline std::vector<uint8_t> BoxData(const std::vector<uint8_t>& picture, uint32_t back = 0xFF000000, int32_t mode = 0,
                                    int32_t border = 0, int32_t play = 1) {
  std::vector<uint8_t> data;
  test_support::PutU32(data, 2);
  test_support::PutU32(data, static_cast<uint32_t>(border));
  test_support::PutU32(data, back);
  test_support::PutU32(data, static_cast<uint32_t>(mode));
  test_support::PutU32(data, static_cast<uint32_t>(play));
  test_support::PutBytes(data, picture);
  test_support::PutText(data, "");
  test_support::PutText(data, "");
  return data;
}

inline std::vector<uint8_t> Png(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return {bytes.begin(), bytes.end()};
}

inline QImage Shot(QWidget* widget) { return widget->grab().toImage().convertToFormat(QImage::Format_RGB32); }

inline void SetProperty(units::Unit* unit, int32_t index, units::PropertyValue value) {
  PicBoxInterface<units::interface_number::kPropertyChanged>()(unit, index, &value, 0);
}

}  // namespace picbox_test
