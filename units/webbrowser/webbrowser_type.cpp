// The web browser box unit type: creation, and the operations its property table answers.
#include <QRect>

#include "contract/unit_type_registry.h"
#include "libraries/web_library.h"
#include "units/webbrowser/webbrowser_properties.h"

namespace units {
namespace {

Unit* CreateUnit(const uint8_t* data, int32_t length, uint32_t style, QWidget* parent, uint32_t /*controlId*/,
                 void* /*menu*/, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t windowId,
                 uint32_t unitId, intptr_t /*reserved1*/, intptr_t /*reserved2*/) {
  auto properties = WebBrowserType::Read(data, length);
  if (properties == nullptr) return nullptr;
  WebBrowserBox* box = WebBrowserBox::Create({windowId, unitId, WebHostNotify()}, std::move(properties), parent,
                                             QRect(x, y, width, height));
  if (box == nullptr) return nullptr;
  if ((style & window_style::kDisabled) != 0) box->setEnabled(false);
  if ((style & window_style::kTabStop) != 0) box->setFocusPolicy(Qt::StrongFocus);
  return box;
}

// Every property of a box means something, whatever its settings.
int32_t PropertyApplicable(Unit* unit, int32_t /*index*/) { return WebBrowserType::Cast(unit) != nullptr ? 1 : 0; }

void* GetInterface(int32_t number) {
  static constexpr InterfaceTable kInterfaces = [] {
    InterfaceTable table =
        WebBrowserType::Interfaces({.createUnit = CreateUnit, .propertyApplicable = PropertyApplicable});
    table.enumTexts = nullptr;  // the box's data holds no texts
    return table;
  }();
  return AnswerInterface(kInterfaces, number);
}

const bool kRegistered = RegisterUnitType(type_id::kWebBrowser, &GetInterface, WebBrowserType::View());

}  // namespace
}  // namespace units
