#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "layout/auto_layout.h"
#include "layout/build.h"
#include "layout/cell_table_check.h"
#include "layout/palette.h"
#include "layout/render_grid.h"
#include "layout/routing.h"
#include "layout/tile_renderer.h"
#include "model/knot_files.h"
#include "platform/headless_ui.h"
#include "support/diagram_generators.h"
#include "support/named_knots.h"
#include "table_fixture.h"

namespace trevalon {
namespace {

struct Tavola : fixture::TavolaVuota {
    RenderState st;
    GridControl griglia;
    TileNameTable tbltt;
    TilePalette palette{PaletteId::Form1, false};
    ScriptedUi ui;
    std::string why;  // the engine's reason of the last failed build

    Tavola() { InizializzaGr(griglia, d->NumRighe, d->NumColonne, st.DimCella, GenMode::Code); }
    RenderTarget target() { return {griglia, tbltt, palette, nullptr}; }
    Result<BuildTimes> costruisci(const std::string& gauss, const std::string& ori, int radice = 1) {
        d->txtNodo = gauss;
        d->TxtOri = ori;
        s->IncrocioRadice = radice;
        why.clear();
        InizializzaGr(griglia, d->NumRighe, d->NumColonne, st.DimCella, GenMode::Code);
        return CostruisciDaCodice(*d, *s, st, RenderTarget{griglia, tbltt, palette, &ui}, ui, &why);
    }
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

TEST(Build, TrefoilIsRoutedAndDrawn) {
    Tavola t;
    ASSERT_TRUE(t.costruisci("1-2+3-1+2-3+", "OOO")) << t.why;
    EXPECT_EQ(testcheck::verificaTabella(*t.d, true), "");
    // The used box starts at display cell (3, 2); every crossing cell shows its label.
    const LimitiNodo l = t.d->limiti;
    for (int i = l.RigaMin; i <= l.RigaMax; ++i)
        for (int j = l.ColMin; j <= l.ColMax; ++j) {
            const CellaNodo& x = t.d->TblNodo.at(i, j);
            const int gr = i - l.RigaMin + 3, gc = j - l.ColMin + 2;
            EXPECT_EQ(t.griglia.picture(gr, gc), x.Tipo ? t.palette.img(x.Forma) : PictureRef{})
                << i << "," << j;
            EXPECT_EQ(t.tbltt.get(gr, gc), x.Tipo ? TileImg(x.Forma).name : "");
            EXPECT_EQ(t.griglia.text(gr, gc), x.Tipo == 'I' ? t.d->NomiIncroci[x.Numero] : "");
        }
}

TEST(Build, AutomaticRunStopsAfterTheLayout) {
    Tavola t;
    t.s->ModoAutomatico = true;
    ASSERT_TRUE(t.costruisci("1-2+3-1+2-3+", "OOO", 7));
    EXPECT_EQ(t.s->IncrocioRadice, 1);  // a root outside the diagram starts from crossing 1
    for (int k = 1; k <= 3; ++k)
        for (int s = 1; s <= 4; ++s) EXPECT_NE(t.d->incroci[k].ArcoLato[s], 0);
    EXPECT_EQ(t.griglia.picture(3, 2), PictureRef{});
}

// A failure's message is the window's; the engine's reason goes to the diagnostics. A faulty code shows its
// fault lines first.
TEST(Build, FailuresGiveTheWindowsMessageAndTheReason) {
    struct Caso {
        std::string gauss;
        int righe;
        std::string message, why;
        std::vector<std::string> shown;
    };
    for (const auto& [gauss, righe, message, why, shown] : std::vector<Caso>{
             {"1-2+3-1+2+3-",
              600,
              kErroreCodiceGau,
              "the Gauss code is not valid",
              {"Error +/- in cross 1\nError +/- in cross 3"}},
         }) {
        Tavola t;
        t.d->NumRighe = righe;
        EXPECT_EQ(t.costruisci(gauss, "OOO").error(), message);
        EXPECT_EQ(t.why, why);
        if (!shown.empty()) {
            EXPECT_EQ(t.ui.messages, shown);
        }
    }
    // A drawing larger than the work extent widens it, and the display grid with it.
    Tavola t;
    t.d->NumRighe = 5;
    ASSERT_TRUE(t.costruisci("1-2+3-1+2-3+", "OOO")) << t.why;
    EXPECT_EQ((std::tuple{t.d->NumRighe, t.griglia.rows()}), (std::tuple{9, 10}));
}

TEST(Build, SecondBuildLeavesNothingOfTheFirst) {
    Tavola t;
    const auto big = testsupport::randomBraidKnot(5, 4, 40);
    ASSERT_TRUE(t.costruisci(testsupport::gaussText(big), testsupport::lettersText(big)));
    // Leftovers of another kind of diagram beyond the used box.
    t.metti(1400, 1400, 'A', 2);
    t.d->TblNodo.at(700, 20).Posizione = 9;
    // Whatever writes beyond the used box says so: the next build clears the part that may hold anything.
    t.s->areaSporca = {0, kMaxCella, 0, kMaxCella};
    ASSERT_TRUE(t.costruisci("1-2+3-1+2-3+", "OOO")) << t.why;
    EXPECT_EQ(testcheck::verificaTabella(*t.d, true), "");
    EXPECT_EQ(t.d->TblNodo.at(700, 20).Posizione, 0);
}

// A build in a state that has built other diagrams before (and laid them out again and again while routing
// failed) clears only what it knows it wrote: it gives, cell for cell, the table of a build in a fresh state.
TEST(Build, AStateThatBuiltBeforeGivesTheTableOfAFreshOne) {
    const auto grande = testsupport::randomBraidKnot(5003, 6, 171), medio = testsupport::randomUnknot(7, 60);
    const std::vector<std::pair<std::string, std::string>> codici{
        {testsupport::gaussText(grande), testsupport::lettersText(grande)},
        {"1-2+3-1+2-3+", "OOO"},
        {testsupport::gaussText(medio), testsupport::lettersText(medio)},
        {testsupport::gaussText(grande), testsupport::lettersText(grande)}};
    Tavola usata;
    for (const auto& [gauss, lettere] : codici) {
        SCOPED_TRACE(lettere.size());
        ASSERT_TRUE(usata.costruisci(gauss, lettere)) << usata.why;
        Tavola nuova;
        ASSERT_TRUE(nuova.costruisci(gauss, lettere)) << nuova.why;
        int diverse = 0;
        for (int r = 0; r < CellTable::kSize; ++r)
            for (int c = 0; c < CellTable::kSize; ++c) {
                const CellaNodo &x = usata.d->TblNodo.at(r, c), &y = std::as_const(*nuova.d).TblNodo.at(r, c);
                diverse += x.Tipo != y.Tipo || x.Numero != y.Numero || x.Posizione != y.Posizione ||
                           x.Forma != y.Forma || x.Simbolo != y.Simbolo || x.viciniText != y.viciniText;
            }
        EXPECT_EQ(diverse, 0);
        EXPECT_EQ((std::tuple{usata.d->limiti.RigaMax, usata.d->limiti.ColMax}),
                  (std::tuple{nuova.d->limiti.RigaMax, nuova.d->limiti.ColMax}));
    }
}

// A routing that fails keeps its paths as text for whoever looks at the table after it (the developer's
// steps); a build, which lays out again, drops them, and restores that when it ends.
TEST(Build, AFailingRoutingDropsItsPathsOnlyInsideABuild) {
    const auto g = testsupport::randomBraidKnot(5003, 6, 171);
    auto instrada = [&](Tavola& t) {
        t.d->txtNodo = testsupport::gaussText(g);
        t.d->TxtOri = testsupport::lettersText(g);
        EXPECT_TRUE(Disegna(*t.d, *t.s) && PercorriBordo(*t.d, *t.s));
        const bool fatto = static_cast<bool>(DisegnaArchi(*t.d, *t.s));
        int conPercorso = 0;
        for (int a = 1; a <= t.d->NumArchi; ++a) conPercorso += !t.d->archi[a].Percorso.empty();
        return std::pair{fatto, conPercorso};
    };
    Tavola t, u;
    const int conPercorso = instrada(t).second;
    EXPECT_EQ(instrada(t), std::pair(false, conPercorso));
    EXPECT_GT(conPercorso, 10);
    u.s->percorsiDiFallimento = false;
    EXPECT_EQ(instrada(u), std::pair(false, 0));
    ASSERT_TRUE(u.costruisci(testsupport::gaussText(g), testsupport::lettersText(g))) << u.why;
    EXPECT_EQ(instrada(u), std::pair(false, conPercorso));
}

// The spread of a layout knows its extent from the cells it wrote: the same as a search of the whole table,
// for every root of a named knot and for a generated braid laid out with extra room between its lines.
TEST(Layout, TheSpreadsExtentIsThatOfTheWholeTable) {
    std::vector<std::pair<std::string, std::string>> codici;
    for (const auto& k : testsupport::namedKnots()) codici.emplace_back(k.gauss, k.letters);
    const auto braccio = testsupport::randomBraidKnot(5, 4, 40);
    codici.emplace_back(testsupport::gaussText(braccio), testsupport::lettersText(braccio));
    for (const auto& [gauss, lettere] : codici)
        for (int radice = 1; radice <= static_cast<int>(lettere.size()); radice += 3) {
            SCOPED_TRACE(gauss + " root " + std::to_string(radice));
            Tavola t;
            t.d->txtNodo = gauss;
            t.d->TxtOri = lettere;
            t.s->IncrocioRadice = radice;
            ASSERT_TRUE(Disegna(*t.d, *t.s));
            if (radice == 4) {
                for (int j = 0; j < WorkGrid::kSize; j += 2) t.s->extraRiga[j] = 3;
                ASSERT_TRUE(StendiLayout(*t.d, *t.s));
            }
            const LimitiNodo l = t.d->limiti;
            SettaLimiti(*t.d);
            EXPECT_EQ((std::vector{l.RigaMin, l.RigaMax, l.ColMin, l.ColMax}),
                      (std::vector{t.d->limiti.RigaMin, t.d->limiti.RigaMax, t.d->limiti.ColMin,
                                   t.d->limiti.ColMax}));
        }
}

// Named knots from every root; large generated diagrams whose first routing shuts arc ends in behind routes
// that fill narrow passages (the spread widened there lets every arc through), for a long twist region,
// behind rings of routes (a tree turning by parity lets every arc through), or, for a closed braid of many
// turns, in spirals whose routes outgrow the table or the display grid (the tree served from the end of its
// queue follows the braid round); and generated diagrams of 3 to 100 crossings from both end roots, which
// may instead fail with a stated reason. Larger sizes are trevalon-bench build's.
TEST(Build, NamedAndGeneratedDiagramsAreRoutedIntoValidTables) {
    struct Caso {
        std::string name, gauss, letters;
        std::vector<int> roots;
        bool mayFail;
    };
    std::vector<Caso> casi;
    for (const auto& k : testsupport::namedKnots()) {
        casi.push_back({k.name, k.gauss, k.letters, {}, false});
        for (int r = 1; r <= static_cast<int>(k.letters.size()); ++r) casi.back().roots.push_back(r);
    }
    auto add = [&](const testsupport::GaussDiagram& g, std::vector<int> roots, bool mayFail) {
        casi.push_back({std::to_string(g.crossings()) + " crossings", testsupport::gaussText(g),
                        testsupport::lettersText(g), roots, mayFail});
    };
    auto toroTre = [](int giri) {
        testsupport::BraidWord w;
        for (int k = 0; k < giri; ++k) w.insert(w.end(), {1, 2});
        return testsupport::braidClosure(3, w);
    };
    for (const auto& g : {testsupport::randomBraidKnot(5003, 6, 171),
                          testsupport::randomBraidKnot(5045, 6, 180), testsupport::randomUnknot(7013, 229),
                          testsupport::braidClosure(2, testsupport::BraidWord(159, 1)), toroTre(47)}) {
        ASSERT_GE(g.crossings(), 90);
        add(g, {1}, false);
    }
    for (int size : {3, 5, 8, 12, 20, 30, 45, 60, 80, 100})
        for (std::uint32_t seed = 1; seed <= 2; ++seed) {
            const int strands = 2 + static_cast<int>(seed + size) % 4;
            const auto g = size <= 8 ? testsupport::randomBraidKnot(seed * 31 + size, strands, size)
                                     : testsupport::enlarged(testsupport::randomBraidKnot(seed, 3, 6),
                                                             seed * 101 + size, size);
            if (g.crossings() <= 250) add(g, {1, g.crossings()}, true);
        }
    Tavola t;
    for (const auto& c : casi)
        for (int radice : c.roots) {
            SCOPED_TRACE(c.name + " root " + std::to_string(radice));
            const auto r = t.costruisci(c.gauss, c.letters, radice);
            if (!r && c.mayFail &&
                (r.error().starts_with(kDisegnoTroppoGrande) || r.error().starts_with(kNonDisponibile))) {
                EXPECT_NE(t.why, "");
                continue;
            }
            ASSERT_TRUE(r) << t.why;
            EXPECT_EQ(testcheck::verificaTabella(*t.d, true), "");
        }
}

// A 246-crossing braid closure that no tree routes from its first seven roots, with any turning mode or
// served from the end of its queue: it is laid out from a further root crossing, and the person can stop
// the layout while those roots are tried.
TEST(Build, ADiagramNoFirstRootRoutesIsLaidOutFromAFurtherRootAndCanBeStoppedThere) {
    std::ifstream in(TREVALON_TEST_DATA "/layout/braid_246_6983.gau", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const Result<CodiceGauss> codice = leggiCodiceGaussTesto(text);
    ASSERT_TRUE(codice) << codice.error();
    constexpr int kPrimeRadici = 7;

    // The attempts in turn, so that this thread's state shows the root being tried.
    Tavola t;
    t.s->aiutantiTentativi = 0;
    const auto fatto = t.costruisci(codice->txtNodo, codice->TxtOri);
    ASSERT_TRUE(fatto) << t.why;
    EXPECT_GT(t.s->IncrocioRadice, kPrimeRadici);
    EXPECT_EQ(testcheck::verificaTabella(*t.d, true), "");

    // Stopped at the first progress step of a further root: the build says so.
    LayoutState& s = *t.s;
    s.fermato = [&s] { return s.IncrocioRadice > kPrimeRadici && !s.codaDallaFine; };
    const auto fermato = t.costruisci(codice->txtNodo, codice->TxtOri);
    s.fermato = nullptr;
    ASSERT_FALSE(fermato);
    EXPECT_EQ(fermato.error(), kLayoutFermato);
    EXPECT_EQ(t.why, "stopped");
}

// A first drawing larger than the display grid: the trees from the root served from the end of their queue
// are tried for a smaller one, in each turning mode, and no tree from another root. The first braid's
// drawing is a few lines over the grid and none of those trees routes: the grid grows to the first drawing.
// The second's tree from the root turning by parity gives a smaller drawing, which fits the grid.
TEST(Build, ADrawingLargerThanTheGridIsTriedAgainFromTheRootsTreesServedFromTheEnd) {
    for (const auto& [nome, piuPiccolo] : {std::pair{"braid_250_2.gau", false}, {"braid_250_6.gau", true}}) {
        SCOPED_TRACE(nome);
        std::ifstream in(std::string(TREVALON_TEST_DATA "/layout/") + nome, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const Result<CodiceGauss> codice = leggiCodiceGaussTesto(text);
        ASSERT_TRUE(codice) << codice.error();
        // The attempts in turn, so that this thread's state shows the tree being tried.
        Tavola t;
        t.s->aiutantiTentativi = 0;
        const int righe = t.d->NumRighe, colonne = t.d->NumColonne;
        LayoutState& s = *t.s;
        bool altraRadice = false;
        s.fermato = [&s, &altraRadice] {
            altraRadice = altraRadice || (s.codaDallaFine && s.IncrocioRadice != 1);
            return false;
        };
        const auto fatto = t.costruisci(codice->txtNodo, codice->TxtOri);
        s.fermato = nullptr;
        ASSERT_TRUE(fatto) << t.why;
        EXPECT_FALSE(altraRadice);
        EXPECT_EQ(testcheck::verificaTabella(*t.d, true), "");
        const int altezza = t.d->limiti.RigaMax - t.d->limiti.RigaMin + OffsetRiga;
        const int larghezza = t.d->limiti.ColMax - t.d->limiti.ColMin + OffsetCol;
        EXPECT_EQ(altezza <= righe && larghezza <= colonne, piuPiccolo);
        EXPECT_GE(t.d->NumRighe, altezza);
        EXPECT_GE(t.d->NumColonne, larghezza);
    }
}

// The closure of the torus braid (s1 ... s6)^41, numbered in word order: no breadth-first tree turning by
// the parity of the crossings' numbers routes from any root tried, served from either end of its queue. A
// tree turning by the parity of each crossing's place in the knot's first pass lays it out.
TEST(Build, AClosedTorusBraidIsLaidOutByATreeTurningByTheKnotsFirstPass) {
    std::ifstream in(TREVALON_TEST_DATA "/layout/torus_braid_7_41.gau", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const Result<CodiceGauss> codice = leggiCodiceGaussTesto(text);
    ASSERT_TRUE(codice) << codice.error();
    Tavola t;
    const auto fatto = t.costruisci(codice->txtNodo, codice->TxtOri);
    ASSERT_TRUE(fatto) << t.why;
    EXPECT_EQ(testcheck::verificaTabella(*t.d, true), "");
    EXPECT_EQ(t.s->IncrocioRadice, 1);
    EXPECT_FALSE(t.s->giroPerVisita);  // left as the developer's switches were
    EXPECT_EQ(t.s->settings.TXTmodo, "S");
}

TEST(Renderer, CrossingTileAndTheExchangeRule) {
    // Exchanged when both strands leave towards sides 1 and 4 or towards sides 2 and 3.
    for (const auto& [ori, versi, tessera] : std::vector<std::tuple<char, const char*, int>>{
             {'O', "UEEU", 4}, {'O', "EUUE", 4}, {'O', "UUEE", 3}, {'V', "UUEE", 4}, {'V', "UEEU", 3}}) {
        Tavola t;
        t.incrocio(ori, versi);
        EXPECT_EQ(TesseraIncrocio(*t.d, 1), tessera) << ori << versi;
    }
}

TEST(Renderer, FullDrawingWritesTilesAndLineCodes) {
    Tavola t;
    t.incrocio('O', "EUUE");
    // SoloTratto plays no part in a full drawing: every used cell is drawn.
    DisegnoGrafico(*t.d, t.st, t.target(), 0, ColNero, true, "", -1);
    // The used box starts at (8,8): the crossing is shown at display (5,4); vertical above, horizontal right.
    for (const auto& [r, c, forma] :
         std::vector<std::tuple<int, int, int>>{{10, 10, 4}, {9, 10, 1}, {10, 11, 2}}) {
        EXPECT_EQ(t.d->TblNodo.at(r, c).Forma, forma);
        EXPECT_EQ(t.griglia.picture(r - 5, c - 6), t.palette.img(forma));
    }
    // An arc end joined on one side only draws nothing.
    EXPECT_EQ(t.griglia.picture(3, 4), PictureRef{});
}

TEST(Renderer, LineCodesTakeTheLastMatchingTest) {
    Tavola t;
    for (const auto& [r, c] : {std::pair{5, 5}, {4, 5}, {6, 5}, {5, 6}}) t.metti(r, c, 'A', 7);
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

// Rows 4..6 of a vertical arc have a straight run of five or more; row 4 is nearest to (0, 0). The next
// marker goes to the long-run cell nearest the last one. A strand without a straight cell gets no marker.
TEST(Renderer, MarkerGoesOnTheLongRunNearestThePreviousMarker) {
    Tavola t;
    t.d->NumArchi = 3;
    for (int r = 2; r <= 8; ++r) t.metti(r, 5, 'A', 3);
    t.metti(1, 5, 'I', 1);
    t.metti(9, 5, 'I', 2);
    SettaLimiti(*t.d);
    DisegnoGrafico(*t.d, t.st, t.target(), 3, ColNero, true, "+", -1);
    const int gr = 4 - 1 + OffsetRiga, gc = 5 - 5 + OffsetCol;
    EXPECT_EQ(t.griglia.picture(gr, gc), t.palette.img(111));
    EXPECT_EQ(t.st.RigaSegno, gr);
    EXPECT_EQ(t.st.ColSegno, gc);
    EXPECT_EQ(t.d->TblNodo.at(4, 5).Forma, 0);  // a marker writes no line code
    t.st.RigaSegno = 100;
    DisegnoGrafico(*t.d, t.st, t.target(), 3, ColNero, true, "-", -1);
    EXPECT_EQ(t.st.RigaSegno, 6 - 1 + OffsetRiga);
    EXPECT_EQ(t.griglia.picture(t.st.RigaSegno, gc), t.palette.img(114));

    Tavola u;
    u.d->NumArchi = 3;
    for (const auto& [r, c, tipo, n] :
         {std::tuple{5, 5, 'A', 3}, {5, 6, 'A', 3}, {4, 5, 'I', 1}, {6, 6, 'I', 2}})
        u.metti(r, c, tipo, n);
    SettaLimiti(*u.d);
    u.st.RigaSegno = 7;
    DisegnoGrafico(*u.d, u.st, u.target(), 3, ColNero, true, "+", -1);
    EXPECT_EQ(u.st.RigaSegno, 7);
}

TEST(Palette, EveryKeyTileIsFoundByItsKeyAndAlphabetReadsBack) {
    for (const TilePalette& palette :
         {TilePalette(PaletteId::Form1, false), TilePalette(PaletteId::Form1b, false),
          TilePalette(PaletteId::Form1, true)}) {
        ASSERT_GT(palette.diagCount(), 0);
        for (int i = 0; i < palette.diagCount(); ++i) {
            EXPECT_EQ(palette.diagByKey(palette.diag(i).key), i) << palette.diag(i).key;
            EXPECT_TRUE(diagShapeOf(palette.diag(i).key).valid) << palette.diag(i).key;
        }
    }
    EXPECT_EQ(TilePalette(PaletteId::Form1, false).diagByKey("V48"), -1);
    for (int i = 0; i <= 30; ++i) EXPECT_EQ(letNum(NumLet(i)), i);
    EXPECT_EQ(letNum("J"), 0);
}

TEST(RenderGrid, TileNamesOutsideTheTableAreIgnored) {
    auto t = std::make_unique<TileNameTable>();
    t->set(1510, 1510, "v|b");
    t->set(1511, 0, "lost");
    t->set(0, -1, "lost");
    EXPECT_EQ(t->get(1510, 1510), "v|b");
    EXPECT_EQ(t->get(1511, 0), "");
    t->reset();
    EXPECT_EQ(t->get(1510, 1510), "");
}

// Emptying visits only the box written since the last emptying; every name written before is gone.
TEST(TileNames, ResetEmptiesEveryNameWrittenSinceTheLastReset) {
    auto t = std::make_unique<TileNameTable>();
    t->set(5, 7, "a");
    t->set(1200, 3, "b");
    t->set(2, 1500, "a");
    t->set(-1, 4, "c");  // outside: ignored
    EXPECT_EQ(t->get(1200, 3), "b");
    t->reset();
    for (auto [r, c] : {std::pair{5, 7}, {1200, 3}, {2, 1500}, {-1, 4}})
        EXPECT_EQ(t->get(r, c), "") << r << "," << c;
    t->set(9, 9, "b");
    t->reset();
    EXPECT_EQ(t->get(9, 9), "");
    t->set(10, 10, "c");
    EXPECT_EQ(t->get(10, 10), "c");
}

}  // namespace
}  // namespace trevalon
