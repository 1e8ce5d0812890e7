#pragma once
// An empty cell table with its layout state, and the two ways the layout tests write and read its cells.

#include <memory>

#include "layout/layout_state.h"
#include "model/tables.h"

namespace trevalon::fixture {

struct TavolaVuota {
    std::unique_ptr<Diagram> d = std::make_unique<Diagram>();
    std::unique_ptr<LayoutState> s = std::make_unique<LayoutState>();
    void metti(int r, int c, char tipo, int numero) {
        d->TblNodo.at(r, c).Tipo = tipo;
        d->TblNodo.at(r, c).Numero = numero;
    }
    bool arco(int r, int c, int a) const {
        const CellaNodo& x = d->TblNodo.at(r, c);
        return x.Tipo == 'A' && x.Numero == a;
    }
};

}  // namespace trevalon::fixture
