#include "mainwindow/build_commands.h"

#include <string_view>

#include "layout/build.h"
#include "mainwindow/form2.h"
#include "mainwindow/install_knot.h"
#include "model/knot_files.h"
#include "model/structure.h"
#include "platform/text.h"

namespace trevalon {

namespace {

// Gathers the messages of a piece of work to show them in one box at its end; questions go through.
class MessaggiRaccolti : public MessagePort {
  public:
    explicit MessaggiRaccolti(MessagePort& ui) : ui_(ui) {}
    void showMessage(const std::string& text) override {
        if (text.empty()) return;
        if (!testo_.empty()) testo_ += '\n';
        testo_ += text;
    }
    bool askYesNo(const std::string& text) override { return ui_.askYesNo(text); }
    std::optional<std::string> askInput(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override {
        return ui_.askInput(prompt, title, defaultText);
    }
    // Shows what was gathered, if anything, and forgets it.
    void mostra() {
        if (!testo_.empty()) ui_.showMessage(testo_);
        testo_.clear();
    }

  private:
    MessagePort& ui_;
    std::string testo_;
};

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

}  // namespace

ModelSettings impostazioniModello(const Form2& f) {
    ModelSettings m;
    m.ModoDebug = f.doc.modi.ModoDebug;
    m.programFolder = f.ctx.cartellaDump;
    m.status = &f.ui;
    m.nonScritti = &f.ctx.dumpNonScritti;
    return m;
}

CostruzioneNuova costruisciNuovo(Form2& f, const std::string& txtNodo, const std::string& TxtOri, int radice,
                                 bool annullabile) {
    CostruzioneNuova out;
    const bool automatico = f.doc.modi.ModoAutomatico;
    if (!automatico) {
        if (trim(txtNodo).empty() || trim(TxtOri).empty()) {
            out.esito = EsitoCostruzione::Banale;
            return out;
        }
        if (radice > static_cast<int>(trim(TxtOri).size())) radice = 1;
    } else {
        radice = 1;
    }
    if (radice <= 0) radice = 1;

    std::optional<BusyGuard> busy;
    std::optional<PitturaSospesa> pittura;
    if (!automatico) {
        f.ContatoreProgresso = 0;
        pittura.emplace(f.vista.Gr);
        busy.emplace(f.ui);
        f.ui.setPanel("p1", "Generation knot");
    }

    auto d = std::make_unique<Diagram>();
    d->txtNodo = txtNodo;
    d->TxtOri = TxtOri;
    d->NumColonne = f.doc.modi.ModoSorgente == SourceKind::Drawing ? 1500 : 600;
    d->NumRighe = 600;

    LayoutState& s = f.vista.layout;
    const int radicePrima = s.IncrocioRadice;
    s.IncrocioRadice = radice;
    s.ModoAutomatico = automatico;
    s.ModoDebug = f.doc.modi.ModoDebug;
    s.dump =
        f.doc.modi.ModoDebug ? DumpFolder{f.ctx.cartellaDump, &f.ui, &f.ctx.dumpNonScritti} : DumpFolder{};
    s.grigliaPrincipale = &f.vista.Gr;
    s.settings.ModoSviluppo = f.doc.modi.ModoSviluppo;
    s.progresso = [&f] { f.AggiornaProgressivo(); };
    // A long build the person may stop: the stop frame, and the window's events served at every step.
    annullabile = annullabile && !automatico;
    if (annullabile) {
        f.RichiestaStop.azzera();
        f.ui.showStopFrame("Laying out the diagram");
        s.fermato = [&f] {
            f.ui.yieldToEvents();
            return f.RichiestaStop.richiesta();
        };
    }
    struct FineAnnullabile {
        Form2& f;
        LayoutState& s;
        bool attivo;
        ~FineAnnullabile() {
            s.fermato = nullptr;
            if (attivo) f.ui.hideStopFrame();
        }
    } fine{f, s, annullabile};

    RenderState st = f.vista.render;
    st.ModoGen = GenMode::Code;
    st.ModoSorgente = f.doc.modi.ModoSorgente;
    st.DimCella = f.vista.zoom.DimCella;
    GridControl prova;
    TileNameTable provaTbltt;
    const TilePalette palette(
        f.doc.modi.ModoSorgente == SourceKind::Drawing ? PaletteId::Form1b : PaletteId::Form1,
        f.doc.modi.ModoSviluppo);
    if (!automatico) InizializzaGr(prova, d->NumRighe, d->NumColonne, st.DimCella, GenMode::Code);

    // Whatever the build has to say comes in one box: the faults of the code and the failure.
    MessaggiRaccolti raccolti(f.ui);
    const Result<BuildTimes> r =
        CostruisciDaCodice(*d, s, st, RenderTarget{prova, provaTbltt, palette, nullptr}, raccolti);
    out.nodo.ModoGen = GenMode::Code;
    out.nodo.radice = s.IncrocioRadice;
    s.progresso = nullptr;
    if (!r && r.error() == kLayoutFermato) {
        // Stopped by the person: a layout left half way is not reused.
        const LayoutSettings impostazioni = s.settings;
        s = LayoutState{};
        s.settings = impostazioni;
        s.IncrocioRadice = radicePrima;
        f.RichiestaStop.azzera();
        f.SettaDone();
        out.esito = EsitoCostruzione::Fermato;
        return out;
    }
    if (!r) {
        s.IncrocioRadice = radicePrima;
        if (!automatico) f.SettaDone();
        if (!f.doc.modi.CorsaCompleta || r.error() != kErroreCodiceGau) raccolti.showMessage(r.error());
        raccolti.mostra();
        return out;
    }
    // The structure of the new diagram: passages, regions and shortest region paths.
    const Status e = Cmdgecare_Click(*d, impostazioniModello(f));
    if (!e) {
        s.IncrocioRadice = radicePrima;
        if (!automatico) f.SettaDone();
        f.ui.showMessage(e.error().empty() ? std::string("The structure of the diagram cannot be built")
                                           : e.error());
        return out;
    }
    out.esito = EsitoCostruzione::Costruito;
    out.nodo.diagram = std::move(d);
    return out;
}

void CmdGrafica_Click(Form2& f) {
    VistaNodo& v = f.vista;
    v.Tbltt.reset();
    v.render.ModoGen = f.doc.modi.ModoGen;
    v.render.ModoSorgente = f.doc.modi.ModoSorgente;
    v.render.DimCella = f.vista.zoom.DimCella;
    DisegnoGrafico(f.doc.diagram, v.render, RenderTarget{v.Gr, v.Tbltt, f.paletteCorrente(), &f.ui}, 0,
                   ColNero, true, "", 0);
}

void DisegnaNodoBanale(Form2& f) {
    VistaNodo& v = f.vista;
    const Diagram& d = f.doc.diagram;
    InizializzaGr(v.Gr, d.NumRighe, d.NumColonne, f.vista.zoom.DimCella, f.doc.modi.ModoGen);
    v.Tbltt.reset();
    const TilePalette& palette = f.paletteCorrente();
    // A square loop of side `lato` cells with rounded corners, near the top left corner.
    constexpr int r0 = 2, c0 = 2, lato = 4;
    auto metti = [&](int r, int c, int forma) {
        const int tessera = ColNero + forma;
        v.Gr.setPicture(r, c, palette.img(tessera));
        v.Gr.setPictureAlignment(r, c, CellAlign::CenterCenter);
        v.Tbltt.set(r, c, TileImg(tessera).name);
    };
    constexpr int kVerticale = 1, kOrizzontale = 2, kAltoSinistra = 5, kAltoDestra = 6, kDestraBasso = 7,
                  kBassoSinistra = 8;
    const int r1 = r0 + lato - 1, c1 = c0 + lato - 1;
    metti(r0, c0, kDestraBasso);
    metti(r0, c1, kBassoSinistra);
    metti(r1, c1, kAltoSinistra);
    metti(r1, c0, kAltoDestra);
    for (int k = 1; k < lato - 1; ++k) {
        metti(r0, c0 + k, kOrizzontale);
        metti(r1, c0 + k, kOrizzontale);
        metti(r0 + k, c0, kVerticale);
        metti(r0 + k, c1, kVerticale);
    }
}

void CmdScifta_Click(Form2& f) {
    int& radice = f.doc.PartenzaDisegno;
    ++radice;
    if (radice > static_cast<int>(f.doc.diagram.TxtOri.size()) || radice < 1) radice = 1;
}

void ComandoDraw(Form2& f) {
    DocumentoNodo& doc = f.doc;
    if (!doc.storia.valido(doc.storia.NumStato)) return;
    Stato& passo = doc.storia.corrente();
    const int prima = doc.PartenzaDisegno;
    CmdScifta_Click(f);
    CostruzioneNuova nuova = costruisciNuovo(f, doc.diagram.txtNodo, doc.diagram.TxtOri, doc.PartenzaDisegno);
    if (nuova.esito != EsitoCostruzione::Costruito) {
        if (nuova.esito == EsitoCostruzione::Banale) f.ui.showMessage("Trivial knot");
        doc.PartenzaDisegno = prima;
        return;
    }
    installaNodo(f, std::move(nuova.nodo));
    passo.Tipo = GenMode::Code;
    passo.Flag = doc.PartenzaDisegno;
    f.SettaDone();
    f.AbilitaBottoni(trim(doc.diagram.TxtOri).size() >= 2);
}

}  // namespace trevalon
