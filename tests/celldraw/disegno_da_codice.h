#pragma once
// A diagram laid out from its code, with the main grid and tile-name table it was drawn into, as the main
// window makes them: what the cell drawing of a step is made from.

#include <memory>
#include <string>
#include <vector>

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

// The laid-out knot as a character drawing three times its size: each cell of the cell table becomes a
// block of 3 x 3 whose middle row and column carry its strands; a corner is cut across, as drawings are.
inline std::vector<std::string> disegnoIngrandito(const Diagram& d) {
    const LimitiNodo& l = d.limiti;
    std::vector<std::string> righe(static_cast<std::size_t>(3 * (l.RigaMax - l.RigaMin + 1)),
                                   std::string(static_cast<std::size_t>(3 * (l.ColMax - l.ColMin + 1)), ' '));
    const auto metti = [&](int r, int c, char s) {
        righe[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = s;
    };
    for (int r = l.RigaMin; r <= l.RigaMax; ++r)
        for (int c = l.ColMin; c <= l.ColMax; ++c) {
            const int forma = d.TblNodo.at(r, c).Forma;
            if (forma == 0) continue;
            const int cr = 3 * (r - l.RigaMin) + 1, cc = 3 * (c - l.ColMin) + 1;
            const bool su = forma == 1 || forma == 3 || forma == 4 || forma == 5 || forma == 6;
            const bool giu = forma == 1 || forma == 3 || forma == 4 || forma == 7 || forma == 8;
            const bool sinistra = forma == 2 || forma == 3 || forma == 4 || forma == 5 || forma == 8;
            const bool destra = forma == 2 || forma == 3 || forma == 4 || forma == 6 || forma == 7;
            if (su) metti(cr - 1, cc, '*');
            if (giu) metti(cr + 1, cc, '*');
            if (sinistra) metti(cr, cc - 1, '*');
            if (destra) metti(cr, cc + 1, '*');
            if (forma <= 4) metti(cr, cc, forma == 3 ? '-' : forma == 4 ? '|' : '*');
        }
    return righe;
}

}  // namespace trevalon::fixture
