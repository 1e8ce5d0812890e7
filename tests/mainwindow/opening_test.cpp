#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "form2_fixture.h"
#include "mainwindow/build_commands.h"
#include "mainwindow/commit.h"
#include "mainwindow/file_dialogs.h"
#include "mainwindow/history.h"
#include "mainwindow/open_knot.h"
#include "model/knot_files.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

const fs::path kKnots = fs::path(TREVALON_SOURCE_DIR) / "Knots";

using Banco = fixture::FinestraDiProva;
using fixture::cartellaProva;
using fixture::leggi;
using fixture::scrivi;

// What a failed opening must leave exactly as it was.
auto fotografia(Banco& b) {
    return std::tuple{b.d().txtNodo,
                      b.d().TxtOri,
                      b.form.doc().NomeFileNodo,
                      b.ui.caption(),
                      b.storia().passo(0).Codice,
                      b.passo(),
                      b.d().NumIncroci,
                      b.d().NumRegioni,
                      b.celle(),
                      b.ui.commandEnabled("draw"),
                      b.ui.commandEnabled("Undo")};
}

// The text in UTF-16, little-endian, with its byte-order mark.
std::string utf16(std::string_view testo) {
    std::string out = "\xFF\xFE";
    for (char ch : testo) out += std::string{ch, '\0'};
    return out;
}

TEST(Opening, EverySampleKnotIsBuiltDrawnAndRecordedAsStepZero) {
    const std::map<std::string, int> incroci = {
        {"Trefoil", 3}, {"FigureEight", 4}, {"5_2", 6},       {"Granny", 6},
        {"Square", 6},  {"UnknotCurls", 4}, {"Unknot40", 40}, {"TrefoilFigureEight", 7}};
    int aperti = 0;
    for (const auto& entry : fs::directory_iterator(kKnots)) {
        if (entry.path().extension() != ".gau") continue;
        Banco b;
        const std::string base = entry.path().stem().string();
        SCOPED_TRACE(base);
        b.ui.openAnswers.push_back(entry.path().string());
        b.form.tlb1_ButtonClick("ApriG");
        EXPECT_TRUE(b.ui.messages.empty()) << b.ui.messages.front();
        const Diagram& d = b.d();
        ASSERT_TRUE(incroci.count(base));
        EXPECT_EQ((std::tuple{d.NumIncroci, d.NumRegioni}),
                  (std::tuple{incroci.at(base), incroci.at(base) + 2}));
        // Drawn: one picture per used cell, a label on every crossing cell.
        int labels = 0;
        for (int k = 1; k <= d.NumIncroci; ++k) {
            int r = 0, c = 0;
            Trasforma(d.limiti, d.incroci[k].Riga, d.incroci[k].Colonna, r, c);
            EXPECT_FALSE(b.form.vista().Gr.picture(r, c).empty()) << "crossing " << k;
            if (b.form.vista().Gr.text(r, c) == d.NomiIncroci[k]) ++labels;
        }
        EXPECT_EQ(labels, d.NumIncroci);
        EXPECT_GT(std::get<0>(b.celle()), 4 * d.NumIncroci);
        // Built once; step 0 from the code, the caption by the file's name, the commands as after an opening.
        EXPECT_EQ(
            (std::tuple{b.ui.costruzioni, b.passo(), b.storia().passo(0).Tipo, b.storia().passo(0).Codice}),
            (std::tuple{1, 0, GenMode::Code, d.txtNodo}));
        EXPECT_EQ(b.ui.caption(), " Trevalon - " + base + " - Step 0");
        EXPECT_TRUE(b.ui.commandEnabled("draw") && !b.ui.commandEnabled("Undo"));
        EXPECT_TRUE(b.ui.panel("p1") == "Done" && !b.ui.busy() && b.form.vista().Gr.redraw());
        EXPECT_EQ((std::tuple{b.form.doc().modi.ModoSorgente, b.form.doc().TipoFileKno}),
                  (std::tuple{SourceKind::Code, KnotFileKind::GaussCode}));
        ++aperti;
    }
    EXPECT_EQ(aperti, 8);
}

