#include "layout/cell_marks.h"

#include <algorithm>

#include "layout/render_grid.h"

namespace trevalon {

MarcaMostrata MarcaCella(GridControl& griglia, const Diagram& d, int r, int c, const std::string& msg,
                         std::uint32_t colore) {
    MarcaMostrata m{r, c, 0, 0, msg, {}};
    Trasforma(d.limiti, r, c, m.gr, m.gc);
    m.lblmsg = std::to_string(m.gr) + "-" + std::to_string(m.gc) + "       " + std::to_string(r) + "-" +
               std::to_string(c) + " " + msg;
    if (!griglia.valid(m.gr, m.gc)) return m;
    griglia.setPicture(m.gr, m.gc, PictureRef{});
    griglia.setText(m.gr, m.gc, msg);
    griglia.setTopRow(std::max(m.gr - 5, 1));
    griglia.setLeftCol(std::max(m.gc - 5, 1));
    griglia.setBackColor(m.gr, m.gc, colore);
    return m;
}

void MarcheCelle::mostra(const Diagram& d, int r, int c, const std::string& msg, std::uint32_t colore) {
    marche_.push_back(MarcaCella(griglia_, d, r, c, msg, colore));
    const MarcaMostrata& m = marche_.back();
    pausa(m.lblmsg, GridArea{m.gr, m.gc, m.gr, m.gc});
}

void MarcheCelle::marcaCella(const Diagram& d, int r, int c, const std::string& msg) {
    mostra(d, r, c, msg, kColoreMarca);
}

void MarcheCelle::pausaPunto(const Diagram& d, int r, int c, int i) {
    mostra(d, r, c, std::to_string(i), kColorePunto);
}

void MarcheCelle::nodoIngrid(const LayoutState& /*state*/) {}

void MarcheCelle::visCostruzione(const Diagram& d, const LayoutState& state, const std::string& msg,
                                 bool daCelle) {
    if (daCelle)
        MostraAlbero(griglia_, state.TblNodoAlbero);
    else
        MostraNumeri(griglia_, d);
    pausa("Viscostruzione " + msg, GridArea{});
}

void MostraAlbero(GridControl& griglia, const WorkGrid& albero) {
    griglia.setRedraw(false);
    griglia.clear();
    for (int r = albero.rMin(); r <= albero.rMax(); ++r)
        for (int c = albero.cMin(); c <= albero.cMax(); ++c) {
            if (albero.Tipo(r, c) == 0) continue;
            const int gr = r - albero.rMin() + 1, gc = c - albero.cMin() + 1;
            if (!griglia.valid(gr, gc)) continue;
            griglia.setText(gr, gc, std::to_string(albero.Numero(r, c)));
            if (albero.Tipo(r, c) == 'I') griglia.setForeColor(gr, gc, kColoreIncrocio);
        }
    griglia.setRedraw(true);
}

void MostraNumeri(GridControl& griglia, const Diagram& d) {
    griglia.setRedraw(false);
    griglia.clear();
    const LimitiNodo& l = d.limiti;
    for (int r = std::max(l.RigaMin, 0); r <= std::min(l.RigaMax, kMaxCella); ++r)
        for (int c = std::max(l.ColMin, 0); c <= std::min(l.ColMax, kMaxCella); ++c) {
            const CellaNodo& x = d.TblNodo.at(r, c);
            if (x.Tipo != 'A' && x.Tipo != 'I') continue;
            int gr = 0, gc = 0;
            Trasforma(l, r, c, gr, gc);
            if (!griglia.valid(gr, gc)) continue;
            griglia.setText(gr, gc, std::to_string(x.Numero));
            if (x.Tipo == 'I') griglia.setForeColor(gr, gc, kColoreIncrocio);
        }
    griglia.setRedraw(true);
}

void MarcheCelle::pausa(const std::string& lblmsg, const GridArea& fuoco) {
    ++pause_;
    if (!viewer_) return;
    StepViewRequest req;
    req.message = lblmsg;
    req.fuoco = fuoco;
    req.mainGrid = &griglia_;
    req.pausa = true;
    // The pause's answer means nothing: closing the viewer goes on.
    (void)viewer_->showCandidate(req);
}

}  // namespace trevalon
