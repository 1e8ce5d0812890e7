// The debug dumps of the searches and rewrites over a complete run: written into the dumps folder only
// while the debug switch is on, in their line formats, and never changing the run; a folder that cannot
// take them is reported in the status bar and the run ends as it would without them.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "mainwindow/complete_run.h"
#include "mainwindow/form2.h"
#include "mainwindow/move_adapter.h"
#include "mainwindow/open_knot.h"
#include "model/knot_files.h"
#include "platform/debug_dump.h"
#include "platform/headless_ui.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

// Keeps the first text of the status bar that reports a dump not written.
struct UiStato : ScriptedUi {
    std::string nonScritto;
    void setPanel(const std::string& key, const std::string& text) override {
        if (nonScritto.empty() && text.rfind(kDumpNonScritto, 0) == 0) nonScritto = text;
        ScriptedUi::setPanel(key, text);
    }
};

// The complete run of a sample knot: its step list, and the first report of a dump not written.
std::pair<std::string, std::string> corsa(const std::string& knot, bool debug, const fs::path& cartella) {
    ProgramContext ctx;
    ctx.ModoDebug = debug;
    ctx.cartellaDump = cartella;
    UiStato ui;
    auto form = std::make_unique<Form2>(ctx, ui);
    form->Form_Load();
    form->Form_Activate();
    if (!ApriGen(form->contesto(), form->vista(), (fs::path(TREVALON_SOURCE_DIR) / "Knots" / knot).string()))
        return {"cannot open", ""};
    FinestraForm2 w(*form);
    const EsitoCorsa e = AzioneCompleta(*form, w, nullptr);
    std::string passi;
    for (int i = 0; i <= e.ultimoPasso; ++i)
        passi += valoreGaussCode(form->doc().storia.passo(i).Codice) + "\n";
    return {passi, ui.nonScritto};
}

std::string primaRiga(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// A dump line's shape: every run of letters, digits and "_" becomes "w" (a field's name followed by ">"
// stays as it is), and "+" becomes "-".
std::string forma(const std::string& riga) {
    std::string out;
    for (std::size_t i = 0; i < riga.size();) {
        const auto parola = [](char ch) { return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_'; };
        if (!parola(riga[i])) {
            out += riga[i] == '+' ? '-' : riga[i];
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < riga.size() && parola(riga[j])) ++j;
        out += j < riga.size() && riga[j] == '>' ? riga.substr(i, j - i) : std::string("w");
        i = j;
    }
    return out;
}

TEST(DebugDumps, WrittenOnlyWithTheSwitchOnInTheirFormatsAndNeverChangingTheRun) {
    const fs::path dir = fs::temp_directory_path() / ("trevalon_dumps_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const auto senza = corsa("Unknot40.gau", false, dir);
    EXPECT_TRUE(fs::is_empty(dir)) << "nothing is written with the switch off";
    EXPECT_EQ(corsa("Unknot40.gau", true, dir), senza);

    // Entry: both crossings and both passages, the sign, the crossings; a key: the position, the signed
    // label; a bridge line: arc/from-to and four blanks per arc; the candidate: number-from-to.
    EXPECT_EQ(forma(primaRiga(dir / "coppie.txt")), "w,w,w,w,-,w,w");
    EXPECT_EQ(forma(primaRiga(dir / "ng.txt")), "w,w,w,w,-,w,w,w");
    EXPECT_EQ(forma(primaRiga(dir / "posricalc.txt")), "w,-w,");
    EXPECT_EQ(primaRiga(dir / "posricalc.txt").substr(0, 7), "000000,");
    const std::string ponti = forma(primaRiga(dir / "pontiA.txt"));
    EXPECT_TRUE(ponti.starts_with("w/") && ponti.ends_with("    ")) << ponti;
    // The arcs as the Gauss code is read, before the crossings get them: arc, from and sign, to and sign.
    EXPECT_EQ(forma(primaRiga(dir / "archi.txt")), "w w- w-");
    const std::string ok = forma(primaRiga(dir / "ponteok.txt"));
    EXPECT_TRUE(ok == "w-w-w" || ok == "w--w" || ok == "w-w-" || ok == "w--") << ok;
    // A move II pair's inner passages in walking order carry the twin's links and regions.
    corsa("FigureEight.gau", true, dir);
    EXPECT_EQ(forma(primaRiga(dir / "ngt2.txt")),
              "w,w,w,w,-,w,w,w,arcoda>w,arcoad>w,ad>w,da>w,reg1>w,reg2>w,gem>w,arc>w");

    // A folder that is not there: said in the status, and the same steps.
    const auto assente = corsa("Unknot40.gau", true, dir / "missing");
    EXPECT_EQ(assente.first, senza.first);
    EXPECT_NE(assente.second.find("missing/"), std::string::npos) << assente.second;
    EXPECT_FALSE(fs::exists(dir / "missing"));
    fs::remove_all(dir);
}

// Every dump a run could not write is counted for the run of the program, and said where it stays: the
// count in the status bar at the end of the work, and once in the program's run a message.
TEST(DebugDumps, DumpsNotWrittenAreCountedAndSaidOnceWhereTheSayingStays) {
    const fs::path dir = fs::temp_directory_path() / ("trevalon_dumps_count_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    ProgramContext ctx;
    ctx.ModoDebug = true;
    ctx.cartellaDump = dir / "missing";
    ScriptedUi ui;
    auto form = std::make_unique<Form2>(ctx, ui);
    form->Form_Load();
    form->Form_Activate();
    ASSERT_TRUE(ApriGen(form->contesto(), form->vista(),
                        (fs::path(TREVALON_SOURCE_DIR) / "Knots" / "Unknot40.gau").string()));
    FinestraForm2 w(*form);
    AzioneCompleta(*form, w, nullptr);
    const std::size_t prima = ctx.dumpNonScritti.quanti;
    EXPECT_GT(prima, 10u);
    EXPECT_EQ(ui.panel("p2"), "");  // the run's own end empties the status
    const std::size_t messaggi = ui.messages.size();
    EXPECT_TRUE(riferisciDumpNonScritti(ctx.dumpNonScritti, 0, ui, ui));
    const std::string detto = ui.panel("p2");
    EXPECT_EQ(detto.rfind(std::to_string(prima) +
                              " debug dumps were not written; the last: " + (dir / "missing").string(),
                          0),
              0u)
        << detto;
    ASSERT_EQ(ui.messages.size(), messaggi + 1);
    EXPECT_EQ(ui.messages.back().rfind(detto, 0), 0u);

    // A second piece of work: its own count in the status, no second message.
    writeDump(DumpFolder{ctx.cartellaDump, &ui, &ctx.dumpNonScritti}, "one.txt", "x");
    EXPECT_TRUE(riferisciDumpNonScritti(ctx.dumpNonScritti, prima, ui, ui));
    EXPECT_EQ(ui.panel("p2").rfind(
                  "1 debug dump was not written; the last: " + (dir / "missing" / "one.txt").string(), 0),
              0u)
        << ui.panel("p2");
    EXPECT_EQ(ui.messages.size(), messaggi + 1);
    // Work in which every dump was written says nothing.
    ui.setPanel("p2", "");
    EXPECT_FALSE(riferisciDumpNonScritti(ctx.dumpNonScritti, ctx.dumpNonScritti.quanti, ui, ui));
    EXPECT_EQ(ui.panel("p2"), "");
    fs::remove_all(dir);
}

}  // namespace
}  // namespace trevalon
