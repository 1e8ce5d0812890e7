#include "model/quarter_turn.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "celldraw/disegno_da_codice.h"
#include "model/cell_drawing.h"
#include "model/cell_drawing_snapshot.h"
#include "model/drawn_structure.h"
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
            // The turned drawing's snapshot read back and walked.
            auto tblGen = std::make_unique<CellDrawing>();
            const Result<int> letti = deserializzaCelDis(*tblGen, testo->substr(7));
            ASSERT_TRUE(letti.ok()) << nome << " turn " << giro << ": " << letti.error();
            auto girato = std::make_unique<Diagram>();
            const Status costruito = StrutturaDaTblGen(*girato, *tblGen);
            ASSERT_TRUE(costruito.ok()) << nome << " turn " << giro << ": " << costruito.error();
            EXPECT_TRUE(testsupport::sameKnot(k.gauss, k.letters, girato->txtNodo, girato->TxtOri))
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
