// Cost of one redraw of a move on the cell drawing, as the window does it when a person applies the move:
// the drawing made from the cell table with the candidate's highlight, redrawn, tidied, checked cell by
// cell, walked into a fresh diagram and compared with the rewrite of the code. The first candidate of each
// kind that the window redraws, on unknots of 50 to 250 crossings made of curls, bigons and reroutes, and on
// the braid closures of 100 and 250 crossings of the test data. Only the redraw is timed, not the highlight
// of the candidate before it.
//
// Families of 200 and 250 crossings (braid closures and sums of knots, scrambled by curls, bigons and
// rerouted strands): up to 40 candidates of each kind per diagram, spread evenly over its candidates, are
// redrawn, and the counters give those that fell back to the code, their share, and the mean and longest
// redraw with its check. (`trevalon-bench redraw` gives the same figures over every candidate of files.) The
// processor time of the redraw with its check is given beside the time on the clock (cpuMs, cpuMeanMs,
// cpuMaxMs).
//
// `redraw_bench --files DIR` writes these diagrams as .gau files into DIR instead (see scriviFile).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

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

// The processor time of this thread in milliseconds: on a busy machine the redraw's own work, where the
// time on the clock also counts the waits for a core.
double msProcessore() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Candidate c redrawn; `cpu` gets the processor time of the redraw and its check: that of the whole try
// less that of the highlight before it, made again alone.
ProvaRidisegno prova(Finestra& f, const CandidatoRidisegno& c, double& cpu) {
    double t0 = msProcessore();
    if (c.tipo == MoveKind::III)
        f.w.evidenziaPonte(c.ponte);
    else
        f.w.evidenziaCandidato(c.mossa);
    const double evidenzia = msProcessore() - t0;
    t0 = msProcessore();
    ProvaRidisegno p = provaRidisegno(f.w, c);
    cpu = std::max(0.0, msProcessore() - t0 - (p.esito == ProvaRidisegno::Esito::NonTentato ? 0 : evidenzia));
    return p;
}

// Diagram g opened as the window opens a Gauss-code file.
bool apri(Finestra& f, const ts::GaussDiagram& g) {
    const auto file = std::filesystem::temp_directory_path() / "trevalon_redraw_bench.gau";
    std::ofstream(file, std::ios::binary) << testoFileGaussCode(ts::gaussText(g), ts::lettersText(g));
    return ApriGen(f.form.contesto(), f.form.vista(), file.string());
}

// A generated unknot of n crossings (n > 0), or braid_N.gau of the test data (n < 0: -N).
bool apri(Finestra& f, int n) {
    if (n < 0) {
        const auto file = std::filesystem::path(TREVALON_SOURCE_DIR) / "tests" / "data" / "model" /
                          ("braid_" + std::to_string(-n) + ".gau");
        return ApriGen(f.form.contesto(), f.form.vista(), file.string());
    }
    return apri(f, ts::randomUnknot(static_cast<std::uint32_t>(n), n));
}

void BM_Ridisegno(benchmark::State& state, MoveKind tipo, bool orizzontale) {
    auto f = std::make_unique<Finestra>();
    if (!apri(*f, static_cast<int>(state.range(0)))) {
        state.SkipWithError("the diagram does not open");
        return;
    }
    const std::vector<CandidatoRidisegno> candidati =
        candidatiRidisegno(f->form.doc().diagram, tipo, orizzontale);
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
    double cpu = 0;
    for (auto _ : state) {
        double ms = 0;
        const ProvaRidisegno p = prova(*f, *scelto, ms);
        state.SetIterationTime(p.millisecondi / 1000);
        ++prove;
        cpu += ms;
        riusciti += p.esito == ProvaRidisegno::Esito::Riuscito ? 1 : 0;
    }
    state.counters["cpuMs"] = prove ? cpu / prove : 0;
    state.counters["crossings"] = static_cast<double>(f->form.doc().diagram.NumIncroci);
    state.counters["candidates"] = static_cast<double>(candidati.size());
    state.counters["matched"] = prove ? static_cast<double>(riusciti) / prove : 0;
}

// The family of about n crossings (200 or 250; the generators stop at 250): two braid closures on four
// strands and two sums of knots, each scrambled to its size.
std::vector<ts::GaussDiagram> famiglia(int n) {
    const int m = std::min(n, ts::kMaxGeneratedCrossings - 2);
    std::vector<ts::GaussDiagram> out;
    for (std::uint32_t seme : {1u, 2u})
        out.push_back(ts::enlarged(ts::randomBraidKnot(seme, 4, n / 3), seme + 40, m));
    for (const ts::ScrambledCase& c : ts::scrambledCases(static_cast<std::uint32_t>(42 + n), 2, m - 1, m))
        out.push_back(c.diagram);
    return out;
}

