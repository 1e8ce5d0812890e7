#pragma once
// The developer panel's commands on the main grid that touch nothing but the grid: the enlarged view of a
// character drawing, the clearing of marked cells and the doubled cell size. Where the grid sits in its
// window, its scroll bars and its size on screen belong to the window; the cell size of a drawn diagram is
// `SettaDimXDis` (layout/drawn_renderer.h). None of them touches the diagram's tables.

#include <cstdint>
#include <string_view>

#include "platform/grid_control.h"

namespace trevalon {

// Cell size of the enlarged view, and its font size, both as the panel's "aum" sets them.
inline constexpr int kDimCellaIngrandita = 160;
inline constexpr int kFontIngrandito = 9;
inline constexpr std::uint32_t kBianco = 16777215;
// The largest cell size `RaddoppiaGriglia` makes, in twips (about 11 metres: no view needs more).
inline constexpr int kDimCellaMassima = 1 << 24;

// The character drawing's range in the grid: rows `RigaDaGr`..`RigaAGr`, columns `ColDaGr`..`ColAGr`.
struct EstensioneDisegno {
    int RigaDaGr = 0, RigaAGr = -1, ColDaGr = 0, ColAGr = -1;
    bool vuota() const { return RigaAGr < RigaDaGr || ColAGr < ColDaGr; }
    friend bool operator==(const EstensioneDisegno&, const EstensioneDisegno&) = default;
};

// `Command8_Click` ("aum"), the enlarged editor view: painting suspended; every row and column from 1 on
// 160 twips; every cell from row and column 1 on gets the back colour `sfondo` and font size 9, its text
// left as it is (a crossing's symbol says which strand is over: changing it would draw another knot);
// painting resumed. Returns the range of the cells holding text, widened by 2 on each side and kept inside
// rows and columns 1..last; empty when no cell holds text.
EstensioneDisegno Command8_Click(GridControl& griglia, std::uint32_t sfondo = kBianco);

// `Command9_Click` ("Undo"): every cell of the list of marked cells (`LogCelle`: items "row,column", each
// closed by "|") loses its text and turns white. Items that are not two numbers, and cells beyond the grid,
// are passed over. Returns the cells cleared.
int Command9_Click(GridControl& griglia, std::string_view LogCelle);

// How far the developer panel's four grid moves take the diagram, in twips.
inline constexpr int kPassoSpostamento = 1000;

enum class VersoSpostamento { Su, Giu, Destra, Sinistra };

// `Command3_Click` .. `Command6_Click`: the diagram in the grid moved up, down, right or left by `twips`.
// The grid fills its frame, so the move is a scroll the other way, by whole rows or columns as the grid
// scrolls: moved up, the rows below come into view (`TopRow` grows by the rows that `twips` spans, one at
// least); moved right, the columns on the left. The scroll stays within rows and columns 1 .. last. Returns
// whether the grid scrolled.
bool SpostaGriglia(GridControl& griglia, VersoSpostamento verso, int twips = kPassoSpostamento);

// `RaddoppiaGriglia`: every row height and every column width of the grid doubled (row and column 0
// included), none beyond kDimCellaMassima.
void RaddoppiaGriglia(GridControl& griglia);

}  // namespace trevalon
