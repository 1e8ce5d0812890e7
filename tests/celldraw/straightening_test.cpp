#include "celldraw/straightening.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/step_history.h"

namespace trevalon {
namespace {

struct CodiceIn {
    PuntoDis p;
    const char* codice;
};

// A drawing whose course cells hold `marca` and whose other listed cells hold their codes.
std::unique_ptr<CellDrawing> disegno(const ListaCelleDis& corso, const char* marca,
                                     const std::vector<CodiceIn>& altre = {}) {
    auto t = std::make_unique<CellDrawing>();
    for (const PuntoDis& p : corso) t->setCodice(p.r, p.c, marca);
    for (const CodiceIn& x : altre) t->setCodice(x.p.r, x.p.c, x.codice);
    return t;
}

// After tidying: the list is the expected one, its cells hold the marker, the cells left are empty, and
// the first and last cells of the course are kept.
void controlla(const CellDrawing& t, const ListaCelleDis& prima, const ListaCelleDis& dopo,
               const ListaCelleDis& attesa, const char* marca, const ListaCelleDis& svuotate,
               const LimitiLista& box) {
    EXPECT_EQ(testoListaDis(dopo), testoListaDis(attesa));
    for (const PuntoDis& p : dopo) EXPECT_EQ(t.Codice(p.r, p.c), marca) << p.r << "," << p.c;
    for (const PuntoDis& p : svuotate) EXPECT_TRUE(t.vuota(p.r, p.c)) << p.r << "," << p.c;
    ASSERT_FALSE(dopo.empty());
    EXPECT_EQ(dopo.front(), prima.front());
    EXPECT_EQ(dopo.back(), prima.back());
    const LimitiLista l = limitiLista(dopo);
    EXPECT_EQ((std::vector{box.RigaMin, box.ColMin, box.RigaMax, box.ColMax}),
              (std::vector{l.RigaMin, l.ColMin, l.RigaMax, l.ColMax}));
}

TEST(Straightening, LoopsThatComeBackNextToThemselvesAreCut) {
    struct Caso {
        const char* nome;
        ListaCelleDis corso;
        std::vector<CodiceIn> altre;
        ListaCelleDis attesa;
        ListaCelleDis svuotate;
    };
    const std::vector<Caso> casi{
        {"a loop of two cells",
         {{1, 1}, {1, 2}, {2, 2}, {2, 1}, {3, 1}},
         {},
         {{1, 1}, {2, 1}, {3, 1}},
         {{1, 2}, {2, 2}}},
        {"a course touching only its neighbours",
         {{2, 2}, {2, 3}, {2, 4}, {3, 4}},
         {},
         {{2, 2}, {2, 3}, {2, 4}, {3, 4}},
         {}},
        {"a wide loop",
         {{5, 5}, {5, 6}, {5, 7}, {6, 7}, {7, 7}, {7, 6}, {7, 5}, {6, 5}, {6, 4}},
         {},
         {{5, 5}, {6, 5}, {6, 4}},
         {{5, 6}, {5, 7}, {6, 7}, {7, 7}, {7, 6}, {7, 5}}},
        {"a marked cell of another course is not in the list",
         {{2, 2}, {2, 3}, {2, 4}},
         {{{3, 2}, "y"}},
         {{2, 2}, {2, 3}, {2, 4}},
         {}},
        {"in the top left corner",
         {{0, 0}, {0, 1}, {1, 1}, {1, 0}, {2, 0}},
         {},
         {{0, 0}, {1, 0}, {2, 0}},
         {{0, 1}, {1, 1}}},
        {"in the bottom right corner",
         {{698, 2000}, {698, 1999}, {699, 1999}, {699, 2000}, {700, 2000}},
         {},
         {{698, 2000}, {699, 2000}, {700, 2000}},
         {{698, 1999}, {699, 1999}}},
    };
    for (const Caso& k : casi) {
        SCOPED_TRACE(k.nome);
        auto t = disegno(k.corso, "y", k.altre);
        ListaCelleDis lista = k.corso;
        const Result<LimitiLista> box = F3Pulisci3Dis(*t, lista, "y", "t");
        ASSERT_TRUE(box.ok()) << box.error();
        controlla(*t, k.corso, lista, k.attesa, "t", k.svuotate, *box);
    }
}

TEST(Straightening, GapsAlongARowOrAColumnAreFilledAndSplicedInOrder) {
    struct Caso {
        const char* nome;
        RigCol rigCol;
        ListaCelleDis corso;
        std::vector<CodiceIn> altre;
        ListaCelleDis attesa;
        ListaCelleDis svuotate;
    };
    const std::vector<Caso> casi{
        {"row, left to right",
         RigCol::R,
         {{3, 2}, {4, 2}, {4, 3}, {4, 4}, {4, 5}, {3, 5}},
         {},
         {{3, 2}, {3, 3}, {3, 4}, {3, 5}},
         {{4, 2}, {4, 3}, {4, 4}, {4, 5}}},
        {"row, right to left",
         RigCol::R,
         {{3, 5}, {4, 5}, {4, 4}, {4, 3}, {4, 2}, {3, 2}},
         {},
         {{3, 5}, {3, 4}, {3, 3}, {3, 2}},
         {{4, 2}, {4, 3}, {4, 4}, {4, 5}}},
        {"column, downwards",
         RigCol::C,
         {{2, 3}, {2, 4}, {3, 4}, {4, 4}, {5, 4}, {5, 3}},
         {},
         {{2, 3}, {3, 3}, {4, 3}, {5, 3}},
         {{2, 4}, {3, 4}, {4, 4}, {5, 4}}},
        {"column, upwards",
         RigCol::C,
         {{5, 3}, {5, 4}, {4, 4}, {3, 4}, {2, 4}, {2, 3}},
         {},
         {{5, 3}, {4, 3}, {3, 3}, {2, 3}},
         {{2, 4}, {3, 4}, {4, 4}, {5, 4}}},
        {"along rows, a column gap is left",
         RigCol::R,
         {{2, 3}, {2, 4}, {3, 4}, {4, 4}, {5, 4}, {5, 3}},
         {},
         {{2, 3}, {2, 4}, {3, 4}, {4, 4}, {5, 4}, {5, 3}},
         {}},
        {"touching cells are left",
         RigCol::R,
         {{3, 2}, {3, 3}, {4, 3}, {4, 4}, {3, 4}},
         {},
         {{3, 2}, {3, 3}, {4, 3}, {4, 4}, {3, 4}},
         {}},
        {"a line code in the gap stops it",
         RigCol::R,
         {{3, 2}, {4, 2}, {4, 3}, {4, 4}, {4, 5}, {3, 5}},
         {{{3, 3}, "1"}},
         {{3, 2}, {4, 2}, {4, 3}, {4, 4}, {4, 5}, {3, 5}},
         {{3, 4}}},
        {"two gaps on one row",
         RigCol::R,
         {{2, 1}, {2, 4}, {3, 4}, {3, 5}, {3, 6}, {2, 6}, {2, 8}, {1, 8}},
         {},
         // The list jumps between (2,1) and (2,4): both ends stay and the gap goes between them.
         {{2, 1}, {2, 2}, {2, 3}, {2, 4}, {2, 5}, {2, 6}, {2, 7}, {2, 8}, {1, 8}},
         {{3, 4}, {3, 5}, {3, 6}}},
        {"a marked cell outside the list fills nothing",
         RigCol::R,
         {{3, 2}, {4, 2}, {4, 3}, {4, 4}, {4, 5}},
         {{{3, 5}, "t"}},
         {{3, 2}, {4, 2}, {4, 3}, {4, 4}, {4, 5}},
         {{3, 3}, {3, 4}}},
        {"along the last column",
         RigCol::C,
         {{0, 2000}, {0, 1999}, {1, 1999}, {2, 1999}, {3, 1999}, {3, 2000}},
         {},
         {{0, 2000}, {1, 2000}, {2, 2000}, {3, 2000}},
         {{1, 1999}, {2, 1999}}},
        {"along the last row",
         RigCol::R,
         {{700, 0}, {699, 0}, {699, 1}, {699, 2}, {700, 2}},
         {},
         {{700, 0}, {700, 1}, {700, 2}},
         {{699, 0}, {699, 1}, {699, 2}}},
    };
    for (const Caso& k : casi) {
        SCOPED_TRACE(k.nome);
        auto t = disegno(k.corso, "t", k.altre);
        ListaCelleDis lista = k.corso;
        const Result<LimitiLista> box = F3Raddrizza3Dis(*t, lista, "t", k.rigCol);
        ASSERT_TRUE(box.ok()) << box.error();
        controlla(*t, k.corso, lista, k.attesa, "t", k.svuotate, *box);
    }
}

TEST(Straightening, BadCoursesAndCodesAreRefusedAndChangeNothing) {
    const ListaCelleDis buona{{1, 1}, {1, 2}, {3, 3}, {3, 1}};
    struct Caso {
        ListaCelleDis corso;
        const char* marca;   // the marker the cells hold
        const char* marca2;  // the marker they get (only when cutting loops)
    };
    for (const Caso& k : std::vector<Caso>{{{{1, 1}, {701, 1}}, "y", "t"},
                                           {{{1, 1}, {1, 2001}}, "y", "t"},
                                           {{{-1, 1}, {1, 1}}, "y", "t"},
                                           {buona, "y", "Y"},
                                           {buona, "y", "9"},
                                           {buona, "yy", "t"},
                                           {buona, "", "t"},
                                           {buona, "0", "t"}}) {
        SCOPED_TRACE(testoListaDis(k.corso) + k.marca + k.marca2);
        auto t = disegno(buona, "y");
        ListaCelleDis lista = k.corso;
        const Result<LimitiLista> pulita = F3Pulisci3Dis(*t, lista, k.marca, k.marca2);
        EXPECT_FALSE(pulita.ok());
        EXPECT_FALSE(pulita.error().empty());
        if (std::string(k.marca2) == "t") {
            EXPECT_FALSE(F3Raddrizza3Dis(*t, lista, k.marca, RigCol::C).ok());
        }
        EXPECT_EQ(testoListaDis(lista), testoListaDis(k.corso));
        for (const PuntoDis& p : buona) EXPECT_EQ(t->Codice(p.r, p.c), "y");
        EXPECT_TRUE(t->vuota(2, 1));  // the gap below (1,1) stays open
    }
}

TEST(Straightening, AnLShapedRunGoesOnlyThroughEmptyCells) {
    struct Caso {
        const char* nome;
        PuntoDis da, a;
        std::vector<CodiceIn> occupate;
        ListaCelleDis attesa;
    };
    const std::vector<Caso> casi{
        {"vertical leg first", {5, 5}, {7, 8}, {}, {{5, 5}, {6, 5}, {7, 5}, {7, 6}, {7, 7}, {7, 8}}},
        {"horizontal leg when the vertical one is used",
         {5, 5},
         {7, 8},
         {{{6, 5}, "2"}},
         {{5, 5}, {5, 6}, {5, 7}, {5, 8}, {6, 8}, {7, 8}}},
        {"backwards", {7, 8}, {5, 5}, {}, {{7, 8}, {6, 8}, {5, 8}, {5, 7}, {5, 6}, {5, 5}}},
        {"a marker is a used cell too", {5, 5}, {7, 8}, {{{6, 5}, "y"}, {{5, 7}, "y"}}, {}},
        {"the start cell used", {5, 5}, {7, 8}, {{{5, 5}, "1"}}, {}},
        {"a straight run", {4, 2}, {4, 5}, {{{3, 3}, "1"}, {{5, 3}, "1"}}, {{4, 2}, {4, 3}, {4, 4}, {4, 5}}},
        {"to the corner of the drawing",
         {698, 1999},
         {700, 2000},
         {},
         {{698, 1999}, {699, 1999}, {700, 1999}, {700, 2000}}},
        {"an end outside the drawing", {699, 5}, {701, 5}, {}, {}},
    };
    for (const Caso& k : casi) {
        SCOPED_TRACE(k.nome);
        auto t = disegno({}, "y", k.occupate);
        EXPECT_EQ(testoListaDis(F3VerificapercorsoRetto(*t, k.da.r, k.da.c, k.a.r, k.a.c)),
                  testoListaDis(k.attesa));
    }
}

TEST(Straightening, TheShortcutReplacesOneStretchEarliestStartFarthestEnd) {
    // A detour up and over, then on along row 5.
    const ListaCelleDis giro{{5, 5}, {4, 5}, {3, 5}, {3, 6}, {3, 7}, {4, 7}, {5, 7}, {5, 8}, {5, 9}};
    struct Caso {
        const char* nome;
        ListaCelleDis corso;
        std::vector<CodiceIn> occupate;
        ListaCelleDis attesa;
    };
    const std::vector<Caso> casi{
        {"the whole detour to the last cell", giro, {}, {{5, 5}, {5, 6}, {5, 7}, {5, 8}, {5, 9}}},
        {"the farthest end whose run is free",
         giro,
         {{{5, 6}, "1"}},
         {{5, 5}, {4, 5}, {4, 6}, {4, 7}, {5, 7}, {5, 8}, {5, 9}}},
        {"a used first cell gives the next start",
         [&] {
             ListaCelleDis l{{5, 4}};
             l.insert(l.end(), giro.begin(), giro.end());
             return l;
         }(),
         {{{5, 4}, "3"}},
         {{5, 4}, {5, 5}, {5, 6}, {5, 7}, {5, 8}, {5, 9}}},
        {"fewer than four cells", {{5, 5}, {4, 5}, {4, 6}}, {}, {}},
        {"no free run", {{5, 5}, {4, 5}, {4, 6}, {5, 6}}, {{{5, 5}, "1"}, {{4, 5}, "1"}, {{4, 6}, "1"}}, {}},
        {"along the edge of the drawing",
         {{0, 0}, {0, 1}, {1, 1}, {1, 2}, {0, 2}, {0, 3}},
         {},
         {{0, 0}, {0, 1}, {0, 2}, {0, 3}}},
    };
    for (const Caso& k : casi) {
        SCOPED_TRACE(k.nome);
        auto t = disegno({}, "y", k.occupate);
        EXPECT_EQ(testoListaDis(F3Migliorapercorso(*t, k.corso)), testoListaDis(k.attesa));
    }

    // The windows: starts up to the 81st cell, ends down to the 80th from the last. A used cell on a
    // straight course of 200 cells blocks every run across it.
    ListaCelleDis lungo;
    for (int c = 1; c <= 200; ++c) lungo.push_back({10, c});
    for (const auto& [usata, trovata] :
         std::vector<std::pair<int, bool>>{{81, false}, {80, true}, {121, false}, {122, true}}) {
        SCOPED_TRACE(usata);
        auto t = disegno({}, "y", {{{10, usata}, "1"}});
        // A run found covers the same cells as the course.
        EXPECT_EQ(testoListaDis(F3Migliorapercorso(*t, lungo)), trovata ? testoListaDis(lungo) : "");
    }
}

TEST(Straightening, MarkersAreHeldButNeverReachASnapshot) {
    auto t = disegno({{2, 2}, {2, 3}}, "y", {{{2, 4}, "z"}, {{3, 3}, "2"}});
    EXPECT_EQ(t->Codice(2, 2), "y");
    EXPECT_FALSE(t->vuota(2, 4));
    EXPECT_EQ(serializzaCelDis(*t), "3,3,2|");
    EXPECT_FALSE(deserializzaCelDis(*t, "2,2,y|").ok());
    for (const char* no : {"A", "yy", "9", "-", "+"})
        EXPECT_THROW(t->setCodice(1, 1, no), std::invalid_argument);
}

}  // namespace
}  // namespace trevalon
