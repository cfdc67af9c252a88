#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <stdexcept>

#include "tools/formtool/command_args.h"
#include "tools/formtool/form_source.h"
#include "tools/formtool/pending_files.h"
#include "tools/formtool/template_writer.h"

namespace formtool {
namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "formtool compile: %s\n", message.c_str());
  return 1;
}

}  // namespace

int Compile(const Args& given) {
  // "--names FILE" also writes the table of accessible names that goes beside the template.
  Args args;
  std::string namesOutput;
  for (size_t i = 0; i < given.size(); ++i) {
    if (given[i] == "--names" && i + 1 < given.size() && namesOutput.empty()) namesOutput = given[++i];
    else args.push_back(given[i]);
  }
  std::string source;
  std::string output;
  if (!InputAndOutput(args, source, output)) {
    std::fputs("usage: formtool compile SOURCE -o OUT [--names NAMES_OUT]\n", stderr);
    return 2;
  }

  QFile in(QString::fromStdString(source));
  if (!in.open(QIODevice::ReadOnly)) return Fail("cannot read " + source);
  std::variant<Form, std::string> form = ParseFormSource(in.readAll(), QFileInfo(in).absoluteDir(), ProgramUnitTypes());
  if (auto* error = std::get_if<std::string>(&form)) return Fail(source + ": " + *error);

  std::vector<uint8_t> bytes;
  try {
    bytes = WriteTemplate(std::get<Form>(form));
  } catch (const std::length_error& e) {
    return Fail(source + ": " + e.what());
  }
  PendingFiles out;
  std::string error;
  const QByteArray data(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
  if (!out.Write(QString::fromStdString(output), data, &error)) return Fail(error);
  if (!namesOutput.empty()) {
    const std::vector<uint8_t> names = AccessibleNames(std::get<Form>(form));
    const QByteArray table(reinterpret_cast<const char*>(names.data()), static_cast<qsizetype>(names.size()));
    if (!out.Write(QString::fromStdString(namesOutput), table, &error)) return Fail(error);
  }
  if (!out.Commit(&error)) return Fail(error);
  return 0;
}

}  // namespace formtool
