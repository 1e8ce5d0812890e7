#include "platform/page_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trevalon {
namespace {

TEST(PageDocument, ParagraphsBreakAtBlanksWithinTheMarginsAndPagesStartAtTheTop) {
    const ApproxTextMeasure measure;  // 12 pt: 120 twips a character, lines of 288
    PageDocument doc(measure, 1400, 5000);
    doc.setMargins(PageMargins{100, 100, 50, 50});
    doc.begin();
    // Ten characters fit between the margins; a longer word stays whole on a line of its own.
    doc.paragraph("aaaa bbbb cccc\nabcdefghijklmnop q");
    std::vector<std::string> righe;
    for (const PageItem& item : doc.pages()[0].items) {
        const auto& t = std::get<PageText>(item);
        EXPECT_EQ(t.x, 100);
        EXPECT_EQ(t.y, 50 + 288 * static_cast<int>(righe.size()));
        righe.push_back(t.text);
    }
    EXPECT_EQ(righe, (std::vector<std::string>{"aaaa bbbb", "cccc", "abcdefghijklmnop", "q"}));
    doc.centredParagraph("abc");
    EXPECT_EQ(std::get<PageText>(doc.pages()[0].items.back()).x, 100 + (1200 - 360) / 2);
    doc.setMargins(PageMargins{100, 100, 15, 15});
    doc.newPage();
    EXPECT_EQ(doc.pageCount(), 2);
    EXPECT_EQ(doc.y(), 15);
}

}  // namespace
}  // namespace trevalon
