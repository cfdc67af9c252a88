#include "tests/units/window/test_controls.h"

#include <QMouseEvent>

#include <array>

#include "platform/text.h"
#include "contract/library_host.h"
#include "contract/unit_interfaces.h"
#include "contract/unit_type_records.h"
#include "units/window/window_properties.h"

namespace window_test {
namespace {

// The window type's place: its reports go through this library's host notify function.
constexpr uint32_t kLibraryNumber = units::LibraryNumberOf(units::type_id::kWindow);

constexpr runtime::PropertyEntry Entry(int16_t type) { return {nullptr, nullptr, nullptr, type, 0, nullptr}; }
constexpr std::array<runtime::PropertyEntry, 9> kProperties = {
    Entry(1001), Entry(1001), Entry(1001), Entry(1001), Entry(1005),
    Entry(1003), Entry(1003), Entry(1011), Entry(1005)};

units::Unit* Create(const uint8_t* data, int32_t length, uint32_t style, QWidget* parent, uint32_t, void*, int32_t x,
                    int32_t y, int32_t width, int32_t height, uint32_t windowId, uint32_t unitId, intptr_t, intptr_t) {
  ControlProperties read;
  if (!units::ReadPropertyData(read, data, length)) return nullptr;
  auto* control = new TestControl({windowId, unitId, units::LibraryHostNotify(kLibraryNumber)}, parent, read.text);
  control->setGeometry(x, y, width, height);
  if (style & units::window_style::kDisabled) control->setEnabled(false);
  return control;
}

int32_t Changed(units::Unit*, int32_t, const units::PropertyValue*, intptr_t) { return 0; }
int32_t Get(units::Unit*, int32_t, units::PropertyValue*) { return 0; }
int32_t WantsEsc(units::Unit*, uint32_t key) { return key == 27 ? 1 : 0; }
int32_t IsDefault(units::Unit* unit) {
  return static_cast<TestControl*>(unit->widget())->text().startsWith(QStringLiteral("default")) ? 1 : 0;
}

template <bool WithWantsKey>
void* GetInterface(int32_t number) {
  static constexpr units::InterfaceTable kInterfaces{.createUnit = Create,
                                                     .propertyChanged = Changed,
                                                     .getAllPropertyData = units::GetAllPropertyData,
                                                     .getProperty = Get,
                                                     .wantsKey = WithWantsKey ? WantsEsc : nullptr,
                                                     .isDefaultButton = IsDefault};
  return units::AnswerInterface(kInterfaces, number);
}

constexpr runtime::UnitTypeRecord Type(uint32_t flags, bool wantsKey = false) {
  runtime::UnitTypeRecord record{};
  record.chineseName = "test";
  record.englishName = "TestControl";
  record.flags = flags | 0x40;
  record.propertyCount = kProperties.size();
  record.properties = kProperties.data();
  record.getInterface = wantsKey ? GetInterface<true> : GetInterface<false>;
  return record;
}

const std::array<runtime::UnitTypeRecord, 8> kTypes = {
    units::kWindowType, Type(0),         Type(0x800),       Type(0x400),
    Type(0x12000),      Type(0, true),   Type(0x100000),    Type(0x14000)};

const runtime::LibraryRecord kLibrary = [] {
  runtime::LibraryRecord record{};
  record.formatMark = runtime::kLibraryFormatMark;
  record.identifier = "00000000000000000000000000000001";
  record.name = "window tests";
  record.unitTypeCount = kTypes.size();
  record.unitTypes = kTypes.data();
  record.notify = units::KeepHostNotify<kLibraryNumber>;
  return record;
}();

}  // namespace

TestControl::TestControl(const units::UnitIdentity& identity, QWidget* parent, const std::string& text)
    : UnitWidget(identity, std::make_unique<ControlProperties>(), parent) {
  setText(platform::FromGbk(text));
  setFocusPolicy(Qt::StrongFocus);
  if (text.find("bottom") != std::string::npos) setProperty("barEdge", QStringLiteral("bottom"));
}

void TestControl::mousePressEvent(QMouseEvent* event) {
  if (text().startsWith(QStringLiteral("passive"))) event->ignore();
  else UnitWidget::mousePressEvent(event);
}

const runtime::LibraryRecord& WindowTestLibrary() { return kLibrary; }

}  // namespace window_test
