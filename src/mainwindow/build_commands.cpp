#include "mainwindow/build_commands.h"

#include <optional>
#include <string_view>

#include "layout/render_grid.h"
#include "mainwindow/form2.h"
#include "mainwindow/install_knot.h"
#include "platform/text.h"

namespace trevalon {

namespace {

// Suspends the painting of a grid for its lifetime; painting is back on at every exit.
class PitturaSospesa {
  public:
    explicit PitturaSospesa(GridControl& g) : g_(g) { g_.setRedraw(false); }
    ~PitturaSospesa() { g_.setRedraw(true); }
    PitturaSospesa(const PitturaSospesa&) = delete;
    PitturaSospesa& operator=(const PitturaSospesa&) = delete;

  private:
    GridControl& g_;
};

// The stop frame of a build the person may stop, up for its lifetime.
class CorniceFermo {
  public:
    CorniceFermo(StopPort& ui, bool aperta) : ui_(ui), aperta_(aperta) {
        if (aperta_) ui_.showStopFrame("Laying out the diagram");
    }
    ~CorniceFermo() {
        if (aperta_) ui_.hideStopFrame();
    }
    CorniceFermo(const CorniceFermo&) = delete;
    CorniceFermo& operator=(const CorniceFermo&) = delete;

  private:
    StopPort& ui_;
    bool aperta_;
};

}  // namespace

OpzioniCostruzione opzioniCostruzione(const ContestoFinestra& f, const VistaNodo& v) {
    const ModiFinestra& m = f.doc.modi;
    OpzioniCostruzione o;
    o.ModoAutomatico = m.ModoAutomatico;
    o.CorsaCompleta = m.CorsaCompleta;
    o.ModoDebug = m.ModoDebug;
    o.ModoSviluppo = m.ModoSviluppo;
    o.ModoSorgente = m.ModoSorgente;
    o.DimCella = v.zoom.DimCella;
    o.cartellaDump = f.ctx.cartellaDump;
    o.nonScritti = &f.ctx.dumpNonScritti;
    o.grigliaPrincipale = &v.Gr;
    return o;
}

ModelSettings impostazioniModello(const ContestoFinestra& f) {
    ModelSettings m;
    m.ModoDebug = f.doc.modi.ModoDebug;
    m.ModoGen = f.doc.modi.ModoGen;
    m.programFolder = f.ctx.cartellaDump;
    m.status = &f.ui;
    m.nonScritti = &f.ctx.dumpNonScritti;
    return m;
}

CostruzioneNuova costruisciNuovo(ContestoFinestra& f, VistaNodo& v, const std::string& txtNodo,
                                 const std::string& TxtOri, int radice, bool annullabile) {
    const OpzioniCostruzione o = opzioniCostruzione(f, v);
    if (!o.ModoAutomatico && codiceBanale(txtNodo, TxtOri)) {
        CostruzioneNuova banale;
        banale.esito = EsitoCostruzione::Banale;
        return banale;
    }
    std::optional<BusyGuard> busy;
    std::optional<PitturaSospesa> pittura;
    if (!o.ModoAutomatico) {
        f.ContatoreProgresso = 0;
        pittura.emplace(v.Gr);
        busy.emplace(f.ui);
        f.ui.setPanel("p1", "Generation knot");
    }
    // A long build the person may stop: the stop frame, and the window's events served at every step.
    annullabile = annullabile && !o.ModoAutomatico;
    const CorniceFermo cornice(f.ui, annullabile);
    CostruzioneNuova out =
        costruisciNodoDaCodice(txtNodo, TxtOri, radice, o, v.layout, f.ui,
                               annullabile ? &f.RichiestaStop : nullptr, [&f] { f.AggiornaProgressivo(); });
    if (out.esito == EsitoCostruzione::Fermato ||
        (out.esito == EsitoCostruzione::Errore && !o.ModoAutomatico))
        f.SettaDone();
    // Whatever the build had to say comes in one box: the faults of the code and the failure.
    if (!out.messaggio.empty()) f.ui.showMessage(out.messaggio);
    return out;
}

void CmdScifta_Click(DocumentoNodo& doc) {
    int& radice = doc.PartenzaDisegno;
    ++radice;
    if (radice > static_cast<int>(doc.diagram.TxtOri.size()) || radice < 1) radice = 1;
}

void ComandoDraw(Form2& f) {
    DocumentoNodo& doc = f.doc();
    if (!doc.storia.valido(doc.storia.NumStato)) return;
    Stato& passo = doc.storia.corrente();
    const int prima = doc.PartenzaDisegno;
    CmdScifta_Click(doc);
    CostruzioneNuova nuova = costruisciNuovo(f.contesto(), f.vista(), doc.diagram.txtNodo, doc.diagram.TxtOri,
                                             doc.PartenzaDisegno);
    if (nuova.esito != EsitoCostruzione::Costruito) {
        if (nuova.esito == EsitoCostruzione::Banale) f.contesto().ui.showMessage("Trivial knot");
        doc.PartenzaDisegno = prima;
        return;
    }
    installaNodo(f.contesto(), f.vista(), std::move(nuova.nodo));
    passo.Tipo = GenMode::Code;
    passo.Flag = doc.PartenzaDisegno;
    f.SettaDone();
    f.AbilitaBottoni(trim(doc.diagram.TxtOri).size() >= 2);
}

}  // namespace trevalon
