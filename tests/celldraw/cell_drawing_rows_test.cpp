#include "celldraw/cell_drawing_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "celldraw/cell_drawing_build.h"
#include "celldraw/cell_drawing_check.h"
#include "celldraw/cell_list.h"
#include "celldraw/redraw.h"
#include "disegno_da_codice.h"
#include "layout/build.h"
#include "layout/layout_state.h"
#include "layout/palette.h"
#include "model/cell_drawing_snapshot.h"
#include "model/drawn_structure.h"
#include "platform/headless_ui.h"
#include "support/diagram_generators.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

// A drawing from lines of codes split by "|", the first at row `r0`, its first character at column `c0`; a
// blank is an empty cell.
std::unique_ptr<CellDrawing> disegno(const std::string& testo, int r0 = 3, int c0 = 2) {
    auto g = std::make_unique<CellDrawing>();
    int r = r0, c = c0;
    for (const char k : testo) {
        if (k == '|') r++, c = c0 - 1;
        EXPECT_TRUE(k == ' ' || k == '|' || F3SettaDis(*g, {{r, c}}, std::string(1, k)));
        ++c;
    }
    return g;
}

std::vector<int> estremi(const LimitiDis& l) {
    return {l.RigaMin, l.ColMin, l.RigaMax, l.ColMax};
}

// The extent is the box of the non-empty cells.
void estensioneEsatta(const CellDrawing& g) {
    LimitiDis b;
    for (int r = 0; r < CellDrawing::kRows; ++r)
        for (int c = 0; c < CellDrawing::kCols; ++c)
            if (!g.vuota(r, c))
                b = {std::max(b.RigaMax, r), std::max(b.ColMax, c), std::min(b.RigaMin, r),
                     std::min(b.ColMin, c)};
    EXPECT_EQ(estremi(b), estremi(g.limiti));
}

// Two crossing cells side by side or one above the other.
bool incrociCheSiToccano(const CellDrawing& g) {
    for (int r = 1; r < CellDrawing::kRows - 1; ++r)
        for (int c = 1; c < CellDrawing::kCols - 1; ++c)
            if (codiceIncrocio(g.at(r, c).codice) &&
                (codiceIncrocio(g.at(r, c + 1).codice) || codiceIncrocio(g.at(r + 1, c).codice)))
                return true;
    return false;
}

// Two curls whose crossings touch side by side (an unknot).
const std::string kRiccioliAccanto = "7878|6345| 65";

// An inserted column or row bridges what crosses it and takes its number from a strand cell.
TEST(CellDrawingRows, InsertionBridgesWithTheRightDonor) {
    struct Caso {
        bool riga;
        std::string prima;   // at rows 2.., columns 2..; the insertion is after row (column) 3
        std::string attesa;  // code, number and name of the new cell at (4, 2) for a row, (3, 4) for a column
    };
    // Column (row) 3 has number 11 and name "a", column (row) 4 has 12 and "b".
    const std::vector<Caso> casi = {{false, "|7228", "2 12 bz"},    {false, " 11|7345| 66", "2 0 az"},
                                    {false, " 1|7328", "2 12 bz"},  {false, "  1|7238|  6", "2 11 az"},
                                    {false, "|7812", "0 0 "},       {true, "7|1|1|6", "1 12 bz"},
                                    {true, "7|38|462|6", "1 0 az"}, {true, "7|6|7|6", "0 0 "}};
    for (const Caso& k : casi) {
        auto g = disegno(k.prima, 2, 2);
        for (int i = 2; i < 8; ++i)
            for (int j = 2; j < 8; ++j)
                if (const int q = k.riga ? i : j; q == 3 || q == 4) {
                    g->at(i, j).Numero = static_cast<std::int16_t>(q + 8);
                    g->setSimbolo(i, j, q == 3 ? "a" : "b");
                }
        ASSERT_TRUE(k.riga ? F3InsRigaDis(*g, 3) : F3InsColonnaDis(*g, 3));
        const int r = k.riga ? 4 : 3, c = k.riga ? 2 : 4;
        EXPECT_EQ(std::string(g->Codice(r, c)) + " " + std::to_string(g->at(r, c).Numero) + " " +
                      std::string(g->Simbolo(r, c)),
                  k.attesa)
            << k.prima;
    }
}

