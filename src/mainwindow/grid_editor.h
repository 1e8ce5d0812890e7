#pragma once
// The developer layout's editor on the main grid: drawing mode turns the grid into 500 x 500 square cells,
// and clicks trace the current symbol of the palette, one cell at a time ("Singolo") or in runs between two
// clicks along a row or a column, with the same tracing engine as the knot designer. A crossing gets its
// four arms and the under strand's marks. Outside drawing mode a click shows in the caption what the cell
// table holds under the cell. The drawing is read and saved as a text drawing; "Undo" gives the cells of
// the last trace back their previous text and colour.

#include <cstdint>
#include <string>

#include "designer/trace_undo.h"
#include "designer/tracing.h"

namespace trevalon {

struct ContestoFinestra;
struct VistaNodo;

enum class PulsanteMouse { Sinistro, Destro, Altro };

// The marks and the enabling of the grid's popup menu `MnuAzioni`.
struct MenuAzioni {
    bool AtDis = false;          // "Attiva/Disattiva" checked: drawing mode
    bool Asterisco = false;      // "Asterisco" checked
    bool Spazio = false;         // "Spazio" checked
    bool vociAbilitate = false;  // "Asterisco", "Spazio", "_", "|", "Apri" and "Salva" enabled
};

// The main window's palette: strand and crossings red, the under strand's arms green, the empty cell white,
// the pending start of a run yellow; the current symbol starts as the strand.
PaletteTraccia paletteEditorGriglia();

class EditorGriglia {
  public:
    static constexpr int kCelleDisegno = 500;  // rows and columns of the grid in drawing mode
    static constexpr int kDimCella = 150;      // their size in twips

    // The window's context and the view whose grid `Gr` the editor works on.
    EditorGriglia(ContestoFinestra& f, VistaNodo& v);
    EditorGriglia(const EditorGriglia&) = delete;
    EditorGriglia& operator=(const EditorGriglia&) = delete;

    // `Gr_Click`: outside the developer layout only the current cell goes; a click that follows a
    // right-button press is swallowed; otherwise the cell inspector or, in drawing mode, a trace.
    void Gr_Click(int riga, int colonna);
    // `Gr_MouseDown`: the right button on a drawing cell in the developer layout moves the run's start
    // there and asks for the popup menu (true).
    bool Gr_MouseDown(PulsanteMouse pulsante, int riga, int colonna);

    // A palette label clicked (`LblX_Click` and its twins): it becomes the current symbol `LblSce`.
    void scegliEtichetta(const EtichettaPalette& etichetta);

    // The popup menu's items.
    void mnuAtDis();
    void MnuAsterisco();
    void mnuSpazio();
    void MnuOriz();
    void Mnuvert();
    void mnuApri();
    void MnuSalva();
    std::string mnuRowCol() const;  // the text of the "Row Col" message

    // The drawing tools' buttons: "Undo" (the last trace's cells back, and a pending start dropped and
    // unmarked), "Annnulla" (a pending start dropped and unmarked), "Clear".
    void Command9_Click();
    void CmDAnnulla_Click();
    // The grid's drawing written as a text drawing and read back, in memory: what the grid then shows is
    // exactly what a saved file would give. A drawing too large for a text drawing is refused with a
    // message and the grid stays as it was.
    void CmdClear_Click();

    // The size of the view that shows the grid, in twips ("Apri" brings the drawing read into it; 0 counts
    // as a view of one cell).
    void dimensioniVista(int larghezza, int altezza);

    bool modoDisegno() const { return menu.AtDis; }
    // The grid control's size is tripled while drawing mode is on: "Dim Doppia" was ticked when it began.
    bool dimensioneTripla() const { return tripla_; }
    const LogTraccia& LogCelle() const { return traccia_.log(); }
    Tracciatore& traccia() { return traccia_; }
    const Tracciatore& traccia() const { return traccia_; }

    PaletteTraccia palette;
    bool ChDimDoppia = false;  // "Dim Doppia"
    bool SaltaClick = false;
    MenuAzioni menu;

  private:
    void ispeziona(int riga, int colonna);
    void scriviSimboloMenu(bool orizzontale);

    ContestoFinestra& f_;
    VistaNodo& v_;
    Tracciatore traccia_;
    bool tripla_ = false;
    int vistaLarghezza_ = 0;
    int vistaAltezza_ = 0;
};

}  // namespace trevalon
