#include "mainwindow/complete_run.h"

#include <chrono>
#include <memory>
#include <unordered_set>

#include "mainwindow/form2.h"
#include "mainwindow/history.h"
#include "mainwindow/install_knot.h"
#include "mainwindow/move_adapter.h"
#include "moves/bridge_driver.h"
#include "reports/step_list.h"

namespace trevalon {

namespace {

constexpr const char* kStoriaPiena = "The step history is full (1000 steps): the simplification stops here.";
constexpr const char* kNessunPasso = "No simplifying move was found: the diagram stays as it is.";
constexpr const char* kFermata = "Stopped by Cancel: the list ends at the last step found before.";

std::string chiave(const Diagram& d) {
    return d.txtNodo + "|" + d.TxtOri;
}

}  // namespace

void RiempiLista(FrmLista& lista, const Form2& f, int ultimoPasso, double secondi) {
    lista.Form_Load();
    if (ultimoPasso > kMaxStati) ultimoPasso = kMaxStati;
    for (int i = 0; i <= ultimoPasso; ++i) {
        const Stato& s = f.doc().storia.passo(i);
        lista.AggiungiPasso(i, s.Codice, s.Ori);
    }
    lista.Concludi();
    lista.ImpostaCaption(f.doc().NomeFileNodo);
    lista.ImpostaTempo(secondi);
    lista.NomeFileNodo = f.doc().NomeFileNodo;
    lista.NumStato = ultimoPasso;
}

EsitoCorsa AzioneCompleta(Form2& f, FinestraForm2& w, StepListPort* lista) {
    DocumentoNodo& doc = f.doc();
    UserInterface& ui = f.contesto().ui;
    StoriaPassi& storia = doc.storia;
    ModiFinestra& modi = doc.modi;
    EsitoCorsa e;
    const int k0 = storia.NumStato + 1;
    e.passoIniziale = storia.NumStato;
    const GenMode modoPrima = modi.ModoGen;
    const auto inizio = ui.now();
    e.incrociPrima = static_cast<int>(doc.diagram.TxtOri.size());

    ui.setPanel("p1", "Wait..");
    modi.ModoGen = GenMode::Code;
    modi.CorsaCompleta = true;
    modi.ModoAutomatico = true;
    if (storia.NumStato == 0) w.albero().svuotaElaborati();

    // The start step's diagram as it was built, when nothing has changed it since: the return to it at the
    // end installs it again instead of laying it out anew. It is copied only when a move is about to
    // change it (the cell table alone is 36 MB): a run that takes no step gives it back as it is.
    std::unique_ptr<Diagram> partenza;
    bool partenzaIntatta = false;
    if (storia.valido(k0 - 1)) {
        const Stato& s0 = storia.passo(k0 - 1);
        partenzaIntatta = s0.Tipo == GenMode::Code && modi.ModoGen == GenMode::Code &&
                          doc.improntaCostruito != 0 && s0.Codice == doc.diagram.txtNodo &&
                          s0.Ori == doc.diagram.TxtOri && s0.Flag == doc.PartenzaDisegno;
    }
    const auto intatta = [&] {
        return partenzaIntatta && improntaDiagramma(doc.diagram, f.vista().layout) == doc.improntaCostruito;
    };
    partenzaIntatta = intatta();
    if (partenzaIntatta)
        w.primaDiCambiare([&] {
            if (intatta()) partenza = std::make_unique<Diagram>(doc.diagram);
        });

    // Every diagram of the run: a step that comes back to one of them makes no progress.
    std::unordered_set<std::string> visti{chiave(doc.diagram)};
    {
        BusyGuard busy(ui);
        while (modi.CorsaCompleta && !f.closeRequested()) {
            if (doc.diagram.TxtOri.size() < 3) {
                e.fine = FineCorsa::Banale;
                break;
            }
            if (storia.NumStato >= kMaxStati) {
                e.fine = FineCorsa::StoriaPiena;
                break;
            }
            const int prima = storia.NumStato;
            const RisultatoPonte r = CmdTpon2_Click(w, w.statoPonte());
            if (r.esito != EsitoDriver::Applicata) {
                e.fermata = r.fermato;
                e.limite = r.limite;
                e.fine = r.esito == EsitoDriver::RiscritturaFallita ? FineCorsa::SenzaProgresso
                                                                    : FineCorsa::NessunaMossa;
                break;
            }
            if (!w.ultimoPassoRegistrato() || storia.NumStato != prima + 1 ||
                !visti.insert(chiave(doc.diagram)).second) {
                e.fine = FineCorsa::SenzaProgresso;
                break;
            }
        }
    }
    w.primaDiCambiare(nullptr);
    e.secondi = std::chrono::duration<double>(ui.now() - inizio).count();
    e.ultimoPasso = storia.NumStato;
    e.incrociDopo = static_cast<int>(doc.diagram.TxtOri.size());
    e.codiceFinale = doc.diagram.txtNodo;
    e.oriFinale = doc.diagram.TxtOri;

    modi.CorsaCompleta = false;
    modi.ModoAutomatico = false;
    f.AbilitaBottoni(false);
    ui.setCommandEnabled("Salva", false);
    ui.setCommandEnabled("Undo", false);
    f.SettaDone();
    if (e.fine == FineCorsa::StoriaPiena) ui.showMessage(kStoriaPiena);
    if (e.fine == FineCorsa::NessunaMossa && !e.fermata && e.ultimoPasso == e.passoIniziale &&
        !f.closeRequested())
        ui.showMessage(kNessunPasso + testoLimite(e.limite));

    // A window that is closing shows no list and lays nothing out again.
    if (f.closeRequested()) return e;
    FrmLista frm(ui, ui);
    RiempiLista(frm, f, e.ultimoPasso, e.secondi);
    if (e.fermata) frm.p1 = kFermata;
    if (lista) lista->showStepList(frm);

    // Back to the start step: the records of the run stay beyond it.
    storia.NumStato = k0;
    modi.ModoGen = modoPrima;
    f.vista().layout.TblNodoAlbero.clearTouched();
    doc.PartenzaDisegno = 1;
    // No move changed the start diagram: it is the one to install again.
    if (!partenza && e.ultimoPasso == e.passoIniziale && intatta())
        partenza = std::make_unique<Diagram>(std::move(doc.diagram));
    StatoPrec(f.contesto(), f.vista(), std::move(partenza));
    if (storia.NumStato == k0) storia.NumStato = k0 - 1;  // the rebuild failed and said why
    if (storia.NumStato > 0) {
        ui.setCommandEnabled("Undo", true);
        ui.setCommandEnabled("Salva", doc.diagram.TxtOri.size() > 2);
    }
    return e;
}

}  // namespace trevalon
