// A routing pass that routes nothing leaves its debug dumps while the debug switch is on: the arcs still
// on the border, and the main grid as a spreadsheet.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "layout/routing.h"
#include "platform/headless_ui.h"
#include "table_fixture.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

std::string leggi(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

TEST(RoutingDump, AFailedPassDumpsTheBorderArcsAndTheMainGrid) {
    const fs::path dir = fs::temp_directory_path() / ("trevalon_errbordo_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    GridControl griglia;
    griglia.setRows(3);
    griglia.setCols(3);
    griglia.setText(1, 1, "7");
    ScriptedUi ui;
    for (const bool acceso : {false, true}) {
        fixture::TavolaVuota t;
        for (int k = 0; k < 4; ++k)
            t.s->PuntiBordo.push_back({9, 10 + 10 * k, 10, 10 + 10 * k, 1 + k % 2, 0});
        if (acceso) t.s->dump = DumpFolder{dir, &ui};
        t.s->grigliaPrincipale = &griglia;
        EXPECT_FALSE(DisegnaArchi(*t.d, *t.s));
        EXPECT_EQ(fs::is_empty(dir), !acceso);
    }
    EXPECT_EQ(leggi(dir / "errbordo.txt"), "1,2,1,2,\n");
    EXPECT_EQ(leggi(dir / "errbordo.xlsx").substr(0, 2), "PK");  // a zip: the workbook
    EXPECT_EQ(ui.panel("p2"), "");
    fs::remove_all(dir);
}

}  // namespace
}  // namespace trevalon
