#include "celldraw/code_knot.h"

#include <memory>
#include <optional>
#include <utility>

#include "layout/build.h"
#include "layout/palette.h"
#include "layout/render_grid.h"
#include "model/knot_files.h"
#include "model/structure.h"
#include "platform/text.h"

namespace trevalon {

namespace {

// Gathers the messages of a build to hand them back as one; questions go through.
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
    const std::string& testo() const { return testo_; }

  private:
    MessagePort& ui_;
    std::string testo_;
};

// The stop test and the progress step are the layout state's only while the build runs.
class FunzioniDelLayout {
  public:
    FunzioniDelLayout(LayoutState& s, UserInterface& ports, StopRequest* stop,
                      const std::function<void()>& progresso)
        : s_(s) {
        s_.progresso = progresso;
        if (stop == nullptr) return;
        stop->azzera();
        s_.fermato = [&ports, stop] {
            ports.yieldToEvents();
            return stop->richiesta();
        };
    }
    ~FunzioniDelLayout() {
        s_.progresso = nullptr;
        s_.fermato = nullptr;
    }
    FunzioniDelLayout(const FunzioniDelLayout&) = delete;
    FunzioniDelLayout& operator=(const FunzioniDelLayout&) = delete;

  private:
    LayoutState& s_;
};

std::unique_ptr<Diagram> diagrammaVuoto(const std::string& txtNodo, const std::string& TxtOri,
                                        const OpzioniCostruzione& o) {
    auto d = std::make_unique<Diagram>();
    d->txtNodo = txtNodo;
    d->TxtOri = TxtOri;
    d->NumColonne = o.ModoSorgente == SourceKind::Drawing ? 1500 : 600;
    d->NumRighe = 600;
    return d;
}

// The layout into a throwaway grid; whatever it has to say is gathered in `raccolti`.
Result<BuildTimes> disponi(Diagram& d, LayoutState& s, const OpzioniCostruzione& o,
                           MessaggiRaccolti& raccolti) {
    RenderState st;
    st.ModoGen = GenMode::Code;
    st.ModoSorgente = o.ModoSorgente;
    st.DimCella = o.DimCella;
    GridControl prova;
    TileNameTable provaTbltt;
    const TilePalette palette(o.ModoSorgente == SourceKind::Drawing ? PaletteId::Form1b : PaletteId::Form1,
                              o.ModoSviluppo);
    if (!o.ModoAutomatico) InizializzaGr(prova, d.NumRighe, d.NumColonne, st.DimCella, GenMode::Code);
    return CostruisciDaCodice(d, s, st, RenderTarget{prova, provaTbltt, palette, nullptr}, raccolti);
}

}  // namespace

bool codiceBanale(const std::string& txtNodo, const std::string& TxtOri) {
    return trim(txtNodo).empty() || trim(TxtOri).empty();
}

ModelSettings impostazioniModello(const OpzioniCostruzione& o, StatusPort* status) {
    ModelSettings m;
    m.ModoDebug = o.ModoDebug;
    m.ModoGen = GenMode::Code;  // `Disegna` sets `ModoGen` "A"
    m.programFolder = o.cartellaDump;
    m.status = status;
    m.nonScritti = o.nonScritti;
    return m;
}

void preparaLayout(LayoutState& s, const OpzioniCostruzione& o, StatusPort* status) {
    s.ModoAutomatico = o.ModoAutomatico;
    s.ModoDebug = o.ModoDebug;
    s.dump = o.ModoDebug ? DumpFolder{o.cartellaDump, status, o.nonScritti} : DumpFolder{};
    s.grigliaPrincipale = o.grigliaPrincipale;
    s.settings.ModoSviluppo = o.ModoSviluppo;
}

CostruzioneNuova costruisciNodoDaCodice(const std::string& txtNodo, const std::string& TxtOri, int radice,
                                        const OpzioniCostruzione& o, LayoutState& s, UserInterface& ports,
                                        StopRequest* stop, const std::function<void()>& progresso) {
    CostruzioneNuova out;
    if (!o.ModoAutomatico) {
        if (codiceBanale(txtNodo, TxtOri)) {
            out.esito = EsitoCostruzione::Banale;
            return out;
        }
        if (radice > static_cast<int>(trim(TxtOri).size())) radice = 1;
    } else {
        radice = 1;
    }
    if (radice <= 0) radice = 1;

    std::unique_ptr<Diagram> d = diagrammaVuoto(txtNodo, TxtOri, o);
    const int radicePrima = s.IncrocioRadice;
    s.IncrocioRadice = radice;
    preparaLayout(s, o, &ports);
    MessaggiRaccolti raccolti(ports);
    const Result<BuildTimes> r = [&] {
        const FunzioniDelLayout funzioni(s, ports, o.ModoAutomatico ? nullptr : stop, progresso);
        return disponi(*d, s, o, raccolti);
    }();
    out.nodo.ModoGen = GenMode::Code;
    out.nodo.radice = s.IncrocioRadice;
    if (!r && r.error() == kLayoutFermato) {
        // Stopped by the person: a layout left half way is not reused.
        const LayoutSettings impostazioni = s.settings;
        s = LayoutState{};
        s.settings = impostazioni;
        s.IncrocioRadice = radicePrima;
        if (stop != nullptr) stop->azzera();
        out.esito = EsitoCostruzione::Fermato;
        return out;
    }
    if (!r) {
        s.IncrocioRadice = radicePrima;
        if (!o.CorsaCompleta || r.error() != kErroreCodiceGau) raccolti.showMessage(r.error());
        out.messaggio = raccolti.testo();
        return out;
    }
    // The structure of the new diagram: passages, regions and shortest region paths.
    const Status e = Cmdgecare_Click(*d, impostazioniModello(o, &ports));
    if (!e) {
        s.IncrocioRadice = radicePrima;
        out.messaggio =
            e.error().empty() ? std::string("The structure of the diagram cannot be built") : e.error();
        return out;
    }
    out.esito = EsitoCostruzione::Costruito;
    out.nodo.diagram = std::move(d);
    return out;
}

}  // namespace trevalon
