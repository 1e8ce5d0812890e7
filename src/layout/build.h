#pragma once
// Building the picture of a diagram given by its code: check, layout, border walk and routing, tidying,
// cell lists and the full drawing. The main window adds its messages and button states around it.

#include <string>

#include "layout/layout_state.h"
#include "layout/tile_renderer.h"
#include "model/tables.h"
#include "platform/ports.h"

namespace trevalon {

struct BuildTimes {
    long long layoutUs = 0, routingUs = 0, tidyingUs = 0, renderingUs = 0;
};

enum class BuildOutcome { Done, CodeError, LayoutError, RoutingError, TooLarge };

struct BuildResult {
    BuildOutcome outcome = BuildOutcome::Done;
    std::string reason;  // why the build failed; empty when done
    BuildTimes times;
    bool ok() const { return outcome == BuildOutcome::Done; }
};

// Builds d.txtNodo / d.TxtOri into the cell table and draws it into t (arco 0, black). In the automatic
// run (s.ModoAutomatico) it stops after the layout: the side tables are written, nothing is routed or
// drawn. When the arcs cannot be routed, the layout is spread wider, then laid out from the next root
// crossings; s.IncrocioRadice is the root of the drawing built. On failure d.ErroreCostruzione is set and the
// result says why. The code check shows its fault lines through ui.
BuildResult CostruisciDaCodice(Diagram& d, LayoutState& s, RenderState& st, RenderTarget t, MessagePort& ui);

}  // namespace trevalon
