#include "model/table_records.h"

#include <gtest/gtest.h>

#include <memory>

namespace trevalon {
namespace {

TEST(CopiaGrigliaRecord, CopiesWholeRecordsWithTheOffset) {
    auto src = std::make_unique<CellTable>();
    auto dst = std::make_unique<CellTable>();
    src->at(1, 1).Numero = 7;
    src->at(2, 3).setVicini("ZZ1");
    src->at(3, 3).Tipo = 'A';  // outside the copied rows
    CopiaGrigliaRecord(*src, *dst, 10, 2, 3);
    EXPECT_EQ((std::tuple{dst->at(11, 11).Numero, dst->at(12, 13).Vicini(), dst->at(13, 13).Tipo}),
              (std::tuple{7, "ZZ1", char{0}}));
    EXPECT_THROW(CopiaGrigliaRecord(*src, *dst, 1400, 200, 1), std::out_of_range);
    EXPECT_EQ(dst->at(1401, 1401).Tipo, 0);  // refused before writing
}

TEST(TableInit, ArcAndCrossingKeepTheirPlacedFlag) {
    auto d = std::make_unique<Diagram>();
    d->archi[4] = {3, '+', 5, '-', 1, "1,2|", "x", 4, 5, 1, 2, 9, 9};
    InizializzaArco(*d, 4);
    EXPECT_EQ((std::tuple{d->archi[4].Posto, d->archi[4].IncrocioDa, d->archi[4].Percorso}),
              (std::tuple{1, 0, ""}));
    Incrocio& c = d->incroci[2];
    c.Posto = 1;
    c.Ori = 'O';
    c.ArcoLato = {8, 1, 2, 3, 4};
    inizializzaIncr(*d, 2);
    EXPECT_EQ(c.ArcoLato, (std::array<int, 5>{8, 0, 0, 0, 0}));  // index 0 of the side tables is kept
    EXPECT_EQ((std::tuple{c.Posto, c.Ori}), (std::tuple{1, char{0}}));
    EXPECT_THROW(InizializzaArco(*d, kMaxArchi + 1), std::out_of_range);
}

}  // namespace
}  // namespace trevalon
