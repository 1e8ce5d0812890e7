#include "moves/bridge_search.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <memory>

#include "moves/bridge_dumps.h"
#include "moves/bridge_lists.h"
#include "moves/move_search.h"

namespace trevalon {

namespace {

// The route's regions are those along one side of the bridge, in either direction.
bool lungoIlLato(const std::vector<int>& regioni, const std::vector<int>& lato1,
                 const std::vector<int>& lato2) {
    auto stessa = [&regioni](const std::vector<int>& lato) {
        return regioni == lato ||
               (regioni.size() == lato.size() && std::equal(regioni.begin(), regioni.end(), lato.rbegin()));
    };
    return stessa(lato1) || stessa(lato2);
}

}  // namespace

bool CandidatoPonte::lungoIlPonte() const {
    return lungoIlLato(regioni, latoPonte1, latoPonte2);
}

namespace {

std::size_t ix(int i) {
    return static_cast<std::size_t>(i);
}

// The tables a search reads: passages, arcs with their regions (unless `conArchi` is false, for a caller
// that checks them as it reads them), the region graph with its distances.
bool tabelleValide(const Diagram& d, bool conArchi = true) {
    if (d.NumGemelli < 2 || d.NumGemelli > kMaxGemelli || d.NumArchi != d.NumGemelli) return false;
    if (d.NumIncroci < 1 || d.NumIncroci > kMaxIncroci) return false;
    if (d.NumRegioni < 1 || d.NumRegioni > kMaxRegioni || d.MatRegioni.size() != d.NumRegioni) return false;
    for (int p = 1; p <= d.NumGemelli; ++p) {
        const Gemello& g = d.gemelli[ix(p)];
        if ((g.Segno != '+' && g.Segno != '-') || g.Padre < 1 || g.Padre > d.NumIncroci) return false;
    }
    for (int a = 1; conArchi && a <= d.NumArchi; ++a) {
        const Arco& arc = d.archi[ix(a)];
        if (arc.Reg1 < 1 || arc.Reg1 > d.NumRegioni || arc.Reg2 < 1 || arc.Reg2 > d.NumRegioni) return false;
        if (arc.IncrocioDa < 1 || arc.IncrocioDa > d.NumIncroci || arc.IncrocioA < 1 ||
            arc.IncrocioA > d.NumIncroci)
            return false;
    }
    return true;
}

std::string etichetta(const Diagram& d, int c) {
    return c >= 0 && ix(c) < d.NomiIncroci.size() ? d.NomiIncroci[ix(c)] : std::string();
}

std::string rigaArco(const Diagram& d, int a) {
    const Arco& arc = d.archi[ix(a)];
    return std::to_string(a) + "-" + etichetta(d, arc.IncrocioDa) + "-" + etichetta(d, arc.IncrocioA);
}

// Every shortest route of the region graph from rA to rB of length `lunghezza` that crosses none of the
// forbidden arcs, in ascending order of region sequence (the order in which a breadth-first search with
// neighbours tried in ascending order lists them), up to the caps.
class Percorsi {
  public:
    static constexpr int kRegioniLette = 64;

    // vicini: the neighbours of region u, with the arc between, are vicini[inizio[u]] .. vicini[inizio[u +
    // 1]]; the distances are read from the region graph (a region's distance to itself 0).
    // distanzeIntere: per region, whether every other region has a distance to it (1) or not (0), or -1
    // while that has not been read: it is read from the region's row when a route ends there, in a graph
    // of up to kRegioniLette regions. In a larger one the rows are not read whole (each would be read
    // from memory for a few routes): every route's last step is then tried over every neighbour.
    Percorsi(const Diagram& d, const std::vector<std::pair<int, int>>& vicini, const std::vector<int>& inizio,
             const std::vector<char>& vietato, const LimitiPonte& limiti, const std::function<void()>& cedi,
             std::vector<signed char>& distanzeIntere)
        : d_(d),
          vicini_(vicini),
          inizio_(inizio),
          vietato_(vietato),
          limiti_(limiti),
          cedi_(cedi),
          distanzeIntere_(distanzeIntere),
          // The tables were checked: every region's row holds NumRegioni + 1 entries.
          grafo_(&d.MatRegioni.at(0, 0)),
          riga_(ix(d.NumRegioni) + 1) {}

