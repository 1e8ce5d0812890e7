#include "mainwindow/main_grid.h"

#include "layout/render_grid.h"
#include "layout/tile_renderer.h"
#include "mainwindow/window_context.h"

namespace trevalon {

void CmdGrafica_Click(ContestoFinestra& f, VistaNodo& v) {
    v.Tbltt.reset();
    v.render.ModoGen = f.doc.modi.ModoGen;
    v.render.ModoSorgente = f.doc.modi.ModoSorgente;
    v.render.DimCella = v.zoom.DimCella;
    DisegnoGrafico(f.doc.diagram, v.render,
                   RenderTarget{v.Gr, v.Tbltt, paletteCorrente(v, f.doc.modi), &f.ui}, 0, ColNero, true, "",
                   0);
}

void DisegnaNodoBanale(VistaNodo& v, const DocumentoNodo& doc) {
    const Diagram& d = doc.diagram;
    InizializzaGr(v.Gr, d.NumRighe, d.NumColonne, v.zoom.DimCella, doc.modi.ModoGen);
    v.Tbltt.reset();
    const TilePalette& palette = paletteCorrente(v, doc.modi);
    // A square loop of side `lato` cells with rounded corners, near the top left corner.
    constexpr int r0 = 2, c0 = 2, lato = 4;
    auto metti = [&](int r, int c, int forma) {
        const int tessera = ColNero + forma;
        v.Gr.setPicture(r, c, palette.img(tessera));
        v.Gr.setPictureAlignment(r, c, CellAlign::CenterCenter);
        v.Tbltt.set(r, c, TileImg(tessera).name);
    };
    constexpr int kVerticale = 1, kOrizzontale = 2, kAltoSinistra = 5, kAltoDestra = 6, kDestraBasso = 7,
                  kBassoSinistra = 8;
    const int r1 = r0 + lato - 1, c1 = c0 + lato - 1;
    metti(r0, c0, kDestraBasso);
    metti(r0, c1, kBassoSinistra);
    metti(r1, c1, kAltoSinistra);
    metti(r1, c0, kAltoDestra);
    for (int k = 1; k < lato - 1; ++k) {
        metti(r0, c0 + k, kOrizzontale);
        metti(r1, c0 + k, kOrizzontale);
        metti(r0 + k, c0, kVerticale);
        metti(r0 + k, c1, kVerticale);
    }
}

}  // namespace trevalon
