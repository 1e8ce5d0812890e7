#pragma once
// The knot document of a main window: the diagram shown, its step history, the modes the searches read
// and the file it came from. The window's grid, tile names and layout and render scratch are its view
// (`VistaNodo`), kept apart; the look-ahead instance of the horizontal search has a diagram and neither.

#include <cstdint>
#include <optional>
#include <string>

#include "layout/layout_state.h"
#include "layout/render_grid.h"
#include "layout/tile_renderer.h"
#include "model/cell_drawing.h"
#include "model/step_history.h"
#include "model/tables.h"
#include "model/text_drawing.h"
#include "platform/codes.h"
#include "platform/grid_control.h"

namespace trevalon {

// The modes of a window, as one value.
struct ModiFinestra {
    bool ModoSviluppo = false;    // developer layout; set by no command
    bool ModoDebug = false;       // table dumps; set by no command
    bool ModoBatch = false;       // batch work: no user-interface updates, no step recorded
    bool ModoAutomatico = false;  // no dialogs, first accepted candidate taken
    bool CorsaCompleta = false;   // a complete run is going on
    SourceKind ModoSorgente = SourceKind::None;
    // The developer's two tuning values of the horizontal search ("dbgval"), 16-bit numbers.
    int ValoreDebug = 0;
    int ValoreDebug2 = 0;
    // The catalogue expansion: the horizontal search files every diagram it reaches and tests none.
    bool SoloGenerazione = false;
    GenMode ModoGen = GenMode::Code;  // what the current tables were built from

    // The complete run at work: steps are built only as far as the searches need and not drawn.
    bool corsaAutomatica() const { return CorsaCompleta && ModoAutomatico; }
};

struct DocumentoNodo {
    Diagram diagram;
    StoriaPassi storia;
    ModiFinestra modi;
    CellDrawing tblGen;    // the cell drawing of a drawn diagram
    DisegnoTesto Disegno;  // the text drawing read last into the main grid

    std::string NomeFile;      // the file chosen or passed last: base of the proposed save names
    std::string NomeFileNodo;  // the knot's file, named in the caption
    KnotFileKind TipoFileKno = KnotFileKind::None;
    int PartenzaDisegno = 1;  // root crossing of the layout
    int NumIncrociDis = 0;
    int NumElaborati = 0;
    int PosScifta = 1;
    int VarScifta = 0;
    int ContaNuoviIncroci = 0;  // names given to crossings that rewrites create; it only grows
    // A fingerprint of the diagram as it was last installed from a code outside the automatic run, with the
    // layout settings it was built with; 0 when there is none. A diagram with the same fingerprint is that
    // build, unchanged.
    std::uint64_t improntaCostruito = 0;
};

// What the window shows of its document and the scratch of drawing it.
struct VistaNodo {
    // The look of the document: its zoom, and the tile palette of its kind of diagram (`Form1` for
    // diagrams from a code, `Form1b` for drawn ones; none before the first diagram is opened).
    Zoom zoom;
    std::optional<TilePalette> FormTessere;
    GridControl Gr;
    TileNameTable Tbltt;
    LayoutState layout;
    RenderState render;
    int AltezzaGriglia = 0;
    // The part of the grid the window shows, in twips (0 before the window is laid out).
    int LarghezzaVista = 0, AltezzaVista = 0;
    // The last two cells clicked in the step viewer's grid or the main grid (row, column; the one before):
    // the corners of the developer's diagonal shift.
    int RigaClick = 0, ColClick = 0, RigaClickPrec = 0, ColClickPrec = 0;
    // The display cell of the main grid clicked last in the developer's cell inspector (0, 0 for none):
    // "ListaCelle" proposes its arc. The click itself leaves the grid's current row at 0.
    int RigaClickGr = 0, ColClickGr = 0;
};

}  // namespace trevalon