TEST(CellDrawingRows, ChangesPastTheTableEdgeAreRefusedAndChangeNothing) {
    struct Caso {
        char op;      // 'c', 'r': insert a column (row) after n; 's': separate crossings; 'p': write (r, c)
        int n, r, c;  // for 'c', 'r' and 's' a "2" is written at (r, c) first
    };
    const std::vector<Caso> casi = {
        {'c', -1, 9, 100}, {'c', 2000, 9, 100}, {'c', 50, 9, 2000}, {'r', -1, 100, 9}, {'r', 700, 100, 9},
        {'r', 50, 700, 9}, {'s', 0, 20, 2000},  {'p', 0, 701, 4},   {'p', 0, 4, 0},    {'p', 0, 5, 2001}};
    for (const Caso& k : casi) {
        auto g = disegno(kRiccioliAccanto);
        ASSERT_TRUE(k.op == 'p' || F3SettaDis(*g, {{k.r, k.c}}, "2"));
        const auto prima = std::pair{serializzaCelDis(*g), estremi(g->limiti)};
        const Status s = k.op == 'c'   ? F3InsColonnaDis(*g, k.n)
                         : k.op == 'r' ? F3InsRigaDis(*g, k.n)
                         : k.op == 's' ? F3VerificaNodiViciniColonna(*g)
                                       : F3SettaDis(*g, {{4, 4}, {k.r, k.c}}, "2");
        EXPECT_FALSE(s || s.error().empty()) << k.op << k.n << " " << k.r << "," << k.c;
        EXPECT_EQ(std::pair(serializzaCelDis(*g), estremi(g->limiti)), prima);
    }
}

TEST(CellDrawingRows, TheCheckNamesTheFirstFaultyCell) {
    for (const auto& [d, messaggio] :
         {std::pair{"78|635", "cell 4,3 (code 3) is not joined on its bottom side"},
          std::pair{"728|6 5", "cell 4,2 (code 6) is not joined on its right side"}})
        EXPECT_NE(verificaCelDis(*disegno(d)).error().find(messaggio), std::string::npos) << d;
    // A code written far from the extent, without it, is found all the same.
    auto g = disegno("78|65");
    g->at(650, 1990).codice = '2';
    EXPECT_NE(verificaCelDis(*g).error().find("cell 650,1990 (code 2) lies outside the extent"),
              std::string::npos)
        << verificaCelDis(*g).error();
}

// What works on the whole drawing sees a cell written anywhere, however far from the extent: the snapshot,
// the walk's scan for crossings, the clears (row 0 and column 0 too), and a copy.
TEST(CellDrawingRows, WorkOnTheWholeDrawingSeesEveryCellWritten) {
    auto g = disegno(" 78|735|65");  // a curl
    ASSERT_TRUE(GeneraStrutturaDaTblGen(*std::make_unique<Diagram>(), *g));
    g->at(690, 1995).codice = '3';
    g->setSimbolo(0, 7, "r*");
    g->at(12, 0).Numero = 4;
    EXPECT_NE(serializzaCelDis(*g).find("|690,1995,3|"), std::string::npos);
    auto d = std::make_unique<Diagram>();
    EXPECT_NE(GeneraStrutturaDaTblGen(*d, *g).error().find("row 690, column 1995"), std::string::npos);
    const CellDrawing copia = *g;
    EXPECT_EQ(copia.Codice(690, 1995), "3");
    F3PulisciCelDis(*g);
    EXPECT_EQ((std::tuple{std::string(g->Codice(690, 1995)), std::string(g->Simbolo(0, 7)),
                          g->at(12, 0).Numero, serializzaCelDis(*g)}),
              (std::tuple{std::string(), std::string(), std::int16_t{0}, std::string()}));
}

