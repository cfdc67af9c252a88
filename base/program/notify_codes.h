#pragma once
// The codes with which support libraries call the host's notify function, and the records some
// of them point to.
#include <cstdint>

namespace runtime::notify {

constexpr int32_t kDefaultIcon = 1000;
constexpr int32_t kWindowList = 1001;
constexpr int32_t kUnitTypeRecord = 1002;
constexpr int32_t kPictureToBitmap = 1003;
constexpr int32_t kConstantOne = 1004;
constexpr int32_t kConstantVersion = 1005;
constexpr int32_t kFillPathText = 1006;
constexpr int32_t kRegisterIdle = 1012;
constexpr int32_t kUnregisterIdle = 1013;
constexpr int32_t kUnitDestroyed = 2000;
constexpr int32_t kNumberToInteger = 2001;
constexpr int32_t kProgramDirectory = 2003;
constexpr int32_t kProgramFileName = 2004;
constexpr int32_t kLoadWindow = 2005;
constexpr int32_t kLiveUnit = 2006;
constexpr int32_t kLiveUnitOrError = 2007;
constexpr int32_t kRaiseEvent = 2008;
constexpr int32_t kBeginBuild = 2009;
constexpr int32_t kEndBuild = 2010;
constexpr int32_t kEventSender = 2017;
constexpr int32_t kProcessMessages = 2018;
constexpr int32_t kUnitTypeCode = 2022;
constexpr int32_t kFreeArray = 2023;
constexpr int32_t kAllocate = 2024;
constexpr int32_t kFree = 2025;
constexpr int32_t kResize = 2026;
constexpr int32_t kRaiseErrorText = 2027;
constexpr int32_t kExit = 2028;
constexpr int32_t kRaiseTypedEvent = 2031;
constexpr int32_t kWindowCount = 2032;
constexpr int32_t kWindowHandleAt = 2033;

// What argument 1 of kLoadWindow points to.
struct LoadWindowRequest {
  uint32_t windowId;
  void* parent;  // the parent's live window object, or null
  int32_t modal;
};

// What argument 1 of kRegisterIdle and kUnregisterIdle points to.
struct IdleRegistration {
  void* window;  // the QWidget the callback belongs to
  void (*function)(intptr_t argument);
  intptr_t argument;
};

// What argument 1 of kEventSender receives.
struct EventSenderIds {
  uint32_t windowId;
  uint32_t unitId;
};

}  // namespace runtime::notify
