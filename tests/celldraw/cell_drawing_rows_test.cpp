#include "celldraw/cell_drawing_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "celldraw/cell_drawing_build.h"
#include "celldraw/cell_drawing_check.h"
#include "celldraw/cell_list.h"
#include "layout/build.h"
#include "layout/layout_state.h"
#include "layout/palette.h"
#include "model/drawn_structure.h"
#include "platform/headless_ui.h"
#include "support/diagram_generators.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

using Griglia = std::vector<std::string>;

// A drawing from lines of codes, the first line at row `r0`, its first character at column `c0`; a blank
// is an empty cell, "." a "0". The extent is the box of the non-empty cells.
std::unique_ptr<CellDrawing> disegno(const Griglia& righe, int r0 = 3, int c0 = 2) {
    auto g = std::make_unique<CellDrawing>();
    for (std::size_t i = 0; i < righe.size(); ++i)
        for (std::size_t j = 0; j < righe[i].size(); ++j) {
            const char k = righe[i][j];
            if (k == ' ') continue;
            const int r = r0 + static_cast<int>(i), c = c0 + static_cast<int>(j);
            g->setCodice(r, c, k == '.' ? "0" : std::string(1, k));
            if (k != '.') {
                EXPECT_TRUE(F3SettaDis(*g, {{r, c}}, std::string(1, k)));
            }
        }
    return g;
}

// Rows r0.. and columns c0.. of the drawing as lines like those `disegno` takes, blanks at the ends cut.
Griglia righe(const CellDrawing& g, int r0, int r1, int c0, int c1) {
    Griglia out;
    for (int r = r0; r <= r1; ++r) {
        std::string s;
        for (int c = c0; c <= c1; ++c) {
            const std::string_view k = g.Codice(r, c);
            s += k.empty() ? ' ' : k == "0" ? '.' : k[0];
        }
        s.erase(s.find_last_not_of(' ') + 1);
        out.push_back(s);
    }
    return out;
}

std::vector<int> estensione(const CellDrawing& g) {
    const LimitiDis& l = g.limiti;
    return {l.RigaMin, l.ColMin, l.RigaMax, l.ColMax};
}

