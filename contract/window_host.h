#pragma once
// What the window unit needs of the host beyond the notify codes: the units on its own window,
// the other live windows, and how the window being built is to be owned. The host implements it
// and installs it when it starts; until then the one in place knows no windows.
#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/program/program_header.h"

namespace units {

class LiveWindow;
class Unit;

// A live unit on a window, as the window's keyboard handling sees it.
struct WindowMember {
  uint32_t index = 0;  // its entry in the window's unit list
  Unit* unit = nullptr;
  const runtime::UnitTypeRecord* type = nullptr;  // null when the type is not among the libraries
  bool tabStop = false;                           // the unit record's tab stop flag
  uint32_t tabOrder = 0;
};

class WindowHost {
 public:
  virtual ~WindowHost() = default;

  // The live units of the loaded window whose own unit is `window`, in list order, menu items
  // left out; none when `window` is not such a unit.
  virtual std::vector<WindowMember> UnitsOf(const Unit& window) = 0;
  // The length of the window list, and the live window at a position of it (null when that
  // window is not loaded). Walkers ask afresh at every step: a handler may close windows between.
  virtual size_t WindowCount() = 0;
  virtual LiveWindow* LiveWindowAt(size_t position) = 0;
  // Whether the window being created is being loaded modally.
  virtual bool BuildingModal() = 0;
  // The never-shown window that owns the windows without a taskbar button; null when none.
  virtual QWidget* HiddenOwner() = 0;
};

// Installs `host` (null goes back to the one that knows no windows); it must outlive its use.
void InstallWindowHost(WindowHost* host);
WindowHost& TheWindowHost();

}  // namespace units
