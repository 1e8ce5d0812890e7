#include "mainwindow/highlights.h"

#include <algorithm>
#include <string>

#include "layout/palette.h"
#include "layout/render_grid.h"
#include "mainwindow/form2.h"

namespace trevalon {

int tesseraNodoSw(const Diagram& d, int tmpIncr, std::string_view tmpLista) {
    int primo = 0, secondo = 0;
    if (tmpIncr >= 1 && tmpIncr <= kMaxIncroci) {
        const Incrocio& x = d.incroci[static_cast<std::size_t>(tmpIncr)];
        for (int s = 1; s <= 4; ++s) {
            const std::string voce = "," + std::to_string(x.ArcoLato[static_cast<std::size_t>(s)]) + ",";
            if (tmpLista.find(voce) == std::string_view::npos) continue;
            if (primo == 0) primo = s;
            secondo = s;
        }
    }
    const int lo = std::min(primo, secondo), hi = std::max(primo, secondo);
    return ((lo == 1 && hi == 2) || (lo == 3 && hi == 4)) ? 9 : 10;
}

int DisegnaNodoSw(Form2& f, int tmpIncr, int /*arco*/, std::string_view tmpLista) {
    if (f.ModoGen != 'A' && f.ModoGen != 'I') return 0;
    const Diagram& d = f.diagram;
    const LimitiNodo& l = d.limiti;
    for (int i = std::max(0, l.RigaMin); i <= std::min(kMaxCella, l.RigaMax); ++i)
        for (int j = std::max(0, l.ColMin); j <= std::min(kMaxCella, l.ColMax); ++j) {
            const CellaNodo& x = d.TblNodo.at(i, j);
            if (x.Tipo != 'I' || x.Numero != tmpIncr) continue;
            const int tessera = tesseraNodoSw(d, tmpIncr, tmpLista);
            int gr = 0, gc = 0;
            Trasforma(l, i, j, gr, gc);
            if (f.ModoSviluppo && f.ctx.FormTessere) f.Gr.setPicture(gr, gc, f.ctx.FormTessere->img(tessera));
            f.Tbltt.set(gr, gc, TileImg(tessera).name);
            if (f.ModoSorgente == 'A' && tmpIncr >= 1 && tmpIncr <= kMaxIncroci) {
                f.Gr.setText(gr, gc, d.NomiIncroci[static_cast<std::size_t>(tmpIncr)]);
                f.Gr.setFontSize(gr, gc, 7);
                f.Gr.setBold(gr, gc, true);
                f.Gr.setForeColor(gr, gc, 255);
                f.Gr.setAlignment(gr, gc, CellAlign::RightBottom);
            }
            f.Gr.setPictureAlignment(gr, gc, CellAlign::CenterCenter);
            return tessera;
        }
    return 0;
}

}  // namespace trevalon
