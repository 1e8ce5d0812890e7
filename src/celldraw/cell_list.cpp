#include "celldraw/cell_list.h"

#include <cmath>
#include <cstdlib>

#include "platform/text.h"

namespace trevalon {

namespace {

// A decimal number, possibly with a fraction, to the nearest whole number with halves to the even one.
bool numero(std::string_view t, int& out) {
    t = trim(t);
    if (t.empty() || t.size() > 12) return false;
    const std::string s(t);
    char* fine = nullptr;
    const double v = std::strtod(s.c_str(), &fine);
    if (fine != s.c_str() + s.size() || !std::isfinite(v) || std::fabs(v) > 1e9) return false;
    out = static_cast<int>(std::nearbyint(v));
    return true;
}

}  // namespace

std::string testoListaDis(const ListaCelleDis& lista) {
    std::string out;
    for (const PuntoDis& p : lista) out += std::to_string(p.r) + "," + std::to_string(p.c) + "|";
    return out;
}

Result<ListaCelleDis> leggiListaDis(std::string_view testo) {
    ListaCelleDis out;
    while (true) {
        const std::size_t bar = testo.find('|');
        if (bar == std::string_view::npos) break;
        const std::string_view voce = testo.substr(0, bar);
        testo.remove_prefix(bar + 1);
        const std::size_t virgola = voce.find(',');
        PuntoDis p;
        const std::size_t seconda = virgola == std::string_view::npos ? virgola : voce.find(',', virgola + 1);
        if (virgola == std::string_view::npos || !numero(voce.substr(0, virgola), p.r) ||
            !numero(voce.substr(virgola + 1, seconda == std::string_view::npos ? std::string_view::npos
                                                                               : seconda - virgola - 1),
                    p.c))
            return fail("the cell list item \"" + std::string(voce) + "\" is not a row and a column");
        out.push_back(p);
    }
    return out;
}

}  // namespace trevalon
