#pragma once
// Draws the tiles of the two palettes by code, at any cell size: strands, corners, crossings in every
// colour, the marker tiles, the second picture set and the key tiles of drawn diagrams.

#include <QColor>
#include <QPainter>
#include <QRect>
#include <string_view>

#include "layout/palette.h"
#include "platform/grid_control.h"
#include "platform/qt/picture_painter.h"

namespace trevalon {

QColor tileColor(TileColour colour);

class TilePainter {
  public:
    TilePainter();

    // Draws the picture into the cell rectangle; an empty reference draws nothing. Strand widths follow
    // `side`, the tile's side in pixels (0: the cell's shorter side), so that cells a pixel apart in
    // size, as the cells of one zoom level are by turns, draw strands of one thickness.
    void paint(QPainter& p, const QRect& cell, PictureRef ref, int side = 0) const;

    // The three picture sets.
    void paintImg(QPainter& p, const QRect& cell, PaletteId palette, int index, int side = 0) const;
    void paintImgd(QPainter& p, const QRect& cell, int index, int side = 0) const;
    void paintDiag(QPainter& p, const QRect& cell, PaletteId palette, std::string_view key,
                   int side = 0) const;

    // The key of an `imgDiag` element (the same in both palettes), or empty.
    std::string_view diagKey(int element) const;

  private:
    TilePalette keys_;  // every key tile, for looking up the keys of elements
};

// The grid views' picture painter that draws these tiles: give it to a GridView that shows a diagram.
PicturePainter tilePicturePainter();

}  // namespace trevalon
