#include "layout/attempts.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/cores.h"

namespace trevalon {

namespace {

// How often the waiting thread serves the progress and the stop request.
constexpr auto kPassoAttesa = std::chrono::milliseconds(15);

// The threads that make attempts at once, at most: more gave builds of large braids no faster here, and each
// holds a cell table of its own (about 40 MB once a large diagram is spread on it).
constexpr unsigned kMaxAiutanti = 3;

// A diagram and a layout state of their own.
struct Coppia {
    std::unique_ptr<Diagram> d;
    std::unique_ptr<LayoutState> s;
};

// The first attempt after attempt i's group.
std::size_t dopoIlGruppo(const PianoTentativi& piano, std::size_t i) {
    std::size_t j = i + 1;
    while (j < piano.gruppi.size() && piano.gruppi[j] == piano.gruppi[i]) ++j;
    return j;
}

// The attempts one after the other, from `primo`, on d and s.
int inOrdine(Diagram& d, LayoutState& s, const PianoTentativi& piano, const EseguiTentativo& esegui,
             std::size_t primo) {
    for (std::size_t i = primo; i < piano.gruppi.size();) {
        const EsitoTentativo e = esegui(d, s, i);
        if (e == EsitoTentativo::Riuscito) return static_cast<int>(i);
        i = e == EsitoTentativo::Interrompe ? dopoIlGruppo(piano, i) : i + 1;
    }
    return -1;
}

enum class Stato { DaFare, InCorso, Riuscito, Fallito, Interrompe, Eccezione };

Stato statoDi(EsitoTentativo e) {
    switch (e) {
        case EsitoTentativo::Riuscito:
            return Stato::Riuscito;
        case EsitoTentativo::Interrompe:
            return Stato::Interrompe;
        case EsitoTentativo::Fallito:
            break;
    }
    return Stato::Fallito;
}

// The attempts after the first, made at once by helper threads, from the first attempt's end or from its
// first failed routing while the calling thread goes on with it. Once the first has ended, the calling
// thread waits for the helpers, serving the progress and the stop request, and makes itself any attempt
// the order needs that no helper is making (one a helper left because a sooner attempt had routed).
class Insieme {
  public:
    // Takes the model of every attempt after the first from d and s, and starts the helpers: on the
    // attempts from the second on, or, when the first has ended (dopo), from the third on, the second
    // being this thread's.
    Insieme(Diagram& d, LayoutState& s, const PianoTentativi& piano, const EseguiTentativo& esegui,
            unsigned aiutanti, bool dopo);
    ~Insieme() { ferma(); }
    Insieme(const Insieme&) = delete;
    Insieme& operator=(const Insieme&) = delete;

    bool avviato() const { return !aiutanti_.empty(); }
    // The first attempt has ended on d and s: the index of the one kept, -1 when none routes.
    int dopoIlPrimo(EsitoTentativo primo);

  private:
    void modello();
    Coppia nuovaCoppia() const;
    void prepara(Coppia& c) const;
    bool prendi(std::size_t i);
    void fai(std::size_t i, Coppia& c, bool chiamante);
    std::function<bool()> fermatoQui(std::size_t i);
    void aiutante();
    int decidi(std::size_t& attesa) const;
    void ferma();

    Diagram& d_;
    LayoutState& s_;
    const PianoTentativi& piano_;
    const EseguiTentativo& esegui_;
    const std::size_t n_;

    // d and s as the first attempt had them, without their large tables: every other attempt starts from it.
    Coppia modello_;

