#include "layout/qt/tile_painter.h"

#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <memory>

namespace trevalon {

namespace {

// Strand widths on the palettes' 22-pixel design size.
constexpr int kDesignSize = 22;
constexpr int kStrandForm1 = 4;
constexpr int kStrandForm1b = 2;
constexpr int kStrandImgd = 3;

// Where the strands of one cell run: a band of `sw` pixels through the centre, snapped to whole pixels
// so that neighbouring tiles join without seams. The width comes from the tile's side, not from the
// cell's rectangle: cells of one size alternate between two widths in pixels, and a strand crossing them
// must keep one thickness.
struct Geometry {
    int left, top, width, height;
    int sw;      // strand width
    int x0, y0;  // first pixel column of the vertical band, first pixel row of the horizontal band

    int right() const { return left + width; }  // exclusive
    int bottom() const { return top + height; }
    double cx() const { return x0 + sw / 2.0; }
    double cy() const { return y0 + sw / 2.0; }
};

Geometry geometryOf(const QRect& cell, int side, int designWidth) {
    Geometry g{};
    g.left = cell.left();
    g.top = cell.top();
    g.width = cell.width();
    g.height = cell.height();
    g.sw = std::max(1, static_cast<int>(std::lround(side * designWidth / static_cast<double>(kDesignSize))));
    g.sw = std::min(g.sw, std::max(1, std::min(g.width, g.height)));
    g.x0 = g.left + (g.width - g.sw) / 2;
    g.y0 = g.top + (g.height - g.sw) / 2;
    return g;
}

// The tile's side: the one given, or the cell's shorter side when none is.
int sideOf(const QRect& cell, int side) {
    return side > 0 ? side : std::min(cell.width(), cell.height());
}

int strandWidthOf(PaletteId palette) {
    return palette == PaletteId::Form1b ? kStrandForm1b : kStrandForm1;
}

void vertical(QPainter& p, const Geometry& g, const QColor& c) {
    p.fillRect(g.x0, g.top, g.sw, g.height, c);
}

void horizontal(QPainter& p, const Geometry& g, const QColor& c) {
    p.fillRect(g.left, g.y0, g.width, g.sw, c);
}

// The under strand of a crossing: broken on both sides of the over strand by a gap of one strand width.
void verticalBroken(QPainter& p, const Geometry& g, const QColor& c) {
    const int upper = g.y0 - g.sw - g.top;
    if (upper > 0) p.fillRect(g.x0, g.top, g.sw, upper, c);
    const int from = g.y0 + 2 * g.sw;
    if (from < g.bottom()) p.fillRect(g.x0, from, g.sw, g.bottom() - from, c);
}

void horizontalBroken(QPainter& p, const Geometry& g, const QColor& c) {
    const int leftPart = g.x0 - g.sw - g.left;
    if (leftPart > 0) p.fillRect(g.left, g.y0, leftPart, g.sw, c);
    const int from = g.x0 + 2 * g.sw;
    if (from < g.right()) p.fillRect(from, g.y0, g.right() - from, g.sw, c);
}

// A quarter arc joining the middles of two sides; `code` 5 top-left, 6 top-right, 7 right-bottom,
// 8 bottom-left.
void corner(QPainter& p, const Geometry& g, int code, const QColor& c) {
    double cx = 0, cy = 0, start = 0;
    switch (code) {
        case 5:
            cx = g.left, cy = g.top, start = 270;
            break;
        case 6:
            cx = g.right(), cy = g.top, start = 180;
            break;
        case 7:
            cx = g.right(), cy = g.bottom(), start = 90;
            break;
        case 8:
            cx = g.left, cy = g.bottom(), start = 0;
            break;
        default:
            return;
    }
    const double rx = std::abs(g.cx() - cx);
    const double ry = std::abs(g.cy() - cy);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(c, g.sw, Qt::SolidLine, Qt::FlatCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(cx - rx, cy - ry, 2 * rx, 2 * ry), static_cast<int>(start * 16), 90 * 16);
    p.restore();
}

// A square corner: two half strands meeting at the centre.
void squareCorner(QPainter& p, const Geometry& g, int code, const QColor& c) {
    const bool up = code == 5 || code == 6;
    const bool leftSide = code == 5 || code == 8;
    if (up)
        p.fillRect(g.x0, g.top, g.sw, g.y0 + g.sw - g.top, c);
    else
        p.fillRect(g.x0, g.y0, g.sw, g.bottom() - g.y0, c);
    if (leftSide)
        p.fillRect(g.left, g.y0, g.x0 + g.sw - g.left, g.sw, c);
    else
        p.fillRect(g.x0, g.y0, g.right() - g.x0, g.sw, c);
}

// A crossing; `horizontalOver` tells which strand is over. The under strand is drawn only when asked.
void crossing(QPainter& p, const Geometry& g, bool horizontalOver, const QColor& over, const QColor& under,
              bool drawUnder) {
    if (horizontalOver) {
        if (drawUnder) verticalBroken(p, g, under);
        horizontal(p, g, over);
    } else {
        if (drawUnder) horizontalBroken(p, g, under);
        vertical(p, g, over);
    }
}

void marker(QPainter& p, const QRect& cell, int tileSide) {
    const int side = std::max(2, static_cast<int>(std::lround(tileSide * 0.4)));
    const QRect square(cell.left() + (cell.width() - side) / 2, cell.top() + (cell.height() - side) / 2, side,
                       side);
    p.fillRect(square, tileColor(TileColour::Orange));
}

// The point of a neighbour position 1..9 (row-major, 5 the centre) on the border of the cell.
QPointF neighbourPoint(const Geometry& g, int position) {
    const int dc = (position - 1) % 3 - 1;
    const int dr = (position - 1) / 3 - 1;
    const double x = dc < 0 ? g.left : dc > 0 ? g.right() : g.cx();
    const double y = dr < 0 ? g.top : dr > 0 ? g.bottom() : g.cy();
    return {x, y};
}

bool orthogonal(int position) {
    return position == 2 || position == 4 || position == 6 || position == 8;
}

// The corner code of two orthogonal neighbour positions, 0 when they are opposite.
int cornerCode(int a, int b) {
    const int lo = std::min(a, b), hi = std::max(a, b);
    if (lo == 2 && hi == 4) return 5;
    if (lo == 2 && hi == 6) return 6;
    if (lo == 6 && hi == 8) return 7;
    if (lo == 4 && hi == 8) return 8;
    return 0;
}

}  // namespace

QColor tileColor(TileColour colour) {
    switch (colour) {
        case TileColour::Black:
            return QColor(0, 0, 0);
        case TileColour::Green:
            return QColor(0, 160, 0);
        case TileColour::Red:
            return QColor(220, 0, 0);
        case TileColour::Orange:
            return QColor(255, 140, 0);
        case TileColour::Grey:
            return QColor(150, 150, 150);
    }
    return QColor(0, 0, 0);
}

TilePainter::TilePainter() : keys_(PaletteId::Form1b, true) {}

std::string_view TilePainter::diagKey(int element) const {
    if (element < 0 || element >= keys_.diagCount()) return {};
    return keys_.diag(element).key;
}

void TilePainter::paint(QPainter& p, const QRect& cell, PictureRef ref, int side) const {
    if (ref.empty() || cell.isEmpty()) return;
    switch (ref.set) {
        case PictureSet::Img:
            paintImg(p, cell, ref.palette, ref.index, side);
            break;
        case PictureSet::Imgd:
            paintImgd(p, cell, ref.index, side);
            break;
        case PictureSet::ImgDiag:
            paintDiag(p, cell, ref.palette, diagKey(ref.index), side);
            break;
    }
}

void TilePainter::paintImg(QPainter& p, const QRect& cell, PaletteId palette, int index, int side) const {
    const TileDesc& d = TileImg(index);
    if (!d.exists || cell.isEmpty()) return;
    side = sideOf(cell, side);
    p.save();
    p.setClipRect(cell);
    const Geometry g = geometryOf(cell, side, strandWidthOf(palette));
    const QColor colour = tileColor(d.colour);
    const QColor black = tileColor(TileColour::Black);
    switch (d.shape) {
        case 0:
            p.fillRect(cell, Qt::white);
            break;
        case 1:
            vertical(p, g, colour);
            break;
        case 2:
            horizontal(p, g, colour);
            break;
        case 3:
        case 4: {
            const QColor over = d.coloured == ColouredStrand::Under ? black : colour;
            const QColor under = d.coloured == ColouredStrand::Over ? black : colour;
            // The thin palette shows only the over strand, unless the under strand carries the colour
            // of a highlighted candidate, which must stay visible.
            const bool drawUnder = palette != PaletteId::Form1b || d.coloured == ColouredStrand::Under;
            crossing(p, g, d.shape == 3, over, under, drawUnder);
            break;
        }
        case 5:
        case 6:
        case 7:
        case 8:
            corner(p, g, d.shape, colour);
            break;
        case 9:
            corner(p, g, 6, colour);
            corner(p, g, 8, colour);
            break;
        case 10:
            corner(p, g, 5, colour);
            corner(p, g, 7, colour);
            break;
        default:
            break;
    }
    if (d.marker) marker(p, cell, side);
    p.restore();
}

void TilePainter::paintImgd(QPainter& p, const QRect& cell, int index, int side) const {
    if (!ImgdExists(index) || cell.isEmpty()) return;
    const TileDesc& d = TileImg(index);
    p.save();
    p.setClipRect(cell);
    const Geometry g = geometryOf(cell, sideOf(cell, side), kStrandImgd);
    const QColor colour = tileColor(d.colour);
    switch (d.shape) {
        case 1:
            vertical(p, g, colour);
            break;
        case 2:
            horizontal(p, g, colour);
            break;
        case 3:
        case 4:
            crossing(p, g, d.shape == 3, colour, colour, true);
            break;
        default:
            squareCorner(p, g, d.shape, colour);
            break;
    }
    p.restore();
}

void TilePainter::paintDiag(QPainter& p, const QRect& cell, PaletteId palette, std::string_view key,
                            int side) const {
    const DiagShape s = diagShapeOf(key);
    if (!s.valid || cell.isEmpty()) return;
    p.save();
    p.setClipRect(cell);
    const Geometry g = geometryOf(cell, sideOf(cell, side), strandWidthOf(palette));
    const QColor colour = tileColor(s.colour);
    if (s.crossing) {
        crossing(p, g, s.crossingLetter == 'O', colour, colour, palette != PaletteId::Form1b);
    } else if (orthogonal(s.from) && orthogonal(s.to)) {
        const int code = cornerCode(s.from, s.to);
        if (code != 0)
            corner(p, g, code, colour);
        else if (s.from == 2 || s.from == 8)
            vertical(p, g, colour);
        else
            horizontal(p, g, colour);
    } else {
        // A strand to a diagonal neighbour: two straight pieces through the centre.
        QPainterPath path(neighbourPoint(g, s.from));
        path.lineTo(g.cx(), g.cy());
        path.lineTo(neighbourPoint(g, s.to));
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(colour, g.sw, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    p.restore();
}

PicturePainter tilePicturePainter() {
    auto painter = std::make_shared<const TilePainter>();
    return [painter](QPainter& p, const QRect& cell, PictureRef ref, int side) {
        painter->paint(p, cell, ref, side);
    };
}

}  // namespace trevalon