// Candidates of one kind on every diagram of a family (up to kPerDiagramma each, evenly spread), redrawn as
// in BM_Ridisegno.
constexpr std::size_t kPerDiagramma = 40;
void BM_RidisegnoFamiglia(benchmark::State& state, MoveKind tipo, bool orizzontale) {
    const std::vector<ts::GaussDiagram> diagrammi = famiglia(static_cast<int>(state.range(0)));
    int candidati = 0, riusciti = 0, ricaduti = 0, incroci = 0;
    double totale = 0, peggiore = 0, cpu = 0, cpuPeggiore = 0;
    for (auto _ : state) {
        candidati = riusciti = ricaduti = incroci = 0;
        totale = peggiore = cpu = cpuPeggiore = 0;
        for (const ts::GaussDiagram& g : diagrammi) {
            auto f = std::make_unique<Finestra>();
            if (!apri(*f, g)) {
                state.SkipWithError("a diagram of the family does not open");
                return;
            }
            incroci = std::max(incroci, f->form.doc().diagram.NumIncroci);
            const std::vector<CandidatoRidisegno> tutti =
                candidatiRidisegno(f->form.doc().diagram, tipo, orizzontale);
            const std::size_t passo =
                std::max<std::size_t>(1, (tutti.size() + kPerDiagramma - 1) / kPerDiagramma);
            for (std::size_t i = 0; i < tutti.size(); i += passo) {
                const CandidatoRidisegno& c = tutti[i];
                ++candidati;
                double ms = 0;
                const ProvaRidisegno p = prova(*f, c, ms);
                if (p.esito == ProvaRidisegno::Esito::NonTentato) continue;
                (p.esito == ProvaRidisegno::Esito::Riuscito ? riusciti : ricaduti) += 1;
                totale += p.millisecondi;
                peggiore = std::max(peggiore, p.millisecondi);
                cpu += ms;
                cpuPeggiore = std::max(cpuPeggiore, ms);
            }
        }
        state.SetIterationTime(totale / 1000);
    }
    const int tentati = riusciti + ricaduti;
    state.counters["diagrams"] = static_cast<double>(diagrammi.size());
    state.counters["crossings"] = incroci;
    state.counters["candidates"] = candidati;
    state.counters["redrawn"] = riusciti;
    state.counters["fellBack"] = ricaduti;
    state.counters["fellBackPct"] = tentati ? 100.0 * ricaduti / tentati : 0;
    state.counters["meanMs"] = tentati ? totale / tentati : 0;
    state.counters["maxMs"] = peggiore;
    state.counters["cpuMeanMs"] = tentati ? cpu / tentati : 0;
    state.counters["cpuMaxMs"] = cpuPeggiore;
}

void taglie(benchmark::internal::Benchmark* b, bool braid) {
    b->Arg(50)->Arg(100)->Arg(200)->Arg(250);
    if (braid) b->Arg(-100)->Arg(-250);
    b->UseManualTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(BM_Ridisegno, moveI, MoveKind::I, false)->Apply([](auto* b) { taglie(b, false); });
BENCHMARK_CAPTURE(BM_Ridisegno, moveII, MoveKind::II, false)->Apply([](auto* b) { taglie(b, true); });
BENCHMARK_CAPTURE(BM_Ridisegno, moveIII, MoveKind::III, false)->Apply([](auto* b) { taglie(b, true); });
BENCHMARK_CAPTURE(BM_Ridisegno, horizontalIII, MoveKind::III, true)->Apply([](auto* b) { taglie(b, true); });

}  // namespace

BENCHMARK_CAPTURE(BM_RidisegnoFamiglia, moveII, MoveKind::II, false)
    ->Arg(200)
    ->Arg(250)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RidisegnoFamiglia, moveIII, MoveKind::III, false)
    ->Arg(200)
    ->Arg(250)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RidisegnoFamiglia, horizontalIII, MoveKind::III, true)
    ->Arg(200)
    ->Arg(250)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

namespace {

// The diagrams the family benchmarks and `trevalon-bench redraw` measure, written as .gau files into
// `cartella`: the families of 200 and 250 crossings, the unknots of 100 to 250 crossings and two sets of
// scrambled cases of 199 to 201 crossings (12 of seed 242, 17 of seed 17), each named after how it is made.
int scriviFile(const std::filesystem::path& cartella) {
    std::error_code ec;
    std::filesystem::create_directories(cartella, ec);
    int n = 0;
    const auto scrivi = [&](const std::string& nome, const ts::GaussDiagram& g) {
        std::ofstream(cartella / (nome + ".gau"), std::ios::binary)
            << testoFileGaussCode(ts::gaussText(g), ts::lettersText(g));
        ++n;
    };
    for (int taglia : {200, 250}) {
        int i = 0;
        for (const ts::GaussDiagram& g : famiglia(taglia))
            scrivi("family" + std::to_string(taglia) + "_" + std::to_string(++i), g);
    }
    for (int taglia : {100, 150, 200, 250})
        scrivi("unknot" + std::to_string(taglia), ts::randomUnknot(taglia, taglia));
    int i = 0;
    for (const ts::ScrambledCase& c : ts::scrambledCases(242, 12, 199, 201))
        scrivi("scrambled200_" + std::to_string(++i), c.diagram);
    i = 0;
    for (const ts::ScrambledCase& c : ts::scrambledCases(17, 17, 199, 201))
        scrivi("scrambled17_" + std::to_string(++i), c.diagram);
    std::cout << n << " files written into " << cartella.string() << '\n';
    return 0;
}

}  // namespace

// redraw_bench --files DIR writes the measured diagrams as knot files (for `trevalon-bench redraw` and the
// window) instead of running the benchmarks; any other arguments go to the benchmark library.
int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--files") return scriviFile(argv[2]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}