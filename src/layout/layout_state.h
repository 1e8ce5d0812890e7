#pragma once
// The layout state of one main window: the work grid of the automatic layout, its tree queue, spacing,
// root crossing, the border list and point list of the routing, the change flag of the straightening,
// the developer-panel settings and the developer hook. Two main windows have two of these.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/tables.h"
#include "platform/debug_dump.h"
#include "platform/grid_control.h"
#include "platform/table2d.h"

namespace trevalon {

class LayoutDeveloperHook;

// `TblNodoAlbero`: rows and columns 0..2500, each cell empty, a crossing or an arc with its number,
// packed into two bytes. The box of cells written since the last clear is kept, so that a clear and the
// extent only visit that box.
class WorkGrid {
  public:
    static constexpr int kMax = 2500;
    static constexpr int kSize = kMax + 1;

    static bool inside(int r, int c) { return r >= 0 && c >= 0 && r < kSize && c < kSize; }
    char Tipo(int r, int c) const {
        const std::uint16_t v = raw(r, c);
        return v == 0 ? '\0' : ((v & kArcBit) ? 'A' : 'I');
    }
    int Numero(int r, int c) const { return raw(r, c) & ~kArcBit; }
    // tipo 'I' or 'A' with its number, or 0 to empty the cell.
    void set(int r, int c, char tipo, int numero);
    void clearTouched();
    bool anyTouched() const { return rMin_ <= rMax_; }
    // The box that holds every cell written since the last clear (empty: min > max).
    int rMin() const { return rMin_; }
    int rMax() const { return rMax_; }
    int cMin() const { return cMin_; }
    int cMax() const { return cMax_; }

    // Shifts: columns c0..c1 move by dc (-1 or +1) on rows r0..r1, rows r0..r1 by dr on columns c0..c1.
    void shiftColumns(int c0, int c1, int dc);
    void shiftRows(int r0, int r1, int dr);

  private:
    static constexpr std::uint16_t kArcBit = 0x8000;
    std::uint16_t raw(int r, int c) const { return inside(r, c) ? cells_.at(r, c) : 0; }
    void grow(int r, int c);
    Table2D<std::uint16_t, kSize, kSize> cells_{"work grid"};
    int rMin_ = kSize, rMax_ = -1, cMin_ = kSize, cMax_ = -1;
};

// The longest buffer of a border route, as text, in an ordinary layout.
inline constexpr std::size_t kMaxCaratteriPercorso = 200000;

// One record of `CodaAlbero`.
struct ElementoCoda {
    int IncrocioPadre = 0;
    int IncrocioFiglio = 0;
    int ArcoPadre = 0;
    int LatoPadre = 0;
    char VersoPadre = 0;
};

// One record of `PuntiBordo`.
struct PuntoBordo {
    int RigaArco = 0, ColArco = 0;
    int RigaInc = 0, ColInc = 0;
    int NumeroArco = 0;
    int NumeroInc = 0;
};

struct Punto {
    int r = 0, c = 0;
    friend bool operator==(const Punto&, const Punto&) = default;
};
// A place of a path kept in memory that holds no cell (see `numeratoFino`): its row is -1. The first
// hole of a stretch of holes holds the stretch's length as its column; any other hole, 1 at least.
inline bool buco(const Punto& p) {
    return p.r < 0;
}

// The developer panel's fields that steer the layout; their initial values hold in normal use.
struct LayoutSettings {
    std::string Txtfat = "11";  // spacing between neighbouring work cells
    std::string TXTmodo = "S";  // turning mode of the tree: "S" clockwise, "A"/"B" by parity
    bool ChKrAD = true;         // straightening on
    bool ModoSviluppo = false;  // developer layout
};

struct LayoutState {
    WorkGrid TblNodoAlbero;
    std::vector<ElementoCoda> CodaAlbero = std::vector<ElementoCoda>(kMaxIncroci + 1);
    // The longest buffer of a border route, as text.
    std::size_t maxCaratteriPercorso = kMaxCaratteriPercorso;

    std::vector<PuntoBordo> PuntiBordo;  // border list, in walking order (index 0 is the first point)
    std::vector<Punto> punti;            // the point list (`PuntiRiga`, `PuntiColonna`, `NumPunti`)
    std::vector<Punto> BufferPunti;      // the path under construction, one entry per item
    std::size_t bufferChars = 0;         // the length the buffer would have as text

