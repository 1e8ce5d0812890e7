// The build of a diagram's picture from its code (layout, routing, tidying and drawing), by size.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bench_diagrams.h"
#include "build_state.h"
#include "layout/build.h"
#include "peak_memory.h"
#include "platform/headless_ui.h"

namespace trevalon::bench {
namespace {

// One build of the code from root 1 on the kept state b; a failure ends the benchmark with its reason.
void costruisci(Banco& b, const CodiceGenerato& codice, benchmark::State& state) {
    b.d.txtNodo = codice.txtNodo;
    b.d.TxtOri = codice.TxtOri;
    b.s.IncrocioRadice = 1;
    std::string why;
    const auto r =
        CostruisciDaCodice(b.d, b.s, b.st, RenderTarget{b.griglia, b.tbltt, b.palette, &b.ui}, b.ui, &why);
    if (!r) state.SkipWithError(why.c_str());
}

void BM_CostruisciDaCodice(benchmark::State& state) {
    const auto codice = chiusuraTreccia(parolaTreccia(static_cast<int>(state.range(0)), 7));
    auto b = std::make_unique<Banco>();
    InizializzaGr(b->griglia, b->d.NumRighe, b->d.NumColonne, b->st.DimCella, GenMode::Code);
    for (auto _ : state) {
        costruisci(*b, codice, state);
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

// The mean build over the eight diagrams of one size made from the seeds 1 to 8, each built in turn by
// one kept state, as a window builds one diagram after another.
void BM_CostruisciOttoDiagrammi(benchmark::State& state) {
    std::vector<CodiceGenerato> codici;
    for (std::uint32_t seme = 1; seme <= 8; ++seme)
        codici.push_back(chiusuraTreccia(parolaTreccia(static_cast<int>(state.range(0)), seme)));
    auto b = std::make_unique<Banco>();
    InizializzaGr(b->griglia, b->d.NumRighe, b->d.NumColonne, b->st.DimCella, GenMode::Code);
    std::size_t k = 0;
    for (auto _ : state) costruisci(*b, codici[k++ % codici.size()], state);
}
BENCHMARK(BM_CostruisciOttoDiagrammi)
    ->Arg(100)
    ->Arg(200)
    ->Arg(250)
    ->Iterations(16)
    ->Unit(benchmark::kMillisecond);

// The closure of the torus braid (s1 s2 ... s(k-1))^g on k strands: its breadth-first trees spiral, no
// tree from the first roots routes, and the tree served from the end of its queue gives the drawing. The
// attempts after the first run at once on up to three more cores; the process's peak memory is reported.
void BM_CostruisciChiusuraTorica(benchmark::State& state) {
    const int fili = static_cast<int>(state.range(0)), giri = static_cast<int>(state.range(1));
    std::vector<int> parola;
    for (int g = 0; g < giri; ++g)
        for (int i = 1; i < fili; ++i) parola.push_back(i);
    const CodiceGenerato codice = chiusuraTreccia(parola);
    auto b = std::make_unique<Banco>();
    InizializzaGr(b->griglia, b->d.NumRighe, b->d.NumColonne, b->st.DimCella, GenMode::Code);
    for (auto _ : state) costruisci(*b, codice, state);
    state.counters["crossings"] = static_cast<double>(parola.size());
    state.counters["peak_MiB"] = picoMemoriaMiB();
}
BENCHMARK(BM_CostruisciChiusuraTorica)
    ->Args({4, 45})
    ->Args({4, 81})
    ->Args({3, 121})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// A build from a state made fresh for it, as the first build of a new window: the time, and the resident
// memory the build adds (the tables it does not use cost no memory).
void BM_PrimaCostruzione(benchmark::State& state) {
    const auto codice = chiusuraTreccia(parolaTreccia(static_cast<int>(state.range(0)), 7));
    double aggiunta = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const double prima = memoriaResidenteMiB();
        state.ResumeTiming();
        auto b = std::make_unique<Banco>();
        InizializzaGr(b->griglia, b->d.NumRighe, b->d.NumColonne, b->st.DimCella, GenMode::Code);
        b->d.txtNodo = codice.txtNodo;
        b->d.TxtOri = codice.TxtOri;
        std::string why;
        const auto r = CostruisciDaCodice(
            b->d, b->s, b->st, RenderTarget{b->griglia, b->tbltt, b->palette, &b->ui}, b->ui, &why);
        if (!r) state.SkipWithError(why.c_str());
        state.PauseTiming();
        aggiunta = memoriaResidenteMiB() - prima;
        b.reset();
        state.ResumeTiming();
    }
    state.counters["added_MiB"] = aggiunta;
}
BENCHMARK(BM_PrimaCostruzione)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

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
