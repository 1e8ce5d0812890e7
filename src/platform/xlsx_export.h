#pragma once
// Writes the cells of a grid as a spreadsheet in the current Excel format (.xlsx): row 0 is the header
// row (bold), the columns named as numeric get numbers where the cell holds a whole number, every other
// cell is a text cell, so Gauss codes and indices stay exactly as shown.

#include <set>
#include <string>

#include "platform/grid_control.h"
#include "platform/result.h"

namespace trevalon {

// Why the file could not be written, when it could not.
Status scriviGrigliaXlsx(const GridControl& grid, const std::string& path, const std::string& sheetName,
                         const std::set<int>& numericColumns);

}  // namespace trevalon
