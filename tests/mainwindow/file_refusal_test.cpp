// Files the main window cannot use are refused with what is wrong with them, quickly, and a save that
// fails keeps the file it would have replaced; in every case the diagram shown stays as it was.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "form2_fixture.h"
#include "mainwindow/history.h"
#include "mainwindow/open_knot.h"
#include "platform/text.h"
#include "support/ordinary_user.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

struct Window : fixture::FinestraDiProva {
    auto shown() const {
        const Diagram& d = form.doc().diagram;
        return std::tuple{d.txtNodo,
                          d.TxtOri,
                          d.NumIncroci,
                          d.NumRegioni,
                          form.doc().NomeFileNodo,
                          form.doc().storia.NumStato};
    }
};

std::string contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TEST(FileRefusal, UnusableKnotFilesAreRefusedWithTheirReasonAndTheDiagramStays) {
    const fs::path dir = fs::temp_directory_path() / ("trevalon_refusal_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "folder.gau");
    ASSERT_EQ(::mkfifo((dir / "pipe.gau").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "zero.gau");
    std::ofstream(dir / "big.gau", std::ios::binary) << "GaussCode=1,-2,3,-1,2,-3\n";
    fs::resize_file(dir / "big.gau", 70u * 1024u * 1024u);  // sparse

    const std::string missing = (dir / "missing.gau").string();
    const std::string longPart = (dir / (std::string(300, 'k') + ".gau")).string();
    std::string deep;
    while (deep.size() < 4200) deep += "folder/";
    const std::string longPath = (dir / deep / "k.gau").string();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {missing, "File not found:" + missing},
        {(dir / "folder.gau").string(), (dir / "folder.gau").string() + " is a folder"},
        {(dir / "pipe.gau").string(), (dir / "pipe.gau").string() + " is not a regular file"},
        {(dir / "zero.gau").string(), (dir / "zero.gau").string() + " is not a regular file"},
        {(dir / "big.gau").string(), (dir / "big.gau").string() + " is too large: 70 MB, at most 64 MB"},
        // Names the system refuses as too long: a part longer than a folder takes, a whole path longer than
        // the system takes. Not missing files.
        {longPart, "The name is too long for the system: " + citazione(longPart)},
        {longPath, "The name is too long for the system: " + citazione(longPath)},
    };
    Window w;
    ASSERT_TRUE(ApriGen(w.form.contesto(), w.form.vista(),
                        (fs::path(TREVALON_SOURCE_DIR) / "Knots" / "Trefoil.gau").string()));
    const auto before = w.shown();
    for (const auto& [path, message] : cases) {
        SCOPED_TRACE(path);
        for (bool throughDialog : {true, false}) {
            w.ui.messages.clear();
            if (throughDialog) {
                w.ui.openAnswers.push_back(path);
                w.form.tlb1_ButtonClick("ApriG");
            } else {
                EXPECT_FALSE(ApriGau(w.form.contesto(), w.form.vista(), path));
            }
            EXPECT_EQ(w.ui.messages, std::vector<std::string>{message});
            EXPECT_EQ(w.shown(), before);
        }
    }

    // A save that cannot be completed: the message gives the system's reason; the old file is kept.
    const fs::path saved = dir / "saved.kno";
    std::ofstream(saved, std::ios::binary) << "old";
    w.ui.messages.clear();
    const std::string nowhere = (dir / "no such folder" / "x.kno").string();
    EXPECT_FALSE(SalvaDatblDis(w.form.contesto(), nowhere));
    EXPECT_EQ(w.ui.messages, std::vector<std::string>{"The file could not be written: " + nowhere +
                                                      ": No such file or directory"});
    EXPECT_FALSE(SalvaDatblDis(w.form.contesto(), (dir / "folder.gau").string()));
    EXPECT_EQ(contents(saved), "old");
    EXPECT_TRUE(SalvaDatblDis(w.form.contesto(), saved.string()));
    EXPECT_EQ(contents(saved).rfind("GaussCode=", 0), 0u);
    EXPECT_EQ(w.shown(), before);
    fs::remove_all(dir);
}

// A knot file its owner made read-only, chosen in "Salva"'s dialog by an ordinary user: it is not
// replaced, one message says it is read-only, the save reports no success, and the diagram stays.
TEST(FileRefusal, AReadOnlyKnotFileIsNotReplacedBySalva) {
    const fs::path dir = fs::temp_directory_path() / ("trevalon_read_only_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path file = dir / "trefoil.kno";
    std::ofstream(file, std::ios::binary) << "GaussCode=1,-2,3,-1,2,-3\r\nIndices=1,1,1\r\n";
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    const std::string prima = contents(file);
    Window w;
    ASSERT_TRUE(ApriGen(w.form.contesto(), w.form.vista(),
                        (fs::path(TREVALON_SOURCE_DIR) / "Knots" / "Trefoil.gau").string()));
    ASSERT_TRUE(Salvastato(w.form.contesto(), w.form.vista()));  // a step, which "Salva" is on for
    ASSERT_TRUE(w.ui.commandEnabled("Salva"));
    const auto before = w.shown();
    const testsupport::EsitoUtenteComune e = testsupport::comeUtenteComune({dir, file}, [&] {
        std::string detto;
        w.ui.messages.clear();
        w.ui.saveAnswers.push_back(file.string());
        w.form.tlb1_ButtonClick("Salva");
        for (const std::string& m : w.ui.messages) detto += m + "\n";
        w.ui.messages.clear();
        w.ui.saveAnswers.push_back(file.string());
        detto += SalvaDatblDis(w.form.contesto(), "") ? "saved\n" : "not saved\n";
        for (const std::string& m : w.ui.messages) detto += m + "\n";
        if (w.shown() != before) detto += "the diagram changed\n";
        return detto;
    });
    ASSERT_EQ(e.errore, "");
    const std::string messaggio = "The file could not be written: " + file.string() + ": it is read-only\n";
    EXPECT_EQ(e.risposta, messaggio + "not saved\n" + messaggio);
    EXPECT_EQ(contents(file), prima);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace trevalon
