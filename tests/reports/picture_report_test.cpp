#include "reports/picture_report.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace trevalon {
namespace {

namespace fs = std::filesystem;

const ApproxTextMeasure kMeasure;

// A program folder of its own with an empty "report" folder in it, removed at the end.
struct Cartella {
    fs::path programma;
    fs::path report;
    explicit Cartella(const std::string& name, const std::string& reportName = "report") {
        programma =
            fs::temp_directory_path() / ("trevalon_report_" + name + "_" + std::to_string(::getpid()));
        fs::remove_all(programma);
        report = programma / reportName;
        fs::create_directories(report);
    }
    ~Cartella() {
        std::error_code ec;
        fs::remove_all(programma, ec);
    }
    // The header of a GIF picture of `w` by `h` pixels: all the report reads of it.
    void gif(const std::string& name, int w = 40, int h = 20) const {
        std::ofstream out(report / name, std::ios::binary);
        out << "GIF89a" << static_cast<char>(w & 0xFF) << static_cast<char>(w >> 8)
            << static_cast<char>(h & 0xFF) << static_cast<char>(h >> 8) << std::string(3, '\0');
    }
};

std::vector<PagePicture> immagini(const Page& page) {
    std::vector<PagePicture> out;
    for (const PageItem& item : page.items)
        if (const auto* p = std::get_if<PagePicture>(&item)) out.push_back(*p);
    return out;
}

bool scrive(const Page& page, const std::string& text) {
    for (const PageItem& item : page.items)
        if (const auto* t = std::get_if<PageText>(&item); t && t->text == text) return true;
    return false;
}

std::string nome(const PagePicture& p) {
    return fs::path(p.path).filename().string();
}

TEST(PictureReport, NoPicturesGiveAMessageAndNoDocument) {
    Cartella c("vuota");
    Result<PageDocument> doc = GenerareportCompl1pg(c.report, kMeasure);
    ASSERT_FALSE(doc);
    EXPECT_EQ(doc.error(), "No pictures in report");
    std::ofstream(c.report / "notes.txt") << "x";
    EXPECT_EQ(GenerareportCompl1pg(c.report, kMeasure).error(), "No pictures in report");
    EXPECT_EQ(GenerareportCompl1pg(c.programma / "missing", kMeasure).error(), "No pictures in report");
    // A file that only has the name of a picture names itself.
    std::ofstream(c.report / "bad.gif") << "not a picture";
    c.gif("good.gif");
    doc = GenerareportCompl1pg(c.report, kMeasure);
    ASSERT_FALSE(doc);
    EXPECT_NE(doc.error().find("bad.gif"), std::string::npos);
}

TEST(PictureReport, ListsTheFolderWithoutRegardToCaseInCharacterOrder) {
    Cartella c("maiuscole", "Report");
    ASSERT_EQ(cartellaReport(c.programma), c.report);
    EXPECT_FALSE(cartellaReport(c.report));
    for (const char* n : {"b.gif", "S1.GIF", "a.gif", "c.GiF"}) c.gif(n);
    EXPECT_EQ(elencoImmaginiReport(c.report),
              (std::vector<std::string>{"S1.GIF", "a.gif", "b.gif", "c.GiF"}));
    // S1.GIF is the first picture: drawn on the title page, without a page for the second part.
    const Result<PageDocument> doc = GenerareportCompl1pg(c.report, kMeasure);
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->pageCount(), 4);
    EXPECT_TRUE(scrive(doc->pages()[0], "PARTE 1"));
    EXPECT_TRUE(scrive(doc->pages()[0], "Significato dei colori:"));
    EXPECT_EQ(nome(immagini(doc->pages()[0]).at(0)), "S1.GIF");
    EXPECT_EQ(nome(immagini(doc->pages()[3]).at(0)), "c.GiF");
    for (const Page& p : doc->pages()) EXPECT_FALSE(scrive(p, "PARTE 2"));
}

TEST(PictureReport, SecondPartAndBlankPagesFollowTheNames) {
    Cartella c("parti");
    for (const char* n : {"01.gif", "02.gif", "s1.gif", "s2.gif", "0-a.gif", "00.GIF", "00.gif"}) c.gif(n);
    // 0-a, 00.GIF, 00.gif, 01, 02, the second part's title, s1, s2.
    const Result<PageDocument> doc = GenerareportCompl1pg(c.report, kMeasure);
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->pageCount(), 8);
    EXPECT_EQ(nome(immagini(doc->pages()[0]).at(0)), "0-a.gif");
    EXPECT_TRUE(doc->pages()[1].items.empty());  // "00.GIF" only turns the page
    EXPECT_EQ(nome(immagini(doc->pages()[2]).at(0)), "00.gif");
    EXPECT_EQ(nome(immagini(doc->pages()[4]).at(0)), "02.gif");
    EXPECT_TRUE(scrive(doc->pages()[5], "PARTE 2"));
    EXPECT_TRUE(scrive(doc->pages()[5], "Componenti connesse "));
    EXPECT_TRUE(immagini(doc->pages()[5]).empty());
    EXPECT_EQ(nome(immagini(doc->pages()[6]).at(0)), "s1.gif");
    EXPECT_EQ(nome(immagini(doc->pages()[7]).at(0)), "s2.gif");
}

TEST(PictureReport, PicturesKeepTheirProportionsAndStayOnTheirPage) {
    Cartella c("proporzioni");
    c.gif("1.gif", 200, 100);   // 3000 x 1500 twips at its own size
    c.gif("2.gif", 100, 50);    // widened to the page
    c.gif("3.gif", 100, 1000);  // too tall once widened
    c.gif("4.gif", 5000, 100);  // wider than the title page
    const Result<PageDocument> doc = GenerareportCompl1pg(c.report, kMeasure);
    ASSERT_TRUE(doc);
    const int larghezza = doc->printableWidth();
    const PagePicture p1 = immagini(doc->pages()[0]).at(0);
    EXPECT_EQ(p1.width, 3000);
    EXPECT_EQ(p1.height, 1500);
    EXPECT_EQ(p1.x, doc->margins().left + (larghezza - 3000) / 2);
    const PagePicture p2 = immagini(doc->pages()[1]).at(0);
    EXPECT_EQ(p2.width, larghezza);
    EXPECT_NEAR(p2.height, larghezza / 2, 1);
    const PagePicture p3 = immagini(doc->pages()[2]).at(0);
    EXPECT_LE(p3.y + p3.height, doc->pageHeight() - doc->margins().bottom);
    EXPECT_NEAR(p3.width * 10, p3.height, 10);
    const PagePicture p4 = immagini(doc->pages()[3]).at(0);
    EXPECT_EQ(p4.width, larghezza);
    EXPECT_NEAR(p4.height * 50, p4.width, 50);
    for (const Page& page : doc->pages())
        for (const PagePicture& p : immagini(page)) {
            EXPECT_GE(p.x, doc->margins().left);
            EXPECT_LE(p.x + p.width, doc->pageWidth() - doc->margins().right);
        }
}

TEST(PictureReport, MoreThanAThousandPicturesAllHaveTheirPage) {
    Cartella c("molte");
    char name[32];
    for (int i = 1; i <= 1200; ++i) {
        std::snprintf(name, sizeof name, "p%04d.gif", i);
        c.gif(name);
    }
    const Result<PageDocument> doc = GenerareportCompl1pg(c.report, kMeasure);
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->pageCount(), 1200);
    EXPECT_EQ(nome(immagini(doc->pages()[1199]).at(0)), "p1200.gif");
}

}  // namespace
}  // namespace trevalon
