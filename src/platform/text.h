#pragma once
// Small text helpers shared by the readers and the builders.

#include <cctype>
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace trevalon {

// The text without the blanks (spaces, tabs, line ends) at either end.
inline std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

// Where key first starts in text, compared without regard to case (ASCII letters); npos when nowhere.
inline std::size_t findNoCase(std::string_view text, std::string_view key) {
    if (key.empty()) return 0;
    if (text.size() < key.size()) return std::string_view::npos;
    const auto low = [](char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; };
    for (std::size_t i = 0; i + key.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < key.size() && low(text[i + k]) == low(key[k])) ++k;
        if (k == key.size()) return i;
    }
    return std::string_view::npos;
}

// The most characters of an input item a message repeats.
inline constexpr std::size_t kMaxCitazione = 80;

// An input item as a message quotes it: in double quotes, and when longer than kMaxCitazione characters
// its first ones (never half a UTF-8 character), "..." and how long the item is, so that a message stays
// short whatever the file holds.
inline std::string citazione(std::string_view item) {
    if (item.size() <= kMaxCitazione) return "\"" + std::string(item) + "\"";
    std::size_t n = kMaxCitazione;
    while (n > 0 && (static_cast<unsigned char>(item[n]) & 0xC0) == 0x80) --n;
    return "\"" + std::string(item.substr(0, n)) + "...\" (" + std::to_string(item.size()) + " characters)";
}

// The lines of a text one at a time, as views into it: a line ends at "\n", at "\r\n" or at a "\r" alone,
// and its end is not part of it. A line end at the very end of the text starts no further line, so an
// empty text has no line and "a\n" one.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    // The next line into `line`; false when the text is used up.
    bool next(std::string_view& line) {
        if (rest_.empty()) return false;
        const std::size_t end = rest_.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            line = rest_;
            rest_ = {};
            return true;
        }
        line = rest_.substr(0, end);
        const bool crlf = rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n';
        rest_.remove_prefix(end + (crlf ? 2 : 1));
        return true;
    }

  private:
    std::string_view rest_;
};

// Seconds as a plain decimal number with at most three decimals and no trailing zeros ("2.5", "0", "12").
inline std::string testoSecondi(double seconds) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", seconds);
    std::string s = buf;
    // Drop the zeros after the decimal point, and the point itself when nothing is left after it.
    s.erase(s.find_last_not_of('0') + 1);
    if (!s.empty() && s.back() == '.') s.pop_back();
    if (s == "-0") s = "0";
    return s;
}

}  // namespace trevalon
