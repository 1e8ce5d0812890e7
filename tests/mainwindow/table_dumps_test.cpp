// The table dumps on every road a knot takes into the window's tables: a knot from a code writes archiA.txt
// and incrociA.txt; a drawn knot rebuilt from its cell drawing (an object file opened, a knot source opened,
// a move applied by redrawing the drawing, an undo to a drawn step) archiI.txt and incrociI.txt; the walk
// over a knot source's symbols archiD.txt and incrociD.txt; every structure pipeline gemelli.txt, regioni.txt
// and tmpreg*.txt. Each file describes the knot shown.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "mainwindow/commands.h"
#include "mainwindow/drawn_curl_fixture.h"
#include "mainwindow/form2_fixture.h"
#include "mainwindow/history.h"
#include "mainwindow/install_knot.h"
#include "mainwindow/move_adapter.h"
#include "mainwindow/open_knot.h"
#include "model/dumps.h"
#include "moves/move_drivers.h"
#include "reports/step_list.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;
using fixture::campione;

// A window with the debug switch on, its dumps going into `cartella`.
struct FinestraDebug {
    fixture::FinestraDiProva o;
    FinestraForm2 w{o.form};
    struct NessunaLista : StepListPort {
        void showStepList(FrmLista&) override {}
    } lista;
    FinestraDebug(const fs::path& cartella, bool debug) {
        o.ctx.ModoDebug = debug;
        o.ctx.cartellaDump = cartella;
        o.form.Form_Load();
        InstallaComandiMosse(o.form, w, lista);
    }
    ContestoFinestra& f() { return o.form.contesto(); }
    const Diagram& d() { return o.form.doc().diagram; }
};

std::vector<std::string> righe(const fs::path& file) {
    std::ifstream in(file);
    std::vector<std::string> out;
    for (std::string r; std::getline(in, r);) out.push_back(r);
    return out;
}

// The table dumps in the folder (the searches' work lists left aside).
std::set<std::string> dumpTabelle(const fs::path& cartella) {
    std::set<std::string> nomi;
    for (const auto& e : fs::directory_iterator(cartella)) {
        const std::string n = e.path().filename().string();
        for (const char* tabella : {"archi", "incroci", "gemelli", "regioni", "tmpreg"})
            if (n.starts_with(tabella)) nomi.insert(n);
    }
    return nomi;
}

void svuota(const fs::path& cartella) {
    fs::remove_all(cartella);
    fs::create_directories(cartella);
}

struct Caso {
    const char* nome;
    bool debug;
    // Brings the window to the knot whose dumps are checked, clearing the folder where the dumps of what
    // came before it should not count; false when it did not get there.
    std::function<bool(FinestraDebug&, const fs::path&)> azione;
    std::set<std::string> attesi;
    char modo;  // the kind whose archi and incroci dumps describe the knot shown; 0: none expected
};

const std::set<std::string> kStruttura = {"gemelli.txt", "regioni.txt", "tmpreg.txt", "tmpreg00.txt",
                                          "tmpreg01.txt"};

std::set<std::string> con(std::set<std::string> a, std::initializer_list<const char*> altri) {
    for (const char* n : altri) a.insert(n);
    return a;
}

// The right trefoil with a curl, kept as a cell drawing (a knot file written by the window).
fs::path trifoglioConRiccio() {
    const fs::path file = fixture::cartellaProva() / "DumpCurl.kno";
    if (!fs::exists(file) && !fixture::scriviTrifoglioDisegnatoConRiccio(file)) return {};
    return file;
}

