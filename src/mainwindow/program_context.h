#pragma once
// What the windows of one run of the program share: where the program lives, the zoom, the tile palette
// of the current diagram kind, the step viewer's timings and its "Migliora" confirmation. Each main
// window's knot document and view are its own (document.h).

#include <array>
#include <filesystem>
#include <optional>

#include "layout/palette.h"

namespace trevalon {

struct ProgramContext {
    // The folder of the program's executable; "Knots" and "Documentation" are read from beside it.
    std::filesystem::path programFolder;

    int ConfermaMigliora = 0;

    // Zoom: cell size in twips per level 1..6.
    std::array<int, 7> TabDimCella{0, 52, 75, 85, 120, 200, 320};
    int ZoomMin = 3;
    int ZoomMax = 6;
    int LivelloZoom = 6;
    int DimCella = 320;

    // The tile palette of the current diagram kind (`Form1` for diagrams from a code, `Form1b` for drawn
    // ones); none before the first diagram is opened.
    std::optional<TilePalette> FormTessere;

    // Timings in seconds since midnight.
    double TempoInizioRicerca = 0;
    double TempoFineRicerca = 0;
    double TempoFineDisegno = 0;
    double TempoInizioPonte = 0;
};

}  // namespace trevalon
