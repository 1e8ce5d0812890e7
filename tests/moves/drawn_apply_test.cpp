#include "moves/drawn_apply.h"

#include <gtest/gtest.h>

#include <memory>

namespace trevalon {
namespace {

// The listed arcs' cells lose kind, neighbours, symbol and number, and keep line code and place; signs,
// items that are no arc of the diagram and path cells beyond the table are passed over.
TEST(EliminaArchi, ClearsTheListedArcsCellsOnly) {
    auto d = std::make_unique<Diagram>();
    d->NumArchi = 2;
    d->archi[1].Percorso = "1,1|1,2|1,3,|";
    d->archi[2].Percorso = "2,1|2,2|9999,9999|x|";
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c) {
            CellaNodo& x = d->TblNodo.at(r, c);
            x.Tipo = 'A';
            x.Simbolo = '*';
            x.setVicini("46");
            x.Numero = r;
            x.Forma = 2;
            x.Posizione = c;
        }
    EXPECT_EQ(EliminaArchi(*d, "-2,x,,0,3,+999"), 2);
    for (int c = 1; c <= 2; ++c) {
        const CellaNodo& x = d->TblNodo.at(2, c);
        EXPECT_EQ((std::tuple{x.Tipo, x.Simbolo, x.Vicini(), x.Numero}),
                  (std::tuple{char{0}, char{0}, "", 0}));
        EXPECT_EQ((std::tuple{x.Forma, x.Posizione}), (std::tuple{std::int8_t{2}, c}));
    }
    EXPECT_EQ(d->TblNodo.at(2, 3).Tipo, 'A');  // not on arc 2's path
    EXPECT_EQ(d->TblNodo.at(1, 1).Tipo, 'A');
    EXPECT_EQ(EliminaArchi(*d, "+1,"), 3);  // the last item's trailing "," read too
    EXPECT_EQ(d->TblNodo.at(1, 3).Numero, 0);
}

}  // namespace
}  // namespace trevalon