    LayoutSettings settings;
    // The debug dumps of a routing that fails, with the main grid they save; none while debug is off.
    DumpFolder dump;
    const GridControl* grigliaPrincipale = nullptr;
    LayoutDeveloperHook* hook = nullptr;  // developer aids; none in normal use
    std::function<void()> progresso;      // `AggiornaProgressivo`; may be empty
    // The window's caption, which the developer layout's tree step sets to the crossing it places; may be
    // empty (and is, in every copy made for another thread).
    std::function<void(const std::string&)> didascalia;
    // Asked at every progress step of a layout that a person may stop (it may serve the window's events
    // meanwhile); true stops the layout there (`LayoutFermato`).
    std::function<bool()> fermato;
    // Told when a layout attempt's first routing has failed, before it widens and routes again; may be
    // empty. A build starts the attempts after the first then, while the first goes on widening.
    std::function<void()> primoInstradamentoFallito;

    // Scratch of the routing's reachability test: every cell 0 between calls.
    Table2D<std::uint8_t, CellTable::kSize, CellTable::kSize> marcheRaggiungibile{"reachability marks"};

    // Scratch of the loop removal of a border route as it is walked: a bit per cell of the cell table, set
    // for the cells it keeps; every bit is back to 0 between routes.
    Table2D<std::uint64_t, CellTable::kSize, (CellTable::kSize + 63) / 64> celleTenute{"kept cells"};

    // Scratch of the loop removal: per cell of the cell table its place in the list being cleaned plus
    // one, 0 for none; every entry is back to 0 between calls. Fresh, it costs nothing until used.
    Table2D<std::int32_t, CellTable::kSize, CellTable::kSize> indiceCella{"loop removal index"};

    // While the tidying straightens, the paths are kept as point lists here and written back as text at
    // the end (`scriviPercorsiInSospeso`), instead of being read and written as text at every change.
    std::vector<std::vector<Punto>> percorsiMemoria;
    std::vector<char> percorsoCaricato, percorsoCambiato;
    // Per arc, while its path is kept here: the path names distinct cells, every one a cell of the arc
    // whose `Posizione` is its place in the path. Set only by the straightening of humps.
    std::vector<char> percorsoPulito;
    // Per arc, while its path is kept here: the cells of its places from this one on still wait to be
    // given their places by `numeraInSospeso` (kNumeratoTutto: none waits). Places from this one on may
    // also be holes (`buco`), left where a straightening shortened the path: the places after a hole keep
    // their cells' `Posizione` until the holes close, when the cells are given their places.
    static constexpr int kNumeratoTutto = 1 << 30;
    std::vector<int> numeratoFino;

    // The tidying's straightening of an area, pass after pass (`RaddrizzaGobbe`), while `attiva`, over the
    // cells of `tavola`. Per row and column of the area: one bit per place, set where the cell is filled
    // (a crossing's, an arc's or any other kind); the first and last place changed since the line was
    // last scanned to its end (past the line's end and -1: none), the first and last place changed since
    // the current scan of the line began again, and the first and last place where a straightening was
    // tried and failed (likewise).
    struct LineaRaddrizzata {
        int da = 0, fine = -1, cambio = 0, cambioFine = -1, tentato = 0, tentatoFine = -1;
    };
    struct Raddrizzatura {
        bool attiva = false;
        int r0 = 0, r1 = -1, c0 = 0, c1 = -1;
        const CellTable* tavola = nullptr;
        int paroleRiga = 0, paroleColonna = 0;
        std::vector<std::uint64_t> pieneRighe, pieneColonne;
        std::vector<LineaRaddrizzata> righe, colonne;
    };
    Raddrizzatura raddrizzatura;

    // The part of the cell table that may hold anything (rows, then columns); the whole table until a
    // build has tidied it.
    LimitiNodo areaSporca{0, kMaxCella, 0, kMaxCella};
    // While `areaEsatta`, the cells written since the table was last cleared, each at least once, unless
    // there were too many to keep (`celleScritteTutte` false): a clear then visits those cells only.
    std::vector<Punto> celleScritte;
    // The cells the last spread of the work grid wrote, in the order written.
    std::vector<Punto> celleStese;