TEST(Opening, FailedOpeningsLeaveDiagramHistoryAndNameUntouched) {
    Banco b;
    ASSERT_TRUE(ApriGen(b.form.contesto(), b.form.vista(), (kKnots / "Trefoil.gau").string()));
    // A recorded step too, so that the history has something to lose.
    ASSERT_TRUE(CommittaMossa(b.form.contesto(), b.form.vista(), TestoNodo{"1+2-3+1-4+3-2+4-", "OVVO", {}}));
    const auto prima = fotografia(b);
    ASSERT_EQ((std::tuple{b.passo(), b.d().NumIncroci}), (std::tuple{1, 4}));

    struct Caso {
        std::string file, testo, messaggio;
    };
    // A file of no known kind: "No Fikle Knot", and on a second line why.
    const std::string kTipiNodo =
        "a knot file has a line \"GaussCode=\" (with \"Indices=\"), \"Object=\" or \"Source=\", or is a text "
        "drawing whose first line is its size \"R,C\".";
    const std::string kNessunaChiave = "No Fikle Knot\nThe file holds no key of a knot file: " + kTipiNodo;
    const std::vector<Caso> casi = {
        {"bad_code.gau", "GaussCode=1,-2,3,-1,2,3\nIndices=1,1,1\n", kErroreCodiceGau},
        {"no_indices.gau", "GaussCode=1,-2,3,-1,2,-3\n", kErroreIndiciGau},
        {"no_code.gau", "Indices=1,1,1\n", kNessunaChiave},
        {"bad_indices.gau", "GaussCode=1,-2,3,-1,2,-3\nIndices=1,2,1\n", kErroreIndiciGau},
        {"short_indices.gau", "GaussCode=1,-2,3,-1,2,-3\nIndices=1,1\n", kErroreCodiceGau},
        {"bad_letters.gau", "GaussCode=1,-2,3,-1,2,-3\nIndices=1,1,-1\n", kErroreIndiciGau},  // not drawable
        {"nothing.kno", "hello\nworld\n", kNessunaChiave},
        // An empty file, and one of blanks alone: the box says so.
        {"empty.gau", "", "No Fikle Knot\nThe file is empty: " + kTipiNodo},
        {"blank.gau", " \r\n\t\n\n", "No Fikle Knot\nThe file holds only blanks and line ends: " + kTipiNodo},
        {"trivial.gau", "GaussCode=\nIndices=\n", "Trivial knot"},
        // A Gauss-code file saved as UTF-16: its keys cannot be found, and the box says why.
        {"utf16.gau", utf16("GaussCode=1,-2,3,-1,2,-3\r\nIndices=1,1,1\r\n"),
         "No Fikle Knot\nThe file is not text in a single-byte encoding (it is UTF-16): a knot file is plain "
         "text "
         "of one byte a character."},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.file);
        b.ui.messages.clear();
        EXPECT_FALSE(ApriGen(b.form.contesto(), b.form.vista(), scrivi(c.file, c.testo).string()));
        // One box says all: the faults found on the way, then the failure.
        ASSERT_EQ(b.ui.messages.size(), 1u);
        EXPECT_TRUE(b.ui.messages.back().ends_with(c.messaggio)) << b.ui.messages.back();
        EXPECT_NE(b.ui.p1AlMessaggio, "Generation knot");  // the status is not left at work behind the box
        EXPECT_TRUE(fotografia(b) == prima);
        EXPECT_TRUE(!b.ui.busy() && b.form.vista().Gr.redraw());
    }
    // Drawn knots that cannot be read or walked: refused with one message, also when a Gauss code is in
    // the same file (the drawing wins).
    const std::string croce = "0,0\n  *  \n  *  \n**-**\n  *  \n  *  \n";
    for (const std::string& testo :
         {std::string("Object=1,1,6|1,2,2|\n"), std::string("GaussCode=1,-2,3,-1,2,-3\nObject=1,1,6|\n"),
          std::string("Object=901,1,6|\n"), std::string("Object=1,1,9|\n"), std::string("x\nobject=1,1\n"),
          std::string("3,3,Source=pic.jpg,Size=1\n* \n"), croce, croce + "\n\n\n" + croce.substr(4),
          "1,1\n" + std::string(1600, '*') + "\n", "1,1\n" + std::string(700, '\n') + "*\n"}) {
        SCOPED_TRACE(testo.substr(0, 40));
        b.ui.messages.clear();
        EXPECT_FALSE(ApriGen(b.form.contesto(), b.form.vista(), scrivi("drawn.kno", testo).string()));
        ASSERT_EQ(b.ui.messages.size(), 1u);
        EXPECT_FALSE(b.ui.messages[0].empty());
        EXPECT_NE(b.ui.p1AlMessaggio, "Generation knot");
        EXPECT_TRUE(fotografia(b) == prima);
        EXPECT_TRUE(!b.ui.busy() && b.form.vista().Gr.redraw());
    }
    // Opened as a Gauss-code file directly ("Apri"), a file without "GaussCode=" is a code error.
    b.ui.messages.clear();
    EXPECT_FALSE(
        ApriGau(b.form.contesto(), b.form.vista(), scrivi("only_indices.gau", "Indices=1,1,1\n").string()));
    ASSERT_EQ(b.ui.messages.size(), 1u);
    EXPECT_EQ(b.ui.messages[0], kErroreCodiceGau);
    EXPECT_TRUE(fotografia(b) == prima);
    // A file that is gone, and a cancelled dialog.
    b.ui.messages.clear();
    b.ui.openAnswers.push_back((cartellaProva() / "missing.gau").string());
    b.form.tlb1_ButtonClick("ApriG");
    ASSERT_EQ(b.ui.messages.size(), 1u);
    EXPECT_EQ(b.ui.messages[0], "File not found:" + (cartellaProva() / "missing.gau").string());
    b.form.tlb1_ButtonClick("ApriG");
    EXPECT_EQ(b.ui.messages.size(), 1u);
    EXPECT_TRUE(fotografia(b) == prima);
    // The history is still there: undo goes back to the trefoil.
    StatoPrec(b.form.contesto(), b.form.vista());
    EXPECT_EQ((std::tuple{b.passo(), b.d().NumIncroci}), (std::tuple{0, 3}));
}

