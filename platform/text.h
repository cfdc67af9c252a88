#pragma once
// GBK text at the Qt boundary.
#include <QString>

#include <string>
#include <string_view>

namespace platform {

QString FromGbk(std::string_view gbk);
// A character that GBK cannot hold becomes "?".
std::string ToGbk(const QString& text);

}  // namespace platform
