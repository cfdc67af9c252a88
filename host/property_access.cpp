// Reading and writing unit properties for the program: the common properties 0 to 7 from the
// unit record (and the live widget), the type's own properties through its interfaces.
#include <QApplication>
#include <QCursor>

#include <algorithm>
#include <cstring>

#include "platform/gbk.h"
#include "host/accessible_names_apply.h"
#include "host/host.h"
#include "host/host_state.h"
#include "host/property_value.h"
#include "host/window_access.h"
#include "host/window_manager.h"
#include "base/program/memory.h"
#include "base/program/runtime_error.h"
#include "base/values/data_block.h"
#include "contract/unit.h"
#include "contract/unit_interfaces.h"
#include "contract/type_flags.h"
#include "contract/unit_type_records.h"

namespace runtime {
namespace {

constexpr int32_t kFirstOwnProperty = 8;
constexpr int32_t kPositionLimit = 32627;

enum CommonProperty { kLeft, kTop, kWidth, kHeight, kTag, kVisible, kDisabled, kMousePointer };

[[noreturn]] void Fail(const char* utf8) { ReportRuntimeError(platform::Utf8ToGbk(utf8), 0); }

TemplateWindow& LoadedWindowOrFail(uint32_t windowId) {
  TemplateWindow* window = FindLoadedWindow(windowId);
  if (window == nullptr) Fail("未载入欲访问窗口组件所在的窗口");
  return *window;
}

// The unit id must name an entry of the loaded window: a program that names another is told so
// rather than served a neighbour's values.
uint32_t IndexOrFail(const TemplateWindow& window, uint32_t unitId) {
  int64_t index = IndexOfUnit(window, unitId);
  if (index < 0) Fail("指定窗口或窗口组件不存在或尚未载入");
  return static_cast<uint32_t>(index);
}

struct OwnProperty {
  units::Unit* unit;
  const UnitTypeRecord* type;
  int32_t ownIndex;
  int16_t propertyType;
};

// A property number beyond the type's table names nothing: that is the program's error, reported
// before any unit is asked.
OwnProperty OwnPropertyOrFail(const TemplateWindow& window, uint32_t index, int32_t property) {
  units::Unit* unit = UnitAt(window, index);
  if (unit == nullptr) Fail("指定窗口尚未载入");
  const UnitTypeRecord* type = FindType(RecordAt(window, index).Type());
  if (type == nullptr || property < 0 || static_cast<uint32_t>(property) >= type->propertyCount ||
      type->properties == nullptr)
    Fail("欲访问的窗口组件属性不存在");
  return {unit, type, property - kFirstOwnProperty, type->properties[property].type};
}

QWidget* WidgetAt(const TemplateWindow& window, uint32_t index) {
  units::Unit* unit = UnitAt(window, index);
  return unit != nullptr ? unit->widget() : nullptr;
}

QRect LiveRect(const TemplateWindow& window, uint32_t index) {
  if (index == 0) return LiveWindowOf(window)->OuterGeometry();
  return WidgetAt(window, index)->geometry();
}

void StoreWord(TemplateWindow& window, uint32_t index, size_t position, int32_t value) {
  uint8_t bytes[4];
  std::memcpy(bytes, &value, 4);
  window.units.ReplaceBytes(index, static_cast<int64_t>(position), 4, bytes);
}

void StoreStateFlag(TemplateWindow& window, uint32_t index, uint32_t flag, bool on) {
  UnitRecordView record = RecordAt(window, index);
  uint32_t flags = record.StateFlags();
  flags = on ? flags | flag : flags & ~flag;
  StoreWord(window, index, record.Layout().afterTag + 4, static_cast<int32_t>(flags));
}

DataBytes GetCommon(const TemplateWindow& window, uint32_t index, int32_t property) {
  UnitRecordView record = RecordAt(window, index);
  QWidget* widget = WidgetAt(window, index);
  DataBytes out{};
  switch (property) {
    case kLeft: out.i32 = widget ? LiveRect(window, index).x() : record.Rect().left; break;
    case kTop: out.i32 = widget ? LiveRect(window, index).y() : record.Rect().top; break;
    case kWidth: out.i32 = widget ? LiveRect(window, index).width() : record.Rect().width; break;
    case kHeight: out.i32 = widget ? LiveRect(window, index).height() : record.Rect().height; break;
    case kTag: out.text = NewText(record.Tag()); break;
    case kVisible: out.i32 = widget ? widget->isVisible() : (record.StateFlags() & state_flag::kVisible) != 0; break;
    case kDisabled:
      out.i32 = widget ? !UnitEnabled(window, index) : (record.StateFlags() & state_flag::kDisabled) != 0;
      break;
    case kMousePointer: {
      auto data = PointerDataForProgram(record.PointerData());
      out.ptr = NewByteData(data.data(), static_cast<int32_t>(data.size()));
      break;
    }
  }
  return out;
}

void MoveOrResize(TemplateWindow& window, uint32_t index, int32_t property, int32_t value) {
  QWidget* widget = WidgetAt(window, index);
  if (widget == nullptr) return;
  QRect rect = LiveRect(window, index);
  switch (property) {
    case kLeft: rect.moveLeft(value); break;
    case kTop: rect.moveTop(value); break;
    case kWidth: rect.setWidth(value); break;
    case kHeight: rect.setHeight(value); break;
  }
  if (index == 0) LiveWindowOf(window)->SetOuterGeometry(rect);
  else widget->setGeometry(rect);
}

void SetVisible(TemplateWindow& window, uint32_t index, bool visible) {
  StoreStateFlag(window, index, state_flag::kVisible, visible);
  QWidget* widget = WidgetAt(window, index);
  if (widget == nullptr) return;
  if (!visible) {
    widget->hide();
  } else if (index == 0) {
    ShowAfterLoad(window.id, true);
  } else {
    const UnitTypeRecord* type = FindType(RecordAt(window, index).Type());
    if (type == nullptr || !(type->flags & units::type_flag::kNonVisual)) widget->show();
  }
}

void SetCommon(TemplateWindow& window, uint32_t index, int32_t property, DataBytes value) {
  UnitRecordView record = RecordAt(window, index);
  if (!record.Valid()) return;
  const UnitLayout& layout = record.Layout();
  switch (property) {
    case kLeft:
    case kTop: {
      int32_t v = std::clamp(value.i32, -kPositionLimit, kPositionLimit);
      StoreWord(window, index, layout.liveSlot + 4 + 4 * static_cast<size_t>(property), v);
      MoveOrResize(window, index, property, v);
      break;
    }
    case kWidth:
    case kHeight: {
      int32_t v = std::clamp(value.i32, 0, kPositionLimit);
      StoreWord(window, index, layout.liveSlot + 4 + 4 * static_cast<size_t>(property), v);
      MoveOrResize(window, index, property, v);
      break;
    }
    case kTag: {
      std::string_view old = record.Tag();
      std::string text = value.text != nullptr ? value.text : "";
      text.push_back('\0');
      window.units.ReplaceBytes(index, static_cast<int64_t>(layout.tag), static_cast<int64_t>(old.size() + 1),
                                {reinterpret_cast<const uint8_t*>(text.data()), text.size()});
      break;
    }
    case kVisible: SetVisible(window, index, value.i32 != 0); break;
    case kDisabled: {
      StoreStateFlag(window, index, state_flag::kDisabled, value.i32 != 0);
      if (WidgetAt(window, index) != nullptr) SetUnitEnabled(window, index, value.i32 == 0);
      break;
    }
    case kMousePointer: {
      BlockElements elements = ElementsOf(value.ptr);
      std::vector<uint8_t> data = PointerDataForUnit({elements.first, elements.count});
      std::vector<uint8_t> block(4 + data.size());
      auto length = static_cast<int32_t>(data.size());
      std::memcpy(block.data(), &length, 4);
      std::copy(data.begin(), data.end(), block.begin() + 4);
      window.units.ReplaceBytes(index, static_cast<int64_t>(layout.pointerBlock),
                                static_cast<int64_t>(4 + layout.pointerLength), block);
      ApplyCursor(window, index);
      break;
    }
  }
}

// Menu items carry caption, check mark, disabled and visible. The forms build no menu bar, so a
// change lives in the record only.
DataBytes GetMenuItem(const TemplateWindow& window, uint32_t index, int32_t property) {
  MenuItemView item(window.units.EntryAt(index)->record);
  DataBytes out{};
  if (!item.Valid()) return out;
  switch (property) {
    case 0: out.text = NewText(item.Caption()); break;
    case 1: out.i32 = (item.StateBits() & 0x4) != 0; break;
    case 2: out.i32 = (item.StateBits() & 0x2) != 0; break;
    case 3: out.i32 = (item.StateBits() & 0x1) == 0; break;
  }
  return out;
}

void SetMenuItem(TemplateWindow& window, uint32_t index, int32_t property, DataBytes value) {
  MenuItemView item(window.units.EntryAt(index)->record);
  if (!item.Valid()) return;
  const MenuItemLayout& layout = item.Layout();
  if (property == 0) {
    std::string text = value.text != nullptr ? value.text : "";
    if (text == item.Caption()) return;
    text.push_back('\0');
    window.units.ReplaceBytes(index, static_cast<int64_t>(layout.caption),
                              static_cast<int64_t>(item.Caption().size() + 1),
                              {reinterpret_cast<const uint8_t*>(text.data()), text.size()});
    return;
  }
  uint32_t bit = property == 1 ? 0x4 : property == 2 ? 0x2 : property == 3 ? 0x1 : 0;
  if (bit == 0) return;
  bool on = property == 3 ? value.i32 == 0 : value.i32 != 0;
  uint32_t state = on ? item.StateBits() | bit : item.StateBits() & ~bit;
  if (state != item.StateBits()) StoreWord(window, index, layout.values + 8, static_cast<int32_t>(state));
}

// Builds the unit anew from its current property data, in place of the old one: same place,
// parent, control id, enabled state, children, stacking and focus.
void RecreateUnit(TemplateWindow& window, uint32_t index, const UnitTypeRecord& type) {
  if (type.flags & units::type_flag::kNoRecreate) return;
  auto getAll = units::AskInterface<units::interface_number::kGetAllPropertyData>(type);
  auto create = units::AskInterface<units::interface_number::kCreateUnit>(type);
  units::Unit* old = UnitAt(window, index);
  if (getAll == nullptr || create == nullptr || old == nullptr) return;
  int32_t length = 0;
  void* data = getAll(old, &length);
  if (data == nullptr) return;

  ++EventSuppressionCount();
  QWidget* oldWidget = old->widget();
  QWidget* parent = oldWidget->parentWidget();
  QRect geometry = oldWidget->geometry();
  bool visible = oldWidget->isVisible();
  QWidget* focus = QApplication::focusWidget();
  bool hadFocus = focus != nullptr && (focus == oldWidget || oldWidget->isAncestorOf(focus));
  uint32_t style = UnitEnabled(window, index) ? 0 : units::window_style::kDisabled;
  if (RecordAt(window, index).StateFlags() & state_flag::kTabStop) style |= units::window_style::kTabStop;
  const LoadedWindow& loaded = TheHost().loaded[window.id];
  uint32_t controlId = index < loaded.controlIds.size() ? loaded.controlIds[index] : 0;
  units::Unit* fresh = create(static_cast<const uint8_t*>(data), length, style, parent, controlId, nullptr,
                              geometry.x(), geometry.y(), geometry.width(), geometry.height(), window.id,
                              window.units.IdAt(index), 0, 0);
  Free(data);
  if (fresh == nullptr) {
    --EventSuppressionCount();
    return;
  }
  ApplyAccessibleNames(window.id, *fresh);
  QWidget* freshWidget = fresh->widget();
  if (freshWidget->parentWidget() != parent) {
    freshWidget->setParent(parent);
    freshWidget->setGeometry(geometry);
  }
  if (type.flags & units::type_flag::kContainer) {
    for (uint32_t i = 1; i < window.units.Count(); ++i) {
      QWidget* child = WidgetAt(window, i);
      if (child == nullptr || child->parentWidget() != oldWidget) continue;
      QRect childGeometry = child->geometry();
      bool childVisible = child->isVisible();
      child->setParent(freshWidget);
      child->setGeometry(childGeometry);
      child->setVisible(childVisible);
    }
  }
  freshWidget->stackUnder(oldWidget);
  delete old;  // reports its end, which empties the entry's slots
  window.units.SetLiveObject(index, fresh);
  ApplyCursor(window, index);
  fresh->BindDataSource(nullptr);
  fresh->Refresh();
  if (visible) freshWidget->show();
  if (hadFocus) freshWidget->setFocus();
  --EventSuppressionCount();
}

}  // namespace

DataBytes GetUnitProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t index) {
  TemplateWindow& window = LoadedWindowOrFail(windowId);
  uint32_t entry = IndexOrFail(window, unitId);
  if (window.units.IsMenuItem(entry)) return GetMenuItem(window, entry, property);
  if (property >= 0 && property < kFirstOwnProperty) return GetCommon(window, entry, property);
  OwnProperty own = OwnPropertyOrFail(window, entry, property);
  units::PropertyValue value;
  auto get = units::AskInterface<units::interface_number::kGetProperty>(*own.type);
  if (get == nullptr || get(own.unit, own.ownIndex, &value) == 0) return DataBytes{};
  return ValueForProgram(own.propertyType, value, index);
}

void SetUnitProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t index, DataBytes value) {
  TemplateWindow& window = LoadedWindowOrFail(windowId);
  uint32_t entry = IndexOrFail(window, unitId);
  if (window.units.IsMenuItem(entry)) return SetMenuItem(window, entry, property, value);
  if (property >= 0 && property < kFirstOwnProperty) return SetCommon(window, entry, property, value);
  OwnProperty own = OwnPropertyOrFail(window, entry, property);
  units::PropertyValue current;
  if (own.propertyType == units::property_type::kFont) {
    if (auto get = units::AskInterface<units::interface_number::kGetProperty>(*own.type))
      get(own.unit, own.ownIndex, &current);
  }
  UnitValue converted = ValueForUnit(own.propertyType, value, index, current);
  auto changed = units::AskInterface<units::interface_number::kPropertyChanged>(*own.type);
  if (changed == nullptr) return;
  if (changed(own.unit, own.ownIndex, &converted.value, 0) == 1 && entry != 0 && UnitAt(window, entry) == own.unit)
    RecreateUnit(window, entry, *own.type);
}

}  // namespace runtime

namespace runtime {

intptr_t GetObjectProperty(uint32_t /*typeCode*/, void* unit, int32_t property, uint32_t /*wantedType*/) {
  auto* object = static_cast<units::Unit*>(unit);
  if (object == nullptr) Fail("指定窗口或窗口组件不存在或尚未载入");
  return static_cast<intptr_t>(GetUnitProperty(object->WindowId(), object->UnitId(), property, -1).i64);
}

void SetObjectProperty(uint32_t /*typeCode*/, void* unit, int32_t property, uint32_t /*valueType*/, const void* value) {
  auto* object = static_cast<units::Unit*>(unit);
  if (object == nullptr) Fail("指定窗口或窗口组件不存在或尚未载入");
  DataBytes data{};
  if (value != nullptr) std::memcpy(&data, value, sizeof data);
  SetUnitProperty(object->WindowId(), object->UnitId(), property, -1, data);
}

}  // namespace runtime
