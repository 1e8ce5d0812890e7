#include "model/quarter_turn.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "celldraw/built_knot.h"
#include "celldraw/disegno_da_codice.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

// Every used cell inside the box of the cells holding a line code, with its place from the box's corner.
std::vector<std::string> celleDallAngolo(const Diagram& d) {
    int r0 = 9999, c0 = 9999, r1 = 0, c1 = 0;
    for (int r = 1; r <= kMaxCella; ++r)
        for (int c = 1; c <= kMaxCella; ++c)
            if (d.TblNodo.at(r, c).Forma != 0) {
                r0 = std::min(r0, r);
                c0 = std::min(c0, c);
                r1 = std::max(r1, r);
                c1 = std::max(c1, c);
            }
    std::vector<std::string> out;
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) {
            const CellaNodo& x = d.TblNodo.at(r, c);
            if (x.Forma == 0 && x.Tipo == 0 && x.Numero == 0) continue;
            out.push_back(std::to_string(r - r0) + "," + std::to_string(c - c0) + ":" + x.TipoText() +
                          std::to_string(int{x.Forma}) + "/" + std::to_string(x.Numero) + "/" +
                          std::string(x.Vicini()));
        }
    return out;
}

TEST(QuarterTurn, PlacesLineCodesAndRefusals) {
    auto d = std::make_unique<Diagram>();
    // (2, 3) goes to (3, 1498), (2, 5) to (5, 1498), (4, 3) to (3, 1496); then row 3 and column 1496 become
    // row and column 1. A vertical strand turns horizontal, a crossing changes its over strand's heading,
    // the corner bottom-left becomes top-left; the other fields go along unchanged.
    d->TblNodo.at(2, 3).Forma = 1;
    d->TblNodo.at(2, 5).Forma = 3;
    d->TblNodo.at(2, 5).Tipo = 'I';
    d->TblNodo.at(2, 5).Numero = 7;
    d->TblNodo.at(4, 3).Forma = 8;
    const Result<std::string> testo = ProvaRuotaNodo(*d);
    ASSERT_TRUE(testo.ok());
    EXPECT_EQ(*testo, "Object=1,1,5|1,3,2|3,3,4|");
    EXPECT_EQ(d->TblNodo.at(3, 3).Tipo, 'I');
    EXPECT_EQ(d->TblNodo.at(3, 3).Numero, 7);
    EXPECT_EQ(immagineRuota(*d).substr(0, 4), "5 2 ");

    // A cell in the last row would be lost, one in row 0 or column 0 belongs to no diagram: refused, the
    // table unchanged. An empty table stays empty.
    for (const auto& [r, c] : {std::pair{1500, 4}, std::pair{0, 4}, std::pair{4, 0}}) {
        auto t = std::make_unique<Diagram>();
        t->TblNodo.at(r, c).Forma = 2;
        t->TblNodo.at(5, 5).Forma = 1;
        EXPECT_FALSE(ProvaRuotaNodo(*t).ok()) << r << "," << c;
        EXPECT_EQ(t->TblNodo.at(r, c).Forma, 2);
        EXPECT_EQ(t->TblNodo.at(5, 5).Forma, 1);
    }
    auto vuota = std::make_unique<Diagram>();
    EXPECT_EQ(ProvaRuotaNodo(*vuota).value(), "Object=");
}

TEST(QuarterTurn, TurnedLayoutIsTheSameKnotAndFourTurnsGiveItBack) {
    for (const char* nome : {"trefoil_left", "4_1", "5_2", "7_1", "8_19"}) {
        const testsupport::NamedKnot k = testsupport::namedKnot(nome);
        fixture::Disegnato disegno;
        ASSERT_TRUE(disegno.costruisci(k.gauss, k.letters)) << nome;
        Diagram& d = *disegno.d;
        const std::vector<std::string> prima = celleDallAngolo(d);

        for (int giro = 1; giro <= 4; ++giro) {
            const Result<std::string> testo = ProvaRuotaNodo(d);
            ASSERT_TRUE(testo.ok()) << nome << " " << testo.error();
            ASSERT_EQ(testo->rfind("Object=", 0), 0u);
            const Result<NodoCostruito> nodo = costruisciDaSnapshot(testo->substr(7));
            ASSERT_TRUE(nodo.ok()) << nome << " turn " << giro << ": " << nodo.error();
            EXPECT_TRUE(
                testsupport::sameKnot(k.gauss, k.letters, nodo->diagram->txtNodo, nodo->diagram->TxtOri))
                << nome << " turn " << giro;
            if (giro < 4) {
                EXPECT_NE(celleDallAngolo(d), prima) << nome << " turn " << giro;
            }
        }
        EXPECT_EQ(celleDallAngolo(d), prima) << nome;
    }
}

}  // namespace
}  // namespace trevalon
