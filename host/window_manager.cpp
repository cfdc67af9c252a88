#include "host/window_manager.h"

#include <QApplication>
#include <QPointer>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "imaging/picture_cache.h"
#include "platform/gbk.h"
#include "host/accessible_names_apply.h"
#include "host/event_dispatch.h"
#include "host/host.h"
#include "host/host_state.h"
#include "host/message_loop.h"
#include "host/unit_cursor.h"
#include "host/window_access.h"
#include "base/program/program.h"
#include "base/program/runtime_error.h"
#include "base/template/template_ids.h"
#include "contract/unit.h"
#include "contract/unit_interfaces.h"
#include "contract/type_flags.h"
#include "contract/unit_type_records.h"

namespace runtime {
namespace {

constexpr uint32_t kFirstControlId = 100;
constexpr uint32_t kControlIdStep = 10;

// Suspends event delivery for a build and resumes it however the build ends.
class BuildSuspension {
 public:
  BuildSuspension() {
    ProcessPendingMessages();
    ++EventSuppressionCount();
  }
  ~BuildSuspension() { End(); }
  void End() {
    if (ended_) return;
    ended_ = true;
    ProcessPendingMessages();
    if (EventSuppressionCount() > 0) --EventSuppressionCount();
  }

 private:
  bool ended_ = false;
};

struct CreatedUnit {
  uint32_t index;
  uint32_t id;
  units::Unit* unit;
  bool visible;
};

void DestroyCursor(TemplateWindow& window, uint32_t index) {
  delete static_cast<QCursor*>(window.units.Cursor(index));
  window.units.SetCursor(index, nullptr);
}

bool WindowAlive(uint32_t windowId) { return FindLoadedWindow(windowId) != nullptr; }

// The first show takes the window's initial state when the program's build mode asks for it;
// then the unit holding the focus hears that it got it.
void FirstShow(TemplateWindow& window) {
  units::LiveWindow* live = LiveWindowOf(window);
  if (live == nullptr) return;
  QWidget* widget = live->Widget();
  int state = Program().buildMode != 0 ? live->InitialShowState() : 0;
  if (state == 3) widget->showMaximized();
  else if (state == 2) widget->showMinimized();
  else widget->show();
  // Showing a window activates it, unless it was asked to show without; its first unit then takes
  // the focus.
  if (state != 2 && !widget->testAttribute(Qt::WA_ShowWithoutActivating)) {
    widget->raise();
    widget->activateWindow();
  }
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr || focus->window() != widget) return;
  for (uint32_t i = window.units.Count(); i-- > 0;) {
    units::Unit* unit = UnitAt(window, i);
    if (unit != nullptr && unit->widget() == focus) {
      RaiseUnitEvent(window.id, unit->UnitId(), -7);
      return;
    }
  }
  RaiseUnitEvent(window.id, UnitAt(window, 0)->UnitId(), -7);
}

// Creates entry `index` through its unit type; null when the type or its create operation is
// missing or the unit type refuses.
units::Unit* CreateEntry(TemplateWindow& window, uint32_t index, QWidget* parent, uint32_t controlId, bool modal,
                         bool* visible) {
  UnitRecordView record = RecordAt(window, index);
  // A unit whose id has no kind or serial could raise no event the host can place.
  if (!record.Valid() || !IsValidId(window.units.IdAt(index))) return nullptr;
  const UnitTypeRecord* type = FindType(record.Type());
  if (type == nullptr) return nullptr;
  auto create = units::AskInterface<units::interface_number::kCreateUnit>(*type);
  if (create == nullptr) return nullptr;

  uint32_t flags = record.StateFlags();
  uint32_t style = 0;
  if (type->flags & units::type_flag::kNonVisual) {
    *visible = false;
  } else {
    *visible = (flags & state_flag::kVisible) != 0;
    if (flags & state_flag::kDisabled) style |= units::window_style::kDisabled;
  }
  if (flags & state_flag::kTabStop) style |= units::window_style::kTabStop;

  std::span<const uint8_t> data = record.PropertyData();
  // Read from the program's own template bytes when they last the whole run: what the unit
  // makes of them (pictures) is then made once for every opening of the window.
  if (std::span<const uint8_t> original = window.units.Original(index, data); imaging::IsLasting(original))
    data = original;
  // Widgets keep places and sizes below 2^24 and add them up in an int: a place or size beyond
  // that, which no form means, is brought within it rather than overflowing.
  auto widgetRange = [](int32_t value) { return std::clamp(value, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX); };
  UnitRect rect = record.Rect();
  rect = {widgetRange(rect.left), widgetRange(rect.top), widgetRange(rect.width), widgetRange(rect.height)};
  uint32_t unitId = window.units.IdAt(index);
  TheHost().buildingModal = modal && index == 0;
  units::Unit* unit = create(data.empty() ? nullptr : data.data(), static_cast<int32_t>(data.size()), style, parent,
                             controlId, nullptr, rect.left, rect.top, rect.width, rect.height, window.id, unitId, 0, 0);
  TheHost().buildingModal = false;
  // A window unit is the first entry of its window; one further down is no unit of it.
  if (index > 0 && dynamic_cast<units::LiveWindow*>(unit) != nullptr) {
    delete unit;
    return nullptr;
  }
  if (unit != nullptr) ApplyAccessibleNames(window.id, *unit);
  return unit;
}

// The window whose handler is loading a window, else the active one: the desktop keeps a modal
// window above it.
QWidget* Opener(const TemplateWindow& window) {
  if (TemplateWindow* sender = FindLoadedWindow(TheHost().sender.windowId); sender != nullptr && sender != &window)
    return LiveWindowOf(*sender)->Widget();
  QWidget* active = QApplication::activeWindow();
  return active != nullptr && active != LiveWindowOf(window)->Widget() ? active : nullptr;
}

// A modal window disables every other loaded top-level window, except those built with a parent
// window, which belong to it. Only the windows are disabled: their units keep their state.
void DisableOtherWindows(const TemplateWindow& window, units::LiveWindow& live) {
  for (size_t i = 0; i < TheHost().windows.Size(); ++i) {
    TemplateWindow& other = TheHost().windows.At(i);
    units::LiveWindow* otherLive = &other == &window ? nullptr : LiveWindowOf(other);
    if (otherLive == nullptr) continue;
    auto loaded = TheHost().loaded.find(other.id);
    if (loaded != TheHost().loaded.end() && loaded->second.owner) continue;
    live.disabledWhileModal.push_back({otherLive->Widget(), otherLive->enabled});
    otherLive->SetEnabled(false);
  }
}

// Whether putting `widget` into `parent` would close a loop: `parent` is the widget itself or lies
// inside it. The platform refuses such a parent, and so does the build.
bool WouldLoop(const QWidget* widget, const QWidget* parent) {
  for (const QWidget* ancestor = parent; ancestor != nullptr; ancestor = ancestor->parentWidget())
    if (ancestor == widget) return true;
  return false;
}

// Every unit starts on the window; one whose parent would make a loop stays there.
void Reparent(TemplateWindow& window, const std::vector<CreatedUnit>& created, QWidget* windowWidget) {
  for (const CreatedUnit& child : created) {
    if (child.index == 0) continue;
    uint32_t parentId = RecordAt(window, child.index).Parent();
    QWidget* parent = windowWidget;
    // A repeated id names the first unit that carries it.
    for (const CreatedUnit& candidate : created) {
      if (parentId != 0 && candidate.id == parentId && candidate.index != 0) {
        parent = candidate.unit->widget();
        break;
      }
    }
    QWidget* widget = child.unit->widget();
    if (widget->parentWidget() != parent && !WouldLoop(widget, parent)) {
      QRect geometry = widget->geometry();
      widget->setParent(parent);
      widget->setGeometry(geometry);
    }
  }
}

// Units listed after the first 0 of a paged container's children list start on a hidden page.
void HideLaterPages(TemplateWindow& window, std::vector<CreatedUnit>& created) {
  for (const CreatedUnit& container : created) {
    if (container.index == 0) continue;
    const UnitTypeRecord* type = FindType(RecordAt(window, container.index).Type());
    if (type == nullptr || !(type->flags & units::type_flag::kPagedContainer)) continue;
    bool laterPage = false;
    for (uint32_t childId : RecordAt(window, container.index).Children()) {
      if (childId == 0) {
        laterPage = true;
        continue;
      }
      if (!laterPage) continue;
      for (CreatedUnit& child : created)
        if (child.id == childId && child.index != 0) child.visible = false;
    }
  }
}

// Among siblings, the lower the entry index the higher in the stacking order.
void Stack(TemplateWindow& window, std::vector<CreatedUnit>& byIndex) {
  for (size_t i = 0; i < byIndex.size(); ++i) {
    if (byIndex[i].index == 0) continue;
    uint32_t parent = RecordAt(window, byIndex[i].index).Parent();
    QWidget* widget = byIndex[i].unit->widget();
    bool placed = false;
    for (size_t j = i; j-- > 0;) {
      if (byIndex[j].index == 0) break;
      if (RecordAt(window, byIndex[j].index).Parent() == parent &&
          byIndex[j].unit->widget()->parentWidget() == widget->parentWidget()) {
        widget->stackUnder(byIndex[j].unit->widget());
        placed = true;
        break;
      }
    }
    if (!placed) widget->raise();
  }
}

}  // namespace

