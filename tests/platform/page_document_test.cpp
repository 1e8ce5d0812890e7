#include "platform/page_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trevalon {
namespace {

std::vector<PageText> testi(const Page& page) {
    std::vector<PageText> out;
    for (const PageItem& item : page.items)
        if (const auto* t = std::get_if<PageText>(&item)) out.push_back(*t);
    return out;
}

TEST(PageDocument, ParagraphsBreakAtBlanksAndMoveThePositionUnderThem) {
    const ApproxTextMeasure measure;  // 12 pt: 120 twips a character, lines of 288
    PageDocument doc(measure, 1200 + 200, 5000);
    doc.setMargins(PageMargins{100, 100, 50, 50});
    doc.begin();
    EXPECT_EQ(doc.y(), 50);
    // Ten characters fit a line of 1200 twips.
    doc.paragraph("aaaa bbbb cccc\nx");
    const auto t = testi(doc.pages()[0]);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].text, "aaaa bbbb");
    EXPECT_EQ(t[1].text, "cccc");
    EXPECT_EQ(t[2].text, "x");
    EXPECT_EQ(t[0].x, 100);
    EXPECT_EQ(t[1].y, 50 + 288);
    EXPECT_EQ(doc.y(), 50 + 3 * 288);
    // A line broken at blanks loses them; a word longer than the line stays whole on its own.
    doc.paragraph("abcdefghijklmnop q");
    const auto u = testi(doc.pages()[0]);
    EXPECT_EQ(u[3].text, "abcdefghijklmnop");
    EXPECT_EQ(u[4].text, "q");
}

TEST(PageDocument, CentresLinesAndStartsPagesAtTheTopMargin) {
    const ApproxTextMeasure measure;
    PageDocument doc(measure);
    doc.setMargins(PageMargins{720, 720, 1000, 720});
    doc.begin();
    doc.setFontSize(36);
    doc.centredParagraph("PARTE 1");
    const PageText t = std::get<PageText>(doc.pages()[0].items[0]);
    EXPECT_EQ(t.points, 36);
    EXPECT_EQ(t.x, 720 + (kA4WidthTwips - 1440 - 7 * 360) / 2);
    EXPECT_EQ(t.y, 1000);
    doc.addY(500);
    doc.setMargins(PageMargins{720, 720, 15, 15});
    doc.newPage();
    EXPECT_EQ(doc.pageCount(), 2);
    EXPECT_EQ(doc.y(), 15);
    EXPECT_TRUE(doc.pages()[1].items.empty());
    EXPECT_EQ(doc.printableWidth(), kA4WidthTwips - 1440);
    EXPECT_EQ(doc.printableHeight(), kA4HeightTwips - 30);
}

}  // namespace
}  // namespace trevalon
