// formtool compile on arbitrary text: a form description, with its unit types and properties
// named or given as raw data, either compiles to window template data that the runtime reads
// back, or is refused with a message; nothing else. The header of the names it gives is written
// or refused with a message too.
#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#include "base/template/template_reader.h"
#include "tools/formtool/form_header.h"
#include "tools/formtool/form_source.h"
#include "tools/formtool/template_writer.h"
#include "tools/formtool/unit_catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Files named relative to the source are looked for in an empty folder.
  static QTemporaryDir base;
  const QByteArray json(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  std::variant<formtool::Form, std::string> form = formtool::ParseFormSource(json, QDir(base.path()), formtool::ProgramUnitTypes());
  if (const auto* error = std::get_if<std::string>(&form)) {
    if (error->empty()) std::abort();  // a refusal always says why
    return 0;
  }
  std::vector<uint8_t> bytes;
  try {
    bytes = formtool::WriteTemplate(std::get<formtool::Form>(form));
  } catch (const std::length_error&) {
    return 0;  // too large for the format: refused with this message
  }
  if (!runtime::ReadTemplateAsStored(bytes)) std::abort();  // what compiles must read back
  try {
    if (formtool::FormHeader(std::get<formtool::Form>(form), "form", "fuzz.json").empty()) std::abort();
  } catch (const formtool::SourceError& e) {
    if (e.message.empty()) std::abort();
  }
  return 0;
}
