#pragma once
// The program-wide state shared by the visible main window and its hidden look-ahead twin. One object
// of this kind exists per run of the program; each main-window engine object is handed a reference.

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "layout/palette.h"

namespace trevalon {

struct ProgramContext {
    // The folder of the program's executable; "Knots" and "Documentation" are read from beside it.
    std::filesystem::path programFolder;

    // Modes and flags.
    bool ModoSviluppo = false;    // developer layout; set by no command
    bool ModoDebug = false;       // table dumps; set by no command
    bool ModoBatch = false;       // the hidden instance is at work: no user-interface updates
    bool ModoAutomatico = false;  // no dialogs, first accepted candidate taken
    bool CorsaCompleta = false;   // a complete run is going on
    int RichiestaStop = 0;        // 1 once "Cancel" of the stop frame was pressed
    char ModoSorgente = 0;        // 'A' diagram from a code, 'D' from a drawing, 0 none yet
    bool ProvaDaCreare = true;    // the hidden instance has not been created yet

    // Answers and kinds passed between windows.
    std::string EsitoDialogo;  // "ok", "", "Sel", "Se1", "Int", "Rip", "Save", "zInt"
    std::string TipoMossa;     // "1", "2", "2L", "3", "S"
    std::string TipoPonte;     // "<" move III, else horizontal move III
    std::string TipoFileKno;   // "G", "O", "S"
    int ConfermaMigliora = 0;

    // Zoom: cell size in twips per level 1..6.
    std::array<int, 7> TabDimCella{0, 52, 75, 85, 120, 200, 320};
    int ZoomMin = 3;
    int ZoomMax = 6;
    int LivelloZoom = 6;
    int DimCella = 320;

    // The tile palette of the current diagram kind (`Form1` for 'A', `Form1b` for 'D'); none before the
    // first diagram is opened.
    std::optional<TilePalette> FormTessere;

    // Timings in seconds since midnight.
    double TempoInizioRicerca = 0;
    double TempoFineRicerca = 0;
    double TempoFineDisegno = 0;
    double TempoInizioPonte = 0;
};

}  // namespace trevalon
