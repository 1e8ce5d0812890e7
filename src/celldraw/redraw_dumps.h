#pragma once
// The debug dumps of the cell drawing: the drawing as text, one character per cell (its line code) or two
// (the line code and the first letter of its tile name), and the tile names as a table.

#include <string>
#include <vector>

#include "model/cell_drawing.h"
#include "platform/debug_dump.h"

namespace trevalon {

// Rows 1 .. RigaMax + 3 of the drawing, one line each, with columns 1 .. ColMax + 3 (as far as the table
// goes): the first character of each cell's code, a blank for none, and with conSimbolo also the first
// character of its tile name, a blank for none.
std::vector<std::string> righeCelDis(const CellDrawing& tblGen, bool conSimbolo);

// The drawing written as righeCelDis gives it: "celdis.txt" (with the tile names), "celdis2.txt" (codes
// only), "celdis_" & stage & "_" & NumStato & "_.txt" (with the tile names). Nothing while the folder is
// off.
void scriviCelDis(const CellDrawing& tblGen, const DumpFolder& dump, const std::string& name,
                  bool conSimbolo);
std::string nomeCelDisStadio(int stadio, int NumStato);

// `esportaTblCeldis`: "tblceldis" & tmpTipo & ".txt", rows 1 .. RigaMax, each column 1 .. ColMax as its
// tile name padded with blanks or cut to six characters, then ":". Nothing while the folder is off.
void esportaTblCeldis(const CellDrawing& tblGen, const std::string& tmpTipo, const DumpFolder& dump);
std::vector<std::string> righeTblCeldis(const CellDrawing& tblGen);

}  // namespace trevalon
