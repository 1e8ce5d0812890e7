// The complete automatic simplification ("Quick simplification") on generated unknot diagrams of 20 to 250
// crossings: opening the file is not timed, but reported (open_ms) with the wall time the person waits from
// opening to the start step shown again (wall_ms); the peak resident memory of the process is reported.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include <unistd.h>

#include "mainwindow/complete_run.h"
#include "mainwindow/form2.h"
#include "mainwindow/move_adapter.h"
#include "mainwindow/open_knot.h"
#include "model/knot_files.h"
#include "model/structure.h"
#include "open_without_layout.h"
#include "peak_memory.h"
#include "platform/headless_ui.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"

namespace {

using trevalon::bench::senzaDisegno;
using namespace trevalon;
using trevalon::bench::picoMemoriaMiB;
namespace ts = trevalon::testsupport;
namespace fs = std::filesystem;

fs::path fileDiagramma(int crossings, std::uint32_t seed) {
    const auto g = ts::randomUnknot(seed, crossings);
    const fs::path p =
        fs::temp_directory_path() / ("trevalon_bench_" + std::to_string(::getpid()) + "_" +
                                     std::to_string(crossings) + "_" + std::to_string(seed) + ".gau");
    std::ofstream(p, std::ios::binary) << testoFileGaussCode(ts::gaussText(g), ts::lettersText(g));
    return p;
}

void BM_CompleteRun(benchmark::State& state) {
    const int crossings = static_cast<int>(state.range(0));
    const std::uint32_t seed = static_cast<std::uint32_t>(state.range(1));
    const fs::path file = fileDiagramma(crossings, seed);
    int passi = 0, dopo = 0, prima = 0;
    double apertura = 0, corsa = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ProgramContext ctx;
        ScriptedUi ui;
        auto form = std::make_unique<Form2>(ctx, ui);
        form->Form_Load();
        form->Form_Activate();
        const auto t0 = std::chrono::steady_clock::now();
        const bool aperto = ApriGau(form->contesto(), form->vista(), file.string());
        apertura = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        if (!aperto && !senzaDisegno(*form, file)) {
            const std::string why = ui.messages.empty() ? std::string("unknown") : ui.messages.back();
            state.SkipWithError(("the generated diagram cannot be opened: " + why).c_str());
            break;
        }
        FinestraForm2 w(*form);
        state.ResumeTiming();
        const auto t1 = std::chrono::steady_clock::now();
        const EsitoCorsa e = AzioneCompleta(*form, w, nullptr);
        corsa = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t1).count();
        passi = e.ultimoPasso;
        prima = e.incrociPrima;
        dopo = e.incrociDopo;
    }
    std::error_code ec;
    fs::remove(file, ec);
    state.counters["crossings"] = prima;
    state.counters["after"] = dopo;
    state.counters["steps"] = passi;
    state.counters["peak_MiB"] = picoMemoriaMiB();
    // As the person sees it: opening the file, the run and the return to the start step, in ms.
    state.counters["open_ms"] = apertura;
    state.counters["wall_ms"] = apertura + corsa;
}

BENCHMARK(BM_CompleteRun)
    ->ArgsProduct({{20, 50, 100, 200, 250}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
