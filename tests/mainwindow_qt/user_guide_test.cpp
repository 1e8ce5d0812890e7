#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "mainwindow/form2.h"
#include "platform/headless_ui.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

// The guide is written by the build beside the program, where "Documentation" opens it: a PDF of more
// than one page.
TEST(UserGuide, TheBuildWritesTheGuideWhereTheProgramOpensIt) {
    const fs::path pdf = TREVALON_GUIDE_PDF;
    ProgramContext ctx;
    ctx.programFolder = pdf.parent_path().parent_path();
    AutomaticUi ui;
    Form2 f(ctx, ui);
    EXPECT_EQ(f.documentationPath(), pdf);
    std::ifstream in(pdf, std::ios::binary);
    ASSERT_TRUE(in) << pdf;
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string s = bytes.str();
    EXPECT_EQ(s.rfind("%PDF-", 0), 0u);
    EXPECT_NE(s.find("%%EOF", s.size() > 1024 ? s.size() - 1024 : 0), std::string::npos);
    int pages = 0;
    for (std::size_t at = s.find("/Type /Page"); at != std::string::npos; at = s.find("/Type /Page", at + 1))
        if (s.compare(at, 12, "/Type /Pages") != 0) ++pages;
    EXPECT_GT(pages, 1);
}

}  // namespace
}  // namespace trevalon