TEST(Opening, KeysInAnyCaseCrLfLinesBlanksAndSigns) {
    Banco b;
    ASSERT_TRUE(
        ApriGen(b.form.contesto(), b.form.vista(),
                scrivi("a.KNO", "x\r\n gaussCODE= -1, +2 ,-3 ,1,-4,+3,-2,4 \r\nINDICES= 1 , -1 ,-1, +1\r\n")
                    .string()))
        << (b.ui.messages.empty() ? std::string() : b.ui.messages.back());
    EXPECT_EQ((std::tuple{b.d().TxtOri, b.d().NumIncroci, b.ui.caption()}),
              (std::tuple{"OVVO", 4, " Trevalon - a - Step 0"}));
    // The Gauss-code reader is chosen by content, whatever the extension.
    ASSERT_TRUE(ApriGen(b.form.contesto(), b.form.vista(),
                        scrivi("b.txt", "GaussCode=1,-2,3,-4,2,-1,4,-3\nIndices=1,1,-1,-1\n").string()));
    EXPECT_EQ(b.ui.caption(), " Trevalon - b - Step 0");
}

TEST(Opening, SaveNameProposals) {
    struct Caso {
        const char* nome;
        DialogKind tipo;
        const char* proposta;
    };
    for (const Caso& c : std::vector<Caso>{{"/k/x.KNS", DialogKind::Knot, "/k/x_S5.KNO"},
                                           {"/k/x_S2.kno", DialogKind::Knot, "/k/x_S2_S5.kno"},
                                           {"/k/x.gau", DialogKind::Summand1, "/k/x_S5_CS1.kno"},
                                           {"/k/x.kno", DialogKind::GaussCode, "/k/x_S5.gau"},
                                           {"/k/x.Kno", DialogKind::Knot, "/k/x_S5.kno"},
                                           {"/k/x", DialogKind::Knot, "/k/x_S5.kno"},
                                           {"/k/x.GAU", DialogKind::GaussCode, "/k/x_S5.GAU"},
                                           {"/k.kno/x.gau", DialogKind::Knot, "/k.kno/x_S5.kno"},
                                           {"/k/x.txt", DialogKind::Knot, "/k/x_S5.kno"},
                                           {"/k/x.kns", DialogKind::Text, "/k/x.txt"}})
        EXPECT_EQ(propostaSalva(c.nome, c.tipo, 5), c.proposta) << c.nome << " " << text(c.tipo);
}

