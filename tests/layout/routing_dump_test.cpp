// A routing pass that routes nothing leaves its debug dumps while the debug switch is on: the arcs still
// on the border, and the main grid as a spreadsheet.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "layout/routing.h"
#include "table_fixture.h"

namespace trevalon {
namespace {

TEST(RoutingDump, AFailedPassDumpsTheBorderArcsAndTheMainGrid) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("trevalon_errbordo_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    GridControl griglia;
    for (const bool acceso : {false, true}) {
        fixture::TavolaVuota t;
        for (int k = 0; k < 4; ++k)
            t.s->PuntiBordo.push_back({9, 10 + 10 * k, 10, 10 + 10 * k, 1 + k % 2, 0});
        if (acceso) t.s->dump = DumpFolder{dir, nullptr};
        t.s->grigliaPrincipale = &griglia;
        EXPECT_FALSE(DisegnaArchi(*t.d, *t.s));
        EXPECT_EQ(fs::is_empty(dir), !acceso);
    }
    std::string riga, zip(2, ' ');
    std::getline(std::ifstream(dir / "errbordo.txt"), riga);
    std::ifstream(dir / "errbordo.xlsx").read(zip.data(), 2);
    EXPECT_EQ(riga, "1,2,1,2,");
    EXPECT_EQ(zip, "PK");  // a zip: the workbook
    fs::remove_all(dir);
}

}  // namespace
}  // namespace trevalon
