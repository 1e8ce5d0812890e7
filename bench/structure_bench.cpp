// Cost of the structure of a diagram given by its code: check, tables, side tables, passages, regions and
// all shortest region paths, on braid closures of 10 to 250 crossings.

#include <benchmark/benchmark.h>

#include <memory>

#include "bench_diagrams.h"
#include "model/structure.h"
#include "platform/headless_ui.h"

namespace {

using namespace trevalon;

void BM_Structure(benchmark::State& state) {
    const int crossings = static_cast<int>(state.range(0));
    const auto code = bench::chiusuraTreccia(bench::parolaTreccia(crossings, 12345u));
    auto d = std::make_unique<Diagram>();
    AutomaticUi ui;
    for (auto _ : state) {
        d->txtNodo = code.txtNodo;
        d->TxtOri = code.TxtOri;
        if (const Status esito = StrutturaDaCodice(*d, ui); !esito) {
            state.SkipWithError(esito.error().c_str());
            break;
        }
        benchmark::DoNotOptimize(d->MatRegioni.at(1, d->NumRegioni).dis);
    }
    state.counters["regions"] = d->NumRegioni;
}

BENCHMARK(BM_Structure)->Arg(10)->Arg(50)->Arg(100)->Arg(250)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
