#include "layout/tile_renderer.h"

#include <vector>

#include "layout/cell_access.h"
#include "layout/drawn_renderer.h"
#include "model/sides.h"

namespace trevalon {

namespace {

constexpr std::uint32_t kRosso = 255;
constexpr std::uint32_t kBlu = 16711680;
constexpr std::uint32_t kGiallo = 65535;

bool unita(const Diagram& d, int i, int j, int numero) {
    const CellaNodo& x = cella(d, i, j);
    return x.Tipo == 'I' || (x.Tipo == 'A' && x.Numero == numero);
}

struct Candidato {
    int i = 0, j = 0, gr = 0, gc = 0, indice = 0, marcatore = 0;
};

void preparaGriglia(const Diagram& d, const RenderState& st, GridControl& g) {
    for (int r = 1; r <= d.NumRighe && r < g.rows(); ++r) g.setRowHeight(r, st.DimCella);
    for (int c = 1; c <= d.NumColonne && c < g.cols(); ++c) g.setColWidth(c, st.DimCella);
}

PictureRef immagine(const RenderState& st, const TilePalette& p, int indice) {
    return st.ChhKdop && ImgdExists(indice) ? p.imgd(indice) : p.img(indice);
}

void disegnaCella(const RenderState& st, RenderTarget& t, int gr, int gc, int indice) {
    t.griglia.setPicture(gr, gc, immagine(st, t.palette, indice));
    t.tbltt.set(gr, gc, TileImg(indice).name);
    t.griglia.setPictureAlignment(gr, gc, CellAlign::CenterCenter);
}

void numeroArco(const RenderState& st, RenderTarget& t, int gr, int gc, int arco) {
    if (!st.ChkNumArc) return;
    t.griglia.setFontSize(gr, gc, 7);
    t.griglia.setBold(gr, gc, true);
    t.griglia.setForeColor(gr, gc, kBlu);
    t.griglia.setAlignment(gr, gc, st.ChhKdop ? CellAlign::CenterCenter : CellAlign::RightBottom);
    t.griglia.setPictureAlignment(gr, gc, CellAlign::CenterCenter);
    t.griglia.setText(gr, gc, std::to_string(arco));
}

bool contiene(std::string_view lista, int numero) {
    return lista.find("," + std::to_string(numero) + ",") != std::string_view::npos;
}

}  // namespace

int CodiceLinea(const Diagram& d, int i, int j) {
    const int n = cella(d, i, j).Numero;
    const bool su = unita(d, i - 1, j, n), giu = unita(d, i + 1, j, n);
    const bool sx = unita(d, i, j - 1, n), dx = unita(d, i, j + 1, n);
    int code = 0;
    if (su && giu) code = 1;
    if (sx && dx) code = 2;
    if (su && sx) code = 5;
    if (su && dx) code = 6;
    if (giu && dx) code = 7;
    if (giu && sx) code = 8;
    return code;
}

int TesseraIncrocio(const Diagram& d, int k) {
    if (k < 1 || k > kMaxIncroci) return 3;
    const Incrocio& x = d.incroci[k];
    int t = x.Ori == 'V' ? 4 : 3;
    if ((x.VersoLato[1] == 'U' && x.VersoLato[4] == 'U') || (x.VersoLato[2] == 'U' && x.VersoLato[3] == 'U'))
        t = 7 - t;
    return t;
}

void DisegnoGrafico(Diagram& d, RenderState& st, RenderTarget t, int arco, int Colore, bool SoloTratto,
                    std::string_view ab, int NonFare) {
    if (t.status) t.status->setPanel("p1", "Drawing");
    if (st.ModoGen == GenMode::TextDrawing)
        DisegnoGraficoD(d, st, t, arco, Colore, SoloTratto, ab, NonFare);
    else
        DisegnoGraficoA(d, st, t, arco, Colore, SoloTratto, ab, NonFare);
}

void DisegnoGraficoA(Diagram& d, RenderState& st, RenderTarget t, int arco, int Colore, bool SoloTratto,
                     std::string_view ab, int NonFare) {
    GridControl& g = t.griglia;
    // A full drawing draws every used cell: the marker belongs to single-arc drawings only.
    const bool marcatore = SoloTratto && arco != 0;
    std::vector<Candidato> lunghi, medi, corti;
    g.setRedraw(false);
    if (arco == 0) {
        g.clear();
        g.setTopRow(0);
        g.setLeftCol(0);
    }
    preparaGriglia(d, st, g);
    const LimitiNodo l = d.limiti;
    for (int i = std::max(0, l.RigaMin); i <= std::min(kMaxCella, l.RigaMax); ++i)
        for (int j = std::max(0, l.ColMin); j <= std::min(kMaxCella, l.ColMax); ++j) {
            CellaNodo& x = d.TblNodo.at(i, j);
            if (x.Tipo == 0) continue;
            const int gr = i - l.RigaMin + OffsetRiga, gc = j - l.ColMin + OffsetCol;
            if (x.Tipo == 'A') {
                if (arco != 0 && x.Numero != arco) continue;
                int code = st.ModoGen == GenMode::CellDrawing ? x.Forma : CodiceLinea(d, i, j);
                if (code == 0) continue;
                if (marcatore) {
                    if (code != 1 && code != 2) continue;
                    const int dr = code == 1 ? 1 : 0, dc = code == 1 ? 0 : 1;
                    int run = 0;
                    for (int k = 1; k <= 3 && cellaDellArco(d, arco, i + k * dr, j + k * dc); ++k) ++run;
                    for (int k = 1; k <= 3 && i - k * dr >= 1 && j - k * dc >= 1 &&
                                    cellaDellArco(d, arco, i - k * dr, j - k * dc);
                         ++k)
                        ++run;
                    const bool sopra = ab == "+";
                    const int m = code == 1 ? (sopra ? 111 : 114) : (sopra ? 113 : 112);
                    const Candidato c{i, j, gr, gc, NonFare == -6 ? 0 : m, m};
                    (run >= 5 ? lunghi : run >= 3 ? medi : corti).push_back(c);
                    continue;
                }
                x.Forma = static_cast<std::int8_t>(code);
                disegnaCella(st, t, gr, gc, Colore + code);
                numeroArco(st, t, gr, gc, x.Numero);
                continue;
            }
            if (x.Tipo != 'I') continue;
            const int k = x.Numero;
            if (k < 1 || k > kMaxIncroci) continue;
            if (arco != 0 && (k == NonFare || NonFare == -2 || SoloTratto || ArcoInnodo(d, k, arco) == -1))
                continue;
            Incrocio& inc = d.incroci[k];
            inc.Riga = i;
            inc.Colonna = j;
            const int tt = TesseraIncrocio(d, k);
            int indice = tt;
            if (arco != 0) {
                if (NonFare == -13 || NonFare == -14) {
                    int p = arco + 1;
                    if (p > d.NumArchi) p = 1;
                    const bool piu = p >= 1 && p <= kMaxGemelli && d.gemelli[p].Segno == '+';
                    indice = tt == 3 ? (piu ? 71 : 72) : (piu ? 73 : 74);
                } else {
                    const int s = ArcoInnodo(d, k, arco);
                    indice = tt == 3 ? (s % 2 == 0 ? 71 : 72) : (s % 2 == 1 ? 73 : 74);
                }
                if (Colore == ColVerde) indice -= 10;
            }
            if ((NonFare == -3 || NonFare == -4) && contiene(st.VoceMossa1, k)) indice = tt + 80;
            x.Forma = static_cast<std::int8_t>(tt);
            disegnaCella(st, t, gr, gc, indice);
            if (st.ModoSorgente == SourceKind::Code) {
                g.setText(gr, gc, d.NomiIncroci[k]);
                g.setFontSize(gr, gc, 7);
                g.setBold(gr, gc, true);
                g.setForeColor(gr, gc, kRosso);
            }
            g.setAlignment(gr, gc, st.ChhKdop ? CellAlign::CenterCenter : CellAlign::RightBottom);
            g.setPictureAlignment(gr, gc, CellAlign::CenterCenter);
        }
    if (marcatore) {
        const std::vector<Candidato>& lista = !lunghi.empty() ? lunghi : !medi.empty() ? medi : corti;
        const Candidato* scelto = nullptr;
        long best = 0;
        for (const Candidato& c : lista) {
            const long dr = c.gr - st.RigaSegno, dc = c.gc - st.ColSegno;
            const long dist = dr * dr + dc * dc;
            if (!scelto || dist < best) {
                scelto = &c;
                best = dist;
            }
        }
        if (scelto) {
            disegnaCella(st, t, scelto->gr, scelto->gc, scelto->indice);
            numeroArco(st, t, scelto->gr, scelto->gc, arco);
            st.RigaSegno = scelto->gr;
            st.ColSegno = scelto->gc;
        }
    }
    g.setRedraw(true);
}

void DisegnoGraficoZ(Diagram& d, RenderState& st, RenderTarget t, int arco, int Colore, bool SoloTratto,
                     std::string_view ab, int NonFare) {
    (void)ab;
    GridControl& g = t.griglia;
    const LimitiNodo l = d.limiti;
    const int spostamento = l.ColMax + 3;
    for (int r = 1; r < g.rows(); ++r)
        for (int c = std::max(0, spostamento); c < g.cols(); ++c) g.setPicture(r, c, PictureRef{});
    g.setRedraw(false);
    if (arco == 0) {
        g.setTopRow(0);
        g.setLeftCol(0);
    }
    preparaGriglia(d, st, g);
    for (int i = std::max(0, l.RigaMin); i <= std::min(kMaxCella, l.RigaMax); ++i)
        for (int j = std::max(0, l.ColMin); j <= std::min(kMaxCella, l.ColMax); ++j) {
            const CellaNodo& x = d.TblNodo.at(i, j);
            if (x.Tipo == 0) continue;
            if (arco != 0) {
                const bool arcoSuo = x.Tipo == 'A' && x.Numero == arco;
                const bool incrocio = x.Tipo == 'I' && x.Numero != NonFare && NonFare != -2 && !SoloTratto &&
                                      ArcoInnodo(d, x.Numero, arco) != -1;
                if (!arcoSuo && !incrocio) continue;
            }
            // NOLINTNEXTLINE(bugprone-signed-char-misuse): the shape is a small number, not a character.
            const int code = x.Forma;
            if (code <= 0 || SoloTratto) continue;
            int indice = Colore + code;
            if (x.Vicini() == "II") indice = ColGrigio + code;
            if (x.Vicini() == "ZZ") indice = ColVerde + code;
            // A crossing has no grey or orange tile: it keeps its black one.
            if (!TileImg(indice).exists) indice = code;
            const int gr = i - l.RigaMin + OffsetRiga, gc = j - l.ColMin + OffsetCol + spostamento;
            g.setPicture(gr, gc, t.palette.img(indice));
            g.setPictureAlignment(gr, gc, CellAlign::CenterCenter);
            if (x.Vicini() == "ZZ") g.setBackColor(gr, gc, kGiallo);
        }
    g.setRedraw(true);
}

void DisegnoGraficoSotto(Diagram& d, RenderState& st, RenderTarget t, std::string_view lista1,
                         std::string_view lista2, int primo, int ultimo, int delta) {
    (void)lista2;
    GridControl& g = t.griglia;
    const LimitiNodo l = d.limiti;
    const int spostamento = delta != 0 ? l.ColMax + 3 : 0;
    for (int r = 1; r < g.rows(); ++r)
        for (int c = std::max(0, l.ColMax + 3); c < g.cols(); ++c) g.setPicture(r, c, PictureRef{});
    g.setRedraw(false);
    g.setTopRow(0);
    g.setLeftCol(0);
    preparaGriglia(d, st, g);
    auto dentro = [&](int a) { return contiene(lista1, a); };
    auto taglio = [&](int a) { return a == primo || a == ultimo; };
    int indice = 0;  // a crossing counted mixed keeps the index of the cell drawn before it
    for (int i = std::max(0, l.RigaMin); i <= std::min(kMaxCella, l.RigaMax); ++i)
        for (int j = std::max(0, l.ColMin); j <= std::min(kMaxCella, l.ColMax); ++j) {
            CellaNodo& x = d.TblNodo.at(i, j);
            if (x.Tipo == 0) continue;
            // NOLINTNEXTLINE(bugprone-signed-char-misuse): the shape is a small number, not a character.
            int code = x.Forma;
            if (x.Tipo == 'I') {
                const int k = x.Numero;
                if (k < 1 || k > kMaxIncroci) continue;
                Incrocio& inc = d.incroci[k];
                inc.Riga = i;
                inc.Colonna = j;
                const int tt = TesseraIncrocio(d, k);
                const auto& al = inc.ArcoLato;
                const int v = (dentro(al[1]) || (dentro(al[3]) && taglio(al[1]))) +
                              (dentro(al[3]) || (dentro(al[1]) && taglio(al[3])));
                const int h = (dentro(al[2]) || (dentro(al[4]) && taglio(al[2]))) +
                              (dentro(al[4]) || (dentro(al[2]) && taglio(al[4])));
                if (v == 0 && h == 0)
                    indice = ColRosso + tt;
                else if (v == 2 && h == 2)
                    indice = ColNero + tt;
                else if (h == 2 && v == 0)
                    indice = tt == 3 ? 72 : 73;
                else if (v == 2 && h == 0)
                    indice = tt == 3 ? 71 : 74;
                code = tt;
            } else {
                indice = ColRosso + x.Forma;
                if (dentro(x.Numero)) indice = ColNero + x.Forma;
                if (taglio(x.Numero)) indice = ColGrigio + x.Forma;
            }
            if (code <= 0) continue;
            const int gr = i - l.RigaMin + OffsetRiga, gc = j - l.ColMin + OffsetCol + spostamento;
            g.setPicture(gr, gc, t.palette.img(indice));
            g.setPictureAlignment(gr, gc, CellAlign::CenterCenter);
        }
    g.setRedraw(true);
}

bool DisegnaCandidatoPonte(Diagram& d, RenderState& st, const RenderTarget& t,
                           const std::vector<int>& archiPonte, const std::vector<int>& archiAttraversati,
                           char ab2) {
    const auto valido = [&d](int a) { return a >= 1 && a <= d.NumArchi; };
    for (std::size_t k = 0; k < archiPonte.size(); ++k) {
        const int a = archiPonte[k];
        if (!valido(a)) return false;
        const Arco& arco = d.archi[static_cast<std::size_t>(a)];
        int nonFare = -1;
        if (k == 0) {
            nonFare = arco.IncrocioDa;
            st.RigaSegno = d.incroci[static_cast<std::size_t>(arco.IncrocioDa)].Riga;
            st.ColSegno = d.incroci[static_cast<std::size_t>(arco.IncrocioDa)].Colonna;
        } else if (k + 1 == archiPonte.size()) {
            nonFare = arco.IncrocioA;
        }
        DisegnoGrafico(d, st, t, a, ColRosso, false, "", nonFare);
    }
    const std::string segno(1, ab2);
    for (int a : archiAttraversati) {
        if (!valido(a)) return false;
        DisegnoGrafico(d, st, t, a, ColRosso, true, segno, -1);
    }
    return true;
}

}  // namespace trevalon
