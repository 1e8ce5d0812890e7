#pragma once
// The diagonal-shift editor of the developer layout: the character drawing held in the main grid (one
// symbol per cell: "*" strand, "-" crossing with the horizontal strand over, "|" crossing with the vertical
// strand over) is cut along a diagonal through a clicked cell, one side is moved one cell away from the
// other, and the strands the cut separated are joined again across the gap.
//
// A strand step (a "link") joins two symbols side by side, or two strand cells corner to corner when
// neither of the two cells beside both holds a symbol; a crossing's four links are its four sides. The
// shift keeps every link: a link cut by the line is bridged by a strand cell in the gap; a crossing's side
// cut next to the crossing is pulled straight instead (its arm cell gives way to two straight gap cells),
// since the drawn-knot reader needs a crossing's arms straight. Afterwards every cell has as many links as
// before, every crossing four, every gap cell two, and every strand cell that the reader could read before
// still can; when that does not hold (strands turning too close to the cut), the grid is put back exactly
// as it was.

#include "layout/grid_view.h"
#include "platform/grid_control.h"
#include "platform/ports.h"
#include "platform/result.h"

namespace trevalon {

// The last two cells clicked in the step viewer's grid: (`AngoloRiga1`, `AngoloCol1`) the last,
// (`AngoloRiga2`, `AngoloCol2`) the one before; 0 for a click not made.
struct AngoliSpostamento {
    int AngoloRiga1 = 0, AngoloCol1 = 0;
    int AngoloRiga2 = 0, AngoloCol2 = 0;
};

// The two clicks lie on a line from upper left to lower right (row and column differences equal, the same
// cell included): the shift along that falling line (`Sciftaadbs`); otherwise along the rising line
// (`Sciftaasbd`).
bool lineaDiscendente(const AngoliSpostamento& a);

// `Sciftadiag`: the shift through the last clicked cell, along the line the two clicks choose, then the
// repairs. The falling line moves the part on and right of the line one column right and the part left of
// it one row down; the rising line moves the part on and below the line one row down and one column
// right. The drawing's range then grows by one row and one column. Refused with a message (through `ui`
// when given), and the grid untouched, when either clicked cell lies outside the range, when the range
// does not lie in the grid or has no room for one more row and column; undone, with a message, when the
// repaired drawing does not keep every link (see above). Painting is suspended meanwhile.
Status Sciftadiag(GridControl& Gr, EstensioneDisegno& range, const AngoliSpostamento& angoli,
                  MessagePort* ui = nullptr);

}  // namespace trevalon