    // The routes that run along one of these region sequences (in either direction) are counted but not
    // visited; none when null.
    void senzaLungo(const std::vector<int>* lato1, const std::vector<int>* lato2) {
        lato1_ = lato1;
        lato2_ = lato2;
    }

    // Calls visita(k) for the k-th route (from 0), the route being written in `regioni` and `archi` (sized
    // to it); stops when visita returns false or at `massimo` routes. Returns false when a cap cut the list.
    template <class Visita>
    bool elenca(int rA, int rB, int lunghezza, int massimo, std::vector<int>& regioni,
                std::vector<int>& archi, Visita& visita) {
        if (lunghezza < 0) return true;  // no route is that short
        rB_ = rB;
        distanze_ = grafo_ + ix(rB) * riga_;  // the distances to rB
        signed char& intere = distanzeIntere_[ix(rB)];
        if (intere < 0 && d_.NumRegioni <= kRegioniLette) {
            int zeri = distanze_[ix(rB)].dis == 0 ? -1 : 0;  // the region itself is not counted
            for (const CoppiaRegioni *v = distanze_ + 1, *fine = v + d_.NumRegioni; v != fine; ++v)
                zeri += v->dis == 0;
            intere = zeri == 0 ? 1 : 0;
        }
        ultimoPassoDiretto_ = intere > 0;
        passi_ = 0;
        trovati_ = 0;
        massimo_ = massimo;
        troncato_ = false;
        fermato_ = false;
        // Every route listed has lunghezza steps: the one under way is written in place.
        regioni.resize(ix(lunghezza) + 1);
        archi.resize(ix(lunghezza));
        regioni_ = regioni.data();
        archi_ = archi.data();
        regioni_[0] = rA;
        lunghezza_ = ix(lunghezza);
        if (lunghezza > 0)
            estendi(rA, lunghezza, 0, visita);
        else if (rA == rB)
            trovato(visita);
        return !troncato_;
    }

  private:
    // The route written is whole.
    template <class Visita>
    void trovato(Visita& visita) {
        ++trovati_;
        if (!lungoUnLato() && !visita(trovati_ - 1)) {
            fermato_ = true;
            return;
        }
        if (trovati_ >= massimo_) {
            troncato_ = true;  // there may be more; the caller is told
            fermato_ = true;
        }
    }

    // Extends the route whose last region u stands at `posto`, `resto` (1 or more) steps short of rB.
    // The caller stops at fermato_.
    template <class Visita>
    void estendi(int u, int resto, std::size_t posto, Visita& visita) {
        const int rB = rB_;
        const char* const vietato = vietato_.data();
        if (resto == 1 && ultimoPassoDiretto_) {
            // Every region but rB is at a distance from it of 1 or more: the one step left can only be
            // the one into rB, over the arc between u and rB that u's neighbours list.
            const int arco = grafo_[ix(u) * riga_ + ix(rB)].arco;
            if (u == rB || arco < 1 || arco > d_.NumArchi || vietato[ix(arco)]) return;
            passo(rB, arco, 0, posto, visita);
            return;
        }
        const int voluta = resto - 1;
        const CoppiaRegioni* const distanze = distanze_;
        const std::pair<int, int>* k = vicini_.data() + inizio_[ix(u)];
        const std::pair<int, int>* const fine = vicini_.data() + inizio_[ix(u) + 1];
        for (; k != fine; ++k) {
            const auto [v, arco] = *k;
            if (vietato[ix(arco)]) continue;
            // One step nearer rB, which is reached by the last step only.
            if (v == rB ? voluta != 0 : distanze[ix(v)].dis != voluta) continue;
            passo(v, arco, voluta, posto, visita);
            if (fermato_) return;
        }
    }