const std::vector<Caso>& casi() {
    static const std::vector<Caso> c = {
        {"code knot", true,
         [](FinestraDebug& x, const fs::path&) {
             return ApriGen(x.f(), x.o.form.vista(), campione("Trefoil.gau"));
         },
         con(kStruttura, {"archi.txt", "archiA.txt", "incrociA.txt"}), 'A'},
        {"drawn object file", true,
         [](FinestraDebug& x, const fs::path&) {
             return ApriGen(x.f(), x.o.form.vista(), campione("Trefoil.kno"));
         },
         con(kStruttura, {"archiI.txt", "incrociI.txt"}), 'I'},
        {"knot source", true,
         [](FinestraDebug& x, const fs::path&) {
             return ApriGen(x.f(), x.o.form.vista(), campione("Trefoil.kns"));
         },
         con(kStruttura, {"archiD.txt", "incrociD.txt", "archiI.txt", "incrociI.txt"}), 'I'},
        {"knot source walked alone (Da Disegno)",
         true,
         [](FinestraDebug& x, const fs::path&) {
             return cmdDadisegnoRichiesta(x.f(), x.o.form.vista(), campione("Trefoil.kns"));
         },
         {"archiD.txt", "incrociD.txt"},
         'D'},
        {"a move rebuilt from the drawing", true,
         [](FinestraDebug& x, const fs::path& cartella) {
             const fs::path curl = trifoglioConRiccio();
             if (curl.empty() || !ApriGen(x.f(), x.o.form.vista(), curl.string())) return false;
             svuota(cartella);
             x.o.ui.viewerAnswers = {ViewerAnswer::Sel};
             const bool ridisegnata = DoTric(x.w, true).esito == EsitoDriver::Applicata &&
                                      x.o.form.doc().modi.ModoGen == GenMode::CellDrawing &&
                                      x.w.ridisegni().riusciti == 1 && x.o.passo() == 1;
             return ridisegnata;
         },
         con(kStruttura, {"archiI.txt", "incrociI.txt"}), 'I'},
        {"a move on a knot from its code, redrawn", true,
         [](FinestraDebug& x, const fs::path& cartella) {
             // The trefoil's code with a curl: the window applies the move on the drawing of its layout.
             namespace ts = testsupport;
             const ts::GaussDiagram g =
                 ts::addCurl(ts::diagramOf(ts::namedKnot("trefoil_right")), 0, true, 1);
             const fs::path file =
                 fixture::scrivi("DumpCurl.gau", testoFileGaussCode(ts::gaussText(g), ts::lettersText(g)));
             if (!ApriGen(x.f(), x.o.form.vista(), file.string())) return false;
             svuota(cartella);
             x.o.ui.viewerAnswers = {ViewerAnswer::Sel};
             return DoTric(x.w, true).esito == EsitoDriver::Applicata &&
                    x.o.form.doc().modi.ModoGen == GenMode::CellDrawing && x.w.ridisegni().riusciti == 1;
         },
         con(kStruttura, {"archiI.txt", "incrociI.txt"}), 'I'},
        {"undo to a drawn step", true,
         [](FinestraDebug& x, const fs::path& cartella) {
             const fs::path curl = trifoglioConRiccio();
             if (curl.empty() || !ApriGen(x.f(), x.o.form.vista(), curl.string())) return false;
             x.o.ui.viewerAnswers = {ViewerAnswer::Sel};
             if (DoTric(x.w, true).esito != EsitoDriver::Applicata || x.o.passo() != 1) return false;
             svuota(cartella);
             StatoPrec(x.f(), x.o.form.vista());
             return x.o.passo() == 0 && x.o.form.doc().modi.ModoGen == GenMode::CellDrawing;
         },
         con(kStruttura, {"archiI.txt", "incrociI.txt"}), 'I'},
        {"a knot compiled by the designer, opened", true,
         [](FinestraDebug& x, const fs::path&) {
             // Built as the designer's compilation builds it, without the window's settings; opened as the
             // main window opens it.
             Result<NodoCostruito> nodo =
                 costruisciNodoDisegnato(fixture::leggi(campione("Trefoil.kns")), KnotFileKind::Source,
                                         TilePalette(PaletteId::Form1b, false));
             if (!nodo || !nodo->tblGen) return false;
             scriviDumpDisegnato(x.f(), *nodo->tblGen);
             apriPassoZero(x.f(), x.o.form.vista(), std::move(*nodo), campione("Trefoil.kno"),
                           KnotFileKind::Object);
             return x.d().NumIncroci == 3;
         },
         con(kStruttura, {"archiI.txt", "incrociI.txt"}), 'I'},
        {"drawn object file, switch off",
         false,
         [](FinestraDebug& x, const fs::path&) {
             return ApriGen(x.f(), x.o.form.vista(), campione("Trefoil.kno"));
         },
         {},
         0},
    };
    return c;
}

