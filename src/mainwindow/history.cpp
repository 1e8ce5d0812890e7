#include "mainwindow/history.h"

#include <string>

#include "mainwindow/install_knot.h"
#include "mainwindow/window_context.h"
#include "model/cell_drawing_snapshot.h"
#include "platform/text.h"

namespace trevalon {

void ripristinaTesti(ContestoFinestra& f) {
    StoriaPassi& storia = f.doc.storia;
    if (!storia.valido(storia.NumStato)) return;
    const Stato& s = storia.corrente();
    if (s.Codice.empty() && s.Ori.empty()) return;  // nothing recorded yet
    f.doc.diagram.txtNodo = s.Codice;
    f.doc.diagram.TxtOri = s.Ori;
}

bool Salvastato(ContestoFinestra& f, VistaNodo& v) {
    DocumentoNodo& doc = f.doc;
    if (doc.modi.ModoBatch) return false;
    // The search frame goes away and the toolbar comes back.
    f.RichiestaStop.azzera();
    f.ui.hideStopFrame();
    f.ui.setToolbarEnabled(true);

    StoriaPassi& storia = doc.storia;
    if (storia.piena()) {
        f.ui.showMessage("The step history is full (" + std::to_string(kMaxStati) +
                         " steps): this step cannot be recorded.");
        if (doc.modi.ModoGen == GenMode::Code) ripristinaTesti(f);
        return false;
    }
    ++storia.NumStato;
    Stato& s = storia.corrente();
    s = Stato{};
    s.Codice = doc.diagram.txtNodo;
    s.Ori = doc.diagram.TxtOri;
    s.Tipo = doc.modi.ModoGen;
    s.Flag = 1;
    if (s.Tipo != GenMode::Code) {
        BusyGuard busy(f.ui);
        SerializzaTblGen(f);
    }
    doc.PartenzaDisegno = 1;
    doc.NumIncrociDis = static_cast<int>(s.Ori.size());
    if (!doc.modi.ModoAutomatico) f.SettaDone();
    f.ui.setCommandEnabled("Undo", true);
    f.ui.setCommandEnabled("Salva", doc.NumIncrociDis > 2);
    f.Testocaption(storia.NumStato);
    f.AbilitaBottoni(doc.diagram.TxtOri.size() >= 2, v.zoom);
    return true;
}

void StatoPrec(ContestoFinestra& f, VistaNodo& v, std::unique_ptr<Diagram> costruito) {
    DocumentoNodo& doc = f.doc;
    StoriaPassi& storia = doc.storia;
    int n = storia.NumStato - 1;
    if (n < 0) n = 0;
    if (n > kMaxStati) n = kMaxStati;
    const Stato s = storia.passo(n);
    if (s.Tipo == GenMode::Code) {
        CostruzioneNuova nuova;
        if (costruito) {
            preparaLayout(v.layout, opzioniCostruzione(f, v), &f.ui);
            nuova.esito = EsitoCostruzione::Costruito;
            nuova.nodo.ModoGen = GenMode::Code;
            nuova.nodo.radice = s.Flag;
            nuova.nodo.diagram = std::move(costruito);
        } else {
            nuova = costruisciNuovo(f, v, s.Codice, s.Ori, s.Flag);
        }
        if (nuova.esito != EsitoCostruzione::Costruito) {
            if (nuova.esito == EsitoCostruzione::Banale) f.ui.showMessage("Trivial knot");
            return;
        }
        storia.NumStato = n;
        installaNodo(f, v, std::move(nuova.nodo));
        if (!doc.modi.ModoAutomatico) f.SettaDone();
    } else {
        // A step kept as a cell drawing: the drawing comes back from its snapshot and every table is
        // rebuilt from it; a snapshot that cannot be read or walked leaves the step shown.
        CellDrawing tbl;
        const Result<int> letti = deserializzaCelDis(tbl, s.TblGenSer, [&f] { f.AggiornaProgressivo(); });
        if (!letti) {
            f.ui.showMessage("The drawing of step " + std::to_string(n) +
                             " cannot be read: " + letti.error());
            return;
        }
        if (!GeneradatblGen(f, v, std::move(tbl))) return;
        storia.NumStato = n;
        doc.PartenzaDisegno = s.Flag;
    }
    if (n == 0) doc.NumElaborati = 0;
    f.ctx.ConfermaMigliora = 0;
    f.Testocaption(storia.NumStato);
    doc.NumIncrociDis = static_cast<int>(doc.diagram.TxtOri.size());
    if (storia.NumStato != 0) {
        f.ui.setCommandEnabled("draw", false);
        f.ui.setCommandEnabled("Undo", true);
        f.ui.setCommandEnabled("Salva", doc.NumIncrociDis > 2);
    } else {
        doc.NumElaborati = 0;
        f.ui.setCommandEnabled("Undo", false);
        f.ui.setCommandEnabled("Salva", false);
    }
    f.AbilitaBottoni(doc.diagram.TxtOri.size() >= 2, v.zoom);
}

EsitoCostruzione CmdTutto_Click(ContestoFinestra& f, VistaNodo& v) {
    DocumentoNodo& doc = f.doc;
    CostruzioneNuova nuova =
        costruisciNuovo(f, v, doc.diagram.txtNodo, doc.diagram.TxtOri, doc.PartenzaDisegno);
    switch (nuova.esito) {
        case EsitoCostruzione::Banale:
            f.ui.showMessage("Trivial knot");
            if (doc.storia.NumStato != 0) {
                StatoPrec(f, v);
            } else {
                doc.NumElaborati = 0;
                f.AbilitaBottoni(false, v.zoom);
                InizializzaGr(v.Gr, doc.diagram.NumRighe, doc.diagram.NumColonne, v.zoom.DimCella,
                              doc.modi.ModoGen);
            }
            return EsitoCostruzione::Banale;
        case EsitoCostruzione::Errore:
        case EsitoCostruzione::Fermato:
            return nuova.esito;
        case EsitoCostruzione::Costruito:
            break;
    }
    installaNodo(f, v, std::move(nuova.nodo));
    if (!doc.modi.ModoAutomatico) {
        f.SettaDone();
        f.AbilitaBottoni(trim(doc.diagram.TxtOri).size() >= 2, v.zoom);
    }
    return EsitoCostruzione::Costruito;
}

void SerializzaTblGen(ContestoFinestra& f) {
    StoriaPassi& storia = f.doc.storia;
    if (!storia.valido(storia.NumStato)) return;
    storia.corrente().TblGenSer = serializzaCelDis(f.doc.tblGen, [&f] { f.AggiornaProgressivo(); });
}

bool DeSerializzaTblGen(ContestoFinestra& f) {
    StoriaPassi& storia = f.doc.storia;
    if (!storia.valido(storia.NumStato)) return false;
    const Stato& s = storia.corrente();
    const Result<int> e = deserializzaCelDis(f.doc.tblGen, s.TblGenSer, [&f] { f.AggiornaProgressivo(); });
    if (!e) {
        f.ui.showMessage("The drawing of step " + std::to_string(storia.NumStato) +
                         " cannot be read: " + e.error());
        return false;
    }
    f.doc.NumIncrociDis = static_cast<int>(s.Ori.size());
    return true;
}

}  // namespace trevalon
