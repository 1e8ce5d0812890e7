// Cost of the canonical key of a horizontal move III candidate, read from the rewrite without writing the
// diagram's passages: the work the horizontal search does for every candidate of every record it examines,
// most of which it has met before. Per candidate, over all horizontal candidates of both bridge kinds, on
// torus closures (whose readings repeat one pattern) and on random braid closures.

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

void chiavi(benchmark::State& state, const std::vector<int>& parola) {
    const auto codice = bench::chiusuraTreccia(parola);
    auto d = std::make_unique<Diagram>();
    d->txtNodo = codice.txtNodo;
    d->TxtOri = codice.TxtOri;
    if (!CostruisciStrutturaRicerca(*d)) {
        state.SkipWithError("the diagram cannot be built");
        return;
    }
    const std::vector<CandidatoPonte> candidati = bench::candidatiOrizzontali(*d);
    if (candidati.empty()) {
        state.SkipWithError("no horizontal candidate");
        return;
    }
    RiscritturaPonte riscrittura(*d);
    std::string chiave;
    for (auto _ : state) {
        for (const CandidatoPonte& c : candidati) {
            int nuovi = 0;
            bool banale = false;
            benchmark::DoNotOptimize(riscrittura.chiave(c.archiPonte, c.archiAttraversati, c.regioni, c.ab1,
                                                        chiave, nuovi, banale));
            benchmark::DoNotOptimize(chiave.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(candidati.size()));
    state.counters["candidates"] = static_cast<double>(candidati.size());
    state.counters["passages"] = static_cast<double>(2 * parola.size());
}

void BM_ChiaveToro(benchmark::State& state) {
    chiavi(state, bench::parolaToro(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
}
BENCHMARK(BM_ChiaveToro)
    ->Args({4, 7})
    ->Args({5, 6})
    ->Args({3, 20})
    ->Args({3, 62})
    ->Unit(benchmark::kNanosecond);

// The same over the diagrams a torus closure's horizontal moves reach, as the search meets its records:
// the rewrite prepared for each diagram in turn, then every candidate of it keyed. Per candidate, the
// preparation included.
void BM_ChiaveFigliToro(benchmark::State& state) {
    const auto codice = bench::chiusuraTreccia(
        bench::parolaToro(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
    auto radice = std::make_unique<Diagram>();
    radice->txtNodo = codice.txtNodo;
    radice->TxtOri = codice.TxtOri;
    if (!CostruisciStrutturaRicerca(*radice)) {
        state.SkipWithError("the diagram cannot be built");
        return;
    }
    std::vector<std::unique_ptr<Diagram>> figli;
    RiscritturaPonte r(*radice);
    int contatore = 0;
    for (const CandidatoPonte& c : bench::candidatiOrizzontali(*radice)) {
        auto e = r.riscrivi(c.archiPonte, c.archiAttraversati, c.regioni, c.ab1, contatore);
        if (!e || e->nodoBanale) continue;
        auto d = std::make_unique<Diagram>();
        d->txtNodo = e->txtNodo;
        d->TxtOri = e->TxtOri;
        if (CostruisciStrutturaRicerca(*d)) figli.push_back(std::move(d));
    }
    std::vector<std::vector<CandidatoPonte>> candidati;
    std::size_t quanti = 0;
    for (const auto& d : figli) {
        candidati.push_back(bench::candidatiOrizzontali(*d));
        quanti += candidati.back().size();
    }
    if (quanti == 0) {
        state.SkipWithError("no horizontal candidate");
        return;
    }
    std::string chiave;
    for (auto _ : state) {
        for (std::size_t f = 0; f < figli.size(); ++f) {
            r.prepara(*figli[f]);
            for (const CandidatoPonte& c : candidati[f]) {
                int nuovi = 0;
                bool banale = false;
                benchmark::DoNotOptimize(
                    r.chiave(c.archiPonte, c.archiAttraversati, c.regioni, c.ab1, chiave, nuovi, banale));
                benchmark::DoNotOptimize(chiave.data());
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(quanti));
    state.counters["diagrams"] = static_cast<double>(figli.size());
    state.counters["candidates"] = static_cast<double>(quanti);
}
BENCHMARK(BM_ChiaveFigliToro)->Args({4, 7})->Args({3, 20})->Unit(benchmark::kMicrosecond);

void BM_ChiaveTreccia(benchmark::State& state) {
    chiavi(state, bench::parolaTreccia(static_cast<int>(state.range(0)), 12345u));
}
BENCHMARK(BM_ChiaveTreccia)->Arg(35)->Arg(100)->Arg(250)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
