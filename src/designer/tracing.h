#pragma once
// Tracing drawn symbols on a grid: "*" strand, " " empty, "-" crossing with the horizontal strand over,
// "|" crossing with the vertical strand over. Two-click runs along a row, a column or a diagonal, or one
// cell per click; a crossing traced in a column run or as a single cell also gets its four arms. Every
// written cell is recorded for undo. The tracing works on any GridControl, with or without a shadow grid
// that holds the true drawing (the designer keeps one, `grs`; the visible grid `Gr` is rebuilt from it).

#include <cstdint>
#include <functional>
#include <string>

#include "designer/trace_undo.h"
#include "platform/grid_control.h"
#include "platform/result.h"

namespace trevalon {

class StatusPort;

// Colours are BGR numbers, as the grid control keeps them.
constexpr std::uint32_t bgr(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16);
}
inline constexpr std::uint32_t kColoreSimbolo = bgr(0, 192, 0);    // strand and crossing symbols
inline constexpr std::uint32_t kColoreVuoto = bgr(255, 255, 255);  // the empty symbol
inline constexpr std::uint32_t kColoreSotto = bgr(255, 192, 128);  // under-strand cells
inline constexpr std::uint32_t kColoreStart = bgr(0, 0, 255);      // the pending trace start
inline constexpr std::uint32_t kColoreAiuto = bgr(255, 255, 192);  // the help highlight
inline constexpr std::uint32_t kColoreErrore = bgr(255, 0, 0);     // a cell the checker marked
inline constexpr std::uint32_t kColoreTestoEtichetta = 0;          // label text

// A palette label: its caption and colours are the store of a symbol.
struct EtichettaPalette {
    std::string Caption;
    std::uint32_t BackColor = kColoreVuoto;
    std::uint32_t ForeColor = kColoreTestoEtichetta;
};

// The four symbols the palette offers, with the toolbar keys of their buttons.
enum class SimboloPalette { Arco, Spazio, Verticale, Orizzontale };
const char* chiaveToolbar(SimboloPalette s);  // "LblX", "LbSPC", "Lbvert", "LbOri"

// The palette labels and the tracing mode. `LblSce` is the current symbol, written by every trace.
struct PaletteTraccia {
    EtichettaPalette LblX{"*", kColoreSimbolo};
    EtichettaPalette LblSPC{" ", kColoreVuoto};
    EtichettaPalette Lblvert{"|", kColoreSimbolo};
    EtichettaPalette lblOri{"-", kColoreSimbolo};
    EtichettaPalette LblSce{"*", kColoreSimbolo};
    EtichettaPalette lblSotto{"*", kColoreSotto};
    EtichettaPalette LblStart{"*", kColoreStart};
    EtichettaPalette LblAiuto{"*", kColoreAiuto};
    bool ChkSingolo = false;                        // single-cell tracing
    SimboloPalette premuto = SimboloPalette::Arco;  // the pressed toolbar button of the group

    // The palette action of one label (`LblX_Click` and its three twins): the label's caption and colours
    // become the current symbol; a crossing chooses single cells, the strand and the empty symbol runs.
    void scegli(SimboloPalette s);
    // Whether a cell's text is one of the two crossing symbols.
    bool incrocio(const std::string& testo) const {
        return testo == lblOri.Caption || testo == Lblvert.Caption;
    }
};

// The grids a trace writes and what it tells the window.
struct SuperficieTraccia {
    GridControl* Gr = nullptr;    // the visible grid (required)
    GridControl* grs = nullptr;   // the shadow grid, when the drawing keeps one
    StatusPort* stato = nullptr;  // panel "p1" shows the pending start
    // Empties the checker's mark of a written cell (a cell inside the grid).
    std::function<void(int riga, int colonna)> cancellaMarca;
    // Rebuilds the visible grid: after a trace that wrote cells (`dopoTraccia`, when the checker may run
    // again first), after an undo and after an abandoned start. Unset: the visible grid is rebuilt from
    // the shadow grid with no marks (`RipristinaDaGrs`), or left as it is without a shadow grid.
    std::function<void(bool dopoTraccia)> aggiorna;
};

// The marks of the tracing menu (`MnuAzioni`).
struct MenuTraccia {
    bool AtDis = false;            // "Attiva/Disattiva" checked: clicks trace
    bool Asterisco = false;        // "Asterisco" checked
    bool Spazio = false;           // "Spazio" checked
    bool vociAbilitate = false;    // "Apri", "Asterisco", "_", "Salva", "Spazio", "|" enabled
    bool pannelloVisibile = true;  // the palette panel
};

