// The web browser box unit type: creation, and the operations its property table answers.
#include "units/webbrowser/webbrowser_properties.h"

namespace units {
namespace {

Unit* Make(const UnitIdentity& identity, std::unique_ptr<WebBrowserType::Properties> properties, QWidget* parent,
           const UnitPlace& place) {
  WebBrowserBox* box = WebBrowserBox::Create(identity, std::move(properties), parent, place.rect);
  if (box == nullptr) return nullptr;
  if (place.Disabled()) box->setEnabled(false);
  if (place.TabStop()) box->setFocusPolicy(Qt::StrongFocus);
  return box;
}

// Every property of a box means something, whatever its settings.
int32_t PropertyApplicable(Unit* unit, int32_t /*index*/) { return WebBrowserType::Cast(unit) != nullptr ? 1 : 0; }

// The box's data holds no texts to offer.
const bool kRegistered = WebBrowserType::Register(type_id::kWebBrowser, Make,
                                                  {.propertyApplicable = PropertyApplicable}, OfferedTexts::kNone);

}  // namespace
}  // namespace units
