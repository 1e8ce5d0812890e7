#pragma once
// Developer aids of the layout and routing: cell marks with a pause, step views of the construction and
// the work grid shown as numbers. None is installed in normal use; the developer layout installs one.

#include <string>

#include "layout/layout_state.h"
#include "model/tables.h"

namespace trevalon {

class LayoutDeveloperHook {
  public:
    virtual ~LayoutDeveloperHook() = default;
    // `MarcaCella`: shows cell (r, c) of the cell table with the text msg and pauses.
    virtual void marcaCella(const Diagram& d, int r, int c, const std::string& msg) = 0;
    // A modal pause of the cell lists (`ListaCelle`, `PuntiDaEl` asked to show their work): cell (r, c)
    // is point i of the arc being listed.
    virtual void pausaPunto(const Diagram& d, int r, int c, int i) = 0;
    // `NodoIngrid`: the work grid as numbers.
    virtual void nodoIngrid(const LayoutState& state) = 0;
    // `VisCostruzione`'s step display with its label: of the growing tree in the work grid (`daCelle`, the
    // steps that spread it into the cell table first), or of the cell table.
    virtual void visCostruzione(const Diagram& d, const LayoutState& state, const std::string& msg,
                                bool daCelle) = 0;
};

}  // namespace trevalon
