#pragma once
// A diagram laid out from its code, with the main grid and tile-name table it was drawn into, as the main
// window makes them: what the cell drawing of a step is made from.

#include <memory>
#include <string>

#include "layout/build.h"
#include "layout/layout_state.h"
#include "layout/palette.h"
#include "layout/render_grid.h"
#include "layout/tile_renderer.h"
#include "model/structure.h"
#include "model/tables.h"
#include "platform/grid_control.h"
#include "platform/headless_ui.h"

namespace trevalon::fixture {

struct Disegnato {
    std::unique_ptr<Diagram> d = std::make_unique<Diagram>();
    RenderState st;
    GridControl griglia;
    TileNameTable tbltt;
    TilePalette palette{PaletteId::Form1, false};

    // Laid out, routed, drawn, and its structure derived.
    bool costruisci(const std::string& gauss, const std::string& lettere) {
        auto s = std::make_unique<LayoutState>();
        ScriptedUi ui;
        d->txtNodo = gauss;
        d->TxtOri = lettere;
        InizializzaGr(griglia, d->NumRighe, d->NumColonne, st.DimCella, GenMode::Code);
        return CostruisciDaCodice(*d, *s, st, RenderTarget{griglia, tbltt, palette, &ui}, ui) &&
               Cmdgecare_Click(*d);
    }
};

}  // namespace trevalon::fixture
