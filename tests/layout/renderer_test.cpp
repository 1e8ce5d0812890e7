#include "layout/tile_renderer.h"

#include <gtest/gtest.h>

#include <memory>

#include "layout/auto_layout.h"
#include "table_fixture.h"

namespace trevalon {
namespace {

struct Tavola : fixture::TavolaVuota {
    RenderState st;
    GridControl griglia;
    TileNameTable tbltt;
    TilePalette palette{PaletteId::Form1, false};
    Tavola() { InizializzaGr(griglia, d->NumRighe, d->NumColonne, st.DimCella, GenMode::Code); }
    RenderTarget target() { return {griglia, tbltt, palette, nullptr}; }
    // Crossing 1 at (10,10) with arcs 1..4 on sides 1..4, each two cells long.
    void incrocio(char ori, const char* versi) {
        d->NumIncroci = 1;
        d->NumArchi = 4;
        d->NomiIncroci[1] = "1";
        Incrocio& x = d->incroci[1];
        x.Ori = ori;
        metti(10, 10, 'I', 1);
        const int dr[5] = {0, -1, 0, 1, 0}, dc[5] = {0, 0, 1, 0, -1};
        for (int lato = 1; lato <= 4; ++lato) {
            x.ArcoLato[lato] = lato;
            x.VersoLato[lato] = versi[lato - 1];
            metti(10 + dr[lato], 10 + dc[lato], 'A', lato);
            metti(10 + 2 * dr[lato], 10 + 2 * dc[lato], 'A', lato);
        }
        SettaLimiti(*d);
    }
};

TEST(Renderer, CrossingTileAndTheExchangeRule) {
    // Exchanged when both strands leave towards sides 1 and 4 or towards sides 2 and 3.
    for (const auto& [ori, versi, tessera] : std::vector<std::tuple<char, const char*, int>>{
             {'O', "UEEU", 4}, {'O', "EUUE", 4}, {'O', "UUEE", 3}, {'V', "UUEE", 4}, {'V', "UEEU", 3}}) {
        Tavola t;
        t.incrocio(ori, versi);
        EXPECT_EQ(TesseraIncrocio(*t.d, 1), tessera) << ori << versi;
    }
}

TEST(Renderer, FullDrawingWritesTilesNamesFormaAndLabels) {
    Tavola t;
    t.incrocio('O', "EUUE");
    // SoloTratto plays no part in a full drawing: every used cell is drawn.
    DisegnoGrafico(*t.d, t.st, t.target(), 0, ColNero, true, "", -1);
    // The used box starts at (8,8): the crossing is shown at display (5,4).
    EXPECT_EQ(t.griglia.picture(5, 4), t.palette.img(4));
    EXPECT_EQ(t.d->TblNodo.at(10, 10).Forma, 4);
    EXPECT_EQ(t.griglia.text(5, 4), "1");
    EXPECT_EQ(t.d->incroci[1].Riga, 10);
    EXPECT_EQ(t.griglia.picture(4, 4), t.palette.img(1));  // above the crossing, vertical
    EXPECT_EQ(t.d->TblNodo.at(9, 10).Forma, 1);
    EXPECT_EQ(t.tbltt.get(4, 4), TileImg(1).name);
    EXPECT_EQ(t.griglia.picture(5, 5), t.palette.img(2));
    EXPECT_EQ(t.tbltt.get(5, 4), TileImg(4).name);
    // An arc end joined on one side only draws nothing.
    EXPECT_EQ(t.griglia.picture(3, 4), PictureRef{});
}

TEST(Renderer, LineCodesTakeTheLastMatchingTest) {
    Tavola t;
    t.metti(5, 5, 'A', 7);
    t.metti(4, 5, 'A', 7);
    t.metti(6, 5, 'A', 7);
    t.metti(5, 6, 'A', 7);
    EXPECT_EQ(CodiceLinea(*t.d, 5, 5), 7);
    t.metti(5, 6, 0, 0);
    t.metti(5, 4, 'I', 1);
    EXPECT_EQ(CodiceLinea(*t.d, 5, 5), 8);
    t.metti(5, 6, 'A', 8);  // another arc does not join
    EXPECT_EQ(CodiceLinea(*t.d, 5, 5), 8);
}

TEST(Renderer, OneArcInGreenShowsWhichStrandItIs) {
    Tavola t;
    t.incrocio('O', "EUUE");
    DisegnoGrafico(*t.d, t.st, t.target(), 0, ColNero, false, "", -1);
    t.incrocio('O', "UUEE");  // tile 3; arc 2 is the horizontal strand
    DisegnoGrafico(*t.d, t.st, t.target(), 2, ColVerde, false, "", -1);
    EXPECT_EQ(t.griglia.picture(5, 4), t.palette.img(61));
    EXPECT_EQ(t.griglia.picture(5, 5), t.palette.img(ColVerde + 2));
    EXPECT_EQ(t.griglia.picture(4, 4), t.palette.img(1));  // other arcs stay as they were
    // NonFare -2: the arc cells only.
    DisegnoGrafico(*t.d, t.st, t.target(), 1, ColRosso, false, "", -2);
    EXPECT_EQ(t.griglia.picture(5, 4), t.palette.img(61));
    EXPECT_EQ(t.griglia.picture(4, 4), t.palette.img(ColRosso + 1));
}

TEST(Renderer, MarkerGoesOnTheLongRunNearestThePreviousMarker) {
    Tavola t;
    t.d->NumArchi = 3;
    for (int r = 2; r <= 8; ++r) t.metti(r, 5, 'A', 3);
    t.metti(1, 5, 'I', 1);
    t.metti(9, 5, 'I', 2);
    SettaLimiti(*t.d);
    DisegnoGrafico(*t.d, t.st, t.target(), 3, ColNero, true, "+", -1);
    // Rows 4..6 have a straight run of five or more; row 4 is nearest to (0, 0).
    const int gr = 4 - 1 + OffsetRiga, gc = 5 - 5 + OffsetCol;
    EXPECT_EQ(t.griglia.picture(gr, gc), t.palette.img(111));
    EXPECT_EQ(t.tbltt.get(gr, gc), TileImg(111).name);
    EXPECT_EQ(t.st.RigaSegno, gr);
    EXPECT_EQ(t.st.ColSegno, gc);
    EXPECT_EQ(t.d->TblNodo.at(4, 5).Forma, 0);  // a marker writes no line code
    // The next marker under the strand goes to the nearest long-run cell to the last one: the same.
    t.st.RigaSegno = 100;
    DisegnoGrafico(*t.d, t.st, t.target(), 3, ColNero, true, "-", -1);
    EXPECT_EQ(t.st.RigaSegno, 6 - 1 + OffsetRiga);
    EXPECT_EQ(t.griglia.picture(t.st.RigaSegno, gc), t.palette.img(114));
}

TEST(Renderer, NoStraightCellNoMarker) {
    Tavola t;
    t.d->NumArchi = 3;
    t.metti(5, 5, 'A', 3);
    t.metti(5, 6, 'A', 3);
    t.metti(4, 5, 'I', 1);
    t.metti(6, 6, 'I', 2);
    SettaLimiti(*t.d);
    t.st.RigaSegno = 7;
    DisegnoGrafico(*t.d, t.st, t.target(), 3, ColNero, true, "+", -1);
    EXPECT_EQ(t.st.RigaSegno, 7);
}

}  // namespace
}  // namespace trevalon
