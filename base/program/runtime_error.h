#pragma once
// The runtime error report: every error the program cannot recover from ends here.
#include <cstdint>
#include <string>
#include <string_view>

namespace runtime {

// Builds the report text (GBK): "运行时出错!\r\n\r\n", then the code and the message when present.
std::string RuntimeErrorText(int32_t code, std::string_view gbkMessage);

// Suppresses events, lets the program's error routine or the presenter show the report, drops
// the exit callbacks and ends the process with exit code -1.
[[noreturn]] void ReportRuntimeError(std::string_view gbkMessage, int32_t code = 0);

// Shows the report of a failure the program survives (a window that cannot be built), through
// the same routine and presenter, without ending anything.
void ShowRuntimeMessage(std::string_view gbkMessage);

// The bridge's error by number: message 1 to 11, the number also being the code.
[[noreturn]] void RaiseRuntimeErrorByNumber(int32_t number);

// The fixed message of number 1 to 11 (GBK), empty for any other number.
std::string RuntimeErrorMessage(int32_t number);

// The program's error routine: (suppression count, code, GBK message); nonzero means it showed
// the error itself.
using ErrorRoutine = int32_t (*)(int32_t count, int32_t code, const char* message);
void SetErrorRoutine(ErrorRoutine routine);

// Shows the report text (GBK). The default writes it to stderr; the host replaces it with a
// message box.
using ErrorPresenter = void (*)(const std::string& gbkText);
void SetErrorPresenter(ErrorPresenter presenter);

// While nonzero, no event handler runs.
int32_t& EventSuppressionCount();

}  // namespace runtime
