#pragma once
// The validity check of a cell drawing: what every redraw must leave behind before the diagram is rebuilt
// from it, and what tests check after every change of a drawing.

#include "model/cell_drawing.h"
#include "platform/result.h"

namespace trevalon {

// Sides of a cell: 1 top, 2 right, 3 bottom, 4 left.
// Whether line code `codice` ('1'..'8'; 0 and '0' are empty) leaves its cell by side `lato`. A crossing
// ('3', '4') leaves by all four sides.
inline bool codiceEsce(char codice, int lato) {
    // Bit s - 1 set: the code leaves by side s.
    constexpr unsigned char kLati[9] = {0, 0b0101, 0b1010, 0b1111, 0b1111, 0b1001, 0b0011, 0b0110, 0b1100};
    if (codice < '1' || codice > '8' || lato < 1 || lato > 4) return false;
    return (kLati[codice - '0'] >> (lato - 1) & 1u) != 0;
}

// A strand cell: '1', '2' or one of the corners '5'..'8'.
inline bool codiceTratto(char codice) {
    return codice == '1' || codice == '2' || (codice >= '5' && codice <= '8');
}
inline bool codiceIncrocio(char codice) {
    return codice == '3' || codice == '4';
}

// Checks the whole drawing: every code is "" or "0".."8"; non-empty cells lie in rows and columns from 1
// and inside the extent `limiti`; every side a cell's code leaves by (two for a strand, four for a
// crossing) leads to a cell whose code leaves by the opposite side. The message names the first faulty
// cell, rows then columns, and what is wrong with it.
Status verificaCelDis(const CellDrawing& tblGen);

}  // namespace trevalon
