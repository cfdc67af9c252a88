// The web browser box's operations as the host asks for them by number.
#include <QRect>

#include "units/framework/unit_interfaces.h"
#include "units/framework/unit_type_ids.h"
#include "units/framework/unit_type_registry.h"
#include "units/libraries/web_library.h"
#include "units/webbrowser/web_browser_box.h"

namespace units {
namespace {

Unit* CreateUnit(const uint8_t* data, int32_t length, uint32_t style, QWidget* parent, uint32_t /*controlId*/,
                 void* /*menu*/, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t windowId,
                 uint32_t unitId, intptr_t /*reserved1*/, intptr_t /*reserved2*/) {
  auto properties = std::make_unique<WebBrowserProperties>();
  if (!ReadPropertyData(*properties, data, length)) return nullptr;
  WebBrowserBox* box = WebBrowserBox::Create({windowId, unitId, WebHostNotify()}, std::move(properties), parent,
                                             QRect(x, y, width, height));
  if (box == nullptr) return nullptr;
  if ((style & window_style::kDisabled) != 0) box->setEnabled(false);
  if ((style & window_style::kTabStop) != 0) box->setFocusPolicy(Qt::StrongFocus);
  return box;
}

int32_t PropertyApplicable(Unit* unit, int32_t /*index*/) { return unit != nullptr ? 1 : 0; }

int32_t PropertyChanged(Unit* unit, int32_t index, const PropertyValue* value, intptr_t /*reserved*/) {
  auto* box = dynamic_cast<WebBrowserBox*>(unit);
  return box != nullptr && value != nullptr ? box->PropertyChanged(index, *value) : 0;
}

int32_t GetProperty(Unit* unit, int32_t index, PropertyValue* value) {
  auto* box = dynamic_cast<WebBrowserBox*>(unit);
  return box != nullptr && value != nullptr ? box->GetProperty(index, value) : 0;
}

void* GetInterface(int32_t number) {
  static constexpr InterfaceTable kInterfaces{
      .createUnit = CreateUnit,
      .propertyApplicable = PropertyApplicable,
      .propertyChanged = PropertyChanged,
      .getAllPropertyData = GetAllPropertyData,
      .getProperty = GetProperty};
  return AnswerInterface(kInterfaces, number);
}

const bool kRegistered = RegisterUnitType(type_id::kWebBrowser, &GetInterface);

}  // namespace
}  // namespace units
