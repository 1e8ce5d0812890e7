#pragma once
// A plain model of a printed document: pages of lines of text, pictures from files and blocks of grid
// tiles, placed in twips (1440 to the inch) on the page. The report layouts fill it through the operations
// a document control offered (margins, font size, paragraphs at the current position, a picture at a
// position, new page); the Qt side paints it onto a printer, a PDF file or the preview. Tests read the
// items back.

#include <string>
#include <variant>
#include <vector>

#include "platform/grid_control.h"

namespace trevalon {

// A4 portrait, in twips.
inline constexpr int kA4WidthTwips = 11906;
inline constexpr int kA4HeightTwips = 16838;
inline constexpr int kTwipsPerPoint = 20;

// How wide a text is and how tall its line, in twips, at a font size in points. The Qt side measures with
// the font it prints with; the headless measure is a fixed approximation, enough for tests and runs
// without a window.
class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    virtual int textWidth(const std::string& text, int points) const = 0;
    virtual int lineHeight(int points) const = 0;
};

// Every character half an em wide, every line 1.2 em tall.
class ApproxTextMeasure : public TextMeasure {
  public:
    int textWidth(const std::string& text, int points) const override;
    int lineHeight(int points) const override;
};

// One line of text; (x, y) is the top left corner of its line box.
struct PageText {
    int x = 0, y = 0;
    int points = 12;
    std::string text;
};

// A picture file drawn into the rectangle (x, y, width, height).
struct PagePicture {
    int x = 0, y = 0, width = 0, height = 0;
    std::string path;
};

// A block of grid tiles, `rows` by `cols` cells of `cell` twips each, row by row, from (x, y).
struct PageTiles {
    int x = 0, y = 0;
    int rows = 0, cols = 0;
    int cell = 75;
    std::vector<PictureRef> tiles;

    PictureRef at(int r, int c) const { return tiles[static_cast<std::size_t>(r) * cols + c]; }
    int drawnCount() const;
};

using PageItem = std::variant<PageText, PagePicture, PageTiles>;

struct Page {
    std::vector<PageItem> items;
};

struct PageMargins {
    int left = 0, right = 0, top = 0, bottom = 0;
};

class PageDocument {
  public:
    explicit PageDocument(const TextMeasure& measure, int pageWidth = kA4WidthTwips,
                          int pageHeight = kA4HeightTwips);

    int pageWidth() const { return pageWidth_; }
    int pageHeight() const { return pageHeight_; }
    // Width and height inside the margins.
    int printableWidth() const { return pageWidth_ - margins_.left - margins_.right; }
    int printableHeight() const { return pageHeight_ - margins_.top - margins_.bottom; }

    // Margins apply from the next line written; a new page starts at the top margin.
    void setMargins(const PageMargins& margins) { margins_ = margins; }
    const PageMargins& margins() const { return margins_; }
    void setFontSize(int points) { points_ = points; }
    int fontSize() const { return points_; }
    // Space added after every paragraph, in twips.
    void setParagraphSpacing(int twips) { spacing_ = twips; }

    // Starts the document with its first page, at the top margin.
    void begin();
    void newPage();

    int x() const { return margins_.left; }
    int y() const { return y_; }
    void setY(int y) { y_ = y; }
    void addY(int twips) { y_ += twips; }

    int textWidth(const std::string& text) const { return measure_->textWidth(text, points_); }
    int lineHeight() const { return measure_->lineHeight(points_); }

    // Writes a paragraph at the current position from `x` (the left margin when negative): each of its
    // lines ("\n") is broken at blanks to fit before the right margin; the position moves under it.
    void paragraph(const std::string& text, int x = -1);
    // A paragraph centred between the margins, one line at a time.
    void centredParagraph(const std::string& text);
    void picture(const std::string& path, int x, int y, int width, int height);
    // Adds the block; its top left corner is (x, y).
    void tiles(PageTiles block);

    const std::vector<Page>& pages() const { return pages_; }
    int pageCount() const { return static_cast<int>(pages_.size()); }

  private:
    void writeLine(const std::string& line, int x);
    std::vector<std::string> wrap(const std::string& line, int width) const;
    Page& current();

    const TextMeasure* measure_;  // used while the document is written; the writer keeps it alive
    int pageWidth_;
    int pageHeight_;
    PageMargins margins_;
    int points_ = 12;
    int spacing_ = 0;
    int y_ = 0;
    std::vector<Page> pages_;
};

}  // namespace trevalon
