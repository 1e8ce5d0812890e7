// The developer layout's tools on the main grid: cell marks, the region display and the grid view.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "celldraw/disegno_da_codice.h"
#include "layout/cell_marks.h"
#include "layout/grid_view.h"
#include "layout/region_highlight.h"
#include "platform/headless_ui.h"

namespace trevalon {
namespace {

TEST(CellMarks, MarkShowsTheCellScrollsAndPausesInTheViewer) {
    fixture::Disegnato w;
    ASSERT_TRUE(w.costruisci("1-2+3-1+2-3+", "OOO"));
    const LimitiNodo& l = w.d->limiti;
    ScriptedUi viewer;
    MarcheCelle marche(w.griglia, &viewer);

    // The corner of the extent lands at display cell (3, 2): the scroll stops at row and column 1.
    marche.marcaCella(*w.d, l.RigaMin, l.ColMin, "V");
    const std::string dove = std::to_string(l.RigaMin) + "-" + std::to_string(l.ColMin);
    ASSERT_EQ(marche.marche().size(), 1u);
    EXPECT_EQ(marche.marche()[0].lblmsg, "3-2       " + dove + " V");
    EXPECT_EQ(w.griglia.text(3, 2), "V");
    EXPECT_TRUE(w.griglia.picture(3, 2).empty());
    EXPECT_EQ(w.griglia.style(3, 2).backColor, kColoreMarca);
    EXPECT_EQ(w.griglia.topRow(), 1);
    EXPECT_EQ(w.griglia.leftCol(), 1);
    ASSERT_EQ(viewer.viewerRequests.size(), 1u);
    EXPECT_EQ(viewer.viewerRequests[0].message, marche.marche()[0].lblmsg);
    EXPECT_EQ(viewer.viewerRequests[0].mainGrid, &w.griglia);

    // Farther in, the grid scrolls so that the cell is five rows and columns from the top left.
    marche.pausaPunto(*w.d, l.RigaMin + 10, l.ColMin + 20, 7);
    EXPECT_EQ(w.griglia.text(13, 22), "7");
    EXPECT_EQ(w.griglia.topRow(), 8);
    EXPECT_EQ(w.griglia.leftCol(), 17);
    EXPECT_EQ(viewer.viewerRequests.size(), 2u);

    // Without a viewer the mark is shown and kept, and nothing waits.
    MarcheCelle senzaPausa(w.griglia, nullptr);
    senzaPausa.marcaCella(*w.d, l.RigaMin, l.ColMin + 1, "Z");
    EXPECT_EQ(w.griglia.text(3, 3), "Z");
    EXPECT_EQ(senzaPausa.marche().size(), 1u);
}

// The palette indices of coloured tiles in the grid (colour bases 20 and up).
int tessereColorate(const GridControl& g) {
    int n = 0;
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c)
            if (!g.picture(r, c).empty() && g.picture(r, c).index > 20) ++n;
    return n;
}

TEST(RegionDisplay, OneRegionOrAPathIsDrawnAndBadNumbersAreRefused) {
    fixture::Disegnato w;
    ASSERT_TRUE(w.costruisci("1-2+3-1+2-3+", "OOO"));
    Diagram& d = *w.d;
    ASSERT_EQ(d.NumRegioni, 5);

    // One region: the arcs of its code; two: the arcs crossed on the way between them.
    const Result<std::vector<int>> uno = archiRegione(d, "1");
    ASSERT_TRUE(uno.ok()) << uno.error();
    std::string codice = ",";
    for (int a : *uno) codice += (a < 10 ? "00" : "0") + std::to_string(a) + ",";
    EXPECT_EQ(codice, d.CodRegione[1]);
    const Result<std::vector<int>> due = archiRegione(d, " 1 , 4");
    ASSERT_TRUE(due.ok()) << due.error();
    std::string cammino;
    for (int a : *due) cammino += std::to_string(a) + ",";
    EXPECT_EQ(cammino + "|", d.MatRegioni.testi(1, 4).cam);

    // Refused: no region 0 (an empty entry), none beyond NumRegioni, no sign, no text, no third number.
    for (const char* voce : {"", "0", "6", "-1", "x", "2,", "1,2,3", "99999999999"}) {
        ScriptedUi ui;
        ui.inputAnswers.push_back(std::string(voce));
        const auto prima = w.griglia.revision();
        const Result<std::vector<int>> r = DisegnaRegione(d, w.st, {w.griglia, w.tbltt, w.palette}, ui);
        EXPECT_FALSE(r.ok()) << voce;
        ASSERT_EQ(ui.messages.size(), 1u) << voce;
        EXPECT_EQ(w.griglia.revision(), prima) << voce;
    }

    // A cancelled box draws nothing and says nothing.
    ScriptedUi annullata;
    annullata.inputAnswers.push_back(std::nullopt);
    const Result<std::vector<int>> nulla =
        DisegnaRegione(d, w.st, {w.griglia, w.tbltt, w.palette}, annullata);
    ASSERT_TRUE(nulla.ok());
    EXPECT_TRUE(nulla->empty());
    EXPECT_TRUE(annullata.messages.empty());

    EXPECT_EQ(tessereColorate(w.griglia), 0);
    ScriptedUi ui;
    ui.inputAnswers.push_back("2");
    const Result<std::vector<int>> disegnati = DisegnaRegione(d, w.st, {w.griglia, w.tbltt, w.palette}, ui);
    ASSERT_TRUE(disegnati.ok());
    EXPECT_FALSE(disegnati->empty());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_GT(tessereColorate(w.griglia), 0);
}

}  // namespace
}  // namespace trevalon

