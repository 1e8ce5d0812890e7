#include "layout/diagonal_shift.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "celldraw/disegno_da_codice.h"
#include "layout/grid_view.h"
#include "model/drawn_structure.h"
#include "model/text_drawing.h"
#include "platform/headless_ui.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

// A grid of `righe` x `colonne` holding the drawing from cell (r0, c0) on.
GridControl grigliaCon(const std::vector<std::string>& disegno, int righe, int colonne, int r0, int c0) {
    GridControl g;
    g.setRows(righe);
    g.setCols(colonne);
    for (std::size_t i = 0; i < disegno.size(); ++i)
        for (std::size_t j = 0; j < disegno[i].size(); ++j)
            if (disegno[i][j] != ' ')
                g.setText(r0 + static_cast<int>(i), c0 + static_cast<int>(j), std::string(1, disegno[i][j]));
    return g;
}

std::vector<std::string> testi(const GridControl& g) {
    std::vector<std::string> out;
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c) out.push_back(g.text(r, c));
    return out;
}

// The grid's drawing walked as a knot, its symbols in the cells of the same rows and columns: its Gauss
// code and letters, or why it could not be walked.
Result<std::pair<std::string, std::string>> nodoDellaGriglia(const GridControl& g) {
    auto d = std::make_unique<Diagram>();
    for (int r = 1; r < g.rows() && r <= kMaxRigheDisegno; ++r)
        for (int c = 1; c < g.cols() && c <= kMaxColonneDisegno; ++c)
            if (!g.text(r, c).empty()) d->TblNodo.at(r, c).Simbolo = g.text(r, c)[0];
    if (Status s = GeneraStrutturaDaDisegno(*d); !s) return fail(s.error());
    return std::pair{d->txtNodo, d->TxtOri};
}

TEST(DiagonalShift, RefusedWithoutTwoClicksInsideOrWithoutRoom) {
    const testsupport::NamedKnot k = testsupport::namedKnot("trefoil_left");
    fixture::Disegnato w;
    ASSERT_TRUE(w.costruisci(k.gauss, k.letters));
    const std::vector<std::string> disegno = fixture::disegnoIngrandito(*w.d);
    GridControl g = grigliaCon(disegno, 100, 100, 5, 5);
    const EstensioneDisegno e = Command8_Click(g);
    const int mr = (e.RigaDaGr + e.RigaAGr) / 2, mc = (e.ColDaGr + e.ColAGr) / 2;
    const std::vector<std::string> prima = testi(g);

    // No click yet (both corners 0), one click, a click beyond the drawing's range.
    for (const AngoliSpostamento& a :
         {AngoliSpostamento{}, AngoliSpostamento{mr, mc, 0, 0}, AngoliSpostamento{mr, mc, e.RigaAGr + 1, mc},
          AngoliSpostamento{mr, e.ColDaGr - 1, mr, mc}}) {
        ScriptedUi ui;
        EstensioneDisegno r = e;
        EXPECT_FALSE(Sciftadiag(g, r, a, &ui).ok());
        EXPECT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(r, e);
        EXPECT_EQ(testi(g), prima);
    }

    // A range with no room for one more row or column, or not in the grid at all: nothing written.
    for (const EstensioneDisegno& fuori :
         {EstensioneDisegno{e.RigaDaGr, 99, e.ColDaGr, e.ColAGr},
          EstensioneDisegno{e.RigaDaGr, e.RigaAGr, 0, 40}, EstensioneDisegno{},
          EstensioneDisegno{e.RigaDaGr, e.RigaAGr, e.ColDaGr, 150}}) {
        EstensioneDisegno r = fuori;
        EXPECT_FALSE(Sciftadiag(g, r, {mr, mc, mr - 1, mc - 1}).ok());
        EXPECT_EQ(r, fuori);
        EXPECT_EQ(testi(g), prima);
    }
}

// Shifts through a lattice of cells of laid-out knots, along both lines (two clicks on one falling diagonal,
// or on one row): the drawing grows by one row and one column and is still the same knot, or it is put
// back exactly with its range. One drawing lies past column 1000 of a grid as wide as a drawn knot's.
TEST(DiagonalShift, ShiftKeepsTheKnotOrIsUndone) {
    int fatti = 0, annullati = 0;
    for (const std::string nome : {"trefoil_left", "4_1", "5_2", "6_2"}) {
        const testsupport::NamedKnot k = testsupport::namedKnot(nome);
        fixture::Disegnato w;
        ASSERT_TRUE(w.costruisci(k.gauss, k.letters)) << nome;
        const std::vector<std::string> disegno = fixture::disegnoIngrandito(*w.d);
        const int c0 = nome == "6_2" ? 1200 : 4;
        const GridControl originale =
            grigliaCon(disegno, static_cast<int>(disegno.size()) + 12,
                       nome == "6_2" ? 1501 : static_cast<int>(disegno[0].size()) + 12, 4, c0);
        const std::vector<std::string> prima = testi(originale);
        const int fattiPrima = fatti;
        GridControl vista = originale;
        const EstensioneDisegno e = Command8_Click(vista);
        for (int r = e.RigaDaGr + 1; r <= e.RigaAGr; r += 4)
            for (int c = e.ColDaGr + 1; c <= e.ColAGr; c += 5)
                for (const AngoliSpostamento& a :
                     {AngoliSpostamento{r, c, r - 1, c - 1}, AngoliSpostamento{r, c, r, c - 1}}) {
                    GridControl g = originale;
                    EstensioneDisegno dopo = e;
                    ScriptedUi ui;
                    const std::string dove = nome + " at " + std::to_string(r) + "," + std::to_string(c);
                    if (!Sciftadiag(g, dopo, a, &ui)) {
                        ++annullati;
                        EXPECT_EQ(ui.messages.size(), 1u) << dove;
                        EXPECT_EQ(dopo, e) << dove;
                        EXPECT_EQ(testi(g), prima) << dove;
                        continue;
                    }
                    ++fatti;
                    EXPECT_EQ(dopo, (EstensioneDisegno{e.RigaDaGr, e.RigaAGr + 1, e.ColDaGr, e.ColAGr + 1}))
                        << dove;
                    // No mark of the work is left: only symbols.
                    for (const std::string& t : testi(g))
                        ASSERT_TRUE(t.empty() || t == "*" || t == "-" || t == "|") << dove;
                    const auto letto = nodoDellaGriglia(g);
                    ASSERT_TRUE(letto.ok()) << dove << ": " << letto.error();
                    EXPECT_TRUE(testsupport::sameKnot(k.gauss, k.letters, letto->first, letto->second))
                        << dove;
                }
        EXPECT_GT(fatti, fattiPrima) << nome;
    }
    // Strands that turn close to the cut cannot always be joined again: those shifts are undone, most are
    // kept.
    EXPECT_GT(fatti, 3 * annullati);
}

}  // namespace
}  // namespace trevalon
