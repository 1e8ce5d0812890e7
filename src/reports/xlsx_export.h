#pragma once
// Writes the cells of a grid as a spreadsheet in the current Excel format (.xlsx): row 0 is the header
// row (bold), the columns named as numeric get numbers where the cell holds a whole number, every other
// cell is a text cell, so Gauss codes and indices stay exactly as shown.

#include <set>
#include <string>

#include "platform/grid_control.h"

namespace trevalon {

struct EsitoXlsx {
    bool ok = false;
    std::string error;  // why the file could not be written
};

EsitoXlsx scriviGrigliaXlsx(const GridControl& grid, const std::string& path, const std::string& sheetName,
                            const std::set<int>& numericColumns);

}  // namespace trevalon
