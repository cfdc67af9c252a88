// Each unit type's own property data, read from arbitrary bytes through the type's property
// table: the first byte picks the type. What reads must write back, and what was written must read
// back to the same bytes, so that no row is read in one place and written in another.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "contract/property_data.h"
#include "contract/unit_type_registry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Every type of the libraries linked in, lowest id first, as registered when the program started.
  static const std::vector<uint32_t> kTypes = units::RegisteredUnitTypes();
  if (size == 0 || kTypes.empty()) return 0;
  const units::PropertyTableView* table = units::RegisteredPropertyTable(kTypes[data[0] % kTypes.size()]);
  if (table == nullptr) std::abort();  // every tabled type registers its table with its operations
  std::unique_ptr<units::PropertyObject> read = table->NewProperties();
  if (!units::ReadPropertyData(*read, data + 1, static_cast<int32_t>(size - 1))) return 0;
  std::vector<uint8_t> written, again;
  if (!units::WritePropertyData(*read, written)) std::abort();
  std::unique_ptr<units::PropertyObject> reread = table->NewProperties();
  if (!units::ReadPropertyData(*reread, written.data(), static_cast<int32_t>(written.size()))) std::abort();
  if (!units::WritePropertyData(*reread, again) || again != written) std::abort();
  return 0;
}
