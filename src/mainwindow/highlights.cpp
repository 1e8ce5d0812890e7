#include "mainwindow/highlights.h"

#include <algorithm>
#include <string>

#include "layout/palette.h"
#include "layout/render_grid.h"
#include "mainwindow/document.h"

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

int DisegnaNodoSw(VistaNodo& vista, const DocumentoNodo& doc, int tmpIncr, int /*arco*/,
                  std::string_view tmpLista) {
    if (doc.modi.ModoGen == GenMode::TextDrawing) return 0;
    const Diagram& d = doc.diagram;
    GridControl& gr = vista.Gr;
    const LimitiNodo& l = d.limiti;
    for (int i = std::max(0, l.RigaMin); i <= std::min(kMaxCella, l.RigaMax); ++i)
        for (int j = std::max(0, l.ColMin); j <= std::min(kMaxCella, l.ColMax); ++j) {
            const CellaNodo& x = d.TblNodo.at(i, j);
            if (x.Tipo != 'I' || x.Numero != tmpIncr) continue;
            const int tessera = tesseraNodoSw(d, tmpIncr, tmpLista);
            int rg = 0, cg = 0;
            Trasforma(l, i, j, rg, cg);
            if (doc.modi.ModoSviluppo && vista.FormTessere)
                gr.setPicture(rg, cg, vista.FormTessere->img(tessera));
            vista.Tbltt.set(rg, cg, TileImg(tessera).name);
            if (doc.modi.ModoSorgente == SourceKind::Code && tmpIncr >= 1 && tmpIncr <= kMaxIncroci) {
                gr.setText(rg, cg, d.NomiIncroci[static_cast<std::size_t>(tmpIncr)]);
                gr.setFontSize(rg, cg, 7);
                gr.setBold(rg, cg, true);
                gr.setForeColor(rg, cg, 255);
                gr.setAlignment(rg, cg, CellAlign::RightBottom);
            }
            gr.setPictureAlignment(rg, cg, CellAlign::CenterCenter);
            return tessera;
        }
    return 0;
}

}  // namespace trevalon
