#include "layout/drawn_renderer.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "layout/cell_access.h"
#include "layout/palette.h"
#include "layout/path_text.h"

namespace trevalon {

namespace {

// Drawn cells hold '*', '-' or '|'; a blank counts as empty.
bool disegnata(char simbolo) {
    return simbolo != 0 && simbolo != ' ';
}

// The colour letter of the keys of a drawn diagram's classification; 0 for a colour base without one.
char letteraColore(int colore) {
    switch (colore) {
        case ColNero:
            return 'N';
        case ColRosso:
        case ColArancio:
            return 'R';
        case ColVerde:
            return 'V';
        case ColGrigio:
            return 'G';
        default:
            return 0;
    }
}

// The colour letter of a traced arc: orange is traced with the green tiles.
char letteraTraccia(int colore) {
    return colore == ColArancio ? 'V' : letteraColore(colore);
}

// The palette's key tiles by key, the first element winning where a key repeats: a drawing looks up one
// key per drawn cell, over a grid of up to 600 by 1500 cells.
class ChiaviDiagramma {
  public:
    explicit ChiaviDiagramma(const TilePalette& p) {
        for (int e = 0; e < p.diagCount(); ++e) indice_.emplace(p.diag(e).key, e);
    }
    int trova(const std::string& key) const {
        const auto it = indice_.find(key);
        return it == indice_.end() ? -1 : it->second;
    }

