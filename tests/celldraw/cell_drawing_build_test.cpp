#include "celldraw/cell_drawing_build.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "layout/build.h"
#include "layout/layout_state.h"
#include "layout/palette.h"
#include "model/drawn_structure.h"
#include "model/structure.h"
#include "platform/headless_ui.h"
#include "support/diagram_generators.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

struct Tavole {
    std::unique_ptr<Diagram> d = std::make_unique<Diagram>();
    std::unique_ptr<CellDrawing> gen = std::make_unique<CellDrawing>();
    TileNameTable tbltt;
    void metti(int r, int c, char tipo, int numero, int forma = 0) {
        CellaNodo& x = d->TblNodo.at(r, c);
        x.Tipo = tipo;
        x.Numero = numero;
        x.Forma = static_cast<std::int8_t>(forma);
        LimitiNodo& l = d->limiti;
        const bool primo = l.RigaMax == 0;
        l.RigaMin = primo ? r : std::min(l.RigaMin, r);
        l.ColMin = primo ? c : std::min(l.ColMin, c);
        l.RigaMax = std::max(l.RigaMax, r);
        l.ColMax = std::max(l.ColMax, c);
    }
};

TEST(CellDrawingBuild, CrossingCodeByLetterAndExits) {
    struct Caso {
        char ori;
        const char* versi;  // sides 1..4: "U" leaves, "E" enters
        const char* codice;
    };
    const std::vector<Caso> casi = {
        {'O', "UUEE", "3"}, {'O', "EEUU", "3"}, {'O', "UEEU", "4"}, {'O', "EUUE", "4"},
        {'V', "UUEE", "4"}, {'V', "EEUU", "4"}, {'V', "UEEU", "3"}, {'V', "EUUE", "3"},
    };
    for (const Caso& k : casi) {
        Tavole t;
        t.metti(10, 10, 'I', 7);
        Incrocio& x = t.d->incroci[7];
        x.Ori = k.ori;
        for (int s = 1; s <= 4; ++s) x.VersoLato[static_cast<std::size_t>(s)] = k.versi[s - 1];
        ASSERT_TRUE(F3GenCelDis(*t.gen, *t.d, t.tbltt, false));
        EXPECT_EQ(t.gen->Codice(3, 2), k.codice) << k.ori << k.versi;
        EXPECT_EQ(t.gen->at(3, 2).Numero, 7);
    }
}

TEST(CellDrawingBuild, OneCellMovedOrKeptAndTheExtent) {
    for (bool sistema : {false, true}) {
        Tavole t;
        t.metti(40, 70, 'A', 5, 6);
        t.d->archi[5].Reg1 = 2;
        t.d->archi[5].Reg2 = 9;
        const int r = sistema ? 40 : 3, c = sistema ? 70 : 2;
        t.tbltt.set(r, c, "n6");
        t.gen->at(40, 70).Lati = {0, 'a', 'b', 'c', 'd'};
        t.gen->setCodice(600, 600, "1");  // an old drawing is cleared
        ASSERT_TRUE(F3GenCelDis(*t.gen, *t.d, t.tbltt, sistema));
        const CellaDis& y = t.gen->at(r, c);
        EXPECT_EQ(t.gen->Codice(r, c), "6");
        EXPECT_EQ((std::vector<int>{y.Numero, y.Reg1, y.Reg2, y.Marca}), (std::vector<int>{5, 2, 9, 0}));
        EXPECT_EQ(t.gen->Simbolo(r, c), "n6");
        EXPECT_EQ(t.gen->Tooltip(r, c), "n6");
        EXPECT_EQ(t.gen->Codice(600, 600), "");
        // Side marks are cleared where the cell stands in the cell table.
        EXPECT_EQ(t.gen->at(40, 70).Lati, (std::array<char, 5>{}));
        const LimitiDis l = t.gen->limiti;
        EXPECT_EQ((std::vector<int>{l.RigaMin, l.ColMin, l.RigaMax, l.ColMax}),
                  (std::vector<int>{r, c, r, c}));

        // An empty table: the starting extent, the cell emptied, its last drawn name kept.
        t.d->TblNodo.clearAll();
        t.d->limiti = {9999, 0, 9999, 0};
        ASSERT_TRUE(F3GenCelDis(*t.gen, *t.d, t.tbltt, sistema));
        const LimitiDis e = t.gen->limiti;
        EXPECT_EQ((std::vector<int>{e.RigaMax, e.ColMax, e.RigaMin, e.ColMin}),
                  (std::vector<int>{0, 0, 9999, 9999}));
        EXPECT_EQ(t.gen->Codice(r, c), "");
        EXPECT_EQ(t.gen->Tooltip(r, c), "n6");
    }
}

