// The program's texts are UTF-8; they cross into Qt's in this one way.
#pragma once

#include <QString>

#include <string_view>

namespace tessaro::ui {

inline QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace tessaro::ui
