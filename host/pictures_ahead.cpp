// Decodes the template's pictures ahead of the windows that show them.
#include <memory>

#include "base/template/template_window.h"
#include "base/template/unit_record.h"
#include "contract/property_data.h"
#include "contract/unit_type_ids.h"
#include "contract/unit_type_registry.h"
#include "host/host.h"
#include "host/host_state.h"
#include "host/window_access.h"
#include "imaging/picture_cache.h"

namespace runtime {

void DecodePicturesAhead() {
  WindowTable& windows = TheHost().windows;
  for (size_t w = 0; w < windows.Size(); ++w) {
    TemplateWindow& window = windows.At(w);
    for (uint32_t index = 0; index < window.units.Count(); ++index) {
      UnitRecordView record = RecordAt(window, index);
      if (!record.Valid()) continue;
      const units::PropertyTableView* table = units::RegisteredPropertyTable(record.Type());
      // Only the template's own bytes: what a unit reads from them is what the cache knows.
      const std::span<const uint8_t> data = window.units.Original(index, record.PropertyData());
      if (table == nullptr || !imaging::IsLasting(data)) continue;
      std::unique_ptr<units::PropertyObject> properties = table->NewProperties();
      if (!units::ReadPropertyData(*properties, data.data(), static_cast<int32_t>(data.size()))) continue;
      for (size_t i = 0; i < table->Count(); ++i)
        if (table->Info(i).type == units::property_type::kPicture) imaging::DecodeAhead(table->Source(*properties, i));
    }
  }
}

}  // namespace runtime
