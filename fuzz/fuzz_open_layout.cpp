// Opening a knot file as the window does: what the reader accepts (small codes only) is built and drawn
// from its code. A build that succeeds gives a valid cell table (every crossing once, every arc one chain
// between its crossings' stubs), and its structure has n crossings, 2n arcs and n + 2 regions; saving it
// and reading it back gives the same code. A build that fails says why.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "layout/build.h"
#include "layout/cell_table_check.h"
#include "layout/layout_state.h"
#include "layout/palette.h"
#include "layout/render_grid.h"
#include "layout/tile_renderer.h"
#include "model/knot_files.h"
#include "model/structure.h"
#include "model/tables.h"
#include "platform/grid_control.h"
#include "platform/headless_ui.h"

using namespace trevalon;
using trevalon::fuzz::require;

namespace {

// Small codes: a layout of tens of crossings already takes milliseconds.
constexpr std::size_t kMaxLetters = 24;

// Everything one build needs, kept between inputs as a main window keeps it.
struct Window {
    Diagram d;
    LayoutState s;
    RenderState st;
    GridControl griglia;
    TileNameTable tbltt;
    TilePalette palette{PaletteId::Form1, false};
    AutomaticUi ui;
    Diagram struttura;
    Window() { InizializzaGr(griglia, d.NumRighe, d.NumColonne, st.DimCella, GenMode::Code); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1024) return 0;
    const Result<CodiceGauss> letto =
        leggiCodiceGaussTesto(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!letto || letto->TxtOri.size() > kMaxLetters) return 0;
    static const auto w = std::make_unique<Window>();
    w->d.txtNodo = letto->txtNodo;
    w->d.TxtOri = letto->TxtOri;
    w->s.IncrocioRadice = 1;
    std::string why;
    const Result<BuildTimes> costruito = CostruisciDaCodice(
        w->d, w->s, w->st, RenderTarget{w->griglia, w->tbltt, w->palette, &w->ui}, w->ui, &why);
    if (!costruito) {
        require(!costruito.error().empty() && !why.empty(), "a refused build without a message");
        return 0;
    }
    const int n = static_cast<int>(letto->TxtOri.size());
    require(w->d.NumIncroci == n && w->d.NumArchi == 2 * n,
            "the built diagram has " + std::to_string(w->d.NumIncroci) + " crossings and " +
                std::to_string(w->d.NumArchi) + " arcs for " + std::to_string(n) + " letters");
    const std::string tabella = testcheck::verificaTabella(w->d, true);
    require(tabella.empty(), "invalid cell table: " + tabella);

    w->struttura.txtNodo = w->d.txtNodo;
    w->struttura.TxtOri = w->d.TxtOri;
    const Status struttura = CostruisciStrutturaRicerca(w->struttura);
    require(struttura.ok(), "a drawn diagram has no structure: " + struttura.error());
    require(w->struttura.NumRegioni == n + 2, "regions " + std::to_string(w->struttura.NumRegioni) + " for " +
                                                  std::to_string(n) + " crossings");

    const Result<CodiceGauss> riletto = leggiCodiceGaussTesto(testoFileGaussCode(w->d.txtNodo, w->d.TxtOri));
    require(riletto.ok() && riletto->txtNodo == w->d.txtNodo && riletto->TxtOri == w->d.TxtOri,
            "save then read changed the code " + w->d.txtNodo);
    return 0;
}