// Which of the tracing tools a drawing offers. The designer has them all; the main window's grid editor
// traces runs along rows and columns only, shows no help, and keeps a crossing's arms off row 0 and
// column 0, which never belong to its drawing.
struct RegoleTraccia {
    bool diagonali = true;  // a second click on a diagonal of the start traces that diagonal
    bool aiuto = true;      // a first click highlights the empty cells a run could reach (`TracciaAiuto`)
    int primaCella = 0;     // the first row and column a crossing's arm may be written into
};

class Tracciatore {
  public:
    Tracciatore(SuperficieTraccia superficie, const PaletteTraccia& palette, RegoleTraccia regole = {})
        : sup_(std::move(superficie)), palette_(palette), regole_(regole) {}

    // A click on the grid (`Gr_Click`): traces while tracing is on and the cell is a drawing cell, by
    // runs or single cells as the palette says; the grid's current row then goes to 0.
    void clic(int riga, int colonna);
    // Two-click mode: a first click marks the start, an aligned second click writes the run.
    void TracciaRighe(int riga, int colonna);
    // Single-cell mode: one cell, with its arms when it is a crossing.
    void TracciaRighe2(int riga, int colonna);
    // Paints the empty cells on the eight rays from the pending start in the help colour (visible grid only).
    void TracciaAiuto();

    // "Undo" (`Command9_Click`): takes the last trace back and forgets the trace state.
    void Annulla();
    // "Annulla" (`CmDAnnulla_Click`): abandons a pending start. Without a shadow grid its cell gets back the
    // colour it had before the start was marked.
    void CmDAnnulla();
    // A pending start is dropped and, without a shadow grid, its cell's colour given back; nothing else.
    void lasciaInizio();
    // The grids were set up again (new design, opened file): the last trace belongs to the old drawing.
    void nuovaGriglia();

    // The tracing menu.
    void mnuAtDis();
    void MnuAsterisco();
    void mnuSpazio();
    void MnuOriz() { scriviSimboloMenu(palette_.lblOri.Caption); }
    void Mnuvert() { scriviSimboloMenu(palette_.Lblvert.Caption); }
    std::string mnuRowCol() const;  // the text of the "Row Col" message

    int RigaInizio = 0;
    int ColInizio = 0;
    int StatoTraccia = 0;  // 1 while a start is pending
    bool Modificato = false;
    MenuTraccia menu;

    const LogTraccia& log() const { return log_; }
    const SuperficieTraccia& superficie() const { return sup_; }
    SuperficieTraccia& superficie() { return sup_; }

  private:
    enum class Scrittura { Corsa, Singola };
    void scriviCella(int r, int c, Scrittura tipo);
    void scriviBracci(int r, int c);
    void registra(int r, int c);
    void setP1(const std::string& testo);
    void aggiorna(bool dopoTraccia);
    void scriviSimboloMenu(const std::string& simbolo);

    SuperficieTraccia sup_;
    const PaletteTraccia& palette_;
    RegoleTraccia regole_;
    LogTraccia log_;
    // Without a shadow grid the start's colour hides what the cell held: kept here for the log.
    struct SegnoInizio {
        int riga = 0;
        int colonna = 0;
        std::uint32_t colore = 0;
        bool attivo = false;
    } segnoInizio_;
};

// The designer's drawing: the visible grid `Gr`, the shadow grid `grs` that holds the true drawing, the
// palette and the tracer on them. Row 0 and column 0 of both grids exist but are hidden (size 0).
class GriglieDesigner {
  public:
    // The checker's work table holds no more drawing cells than these.
    static constexpr int kMaxRighe = 210;
    static constexpr int kMaxColonne = 700;

    GriglieDesigner() : traccia(SuperficieTraccia{&Gr, &grs, nullptr, {}, {}}, palette) {}
    GriglieDesigner(const GriglieDesigner&) = delete;
    GriglieDesigner& operator=(const GriglieDesigner&) = delete;

    // Sets both grids up empty for `righe` x `colonne` drawing cells of `dimCella` twips (a new design,
    // an opened file). The last trace and the pending start belong to the old drawing and are forgotten.
    // Counts beyond the work table are refused, and the grids are left as they were.
    Result<void> imposta(int righe, int colonne, int dimCella);
    // Every drawing row and column gets `dimCella` twips; row 0 and column 0 none (`DimensionaGrDise`).
    void DimensionaGrDise(int dimCella);

    GridControl Gr;
    GridControl grs;
    PaletteTraccia palette;
    Tracciatore traccia;
};

// Rebuilds the visible grid from the shadow grid (`RipristinaDaGrs`): every drawing cell with a symbol
// gets its text and colours back, in size 12 bold; a cell the checker marked (`marcata`, may be unset)
// turns red unless it has the under-strand colour `coloreSotto`. Returns whether any mark was painted.
bool RipristinaDaGrs(GridControl& Gr, const GridControl& grs, const std::function<bool(int, int)>& marcata,
                     std::uint32_t coloreSotto);

}  // namespace trevalon
