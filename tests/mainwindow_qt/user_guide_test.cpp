#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

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

// The text of the guide's PDF as a reader sees it, every run of blanks and line ends one blank.
std::string testoDelPdf(const fs::path& pdf) {
    const std::string comando = "pdftotext -enc UTF-8 '" + pdf.string() + "' - 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> p(popen(comando.c_str(), "r"), pclose);
    std::string grezzo;
    if (!p) return grezzo;
    std::array<char, 4096> buf{};
    for (std::size_t n; (n = std::fread(buf.data(), 1, buf.size(), p.get())) > 0;)
        grezzo.append(buf.data(), n);
    // The typeset ligatures read as their letters.
    for (const auto& [legatura, lettere] : {std::pair<std::string, std::string>{"\xEF\xAC\x81", "fi"},
                                            {"\xEF\xAC\x82", "fl"},
                                            {"\xEF\xAC\x80", "ff"}})
        for (std::size_t at; (at = grezzo.find(legatura)) != std::string::npos;)
            grezzo.replace(at, legatura.size(), lettere);
    std::string out;
    for (char ch : grezzo) {
        const bool vuoto = ch == ' ' || ch == '\n' || ch == '\r' || ch == '\t' || ch == '\f';
        if (!vuoto)
            out += ch;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    }
    return out;
}

// The guide's PDF says what its source says: every heading and every table row is printed as such (a row
// that left its table would be printed as raw "| ... |" text), and text the source escapes is printed as
// it is meant.
TEST(UserGuide, ThePdfReadsBackAsItsSource) {
    const std::string testo = testoDelPdf(TREVALON_GUIDE_PDF);
    ASSERT_FALSE(testo.empty()) << "pdftotext (poppler-utils) could not read " << TREVALON_GUIDE_PDF;
    std::ifstream in(fs::path(TREVALON_SOURCE_DIR) / "Documentation" / "Documentation.md");
    ASSERT_TRUE(in);
    int titoli = 0, righe = 0;
    for (std::string riga; std::getline(in, riga);) {
        if (riga.rfind("## ", 0) == 0) {
            ++titoli;
            EXPECT_NE(testo.find(riga.substr(3)), std::string::npos) << riga;
        }
        if (riga.rfind("| ", 0) == 0 && riga.find("---") == std::string::npos) {
            // A table row: its cells printed, and no bar of the source's table markup.
            ++righe;
            const std::size_t fine = riga.find(" |", 2);
            const std::string primaCella = riga.substr(2, fine - 2);
            EXPECT_NE(testo.find(primaCella), std::string::npos) << riga;
            EXPECT_EQ(testo.find("| " + primaCella), std::string::npos) << riga;
        }
    }
    EXPECT_GT(titoli, 5);
    EXPECT_GT(righe, 15);
    EXPECT_EQ(testo.find("|---"), std::string::npos);
    // The developers' listing format, with its underscores.
    EXPECT_NE(testo.find(R"("_", number, "_", the number of the diagram it came from)"), std::string::npos);
    // The search's message keeps its two blanks in the source; the reader sees the words.
    EXPECT_NE(testo.find("No move was found"), std::string::npos);
}

}  // namespace
}  // namespace trevalon
