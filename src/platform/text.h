#pragma once
// Small text helpers shared by the readers and the builders.

#include <cctype>
#include <string_view>

namespace trevalon {

// The text without the blanks (spaces, tabs, line ends) at either end.
inline std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

}  // namespace trevalon
