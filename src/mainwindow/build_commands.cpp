#include "mainwindow/build_commands.h"

#include <cctype>
#include <string_view>

#include "layout/build.h"
#include "mainwindow/form2.h"
#include "mainwindow/history.h"
#include "model/knot_files.h"
#include "model/structure.h"

namespace trevalon {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

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

const TilePalette& paletteCorrente(Form2& f) {
    if (!f.ctx.FormTessere)
        f.ctx.FormTessere.emplace(f.ModoSorgente == 'D' ? PaletteId::Form1b : PaletteId::Form1,
                                  f.ModoSviluppo);
    return *f.ctx.FormTessere;
}

ModelSettings impostazioniModello(const Form2& f) {
    ModelSettings m;
    m.ModoDebug = f.ModoDebug;
    m.programFolder = f.ctx.programFolder;
    m.ModoGen = "A";
    return m;
}

}  // namespace

CostruzioneNuova costruisciNuovo(Form2& f, const std::string& txtNodo, const std::string& TxtOri, int radice,
                                 const std::vector<std::string>* etichette) {
    CostruzioneNuova out;
    f.ctx.TempoFineDisegno = f.ui.secondsSinceMidnight();
    const bool automatico = f.ModoAutomatico;
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
        pittura.emplace(f.Gr);
        busy.emplace(f.ui);
        f.ui.setPanel("p1", "Generation knot");
    }

    auto d = std::make_unique<Diagram>();
    d->txtNodo = txtNodo;
    d->TxtOri = TxtOri;
    d->NumColonne = f.ModoSorgente == 'D' ? 1500 : 600;
    d->NumRighe = 600;
    if (etichette)
        for (std::size_t k = 0; k < d->NomiIncroci.size() && k < etichette->size(); ++k)
            d->NomiIncroci[k] = (*etichette)[k];

    LayoutState& s = f.layout;
    const int radicePrima = s.IncrocioRadice;
    s.IncrocioRadice = radice;
    s.ModoAutomatico = automatico;
    s.ModoDebug = f.ModoDebug;
    s.settings.ModoSviluppo = f.ModoSviluppo;
    s.progresso = [&f] { f.AggiornaProgressivo(); };

    RenderState st = f.render;
    st.ModoGen = 'A';
    st.ModoSorgente = f.ModoSorgente;
    st.DimCella = f.ctx.DimCella;
    GridControl prova;
    TileNameTable provaTbltt;
    const TilePalette palette(f.ModoSorgente == 'D' ? PaletteId::Form1b : PaletteId::Form1, f.ModoSviluppo);
    if (!automatico) InizializzaGr(prova, d->NumRighe, d->NumColonne, st.DimCella, 'A');

    const BuildResult r =
        CostruisciDaCodice(*d, s, st, RenderTarget{prova, provaTbltt, palette, nullptr}, f.ui);
    out.radice = s.IncrocioRadice;
    s.progresso = nullptr;
    if (!r.ok()) {
        s.IncrocioRadice = radicePrima;
        switch (r.outcome) {
            case BuildOutcome::CodeError:
            case BuildOutcome::LayoutError:
                if (!f.CorsaCompleta) f.ui.showMessage(kErroreCodiceGau);
                break;
            case BuildOutcome::RoutingError:
                f.ui.showMessage(kErroreIndiciGau);
                break;
            default:
                f.ui.showMessage("The diagram cannot be drawn: " + r.reason);
                break;
        }
        return out;
    }
    // The structure of the new diagram: passages, regions and shortest region paths.
    const EsitoStruttura e = Cmdgecare_Click(*d, impostazioniModello(f));
    if (!e.ok) {
        s.IncrocioRadice = radicePrima;
        f.ui.showMessage(e.messaggio.empty() ? std::string("The structure of the diagram cannot be built")
                                             : e.messaggio);
        return out;
    }
    out.esito = EsitoCostruzione::Costruito;
    out.diagram = std::move(d);
    return out;
}

void installaDiagramma(Form2& f, CostruzioneNuova&& nuova) {
    if (!nuova.diagram) return;
    f.diagram = std::move(*nuova.diagram);
    nuova.diagram.reset();
    f.ModoGen = 'A';
    f.PartenzaDisegno = nuova.radice;
    f.layout.IncrocioRadice = nuova.radice;
    if (!f.ModoAutomatico) CmdGrafica_Click(f);
}

EsitoCostruzione CmdTutto_Click(Form2& f) {
    CostruzioneNuova nuova =
        costruisciNuovo(f, f.diagram.txtNodo, f.diagram.TxtOri, f.PartenzaDisegno, &f.diagram.NomiIncroci);
    switch (nuova.esito) {
        case EsitoCostruzione::Banale:
            if (f.NumStato != 0) {
                f.ui.showMessage("Trivial knot");
                StatoPrec(f);
            } else {
                f.NumElaborati = 0;
                f.ui.showMessage("Trivial knot");
                f.AbilitaBottoni(false);
                InizializzaGr(f.Gr, f.diagram.NumRighe, f.diagram.NumColonne, f.ctx.DimCella, f.ModoGen);
            }
            return EsitoCostruzione::Banale;
        case EsitoCostruzione::Errore:
            return EsitoCostruzione::Errore;
        case EsitoCostruzione::Costruito:
            break;
    }
    installaDiagramma(f, std::move(nuova));
    if (!f.ModoAutomatico) {
        f.SettaDone();
        f.AbilitaBottoni(trim(f.diagram.TxtOri).size() >= 2);
    }
    return EsitoCostruzione::Costruito;
}

void CmdGrafica_Click(Form2& f) {
    f.Tbltt.reset();
    f.render.ModoGen = f.ModoGen;
    f.render.ModoSorgente = f.ModoSorgente;
    f.render.DimCella = f.ctx.DimCella;
    DisegnoGrafico(f.diagram, f.render, RenderTarget{f.Gr, f.Tbltt, paletteCorrente(f), &f.ui}, 0, ColNero,
                   true, "", 0);
}

void CmdScifta_Click(Form2& f) {
    ++f.PartenzaDisegno;
    if (f.PartenzaDisegno > static_cast<int>(f.diagram.TxtOri.size()) || f.PartenzaDisegno < 1)
        f.PartenzaDisegno = 1;
}

void ComandoDraw(Form2& f) {
    if (f.NumStato < 0 || f.NumStato > kMaxStati) return;
    Stato& passo = f.tblStati[static_cast<std::size_t>(f.NumStato)];
    const int prima = f.PartenzaDisegno;
    CmdScifta_Click(f);
    CostruzioneNuova nuova =
        costruisciNuovo(f, f.diagram.txtNodo, f.diagram.TxtOri, f.PartenzaDisegno, &f.diagram.NomiIncroci);
    if (nuova.esito != EsitoCostruzione::Costruito) {
        if (nuova.esito == EsitoCostruzione::Banale) f.ui.showMessage("Trivial knot");
        f.PartenzaDisegno = prima;
        return;
    }
    installaDiagramma(f, std::move(nuova));
    passo.Tipo = "A";
    passo.Flag = f.PartenzaDisegno;
    f.SettaDone();
    f.AbilitaBottoni(trim(f.diagram.TxtOri).size() >= 2);
}

}  // namespace trevalon
