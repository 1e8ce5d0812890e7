#include "layout/line_codes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
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

TEST(LineCodes, DiagonalStepsGetCornersAndEveryCellItsCode) {
    struct Atteso {
        int r, c;
        const char* coppia;
        int forma;
    };
    struct Caso {
        const char* nome;
        std::vector<Passo> passi;
        const char* percorso;
        std::vector<Atteso> celle;  // corners have the pair "x"
    };
    const std::vector<Caso> casi = {
        {"straight",
         {{5, 5, "46"}, {5, 6, "46"}, {5, 7, "48"}},
         "5,5|5,6|5,7|",
         {{5, 5, "46", 2}, {5, 6, "46", 2}, {5, 7, "48", 8}}},
        {"down right",
         {{5, 5, "29"}, {6, 6, "16"}},
         "5,5|6,5|6,6|",
         {{5, 5, "28", 1}, {6, 5, "x", 6}, {6, 6, "46", 2}}},
        {"up left",
         {{6, 6, "16"}, {5, 5, "29"}},
         "6,6|6,5|5,5|",
         {{6, 6, "46", 2}, {6, 5, "x", 6}, {5, 5, "28", 1}}},
        {"down left",
         {{5, 6, "27"}, {6, 5, "34"}},
         "5,6|5,5|6,5|",
         {{5, 6, "24", 5}, {5, 5, "x", 7}, {6, 5, "24", 5}}},
        {"up right",
         {{6, 5, "34"}, {5, 6, "27"}},
         "6,5|5,5|5,6|",
         {{6, 5, "24", 5}, {5, 5, "x", 7}, {5, 6, "24", 5}}},
        {"staircase",
         {{5, 5, "29"}, {6, 6, "19"}, {7, 7, "18"}},
         "5,5|6,5|6,6|7,6|7,7|",
         {{5, 5, "28", 1}, {6, 5, "x", 6}, {6, 6, "48", 8}, {7, 6, "x", 6}, {7, 7, "48", 8}}},
        // A diagonal step whose pairs do not say so keeps both cells and adds nothing.
        {"unmatched",
         {{5, 5, "28"}, {6, 6, "28"}},
         "5,5|6,6|",
         {{5, 5, "28", 1}, {6, 6, "28", 1}, {6, 5, "", 0}}},
    };
    for (const Caso& k : casi) {
        auto d = std::make_unique<Diagram>();
        mettiArco(*d, 3, k.passi);
        ASSERT_TRUE(SettaSimboliArco(*d, 3)) << k.nome;
        EXPECT_EQ(d->archi[3].Percorso, k.percorso) << k.nome;
        for (const Atteso& a : k.celle) {
            const CellaNodo& x = d->TblNodo.at(a.r, a.c);
            EXPECT_EQ(x.Vicini(), a.coppia) << k.nome << " " << a.r << "," << a.c;
            EXPECT_EQ(x.Forma, a.forma) << k.nome << " " << a.r << "," << a.c;
            if (a.forma != 0) {
                EXPECT_EQ((std::pair{x.Tipo, x.Numero}), (std::pair{'A', 3})) << k.nome;
            }
        }
    }
}

TEST(LineCodes, CornerOnACellInUseIsRefusedAndNothingChanges) {
    for (char tipo : {'I', 'A'}) {
        auto d = std::make_unique<Diagram>();
        mettiArco(*d, 1, {{5, 5, "29"}, {6, 6, "16"}});
        d->TblNodo.at(6, 5).Tipo = tipo;
        d->TblNodo.at(6, 5).Numero = 2;
        const std::string prima = d->archi[1].Percorso;
        const Status s = SettaSimboliArco(*d, 1);
        ASSERT_FALSE(s);
        EXPECT_NE(s.error().find("(6,5)"), std::string::npos) << s.error();
        EXPECT_EQ(d->archi[1].Percorso, prima);
        EXPECT_EQ(d->TblNodo.at(5, 5).Vicini(), "29");
        EXPECT_EQ(d->TblNodo.at(6, 6).Vicini(), "16");
        EXPECT_EQ(d->TblNodo.at(6, 5).Numero, 2);
    }
    auto d = std::make_unique<Diagram>();
    for (int arco : {0, kMaxArchi + 1}) EXPECT_FALSE(SettaSimboliArco(*d, arco)) << arco;
    mettiArco(*d, 1, {{5, 5, "46"}});
    d->archi[1].Percorso += "1600,5|";
    EXPECT_FALSE(SettaSimboliArco(*d, 1));
}

TEST(LineCodes, WholeDiagramIsCheckedBeforeAnyArcIsWritten) {
    auto d = std::make_unique<Diagram>();
    mettiArco(*d, 1, {{5, 5, "29"}, {6, 6, "16"}});
    mettiArco(*d, 2, {{10, 6, "27"}, {11, 5, "34"}});
    EXPECT_TRUE(SettaSimboliDaFile(*d));
    EXPECT_EQ(d->archi[1].Percorso, "5,5|6,5|6,6|");
    EXPECT_EQ(d->archi[2].Percorso, "10,6|10,5|11,5|");
    EXPECT_EQ((std::pair{d->TblNodo.at(10, 5).Numero, int{d->TblNodo.at(10, 5).Forma}}), (std::pair{2, 7}));

    auto e = std::make_unique<Diagram>();
    mettiArco(*e, 1, {{5, 5, "29"}, {6, 6, "16"}});
    mettiArco(*e, 2, {{7, 6, "34"}, {6, 7, "27"}});
    // Arc 2's corner is (6,6), a cell of arc 1: refused, and arc 1 is left as it was.
    const Status s = SettaSimboliDaFile(*e);
    ASSERT_FALSE(s);
    EXPECT_NE(s.error().find("(6,6)"), std::string::npos) << s.error();
    EXPECT_EQ(e->archi[1].Percorso, "5,5,|6,6,|");
    EXPECT_EQ(e->TblNodo.at(6, 5).Tipo, 0);
}

}  // namespace
}  // namespace trevalon
