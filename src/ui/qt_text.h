#pragma once

#include <QString>
#include <string_view>

namespace cratefall::ui {

// The screens speak UTF-8 std::string; Qt speaks QString. The conversion lives here only.
inline QString qtext(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace cratefall::ui
