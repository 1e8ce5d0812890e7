// Cost of a whole connected-sum search: every pair of arcs tested in both passes, each pair shown passed
// over at once ("Successivo"), on sums of two generated braid knots of at most 20, 50, 100 and 250
// crossings. The peak resident memory of the process is reported.

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

#include "connsum/search.h"
#include "model/structure.h"
#include "peak_memory.h"
#include "platform/headless_ui.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"

namespace {

using namespace trevalon;
using trevalon::bench::picoMemoriaMiB;
namespace ts = trevalon::testsupport;

// No person: every shown pair is passed over.
class UiSuccessivo : public AutomaticUi {
  public:
    ViewerAnswer showCandidate(const StepViewRequest&) override {
        ++mostrate;
        return ViewerAnswer::None;
    }
    int mostrate = 0;
};

void BM_RicercaSomme(benchmark::State& state) {
    const int meta = static_cast<int>(state.range(0)) / 2;
    const ts::GaussDiagram g =
        ts::connectedSum(ts::randomBraidKnot(21u, 4, meta - 4), ts::randomBraidKnot(22u, 3, meta - 3));
    auto d = std::make_unique<Diagram>();
    d->txtNodo = ts::gaussText(g);
    d->TxtOri = ts::lettersText(g);
    if (!CostruisciStrutturaRicerca(*d)) {
        state.SkipWithError("the sum does not build");
        return;
    }
    UiSuccessivo ui;
    FinestraSommaSenzaVista w(*d, ui);
    StatoSomma stato;
    for (auto _ : state) {
        ui.mostrate = 0;
        CmdSottoNodi_Click(w, stato, [] {});
    }
    state.counters["crossings"] = d->NumIncroci;
    state.counters["shown"] = ui.mostrate;
    state.counters["peak_MiB"] = picoMemoriaMiB();
}

BENCHMARK(BM_RicercaSomme)->Arg(20)->Arg(50)->Arg(100)->Arg(250)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
