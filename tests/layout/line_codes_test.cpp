#include "layout/line_codes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace trevalon {
namespace {

struct Passo {
    int r, c;
    const char* coppia;
};

// An arc whose path runs through the given cells with the given neighbour pairs.
void mettiArco(Diagram& d, int arco, const std::vector<Passo>& passi) {
    std::string percorso;
    for (const Passo& p : passi) {
        percorso += std::to_string(p.r) + "," + std::to_string(p.c) + ",|";
        CellaNodo& x = d.TblNodo.at(p.r, p.c);
        x.Tipo = 'A';
        x.Numero = arco;
        x.setVicini(p.coppia);
    }
    d.archi[static_cast<std::size_t>(arco)].Percorso = percorso;
    d.NumArchi = std::max(d.NumArchi, arco);
}

// Each diagonal step of a staircase gets a corner cell (pair "x"), and every cell its line code.
TEST(LineCodes, StaircaseGetsCornersAndEveryCellItsCode) {
    auto d = std::make_unique<Diagram>();
    mettiArco(*d, 3, {{5, 5, "29"}, {6, 6, "19"}, {7, 7, "18"}});
    ASSERT_TRUE(SettaSimboliArco(*d, 3));
    EXPECT_EQ(d->archi[3].Percorso, "5,5|6,5|6,6|7,6|7,7|");
    const std::vector<std::tuple<int, int, std::string, int>> celle = {
        {5, 5, "28", 1}, {6, 5, "x", 6}, {6, 6, "48", 8}, {7, 6, "x", 6}, {7, 7, "48", 8}};
    for (const auto& [r, c, coppia, forma] : celle) {
        const CellaNodo& x = d->TblNodo.at(r, c);
        EXPECT_EQ((std::tuple{std::string(x.Vicini()), int{x.Forma}, x.Tipo, x.Numero}),
                  (std::tuple{coppia, forma, 'A', 3}))
            << r << "," << c;
    }
}

// A corner on a cell of another arc is refused, and the whole diagram is checked before any arc is written.
TEST(LineCodes, CornerOnACellInUseIsRefusedAndNothingChanges) {
    auto d = std::make_unique<Diagram>();
    mettiArco(*d, 1, {{5, 5, "29"}, {6, 6, "16"}});
    mettiArco(*d, 2, {{7, 6, "34"}, {6, 7, "27"}});
    const Status s = SettaSimboliDaFile(*d);
    ASSERT_FALSE(s);
    EXPECT_NE(s.error().find("(6,6)"), std::string::npos) << s.error();
    EXPECT_EQ(d->archi[1].Percorso, "5,5,|6,6,|");
    EXPECT_EQ(d->TblNodo.at(6, 5).Tipo, 0);

    for (int arco : {0, kMaxArchi + 1}) EXPECT_FALSE(SettaSimboliArco(*d, arco)) << arco;
    d->archi[1].Percorso += "1600,5|";
    EXPECT_NE(SettaSimboliArco(*d, 1).error().find("outside the cell table"), std::string::npos);
}

}  // namespace
}  // namespace trevalon
