#pragma once
// A form as formtool holds it between its readable description and window template data.
// Texts are GBK; fields the format keeps zero (reserved words, run-time slots) are not here.
// Symbols and handler names are the names program code knows the form by; they never enter
// the template data.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace formtool {

struct FormBinding {
  FormBinding(int32_t event = 0, int32_t handler = -1, std::string handlerName = {})
      : event(event), handler(handler), handlerName(std::move(handlerName)) {}

  int32_t event;
  int32_t handler;          // offset of the handler; -1 none
  std::string handlerName;  // empty: the handler is known by its offset alone
};

struct FormUnit {
  bool menu = false;
  uint32_t id = 0;
  std::string symbol;  // a C++ identifier, or empty
  uint32_t type = 0;
  uint32_t eventSource = 0;
  std::string name;
  std::string secondText;
  // Unit records.
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  uint32_t parent = 0;
  std::vector<uint32_t> children;
  std::vector<uint8_t> pointerData;
  std::string tag;
  uint32_t flags = 0;
  uint32_t tabOrder = 0;
  std::vector<FormBinding> bindings;
  std::vector<uint8_t> data;
  // What assistive technology reads, kept beside the template (base/template/accessible_names.h).
  std::string accessibleName;
  std::string accessibleDescription;
  int32_t readingOrder = 0;
  // Menu item records.
  uint32_t shortcut = 0;
  uint32_t level = 0;
  uint32_t state = 0;
  std::string caption;
  int32_t handler = -1;
  std::string handlerName;
};

struct FormWindow {
  uint32_t id = 0;
  std::string symbol;  // a C++ identifier, or empty
  uint32_t opaque = 0;
  uint32_t moduleId = 0;
  std::string firstText;
  std::string secondText;
  std::vector<FormUnit> units;
};

using Form = std::vector<FormWindow>;

}  // namespace formtool
