#pragma once
// The runtime host's state: one per process, owned by the host and touched only on the thread
// that started it.
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "base/program/program_header.h"
#include "base/template/accessible_names.h"
#include "base/template/template_window.h"

namespace runtime {

class MessageLoop;

// An idle callback registered for a window handle (notify 1012): called with its argument while
// the message queue is empty and the window exists.
using IdleCallback = void (*)(intptr_t argument);

struct IdleCallbackEntry {
  QPointer<QWidget> window;
  IdleCallback function;
  intptr_t argument;
};

struct EventSender {
  uint32_t windowId = 0;
  uint32_t unitId = 0;
};

// What the window manager remembers of a window while it is loaded.
struct LoadedWindow {
  QPointer<QWidget> owner;
  std::vector<uint32_t> controlIds;  // by entry index; 0 for the window and menu items
};

struct HostState {
  bool started = false;
  const ProgramHeader* header = nullptr;
  std::vector<const LibraryRecord*> libraries;
  std::vector<intptr_t> libraryData;  // one data word per library
  WindowTable windows;
  EventSender sender;
  uint32_t currentModalWindow = 0;
  bool running = false;
  bool shuttingDown = false;
  bool buildingModal = false;  // read by the window unit, through the window host, while it is being created
  std::unique_ptr<QWidget> hiddenOwner;
  std::vector<IdleCallbackEntry> idleCallbacks;
  std::unordered_map<uint32_t, LoadedWindow> loaded;  // by window id
  // What assistive technology reads of each window and unit, by window id, then unit id.
  std::unordered_map<uint32_t, std::unordered_map<uint32_t, AccessibleEntry>> accessibleNames;
  std::unique_ptr<MessageLoop> loop;
};

HostState& TheHost();

}  // namespace runtime
