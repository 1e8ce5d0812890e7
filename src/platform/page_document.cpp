#include "platform/page_document.h"

#include <algorithm>
#include <utility>

namespace trevalon {

int ApproxTextMeasure::textWidth(const std::string& text, int points) const {
    // Bytes of a UTF-8 sequence after its first count for nothing.
    int chars = 0;
    for (const char ch : text)
        if ((static_cast<unsigned char>(ch) & 0xC0U) != 0x80U) ++chars;
    return chars * points * kTwipsPerPoint / 2;
}

int ApproxTextMeasure::lineHeight(int points) const {
    return points * kTwipsPerPoint * 6 / 5;
}

int PageTiles::drawnCount() const {
    return static_cast<int>(
        std::count_if(tiles.begin(), tiles.end(), [](PictureRef p) { return !p.empty(); }));
}

PageDocument::PageDocument(const TextMeasure& measure, int pageWidth, int pageHeight)
    : measure_(&measure), pageWidth_(pageWidth), pageHeight_(pageHeight) {}

void PageDocument::begin() {
    pages_.clear();
    pages_.emplace_back();
    y_ = margins_.top;
}

void PageDocument::newPage() {
    pages_.emplace_back();
    y_ = margins_.top;
}

Page& PageDocument::current() {
    if (pages_.empty()) begin();
    return pages_.back();
}

std::vector<std::string> PageDocument::wrap(const std::string& line, int width) const {
    std::vector<std::string> out;
    std::string row;
    std::size_t i = 0;
    while (i < line.size()) {
        // The next word with the blanks before it.
        std::size_t j = line.find_first_not_of(' ', i);
        if (j == std::string::npos) j = line.size();
        std::size_t k = line.find(' ', j);
        if (k == std::string::npos) k = line.size();
        const std::string candidate = row + line.substr(i, k - i);
        if (!row.empty() && textWidth(candidate) > width) {
            out.push_back(row);
            row = line.substr(j, k - j);
        } else {
            row = candidate;
        }
        i = k;
    }
    out.push_back(row);
    return out;
}

void PageDocument::writeLine(const std::string& line, int x) {
    current().items.emplace_back(PageText{x, y_, points_, line});
    y_ += lineHeight();
}

void PageDocument::paragraph(const std::string& text, int x) {
    if (x < 0) x = margins_.left;
    const int width = std::max(1, pageWidth_ - margins_.right - x);
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        for (const std::string& row : wrap(line, width)) writeLine(row, x);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    y_ += spacing_;
}

void PageDocument::centredParagraph(const std::string& text) {
    const int width = std::max(1, printableWidth());
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        const std::string line =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        for (const std::string& row : wrap(line, width))
            writeLine(row, margins_.left + std::max(0, (width - textWidth(row)) / 2));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    y_ += spacing_;
}

void PageDocument::picture(const std::string& path, int x, int y, int width, int height) {
    current().items.emplace_back(PagePicture{x, y, width, height, path});
}

void PageDocument::tiles(PageTiles block) {
    current().items.emplace_back(std::move(block));
}

}  // namespace trevalon
