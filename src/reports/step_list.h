#pragma once
// The step list `FrmLista` without its widgets: the grid of one row per step of a run (step, crossings,
// Gauss code, indices), its caption and time panel, and the export of the grid as a spreadsheet. The
// complete run fills it and hands it to a `StepListPort`, which shows it modally.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/grid_control.h"
#include "platform/ports.h"

namespace trevalon {

struct ColonnaLista {
    std::string_view key;
    std::string_view header;
    int widthTwips;
};

inline constexpr std::array<ColonnaLista, 4> kColonneLista{{
    {"Step", "Step", 600},
    {"Crossings", "Crossings", 1000},
    {"Gauss", "Gauss Code", 6500},
    {"Indices", "Indices", 2000},
}};

// The one toolbar button of the window.
struct PulsanteLista {
    std::string_view key;
    std::string_view image;
    std::string_view tooltip;
};
inline constexpr PulsanteLista kPulsanteXls{"XLS", "xls", "Export xls"};

// The caption of the list: the knot file's name without its folder (either "/" or "\") and with every
// ".kno" and ".KNO" removed.
std::string captionLista(std::string_view nomeFileNodo);

// The name proposed for the export: the knot file's name with its extension replaced by "_S", the step
// and ".xlsx" (".XLSX" for an upper-case extension), in the knot file's folder; so never the knot file
// itself. Empty when no knot file is open.
std::string propostaNomeXls(std::string_view nomeFileNodo, int numStato);

class FrmLista {
  public:
    FrmLista(FileDialogPort& dialogs, MessagePort& messages);

    // Load: clears the answer (when given), sets the grid up with its header row.
    void Form_Load(ViewerAnswer* esitoDialogo = nullptr);
    void InizializzaGrd();

    // One row per step, in order: the step number, its Gauss-code text and its over/under letters.
    void AggiungiPasso(int passo, std::string_view codice, std::string_view ori);
    // After the rows: painting on, the last row scrolled into view.
    void Concludi();

    void ImpostaCaption(std::string_view nomeFileNodo);
    // Panel "p2": "Time processing sec: " and the seconds.
    void ImpostaTempo(double seconds);

    // The knot file and step the export proposes its name from.
    std::string NomeFileNodo;
    int NumStato = 0;

    // Asks for a name and writes the grid as a spreadsheet; false when cancelled or failed (a failure is
    // shown as a message).
    bool EsportaXls();
    void tlb1_ButtonClick(std::string_view key);

    // The column key of a column, or empty.
    std::string_view colKey(int col) const;
    int rowCount() const { return GrLis.rows() - 1; }

    GridControl GrLis;
    std::string caption;
    std::string p2;
    // How the run ended when it did not end by itself: shown beside the time, empty otherwise.
    std::string p1;

  private:
    FileDialogPort& dialogs_;
    MessagePort& messages_;
};

// What shows the filled list modally (the Qt window, or nothing in a run without a person).
class StepListPort {
  public:
    virtual ~StepListPort() = default;
    virtual void showStepList(FrmLista& lista) = 0;
};

}  // namespace trevalon
