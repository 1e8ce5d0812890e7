// The checked 2-D table under the model's tables, and the side lookup of a crossing.

#include "model/tables.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <utility>

#include "model/cell_drawing.h"
#include "model/sides.h"
#include "platform/table2d.h"

namespace trevalon {
namespace {

TEST(Table2D, RefusesEveryIndexOutsideItsRowsAndColumnsAndClipsFills) {
    Table2D<int> t(3, 5, "test table", 7);
    for (const auto& [r, c] : std::vector<std::pair<int, int>>{{-1, 0}, {0, -1}, {3, 0}, {0, 5}, {3, 5}}) {
        EXPECT_FALSE(t.inside(r, c));
        EXPECT_THROW(t.at(r, c), std::out_of_range) << r << "," << c;
        EXPECT_THROW(std::as_const(t).at(r, c), std::out_of_range) << r << "," << c;
    }
    EXPECT_THROW(t.row(3), std::out_of_range);
    EXPECT_THROW(t.assign(-1, 2), std::out_of_range);
    t.assign(4, 4);
    t.fill(-5, 1, 2, 9, 1);  // rows 0..1, columns 2..3
    t.fill(3, 2, 0, 3, 9);   // an empty box
    int ones = 0;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) ones += t.at(r, c);
    EXPECT_EQ((std::tuple{ones, t.at(1, 3)}), (std::tuple{4, 1}));
    // The model's tables are checked at their own bounds.
    auto cells = std::make_unique<CellTable>();
    EXPECT_NO_THROW(cells->at(kMaxCella, kMaxCella));
    EXPECT_THROW(cells->at(kMaxCella + 1, 0), std::out_of_range);
    cells->at(3, 3).Tipo = 'A';
    cells->clear(3, 3, 0, kMaxCella + 10);
    EXPECT_EQ(cells->at(3, 3).Tipo, 0);
    auto drawing = std::make_unique<CellDrawing>();
    EXPECT_NO_THROW(drawing->at(kMaxRigheDis, kMaxColonneDis));
    EXPECT_THROW(drawing->at(kMaxRigheDis, kMaxColonneDis + 1), std::out_of_range);
    RegionGraph g;
    g.reset(4);
    EXPECT_NO_THROW(g.at(4, 4));
    EXPECT_THROW(g.at(5, 1), std::out_of_range);
    EXPECT_THROW(g.reset(kMaxRegioni + 1), std::out_of_range);
}

// A cell table starts empty everywhere, copies whole, and knows while it is untouched: a clear of the
// whole table makes it so again.
TEST(Table2D, ACellTableKnowsWhileItIsUntouched) {
    const auto vuota = [](const CellaNodo& x) {
        return x.Tipo == 0 && x.Forma == 0 && x.Simbolo == 0 && x.Vicini().empty() && x.Numero == 0 &&
               x.Posizione == 0;
    };
    auto t = std::make_unique<CellTable>();
    for (const auto& [r, c] : std::vector<std::pair<int, int>>{{0, 0}, {700, 1000}, {kMaxCella, kMaxCella}})
        EXPECT_TRUE(vuota(std::as_const(*t).at(r, c))) << r << "," << c;
    EXPECT_TRUE(t->intatta());
    t->clear(0, 20, 0, kMaxCella);
    EXPECT_TRUE(t->intatta());
    t->at(5, 9).Tipo = 'A';
    t->at(40, 3).Numero = 7;
    EXPECT_FALSE(t->intatta());
    auto copia = std::make_unique<CellTable>(*t);
    auto assegnata = std::make_unique<CellTable>();
    assegnata->at(1000, 1000).Numero = 3;
    *assegnata = *t;
    for (const CellTable* x : {copia.get(), assegnata.get()}) {
        EXPECT_EQ((std::tuple{x->at(40, 3).Numero, x->at(5, 9).Tipo, x->at(1000, 1000).Numero}),
                  (std::tuple{7, 'A', 0}));
        EXPECT_FALSE(x->intatta());
    }
    t->clear(0, 20, 0, kMaxCella);
    EXPECT_EQ((std::tuple{t->at(5, 9).Tipo, t->at(40, 3).Numero, t->intatta()}),
              (std::tuple{char{0}, 7, false}));
    t->clearAll();
    EXPECT_TRUE(t->intatta());
    EXPECT_TRUE(vuota(std::as_const(*t).at(40, 3)));
}

// Tables on either side of the size from which a block is mapped on its own start zeroed, keep their cells
// when asked for large pages, and copy, move and assign whole.
template <class Tabella>
void provaBlocco() {
    auto t = std::make_unique<Tabella>("block");
    EXPECT_EQ((std::tuple{t->at(0, 0), t->at(512, t->cols() / 2), t->at(1023, t->cols() - 1)}),
              (std::tuple{0, 0, 0}));
    t->at(0, 0) = 1;
    t->at(1023, t->cols() - 1) = 2;
    t->paginaGrande();
    t->at(512, t->cols() / 2) = 3;
    const auto uguale = [](const Tabella& x) {
        return std::tuple{x.at(0, 0), x.at(512, x.cols() / 2), x.at(1023, x.cols() - 1), x.at(1, 1)};
    };
    EXPECT_EQ(uguale(*t), (std::tuple{1, 3, 2, 0}));
    auto copia = std::make_unique<Tabella>(*t);
    auto assegnata = std::make_unique<Tabella>("assigned");
    assegnata->at(1, 1) = 9;
    *assegnata = *t;
    auto mossa = std::make_unique<Tabella>(std::move(*copia));
    *copia = std::move(*assegnata);
    for (const Tabella* x : {t.get(), copia.get(), mossa.get()}) EXPECT_EQ(uguale(*x), uguale(*t));
}

TEST(Table2D, BlocksMappedOnTheirOwnOrNotStartZeroedAndCopyWhole) {
    provaBlocco<Table2D<int, 1024, 255>>();   // just under a mebibyte
    provaBlocco<Table2D<int, 1024, 256>>();   // a mebibyte
    provaBlocco<Table2D<int, 1024, 2048>>();  // eight, four large pages
}

TEST(Sides, ArcoInnodoGivesTheSideHoldingTheArc) {
    auto d = std::make_unique<Diagram>();
    d->incroci[1].ArcoLato = {0, 5, 7, 7, 6};  // a curl: arc 7 at sides 2 and 3
    for (const auto& [incrocio, arco, lato] : std::vector<std::tuple<int, int, int>>{
             {1, 7, 3}, {1, 5, 1}, {1, 6, 4}, {1, 9, -1}, {0, 7, -1}, {1, 0, -1}, {kMaxIncroci + 1, 7, -1}})
        EXPECT_EQ(ArcoInnodo(*d, incrocio, arco), lato) << incrocio << " " << arco;
}

}  // namespace
}  // namespace trevalon
