// Cost of examining a record of a full search tree: its passage table read from its key (through the code's
// text, as a record kept as text is read, or straight from the key's passages) and the checks for a move I
// or II. The records are the diagrams one horizontal move away from torus closures and random braid closures,
// as the trees of those minimal diagrams hold them; per record.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench_diagrams.h"
#include "horizontal_candidates.h"
#include "model/structure.h"
#include "moves/bridge_rewrite.h"
#include "moves/bridge_search.h"
#include "moves/compare.h"
#include "moves/move_search.h"
#include "moves/tree_records.h"

namespace {

using namespace trevalon;

struct Record {
    std::string chiave;
    LetturaChiave lettura;
    std::string ori;
};

// The children of the closure of `parola` by every horizontal candidate of both bridge kinds.
std::vector<Record> figli(const std::vector<int>& parola) {
    const auto codice = bench::chiusuraTreccia(parola);
    auto d = std::make_unique<Diagram>();
    d->txtNodo = codice.txtNodo;
    d->TxtOri = codice.TxtOri;
    std::vector<Record> out;
    if (!CostruisciStrutturaRicerca(*d)) return out;
    const std::vector<CandidatoPonte> candidati = bench::candidatiOrizzontali(*d);
    RiscritturaPonte riscrittura(*d);
    PassaggiRiscritti p;
    std::vector<int> lavoro;
    for (const CandidatoPonte& c : candidati) {
        if (!riscrittura.passaggi(c.archiPonte, c.archiAttraversati, c.regioni, c.ab1, p) || p.nodoBanale)
            continue;
        Record r;
        r.chiave = chiaveCanonica(p.voci);
        r.ori = p.TxtOri;
        if (letturaDelCodice(p.voci, r.chiave, r.lettura, lavoro)) out.push_back(std::move(r));
    }
    return out;
}

// The table through the code's text, then each check by itself.
void perTesto(benchmark::State& state, const std::vector<Record>& records) {
    std::string codice;
    std::vector<int> lavoro;
    TabellaPassaggi t;
    for (auto _ : state)
        for (const Record& r : records) {
            codiceDaChiave(r.chiave, r.lettura, codice, lavoro);
            const bool letta = TabellaDaCodice(codice, r.ori, t);
            benchmark::DoNotOptimize(letta && !EsisteMossaI(t) && !EsisteMossaII(t));
        }
}

// The table straight from the key's passages, then both checks together.
void perPassi(benchmark::State& state, const std::vector<Record>& records) {
    std::vector<int> passi;
    TabellaPassaggi t;
    for (auto _ : state)
        for (const Record& r : records) {
            const bool letta = passiDaChiave(r.chiave, r.lettura, passi) && TabellaDaPassi(passi, r.ori, t);
            benchmark::DoNotOptimize(letta && !EsisteMossaIoII(t));
        }
}

// The checks alone, on tables read beforehand.
void soloVerifiche(benchmark::State& state, const std::vector<Record>& records) {
    std::vector<TabellaPassaggi> tabelle;
    std::vector<int> passi;
    for (const Record& r : records) {
        TabellaPassaggi t;
        if (passiDaChiave(r.chiave, r.lettura, passi) && TabellaDaPassi(passi, r.ori, t))
            tabelle.push_back(t);
    }
    for (auto _ : state)
        for (const TabellaPassaggi& t : tabelle) benchmark::DoNotOptimize(EsisteMossaIoII(t));
}

void esamina(benchmark::State& state, const std::vector<int>& parola, int modo) {
    const std::vector<Record> records = figli(parola);
    if (records.empty()) {
        state.SkipWithError("no record");
        return;
    }
    if (modo == 0) perTesto(state, records);
    if (modo == 1) perPassi(state, records);
    if (modo == 2) soloVerifiche(state, records);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(records.size()));
    state.counters["records"] = static_cast<double>(records.size());
}

// Args: strands, power, and how: 0 through the text, 1 from the key's passages, 2 the checks alone.
void BM_RecordChiusoToro(benchmark::State& state) {
    esamina(state, bench::parolaToro(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))),
            static_cast<int>(state.range(2)));
}
BENCHMARK(BM_RecordChiusoToro)
    ->ArgsProduct({{3}, {20, 62}, {0, 1, 2}})
    ->ArgsProduct({{4}, {7}, {0, 1, 2}})
    ->Unit(benchmark::kNanosecond);

// Args: crossings of a random braid (bench::parolaTreccia), and how.
void BM_RecordChiusoTreccia(benchmark::State& state) {
    esamina(state, bench::parolaTreccia(static_cast<int>(state.range(0)), 12345u),
            static_cast<int>(state.range(1)));
}
BENCHMARK(BM_RecordChiusoTreccia)->ArgsProduct({{35, 100}, {0, 1, 2}})->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