void ApplyCursor(TemplateWindow& window, uint32_t index) {
  DestroyCursor(window, index);
  units::Unit* unit = UnitAt(window, index);
  std::unique_ptr<QCursor> cursor = MakeUnitCursor(RecordAt(window, index).PointerData());
  if (unit != nullptr) {
    if (cursor) unit->widget()->setCursor(*cursor);
    else unit->widget()->unsetCursor();
  }
  window.units.SetCursor(index, cursor.release());
}

void RaiseUnitEvent(uint32_t windowId, uint32_t unitId, int32_t event) {
  units::EventReport report{};
  report.windowId = windowId;
  report.unitId = unitId;
  report.event = event;
  DeliverEvent(report);
}

BuildResult BuildWindow(TemplateWindow& window, bool modal, QWidget* owner, std::string* failedUnit) {
  if (window.units.Count() == 0) return BuildResult::kFailed;
  if (units::LiveWindow* live = LiveWindowOf(window)) {
    QWidget* widget = live->Widget();
    if (widget->isMinimized()) widget->showNormal();
    widget->raise();
    widget->activateWindow();
    return BuildResult::kAlreadyLoaded;
  }
  QPointer<QWidget> ownerGuard = modal ? nullptr : owner;
  if (!modal && owner != nullptr && ownerGuard.isNull()) return BuildResult::kFailed;

  BuildSuspension suspension;
  window.TakePristineCopy();
  if (TheHost().windows.Find(window.id) != &window) {
    window.DropPristineCopy();
    return BuildResult::kFailed;
  }

  // The window first, then the units from the last entry back to the first.
  std::vector<CreatedUnit> created;
  bool windowVisible = false;
  units::Unit* windowUnit = CreateEntry(window, 0, modal ? nullptr : owner, 0, modal, &windowVisible);
  if (windowUnit == nullptr || dynamic_cast<units::LiveWindow*>(windowUnit) == nullptr) {
    delete windowUnit;
    window.DropPristineCopy();
    return BuildResult::kFailed;
  }
  window.units.SetLiveObject(0, windowUnit);
  created.push_back({0, window.units.IdAt(0), windowUnit, windowVisible});
  LoadedWindow& loaded = TheHost().loaded[window.id];
  loaded = LoadedWindow{modal ? nullptr : owner, std::vector<uint32_t>(window.units.Count(), 0)};

  QWidget* windowWidget = windowUnit->widget();
  uint32_t controlId = kFirstControlId;
  for (uint32_t index = window.units.Count(); index-- > 1;) {
    if (window.units.IsMenuItem(index)) continue;
    bool visible = false;
    units::Unit* unit = CreateEntry(window, index, windowWidget, controlId, false, &visible);
    if (unit == nullptr) {
      // A window missing a unit is of no use and must not stay behind, hidden, keeping the
      // program alive: it goes, its records back to the template's.
      if (failedUnit != nullptr) {
        *failedUnit = RecordAt(window, index).Name();
        if (failedUnit->empty())
          *failedUnit = QStringLiteral("0x%1").arg(window.units.IdAt(index), 8, 16, QLatin1Char('0')).toStdString();
      }
      delete windowUnit;
      return BuildResult::kFailed;
    }
    window.units.SetLiveObject(index, unit);
    loaded.controlIds[index] = controlId;
    controlId += kControlIdStep;
    created.push_back({index, window.units.IdAt(index), unit, visible});
  }
  std::vector<CreatedUnit> byIndex(created.rbegin(), created.rend());
  byIndex.insert(byIndex.begin(), byIndex.back());
  byIndex.pop_back();

  Reparent(window, byIndex, windowWidget);
  HideLaterPages(window, byIndex);
  Stack(window, byIndex);
  for (const CreatedUnit& unit : byIndex) ApplyCursor(window, unit.index);
  for (auto it = byIndex.rbegin(); it != byIndex.rend(); ++it) it->unit->BindDataSource(nullptr);
  windowUnit->LayOutBars();
  for (const CreatedUnit& unit : byIndex)
    if (unit.index != 0) unit.unit->widget()->setVisible(unit.visible);

  suspension.End();

  // A handler may close the window during any of its first events; what follows runs only while
  // the window still exists, and the load still counts as done.
  uint32_t windowId = window.id;
  uint32_t ownId = window.units.IdAt(0);
  RaiseUnitEvent(windowId, ownId, 0);
  if (!WindowAlive(windowId)) return BuildResult::kBuilt;
  RaiseUnitEvent(windowId, ownId, 3);
  if (!WindowAlive(windowId)) return BuildResult::kBuilt;
  RaiseUnitEvent(windowId, ownId, 4);
  if (!WindowAlive(windowId)) return BuildResult::kBuilt;
  if (modal) LiveWindowOf(window)->SetDesktopOwner(Opener(window));
  if (windowVisible) FirstShow(window);
  if (!WindowAlive(windowId)) return BuildResult::kBuilt;

  units::LiveWindow* live = LiveWindowOf(window);
  if (modal) {
    live->modal = true;
    DisableOtherWindows(window, *live);
  }

  QPointer<QWidget> focus = QApplication::focusWidget();
  for (auto it = byIndex.rbegin(); it != byIndex.rend(); ++it) {
    if (!WindowAlive(windowId)) return BuildResult::kBuilt;
    if (window.units.LiveObject(it->index) == it->unit) it->unit->Refresh();
  }
  if (focus && QApplication::focusWidget() != focus) focus->setFocus();
  if (units::LiveWindow* still = LiveWindowOf(window)) still->firstShowPending = true;
  return BuildResult::kBuilt;
}

