#pragma once
// Everything one build of a diagram's picture needs, kept between builds as a main window keeps it.

#include "layout/build.h"
#include "layout/layout_state.h"
#include "layout/palette.h"
#include "layout/render_grid.h"
#include "layout/tile_renderer.h"
#include "model/tables.h"
#include "platform/grid_control.h"
#include "platform/headless_ui.h"

namespace trevalon::bench {

struct Banco {
    Diagram d;
    LayoutState s;
    RenderState st;
    GridControl griglia;
    TileNameTable tbltt;
    TilePalette palette{PaletteId::Form1, false};
    AutomaticUi ui;
};

}  // namespace trevalon::bench
