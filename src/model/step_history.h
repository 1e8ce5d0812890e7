#pragma once
// The records of the step history (`tblStati`) and the snapshot text of the cell drawing: for every cell of
// rows 1..700 and columns 1..2000 whose code is neither empty nor "0", the row, ",", the column, ",", the
// code and "|" ("3,4,7|3,5,2|"). The same text is the body of a knot file of the "Object=" kind.

#include <functional>
#include <string>
#include <string_view>

#include "model/cell_drawing.h"

namespace trevalon {

// Steps 0..1000; a push beyond the last one is refused.
inline constexpr int kMaxStati = 1000;

struct Stato {
    std::string Codice;     // Gauss text of the step
    std::string Ori;        // over/under letters of the step
    int Flag = 0;           // root crossing the step is drawn from
    std::string Tipo;       // "A" built from the Gauss text, "I" from the cell drawing
    std::string TblGenSer;  // snapshot of the cell drawing; kept only for steps whose kind is not "A"
};

// The snapshot text of tblGen; `tick` is called once per row.
std::string serializzaCelDis(const CellDrawing& tblGen, const std::function<void()>& tick = {});

struct EsitoSnapshot {
    bool ok = true;
    std::string errore;  // the first faulty item and why, when not ok
    int celle = 0;       // cells written
};

// Reads a snapshot text into tblGen. The whole text is checked first: every item must be a decimal row
// 0..700, a decimal column 0..2000 and a line code "0".."8" (blanks around a field are allowed); an item
// that breaks this refuses the whole text and leaves tblGen untouched. Otherwise `InizializzaCelDis` and
// the codes are written; nothing else of a cell and not the extent. A last item without its closing "|"
// is read like the others. `tick` is called once per item.
EsitoSnapshot deserializzaCelDis(CellDrawing& tblGen, std::string_view testo,
                                 const std::function<void()>& tick = {});

}  // namespace trevalon