void ShowAfterLoad(uint32_t windowId, bool show) {
  TemplateWindow* window = FindLoadedWindow(windowId);
  if (window == nullptr) return;
  units::LiveWindow* live = LiveWindowOf(*window);
  if (!live->firstShowPending) {
    if (show) live->Widget()->show();
    return;
  }
  live->firstShowPending = false;
  if (live->modal) {
    const LoadedWindow& loaded = TheHost().loaded[windowId];
    for (size_t i = 0; loaded.owner && i < TheHost().windows.Size(); ++i) {
      units::LiveWindow* ownerLive = LiveWindowOf(TheHost().windows.At(i));
      if (ownerLive != nullptr && ownerLive->Widget() == loaded.owner && ownerLive->topmost) {
        live->Widget()->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        live->topmost = true;
      }
    }
  }
  if (show) FirstShow(*window);
  if (!live->modal || !WindowAlive(windowId)) return;
  HostState& host = TheHost();
  uint32_t previous = host.currentModalWindow;
  host.currentModalWindow = windowId;
  host.loop->Run(true);
  // The window the outer loop belongs to may have gone meanwhile: its loop must not wait for it.
  host.currentModalWindow = previous;
  if (previous != 0 && !WindowAlive(previous)) {
    host.currentModalWindow = 0;
    host.loop->EndModalLoop();
  }
}