TEST(CellDrawingBuild, WhatDoesNotFitIsRefusedAndTheDrawingUntouched) {
    struct Caso {
        const char* nome;
        std::vector<std::pair<int, int>> celle;
        char tipo;
        int numero;
        bool sistema, accettato;
    };
    const std::vector<Caso> casi = {
        {"698 rows", {{1, 1}, {698, 1}}, 'A', 1, false, true},
        {"699 rows", {{1, 1}, {699, 1}}, 'A', 1, false, false},
        {"row 700 kept", {{700, 5}}, 'A', 1, true, true},
        {"row 701 kept", {{701, 5}}, 'A', 1, true, false},
        {"arc beyond the table", {{5, 5}}, 'A', kMaxArchi + 1, false, false},
        {"crossing beyond the table", {{5, 5}}, 'I', kMaxIncroci + 1, false, false},
    };
    for (const Caso& k : casi) {
        Tavole t;
        for (auto [r, c] : k.celle) t.metti(r, c, k.tipo, k.numero, 1);
        t.gen->setCodice(650, 1999, "4");
        t.gen->limiti = {1, 2, 3, 4};
        const Status s = F3GenCelDis(*t.gen, *t.d, t.tbltt, k.sistema);
        EXPECT_EQ(s.ok(), k.accettato) << k.nome << ": " << s.error();
        if (k.accettato) continue;
        EXPECT_FALSE(s.error().empty());
        EXPECT_EQ(t.gen->Codice(650, 1999), "4") << k.nome;
        EXPECT_EQ(t.gen->limiti.RigaMax, 1) << k.nome;
    }
}

TEST(CellDrawingBuild, GreenCrossingTiles) {
    for (const char* n : {"v-b", "v-a", "v|a", "v|b"}) EXPECT_TRUE(isCellaTratt(n)) << n;
    for (const char* n : {"v-", "r-a", "", "V-a", "v-A", "v|", "v-ab"}) EXPECT_FALSE(isCellaTratt(n)) << n;
}

// The sides a line code leaves by: 1 top, 2 right, 3 bottom, 4 left.
bool esce(char codice, int lato) {
    static const std::string kUscite[] = {"", "13", "24", "1234", "1234", "14", "12", "23", "34"};
    return codice >= '1' && codice <= '8' &&
           kUscite[codice - '0'].find(static_cast<char>('0' + lato)) != std::string::npos;
}

