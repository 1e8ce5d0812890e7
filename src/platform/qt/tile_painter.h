#pragma once
// Draws the tiles of the two palettes by code, at any cell size: strands, corners, crossings in every
// colour, the marker tiles, the second picture set and the key tiles of drawn diagrams.

#include <QColor>
#include <QPainter>
#include <QRect>
#include <cstdint>
#include <string_view>

#include "layout/palette.h"
#include "platform/grid_control.h"

namespace trevalon {

// A BGR number of the grid model (255 red, 65280 green, 16711680 blue) as a colour.
QColor colorFromBgr(std::uint32_t bgr);
QColor tileColor(TileColour colour);

class TilePainter {
  public:
    TilePainter();

    // Draws the picture into the cell rectangle; an empty reference draws nothing.
    void paint(QPainter& p, const QRect& cell, PictureRef ref) const;

    // The three picture sets.
    void paintImg(QPainter& p, const QRect& cell, PaletteId palette, int index) const;
    void paintImgd(QPainter& p, const QRect& cell, int index) const;
    void paintDiag(QPainter& p, const QRect& cell, PaletteId palette, std::string_view key) const;

    // The key of an `imgDiag` element (the same in both palettes), or empty.
    std::string_view diagKey(int element) const;

  private:
    TilePalette keys_;  // every key tile, for looking up the keys of elements
};

}  // namespace trevalon
