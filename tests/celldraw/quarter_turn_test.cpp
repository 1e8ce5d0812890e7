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

TEST(QuarterTurn, PlacesAndLineCodesOfSingleCells) {
    auto d = std::make_unique<Diagram>();
    // A vertical strand at (2, 3) and a crossing at (2, 5): after the turn the row becomes a column read
    // from the top, moved to the corner.
    d->TblNodo.at(2, 3).Forma = 1;
    d->TblNodo.at(2, 5).Forma = 3;
    d->TblNodo.at(2, 5).Tipo = 'I';
    d->TblNodo.at(2, 5).Numero = 7;
    d->TblNodo.at(4, 3).Forma = 8;
    ASSERT_TRUE(RuotaTabNodo(*d));
    // (2, 3) -> (3, 1498), (2, 5) -> (5, 1498), (4, 3) -> (3, 1496): first row 3, first column 1496.
    EXPECT_EQ(d->TblNodo.at(1, 3).Forma, 2);
    EXPECT_EQ(d->TblNodo.at(3, 3).Forma, 4);
    EXPECT_EQ(d->TblNodo.at(3, 3).Tipo, 'I');
    EXPECT_EQ(d->TblNodo.at(3, 3).Numero, 7);
    EXPECT_EQ(d->TblNodo.at(1, 1).Forma, 5);
    EXPECT_EQ(testoOggettoRuotato(*d), "Object=1,1,5|1,3,2|3,3,4|");
    const std::string immagine = immagineRuota(*d);
    EXPECT_EQ(immagine.size(), 1500u * 1502u);
    EXPECT_EQ(immagine.substr(0, 4), "5 2 ");
}

TEST(QuarterTurn, CodeMapAndRefusals) {
    EXPECT_EQ(
        (std::vector{formaRuotata(0), formaRuotata(1), formaRuotata(2), formaRuotata(3), formaRuotata(4),
                     formaRuotata(5), formaRuotata(6), formaRuotata(7), formaRuotata(8)}),
        (std::vector{0, 2, 1, 4, 3, 6, 7, 8, 5}));

    // A cell in the last row would be lost, one in row 0 belongs to no diagram: refused, table unchanged.
    for (const auto& [r, c] : {std::pair{1500, 4}, std::pair{0, 4}, std::pair{4, 0}}) {
        auto d = std::make_unique<Diagram>();
        d->TblNodo.at(r, c).Forma = 2;
        d->TblNodo.at(5, 5).Forma = 1;
        const Result<std::string> testo = ProvaRuotaNodo(*d);
        ASSERT_FALSE(testo.ok()) << r << "," << c;
        EXPECT_FALSE(testo.error().empty());
        EXPECT_EQ(d->TblNodo.at(r, c).Forma, 2);
        EXPECT_EQ(d->TblNodo.at(5, 5).Forma, 1);
    }

    // An empty table stays empty and gives the key alone.
    auto vuota = std::make_unique<Diagram>();
    const Result<std::string> testo = ProvaRuotaNodo(*vuota);
    ASSERT_TRUE(testo.ok());
    EXPECT_EQ(*testo, "Object=");
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