    // Crossings placed on the work grid by the current layout.
    std::vector<char> piazzato = std::vector<char>(kMaxIncroci + 1, 0);

    // The spread of the work grid: extra cells added to the spacing after work row (column) j, and the
    // cell-table row (column) where work row (column) j stands; -1 for rows outside the layout.
    std::vector<int> extraRiga = std::vector<int>(WorkGrid::kSize, 0);
    std::vector<int> extraCol = std::vector<int>(WorkGrid::kSize, 0);
    std::vector<int> rigaStesa = std::vector<int>(WorkGrid::kSize, -1);
    std::vector<int> colStesa = std::vector<int>(WorkGrid::kSize, -1);
    // Cells where a border route has run through a passage one cell wide, which it fills: rows of
    // passages running across, columns of passages running up or down. A routing that fails widens the
    // spread there.
    std::vector<int> strettoiaRighe, strettoiaColonne;

    // The queue's ends, the spacing, the root crossing; and the switches of the layout, kept together.
    int TestaCoda = 0;
    int FondoCoda = 0;
    int FattoreLayout = 11;
    int MezzoFattore = 5;
    int IncrocioRadice = 1;
    // The tree queue is served from its end (last queued first) instead of its head.
    bool codaDallaFine = false;
    // The tree's turning by parity ("A", "B") reads the parity of each crossing's place in the order the
    // knot first passes the crossings (`ordineVisita`) instead of its number.
    bool giroPerVisita = false;
    std::vector<int> ordineVisita;
    // The helper threads a build's layout attempts after the first may use at once; -1: by the cores.
    int aiutantiTentativi = -1;
    bool TracciatoCambiato = false;
    bool ModoAutomatico = false;
    bool ModoDebug = false;
    // The paths are kept as point lists (`percorsiMemoria`) while the tidying straightens.
    bool percorsiInMemoria = false;
    // While a build lays out and routes, every cell it writes grows `areaSporca` (from the spread to the
    // last route), so that a layout laid out again clears only what the last one wrote. `areaEsatta`
    // while the area is such a box, noted since the table was last cleared.
    bool areaNotata = false;
    bool areaEsatta = false;
    // Whether a route that fails says all of its reason (whether its other end is shut in, which costs a
    // flood of the free cells): a build reads the reason of its first routing only.
    bool motiviCompleti = true;
    // Whether a routing that fails writes its paths back as text: a build drops them unread, since it
    // lays out again (which clears every path) or fails.
    bool percorsiDiFallimento = true;
    // Whether a routing that succeeds leaves its paths as point lists (`percorsiInMemoria` still set) for
    // the tidying that follows it (`Assesta`), instead of writing them as text for the tidying to read
    // back: a build tidies right after its routing.
    bool percorsiPerAssestare = false;
    // `celleScritte` holds every cell written (false: there were too many to keep).
    bool celleScritteTutte = false;

    void tick() const;
};

// The large tables of a diagram and its layout state (the cell table, the region graph, the work grid, the
// routing's and the tidying's scratch), with what tells which cells of the cell table are written, which
// goes with the table. Moved out, they leave a pair that copies cheaply; moved back, the pair is whole.
struct TavoleLayout {
    CellTable celle;
    RegionGraph regioni;
    WorkGrid albero;
    decltype(LayoutState::marcheRaggiungibile) marche;
    decltype(LayoutState::celleTenute) tenute;
    decltype(LayoutState::indiceCella) indice;
    LayoutState::Raddrizzatura raddrizzatura;
    std::vector<Punto> scritte;
    LimitiNodo areaSporca;
    bool areaEsatta = false;
    bool scritteTutte = false;
};
TavoleLayout TogliTavole(Diagram& d, LayoutState& s);
void RimettiTavole(Diagram& d, LayoutState& s, TavoleLayout& t);
// Empty tables, for a pair laid out as s is: the empty cell table needs no clearing.
TavoleLayout TavoleVuote(const LayoutState& s);

// Thrown by a progress step of a layout that the person stopped; the build answers it with kLayoutFermato.
struct LayoutFermato {};

}  // namespace trevalon
