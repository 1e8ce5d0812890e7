#include "model/knot_files.h"

#include <algorithm>
#include <cctype>

#include "platform/safe_file.h"
#include "platform/text.h"

namespace trevalon {

namespace {

constexpr std::string_view kGauss = "GAUSSCODE=";
constexpr std::string_view kIndices = "INDICES=";

// Calls item(x) for every comma-separated item of s, in order, while it returns true; false when it did not.
template <class Item>
bool perOgniVoce(std::string_view s, const Item& item) {
    for (;;) {
        const std::size_t comma = s.find(',');
        if (!item(s.substr(0, comma))) return false;
        if (comma == std::string_view::npos) return true;
        s.remove_prefix(comma + 1);
    }
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
    const bool letto = perOgniVoce(value, [&](std::string_view item) {
        item = trim(item);
        char sign = '+';
        if (!item.empty() && (item.front() == '+' || item.front() == '-')) {
            sign = item.front();
            item.remove_prefix(1);
        }
        if (!allDigits(item)) return false;
        out += sign;
        out += item;
        return true;
    });
    if (!letto) {
        out.clear();
        return false;
    }
    std::rotate(out.begin(), out.begin() + 1, out.end());
    return true;
}

bool lettersFromValue(std::string_view value, std::string& out) {
    out.clear();
    if (trim(value).empty()) return true;
    return perOgniVoce(value, [&](std::string_view item) {
        item = trim(item);
        if (item == "1" || item == "+1")
            out += 'O';
        else if (item == "-1")
            out += 'V';
        else
            return false;
        return true;
    });
}

}  // namespace

Result<CodiceGauss> leggiCodiceGaussTesto(std::string_view fileText) {
    bool haveGauss = false, haveIndices = false;
    std::string_view gaussValue, indicesValue;
    LineReader lines(fileText);
    std::string_view line;
    while (lines.next(line)) {
        if (const auto at = findNoCase(line, kGauss); at != std::string_view::npos) {
            haveGauss = true;
            gaussValue = line.substr(at + kGauss.size());
        }
        if (const auto at = findNoCase(line, kIndices); at != std::string_view::npos) {
            haveIndices = true;
            indicesValue = line.substr(at + kIndices.size());
        }
    }
    CodiceGauss codice;
    if (!haveGauss || !gaussFromValue(gaussValue, codice.txtNodo)) return fail(kErroreCodiceGau);
    if (!haveIndices || !lettersFromValue(indicesValue, codice.TxtOri)) return fail(kErroreIndiciGau);
    return codice;
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

namespace {

// "R,C": two decimal numbers and a comma, blanks around them allowed.
bool intestazioneDisegnoTesto(std::string_view riga) {
    const std::size_t virgola = riga.find(',');
    if (virgola == std::string_view::npos) return false;
    const auto numero = [](std::string_view v) {
        v = trim(v);
        return !v.empty() && std::all_of(v.begin(), v.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
    };
    return numero(riga.substr(0, virgola)) && numero(riga.substr(virgola + 1));
}

}  // namespace

std::string tipoFileKnot(std::string_view testo) {
    bool g = false, o = false, s = false;
    LineReader linee(testo);
    std::string_view riga, prima;
    for (bool primaRiga = true; linee.next(riga); primaRiga = false) {
        if (primaRiga) prima = riga;
        if (findNoCase(riga, "GAUSSCODE=") != std::string_view::npos) g = true;
        if (findNoCase(riga, "OBJECT=") != std::string_view::npos) o = true;
        if (findNoCase(riga, "SOURCE=") != std::string_view::npos) s = true;
    }
    if (o) return "O";
    if (g) return "G";
    if (s) return "S";
    // A text drawing has no key: its first line is the header "R,C" of its size.
    if (!testo.empty() && intestazioneDisegnoTesto(prima)) return "S";
    return {};
}

std::string messaggioNessunTipo(std::string_view testo) {
    std::string messaggio = "No Fikle Knot";
    if (testo.find('\0') == std::string_view::npos) {
        // What a knot file holds, for a file that holds none of it.
        constexpr std::string_view kTipi =
            "a knot file has a line \"GaussCode=\" (with \"Indices=\"), \"Object=\" or \"Source=\", or is a "
            "text drawing whose first line is its size \"R,C\".";
        messaggio += testo.empty()         ? "\nThe file is empty: "
                     : trim(testo).empty() ? "\nThe file holds only blanks and line ends: "
                                           : "\nThe file holds no key of a knot file: ";
        return messaggio + std::string(kTipi);
    }
    using namespace std::string_view_literals;
    const bool bom32 = testo.starts_with("\xFF\xFE\0\0"sv) || testo.starts_with("\0\0\xFE\xFF"sv);
    const bool bom16 = !bom32 && (testo.starts_with("\xFF\xFE"sv) || testo.starts_with("\xFE\xFF"sv));
    messaggio += "\nThe file is not text in a single-byte encoding";
    messaggio += bom32   ? " (it is UTF-32)"
                 : bom16 ? " (it is UTF-16)"
                         : " (it holds NUL bytes, as UTF-16 or UTF-32 text does)";
    return messaggio + ": a knot file is plain text of one byte a character.";
}

Status leggiTestoFile(const std::string& percorso, std::string& testo) {
    testo.clear();
    // A knot file is a few lines of text; anything far larger is not one.
    FileRead letto = readRegularFile(percorso, kMaxKnotFileBytes);
    if (letto.refusal != ReadRefusal::None) return fail(readRefusalMessage(letto, percorso));
    testo = std::move(letto.bytes);
    return {};
}

}  // namespace trevalon
