#include "contract/window_host.h"

namespace units {
namespace {

// In place before the host starts: windows built then (previews, tests of a single unit) stand
// alone.
class NoWindowHost final : public WindowHost {
 public:
  std::vector<WindowMember> UnitsOf(const Unit& /*window*/) override { return {}; }
  size_t WindowCount() override { return 0; }
  LiveWindow* LiveWindowAt(size_t /*position*/) override { return nullptr; }
  bool BuildingModal() override { return false; }
  QWidget* HiddenOwner() override { return nullptr; }
};

NoWindowHost gNoWindowHost;
WindowHost* gWindowHost = &gNoWindowHost;

}  // namespace

void InstallWindowHost(WindowHost* host) { gWindowHost = host != nullptr ? host : &gNoWindowHost; }

WindowHost& TheWindowHost() { return *gWindowHost; }

}  // namespace units
