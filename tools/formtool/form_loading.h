#pragma once
// What the previewing commands (show, render) read: a form source, compiled in memory with the
// checks and messages of `formtool compile`, or template data as it is.
#include <QByteArray>
#include <QJsonObject>
#include <QStringList>

#include <string>

namespace formtool {

struct LoadedForm {
  QByteArray templateBytes;  // empty when `error` is set
  // A form source's accessible names, as the program embeds them; empty for template data.
  QByteArray accessibleNames;
  // "FORM: what is wrong, with its place", as `formtool compile` says it; empty when loaded.
  std::string error;
  // Every file the form is made of: the form itself, then, for a form source, each file it
  // names (pictures, icons, sounds, raw data pieces), as absolute paths. Known even when the
  // source does not compile, as far as it can be read as JSON.
  QStringList files;
  // A form source as read, leniently (what it names is known even when it does not compile);
  // empty for template data.
  QJsonObject source;
  // A form source's text as read; empty for template data.
  QByteArray text;
};

// A path ending in ".json" (any case) is a form source; anything else is template data.
bool IsFormSource(const std::string& path);

LoadedForm LoadForm(const std::string& path);

}  // namespace formtool
