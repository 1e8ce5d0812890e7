#include "designer/trace_undo.h"

#include "platform/grid_control.h"
#include "platform/text.h"

namespace trevalon {

void LogTraccia::ripristina(GridControl& Gr, GridControl* grs) const {
    for (auto it = voci_.rbegin(); it != voci_.rend(); ++it) {
        if (!Gr.valid(it->riga, it->colonna)) continue;
        const std::string testo(trim(it->testo));
        Gr.setText(it->riga, it->colonna, testo);
        Gr.setBackColor(it->riga, it->colonna, it->colore);
        if (grs && grs->valid(it->riga, it->colonna)) {
            grs->setText(it->riga, it->colonna, testo);
            grs->setBackColor(it->riga, it->colonna, it->colore);
        }
    }
}

}  // namespace trevalon
