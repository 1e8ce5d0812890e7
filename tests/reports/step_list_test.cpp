#include "reports/step_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "platform/headless_ui.h"
#include "support/ordinary_user.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

// The text of one member of a zip file, through the unzip tool; empty when it cannot be read.
std::string zipMember(const fs::path& zip, const std::string& member) {
    const std::string cmd = "unzip -p '" + zip.string() + "' '" + member + "' 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(cmd.c_str(), "r"), pclose);
    std::string out;
    for (int ch; pipe && (ch = fgetc(pipe.get())) != EOF;) out += static_cast<char>(ch);
    return out;
}

struct TempDir {
    fs::path path =
        fs::temp_directory_path() /
        ("trevalon-steplist-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    TempDir() {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
};

FrmLista filledList(ScriptedUi& ui) {
    FrmLista lista(ui, ui);
    lista.Form_Load();
    lista.AggiungiPasso(0, "1-2+3-1+2-3+", "OOO");
    lista.AggiungiPasso(1, "", "OV");
    lista.AggiungiPasso(2, "1+1-", "V");
    lista.Concludi();
    return lista;
}

// One row per step: the step, the crossings, the Gauss code and the indices as comma lists; the last row in
// view.
TEST(StepList, OneRowPerStep) {
    ScriptedUi ui;
    ViewerAnswer esito = ViewerAnswer::Sel;
    FrmLista vuota(ui, ui);
    vuota.Form_Load(&esito);
    EXPECT_EQ(esito, ViewerAnswer::None);
    EXPECT_EQ(vuota.rowCount(), 0);

    FrmLista lista = filledList(ui);
    ASSERT_EQ(lista.rowCount(), 3);
    const std::vector<std::vector<std::string>> righe{
        {"0", "3", "1,-2,3,-1,2,-3", "1,1,1"}, {"1", "2", "", "1,-1"}, {"2", "1", "-1,1", "-1"}};
    for (int r = 1; r <= 3; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_EQ(lista.GrLis.text(r, c), righe[r - 1][c]) << r << "," << c;
    EXPECT_TRUE(lista.GrLis.redraw());
    EXPECT_EQ(lista.GrLis.topRow(), 3);
}

TEST(StepList, CaptionAndProposedExportName) {
    for (const auto& [file, caption] :
         std::vector<std::pair<std::string, std::string>>{{"/home/u/Knots/trefoil.kno", "trefoil"},
                                                          {"C:\\Knots\\BIG.KNO", "BIG"},
                                                          {"/k/eight.gau", "eight.gau"}})
        EXPECT_EQ(captionLista(file), caption);
    // A knot opened from a Gauss-code file never proposes the knot file itself.
    for (const auto& [file, passi, nome] :
         std::vector<std::tuple<std::string, int, std::string>>{{"/k/x.KNO", 3, "/k/x_S3.XLSX"},
                                                                {"/k/five.gau", 4, "/k/five_S4.xlsx"},
                                                                {"/k/v1.2/noext", 0, "/k/v1.2/noext_S0.xlsx"},
                                                                {"", 2, ""}})
        EXPECT_EQ(propostaNomeXls(file, passi), nome);
}

TEST(StepListExport, WritesARealSpreadsheetWithTextCells) {
    TempDir dir;
    ScriptedUi ui;
    FrmLista lista = filledList(ui);
    lista.ImpostaCaption((dir.path / "trefoil.gau").string());
    lista.NumStato = 2;

    // Cancelled: nothing written.
    ui.saveAnswers = {""};
    lista.tlb1_ButtonClick("XLS");
    EXPECT_TRUE(fs::is_empty(dir.path));
    EXPECT_EQ(ui.lastSaveProposal, (dir.path / "trefoil_S2.xlsx").string());

    // Two exports to two names hold the same cells; a name without an extension gets ".xlsx".
    const fs::path a = dir.path / "a.xlsx", b = dir.path / "b.xlsx";
    ui.saveAnswers = {a.string(), (dir.path / "b").string()};
    EXPECT_TRUE(lista.EsportaXls());
    EXPECT_TRUE(lista.EsportaXls());
    const std::string strings = zipMember(a, "xl/sharedStrings.xml");
    ASSERT_FALSE(strings.empty()) << "the export is not a zip with shared strings";
    for (const char* t : {"Gauss Code", "1,-2,3,-1,2,-3", "1,1,1", "-1,1"})
        EXPECT_NE(strings.find(std::string("<t>") + t + "</t>"), std::string::npos) << t;
    const std::string sheet = zipMember(a, "xl/worksheets/sheet1.xml");
    // The Gauss code of step 0 (C2) is a shared-string cell, the step (A2) a number.
    EXPECT_NE(sheet.find("<c r=\"C2\" t=\"s\">"), std::string::npos) << sheet;
    EXPECT_NE(sheet.find("<c r=\"A2\"><v>0</v>"), std::string::npos) << sheet;
    EXPECT_EQ(sheet.find("r=\"C3\""), std::string::npos);  // the empty code of step 1
    EXPECT_EQ(strings, zipMember(b, "xl/sharedStrings.xml"));
    EXPECT_EQ(sheet, zipMember(b, "xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(StepListExport, NeverOverwritesTheKnotFileAndReportsFailures) {
    TempDir dir;
    const fs::path knot = dir.path / "k.gau";
    std::ofstream(knot) << "GaussCode=1,-2,3,-1,2,-3\r\nIndices=1,1,1\r\n";
    ScriptedUi ui;
    FrmLista lista = filledList(ui);
    lista.ImpostaCaption(knot.string());
    ui.saveAnswers = {knot.string()};
    EXPECT_FALSE(lista.EsportaXls());
    ASSERT_EQ(ui.messages.size(), 1u);
    std::stringstream kept;
    kept << std::ifstream(knot).rdbuf();
    EXPECT_EQ(kept.str(), "GaussCode=1,-2,3,-1,2,-3\r\nIndices=1,1,1\r\n");

    ui.saveAnswers = {(dir.path / "missing-folder" / "x.xlsx").string()};
    EXPECT_FALSE(lista.EsportaXls());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].rfind("Export failed: ", 0), 0u);
}

// A spreadsheet its owner made read-only, chosen in the export's dialog by an ordinary user: it is not
// replaced, one message says it is read-only, and the export reports no success.
TEST(StepListExport, AReadOnlyFileIsNotReplaced) {
    TempDir dir;
    const fs::path xlsx = dir.path / "steps.xlsx";
    std::ofstream(xlsx, std::ios::binary) << "protected";
    ASSERT_EQ(::chmod(xlsx.c_str(), 0444), 0);
    ScriptedUi ui;
    FrmLista lista = filledList(ui);
    lista.ImpostaCaption((dir.path / "trefoil.kno").string());
    const testsupport::EsitoUtenteComune e = testsupport::comeUtenteComune({dir.path, xlsx}, [&] {
        ui.saveAnswers = {xlsx.string()};
        std::string detto = lista.EsportaXls() ? "exported\n" : "not exported\n";
        for (const std::string& m : ui.messages) detto += m + "\n";
        return detto;
    });
    ASSERT_EQ(e.errore, "");
    EXPECT_EQ(e.risposta, "not exported\nExport failed: " + xlsx.string() + " (it is read-only)\n");
    std::stringstream kept;
    kept << std::ifstream(xlsx, std::ios::binary).rdbuf();
    EXPECT_EQ(kept.str(), "protected");
}

}  // namespace
}  // namespace trevalon