  private:
    std::unordered_map<std::string, int> indice_;
};

void dipingi(RenderTarget& t, int r, int c, int elemento) {
    t.griglia.setPicture(r, c, t.palette.imgDiag(elemento));
    t.griglia.setPictureAlignment(r, c, CellAlign::CenterCenter);
    t.tbltt.set(r, c, t.palette.diag(elemento).name);
}

constexpr std::uint32_t kBianco = 16777215;

}  // namespace

std::string formaCellaDisegnata(const Diagram& d, int r, int c) {
    const char s = cella(d, r, c).Simbolo;
    if (!disegnata(s)) return {};
    if (s == '-') return "O";
    if (s == '|') return "V";
    std::string forma;
    for (int pos = 1; pos <= 9; ++pos) {
        if (pos == 5) continue;
        const int dr = (pos - 1) / 3 - 1, dc = (pos - 1) % 3 - 1;
        // Neighbours beyond the table read as empty cells.
        if (disegnata(cella(d, r + dr, c + dc).Simbolo)) forma += static_cast<char>('0' + pos);
    }
    if (forma == "2789" || forma == "1238") return "28";
    if (forma == "3469" || forma == "1467") return "46";
    return forma;
}

void DisegnaModo2(Diagram& d, RenderTarget t, int Colore, bool modoSviluppo,
                  const std::function<void()>& tick) {
    GridControl& g = t.griglia;
    t.tbltt.reset();
    g.setRedraw(false);
    const ChiaviDiagramma chiavi(t.palette);
    const char lettera = letteraColore(Colore);
    const int ultimaRiga = std::min(d.NumRighe - 1, kMaxCella),
              ultimaColonna = std::min(d.NumColonne - 1, kMaxCella);
    std::string chiave;
    for (int r = 1; r <= ultimaRiga; ++r) {
        if (tick) tick();
        for (int c = 1; c <= ultimaColonna; ++c) {
            if (modoSviluppo) {
                g.setBackColor(r, c, kBianco);
                g.setForeColor(r, c, kBianco);
            }
            CellaNodo& x = d.TblNodo.at(r, c);
            if (!disegnata(x.Simbolo)) {
                // The tile-name table was just emptied.
                if (x.viciniText[0] != 0) x.setVicini({});
                continue;
            }
            const std::string forma = formaCellaDisegnata(d, r, c);
            // Longer shapes are no strand of a drawn knot; the cell keeps as much as it can hold.
            x.setVicini(std::string_view(forma).substr(0, 3));
            if (lettera == 0) continue;
            chiave.assign(1, lettera);
            chiave += forma;
            if (const int e = chiavi.trova(chiave); e >= 0) t.tbltt.set(r, c, t.palette.diag(e).name);
        }
    }
    if (modoSviluppo) DisegnaInterruzioni(d, g);
    g.setRedraw(true);
}

void DisegnaInterruzioni(const Diagram& d, GridControl& griglia) {
    const int ultimaRiga = std::min(griglia.rows() - 1, kMaxCella);
    const int ultimaColonna = std::min(griglia.cols() - 1, kMaxCella);
    for (int r = 1; r <= ultimaRiga; ++r)
        for (int c = 1; c <= ultimaColonna; ++c) {
            const char s = d.TblNodo.at(r, c).Simbolo;
            // The grid ignores cells beyond it.
            if (s == '-') {
                griglia.setPicture(r - 1, c, {});
                griglia.setPicture(r + 1, c, {});
            } else if (s == '|') {
                griglia.setPicture(r, c - 1, {});
                griglia.setPicture(r, c + 1, {});
            }
        }
}

void TracciaArcoDaDisegno(Diagram& d, RenderTarget t, int arco, int Colore, bool SoloTratto,
                          std::string_view ab, int NonFare) {
    if (arco < 1 || arco > kMaxArchi) return;
    const Arco& a = d.archi[static_cast<std::size_t>(arco)];
    const std::vector<Punto> voci = leggiVociPercorso(a.Percorso);
    std::vector<Punto> celle;
    if (!SoloTratto) {
        celle = voci;
        if (NonFare != -2) {
            auto incrocio = [&](char segno, int k) {
                if (segno == '+' && k != NonFare && k >= 1 && k <= kMaxIncroci)
                    celle.push_back({d.incroci[static_cast<std::size_t>(k)].Riga,
                                     d.incroci[static_cast<std::size_t>(k)].Colonna});
            };
            incrocio(a.SegnoDa, a.IncrocioDa);
            incrocio(a.SegnoA, a.IncrocioA);
        }
    } else if (!voci.empty()) {
        // The marker goes across the middle of the first straight run of five cells, else across the middle
        // of the path; the first and last three cells (beside the crossings) never start a run.
        const int u = static_cast<int>(voci.size());
        int scelta = (u - 1) / 2;
        if ((u - 1) % 2 != 0 && scelta % 2 != 0) ++scelta;  // the half goes to the even neighbour
        scelta = std::clamp(scelta, std::min(1, u - 1), u - 1);
        int contaRighe = 0, contaColonne = 0;
        for (int i = 3; i <= u - 3; ++i) {
            const auto ui = static_cast<std::size_t>(i);
            contaRighe = i > 3 && voci[ui].r == voci[ui - 1].r ? contaRighe + 1 : 1;
            contaColonne = i > 3 && voci[ui].c == voci[ui - 1].c ? contaColonne + 1 : 1;
            if (contaRighe >= 5 || contaColonne >= 5) {
                scelta = i - 2;
                break;
            }
        }
        celle.push_back(voci[static_cast<std::size_t>(scelta)]);
    }
    const char lettera = letteraTraccia(SoloTratto ? ColVerde : Colore);
    if (lettera == 0) return;
    const ChiaviDiagramma chiavi(t.palette);
    for (const Punto& p : celle) {
        const std::string_view vicini = cella(d, p.r, p.c).Vicini();
        std::string forma(vicini);
        if (SoloTratto) forma = vicini.find_first_of("46") == std::string_view::npos ? "46" : "28";
        const int e = chiavi.trova(std::string(1, lettera) + forma);
        if (e < 0) continue;
        if (!SoloTratto) {
            dipingi(t, p.r, p.c, e);
            continue;
        }
        // The marker is drawn for the over-passage sign only.
        if (ab != "+") continue;
        dipingi(t, p.r, p.c, e);
        const std::string_view prima = t.tbltt.get(p.r, p.c);
        t.tbltt.set(p.r, p.c, std::string(prima.substr(0, 1)) + std::string(ab));
        const int dr = forma == "28" ? 1 : 0, dc = forma == "28" ? 0 : 1;
        dipingi(t, p.r - dr, p.c - dc, e);
        dipingi(t, p.r + dr, p.c + dc, e);
    }
}

void SettaDimXDis(GridControl& griglia) {
    // The grid model keeps no background picture: only the sizes change.
    for (int r = 1; r < griglia.rows(); ++r) griglia.setRowHeight(r, 52);
    for (int c = 1; c < griglia.cols(); ++c) griglia.setColWidth(c, 52);
}

void DisegnoGraficoD(Diagram& d, RenderState& /*st*/, RenderTarget t, int arco, int Colore, bool SoloTratto,
                     std::string_view ab, int NonFare) {
    if (arco != 0) {
        TracciaArcoDaDisegno(d, t, arco, Colore, SoloTratto, ab, NonFare);
        DisegnaInterruzioni(d, t.griglia);
        return;
    }
    SettaDimXDis(t.griglia);
    DisegnaModo2(d, t, Colore, false);
}

void DisegnaDaimgCelDis(const CellDrawing& tblGen, GridControl& griglia, const TilePalette& palette,
                        int numRighe, int numColonne, const std::function<void()>& tick) {
    const int ultimaRiga = std::min(numRighe - 1, CellDrawing::kRows - 1);
    const int ultimaColonna = std::min(numColonne - 1, CellDrawing::kCols - 1);
    for (int r = 1; r <= ultimaRiga; ++r) {
        if (tick) tick();
        for (int c = 1; c <= ultimaColonna; ++c) {
            griglia.setText(r, c, {});
            const char k = tblGen.at(r, c).codice;
            const int indice = k > '0' && k <= '8' ? k - '0' : 0;
            if (indice > 0 && palette.imgExists(indice)) {
                griglia.setPicture(r, c, palette.img(indice));
                griglia.setPictureAlignment(r, c, CellAlign::CenterCenter);
            } else {
                griglia.setPicture(r, c, {});
            }
        }
    }
}

}  // namespace trevalon
