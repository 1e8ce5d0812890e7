#include "model/step_history.h"

#include <gtest/gtest.h>

#include <memory>

namespace trevalon {
namespace {

TEST(CellDrawingSnapshot, WritesEveryNonEmptyCellRowsThenColumns) {
    auto t = std::make_unique<CellDrawing>();
    EXPECT_EQ(serializzaCelDis(*t), "");
    t->setCodice(3, 5, "2");
    t->setCodice(3, 4, "7");
    t->setCodice(2, 9, "0");  // "0" is empty: not written
    t->setCodice(0, 7, "1");  // row 0 and column 0 are never written
    t->setCodice(7, 0, "1");
    t->setCodice(700, 2000, "4");
    int ticks = 0;
    EXPECT_EQ(serializzaCelDis(*t, [&] { ++ticks; }), "3,4,7|3,5,2|700,2000,4|");
    EXPECT_EQ(ticks, kMaxRigheDis);
    EXPECT_THROW(t->setCodice(1, 1, "9"), std::invalid_argument);
    EXPECT_THROW(t->at(701, 1), std::out_of_range);
}

TEST(CellDrawingSnapshot, ReadingClearsTheCodesAndWritesOnlyTheCodes) {
    auto t = std::make_unique<CellDrawing>();
    t->setCodice(5, 5, "3");
    t->at(5, 5).Numero = 4;
    t->setTooltip(6, 6, "n*");
    t->at(6, 6).Lati[2] = 'x';
    t->limiti = {10, 10, 2, 2};
    const Result<int> e = deserializzaCelDis(*t, "3,4,7|3,5,2|1,1,0|");
    ASSERT_TRUE(e.ok()) << e.error();
    EXPECT_EQ(e.value(), 3);
    EXPECT_EQ(t->Codice(3, 4), "7");
    EXPECT_EQ(t->Codice(3, 5), "2");
    EXPECT_EQ(t->Codice(5, 5), "");  // cleared
    EXPECT_EQ(t->at(5, 5).Numero, 0);
    EXPECT_EQ(t->Tooltip(6, 6), "n*");  // tooltips and side marks are kept
    EXPECT_EQ(t->at(6, 6).Lati[2], 'x');
    EXPECT_EQ(t->limiti.RigaMax, 10);  // the extent is not touched
    // Round trip; "0" comes back empty.
    EXPECT_EQ(serializzaCelDis(*t), "3,4,7|3,5,2|");
    // The empty snapshot clears the drawing.
    ASSERT_TRUE(deserializzaCelDis(*t, "").ok());
    EXPECT_EQ(serializzaCelDis(*t), "");
    // A last item without its "|" is read too.
    ASSERT_TRUE(deserializzaCelDis(*t, "1,2,5|1,3,8").ok());
    EXPECT_EQ(serializzaCelDis(*t), "1,2,5|1,3,8|");
}

TEST(StepHistory, FullAtItsLastStepAndClearedBack) {
    StoriaPassi s;
    EXPECT_FALSE(s.piena());
    s.NumStato = kMaxStati - 1;
    EXPECT_FALSE(s.piena());
    s.NumStato = kMaxStati;
    EXPECT_TRUE(s.piena());
    s.corrente().Codice = "1-1+";
    s.azzera();
    EXPECT_EQ(s.NumStato, 0);
    EXPECT_EQ(s.passo(kMaxStati).Codice, "");
    EXPECT_EQ(s.tblStati.size(), static_cast<std::size_t>(kMaxStati) + 1);
}

TEST(CellDrawingSnapshot, AFaultyItemRefusesTheWholeTextAndChangesNothing) {
    auto t = std::make_unique<CellDrawing>();
    t->setCodice(1, 1, "6");
    for (const char* testo : {"1,2|", "701,1,1|", "1,2001,1|", "-1,1,1|", "1,1,9|", "1,1,12|", "a,1,1|",
                              "1,1,1||", "2,2,2|1,1,x|"}) {
        const Result<int> e = deserializzaCelDis(*t, testo);
        EXPECT_FALSE(e.ok()) << testo;
        EXPECT_FALSE(e.error().empty());
        EXPECT_EQ(serializzaCelDis(*t), "1,1,6|") << testo;
    }
}

}  // namespace
}  // namespace trevalon
