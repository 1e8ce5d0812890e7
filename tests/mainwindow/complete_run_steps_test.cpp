// The complete run's step list on sample knots, generated braid closures and minimal torus-braid closures
// is the one recorded in tests/data/runs (each NAME.steps holds the step and message lines that
// `trevalon-bench run FILE --steps` prints). Horizontal steps depend on the order in which the search files
// the diagrams it reaches, so any change to that order shows here.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "mainwindow/complete_run.h"
#include "mainwindow/form2.h"
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

const fs::path kRuns = fs::path(TREVALON_TEST_DATA) / "runs";

// The knot file a recorded list belongs to: "knots_NAME" is a sample of Knots/, "model_NAME" one of
// tests/data/model/, anything else a file of the runs folder itself.
fs::path fileDi(const std::string& nome) {
    if (nome.rfind("knots_", 0) == 0)
        return fs::path(TREVALON_SOURCE_DIR) / "Knots" / (nome.substr(6) + ".gau");
    if (nome.rfind("model_", 0) == 0)
        return fs::path(TREVALON_TEST_DATA) / "model" / (nome.substr(6) + ".gau");
    return kRuns / (nome + ".gau");
}

// The step and message lines of a complete run on the file, as `trevalon-bench run --steps` prints them.
std::string listaPassi(const fs::path& file) {
    ProgramContext ctx;
    ScriptedUi ui;
    auto form = std::make_unique<Form2>(ctx, ui);
    form->Form_Load();
    form->Form_Activate();
    if (!ApriGen(form->contesto(), form->vista(), file.string())) return "cannot open " + file.string();
    FinestraForm2 w(*form);
    const std::size_t messaggiPrima = ui.messages.size();
    const EsitoCorsa e = AzioneCompleta(*form, w, nullptr);
    std::ostringstream out;
    for (int i = 0; i <= e.ultimoPasso; ++i) {
        const Stato& s = form->doc().storia.passo(i);
        out << "  step " << i << '\t' << s.Ori.size() << '\t' << valoreGaussCode(s.Codice) << '\t'
            << valoreIndices(s.Ori) << '\n';
    }
    for (std::size_t k = messaggiPrima; k < ui.messages.size(); ++k)
        out << "  message\t" << ui.messages[k] << '\n';
    return out.str();
}

std::vector<std::string> listeRegistrate() {
    std::vector<std::string> nomi;
    for (const auto& voce : fs::directory_iterator(kRuns))
        if (voce.path().extension() == ".steps") nomi.push_back(voce.path().stem().string());
    std::sort(nomi.begin(), nomi.end());
    return nomi;
}

TEST(CompleteRunSteps, EveryRecordedRunGivesTheSameStepList) {
    const auto nomi = listeRegistrate();
    ASSERT_GE(nomi.size(), 30u);
    for (const std::string& nome : nomi) {
        SCOPED_TRACE(nome);
        std::ifstream in(kRuns / (nome + ".steps"), std::ios::binary);
        const std::string atteso((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(atteso.empty());
        EXPECT_EQ(listaPassi(fileDi(nome)), atteso);
    }
}

// "Cancel" while the look-ahead examines the tree's records side by side: the window's events keep being
// served, the request is answered before another record is filed, and the run ends with no move and
// without the message of a search that found nothing.
TEST(CompleteRunSteps, CancelDuringTheTreeSearchEndsTheRunAtOnce) {
    ProgramContext ctx;
    ScriptedUi ui;
    auto form = std::make_unique<Form2>(ctx, ui);
    form->Form_Load();
    form->Form_Activate();
    ASSERT_TRUE(ApriGen(form->contesto(), form->vista(), (kRuns / "torus_3_11.gau").string()));
    FinestraForm2 w(*form);
    const AlberoOrizzontale& t = w.albero();
    // Pressed at the first yield after 2000 records: the yields come while the records are examined.
    long cursoreAllaRichiesta = -1;
    ui.onYield = [&] {
        if (cursoreAllaRichiesta < 0 && t.CursoreListaUg > 2000) {
            cursoreAllaRichiesta = t.CursoreListaUg;
            form->contesto().RichiestaStop.richiedi();
        }
    };
    const std::size_t messaggiPrima = ui.messages.size();
    const EsitoCorsa e = AzioneCompleta(*form, w, nullptr);
    ASSERT_GE(cursoreAllaRichiesta, 0) << "the search ended before the request";
    EXPECT_TRUE(e.fermata);
    EXPECT_EQ(e.ultimoPasso, e.passoIniziale);
    EXPECT_LE(t.CursoreListaUg, cursoreAllaRichiesta + 1);
    EXPECT_LT(t.CursoreListaUg, t.NumListaUg());
    EXPECT_EQ(ui.messages.size(), messaggiPrima);
}

// A run whose search fills its tree without finding a move says, beside "no move", that the search stopped
// at that limit: a move may lie beyond it. The closure of (s1 s2 s3 s4)^6 has no move within 500,000
// diagrams; a run that looked at every diagram (torus_4_5) says nothing of a limit.
TEST(CompleteRunSteps, ARunEndedByTheTreeLimitNamesIt) {
    const fs::path pieno =
        fs::temp_directory_path() / ("trevalon_tree_limit_" + std::to_string(getpid()) + ".gau");
    {
        testsupport::BraidWord parola;
        for (int k = 0; k < 6; ++k) parola.insert(parola.end(), {1, 2, 3, 4});
        std::ofstream(pieno, std::ios::binary)
            << testsupport::gauFileText(testsupport::braidClosure(5, parola));
    }
    struct Caso {
        fs::path file;
        std::string messaggio;
    };
    const std::string nessuno = "No simplifying move was found: the diagram stays as it is.";
    const Caso casi[] = {
        {pieno, nessuno + "\n\nThe search ended at a limit before it had looked at every diagram: "
                          "search tree full (500,000 diagrams)."},
        {kRuns / "torus_4_5.gau", nessuno},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.file.filename().string());
        ProgramContext ctx;
        ScriptedUi ui;
        auto form = std::make_unique<Form2>(ctx, ui);
        form->Form_Load();
        form->Form_Activate();
        ASSERT_TRUE(ApriGen(form->contesto(), form->vista(), c.file.string()));
        FinestraForm2 w(*form);
        const std::size_t messaggiPrima = ui.messages.size();
        const EsitoCorsa e = AzioneCompleta(*form, w, nullptr);
        EXPECT_EQ(e.fine, FineCorsa::NessunaMossa);
        EXPECT_EQ(e.ultimoPasso, e.passoIniziale);
        ASSERT_EQ(ui.messages.size(), messaggiPrima + 1);
        EXPECT_EQ(ui.messages.back(), c.messaggio);
    }
    fs::remove(pieno);
}

}  // namespace
}  // namespace trevalon
