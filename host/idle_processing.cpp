// Idle processing while the message queue is empty: each live window gets its idle event until
// it no longer asks for more.
#include <QElapsedTimer>
#include <QPointer>

#include <algorithm>
#include <vector>

#include "host/host_state.h"
#include "host/message_loop.h"
#include "host/window_access.h"

namespace runtime {
namespace {

QElapsedTimer gIdlePeriod;
std::vector<QPointer<QWidget>> gDoneIdling;

}  // namespace

bool ProcessIdle(int count) {
  // Qt keeps no idle work of its own here, so the first two rounds only start the period.
  if (count == 0) {
    gIdlePeriod.start();
    gDoneIdling.clear();
    return true;
  }
  if (count == 1) return true;
  bool more = false;
  WindowTable& windows = TheHost().windows;
  for (size_t i = 0; i < windows.Size(); ++i) {
    units::LiveWindow* live = LiveWindowOf(windows.At(i));
    if (live == nullptr) continue;
    QPointer<QWidget> widget = live->Widget();
    if (std::find(gDoneIdling.begin(), gDoneIdling.end(), widget) != gDoneIdling.end()) continue;
    if (live->Idle(gIdlePeriod.elapsed())) more = true;
    else if (widget) gDoneIdling.push_back(widget);
  }
  return more;
}

}  // namespace runtime