std::vector<std::string> atteseArchi(const Diagram& d) {
    std::vector<std::string> r;
    for (int a = 1; a <= d.NumArchi; ++a) r.push_back(rigaArco(d, a));
    return r;
}
std::vector<std::string> atteseIncroci(const Diagram& d) {
    std::vector<std::string> r;
    for (int i = 1; i <= d.NumIncroci; ++i) r.push_back(rigaIncrocio(d, i));
    return r;
}
std::vector<std::string> atteseGemelli(const Diagram& d) {
    std::vector<std::string> r;
    for (int i = 1; i <= d.NumGemelli; ++i) r.push_back(rigaGemello(d, i));
    return r;
}

class TableDumps : public testing::TestWithParam<std::size_t> {};

TEST_P(TableDumps, EveryRoadIntoTheTablesWritesTheDumpsOfItsKindDescribingTheKnot) {
    const fs::path cartella = fixture::cartellaProva() / "table_dumps";
    struct Pulisci {
        fs::path p;
        ~Pulisci() {
            std::error_code ec;
            fs::remove_all(p, ec);
        }
    } pulisci{cartella};
    {
        const Caso& caso = casi()[GetParam()];
        SCOPED_TRACE(caso.nome);
        svuota(cartella);
        FinestraDebug x(cartella, caso.debug);
        ASSERT_TRUE(caso.azione(x, cartella));
        EXPECT_EQ(dumpTabelle(cartella), caso.attesi);
        if (caso.modo == 0) {
            EXPECT_TRUE(fs::is_empty(cartella));
            return;
        }
        const Diagram& d = x.d();
        const int n = d.NumIncroci;
        ASSERT_GE(n, 3);
        ASSERT_EQ(d.NumArchi, 2 * n);
        const std::string m(1, caso.modo);
        const std::vector<std::string> archi = righe(cartella / ("archi" + m + ".txt"));
        const std::vector<std::string> incroci = righe(cartella / ("incroci" + m + ".txt"));
        // Two arcs per crossing, one line each, numbered in order; one line per crossing.
        ASSERT_EQ(archi.size(), static_cast<std::size_t>(2 * n));
        ASSERT_EQ(incroci.size(), static_cast<std::size_t>(n));
        for (int a = 1; a <= 2 * n; ++a)
            EXPECT_TRUE(archi[a - 1].starts_with(std::to_string(a) + " ")) << archi[a - 1];
        if (caso.modo == 'D') {
            // The walk alone: no passages, no regions yet; the crossings with the walk's letters.
            for (const std::string& r : archi)
                EXPECT_NE(r.find(" gem>0-0 r1>0 r2>0"), std::string::npos) << r;
            for (int i = 1; i <= n; ++i)
                EXPECT_NE(incroci[i - 1].find(std::string(" OR>") + d.TxtOri[i - 1] + " "), std::string::npos)
                    << incroci[i - 1];
            return;
        }
        // The tables of the knot shown, line for line.
        EXPECT_EQ(archi, atteseArchi(d));
        EXPECT_EQ(incroci, atteseIncroci(d));
        EXPECT_EQ(righe(cartella / "gemelli.txt"), atteseGemelli(d));
        EXPECT_EQ(righe(cartella / "regioni.txt"), righeRegioni(d));
        // The regions of a knot diagram: two more than its crossings.
        EXPECT_EQ(righe(cartella / "tmpreg.txt").size(), static_cast<std::size_t>(n + 2));
        EXPECT_EQ(d.NumRegioni, n + 2);
        // A drawn knot's dumps stand beside no code knot's, and the walk's only for a knot source.
        if (caso.modo == 'I') {
            EXPECT_FALSE(fs::exists(cartella / "archiA.txt"));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(OgniStrada, TableDumps, testing::Range<std::size_t>(0, casi().size()),
                         [](const testing::TestParamInfo<std::size_t>& i) {
                             std::string nome;
                             for (const char ch : std::string(casi()[i.param].nome))
                                 nome += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return nome;
                         });

}  // namespace
}  // namespace trevalon
