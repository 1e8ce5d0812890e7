#pragma once
// The small services of the main window: the zoom of the diagram grid, the picture box beside the knot
// file, the property box of the diagram shown and the information box. The boxes themselves are shown
// through `BoxPort`; what they show is decided here.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ports.h"

namespace trevalon {

struct ContestoFinestra;
struct VistaNodo;

// `RicalcolaDimensioni`: "-" one zoom level smaller, down to `ZoomMin`; "+" one larger, up to `ZoomMax`;
// anything else keeps the level. Then `DimCella` follows the level and `Ridimensiona` applies it.
void RicalcolaDimensioni(ContestoFinestra& f, VistaNodo& v, std::string_view PiuMeno);
// A drawn knot just opened: the largest zoom level of its range at which its drawing fits the part of the
// grid the window shows, and the drawing scrolled into view. Nothing changes before the window is laid out.
void ZoomDisegno(ContestoFinestra& f, VistaNodo& v);
// `Ridimensiona`: every row and column of the main grid but row 0 and column 0 gets `DimCella` twips.
void Ridimensiona(VistaNodo& vista);

// The pictures kept beside a knot file: the regular files of its folder whose name, up to the last dot,
// is the knot file's in any case, and whose extension (in any case) is one of `formati` (lower case, no
// dot), in name order. The knot file itself and knot files are never pictures.
std::vector<std::filesystem::path> immaginiAccanto(const std::filesystem::path& fileNodo,
                                                   const std::vector<std::string>& formati);

// What the property box shows.
struct ProprietaNodo {
    std::string caption;  // the main window's caption
    std::string txtgau;   // "1,-2,3,-1,2,-3"
    std::string txtOrie;  // "1,1,1"
    std::string TxtIncr;  // "3"
};
ProprietaNodo proprietaNodo(const ContestoFinestra& f);

// The program's version, as the information box and "--version" give it.
inline constexpr std::string_view kVersione = "4.1";

// What the information box shows.
struct TestiInformazioni {
    std::string caption = "Trevalon";
    std::string Label1 = "VERSION   " + std::string(kVersione);
    std::string Label2 =
        "Trevalon simplifies knot diagrams, move by move, until the knot is trivial or no "
        "move is left.";
    std::string Label3 =
        "Knot files are read from the folder Knots beside the program; the user guide is "
        "opened by Documentation.";
};

// `Unloadform4` and `UnloadFormprop`.
void Unloadform4(BoxPort& caselle);
void UnloadFormprop(BoxPort& caselle);

// `LoadImg`: the old picture box closes; the first picture beside the current knot file that can be read
// is shown, captioned with its file name; "No image found" when there is none.
void LoadImg(ContestoFinestra& f, BoxPort& caselle);
// `LoadPropr`: the old property box closes and a new one shows the diagram as it is now.
void LoadPropr(const ContestoFinestra& f, BoxPort& caselle);

}  // namespace trevalon
