#include "mainwindow/install_knot.h"

#include <utility>

#include "layout/drawn_renderer.h"
#include "layout/render_grid.h"
#include "mainwindow/build_commands.h"
#include "mainwindow/form2.h"
#include "model/step_history.h"

namespace trevalon {

namespace {

// A cell drawing too small to build: shown tile by tile, with no code and the commands off.
void mostraSoloDisegno(Form2& f) {
    DocumentoNodo& doc = f.doc;
    svuotaDiagramma(doc.diagram);
    estensioneDisegnato(doc.diagram);
    ClearGr(f.vista.Gr, doc.diagram.NumRighe, doc.diagram.NumColonne, f.vista.zoom.DimCella,
            GenMode::CellDrawing);
    f.vista.Tbltt.reset();
    DisegnaDaimgCelDis(doc.tblGen, f.vista.Gr, f.paletteCorrente(), doc.diagram.NumRighe,
                       doc.diagram.NumColonne, [&f] { f.AggiornaProgressivo(); });
    f.AbilitaBottoni(false);
    f.ui.setCommandEnabled("Salva", false);
}

void installaDaCodice(Form2& f, NodoCostruito&& nodo) {
    if (!nodo.diagram) return;
    f.doc.diagram = std::move(*nodo.diagram);
    nodo.diagram.reset();
    f.doc.modi.ModoGen = GenMode::Code;
    f.doc.PartenzaDisegno = nodo.radice;
    f.vista.layout.IncrocioRadice = nodo.radice;
    if (f.doc.modi.ModoAutomatico) return;
    // A drawing larger than the usual work extent comes with a larger grid.
    const Diagram& d = f.doc.diagram;
    if (f.vista.Gr.rows() <= d.NumRighe || f.vista.Gr.cols() <= d.NumColonne)
        InizializzaGr(f.vista.Gr, d.NumRighe, d.NumColonne, f.vista.zoom.DimCella, GenMode::Code);
    CmdGrafica_Click(f);
}

void installaDisegnato(Form2& f, NodoCostruito&& nodo) {
    DocumentoNodo& doc = f.doc;
    doc.tblGen = std::move(*nodo.tblGen);
    doc.NumIncrociDis = nodo.NumIncrociDis;
    doc.modi.ModoGen = GenMode::CellDrawing;
    if (!nodo.diagram) {
        mostraSoloDisegno(f);
        return;
    }
    doc.diagram = std::move(*nodo.diagram);
    if (doc.modi.ModoAutomatico) return;
    ClearGr(f.vista.Gr, doc.diagram.NumRighe, doc.diagram.NumColonne, f.vista.zoom.DimCella,
            GenMode::CellDrawing);
    CmdGrafica_Click(f);
}

}  // namespace

void installaNodo(Form2& f, NodoCostruito&& nodo) {
    if (nodo.ModoGen == GenMode::Code)
        installaDaCodice(f, std::move(nodo));
    else
        installaDisegnato(f, std::move(nodo));
}

void apriPassoZero(Form2& f, NodoCostruito&& nodo, const std::string& nome, KnotFileKind tipo) {
    DocumentoNodo& doc = f.doc;
    const bool disegnato = nodo.ModoGen != GenMode::Code;
    doc.modi.ModoSorgente = disegnato ? SourceKind::Drawing : SourceKind::Code;
    doc.modi.ModoGen = nodo.ModoGen;
    f.CaricaFormTessere();
    if (disegnato)
        f.vista.zoom.imposta(1, 5, 3);
    else
        f.vista.zoom.imposta(3, 6, 6);
    doc.PosScifta = 1;
    doc.VarScifta = 0;
    if (!disegnato && nodo.diagram)
        InizializzaGr(f.vista.Gr, nodo.diagram->NumRighe, nodo.diagram->NumColonne, f.vista.zoom.DimCella,
                      GenMode::Code);
    installaNodo(f, std::move(nodo));

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

    f.AbilitaBottoni(true);
    f.ui.setCommandEnabled("Undo", false);
    f.ui.setCommandEnabled("Salva", false);
    f.Testocaption(0);
    if (disegnato) f.ctx.ConfermaMigliora = 0;
    f.SettaDone();
}

}  // namespace trevalon
