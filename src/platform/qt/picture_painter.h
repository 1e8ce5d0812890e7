#pragma once
// How a grid view paints the picture of a cell: a function given the painter, the cell's rectangle, the
// cell's picture reference and the side of its tile in pixels. Cell edges follow the sizes in twips, so
// cells of one size are by turns a pixel wider or narrower; the side is the same for all of them (their
// size in twips, rounded to pixels), and a picture that takes its proportions from it looks alike in
// every cell. The view knows nothing of the pictures; whoever shows tiles gives it a painter.

#include <QPainter>
#include <QRect>
#include <functional>

#include "platform/grid_control.h"

namespace trevalon {

using PicturePainter = std::function<void(QPainter&, const QRect&, PictureRef, int side)>;

}  // namespace trevalon
