#include "tests/host/test_units.h"

#include <QCloseEvent>

#include <array>

#include "host/host.h"
#include "contract/unit_interfaces.h"
#include "contract/unit_type_ids.h"

namespace host_test {
namespace {

namespace pt = units::property_type;

runtime::HostNotify gHost = nullptr;

intptr_t Notify(int32_t code, intptr_t arg1, intptr_t) {
  if (code == runtime::library_notify::kSetHostNotify) gHost = reinterpret_cast<runtime::HostNotify>(arg1);
  return 0;
}

constexpr runtime::PropertyEntry Entry(int16_t type) { return {nullptr, nullptr, nullptr, type, 0, nullptr}; }

constexpr std::array<runtime::PropertyEntry, 9> kWindowProperties = {
    Entry(pt::kInteger), Entry(pt::kInteger), Entry(pt::kInteger), Entry(pt::kInteger), Entry(pt::kText),
    Entry(pt::kLogical), Entry(pt::kLogical), Entry(pt::kMousePointer), Entry(pt::kText)};

constexpr std::array<runtime::PropertyEntry, 8 + kControlPropertyCount> kControlProperties = {
    Entry(pt::kInteger), Entry(pt::kInteger), Entry(pt::kInteger),   Entry(pt::kInteger), Entry(pt::kText),
    Entry(pt::kLogical), Entry(pt::kLogical), Entry(pt::kMousePointer), Entry(pt::kText), Entry(pt::kLogical),
    Entry(pt::kChoice),  Entry(pt::kFont),    Entry(pt::kPicture),   Entry(pt::kInteger)};

units::Unit* CreateWindowUnit(const uint8_t*, int32_t, uint32_t, QWidget* owner, uint32_t, void*, int32_t x, int32_t y,
                              int32_t width, int32_t height, uint32_t windowId, uint32_t unitId, intptr_t, intptr_t) {
  auto* window = new TestWindow({windowId, unitId, gHost}, owner);
  window->setGeometry(x, y, width, height);
  return window;
}

units::Unit* CreateControl(const uint8_t* data, int32_t length, uint32_t style, QWidget* parent, uint32_t controlId,
                           void*, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t windowId,
                           uint32_t unitId, intptr_t, intptr_t) {
  auto* control = new TestControl({windowId, unitId, gHost}, parent);
  if (!units::ReadPropertyData(control->Props(), data, length)) {
    delete control;
    return nullptr;
  }
  control->controlId = controlId;
  control->setGeometry(x, y, width, height);
  control->setEnabled(!(style & units::window_style::kDisabled));
  if (style & units::window_style::kTabStop) control->setFocusPolicy(Qt::StrongFocus);
  return control;
}

int32_t ControlChanged(units::Unit* unit, int32_t index, const units::PropertyValue* value, intptr_t) {
  auto& props = static_cast<TestControl*>(unit)->Props();
  switch (index) {
    case kText: props.text = value->AsText(); return 0;
    case kFlag: props.flag = value->AsInteger(); return 0;
    case kChoice: props.choice = value->AsInteger(); return 0;
    case kFont: props.font.assign(value->AsData().begin(), value->AsData().end()); return 0;
    case kBytes: props.bytes.assign(value->AsData().begin(), value->AsData().end()); return 0;
    case kRecreating: props.recreating = value->AsInteger(); return 1;
    default: return 0;
  }
}

int32_t ControlGet(units::Unit* unit, int32_t index, units::PropertyValue* value) {
  auto& props = static_cast<TestControl*>(unit)->Props();
  switch (index) {
    case kText: *value = units::PropertyValue::Text(props.text.c_str()); return 1;
    case kFlag: *value = units::PropertyValue::Integer(props.flag); return 1;
    case kChoice: *value = units::PropertyValue::Integer(props.choice); return 1;
    case kFont: *value = units::PropertyValue::Data(props.font.data(), props.font.size()); return 1;
    case kBytes: *value = units::PropertyValue::Data(props.bytes.data(), props.bytes.size()); return 1;
    case kRecreating: *value = units::PropertyValue::Integer(props.recreating); return 1;
    default: return 0;
  }
}

void* WindowInterface(int32_t number) {
  static constexpr units::InterfaceTable kInterfaces{.createUnit = CreateWindowUnit};
  return units::AnswerInterface(kInterfaces, number);
}

void* ControlInterface(int32_t number) {
  static constexpr units::InterfaceTable kInterfaces{.createUnit = CreateControl,
                                                     .propertyChanged = ControlChanged,
                                                     .getAllPropertyData = units::GetAllPropertyData,
                                                     .getProperty = ControlGet};
  return units::AnswerInterface(kInterfaces, number);
}

constexpr runtime::UnitTypeRecord Record(const char* name, uint32_t flags, const runtime::PropertyEntry* properties,
                                         uint32_t count, runtime::GetInterface getInterface) {
  runtime::UnitTypeRecord record{};
  record.chineseName = name;
  record.englishName = name;
  record.flags = flags;
  record.propertyCount = count;
  record.properties = properties;
  record.getInterface = getInterface;
  return record;
}

const std::array<runtime::UnitTypeRecord, 4> kTypes = {
    Record("window", 0x800000D0, kWindowProperties.data(), kWindowProperties.size(), WindowInterface),
    Record("control", 0x80000040, kControlProperties.data(), kControlProperties.size(), ControlInterface),
    runtime::UnitTypeRecord{},
    Record("paged", 0x800001C0, kControlProperties.data(), kControlProperties.size(), ControlInterface),
};

const runtime::LibraryRecord kLibrary = [] {
  runtime::LibraryRecord record{};
  record.formatMark = runtime::kLibraryFormatMark;
  record.unitTypeCount = kTypes.size();
  record.unitTypes = kTypes.data();
  record.notify = Notify;
  return record;
}();

}  // namespace

void ControlProperties::Reset() {
  text.clear();
  flag = choice = recreating = 0;
  font.clear();
  bytes.clear();
}

void ControlProperties::Serialise(units::PropertyArchive& archive) {
  archive.Version(1);
  archive.Text(text);
  archive.Int32(flag);
  archive.Int32(choice);
  archive.Bytes(font);
  archive.Bytes(bytes);
  archive.Int32(recreating);
}

TestControl::TestControl(const units::UnitIdentity& identity, QWidget* parent)
    : UnitWidget(identity, std::make_unique<ControlProperties>(), parent) {}

TestWindow::TestWindow(const units::UnitIdentity& identity, QWidget* owner)
    : UnitWidget(identity, std::make_unique<ControlProperties>(), owner, owner ? Qt::Window : Qt::WindowFlags()) {
  builtModal = runtime::BuildingModal();
  setAttribute(Qt::WA_DeleteOnClose);
}

bool TestWindow::Idle(int64_t) {
  ++idleCalls;
  return wantsMoreIdle;
}

void TestWindow::closeEvent(QCloseEvent* event) {
  ReenableDisabledWindows();
  event->accept();
}

const runtime::LibraryRecord& TestLibrary() { return kLibrary; }

}  // namespace host_test
