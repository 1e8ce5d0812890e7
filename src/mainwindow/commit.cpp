#include "mainwindow/commit.h"

#include <algorithm>
#include <optional>
#include <string>

#include "mainwindow/history.h"
#include "mainwindow/install_knot.h"
#include "mainwindow/main_grid.h"
#include "mainwindow/window_context.h"
#include "model/drawn_structure.h"
#include "model/structure.h"
#include "moves/compare.h"
#include "moves/gauss_rewrite.h"

namespace trevalon {

namespace {

void didascaliaBanale(ContestoFinestra& f) {
    const ModiFinestra& m = f.doc.modi;
    if (f.doc.diagram.NumIncroci >= 3 || m.CorsaCompleta || m.ModoBatch) return;
    const std::string caption = f.ui.caption();
    if (caption.find("TRIVIAL KNOT") == std::string::npos) f.ui.setCaption(caption + " - TRIVIAL KNOT");
}

bool registra(ContestoFinestra& f, VistaNodo& v) {
    DocumentoNodo& doc = f.doc;
    Diagram& d = doc.diagram;
    // A full history refuses the step, and says so, before anything is built or emptied.
    if (doc.storia.piena()) return Salvastato(f, v);
    if (d.txtNodo.empty()) {
        svuotaDiagramma(d);
        if (!Salvastato(f, v)) return false;
        if (!doc.modi.ModoAutomatico) DisegnaNodoBanale(v, f.doc);
        return true;
    }
    // The complete run draws nothing between its steps: the searches need only the structure. A code the
    // build refuses ends the run, which goes back to its start step.
    if (doc.modi.corsaAutomatica()) return CostruisciStrutturaRicerca(d).ok() && Salvastato(f, v);
    CostruzioneNuova nuova = costruisciNuovo(f, v, d.txtNodo, d.TxtOri, 1);
    if (nuova.esito != EsitoCostruzione::Costruito) {
        if (nuova.esito == EsitoCostruzione::Banale) f.ui.showMessage("Trivial knot");
        ripristinaTesti(f);
        return false;
    }
    installaNodo(f, v, std::move(nuova.nodo));
    return Salvastato(f, v);
}

}  // namespace

bool CommittaMossa(ContestoFinestra& f, VistaNodo& v, const TestoNodo& nuovo) {
    ScriviTesto(f.doc.diagram, nuovo);
    v.Gr.setRedraw(true);
    const bool registrato = !f.doc.modi.ModoSviluppo && !f.doc.modi.ModoBatch && registra(f, v);
    // A move not recorded (the developer layout records none) leaves the caption at the step shown, whatever
    // named the step it would have made.
    if (!registrato && !f.doc.modi.CorsaCompleta && !f.doc.modi.ModoBatch)
        f.Testocaption(f.doc.storia.NumStato);
    didascaliaBanale(f);
    return registrato;
}

bool CommittaMossaDisegnata(ContestoFinestra& f, VistaNodo& v, NodoCostruito&& nodo) {
    DocumentoNodo& doc = f.doc;
    if (doc.modi.ModoSviluppo) {
        // The developer layout shows the rebuilt drawing and records no step: the caption keeps the step
        // shown (the viewer named the next one).
        installaNodo(f, v, std::move(nodo));
        v.Gr.setRedraw(true);
        f.Testocaption(doc.storia.NumStato);
        didascaliaBanale(f);
        return false;
    }
    if (doc.storia.piena()) return Salvastato(f, v);
    f.ui.setPanel("p1", "Generation knot");
    const std::optional<TestoNodo> testo = std::move(nodo.testo);
    installaNodo(f, v, std::move(nodo));
    v.Gr.setRedraw(true);
    const bool registrato = Salvastato(f, v);
    // A drawing too small to build is the trivial knot, shown with the commands off as after an undo; its
    // step keeps the code of the move that gave it.
    if (registrato && testo) {
        Stato& s = doc.storia.corrente();
        s.Codice = testo->txtNodo;
        s.Ori = testo->TxtOri;
    }
    didascaliaBanale(f);
    return registrato;
}

}  // namespace trevalon
