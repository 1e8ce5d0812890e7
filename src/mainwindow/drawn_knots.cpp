#include "mainwindow/drawn_knots.h"

#include <algorithm>
#include <utility>

#include "celldraw/cell_drawing_build.h"
#include "layout/drawn_renderer.h"
#include "layout/line_codes.h"
#include "layout/render_grid.h"
#include "mainwindow/build_commands.h"
#include "mainwindow/form2.h"
#include "mainwindow/open_knot.h"
#include "model/drawn_structure.h"
#include "model/step_history.h"
#include "model/structure.h"
#include "platform/safe_file.h"
#include "platform/text.h"

namespace trevalon {

namespace {

// Colours of the drawing tools' labels (BGR): strand and crossings red, the under strand's arms green.
constexpr std::uint32_t kRosso = 255;
constexpr std::uint32_t kVerde = 65280;

// A rebuild needs three crossing cells; fewer are shown as the drawing only.
constexpr int kMinIncrociCostruzione = 3;

void estensioneDisegnato(Diagram& d) {
    d.NumRighe = kRigheDisegnato;
    d.NumColonne = kColonneDisegnato;
}

}  // namespace

int contaIncrociDis(const CellDrawing& tblGen) {
    int n = 0;
    // Outside the used box every cell is empty.
    const UsedArea u = tblGen.usata();
    for (int r = std::max(u.r0, 1); r <= u.r1; ++r)
        for (int c = std::max(u.c0, 1); c <= u.c1; ++c) {
            const char k = tblGen.at(r, c).codice;
            if (k == '3' || k == '4') ++n;
        }
    return n;
}

void SettaTblNodoDagrd(Diagram& d, const DisegnoTesto& disegno) {
    for (int r = 1; r < d.NumRighe && r < CellTable::kSize; ++r)
        for (int c = 1; c < d.NumColonne && c < CellTable::kSize; ++c) {
            CellaNodo& cella = d.TblNodo.at(r, c);
            cella.Tipo = 0;
            cella.setVicini("");
            cella.Numero = 0;
            const char s = disegno.simbolo(r, c);
            cella.Simbolo = s == ' ' ? char{0} : s;
        }
}

Result<NodoDisegnato> costruisciDaDisegno(const DisegnoTesto& disegno, const TilePalette& palette,
                                          const std::function<void()>& tick) {
    // The walk over the drawn symbols: arcs, crossings, and the paths that give the cell table its lines.
    auto walked = std::make_unique<Diagram>();
    estensioneDisegnato(*walked);
    SettaTblNodoDagrd(*walked, disegno);
    GridControl nessunaGriglia;
    auto nomi = std::make_unique<TileNameTable>();
    DisegnaModo2(*walked, RenderTarget{nessunaGriglia, *nomi, palette, nullptr}, ColNero, false, tick);
    if (Status s = GeneraStrutturaDaDisegno(*walked); !s) return fail(s.error());

    // The cell drawing of the work extent from its first row and column, and every table rebuilt from it.
    LimitiNodo& l = walked->limiti;
    l.RigaMin = 1;
    l.RigaMax = walked->NumRighe - 1;
    l.ColMin = 1;
    l.ColMax = walked->NumColonne - 1;
    if (Status s = SettaSimboliDaFile(*walked); !s) return fail(s.error());
    // Nothing lies beyond the last walked row and column (corner cells included): the copy stops there.
    int ultimaRiga = 1, ultimaColonna = 1;
    for (int r = 1; r <= l.RigaMax; ++r)
        for (int c = 1; c <= l.ColMax; ++c) {
            const char t = walked->TblNodo.at(r, c).Tipo;
            if (t != 'A' && t != 'I') continue;
            ultimaRiga = std::max(ultimaRiga, r);
            ultimaColonna = std::max(ultimaColonna, c);
        }
    l.RigaMax = ultimaRiga;
    l.ColMax = ultimaColonna;
    NodoDisegnato out;
    out.tblGen = std::make_unique<CellDrawing>();
    if (Status s = F3GenCelDis(*out.tblGen, *walked, *nomi, false); !s) return fail(s.error());
    out.NumIncrociDis = contaIncrociDis(*out.tblGen);
    walked.reset();
    out.diagram = std::make_unique<Diagram>();
    if (Status s = StrutturaDaTblGen(*out.diagram, *out.tblGen, tick); !s) return fail(s.error());
    return out;
}

Result<NodoDisegnato> costruisciDaSnapshot(const std::string& snapshot, const std::function<void()>& tick) {
    NodoDisegnato out;
    out.tblGen = std::make_unique<CellDrawing>();
    if (Result<int> letti = deserializzaCelDis(*out.tblGen, snapshot); !letti)
        return fail("The drawing cannot be read: " + letti.error());
    out.NumIncrociDis = contaIncrociDis(*out.tblGen);
    if (out.NumIncrociDis == 0) return fail("The drawing has no crossing: there is no knot diagram in it.");
    out.diagram = std::make_unique<Diagram>();
    if (Status s = StrutturaDaTblGen(*out.diagram, *out.tblGen, tick); !s) return fail(s.error());
    return out;
}

Result<NodoDisegnato> costruisciNodoDisegnato(std::string_view testo, KnotFileKind tipo,
                                              const TilePalette& palette, const std::function<void()>& tick) {
    if (tipo == KnotFileKind::Object) {
        const Result<std::string> snapshot = leggiRigaOggetto(testo);
        if (!snapshot) return fail("The knot file cannot be read: " + snapshot.error() + ".");
        return costruisciDaSnapshot(*snapshot, tick);
    }
    const Result<DisegnoTesto> disegno = leggiDisegnoTesto(testo);
    if (!disegno) return fail(disegno.error());
    return costruisciDaDisegno(*disegno, palette, tick);
}

namespace {

// The drawing zoom: levels 1..5, level 3.
void zoomDisegno(Form2& f) {
    f.vista.zoom.imposta(1, 5, 3);
}

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

}  // namespace

// Makes a built drawn knot the window's and draws it.
void installaNodoDisegnato(Form2& f, NodoDisegnato&& nodo) {
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

bool ApriDis(Form2& f, const std::string& nome, std::string_view testo, KnotFileKind tipo) {
    DocumentoNodo& doc = f.doc;
    // The drawn-knot palette classifies the drawing; it becomes the window's only when the knot opens.
    const TilePalette paletteDisegni(PaletteId::Form1b, doc.modi.ModoSviluppo);
    f.ui.setPanel("p1", "Generation knot");
    Result<NodoDisegnato> nodo = [&] {
        BusyGuard busy(f.ui);
        return costruisciNodoDisegnato(testo, tipo, paletteDisegni, [&f] { f.AggiornaProgressivo(); });
    }();
    if (!nodo) {
        f.SettaDone();
        f.ui.showMessage(nodo.error());
        return false;
    }

    doc.modi.ModoSorgente = SourceKind::Drawing;
    f.CaricaFormTessere();
    zoomDisegno(f);
    installaNodoDisegnato(f, std::move(*nodo));

    doc.NomeFile = nome;
    doc.NomeFileNodo = nome;
    doc.TipoFileKno = tipo;
    doc.NumElaborati = 0;
    doc.PartenzaDisegno = 1;
    doc.PosScifta = 1;
    doc.VarScifta = 0;
    doc.storia.azzera();
    Stato& s0 = doc.storia.corrente();
    s0.Codice = doc.diagram.txtNodo;
    s0.Ori = doc.diagram.TxtOri;
    s0.Flag = doc.PartenzaDisegno;
    s0.Tipo = GenMode::CellDrawing;
    // Step 0 keeps its own drawing: "Undo" comes back to it even when the file has changed since.
    s0.TblGenSer = serializzaCelDis(doc.tblGen);

    f.AbilitaBottoni(true);
    f.ui.setCommandEnabled("Undo", false);
    f.ui.setCommandEnabled("Salva", false);
    f.Testocaption(0);
    f.ctx.ConfermaMigliora = 0;
    f.SettaDone();
    return true;
}

bool GeneradatblGen(Form2& f, CellDrawing&& tblGen) {
    NodoDisegnato nodo;
    nodo.NumIncrociDis = contaIncrociDis(tblGen);
    nodo.tblGen = std::make_unique<CellDrawing>(std::move(tblGen));
    if (nodo.NumIncrociDis >= kMinIncrociCostruzione) {
        BusyGuard busy(f.ui);
        nodo.diagram = std::make_unique<Diagram>();
        if (Status s = StrutturaDaTblGen(*nodo.diagram, *nodo.tblGen, [&f] { f.AggiornaProgressivo(); });
            !s) {
            f.ui.showMessage(s.error());
            return false;
        }
    }
    installaNodoDisegnato(f, std::move(nodo));
    f.SettaDone();
    return true;
}

bool LeggiFile(Form2& f, const std::string& tmpFile) {
    std::string nome = tmpFile;
    if (nome.empty()) {
        nome = Apri(f, DialogKind::Text);
        if (nome.empty()) return false;
    }
    std::string testo;
    if (Status letto = leggiTestoFile(nome, testo); !letto) {
        f.ui.showMessage(letto.error());
        return false;
    }
    Result<DisegnoTesto> disegno = leggiDisegnoTesto(testo);
    if (!disegno) {
        f.ui.showMessage(disegno.error());
        return false;
    }
    f.doc.NomeFile = nome;
    f.doc.Disegno = std::move(*disegno);
    const DisegnoTesto& d = f.doc.Disegno;

    GridControl& g = f.vista.Gr;
    g.setRedraw(false);
    g.clear();
    g.setRows(std::max(g.rows() + d.numRighe(), 500));
    g.setCols(std::max(g.cols(), 500));
    for (int r = 1; r <= d.numRighe() && r < g.rows(); ++r)
        for (int c = 1; c <= d.numColonne() && c < g.cols(); ++c) {
            const char s = d.simbolo(r, c);
            if (s == ' ') continue;
            g.setText(r, c, std::string(1, s));
            g.setBold(r, c, true);
            g.setFontSize(r, c, 12);
            g.setAlignment(r, c, CellAlign::CenterCenter);
            if (s == '*' || s == '-' || s == '|') g.setBackColor(r, c, kRosso);
        }
    for (int r = 1; r < g.rows(); ++r) g.setRowHeight(r, 150);
    for (int c = 1; c < g.cols(); ++c) g.setColWidth(c, 150);
    // The arms of the under strand beside each crossing; a mark beyond the grid is left out.
    for (int r = 1; r <= d.numRighe(); ++r) {
        f.AggiornaProgressivo();
        for (int c = 1; c <= d.numColonne(); ++c) {
            const char s = d.simbolo(r, c);
            const auto marca = [&g](int rr, int cc) {
                if (rr >= 1 && cc >= 1 && g.valid(rr, cc)) g.setBackColor(rr, cc, kVerde);
            };
            if (s == '-') {
                marca(r - 1, c);
                marca(r + 1, c);
            } else if (s == '|') {
                marca(r, c - 1);
                marca(r, c + 1);
            }
        }
    }
    g.setRedraw(true);
    return true;
}

bool SalvaFile(Form2& f, const std::string& tmpFile, DrawingSource Fonte) {
    std::string nome = tmpFile;
    if (nome.empty()) {
        nome = Salva(f, DialogKind::Text);
        if (nome.empty()) return false;
    }
    const GridControl& g = f.vista.Gr;
    const Diagram& d = f.doc.diagram;
    int righe = g.rows() - 1;
    int colonne = g.cols() - 1;
    std::function<std::string(int, int)> cella;
    switch (Fonte) {
        case DrawingSource::CellTable:
            righe = std::min(righe, CellTable::kSize - 1);
            colonne = std::min(colonne, CellTable::kSize - 1);
            cella = [&d](int r, int c) {
                const char s = d.TblNodo.at(r, c).Simbolo;
                return s ? std::string(1, s) : std::string();
            };
            break;
        case DrawingSource::TileNames:
            cella = [&f](int r, int c) { return simboloDaTessera(f.vista.Tbltt.get(r, c)); };
            break;
        case DrawingSource::GridText:
            cella = [&g](int r, int c) { return g.text(r, c); };
            break;
    }
    const std::string testo = testoDisegno(std::max(righe, 0), std::max(colonne, 0), cella);
    if (Status scritto = replaceFileContents(nome, testo); !scritto) {
        f.ui.showMessage("The file could not be written: " + nome + ": " + scritto.error());
        return false;
    }
    return true;
}

}  // namespace trevalon
