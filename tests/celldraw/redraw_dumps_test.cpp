// The cell drawing's debug dumps over a move III redraw: the drawing as first drawn, after each stage of
// the redraw and at its end, written only while the debug switch is on; the tile-name export.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "celldraw/redraw_driver.h"
#include "celldraw/redraw_dumps.h"
#include "disegno_da_codice.h"
#include "moves/bridge_search.h"
#include "support/diagram_generators.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;
namespace ts = trevalon::testsupport;

std::vector<std::string> righe(const fs::path& p) {
    std::ifstream in(p);
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

TEST(RedrawDumps, AMoveIIIRedrawDumpsEveryStageOnlyWithTheSwitchOn) {
    const ts::GaussDiagram g = ts::diagramOf(ts::namedKnot("trefoil_left"));
    const ts::GaussDiagram grande = ts::enlarged(g, 1, g.crossings() + 6);
    fixture::Disegnato x;
    ASSERT_TRUE(x.costruisci(ts::gaussText(grande), ts::lettersText(grande)));
    std::optional<CandidatoPonte> c;
    EnumeraCandidatiPonte(*x.d, '-', '+', false, [&](const CandidatoPonte& k) {
        c = k;
        return false;
    });
    ASSERT_TRUE(c);
    const RenderTarget t{x.griglia, x.tbltt, x.palette, nullptr};
    x.tbltt.reset();
    DisegnoGrafico(*x.d, x.st, t, 0, ColNero, false, "", -1);
    ASSERT_TRUE(DisegnaCandidatoPonte(*x.d, x.st, t, c->archiPonte, c->archiAttraversati, c->ab2));
    const MossaPonteDis ponte{x.d.get(), c->archiPonte, c->archiAttraversati, c->regioni};

    const fs::path dir = fs::temp_directory_path() / ("trevalon_celdis_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const bool acceso : {false, true}) {
        GridControl gr3;
        VistaRidisegno vista;
        vista.Gr3 = &gr3;
        vista.NumStato = 4;
        if (acceso) vista.dump = DumpFolder{dir, nullptr};
        auto disegno = ridisegnaCelDis(*x.d, x.tbltt, MoveKind::III, vista, &x.griglia, 100, &ponte);
        ASSERT_TRUE(disegno) << disegno.error();
        EXPECT_EQ(fs::is_empty(dir), !acceso);
        if (!acceso) continue;

        // The drawing at the end of applying: one character per cell, three more rows and columns.
        const LimitiDis& l = (*disegno)->limiti;
        const auto fine = righe(dir / "celdis2.txt");
        ASSERT_EQ(static_cast<int>(fine.size()), l.RigaMax + 3);
        EXPECT_EQ(static_cast<int>(fine.at(0).size()), l.ColMax + 3);
        EXPECT_EQ(fine, righeCelDis(**disegno, false));
        // Two characters per cell in the drawing first drawn and in every stage.
        for (const char* nome : {"celdis.txt", "celdis_1_4_.txt", "celdis_2_4_.txt", "celdis_3_4_.txt",
                                 "celdis_4_4_.txt", "celdis_5_4_.txt", "celdis_6_4_.txt"})
            EXPECT_EQ(righe(dir / nome).at(0).size() % 2, 0u) << nome;

        esportaTblCeldis(**disegno, "X", vista.dump);
        const auto nomi = righe(dir / "tblceldisX.txt");
        ASSERT_EQ(static_cast<int>(nomi.size()), l.RigaMax);
        EXPECT_EQ(static_cast<int>(nomi.front().size()), 7 * l.ColMax);
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace trevalon
