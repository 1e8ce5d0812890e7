#include "mainwindow/grid_editor.h"

#include <algorithm>
#include <utility>

#include "layout/render_grid.h"
#include "mainwindow/text_drawing_files.h"
#include "mainwindow/window_context.h"
#include "model/text_drawing.h"
#include "platform/grid_control.h"

namespace trevalon {

namespace {

constexpr std::uint32_t kRosso = bgr(255, 0, 0);
constexpr std::uint32_t kVerde = bgr(0, 255, 0);
constexpr std::uint32_t kBianco = bgr(255, 255, 255);
constexpr std::uint32_t kGiallo = bgr(255, 255, 0);

// The rows and columns that hold the drawing's symbols; empty for an empty drawing.
GridArea areaDisegno(const DisegnoTesto& d) {
    GridArea a{d.numRighe() + 1, d.numColonne() + 1, 0, 0};
    for (int r = 1; r <= d.numRighe(); ++r)
        for (int c = 1; c <= d.numColonne(); ++c)
            if (d.simbolo(r, c) != ' ') {
                a.r0 = std::min(a.r0, r);
                a.c0 = std::min(a.c0, c);
                a.r1 = std::max(a.r1, r);
                a.c1 = std::max(a.c1, c);
            }
    return a;
}

}  // namespace

PaletteTraccia paletteEditorGriglia() {
    PaletteTraccia p;
    p.LblX = {"*", kRosso};
    p.lblOri = {"-", kRosso};
    p.Lblvert = {"|", kRosso};
    p.lblSotto = {"*", kVerde};
    p.LblSPC = {" ", kBianco};
    p.LblSce = p.LblX;
    p.LblStart = {"*", kGiallo};
    p.ChkSingolo = false;
    return p;
}

EditorGriglia::EditorGriglia(ContestoFinestra& f, VistaNodo& v)
    : palette(paletteEditorGriglia()),
      f_(f),
      v_(v),
      traccia_(SuperficieTraccia{&v.Gr, nullptr, nullptr, {}, {}}, palette,
               RegoleTraccia{.diagonali = false, .aiuto = false, .primaCella = 1}) {}

void EditorGriglia::Gr_Click(int riga, int colonna) {
    GridControl& Gr = v_.Gr;
    if (!f_.doc.modi.ModoSviluppo) {
        Gr.setRow(0);
        Gr.setCol(0);
        return;
    }
    if (SaltaClick) {
        SaltaClick = false;
        return;
    }
    if (!menu.AtDis) {
        ispeziona(riga, colonna);
        // A cell clicked here is a corner of the diagonal shift too, as a cell clicked in the step viewer.
        v_.RigaClickPrec = v_.RigaClick;
        v_.ColClickPrec = v_.ColClick;
        v_.RigaClick = riga;
        v_.ColClick = colonna;
        v_.RigaClickGr = riga;
        v_.ColClickGr = colonna;
    } else if (riga >= 1 && colonna >= 1 && Gr.valid(riga, colonna)) {
        // Row 0 and column 0 never belong to the drawing.
        if (palette.ChkSingolo)
            traccia_.TracciaRighe2(riga, colonna);
        else
            traccia_.TracciaRighe(riga, colonna);
    }
    Gr.setRow(0);
}

// The caption names the display cell, the cell-table cell under it and that cell's kind, number and line
// code, then the display cell's height and width; a cell beyond the cell table leaves the caption as it is.
void EditorGriglia::ispeziona(int riga, int colonna) {
    int r2 = 0, c2 = 0;
    TrasformaInv(f_.doc.diagram.limiti, riga, colonna, r2, c2);
    if (!CellTable::inside(r2, c2)) return;
    const CellaNodo& cella = f_.doc.diagram.TblNodo.at(r2, c2);
    const GridControl& Gr = v_.Gr;
    f_.ui.setCaption(std::to_string(riga) + " " + std::to_string(colonna) + "   " + std::to_string(r2) + " " +
                     std::to_string(c2) + " >" + cella.TipoText() + "<" + std::to_string(cella.Numero) +
                     "  segno>" + std::to_string(cella.Forma) + " rwh>" + std::to_string(Gr.rowHeight(riga)) +
                     " " + std::to_string(Gr.colWidth(colonna)));
}

bool EditorGriglia::Gr_MouseDown(PulsanteMouse pulsante, int riga, int colonna) {
    if (!f_.doc.modi.ModoSviluppo || pulsante != PulsanteMouse::Destro) return false;
    if (riga < 1 || colonna < 1 || !v_.Gr.valid(riga, colonna)) return false;
    SaltaClick = true;
    // A pending start moves here; its yellow mark stays where it was.
    traccia_.RigaInizio = riga;
    traccia_.ColInizio = colonna;
    return true;
}

void EditorGriglia::scegliEtichetta(const EtichettaPalette& etichetta) {
    palette.LblSce.Caption = etichetta.Caption;
    palette.LblSce.BackColor = etichetta.BackColor;
}

void EditorGriglia::mnuAtDis() {
    menu.AtDis = !menu.AtDis;
    SaltaClick = false;
    GridControl& Gr = v_.Gr;
    traccia_.nuovaGriglia();
    if (menu.AtDis) {
        menu.Asterisco = true;
        menu.Spazio = false;
        Gr.setRedraw(false);
        Gr.setRows(1);
        Gr.setCols(1);
        Gr.clear();
        Gr.setRows(kCelleDisegno);
        Gr.setCols(kCelleDisegno);
        for (int i = 1; i < kCelleDisegno; ++i) {
            Gr.setRowHeight(i, kDimCella);
            Gr.setColWidth(i, kDimCella);
        }
        Gr.setTopRow(1);
        Gr.setLeftCol(1);
        Gr.setRedraw(true);
        tripla_ = ChDimDoppia;
        f_.ui.setCaption("Manuale *");
        menu.vociAbilitate = true;
    } else {
        f_.ui.setCaption("");
        const Diagram& d = f_.doc.diagram;
        InizializzaGr(Gr, d.NumRighe, d.NumColonne, v_.zoom.DimCella, f_.doc.modi.ModoGen);
        menu.vociAbilitate = false;
        tripla_ = false;
    }
}

void EditorGriglia::MnuAsterisco() {
    if (!menu.AtDis) return;
    menu.Spazio = false;
    menu.Asterisco = true;
    f_.ui.setCaption("Manuale *");
    SaltaClick = false;
}

void EditorGriglia::mnuSpazio() {
    if (!menu.AtDis) return;
    menu.Asterisco = false;
    menu.Spazio = true;
    f_.ui.setCaption("Manuale (spazio)");
    SaltaClick = false;
}

void EditorGriglia::MnuOriz() {
    scriviSimboloMenu(true);
}

void EditorGriglia::Mnuvert() {
    scriviSimboloMenu(false);
}

// "_" and "|" write their crossing into the right-clicked cell on white, with no arms and no log item.
void EditorGriglia::scriviSimboloMenu(bool orizzontale) {
    if (!menu.vociAbilitate) return;
    SaltaClick = false;
    if (traccia_.RigaInizio < 1 || traccia_.ColInizio < 1) return;
    if (orizzontale)
        traccia_.MnuOriz();
    else
        traccia_.Mnuvert();
}

void EditorGriglia::mnuApri() {
    if (!menu.vociAbilitate) return;
    if (!LeggiFile(f_, v_, "")) return;
    // The drawing read replaces the grid: the last trace and a pending start belong to the old one.
    traccia_.nuovaGriglia();
    palette.ChkSingolo = true;
    // The drawing is brought into view, wherever in the grid it was drawn.
    mostraArea(v_.Gr, areaDisegno(f_.doc.Disegno), vistaLarghezza_, vistaAltezza_);
}

void EditorGriglia::dimensioniVista(int larghezza, int altezza) {
    vistaLarghezza_ = larghezza;
    vistaAltezza_ = altezza;
}

void EditorGriglia::MnuSalva() {
    if (!menu.vociAbilitate) return;
    SalvaFile(f_, v_, "", DrawingSource::GridText);
}

std::string EditorGriglia::mnuRowCol() const {
    return traccia_.mnuRowCol();
}

void EditorGriglia::Command9_Click() {
    // A first click pending since the last trace is taken back too: its start is dropped and unmarked,
    // before the trace's cells get their own colours back.
    traccia_.lasciaInizio();
    traccia_.log().ripristina(v_.Gr, nullptr);
}

void EditorGriglia::CmDAnnulla_Click() {
    traccia_.CmDAnnulla();
}

void EditorGriglia::CmdClear_Click() {
    const GridControl& Gr = v_.Gr;
    const std::string testo =
        testoDisegno(Gr.rows() - 1, Gr.cols() - 1, [&Gr](int r, int c) { return Gr.text(r, c); });
    Result<DisegnoTesto> disegno = leggiDisegnoTesto(testo);
    if (!disegno) {
        f_.ui.showMessage(disegno.error());
        return;
    }
    MostraDisegnoTesto(f_, v_, std::move(*disegno));
    traccia_.nuovaGriglia();
    palette.ChkSingolo = true;
}

}  // namespace trevalon
