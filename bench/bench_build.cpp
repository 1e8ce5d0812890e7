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
    ->Arg(200)
    ->Arg(250)
    ->Unit(benchmark::kMillisecond);

// The refusal of letters that cannot be drawn: a code with one letter flipped. range(0) 5 is the
// cinquefoil, any other size the closure of a braid word of that many crossings.
void BM_RifiutoLettereFlippate(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::string gauss = "1-2+3-4+5-1+2-3+4-5+", lettere = "OOOOO";
    if (n != 5) {
        const auto codice = chiusuraTreccia(parolaTreccia(n, 7));
        gauss = codice.txtNodo;
        lettere = codice.TxtOri;
    }
    lettere[lettere.size() / 2] = lettere[lettere.size() / 2] == 'O' ? 'V' : 'O';
    auto b = std::make_unique<Banco>();
    InizializzaGr(b->griglia, b->d.NumRighe, b->d.NumColonne, b->st.DimCella, GenMode::Code);
    for (auto _ : state) {
        b->d.txtNodo = gauss;
        b->d.TxtOri = lettere;
        b->s.IncrocioRadice = 1;
        const auto r = CostruisciDaCodice(b->d, b->s, b->st,
                                          RenderTarget{b->griglia, b->tbltt, b->palette, &b->ui}, b->ui);
        if (r) state.SkipWithError("letters that cannot be drawn were drawn");
    }
}
BENCHMARK(BM_RifiutoLettereFlippate)->Arg(5)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trevalon::bench

BENCHMARK_MAIN();