    // The route written runs along a side of the bridge.
    bool lungoUnLato() const {
        const std::size_t n = lunghezza_ + 1;
        auto lungo = [this, n](const std::vector<int>* lato) {
            if (!lato || lato->size() != n) return false;
            const int* l = lato->data();
            std::size_t k = 0;
            while (k < n && regioni_[k] == l[k]) ++k;
            if (k == n) return true;
            for (k = 0; k < n && regioni_[k] == l[n - 1 - k];) ++k;
            return k == n;
        };
        return lungo(lato1_) || lungo(lato2_);
    }

    // One step of the route into v, over `arco`, from the region at `posto`.
    template <class Visita>
    void passo(int v, int arco, int resto, std::size_t posto, Visita& visita) {
        if (++passi_ > limiti_.maxPassiPercorsi) {
            troncato_ = true;  // the list is cut
            fermato_ = true;
            return;
        }
        if (passi_ % 1024 == 0 && cedi_) cedi_();
        regioni_[posto + 1] = v;
        archi_[posto] = arco;
        if (resto > 0)
            estendi(v, resto, posto + 1, visita);
        else if (v == rB_)
            trovato(visita);
    }

    const Diagram& d_;
    const std::vector<std::pair<int, int>>& vicini_;
    const std::vector<int>& inizio_;
    const std::vector<char>& vietato_;
    const LimitiPonte& limiti_;
    const std::function<void()>& cedi_;
    std::vector<signed char>& distanzeIntere_;
    bool ultimoPassoDiretto_ = false;
    const CoppiaRegioni* grafo_;
    std::size_t riga_;
    const std::vector<int>* lato1_ = nullptr;
    const std::vector<int>* lato2_ = nullptr;
    int rB_ = 0;
    std::size_t lunghezza_ = 0;
    const CoppiaRegioni* distanze_ = nullptr;
    long passi_ = 0;
    int trovati_ = 0;
    int massimo_ = 0;
    bool troncato_ = false;
    bool fermato_ = false;
    int* regioni_ = nullptr;
    int* archi_ = nullptr;
};

}  // namespace

bool tmpVerlistaponti(const Diagram& d, const std::vector<int>& archiPonte) {
    // A bridge is short: its arcs are compared pairwise.
    for (std::size_t k = 0; k < archiPonte.size(); ++k) {
        const int a = archiPonte[k];
        if (a < 1 || a > d.NumArchi) return false;
        const Arco& arco = d.archi[ix(a)];
        for (std::size_t j = 0; j < k; ++j) {
            const Arco& prima = d.archi[ix(archiPonte[j])];
            if (prima.IncrocioDa == arco.IncrocioDa || prima.IncrocioA == arco.IncrocioA) return false;
        }
    }
    return true;
}

namespace {

// The bridges as ListaPonti lists them, one after another in `archi`, bridge k from inizi[k] to
// inizi[k + 1].
void elencaPonti(const Diagram& d, char ab1, char ab2, std::vector<int>& archi, std::vector<int>& inizi) {
    archi.clear();
    inizi.assign(1, 0);
    const int n = d.NumGemelli;
    if (n < 2 || n > kMaxGemelli) return;
    auto succ = [n](int p) { return p == n ? 1 : p + 1; };
    const Gemello* gemelli = d.gemelli.data();
    auto segno = [gemelli](int p) { return gemelli[ix(p)].Segno; };
    for (int i = 1; i <= n; ++i) {
        if (segno(i) != ab1 || segno(succ(i)) != ab2) continue;
        archi.push_back(i);
        for (int j = succ(i); j != i; j = succ(j)) {
            archi.push_back(j);
            if (segno(j) == ab2 && segno(succ(j)) == ab1) break;
        }
        inizi.push_back(static_cast<int>(archi.size()));
    }
}

}  // namespace

std::vector<std::vector<int>> ListaPonti(const Diagram& d, char ab1, char ab2) {
    std::vector<int> archi, inizi;
    elencaPonti(d, ab1, ab2, archi, inizi);
    std::vector<std::vector<int>> ponti;
    for (std::size_t k = 0; k + 1 < inizi.size(); ++k)
        ponti.emplace_back(archi.begin() + inizi[k], archi.begin() + inizi[k + 1]);
    return ponti;
}

namespace {

// The region sequences along both sides of a bridge.
void sequenzeLatiPonte(const Diagram& d, const std::vector<int>& ponte, std::vector<int>& s1,
                       std::vector<int>& s2) {
    s1.clear();
    s2.clear();
    if (ponte.empty()) return;
    // The tables read, kept apart from the lists written.
    const Arco* const archi = d.archi.data();
    const Incrocio* const incroci = d.incroci.data();
    const int numArchi = d.NumArchi;
    const int numIncroci = d.NumIncroci;
    const int* const p = ponte.data();
    const std::size_t n = ponte.size();
    int q[2] = {archi[ix(p[0])].Reg1, archi[ix(p[0])].Reg2};
    s1.push_back(q[0]);
    s2.push_back(q[1]);
    for (std::size_t k = 1; k < n; ++k) {
        const int prec = p[k - 1];
        const int x = archi[ix(prec)].IncrocioA;
        if (x < 1 || x > numIncroci) continue;
        const int* const lati = incroci[ix(x)].ArcoLato.data();
        for (int s = 0; s < 2; ++s) {
            for (int lato = 1; lato <= 4; ++lato) {
                const int a = lati[lato];
                if (a == prec || a < 1 || a > numArchi) continue;
                const Arco& arc = archi[ix(a)];
                if (arc.Reg1 == q[s]) {
                    q[s] = arc.Reg2;
                } else if (arc.Reg2 == q[s]) {
                    q[s] = arc.Reg1;
                } else {
                    continue;
                }
                (s == 0 ? s1 : s2).push_back(q[s]);
                break;
            }
        }
    }
}

// The tables of one enumeration, kept per thread between calls: the horizontal search enumerates every
// record it examines. A visitor that enumerates again (a window answering inside one) gets tables of
// its own.
struct LavoroPonti {
    std::vector<std::pair<int, int>> vicini;
    std::vector<int> inizio;
    std::vector<char> vietato;
    std::vector<int> archiPonti, iniziPonti;
    std::vector<signed char> distanzeIntere;
    std::vector<std::uint64_t> accanto;  // working space of viciniDagliArchi
    CandidatoPonte cand;
};

class LavoroInUso {
  public:
    LavoroInUso() {
        if (profondita_ == lavori_.size()) lavori_.push_back(std::make_unique<LavoroPonti>());
        lavoro_ = lavori_[profondita_++].get();
    }
    ~LavoroInUso() { --profondita_; }
    LavoroInUso(const LavoroInUso&) = delete;
    LavoroInUso& operator=(const LavoroInUso&) = delete;
    LavoroPonti& operator*() const { return *lavoro_; }

