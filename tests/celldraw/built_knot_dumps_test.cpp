// The table dumps of the knots built below the window from a drawing: each build names them by the kind of
// tables it builds, whatever kind the settings it is handed say, and a redrawn drawing that is not the
// diagram of its move leaves no dump.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>

#include "celldraw/built_knot.h"
#include "layout/palette.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

std::string leggi(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> nomi(const fs::path& dir) {
    std::set<std::string> out;
    for (const auto& e : fs::directory_iterator(dir)) out.insert(e.path().filename().string());
    return out;
}

struct Cartella {
    fs::path p = fs::temp_directory_path() / ("trevalon_built_dumps_" + std::to_string(::getpid()));
    Cartella() { svuota(); }
    ~Cartella() {
        std::error_code ec;
        fs::remove_all(p, ec);
    }
    void svuota() const {
        fs::remove_all(p);
        fs::create_directories(p);
    }
    ModelSettings impostazioni(GenMode modo) const {
        ModelSettings m;
        m.ModoDebug = true;
        m.programFolder = p;
        m.ModoGen = modo;  // what the window's tables were: the build names its own
        return m;
    }
};

const std::set<std::string> kDiCelDis = {"archiI.txt", "incrociI.txt", "gemelli.txt", "regioni.txt",
                                         "tmpreg.txt", "tmpreg00.txt", "tmpreg01.txt"};

TEST(BuiltKnotDumps, EachBuildNamesItsDumpsByTheKindItBuilds) {
    const Cartella c;
    const TilePalette disegni(PaletteId::Form1b, false);
    const fs::path knots = fs::path(TREVALON_SOURCE_DIR) / "Knots";

    // An object file: rebuilt from its cell drawing, kind "I".
    Result<NodoCostruito> oggetto = costruisciNodoDisegnato(
        leggi(knots / "Trefoil.kno"), KnotFileKind::Object, disegni, {}, c.impostazioni(GenMode::Code));
    ASSERT_TRUE(oggetto) << oggetto.error();
    EXPECT_EQ(nomi(c.p), kDiCelDis);

    // A knot source: its symbols walked (kind "D"), then rebuilt from the cell drawing made of the walk.
    c.svuota();
    Result<NodoCostruito> sorgente = costruisciNodoDisegnato(
        leggi(knots / "Trefoil.kns"), KnotFileKind::Source, disegni, {}, c.impostazioni(GenMode::Code));
    ASSERT_TRUE(sorgente) << sorgente.error();
    std::set<std::string> attesi = kDiCelDis;
    attesi.insert({"archiD.txt", "incrociD.txt"});
    EXPECT_EQ(nomi(c.p), attesi);

    // Without the settings nothing is written.
    c.svuota();
    ASSERT_TRUE(costruisciNodoDisegnato(leggi(knots / "Trefoil.kno"), KnotFileKind::Object, disegni));
    EXPECT_TRUE(fs::is_empty(c.p));
}

TEST(BuiltKnotDumps, ARedrawnDrawingIsDumpedOnlyWhenItIsTheDiagramOfItsMove) {
    const Cartella c;
    const TilePalette disegni(PaletteId::Form1b, false);
    Result<NodoCostruito> trifoglio = costruisciNodoDisegnato(
        leggi(fs::path(TREVALON_SOURCE_DIR) / "Knots" / "Trefoil.kno"), KnotFileKind::Object, disegni);
    ASSERT_TRUE(trifoglio) << trifoglio.error();
    ASSERT_TRUE(fs::is_empty(c.p));
    const Diagram& d = *trifoglio->diagram;

    // Another code of three crossings: the drawing is refused before anything is derived or dumped.
    const Result<NodoCostruito> rifiutato =
        controllaRidisegno(std::make_unique<CellDrawing>(*trifoglio->tblGen),
                           TestoNodo{"1+2-3+1-3+2-", "OOO", {}}, {}, c.impostazioni(GenMode::CellDrawing));
    EXPECT_FALSE(rifiutato);
    EXPECT_TRUE(fs::is_empty(c.p));

    const Result<NodoCostruito> accettato =
        controllaRidisegno(std::make_unique<CellDrawing>(*trifoglio->tblGen),
                           TestoNodo{d.txtNodo, d.TxtOri, {}}, {}, c.impostazioni(GenMode::CellDrawing));
    ASSERT_TRUE(accettato) << accettato.error();
    EXPECT_EQ(nomi(c.p), kDiCelDis);
    // Derived whole: passages, regions and their shortest paths.
    EXPECT_EQ(accettato->diagram->NumGemelli, 6);
    EXPECT_EQ(accettato->diagram->NumRegioni, 5);
}

}  // namespace
}  // namespace trevalon
