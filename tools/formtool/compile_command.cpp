#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <optional>
#include <stdexcept>

#include "tools/formtool/command_args.h"
#include "tools/formtool/form_header.h"
#include "tools/formtool/form_source.h"
#include "tools/formtool/pending_files.h"
#include "tools/formtool/source_values.h"
#include "tools/formtool/template_writer.h"

namespace formtool {
namespace {

constexpr const char* kUsage =
    "usage: formtool compile SOURCE -o OUT [--header FILE.h] [--namespace NAME] [--names NAMES_OUT]\n";
constexpr const char* kDefaultNamespace = "form";

int Fail(const std::string& message) {
  std::fprintf(stderr, "formtool compile: %s\n", message.c_str());
  return 1;
}

// What compile writes beside the template, each named by an option that takes a value.
struct Extras {
  std::string header;
  std::string nameSpace;
  std::string names;  // the table of accessible names that goes beside the template
};

// Takes the options out of `args`, leaving the input and "-o OUTPUT"; false on an option
// without its value or given twice.
bool TakeOptions(Args& args, Extras& extras) {
  struct Option {
    const char* name;
    std::string* value;
  };
  const Option options[] = {
      {"--header", &extras.header}, {"--namespace", &extras.nameSpace}, {"--names", &extras.names}};
  Args rest;
  for (size_t i = 0; i < args.size(); ++i) {
    const Option* option = nullptr;
    for (const Option& o : options)
      if (args[i] == o.name) option = &o;
    if (option == nullptr) {
      rest.push_back(args[i]);
      continue;
    }
    if (i + 1 >= args.size() || !option->value->empty() || args[i + 1].empty()) return false;
    *option->value = args[++i];
  }
  args = rest;
  return true;
}

// The file's bytes, or nothing when it cannot be read.
std::optional<QByteArray> Contents(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return file.readAll();
}

}  // namespace

int Compile(const Args& arguments) {
  Args args = arguments;
  Extras extras;
  std::string source;
  std::string output;
  if (!TakeOptions(args, extras) || !InputAndOutput(args, source, output) ||
      (!extras.nameSpace.empty() && extras.header.empty())) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (extras.nameSpace.empty()) extras.nameSpace = kDefaultNamespace;
  if (!IsNamespaceName(extras.nameSpace))
    return Fail("--namespace " + extras.nameSpace + ": expected C++ identifiers joined by ::");

  QFile in(QString::fromStdString(source));
  if (!in.open(QIODevice::ReadOnly)) return Fail("cannot read " + source);
  std::variant<Form, std::string> form = ParseFormSource(in.readAll(), QFileInfo(in).absoluteDir(), ProgramUnitTypes());
  if (auto* error = std::get_if<std::string>(&form)) return Fail(source + ": " + *error);

  std::vector<uint8_t> bytes;
  QByteArray header;
  try {
    bytes = WriteTemplate(std::get<Form>(form));
    if (!extras.header.empty())
      header = QByteArray::fromStdString(
          FormHeader(std::get<Form>(form), extras.nameSpace, QFileInfo(in).fileName().toStdString()));
  } catch (const std::length_error& e) {
    return Fail(source + ": " + e.what());
  } catch (const SourceError& e) {
    return Fail(source + ": " + e.message);
  }
  PendingFiles out;
  std::string error;
  const QByteArray data(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
  if (!out.Write(QString::fromStdString(output), data, &error)) return Fail(error);
  if (!extras.names.empty()) {
    const std::vector<uint8_t> names = AccessibleNames(std::get<Form>(form));
    const QByteArray table(reinterpret_cast<const char*>(names.data()), static_cast<qsizetype>(names.size()));
    if (!out.Write(QString::fromStdString(extras.names), table, &error)) return Fail(error);
  }
  // A header that says what it said keeps its time, so that the sources including it are not
  // compiled again for a change of the form that names nothing new.
  const QString headerPath = QString::fromStdString(extras.header);
  if (!extras.header.empty() && Contents(headerPath) != header && !out.Write(headerPath, header, &error))
    return Fail(error);
  if (!out.Commit(&error)) return Fail(error);
  return 0;
}

}  // namespace formtool
