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

// The picture of a page (its file name), "text:" and the page's first line, or "" for an empty page.
std::string pagina(const Page& page) {
    for (const PageItem& item : page.items)
        if (const auto* p = std::get_if<PagePicture>(&item)) return fs::path(p->path).filename().string();
    if (page.items.empty()) return "";
    return "text:" + std::get<PageText>(page.items[0]).text;
}

std::vector<std::string> pagine(const PageDocument& doc) {
    std::vector<std::string> out;
    for (const Page& p : doc.pages()) out.push_back(pagina(p));
    return out;
}

TEST(PictureReport, NoPicturesGiveAMessageAndABadPictureNamesItself) {
    Cartella c("vuota");
    EXPECT_EQ(GenerareportCompl1pg(c.report, kMeasure).error(), "No pictures in report");
    std::ofstream(c.report / "notes.txt") << "x";
    EXPECT_EQ(GenerareportCompl1pg(c.report, kMeasure).error(), "No pictures in report");
    EXPECT_EQ(GenerareportCompl1pg(c.programma / "missing", kMeasure).error(), "No pictures in report");
    std::ofstream(c.report / "bad.gif") << "not a picture";
    c.gif("good.gif");
    EXPECT_NE(GenerareportCompl1pg(c.report, kMeasure).error().find("bad.gif"), std::string::npos);
}

TEST(PictureReport, PagesFollowTheNamesListedWithoutRegardToCase) {
    Cartella c("nomi", "Report");
    ASSERT_EQ(cartellaReport(c.programma), c.report);
    for (const char* n : {"b.gif", "S1.GIF", "a.gif", "c.GiF"}) c.gif(n);
    // S1.GIF sorts first, so it is the first picture, on the title page, and opens no second part.
    Result<PageDocument> doc = GenerareportCompl1pg(c.report, kMeasure);
    ASSERT_TRUE(doc);
    EXPECT_EQ(pagine(*doc), (std::vector<std::string>{"S1.GIF", "a.gif", "b.gif", "c.GiF"}));

    Cartella d("parti");
    for (const char* n : {"01.gif", "02.gif", "s1.gif", "s2.gif", "0-a.gif", "00.GIF", "00.gif"}) d.gif(n);
    doc = GenerareportCompl1pg(d.report, kMeasure);
    ASSERT_TRUE(doc);
    // "00.GIF" only turns the page; "00.gif" is a picture like any other.
    EXPECT_EQ(pagine(*doc), (std::vector<std::string>{"0-a.gif", "", "00.gif", "01.gif", "02.gif",
                                                      "text:PARTE 2", "s1.gif", "s2.gif"}));
}

TEST(PictureReport, PicturesKeepTheirProportionsOnTheirPage) {
    Cartella c("proporzioni");
    c.gif("1.gif", 200, 100);   // 3000 x 1500 twips at its own size
    c.gif("2.gif", 100, 50);    // widened to the page
    c.gif("3.gif", 100, 1000);  // too tall once widened
    const Result<PageDocument> doc = GenerareportCompl1pg(c.report, kMeasure);
    ASSERT_TRUE(doc);
    const auto immagine = [&](int page) { return std::get<PagePicture>(doc->pages()[page].items.back()); };
    const int larghezza = doc->printableWidth();
    EXPECT_EQ(immagine(0).width, 3000);
    EXPECT_EQ(immagine(0).height, 1500);
    EXPECT_EQ(immagine(0).x, doc->margins().left + (larghezza - 3000) / 2);
    EXPECT_EQ(immagine(1).width, larghezza);
    EXPECT_NEAR(immagine(1).height, larghezza / 2, 1);
    EXPECT_LE(immagine(2).y + immagine(2).height, doc->pageHeight() - doc->margins().bottom);
    EXPECT_NEAR(immagine(2).width * 10, immagine(2).height, 10);
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
    EXPECT_EQ(pagina(doc->pages()[1199]), "p1200.gif");
}

}  // namespace
}  // namespace trevalon
