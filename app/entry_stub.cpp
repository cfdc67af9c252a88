#include <cfenv>

#include "app/idle_warmup.h"
#include "app/toolbox.h"
#include "host/host.h"
#include "base/program/bridge.h"
#include "base/program/services.h"
#include "toolbox_forms.h"

namespace toolbox {
namespace {

// The program keeps no state: there is nothing to set up before the first window, nor to
// release at the end. Both routines exist because the start-up sequence registers them.
void Initialise() {}
void OnExit(int32_t /*position*/) {}

}  // namespace

int EntryStub() {
  const runtime::BridgeTable& bridge = runtime::Bridge();
  bridge.service(runtime::service::kStartHost, &ProgramData());
  // The calculators' arithmetic runs with every exception masked and rounding to nearest.
  std::fesetenv(FE_DFL_ENV);
  Initialise();
  bridge.service(runtime::service::kRegisterExitCallback, &OnExit);
  bridge.loadStartupWindow(main_window::kWindow);
  if (QWidget* main = runtime::LiveWidget(main_window::kWindow, 0)) WarmUpWhenIdle(main);
  bridge.run();
  return 0;
}

}  // namespace toolbox
