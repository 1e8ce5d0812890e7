#include "layout/drawn_renderer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "layout/palette.h"

namespace trevalon {
namespace {

using Celle = std::vector<std::pair<int, int>>;

struct Disegno {
    std::unique_ptr<Diagram> d = std::make_unique<Diagram>();
    GridControl griglia;
    TileNameTable tbltt;
    TilePalette palette{PaletteId::Form1b, false};
    RenderState st;

    Disegno() {
        d->NumRighe = d->NumColonne = 30;
        InizializzaGr(griglia, 30, 30, 85, GenMode::TextDrawing);
        st.ModoGen = GenMode::TextDrawing;
        for (int r = 0; r <= 30; ++r)
            for (int c = 0; c <= 30; ++c) griglia.setPicture(r, c, palette.img(0));
    }
    RenderTarget target() { return {griglia, tbltt, palette, nullptr}; }
    void disegna(int r0, int c0, const std::vector<std::string>& righe) {
        for (std::size_t k = 0; k < righe.size(); ++k)
            for (std::size_t j = 0; j < righe[k].size(); ++j)
                d->TblNodo.at(r0 + static_cast<int>(k), c0 + static_cast<int>(j)).Simbolo = righe[k][j];
    }
    PictureRef diag(const char* key) const { return palette.imgDiag(palette.diagByKey(key)); }
    bool vuota(int r, int c) const { return griglia.picture(r, c) == palette.img(0); }
};

TEST(DrawnRenderer, ShapeKeyAndNameOfADrawnCell) {
    struct Caso {
        std::vector<std::string> righe;
        int colore;
        std::string forma, nome;
    };
    const std::vector<Caso> casi = {
        {{" * ", " * ", " * "}, ColNero, "28", "n*"},  {{" * ", " * ", "***"}, ColNero, "28", "n*"},
        {{"***", " * ", " * "}, ColNero, "28", "n*"},  {{"  *", "***", "  *"}, ColNero, "46", "n*"},
        {{"*  ", "***", "*  "}, ColNero, "46", "n*"},  {{" * ", "** ", "   "}, ColNero, "24", "n5"},
        {{"   ", " **", " * "}, ColVerde, "68", "v7"}, {{" * ", " **", "   "}, ColGrigio, "26", "g6"},
        {{"***", "*-*", "***"}, ColRosso, "O", "r-"},  {{" * ", "*|*", " * "}, ColArancio, "V", "r|"},
        {{"***", " * ", "  *"}, ColNero, "123", ""},  // no strand: no key, and as much as the cell holds
        {{" * ", " * ", " * "}, 7, "28", ""},         // a colour base without a letter
    };
    for (const Caso& k : casi) {
        Disegno t;
        t.tbltt.set(20, 20, "n*");
        t.d->TblNodo.at(7, 7).setVicini("46");  // an empty cell loses its old pair
        t.disegna(4, 4, k.righe);
        DisegnaModo2(*t.d, t.target(), k.colore, false);
        const std::string riga = k.righe[0] + "/" + k.righe[1] + "/" + k.righe[2];
        EXPECT_EQ(t.d->TblNodo.at(5, 5).Vicini(), k.forma) << riga;
        EXPECT_EQ(t.tbltt.get(5, 5), k.nome) << riga;
        EXPECT_EQ(t.tbltt.get(20, 20), "") << riga;
        EXPECT_EQ(t.d->TblNodo.at(7, 7).Vicini(), "") << riga;
    }
}

TEST(DrawnRenderer, CellsAtTheEdgeOfTheTableReadNothingBeyond) {
    auto d = std::make_unique<Diagram>();
    for (int r : {4, 5, 6, kMaxCella - 1, kMaxCella}) d->TblNodo.at(r, kMaxCella).Simbolo = '*';
    EXPECT_EQ(formaCellaDisegnata(*d, kMaxCella, kMaxCella), "2");
    d->NumRighe = d->NumColonne = kMaxCella + 1;
    GridControl g;
    TileNameTable tbltt;
    const TilePalette p(PaletteId::Form1b, false);
    DisegnaModo2(*d, {g, tbltt, p, nullptr}, ColNero, false);
    EXPECT_EQ(tbltt.get(5, kMaxCella), "n*");
    EXPECT_EQ(d->TblNodo.at(kMaxCella, kMaxCella).Vicini(), "2");
}

TEST(DrawnRenderer, GapsBesideCrossings) {
    struct Caso {
        int r, c;
        char simbolo;
        Celle aperte, piene;
    };
    const std::vector<Caso> casi = {
        {5, 7, '-', {{4, 7}, {6, 7}}, {{5, 6}, {5, 8}, {5, 7}}},
        {5, 7, '|', {{5, 6}, {5, 8}}, {{4, 7}, {6, 7}, {5, 7}}},
        {1, 1, '-', {{0, 1}, {2, 1}}, {{1, 0}, {1, 2}}},  // row 0 takes the clearing
        {30, 30, '|', {{30, 29}}, {{29, 30}}},            // the last row and column: beyond is skipped
    };
    for (const Caso& k : casi) {
        Disegno t;
        t.d->TblNodo.at(k.r, k.c).Simbolo = k.simbolo;
        DisegnaInterruzioni(*t.d, t.griglia);
        for (auto [r, c] : k.aperte)
            EXPECT_TRUE(t.griglia.picture(r, c).empty()) << k.simbolo << r << "," << c;
        for (auto [r, c] : k.piene) EXPECT_TRUE(t.vuota(r, c)) << k.simbolo << r << "," << c;
    }
}

// Arc 1 along the given cells (pair "46", the marker's cell "28") from crossing 1 at (5,4) to crossing 2 at
// (5,10), both passed over, their cells of shape "O".
struct Arco1 : Disegno {
    explicit Arco1(const Celle& celle, std::pair<int, int> verticale = {0, 0}) {
        Arco& a = d->archi[1];
        a.IncrocioDa = 1;
        a.IncrocioA = 2;
        a.SegnoDa = a.SegnoA = '+';
        for (auto [r, c] : celle) {
            a.Percorso += std::to_string(r) + "," + std::to_string(c) + ",|";
            d->TblNodo.at(r, c).setVicini("46");
        }
        d->TblNodo.at(verticale.first, verticale.second).setVicini("28");
        d->incroci[1].Riga = d->incroci[2].Riga = 5;
        d->incroci[1].Colonna = 4;
        d->incroci[2].Colonna = 10;
        d->TblNodo.at(5, 4).setVicini("O");
        d->TblNodo.at(5, 10).setVicini("O");
    }
};

TEST(DrawnRenderer, TracedArcPaintsItsCellsAndTheCrossingsItPassesOver) {
    struct Caso {
        int nonFare;
        char segnoA;
        int colore;
        bool primo, secondo;
        const char *tessera, *incrocio;
    };
    const std::vector<Caso> casi = {
        {-2, '+', ColRosso, false, false, "R46", "RO"}, {0, '+', ColRosso, true, true, "R46", "RO"},
        {1, '+', ColRosso, false, true, "R46", "RO"},   {0, '-', ColRosso, true, false, "R46", "RO"},
        {0, '+', ColArancio, true, true, "V46", "VO"},  // orange is traced green
    };
    const Celle riga5 = {{5, 5}, {5, 6}, {5, 7}, {5, 8}, {5, 9}};
    for (const Caso& k : casi) {
        Arco1 t(riga5);
        t.d->archi[1].SegnoA = k.segnoA;
        TracciaArcoDaDisegno(*t.d, t.target(), 1, k.colore, false, "", k.nonFare);
        for (auto [r, c] : riga5)
            EXPECT_EQ(t.griglia.picture(r, c), t.diag(k.tessera)) << k.nonFare << " " << c;
        EXPECT_EQ(t.tbltt.get(5, 7), k.colore == ColRosso ? "r*" : "v*");
        EXPECT_EQ(t.griglia.picture(5, 4), k.primo ? t.diag(k.incrocio) : t.palette.img(0)) << k.nonFare;
        EXPECT_EQ(t.griglia.picture(5, 10), k.secondo ? t.diag(k.incrocio) : t.palette.img(0)) << k.nonFare;
    }
    Arco1 t(riga5);
    const auto prima = t.griglia.revision();
    for (int arco : {0, -1, kMaxArchi + 1})
        TracciaArcoDaDisegno(*t.d, t.target(), arco, ColRosso, false, "", 0);
    EXPECT_EQ(t.griglia.revision(), prima);
}

TEST(DrawnRenderer, MarkerAcrossTheMiddleOfARunOfFive) {
    Celle elle = {{10, 10}, {11, 10}, {12, 10}};
    for (int c = 11; c <= 17; ++c) elle.push_back({12, c});
    elle.insert(elle.end(), {{13, 17}, {14, 17}});
    const std::vector<std::pair<Celle, std::pair<int, int>>> casi = {
        {elle, {12, 13}},                                                // pieces 3..7 share row 12
        {{{10, 10}, {11, 10}, {11, 11}, {12, 11}, {12, 12}}, {11, 11}},  // no run: the middle piece
        {{{10, 10}, {11, 10}, {11, 11}, {12, 11}}, {11, 11}},            // half to the even piece
        {{{10, 10}}, {10, 10}},                                          // one cell: that cell
    };
    for (const auto& [celle, segno] : casi) {
        Arco1 t(celle, segno);
        const auto prima = t.griglia.revision();
        TracciaArcoDaDisegno(*t.d, t.target(), 1, ColNero, true, "-", 0);
        EXPECT_EQ(t.griglia.revision(), prima) << "sign - paints nothing";
        TracciaArcoDaDisegno(*t.d, t.target(), 1, ColNero, true, "+", 0);
        const auto [r, c] = segno;
        // A vertical strand gets a horizontal marker, green whatever the colour asked.
        for (int dc : {-1, 0, 1})
            EXPECT_EQ(t.griglia.picture(r, c + dc), t.diag("V46")) << r << "," << c + dc;
        EXPECT_TRUE(t.vuota(r - 1, c));
        EXPECT_EQ(t.tbltt.get(r, c), "v+");
        EXPECT_EQ(t.tbltt.get(r, c + 1), "v*");
    }
}

TEST(DrawnRenderer, DrawingOfKindDDispatchesAndCellDrawingsPaintAsTiles) {
    Disegno t;
    t.disegna(2, 2, {"  *  ", "  *  ", "**-**", "  *  ", "  *  "});
    DisegnoGrafico(*t.d, t.st, t.target(), 0, ColNero, false, "", 0);
    EXPECT_EQ((std::pair{t.griglia.rowHeight(30), t.griglia.colWidth(1)}), (std::pair{52, 52}));
    EXPECT_EQ((std::vector<std::string_view>{t.tbltt.get(4, 4), t.tbltt.get(3, 4), t.tbltt.get(4, 3)}),
              (std::vector<std::string_view>{"n-", "n*", "n*"}));
    t.d->archi[1].Percorso = "4,5|";
    DisegnoGrafico(*t.d, t.st, t.target(), 1, ColRosso, false, "", -2);
    EXPECT_EQ(t.griglia.picture(4, 5), t.diag("R46"));
    EXPECT_TRUE(t.griglia.picture(3, 4).empty() && t.griglia.picture(5, 4).empty());

    auto gen = std::make_unique<CellDrawing>();
    gen->setCodice(2, 2, "3");
    gen->setCodice(2, 3, "0");
    gen->setCodice(4, 4, "5");  // beyond the rows asked for
    t.griglia.setText(1, 1, "x");
    int righe = 0;
    DisegnaDaimgCelDis(*gen, t.griglia, t.palette, 4, 10, [&] { ++righe; });
    EXPECT_EQ(righe, 3);
    EXPECT_EQ(t.griglia.picture(2, 2), t.palette.img(3));
    EXPECT_TRUE(t.griglia.picture(2, 3).empty() && t.griglia.picture(1, 1).empty());
    EXPECT_EQ(t.griglia.text(1, 1), "");
    EXPECT_TRUE(t.vuota(4, 4));
}

}  // namespace
}  // namespace trevalon
