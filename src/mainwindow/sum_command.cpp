#include "mainwindow/sum_command.h"

#include <algorithm>

#include "connsum/search.h"
#include "connsum/split.h"
#include "layout/palette.h"
#include "layout/render_grid.h"
#include "layout/tile_renderer.h"
#include "mainwindow/file_dialogs.h"
#include "mainwindow/main_grid.h"
#include "mainwindow/window_context.h"
#include "platform/safe_file.h"

namespace trevalon {

Diagram& FinestraSommaForm2::diagramma() {
    return f_.doc.diagram;
}

UserInterface& FinestraSommaForm2::ui() {
    return f_.ui;
}

// A window that is closing keeps asking its search to stop.
StopRequest& FinestraSommaForm2::RichiestaStop() {
    if (f_.chiusuraRichiesta) f_.RichiestaStop.richiedi();
    return f_.RichiestaStop;
}

void FinestraSommaForm2::progresso() {
    f_.AggiornaProgressivo();
}

void FinestraSommaForm2::azzeraProgressivo() {
    f_.ContatoreProgresso = 0;
}

void FinestraSommaForm2::ridisegna() {
    CmdGrafica_Click(f_, v_);
}

void FinestraSommaForm2::settaDone() {
    f_.SettaDone();
}

namespace {

// The cells of g from column c0 on that hold a picture, with only grey ones.
GridArea areaImmagini(const GridControl& g, int c0, bool soloGrigie) {
    GridArea a{g.rows(), g.cols(), -1, -1};
    for (int r = 0; r < g.rows(); ++r)
        for (int c = std::max(c0, 0); c < g.cols(); ++c) {
            const PictureRef p = g.picture(r, c);
            if (p.empty() || (soloGrigie && coloreImmagine(p) != TileColour::Grey)) continue;
            a.r0 = std::min(a.r0, r);
            a.c0 = std::min(a.c0, c);
            a.r1 = std::max(a.r1, r);
            a.c1 = std::max(a.c1, c);
        }
    return a.empty() ? GridArea{} : a;
}

}  // namespace

// The cut arcs are drawn grey.
GridArea FinestraSommaForm2::evidenziaSottonodo(const Partizione& p) {
    const RenderTarget t{v_.Gr, v_.Tbltt, paletteCorrente(v_, f_.doc.modi), nullptr};
    DisegnoGraficoSotto(f_.doc.diagram, v_.render, t, testoVirgole(p.ArchiTratto), testoVirgole(p.ListaBordo),
                        p.Arco1, p.Arco2, 0);
    return areaImmagini(v_.Gr, 0, true);
}

// The summand stands right of the diagram: its box's first column is drawn in the grid's column
// OffsetCol + ColMax + 3.
GridArea FinestraSommaForm2::disegnaAddendo(int s) {
    const RenderTarget t{v_.Gr, v_.Tbltt, paletteCorrente(v_, f_.doc.modi), nullptr};
    DisegnoGraficoZ(f_.doc.diagram, v_.render, t, 0, s == 1 ? ColNero : ColRosso, false, "", -1);
    return areaImmagini(v_.Gr, OffsetCol + f_.doc.diagram.limiti.ColMax + 3, false);
}

const GridControl* FinestraSommaForm2::grigliaPrincipale() const {
    return &v_.Gr;
}

// The split offers a summand for saving only when its text opens again as a knot.
void FinestraSommaForm2::salvaAddendo(int s, const std::string& testoFile) {
    const std::string nome = Salva(f_, s == 1 ? DialogKind::Summand1 : DialogKind::Summand2);
    if (nome.empty()) return;
    if (const Status scritto = replaceFileContents(nome, testoFile + "\r\n"); !scritto)
        f_.ui.showMessage("The file could not be written: " + nome + ": " + scritto.error());
}

void TrovaSommaConnessa(FinestraSommaForm2& w) {
    if (w.diagramma().NumIncroci < 1) return;
    CmdSottoNodi_Click(w, w.stato(), [&w] { GeneraIndipendentSections(w, w.stato()); });
}

}  // namespace trevalon
