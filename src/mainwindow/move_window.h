#pragma once
// The main window's engine object as the move drivers see it: its diagram, its modes, the step history as
// the recorder of applied moves, the build from the code after a move, the highlighting of candidates in
// the main grid, and the hidden look-ahead instance `FormProva` with which the horizontal search tests the
// diagrams it reaches.

#include <memory>
#include <string>

#include "mainwindow/form2.h"
#include "moves/bridge_driver.h"
#include "platform/headless_ui.h"

namespace trevalon {

class StepListPort;

class FinestraForm2 : public FinestraPonte {
  public:
    // The visible main window's view of its engine object.
    explicit FinestraForm2(Form2& form);
    ~FinestraForm2() override;
    FinestraForm2(const FinestraForm2&) = delete;
    FinestraForm2& operator=(const FinestraForm2&) = delete;

    Form2& form() { return *form_; }
    StatoPonte& statoPonte() { return stato_; }
    // True when the last registraPasso() recorded a step.
    bool ultimoPassoRegistrato() const { return registrato_; }
    // The look-ahead instance, when it has been created.
    FinestraForm2* provaSeCreata() { return prova_.get(); }

    // FinestraMosse
    Diagram& diagramma() override { return form_->diagram; }
    UserInterface& ui() override { return form_->ui; }
    OpzioniMosse opzioni() const override;
    char modoGen() const override;
    int& contaNuoviIncroci() override { return contaNuovi_; }
    void impostaTipoMossa(const std::string& tipo) override;
    void impostaEsitoDialogo(const std::string& esito) override;
    bool ricostruisciDaCodice() override;
    void registraPasso() override;
    void ricostruisciDaDisegno() override;
    void scriviDisegnoTesto() override {}
    void ridisegna() override;
    void mossaIIIRifiutata() override { stato_.MossaIIIRifiutata = true; }
    void evidenziaCandidato(const CandidatoMossa& c) override;
    const GridControl* grigliaPrincipale() const override;
    void azzeraProgressivo() override { form_->ContatoreProgresso = 0; }
    void riattivaPittura() override { form_->Gr.setRedraw(true); }

    // FinestraPonte
    AlberoOrizzontale& albero() override { return *albero_; }
    FinestraPonte& prova() override;
    int& RichiestaStop() override;
    void fineCorsaCompleta() override;
    bool caricaConsegna(const std::string& codice, const std::string& ori, const std::string& nomi) override;
    void evidenziaPonte(const CandidatoPonte& c) override;
    void impostaPassoCombinato(bool on) override { passoCombinato_ = on; }

  private:
    // The look-ahead instance: its own engine object with the automatic port, sharing the tree.
    FinestraForm2(ProgramContext& ctx, std::shared_ptr<AlberoOrizzontale> albero);
    bool nascosta() const { return prova_ == nullptr && proprio_ != nullptr; }

    std::unique_ptr<AutomaticUi> automatico_;  // the hidden instance's port
    std::unique_ptr<Form2> proprio_;           // the hidden instance's engine object
    Form2* form_;
    std::shared_ptr<AlberoOrizzontale> albero_;
    std::unique_ptr<FinestraForm2> prova_;
    StatoPonte stato_;
    int contaNuovi_ = 0;
    int stopProprio_ = 0;  // the hidden instance's own stop request: the look-ahead clears no shared flag
    bool passoCombinato_ = false;
    bool registrato_ = false;
    bool strutturaOk_ = true;  // the last build of the complete run succeeded
};

// Builds the diagram's tables from its own Gauss text and letters as far as the move searches read them
// (check, crossings and arcs, sides, passages, regions, region distances without the path texts): no
// layout and no drawing. False when the code is refused.
bool costruisciStruttura(Diagram& d);

// Registers the move commands "m1", "m2", "m3", "m3b" and the complete run "quick" with the window; the
// step list of the complete run is shown through `lista` (which must outlive the window's commands).
void InstallaComandiMosse(Form2& f, FinestraForm2& w, StepListPort& lista);

}  // namespace trevalon
