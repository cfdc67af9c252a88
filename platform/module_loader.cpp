#include "platform/module_loader.h"

#include <QLibrary>
#include <QString>

#include "platform/program_path.h"

namespace platform {

void* LoadModuleEntry(const std::string& name, const char* entry) {
  // Next to the program, else in the build's lib folder.
  const std::string directory = ProgramDirectory();
  for (const std::string& place : {directory + "/" + name, directory + "/../lib/" + name}) {
    QLibrary module(QString::fromStdString(place));
    if (!module.load()) continue;
    if (void* address = reinterpret_cast<void*>(module.resolve(entry))) return address;
  }
  return nullptr;
}

}  // namespace platform