// A curl beside the first crossing, made with the procedures themselves: room by three lines after the
// crossing and one on each side of it, then the curl's cells. Its crossing touches the first one, across
// the lines (`riga` false: side by side; true: one above the other).
void riccioloAccanto(CellDrawing& g, bool riga) {
    int r = 0, c = 0;
    for (int i = 1; i < CellDrawing::kRows && r == 0; ++i)
        for (int j = 1; j < CellDrawing::kCols && r == 0; ++j)
            if (codiceIncrocio(g.at(i, j).codice)) r = i, c = j;
    ASSERT_NE(r, 0);
    auto lungo = [&](int n) { return riga ? F3InsRigaDis(g, n) : F3InsColonnaDis(g, n); };
    auto traverso = [&](int n) { return riga ? F3InsColonnaDis(g, n) : F3InsRigaDis(g, n); };
    const int a = riga ? r : c, b = riga ? c : r;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(lungo(a));
    ASSERT_TRUE(traverso(b));
    ASSERT_TRUE(traverso(b - 1));
    // The curl's rows from across b (its first cell at along a + 1), drawn side by side; one above the
    // other is the same turned over the diagonal, which turns each code too.
    const char* curl[] = {"78", "357", "625"};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; curl[i][j] != 0; ++j) {
            const char k = riga ? "21435876"[curl[i][j] - '1'] : curl[i][j];
            const PuntoDis cella = riga ? PuntoDis{a + 1 + j, b + i} : PuntoDis{b + i, a + 1 + j};
            ASSERT_TRUE(F3SettaDis(g, {cella}, std::string(1, k)));
        }
}

// Drawings made from the named knots stay sound through every change, and walk back to their knot.
TEST(CellDrawingRows, DrawingsOfKnotsKeepTheirKnotThroughEveryChange) {
    std::vector<std::pair<std::string, std::string>> codici;
    for (const auto& k : testsupport::namedKnots()) codici.emplace_back(k.gauss, k.letters);
    const testsupport::GaussDiagram braccio = testsupport::randomBraidKnot(7, 4, 16);
    codici.emplace_back(testsupport::gaussText(braccio), testsupport::lettersText(braccio));
    int tolte = 0;  // rows and columns dropped in all
    for (const auto& [gauss, lettere] : codici) {
        SCOPED_TRACE(gauss);
        fixture::Disegnato disegno;
        ASSERT_TRUE(disegno.costruisci(gauss, lettere)) << gauss;
        const std::unique_ptr<Diagram>& d = disegno.d;
        const TileNameTable& tbltt = disegno.tbltt;
        auto g = std::make_unique<CellDrawing>();
        ASSERT_TRUE(F3GenCelDis(*g, *d, tbltt, false));

        auto stessoNodo = [&, &gauss = gauss, &lettere = lettere](const char* passo) {
            SCOPED_TRACE(passo);
            EXPECT_TRUE(verificaCelDis(*g)) << verificaCelDis(*g).error();
            estensioneEsatta(*g);
            auto indietro = std::make_unique<Diagram>();
            EXPECT_TRUE(GeneraStrutturaDaTblGen(*indietro, *g));
            EXPECT_TRUE(testsupport::sameKnot(gauss, lettere, indietro->txtNodo, indietro->TxtOri));
            return indietro->NumIncroci;
        };

        const LimitiDis l = g->limiti;
        const int rm = (l.RigaMin + l.RigaMax) / 2, cm = (l.ColMin + l.ColMax) / 2;
        for (int c : {l.ColMin - 1, l.ColMin, cm, l.ColMax - 1, l.ColMax})
            ASSERT_TRUE(F3InsColonnaDis(*g, c));
        for (int r : {l.RigaMin - 1, l.RigaMin, rm, l.RigaMax - 1, l.RigaMax})
            ASSERT_TRUE(F3InsRigaDis(*g, r));
        stessoNodo("insertions");

        riccioloAccanto(*g, false);
        riccioloAccanto(*g, true);
        ASSERT_TRUE(incrociCheSiToccano(*g));
        ASSERT_TRUE(F3VerificaNodiViciniColonna(*g));
        ASSERT_TRUE(F3VerificaNodiViciniRiga(*g));
        EXPECT_FALSE(incrociCheSiToccano(*g));
        EXPECT_EQ(stessoNodo("separating crossings"), d->NumIncroci + 2);

        const LimitiDis largo = g->limiti;
        ASSERT_TRUE(F3EliminaRgheUgualiDis(*g));
        ASSERT_TRUE(F3EliminaColonneUgualiDis(*g));
        tolte += largo.RigaMax - g->limiti.RigaMax + largo.ColMax - g->limiti.ColMax;
        EXPECT_FALSE(incrociCheSiToccano(*g));
        EXPECT_EQ(stessoNodo("dropping repeated lines"), d->NumIncroci + 2);
    }
    EXPECT_GT(tolte, 0) << "no row or column was ever dropped";
}

