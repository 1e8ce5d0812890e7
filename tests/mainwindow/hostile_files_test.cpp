// Files made to hurt the window: huge faulty items, a second strand with no crossing, line ends of any kind,
// codes with many faults or no plane drawing, links and special files as save targets. Each is refused
// with a short message that says what is wrong, or read and saved as it should be, and the diagram shown
// stays as it was whenever something is refused.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "form2_fixture.h"
#include "mainwindow/open_knot.h"
#include "model/knot_files.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

using fixture::campione;
using fixture::cartellaProva;
using fixture::leggi;
using fixture::scrivi;

struct Finestra : fixture::FinestraDiProva {
    Finestra() { EXPECT_TRUE(ApriGen(form.contesto(), form.vista(), campione("Trefoil.gau"))); }
    auto mostrato() {
        return std::tuple{d().txtNodo, d().TxtOri, d().NumIncroci, form.doc().NomeFileNodo, passo()};
    }
    // Opens `nome` and gives the one message shown; the diagram must stay as it was.
    std::string rifiuto(const fs::path& nome) {
        const auto prima = mostrato();
        ui.messages.clear();
        EXPECT_FALSE(ApriGen(form.contesto(), form.vista(), nome.string()));
        EXPECT_EQ(mostrato(), prima);
        EXPECT_EQ(ui.messages.size(), 1u);
        return ui.messages.empty() ? std::string() : ui.messages.back();
    }
};

TEST(HostileFiles, HugeOrManyFaultsGiveAShortMessage) {
    Finestra w;
    const std::string item = w.rifiuto(scrivi("huge.kno", "Object=" + std::string(1048576, '1')));
    EXPECT_EQ(item, "The knot file cannot be read: the \"Object=\" line of the file is faulty: item 1 \"" +
                        std::string(80, '1') +
                        "...\" (1048576 characters): it needs a row, a column and a line code.");
    // Every one of 250 crossings passed over twice: how many, the first few, then the failure.
    std::string codice = "GaussCode=", indici = "Indices=";
    for (int c = 1; c <= 250; ++c) {
        codice += (c > 1 ? "," : "") + std::to_string(c) + "," + std::to_string(c);
        indici += c > 1 ? ",1" : "1";
    }
    const std::string molti = w.rifiuto(scrivi("faults.gau", codice + "\n" + indici + "\n"));
    EXPECT_EQ(molti.rfind("Faults at 250 crossings; those of the first 5:\n", 0), 0u) << molti;
    EXPECT_TRUE(molti.ends_with(std::string("\n") + kErroreCodiceGau)) << molti;
    EXPECT_EQ(std::count(molti.begin(), molti.end(), '\n'), 6);
    // A code with no plane drawing: the reason, then the failure the window has always shown.
    const std::string piano = w.rifiuto(scrivi("plane.gau", "GaussCode=1,-2,3,-1,2,-3\nIndices=1,1,-1\n"));
    EXPECT_EQ(piano.rfind("The over/under letters cannot be drawn in the plane: ", 0), 0u) << piano;
    EXPECT_TRUE(piano.ends_with(std::string(" crossings, not 5\n") + kErroreIndiciGau)) << piano;
}

TEST(HostileFiles, ASecondStrandWithNoCrossingIsRefusedAndAnyLineEndIsRead) {
    Finestra w;
    // The trefoil and a ring of four cells far from it, as a cell drawing and as a knot source.
    const std::string oggetto = leggi(campione("Trefoil.kno"));
    const std::string anello = "40,30,7|40,31,8|41,30,6|41,31,5|";
    EXPECT_EQ(w.rifiuto(scrivi("ring.kno", oggetto.substr(0, oggetto.find_first_of("\r\n")) + anello)),
              "The drawing cannot be walked: a second strand with no crossing at row 40, column 30.");
    const std::string sorgente = leggi(campione("Trefoil.kns"));
    std::string conAnello = sorgente;
    const int righe = static_cast<int>(std::count(sorgente.begin(), sorgente.end(), '\n'));
    conAnello += "\n\n   ***\n   * *\n   ***\n";
    EXPECT_EQ(w.rifiuto(scrivi("ring.kns", conAnello)),
              "The drawing cannot be walked: a second strand with no crossing at row " +
                  std::to_string(righe + 2) + ", column 4.");
    // The knot source with its lines ended by CR alone reads as it does with LF.
    std::string soloCr = sorgente;
    soloCr.erase(std::remove(soloCr.begin(), soloCr.end(), '\n'), soloCr.end());
    ASSERT_NE(soloCr.find('\r'), std::string::npos);
    w.ui.messages.clear();
    ASSERT_TRUE(ApriGen(w.form.contesto(), w.form.vista(), scrivi("cr.kns", soloCr).string()))
        << ::testing::PrintToString(w.ui.messages);
    EXPECT_EQ(w.d().NumIncroci, 3);
}

TEST(HostileFiles, SpecialSaveTargetsAndLinks) {
    Finestra w;
    const fs::path dir = cartellaProva() / "targets";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path fifo = dir / "pipe.kno", toFifo = dir / "to_pipe.kno", loop = dir / "loop.kno",
                   dangling = dir / "dangling.kno";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink(fifo, toFifo);
    fs::create_symlink("loop.kno", loop);
    fs::create_symlink("made.kno", dangling);
    for (const auto& [target, reason] :
         std::vector<std::pair<fs::path, std::string>>{{fifo, "it is not a regular file"},
                                                       {toFifo, "it is not a regular file"},
                                                       {loop, "it is a loop of symbolic links"}}) {
        w.ui.messages.clear();
        EXPECT_FALSE(SalvaDatblDis(w.form.contesto(), target.string()));
        EXPECT_EQ(w.ui.messages, std::vector<std::string>{
                                     "The file could not be written: " + target.string() + ": " + reason});
    }
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo)));
    // Opening the loop says what it is, through the dialog too.
    w.ui.messages.clear();
    w.ui.openAnswers.push_back(loop.string());
    w.form.tlb1_ButtonClick("ApriG");
    EXPECT_EQ(w.ui.messages, std::vector<std::string>{loop.string() + " is a loop of symbolic links"});

    // Through a dangling link to the file it names; a name of 250 characters saves and opens again.
    ASSERT_TRUE(SalvaDatblDis(w.form.contesto(), dangling.string()));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dangling)));
    EXPECT_EQ(leggi(dir / "made.kno").rfind("GaussCode=", 0), 0u);
    const fs::path lungo = dir / (std::string(246, 'n') + ".kno");
    ASSERT_TRUE(SalvaDatblDis(w.form.contesto(), lungo.string())) << ::testing::PrintToString(w.ui.messages);
    EXPECT_TRUE(ApriGen(w.form.contesto(), w.form.vista(), lungo.string()));
    EXPECT_EQ(w.d().NumIncroci, 3);
    std::vector<std::string> nomi;
    for (const auto& e : fs::directory_iterator(dir)) nomi.push_back(e.path().filename().string());
    std::sort(nomi.begin(), nomi.end());
    EXPECT_EQ(nomi, (std::vector<std::string>{"dangling.kno", "loop.kno", "made.kno",
                                              lungo.filename().string(), "pipe.kno", "to_pipe.kno"}));
    fs::remove_all(dir);
}

}  // namespace
}  // namespace trevalon
