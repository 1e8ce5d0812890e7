#pragma once
// `ControllaSource`: whether the designer's drawing is a knot diagram the compiler can build. Every crossing
// must be a clean cross (its two arms two cells long on each side, nothing else within two cells), and all
// strand cells one closed curve that goes straight through every crossing twice. On the way the drawing
// is thinned: the corner cell of every right-angled turn of three strand cells is removed, so each turn
// becomes a diagonal step. A drawing with fewer than three crossings has no knot to build and is refused.

#include <string>
#include <vector>

#include "designer/source_file.h"

namespace trevalon {

// The message of a drawing refused for its marked cells.
inline constexpr const char* kMessaggioErrori = "Errors ";

// A cell the check left marked, and its mark: "E" an error found here (a crossing that is no clean cross,
// a branch, a dead end); "*" a strand cell the walk never reached; "a", "b", "s", "d" an arm (above,
// below, left, right of a crossing) the walk never went through; "z" a cell it was about to land on; "-"
// or "|" a crossing of a drawing with too few crossings.
struct CellaSegnata {
    int r = 0;
    int c = 0;
    char segno = 0;
    bool operator==(const CellaSegnata&) const = default;
};

struct EsitoControllo {
    bool ok = false;
    // Empty when accepted; kMessaggioErrori for the marked faults; a sentence for a drawing without a
    // crossing or with fewer than three.
    std::string messaggio;
    std::vector<CellaSegnata> celleErrate;  // row by row; the window paints them red
    int incroci = 0;                        // the crossing cells ("-" and "|") of the drawing
};

// Thins the drawing (for good, whatever the result) and checks it.
EsitoControllo ControllaSource(DisegnoProgetto& d);

// The corner thinning alone: every 2 x 2 window, rows first, loses the corner of an L of three strand
// cells whose fourth cell is blank.
void assottigliaAngoli(DisegnoProgetto& d);

}  // namespace trevalon