TEST(Opening, SaveOfAStepBuiltFromACodeWritesItsGaussCodeAndOpensAgain) {
    Banco b;
    const fs::path src = scrivi("Knot.GAU", leggi(kKnots / "FigureEight.gau"));
    ASSERT_TRUE(ApriGen(b.form.contesto(), b.form.vista(), src.string()));
    ASSERT_TRUE(CommittaMossa(b.form.contesto(), b.form.vista(), TestoNodo{"1-2+3-1+2-3+", "OOO", {}}));
    EXPECT_TRUE(b.ui.commandEnabled("Salva"));
    // A name typed without extension gets the proposal's, in its case.
    const fs::path scelto = cartellaProva() / "saved";
    fs::remove(cartellaProva() / "saved.KNO");
    b.ui.saveAnswers.push_back(scelto.string());
    b.form.tlb1_ButtonClick("Salva");
    EXPECT_EQ(b.ui.lastSaveProposal, (cartellaProva() / "Knot_S1.KNO").string());
    const std::string testo = leggi(cartellaProva() / "saved.KNO");
    EXPECT_EQ(testo, "GaussCode=1,-2,3,-1,2,-3\r\nIndices=1,1,1\r\n");
    // Saving again to the same typed name asks before replacing; "No" writes nothing.
    b.ui.saveAnswers.push_back(scelto.string());
    b.ui.yesNoAnswers.push_back(false);
    EXPECT_FALSE(SalvaDatblDis(b.form.contesto(), ""));
    // The saved file opens as the knot it holds.
    ASSERT_TRUE(ApriGen(b.form.contesto(), b.form.vista(), (cartellaProva() / "saved.KNO").string()));
    EXPECT_EQ(b.d().txtNodo, "1-2+3-1+2-3+");
    // A step kept as a cell drawing is written in the object form.
    b.storia().passo(0).Tipo = GenMode::CellDrawing;
    b.storia().passo(0).TblGenSer = "3,4,7|3,5,2|";
    ASSERT_TRUE(SalvaDatblDis(b.form.contesto(), (cartellaProva() / "obj.kno").string()));
    EXPECT_EQ(leggi(cartellaProva() / "obj.kno"), "Object=3,4,7|3,5,2|\r\n");
}

// Opening a large code is a long job: the stop frame shows while it is laid out, the window's events are
// served, and "Cancel" stops it with the knot shown before left as it was and nothing to answer; the next
// opening lays the same code out as a fresh window does.
TEST(Opening, ALongOpeningStoppedByThePersonLeavesTheKnotShownBefore) {
    const fs::path grande = fs::path(TREVALON_SOURCE_DIR) / "tests" / "data" / "model" / "braid_100.gau";
    Banco b;
    ASSERT_TRUE(ApriGau(b.form.contesto(), b.form.vista(), (kKnots / "Trefoil.gau").string()));
    const auto prima = fotografia(b);
    int servite = 0;
    bool cornice = false;
    b.ui.onYield = [&] {
        cornice = cornice || b.ui.stopFrameShown();
        if (++servite == 5) b.form.contesto().RichiestaStop.richiedi();
    };
    EXPECT_FALSE(ApriGau(b.form.contesto(), b.form.vista(), grande.string()));
    EXPECT_TRUE(cornice);
    EXPECT_GE(servite, 5);
    EXPECT_EQ(fotografia(b), prima);
    EXPECT_FALSE(b.ui.stopFrameShown());
    EXPECT_FALSE(b.form.contesto().RichiestaStop.richiesta());
    EXPECT_TRUE(b.ui.messages.empty());
    EXPECT_EQ(b.ui.panel("p2"), "The layout of the diagram was stopped.");

    b.ui.onYield = nullptr;
    ASSERT_TRUE(ApriGau(b.form.contesto(), b.form.vista(), grande.string()));
    Banco nuovo;
    ASSERT_TRUE(ApriGau(nuovo.form.contesto(), nuovo.form.vista(), grande.string()));
    EXPECT_EQ(b.celle(), nuovo.celle());
    EXPECT_EQ(b.d().NumRegioni, nuovo.d().NumRegioni);
    EXPECT_EQ(b.form.vista().Gr.rows(), nuovo.form.vista().Gr.rows());
}

}  // namespace
}  // namespace trevalon
