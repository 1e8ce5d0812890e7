#include "mainwindow/install_knot.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "layout/drawn_renderer.h"
#include "layout/render_grid.h"
#include "mainwindow/build_commands.h"
#include "mainwindow/main_grid.h"
#include "mainwindow/small_boxes.h"
#include "mainwindow/window_context.h"
#include "model/cell_drawing_snapshot.h"
#include "model/drawn_structure.h"
#include "model/step_history.h"

namespace trevalon {

namespace {

// A cell drawing too small to build: shown tile by tile, with no code and the commands off.
void mostraSoloDisegno(ContestoFinestra& f, VistaNodo& v) {
    DocumentoNodo& doc = f.doc;
    svuotaDiagramma(doc.diagram);
    estensioneDisegnato(doc.diagram);
    ClearGr(v.Gr, doc.diagram.NumRighe, doc.diagram.NumColonne, v.zoom.DimCella, GenMode::CellDrawing);
    v.Tbltt.reset();
    DisegnaDaimgCelDis(doc.tblGen, v.Gr, paletteCorrente(v, f.doc.modi), doc.diagram.NumRighe,
                       doc.diagram.NumColonne, [&f] { f.AggiornaProgressivo(); });
    f.AbilitaBottoni(false, v.zoom);
    f.ui.setCommandEnabled("Salva", false);
}

struct Impronta {
    std::uint64_t h = 1469598103934665603ull;
    // Eight bytes at a time: the cell table's used area is a few megabytes.
    void bytes(const void* p, std::size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8) {
            std::uint64_t w = 0;
            std::memcpy(&w, b + i, 8);
            h = (h ^ w) * 1099511628211ull;
            h ^= h >> 29;
        }
        for (; i < n; ++i) h = (h ^ b[i]) * 1099511628211ull;
    }
    template <class T>
    void val(const T& v) {
        bytes(&v, sizeof v);
    }
    void text(const std::string& t) {
        val(t.size());
        bytes(t.data(), t.size());
    }
};

void installaDaCodice(ContestoFinestra& f, VistaNodo& v, NodoCostruito&& nodo) {
    if (!nodo.diagram) return;
    f.doc.diagram = std::move(*nodo.diagram);
    nodo.diagram.reset();
    f.doc.modi.ModoGen = GenMode::Code;
    f.doc.PartenzaDisegno = nodo.radice;
    v.layout.IncrocioRadice = nodo.radice;
    f.doc.improntaCostruito = 0;
    if (f.doc.modi.ModoAutomatico) return;
    f.doc.improntaCostruito = improntaDiagramma(f.doc.diagram, v.layout);
    // A drawing larger than the usual work extent comes with a larger grid.
    const Diagram& d = f.doc.diagram;
    if (v.Gr.rows() <= d.NumRighe || v.Gr.cols() <= d.NumColonne)
        InizializzaGr(v.Gr, d.NumRighe, d.NumColonne, v.zoom.DimCella, GenMode::Code);
    CmdGrafica_Click(f, v);
}

void installaDisegnato(ContestoFinestra& f, VistaNodo& v, NodoCostruito&& nodo) {
    DocumentoNodo& doc = f.doc;
    doc.tblGen = std::move(*nodo.tblGen);
    doc.NumIncrociDis = nodo.NumIncrociDis;
    doc.modi.ModoGen = GenMode::CellDrawing;
    if (!nodo.diagram) {
        mostraSoloDisegno(f, v);
        return;
    }
    doc.diagram = std::move(*nodo.diagram);
    if (doc.modi.ModoAutomatico) return;
    ClearGr(v.Gr, doc.diagram.NumRighe, doc.diagram.NumColonne, v.zoom.DimCella, GenMode::CellDrawing);
    CmdGrafica_Click(f, v);
}

}  // namespace

std::uint64_t improntaDiagramma(const Diagram& d, const LayoutState& s) {
    Impronta h;
    for (int v : {d.NumIncroci, d.NumArchi, d.NumGemelli, d.NumRegioni, d.NumRighe, d.NumColonne,
                  d.limiti.RigaMin, d.limiti.RigaMax, d.limiti.ColMin, d.limiti.ColMax, s.IncrocioRadice,
                  int{s.settings.ChKrAD}, int{s.settings.ModoSviluppo}})
        h.val(v);
    h.text(s.settings.Txtfat);
    h.text(s.settings.TXTmodo);
    h.text(d.txtNodo);
    h.text(d.TxtOri);
    // Every cell outside the extent and its ring is empty after a build.
    const int r0 = std::max(0, d.limiti.RigaMin - 1), r1 = std::min(kMaxCella, d.limiti.RigaMax + 1);
    const int c0 = std::max(0, d.limiti.ColMin - 1), c1 = std::min(kMaxCella, d.limiti.ColMax + 1);
    for (int r = r0; r <= r1 && c0 <= c1; ++r)
        h.bytes(&d.TblNodo.at(r, c0), sizeof(CellaNodo) * (c1 - c0 + 1));
    for (int a = 1; a <= std::min(d.NumArchi, kMaxArchi); ++a) {
        const Arco& x = d.archi[a];
        h.text(x.Percorso);
        h.text(x.PuntiExtra);
        for (int v : {x.IncrocioDa, x.IncrocioA, x.Posto, x.GemelloDa, x.GemelloA, x.Reg1, x.Reg2, x.RigaFine,
                      x.ColFine, int{x.SegnoDa}, int{x.SegnoA}})
            h.val(v);
    }
    for (int i = 1; i <= std::min(d.NumIncroci, kMaxIncroci); ++i) {
        h.val(d.incroci[i]);
        h.text(d.NomiIncroci[i]);
    }
    for (int i = 1; i <= std::min(d.NumRegioni, kMaxRegioni); ++i) h.text(d.CodRegione[i]);
    for (int g = 1; g <= std::min(d.NumGemelli, kMaxGemelli); ++g) h.val(d.gemelli[g]);
    for (int i = 0; i <= d.MatRegioni.size(); ++i)
        for (int j = 0; j <= d.MatRegioni.size(); ++j) {
            const CoppiaRegioni& x = d.MatRegioni.at(i, j);
            h.val(x.arco);
            h.val(x.dis);
            h.text(d.MatRegioni.testi(i, j).cam);
            h.text(d.MatRegioni.testi(i, j).reg);
        }
    return h.h == 0 ? 1 : h.h;
}

