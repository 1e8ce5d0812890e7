#pragma once
// How a grid view paints the picture of a cell: a function given the painter, the cell's rectangle and
// the cell's picture reference. The view knows nothing of the pictures; whoever shows tiles gives it one.

#include <QPainter>
#include <QRect>
#include <functional>

#include "platform/grid_control.h"

namespace trevalon {

using PicturePainter = std::function<void(QPainter&, const QRect&, PictureRef)>;

}  // namespace trevalon
