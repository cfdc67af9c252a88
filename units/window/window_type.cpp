// The window unit type: creation, the icon in its data, and the operations its property table
// answers.
#include <cstring>

#include "base/program/memory.h"
#include "contract/window_host.h"
#include "units/window/window_accessible.h"
#include "units/window/window_properties.h"

namespace units {
namespace {

Unit* Make(const UnitIdentity& identity, std::unique_ptr<WindowProperties> properties, QWidget* parent,
           const UnitPlace& place) {
  InstallWindowAccessibility();
  // A window without taskbar button, or one loaded modally, belongs to the hidden owner.
  QWidget* owner = parent;
  WindowHost& host = TheWindowHost();
  if (owner == nullptr && (properties->showInTaskbar == 0 || host.BuildingModal())) owner = host.HiddenOwner();
  const bool modal = host.BuildingModal();
  auto* window = new WindowUnit(identity, std::move(properties), owner);
  // Modal from the start: assistive technology learns a window's role when it first meets it.
  window->modal = modal;
  window->Build(place.style, place.rect);
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

const bool kRegistered = WindowType::Register(type_id::kWindow, Make, {.getIconData = GetIconData});

}  // namespace
}  // namespace units
