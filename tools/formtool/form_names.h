#pragma once
// The names a form gives program code: the symbols of its windows, units and menu items, and the
// names of the handlers its events are bound to. None of them enters the template data; the
// header formtool writes beside the template gives them to the program (form_header.h).
//
// A symbol and a handler name are C++ identifiers of ASCII letters, digits and underscores that
// start with a letter and hold no "__". A window's symbol names the namespace of its ids, so it
// may not be a C++ keyword, nor the name of a handler or of another window; a unit's or menu
// item's symbol names a constant k<Symbol> in its window's namespace, so it is given once in its
// window, only in a window that has a symbol, and is neither "Window" nor "OwnUnit" (the
// constants of the window's own ids).
//
// The offset of a named handler is the one the form writes beside it ("offset"), or else the
// lowest offset from 0 up that no other handler of the form takes, given in the order the form
// first names the handlers (windows in order, then their units and menu items, then a unit's
// bindings, in the order written). A name keeps one offset, and an offset one name.
#include "tools/formtool/form.h"
#include "tools/formtool/source_values.h"

namespace formtool {

// Whether `name` is such an identifier.
bool IsSymbol(const std::string& name);

// Checks every symbol and handler name of `form` as above and gives each named handler its
// offset. Throws SourceError naming the place ("windows[1].units[3].symbol: ...").
void ResolveNames(Form& form);

}  // namespace formtool
