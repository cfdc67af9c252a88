#pragma once
// A copy of a form's folder, pictures and all, so that the files a form names are found beside a
// copy of the form.
#include <QString>

namespace formtool {

// Copies every file below `from` to the same place below `to`; false when one could not be copied.
bool CopyFolder(const QString& from, const QString& to);

}  // namespace formtool
