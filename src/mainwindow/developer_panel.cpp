#include "mainwindow/developer_panel.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <stdexcept>
#include <vector>

#include "celldraw/built_knot.h"
#include "layout/auto_layout.h"
#include "layout/cell_lists.h"
#include "layout/cell_marks.h"
#include "layout/depth_layout.h"
#include "layout/diagonal_shift.h"
#include "layout/drawn_renderer.h"
#include "layout/grid_view.h"
#include "layout/path_text.h"
#include "layout/region_highlight.h"
#include "layout/render_grid.h"
#include "layout/routing.h"
#include "mainwindow/batch_panel.h"
#include "mainwindow/build_commands.h"
#include "mainwindow/file_dialogs.h"
#include "mainwindow/form2.h"
#include "mainwindow/install_knot.h"
#include "mainwindow/main_grid.h"
#include "mainwindow/open_knot.h"
#include "model/quarter_turn.h"
#include "model/structure.h"
#include "model/text_drawing.h"
#include "platform/safe_file.h"

namespace trevalon {

namespace {

constexpr const char* kSoloDaCodice = "The layout steps work on a knot laid out from its Gauss code.";

// The layout steps need the tables of a diagram laid out from its code; otherwise they say so.
bool dalCodice(Form2& f) {
    if (f.doc().diagram.NumIncroci > 0 && f.doc().modi.ModoGen == GenMode::Code) return true;
    f.contesto().ui.showMessage(kSoloDaCodice);
    return false;
}

// A step that may fail: its message shown, else the diagram drawn again.
void passo(Form2& f, const Status& s) {
    if (!s) f.contesto().ui.showMessage(s.error());
    CmdGrafica_Click(f.contesto(), f.vista());
    f.SettaDone();
}

}  // namespace

std::optional<int> valoreDebugDaTesto(std::string_view testo) {
    while (!testo.empty() && testo.front() == ' ') testo.remove_prefix(1);
    long long v = 0;
    const auto [fine, errore] = std::from_chars(testo.data(), testo.data() + testo.size(), v);
    if (errore == std::errc::invalid_argument) return 0;
    (void)fine;
    if (errore == std::errc::result_out_of_range || v < std::numeric_limits<std::int16_t>::min() ||
        v > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<int>(v);
}

UserInterface& PannelloSviluppo::ui() {
    return f_.contesto().ui;
}

PannelloSviluppo::PannelloSviluppo(Form2& f) : f_(f) {
    // The layout's tree step names the crossing it places in the caption.
    f_.vista().layout.didascalia = [&f](const std::string& testo) { f.contesto().ui.setCaption(testo); };
    pulsantiCodice();
    pulsantiLayout();
    pulsantiStrumenti();
}

void PannelloSviluppo::nuovo(const char* key, const char* caption, std::function<void()> azione) {
    pulsanti_.push_back(PulsantePannello{key, caption, std::move(azione)});
}

void PannelloSviluppo::aggiornaCampi() {
    if (campiCambiati) campiCambiati();
}

// The code typed or relabelled, the moves and the structure they read.
void PannelloSviluppo::pulsantiCodice() {
    nuovo("CmdTutto", "Tutto", [this] {
        if (ApriCodice(f_.contesto(), f_.vista(), codiceDeiCampi(), "")) f_.nodoAperto();
    });
    nuovo("CmdDaDisegno", "Da Disegno", [this] {
        if (cmdDadisegnoRichiesta(f_.contesto(), f_.vista(), "")) f_.nodoAperto();
    });
    nuovo("CmdInizScifta", "IniziScifta", [this] {
        // The texts typed, else the diagram's own.
        if (txtNodo.empty()) {
            txtNodo = f_.doc().diagram.txtNodo;
            TxtOri = f_.doc().diagram.TxtOri;
            aggiornaCampi();
        }
        if (!scifta_.inizia(txtNodo, TxtOri)) ui().showMessage("The Gauss code cannot be read.");
    });
    nuovo("Cmscifta2", "Scifta2", [this] {
        if (!scifta_.avviata()) {
            ui().showMessage("Start the relabelling with IniziScifta first.");
            return;
        }
        if (scifta_.scifta(txtNodo, TxtOri)) aggiornaCampi();
    });
    // The moves and the connected sums, as the toolbar's keys reach them.
    nuovo("CmdTric", "Tric", [this] { f_.tlb1_ButtonClick("m1"); });
    nuovo("CmdTecManico", "Tman", [this] { f_.tlb1_ButtonClick("m2"); });
    nuovo("CmdTpon", "Tpon", [this] { f_.tlb1_ButtonClick("m3"); });
    nuovo("CmdTpon2", "Tpon2", [this] { f_.tlb1_ButtonClick("m3b"); });
    // The developer variants of move II ("2L") and move III (the mixed search); the texts a move gives
    // go into the fields, which "Tutto" builds.
    const auto variante = [this](const char* comando) {
        const std::string prima = f_.doc().diagram.txtNodo, primaOri = f_.doc().diagram.TxtOri;
        if (!f_.eseguiComando(comando)) return;
        if (f_.doc().diagram.txtNodo == prima && f_.doc().diagram.TxtOri == primaOri) return;
        txtNodo = f_.doc().diagram.txtNodo;
        TxtOri = f_.doc().diagram.TxtOri;
        aggiornaCampi();
    };
    nuovo("cmdTec2I", "2L", [variante] { variante("cmdTec2I"); });
    nuovo("CmdTpon3", "Tpon3", [variante] { variante("CmdTpon3"); });
    nuovo("CmdSottoNodi", "Sottonodi", [this] { f_.tlb1_ButtonClick("compcon"); });
    // The structure the searches read, step by step.
    nuovo("Cmdgecare", "gecare", [this] {
        if (f_.doc().diagram.NumIncroci < 1) return;
        if (const Status s = Cmdgecare_Click(f_.doc().diagram, impostazioniModello(f_.contesto())); !s)
            ui().showMessage(s.error());
        f_.SettaDone();
    });
    nuovo("CmDConvertiGemelli", "Gemelli", [this] {
        if (f_.doc().diagram.NumIncroci < 1) return;
        if (const Status s = CmDConvertiGemelli_Click(f_.doc().diagram, impostazioniModello(f_.contesto()));
            !s)
            ui().showMessage(s.error());
        f_.SettaDone();
    });
    nuovo("CmdGrafoReg", "GrafoReg", [this] {
        if (f_.doc().diagram.NumIncroci < 1) return;
        if (const Status s = CmdGrafoReg_Click(f_.doc().diagram, impostazioniModello(f_.contesto())); !s)
            ui().showMessage(s.error());
        f_.SettaDone();
    });
}

// The layout step by step, and the tools of the grid.
void PannelloSviluppo::pulsantiLayout() {
    // The next root crossing of the layout, shown on the button ("Scifta 1"); the layout from the next root
    // crossing ("Radice").
    nuovo("CmdScifta", "Scifta 1", [this] {
        CmdScifta_Click(f_.doc());
        impostaDidascalia("CmdScifta", std::to_string(f_.doc().PartenzaDisegno));
    });
    nuovo("CmdRadice", "Radice", [this] {
        f_.tlb1_ButtonClick("draw");
        impostaDidascalia("CmdScifta", std::to_string(f_.doc().PartenzaDisegno));
    });
    // The layout of the crossings alone, breadth-first or depth-first; the rest by the steps after it.
    nuovo("CmdDisegna", "Disegna", [this] {
        if (!dalCodice(f_)) return;
        const MarcheInstallate marche(*this);
        passo(f_, Disegna(f_.doc().diagram, f_.vista().layout));
    });
    nuovo("CmdDisegnaprof", "Disegna prof", [this] {
        if (!dalCodice(f_)) return;
        const MarcheInstallate marche(*this);
        passo(f_, DisegnaProf(f_.doc().diagram, f_.vista().layout));
    });
    // A region's arcs, or the shortest path between two regions, over the diagram.
    nuovo("CmdDisegnaReg", "Dise Reg", [this] {
        if (f_.doc().diagram.NumRegioni < 1) return;
        const RenderTarget t{f_.vista().Gr, f_.vista().Tbltt, f_.paletteCorrente(), nullptr};
        (void)DisegnaRegione(f_.doc().diagram, f_.vista().render, t, ui());
    });
    // The character drawing of the main grid enlarged for editing ("aum"), and cut along a diagonal through
    // the last cell clicked in the step viewer ("Grf1").
    nuovo("Command8", "aum", [this] { estensione_ = Command8_Click(f_.vista().Gr); });
    nuovo("Command10", "Grf1", [this] {
        AngoliSpostamento angoli;
        angoli.AngoloRiga1 = f_.vista().RigaClick;
        angoli.AngoloCol1 = f_.vista().ColClick;
        angoli.AngoloRiga2 = f_.vista().RigaClickPrec;
        angoli.AngoloCol2 = f_.vista().ColClickPrec;
        (void)Sciftadiag(f_.vista().Gr, estensione_, angoli, &ui());
    });
    // The grid moved by 1000 twips each way.
    nuovo("Command3", "Gr su", [this] { SpostaGriglia(f_.vista().Gr, VersoSpostamento::Su); });
    nuovo("Command4", "Gr giu", [this] { SpostaGriglia(f_.vista().Gr, VersoSpostamento::Giu); });
    nuovo("Command5", "Gr dx", [this] { SpostaGriglia(f_.vista().Gr, VersoSpostamento::Destra); });
    nuovo("Command6", "Gr sx", [this] { SpostaGriglia(f_.vista().Gr, VersoSpostamento::Sinistra); });
    // The developer's test of the quarter turn, on a copy: the diagram shown stays as it is.
    nuovo("CmdRuota", "Ruota", [this] { CmdRuota_Click(); });
    // One arc listed again cell by cell, and the layout's work grid as numbers.
    nuovo("CndVisListaCelle", "ListaCelle", [this] { CndVisListaCelle_Click(); });
    nuovo("CmdVisNodo", "Vis Nodo", [this] { CmdVisNodo_Click(); });
    nuovo("CmdBordi", "Percorri Bordo", [this] {
        if (!dalCodice(f_)) return;
        if (const Status s = PercorriBordo(f_.doc().diagram, f_.vista().layout); !s)
            ui().showMessage(s.error());
        f_.SettaDone();
    });
    nuovo("CmdDisegnaArchi", "disegna archi", [this] {
        if (!dalCodice(f_)) return;
        const MarcheInstallate marche(*this);
        passo(f_, DisegnaArchi(f_.doc().diagram, f_.vista().layout));
    });
    nuovo("CmDvisCostr", "Vis Costr", [this] {
        if (!dalCodice(f_)) return;
        const MarcheInstallate marche(*this);
        passo(f_, VisCostruzione(f_.doc().diagram, f_.vista().layout, "F", false));
    });
    // The numeric view of the construction: the step view of "Vis Costr", then every arc and crossing cell
    // shows its number in the main grid, a crossing's in red; no row is deleted.
    nuovo("CmdEliminaRigheUguali", "Visione Numerica", [this] {
        if (!dalCodice(f_)) return;
        const MarcheInstallate marche(*this);
        if (const Status s = VisCostruzione(f_.doc().diagram, f_.vista().layout, "F", false); !s)
            ui().showMessage(s.error());
        MostraNumeri(f_.vista().Gr, f_.doc().diagram);
        f_.SettaDone();
    });
    nuovo("Command2", "Rpara", [this] {
        if (!dalCodice(f_)) return;
        const MarcheInstallate marche(*this);
        RiparaArchi(f_.doc().diagram, f_.vista().layout);
        passo(f_, {});
    });
    // The character drawing in the main grid (typed with the editor, say) shown with the drawn-knot tiles
    // in black. It is classified on tables of its own: the diagram's tables stay as they are.
    nuovo("Command11", "Modo2", [this] { Command11_Click(); });
    nuovo("CmdCammino", "Cammino", [this] {
        Diagram& d = f_.doc().diagram;
        if (d.NumRegioni < 1) return;
        if (!GeneraCamminoMinimo(d, 1, d.NumRegioni, false, 0, 0, impostazioniModello(f_.contesto())))
            ui().showMessage("Some shortest paths were left out: there are too many.");
        f_.SettaDone();
    });
    nuovo("CmdRovescia", "Rovescia", [this] {
        if (f_.doc().modi.ModoGen != GenMode::CellDrawing) {
            ui().showMessage("Rovescia rebuilds a knot kept as a cell drawing.");
            return;
        }
        CellDrawing copia = f_.doc().tblGen;
        GeneradatblGen(f_.contesto(), f_.vista(), std::move(copia));
    });
}

// The search's tuning values and the catalogue's batch tools.
void PannelloSviluppo::pulsantiStrumenti() {
    nuovo("Command1", "dbgval", [this] {
        for (int* valore : {&f_.doc().modi.ValoreDebug, &f_.doc().modi.ValoreDebug2}) {
            const std::string titolo = valore == &f_.doc().modi.ValoreDebug ? "dbgval" : "dbgval2";
            const std::optional<std::string> risposta =
                ui().askInput(titolo, titolo, std::to_string(*valore));
            if (!risposta) return;
            const std::optional<int> v = valoreDebugDaTesto(*risposta);
            if (!v) {
                ui().showMessage(titolo + ": a whole number from -32768 to 32767.");
                return;
            }
            *valore = *v;
        }
    });
    // The catalogue's batch tools and the listings of diagrams met twice.
    nuovo("Command13", "ListaUg", [this] { Command13_Click(f_.contesto(), *this); });
    nuovo("CmdGeneraOri", "generaOri", [this] { generaOri_Click(f_.contesto(), *this); });
    nuovo("Cmdutil", "Util", [this] { Cmdutil_Click(f_.contesto()); });
    nuovo("Command12", "CodMio", [this] { Command12_Click(f_.contesto()); });
    // Not the quarter turn "CmdRuota": the catalogue's entries that share a diagram.
    nuovo("Cmdruota", "gauss=", [this] { Cmdruota_Click(f_.contesto(), *this); });
    nuovo("CmdCercaDoppi", "Doppi", [this] { CercaDoppi_Click(f_.contesto()); });
    nuovo("CmdStack", "Stack", [this] { CaricaTabellaStack_Click(f_.contesto(), *this); });
}

PannelloSviluppo::MarcheInstallate::MarcheInstallate(PannelloSviluppo& p, bool sempre) : p_(p) {
    if (!p_.Chdbgrad && !sempre) return;
    marche_ = std::make_unique<MarcheCelle>(p_.f_.vista().Gr, &p_.ui());
    p_.f_.vista().layout.hook = marche_.get();
}

PannelloSviluppo::MarcheInstallate::~MarcheInstallate() {
    if (marche_) p_.f_.vista().layout.hook = nullptr;
}

void PannelloSviluppo::Command11_Click() {
    GridControl& Gr = f_.vista().Gr;
    const std::string testo =
        testoDisegno(Gr.rows() - 1, Gr.cols() - 1, [&Gr](int r, int c) { return Gr.text(r, c); });
    const Result<DisegnoTesto> disegno = leggiDisegnoTesto(testo);
    if (!disegno) {
        ui().showMessage(disegno.error());
        return;
    }
    auto scratch = std::make_unique<Diagram>();
    estensioneDisegnato(*scratch);
    SettaTblNodoDagrd(*scratch, *disegno);
    const TilePalette paletteDisegni(PaletteId::Form1b, f_.doc().modi.ModoSviluppo);
    DisegnaModo2(*scratch, RenderTarget{Gr, f_.vista().Tbltt, paletteDisegni, &ui()}, ColNero,
                 f_.doc().modi.ModoSviluppo, [this] { f_.AggiornaProgressivo(); });
    // Each classified cell shows its black key tile (the characters were painted over): the key is "N"
    // and the cell's shape.
    Gr.setRedraw(false);
    const int righe = std::min(Gr.rows() - 1, kMaxCella), colonne = std::min(Gr.cols() - 1, kMaxCella);
    for (int r = 1; r <= righe; ++r)
        for (int c = 1; c <= colonne; ++c) {
            if (f_.vista().Tbltt.get(r, c).empty()) continue;
            const int e = paletteDisegni.diagByKey("N" + std::string(scratch->TblNodo.at(r, c).Vicini()));
            if (e < 0) continue;
            Gr.setPicture(r, c, paletteDisegni.imgDiag(e));
            Gr.setPictureAlignment(r, c, CellAlign::CenterCenter);
        }
    Gr.setRedraw(true);
    f_.SettaDone();
}

void PannelloSviluppo::CmdRuota_Click() {
    if (f_.doc().diagram.NumIncroci < 1) return;
    auto copia = std::make_unique<Diagram>(f_.doc().diagram);
    const Result<std::string> testo = ProvaRuotaNodo(*copia);
    if (!testo) {
        ui().showMessage(testo.error());
        return;
    }
    ++ContaRotazioni;
    // The picture goes where every developer file goes.
    const std::filesystem::path cartella = f_.contesto().ctx.cartellaDump;
    std::error_code ec;
    if (cartella.empty() || (std::filesystem::create_directories(cartella, ec), ec)) {
        ui().setPanel("p2", "ruota.txt not written: there is no folder for the developer's files" +
                                (cartella.empty() ? std::string() : " (" + cartella.string() + ")"));
    } else {
        const std::filesystem::path immagine = cartella / "ruota.txt";
        if (const Status scritto = replaceFileContents(immagine, immagineRuota(*copia)); scritto)
            ui().setPanel("p2", "The turned picture was written: " + immagine.string());
        else
            ui().setPanel("p2", "ruota.txt not written: " + immagine.string() + ": " + scritto.error());
    }
    const std::string nome = Salva(f_.contesto(), DialogKind::Rotation);
    if (nome.empty()) return;
    if (const Status scritto = replaceFileContents(nome, *testo + "\r\n"); !scritto)
        ui().showMessage("The file could not be written: " + nome + ": " + scritto.error());
}

void PannelloSviluppo::CndVisListaCelle_Click() {
    Diagram& d = f_.doc().diagram;
    if (d.NumArchi < 1) {
        ui().showMessage("There is no arc to list: lay a knot out first.");
        return;
    }
    // The arc of the cell clicked last in the main grid, when it is an arc's. The click leaves the grid's
    // current row at 0: the cell is the one the inspector recorded.
    int proposto = arcoListato_;
    int r = 0, c = 0;
    TrasformaInv(d.limiti, f_.vista().RigaClickGr, f_.vista().ColClickGr, r, c);
    const bool cliccata = f_.vista().RigaClickGr >= 1 && f_.vista().ColClickGr >= 1;
    if (cliccata && CellTable::inside(r, c) && d.TblNodo.at(r, c).Tipo == 'A')
        proposto = d.TblNodo.at(r, c).Numero;
    const std::optional<std::string> risposta = ui().askInput("arco", "ListaCelle", std::to_string(proposto));
    if (!risposta) return;
    const std::optional<int> arco = valoreDebugDaTesto(*risposta);
    if (!arco || *arco < 1 || *arco > d.NumArchi) {
        ui().showMessage("arco: an arc from 1 to " + std::to_string(d.NumArchi) + ".");
        return;
    }
    // The arc's course: its path read whole, or, for an arc laid out along the layout's tree, which has its
    // cells but no path, its cells as its course runs. (Read by `ListaCelle`'s text rule, a path loses its
    // first cell when `PuntiExtra` does not open with "|", as after the walk of a drawing.)
    Arco& a = d.archi[*arco];
    const bool senzaPercorso = a.Percorso.empty();
    const std::vector<Punto> corso = senzaPercorso ? celleDelCorso(d, *arco) : leggiVociPercorso(a.Percorso);
    if (corso.empty()) {
        ui().showMessage("Arc " + std::to_string(*arco) + " has no cells to list.");
        return;
    }
    // The path given here reads as the routed ones do, with nothing before the first "|" of `PuntiExtra`:
    // listed again by "Rpara", it keeps its first cell.
    if (senzaPercorso && a.PuntiExtra.empty()) a.PuntiExtra = "|";
    arcoListato_ = *arco;
    const MarcheInstallate marche(*this, true);
    ListaCelle(d, f_.vista().layout, *arco, corso, true);
    f_.SettaDone();
}

void PannelloSviluppo::CmdVisNodo_Click() {
    const WorkGrid& albero = f_.vista().layout.TblNodoAlbero;
    if (!albero.anyTouched()) {
        ui().showMessage("There is no layout tree to show: lay a knot out from its Gauss code first.");
        return;
    }
    MostraAlbero(f_.vista().Gr, albero);
    f_.SettaDone();
}

CodiceGauss PannelloSviluppo::codiceDeiCampi() const {
    CodiceGauss c;
    c.txtNodo = txtNodo;
    c.TxtOri = TxtOri;
    return c;
}

Status PannelloSviluppo::CaricaTabellaNodiCodificati() {
    catalogo_.clear();
    if (f_.doc().modi.ModoBatch) {
        catalogo_ = catalogoIncorporato();
    } else {
        Result<std::vector<VoceCatalogo>> letto =
            trevalon::CaricaTabellaNodiCodificati(f_.contesto().ctx.programFolder / "Knots" / kFileCatalogo);
        if (!letto) return fail(letto.error());
        catalogo_ = std::move(*letto);
    }
    CmbNodi_Click(0);
    return {};
}

void PannelloSviluppo::CmbNodi_Click(int i) {
    if (i < 0 || i >= static_cast<int>(catalogo_.size())) return;
    voceScelta_ = i;
    const VoceCatalogo& v = catalogo_[static_cast<std::size_t>(i)];
    txtNodo = v.txtNodo;
    TxtOri = v.TxtOri;
    if (campiCambiati) campiCambiati();
}

void PannelloSviluppo::impostaCatalogo(std::vector<VoceCatalogo> voci) {
    catalogo_ = std::move(voci);
    voceScelta_ = 0;
    if (catalogoCambiato) catalogoCambiato();
    CmbNodi_Click(0);
}

std::string PannelloSviluppo::didascalia(std::string_view key) const {
    for (const PulsantePannello& p : pulsanti_)
        if (p.key == key) return p.caption;
    return {};
}

void PannelloSviluppo::impostaDidascalia(std::string_view key, std::string testo) {
    for (PulsantePannello& p : pulsanti_)
        if (p.key == key) {
            p.caption = std::move(testo);
            break;
        }
    aggiornaCampi();
}

bool PannelloSviluppo::premi(std::string_view key) {
    for (const PulsantePannello& p : pulsanti_)
        if (p.key == key) {
            p.azione();
            return true;
        }
    return false;
}

void PannelloSviluppo::aggiungi(PulsantePannello p) {
    for (const PulsantePannello& q : pulsanti_)
        if (q.key == p.key) throw std::logic_error("panel button bound twice: " + p.key);
    pulsanti_.push_back(std::move(p));
}

}  // namespace trevalon
