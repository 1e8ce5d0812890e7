#include "mainwindow/open_knot.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <optional>
#include <sstream>

#include "celldraw/built_knot.h"
#include "layout/build.h"
#include "layout/render_grid.h"
#include "mainwindow/build_commands.h"
#include "mainwindow/file_dialogs.h"
#include "mainwindow/install_knot.h"
#include "mainwindow/main_grid.h"
#include "mainwindow/small_boxes.h"
#include "mainwindow/text_drawing_files.h"
#include "mainwindow/window_context.h"
#include "model/knot_files.h"
#include "model/text_drawing.h"
#include "platform/safe_file.h"
#include "platform/text.h"

namespace trevalon {

bool ApriGen(ContestoFinestra& f, VistaNodo& v, const std::string& FilePassato) {
    const std::optional<FileLetto> letto = leggiFileChiesto(f, FilePassato, DialogKind::Knot);
    if (!letto) return false;
    const std::string& nome = letto->nome;
    const std::string& testo = letto->testo;
    const std::string tipo = tipoFileKnot(testo);
    if (tipo.empty()) {
        f.ui.showMessage(messaggioNessunTipo(testo));
        return false;
    }
    if (tipo == "G") return ApriGau(f, v, nome);
    return ApriDis(f, v, nome, testo, *codeFromText<KnotFileKind>(tipo));
}

bool ApriDis(ContestoFinestra& f, VistaNodo& v, const std::string& nome, std::string_view testo,
             KnotFileKind tipo) {
    const DocumentoNodo& doc = f.doc;
    // The drawn-knot palette classifies the drawing; it becomes the window's only when the knot opens.
    const TilePalette paletteDisegni(PaletteId::Form1b, doc.modi.ModoSviluppo);
    f.ui.setPanel("p1", "Generation knot");
    Result<NodoCostruito> nodo = [&] {
        BusyGuard busy(f.ui);
        return costruisciNodoDisegnato(
            testo, tipo, paletteDisegni, [&f] { f.AggiornaProgressivo(); }, impostazioniModello(f));
    }();
    if (!nodo) {
        f.SettaDone();
        f.ui.showMessage(nodo.error());
        return false;
    }

    apriPassoZero(f, v, std::move(*nodo), nome, tipo);
    return true;
}

bool cmdDadisegnoRichiesta(ContestoFinestra& f, VistaNodo& v, const std::string& tmpNome) {
    const std::optional<FileLetto> letto = leggiFileChiesto(f, tmpNome, DialogKind::Knot);
    if (!letto) return false;
    const std::string& nome = letto->nome;
    const std::string& testo = letto->testo;
    const std::optional<KnotFileKind> tipo = codeFromText<KnotFileKind>(tipoFileKnot(testo));
    if (!tipo || *tipo == KnotFileKind::GaussCode) {
        f.ui.showMessage("Da Disegno opens a drawn knot: " + nome + " holds no drawing.");
        return false;
    }
    if (*tipo == KnotFileKind::Object) return ApriDis(f, v, nome, testo, *tipo);

    DocumentoNodo& doc = f.doc;
    const Result<DisegnoTesto> disegno = leggiDisegnoTesto(testo);
    if (!disegno) {
        f.ui.showMessage(disegno.error());
        return false;
    }
    const TilePalette paletteDisegni(PaletteId::Form1b, doc.modi.ModoSviluppo);
    f.ui.setPanel("p1", "Generation knot");
    Result<DisegnoPercorso> percorso = [&] {
        BusyGuard busy(f.ui);
        // The walk writes its dumps of kind "D" (`CmdDadisegno_azione`).
        return percorriDisegno(
            *disegno, paletteDisegni, [&f] { f.AggiornaProgressivo(); }, impostazioniModello(f));
    }();
    if (!percorso) {
        f.SettaDone();
        f.ui.showMessage(percorso.error());
        return false;
    }

    doc.diagram = std::move(*percorso->diagram);
    doc.tblGen = CellDrawing{};
    doc.NumIncrociDis = static_cast<int>(doc.diagram.TxtOri.size());
    doc.modi.ModoSorgente = SourceKind::Drawing;
    doc.modi.ModoGen = GenMode::TextDrawing;
    CaricaFormTessere(v, f.doc.modi);
    v.zoom.imposta(1, 5, 3);
    doc.NomeFile = nome;
    doc.NomeFileNodo = nome;
    doc.TipoFileKno = *tipo;
    doc.NumElaborati = 0;
    doc.PartenzaDisegno = 1;
    // Step 0 is the walk's knot, kept by its code: going back to it builds the same knot.
    doc.storia.azzera();
    Stato& s0 = doc.storia.corrente();
    s0.Codice = doc.diagram.txtNodo;
    s0.Ori = doc.diagram.TxtOri;
    s0.Flag = doc.PartenzaDisegno;
    s0.Tipo = GenMode::Code;

    // The drawing's symbols into the main grid, one per cell, then classified with the drawn-knot tiles.
    MostraDisegnoTesto(f, v, *disegno);
    CmdGrafica_Click(f, v);
    ZoomDisegno(f, v);
    f.AbilitaBottoni(true, v.zoom);
    f.ui.setCommandEnabled("Undo", false);
    f.ui.setCommandEnabled("Salva", false);
    f.Testocaption(0);
    f.SettaDone();
    return true;
}

bool ApriGau(ContestoFinestra& f, VistaNodo& v, const std::string& tmpNome) {
    const std::optional<FileLetto> letto = leggiFileChiesto(f, tmpNome, DialogKind::GaussCode);
    if (!letto) return false;
    const Result<CodiceGauss> testo = leggiCodiceGaussTesto(letto->testo);
    if (!testo) {
        f.ui.showMessage(testo.error());
        return false;
    }
    return ApriCodice(f, v, *testo, letto->nome);
}

bool ApriCodice(ContestoFinestra& f, VistaNodo& v, const CodiceGauss& testo, const std::string& nome) {
    // Built into fresh tables as a diagram from a code; the window changes only when this succeeds.
    DocumentoNodo& doc = f.doc;
    const SourceKind sorgentePrima = doc.modi.ModoSorgente;
    doc.modi.ModoSorgente = SourceKind::Code;
    const int dimPrima = v.zoom.DimCella;
    v.zoom.DimCella = v.zoom.TabDimCella[6];
    // Opening a large code takes long: a job the person may stop, as a search.
    CostruzioneNuova nuova = costruisciNuovo(f, v, testo.txtNodo, testo.TxtOri, 1, true);
    if (nuova.esito != EsitoCostruzione::Costruito) {
        if (nuova.esito == EsitoCostruzione::Banale) f.ui.showMessage("Trivial knot");
        doc.modi.ModoSorgente = sorgentePrima;
        v.zoom.DimCella = dimPrima;
        f.SettaDone();
        if (nuova.esito == EsitoCostruzione::Fermato) f.ui.setPanel("p2", std::string(kLayoutFermato));
        return false;
    }

    apriPassoZero(f, v, std::move(nuova.nodo), nome, KnotFileKind::GaussCode);
    return true;
}

bool SalvaDatblDis(ContestoFinestra& f, const std::string& FilePassato) {
    const StoriaPassi& storia = f.doc.storia;
    if (!storia.valido(storia.NumStato)) return false;
    std::string nome = FilePassato;
    if (nome.empty()) {
        nome = Salva(f, DialogKind::Knot);
        if (nome.empty()) return false;
    }
    const Stato& s = storia.passo(storia.NumStato);
    // A step built from a code has no drawing of its own: its knot is written as its Gauss code.
    const std::string testo =
        s.Tipo == GenMode::Code ? testoFileGaussCode(s.Codice, s.Ori) : "Object=" + s.TblGenSer + "\r\n";
    // Written beside the old file and put in its place only when complete: a failed save keeps it.
    if (const Status scritto = replaceFileContents(nome, testo); !scritto) {
        f.ui.showMessage("The file could not be written: " + nome + ": " + scritto.error());
        return false;
    }
    return true;
}

}  // namespace trevalon
