// Cost of one redraw of a move on the cell drawing, as the window does it when a person applies the move:
// the drawing made from the cell table with the candidate's highlight, redrawn, tidied, checked cell by
// cell, walked into a fresh diagram and compared with the rewrite of the code. The first candidate of each
// kind that the window redraws, on unknots of 50 to 250 crossings made of curls, bigons and reroutes, and on
// the braid closures of 100 and 250 crossings of the test data. Only the redraw is timed, not the highlight
// of the candidate before it.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "mainwindow/commands.h"
#include "mainwindow/form2.h"
#include "mainwindow/move_adapter.h"
#include "mainwindow/open_knot.h"
#include "mainwindow/redraw_candidates.h"
#include "model/knot_files.h"
#include "platform/headless_ui.h"
#include "support/diagram_generators.h"

namespace {

using namespace trevalon;
namespace ts = trevalon::testsupport;

struct Finestra {
    ProgramContext ctx;
    ScriptedUi ui;
    Form2 form{ctx, ui};
    FinestraForm2 w{form};
    Finestra() {
        ctx.programFolder = TREVALON_SOURCE_DIR;
        form.Form_Load();
        form.Form_Activate();
        InstallaComandiDiagramma(form);
    }
};

// A generated unknot of n crossings (n > 0), or braid_N.gau of the test data (n < 0: -N).
bool apri(Finestra& f, int n) {
    if (n < 0) {
        const auto file = std::filesystem::path(TREVALON_SOURCE_DIR) / "tests" / "data" / "model" /
                          ("braid_" + std::to_string(-n) + ".gau");
        return ApriGen(f.form.contesto, f.form.vista, file.string());
    }
    const ts::GaussDiagram g = ts::randomUnknot(static_cast<std::uint32_t>(n), n);
    const auto file = std::filesystem::temp_directory_path() / "trevalon_redraw_bench.gau";
    std::ofstream(file, std::ios::binary) << testoFileGaussCode(ts::gaussText(g), ts::lettersText(g));
    return ApriGen(f.form.contesto, f.form.vista, file.string());
}

void BM_Ridisegno(benchmark::State& state, MoveKind tipo, bool orizzontale) {
    auto f = std::make_unique<Finestra>();
    if (!apri(*f, static_cast<int>(state.range(0)))) {
        state.SkipWithError("the diagram does not open");
        return;
    }
    const std::vector<CandidatoRidisegno> candidati =
        candidatiRidisegno(f->form.doc.diagram, tipo, orizzontale);
    const CandidatoRidisegno* scelto = nullptr;
    for (const CandidatoRidisegno& c : candidati)
        if (provaRidisegno(f->w, c).esito != ProvaRidisegno::Esito::NonTentato) {
            scelto = &c;
            break;
        }
    if (!scelto) {
        state.SkipWithError("no candidate that the window redraws");
        return;
    }
    int riusciti = 0, prove = 0;
    for (auto _ : state) {
        const ProvaRidisegno p = provaRidisegno(f->w, *scelto);
        state.SetIterationTime(p.millisecondi / 1000);
        ++prove;
        riusciti += p.esito == ProvaRidisegno::Esito::Riuscito ? 1 : 0;
    }
    state.counters["crossings"] = static_cast<double>(f->form.doc.diagram.NumIncroci);
    state.counters["candidates"] = static_cast<double>(candidati.size());
    state.counters["matched"] = prove ? static_cast<double>(riusciti) / prove : 0;
}

void taglie(benchmark::internal::Benchmark* b, bool braid) {
    b->Arg(50)->Arg(100)->Arg(250);
    if (braid) b->Arg(-100)->Arg(-250);
    b->UseManualTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(BM_Ridisegno, moveI, MoveKind::I, false)->Apply([](auto* b) { taglie(b, false); });
BENCHMARK_CAPTURE(BM_Ridisegno, moveII, MoveKind::II, false)->Apply([](auto* b) { taglie(b, true); });
BENCHMARK_CAPTURE(BM_Ridisegno, moveIII, MoveKind::III, false)->Apply([](auto* b) { taglie(b, true); });
BENCHMARK_CAPTURE(BM_Ridisegno, horizontalIII, MoveKind::III, true)->Apply([](auto* b) { taglie(b, true); });

}  // namespace

BENCHMARK_MAIN();
