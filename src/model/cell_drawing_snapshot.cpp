#include "model/cell_drawing_snapshot.h"

#include <algorithm>
#include <vector>

#include "platform/text.h"

namespace trevalon {

namespace {

// A decimal number 0..max, or -1.
int numero(std::string_view s, int max) {
    s = trim(s);
    if (s.empty() || s.size() > 6) return -1;
    int v = 0;
    for (char ch : s) {
        if (!std::isdigit(static_cast<unsigned char>(ch))) return -1;
        v = v * 10 + (ch - '0');
    }
    return v <= max ? v : -1;
}

}  // namespace

std::string serializzaCelDis(const CellDrawing& tblGen, const std::function<void()>& tick) {
    std::string out;
    // Outside the used box every cell is empty.
    const UsedArea u = tblGen.usata();
    for (int r = 1; r <= kMaxRigheDis; ++r) {
        if (tick) tick();
        if (r < u.r0 || r > u.r1) continue;
        for (int c = std::max(u.c0, 1); c <= u.c1; ++c) {
            // Empty cells are not written, nor a marker a redraw may have left: only line codes.
            const char k = tblGen.at(r, c).codice;
            if (k < '1' || k > '8') continue;
            out += std::to_string(r);
            out += ',';
            out += std::to_string(c);
            out += ',';
            out += tblGen.Codice(r, c);
            out += '|';
        }
    }
    return out;
}

Status perOgniVoceCelDis(std::string_view testo, bool daFile,
                         const std::function<void(const VoceCelDis&)>& voce) {
    const int minimo = daFile ? 1 : 0;
    const std::string campi = " from " + std::to_string(minimo) + " to ";
    std::size_t start = 0;
    int n = 0;
    while (start < testo.size()) {
        const std::size_t bar = testo.find('|', start);
        const std::string_view pezzo =
            testo.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start);
        start = bar == std::string_view::npos ? testo.size() : bar + 1;
        ++n;
        if (trim(pezzo).empty() && bar == std::string_view::npos) break;  // blanks after the last "|"
        const std::size_t c1 = pezzo.find(',');
        const std::size_t c2 = c1 == std::string_view::npos ? c1 : pezzo.find(',', c1 + 1);
        auto rifiuta = [&](const std::string& why) -> Failure {
            return fail("item " + std::to_string(n) + " " + citazione(pezzo) + ": " + why);
        };
        if (c2 == std::string_view::npos) return rifiuta("it needs a row, a column and a line code");
        VoceCelDis v;
        v.r = numero(pezzo.substr(0, c1), kMaxRigheDis);
        v.c = numero(pezzo.substr(c1 + 1, c2 - c1 - 1), kMaxColonneDis);
        v.codice = trim(pezzo.substr(c2 + 1));
        if (v.r < minimo) return rifiuta("the row is not a number" + campi + std::to_string(kMaxRigheDis));
        if (v.c < minimo)
            return rifiuta("the column is not a number" + campi + std::to_string(kMaxColonneDis));
        const bool codiceBuono = daFile ? v.codice.size() == 1 && v.codice[0] >= '1' && v.codice[0] <= '8'
                                        : CellDrawing::codiceLinea(v.codice);
        if (!codiceBuono) return rifiuta("the line code is not" + campi + "8");
        if (voce) voce(v);
    }
    return {};
}

Result<std::vector<VoceCelDis>> leggiVociCelDis(std::string_view testo, bool daFile) {
    std::vector<VoceCelDis> voci;
    if (Status letto = perOgniVoceCelDis(testo, daFile, [&](const VoceCelDis& v) { voci.push_back(v); });
        !letto)
        return fail(letto.error());
    return voci;
}

Result<int> deserializzaCelDis(CellDrawing& tblGen, std::string_view testo,
                               const std::function<void()>& tick) {
    // Checked whole first, keeping nothing; then read again into the drawing.
    if (Status controllato = perOgniVoceCelDis(testo, false); !controllato) return fail(controllato.error());
    InizializzaCelDis(tblGen);
    int scritte = 0;
    // The text was found sound above: the second reading cannot fail.
    const Status letto = perOgniVoceCelDis(testo, false, [&](const VoceCelDis& v) {
        if (tick) tick();
        tblGen.setCodice(v.r, v.c, v.codice);
        ++scritte;
    });
    if (!letto) return fail(letto.error());
    return scritte;
}

}  // namespace trevalon
