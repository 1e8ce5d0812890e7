#pragma once
// Building the picture of a diagram given by its code: check, layout, border walk and routing, tidying,
// cell lists and the full drawing. The main window adds its messages and button states around it.

#include <string>
#include <string_view>

#include "layout/layout_state.h"
#include "layout/palette.h"
#include "layout/render_grid.h"
#include "layout/tile_renderer.h"
#include "model/tables.h"
#include "platform/grid_control.h"
#include "platform/headless_ui.h"
#include "platform/ports.h"
#include "platform/result.h"

namespace trevalon {

struct BuildTimes {
    long long layoutUs = 0, routingUs = 0, tidyingUs = 0, renderingUs = 0;
};

// The start of the window's message for a drawing too large for the display grid.
inline constexpr std::string_view kDisegnoTroppoGrande = "The diagram cannot be drawn: ";
// The start of the window's message for a diagram that can be drawn but that the layout could not route.
inline constexpr std::string_view kNonDisponibile = "The diagram could not be laid out: ";
// The message of a layout the person stopped.
inline constexpr std::string_view kLayoutFermato = "The layout of the diagram was stopped.";

// Builds d.txtNodo / d.TxtOri into the cell table and draws it into t (arco 0, black); the times of its
// phases. In the automatic run (s.ModoAutomatico) it stops after the layout: the side tables are written,
// nothing is routed or drawn. When the arcs cannot be routed, the layout is spread wider, then laid out
// from the next root crossings and with the other turning modes, then all of that again with the tree
// queue served from its end; that tree is also tried when the tidied drawing does not fit the display
// grid. s.IncrocioRadice is the root of the drawing built.
// A failure's message is the one the window shows: kErroreCodiceGau for a faulty code (whose fault lines
// are first shown through ui) or a layout that cannot be made, kErroreIndiciGau when the over/under letters
// cannot be drawn in the plane (found before any layout; the reason is first shown through ui),
// kNonDisponibile followed by the reason when no layout can be routed, kDisegnoTroppoGrande followed by the
// reason when the drawing is larger than the cell table or runs off a table. A drawing larger than the work
// extent (d.NumRighe by d.NumColonne) widens it, and the display grid t.griglia with it. *why, when given,
// receives the engine's own reason of a failure (the bench harness prints it).
Result<BuildTimes> CostruisciDaCodice(Diagram& d, LayoutState& s, RenderState& st, const RenderTarget& t,
                                      MessagePort& ui, std::string* why = nullptr);

// The plane check of CostruisciDaCodice: whether the code d.txtNodo and its over/under letters d.TxtOri can
// be drawn in the plane. The empty text when they can, or when the code is left for the code check or the
// layout to refuse; else the reason ("the over/under letters cannot be drawn in the plane: ..."), which
// CostruisciDaCodice gives as *why when it refuses them. The crossing, arc and region tables of d are built
// as the structure build builds them.
std::string lettereNonDisegnabili(Diagram& d);

// Everything one build of a diagram's picture from its code needs when no window shows it, kept between
// builds as a main window keeps its own: the diagram, the layout's scratch, the render state, a grid and
// tile names to draw into, the palette, and a port that answers no one.
struct BancoCostruzione {
    Diagram d;
    LayoutState s;
    RenderState st;
    GridControl griglia;
    TileNameTable tbltt;
    TilePalette palette{PaletteId::Form1, false};
    AutomaticUi ui;
};

}  // namespace trevalon
