#pragma once
// Every text the program shows is Chinese, whatever the user's locale: Qt's own texts (the edit
// boxes' context menu, standard buttons, the web view's menu) and the web pages' language too.

namespace platform {

// Makes Chinese the program's locale and installs Qt's own Chinese translations. Called once the
// application object exists and before the web engine starts; later calls do nothing.
void UseChineseTexts();

// The languages web pages are asked for.
constexpr const char* kPageLanguages = "zh-CN,zh;q=0.9";

}  // namespace platform
