// Cost of one redraw of a move on the cell drawing, as the window does it when a person applies the move:
// the drawing made from the cell table with the candidate's highlight, redrawn, tidied, checked cell by
// cell, walked into a fresh diagram and compared with the rewrite of the code. Unknots of 10 to 100
// crossings made of curls and bigons; the first candidate of each kind.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "mainwindow/commands.h"
#include "mainwindow/commit.h"
#include "mainwindow/form2.h"
#include "mainwindow/move_window.h"
#include "mainwindow/open_knot.h"
#include "mainwindow/program_context.h"
#include "model/knot_files.h"
#include "moves/move_drivers.h"
#include "platform/headless_ui.h"
#include "support/diagram_generators.h"

namespace {

using namespace trevalon;
namespace ts = trevalon::testsupport;

// The window as the drivers see it, keeping the rewrite of the chosen move instead of applying it: the
// candidate's highlight stays in the main grid.
struct FinestraSenzaCommit : FinestraForm2 {
    using FinestraForm2::FinestraForm2;
    std::optional<TestoNodo> nuovo;
    bool committaMossa(MoveKind, const TestoNodo& t) override {
        nuovo = t;
        return false;
    }
};

void BM_Ridisegno(benchmark::State& state, MoveKind tipo) {
    const int n = static_cast<int>(state.range(0));
    const ts::GaussDiagram g = ts::randomUnknot(static_cast<std::uint32_t>(n), n);
    ProgramContext ctx;
    ctx.programFolder = TREVALON_SOURCE_DIR;
    ScriptedUi ui;
    Form2 form(ctx, ui);
    form.Form_Load();
    form.Form_Activate();
    InstallaComandiDiagramma(form);
    const auto file = std::filesystem::temp_directory_path() / "trevalon_redraw_bench.gau";
    std::ofstream(file, std::ios::binary) << testoFileGaussCode(ts::gaussText(g), ts::lettersText(g));
    if (!ApriGau(form, file.string())) {
        state.SkipWithError("the diagram does not open");
        return;
    }
    FinestraSenzaCommit w(form);
    ui.viewerAnswers = {ViewerAnswer::Sel};
    if (tipo == MoveKind::I)
        DoTric(w, true);
    else
        DoTman(w, true);
    if (!w.nuovo) {
        state.SkipWithError("no candidate");
        return;
    }
    int riusciti = 0, prove = 0;
    for (auto _ : state) {
        VistaRidisegno vista;
        vista.ModoSorgente = form.doc.modi.ModoSorgente;
        auto disegno = ridisegnaCelDis(form.doc.diagram, form.vista.Tbltt, tipo, vista);
        ++prove;
        if (!disegno) continue;
        Result<NodoDisegnato> nodo = controllaRidisegno(std::move(*disegno), *w.nuovo);
        riusciti += nodo ? 1 : 0;
        benchmark::DoNotOptimize(nodo);
    }
    state.counters["crossings"] = static_cast<double>(form.doc.diagram.NumIncroci);
    state.counters["matched"] = prove ? static_cast<double>(riusciti) / prove : 0;
}

BENCHMARK_CAPTURE(BM_Ridisegno, moveI, MoveKind::I)
    ->Arg(10)
    ->Arg(30)
    ->Arg(60)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Ridisegno, moveII, MoveKind::II)
    ->Arg(10)
    ->Arg(30)
    ->Arg(60)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
