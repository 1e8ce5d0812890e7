// The developer panel's quarter turn and grid moves, pressed through the engine (the window tests meet the
// other steps of the panel).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "form2_fixture.h"
#include "layout/grid_view.h"
#include "layout/render_grid.h"
#include "mainwindow/developer_panel.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;
namespace ts = testsupport;

struct Sviluppo : fixture::FinestraDiProva {
    PannelloSviluppo pannello{form};
    Sviluppo() {
        ctx.ModoSviluppo = true;
        form.Form_Load();
    }
    void costruisci(const std::string& nodo) {
        const ts::NamedKnot k = ts::namedKnot(nodo);
        pannello.txtNodo = k.gauss;
        pannello.TxtOri = k.letters;
        ASSERT_TRUE(pannello.premi("CmdTutto"));
        ASSERT_EQ(d().TxtOri, k.letters);
    }
};

// "Ruota" writes the character picture of the turned table into the dumps folder and says where; the
// diagram shown is not turned. Without a folder it says so, and the knot file is still offered.
TEST(PassiSviluppo, RuotaWritesItsPictureIntoTheDumpsFolder) {
    Sviluppo s;
    const fs::path cartella = fixture::cartellaProva() / "dumps_ruota";
    fs::remove_all(cartella);
    s.ctx.cartellaDump = cartella;
    s.costruisci("5_2");
    const std::string codice = s.d().txtNodo;
    int celle = 0;
    for (int r = 0; r <= kMaxCella; ++r)
        for (int c = 0; c <= kMaxCella; ++c) celle += s.d().TblNodo.at(r, c).Forma != 0;
    ASSERT_TRUE(s.pannello.premi("CmdRuota"));
    const std::string immagine = fixture::leggi(cartella / "ruota.txt");
    EXPECT_EQ(s.ui.panel("p2"), "The turned picture was written: " + (cartella / "ruota.txt").string());
    int righe = 0, segni = 0;
    std::size_t primaPiena = 0;
    for (std::size_t i = 0; i < immagine.size(); ++i) {
        if (immagine[i] == '\n') {
            ++righe;
            continue;
        }
        if (immagine[i] == '\r' || immagine[i] == ' ') continue;
        ++segni;
        if (!primaPiena) primaPiena = static_cast<std::size_t>(righe) + 1;
    }
    EXPECT_EQ(righe, 1500);
    EXPECT_EQ(segni, celle);
    EXPECT_EQ(primaPiena, 1u);  // moved back to the top
    EXPECT_EQ(s.d().txtNodo, codice);
    // The knot file of the turned table is offered after it (and not saved here).
    EXPECT_EQ(s.ui.calls.back().rfind("save: ", 0), 0u) << s.ui.calls.back();

    s.ctx.cartellaDump.clear();
    ASSERT_TRUE(s.pannello.premi("CmdRuota"));
    EXPECT_EQ(s.ui.panel("p2").rfind("ruota.txt not written", 0), 0u) << s.ui.panel("p2");
    fs::remove_all(cartella);
}

// The four grid moves: by whole cells as far as 1000 twips go, one cell at least, never before the first
// row or column nor beyond the last.
TEST(PassiSviluppo, GridMovesScrollByAThousandTwips) {
    struct Caso {
        int dim;  // cell size, twips
        VersoSpostamento verso;
        int riga, col;  // TopRow, LeftCol after one move from (10, 10)
    };
    for (const Caso& k :
         {Caso{320, VersoSpostamento::Su, 13, 10}, Caso{320, VersoSpostamento::Giu, 7, 10},
          Caso{320, VersoSpostamento::Sinistra, 10, 13}, Caso{320, VersoSpostamento::Destra, 10, 7},
          Caso{52, VersoSpostamento::Su, 29, 10}, Caso{1200, VersoSpostamento::Giu, 9, 10},
          Caso{1000, VersoSpostamento::Destra, 10, 9}}) {
        GridControl g;
        InizializzaGr(g, 40, 40, k.dim, GenMode::Code);
        g.setTopRow(10);
        g.setLeftCol(10);
        EXPECT_TRUE(SpostaGriglia(g, k.verso));
        EXPECT_EQ(g.topRow(), k.riga) << k.dim;
        EXPECT_EQ(g.leftCol(), k.col) << k.dim;
    }
    GridControl g;
    InizializzaGr(g, 5, 5, 320, GenMode::Code);
    g.setTopRow(1);
    EXPECT_FALSE(SpostaGriglia(g, VersoSpostamento::Giu));
    EXPECT_TRUE(SpostaGriglia(g, VersoSpostamento::Su));
    EXPECT_TRUE(SpostaGriglia(g, VersoSpostamento::Su));
    EXPECT_EQ(g.topRow(), 5);
    EXPECT_FALSE(SpostaGriglia(g, VersoSpostamento::Su));
}

}  // namespace
}  // namespace trevalon
