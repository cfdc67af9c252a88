// The window unit type: creation, the icon in its data, and the operations its property table
// answers.
#include <QRect>

#include <cstring>

#include "base/program/memory.h"
#include "contract/unit_interfaces.h"
#include "contract/unit_type_ids.h"
#include "contract/unit_type_registry.h"
#include "contract/window_host.h"
#include "libraries/core_library.h"
#include "units/window/window_properties.h"

namespace units {
namespace {

Unit* CreateUnit(const uint8_t* data, int32_t length, uint32_t style, QWidget* parent, uint32_t /*controlId*/,
                 void* /*menu*/, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t windowId,
                 uint32_t unitId, intptr_t, intptr_t) {
  auto properties = std::make_unique<WindowProperties>();
  if (!ReadPropertyData(*properties, data, length)) return nullptr;
  // A window without taskbar button, or one loaded modally, belongs to the hidden owner.
  QWidget* owner = parent;
  WindowHost& host = TheWindowHost();
  if (owner == nullptr && (properties->showInTaskbar == 0 || host.BuildingModal())) owner = host.HiddenOwner();
  auto* window = new WindowUnit({windowId, unitId, CoreHostNotify()}, std::move(properties), owner);
  window->Build(style, QRect(x, y, width, height));
  return window;
}

void* CopyToBlock(const void* bytes, size_t size, int32_t* length) {
  *length = 0;
  if (size == 0 || size > INT32_MAX) return nullptr;
  void* block = runtime::TryAllocate(size);
  if (block == nullptr) return nullptr;
  std::memcpy(block, bytes, size);
  *length = static_cast<int32_t>(size);
  return block;
}

void* GetIconData(const uint8_t* data, int32_t length, int32_t* iconLength) {
  int32_t ignored = 0;
  if (iconLength == nullptr) iconLength = &ignored;
  WindowProperties scratch;
  if (!ReadPropertyData(scratch, data, length)) {
    *iconLength = 0;
    return nullptr;
  }
  return CopyToBlock(scratch.icon.data(), scratch.icon.size(), iconLength);
}

void* GetInterface(int32_t number) {
  static constexpr InterfaceTable kInterfaces =
      WindowType::Interfaces({.createUnit = CreateUnit, .getIconData = GetIconData});
  return AnswerInterface(kInterfaces, number);
}

const bool kRegistered = RegisterUnitType(type_id::kWindow, &GetInterface, WindowType::View());

}  // namespace
}  // namespace units