// Every cell of the drawing leads, by each side its code leaves by, to a cell whose code comes back by the
// opposite side; crossings hold "3" or "4" and arc cells the other codes, with the tables' numbers.
std::string verificaDisegno(const Diagram& d, const CellDrawing& g) {
    static constexpr int kDr[5] = {0, -1, 0, 1, 0}, kDc[5] = {0, 0, 1, 0, -1};
    std::ostringstream err;
    int incroci = 0;
    for (int r = 1; r < CellDrawing::kRows; ++r)
        for (int c = 1; c < CellDrawing::kCols; ++c) {
            const char k = g.at(r, c).codice;
            if (k == 0) continue;
            const CellaDis& y = g.at(r, c);
            const bool incrocio = k == '3' || k == '4';
            incroci += incrocio;
            if (k == '0') err << r << "," << c << " code 0; ";
            if (!incrocio && (y.Numero < 1 || y.Numero > d.NumArchi ||
                              y.Reg1 != d.archi[static_cast<std::size_t>(y.Numero)].Reg1 ||
                              y.Reg2 != d.archi[static_cast<std::size_t>(y.Numero)].Reg2 || y.Reg1 == 0))
                err << r << "," << c << " arc fields; ";
            if (g.Simbolo(r, c) != TileImg(k - '0').name) err << r << "," << c << " tile name; ";
            if (incrocio) {
                // "3" has the horizontal strand over: the over strand leaves by side 2 or 4.
                const Incrocio& x = d.incroci[static_cast<std::size_t>(y.Numero)];
                int latoSopra = 0;
                for (int s = 1; s <= 4; ++s)
                    if (x.VersoLato[static_cast<std::size_t>(s)] == 'U' &&
                        x.ArcoLato[static_cast<std::size_t>(s)] == x.ArcoEsceSopra)
                        latoSopra = s;
                if ((latoSopra % 2 == 0) != (k == '3'))
                    err << r << "," << c << " crossing " << y.Numero << "; ";
            }
            for (int s = 1; s <= 4; ++s)
                if (esce(k, s) && !(CellDrawing::inside(r + kDr[s], c + kDc[s]) &&
                                    esce(g.at(r + kDr[s], c + kDc[s]).codice, (s + 1) % 4 + 1)))
                    err << r << "," << c << " side " << s << " leads nowhere; ";
        }
    if (incroci != d.NumIncroci) err << incroci << " crossing cells for " << d.NumIncroci << " crossings; ";
    return err.str();
}

// The drawing made from a laid-out diagram is closed, and walking it back gives the same knot: the cell
// drawing of a step keeps its diagram.
TEST(CellDrawingBuild, DiagramsFromTheirCodeGiveAClosedDrawingThatWalksBackToTheirKnot) {
    std::vector<std::pair<std::string, std::string>> codici;
    for (const auto& k : testsupport::namedKnots()) codici.emplace_back(k.gauss, k.letters);
    for (const auto& [seme, lunghezza] : {std::pair{11u, 14}, std::pair{5u, 60}}) {
        const testsupport::GaussDiagram braccio = testsupport::randomBraidKnot(seme, 4, lunghezza);
        codici.emplace_back(testsupport::gaussText(braccio), testsupport::lettersText(braccio));
    }
    for (const auto& [gauss, lettere] : codici) {
        auto d = std::make_unique<Diagram>();
        auto s = std::make_unique<LayoutState>();
        RenderState st;
        GridControl griglia;
        TileNameTable tbltt;
        const TilePalette palette(PaletteId::Form1, false);
        ScriptedUi ui;
        d->txtNodo = gauss;
        d->TxtOri = lettere;
        InizializzaGr(griglia, d->NumRighe, d->NumColonne, st.DimCella, GenMode::Code);
        ASSERT_TRUE(CostruisciDaCodice(*d, *s, st, RenderTarget{griglia, tbltt, palette, &ui}, ui)) << gauss;
        ASSERT_TRUE(Cmdgecare_Click(*d)) << gauss;

        auto gen = std::make_unique<CellDrawing>();
        ASSERT_TRUE(F3GenCelDis(*gen, *d, tbltt, false)) << gauss;
        EXPECT_EQ(verificaDisegno(*d, *gen), "") << gauss;
        const LimitiNodo& l = d->limiti;
        const LimitiDis& e = gen->limiti;
        EXPECT_EQ((std::vector<int>{e.RigaMin, e.ColMin, e.RigaMax, e.ColMax}),
                  (std::vector<int>{OffsetRiga, OffsetCol, l.RigaMax - l.RigaMin + OffsetRiga,
                                    l.ColMax - l.ColMin + OffsetCol}))
            << gauss;

        auto indietro = std::make_unique<Diagram>();
        ASSERT_TRUE(GeneraStrutturaDaTblGen(*indietro, *gen)) << gauss;
        EXPECT_TRUE(testsupport::sameKnot(gauss, lettere, indietro->txtNodo, indietro->TxtOri));
        ASSERT_TRUE(Cmdgecare_Click(*indietro)) << gauss;
        EXPECT_EQ(indietro->NumRegioni, d->NumIncroci + 2) << gauss;
    }
}

}  // namespace
}  // namespace trevalon