  private:
    static thread_local std::vector<std::unique_ptr<LavoroPonti>> lavori_;
    static thread_local std::size_t profondita_;
    LavoroPonti* lavoro_ = nullptr;
};

thread_local std::vector<std::unique_ptr<LavoroPonti>> LavoroInUso::lavori_;
thread_local std::size_t LavoroInUso::profondita_ = 0;

}  // namespace

namespace {

// The neighbours of every region in ascending order, with the arc between them, one region after another:
// those of region u are vicini[inizio[u]] .. vicini[inizio[u + 1]], as every region's row of the region
// graph gives them. distanzeIntere is left unread (-1).
void elencaVicini(const Diagram& d, std::vector<std::pair<int, int>>& vicini, std::vector<int>& inizio,
                  std::vector<signed char>& distanzeIntere) {
    const std::size_t lato = ix(d.NumRegioni) + 1;
    vicini.clear();
    vicini.reserve(4 * lato);
    inizio.assign(lato + 1, 0);
    distanzeIntere.assign(lato, -1);
    for (int u = 1; u <= d.NumRegioni; ++u) {
        inizio[ix(u)] = static_cast<int>(vicini.size());
        const CoppiaRegioni* riga = &d.MatRegioni.at(u, 0);
        for (int v = 1; v <= d.NumRegioni; ++v) {
            if (v == u) continue;
            const int a = riga[v].arco;
            if (a >= 1 && a <= d.NumArchi) vicini.emplace_back(v, a);
        }
    }
    inizio[ix(d.NumRegioni) + 1] = static_cast<int>(vicini.size());
}

// elencaVicini for a region graph made from the diagram's arcs (GeneraGrafoDuale), as the search builds
// every diagram it examines: the neighbours of a region are then the other regions beside its arcs, and
// only their entries of the graph are read, for the arc it holds for the pair.
// False, with the tables left unfinished, for an arc whose regions or crossings are not the diagram's.
bool viciniDagliArchi(const Diagram& d, std::vector<std::pair<int, int>>& vicini, std::vector<int>& inizio,
                      std::vector<signed char>& distanzeIntere, std::vector<std::uint64_t>& accanto) {
    const int n = d.NumRegioni;
    const std::size_t lato = ix(n) + 1;
    inizio.assign(lato + 1, 0);
    distanzeIntere.assign(lato, -1);
    // The regions beside each region across its arcs, as a row of bits per region: read in ascending
    // order, each once.
    const std::size_t parole = (lato + 63) / 64;
    accanto.assign(lato * parole, 0);
    for (int a = 1; a <= d.NumArchi; ++a) {
        const Arco& arc = d.archi[ix(a)];
        const int r1 = arc.Reg1;
        const int r2 = arc.Reg2;
        if (r1 < 1 || r1 > n || r2 < 1 || r2 > n || arc.IncrocioDa < 1 || arc.IncrocioDa > d.NumIncroci ||
            arc.IncrocioA < 1 || arc.IncrocioA > d.NumIncroci)
            return false;
        if (r1 == r2) continue;
        accanto[ix(r1) * parole + ix(r2) / 64] |= std::uint64_t{1} << (ix(r2) % 64);
        accanto[ix(r2) * parole + ix(r1) / 64] |= std::uint64_t{1} << (ix(r1) % 64);
    }
    vicini.clear();
    for (int u = 1; u <= n; ++u) {
        inizio[ix(u)] = static_cast<int>(vicini.size());
        const CoppiaRegioni* riga = &d.MatRegioni.at(u, 0);
        const std::uint64_t* bit = &accanto[ix(u) * parole];
        for (std::size_t w = 0; w < parole; ++w)
            for (std::uint64_t b = bit[w]; b != 0; b &= b - 1) {
                const std::size_t v = w * 64 + static_cast<std::size_t>(std::countr_zero(b));
                const int arco = riga[v].arco;
                if (arco >= 1 && arco <= d.NumArchi) vicini.emplace_back(static_cast<int>(v), arco);
            }
    }
    inizio[ix(n) + 1] = static_cast<int>(vicini.size());
    return true;
}

}  // namespace

void ListaRegioniPonte(const Diagram& d, const std::vector<int>& ponte, std::string& Rg1, std::string& Rg1inv,
                       std::string& Rg2, std::string& Rg2inv) {
    std::vector<int> s1, s2;
    sequenzeLatiPonte(d, ponte, s1, s2);
    Rg1 = testoLista(s1, true);
    Rg2 = testoLista(s2, true);
    std::reverse(s1.begin(), s1.end());
    std::reverse(s2.begin(), s2.end());
    Rg1inv = testoLista(s1, true);
    Rg2inv = testoLista(s2, true);
}

namespace {

// The candidates of one bridge kind, with the neighbours of every region already in `w`.
EsitoEnumerazionePonti enumeraTipo(const Diagram& d, LavoroPonti& w, char ab1, char ab2, bool orizzontale,
                                   const std::function<bool(const CandidatoPonte&)>& visita,
                                   const LimitiPonte& limiti, bool conMessaggio,
                                   const std::function<void()>& cedi, bool conTesti, bool senzaLungoIlPonte) {
    EsitoEnumerazionePonti esito;
    const std::vector<std::pair<int, int>>& vicini = w.vicini;
    const std::vector<int>& inizio = w.inizio;
    std::vector<char>& vietato = w.vietato;
    vietato.assign(ix(d.NumArchi) + 1, 0);
    Percorsi percorsi(d, vicini, inizio, vietato, limiti, cedi, w.distanzeIntere);
    CandidatoPonte& cand = w.cand;
    if (senzaLungoIlPonte) percorsi.senzaLungo(&cand.latoPonte1, &cand.latoPonte2);
    // The arcs' regions were checked: every pair of them has its entry in the region graph.
    const CoppiaRegioni* grafo = &d.MatRegioni.at(0, 0);
    const std::size_t riga = ix(d.NumRegioni) + 1;

    elencaPonti(d, ab1, ab2, w.archiPonti, w.iniziPonti);
    esito.ponti = static_cast<int>(w.iniziPonti.size()) - 1;
    // The candidate's tables are reused; its texts are written below only for a search with them.
    cand.mossa = MossaScelta{};
    for (std::string* t : {&cand.Rg1, &cand.Rg1inv, &cand.Rg2, &cand.Rg2inv, &cand.messaggio}) t->clear();
    struct Coppia {
        int rA, rB, dis;
    };
    Coppia tenute[4];
    std::size_t numTenute = 0;
    std::vector<int>& ponte = cand.archiPonte;
    for (std::size_t indicePonte = 0; indicePonte + 1 < w.iniziPonti.size(); ++indicePonte) {
        if (cedi) cedi();
        ponte.assign(w.archiPonti.begin() + w.iniziPonti[indicePonte],
                     w.archiPonti.begin() + w.iniziPonti[indicePonte + 1]);
        if (!tmpVerlistaponti(d, ponte)) continue;
        const int c = static_cast<int>(ponte.size()) - 1;
        const Arco& f = d.archi[ix(ponte.front())];
        const Arco& l = d.archi[ix(ponte.back())];
        const std::pair<int, int> coppie[4] = {
            {f.Reg1, l.Reg1}, {f.Reg1, l.Reg2}, {f.Reg2, l.Reg1}, {f.Reg2, l.Reg2}};
        auto dist = [&](const std::pair<int, int>& p) {
            return p.first == p.second ? 0 : grafo[ix(p.first) * riga + ix(p.second)].dis;
        };
        numTenute = 0;
        if (orizzontale) {
            for (const auto& p : coppie)
                if (const int dis = dist(p); dis == c) tenute[numTenute++] = {p.first, p.second, dis};
        } else {
            for (const auto& p : coppie)
                if (const int dis = dist(p); dis < c) tenute[numTenute++] = {p.first, p.second, dis};
            std::stable_sort(tenute, tenute + numTenute,
                             [](const Coppia& a, const Coppia& b) { return a.dis < b.dis; });
        }
        if (numTenute == 0) continue;

        // Every field the visitor reads is written below for each bridge, pairing or route.
        cand.ab1 = ab1;
        cand.ab2 = ab2;
        cand.orizzontale = orizzontale;
        cand.incrociPonte = c;
        if (conTesti) cand.mossa.ListaArchiMossa = testoLista(ponte, false);
        sequenzeLatiPonte(d, ponte, cand.latoPonte1, cand.latoPonte2);
        if (conTesti) ListaRegioniPonte(d, ponte, cand.Rg1, cand.Rg1inv, cand.Rg2, cand.Rg2inv);
        std::string testaMessaggio;
        if (conMessaggio) {
            for (int a : ponte) testaMessaggio += rigaArco(d, a) + "\n";
            testaMessaggio += "\n";
        }

        for (int a : ponte) vietato[ix(a)] = 1;  // the bridge is gone: its arcs cannot be crossed
        bool preso = false;
        for (std::size_t t = 0; t < numTenute; ++t) {
            const int rA = tenute[t].rA, rB = tenute[t].rB, lunghezza = tenute[t].dis;
            if (cedi) cedi();
            if (preso || esito.fermato) break;
            if (conTesti) {
                cand.mossa.RegioneInizioMossa = std::to_string(rA);
                cand.mossa.RegioneFineMossa = std::to_string(rB);
            }
            // The route is written in cand.regioni and cand.archiAttraversati.
            auto visitaPercorso = [&](int indice) {
                cand.indicePercorso = indice;
                if (conTesti) {
                    cand.mossa.ListaArchiAttraversati = testoLista(cand.archiAttraversati, true);
                    cand.mossa.ListaRegioniMossa = testoLista(cand.regioni, true);
                }
                if (conMessaggio) {
                    cand.messaggio = testaMessaggio;
                    for (int a : cand.archiAttraversati) cand.messaggio += rigaArco(d, a) + "\n";
                }
                preso = !orizzontale;
                if (!visita(cand)) {
                    esito.fermato = true;
                    return false;
                }
                return true;
            };
            const bool completo =
                percorsi.elenca(rA, rB, lunghezza, orizzontale ? limiti.maxPercorsiOrizzontali : 1,
                                cand.regioni, cand.archiAttraversati, visitaPercorso);
            // Move III wants one route: reaching that one is no cut.
            if (!completo && (orizzontale || !preso)) esito.troncato = true;
        }
        for (int a : ponte) vietato[ix(a)] = 0;
        if (esito.fermato) break;
    }
    return esito;
}

}  // namespace

EsitoEnumerazionePonti EnumeraCandidatiPonte(const Diagram& d, char ab1, char ab2, bool orizzontale,
                                             const std::function<bool(const CandidatoPonte&)>& visita,
                                             const LimitiPonte& limiti, bool conMessaggio,
                                             const std::function<void()>& cedi, bool conTesti,
                                             bool senzaLungoIlPonte) {
    if (!tabelleValide(d)) {
        EsitoEnumerazionePonti esito;
        esito.tabellaNonValida = true;
        return esito;
    }
    // Neighbours of every region in ascending order, with the arc between them, one region after another.
    // The distances are read from the region graph where they are needed (a region's distance to itself 0).
    const LavoroInUso inUso;
    LavoroPonti& w = *inUso;
    elencaVicini(d, w.vicini, w.inizio, w.distanzeIntere);
    return enumeraTipo(d, w, ab1, ab2, orizzontale, visita, limiti, conMessaggio, cedi, conTesti,
                       senzaLungoIlPonte);
}

EsitoEnumerazionePonti EnumeraCandidatiPonteDueTipi(const Diagram& d, bool orizzontale,
                                                    const std::function<bool(const CandidatoPonte&)>& visita,
                                                    const LimitiPonte& limiti, bool conMessaggio,
                                                    const std::function<void()>& cedi, bool conTesti,
                                                    bool senzaLungoIlPonte) {
    EsitoEnumerazionePonti esito;
    const LavoroInUso inUso;
    LavoroPonti& w = *inUso;
    // The arcs are checked as their regions are read.
    if (!tabelleValide(d, false) || !viciniDagliArchi(d, w.vicini, w.inizio, w.distanzeIntere, w.accanto)) {
        esito.tabellaNonValida = true;
        return esito;
    }
    for (char ab1 : {'-', '+'}) {
        const EsitoEnumerazionePonti e = enumeraTipo(d, w, ab1, ab1 == '-' ? '+' : '-', orizzontale, visita,
                                                     limiti, conMessaggio, cedi, conTesti, senzaLungoIlPonte);
        esito.troncato = esito.troncato || e.troncato;
        esito.fermato = e.fermato;
        esito.ponti += e.ponti;
        if (e.fermato) break;
    }
    return esito;
}

void MostraCandidatoPonte(const CandidatoPonte& cand, BridgeKind tipo, ContestoPonte& ctx, EsitoPonte& r,
                          const std::function<void()>& primaDelVisore) {
    if (!ctx.ModoAutomatico && ctx.evidenzia) ctx.evidenzia(cand);
    SettaDone(ctx.ui, ctx.ModoAutomatico);
    r.NumCandidati += 1;
    r.TempoFineDisegno = ctx.ui.secondsSinceMidnight();
    r.mossa = cand.mossa;
    r.candidato = cand;
    r.TipoPonte = tipo;
    if (ctx.ModoAutomatico) {
        r.EsitoDialogo = ViewerAnswer::Sel;
        return;
    }
    StepViewRequest req;
    req.tipoMossa = MoveKind::III;
    req.tipoPonte = tipo;
    req.message = cand.messaggio;
    req.tempoInizioRicerca = r.TempoInizioRicerca;
    req.tempoFineRicerca = r.TempoFineRicerca;
    req.tempoFineDisegno = r.TempoFineDisegno;
    req.tempoInizioPonte = r.TempoInizioPonte;
    req.mainGrid = ctx.mainGrid;
    if (primaDelVisore) primaDelVisore();
    r.EsitoDialogo = ctx.ui.showCandidate(req);
}

EsitoPonte Tponte(const Diagram& d, char ab1, char ab2, BridgeKind minUg, ContestoPonte& ctx) {
    EsitoPonte r;
    const bool orizzontale = minUg != BridgeKind::MoveIII;
    // The look-ahead's horizontal search takes no candidate: it files them through validaCammino, which
    // reads their numbers only.
    const bool soloNumeri = orizzontale && !ctx.finestraPrincipale && ctx.CandidatoScelto == -1;
    r.TempoInizioRicerca = ctx.ui.secondsSinceMidnight();
    r.TempoInizioPonte = r.TempoInizioRicerca;
    auto spegniFrame3 = [&] {
        if (ctx.RichiestaStop) ctx.RichiestaStop->azzera();
        ctx.ui.hideStopFrame();
    };
    if (ctx.dump && ctx.dump->active()) scriviPonti(d, ab1, ListaPonti(d, ab1, ab2), *ctx.dump);
    const auto e = EnumeraCandidatiPonte(
        d, ab1, ab2, orizzontale,
        [&](const CandidatoPonte& cand) {
            ctx.ui.yieldToEvents();
            // A candidate that cannot be taken is not timed.
            if (!soloNumeri) r.TempoFineRicerca = ctx.ui.secondsSinceMidnight();
            bool accettato = true;
            if (orizzontale) {
                ctx.ui.showStopFrame("Find horizontal moves ...");
                if (ctx.CandidatoScelto == -1) {
                    if (ctx.finestraPrincipale) ++ctx.ContaOrizzontali;
                    accettato = ctx.validaCammino ? ctx.validaCammino(cand, ctx.ContaOrizzontali) : false;
                } else {
                    ++ctx.ContaOrizzontali;
                    accettato = ctx.ContaOrizzontali == ctx.CandidatoScelto;
                }
            }
            // A stop request ends the horizontal search at once.
            if (!accettato) return !(orizzontale && ctx.RichiestaStop && ctx.RichiestaStop->richiesta());
            if (ctx.dump) scriviPonteOk(d, cand.archiPonte, *ctx.dump);
            MostraCandidatoPonte(cand, minUg, ctx, r, spegniFrame3);
            ctx.CandidatoScelto = -1;
            if (r.EsitoDialogo == ViewerAnswer::Sel || r.EsitoDialogo == ViewerAnswer::Int) return false;
            r.TempoInizioRicerca = ctx.ui.secondsSinceMidnight();
            return true;
        },
        ctx.limiti, ctx.finestraPrincipale,  // the look-ahead instance shows no candidate
        [&ctx] { ctx.ui.yieldToEvents(); }, !soloNumeri);
    r.tabellaNonValida = e.tabellaNonValida;
    r.troncato = e.troncato;
    return r;
}

}  // namespace trevalon
