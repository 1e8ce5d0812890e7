#include "celldraw/redraw.h"

#include <algorithm>
#include <array>
#include <utility>

#include "celldraw/cell_drawing_build.h"
#include "celldraw/cell_drawing_check.h"
#include "celldraw/cell_drawing_rows.h"
#include "celldraw/redraw_dumps.h"
#include "celldraw/straightening.h"
#include "model/drawn_structure.h"

namespace trevalon {

namespace {

int valoreCodice(const CellDrawing& tblGen, int r, int c) {
    if (!tblGen.inside(r, c)) return 0;
    const char k = tblGen.at(r, c).codice;
    return k >= '1' && k <= '8' ? k - '0' : 0;
}

}  // namespace

int copiaImmaginiGriglia(const GridControl& gr, GridControl& gr3, int dimCella) {
    int colonnaBase = 0;
    gr3.setRedraw(false);
    gr3.setRows(gr.rows());
    gr3.setCols(gr.cols());
    gr3.clear();
    gr3.setAllColWidths(dimCella);
    gr3.setAllRowHeights(dimCella);
    for (int i = 0; i < gr.rows(); ++i) {
        for (int j = 0; j < gr.cols(); ++j) {
            const PictureRef pic = gr.picture(i, j);
            if (pic.empty()) continue;
            gr3.setPicture(i, j, pic);
            gr3.setPictureAlignment(i, j, gr.style(i, j).pictureAlignment);
            colonnaBase = std::max(colonnaBase, j);
        }
    }
    gr3.setColWidth(0, 0);
    gr3.setRowHeight(0, 0);
    gr3.setRedraw(true);
    gr3.setRow(0);
    return colonnaBase + 2;
}

void F3AggImg(const CellDrawing& tblGen, VistaRidisegno& vista, int r, int c, int tmpColore) {
    if (!vista.Gr3 || !tblGen.inside(r, c)) return;
    GridControl& g = *vista.Gr3;
    const int gc = c + vista.ColonnaBaseDis;
    if (!g.valid(r, gc)) return;
    const int k = valoreCodice(tblGen, r, c);
    if (k < 1 || !vista.palette) {
        g.setPicture(r, gc, {});
        return;
    }
    g.setPicture(r, gc, vista.palette->img(k + tmpColore));
    g.setPictureAlignment(r, gc, CellAlign::CenterCenter);
    // A diagram from a code shows its coloured tiles as they come: every one on large cells, one in
    // three on the others.
    if (vista.mostraTessera && vista.ModoSorgente == SourceKind::Code && tmpColore != ColNero) {
        const bool ognuna = vista.DimCella > 200;
        if (ognuna || ++vista.ContaTessere % 3 == 1) vista.mostraTessera(r, gc);
    }
}

void F3VisCelDis(const CellDrawing& tblGen, VistaRidisegno& vista, int dimCella) {
    if (!vista.Gr3) return;
    GridControl& g = *vista.Gr3;
    g.setRedraw(false);
    const LimitiDis& l = tblGen.limiti;
    if (l.RigaMax >= l.RigaMin && l.ColMax >= l.ColMin) {
        g.setRows(std::max(g.rows(), std::min(l.RigaMax, tblGen.lastRow()) + 1));
        g.setCols(std::max(g.cols(), std::min(l.ColMax, tblGen.lastCol()) + vista.ColonnaBaseDis + 1));
    }
    g.setAllRowHeights(dimCella);
    g.setAllColWidths(dimCella);
    for (int r = std::max(l.RigaMin, 0); r <= std::min(l.RigaMax, tblGen.lastRow()); ++r) {
        vista.tick();
        for (int c = std::max(l.ColMin, 0); c <= std::min(l.ColMax, tblGen.lastCol()); ++c) {
            const CellaDis& x = tblGen.at(r, c);
            std::string testo(tblGen.Codice(r, c));
            testo += ' ';
            for (int lato = 1; lato <= 4; ++lato)
                testo +=
                    x.Lati[static_cast<std::size_t>(lato)] ? x.Lati[static_cast<std::size_t>(lato)] : '.';
            g.setText(r, c, std::move(testo));
            g.setAlignment(r, c, CellAlign::CenterCenter);
            g.setText(r, c + vista.ColonnaBaseDis, std::string(tblGen.Simbolo(r, c)));
            g.setAlignment(r, c + vista.ColonnaBaseDis, CellAlign::CenterCenter);
        }
    }
    g.setColWidth(0, 0);
    g.setRowHeight(0, 0);
    g.setRedraw(true);
    g.setRow(0);
}

void F3DisegnaCelDis(const CellDrawing& tblGen, VistaRidisegno& vista, const GridControl& Gr, int dimCella) {
    vista.UltimaColonnaDis = 0;
    if (vista.dump.active()) scriviCelDis(tblGen, vista.dump, "celdis.txt", true);
    if (!vista.Gr3) return;
    GridControl& g = *vista.Gr3;
    g.setRedraw(false);
    vista.ColonnaBaseDis = copiaImmaginiGriglia(Gr, g, dimCella);
    const LimitiDis& l = tblGen.limiti;
    // The drawing stands right of the copy: the grid grows to hold it.
    if (l.ColMax >= l.ColMin && g.cols() <= l.ColMax + vista.ColonnaBaseDis) {
        const int prima = g.cols();
        g.setCols(l.ColMax + vista.ColonnaBaseDis + 1);
        for (int c = prima; c < g.cols(); ++c) g.setColWidth(c, dimCella);
    }
    if (l.RigaMax >= l.RigaMin && g.rows() <= l.RigaMax) {
        const int prima = g.rows();
        g.setRows(l.RigaMax + 1);
        for (int r = prima; r < g.rows(); ++r) g.setRowHeight(r, dimCella);
    }
    for (int r = std::max(l.RigaMin, 0); r <= l.RigaMax; ++r)
        for (int c = std::max(l.ColMin, 0); c <= l.ColMax; ++c) {
            if (valoreCodice(tblGen, r, c) < 1) continue;
            F3AggImg(tblGen, vista, r, c, ColNero);
            vista.UltimaColonnaDis = std::max(vista.UltimaColonnaDis, c + vista.ColonnaBaseDis);
        }
    g.setRedraw(true);
}

void F3SettaSimboliDis(CellDrawing& tblGen, VistaRidisegno& vista, const ListaCelleDis& tmpList,
                       int tmpColore) {
    // The 3 by 3 picture of each code: which of the four sides (top, right, bottom, left) it joins.
    struct Lati {
        bool su, dx, giu, sx;
    };
    static constexpr std::array<std::pair<char, Lati>, 6> kCodici = {{{'1', {true, false, true, false}},
                                                                      {'2', {false, true, false, true}},
                                                                      {'5', {true, false, false, true}},
                                                                      {'6', {true, true, false, false}},
                                                                      {'7', {false, true, true, false}},
                                                                      {'8', {false, false, true, true}}}};
    for (std::size_t i = 1; i + 1 < tmpList.size(); ++i) {
        const PuntoDis p = tmpList[i];
        if (!tblGen.inside(p.r, p.c)) continue;
        Lati lati{false, false, false, false};
        for (const PuntoDis& q : {tmpList[i - 1], tmpList[i + 1]}) {
            if (q.r == p.r) {
                (q.c >= p.c ? lati.dx : lati.sx) = true;
            } else if (q.c == p.c) {
                (q.r < p.r ? lati.su : lati.giu) = true;
            }
        }
        for (const auto& [codice, forma] : kCodici)
            if (forma.su == lati.su && forma.dx == lati.dx && forma.giu == lati.giu && forma.sx == lati.sx)
                tblGen.setCodice(p.r, p.c, std::string_view(&codice, 1));
        F3AggImg(tblGen, vista, p.r, p.c, tmpColore);
    }
}

bool F3InAngolo(const CellDrawing& tblGen, int r1, int c1, int r2, int c2) {
    const auto incrocio = [&](int r, int c) {
        if (!tblGen.inside(r, c)) return false;
        const char k = tblGen.at(r, c).codice;
        return k == '3' || k == '4';
    };
    return incrocio(r1, c2) || incrocio(r2, c1);
}

void disegnaCelDis(const CellDrawing& tblGen, VistaRidisegno& vista) {
    if (!vista.Gr3) return;
    const LimitiDis& l = tblGen.limiti;
    for (int r = std::max(l.RigaMin, 0); r <= std::min(l.RigaMax, tblGen.lastRow()); ++r)
        for (int c = std::max(l.ColMin, 0); c <= std::min(l.ColMax, tblGen.lastCol()); ++c) {
            F3AggImg(tblGen, vista, r, c, ColNero);
            if (valoreCodice(tblGen, r, c) > 0)
                vista.UltimaColonnaDis = std::max(vista.UltimaColonnaDis, c + vista.ColonnaBaseDis);
        }
}

bool incrociDistinti(const CellDrawing& tblGen) {
    const LimitiDis& l = tblGen.limiti;
    for (int r = std::max(l.RigaMin, 0); r <= std::min(l.RigaMax, tblGen.lastRow()); ++r)
        for (int c = std::max(l.ColMin, 0); c <= std::min(l.ColMax, tblGen.lastCol()); ++c) {
            if (!codiceIncrocio(tblGen.at(r, c).codice)) continue;
            for (const int dr : {-1, 1})
                for (const int dc : {-1, 1})
                    if (valoreCodice(tblGen, r + dr, c + dc) > 0) return false;
        }
    return true;
}

int contaIncrociCelDis(const CellDrawing& tblGen) {
    const LimitiDis& l = tblGen.limiti;
    int n = 0;
    for (int r = std::max(l.RigaMin, 0); r <= std::min(l.RigaMax, tblGen.lastRow()); ++r)
        for (int c = std::max(l.ColMin, 0); c <= std::min(l.ColMax, tblGen.lastCol()); ++c)
            n += codiceIncrocio(tblGen.at(r, c).codice) ? 1 : 0;
    return n;
}

namespace {

// The arrow between two drawings, in the middle row of the extent (the palettes have no arrow tile: it is
// a text).
void freccia(const CellDrawing& tblGen, VistaRidisegno& vista, int colonna) {
    if (!vista.Gr3) return;
    const int m = (tblGen.limiti.RigaMin + tblGen.limiti.RigaMax) / 2;
    if (!vista.Gr3->valid(m, colonna)) return;
    vista.Gr3->setText(m, colonna, "->");
    vista.Gr3->setAlignment(m, colonna, CellAlign::CenterCenter);
}

// The grid holds the drawing at its columns from ColonnaBaseDis.
void allargaVista(const CellDrawing& tblGen, VistaRidisegno& vista) {
    if (!vista.Gr3) return;
    GridControl& g = *vista.Gr3;
    const LimitiDis& l = tblGen.limiti;
    if (l.ColMax >= l.ColMin && g.cols() <= l.ColMax + vista.ColonnaBaseDis) {
        const int w = g.cols() > 1 ? g.colWidth(g.cols() - 1) : 0;
        const int prima = g.cols();
        g.setCols(l.ColMax + vista.ColonnaBaseDis + 1);
        for (int c = prima; c < g.cols(); ++c) g.setColWidth(c, w);
    }
}

// A cell of `nuovo` that `vecchio` does not hold stands diagonally beside a crossing: the course would
// run into the corner of that crossing, where its strands could no longer be told apart.
bool sfioraIncrocio(const CellDrawing& tblGen, const ListaCelleDis& nuovo, const ListaCelleDis& vecchio) {
    for (const PuntoDis& p : nuovo) {
        if (std::find(vecchio.begin(), vecchio.end(), p) != vecchio.end()) continue;
        for (const int dr : {-1, 1})
            for (const int dc : {-1, 1})
                if (tblGen.inside(p.r + dr, p.c + dc) && codiceIncrocio(tblGen.at(p.r + dr, p.c + dc).codice))
                    return true;
    }
    return false;
}

// The tidy-up of one arc's course, and its line codes recomputed from its end crossings and the course.
Status sistemaArco(CellDrawing& tblGen, VistaRidisegno& vista, const Diagram& d, int i, bool migliora) {
    const Arco& a = d.archi[static_cast<std::size_t>(i)];
    Result<ListaCelleDis> letto = leggiListaDis(a.Percorso);
    if (!letto) return fail("The course of arc " + std::to_string(i) + " cannot be read: " + letto.error());
    ListaCelleDis percorso = std::move(*letto);
    if (migliora) {
        if (Status ok = F3SettaDis(tblGen, percorso, "-"); !ok) return ok;
        ListaCelleDis corto = F3Migliorapercorso(tblGen, percorso);
        if (!corto.empty() && !sfioraIncrocio(tblGen, corto, percorso)) percorso = std::move(corto);
    }
    if (Status ok = F3SettaDis(tblGen, percorso, "y"); !ok) return ok;
    if (auto ok = F3Pulisci3Dis(tblGen, percorso, "y", "t"); !ok) return Failure{ok.error()};
    if (auto ok = F3Raddrizza3Dis(tblGen, percorso, "t", RigCol::R); !ok) return Failure{ok.error()};
    if (auto ok = F3Raddrizza3Dis(tblGen, percorso, "t", RigCol::C); !ok) return Failure{ok.error()};
    if (auto ok = F3Pulisci3Dis(tblGen, percorso, "t", "z"); !ok) return Failure{ok.error()};
    const Incrocio& da = d.incroci[static_cast<std::size_t>(a.IncrocioDa)];
    const Incrocio& verso = d.incroci[static_cast<std::size_t>(a.IncrocioA)];
    ListaCelleDis lista;
    lista.reserve(percorso.size() + 2);
    lista.push_back({da.Riga, da.Colonna});
    lista.insert(lista.end(), percorso.begin(), percorso.end());
    lista.push_back({verso.Riga, verso.Colonna});
    // The course keeps its arc number: a later redraw tells strands apart by it.
    for (const PuntoDis& p : percorso) tblGen.at(p.r, p.c).Numero = static_cast<std::int16_t>(i);
    F3SettaSimboliDis(tblGen, vista, lista, ColNero);
    // A cell whose neighbours along the course are not beside it keeps its marker: the course is broken.
    for (const PuntoDis& p : percorso)
        if (!codiceTratto(tblGen.at(p.r, p.c).codice))
            return fail("The course of arc " + std::to_string(i) + " is broken at cell " +
                        std::to_string(p.r) + "," + std::to_string(p.c) + " after its tidy-up.");
    return {};
}

// What a tidy-up left: the drawing tidied, kept as it was because a course could not be tidied (the
// reason in `motivo`), or refused because the drawing cannot be walked.
enum class Sistemazione { Fatta, Conservata, Rifiutata };

// `minimoIncroci`: the crossing cells a drawing needs to be walked and tidied (`F3SistemaGrafica`: three);
// a drawing with fewer is left as it is.
Sistemazione sistema(CellDrawing& tblGen, VistaRidisegno& vista, bool migliora, std::string& motivo,
                     int minimoIncroci = 3) {
    if (vista.Gr3) vista.Gr3->setRedraw(true);
    freccia(tblGen, vista, vista.ColonnaBaseDis - 1);
    if (contaIncrociCelDis(tblGen) < minimoIncroci) return Sistemazione::Fatta;
    // The tidy-up follows the arcs' courses between their crossings: no shortest region paths.
    auto d = std::make_unique<Diagram>();
    if (Status ok = StrutturaDaTblGen(*d, tblGen, vista.progresso, false); !ok) {
        motivo = ok.error();
        return Sistemazione::Rifiutata;
    }
    const TileNameTable nessunNome;
    // The drawing made again from its walk: the same line codes in the same cells, each course numbered
    // by its arc. Until a course is tidied it can be made again the same way.
    const auto rifai = [&] {
        Status ok = F3GenCelDis(tblGen, *d, nessunNome, true);
        if (!ok) return ok;
        vista.ColonnaBaseDis = vista.UltimaColonnaDis + 2;
        freccia(tblGen, vista, vista.UltimaColonnaDis + 1);
        allargaVista(tblGen, vista);
        return ok;
    };
    if (Status ok = rifai(); !ok) {
        motivo = ok.error();
        return Sistemazione::Rifiutata;
    }
    const LimitiDis& l = tblGen.limiti;
    for (int r = std::max(l.RigaMin, 0); r <= l.RigaMax; ++r)
        for (int c = std::max(l.ColMin, 0); c <= l.ColMax; ++c)
            if (codiceIncrocio(tblGen.at(r, c).codice)) F3AggImg(tblGen, vista, r, c, ColNero);
    for (int i = 1; i <= d->NumArchi; ++i) {
        vista.tick();
        if (Status ok = sistemaArco(tblGen, vista, *d, i, migliora); !ok) {
            motivo = ok.error();
            // The drawing goes back to its state before the tidy-up, drawn again right of the last one.
            if (Status rifatto = rifai(); !rifatto) {
                motivo += "; " + rifatto.error();
                return Sistemazione::Rifiutata;
            }
            disegnaCelDis(tblGen, vista);
            return Sistemazione::Conservata;
        }
    }
    if (vista.Gr3) {
        vista.Gr3->setRow(0);
        vista.Gr3->setRedraw(true);
    }
    return Sistemazione::Fatta;
}

}  // namespace

Status F3SistemaGrafica(CellDrawing& tblGen, VistaRidisegno& vista, bool ConF3Migliorapercorso) {
    std::string motivo;
    if (sistema(tblGen, vista, ConF3Migliorapercorso, motivo) == Sistemazione::Fatta) return {};
    return fail(motivo);
}

Status miglioraCelDis(CellDrawing& tblGen, VistaRidisegno& vista) {
    if (contaIncrociCelDis(tblGen) > 2) return F3SistemaGrafica(tblGen, vista, true);
    const int base = vista.ColonnaBaseDis;
    // A drawing of two crossing cells or fewer, which `F3SistemaGrafica` leaves where it stands: walked and
    // tidied all the same when it has a crossing to start the walk from, else (or when the walk refuses it)
    // drawn again as it is. Either way the new drawing stands right of the last one, behind an arrow.
    const CellDrawing prima = tblGen;
    std::string motivo;
    if (sistema(tblGen, vista, true, motivo, 1) == Sistemazione::Fatta && vista.ColonnaBaseDis != base)
        return {};
    tblGen = prima;
    if (vista.ColonnaBaseDis == base) {
        vista.ColonnaBaseDis = vista.UltimaColonnaDis + 2;
        freccia(tblGen, vista, vista.UltimaColonnaDis + 1);
    } else if (vista.Gr3) {
        // A tidy-up begun and given up: what it drew right of the last drawing is taken away.
        GridControl& g = *vista.Gr3;
        for (int r = 0; r < g.rows(); ++r)
            for (int c = vista.ColonnaBaseDis; c < g.cols(); ++c) g.setPicture(r, c, {});
    }
    allargaVista(tblGen, vista);
    disegnaCelDis(tblGen, vista);
    if (vista.Gr3) {
        vista.Gr3->setRow(0);
        vista.Gr3->setRedraw(true);
    }
    return {};
}

namespace {

// Whether line code k leaves its cell by the top side (verso -1) or by the bottom side (verso 1).
bool esceVerticale(int k, int verso) {
    if (k == 1 || k == 3 || k == 4) return true;
    return verso < 0 ? (k == 5 || k == 6) : (k == 7 || k == 8);
}

// The first crossing cell with a strand diagonally beside it, and that neighbour's side; false for none.
bool incrocioAffollato(const CellDrawing& tblGen, int& r, int& c, int& dr, int& dc) {
    const LimitiDis& l = tblGen.limiti;
    for (r = std::max(l.RigaMin, 1); r <= std::min(l.RigaMax, tblGen.lastRow()); ++r)
        for (c = std::max(l.ColMin, 1); c <= std::min(l.ColMax, tblGen.lastCol()); ++c) {
            if (!codiceIncrocio(tblGen.at(r, c).codice)) continue;
            for (dr = -1; dr <= 1; dr += 2)
                for (dc = -1; dc <= 1; dc += 2)
                    if (valoreCodice(tblGen, r + dr, c + dc) > 0) return true;
        }
    return false;
}

}  // namespace

Status separaIncroci(CellDrawing& tblGen, VistaRidisegno& vista) {
    if (incrociDistinti(tblGen)) return {};
    // Each round takes one strand off a crossing's corner; the table's size bounds the rounds.
    bool fatto = false;
    for (int giro = 0; giro < tblGen.lastRow() + tblGen.lastCol() && !fatto; ++giro) {
        if (Status s = F3VerificaNodiViciniRiga(tblGen); !s) return s;
        if (Status s = F3VerificaNodiViciniColonna(tblGen); !s) return s;
        int r = 0, c = 0, dr = 0, dc = 0;
        if (!incrocioAffollato(tblGen, r, c, dr, dc)) {
            fatto = true;
            break;
        }
        // The strand beside the corner turns off the crossing's arm in that row: the arm is lengthened by a
        // column; any other strand there is moved away by a row.
        Status s = esceVerticale(valoreCodice(tblGen, r, c + dc), dr)
                       ? F3InsColonnaDis(tblGen, std::min(c, c + dc))
                       : F3InsRigaDis(tblGen, std::min(r, r + dr));
        if (!s) return s;
    }
    if (!fatto) return fail("The crossings of the tidied drawing could not be set apart.");
    if (!vista.Gr3) return {};
    // The drawing is drawn again where it stands, the grid grown to hold it.
    GridControl& g = *vista.Gr3;
    const LimitiDis& l = tblGen.limiti;
    const int dim = g.cols() > 1 ? g.colWidth(g.cols() - 1) : GridControl::kDefaultSize;
    if (g.rows() <= l.RigaMax) {
        const int prima = g.rows();
        g.setRows(l.RigaMax + 1);
        for (int i = prima; i < g.rows(); ++i) g.setRowHeight(i, dim);
    }
    allargaVista(tblGen, vista);
    for (int r = 1; r < g.rows(); ++r)
        for (int c = vista.ColonnaBaseDis; c < g.cols(); ++c) g.setPicture(r, c, {});
    disegnaCelDis(tblGen, vista);
    return {};
}

Result<bool> sistemaRidisegno(CellDrawing& tblGen, VistaRidisegno& vista, bool ConF3Migliorapercorso) {
    std::string motivo;
    switch (sistema(tblGen, vista, ConF3Migliorapercorso, motivo)) {
        case Sistemazione::Fatta:
            return true;
        case Sistemazione::Conservata:
            return false;
        default:
            return fail(motivo);
    }
}

void F3PulisciCelDis(CellDrawing& tblGen) {
    InizializzaCelDis(tblGen);
    // Row 0 and column 0, as far as cells were used.
    const UsedArea u = tblGen.usata();
    if (u.r0 == 0)
        for (int c = u.c0; c <= u.c1; ++c) svuotaCellaDis(tblGen.at(0, c));
    if (u.c0 == 0)
        for (int r = std::max(u.r0, 1); r <= u.r1; ++r) svuotaCellaDis(tblGen.at(r, 0));
    tblGen.limiti = LimitiDis{};
}

}  // namespace trevalon
