#include "celldraw/redraw.h"

#include <algorithm>
#include <array>
#include <utility>

#include "celldraw/step_viewer.h"

namespace trevalon {

namespace {

int valoreCodice(const CellDrawing& tblGen, int r, int c) {
    if (!CellDrawing::inside(r, c)) return 0;
    const char k = tblGen.at(r, c).codice;
    return k >= '1' && k <= '8' ? k - '0' : 0;
}

}  // namespace

void F3AggImg(const CellDrawing& tblGen, VistaRidisegno& vista, int r, int c, int tmpColore) {
    if (!vista.Gr3 || !CellDrawing::inside(r, c)) return;
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
}

void F3DisegnaCelDis(const CellDrawing& tblGen, VistaRidisegno& vista, const GridControl& Gr, int dimCella) {
    vista.UltimaColonnaDis = 0;
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
        if (!CellDrawing::inside(p.r, p.c)) continue;
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
        if (!CellDrawing::inside(r, c)) return false;
        const char k = tblGen.at(r, c).codice;
        return k == '3' || k == '4';
    };
    return incrocio(r1, c2) || incrocio(r2, c1);
}

void F3PulisciCelDis(CellDrawing& tblGen) {
    for (int r = 0; r < CellDrawing::kRows; ++r)
        for (int c = 0; c < CellDrawing::kCols; ++c) {
            CellaDis& x = tblGen.at(r, c);
            x.codice = 0;
            x.Numero = 0;
            x.Reg1 = 0;
            x.Reg2 = 0;
            x.Marca = 0;
            tblGen.setSimbolo(r, c, "");
        }
    tblGen.limiti = LimitiDis{};
}

}  // namespace trevalon
