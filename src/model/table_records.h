#pragma once
// Whole-record operations on the tables: a cell-table block copied record by record, an arc or a crossing
// cleared, and the string sort of a table range.

#include <string>
#include <vector>

#include "model/tables.h"

namespace trevalon {

// Sorts arr[lo..hi] in place, ascending by character codes ("10" before "9", upper case before lower case,
// the empty text first). A range with lo >= hi is left as it is; bounds outside arr are refused
// (std::out_of_range) and nothing outside arr[lo..hi] is read or written.
void OrdinaStringhe(std::vector<std::string>& arr, int lo, int hi);

// dst(off + i, off + j) := src(i, j), whole records, for i = 1..rows and j = 1..cols. Counts below 1 copy
// nothing; a copy that would leave either table is refused (std::out_of_range) before anything is written.
void CopiaGrigliaRecord(const CellTable& src, CellTable& dst, int off, int rows, int cols);

// Clears arc tmpArc (ends, signs, cells, passages, regions, end cell); Posto is kept.
void InizializzaArco(Diagram& d, int tmpArc);

// Clears crossing tmpIncr (links, arcs, letter, Gem, cell, passages, sides 1..4); Posto and index 0 of the
// side tables are kept.
void inizializzaIncr(Diagram& d, int tmpIncr);

}  // namespace trevalon
