// Cost of the structure of a diagram given by its code: check, tables, side tables, passages, regions and
// all shortest region paths, on braid closures of 10 to 250 crossings; and of the structure the horizontal
// search builds for each record it examines.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

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

// The structure the horizontal search builds for every record it examines (CostruisciStrutturaRicerca:
// tables, regions and region distances, no path texts), in the same tables one record after another, on
// the closures of (s1 s2)^k of 22 to 62 crossings. Two readings of the code alternate, the one written
// from crossing 1 and one from another passage, which the build turns.
// With a second argument of 0, as the look-ahead instance builds a record handed over without names: the
// labels are not written into the names, which are then emptied.
void BM_StructureForSearch(benchmark::State& state) {
    const int crossings = static_cast<int>(state.range(0));
    const bool conNomi = state.range(1) != 0;
    std::vector<int> word;
    for (int k = 0; k < crossings; ++k) word.push_back(k % 2 + 1);
    const auto code = bench::chiusuraTreccia(word);
    const std::size_t taglio = code.txtNodo.find_first_of("+-", code.txtNodo.size() / 2) + 1;
    const std::string girato = code.txtNodo.substr(taglio) + code.txtNodo.substr(0, taglio);
    auto d = std::make_unique<Diagram>();
    bool altro = false;
    for (auto _ : state) {
        d->txtNodo = altro ? girato : code.txtNodo;
        d->TxtOri = code.TxtOri;
        altro = !altro;
        if (const Status esito = CostruisciStrutturaRicerca(*d, true, conNomi); !esito) {
            state.SkipWithError(esito.error().c_str());
            break;
        }
        if (!conNomi)
            for (int c = 1; c <= d->NumIncroci; ++c) d->NomiIncroci[static_cast<std::size_t>(c)].clear();
        benchmark::DoNotOptimize(d->MatRegioni.at(1, d->NumRegioni).dis);
    }
    state.counters["regions"] = d->NumRegioni;
}

BENCHMARK(BM_StructureForSearch)
    ->ArgsProduct({{22, 40, 62}, {1, 0}})
    ->ArgNames({"crossings", "names"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