    std::mutex m_;
    std::condition_variable cv_;
    std::vector<Stato> stati_;
    std::vector<std::exception_ptr> eccezioni_;
    std::vector<Coppia> riuscite_;          // the pairs of the attempts that routed (the first's: d and s)
    std::atomic<std::size_t> prossimo_{1};  // the next attempt to take
    std::atomic<std::size_t> limite_;       // the first attempt known to route: the later ones are not needed
    std::atomic<bool> annulla_{false};
    std::vector<std::thread> aiutanti_;
    Coppia propria_;                // for the attempts this thread makes after the first
    bool perLaPersona_ = false;     // this thread's attempt was stopped by the person
    bool secondaQui_ = false;       // this thread makes the second attempt, on d and s
    bool secondaSuPropri_ = false;  // which routed
};

Insieme::Insieme(Diagram& d, LayoutState& s, const PianoTentativi& piano, const EseguiTentativo& esegui,
                 unsigned aiutanti, bool dopo)
    : d_(d),
      s_(s),
      piano_(piano),
      esegui_(esegui),
      n_(piano.gruppi.size()),
      stati_(n_, Stato::DaFare),
      eccezioni_(n_),
      riuscite_(n_),
      limite_(n_),
      secondaQui_(dopo && n_ > 1) {
    stati_[0] = Stato::InCorso;
    if (secondaQui_) {
        stati_[1] = Stato::InCorso;
        prossimo_ = 2;
    }
    modello();
    for (unsigned k = 0; k < aiutanti; ++k) {
        try {
            aiutanti_.emplace_back([this] { aiutante(); });
        } catch (const std::system_error&) {
            break;
        }
    }
}

void Insieme::modello() {
    TavoleLayout t = TogliTavole(d_, s_);
    modello_ = Coppia{std::make_unique<Diagram>(d_), std::make_unique<LayoutState>(s_)};
    RimettiTavole(d_, s_, t);
    LayoutState& m = *modello_.s;
    m.progresso = nullptr;
    m.didascalia = nullptr;
    m.fermato = nullptr;
    m.primoInstradamentoFallito = nullptr;
    m.hook = nullptr;
    m.dump = DumpFolder{};
    m.grigliaPrincipale = nullptr;
    m.celleStese.clear();  // scratch of a spread, written anew by the next one
}

// A pair with empty tables.
Coppia Insieme::nuovaCoppia() const {
    Coppia c{std::make_unique<Diagram>(), std::make_unique<LayoutState>()};
    TavoleLayout t = TavoleVuote(*modello_.s);
    t.celle.paginaGrande();  // a helper lays out a diagram whose first attempt did not route: a large one
    RimettiTavole(*c.d, *c.s, t);
    return c;
}

// The pair made as the model, keeping its own tables: a layout clears what it writes into before it
// spreads, so a layout made on them is the one made on the tables of the attempts before it.
// cppcheck-suppress constParameter ; the pair's diagram and state are written through its pointers
void Insieme::prepara(Coppia& c) const {
    TavoleLayout t = TogliTavole(*c.d, *c.s);
    *c.d = *modello_.d;
    *c.s = *modello_.s;
    RimettiTavole(*c.d, *c.s, t);
}

// Takes attempt i, unless someone has it or it has ended.
bool Insieme::prendi(std::size_t i) {
    const std::lock_guard<std::mutex> lock(m_);
    if (stati_[i] != Stato::DaFare) return false;
    stati_[i] = Stato::InCorso;
    return true;
}

// Records that attempt i routed: the later attempts are not needed.
void abbassa(std::atomic<std::size_t>& limite, std::size_t i) {
    std::size_t l = limite.load();
    while (i < l && !limite.compare_exchange_weak(l, i)) {
    }
}

// Makes attempt i, taken, on pair c (a new one when c has none), stopped at its next progress step once it
// is not needed (a later attempt than one that routed, or the attempts given up), and then left to be made
// again should the order need it. The calling thread's attempt meets the person's stop too.
void Insieme::fai(std::size_t i, Coppia& c, bool chiamante) {
    Stato st = Stato::Fallito;
    std::exception_ptr e;
    try {
        if (!c.d) c = nuovaCoppia();
        prepara(c);
        if (chiamante) {
            c.s->progresso = s_.progresso;
            c.s->fermato = fermatoQui(i);
        } else {
            c.s->fermato = [this, i] {
                return annulla_.load(std::memory_order_relaxed) || i > limite_.load();
            };
        }
        st = statoDi(esegui_(*c.d, *c.s, i));
    } catch (const LayoutFermato&) {
        if (chiamante && perLaPersona_) throw;
        st = Stato::DaFare;
    } catch (...) {
        st = Stato::Eccezione;
        e = std::current_exception();
    }
    if (st == Stato::Riuscito) {
        c.s->progresso = nullptr;
        c.s->fermato = nullptr;
        abbassa(limite_, i);
    }
    {
        const std::lock_guard<std::mutex> lock(m_);
        stati_[i] = st;
        eccezioni_[i] = std::move(e);
        if (st == Stato::Riuscito) riuscite_[i] = std::move(c);
    }
    if (st == Stato::Eccezione || st == Stato::DaFare) c = Coppia{};  // left half way
    cv_.notify_all();
}

// The stop request of an attempt this thread makes after the first: the person's, or the order's once a
// sooner attempt has routed.
std::function<bool()> Insieme::fermatoQui(std::size_t i) {
    return [this, i, persona = s_.fermato] {
        if (persona && persona()) {
            perLaPersona_ = true;
            return true;
        }
        return i > limite_.load();
    };
}

void Insieme::aiutante() {
    Coppia c;
    for (;;) {
        const std::size_t i = prossimo_.fetch_add(1);
        if (i >= n_ || annulla_.load() || i > limite_.load()) return;
        if (prendi(i)) fai(i, c, false);
    }
}

// Walks the attempts as the order meets them: the index of the one that routes or failed with an
// exception, -1 when none does, -2 while attempt `attesa` has not ended.
int Insieme::decidi(std::size_t& attesa) const {
    for (std::size_t i = 0; i < n_;) {
        switch (stati_[i]) {
            case Stato::DaFare:
            case Stato::InCorso:
                attesa = i;
                return -2;
            case Stato::Riuscito:
            case Stato::Eccezione:
                return static_cast<int>(i);
            case Stato::Interrompe:
                i = dopoIlGruppo(piano_, i);
                break;
            case Stato::Fallito:
                ++i;
                break;
        }
    }
    return -1;
}

void Insieme::ferma() {
    annulla_.store(true);
    for (std::thread& t : aiutanti_)
        if (t.joinable()) t.join();
    aiutanti_.clear();
}

int Insieme::dopoIlPrimo(EsitoTentativo primo) {
    {
        const std::lock_guard<std::mutex> lock(m_);
        stati_[0] = statoDi(primo);
    }
    if (primo == EsitoTentativo::Riuscito) abbassa(limite_, 0);
    // The second attempt, when it is this thread's, on d and s themselves, whose tables are in use already:
    // it is the one that most often routes when the first does not, and a new table costs its pages as the
    // spread fills it.
    if (secondaQui_) {
        Stato st = Stato::Fallito;
        std::exception_ptr e;
        try {
            st = statoDi(esegui_(d_, s_, 1));
        } catch (const LayoutFermato&) {
            throw;  // the person's stop
        } catch (...) {
            st = Stato::Eccezione;
            e = std::current_exception();
        }
        if (st == Stato::Riuscito) {
            secondaSuPropri_ = true;
            abbassa(limite_, 1);
        }
        {
            const std::lock_guard<std::mutex> lock(m_);
            stati_[1] = st;
            eccezioni_[1] = std::move(e);
        }
        cv_.notify_all();
    }
    int scelto = -1;
    for (;;) {
        std::size_t attesa = 0;
        bool inCorso = false;
        {
            std::unique_lock<std::mutex> lock(m_);
            scelto = decidi(attesa);
            inCorso = scelto == -2 && stati_[attesa] == Stato::InCorso;
        }
        if (scelto != -2) break;
        if (inCorso) {
            {
                std::unique_lock<std::mutex> lock(m_);
                if (stati_[attesa] == Stato::InCorso) cv_.wait_for(lock, kPassoAttesa);
            }
            s_.tick();  // the person's stop ends the helpers (the destructor) and this build
        } else if (prendi(attesa)) {
            fai(attesa, propria_, true);  // one the order needs that no helper is making
        }
    }
    ferma();
    if (scelto < 0) return -1;
    const auto i = static_cast<std::size_t>(scelto);
    if (eccezioni_[i]) std::rethrow_exception(eccezioni_[i]);
    if (i == 0 || (i == 1 && secondaSuPropri_)) return scelto;  // made on d and s
    // The pair of the attempt that routed becomes d and s, with the calling side's progress, stop
    // request, aids and region graph.
    // cppcheck-suppress constVariable ; the pair's state is moved out and rewritten through its pointers
    Coppia& c = riuscite_[i];
    LayoutState& x = *c.s;
    x.progresso = std::move(s_.progresso);
    x.didascalia = std::move(s_.didascalia);
    x.fermato = std::move(s_.fermato);
    x.hook = s_.hook;
    x.dump = std::move(s_.dump);
    x.grigliaPrincipale = s_.grigliaPrincipale;
    c.d->MatRegioni = std::move(d_.MatRegioni);
    d_ = std::move(*c.d);
    s_ = std::move(*c.s);
    return scelto;
}

}  // namespace

int TentaInOrdine(Diagram& d, LayoutState& s, const PianoTentativi& piano, const EseguiTentativo& esegui) {
    const std::size_t n = piano.gruppi.size();
    if (n == 0) return -1;
    // One core fewer than the machine has (the waiting thread takes next to none), with two at least.
    unsigned aiutanti = 0;
    if (piano.aiutanti >= 0) {
        aiutanti = static_cast<unsigned>(piano.aiutanti);
    } else if (const unsigned nuclei = nucleiDisponibili(); nuclei >= 3) {
        aiutanti = nuclei - 1;
    }
    aiutanti = std::min<unsigned>({aiutanti, kMaxAiutanti, static_cast<unsigned>(n - 1)});
    if (!piano.insieme || aiutanti == 0) return inOrdine(d, s, piano, esegui, 0);
    // The first attempt on this thread; the helpers start on the attempts after it when it has ended, or,
    // asked, as soon as its first routing fails.
    std::unique_ptr<Insieme> insieme;
    if (piano.subito)
        s.primoInstradamentoFallito = [&] {
            if (!insieme) insieme = std::make_unique<Insieme>(d, s, piano, esegui, aiutanti, false);
        };
    EsitoTentativo primo = EsitoTentativo::Fallito;
    try {
        primo = esegui(d, s, 0);
    } catch (...) {
        s.primoInstradamentoFallito = nullptr;
        throw;  // the helpers stop with `insieme`
    }
    s.primoInstradamentoFallito = nullptr;
    if (!insieme) {
        if (primo == EsitoTentativo::Riuscito) return 0;
        if (const std::size_t dopo = dopoIlGruppo(piano, 0); primo == EsitoTentativo::Interrompe && dopo != 1)
            return inOrdine(d, s, piano, esegui, dopo);
        insieme = std::make_unique<Insieme>(d, s, piano, esegui, aiutanti, true);
    }
    if (!insieme->avviato()) {
        insieme.reset();
        if (primo == EsitoTentativo::Riuscito) return 0;
        return inOrdine(d, s, piano, esegui,
                        primo == EsitoTentativo::Interrompe ? dopoIlGruppo(piano, 0) : 1);
    }
    return insieme->dopoIlPrimo(primo);
}

}  // namespace trevalon
