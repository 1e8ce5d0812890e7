#pragma once
// What the layout targets share: the tables of one window, made once and kept between inputs as a main
// window keeps them, and the properties of a build from a code. A build that succeeds gives a valid cell
// table (every crossing once, every arc one chain between its crossings' stubs), and its structure has n
// crossings, 2n arcs and n + 2 regions; saving it and reading it back gives the same code. A build that
// fails says why.

#include <memory>
#include <optional>
#include <string>

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

namespace trevalon::fuzz {

struct Window : BancoCostruzione {
    Diagram struttura;
    Window() { InizializzaGr(griglia, d.NumRighe, d.NumColonne, st.DimCella, GenMode::Code); }
};

// The window of this process: its tables are made once, then each build clears what the one before used.
inline std::unique_ptr<Window>& finestra() {
    static auto w = std::make_unique<Window>();
    return w;
}

// What a build that ran over its budget is answered with, instead of a failure's message.
inline constexpr const char* kOltreIlBudget = "over the budget";

// Builds the code in the window and checks what came out. The build's result: the failure's message, or
// empty when the code was built. With a budget, a build whose layout reports progress more than that
// many times (routing an arc, placing a crossing) is stopped there and answered with kOltreIlBudget: a
// layout that takes seconds in a release build takes minutes with the sanitizers, and would only be
// counted as a hang. The window it was stopped in is replaced by a fresh one.
inline std::string costruisciEVerifica(const CodiceGauss& codice, long budget = 0) {
    struct Oltre {};
    Window& w = *finestra();
    w.d.txtNodo = codice.txtNodo;
    w.d.TxtOri = codice.TxtOri;
    w.s.IncrocioRadice = 1;
    long passi = 0;
    w.s.progresso = nullptr;
    if (budget > 0)
        w.s.progresso = [&passi, budget] {
            if (++passi > budget) throw Oltre{};
        };
    std::string why;
    std::optional<Result<BuildTimes>> fatto;
    try {
        fatto.emplace(CostruisciDaCodice(w.d, w.s, w.st, RenderTarget{w.griglia, w.tbltt, w.palette, &w.ui},
                                         w.ui, &why));
    } catch (const Oltre&) {
        finestra() = std::make_unique<Window>();
        return kOltreIlBudget;
    }
    w.s.progresso = nullptr;
    const Result<BuildTimes>& costruito = *fatto;
    if (!costruito) {
        require(!costruito.error().empty() && !why.empty(), "a refused build without a message");
        return costruito.error();
    }
    const int n = static_cast<int>(codice.TxtOri.size());
    require(w.d.NumIncroci == n && w.d.NumArchi == 2 * n,
            "the built diagram has " + std::to_string(w.d.NumIncroci) + " crossings and " +
                std::to_string(w.d.NumArchi) + " arcs for " + std::to_string(n) + " letters");
    const std::string tabella = testcheck::verificaTabella(w.d, true);
    require(tabella.empty(), "invalid cell table: " + tabella);

    w.struttura.txtNodo = w.d.txtNodo;
    w.struttura.TxtOri = w.d.TxtOri;
    const Status struttura = CostruisciStrutturaRicerca(w.struttura);
    require(struttura.ok(), "a drawn diagram has no structure: " + struttura.error());
    require(w.struttura.NumRegioni == n + 2,
            "regions " + std::to_string(w.struttura.NumRegioni) + " for " + std::to_string(n) + " crossings");

    const Result<CodiceGauss> riletto = leggiCodiceGaussTesto(testoFileGaussCode(w.d.txtNodo, w.d.TxtOri));
    require(riletto.ok() && riletto->txtNodo == w.d.txtNodo && riletto->TxtOri == w.d.TxtOri,
            "save then read changed the code " + w.d.txtNodo);
    return {};
}

}  // namespace trevalon::fuzz
