#include "mainwindow/commit.h"

#include <algorithm>
#include <optional>
#include <string>

#include "mainwindow/form2.h"
#include "mainwindow/history.h"
#include "model/drawn_structure.h"
#include "model/structure.h"
#include "moves/compare.h"
#include "moves/gauss_rewrite.h"

namespace trevalon {

namespace {

void didascaliaBanale(Form2& f) {
    const ModiFinestra& m = f.doc.modi;
    if (f.doc.diagram.NumIncroci >= 3 || m.CorsaCompleta || m.ModoBatch) return;
    const std::string caption = f.ui.caption();
    if (caption.find("TRIVIAL KNOT") == std::string::npos) f.ui.setCaption(caption + " - TRIVIAL KNOT");
}

bool registra(Form2& f) {
    DocumentoNodo& doc = f.doc;
    Diagram& d = doc.diagram;
    // A full history refuses the step, and says so, before anything is built or emptied.
    if (doc.storia.piena()) return Salvastato(f);
    if (d.txtNodo.empty()) {
        svuotaDiagramma(d);
        if (!Salvastato(f)) return false;
        if (!doc.modi.ModoAutomatico) DisegnaNodoBanale(f);
        return true;
    }
    // The complete run draws nothing between its steps: the searches need only the structure. A code the
    // build refuses ends the run, which goes back to its start step.
    if (doc.modi.corsaAutomatica()) return CostruisciStrutturaRicerca(d).ok() && Salvastato(f);
    CostruzioneNuova nuova = costruisciNuovo(f, d.txtNodo, d.TxtOri, 1);
    if (nuova.esito != EsitoCostruzione::Costruito) {
        if (nuova.esito == EsitoCostruzione::Banale) f.ui.showMessage("Trivial knot");
        ripristinaTesti(f);
        return false;
    }
    installaDiagramma(f, std::move(nuova));
    return Salvastato(f);
}

}  // namespace

bool CommittaMossa(Form2& f, const TestoNodo& nuovo) {
    ScriviTesto(f.doc.diagram, nuovo);
    f.vista.Gr.setRedraw(true);
    const bool registrato = !f.doc.modi.ModoSviluppo && !f.doc.modi.ModoBatch && registra(f);
    didascaliaBanale(f);
    return registrato;
}

Result<NodoDisegnato> controllaRidisegno(std::unique_ptr<CellDrawing> tblGen, const TestoNodo& nuovo,
                                         const std::function<void()>& tick) {
    NodoDisegnato nodo;
    nodo.NumIncrociDis = contaIncrociDis(*tblGen);
    const int attesi = static_cast<int>(nuovo.TxtOri.size());
    if (nodo.NumIncrociDis != attesi)
        return fail("the redrawn drawing has " + std::to_string(nodo.NumIncrociDis) +
                    " crossings, the move gives " + std::to_string(attesi) + ".");
    nodo.tblGen = std::move(tblGen);
    // Fewer than three crossings: the trivial knot, kept as the drawing it is and not built; its code is
    // the rewrite's.
    if (attesi < 3) {
        nodo.testo = nuovo;
        return nodo;
    }
    nodo.diagram = std::make_unique<Diagram>();
    if (Status s = StrutturaDaTblGen(*nodo.diagram, *nodo.tblGen, tick); !s)
        return fail("the redrawn drawing cannot be walked: " + s.error());
    const Diagram& d = *nodo.diagram;
    const auto lettereO = [](const std::string& ori) { return std::count(ori.begin(), ori.end(), 'O'); };
    const std::optional<std::string> forma = formaCanonica(d.txtNodo);
    const std::optional<std::string> attesa = formaCanonica(nuovo.txtNodo);
    if (d.NumIncroci != attesi || !forma || !attesa || *forma != *attesa ||
        lettereO(d.TxtOri) != lettereO(nuovo.TxtOri))
        return fail("the redrawn drawing is not the diagram of the move (" + d.txtNodo + " instead of " +
                    nuovo.txtNodo + ").");
    return nodo;
}

bool CommittaMossaDisegnata(Form2& f, NodoDisegnato&& nodo) {
    DocumentoNodo& doc = f.doc;
    if (doc.storia.piena()) return Salvastato(f);
    f.ui.setPanel("p1", "Generation knot");
    const std::optional<TestoNodo> testo = std::move(nodo.testo);
    installaNodoDisegnato(f, std::move(nodo));
    f.vista.Gr.setRedraw(true);
    const bool registrato = Salvastato(f);
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
