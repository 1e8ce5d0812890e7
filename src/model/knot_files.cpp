#include "model/knot_files.h"

#include <cctype>

#include "platform/text.h"

namespace trevalon {

namespace {

constexpr std::string_view kGauss = "GAUSSCODE=";
constexpr std::string_view kIndices = "INDICES=";

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& ch : out) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return out;
}

std::vector<std::string_view> splitComma(std::string_view s) {
    std::vector<std::string_view> items;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = s.find(',', start);
        items.push_back(
            s.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return items;
}

bool allDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char ch : s)
        if (!std::isdigit(static_cast<unsigned char>(ch))) return false;
    return true;
}

// "1,-2,3" -> "1-2+3+": every item gets its sign in front, then the first sign goes to the end.
bool gaussFromValue(std::string_view value, std::string& out) {
    out.clear();
    if (trim(value).empty()) return true;
    std::string text;
    for (std::string_view item : splitComma(value)) {
        item = trim(item);
        char sign = '+';
        if (!item.empty() && (item.front() == '+' || item.front() == '-')) {
            sign = item.front();
            item.remove_prefix(1);
        }
        if (!allDigits(item)) return false;
        text += sign;
        text += item;
    }
    out = text.substr(1) + text.front();
    return true;
}

bool lettersFromValue(std::string_view value, std::string& out) {
    out.clear();
    if (trim(value).empty()) return true;
    for (std::string_view item : splitComma(value)) {
        item = trim(item);
        if (item == "1" || item == "+1")
            out += 'O';
        else if (item == "-1")
            out += 'V';
        else
            return false;
    }
    return true;
}

}  // namespace

Result<CodiceGauss> leggiCodiceGaussRighe(const std::vector<std::string>& lines) {
    bool haveGauss = false, haveIndices = false;
    std::string gaussValue, indicesValue;
    for (std::string_view line : lines) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::string up = upper(line);
        if (const auto at = up.find(kGauss); at != std::string::npos) {
            haveGauss = true;
            gaussValue = std::string(line.substr(at + kGauss.size()));
        }
        if (const auto at = up.find(kIndices); at != std::string::npos) {
            haveIndices = true;
            indicesValue = std::string(line.substr(at + kIndices.size()));
        }
    }
    CodiceGauss codice;
    if (!haveGauss || !gaussFromValue(gaussValue, codice.txtNodo)) return fail(kErroreCodiceGau);
    if (!haveIndices || !lettersFromValue(indicesValue, codice.TxtOri)) return fail(kErroreIndiciGau);
    return codice;
}

Result<CodiceGauss> leggiCodiceGaussTesto(std::string_view fileText) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= fileText.size()) {
        const std::size_t nl = fileText.find('\n', start);
        if (nl == std::string_view::npos) {
            if (start < fileText.size()) lines.emplace_back(fileText.substr(start));
            break;
        }
        lines.emplace_back(fileText.substr(start, nl - start));
        start = nl + 1;
    }
    return leggiCodiceGaussRighe(lines);
}

std::string valoreGaussCode(std::string_view txtNodo) {
    if (txtNodo.empty()) return {};
    std::string moved;
    moved += txtNodo.back();
    moved += txtNodo.substr(0, txtNodo.size() - 1);
    std::string out;
    for (char ch : moved) {
        if (ch == '-' || ch == '+') out += ',';
        if (ch != '+') out += ch;
    }
    return out.substr(1);
}

std::string valoreIndices(std::string_view TxtOri) {
    std::string out;
    for (char ch : TxtOri) {
        if (!out.empty()) out += ',';
        if (ch == 'V')
            out += "-1";
        else if (ch == 'O')
            out += "1";
        else
            out += ch;
    }
    return out;
}

std::string testoFileGaussCode(std::string_view txtNodo, std::string_view TxtOri) {
    return "GaussCode=" + valoreGaussCode(txtNodo) + "\r\nIndices=" + valoreIndices(TxtOri) + "\r\n";
}

}  // namespace trevalon
