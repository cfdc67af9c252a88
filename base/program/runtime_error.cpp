#include "base/program/runtime_error.h"

#include <array>
#include <cstdio>

#include "platform/gbk.h"
#include "base/program/exit.h"
#include "base/program/main_thread.h"

namespace runtime {
namespace {

constexpr std::array<const char*, 11> kNumberedMessages = {
    "数组成员引用下标超出定义范围",
    "未得到所需要的数值型数据",
    "引用数组成员时维数不为1且不等于该数组目前所具有的维数",
    "数组成员引用下标必须大于等于1",
    "数据或数组类型不匹配",
    "调用DLL命令后发现堆栈错误",
    "子语句参数未返回数据或者返回了非系统基本类型或数组型数据",
    "被比较数据只能使用等于或不等于命令比较",
    "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围",
    "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零",
    "所提供参数的数据类型不符合要求",
};

void PresentOnStderr(const std::string& gbkText) {
  std::string text = platform::GbkToUtf8(gbkText);
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

ErrorRoutine gErrorRoutine = nullptr;
ErrorPresenter gPresenter = PresentOnStderr;
bool gErrorRoutineRunning = false;

}  // namespace

int32_t& EventSuppressionCount() {
  static int32_t count = 0;
  return count;
}

void SetErrorRoutine(ErrorRoutine routine) { gErrorRoutine = routine; }

void SetErrorPresenter(ErrorPresenter presenter) { gPresenter = presenter ? presenter : PresentOnStderr; }

std::string RuntimeErrorText(int32_t code, std::string_view gbkMessage) {
  std::string text = platform::Utf8ToGbk("运行时出错!\r\n\r\n");
  if (code != 0) text += platform::Utf8ToGbk("错误代码：") + std::to_string(code) + "\r\n\r\n";
  if (!gbkMessage.empty()) {
    text += platform::Utf8ToGbk("错误信息：");
    text += gbkMessage;
    text += "\r\n";
  }
  return text;
}

std::string RuntimeErrorMessage(int32_t number) {
  if (number < 1 || number > static_cast<int32_t>(kNumberedMessages.size())) return {};
  return platform::Utf8ToGbk(kNumberedMessages[static_cast<size_t>(number - 1)]);
}

namespace {

void Present(std::string_view gbkMessage, int32_t code, int32_t count) {
  bool shown = false;
  if (gErrorRoutine != nullptr && !gErrorRoutineRunning) {
    gErrorRoutineRunning = true;
    std::string message(gbkMessage);
    shown = gErrorRoutine(count, code, message.c_str()) != 0;
    gErrorRoutineRunning = false;
  }
  if (!shown) gPresenter(RuntimeErrorText(code, gbkMessage));
}

}  // namespace

void ShowRuntimeMessage(std::string_view gbkMessage) {
  // No handler runs while the message is up.
  int32_t count = ++EventSuppressionCount();
  Present(gbkMessage, 0, count);
  if (EventSuppressionCount() > 0) --EventSuppressionCount();
}

void ReportRuntimeError(std::string_view gbkMessage, int32_t code) {
  // The report shows a message box, which only the main thread may; the other thread waits
  // there for the end of the program.
  if (!OnMainThread())
    HandToMainThread([message = std::string(gbkMessage), code] { ReportRuntimeError(message, code); });
  // A report or exit that another thread handed over first is the one that ends the program.
  BeginEnding();
  Present(gbkMessage, code, ++EventSuppressionCount());
  ClearExitCallbacks();
  ExitProgram(-1);
}

void RaiseRuntimeErrorByNumber(int32_t number) { ReportRuntimeError(RuntimeErrorMessage(number), number); }

}  // namespace runtime