namespace trevalon {
namespace {

TEST(GridViewCommands, EnlargedViewKeepsTheSymbolsMarkedCellsClearedCellsDoubled) {
    GridControl g;
    g.setRows(40);
    g.setCols(60);
    // A crossing of each kind: the enlarged view must not turn one into the other.
    g.setText(2, 10, "-");
    g.setText(20, 45, "|");
    g.setBackColor(20, 45, 65280);
    EXPECT_EQ(Command8_Click(g, 12632256), (EstensioneDisegno{1, 22, 8, 47}));
    EXPECT_EQ(g.text(2, 10), "-");
    EXPECT_EQ(g.text(20, 45), "|");
    EXPECT_EQ(g.rowHeight(5), kDimCellaIngrandita);
    EXPECT_EQ(g.style(20, 45).backColor, 12632256u);
    EXPECT_EQ(g.style(39, 59).fontSize, kFontIngrandito);
    // Near the last row and column the range stops at the grid's edge; an empty grid has none.
    g.setText(39, 59, "*");
    EXPECT_EQ(Command8_Click(g), (EstensioneDisegno{1, 39, 8, 59}));
    GridControl vuota;
    EXPECT_TRUE(Command8_Click(vuota).vuota());

    // Good items are cleared; an item that is not two numbers, or lies beyond the grid, is passed over.
    const auto prima = g.revision();
    EXPECT_EQ(Command9_Click(g, ""), 0);
    EXPECT_EQ(g.revision(), prima);
    EXPECT_EQ(Command9_Click(g, "2,10|bad|7|9999,1|-1,2|4,x|20,45"), 2);
    EXPECT_EQ(g.text(2, 10), "");
    EXPECT_EQ(g.style(20, 45).backColor, kBianco);
    EXPECT_EQ(g.text(39, 59), "*");

    RaddoppiaGriglia(g);
    EXPECT_EQ(g.rowHeight(5), 2 * kDimCellaIngrandita);
    g.setRowHeight(1, kDimCellaMassima);
    RaddoppiaGriglia(g);
    EXPECT_EQ(g.rowHeight(1), kDimCellaMassima);
}

}  // namespace
}  // namespace trevalon
