#include "platform/text.h"

#include "platform/gbk.h"

namespace platform {

QString FromGbk(std::string_view gbk) { return QString::fromStdString(GbkToUtf8(gbk)); }

std::string ToGbk(const QString& text) { return Utf8ToGbk(text.toStdString()); }

}  // namespace platform
