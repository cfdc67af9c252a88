// The host notify function: what support libraries and units ask of the host, by code.
#include <QPixmap>
#include <QWidget>

#include <algorithm>
#include <cstring>
#include <string>

#include "imaging/image.h"
#include "platform/bitmaps.h"
#include "platform/gbk.h"
#include "platform/program_icon.h"
#include "platform/program_path.h"
#include "host/event_dispatch.h"
#include "host/host.h"
#include "host/host_state.h"
#include "host/message_loop.h"
#include "host/window_access.h"
#include "host/window_manager.h"
#include "base/program/exit.h"
#include "base/program/memory.h"
#include "base/program/runtime_error.h"
#include "base/values/conversions.h"
#include "base/values/data_block.h"
#include "contract/unit.h"

namespace runtime {
namespace {

// Path texts handed out by reference: the program's directory ends with a separator.
const std::string& ProgramDirectoryText() {
  static const std::string text = platform::Utf8ToGbk(platform::ProgramDirectory() + "/");
  return text;
}

const std::string& ProgramFileText() {
  static const std::string text = platform::Utf8ToGbk(platform::ProgramFilePath());
  return text;
}

// Callers hand a path buffer of the classic path size; nothing longer is ever written into it.
constexpr size_t kPathBufferSize = 260;

void FillPathText(int32_t selector, char* buffer) {
  if (buffer == nullptr) return;
  const std::string* text = nullptr;
  if (selector == 1 || selector == 2001) text = &ProgramDirectoryText();
  else if (selector == 2002) text = &ProgramFileText();
  size_t length = text != nullptr ? std::min(text->size(), kPathBufferSize - 1) : 0;
  if (length > 0) std::memcpy(buffer, text->data(), length);
  buffer[length] = '\0';
}

intptr_t DefaultIcons(intptr_t places) {
  static const QPixmap largeIcon = platform::ProgramIcon(32);
  static const QPixmap smallIcon = platform::ProgramIcon(16);
  if (auto* targets = reinterpret_cast<const QPixmap**>(places)) {
    targets[0] = &largeIcon;
    targets[1] = &smallIcon;
  }
  return reinterpret_cast<intptr_t>(&smallIcon);
}

intptr_t PictureToBitmap(intptr_t bytes, intptr_t length) {
  if (bytes == 0 || length <= 0) return 0;
  // The receiver owns the bitmap and releases it with platform::DeleteBitmap.
  return platform::CreateBitmap(imaging::ImageToBitmap(reinterpret_cast<const uint8_t*>(bytes), length, 0xFFFFFF));
}

void RegisterIdle(const notify::IdleRegistration* registration) {
  if (registration == nullptr || registration->function == nullptr) return;
  TheHost().idleCallbacks.push_back(
      {static_cast<QWidget*>(registration->window), registration->function, registration->argument});
  if (TheHost().loop) TheHost().loop->RestartIdle();
}

void UnregisterIdle(const notify::IdleRegistration* registration) {
  if (registration == nullptr) return;
  auto& callbacks = TheHost().idleCallbacks;
  std::erase_if(callbacks, [registration](const IdleCallbackEntry& entry) {
    return entry.window.data() == registration->window && entry.function == registration->function;
  });
}

// A plain request may answer null; otherwise a failure is the runtime's allocation error.
void* AllocateForLibrary(intptr_t bytes, bool plain) {
  if (bytes < 0) {
    if (plain) return nullptr;
    ReportAllocationFailure(bytes);
  }
  return plain ? TryAllocate(static_cast<size_t>(bytes)) : Allocate(static_cast<size_t>(bytes));
}

uint32_t UnitTypeCode(uint32_t windowId, uint32_t unitId) {
  TemplateWindow* window = TheHost().windows.Find(windowId);
  if (window == nullptr) return 0;
  int64_t index = IndexOfUnit(*window, unitId);
  if (index < 0) return 0;
  UnitRecordView record = RecordAt(*window, static_cast<uint32_t>(index));
  return record.Valid() ? record.Type() : 0;
}

intptr_t WindowHandleAt(intptr_t position) {
  const WindowTable& windows = TheHost().windows;
  if (position < 0 || static_cast<size_t>(position) >= windows.Size()) return 0;
  units::LiveWindow* live = LiveWindowOf(windows.At(static_cast<size_t>(position)));
  return live != nullptr ? reinterpret_cast<intptr_t>(live->Widget()) : 0;
}

}  // namespace

intptr_t HostNotifyFunction(int32_t code, intptr_t arg1, intptr_t arg2) {
  auto windowId = static_cast<uint32_t>(arg1);
  auto unitId = static_cast<uint32_t>(arg2);
  switch (code) {
    case notify::kDefaultIcon: return DefaultIcons(arg1);
    case notify::kWindowList: return reinterpret_cast<intptr_t>(&TheHost().windows);
    case notify::kUnitTypeRecord: return reinterpret_cast<intptr_t>(FindType(static_cast<uint32_t>(arg1)));
    case notify::kPictureToBitmap: return PictureToBitmap(arg1, arg2);
    case notify::kConstantOne: return 1;
    case notify::kConstantVersion: return 0x30005;
    case notify::kFillPathText: FillPathText(static_cast<int32_t>(arg1), reinterpret_cast<char*>(arg2)); return 0;
    case notify::kRegisterIdle: RegisterIdle(reinterpret_cast<const notify::IdleRegistration*>(arg1)); return 0;
    case notify::kUnregisterIdle: UnregisterIdle(reinterpret_cast<const notify::IdleRegistration*>(arg1)); return 0;
    case notify::kUnitDestroyed: UnitDestroyed(windowId, unitId); return 0;
    case notify::kNumberToInteger: return NumberToInteger(*reinterpret_cast<const ValueRecord*>(arg1));
    case notify::kProgramDirectory: return reinterpret_cast<intptr_t>(ProgramDirectoryText().c_str());
    case notify::kProgramFileName: return reinterpret_cast<intptr_t>(ProgramFileText().c_str());
    case notify::kLoadWindow: return LoadWindow(*reinterpret_cast<const notify::LoadWindowRequest*>(arg1));
    case notify::kLiveUnit: return reinterpret_cast<intptr_t>(LiveUnit(windowId, unitId));
    case notify::kLiveUnitOrError: {
      units::Unit* unit = LiveUnit(windowId, unitId);
      if (unit == nullptr) ReportRuntimeError(platform::Utf8ToGbk("指定窗口或窗口组件不存在或尚未载入"), 0);
      return reinterpret_cast<intptr_t>(unit);
    }
    case notify::kRaiseEvent: return DeliverEvent(*reinterpret_cast<units::EventReport*>(arg1));
    case notify::kRaiseTypedEvent: return DeliverTypedEvent(*reinterpret_cast<units::TypedEventReport*>(arg1));
    case notify::kBeginBuild:
      ProcessPendingMessages();
      ++EventSuppressionCount();
      return 0;
    case notify::kEndBuild:
      ProcessPendingMessages();
      if (EventSuppressionCount() > 0) --EventSuppressionCount();
      return 0;
    case notify::kEventSender: {
      EventSender sender;
      if (!CurrentEventSender(&sender)) return 0;
      if (auto* out = reinterpret_cast<notify::EventSenderIds*>(arg1)) *out = {sender.windowId, sender.unitId};
      return 1;
    }
    case notify::kProcessMessages: ProcessPendingMessages(); return 0;
    case notify::kUnitTypeCode: return UnitTypeCode(windowId, unitId);
    case notify::kFreeArray: FreeArrayValue(reinterpret_cast<void*>(arg1), static_cast<uint32_t>(arg2)); return 0;
    case notify::kAllocate: return reinterpret_cast<intptr_t>(AllocateForLibrary(arg1, arg2 != 0));
    case notify::kFree: Free(reinterpret_cast<void*>(arg1)); return 0;
    case notify::kResize:
      if (arg2 < 0) ReportAllocationFailure(arg2);
      return reinterpret_cast<intptr_t>(Resize(reinterpret_cast<void*>(arg1), static_cast<size_t>(arg2)));
    case notify::kRaiseErrorText:
      ReportRuntimeError(arg1 != 0 ? reinterpret_cast<const char*>(arg1) : "", 0);
    case notify::kExit: ExitProgram(static_cast<int32_t>(arg1));
    case notify::kWindowCount: return static_cast<intptr_t>(TheHost().windows.Size());
    case notify::kWindowHandleAt: return WindowHandleAt(arg1);
    default: return 0;
  }
}

}  // namespace runtime
