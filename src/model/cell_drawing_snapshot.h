#pragma once
// The snapshot text of the cell drawing: for every cell of rows 1..700 and columns 1..2000 whose code is
// neither empty nor "0", the row, ",", the column, ",", the code and "|" ("3,4,7|3,5,2|"). The same text is
// the body of a knot file of the "Object=" kind, and a step of the history not built from its code keeps it.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/cell_drawing.h"
#include "platform/result.h"

namespace trevalon {

// The snapshot text of tblGen; `tick` is called once per row.
std::string serializzaCelDis(const CellDrawing& tblGen, const std::function<void()>& tick = {});

// One item of a snapshot text.
struct VoceCelDis {
    int r = 0, c = 0;
    std::string_view codice;  // points into the text
};

// Checks every item of a snapshot text and gives them in order; nothing is written anywhere. An item is a
// decimal row, ",", a decimal column, ",", a line code (blanks around a field are allowed), ended by "|";
// a last item without its "|" is taken too and blanks after the last "|" are ignored. `daFile` asks what a
// knot file must hold: rows 1..700, columns 1..2000 and codes "1".."8"; otherwise rows 0..700, columns
// 0..2000 and codes "0".."8" (or empty), all that tblGen can keep. The failure names the first faulty item.
// The faulty item is quoted short (`citazione`).
Result<std::vector<VoceCelDis>> leggiVociCelDis(std::string_view testo, bool daFile);

// The same check item by item, keeping nothing: `voce`, when given, receives each good item in order, up
// to the first faulty one. A text of millions of items is checked without a table of them.
Status perOgniVoceCelDis(std::string_view testo, bool daFile,
                         const std::function<void(const VoceCelDis&)>& voce = {});

// Reads a snapshot text into tblGen. The whole text is checked first: every item must be a decimal row
// 0..700, a decimal column 0..2000 and a line code "0".."8" (blanks around a field are allowed); an item
// that breaks this refuses the whole text and leaves tblGen untouched. Otherwise `InizializzaCelDis` and
// the codes are written; nothing else of a cell and not the extent. A last item without its closing "|"
// is read like the others. `tick` is called once per item. The result is the number of cells written, or
// the first faulty item and why.
Result<int> deserializzaCelDis(CellDrawing& tblGen, std::string_view testo,
                               const std::function<void()>& tick = {});

}  // namespace trevalon
