#include "tools/formtool/form_names.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>


namespace formtool {
namespace {

constexpr std::string_view kKeywords[] = {
    "alignas", "alignof", "and", "and_eq", "asm", "auto", "bitand", "bitor", "bool", "break", "case", "catch",
    "char", "char8_t", "char16_t", "char32_t", "class", "compl", "concept", "const", "consteval", "constexpr",
    "constinit", "const_cast", "continue", "co_await", "co_return", "co_yield", "decltype", "default", "delete",
    "do", "double", "dynamic_cast", "else", "enum", "explicit", "export", "extern", "false", "float", "for",
    "friend", "goto", "if", "inline", "int", "long", "mutable", "namespace", "new", "noexcept", "not", "not_eq",
    "nullptr", "operator", "or", "or_eq", "private", "protected", "public", "register", "reinterpret_cast",
    "requires", "return", "short", "signed", "sizeof", "static", "static_assert", "static_cast", "struct",
    "switch", "template", "this", "thread_local", "throw", "true", "try", "typedef", "typeid", "typename",
    "union", "unsigned", "using", "virtual", "void", "volatile", "wchar_t", "while", "xor", "xor_eq"};

// What the header declares beside the windows' namespaces and the handlers (form_header.cpp).
constexpr std::string_view kHeaderNames[] = {"handler_offset", "handler_table", "kHandlerTable"};
// The constants every window's namespace holds: kWindow and kOwnUnit.
constexpr std::string_view kWindowConstants[] = {"Window", "OwnUnit"};

template <size_t N>
bool OneOf(const std::string& name, const std::string_view (&names)[N]) {
  return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

std::string Place(size_t window) { return "windows[" + std::to_string(window) + "]"; }
std::string Place(size_t window, size_t unit) { return Place(window) + ".units[" + std::to_string(unit) + "]"; }

void CheckIdentifier(const std::string& name, const Path& path, const char* what) {
  if (!IsSymbol(name))
    path.Fail("\"" + name + "\" is no C++ identifier: " + what +
              " is ASCII letters, digits and underscores, starting with a letter, without \"__\"");
}

// A name that becomes a namespace or a function beside the header's own names.
void CheckOuterName(const std::string& name, const Path& path, const char* what) {
  CheckIdentifier(name, path, what);
  if (OneOf(name, kKeywords)) path.Fail("\"" + name + "\" is a C++ keyword");
  if (name == "main") path.Fail("\"main\" is the name of the program's entry");
  if (OneOf(name, kHeaderNames)) path.Fail("\"" + name + "\" is a name the generated header gives itself");
}

// A handler named at `path`: where its offset is read from and written to.
struct HandlerUse {
  std::string name;
  int32_t* offset;
  std::string path;
};

std::vector<HandlerUse> HandlerUses(Form& form) {
  std::vector<HandlerUse> uses;
  for (size_t w = 0; w < form.size(); ++w) {
    for (size_t u = 0; u < form[w].units.size(); ++u) {
      FormUnit& unit = form[w].units[u];
      if (unit.menu) {
        uses.push_back({unit.handlerName, &unit.handler, Place(w, u) + ".handler"});
        continue;
      }
      for (size_t b = 0; b < unit.bindings.size(); ++b)
        uses.push_back({unit.bindings[b].handlerName, &unit.bindings[b].handler,
                        Place(w, u) + ".bindings[" + std::to_string(b) + "].handler"});
    }
  }
  return uses;
}

void CheckSymbols(const Form& form) {
  std::map<std::string, size_t> windows;
  for (size_t w = 0; w < form.size(); ++w) {
    const FormWindow& window = form[w];
    if (!window.symbol.empty()) {
      const Path path(Place(w) + ".symbol");
      CheckOuterName(window.symbol, path, "a window's symbol");
      const auto [first, fresh] = windows.emplace(window.symbol, w);
      if (!fresh) path.Fail("\"" + window.symbol + "\" is also the symbol of " + Place(first->second));
    }
    std::map<std::string, size_t> units;
    for (size_t u = 0; u < window.units.size(); ++u) {
      const std::string& symbol = window.units[u].symbol;
      if (symbol.empty()) continue;
      const Path path(Place(w, u) + ".symbol");
      CheckIdentifier(symbol, path, "a symbol");
      if (window.symbol.empty()) path.Fail("a unit's symbol is a name in its window's: give the window a symbol too");
      if (OneOf(symbol, kWindowConstants))
        path.Fail("\"" + symbol + "\" is taken: k" + symbol + " is the window's own id in its namespace");
      const auto [first, fresh] = units.emplace(symbol, u);
      if (!fresh) path.Fail("\"" + symbol + "\" is also the symbol of units[" + std::to_string(first->second) + "]");
    }
  }
}

}  // namespace

bool IsSymbol(const std::string& name) {
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (name.empty() || !letter(name.front()) || name.find("__") != std::string::npos) return false;
  return std::all_of(name.begin(), name.end(), [&](char c) { return letter(c) || digit(c) || c == '_'; });
}

void ResolveNames(Form& form) {
  CheckSymbols(form);

  std::vector<HandlerUse> uses = HandlerUses(form);
  // Offsets the form writes, of named handlers and of handlers known by their offset alone.
  std::set<int32_t> taken;
  std::map<std::string, std::pair<int32_t, std::string>> offsetOf;  // name -> offset, where written
  std::map<int32_t, std::string> nameAt;
  for (const HandlerUse& use : uses) {
    if (*use.offset >= 0) taken.insert(*use.offset);
    if (use.name.empty()) continue;
    const Path path(use.path);
    CheckOuterName(use.name, path, "a handler's name");
    if (*use.offset < 0) continue;
    const auto [first, fresh] = offsetOf.emplace(use.name, std::pair(*use.offset, use.path));
    if (!fresh && first->second.first != *use.offset)
      path.Fail(use.name + " has offset " + std::to_string(first->second.first) + " at " + first->second.second +
                ", not " + std::to_string(*use.offset));
    const auto [named, unnamed] = nameAt.emplace(*use.offset, use.name);
    if (!unnamed && named->second != use.name)
      path.Fail("offset " + std::to_string(*use.offset) + " is also the offset of " + named->second);
  }
  int32_t next = 0;
  for (const HandlerUse& use : uses) {
    if (use.name.empty() || offsetOf.contains(use.name)) continue;
    while (taken.contains(next)) ++next;
    taken.insert(next);
    offsetOf.emplace(use.name, std::pair(next, use.path));
  }
  for (HandlerUse& use : uses)
    if (!use.name.empty()) *use.offset = offsetOf.at(use.name).first;

  for (size_t w = 0; w < form.size(); ++w) {
    if (offsetOf.contains(form[w].symbol))
      Path(Place(w) + ".symbol").Fail("\"" + form[w].symbol + "\" is also the name of a handler");
  }
}

}  // namespace formtool
