#include "mainwindow/move_window.h"

#include <string_view>

#include "layout/palette.h"
#include "layout/render_grid.h"
#include "layout/tile_renderer.h"
#include "mainwindow/build_commands.h"
#include "mainwindow/complete_run.h"
#include "mainwindow/highlights.h"
#include "mainwindow/history.h"
#include "model/gauss_code.h"
#include "model/sides.h"
#include "model/structure.h"

namespace trevalon {

namespace {

// The tile palette of the window's diagrams; loaded on first use.
const TilePalette& palette(Form2& f) {
    if (!f.ctx.FormTessere)
        f.ctx.FormTessere.emplace(f.ModoSorgente == 'D' ? PaletteId::Form1b : PaletteId::Form1,
                                  f.ModoSviluppo);
    return *f.ctx.FormTessere;
}

void disegnaArco(Form2& f, int arco, int colore) {
    if (arco < 1 || arco > f.diagram.NumArchi) return;
    DisegnoGrafico(f.diagram, f.render, RenderTarget{f.Gr, f.Tbltt, palette(f), nullptr}, arco, colore, false,
                   "", 0);
}

// The crossings named in ",c1,c2,".
std::vector<int> numeriInLista(std::string_view lista) {
    std::vector<int> out;
    int n = 0;
    bool in = false;
    for (char ch : lista) {
        if (ch >= '0' && ch <= '9') {
            n = n * 10 + (ch - '0');
            in = true;
        } else {
            if (in) out.push_back(n);
            n = 0;
            in = false;
        }
    }
    if (in) out.push_back(n);
    return out;
}

// The tables of a diagram without crossings, keeping its size.
void svuotaTabelle(Diagram& d) {
    Diagram vuoto;
    vuoto.NumRighe = d.NumRighe;
    vuoto.NumColonne = d.NumColonne;
    d = std::move(vuoto);
}

}  // namespace

bool costruisciStruttura(Diagram& d) {
    AutomaticUi quiet;
    return CostruisciStruttura(d, quiet, {}, CamminiRegioni::SoloDistanze);
}

FinestraForm2::FinestraForm2(Form2& form) : form_(&form), albero_(std::make_shared<AlberoOrizzontale>()) {}

FinestraForm2::FinestraForm2(ProgramContext& ctx, std::shared_ptr<AlberoOrizzontale> albero)
    : automatico_(std::make_unique<AutomaticUi>()),
      proprio_(std::make_unique<Form2>(ctx, *automatico_, "FormProva")),
      form_(proprio_.get()),
      albero_(std::move(albero)) {}

FinestraForm2::~FinestraForm2() = default;

OpzioniMosse FinestraForm2::opzioni() const {
    OpzioniMosse o;
    o.PassoCombinato = passoCombinato_;
    if (nascosta()) {
        // The look-ahead works without a person and reads none of the visible window's flags.
        o.nascosta = true;
        o.ModoAutomatico = true;
        return o;
    }
    o.ModoAutomatico = form_->ModoAutomatico;
    o.ModoSviluppo = form_->ModoSviluppo;
    o.ModoBatch = form_->ModoBatch;
    o.CorsaCompleta = form_->CorsaCompleta;
    return o;
}

char FinestraForm2::modoGen() const {
    // Every applied move goes through the Gauss-code rewrite and a rebuild until the cell drawing can be
    // redrawn after a move.
    return 'A';
}

void FinestraForm2::impostaTipoMossa(const std::string& tipo) {
    if (!nascosta()) form_->ctx.TipoMossa = tipo;
}

void FinestraForm2::impostaEsitoDialogo(const std::string& esito) {
    if (!nascosta()) form_->ctx.EsitoDialogo = esito;
}

bool FinestraForm2::ricostruisciDaCodice() {
    if (nascosta()) return costruisciStruttura(form_->diagram);
    // The complete run draws nothing between its steps: the searches need only the structure.
    if (form_->CorsaCompleta && form_->ModoAutomatico)
        return strutturaOk_ = costruisciStruttura(form_->diagram);
    return CmdTutto_Click(*form_) == EsitoCostruzione::Costruito;
}

void FinestraForm2::registraPasso() {
    registrato_ = false;
    if (nascosta()) return;
    Form2& f = *form_;
    const bool corsa = f.CorsaCompleta && f.ModoAutomatico;
    if (!f.diagram.txtNodo.empty() && !corsa) {
        registrato_ = Salvastato(f);
        return;
    }
    // The complete run records its steps as they are, built from the code only as far as the searches
    // need (the diagram of each step is laid out again when it is shown); and when every crossing is gone
    // the trivial knot is recorded with empty texts, which cannot be built.
    if (f.ModoBatch) return;
    f.RichiestaStop = 0;
    f.ui.hideStopFrame();
    f.ui.setToolbarEnabled(true);
    if (f.NumStato < 0 || f.NumStato >= kMaxStati) {
        f.ui.showMessage("The step history is full (" + std::to_string(kMaxStati) +
                         " steps): this step cannot be recorded.");
        return;
    }
    const bool costruita = strutturaOk_;
    strutturaOk_ = true;
    if (!f.diagram.txtNodo.empty() && !costruita) return;  // the new code was refused: nothing to record
    ++f.NumStato;
    Stato& s = f.tblStati.at(static_cast<std::size_t>(f.NumStato));
    s = Stato{};
    s.Codice = f.diagram.txtNodo;
    s.Ori = f.diagram.TxtOri;
    s.Tipo = "A";
    s.Flag = 1;
    if (s.Codice.empty()) svuotaTabelle(f.diagram);
    f.PartenzaDisegno = 1;
    f.NumIncrociDis = static_cast<int>(s.Ori.size());
    if (!f.ModoAutomatico) {
        InizializzaGr(f.Gr, f.diagram.NumRighe, f.diagram.NumColonne, f.ctx.DimCella, f.ModoGen);
        f.SettaDone();
    }
    f.ui.setCommandEnabled("Undo", true);
    f.ui.setCommandEnabled("Salva", f.NumIncrociDis > 2);
    f.Testocaption(f.NumStato);
    f.AbilitaBottoni(f.NumIncrociDis >= 2);
    registrato_ = true;
}

void FinestraForm2::ricostruisciDaDisegno() {
    if (form_->GeneradatblGen) form_->GeneradatblGen();
}

void FinestraForm2::ridisegna() {
    if (nascosta() || form_->ModoAutomatico || form_->diagram.NumIncroci == 0) return;
    CmdGrafica_Click(*form_);
}

void FinestraForm2::evidenziaCandidato(const CandidatoMossa& c) {
    if (nascosta() || form_->ModoAutomatico || form_->diagram.NumIncroci == 0) return;
    Form2& f = *form_;
    CmdGrafica_Click(f);
    for (const ArcoEvidenziato& a : c.archi) disegnaArco(f, a.arco, a.colore);
    for (int x : numeriInLista(c.voceEvidenziata)) DisegnaNodoSw(f, x, 0, c.Lista);
}

void FinestraForm2::evidenziaPonte(const CandidatoPonte& c) {
    if (nascosta() || form_->ModoAutomatico || form_->diagram.NumIncroci == 0) return;
    Form2& f = *form_;
    CmdGrafica_Click(f);
    for (int a : c.archiPonte) disegnaArco(f, a, ColRosso);
    for (int a : c.archiAttraversati) disegnaArco(f, a, ColVerde);
}

const GridControl* FinestraForm2::grigliaPrincipale() const {
    return nascosta() ? nullptr : &form_->Gr;
}

FinestraPonte& FinestraForm2::prova() {
    if (nascosta()) return *this;  // only the main window has a look-ahead instance
    if (!prova_) {
        prova_.reset(new FinestraForm2(form_->ctx, albero_));
        form_->ctx.ProvaDaCreare = false;
    }
    return *prova_;
}

int& FinestraForm2::RichiestaStop() {
    return nascosta() ? stopProprio_ : form_->RichiestaStop;
}

void FinestraForm2::fineCorsaCompleta() {
    if (!nascosta()) form_->CorsaCompleta = false;
}

bool FinestraForm2::caricaConsegna(const std::string& codice, const std::string& ori,
                                   const std::string& nomi) {
    // The same tables are refilled for every diagram handed over: every table the searches read is
    // rewritten by the build, and a fresh cell table for each of thousands of diagrams would cost more
    // than the searches.
    Diagram& d = form_->diagram;
    d.txtNodo = codice;
    d.TxtOri = ori;
    if (!costruisciStruttura(d)) return false;
    // The crossing names handed over: "|name|name|...|".
    std::size_t i = 1, pos = 1;
    while (pos < nomi.size() && i < d.NomiIncroci.size()) {
        const std::size_t end = nomi.find('|', pos);
        if (end == std::string::npos) break;
        d.NomiIncroci[i++] = nomi.substr(pos, end - pos);
        pos = end + 1;
    }
    return true;
}

void InstallaComandiMosse(Form2& f, FinestraForm2& w, StepListPort& lista) {
    f.setCommand("m1", [&w] { DoTric(w, true); });
    f.setCommand("m2", [&w] { DoTman(w, true); });
    f.setCommand("m3", [&w] { CmdTpon_Click(w, w.statoPonte()); });
    f.setCommand("m3b", [&w] { CmdTpon2_Click(w, w.statoPonte()); });
    f.setCommand("quick", [&f, &w, &lista] { AzioneCompleta(f, w, &lista); });
}

}  // namespace trevalon