// The box of the non-empty cells, as the extent gives it.
std::vector<int> scatola(const CellDrawing& g) {
    LimitiDis l;
    for (int r = 0; r < CellDrawing::kRows; ++r)
        for (int c = 0; c < CellDrawing::kCols; ++c)
            if (!g.vuota(r, c)) {
                l.RigaMin = std::min(l.RigaMin, r);
                l.ColMin = std::min(l.ColMin, c);
                l.RigaMax = std::max(l.RigaMax, r);
                l.ColMax = std::max(l.ColMax, c);
            }
    return {l.RigaMin, l.ColMin, l.RigaMax, l.ColMax};
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

// Two curls whose crossings touch side by side (an unknot), and the same turned over its diagonal.
const Griglia kRiccioliAccanto = {"7878", "6345", " 65"};
const Griglia kRiccioliSopra = {"78", "648", "735", "65"};

TEST(CellDrawingRows, SettaDisWritesListsAndRefusesWhatDoesNotFit) {
    auto g = disegno({"72"});
    g->setSimbolo(3, 3, "n2");
    g->at(3, 3).Numero = 9;
    ASSERT_TRUE(F3SettaDis(*g, {{3, 3}, {8, 40}}, "1"));
    EXPECT_EQ(g->Codice(8, 40), "1");
    EXPECT_EQ(g->at(3, 3).Numero, 9);
    EXPECT_EQ(estensione(*g), (std::vector<int>{3, 2, 8, 40}));
    ASSERT_TRUE(F3SettaDis(*g, {{3, 3}}, "-"));
    EXPECT_EQ(g->Codice(3, 3), "0");
    EXPECT_EQ(g->at(3, 3).Numero, 0);
    EXPECT_EQ(g->Simbolo(3, 3), "n2");
    // A redraw marks the cells it works on with a letter: the extent takes them in.
    ASSERT_TRUE(F3SettaDis(*g, {{9, 41}}, "y"));
    EXPECT_EQ(g->Codice(9, 41), "y");
    EXPECT_EQ(estensione(*g), (std::vector<int>{3, 2, 9, 41}));
    ASSERT_TRUE(F3SettaDis(*g, {{9, 41}}, ""));

    for (const auto& [lista, codice] :
         std::vector<std::pair<ListaCelleDis, std::string>>{{{{4, 4}}, "yy"},
                                                            {{{4, 4}}, "9"},
                                                            {{{4, 4}, {701, 4}}, "2"},
                                                            {{{4, 4}, {4, 0}}, "2"},
                                                            {{{4, 4}, {5, 2001}}, "2"}}) {
        const Status s = F3SettaDis(*g, lista, codice);
        EXPECT_FALSE(s) << codice;
        EXPECT_FALSE(s.error().empty());
        EXPECT_EQ(g->Codice(4, 4), "") << "nothing written when refused";
    }

    // The text form rounds halves to the even number and refuses an item that is not two numbers.
    const Result<ListaCelleDis> l = leggiListaDis("2.5,3.5|4,5,|7,1");
    ASSERT_TRUE(l);
    EXPECT_EQ(*l, (ListaCelleDis{{2, 4}, {4, 5}}));
    EXPECT_FALSE(leggiListaDis("2,3|4,x|"));
}

// An inserted column or row bridges what crosses it and takes its number from a strand cell.
TEST(CellDrawingRows, InsertionBridgesWithTheRightDonor) {
    struct Caso {
        const char* nome;
        bool riga;
        Griglia prima;  // the cells at rows 2.., columns 2..; the insertion is after row (column) 3
        std::string codice;
        int numero;  // of the new cell at (4, 3) for a row, (3, 4) for a column
        std::string simbolo;
    };
    // Numbers and names: column (row) 3 has 11 "a", column (row) 4 has 12 "b". The new cell is looked at in
    // row 3 (column 2).
    const std::vector<Caso> casi = {
        {"2 then 2", false, {"", "7228"}, "2", 12, "bz"},
        {"crossing then crossing", false, {" 11", "7345", " 66"}, "2", 0, "az"},
        {"crossing then 2", false, {" 1", "7328"}, "2", 12, "bz"},
        {"2 then crossing", false, {"  1", "7238", "  6"}, "2", 11, "az"},
        {"8 leaves it empty", false, {"", "7812"}, "0", 0, ""},
        {"1 over 1", true, {"7", "1", "1", "6"}, "1", 12, "bz"},
        {"crossing over crossing", true, {"7", "38", "462", "6"}, "1", 0, "az"},
        {"6 leaves it empty", true, {"7", "6", "7", "6"}, "0", 0, ""},
    };
    for (const Caso& k : casi) {
        auto g = disegno(k.prima, 2, 2);
        for (int i = 2; i < 8; ++i)
            for (int j = 2; j < 8; ++j) {
                const int quale = k.riga ? i : j;
                if (quale != 3 && quale != 4) continue;
                g->at(i, j).Numero = static_cast<std::int16_t>(quale + 8);
                g->at(i, j).Reg1 = static_cast<std::int16_t>(quale + 20);
                g->setSimbolo(i, j, quale == 3 ? "a" : "b");
            }
        const std::vector<int> prima = estensione(*g);
        ASSERT_TRUE(k.riga ? F3InsRigaDis(*g, 3) : F3InsColonnaDis(*g, 3)) << k.nome;
        const int r = k.riga ? 4 : 3, c = k.riga ? 2 : 4;
        EXPECT_EQ(g->Codice(r, c), k.codice) << k.nome;
        EXPECT_EQ(g->at(r, c).Numero, k.numero) << k.nome;
        EXPECT_EQ(g->at(r, c).Reg1, k.numero == 0 ? 0 : k.numero + 12) << k.nome;
        EXPECT_EQ(g->Simbolo(r, c), k.simbolo) << k.nome;
        // The extent grows by the one line added; the lines after it moved by one.
        std::vector<int> dopo = prima;
        ++dopo[k.riga ? 2 : 3];
        EXPECT_EQ(estensione(*g), dopo) << k.nome;
        const auto originale = disegno(k.prima, 2, 2);
        EXPECT_EQ(k.riga ? righe(*g, 5, 9, 2, 8) : righe(*g, 2, 6, 5, 9),
                  k.riga ? righe(*originale, 4, 8, 2, 8) : righe(*originale, 2, 6, 4, 8))
            << k.nome;
    }
}

TEST(CellDrawingRows, InsertionsAtTheTableEdgeAreRefusedAndWideDrawingsMoveWhole) {
    // A drawing 650 columns wide moves whole past column 601.
    auto g = disegno({"7" + std::string(648, '2') + "8", "6" + std::string(648, '2') + "5"}, 3, 2);
    ASSERT_TRUE(verificaCelDis(*g));
    ASSERT_TRUE(F3InsColonnaDis(*g, 10));
    ASSERT_TRUE(F3InsRigaDis(*g, 3));
    EXPECT_EQ(estensione(*g), (std::vector<int>{3, 2, 5, 652}));
    EXPECT_EQ(g->Codice(3, 652), "8");
    EXPECT_EQ(g->Codice(5, 652), "5");
    EXPECT_EQ(g->Codice(4, 652), "1");
    EXPECT_TRUE(verificaCelDis(*g));

    struct Caso {
        bool riga;
        int dopo;
        int bordo;  // the drawing's last row or column
    };
    for (const Caso& k : std::vector<Caso>{{false, -1, 100},
                                           {false, 2000, 100},
                                           {false, 50, 2000},
                                           {true, -1, 100},
                                           {true, 700, 100},
                                           {true, 50, 700}}) {
        auto h = disegno({"78", "65"}, 3, 2);
        if (k.riga)
            ASSERT_TRUE(F3SettaDis(*h, {{k.bordo, 9}}, "2"));
        else
            ASSERT_TRUE(F3SettaDis(*h, {{9, k.bordo}}, "2"));
        const std::vector<int> prima = estensione(*h);
        const Status s = k.riga ? F3InsRigaDis(*h, k.dopo) : F3InsColonnaDis(*h, k.dopo);
        EXPECT_FALSE(s) << k.riga << " " << k.dopo;
        EXPECT_FALSE(s.error().empty());
        EXPECT_EQ(estensione(*h), prima);
        EXPECT_EQ(righe(*h, 3, 4, 2, 3), (Griglia{"78", "65"}));
    }
    // Separating crossings that would pass the table changes nothing.
    auto pieno = disegno(kRiccioliAccanto, 3, 2);
    ASSERT_TRUE(F3SettaDis(*pieno, {{20, 2000}}, "2"));
    EXPECT_FALSE(F3VerificaNodiViciniColonna(*pieno));
    EXPECT_EQ(righe(*pieno, 3, 5, 2, 5), kRiccioliAccanto);
}

TEST(CellDrawingRows, TouchingCrossingsAreSeparatedWherEverTheyLie) {
    struct Caso {
        Griglia curve;
        int r0, c0;
        bool riga;
    };
    const std::vector<Caso> casi = {
        {kRiccioliAccanto, 3, 2, false},   {kRiccioliAccanto, 3, 498, false},
        {kRiccioliAccanto, 3, 499, false}, {kRiccioliAccanto, 600, 1400, false},
        {kRiccioliSopra, 3, 2, true},      {kRiccioliSopra, 600, 5, true},
    };
    for (const Caso& k : casi) {
        auto g = disegno(k.curve, k.r0, k.c0);
        ASSERT_TRUE(verificaCelDis(*g));
        ASSERT_TRUE(incrociCheSiToccano(*g));
        // Crossings that touch the other way are left alone.
        ASSERT_TRUE(k.riga ? F3VerificaNodiViciniColonna(*g) : F3VerificaNodiViciniRiga(*g));
        EXPECT_TRUE(incrociCheSiToccano(*g)) << k.r0 << "," << k.c0;
        ASSERT_TRUE(k.riga ? F3VerificaNodiViciniRiga(*g) : F3VerificaNodiViciniColonna(*g));
        EXPECT_FALSE(incrociCheSiToccano(*g)) << k.r0 << "," << k.c0;
        // The line that separates them is no repeat: dropping repeats leaves it.
        const std::vector<int> separato = estensione(*g);
        ASSERT_TRUE(F3EliminaRgheUgualiDis(*g));
        ASSERT_TRUE(F3EliminaColonneUgualiDis(*g));
        EXPECT_FALSE(incrociCheSiToccano(*g));
        EXPECT_EQ(estensione(*g), separato);
        EXPECT_TRUE(verificaCelDis(*g)) << verificaCelDis(*g).error();
        EXPECT_EQ(estensione(*g), scatola(*g));
        auto dopo = std::make_unique<Diagram>();
        const Status w = GeneraStrutturaDaTblGen(*dopo, *g);
        ASSERT_TRUE(w) << k.r0 << "," << k.c0 << ": " << w.error();
        EXPECT_EQ(dopo->NumIncroci, 2);
        EXPECT_TRUE(testsupport::sameKnot("1-1+", "O", dopo->txtNodo, dopo->TxtOri));
    }
}

TEST(CellDrawingRows, ColumnsAndRowsThatRepeatTheirNeighbourAreDropped) {
    // The columns of a rectangle: the plain stretches and the empty middle go, the last column stays.
    auto g = disegno({"72228", "1 . 1", "62225"});
    ASSERT_TRUE(F3EliminaColonneUgualiDis(*g));
    EXPECT_EQ(righe(*g, 3, 5, 2, 7), (Griglia{"78", "11", "65"}));
    EXPECT_EQ(estensione(*g), (std::vector<int>{3, 2, 5, 3}));
    EXPECT_TRUE(verificaCelDis(*g));
    // Its rows: the middle row repeats the one below it; a "0" tested becomes "".
    g = disegno({"72228", "1.  1", "1   1", "62225"});
    ASSERT_TRUE(F3EliminaRgheUgualiDis(*g));
    EXPECT_EQ(righe(*g, 3, 7, 2, 6), (Griglia{"72228", "62225", "", "", ""}));
    EXPECT_EQ(estensione(*g), (std::vector<int>{3, 2, 4, 6}));
    EXPECT_TRUE(verificaCelDis(*g));
}

// Cell-drawing faults are found, and the first faulty cell is named.
TEST(CellDrawingRows, TheCheckNamesTheFirstFaultyCell) {
    struct Caso {
        const char* nome;
        Griglia disegno;
        std::string messaggio;  // a part of the message; empty for a sound drawing
    };
    const std::vector<Caso> casi = {
        {"loop", {"78", "65"}, ""},
        {"curls", kRiccioliAccanto, ""},
        {"broken corner", {"78", "61"}, "cell 4,2 (code 6) is not joined on its right side"},
        {"strand into a side", {"728", "1 1", "615"}, "cell 5,2 (code 6) is not joined on its right side"},
        {"crossing short of a side", {"78", "635"}, "cell 4,3 (code 3) is not joined on its bottom side"},
        {"open end", {"728", "6 5"}, "cell 4,2 (code 6) is not joined on its right side"},
    };
    for (const Caso& k : casi) {
        auto g = disegno(k.disegno);
        const Status s = verificaCelDis(*g);
        if (k.messaggio.empty()) {
            EXPECT_TRUE(s) << k.nome << ": " << s.error();
            continue;
        }
        EXPECT_FALSE(s) << k.nome;
        EXPECT_NE(s.error().find(k.messaggio), std::string::npos) << k.nome << ": " << s.error();
    }
    auto g = disegno({"78", "65"});
    g->limiti.ColMax = 2;
    EXPECT_NE(verificaCelDis(*g).error().find("cell 3,3 (code 8) lies outside the extent"),
              std::string::npos);
    g = disegno({"78", "65"});
    g->at(3, 2).codice = 'y';
    EXPECT_NE(verificaCelDis(*g).error().find("cell 3,2: 'y' is not a line code"), std::string::npos);
    g = disegno({"78", "65"}, 1, 1);
    g->setCodice(0, 1, "1");
    EXPECT_NE(verificaCelDis(*g).error().find("row 0 or column 0"), std::string::npos);
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
    // (along, across) offsets from the first crossing, now at across b + 1, with the code drawn side by
    // side; one above the other is the same turned over the diagonal.
    struct Pezzo {
        int da, db;
        char codice, girato;
    };
    const std::vector<Pezzo> pezzi = {{1, 0, '3', '4'},  {2, 0, '5', '5'}, {2, -1, '8', '6'},
                                      {1, -1, '7', '7'}, {1, 1, '6', '8'}, {2, 1, '2', '1'},
                                      {3, 1, '5', '5'},  {3, 0, '7', '7'}};
    for (const Pezzo& p : pezzi) {
        const int pa = a + p.da, pb = b + 1 + p.db;
        const PuntoDis cella = riga ? PuntoDis{pa, pb} : PuntoDis{pb, pa};
        ASSERT_TRUE(F3SettaDis(g, {cella}, std::string(1, riga ? p.girato : p.codice)));
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
        auto d = std::make_unique<Diagram>();
        auto s = std::make_unique<LayoutState>();
        RenderState st;
        GridControl griglia;
        TileNameTable tbltt;
        const TilePalette palette(PaletteId::Form1, false);
        ScriptedUi ui;
        d->txtNodo = gauss;
        d->TxtOri = lettere;
        InizializzaGr(griglia, d->NumRighe, d->NumColonne, st.DimCella, GenMode::Code);
        ASSERT_TRUE(CostruisciDaCodice(*d, *s, st, RenderTarget{griglia, tbltt, palette, &ui}, ui)) << gauss;
        auto g = std::make_unique<CellDrawing>();
        ASSERT_TRUE(F3GenCelDis(*g, *d, tbltt, false)) << gauss;
        ASSERT_TRUE(verificaCelDis(*g)) << gauss << ": " << verificaCelDis(*g).error();

        auto stessoNodo = [&, &gauss = gauss, &lettere = lettere](const std::string& passo) {
            const Status v = verificaCelDis(*g);
            EXPECT_TRUE(v) << gauss << " after " << passo << ": " << v.error();
            EXPECT_EQ(estensione(*g), scatola(*g)) << gauss << " after " << passo;
            auto indietro = std::make_unique<Diagram>();
            const Status w = GeneraStrutturaDaTblGen(*indietro, *g);
            EXPECT_TRUE(w) << gauss << " after " << passo << ": " << w.error();
            if (!w) return -1;
            EXPECT_TRUE(testsupport::sameKnot(gauss, lettere, indietro->txtNodo, indietro->TxtOri))
                << gauss << " after " << passo;
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
        EXPECT_TRUE(verificaCelDis(*g)) << gauss << ": " << verificaCelDis(*g).error();
        ASSERT_TRUE(F3VerificaNodiViciniColonna(*g));
        ASSERT_TRUE(F3VerificaNodiViciniRiga(*g));
        EXPECT_FALSE(incrociCheSiToccano(*g)) << gauss;
        EXPECT_EQ(stessoNodo("separating crossings"), d->NumIncroci + 2);

        const LimitiDis largo = g->limiti;
        ASSERT_TRUE(F3EliminaRgheUgualiDis(*g));
        ASSERT_TRUE(F3EliminaColonneUgualiDis(*g));
        EXPECT_LE(g->limiti.RigaMax, largo.RigaMax) << gauss;
        EXPECT_LE(g->limiti.ColMax, largo.ColMax) << gauss;
        tolte += largo.RigaMax - g->limiti.RigaMax + largo.ColMax - g->limiti.ColMax;
        EXPECT_FALSE(incrociCheSiToccano(*g)) << gauss;
        EXPECT_EQ(stessoNodo("dropping rows and columns"), d->NumIncroci + 2);
    }
    EXPECT_GT(tolte, 0) << "no row or column was ever dropped";
}

}  // namespace
}  // namespace trevalon
