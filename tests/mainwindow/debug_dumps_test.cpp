// The debug dumps of the searches and rewrites over a complete run: written into the dumps folder only
// while the debug switch is on, in their line formats, and never changing the run; a folder that cannot
// take them is reported in the status bar and the run ends as it would without them.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <string>

#include "mainwindow/complete_run.h"
#include "mainwindow/form2.h"
#include "mainwindow/move_window.h"
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
    if (!ApriGen(*form, (fs::path(TREVALON_SOURCE_DIR) / "Knots" / knot).string()))
        return {"cannot open", ""};
    FinestraForm2 w(*form);
    const EsitoCorsa e = AzioneCompleta(*form, w, nullptr);
    std::string passi;
    for (int i = 0; i <= e.ultimoPasso; ++i)
        passi += valoreGaussCode(form->doc.storia.passo(i).Codice) + "\n";
    return {passi, ui.nonScritto};
}

std::string primaRiga(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

TEST(DebugDumps, WrittenOnlyWithTheSwitchOnInTheirFormatsAndNeverChangingTheRun) {
    const fs::path dir = fs::temp_directory_path() / ("trevalon_dumps_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const auto senza = corsa("Unknot40.gau", false, dir);
    EXPECT_TRUE(fs::is_empty(dir)) << "nothing is written with the switch off";
    EXPECT_EQ(corsa("Unknot40.gau", true, dir), senza);

    // Entry: both crossings and both passages in three digits, the sign, the crossings; a key: the
    // position in six digits, the signed label; a bridge line: arc/from-to and four blanks per arc.
    for (const auto& [nome, formato] : {std::pair{"coppie.txt", R"(\d{3},\d{3},\d{3},\d{3},[+-],\d+,\d+)"},
                                        {"ng.txt", R"(\d{3},\d+,\d{3},\d+,[+-],\d{3},\d{3},1)"},
                                        {"posricalc.txt", R"(000000,[+-]\d+,)"},
                                        {"pontiA.txt", R"((\d+/\w*-\w*    )+)"},
                                        {"ponteok.txt", R"(\d+-\w*-\w*)"}})
        EXPECT_TRUE(std::regex_match(primaRiga(dir / nome), std::regex(formato))) << nome;
    // A move II pair's inner passages in walking order carry the twin's links and regions.
    corsa("FigureEight.gau", true, dir);
    EXPECT_TRUE(
        std::regex_match(primaRiga(dir / "ngt2.txt"),
                         std::regex(R"(\d{3},\d+,\d{3},\d+,[+-],\d{3},\d{3},[12],arcoda>\d+,arcoad>\d+,)"
                                    R"(ad>\d+,da>\d+,reg1>\d+,reg2>\d+,gem>\d+,arc>\d+)")));

    // A folder that is not there: said in the status, and the same steps.
    const auto assente = corsa("Unknot40.gau", true, dir / "missing");
    EXPECT_EQ(assente.first, senza.first);
    EXPECT_NE(assente.second.find("missing/"), std::string::npos) << assente.second;
    EXPECT_FALSE(fs::exists(dir / "missing"));
    fs::remove_all(dir);
}

}  // namespace
}  // namespace trevalon
