// The debug dumps of the searches and rewrites over a complete run: written into the dumps folder only
// while the debug switch is on, in their line formats, and never changing the run; a folder that cannot
// take them is reported in the status bar and the run ends as it would without them.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "mainwindow/complete_run.h"
#include "mainwindow/form2.h"
#include "mainwindow/move_window.h"
#include "mainwindow/open_knot.h"
#include "mainwindow/program_context.h"
#include "model/knot_files.h"
#include "platform/debug_dump.h"
#include "platform/headless_ui.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

// Every text a status panel was given, in order.
class UiConPannelli : public ScriptedUi {
  public:
    std::vector<std::string> pannelli;
    void setPanel(const std::string& key, const std::string& text) override {
        pannelli.push_back(text);
        ScriptedUi::setPanel(key, text);
    }
};

// The complete run of a sample knot; its step list as the bench harness prints it.
std::string corsa(const std::string& knot, bool debug, const fs::path& cartella, UiConPannelli& ui) {
    ProgramContext ctx;
    ctx.ModoDebug = debug;
    ctx.cartellaDump = cartella;
    auto form = std::make_unique<Form2>(ctx, ui);
    form->Form_Load();
    form->Form_Activate();
    if (!ApriGen(*form, (fs::path(TREVALON_SOURCE_DIR) / "Knots" / knot).string())) return "cannot open";
    FinestraForm2 w(*form);
    const EsitoCorsa e = AzioneCompleta(*form, w, nullptr);
    std::ostringstream out;
    for (int i = 0; i <= e.ultimoPasso; ++i) {
        const Stato& s = form->doc.storia.passo(i);
        out << valoreGaussCode(s.Codice) << '\t' << valoreIndices(s.Ori) << '\n';
    }
    return out.str();
}

std::string primaRiga(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

struct Cartella {
    fs::path path = fs::temp_directory_path() / ("trevalon_dumps_" + std::to_string(::getpid()));
    Cartella() {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~Cartella() { fs::remove_all(path); }
    bool vuota() const { return fs::is_empty(path); }
};

TEST(DebugDumps, SearchDumpsOnlyWithTheSwitchOnAndInTheirFormats) {
    Cartella dir;
    UiConPannelli spento, acceso;
    const std::string senza = corsa("Unknot40.gau", false, dir.path, spento);
    EXPECT_TRUE(dir.vuota()) << "nothing is written with the switch off";
    EXPECT_EQ(corsa("Unknot40.gau", true, dir.path, acceso), senza);

    // Entry: both crossings and both passages in three digits, the sign, the crossings; a key: the
    // position in six digits, the signed label; a bridge line: arc/from-to and four blanks per arc.
    const std::pair<const char*, const char*> formati[] = {
        {"coppie.txt", R"(\d{3},\d{3},\d{3},\d{3},[+-],\d+,\d+)"},
        {"ng.txt", R"(\d{3},\d+,\d{3},\d+,[+-],\d{3},\d{3},1)"},
        {"posricalc.txt", R"(\d{6},[+-]\d+,)"},
        {"pontiA.txt", R"((\d+/\w*-\w*    )+)"},
        {"ponteok.txt", R"(\d+-\w*-\w*)"},
    };
    for (const auto& [nome, formato] : formati) {
        SCOPED_TRACE(nome);
        ASSERT_TRUE(fs::exists(dir.path / nome));
        EXPECT_TRUE(std::regex_match(primaRiga(dir.path / nome), std::regex(formato)))
            << primaRiga(dir.path / nome);
    }
    EXPECT_EQ(primaRiga(dir.path / "posricalc.txt").substr(0, 7), "000000,") << "dropped passages sort first";
    for (const std::string& p : acceso.pannelli) EXPECT_EQ(p.find(kDumpNonScritto), std::string::npos) << p;

    // A move II pair's inner passages in walking order carry the twin's links and regions.
    fs::remove_all(dir.path / "ngt2.txt");
    UiConPannelli altro;
    corsa("FigureEight.gau", true, dir.path, altro);
    EXPECT_TRUE(
        std::regex_match(primaRiga(dir.path / "ngt2.txt"),
                         std::regex(R"(\d{3},\d+,\d{3},\d+,[+-],\d{3},\d{3},[12],arcoda>\d+,arcoad>\d+,)"
                                    R"(ad>\d+,da>\d+,reg1>\d+,reg2>\d+,gem>\d+,arc>\d+)")))
        << primaRiga(dir.path / "ngt2.txt");
}

TEST(DebugDumps, AFolderThatCannotTakeThemIsReportedAndTheRunEndsAlike) {
    Cartella dir;
    UiConPannelli spento, acceso;
    const std::string senza = corsa("Unknot40.gau", false, dir.path, spento);
    const fs::path assente = dir.path / "missing";
    EXPECT_EQ(corsa("Unknot40.gau", true, assente, acceso), senza);
    EXPECT_FALSE(fs::exists(assente));
    bool detto = false;
    for (const std::string& p : acceso.pannelli)
        detto = detto || (p.rfind(kDumpNonScritto, 0) == 0 && p.find("coppie.txt") != std::string::npos);
    EXPECT_TRUE(detto);
}

}  // namespace
}  // namespace trevalon
