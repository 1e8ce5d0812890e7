// Cost of listing the horizontal candidates of a record: the bridges of both kinds, the pairings of their
// end regions and every shortest route between them, off the bridges' own sides, as the horizontal search
// lists them for every record it examines (the visitor here only counts them). Per record, over a torus
// closure or a random braid closure and the diagrams its horizontal moves reach, which are what the search
// examines after the first record.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench_diagrams.h"
#include "horizontal_candidates.h"
#include "model/structure.h"
#include "moves/bridge_rewrite.h"
#include "moves/bridge_search.h"

namespace {

using namespace trevalon;

std::unique_ptr<Diagram> costruito(const std::string& txtNodo, const std::string& TxtOri) {
    auto d = std::make_unique<Diagram>();
    d->txtNodo = txtNodo;
    d->TxtOri = TxtOri;
    return CostruisciStrutturaRicerca(*d) ? std::move(d) : nullptr;
}

// The closure of the word and up to `figli` of the diagrams its horizontal candidates make.
std::vector<std::unique_ptr<Diagram>> records(const std::vector<int>& parola, std::size_t figli) {
    std::vector<std::unique_ptr<Diagram>> out;
    const auto codice = bench::chiusuraTreccia(parola);
    auto d = costruito(codice.txtNodo, codice.TxtOri);
    if (!d) return out;
    RiscritturaPonte riscrittura(*d);
    PassaggiRiscritti p;
    for (const CandidatoPonte& c : bench::candidatiOrizzontali(*d)) {
        if (out.size() >= figli) break;
        if (!riscrittura.passaggi(c.archiPonte, c.archiAttraversati, c.regioni, c.ab1, p).ok() ||
            p.nodoBanale)
            continue;
        const NuovoNodo n = riscrittura.nodo(p, 0, -1);
        if (auto figlio = costruito(n.txtNodo, n.TxtOri)) out.push_back(std::move(figlio));
    }
    out.push_back(std::move(d));
    return out;
}

void elenca(benchmark::State& state, const std::vector<int>& parola) {
    const auto diagrammi = records(parola, 32);
    if (diagrammi.empty()) {
        state.SkipWithError("the diagram cannot be built");
        return;
    }
    const LimitiPonte limiti;
    std::int64_t candidati = 0;
    for (auto _ : state) {
        candidati = 0;
        for (const auto& d : diagrammi)
            EnumeraCandidatiPonteDueTipi(
                *d, true, [&candidati](const CandidatoPonte&) { return ++candidati, true; }, limiti, false,
                {}, false, true);
        benchmark::DoNotOptimize(candidati);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(diagrammi.size()));
    state.counters["records"] = static_cast<double>(diagrammi.size());
    state.counters["candidates"] = static_cast<double>(candidati);
    state.counters["passages"] = static_cast<double>(2 * parola.size());
}

void BM_ElencoToro(benchmark::State& state) {
    elenca(state, bench::parolaToro(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
}
BENCHMARK(BM_ElencoToro)
    ->Args({4, 7})
    ->Args({5, 6})
    ->Args({3, 11})
    ->Args({3, 20})
    ->Args({3, 62})
    ->Unit(benchmark::kMicrosecond);

void BM_ElencoTreccia(benchmark::State& state) {
    elenca(state, bench::parolaTreccia(static_cast<int>(state.range(0)), 12345u));
}
BENCHMARK(BM_ElencoTreccia)->Arg(35)->Arg(100)->Arg(250)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
