#include "celldraw/straightening.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "model/cell_drawing_snapshot.h"

namespace trevalon {
namespace {

// A list of cells in text form, "r,c|r,c|".
ListaCelleDis lista(const std::string& testo) {
    return leggiListaDis(testo).value();
}

// A drawing whose course cells hold `marca` and whose cells `altre` hold `codice`.
std::unique_ptr<CellDrawing> disegno(const std::string& corso, const char* marca, const std::string& altre,
                                     const char* codice) {
    auto t = std::make_unique<CellDrawing>();
    for (const PuntoDis& p : lista(corso)) t->setCodice(p.r, p.c, marca);
    for (const PuntoDis& p : lista(altre)) t->setCodice(p.r, p.c, codice);
    return t;
}

struct Caso {
    // 'P': loops cut, marker "y" becomes "t"; 'R', 'C': gaps filled along rows (columns), marker "t"; 'L':
    // the L-shaped run from the first to the last cell; 'M': the shortcut of the course.
    char modo;
    const char *corso, *attesa, *altre = "", *codice = "";
};

// The list comes back as expected. When tidied, its cells hold "t", the other cells written keep their
// code and every other cell is empty.
void prova(const Caso& k) {
    SCOPED_TRACE(std::string(1, k.modo) + " " + k.corso);
    const bool tidy = k.modo != 'L' && k.modo != 'M';
    auto t = disegno(tidy ? k.corso : "", k.modo == 'P' ? "y" : "t", k.altre, k.codice);
    ListaCelleDis l = lista(k.corso);
    if (k.modo == 'L') l = F3VerificapercorsoRetto(*t, l.front().r, l.front().c, l.back().r, l.back().c);
    if (k.modo == 'M') l = F3Migliorapercorso(*t, l);
    ASSERT_TRUE(!tidy || (k.modo == 'P' ? F3Pulisci3Dis(*t, l, "y", "t")
                                        : F3Raddrizza3Dis(*t, l, "t", static_cast<RigCol>(k.modo))));
    EXPECT_EQ(scriviVociPercorso(l), scriviVociPercorso(lista(k.attesa)));
    if (!tidy) return;
    for (const PuntoDis& p : l) EXPECT_EQ(t->Codice(p.r, p.c), "t");
    const ListaCelleDis altre = lista(k.altre);
    for (const PuntoDis& p : altre) EXPECT_EQ(t->Codice(p.r, p.c), k.codice);
    std::size_t piene = 0;
    for (int r = 0; r < CellDrawing::kRows; ++r)
        for (int c = 0; c < CellDrawing::kCols; ++c) piene += t->vuota(r, c) ? 0 : 1;
    EXPECT_EQ(piene, l.size() + altre.size());
}

TEST(Straightening, LoopsThatComeBackNextToThemselvesAreCut) {
    for (const Caso& k :
         {Caso{'P', "698,2000|698,1999|699,1999|699,2000|700,2000|", "698,2000|699,2000|700,2000|"},
          Caso{'P', "0,1|0,2|0,3|1,3|2,3|2,2|2,1|1,1|1,0|", "0,1|1,1|1,0|"},
          Caso{'P', "2,2|2,3|2,4|", "2,2|2,3|2,4|", "3,2|", "y"}})
        prova(k);
}

TEST(Straightening, GapsAlongARowOrAColumnAreFilledAndSplicedInOrder) {
    for (const Caso& k :
         {Caso{'R', "700,0|699,0|699,1|699,2|700,2|", "700,0|700,1|700,2|"},
          Caso{'R', "3,5|4,5|4,4|4,3|4,2|3,2|", "3,5|3,4|3,3|3,2|"},
          Caso{'C', "0,2000|0,1999|1,1999|2,1999|3,1999|3,2000|", "0,2000|1,2000|2,2000|3,2000|"},
          // Two gaps, one between neighbours in the list; then left alone: a gap across the rows, a gap
          // holding a line code, a gap up to a marked cell outside the list.
          Caso{'R', "2,1|2,4|3,4|3,5|3,6|2,6|2,8|1,8|", "2,1|2,2|2,3|2,4|2,5|2,6|2,7|2,8|1,8|"},
          Caso{'R', "2,3|2,4|3,4|4,4|5,4|5,3|", "2,3|2,4|3,4|4,4|5,4|5,3|"},
          Caso{'R', "3,2|4,2|4,3|4,4|4,5|3,5|", "3,2|4,2|4,3|4,4|4,5|3,5|", "3,3|", "1"},
          Caso{'R', "3,2|4,2|4,3|4,4|4,5|", "3,2|4,2|4,3|4,4|4,5|", "3,5|", "t"},
          // A marked cell outside the list starts no splice; the list's own gap on that row is filled.
          Caso{'R', "3,5|4,5|4,6|4,7|4,8|3,8|", "3,5|3,6|3,7|3,8|", "3,2|", "t"},
          // Two gaps down one column, the second found in the list the first splice left.
          Caso{'C', "1,2|1,3|2,3|3,3|4,3|4,2|6,2|", "1,2|2,2|3,2|4,2|5,2|6,2|"}})
        prova(k);
}

TEST(Straightening, AnLShapedRunGoesOnlyThroughEmptyCells) {
    for (const Caso& k : {Caso{'L', "5,5|7,8|", "5,5|6,5|7,5|7,6|7,7|7,8|"},
                          Caso{'L', "5,5|7,8|", "5,5|5,6|5,7|5,8|6,8|7,8|", "6,5|", "2"},
                          Caso{'L', "5,5|7,8|", "", "6,5|5,7|", "y"},  // a marker is a used cell too
                          Caso{'L', "4,2|4,5|", "4,2|4,3|4,4|4,5|"},
                          Caso{'L', "698,1999|700,2000|", "698,1999|699,1999|700,1999|700,2000|"},
                          Caso{'L', "699,5|701,5|", ""}})
        prova(k);
}

TEST(Straightening, TheShortcutReplacesOneStretchEarliestStartFarthestEnd) {
    // A detour up and over: the farthest end with a free run wins; a used first cell gives the next start.
    for (const Caso& k :
         {Caso{'M', "5,5|4,5|3,5|3,6|3,7|4,7|5,7|5,8|5,9|", "5,5|5,6|5,7|5,8|5,9|"},
          Caso{'M', "5,5|4,5|3,5|3,6|3,7|4,7|5,7|5,8|5,9|", "5,5|4,5|4,6|4,7|5,7|5,8|5,9|", "5,6|", "1"},
          Caso{'M', "5,4|5,5|4,5|3,5|3,6|3,7|4,7|5,7|5,8|5,9|", "5,4|5,5|5,6|5,7|5,8|5,9|", "5,4|", "3"},
          Caso{'M', "5,5|4,5|4,6|", ""}})
        prova(k);
    // Starts up to the 81st cell, ends down to the 80th from the last; a used cell blocks runs across it.
    ListaCelleDis lungo;
    for (int c = 1; c <= 200; ++c) lungo.push_back({10, c});
    for (const auto& [usata, trovata] :
         {std::pair{81, false}, std::pair{80, true}, std::pair{121, false}, std::pair{122, true}}) {
        auto t = disegno("", "y", "10," + std::to_string(usata) + "|", "1");
        EXPECT_EQ(scriviVociPercorso(F3Migliorapercorso(*t, lungo)), trovata ? scriviVociPercorso(lungo) : "")
            << usata;
    }
}

TEST(Straightening, MarkersAreHeldButNeverReachASnapshot) {
    auto t = disegno("2,2|2,3|", "z", "3,3|", "2");
    EXPECT_EQ(t->Codice(2, 2), "z");
    EXPECT_EQ(serializzaCelDis(*t), "3,3,2|");
    EXPECT_FALSE(deserializzaCelDis(*t, "2,2,y|").ok());
    for (const char* no : {"A", "yy", "9", "-", "+"})
        EXPECT_THROW(t->setCodice(1, 1, no), std::invalid_argument);
}

}  // namespace
}  // namespace trevalon
