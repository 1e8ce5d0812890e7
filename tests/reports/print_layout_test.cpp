#include "reports/print_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "celldraw/step_viewer.h"
#include "platform/headless_ui.h"

namespace trevalon {
namespace {

const ApproxTextMeasure kMeasure;

PictureRef tessera(int index) {
    return PictureRef{PaletteId::Form1, PictureSet::Img, static_cast<std::int16_t>(index)};
}

const PageTiles* blocco(const PageDocument& doc) {
    for (const PageItem& item : doc.pages().at(0).items)
        if (const auto* b = std::get_if<PageTiles>(&item)) return b;
    return nullptr;
}

std::string frase(const PageDocument& doc) {
    std::string s;
    for (const PageItem& item : doc.pages().at(0).items)
        if (const auto* t = std::get_if<PageText>(&item)) s += (s.empty() ? "" : "|") + t->text;
    return s;
}

TEST(PrintLayout, CopiesTheTilesFromTheFirstColumnOnInWholeCellsOfOnePage) {
    GridControl g;
    g.setRows(400);
    g.setCols(400);
    // A diagonal of pictures across the grid, and one in each header.
    for (int i = 1; i < 400; ++i) g.setPicture(i, i, tessera(i % 50));
    g.setPicture(0, 7, tessera(3));
    g.setPicture(7, 0, tessera(3));
    int Dacol = 5;
    const PageDocument doc = DuplicaGrid3(g, Dacol, "Knot", kMeasure);
    EXPECT_EQ(Dacol, 5);
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_EQ(frase(doc), "Knot");
    const PageTiles* b = blocco(doc);
    ASSERT_NE(b, nullptr);
    // A4 less 10 twips across, five sixths of its height less the top and bottom margins: 158 by 186.
    EXPECT_EQ(b->cols, 158);
    EXPECT_EQ(b->rows, 186);
    EXPECT_EQ(b->y, 20 + kMeasure.lineHeight(12));
    // Every row keeps the same first column: the picture of cell (r, r) stands r - 5 cells in.
    for (int r = 5; r - 5 < 158; ++r) EXPECT_EQ(b->at(r - 1, r - 5), tessera(r % 50)) << r;
    EXPECT_EQ(b->drawnCount(), 158);

    // An empty grid gives the text alone; pictures only left of the first column an empty area.
    EXPECT_EQ(blocco(DuplicaGrid2(GridControl{}, 1, "Only text", kMeasure)), nullptr);
    g.setRows(5);
    g.setCols(10);
    const PageDocument sinistra = DuplicaGrid2(g, 8, std::string(300, 'a') + " b", kMeasure);
    EXPECT_EQ(blocco(sinistra)->cols, 2);
    EXPECT_EQ(blocco(sinistra)->drawnCount(), 0);
    EXPECT_GT(blocco(sinistra)->y, 20 + kMeasure.lineHeight(12));  // under a text of two lines
}

TEST(PrintLayout, TheViewersTextSaysTheAlgorithmAndTheTimeOfAFoundMove) {
    TestoReport t = testoReportVisore("Knot - Step 3   Found move I", 40, 1.25);
    EXPECT_EQ(t.Frase,
              "Knot - Step 3   Found Corvane-algorithm-move I\nTime execution find algorithm sec.1.25");
    EXPECT_EQ(t.Dacol, 1);
    // " Found" at the very start does not count; the page then starts at the cell drawing.
    t = testoReportVisore(" Found move II", 40, 1.25);
    EXPECT_EQ(t.Frase, " Found Corvane-algorithm-move II");
    EXPECT_EQ(t.Dacol, 40);
}

class FixedClock : public ClockPort {
  public:
    std::chrono::steady_clock::time_point now() override { return std::chrono::steady_clock::now(); }
    double secondsSinceMidnight() override { return 100; }
};

TEST(PrintLayout, TheViewersReportShowsItsDrawingAndLeavesItsColumnsAlone) {
    GridControl main;
    main.setRows(8);
    main.setCols(12);
    main.setPicture(2, 3, tessera(5));
    main.setPicture(6, 9, tessera(6));
    StepViewRequest r;
    r.tipoMossa = MoveKind::II;
    r.tempoInizioRicerca = 10;
    r.tempoFineRicerca = 12.5;
    r.mainGrid = &main;
    ScriptedUi ui;
    FixedClock clock;
    StepViewerShared shared;
    shared.ModoSviluppo = true;
    Form3Model visore(r, shared, ui, clock);
    visore.Form_Load();
    visore.Form_Activate("Knot");
    visore.Command5_Click();
    const int colonna = visore.ColonnaBaseDis;
    // The cell drawing right of the copy of the main grid.
    visore.Gr3.setCols(colonna + 6);
    visore.Gr3.setPicture(4, colonna + 1, tessera(7));
    visore.Gr3.setPicture(5, colonna + 3, tessera(8));
    PageDocument doc =
        Generareport(visore.Gr3, visore.caption(), visore.ColonnaBaseDis, visore.secondiRicerca(), kMeasure);
    EXPECT_EQ(visore.ColonnaBaseDis, colonna);
    EXPECT_EQ(blocco(doc)->drawnCount(), 2);
    EXPECT_EQ(blocco(doc)->at(3, 1), tessera(7));
    EXPECT_EQ(blocco(doc)->at(4, 3), tessera(8));

    // Ordinary layout: the caption of a found move shows the whole grid with the time of the search.
    shared.ModoSviluppo = false;
    Form3Model ordinario(r, shared, ui, clock);
    ordinario.Form_Load();
    ordinario.Form_Activate("Knot");
    EXPECT_FALSE(ordinario.buttonVisible("Stampa"));
    doc = Generareport(ordinario.Gr3, ordinario.caption(), ordinario.ColonnaBaseDis,
                       ordinario.secondiRicerca(), kMeasure);
    EXPECT_EQ(frase(doc), "Knot   Found Corvane-algorithm-move II|Time execution find algorithm sec.2.5");
    EXPECT_EQ(blocco(doc)->at(1, 2), tessera(5));
    EXPECT_EQ(blocco(doc)->drawnCount(), 2);
}

}  // namespace
}  // namespace trevalon
