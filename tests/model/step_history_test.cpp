#include "model/step_history.h"
#include "model/cell_drawing_snapshot.h"

#include <gtest/gtest.h>

#include <memory>

namespace trevalon {
namespace {

TEST(CellDrawingSnapshot, WritesEveryNonEmptyCellRowsThenColumns) {
    auto t = std::make_unique<CellDrawing>();
    for (const auto& [r, c, code] : std::vector<std::tuple<int, int, const char*>>{
             {3, 5, "2"}, {3, 4, "7"}, {2, 9, "0"}, {0, 7, "1"}, {7, 0, "1"}, {700, 2000, "4"}})
        t->setCodice(r, c, code);
    int ticks = 0;
    // "0" is empty, row 0 and column 0 are never written.
    EXPECT_EQ(serializzaCelDis(*t, [&] { ++ticks; }), "3,4,7|3,5,2|700,2000,4|");
    EXPECT_EQ(ticks, kMaxRigheDis);
    EXPECT_THROW(t->setCodice(1, 1, "9"), std::invalid_argument);
}

TEST(CellDrawingSnapshot, ReadingClearsTheCodesAndWritesOnlyTheCodes) {
    auto t = std::make_unique<CellDrawing>();
    t->setCodice(5, 5, "3");
    t->at(5, 5).Numero = 4;
    t->setTooltip(6, 6, "n*");
    t->limiti = {10, 10, 2, 2};
    const Result<int> e = deserializzaCelDis(*t, "3,4,7|3,5,2|1,1,0|");
    ASSERT_TRUE(e.ok()) << e.error();
    EXPECT_EQ(e.value(), 3);
    EXPECT_EQ(t->at(5, 5).Numero, 0);
    EXPECT_EQ((std::tuple{t->Tooltip(6, 6), t->limiti.RigaMax}), (std::tuple{"n*", 10}));  // kept
    EXPECT_EQ(serializzaCelDis(*t), "3,4,7|3,5,2|");  // the old code cleared, "0" back empty
    // A last item without its "|" is read too.
    ASSERT_TRUE(deserializzaCelDis(*t, "1,2,5|1,3,8").ok());
    EXPECT_EQ(serializzaCelDis(*t), "1,2,5|1,3,8|");
    // A faulty item refuses the whole text and changes nothing.
    for (const char* testo : {"1,2|", "701,1,1|", "1,2001,1|", "-1,1,1|", "1,1,9|", "1,1,12|", "a,1,1|",
                              "1,1,1||", "2,2,2|1,1,x|"}) {
        const Result<int> r = deserializzaCelDis(*t, testo);
        EXPECT_FALSE(r.ok() || r.error().empty()) << testo;
        EXPECT_EQ(serializzaCelDis(*t), "1,2,5|1,3,8|") << testo;
    }
    ASSERT_TRUE(deserializzaCelDis(*t, "").ok());
    EXPECT_EQ(serializzaCelDis(*t), "");
}

TEST(StepHistory, FullAtItsLastStepAndClearedBack) {
    StoriaPassi s;
    s.NumStato = kMaxStati - 1;
    EXPECT_FALSE(s.piena());
    s.NumStato = kMaxStati;
    EXPECT_TRUE(s.piena());
    s.corrente().Codice = "1-1+";
    s.azzera();
    EXPECT_EQ((std::tuple{s.NumStato, s.passo(kMaxStati).Codice}), (std::tuple{0, ""}));
}

}  // namespace
}  // namespace trevalon
