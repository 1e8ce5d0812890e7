#include "mainwindow/form2.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "mainwindow/toolbar.h"
#include "platform/headless_ui.h"

namespace trevalon {
namespace {

struct Started {
    ProgramContext ctx;
    ScriptedUi ui;
    Form2 form{ctx, ui};
    Started() {
        ctx.programFolder = "/opt/trevalon";
        form.Form_Load();
        form.Form_Activate();
    }
};

TEST(Toolbar, ThirtyEntriesWithUniqueKeysAndTheGivenGaps) {
    const auto entries = ToolbarCommands();
    ASSERT_EQ(entries.size(), 30u);
    std::set<std::string_view> keys;
    int gaps = 0, gapTwips = 0;
    for (const ToolbarEntry& e : entries) {
        EXPECT_TRUE(keys.insert(e.key).second) << "duplicate key " << e.key;
        if (e.isGap()) {
            ++gaps;
            gapTwips += e.gapTwips;
            EXPECT_TRUE(e.tooltip.empty());
        } else {
            EXPECT_FALSE(e.tooltip.empty()) << e.key;
            EXPECT_FALSE(e.imageKey.empty()) << e.key;
        }
    }
    EXPECT_EQ(gaps, 11);
    EXPECT_EQ(gapTwips, 7 * 600 + 3 * 300 + 100);
    EXPECT_EQ(entries[0].key, "ApriG");
    EXPECT_EQ(entries[9].tooltip, "Find moves ");  // the trailing blank is part of the text
    EXPECT_EQ(entries[24].imageKey, "PDF");
    EXPECT_EQ(entries[29].key, "Stampa");
    EXPECT_FALSE(entries[29].visible);
    // Every button can be dispatched.
    const auto dispatch = DispatchKeys();
    for (const ToolbarEntry& e : entries) {
        if (!e.isGap()) {
            EXPECT_NE(std::find(dispatch.begin(), dispatch.end(), e.key), dispatch.end()) << e.key;
        }
    }
}

TEST(Form2Start, OnlyTheFiveStartCommandsAreEnabled) {
    Started s;
    std::set<std::string> enabled;
    for (const ToolbarEntry& e : ToolbarCommands())
        if (!e.isGap() && e.visible && s.ui.commandEnabled(std::string(e.key)))
            enabled.insert(std::string(e.key));
    EXPECT_EQ(enabled, (std::set<std::string>{"ApriG", "Servizi", "help", "info", "Uscita"}));
    EXPECT_EQ(s.ui.caption(), "Trevalon");
}

TEST(Form2Start, DefaultsAndFirstActivation) {
    Started s;
    EXPECT_EQ(s.ctx.DimCella, 320);
    EXPECT_EQ(s.ctx.LivelloZoom, 6);
    EXPECT_EQ(s.ctx.TabDimCella[1], 52);
    EXPECT_EQ(s.form.ModoGen, 'A');
    EXPECT_FALSE(s.form.PrimaAttivazione);
    EXPECT_EQ(s.form.CartellaDialoghi, std::filesystem::path("/opt/trevalon/Knots"));
    EXPECT_EQ(s.form.Gr.rows(), 601);
    EXPECT_EQ(s.form.Gr.cols(), 601);
    EXPECT_EQ(s.form.Gr.rowHeight(0), 0);
    EXPECT_EQ(s.form.Gr.colWidth(5), 320);
    // A later activation does not lay the grid out again.
    s.form.Gr.setRows(10);
    s.form.Form_Activate();
    EXPECT_EQ(s.form.Gr.rows(), 10);
}

TEST(Form2Start, HiddenInstanceSetsOnlyItsSourceKind) {
    ProgramContext ctx;
    ScriptedUi ui;
    ctx.DimCella = 75;
    ctx.ModoBatch = true;
    Form2 hidden(ctx, ui, "Form2");
    hidden.ModoGen = 'I';
    hidden.Form_Load();
    EXPECT_EQ(hidden.ModoGen, 'A');
    EXPECT_EQ(ctx.DimCella, 75);
    EXPECT_EQ(ui.caption(), "");
    EXPECT_FALSE(ui.commandEnabled("ApriG"));
}

TEST(Form2Commands, EnablingSkipsCommandsNotBuiltAndDrawAfterTheFirstStep) {
    Started s;
    s.form.AbilitaBottoni(true);
    EXPECT_FALSE(s.ui.commandEnabled("m1"));  // no command registered: stays off
    for (const char* key : {"draw", "m1", "m3b", "propr"}) s.form.setCommand(key, [] {});
    s.form.AbilitaBottoni(true);
    EXPECT_TRUE(s.ui.commandEnabled("m1"));
    EXPECT_TRUE(s.ui.commandEnabled("draw"));
    EXPECT_TRUE(s.ui.commandEnabled("ApriG"));
    s.form.NumStato = 1;
    s.form.AbilitaBottoni(true);
    EXPECT_FALSE(s.ui.commandEnabled("draw"));
    EXPECT_TRUE(s.ui.commandEnabled("m3b"));
    s.form.NumStato = 0;
    s.ctx.ModoSorgente = 'D';
    s.form.AbilitaBottoni(true);
    EXPECT_FALSE(s.ui.commandEnabled("draw"));
    s.form.AbilitaBottoni(false);
    EXPECT_FALSE(s.ui.commandEnabled("m1"));
    EXPECT_TRUE(s.ui.commandEnabled("Uscita"));
    // Batch mode leaves the buttons alone.
    s.ctx.ModoBatch = true;
    s.form.AbilitaBottoni(true);
    EXPECT_FALSE(s.ui.commandEnabled("m1"));
}

TEST(Form2Commands, DispatcherRunsRegisteredCommandsAndRefusesToPretend) {
    Started s;
    int opened = 0;
    s.form.tlb1_ButtonClick("s0");
    s.form.tlb1_ButtonClick("nonsense");
    EXPECT_TRUE(s.ui.messages.empty());
    // "Load Knot" is on at start but not built here: a clear message, nothing else.
    s.form.tlb1_ButtonClick("ApriG");
    ASSERT_EQ(s.ui.messages.size(), 1u);
    EXPECT_NE(s.ui.messages[0].find("Load Knot"), std::string::npos);
    // A disabled command without a body does nothing at all.
    s.form.tlb1_ButtonClick("m2");
    EXPECT_EQ(s.ui.messages.size(), 1u);
    s.form.setCommand("ApriG", [&] { ++opened; });
    s.form.tlb1_ButtonClick("ApriG");
    EXPECT_EQ(opened, 1);
    bool closed = false;
    s.form.onClose = [&] { closed = true; };
    s.form.tlb1_ButtonClick("Uscita");
    EXPECT_TRUE(closed);
    EXPECT_TRUE(s.form.closeRequested());
}

TEST(Form2Commands, DocumentationMissingOrNotOpenedGivesAMessage) {
    Started s;
    const auto dir = std::filesystem::temp_directory_path() / "trevalon_doc_test";
    std::filesystem::remove_all(dir);
    s.ctx.programFolder = dir;
    s.form.tlb1_ButtonClick("help");
    ASSERT_EQ(s.ui.messages.size(), 1u);
    EXPECT_NE(s.ui.messages[0].find("Documentation.pdf"), std::string::npos);

    std::filesystem::create_directories(dir / "Documentation");
    std::ofstream(dir / "Documentation" / "Documentation.pdf") << "%PDF-1.4\n";
    s.form.tlb1_ButtonClick("help");
    EXPECT_EQ(s.ui.messages.size(), 1u);
    EXPECT_EQ(s.ui.calls.back(), "document: " + (dir / "Documentation" / "Documentation.pdf").string());

    s.ui.documentOpens = false;
    s.form.tlb1_ButtonClick("help");
    ASSERT_EQ(s.ui.messages.size(), 2u);
    EXPECT_NE(s.ui.messages[1].find("could not be opened"), std::string::npos);
    std::filesystem::remove_all(dir);
}

TEST(Form2Progress, CounterWrapsAtThreeHundredWithDotsEveryTwenty) {
    Started s;
    s.ui.setPanel("p1", "Done");
    std::vector<std::size_t> shown;
    std::string last;
    for (int i = 0; i < 300; ++i) {
        s.form.AggiornaProgressivo();
        if (s.ui.panel("p2") != last) {
            last = s.ui.panel("p2");
            shown.push_back(last.size());
            EXPECT_EQ(last.find_first_not_of('.'), std::string::npos);
        }
    }
    ASSERT_EQ(shown.size(), 15u);
    EXPECT_EQ(shown.front(), 1u);
    EXPECT_EQ(shown.back(), 281u);
    EXPECT_EQ(s.ui.panel("p1"), "Wait..");
    s.form.AggiornaProgressivo();  // the 301st tick starts again
    EXPECT_EQ(s.form.ContatoreProgresso, 1);
    EXPECT_EQ(s.ui.panel("p2"), ".");
    // A phase other than "Done" is kept.
    s.ui.setPanel("p1", "Drawing");
    for (int i = 0; i < 20; ++i) s.form.AggiornaProgressivo();
    EXPECT_EQ(s.ui.panel("p1"), "Drawing");
    s.form.SettaDone();
    EXPECT_EQ(s.ui.panel("p1"), "Done");
    EXPECT_EQ(s.ui.panel("p2"), "");
}

TEST(Form2Caption, FileNameWithoutKnotExtensionsAndStep) {
    Started s;
    s.form.NomeFileNodo = "/home/me/Knots/trefoil.kno";
    s.form.Testocaption(2);
    EXPECT_EQ(s.ui.caption(), " Trevalon - trefoil - Step 2");
    s.form.NomeFileNodo = "C:\\Knots\\Fig8.GAU";
    s.form.Testocaption(0);
    EXPECT_EQ(s.ui.caption(), " Trevalon - Fig8 - Step 0");
    s.form.NomeFileNodo = "/k/odd.Kns.txt";
    s.form.Testocaption(3);
    EXPECT_EQ(s.ui.caption(), " Trevalon - odd - Step 3");
    s.form.NomeFileNodo = "/k/a.knot";  // ".kno" inside a longer extension goes as well
    s.form.Testocaption(1);
    EXPECT_EQ(s.ui.caption(), " Trevalon - at - Step 1");
    s.form.NomeFileNodo.clear();
    s.form.Testocaption(4);
    EXPECT_EQ(s.ui.caption(), " Trevalon - ");
    // In a complete run the caption stays and panel "p2" shows the current step.
    s.form.CorsaCompleta = true;
    s.form.NumStato = 7;
    s.form.NomeFileNodo = "/x/y.kno";
    s.form.Testocaption(9);
    EXPECT_EQ(s.ui.caption(), " Trevalon - ");
    EXPECT_EQ(s.ui.panel("p2"), "Step 7");
}

TEST(Form2Palette, LoadedByTheSourceKindNotInBatchMode) {
    Started s;
    s.ctx.ModoSorgente = 'D';
    s.form.CaricaFormTessere();
    ASSERT_TRUE(s.ctx.FormTessere.has_value());
    EXPECT_EQ(s.ctx.FormTessere->id(), PaletteId::Form1b);
    EXPECT_EQ(s.ctx.FormTessere->diagCount(), 72);
    s.ctx.ModoBatch = true;
    s.ctx.ModoSorgente = 'A';
    s.form.CaricaFormTessere();
    EXPECT_EQ(s.ctx.FormTessere->id(), PaletteId::Form1b);
    s.ctx.ModoBatch = false;
    s.form.CaricaFormTessere();
    EXPECT_EQ(s.ctx.FormTessere->id(), PaletteId::Form1);
    EXPECT_EQ(s.ctx.FormTessere->diagCount(), 18);
}

TEST(Form2Keys, SecondShiftF9ShowsTheCredit) {
    Started s;
    EXPECT_FALSE(s.form.Form_KeyDown(120, false));
    s.form.Form_KeyDown(120, true);
    EXPECT_TRUE(s.ui.messages.empty());
    s.form.Form_KeyDown(120, true);
    EXPECT_EQ(s.ui.messages.size(), 1u);
    s.form.Form_KeyDown(120, true);
    EXPECT_EQ(s.ui.messages.size(), 1u);
    s.form.Form_Activate();  // every activation clears the count
    s.form.Form_KeyDown(120, true);
    EXPECT_EQ(s.ui.messages.size(), 1u);
}

}  // namespace
}  // namespace trevalon
