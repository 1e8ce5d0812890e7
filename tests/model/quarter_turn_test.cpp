#include "model/quarter_turn.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

namespace trevalon {
namespace {

TEST(QuarterTurn, PlacesLineCodesAndRefusals) {
    auto d = std::make_unique<Diagram>();
    // (2, 3) goes to (3, 1498), (2, 5) to (5, 1498), (4, 3) to (3, 1496); then row 3 and column 1496 become
    // row and column 1. A vertical strand turns horizontal, a crossing changes its over strand's heading,
    // the corner bottom-left becomes top-left; the other fields go along unchanged.
    d->TblNodo.at(2, 3).Forma = 1;
    d->TblNodo.at(2, 5).Forma = 3;
    d->TblNodo.at(2, 5).Tipo = 'I';
    d->TblNodo.at(2, 5).Numero = 7;
    d->TblNodo.at(4, 3).Forma = 8;
    const Result<std::string> testo = ProvaRuotaNodo(*d);
    ASSERT_TRUE(testo.ok());
    EXPECT_EQ(*testo, "Object=1,1,5|1,3,2|3,3,4|");
    EXPECT_EQ(d->TblNodo.at(3, 3).Tipo, 'I');
    EXPECT_EQ(d->TblNodo.at(3, 3).Numero, 7);
    EXPECT_EQ(immagineRuota(*d).substr(0, 4), "5 2 ");

    // A cell in the last row would be lost, one in row 0 or column 0 belongs to no diagram: refused, the
    // table unchanged. An empty table stays empty.
    for (const auto& [r, c] : {std::pair{1500, 4}, std::pair{0, 4}, std::pair{4, 0}}) {
        auto t = std::make_unique<Diagram>();
        t->TblNodo.at(r, c).Forma = 2;
        t->TblNodo.at(5, 5).Forma = 1;
        EXPECT_FALSE(ProvaRuotaNodo(*t).ok()) << r << "," << c;
        EXPECT_EQ(t->TblNodo.at(r, c).Forma, 2);
        EXPECT_EQ(t->TblNodo.at(5, 5).Forma, 1);
    }
    auto vuota = std::make_unique<Diagram>();
    EXPECT_EQ(ProvaRuotaNodo(*vuota).value(), "Object=");
}

}  // namespace
}  // namespace trevalon
