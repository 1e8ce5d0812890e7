#pragma once
// The main window's engine object as the move drivers see it: its diagram and modes, the one commit path
// of applied moves, the highlighting of candidates in the main grid, and the look-ahead instance
// (`FormProva`) with which the horizontal search tests the diagrams it reaches.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "celldraw/built_knot.h"
#include "celldraw/redraw_driver.h"
#include "celldraw/step_viewer.h"
#include "mainwindow/form2.h"
#include "mainwindow/look_ahead.h"
#include "moves/bridge_driver.h"

namespace trevalon {

class FinestraForm2 : public FinestraPonte {
  public:
    explicit FinestraForm2(Form2& form);
    ~FinestraForm2() override;
    FinestraForm2(const FinestraForm2&) = delete;
    FinestraForm2& operator=(const FinestraForm2&) = delete;

    Form2& form() { return form_; }
    StatoPonte& statoPonte() { return stato_; }
    // True when the last applied move was recorded as a step.
    bool ultimoPassoRegistrato() const { return registrato_; }
    // Called once before the next move changes the window's diagram (the complete run keeps its start
    // diagram only when a move is about to change it); none with an empty function.
    void primaDiCambiare(std::function<void()> f) { primaDiCambiare_ = std::move(f); }
    // The look-ahead instance, when it has been created.
    FormProva* provaSeCreata() { return prova_.get(); }

    // The step viewer's "Applica": the candidate shown is carried out on the cell drawing and drawn into
    // the viewer's grid `Gr3`, beside the main grid's picture; the drawing (checked cell by cell) waits for
    // the commit of that move, which compares it with the rewrite. The cells of `Gr3` where the redrawn
    // drawing stands, or why the redraw failed (the move is then applied through its code); the redraw
    // shows its progress and its tiles through `visore`.
    Result<GridArea> ridisegnaPerVisore(MoveKind tipo, GridControl* Gr3,
                                        const RidisegnoInVisore& visore = {});
    // "Migliora": the waiting drawing tidied again with shortcuts through empty cells and drawn right of
    // the last one; the cells where it stands. A tidy-up that fails or leaves a faulty drawing keeps the
    // drawing as it was.
    Result<GridArea> miglioraPerVisore(GridControl* Gr3);
    // The developer's text view of the cell drawing of the diagram shown, with its candidate's tile names.
    void mostraTestoCelDis(GridControl& Gr3, int ColonnaBaseDis);
    // Whether a move of kind `tipo` that turns d into `nuovo` can be redrawn on the cell drawing: every one
    // but a move II whose rewrite lays one stretch along the other across other strands, which does not
    // take just the pair's two crossings away.
    static bool ridisegnabile(MoveKind tipo, const Diagram& d, const TestoNodo& nuovo) {
        return tipo != MoveKind::II || nuovo.TxtOri.size() + 2 == d.TxtOri.size();
    }
    // What the step viewer shown for a candidate of kind `tipo` does with the cell drawing.
    CellDrawingActions azioniVisore(MoveKind tipo);

    // What became of the moves redrawn so far: recorded as redrawn, or applied through the code because the
    // redraw failed or did not match (the reason of the last such one is kept); and the moves not redrawn
    // at all because their rewrite adds crossings (a move II that lays one stretch along the other), which
    // a redraw that only takes crossings away cannot give.
    struct ConteggioRidisegni {
        int riusciti = 0;
        int ricaduti = 0;
        int nonRidisegnabili = 0;
        std::string ultimoMotivo;
    };
    const ConteggioRidisegni& ridisegni() const { return ridisegni_; }

    // FinestraMosse
    Diagram& diagramma() override { return form_.doc().diagram; }
    UserInterface& ui() override { return form_.contesto().ui; }
    OpzioniMosse opzioni() const override;
    int contaNuoviIncroci() const override { return form_.doc().ContaNuoviIncroci; }
    void aggiungiNuoviIncroci(int n) override { form_.doc().ContaNuoviIncroci += n; }
    bool committaMossa(MoveKind tipo, const TestoNodo& nuovo) override;
    void ridisegna() override;
    void mossaIIIRifiutata() override { stato_.MossaIIIRifiutata = true; }
    void evidenziaCandidato(const CandidatoMossa& c) override;
    const GridControl* grigliaPrincipale() const override { return &form_.vista().Gr; }
    void azzeraProgressivo() override { form_.contesto().ContatoreProgresso = 0; }

