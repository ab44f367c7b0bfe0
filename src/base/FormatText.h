#pragma once
// printf into a string of any length, for the messages that are kept as format constants so that
// a translation can take them whole.

#include <cstdio>
#include <string>

namespace zel {

template <typename... Args>
std::string FormatText(const char* format, Args... values) {
    const int size = std::snprintf(nullptr, 0, format, values...);
    if (size <= 0) return {};
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, values...);
    text.resize(static_cast<std::size_t>(size));
    return text;
}

}  // namespace zel