void UnitDestroyed(uint32_t windowId, uint32_t unitId) {
  HostState& host = TheHost();
  TemplateWindow* window = host.windows.Find(windowId);
  if (window == nullptr) return;
  int64_t index = IndexOfUnit(*window, unitId);
  if (index > 0) {
    DestroyCursor(*window, static_cast<uint32_t>(index));
    window->units.SetLiveObject(static_cast<uint32_t>(index), nullptr);
    return;
  }
  if (index < 0) return;
  for (uint32_t i = 0; i < window->units.Count(); ++i) DestroyCursor(*window, i);
  window->RestorePristineCopy();
  host.loaded.erase(windowId);
  if (host.currentModalWindow == windowId) {
    host.currentModalWindow = 0;
    if (host.loop) host.loop->EndModalLoop();
  }
  if (host.running && !host.shuttingDown && !AnyWindowAlive() && host.loop) host.loop->RequestQuit();
}

bool AnyWindowAlive() {
  for (size_t i = 0; i < TheHost().windows.Size(); ++i)
    if (UnitAt(TheHost().windows.At(i), 0) != nullptr) return true;
  return false;
}

units::Unit* LiveUnit(uint32_t windowId, uint32_t unitId) {
  TemplateWindow* window = FindLoadedWindow(windowId);
  if (window == nullptr) return nullptr;
  int64_t index = IndexOfUnit(*window, unitId);
  return index < 0 ? nullptr : UnitAt(*window, static_cast<uint32_t>(index));
}

