#include "layout/cell_marks.h"

#include <algorithm>

#include "layout/render_grid.h"

namespace trevalon {

MarcaMostrata MarcaCella(GridControl& griglia, const Diagram& d, int r, int c, const std::string& msg) {
    MarcaMostrata m{r, c, 0, 0, msg, {}};
    Trasforma(d.limiti, r, c, m.gr, m.gc);
    m.lblmsg = std::to_string(m.gr) + "-" + std::to_string(m.gc) + "       " + std::to_string(r) + "-" +
               std::to_string(c) + " " + msg;
    if (!griglia.valid(m.gr, m.gc)) return m;
    griglia.setPicture(m.gr, m.gc, PictureRef{});
    griglia.setText(m.gr, m.gc, msg);
    griglia.setTopRow(std::max(m.gr - 5, 1));
    griglia.setLeftCol(std::max(m.gc - 5, 1));
    griglia.setBackColor(m.gr, m.gc, kColoreMarca);
    return m;
}

void MarcheCelle::marcaCella(const Diagram& d, int r, int c, const std::string& msg) {
    marche_.push_back(MarcaCella(griglia_, d, r, c, msg));
    const MarcaMostrata& m = marche_.back();
    pausa(m.lblmsg, GridArea{m.gr, m.gc, m.gr, m.gc});
}

void MarcheCelle::pausaPunto(const Diagram& d, int r, int c, int i) {
    marcaCella(d, r, c, std::to_string(i));
}

void MarcheCelle::nodoIngrid(const LayoutState& /*state*/) {}

void MarcheCelle::visCostruzione(const Diagram& /*d*/, const LayoutState& /*state*/, const std::string& msg) {
    pausa(msg, GridArea{});
}

void MarcheCelle::pausa(const std::string& lblmsg, const GridArea& fuoco) {
    ++pause_;
    if (!viewer_) return;
    StepViewRequest req;
    req.message = lblmsg;
    req.fuoco = fuoco;
    req.mainGrid = &griglia_;
    // The pause's answer means nothing: closing the viewer goes on.
    (void)viewer_->showCandidate(req);
}

}  // namespace trevalon
