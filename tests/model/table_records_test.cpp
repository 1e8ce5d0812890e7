#include "model/table_records.h"

#include <gtest/gtest.h>

#include <memory>

namespace trevalon {
namespace {

TEST(CopiaGrigliaRecord, CopiesWholeRecordsWithTheOffset) {
    auto src = std::make_unique<CellTable>();
    auto dst = std::make_unique<CellTable>();
    src->at(1, 1).Tipo = 'I';
    src->at(1, 1).Numero = 7;
    src->at(2, 3).setVicini("ZZ1");
    src->at(3, 3).Tipo = 'A';  // outside the copied rows
    CopiaGrigliaRecord(*src, *dst, 10, 2, 3);
    EXPECT_EQ(dst->at(11, 11).Tipo, 'I');
    EXPECT_EQ(dst->at(11, 11).Numero, 7);
    EXPECT_EQ(dst->at(12, 13).Vicini(), "ZZ1");
    EXPECT_EQ(dst->at(13, 13).Tipo, 0);
    EXPECT_THROW(CopiaGrigliaRecord(*src, *dst, 1400, 200, 1), std::out_of_range);
    EXPECT_EQ(dst->at(1401, 1401).Tipo, 0);  // refused before writing
}

TEST(TableInit, ArcAndCrossingKeepTheirPlacedFlag) {
    auto d = std::make_unique<Diagram>();
    d->archi[4] = {3, '+', 5, '-', 1, "1,2|", "x", 4, 5, 1, 2, 9, 9};
    InizializzaArco(*d, 4);
    EXPECT_EQ(d->archi[4].Posto, 1);
    EXPECT_EQ(d->archi[4].IncrocioDa, 0);
    EXPECT_TRUE(d->archi[4].Percorso.empty());
    EXPECT_EQ(d->archi[4].ColFine, 0);
    Incrocio& c = d->incroci[2];
    c.Posto = 1;
    c.Ori = 'O';
    c.ArcoLato = {8, 1, 2, 3, 4};
    c.VersoLato[2] = 'U';
    c.GemSotto = 3;
    inizializzaIncr(*d, 2);
    EXPECT_EQ(c.Posto, 1);
    EXPECT_EQ(c.ArcoLato, (std::array<int, 5>{8, 0, 0, 0, 0}));  // index 0 of the side tables is kept
    EXPECT_EQ(c.VersoLato[2], 0);
    EXPECT_EQ(c.Ori, 0);
    EXPECT_EQ(c.GemSotto, 0);
    EXPECT_THROW(InizializzaArco(*d, kMaxArchi + 1), std::out_of_range);
}

}  // namespace
}  // namespace trevalon
