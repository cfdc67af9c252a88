#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>
#include <stdexcept>

#include "runtime/template/template_reader.h"
#include "tools/formtool/command_args.h"
#include "tools/formtool/form_decompiler.h"
#include "tools/formtool/form_source.h"
#include "tools/formtool/template_writer.h"

namespace formtool {
namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "formtool decompile: %s\n", message.c_str());
  return 1;
}

bool WriteFile(const QString& path, const char* data, size_t size) {
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(data, static_cast<qint64>(size)) == static_cast<qint64>(size) &&
         file.commit();
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

  QFile in(QString::fromStdString(source));
  if (!in.open(QIODevice::ReadOnly)) return Fail("cannot read " + source);
  const QByteArray bytes = in.readAll();
  std::optional<runtime::WindowTable> windows = runtime::ReadTemplateAsStored(
      std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())));
  if (!windows) {
    std::fputs("载入窗口模板数据段出错!\n", stderr);
    return 1;
  }

  const QFileInfo target(QString::fromStdString(output));
  const DecompiledForm form = DecompileTemplate(*windows, ProgramUnitTypes(), target.completeBaseName().toStdString());
  const QDir dir = target.absoluteDir();
  for (const auto& [name, data] : form.files) {
    const QString path = dir.filePath(QString::fromStdString(name));
    if (!WriteFile(path, reinterpret_cast<const char*>(data.data()), data.size()))
      return Fail("cannot write " + path.toStdString());
  }
  if (!WriteFile(target.filePath(), form.json.data(), form.json.size())) return Fail("cannot write " + output);
  std::string why;
  if (!CompilesBack(form.json, dir, bytes, why)) return Fail(output + " does not give back " + source + ": " + why);
  return 0;
}

}  // namespace formtool
