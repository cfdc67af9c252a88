#pragma once
// The readable form description (JSON) that `formtool compile` reads.
//
//   {"windows": [{"id", "opaque", "module", "text1", "text2", "units": [unit...]}]}
//   unit:  {"id", "type", "event_source", "name", "text2", "left", "top", "width", "height",
//           "parent", "children": [id...], "pointer": n | "pointer_data": "hex",
//           "tag", "flags", "tab_order", "bindings": [{"event", "handler"}], "data"}
//   menu item: {"menu": true, "id", "type", "event_source", "name", "text2", "shortcut",
//               "level", "state", "caption", "handler"}
//
// Numbers are JSON numbers or strings ("0x52010001"); anything absent is 0 or empty, except a
// menu item's type (0x10003) and handler (-1). "pointer" n is the 4-byte value n. Handlers are
// offsets, -1 for none. "data" is hex, or a list of pieces written one after the other:
// {"hex"}, {"u8"}, {"u16"}, {"u32"}, {"text"} (zero-terminated), {"ctext"} (a 32-bit byte count,
// then the text: how unit types store texts), {"file"} (the file's bytes; with "counted": true
// preceded by their 32-bit count). Files are relative to the source.
// Texts are UTF-8 and are written as GBK. The "bytes" and "index" keys that `formtool dump
// --json` writes are accepted and ignored, so its output compiles back to the same bytes.
#include <QByteArray>
#include <QDir>
#include <string>
#include <variant>

#include "tools/formtool/form.h"

namespace formtool {

// The form, or a message saying where the description is wrong.
std::variant<Form, std::string> ParseFormSource(const QByteArray& json, const QDir& baseDir);

}  // namespace formtool
