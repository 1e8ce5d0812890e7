#pragma once
// The cell marks of the developer layout: the layout's developer hook that shows each cell the routing and
// straightening code marks in the main grid, says where it is in the step viewer's message line and
// pauses in the step viewer until it is closed. Every mark is also kept, in order, for whoever wants to
// read them back.

#include <string>
#include <vector>

#include "layout/developer_hook.h"
#include "platform/grid_control.h"
#include "platform/ports.h"

namespace trevalon {

// Back colour of a marked cell (green, BGR).
inline constexpr std::uint32_t kColoreMarca = 65280;
// Back colour of a point of a cell list being shown (yellow, BGR).
inline constexpr std::uint32_t kColorePunto = 65535;

// Text colour of a crossing's number in the numeric view (red, BGR).
inline constexpr std::uint32_t kColoreIncrocio = 255;

// The numeric view of the cell table: the main grid cleared, then every arc and crossing cell of the extent
// shows its number at its display place, a crossing's in red.
void MostraNumeri(GridControl& griglia, const Diagram& d);

// The numeric view of the work grid of a growing layout: every crossing placed shows its number, in red, at
// its work cell from the first row and column on.
void MostraAlbero(GridControl& griglia, const WorkGrid& albero);

// One shown mark: the table cell, its grid place, its text and the message line it was shown with.
struct MarcaMostrata {
    int r = 0, c = 0;    // cell of the cell table
    int gr = 0, gc = 0;  // display cell of the main grid
    std::string msg;
    std::string lblmsg;
};

// `MarcaCella` into a grid: the display cell of table cell (r, c) (the offsets of `Centratura` over the
// diagram's extent) loses its picture, shows msg on green, and the grid scrolls so that it is five rows and
// columns in (never before row and column 1). Returns the mark with its message line, grid place and table
// place ("gr-gc       r-c msg"). A place outside the grid is reported but writes nothing. A point of a
// cell list is shown the same way on `colore` (yellow) instead.
MarcaMostrata MarcaCella(GridControl& griglia, const Diagram& d, int r, int c, const std::string& msg,
                         std::uint32_t colore = kColoreMarca);

// The hook of the developer layout. `viewer` is the step viewer used as the pause (null: no pause).
class MarcheCelle : public LayoutDeveloperHook {
  public:
    MarcheCelle(GridControl& griglia, StepViewerPort* viewer) : griglia_(griglia), viewer_(viewer) {}

    void marcaCella(const Diagram& d, int r, int c, const std::string& msg) override;
    // A point of a cell list is marked with its number along the list, on yellow.
    void pausaPunto(const Diagram& d, int r, int c, int i) override;
    // The work grid as numbers is a view of the layout, not a mark: nothing is shown here.
    void nodoIngrid(const LayoutState& state) override;
    // A step of the construction: the numeric view, and the pause with "Viscostruzione " and the step's
    // label in the message line.
    void visCostruzione(const Diagram& d, const LayoutState& state, const std::string& msg,
                        bool daCelle) override;

    const std::vector<MarcaMostrata>& marche() const { return marche_; }
    int pause() const { return pause_; }

  private:
    void mostra(const Diagram& d, int r, int c, const std::string& msg, std::uint32_t colore);
    void pausa(const std::string& lblmsg, const GridArea& fuoco);

    GridControl& griglia_;
    StepViewerPort* viewer_;
    std::vector<MarcaMostrata> marche_;
    int pause_ = 0;
};

}  // namespace trevalon
