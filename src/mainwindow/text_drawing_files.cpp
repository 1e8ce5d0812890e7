#include "mainwindow/text_drawing_files.h"

#include <algorithm>
#include <utility>

#include "celldraw/cell_drawing_build.h"
#include "layout/drawn_renderer.h"
#include "layout/line_codes.h"
#include "layout/render_grid.h"
#include "mainwindow/build_commands.h"
#include "mainwindow/file_dialogs.h"
#include "mainwindow/install_knot.h"
#include "mainwindow/window_context.h"
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
// The fewest rows and columns of a grid that shows a drawing.
constexpr int kMinimoGriglia = 500;

}  // namespace

bool LeggiFile(ContestoFinestra& f, VistaNodo& vista, const std::string& tmpFile) {
    const std::optional<FileLetto> letto = leggiFileChiesto(f, tmpFile, DialogKind::Text);
    if (!letto) return false;
    Result<DisegnoTesto> disegno = leggiDisegnoTesto(letto->testo);
    if (!disegno) {
        f.ui.showMessage(disegno.error());
        return false;
    }
    f.doc.NomeFile = letto->nome;
    MostraDisegnoTesto(f, vista, std::move(*disegno));
    return true;
}

void MostraDisegnoTesto(ContestoFinestra& f, VistaNodo& vista, DisegnoTesto disegno) {
    f.doc.Disegno = std::move(disegno);
    const DisegnoTesto& d = f.doc.Disegno;

    GridControl& g = vista.Gr;
    g.setRedraw(false);
    g.clear();
    // The grid holds the whole drawing (the reader keeps a drawing within the main window's table): it
    // grows to the drawing's rows and columns, at least 500 of each, and is never grown by adding, so the
    // same drawing opened again gives the same grid.
    g.setRows(std::max({g.rows(), kMinimoGriglia, d.numRighe() + 1}));
    g.setCols(std::max({g.cols(), kMinimoGriglia, d.numColonne() + 1}));
    for (int r = 1; r <= d.numRighe(); ++r)
        for (int c = 1; c <= d.numColonne(); ++c) {
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
}

std::string testoDellaFonte(const DocumentoNodo& doc, const VistaNodo& vista, DrawingSource Fonte) {
    const GridControl& g = vista.Gr;
    const Diagram& d = doc.diagram;
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
            cella = [&vista](int r, int c) { return simboloDaTessera(vista.Tbltt.get(r, c)); };
            break;
        case DrawingSource::GridText:
            cella = [&g](int r, int c) { return g.text(r, c); };
            break;
    }
    return testoDisegno(std::max(righe, 0), std::max(colonne, 0), cella);
}

bool SalvaFile(ContestoFinestra& f, const VistaNodo& vista, const std::string& tmpFile, DrawingSource Fonte) {
    std::string nome = tmpFile;
    if (nome.empty()) {
        nome = Salva(f, DialogKind::Text);
        if (nome.empty()) return false;
    }
    const std::string testo = testoDellaFonte(f.doc, vista, Fonte);
    if (Status scritto = replaceFileContents(nome, testo); !scritto) {
        f.ui.showMessage("The file could not be written: " + nome + ": " + scritto.error());
        return false;
    }
    return true;
}

}  // namespace trevalon
