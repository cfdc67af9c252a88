#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <stdexcept>

#include "tools/formtool/command_args.h"
#include "tools/formtool/form_decompiler.h"
#include "tools/formtool/form_source.h"
#include "tools/formtool/pending_files.h"
#include "tools/formtool/template_file.h"
#include "tools/formtool/template_writer.h"

namespace formtool {
namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "formtool decompile: %s\n", message.c_str());
  return 1;
}

// Whether the description compiles to exactly `original`: fields a description does not hold
// (reserved words, run-time slots) are zero in data formtool wrote, but need not be elsewhere.
bool CompilesBack(const std::string& json, const QDir& dir, const QByteArray& original, std::string& why) {
  std::variant<Form, std::string> form = ParseFormSource(QByteArray::fromStdString(json), dir, ProgramUnitTypes());
  if (auto* error = std::get_if<std::string>(&form)) {
    why = *error;
    return false;
  }
  try {
    std::vector<uint8_t> bytes = WriteTemplate(std::get<Form>(form));
    if (QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())) == original)
      return true;
    why = "it compiles to other bytes: the template holds what a form does not describe";
  } catch (const std::length_error& e) {
    why = e.what();
  }
  return false;
}

}  // namespace

int Decompile(const Args& args) {
  std::string source;
  std::string output;
  if (!InputAndOutput(args, source, output)) {
    std::fputs("usage: formtool decompile TEMPLATE -o FORM.json\n", stderr);
    return 2;
  }

  std::optional<TemplateFile> in = ReadTemplateFile(source, "decompile");
  if (!in) return 1;

  const QFileInfo target(QString::fromStdString(output));
  const DecompiledForm form =
      DecompileTemplate(in->windows, ProgramUnitTypes(), target.completeBaseName().toStdString());
  // The description must give the template back before anything is written: it is checked with
  // its files in a folder of its own, then it and its files take their places together.
  QTemporaryDir scratch;
  if (!scratch.isValid()) return Fail("cannot make a temporary folder: " + scratch.errorString().toStdString());
  for (const auto& [name, data] : form.files) {
    QFile file(scratch.filePath(QString::fromStdString(name)));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(data.data()), static_cast<qint64>(data.size())) !=
            static_cast<qint64>(data.size()))
      return Fail("cannot write " + file.fileName().toStdString());
  }
  std::string why;
  if (!CompilesBack(form.json, QDir(scratch.path()), in->bytes, why))
    return Fail(output + " does not give back " + source + ": " + why + "; nothing is written");

  PendingFiles out;
  const QDir dir = target.absoluteDir();
  for (const auto& [name, data] : form.files) {
    if (!out.Write(dir.filePath(QString::fromStdString(name)),
                   QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size())), &why))
      return Fail(why);
  }
  if (!out.Write(target.filePath(), QByteArray::fromStdString(form.json), &why) || !out.Commit(&why)) return Fail(why);
  return 0;
}

}  // namespace formtool
