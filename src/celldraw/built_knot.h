#pragma once
// Knots built below the window, into fresh tables, as one value: from a drawing (a knot source or text
// drawing, a cell drawing's snapshot), and a redrawn cell drawing checked against the rewrite of its move.
// Nothing here touches a window: a failure is returned with its reason. Each build is handed the model's
// settings (`impostazioni`: the debug switch and the dumps' folder) and writes its table dumps
// under the kind of tables it builds: "D" for the walk over a drawing's symbols, "I" for every table
// rebuilt from a cell drawing (archiD.txt, incrociD.txt; archiI.txt, incrociI.txt, gemelli.txt,
// regioni.txt, tmpreg*.txt). With the default settings nothing is written.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "layout/palette.h"
#include "layout/render_grid.h"
#include "model/cell_drawing.h"
#include "model/model_settings.h"
#include "model/tables.h"
#include "model/text_drawing.h"
#include "moves/gauss_rewrite.h"
#include "platform/codes.h"
#include "platform/result.h"

namespace trevalon {

// A knot built into fresh tables, whatever it was built from (a Gauss code, a drawing, a snapshot, a redrawn
// step): its diagram, its cell drawing when it is kept as a drawing, what its tables were built from, and
// the root crossing of a layout from a code. One function installs such a value into a window's document
// and one opens it there as step 0.
struct NodoCostruito {
    std::unique_ptr<Diagram> diagram;     // null for a cell drawing too small to be built
    std::unique_ptr<CellDrawing> tblGen;  // the cell drawing of a knot kept as a drawing
    GenMode ModoGen = GenMode::CellDrawing;
    int radice = 1;         // the root crossing of a layout from a code
    int NumIncrociDis = 0;  // crossing cells of the cell drawing
    // For a redrawn drawing too small to build: the code and letters of the move that gave it.
    std::optional<TestoNodo> testo;
};

// A rebuild from a cell drawing needs three crossing cells; fewer are shown as the drawing only.
inline constexpr int kMinIncrociCostruzione = 3;

// The work extent of a drawn knot.
void estensioneDisegnato(Diagram& d);

// `NumIncrociDis`: the crossing cells (codes "3" and "4") of a cell drawing.
int contaIncrociDis(const CellDrawing& tblGen);

// A drawing walked alone: the cell table's symbols from the drawing, every drawn cell classified with the
// drawn-knot palette (`DisegnaModo2`, the tile names kept in `nomi`), and the arcs, crossings, Gauss text
// and letters the walk over the symbols finds (`GeneraStrutturaDaDisegno`), then `StampaArchi` and
// `StampaIncroci` of kind "D" (`CmdDadisegno_azione` on a knot source). No cell drawing, no passages, no
// regions.
struct DisegnoPercorso {
    std::unique_ptr<Diagram> diagram;
    std::unique_ptr<TileNameTable> nomi;
};
Result<DisegnoPercorso> percorriDisegno(const DisegnoTesto& disegno, const TilePalette& palette,
                                        const std::function<void()>& tick = {},
                                        const ModelSettings& impostazioni = {});

// A knot source or text drawing into fresh tables: its symbols walked (`GeneraStrutturaDaDisegno`, after
// `DisegnaModo2` classified every drawn cell with the drawn-knot palette), the diagonal steps given corner
// cells and line codes, the cell drawing made from the cell table, and every table rebuilt from that.
Result<NodoCostruito> costruisciDaDisegno(const DisegnoTesto& disegno, const TilePalette& palette,
                                          const std::function<void()>& tick = {},
                                          const ModelSettings& impostazioni = {});

// A cell drawing's snapshot text into fresh tables. A drawing without any crossing cell is the trivial knot:
// read, but not built.
Result<NodoCostruito> costruisciDaSnapshot(const std::string& snapshot,
                                           const std::function<void()>& tick = {},
                                           const ModelSettings& impostazioni = {});

// A drawn knot file of kind `tipo` (Object: the "Object=" line; Source: a knot source or text drawing), its
// whole text, into fresh tables.
Result<NodoCostruito> costruisciNodoDisegnato(std::string_view testo, KnotFileKind tipo,
                                              const TilePalette& palette,
                                              const std::function<void()>& tick = {},
                                              const ModelSettings& impostazioni = {});

// `SettaTblNodoDagrd`: the drawn symbols of the cell table from a drawing (rows 1..NumRighe - 1, columns
// 1..NumColonne - 1); `Tipo`, `Vicini` and `Numero` cleared.
void SettaTblNodoDagrd(Diagram& d, const DisegnoTesto& disegno);

// A redrawn cell drawing (already checked cell by cell) against the rewrite of the same move: walked into
// a fresh diagram, it must have the crossings of `nuovo`, as many of them with the letter "O", and the same
// Gauss code up to the reading (`formaCanonica`). The built drawn diagram, or what does not match. The
// structure is derived, and the dumps written, only for a drawing that matches: a redraw that is refused
// leaves no dump of its own.
Result<NodoCostruito> controllaRidisegno(std::unique_ptr<CellDrawing> tblGen, const TestoNodo& nuovo,
                                         const std::function<void()>& tick = {},
                                         const ModelSettings& impostazioni = {});

}  // namespace trevalon