// Every cell of the table that is not all zero, field by field with its tile names, and the extent.
std::string ogniCella(const CellDrawing& g) {
    std::string out = std::to_string(g.limiti.RigaMin) + "," + std::to_string(g.limiti.RigaMax) + "," +
                      std::to_string(g.limiti.ColMin) + "," + std::to_string(g.limiti.ColMax) + ":";
    for (int r = 0; r < CellDrawing::kRows; ++r)
        for (int c = 0; c < CellDrawing::kCols; ++c) {
            const CellaDis& x = g.at(r, c);
            if (x.codice == 0 && x.simbolo == 0 && x.tooltip == 0 && x.Numero == 0 && x.Reg1 == 0 &&
                x.Reg2 == 0 && x.Marca == 0)
                continue;
            out += std::to_string(r) + "," + std::to_string(c) + (x.codice ? std::string(1, x.codice) : ".") +
                   std::string(g.Simbolo(r, c)) + "/" + std::string(g.Tooltip(r, c)) + " " +
                   std::to_string(x.Numero) + " " + std::to_string(x.Reg1) + " " + std::to_string(x.Reg2) +
                   " " + std::to_string(x.Marca) + "|";
        }
    return out;
}

// Many rows or columns inserted at once leave the drawing, cell for cell, as inserting them one by one
// does: every line of the drawing spread out, lines here and there, lines after the last one, and lists
// that are done one by one (not in decreasing order, or starting before the drawing).
TEST(CellDrawingRows, InsertingManyLinesAtOnceIsInsertingThemOneByOne) {
    const testsupport::GaussDiagram braccio = testsupport::randomBraidKnot(5, 4, 14);
    fixture::Disegnato disegno;
    ASSERT_TRUE(disegno.costruisci(testsupport::gaussText(braccio), testsupport::lettersText(braccio)));
    auto base = std::make_unique<CellDrawing>();
    ASSERT_TRUE(F3GenCelDis(*base, *disegno.d, disegno.tbltt, false));
    base->at(base->limiti.RigaMin + 1, base->limiti.ColMin + 1).Marca = 7;
    const LimitiDis l = base->limiti;
    for (const bool righe : {true, false}) {
        const int lo = righe ? l.RigaMin : l.ColMin, hi = righe ? l.RigaMax : l.ColMax;
        std::vector<std::vector<int>> liste = {
            {}, {hi - 1, (lo + hi) / 2, lo}, {hi + 3, hi, hi - 2, lo - 1}, {lo, hi - 1}, {hi - 1, lo - 2}};
        liste.emplace_back();
        for (int a = hi; a >= lo - 1; --a) liste.back().push_back(a);
        for (const std::vector<int>& dopo : liste) {
            SCOPED_TRACE(testing::PrintToString(righe) + testing::PrintToString(dopo));
            auto uno = std::make_unique<CellDrawing>(*base);
            auto tutti = std::make_unique<CellDrawing>(*base);
            for (int n : dopo) ASSERT_TRUE(righe ? F3InsRigaDis(*uno, n) : F3InsColonnaDis(*uno, n));
            ASSERT_TRUE(righe ? inserisciRigheDis(*tutti, dopo) : inserisciColonneDis(*tutti, dopo));
            EXPECT_EQ(ogniCella(*tutti), ogniCella(*uno));
        }
    }
    // The rows spread out again and again until the drawing is full: where it is, both fail alike.
    auto uno = std::make_unique<CellDrawing>(*base);
    auto tutti = std::make_unique<CellDrawing>(*base);
    Status s;
    for (int giro = 0; giro < 10 && s; ++giro) {
        std::vector<int> dopo;
        for (int a = uno->limiti.RigaMax; a >= uno->limiti.RigaMin - 1; --a) dopo.push_back(a);
        for (int n : dopo)
            if (s = F3InsRigaDis(*uno, n); !s) break;
        EXPECT_EQ(inserisciRigheDis(*tutti, dopo).error(), s.error());
        EXPECT_EQ(ogniCella(*tutti), ogniCella(*uno));
    }
    EXPECT_FALSE(s);
}

}  // namespace
}  // namespace trevalon