bool GeneradatblGen(ContestoFinestra& f, VistaNodo& v, CellDrawing&& tblGen) {
    NodoCostruito nodo;
    nodo.NumIncrociDis = contaIncrociDis(tblGen);
    nodo.tblGen = std::make_unique<CellDrawing>(std::move(tblGen));
    if (nodo.NumIncrociDis >= kMinIncrociCostruzione) {
        BusyGuard busy(f.ui);
        nodo.diagram = std::make_unique<Diagram>();
        if (Status s = StrutturaDaTblGen(
                *nodo.diagram, *nodo.tblGen, [&f] { f.AggiornaProgressivo(); }, true, impostazioniModello(f));
            !s) {
            f.ui.showMessage(s.error());
            return false;
        }
    }
    installaNodo(f, v, std::move(nodo));
    f.SettaDone();
    return true;
}

void scriviDumpDisegnato(ContestoFinestra& f, const CellDrawing& tblGen) {
    const ModelSettings impostazioni = impostazioniModello(f);
    if (!impostazioni.ModoDebug || contaIncrociDis(tblGen) < kMinIncrociCostruzione) return;
    BusyGuard busy(f.ui);
    auto d = std::make_unique<Diagram>();
    // A drawing that cannot be built has no tables to dump; the knot itself says so where it is opened.
    static_cast<void>(StrutturaDaTblGen(
        *d, tblGen, [&f] { f.AggiornaProgressivo(); }, true, impostazioni));
}

void installaNodo(ContestoFinestra& f, VistaNodo& v, NodoCostruito&& nodo) {
    if (nodo.ModoGen == GenMode::Code)
        installaDaCodice(f, v, std::move(nodo));
    else
        installaDisegnato(f, v, std::move(nodo));
}

void apriPassoZero(ContestoFinestra& f, VistaNodo& v, NodoCostruito&& nodo, const std::string& nome,
                   KnotFileKind tipo) {
    DocumentoNodo& doc = f.doc;
    const bool disegnato = nodo.ModoGen != GenMode::Code;
    doc.modi.ModoSorgente = disegnato ? SourceKind::Drawing : SourceKind::Code;
    doc.modi.ModoGen = nodo.ModoGen;
    CaricaFormTessere(v, doc.modi);
    if (disegnato)
        v.zoom.imposta(1, 5, 3);
    else
        v.zoom.imposta(3, 6, 6);
    doc.PosScifta = 1;
    doc.VarScifta = 0;
    if (!disegnato && nodo.diagram)
        InizializzaGr(v.Gr, nodo.diagram->NumRighe, nodo.diagram->NumColonne, v.zoom.DimCella, GenMode::Code);
    installaNodo(f, v, std::move(nodo));

    doc.NomeFile = nome;
    doc.NomeFileNodo = nome;
    doc.TipoFileKno = tipo;
    doc.NumElaborati = 0;
    if (disegnato) doc.PartenzaDisegno = 1;
    doc.storia.azzera();
    Stato& s0 = doc.storia.corrente();
    s0.Codice = doc.diagram.txtNodo;
    s0.Ori = doc.diagram.TxtOri;
    s0.Flag = doc.PartenzaDisegno;
    s0.Tipo = doc.modi.ModoGen;
    // A drawn knot's step 0 keeps its own drawing: "Undo" comes back to it even when the file has changed
    // since.
    if (disegnato) s0.TblGenSer = serializzaCelDis(doc.tblGen);
    if (!disegnato) doc.NumIncrociDis = static_cast<int>(doc.diagram.TxtOri.size());

    if (disegnato) ZoomDisegno(f, v);
    f.AbilitaBottoni(true, v.zoom);
    f.ui.setCommandEnabled("Undo", false);
    f.ui.setCommandEnabled("Salva", false);
    f.Testocaption(0);
    if (disegnato) f.ctx.ConfermaMigliora = 0;
    f.SettaDone();
}

}  // namespace trevalon
