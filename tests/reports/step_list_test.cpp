#include "reports/step_list.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "platform/headless_ui.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

// The text of one member of a zip file, through the unzip tool; empty when it cannot be read.
std::string zipMember(const fs::path& zip, const std::string& member) {
    const std::string cmd = "unzip -p '" + zip.string() + "' '" + member + "' 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(cmd.c_str(), "r"), pclose);
    if (!pipe) return {};
    std::string out;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, pipe.get())) > 0;) out.append(buf, n);
    return out;
}

class TempDir {
  public:
    TempDir() {
        path_ = fs::temp_directory_path() /
                ("trevalon-steplist-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
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

TEST(StepList, GridHasTheFourColumnsAndOneRowPerStep) {
    ScriptedUi ui;
    ViewerAnswer esito = ViewerAnswer::Sel;
    FrmLista lista(ui, ui);
    lista.Form_Load(&esito);
    EXPECT_EQ(esito, ViewerAnswer::None);
    ASSERT_EQ(lista.GrLis.cols(), 4);
    EXPECT_EQ(lista.rowCount(), 0);
    EXPECT_EQ(lista.GrLis.text(0, 2), "Gauss Code");
    EXPECT_EQ(lista.colKey(2), "Gauss");

    // A run that found no move: one row, step 0.
    lista.AggiungiPasso(0, "1-2+3-1+2-3+", "OOO");
    lista.Concludi();
    ASSERT_EQ(lista.rowCount(), 1);
    EXPECT_EQ(lista.GrLis.text(1, 0), "0");
    EXPECT_EQ(lista.GrLis.text(1, 1), "3");
    EXPECT_EQ(lista.GrLis.text(1, 2), "1,-2,3,-1,2,-3");
    EXPECT_EQ(lista.GrLis.text(1, 3), "1,1,1");
    EXPECT_EQ(lista.GrLis.style(1, 2).alignment, CellAlign::LeftCenter);

    FrmLista three = filledList(ui);
    ASSERT_EQ(three.rowCount(), 3);
    EXPECT_EQ(three.GrLis.text(2, 0), "1");
    EXPECT_EQ(three.GrLis.text(2, 1), "2");
    EXPECT_EQ(three.GrLis.text(2, 2), "");  // no code: the cell stays empty
    EXPECT_EQ(three.GrLis.text(2, 3), "1,-1");
    EXPECT_EQ(three.GrLis.text(3, 2), "-1,1");
    EXPECT_TRUE(three.GrLis.redraw());
    EXPECT_EQ(three.GrLis.topRow(), 3);  // the last row in view
}

TEST(StepList, CaptionTimeAndProposedExportName) {
    EXPECT_EQ(captionLista("/home/u/Knots/trefoil.kno"), "trefoil");
    EXPECT_EQ(captionLista("C:\\Knots\\BIG.KNO"), "BIG");
    EXPECT_EQ(captionLista("/k/eight.gau"), "eight.gau");
    EXPECT_EQ(captionLista("plain"), "plain");

    EXPECT_EQ(propostaNomeXls("/k/x.kno", 12), "/k/x_S12.xlsx");
    EXPECT_EQ(propostaNomeXls("/k/x.KNO", 3), "/k/x_S3.XLSX");
    // A knot opened from a Gauss-code file never proposes the knot file itself.
    EXPECT_EQ(propostaNomeXls("/k/five.gau", 4), "/k/five_S4.xlsx");
    EXPECT_EQ(propostaNomeXls("/k/v1.2/noext", 0), "/k/v1.2/noext_S0.xlsx");
    EXPECT_EQ(propostaNomeXls("", 2), "");

    ScriptedUi ui;
    FrmLista lista(ui, ui);
    lista.ImpostaCaption("/k/granny.kno");
    lista.ImpostaTempo(1.25);
    EXPECT_EQ(lista.caption, "granny");
    EXPECT_EQ(lista.p2, "Time processing sec: 1.25");
    lista.ImpostaTempo(0);
    EXPECT_EQ(lista.p2, "Time processing sec: 0");
}

TEST(StepListExport, WritesARealSpreadsheetWithTextCells) {
    TempDir dir;
    ScriptedUi ui;
    FrmLista lista = filledList(ui);
    lista.ImpostaCaption((dir.path() / "trefoil.gau").string());
    lista.NumStato = 2;

    // Cancelled: nothing written.
    ui.saveAnswers = {""};
    lista.tlb1_ButtonClick("XLS");
    EXPECT_TRUE(fs::is_empty(dir.path()));
    ASSERT_EQ(ui.calls.size(), 1u);
    EXPECT_EQ(ui.lastSaveProposal, (dir.path() / "trefoil_S2.xlsx").string());
    ASSERT_EQ(ui.lastFilters.size(), 1u);
    EXPECT_EQ(ui.lastFilters[0].patterns, std::vector<std::string>{"*.xlsx"});

    // Two exports to two names hold the same cells.
    const fs::path a = dir.path() / "a.xlsx";
    const fs::path b = dir.path() / "b";  // no extension: ".xlsx" is added
    ui.saveAnswers = {a.string(), b.string()};
    EXPECT_TRUE(lista.EsportaXls());
    EXPECT_TRUE(lista.EsportaXls());
    ASSERT_TRUE(fs::exists(a));
    ASSERT_TRUE(fs::exists(dir.path() / "b.xlsx"));
    const std::string strings = zipMember(a, "xl/sharedStrings.xml");
    ASSERT_FALSE(strings.empty()) << "the export is not a zip with shared strings";
    EXPECT_NE(strings.find("<t>Gauss Code</t>"), std::string::npos);
    EXPECT_NE(strings.find("<t>Indices</t>"), std::string::npos);
    EXPECT_NE(strings.find("<t>1,-2,3,-1,2,-3</t>"), std::string::npos);
    EXPECT_NE(strings.find("<t>1,1,1</t>"), std::string::npos);
    EXPECT_NE(strings.find("<t>-1,1</t>"), std::string::npos);
    const std::string sheet = zipMember(a, "xl/worksheets/sheet1.xml");
    // The Gauss code of step 0 (C2) is a shared-string cell, the step (A2) a number.
    EXPECT_NE(sheet.find("<c r=\"C2\" t=\"s\">"), std::string::npos) << sheet;
    EXPECT_NE(sheet.find("<c r=\"A2\"><v>0</v>"), std::string::npos) << sheet;
    EXPECT_EQ(sheet.find("r=\"C3\""), std::string::npos);  // the empty code of step 1
    EXPECT_EQ(strings, zipMember(dir.path() / "b.xlsx", "xl/sharedStrings.xml"));
    EXPECT_EQ(sheet, zipMember(dir.path() / "b.xlsx", "xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(StepListExport, NeverOverwritesTheKnotFileAndReportsFailures) {
    TempDir dir;
    const fs::path knot = dir.path() / "k.gau";
    std::ofstream(knot) << "GaussCode=1,-2,3,-1,2,-3\r\nIndices=1,1,1\r\n";
    ScriptedUi ui;
    FrmLista lista = filledList(ui);
    lista.ImpostaCaption(knot.string());
    ui.saveAnswers = {knot.string()};
    EXPECT_FALSE(lista.EsportaXls());
    ASSERT_EQ(ui.messages.size(), 1u);
    std::ifstream in(knot);
    std::stringstream kept;
    kept << in.rdbuf();
    EXPECT_EQ(kept.str(), "GaussCode=1,-2,3,-1,2,-3\r\nIndices=1,1,1\r\n");

    ui.saveAnswers = {(dir.path() / "missing-folder" / "x.xlsx").string()};
    EXPECT_FALSE(lista.EsportaXls());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].rfind("Export failed: ", 0), 0u);
}

}  // namespace
}  // namespace trevalon
