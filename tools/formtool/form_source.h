#pragma once
// The readable form description (JSON) that `formtool compile` reads.
//
//   {"windows": [{"id", "symbol", "opaque", "module", "text1", "text2", "units": [unit...]}]}
//   unit:  {"id", "symbol", "type", "event_source", "name", "text2", "left", "top", "width",
//           "height", "parent", "children": [id...], "pointer": n | "pointer_data": "hex",
//           "tag", "flags", "tab_order", "bindings": [{"event", "handler", "offset"}],
//           "properties" | "data", "accessible_name",
//           "accessible_description", "reading_order"}
//   menu item: {"menu": true, "id", "symbol", "type", "event_source", "name", "text2",
//               "shortcut", "level", "state", "caption", "handler", "offset"}
//
// A window, unit or menu item may carry a "symbol", the name code knows it by; `formtool show`
// names it when a unit is Ctrl+clicked.
// Numbers are JSON numbers or strings ("0x52010001"); anything absent is 0 or empty, except a
// menu item's type (0x10003) and handler (-1). A type is its id or its English name ("EditBox").
// "pointer" n is the 4-byte value n. A handler is its name ("CalculateScore"), with its
// "offset" beside it or none (then formtool gives it one), or its offset alone, -1 for none.
// Symbols and handler names are names for program code (form_names.h).
//
// A unit's property data is given by name, "properties": {NAME: VALUE, ...}, for a type with a
// property table; a property not named keeps its default. Integers are numbers, choices numbers
// or the names of their values, logicals true or false, colours numbers or "0x00BBGGRR" strings, texts strings, a character a
// string of one character, fonts {"height", "width", "escapement", "orientation", "weight",
// "italic", "underline", "strikeOut", "charSet", "outPrecision", "clipPrecision", "quality",
// "pitchAndFamily", "faceName"} or null, pictures, icons and sounds {"file": PATH} or null.
//
// Or it is given raw: "data" is hex, or a list of pieces written one after the other:
// {"hex"}, {"u8"}, {"u16"}, {"u32"}, {"text"} (zero-terminated), {"ctext"} (a 32-bit byte count,
// then the text: how unit types store texts), {"file"} (the file's bytes; with "counted": true
// preceded by their 32-bit count). Files are relative to the source.
// "accessible_name", "accessible_description" (texts) and "reading_order" (a number from 1, lower
// read first) are what assistive technology reads for the unit, or for the window on its own
// unit; they do not go into the template but into the table beside it (AccessibleNames).
// Texts are UTF-8 and are written as GBK. The "bytes" and "index" keys that `formtool dump
// --json` writes are accepted and ignored and its "type_name" beside a unit's type must name that
// type, so its output compiles back to the same bytes; in such a listing (a description with
// "bytes" at the top) a unit's "properties" beside its "data" are a reading of the data and are
// ignored too. A key given twice in one object is refused, and so is "010" for a number.
#include <QByteArray>
#include <QDir>
#include <string>
#include <variant>

#include "tools/formtool/form.h"
#include "tools/formtool/unit_catalogue.h"

namespace formtool {

// The form, or a message saying where the description is wrong. Unit types are named, and
// properties given by name, for the types of `types`.
std::variant<Form, std::string> ParseFormSource(const QByteArray& json, const QDir& baseDir,
                                                const UnitCatalogue& types = UnitCatalogue());

// The table of accessible names, descriptions and reading orders of the form's windows and units,
// to embed beside the template; one without entries when the form gives none.
std::vector<uint8_t> AccessibleNames(const Form& form);

}  // namespace formtool
