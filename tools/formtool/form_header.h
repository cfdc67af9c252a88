#pragma once
// The C++ header through which a program knows its form by name, written by `formtool compile
// --header`. Inside the program's namespace it holds, in this order:
//
//   - for each window with a symbol, a namespace of that name with kWindow (the window's id),
//     kOwnUnit (the id of its own unit, entry 0) and k<Symbol> for each unit and menu item of
//     the window that has a symbol;
//   - the declaration of every handler the form names, as the host calls it, which the program
//     defines in the same namespace;
//   - handler_offset::k<Handler>, the offset the template stores for each handler;
//   - kHandlerTable, every offset with its handler in ascending order, for the program header
//     (runtime::ProgramHeader::handlers). The table refers to each handler: a program that uses
//     it and lacks a handler the form names does not link.
//
// A section for another table of the form is added as one more piece of the same namespace.
#include <string>

#include "tools/formtool/form.h"
#include "tools/formtool/source_values.h"

namespace formtool {

// Whether `name` can be the program's namespace: symbols joined by "::".
bool IsNamespaceName(const std::string& name);

// The header of `form`, which was compiled from the file named `sourceName`, in namespace
// `nameSpace`. Throws SourceError at a handler that the form gives by its offset alone, which
// the header cannot name.
std::string FormHeader(const Form& form, const std::string& nameSpace, const std::string& sourceName);

}  // namespace formtool
