#include "platform/module_loader.h"

#include <QLibrary>
#include <QString>

#include "platform/program_path.h"

namespace platform {

void* LoadModuleEntry(const std::string& name, const char* entry) {
  // Installed: the program's private module folder. Built: the build tree's lib folder, or next
  // to the program. Always found from the program's own place, never from the current directory.
  const std::string directory = ProgramDirectory();
  for (const std::string& place : {directory + "/" QUARLEX_MODULES_FROM_PROGRAM "/" + name,
                                   directory + "/../lib/" + name, directory + "/" + name}) {
    QLibrary module(QString::fromStdString(place));
    if (!module.load()) continue;
    if (void* address = reinterpret_cast<void*>(module.resolve(entry))) return address;
  }
  return nullptr;
}

}  // namespace platform
