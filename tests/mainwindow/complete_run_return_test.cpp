// After a complete run the window shows its start step again, either kept from before the run or laid out
// anew: in both cases the tables and the picture are those a fresh build of the step gives.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "mainwindow/complete_run.h"
#include "mainwindow/form2.h"
#include "mainwindow/history.h"
#include "mainwindow/install_knot.h"
#include "mainwindow/move_adapter.h"
#include "mainwindow/open_knot.h"
#include "mainwindow/program_context.h"
#include "model/knot_files.h"
#include "platform/headless_ui.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

// The main grid's pictures, texts and tile names.
std::uint64_t figura(const Form2& f) {
    std::uint64_t h = 1469598103934665603ull;
    auto mescola = [&h](std::uint64_t v) { h = (h ^ v) * 1099511628211ull; };
    const GridControl& g = f.vista().Gr;
    mescola(static_cast<std::uint64_t>(g.rows()) << 32 | static_cast<std::uint32_t>(g.cols()));
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c) {
            const PictureRef p = g.picture(r, c);
            if (p.empty() && g.text(r, c).empty()) continue;
            mescola(static_cast<std::uint64_t>(r) << 32 | static_cast<std::uint32_t>(c));
            mescola(static_cast<std::uint64_t>(p.palette) << 32 | static_cast<std::uint64_t>(p.set) << 16 |
                    static_cast<std::uint16_t>(p.index));
            for (char ch : g.text(r, c)) mescola(static_cast<unsigned char>(ch));
            for (char ch : f.vista().Tbltt.get(r, c)) mescola(static_cast<unsigned char>(ch));
        }
    return h;
}

struct Finestra {
    ProgramContext ctx;
    ScriptedUi ui;
    std::unique_ptr<Form2> form = std::make_unique<Form2>(ctx, ui);
    explicit Finestra(const fs::path& file) {
        form->Form_Load();
        form->Form_Activate();
        aperto = ApriGen(form->contesto(), form->vista(), file.string());
    }
    bool aperto = false;
};

// Runs the complete simplification on the open window, then checks that it shows step 0 as a build of
// step 0 shows it.
void corsaETornata(Finestra& w, const std::string& nome) {
    SCOPED_TRACE(nome);
    Form2& f = *w.form;
    FinestraForm2 finestra(f);
    const EsitoCorsa e = AzioneCompleta(f, finestra, nullptr);
    ASSERT_GT(e.ultimoPasso, 0) << "the run simplified nothing";
    ASSERT_EQ(f.doc().storia.NumStato, 0);
    const std::uint64_t tabelleDopo = improntaDiagramma(f.doc().diagram, f.vista().layout),
                        figuraDopo = figura(f);
    EXPECT_EQ(f.doc().diagram.txtNodo, f.doc().storia.passo(0).Codice);
    EXPECT_EQ(f.doc().diagram.TxtOri, f.doc().storia.passo(0).Ori);
    ASSERT_EQ(CmdTutto_Click(f.contesto(), f.vista()), EsitoCostruzione::Costruito);
    EXPECT_EQ(tabelleDopo, improntaDiagramma(f.doc().diagram, f.vista().layout));
    EXPECT_EQ(figuraDopo, figura(f));
}

TEST(CompleteRunReturn, TheStartStepIsShownAsAFreshBuildShowsIt) {
    std::vector<fs::path> files = {fs::path(TREVALON_SOURCE_DIR) / "Knots" / "Unknot40.gau",
                                   fs::path(TREVALON_SOURCE_DIR) / "Knots" / "UnknotCurls.gau",
                                   fs::path(TREVALON_TEST_DATA) / "model" / "braid_100.gau"};
    const fs::path generato =
        fs::temp_directory_path() / ("trevalon_return_" + std::to_string(::getpid()) + ".gau");
    const auto g = testsupport::randomUnknot(2, 200);
    std::ofstream(generato, std::ios::binary)
        << testoFileGaussCode(testsupport::gaussText(g), testsupport::lettersText(g));
    files.push_back(generato);
    for (const fs::path& file : files) {
        Finestra w(file);
        ASSERT_TRUE(w.aperto) << file;
        corsaETornata(w, file.filename().string());
    }
    std::error_code ec;
    fs::remove(generato, ec);
}

// A start diagram changed after it was built (as the developer panel may change it) is not kept: the
// return lays the step out again.
TEST(CompleteRunReturn, AStartDiagramChangedSinceItsBuildIsLaidOutAgain) {
    Finestra w(fs::path(TREVALON_SOURCE_DIR) / "Knots" / "Unknot40.gau");
    ASSERT_TRUE(w.aperto);
    Diagram& d = w.form->doc().diagram;
    CellaNodo& x = d.TblNodo.at(d.limiti.RigaMin - 1, d.limiti.ColMin - 1);
    x.Tipo = 'A';
    x.Numero = 1;
    corsaETornata(w, "Unknot40.gau changed");
    EXPECT_EQ(w.form->doc().diagram.TblNodo.at(d.limiti.RigaMin - 1, d.limiti.ColMin - 1).Tipo, 0);
}

}  // namespace
}  // namespace trevalon
