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
    std::set<std::string> enabled() const {
        std::set<std::string> on;
        for (const ToolbarEntry& e : ToolbarCommands())
            if (!e.isGap() && e.visible && ui.commandEnabled(std::string(e.key)))
                on.insert(std::string(e.key));
        return on;
    }
};

TEST(Form2Start, FiveCommandsAGridLaidOutOnceAndTheCreditOncePerActivation) {
    Started s;
    EXPECT_EQ(s.enabled(), (std::set<std::string>{"ApriG", "Servizi", "help", "info", "Uscita"}));
    EXPECT_EQ(s.form.contesto().CartellaDialoghi, std::filesystem::path("/opt/trevalon/Knots"));
    s.form.vista().Gr.setRows(10);
    s.form.Form_Activate();
    EXPECT_EQ(s.form.vista().Gr.rows(), 10);
    // The second Shift+F9 of an activation shows the credit, once.
    EXPECT_FALSE(s.form.Form_KeyDown(120, false));
    for (std::size_t atteso : {0u, 1u, 1u}) {
        s.form.Form_KeyDown(120, true);
        EXPECT_EQ(s.ui.messages.size(), atteso);
    }
    s.form.Form_Activate();
    s.form.Form_KeyDown(120, true);
    EXPECT_EQ(s.ui.messages.size(), 1u);
}

TEST(Form2Commands, EnablingSkipsCommandsNotBuiltAndDrawAfterTheFirstStep) {
    Started s;
    s.form.AbilitaBottoni(true);
    EXPECT_FALSE(s.ui.commandEnabled("m1"));  // no command registered: stays off
    for (const char* key : {"draw", "m1", "m3b"}) s.form.setCommand(key, [] {});
    for (const auto& [passo, sorgente, draw] :
         {std::tuple{0, SourceKind::Code, true}, std::tuple{1, SourceKind::Code, false},
          std::tuple{0, SourceKind::Drawing, false}}) {
        s.form.doc().storia.NumStato = passo;
        s.form.doc().modi.ModoSorgente = sorgente;
        s.form.AbilitaBottoni(true);
        EXPECT_EQ(s.ui.commandEnabled("draw"), draw) << passo;
        EXPECT_TRUE(s.ui.commandEnabled("m1") && s.ui.commandEnabled("m3b"));
    }
    s.form.AbilitaBottoni(false);
    EXPECT_EQ((std::tuple{s.ui.commandEnabled("m1"), s.ui.commandEnabled("Uscita")}),
              (std::tuple{false, true}));
    s.form.doc().modi.ModoBatch = true;  // batch mode leaves the buttons alone
    s.form.AbilitaBottoni(true);
    EXPECT_FALSE(s.ui.commandEnabled("m1"));
}

TEST(Form2Commands, DispatcherRunsRegisteredCommandsAndRefusesToPretend) {
    Started s;
    // Unknown and disabled commands do nothing; "Load Knot" is on at start but not built here: a message.
    for (const char* key : {"s0", "nonsense", "ApriG", "m2"}) s.form.tlb1_ButtonClick(key);
    ASSERT_EQ(s.ui.messages.size(), 1u);
    EXPECT_NE(s.ui.messages[0].find("Load Knot"), std::string::npos);
    int opened = 0;
    s.form.setCommand("ApriG", [&] { ++opened; });
    s.form.tlb1_ButtonClick("ApriG");
    EXPECT_EQ(opened, 1);
    // A key has one command: a second one is refused and the first stays.
    EXPECT_THROW(s.form.setCommand("ApriG", [] {}), std::logic_error);
    s.form.tlb1_ButtonClick("ApriG");
    EXPECT_EQ(opened, 2);
    bool closed = false;
    s.form.setOnClose([&] { closed = true; });
    s.form.tlb1_ButtonClick("Uscita");
    EXPECT_TRUE(closed && s.form.closeRequested());
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
    EXPECT_EQ((std::tuple{s.ui.messages.size(), s.ui.calls.back()}),
              (std::tuple{1u, "document: " + (dir / "Documentation" / "Documentation.pdf").string()}));
    s.ui.documentOpens = false;
    s.form.tlb1_ButtonClick("help");
    ASSERT_EQ(s.ui.messages.size(), 2u);
    EXPECT_NE(s.ui.messages[1].find("could not be opened"), std::string::npos);
    std::filesystem::remove_all(dir);
}

TEST(Form2Progress, CounterWrapsAtThreeHundredWithDotsEveryTwenty) {
    Started s;
    s.ui.setPanel("p1", "Done");
    for (int i = 0; i < 300; ++i) s.form.AggiornaProgressivo();
    EXPECT_EQ((std::tuple{s.ui.panel("p2"), s.ui.panel("p1")}),
              (std::tuple{std::string(281, '.'), "Wait.."}));
    s.form.AggiornaProgressivo();  // the 301st tick starts again
    EXPECT_EQ(s.ui.panel("p2"), ".");
    s.ui.setPanel("p1", "Drawing");  // a phase other than "Done" is kept
    for (int i = 0; i < 20; ++i) s.form.AggiornaProgressivo();
    EXPECT_EQ(s.ui.panel("p1"), "Drawing");
    s.form.SettaDone();
    EXPECT_EQ((std::tuple{s.ui.panel("p1"), s.ui.panel("p2")}), (std::tuple{"Done", ""}));
}

TEST(Form2Caption, FileNameWithoutKnotExtensionsAndStep) {
    Started s;
    // ".kno" inside a longer extension goes as well.
    for (const auto& [file, passo, caption] : std::vector<std::tuple<std::string, int, std::string>>{
             {"/home/me/Knots/trefoil.kno", 2, " Trevalon - trefoil - Step 2"},
             {"C:\\Knots\\Fig8.GAU", 0, " Trevalon - Fig8 - Step 0"},
             {"/k/odd.Kns.txt", 3, " Trevalon - odd - Step 3"},
             {"/k/a.knot", 1, " Trevalon - at - Step 1"},
             {"", 4, " Trevalon - Step 4"}}) {
        s.form.doc().NomeFileNodo = file;
        s.form.Testocaption(passo);
        EXPECT_EQ(s.ui.caption(), caption);
    }
    // In a complete run the caption stays and panel "p2" shows the current step.
    s.form.doc().modi.CorsaCompleta = true;
    s.form.doc().storia.NumStato = 7;
    s.form.doc().NomeFileNodo = "/x/y.kno";
    s.form.Testocaption(9);
    EXPECT_EQ((std::tuple{s.ui.caption(), s.ui.panel("p2")}), (std::tuple{" Trevalon - Step 4", "Step 7"}));
}

TEST(Form2Palette, LoadedByTheSourceKindNotInBatchMode) {
    Started s;
    for (const auto& [sorgente, batch, id] : {std::tuple{SourceKind::Drawing, false, PaletteId::Form1b},
                                              std::tuple{SourceKind::Code, true, PaletteId::Form1b},
                                              std::tuple{SourceKind::Code, false, PaletteId::Form1}}) {
        s.form.doc().modi.ModoSorgente = sorgente;
        s.form.doc().modi.ModoBatch = batch;
        s.form.CaricaFormTessere();
        ASSERT_TRUE(s.form.vista().FormTessere.has_value());
        EXPECT_EQ(s.form.vista().FormTessere->id(), id);
    }
}

}  // namespace
}  // namespace trevalon
