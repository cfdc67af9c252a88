// hello's one handler: the "问好" button greets the name typed in the box.
#include <string>

#include "base/program/bridge.h"
#include "hello.h"  // made from hello.json by the build: the form's names
#include "runner/texts.h"

namespace hello {
namespace {

constexpr int32_t kText = 8;      // property 8: an edit box's content, a label's caption
constexpr int32_t kNoIndex = -1;  // a property, not an element of an array property

}  // namespace

bool Greet(const intptr_t*, int32_t, int64_t*) {
  const runtime::BridgeTable& bridge = runtime::Bridge();
  // The box's content as a new GBK text, which is ours to free; null when the box is empty.
  char* name = bridge.getUnitProperty(greeter::kWindow, greeter::kName, kText, kNoIndex).text;
  const std::string greeting =
      name == nullptr ? runner::Gbk("请先输入你的名字。") : runner::Gbk("你好，") + name + runner::Gbk("！");
  bridge.free(name);

  runtime::DataBytes caption{};
  caption.text = const_cast<char*>(greeting.c_str());  // the label keeps a copy
  bridge.setUnitProperty(greeter::kWindow, greeter::kGreeting, kText, kNoIndex, caption);
  return false;  // the click has no result
}

}  // namespace hello
