#pragma once
// The toolbar's "Find connected sum" in the main window: the connected-sum search on the diagram shown,
// its candidates drawn in the main grid, the chosen one split into its summands, each saved on request as
// a knot file that opens again.

#include <string>

#include "connsum/partition.h"
#include "connsum/sum_window.h"

namespace trevalon {

struct ContestoFinestra;
struct VistaNodo;

// The main window as the connected-sum search sees it.
class FinestraSommaForm2 : public FinestraSomma {
  public:
    FinestraSommaForm2(ContestoFinestra& f, VistaNodo& v) : f_(f), v_(v) {}

    Diagram& diagramma() override;
    UserInterface& ui() override;
    StopRequest& RichiestaStop() override;
    void progresso() override;
    void azzeraProgressivo() override;
    void ridisegna() override;
    void settaDone() override;
    GridArea evidenziaSottonodo(const Partizione& p) override;
    GridArea disegnaAddendo(int s) override;
    const GridControl* grigliaPrincipale() const override;
    void salvaAddendo(int s, const std::string& testoFile) override;

    // The state of the last search: its pairs, and the records of the pair answered on.
    StatoSomma& stato() { return stato_; }

  private:
    ContestoFinestra& f_;
    VistaNodo& v_;
    StatoSomma stato_;
};

// `CmdSottoNodi_Click` on the window's diagram, the split bound to "Se1". Does nothing while no diagram
// with crossings is shown.
void TrovaSommaConnessa(FinestraSommaForm2& w);

}  // namespace trevalon
