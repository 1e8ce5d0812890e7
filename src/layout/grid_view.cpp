#include "layout/grid_view.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace trevalon {

namespace {

std::optional<int> intero(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    int n = 0;
    const auto [fine, errore] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (s.empty() || errore != std::errc{} || fine != s.data() + s.size()) return std::nullopt;
    return n;
}

// The first scrolled line after moving `twips` from line `da` by `passo` (+1 or -1): whole lines, as many
// as fit in `twips` and one at least, none beyond 1 .. ultima.
int lineaDopo(const GridControl& griglia, int (GridControl::*misura)(int) const, int da, int passo, int twips,
              int ultima) {
    int linea = std::clamp(da, 1, std::max(ultima, 1));
    const int inizio = linea;
    for (int somma = 0; somma < twips;) {
        const int prossima = linea + passo;
        if (prossima < 1 || prossima > ultima) break;
        // Down the grid the line left above is passed over; up it, the line brought back.
        const int h = (griglia.*misura)(passo > 0 ? linea : prossima);
        if (linea != inizio && somma + h > twips) break;
        somma += h;
        linea = prossima;
    }
    return linea;
}

}  // namespace

bool SpostaGriglia(GridControl& griglia, VersoSpostamento verso, int twips) {
    const bool righe = verso == VersoSpostamento::Su || verso == VersoSpostamento::Giu;
    // The diagram moved up or left brings the lines after the first one shown into view.
    const int passo = verso == VersoSpostamento::Su || verso == VersoSpostamento::Sinistra ? 1 : -1;
    const int prima = righe ? griglia.topRow() : griglia.leftCol();
    const int dopo =
        righe ? lineaDopo(griglia, &GridControl::rowHeight, prima, passo, twips, griglia.rows() - 1)
              : lineaDopo(griglia, &GridControl::colWidth, prima, passo, twips, griglia.cols() - 1);
    if (dopo == prima) return false;
    if (righe)
        griglia.setTopRow(dopo);
    else
        griglia.setLeftCol(dopo);
    return true;
}

EstensioneDisegno Command8_Click(GridControl& griglia, std::uint32_t sfondo) {
    int rMin = 9999, rMax = 0, cMin = 9999, cMax = 0;
    griglia.setRedraw(false);
    for (int r = 1; r < griglia.rows(); ++r) griglia.setRowHeight(r, kDimCellaIngrandita);
    for (int c = 1; c < griglia.cols(); ++c) griglia.setColWidth(c, kDimCellaIngrandita);
    for (int r = 1; r < griglia.rows(); ++r)
        for (int c = 1; c < griglia.cols(); ++c) {
            CellStyle s = griglia.style(r, c);
            s.backColor = sfondo;
            s.fontSize = kFontIngrandito;
            griglia.setStyle(r, c, s);
            if (griglia.text(r, c).empty()) continue;
            rMin = std::min(rMin, r);
            rMax = std::max(rMax, r);
            cMin = std::min(cMin, c);
            cMax = std::max(cMax, c);
        }
    griglia.setRedraw(true);
    if (rMax == 0) return {};
    return EstensioneDisegno{std::max(rMin - 2, 1), std::min(rMax + 2, griglia.rows() - 1),
                             std::max(cMin - 2, 1), std::min(cMax + 2, griglia.cols() - 1)};
}

int Command9_Click(GridControl& griglia, std::string_view LogCelle) {
    int pulite = 0;
    while (!LogCelle.empty()) {
        const std::size_t fine = LogCelle.find('|');
        const std::string_view voce = LogCelle.substr(0, fine);
        LogCelle.remove_prefix(fine == std::string_view::npos ? LogCelle.size() : fine + 1);
        const std::size_t virgola = voce.find(',');
        if (virgola == std::string_view::npos) continue;
        const std::optional<int> r = intero(voce.substr(0, virgola));
        const std::optional<int> c = intero(voce.substr(virgola + 1));
        if (!r || !c || !griglia.valid(*r, *c)) continue;
        griglia.setText(*r, *c, "");
        griglia.setBackColor(*r, *c, kBianco);
        ++pulite;
    }
    return pulite;
}

void RaddoppiaGriglia(GridControl& griglia) {
    // A size that cannot be doubled any more stays as it is.
    const auto doppio = [](int twips) { return twips > kDimCellaMassima / 2 ? twips : 2 * twips; };
    for (int r = 0; r < griglia.rows(); ++r) griglia.setRowHeight(r, doppio(griglia.rowHeight(r)));
    for (int c = 0; c < griglia.cols(); ++c) griglia.setColWidth(c, doppio(griglia.colWidth(c)));
}

}  // namespace trevalon
