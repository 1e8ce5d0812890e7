#include "mainwindow/move_adapter.h"

#include <algorithm>
#include <thread>
#include <utility>

#include "celldraw/cell_drawing_build.h"
#include "celldraw/cell_drawing_check.h"

#include "layout/palette.h"
#include "layout/render_grid.h"
#include "layout/tile_renderer.h"
#include "mainwindow/build_commands.h"
#include "mainwindow/commit.h"
#include "mainwindow/highlights.h"
#include "mainwindow/main_grid.h"
#include "mainwindow/text_drawing_files.h"
#include "moves/bridge_lists.h"
#include "moves/developer_variants.h"
#include "moves/drawn_apply.h"
#include "moves/gauss_rewrite.h"
#include "platform/cores.h"

namespace trevalon {

namespace {

void disegnaArco(DocumentoNodo& doc, VistaNodo& v, int arco, int colore) {
    if (arco < 1 || arco > doc.diagram.NumArchi) return;
    DisegnoGrafico(doc.diagram, v.render, RenderTarget{v.Gr, v.Tbltt, paletteCorrente(v, doc.modi), nullptr},
                   arco, colore, false, "", 0);
}

// How the main grid shows the arcs a search marks in a candidate.
int coloreEvidenziato(HighlightRole ruolo) {
    return ruolo == HighlightRole::FirstStretch ? ColRosso : ColVerde;
}

}  // namespace

FinestraForm2::FinestraForm2(Form2& form) : form_(form), albero_(std::make_shared<AlberoOrizzontale>()) {}

FinestraForm2::~FinestraForm2() = default;

OpzioniMosse FinestraForm2::opzioni() const {
    const ModiFinestra& m = form_.doc().modi;
    OpzioniMosse o;
    o.PassoCombinato = passoCombinato_;
    o.ModoAutomatico = m.ModoAutomatico;
    o.ModoSviluppo = m.ModoSviluppo;
    o.ModoBatch = m.ModoBatch;
    o.CorsaCompleta = m.CorsaCompleta;
    o.SoloGenerazione = m.SoloGenerazione;
    o.ValoreDebug = m.ValoreDebug;
    o.ValoreDebug2 = m.ValoreDebug2;
    o.camminoSviluppo = ValidaCamminoSviluppo;
    if (m.ModoDebug) {
        dump_ = DumpFolder{form_.contesto().ctx.cartellaDump, &form_.contesto().ui,
                           &form_.contesto().ctx.dumpNonScritti};
        o.dump = &dump_;
    }
    return o;
}

bool FinestraForm2::ridisegnaMossa(MoveKind tipo, const TestoNodo& nuovo) {
    const ModiFinestra& m = form_.doc().modi;
    const bool conDisegno = tipo == MoveKind::I || tipo == MoveKind::II || ponteDis(tipo) != nullptr;
    // A move that leaves fewer than three crossings is redrawn too: the person keeps the picture approved
    // in the viewer, shown tile by tile as a drawing too small to build.
    // The developer layout rewrites the code of a knot laid out from it and records nothing; a knot kept as
    // a cell drawing is rebuilt from its redrawn drawing there too.
    const bool soloTesto = m.ModoSviluppo && m.ModoGen != GenMode::CellDrawing;
    if (!conDisegno || !mostraCandidati() || m.CorsaCompleta || soloTesto || m.ModoBatch) return false;
    if (!ridisegnabile(tipo, form_.doc().diagram, nuovo)) {
        ++ridisegni_.nonRidisegnabili;
        return false;
    }
    return true;
}

namespace {

// The view of the step viewer's grid; its progress ticks go to the viewer's status bar.
VistaRidisegno vistaVisore(const ContestoFinestra& f, VistaNodo& v, GridControl* Gr3,
                           const RidisegnoInVisore& visore) {
    VistaRidisegno vista;
    vista.Gr3 = Gr3;
    vista.palette = &paletteCorrente(v, f.doc.modi);
    vista.ModoSorgente = f.doc.modi.ModoSorgente;
    vista.progresso = visore.tick;
    vista.mostraTessera = visore.mostraTessera;
    vista.DimCella = visore.DimCella;
    if (f.doc.modi.ModoDebug) vista.dump = DumpFolder{f.ctx.cartellaDump, &f.ui, &f.ctx.dumpNonScritti};
    vista.NumStato = f.doc.storia.NumStato;
    return vista;
}

const char* const kMotivoRicaduta =
    "The redraw of the drawing failed, the move will be applied through its code: ";

}  // namespace

GridArea FinestraForm2::areaEsito(GridControl& Gr3, const CellDrawing& tblGen,
                                  const VistaRidisegno& vista) const {
    // The changed cells stand where the redraw drew them in colour, in the drawing it redrew first; a
    // tidy-up right of it may have moved its rows and columns, so the place is shown there.
    const GridArea a = coloraCambiate(Gr3, celleCambiate_);
    if (!a.empty()) return a;
    const LimitiDis& l = tblGen.limiti;
    if (l.RigaMax < l.RigaMin || l.ColMax < l.ColMin) return GridArea{};
    return GridArea{l.RigaMin, l.ColMin + vista.ColonnaBaseDis, l.RigaMax, l.ColMax + vista.ColonnaBaseDis};
}

std::optional<std::string> FinestraForm2::mossaIINonRidisegnabile() const {
    if (!candidatoMostrato_ || candidatoMostrato_->mossa.TipoCandidato == MoveIIRewrite::M)
        return std::nullopt;
    const Diagram& d = form_.doc().diagram;
    int conta = form_.doc().ContaNuoviIncroci;
    const auto t = NuovoNodoDaPonteB(TestoDi(d), candidatoMostrato_->mossa, d, conta);
    if (!t || ridisegnabile(MoveKind::II, d, *t)) return std::nullopt;
    return "This move II changes the diagram beyond its two crossings (" + std::to_string(d.TxtOri.size()) +
           " crossings become " + std::to_string(t->TxtOri.size()) +
           "): it will be applied through its code and the diagram laid out again.";
}

Result<GridArea> FinestraForm2::ridisegnaPerVisore(MoveKind tipo, GridControl* Gr3,
                                                   const RidisegnoInVisore& visore) {
    tipoVisore_ = MoveKind::None;
    celleCambiate_.clear();
    if (tipo == MoveKind::II)
        if (std::optional<std::string> motivo = mossaIINonRidisegnabile()) return fail(*motivo);
    tipoVisore_ = tipo;
    VistaRidisegno vista = vistaVisore(form_.contesto(), form_.vista(), Gr3, visore);
    ridisegnoVisore_ = ridisegnaCelDis(form_.doc().diagram, form_.vista().Tbltt, tipo, vista,
                                       &form_.vista().Gr, form_.vista().zoom.DimCella, ponteDis(tipo));
    colonnaBaseVisore_ = vista.ColonnaBaseDis;
    ultimaColonnaVisore_ = vista.UltimaColonnaDis;
    if (!ridisegnoVisore_) return fail(kMotivoRicaduta + ridisegnoVisore_.error());
    if (!Gr3) return GridArea{};
    // The redraw drew the strands it moved in colour, in the drawing it redrew first; a drawing tidied
    // after it stands right of it, each cell where it stood.
    const int prima = vista.ColonnaScorrimento > 0 ? vista.ColonnaScorrimento : vista.ColonnaBaseDis;
    const int dopo = vista.ColonnaBaseDis > prima ? vista.ColonnaBaseDis - 1 : -1;
    celleCambiate_ = celleColorate(*Gr3, prima, dopo);
    return areaEsito(*Gr3, **ridisegnoVisore_, vista);
}

Result<GridArea> FinestraForm2::miglioraPerVisore(GridControl* Gr3) {
    if (tipoVisore_ == MoveKind::None || !ridisegnoVisore_)
        return fail("There is no redrawn drawing to tidy.");
    CellDrawing& tblGen = **ridisegnoVisore_;
    const CellDrawing prima = tblGen;
    VistaRidisegno vista = vistaVisore(form_.contesto(), form_.vista(), Gr3, RidisegnoInVisore{});
    // The tidied drawing goes right of the last one, whatever its crossings; the pictures the person
    // approved stay as they are.
    vista.ColonnaBaseDis = colonnaBaseVisore_;
    vista.UltimaColonnaDis = ultimaColonnaVisore_;
    Status ok = miglioraCelDis(tblGen, vista);
    // The shortcuts may have crowded the crossings: each is set apart, to be seen as a crossing.
    if (ok) ok = separaIncroci(tblGen, vista);
    if (ok) ok = verificaCelDis(tblGen);
    if (!ok) {
        tblGen = prima;
        return fail("The drawing could not be tidied, it stays as it was: " + ok.error());
    }
    colonnaBaseVisore_ = vista.ColonnaBaseDis;
    ultimaColonnaVisore_ = vista.UltimaColonnaDis;
    if (!Gr3) return GridArea{};
    // The tidied drawing, shown whole, or from its middle when it is larger than the view.
    celleCambiate_.clear();
    return areaEsito(*Gr3, tblGen, vista);
}

CellDrawingActions FinestraForm2::azioniVisore(MoveKind tipo) {
    CellDrawingActions a;
    if (tipo == MoveKind::III && !ponteDis(tipo)) {
        // A candidate whose route could not be drawn in the main grid is not redrawn either: "Applica"
        // says so, and the move goes through its code.
        a.F3SavDis = [](GridControl&, const RidisegnoInVisore&) -> Result<GridArea> {
            return fail(
                "This move III could not be drawn on the diagram: it will be applied through its code "
                "and the diagram laid out again.");
        };
        return a;
    }
    if (tipo != MoveKind::I && tipo != MoveKind::II && tipo != MoveKind::III) return a;
    a.F3PulisciCelDis = [this] { tipoVisore_ = MoveKind::None; };
    a.F3SavDis = [this, tipo](GridControl& Gr3, const RidisegnoInVisore& visore) {
        return ridisegnaPerVisore(tipo, &Gr3, visore);
    };
    a.F3VisCelDis = [this](GridControl& Gr3, int ColonnaBaseDis) { mostraTestoCelDis(Gr3, ColonnaBaseDis); };
    a.F3SistemaGrafica = [this](GridControl& Gr3, bool) { return miglioraPerVisore(&Gr3); };
    a.F3Command8 = [this] { form_.contesto().ui.setPanel("p1", "Done"); };
    a.captionPassoSeguente = [this] {
        form_.Testocaption(form_.doc().storia.NumStato + 1);
        return form_.contesto().ui.caption();
    };
    return a;
}

void FinestraForm2::mostraTestoCelDis(GridControl& Gr3, int ColonnaBaseDis) {
    auto tblGen = std::make_unique<CellDrawing>();
    if (Status ok = F3GenCelDis(*tblGen, form_.doc().diagram, form_.vista().Tbltt, false); !ok) {
        form_.contesto().ui.setPanel("p2", ok.error());
        return;
    }
    VistaRidisegno vista;
    vista.Gr3 = &Gr3;
    vista.ColonnaBaseDis = ColonnaBaseDis;
    Gr3.clear();
    F3VisCelDis(*tblGen, vista, form_.vista().zoom.DimCella);
}

Result<NodoCostruito> FinestraForm2::ridisegnoControllato(MoveKind tipo, const TestoNodo& nuovo) {
    const auto tick = [this] { form_.AggiornaProgressivo(); };
    Result<std::unique_ptr<CellDrawing>> disegno = fail("");  // a Result has no empty state
    if (tipoVisore_ == tipo) {
        // cppcheck-suppress redundantInitialization ; the failure it replaces only stands in for no value
        disegno = std::move(ridisegnoVisore_);
    } else {
        VistaRidisegno vista;
        vista.ModoSorgente = form_.doc().modi.ModoSorgente;
        vista.progresso = tick;
        disegno = ridisegnaCelDis(form_.doc().diagram, form_.vista().Tbltt, tipo, vista, nullptr, 0,
                                  ponteDis(tipo));
    }
    if (!disegno) return Failure{disegno.error()};
    // The rebuild of the moved drawing (`GeneradatblGen`) writes the window's dumps.
    return controllaRidisegno(std::move(*disegno), nuovo, tick, impostazioniModello(form_.contesto()));
}

bool FinestraForm2::committaMossa(MoveKind tipo, const TestoNodo& nuovo) {
    if (primaDiCambiare_) std::exchange(primaDiCambiare_, nullptr)();
    if (form_.doc().modi.ModoGen == GenMode::TextDrawing) return committaSuDisegno(tipo);
    std::string ricaduta;
    if (ridisegnaMossa(tipo, nuovo)) {
        Result<NodoCostruito> nodo = ridisegnoControllato(tipo, nuovo);
        tipoVisore_ = MoveKind::None;
        ponteMostrato_.reset();
        candidatoMostrato_.reset();
        if (nodo) {
            ++ridisegni_.riusciti;
            registrato_ = CommittaMossaDisegnata(form_.contesto(), form_.vista(), std::move(*nodo));
            return registrato_;
        }
        ++ridisegni_.ricaduti;
        ridisegni_.ultimoMotivo = nodo.error();
        ricaduta = "The redraw of the drawing failed, the move was applied through its code: " + nodo.error();
    }
    tipoVisore_ = MoveKind::None;
    ponteMostrato_.reset();
    candidatoMostrato_.reset();
    registrato_ = CommittaMossa(form_.contesto(), form_.vista(), nuovo);
    if (!ricaduta.empty()) form_.contesto().ui.setPanel("p2", ricaduta);
    return registrato_;
}

bool FinestraForm2::committaSuDisegno(MoveKind tipo) {
    // A diagram that is only drawn has no code layout and no cell drawing to rebuild: a move III takes the
    // arcs of its bridge off the drawing; the drawing of any other move stays as it is. Nothing is recorded.
    std::optional<MossaPonteDis> ponte;
    std::swap(ponte, ponteMostrato_);
    tipoVisore_ = MoveKind::None;
    candidatoMostrato_.reset();
    if (tipo == MoveKind::III && ponte) {
        std::string lista;
        for (int a : ponte->archiMossa) lista += std::to_string(a) + ",";
        EliminaArchi(form_.doc().diagram, lista);
        // The grid shows the drawing that is left: the cell table's symbols, classified again.
        if (Result<DisegnoTesto> resto =
                leggiDisegnoTesto(testoDellaFonte(form_.doc(), form_.vista(), DrawingSource::CellTable)))
            MostraDisegnoTesto(form_.contesto(), form_.vista(), std::move(*resto));
        CmdGrafica_Click(form_.contesto(), form_.vista());
        form_.contesto().ui.setPanel("p2", "The arcs of the move were taken off the drawing.");
    } else {
        form_.contesto().ui.setPanel(
            "p2", "A diagram that is only drawn keeps its drawing: the move was not applied.");
    }
    form_.vista().Gr.setRedraw(true);
    registrato_ = false;
    return false;
}

bool FinestraForm2::mostraCandidati() const {
    return !form_.doc().modi.ModoAutomatico && form_.doc().diagram.NumIncroci != 0;
}

const MossaPonteDis* FinestraForm2::ponteDis(MoveKind tipo) {
    return tipo == MoveKind::III && ponteMostrato_ ? &*ponteMostrato_ : nullptr;
}

void FinestraForm2::ridisegna() {
    ponteMostrato_.reset();
    if (mostraCandidati()) CmdGrafica_Click(form_.contesto(), form_.vista());
}

void FinestraForm2::evidenziaCandidato(const CandidatoMossa& c) {
    tipoVisore_ = MoveKind::None;
    ponteMostrato_.reset();
    candidatoMostrato_ = c;
    if (!mostraCandidati()) return;
    CmdGrafica_Click(form_.contesto(), form_.vista());
    for (const ArcoEvidenziato& a : c.archi)
        disegnaArco(form_.doc(), form_.vista(), a.arco, coloreEvidenziato(a.ruolo));
    for (int x : numeriLista(c.voceEvidenziata)) DisegnaNodoSw(form_.vista(), form_.doc(), x, 0, c.Lista);
}

// The whole diagram in black, the bridge in red without its two end crossings (the strand leaves them as
// it was), and on each crossed arc one green crossing marker, the moved strand over the arc for an
// over-bridge and under it for an under-bridge, each near the one before. The redraw of the move finds the
// new crossings by these markers' tile names.
void FinestraForm2::evidenziaPonte(const CandidatoPonte& c) {
    tipoVisore_ = MoveKind::None;
    ponteMostrato_.reset();
    candidatoMostrato_.reset();
    if (!mostraCandidati()) return;
    CmdGrafica_Click(form_.contesto(), form_.vista());
    Diagram& d = form_.doc().diagram;
    const RenderTarget t{form_.vista().Gr, form_.vista().Tbltt, form_.paletteCorrente(), nullptr};
    if (!DisegnaCandidatoPonte(d, form_.vista().render, t, c.archiPonte, c.archiAttraversati, c.ab2)) return;
    ponteMostrato_ = MossaPonteDis{&d, c.archiPonte, c.archiAttraversati, c.regioni};
}

FinestraPonte& FinestraForm2::prova() {
    if (!prova_)
        prova_ = std::make_unique<FormProva>(albero_, form_.contesto().ui, form_.contesto().RichiestaStop);
    return *prova_;
}

std::vector<FinestraPonte*> FinestraForm2::proveIsolate() {
    // An instance per core, up to eight: the window's thread examines with the first between its filings,
    // a thread of the search with each other one. Each holds a diagram's tables, whose large ones the
    // search never touches. On one core the window's thread examines the rounds alone: the records of a
    // full tree are then still only checked for a move I or II from their passages.
    constexpr unsigned kMassimo = 8;
    const unsigned quante = std::clamp(nucleiDisponibili(), 1U, kMassimo);
    while (proveIsolate_.size() < quante) proveIsolate_.push_back(std::make_unique<FormProvaIsolata>());
    std::vector<FinestraPonte*> out;
    for (auto& p : proveIsolate_) out.push_back(p.get());
    return out;
}

}  // namespace trevalon