QWidget* LiveWidget(uint32_t windowId, uint32_t unitId) {
  units::Unit* unit = LiveUnit(windowId, unitId);
  return unit == nullptr ? nullptr : unit->widget();
}

int32_t LoadWindow(const notify::LoadWindowRequest& request) {
  TemplateWindow* window = TheHost().windows.Find(request.windowId);
  if (window == nullptr) return -1;
  QWidget* owner = nullptr;
  if (request.parent != nullptr) owner = static_cast<units::Unit*>(request.parent)->widget();
  std::string failedUnit;
  BuildResult result = BuildWindow(*window, request.modal != 0, owner, &failedUnit);
  if (result == BuildResult::kFailed) {
    // The user asked for a window and gets none: they are told why.
    if (!failedUnit.empty())
      ShowRuntimeMessage(platform::Utf8ToGbk("窗口组件“") + failedUnit + platform::Utf8ToGbk("”无法创建，窗口未能载入"));
    return -1;
  }
  if (result == BuildResult::kBuilt && WindowAlive(request.windowId) &&
      (RecordAt(*window, 0).StateFlags() & state_flag::kVisible))
    ShowAfterLoad(request.windowId, false);
  return 0;
}

void LoadStartupWindow(uint32_t windowId) {
  TemplateWindow* window = TheHost().windows.Find(windowId);
  if (window == nullptr || BuildWindow(*window, false, nullptr) == BuildResult::kFailed)
    ReportRuntimeError(platform::Utf8ToGbk("载入启动窗口失败"), 0);
}

void Run() {
  HostState& host = TheHost();
  host.running = true;
  if (AnyWindowAlive() && host.loop) host.loop->Run(false);
}

}  // namespace runtime
