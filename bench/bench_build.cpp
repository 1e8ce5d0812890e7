// The build of a diagram's picture from its code (layout, routing, tidying and drawing), by size.

#include <benchmark/benchmark.h>

#include <memory>

#include "bench_diagrams.h"
#include "build_state.h"
#include "layout/build.h"
#include "platform/headless_ui.h"

namespace trevalon::bench {
namespace {

void BM_CostruisciDaCodice(benchmark::State& state) {
    const auto codice = chiusuraTreccia(parolaTreccia(static_cast<int>(state.range(0)), 7));
    auto b = std::make_unique<Banco>();
    InizializzaGr(b->griglia, b->d.NumRighe, b->d.NumColonne, b->st.DimCella, GenMode::Code);
    for (auto _ : state) {
        b->d.txtNodo = codice.txtNodo;
        b->d.TxtOri = codice.TxtOri;
        b->s.IncrocioRadice = 1;
        std::string why;
        const auto r = CostruisciDaCodice(
            b->d, b->s, b->st, RenderTarget{b->griglia, b->tbltt, b->palette, &b->ui}, b->ui, &why);
        if (!r) state.SkipWithError(why.c_str());
        benchmark::DoNotOptimize(b->d.limiti);
    }
}
BENCHMARK(BM_CostruisciDaCodice)
    ->Arg(10)
    ->Arg(25)
    ->Arg(50)
    ->Arg(100)
    ->Arg(120)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trevalon::bench

BENCHMARK_MAIN();
