#pragma once
// The runtime host: starts the runtime, loads windows from the template, runs the message loop,
// serves unit properties to the program and delivers unit events to its handlers.
#include <QWidget>

#include <cstdint>

#include "base/program/bridge.h"
#include "base/program/notify_codes.h"

namespace units {
class Unit;
}

namespace runtime {

// Runtime service 6 after the header is adopted: hidden owner window, main thread, libraries,
// template. Called once; a second call does nothing.
void StartHost();
// Shuts the host down without ending the process, so that it can be started again: windows
// closed, exit callbacks run, libraries told.
void StopHost();

// Bridge entry 11: builds the startup window, not modal and without owner; any failure is the
// runtime error "载入启动窗口失败".
void LoadStartupWindow(uint32_t windowId);
// Bridge entry 10: runs the main loop while a loaded window is alive.
void Run();
// Notify 2005: 0 loaded (or loaded already), -1 failed.
int32_t LoadWindow(const notify::LoadWindowRequest& request);
// Whether some window of the window list has a live window.
bool AnyWindowAlive();
// Starts decoding, on workers, every picture property the template's units hold, so that a
// window's first opening finds its picture boxes' and background's pictures decoded (a button
// makes its picture its own way and decodes it again). For a program that has painted its first
// window and waits for its user.
void DecodePicturesAhead();

// The live unit object of (window id, unit id); unit id 0 is the window's own unit. Null when
// the window is not loaded or the unit is not live.
units::Unit* LiveUnit(uint32_t windowId, uint32_t unitId);
// That unit's widget, for the program, which sees no unit objects.
QWidget* LiveWidget(uint32_t windowId, uint32_t unitId);

// Bridge entries 4 and 5.
DataBytes GetUnitProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t index);
void SetUnitProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t index, DataBytes value);

// Runtime services 4 and 5: a property of a unit given as its unit object. The property's own
// type decides the value's shape; the type codes travel along unused.
intptr_t GetObjectProperty(uint32_t typeCode, void* unit, int32_t property, uint32_t wantedType);
void SetObjectProperty(uint32_t typeCode, void* unit, int32_t property, uint32_t valueType, const void* value);

// The host notify function handed to every library.
intptr_t HostNotifyFunction(int32_t code, intptr_t arg1, intptr_t arg2);

// The window that owns windows which must not get a taskbar button. Never shown.
QWidget* HiddenOwner();
// Set while the window manager creates a window that it loads modally.
bool BuildingModal();

// Framework start-up: makes the application object, calls the program's entry stub, then shuts
// the host down and answers the process's exit code.
int StartApplication(int& argc, char** argv, int (*entryStub)());

}  // namespace runtime
