#pragma once
// The main window as the connected-sum search, the split into summands and their saving see it: its
// diagram, its user interface, the drawings of the main grid they ask for, and the saving of a summand.
// A window implements it with its grids and dialogs; tests and the headless harness with nothing shown.

#include <string>
#include <vector>

#include "connsum/partition.h"
#include "model/tables.h"
#include "platform/grid_control.h"
#include "platform/ports.h"

namespace trevalon {

class FinestraSomma {
  public:
    virtual ~FinestraSomma() = default;

    virtual Diagram& diagramma() = 0;
    // Messages, status panels, the stop frame and its yields, the toolbar, the step viewer.
    virtual UserInterface& ui() = 0;
    // "Cancel" of the stop frame (or the window closing).
    virtual StopRequest& RichiestaStop() = 0;
    // `AggiornaProgressivo` and its counter set back to 0.
    virtual void progresso() = 0;
    virtual void azzeraProgressivo() = 0;
    // `CmdGrafica_Click`: the whole diagram drawn again into the main grid.
    virtual void ridisegna() = 0;
    // `SettaDone`.
    virtual void settaDone() = 0;
    // `DisegnoGraficoSotto`: the sub-knot of record p (its ArchiTratto, ListaBordo, Arco1, Arco2) drawn in
    // the main grid, in place. The cells of the two cut arcs, where the person looks first (empty when
    // nothing is drawn).
    virtual GridArea evidenziaSottonodo(const Partizione& p) = 0;
    // `DisegnoGraficoZ`: the cell table as the split left it for summand s (1 black, 2 red), drawn right
    // of the diagram in the main grid. The cells where the summand stands (empty when nothing is drawn).
    virtual GridArea disegnaAddendo(int s) = 0;
    // The main grid the step viewer copies (null when there is none).
    virtual const GridControl* grigliaPrincipale() const = 0;
    // `SalvaIndipendentComponent`: asks for the file name of summand s (the save dialog of kind "CS1" or
    // "CS2"; nothing is written when it is cancelled) and writes `testoFile`, the whole file. A failure to
    // write is shown as a message.
    virtual void salvaAddendo(int s, const std::string& testoFile) = 0;
};

// A window with nothing to show: the diagram and the user interface it is given, every drawing left
// undone, and every summand "saved" into a list instead of a file. For tests and the headless harness.
class FinestraSommaSenzaVista : public FinestraSomma {
  public:
    FinestraSommaSenzaVista(Diagram& d, UserInterface& ui) : d_(d), ui_(ui) {}

    Diagram& diagramma() override { return d_; }
    UserInterface& ui() override { return ui_; }
    StopRequest& RichiestaStop() override { return stop_; }
    void progresso() override { ++progressi; }
    void azzeraProgressivo() override { progressi = 0; }
    void ridisegna() override { ++ridisegni; }
    void settaDone() override {}
    GridArea evidenziaSottonodo(const Partizione& p) override {
        evidenziati.push_back(p);
        return {};
    }
    GridArea disegnaAddendo(int s) override {
        addendiDisegnati.push_back(s);
        return {};
    }
    const GridControl* grigliaPrincipale() const override { return nullptr; }
    void salvaAddendo(int s, const std::string& testoFile) override { salvati.push_back({s, testoFile}); }

    struct Salvato {
        int addendo = 0;
        std::string testo;
    };
    int progressi = 0;
    int ridisegni = 0;
    std::vector<Partizione> evidenziati;
    std::vector<int> addendiDisegnati;
    std::vector<Salvato> salvati;

  private:
    Diagram& d_;
    UserInterface& ui_;
    StopRequest stop_;
};

}  // namespace trevalon