    // FinestraPonte
    AlberoOrizzontale& albero() override { return *albero_; }
    FinestraPonte& prova() override;
    // Up to four isolated look-ahead instances, one a core, created on first use and kept.
    std::vector<FinestraPonte*> proveIsolate() override;
    // A window that is closing keeps asking its search to stop.
    StopRequest& RichiestaStop() override {
        if (form_.closeRequested()) form_.contesto().RichiestaStop.richiedi();
        return form_.contesto().RichiestaStop;
    }
    void fineCorsaCompleta() override { form_.doc().modi.CorsaCompleta = false; }
    // Only the look-ahead instance takes diagrams handed over.
    bool caricaConsegna(const std::string&, const std::string&, const std::string&) override { return false; }
    void evidenziaPonte(const CandidatoPonte& c) override;
    void progresso() override { form_.AggiornaProgressivo(); }
    void impostaPassoCombinato(bool on) override { passoCombinato_ = on; }

  private:
    // A move that a person watches is redrawn on the cell drawing: moves I and II, and a move III whose
    // candidate was highlighted, not in the automatic or complete run, nor in developer or batch mode, and
    // only when at least three crossings stay (and, for move II, when the rewrite takes away just the
    // pair's two crossings).
    bool ridisegnaMossa(MoveKind tipo, const TestoNodo& nuovo);
    // A move on a diagram that is only drawn (`EliminaArchi` for a move III shown); records nothing.
    bool committaSuDisegno(MoveKind tipo);
    // The redraw of the candidate shown, checked and compared with `nuovo`.
    Result<NodoCostruito> ridisegnoControllato(MoveKind tipo, const TestoNodo& nuovo);

    // Candidates are drawn into the main grid only when a person watches a diagram with crossings.
    bool mostraCandidati() const;
    // The route of the move III candidate highlighted last, for its redraw (null when there is none).
    const MossaPonteDis* ponteDis(MoveKind tipo);
    // Why the move II candidate shown cannot be redrawn (its rewrite changes the diagram beyond the pair's
    // two crossings), or nothing.
    std::optional<std::string> mossaIINonRidisegnabile() const;
    // Where the person sees the outcome of the move in the viewer's grid: the cells the redraw changed (its
    // coloured tiles in the drawing it redrew first), drawn green; else the whole last drawing drawn, whose
    // columns start at `vista.ColonnaBaseDis`.
    GridArea areaEsito(GridControl& Gr3, const CellDrawing& tblGen, const VistaRidisegno& vista) const;

    Form2& form_;
    std::shared_ptr<AlberoOrizzontale> albero_;
    std::unique_ptr<FormProva> prova_;
    std::vector<std::unique_ptr<FormProvaIsolata>> proveIsolate_;
    StatoPonte stato_;
    bool passoCombinato_ = false;
    mutable DumpFolder dump_;  // the folder the debug dumps of this window's searches go to
    bool registrato_ = false;
    std::function<void()> primaDiCambiare_;
    // The drawing the viewer redrew for the candidate shown, and its move kind.
    Result<std::unique_ptr<CellDrawing>> ridisegnoVisore_ = fail("");
    MoveKind tipoVisore_ = MoveKind::None;
    // The move III candidate highlighted in the main grid, which a move III applied next carries out.
    std::optional<MossaPonteDis> ponteMostrato_;
    // The move I or II candidate highlighted last.
    std::optional<CandidatoMossa> candidatoMostrato_;
    // Where the viewer's drawings stand in its grid.
    int colonnaBaseVisore_ = 0, ultimaColonnaVisore_ = 0;
    // The cells of the viewer's grid where the redraw shown changed the drawing (empty: not known).
    std::vector<CellaGriglia> celleCambiate_;
    ConteggioRidisegni ridisegni_;
};

}  // namespace trevalon
