#include "moves/move_search.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>

#include "model/gauss_code.h"
#include "moves/bridge_lists.h"
#include "moves/passage_arithmetic.h"

namespace trevalon {

namespace {

std::string format000(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%03d", v);
    return buf;
}

std::vector<std::string> splitComma(const std::string& s) {
    return dividiVirgole(s);
}

// Reads the leading whole number of a text, as the work lists do ("12+" reads as 12).
int leadingNumber(const std::string& s) {
    int v = 0;
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) v = v * 10 + (s[i] - '0');
    return v;
}

std::size_t ix(int i) {
    return static_cast<std::size_t>(i);
}

// Read access to a passage table with cyclic stepping.
struct Passaggi {
    const TabellaPassaggi& t;
    int n;
    explicit Passaggi(const TabellaPassaggi& tabella) : t(tabella), n(tabella.numGemelli()) {}
    int next(int p) const { return p + 1 > n ? 1 : p + 1; }
    int padre(int p) const { return t.padre[ix(p)]; }
    char segno(int p) const { return t.segno[ix(p)]; }
    int twin(int p) const { return t.gemello[ix(p)]; }
    // Handedness: +1 or -1 for a well-formed table.
    int mano(int p) const {
        int h = t.dirad[ix(p)] - t.dirad[ix(twin(p))];
        if (h == 3) h = -1;
        if (h == -3) h = 1;
        return h;
    }
};

const Gemello& gem(const Diagram& d, int p) {
    return d.gemelli[ix(p)];
}

// Crossing marks of one walk, sized to the crossings in use.
class Marks {
  public:
    explicit Marks(int n) : m_(static_cast<std::size_t>(n) + 1, 0) {}
    void clear() { std::fill(m_.begin(), m_.end(), 0); }
    std::vector<int>& tabella() { return m_; }
    int& operator[](int c) { return m_[static_cast<std::size_t>(c)]; }

  private:
    std::vector<int> m_;
};

// One passage strictly inside a stretch.
struct InnerRecord {
    int rotTw = 0;  // the twin's position counted from the rotation base
    int tw = 0;
    int rotP = 0;
    int p = 0;
    char segnoTw = 0;
    int k = 1;  // 1 stretch A, 2 stretch B
};

// Walks from start to end (exclusive both) appending inner records; false when an inner crossing is met
// a second time (the marks are shared with the caller's other walks).
bool walkStretch(const Passaggi& P, Marks& marks, int start, int end, int base, int k,
                 std::vector<InnerRecord>& records) {
    int p = start;
    while (true) {
        p = P.next(p);
        if (p == end) return true;
        if (p == start) return false;  // the end is not on the walk (a malformed entry)
        const int c = P.padre(p);
        if (marks[c]) return false;
        marks[c] = 1;
        InnerRecord r;
        r.tw = P.twin(p);
        r.rotTw = ConvertiBase(r.tw, base, P.n);
        r.p = p;
        r.rotP = ConvertiBase(p, base, P.n);
        r.segnoTw = P.segno(r.tw);
        r.k = k;
        records.push_back(r);
    }
}

// Pairs the records sorted by the twins' rotated positions and runs the over/under test of the third
// strands. `sorted` receives the sorted copy.
bool thirdStrandsPass(const Passaggi& P, Marks& marks, const std::vector<InnerRecord>& walkOrder,
                      std::vector<InnerRecord>& sorted) {
    // The twins' rotated positions lie in 1..n and differ (a passage has one twin): each record is put at
    // its position in a table and read back in order. A table that does not fit them is sorted instead.
    thread_local std::vector<int> alPosto;  // record by position, -1 between calls
    if (alPosto.size() < static_cast<std::size_t>(P.n) + 1)
        alPosto.assign(static_cast<std::size_t>(P.n) + 1, -1);
    int primo = P.n + 1, ultimo = 0;
    std::size_t messi = 0;
    for (; messi < walkOrder.size(); ++messi) {
        const int r = walkOrder[messi].rotTw;
        if (r < 1 || r > P.n || alPosto[static_cast<std::size_t>(r)] >= 0) break;
        alPosto[static_cast<std::size_t>(r)] = static_cast<int>(messi);
        primo = std::min(primo, r);
        ultimo = std::max(ultimo, r);
    }
    sorted.clear();
    if (messi == walkOrder.size()) {
        for (int r = primo; r <= ultimo; ++r)
            if (int& i = alPosto[static_cast<std::size_t>(r)]; i >= 0) {
                sorted.push_back(walkOrder[static_cast<std::size_t>(i)]);
                i = -1;
            }
    } else {
        for (std::size_t i = 0; i < messi; ++i) alPosto[static_cast<std::size_t>(walkOrder[i].rotTw)] = -1;
        sorted = walkOrder;
        std::sort(sorted.begin(), sorted.end(),
                  [](const InnerRecord& a, const InnerRecord& b) { return a.rotTw < b.rotTw; });
    }
    // Kept between calls: the searches run this for every stretch they try.
    thread_local std::vector<std::pair<int, int>> over, under;
    over.clear();
    under.clear();
    for (std::size_t i = 0; i + 1 < sorted.size(); i += 2) {
        if (sorted[i].segnoTw != sorted[i + 1].segnoTw) return false;
        (sorted[i].segnoTw == '+' ? over : under).emplace_back(sorted[i].tw, sorted[i + 1].tw);
    }
    marks.clear();
    for (auto [t1, t2] : over) {
        int p = t1;
        for (int guard = 0; guard <= P.n; ++guard) {
            marks[P.padre(p)] = 1;
            if (p == t2) break;
            p = P.next(p);
        }
    }
    for (auto [t1, t2] : under) {
        int p = t1;
        for (int guard = 0; guard <= P.n; ++guard) {
            if (marks[P.padre(p)] && P.segno(p) == '+') return false;
            if (p == t2) break;
            p = P.next(p);
        }
    }
    return true;
}

// The dump line of an inner record: the twin's and the passage's rotated positions and numbers, the
// twin's sign, the pair's two crossings and the stretch; move II adds the twin's links and regions.
std::string testoRecord(const Diagram& d, const InnerRecord& r, const std::string& lll,
                        const std::string& hhh, bool conLegami) {
    std::string t = format000(r.rotTw) + "," + std::to_string(r.tw) + "," + format000(r.rotP) + "," +
                    std::to_string(r.p) + "," + std::string(1, r.segnoTw) + "," + lll + "," + hhh + "," +
                    std::to_string(r.k);
    if (!conLegami) return t;
    const Gemello& g = gem(d, r.tw);
    const Arco& a = d.archi[ix(r.tw)];
    t += ",arcoda>" + std::to_string(g.arcoda) + ",arcoad>" + std::to_string(g.arcoad) + ",ad>" +
         std::to_string(g.gemad) + ",da>" + std::to_string(g.gemDa) + ",reg1>" + std::to_string(a.Reg1) +
         ",reg2>" + std::to_string(a.Reg2) + ",gem>" + std::to_string(r.tw) + ",arc>" + std::to_string(r.p);
    return t;
}

void dumpRecords(const DumpFolder& dump, const std::string& name, const Diagram& d,
                 const std::vector<InnerRecord>& records, const std::string& lll, const std::string& hhh,
                 bool conLegami) {
    std::vector<std::string> lines;
    lines.reserve(records.size());
    for (const InnerRecord& r : records) lines.push_back(testoRecord(d, r, lll, hhh, conLegami));
    writeDumpLines(dump, name, lines);
}

// One work-list entry of move II: two passages i, j of the same sign s at crossings ci and cj. Its text,
// "ccc,ddd,iii,jjj,s,ci,cj" (the smaller and larger crossing and both passages in three digits), is
// written only for an accepted candidate; the list is sorted as its texts would be.
struct VoceII {
    int cMin = 0, cMax = 0, i = 0, j = 0;
    char s = 0;
    int ci = 0, cj = 0;

    // Crossings and passages are below 1000 (the tables' bounds), so three-digit texts sort as their
    // numbers; no two entries have the same passages, so the remaining fields never decide.
    bool operator<(const VoceII& o) const {
        if (cMin != o.cMin) return cMin < o.cMin;
        if (cMax != o.cMax) return cMax < o.cMax;
        if (i != o.i) return i < o.i;
        return j < o.j;
    }
    std::string testo() const {
        return format000(cMin) + "," + format000(cMax) + "," + format000(i) + "," + format000(j) + "," +
               std::string(1, s) + "," + std::to_string(ci) + "," + std::to_string(cj);
    }
};

VoceII entryMossaII(const Passaggi& P, int i, int j, char s) {
    const int ci = P.padre(i), cj = P.padre(j);
    return VoceII{std::min(ci, cj), std::max(ci, cj), i, j, s, ci, cj};
}

std::string dropLeadingComma(const std::string& s) {
    return !s.empty() && s[0] == ',' ? s.substr(1) : s;
}

std::string reverseItems(const std::string& list) {
    auto items = splitComma(list);
    std::string out;
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        if (!out.empty()) out += ",";
        out += *it;
    }
    return out;
}

const Arco& arcOf(const Diagram& d, int a) {
    return d.archi[static_cast<std::size_t>(a)];
}

// The chosen-move record of an accepted move II pair.
MossaScelta recordMossaII(const Diagram& d, TipoTMan tipo, const VoceII& A, const VoceII& B, int a1, int a2,
                          int b1, int b2, const std::vector<InnerRecord>& walkOrder,
                          const std::vector<InnerRecord>& sorted, int nA, int nB) {
    MossaScelta m;
    const int kL = nA <= nB ? 2 : 1;
    const int lFirst = kL == 2 ? b1 : a1;
    const int lLast = kL == 2 ? b2 : a2;
    const int firstArc = gem(d, lFirst).arcoad;
    std::string lam = "," + std::to_string(firstArc);
    const Arco& fa = arcOf(d, firstArc);
    m.IncrocioInizioMossa = std::to_string(fa.IncrocioDa) + std::string(1, fa.SegnoDa);
    std::string laa, lia;
    for (const InnerRecord& r : walkOrder) {
        if (r.k == kL) {
            lam += "," + std::to_string(r.p);
            continue;
        }
        std::size_t n = 0;
        while (n < sorted.size() && sorted[n].p != r.p) ++n;
        ++n;  // 1-based position in the sorted order
        if (n % 2 == 0) {
            const int x = gem(d, r.tw).arcoda;
            laa += "," + std::to_string(x) + std::string(1, r.segnoTw);
            lia += "," + std::to_string(arcOf(d, x).IncrocioDa) + std::string(1, arcOf(d, x).SegnoDa);
        } else {
            const int x = gem(d, r.tw).arcoad;
            laa += "," + std::to_string(x) + std::string(1, r.segnoTw);
            lia += "," + std::to_string(arcOf(d, x).IncrocioA) + std::string(1, arcOf(d, x).SegnoA);
        }
    }
    m.ListaArchiMossa = dropLeadingComma(lam);
    laa = dropLeadingComma(laa);
    lia = dropLeadingComma(lia);
    if (!laa.empty() && A.ci != B.ci) {
        laa = reverseItems(laa);
        lia = reverseItems(lia);
    }
    // Regions along the new route.
    int rA = fa.Reg1, rB = fa.Reg2;
    std::string regions;
    auto step = [&](int x) {
        const Arco& ax = arcOf(d, x);
        const int r = (ax.Reg1 != rA && ax.Reg2 != rA) ? rB : rA;
        regions += "," + std::to_string(r);
        rA = ax.Reg1;
        rB = ax.Reg2;
    };
    if (!laa.empty())
        for (const std::string& item : splitComma(laa)) step(leadingNumber(item));
    step(gem(d, lLast).arcoad);
    m.ListaRegioniMossa = dropLeadingComma(regions) + ",";
    m.ListaArchiAttraversati = laa + ",";
    m.ListaIncrociAttraversati = lia + ",";
    m.TipoCandidato = (tipo == TipoTMan::N && nA == nB) ? MoveIIRewrite::M : MoveIIRewrite::P;
    return m;
}

// The candidate of an accepted move II pair, with the record it leaves if chosen.
CandidatoMossa candidatoMossaII(const Diagram& d, TipoTMan tipo, const VoceII& A, const VoceII& B,
                                const std::vector<InnerRecord>& walkOrder,
                                const std::vector<InnerRecord>& sorted) {
    const std::string A5 = std::to_string(A.ci), A6 = std::to_string(A.cj);
    const std::string B5 = std::to_string(B.ci), B6 = std::to_string(B.cj);
    const int primoA = gem(d, A.i).arcoad, primoB = gem(d, B.i).arcoad;
    CandidatoMossa c;
    c.voceEvidenziata = ',' + A5;
    c.voceEvidenziata += ',' + A6 + ',';
    c.Lista = ",";
    c.archi.push_back({primoA, HighlightRole::FirstStretch, -4});
    c.Lista += std::to_string(primoA) + ",";
    c.archi.push_back({primoB, HighlightRole::SecondStretch, -4});
    c.Lista += std::to_string(primoB) + ",";
    for (const InnerRecord& r : sorted) {
        c.Lista += std::to_string(r.p) + ",";
        c.archi.push_back({r.p, r.k == 1 ? HighlightRole::FirstStretch : HighlightRole::SecondStretch, -3});
        (r.k == 1 ? c.nA : c.nB) += 1;
    }
    c.incrocioPrimo = A.cMin;
    c.arcoPrimo = primoA;
    c.incrocioSecondo = A.cMax;
    c.arcoSecondo = primoB;
    c.messaggioSviluppo = "TMan " + A5;
    c.messaggioSviluppo.append("-").append(A6).append("  ").append(B5).append("-").append(B6);
    c.mossa = recordMossaII(d, tipo, A, B, A.i, A.j, B.i, B.j, walkOrder, sorted, c.nA, c.nB);
    c.mossa.VoceMossa1 = A.testo();
    c.mossa.VoceMossa2 = B.testo();
    return c;
}

// Where the walk from each passage stops: at the first passage whose crossing it has met already (the
// crossing it starts from counts as met). Positions run 1..2n around the code twice; `prossimo[q]` is the
// next position after q at the same crossing, and the walk from i stops at the smallest of those from i
// on, `fine[i]`. Both tables are indexed 1..2n (fine only 1..n is read).
void finiDeiCammini(const Passaggi& P, int numIncroci, std::vector<int>& prossimo, std::vector<int>& fine) {
    const int n = P.n;
    constexpr int kMai = std::numeric_limits<int>::max();
    thread_local std::vector<int> ultimo;
    std::vector<int>& ultime = ultimo;
    ultime.assign(ix(numIncroci) + 1, kMai);
    prossimo.resize(ix(2 * n) + 2);
    fine.resize(ix(2 * n) + 2);
    int* const u = ultime.data();
    int* const pr = prossimo.data();
    int* const fi = fine.data();
    const int* const padre = P.t.padre.data();
    fi[ix(2 * n) + 1] = kMai;
    // The second turn, then the first, each position's crossing read once; fine[q] is the least of
    // prossimo from q on.
    int minimo = kMai;
    auto posizione = [&](int q, int c) {
        const int dopo = u[ix(c)];
        pr[ix(q)] = dopo;
        u[ix(c)] = q;
        minimo = std::min(minimo, dopo);
        fi[ix(q)] = minimo;
    };
    for (int q = 2 * n; q > n; --q) posizione(q, padre[ix(q - n)]);
    for (int q = n; q >= 1; --q) posizione(q, padre[ix(q)]);
}

// The move I and II tests made quickly: the same walks and the same test of the third strands as
// walkStretch and thirdStrandsPass, with the crossings met marked by stamps instead of cleared tables, the
// twins ordered by a bit table of their positions and no records kept; and the entries of move II found
// two crossings at a time, without the whole sorted list. The searches use it to refuse a stretch before
// its records are made; a table asked only whether it allows a move (every record of a closed search tree
// is) asks nothing else.
class ProvaRapida {
  public:
    // The working tables: where the walks end (finiDeiCammini), each position's kind over two turns (2 for
    // an over passage, plus 1 for handedness +1), the stamps by crossing and the pairs of twins.
    struct Tavole {
        std::vector<int> prossimo, fine;
        std::vector<char> tipo;
        std::vector<std::uint32_t> timbro;
        std::uint32_t ultimoTimbro = 0;
        std::vector<std::pair<int, int>> sopra, sotto;
    };
    // The entries of move II of two crossings, by first passage: (first passage, last passage).
    using Voci = std::array<std::pair<int, int>, 4>;

    // Prepares for a table valid for tabellaValida, in tables lent by the thread (a search whose visitor
    // searches again is lent others).
    explicit ProvaRapida(const TabellaPassaggi& t);
    ~ProvaRapida() { --inUso(); }
    ProvaRapida(const ProvaRapida&) = delete;
    ProvaRapida& operator=(const ProvaRapida&) = delete;

    // Where the walks end, as finiDeiCammini leaves them.
    const std::vector<int>& prossimo() const { return tv_.prossimo; }
    const std::vector<int>& fine() const { return tv_.fine; }

    // Whether the stretches from inizi[k] forward to fini[k] (both exclusive), k < quanti, walked in turn
    // without meeting an inner crossing twice, pass the test of the third strands, the twins taken in the
    // order of their positions counted from base + 1.
    bool passano(int base, const int* inizi, const int* fini, int quanti) {
        return quanti == 1 ? passanoDi<1>(base, inizi, fini) : passanoDi<2>(base, inizi, fini);
    }

    // Any loop of the move I search passes.
    bool mossaI();
    // Any two neighbouring entries of the move II search pass. Needs regolare().
    bool mossaII(TipoTMan tipo);
    // Calls f(voci, quante) for each two crossings with two or more entries of move II, in no set order,
    // until it returns true; true when it did. Needs regolare().
    template <class F>
    bool perGruppi(TipoTMan tipo, F&& f);
    // Every passage has handedness +1 or -1, as every table of a diagram has: the entries of move II can
    // then be told by one kind per passage.
    bool regolare() {
        preparaTipi();
        return regolare_;
    }

  private:
    // The entry from passage x forward to its next passage y of the two crossings, when the walk from x
    // reaches y and the kinds agree (see tipo_).
    bool voce(int x, int y, char inverti) const {
        const int d = y - x + (y > x ? 0 : n_);
        return x + d < fine_[ix(x)] && tipo_[ix(y)] == (tipo_[ix(x)] ^ inverti);
    }
    // The entries of the two crossings of the entry (i, j) (j at position q from i), sorted, when i is the
    // first of them; their count, 0 when i is not the first.
    int gruppo(int i, int q, char inverti, Voci& voci) const;
    // passano for one stretch (move I) or two (move II).
    template <int quanti>
    bool passanoDi(int base, const int* inizi, const int* fini);
    int nuovoTimbro();
    // The kinds of the passages, made when move II first needs them.
    void preparaTipi();
    static Tavole& presta();
    static int& inUso() {
        thread_local int quante = 0;
        return quante;
    }

    const TabellaPassaggi& t_;
    int n_;
    bool tipiPronti_ = false;
    bool regolare_ = true;
    Tavole& tv_;
    const std::vector<int>& fine_;
    const std::vector<char>& tipo_;
};

ProvaRapida::Tavole& ProvaRapida::presta() {
    thread_local std::vector<std::unique_ptr<Tavole>> prestabili;
    const auto k = ix(inUso()++);
    if (prestabili.size() <= k) prestabili.push_back(std::make_unique<Tavole>());
    return *prestabili[k];
}

ProvaRapida::ProvaRapida(const TabellaPassaggi& t)
    : t_(t), n_(t.numGemelli()), tv_(presta()), fine_(tv_.fine), tipo_(tv_.tipo) {
    finiDeiCammini(Passaggi(t), t.numIncroci, tv_.prossimo, tv_.fine);
    if (tv_.timbro.size() < ix(t.numIncroci) + 1) {
        tv_.timbro.assign(ix(std::max(t.numIncroci, kMaxIncroci)) + 1, 0);
        tv_.ultimoTimbro = 0;
    }
}

void ProvaRapida::preparaTipi() {
    if (tipiPronti_) return;
    tipiPronti_ = true;
    const Passaggi P(t_);
    tv_.tipo.resize(ix(2 * n_) + 2);
    for (int p = 1; p <= n_; ++p) {
        const int m = P.mano(p);
        if (m != 1 && m != -1) regolare_ = false;
        const char k = static_cast<char>((P.segno(p) == '+' ? 2 : 0) | (m == 1 ? 1 : 0));
        tv_.tipo[ix(p)] = tv_.tipo[ix(p + n_)] = k;
    }
}

int ProvaRapida::nuovoTimbro() {
    if (++tv_.ultimoTimbro == 0) {
        std::fill(tv_.timbro.begin(), tv_.timbro.end(), 0);
        tv_.ultimoTimbro = 1;
    }
    return static_cast<int>(tv_.ultimoTimbro);
}

template <int quanti>
bool ProvaRapida::passanoDi(int base, const int* inizi, const int* fini) {
    static_assert(quanti == 1 || quanti == 2);
    const int n = n_;
    const int* padre = t_.padre.data();
    const int* gemello = t_.gemello.data();
    const char* segno = t_.segno.data();
    std::uint32_t* visto = tv_.timbro.data();
    std::vector<std::pair<int, int>>& sopra = tv_.sopra;
    std::vector<std::pair<int, int>>& sotto = tv_.sotto;
    sopra.clear();
    sotto.clear();
    std::array<int, 2> lunghezza{};
    bool vuoto = false;
    int interni = 0;
    for (int k = 0; k < quanti && !vuoto; ++k) {
        lunghezza[ix(k)] = fini[k] - inizi[k] + (fini[k] > inizi[k] ? 0 : n);
        vuoto = lunghezza[ix(k)] == n;
        interni += lunghezza[ix(k)] - 1;
    }
    // Short stretches are walked first, their twins then read in order from a bit table; longer ones are
    // paired by the scan below, which most stretches fail within a few steps (the twins of a short stretch
    // lie far apart, so that the scan would take many).
    if (!vuoto && interni * interni >= n - interni) {
        // The passages whose twins lie inside the stretches, met in order from base + 1, pair off in their
        // signs: most stretches fail within a few steps. When the walks below succeed these are the twins
        // of the inner passages in the order of their positions.
        int primo = 0;
        for (int passo = 0, p = base; passo < n; ++passo) {
            p = p == n ? 1 : p + 1;
            const int tw = gemello[p];
            bool dentro = false;
            for (int k = 0; k < quanti; ++k) {
                const int d = tw - inizi[k] + (tw >= inizi[k] ? 0 : n);
                dentro = dentro || (d > 0 && d < lunghezza[ix(k)]);
            }
            if (!dentro) continue;
            if (primo == 0) {
                primo = p;
                continue;
            }
            if (segno[p] != segno[primo]) return false;
            (segno[primo] == '+' ? sopra : sotto).emplace_back(primo, p);
            primo = 0;
        }
        const auto timbro = static_cast<std::uint32_t>(nuovoTimbro());
        for (int k = 0; k < quanti; ++k)
            for (int p = inizi[k] == n ? 1 : inizi[k] + 1; p != fini[k]; p = p == n ? 1 : p + 1) {
                const int c = padre[p];
                if (visto[c] == timbro) return false;
                visto[c] = timbro;
            }
    } else {
        // Short stretches, or a stretch from a passage back to itself: the walk, then the twins in order.
        const auto timbro = static_cast<std::uint32_t>(nuovoTimbro());
        // The twins' positions from base + 1, less one: bits of a table of kMaxGemelli.
        constexpr int kParole = (kMaxGemelli + 63) / 64;
        std::array<std::uint64_t, kParole> bit{};
        for (int k = 0; k < quanti; ++k) {
            const int inizio = inizi[k], fine = fini[k];
            int p = inizio;
            while (true) {
                p = p == n ? 1 : p + 1;
                if (p == fine) break;
                if (p == inizio) return false;
                const int c = padre[p];
                if (visto[c] == timbro) return false;
                visto[c] = timbro;
                int r = gemello[p] - base - 1;
                if (r < 0) r += n;
                bit[ix(r >> 6)] |= std::uint64_t{1} << (r & 63);
            }
        }
        // Consecutive twins pair off in their signs; the pairs of over passages and those of under passages.
        int primo = 0;
        for (int w = 0; w < kParole; ++w)
            for (std::uint64_t b = bit[ix(w)]; b != 0; b &= b - 1) {
                int tw = w * 64 + std::countr_zero(b) + base + 1;
                if (tw > n) tw -= n;
                if (primo == 0) {
                    primo = tw;
                    continue;
                }
                if (segno[tw] != segno[primo]) return false;
                (segno[primo] == '+' ? sopra : sotto).emplace_back(primo, tw);
                primo = 0;
            }
    }
    const auto segnati = static_cast<std::uint32_t>(nuovoTimbro());
    for (auto [t1, t2] : sopra) {
        int p = t1;
        for (int guardia = 0; guardia <= n; ++guardia) {
            visto[padre[p]] = segnati;
            if (p == t2) break;
            p = p == n ? 1 : p + 1;
        }
    }
    for (auto [t1, t2] : sotto) {
        int p = t1;
        for (int guardia = 0; guardia <= n; ++guardia) {
            if (visto[padre[p]] == segnati && segno[p] == '+') return false;
            if (p == t2) break;
            p = p == n ? 1 : p + 1;
        }
    }
    return true;
}

bool ProvaRapida::mossaI() {
    const std::vector<int>& prossimo = tv_.prossimo;
    for (int i = 1; i <= n_; ++i) {
        if (prossimo[ix(i)] != fine_[ix(i)]) continue;
        const int j = (prossimo[ix(i)] - 1) % n_ + 1;
        if (passano(std::max(i, j) - 1, &i, &j, 1)) return true;
    }
    return false;
}

int ProvaRapida::gruppo(int i, int q, char inverti, Voci& voci) const {
    const int n = n_;
    const int j = q > n ? q - n : q;
    const int ti = t_.gemello[ix(i)], tj = t_.gemello[ix(j)];
    // The four passages of the two crossings lie around the code as i, j, u, w; an entry runs from one to
    // the next when they are at different crossings: j -> ti, ti -> tj and tj -> i when the crossings
    // alternate (u = ti), only tj -> ti otherwise.
    const auto daI = [&](int x) { return x - i + (x > i ? 0 : n); };
    int quante = 0;
    voci[ix(quante++)] = {i, j};
    const auto prendi = [&](int x, int y) {
        if (!voce(x, y, inverti)) return true;
        if (x < i) return false;  // the group is taken from its first entry
        voci[ix(quante++)] = {x, y};
        return true;
    };
    if (daI(ti) < daI(tj)) {
        if (!prendi(j, ti) || !prendi(ti, tj) || !prendi(tj, i)) return 0;
    } else if (!prendi(tj, ti)) {
        return 0;
    }
    for (int k = 1; k < quante; ++k)  // by first passage (no two share one)
        for (int m = k; m > 0 && voci[ix(m)].first < voci[ix(m - 1)].first; --m)
            std::swap(voci[ix(m)], voci[ix(m - 1)]);
    return quante;
}

template <class F>
bool ProvaRapida::perGruppi(TipoTMan tipo, F&& f) {
    // An entry (i, q): q after i on the walk from i, of the same sign (the other sign for the kind "I")
    // and the other handedness, so of the kind of i with its handedness bit (and its sign bit) flipped.
    const char inverti = tipo == TipoTMan::N ? 1 : 3;
    preparaTipi();
    const char* tipi = tipo_.data();
    Voci voci;
    for (int i = 1; i <= n_; ++i) {
        const char cerca = static_cast<char>(tipi[i] ^ inverti);
        const int fine = fine_[ix(i)];
        for (int q = i + 1; q < fine; ++q) {
            const void* trovato = std::memchr(tipi + q, cerca, ix(fine - q));
            if (trovato == nullptr) break;
            q = static_cast<int>(static_cast<const char*>(trovato) - tipi);
            const int quante = gruppo(i, q, inverti, voci);
            if (quante >= 2 && f(voci, quante)) return true;
        }
    }
    return false;
}

bool ProvaRapida::mossaII(TipoTMan tipo) {
    return perGruppi(tipo, [this](const Voci& voci, int quante) {
        for (int k = 1; k < quante; ++k) {
            const auto [ai, aj] = voci[ix(k - 1)];
            const auto [bi, bj] = voci[ix(k)];
            const int inizi[2] = {ai, bi}, fini[2] = {aj, bj};
            if (passano(std::max({ai, aj, bi, bj}) - 1, inizi, fini, 2)) return true;
        }
        return false;
    });
}

// Move I, phase 1: the loops from a crossing back to it that meet no other crossing twice, sorted by
// crossing and first passage (no two have the same first passage). The walk from passage i ends at the
// first crossing met twice; it is a loop when that is i's own crossing.
struct VoceI {
    int c = 0, i = 0, j = 0;
    bool operator<(const VoceI& o) const { return c != o.c ? c < o.c : i < o.i; }
};

// `prossimo` and `fine` as finiDeiCammini leaves them.
void vociMossaI(const Passaggi& P, const std::vector<int>& prossimo, const std::vector<int>& fine,
                std::vector<VoceI>& entries) {
    entries.clear();
    for (int i = 1; i <= P.n; ++i)
        if (prossimo[ix(i)] == fine[ix(i)])
            entries.push_back({P.padre(i), i, (prossimo[ix(i)] - 1) % P.n + 1});
    std::sort(entries.begin(), entries.end());
}

// Move I, phase 2 for one loop: its inner passages walked and the third strands tested. nullopt when the
// walk meets an inner crossing twice, else whether the loop passes. With `rapida` a loop that does not
// pass is refused by the quick test, without records (false, where the walk might have failed).
std::optional<bool> esaminaAnello(const Passaggi& P, Marks& counts, const VoceI& v,
                                  std::vector<InnerRecord>& walkOrder, std::vector<InnerRecord>& sorted,
                                  ProvaRapida* rapida) {
    const int base = std::max(v.i, v.j) - 1;
    if (rapida && !rapida->passano(base, &v.i, &v.j, 1)) return false;
    counts.clear();
    walkOrder.clear();
    sorted.clear();
    if (!walkStretch(P, counts, v.i, v.j, base, 1, walkOrder)) return std::nullopt;
    return thirdStrandsPass(P, counts, walkOrder, sorted);
}

// Move II, phase 1: pairs of passages on the same side of two crossings, with opposite handedness, sorted.
// The walk from i meets the passages up to the first crossing met twice.
void vociMossaII(const Passaggi& P, int numIncroci, TipoTMan tipo, std::vector<VoceII>& entries) {
    thread_local std::vector<int> prossimo, fine, mano;
    thread_local std::vector<char> segno;
    finiDeiCammini(P, numIncroci, prossimo, fine);
    const int n = P.n;
    mano.resize(ix(2 * n) + 1);
    segno.resize(ix(2 * n) + 1);
    for (int p = 1; p <= n; ++p) {
        mano[ix(p)] = mano[ix(p + n)] = P.mano(p);
        segno[ix(p)] = segno[ix(p + n)] = P.segno(p);
    }
    entries.clear();
    for (char s : {'-', '+'}) {
        for (int i = 1; i <= n; ++i) {
            if (segno[ix(i)] != s) continue;
            const int manoI = mano[ix(i)];
            for (int q = i + 1; q < fine[ix(i)]; ++q) {
                const bool qualifies = tipo == TipoTMan::N ? segno[ix(q)] == s : segno[ix(q)] != s;
                if (!qualifies || manoI == mano[ix(q)]) continue;
                entries.push_back(entryMossaII(P, i, q > n ? q - n : q, s));
            }
        }
    }
    std::sort(entries.begin(), entries.end());
}

// Move II, phase 2 for two neighbouring entries of the same two crossings: both stretches walked and the
// third strands tested. nullopt when a walk meets an inner crossing twice, else whether the pair passes.
// `rapida` as for esaminaAnello.
std::optional<bool> esaminaCoppia(const Passaggi& P, Marks& marks, const VoceII& A, const VoceII& B,
                                  std::vector<InnerRecord>& walkOrder, std::vector<InnerRecord>& sorted,
                                  ProvaRapida* rapida) {
    const int base = std::max({A.i, A.j, B.i, B.j}) - 1;
    const int inizi[2] = {A.i, B.i}, fini[2] = {A.j, B.j};
    if (rapida && !rapida->passano(base, inizi, fini, 2)) return false;
    marks.clear();
    walkOrder.clear();
    sorted.clear();
    if (!walkStretch(P, marks, A.i, A.j, base, 1, walkOrder)) return std::nullopt;
    if (!walkStretch(P, marks, B.i, B.j, base, 2, walkOrder)) return std::nullopt;
    return thirdStrandsPass(P, marks, walkOrder, sorted);
}

// The searches' table: the crossings, signs and sides of a consistent passage table.
bool tabellaValida(const TabellaPassaggi& t) {
    const int n = t.numGemelli();
    if (n < 2 || n > kMaxGemelli || t.gemello.size() != t.padre.size() || t.segno.size() != t.padre.size() ||
        t.dirad.size() != t.padre.size())
        return false;
    if (t.numIncroci < 1 || t.numIncroci > kMaxIncroci) return false;
    for (int p = 1; p <= n; ++p) {
        const int c = t.padre[ix(p)], g = t.gemello[ix(p)];
        if (c < 1 || c > t.numIncroci) return false;
        if (g < 1 || g > n || g == p || t.padre[ix(g)] != c) return false;
        if (t.segno[ix(p)] != '+' && t.segno[ix(p)] != '-') return false;
    }
    return true;
}

// The table of a diagram whose passage table is valid, in the tables kept by the thread.
const TabellaPassaggi& tabellaDi(const Diagram& d) {
    thread_local TabellaPassaggi t;
    TabellaDaDiagramma(d, t);
    return t;
}

// The move II test from the whole sorted list of entries, for a table whose handedness is not +1 or -1
// everywhere (a table of a diagram always has it so).
bool mossaIIDaVoci(const TabellaPassaggi& t, TipoTMan tipo) {
    const Passaggi P(t);
    ProvaRapida prova(t);
    thread_local std::vector<VoceII> entries;
    vociMossaII(P, t.numIncroci, tipo, entries);
    for (std::size_t k = 1; k < entries.size(); ++k) {
        const VoceII& A = entries[k - 1];
        const VoceII& B = entries[k];
        if (A.cMin != B.cMin || A.cMax != B.cMax) continue;
        const int inizi[2] = {A.i, B.i}, fini[2] = {A.j, B.j};
        if (prova.passano(std::max({A.i, A.j, B.i, B.j}) - 1, inizi, fini, 2)) return true;
    }
    return false;
}

}  // namespace

bool TabellaPassaggiValida(const Diagram& d) {
    const int n = d.NumGemelli;
    if (n < 2 || n > kMaxGemelli || n >= static_cast<int>(d.gemelli.size())) return false;
    if (d.NumIncroci < 1 || d.NumIncroci > kMaxIncroci || d.NumArchi != n) return false;
    for (int p = 1; p <= n; ++p) {
        const Gemello& g = d.gemelli[static_cast<std::size_t>(p)];
        if (g.Padre < 1 || g.Padre > d.NumIncroci) return false;
        if (g.IndiceGemello < 1 || g.IndiceGemello > n || g.IndiceGemello == p) return false;
        if (d.gemelli[static_cast<std::size_t>(g.IndiceGemello)].Padre != g.Padre) return false;
        if (g.Segno != '+' && g.Segno != '-') return false;
        if (g.arcoad < 1 || g.arcoad > n || g.arcoda < 1 || g.arcoda > n) return false;
    }
    return true;
}

void TabellaDaDiagramma(const Diagram& d, TabellaPassaggi& t) {
    const std::size_t n = ix(std::clamp(d.NumGemelli, 0, static_cast<int>(d.gemelli.size()) - 1));
    t.numIncroci = d.NumIncroci;
    t.padre.resize(n + 1);
    t.gemello.resize(n + 1);
    t.dirad.resize(n + 1);
    t.segno.resize(n + 1);
    for (std::size_t p = 1; p <= n; ++p) {
        const Gemello& g = d.gemelli[p];
        t.padre[p] = g.Padre;
        t.gemello[p] = g.IndiceGemello;
        t.dirad[p] = g.dirad;
        t.segno[p] = g.Segno;
    }
}

bool TabellaDaCodice(std::string_view txtNodo, std::string_view txtOri, TabellaPassaggi& t) {
    t.padre.clear();
    const auto letti = leggiPassaggiGauss(txtNodo);
    if (!letti || letti->size() > static_cast<std::size_t>(kMaxGemelli)) return false;
    const std::vector<PassaggioGauss>& v = *letti;
    const std::size_t n = v.size();
    // What the build's check asks: labels 1..top, each passed twice with opposite signs, a letter "O" or
    // "V" for each. The build starts its walk at the first passage at crossing 1.
    int top = 0;
    for (const PassaggioGauss& q : v) top = std::max(top, q.label);
    if (top > kMaxIncrociGauss || static_cast<int>(txtOri.size()) != top) return false;
    for (char c : txtOri)
        if (c != 'O' && c != 'V') return false;
    thread_local std::vector<int> primo;
    primo.assign(ix(top) + 1, 0);
    std::size_t inizio = n;
    for (std::size_t k = 0; k < n; ++k)
        if (v[k].label == 1) {
            inizio = k;
            break;
        }
    if (inizio == n) return false;
    t.numIncroci = top;
    t.padre.assign(n + 1, 0);
    t.gemello.assign(n + 1, 0);
    t.dirad.assign(n + 1, 0);
    t.segno.assign(n + 1, 0);
    for (std::size_t k = 0; k < n; ++k) {
        const PassaggioGauss& q = v[(inizio + k) % n];
        const int p = static_cast<int>(k) + 1;
        t.padre[ix(p)] = q.label;
        t.segno[ix(p)] = q.sign;
        // The side it leaves by: the over strand runs from side 4 to side 2, the under strand from 1 to 3
        // at a crossing "V", from 3 to 1 at a crossing "O".
        t.dirad[ix(p)] = q.sign == '+' ? 2 : txtOri[ix(q.label) - 1] == 'V' ? 3 : 1;
        int& prima = primo[ix(q.label)];
        if (prima == 0) {
            prima = p;
        } else if (prima > 0 && t.segno[ix(prima)] != q.sign) {
            t.gemello[ix(p)] = prima;
            t.gemello[ix(prima)] = p;
            prima = -1;
        } else {
            return false;  // a third passage, or two of the same sign
        }
    }
    for (int c = 1; c <= top; ++c)
        if (primo[ix(c)] != -1) return false;
    return true;
}

bool TabellaDaPassi(const std::vector<int>& passi, std::string_view txtOri, TabellaPassaggi& t) {
    t.padre.clear();
    const std::size_t n = passi.size();
    if (n < 2 || n > static_cast<std::size_t>(kMaxGemelli) || n % 2 != 0) return false;
    const int top = static_cast<int>(n / 2);
    if (top > kMaxIncrociGauss || static_cast<int>(txtOri.size()) != top) return false;
    for (char c : txtOri)
        if (c != 'O' && c != 'V') return false;
    t.numIncroci = top;
    t.padre.assign(n + 1, 0);
    t.gemello.assign(n + 1, 0);
    t.dirad.assign(n + 1, 0);
    t.segno.assign(n + 1, 0);
    int prossima = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const int p = static_cast<int>(k) + 1;
        const char segno = (passi[k] & 1) ? '+' : '-';
        t.segno[ix(p)] = segno;
        if (t.padre[ix(p)] == 0) {  // the crossing's first passage: the next label, given to both
            const int d = passi[k] / 2;
            if (d < 1 || d >= static_cast<int>(n)) return false;
            const int g = static_cast<int>((k + static_cast<std::size_t>(d)) % n) + 1;
            if (t.padre[ix(g)] != 0) return false;  // not a partner of its own
            t.padre[ix(p)] = t.padre[ix(g)] = ++prossima;
            t.gemello[ix(p)] = g;
            t.gemello[ix(g)] = p;
        } else if (t.segno[ix(t.gemello[ix(p)])] == segno) {
            return false;  // both passages on the same strand
        }
        t.dirad[ix(p)] = segno == '+' ? 2 : txtOri[ix(t.padre[ix(p)]) - 1] == 'V' ? 3 : 1;
    }
    return true;
}

bool EsisteMossaI(const TabellaPassaggi& t) {
    if (!tabellaValida(t)) return false;
    return ProvaRapida(t).mossaI();
}

bool EsisteMossaII(const TabellaPassaggi& t, TipoTMan tipo) {
    if (!tabellaValida(t)) return false;
    ProvaRapida prova(t);
    return prova.regolare() ? prova.mossaII(tipo) : mossaIIDaVoci(t, tipo);
}

bool EsisteMossaIoII(const TabellaPassaggi& t) {
    if (!tabellaValida(t)) return false;
    ProvaRapida prova(t);
    if (prova.mossaI()) return true;
    return prova.regolare() ? prova.mossaII(TipoTMan::N) : mossaIIDaVoci(t, TipoTMan::N);
}

bool EnumeraCandidatiMossaII(const Diagram& d, TipoTMan tipo,
                             const std::function<bool(const CandidatoMossa&)>& visita,
                             const DumpFolder* dump) {
    if (!TabellaPassaggiValida(d)) return false;
    const TabellaPassaggi& tabella = tabellaDi(d);
    const Passaggi P(tabella);
    Marks marks(d.NumIncroci);
    ProvaRapida prova(tabella);
    std::vector<InnerRecord> walkOrder, sorted;
    if (!dump && prova.regolare()) {
        // Only the crossings with two entries or more, in the order of the sorted list.
        struct Gruppo {
            int cMin, cMax, quante;
            ProvaRapida::Voci voci;
        };
        std::vector<Gruppo> gruppi;
        prova.perGruppi(tipo, [&](const ProvaRapida::Voci& voci, int quante) {
            const int a = P.padre(voci[0].first), b = P.padre(voci[0].second);
            gruppi.push_back({std::min(a, b), std::max(a, b), quante, voci});
            return false;
        });
        std::sort(gruppi.begin(), gruppi.end(), [](const Gruppo& x, const Gruppo& y) {
            return x.cMin != y.cMin ? x.cMin < y.cMin : x.cMax < y.cMax;
        });
        for (const Gruppo& g : gruppi)
            for (int k = 1; k < g.quante; ++k) {
                const auto [ai, aj] = g.voci[ix(k - 1)];
                const auto [bi, bj] = g.voci[ix(k)];
                const VoceII A = entryMossaII(P, ai, aj, P.segno(ai)),
                             B = entryMossaII(P, bi, bj, P.segno(bi));
                if (!esaminaCoppia(P, marks, A, B, walkOrder, sorted, &prova).value_or(false)) continue;
                if (!visita(candidatoMossaII(d, tipo, A, B, walkOrder, sorted))) return true;
            }
        return true;
    }
    std::vector<VoceII> entries;
    vociMossaII(P, d.NumIncroci, tipo, entries);
    if (dump) {
        std::vector<std::string> lines;
        lines.reserve(entries.size());
        for (const VoceII& e : entries) lines.push_back(e.testo());
        writeDumpLines(*dump, "coppie.txt", lines);
    }

    // Phase 2: neighbouring entries of the same two crossings.
    for (std::size_t idx = 1; idx < entries.size(); ++idx) {
        const VoceII& A = entries[idx - 1];
        const VoceII& B = entries[idx];
        if (A.cMin != B.cMin || A.cMax != B.cMax) continue;
        const std::optional<bool> passa =
            esaminaCoppia(P, marks, A, B, walkOrder, sorted, dump == nullptr ? &prova : nullptr);
        if (!passa) continue;
        if (dump) {
            const std::string lll = format000(A.cMin), hhh = format000(A.cMax);
            dumpRecords(*dump, "ngt2.txt", d, walkOrder, lll, hhh, true);
            dumpRecords(*dump, "ng.txt", d, sorted, lll, hhh, true);
        }
        if (!*passa) continue;
        if (!visita(candidatoMossaII(d, tipo, A, B, walkOrder, sorted))) break;
    }
    return true;
}

bool EnumeraCandidatiMossaI(const Diagram& d, const std::function<bool(const CandidatoMossa&)>& visita,
                            const DumpFolder* dump) {
    if (!TabellaPassaggiValida(d)) return false;
    const TabellaPassaggi& tabella = tabellaDi(d);
    const Passaggi P(tabella);
    Marks counts(d.NumIncroci);
    ProvaRapida prova(tabella);
    std::vector<VoceI> entries;
    vociMossaI(P, prova.prossimo(), prova.fine(), entries);  // the walks' ends as the quick test found them
    // An entry's text, "ccc,ccc,iii,jjj,s,c,c"; crossings and passages are below 1000, so the texts sort
    // as (crossing, first passage).
    const auto testo = [&P](const VoceI& v) {
        const std::string C = std::to_string(v.c);
        std::string t = format000(v.c);
        t.append(",").append(format000(v.c)).append(",").append(format000(v.i)).append(",");
        t.append(format000(v.j)).append(",").append(1, P.segno(v.i)).append(",");
        t.append(C).append(",").append(C);
        return t;
    };
    if (dump) {
        std::vector<std::string> lines;
        lines.reserve(entries.size());
        for (const VoceI& v : entries) lines.push_back(testo(v));
        writeDumpLines(*dump, "coppie.txt", lines);
    }

    // Phase 2: each loop by itself.
    std::vector<InnerRecord> walkOrder, sorted;
    for (const VoceI& voce : entries) {
        const std::optional<bool> passa =
            esaminaAnello(P, counts, voce, walkOrder, sorted, dump == nullptr ? &prova : nullptr);
        if (!passa) continue;
        if (dump) dumpRecords(*dump, "ng.txt", d, sorted, format000(voce.c), format000(voce.c), false);
        if (!*passa) continue;

        const int c = voce.c, i = voce.i;
        const std::string C = std::to_string(c);
        CandidatoMossa cand;
        cand.voceEvidenziata.append(",").append(C).append(",").append(C).append(",");
        cand.archi.push_back({gem(d, i).arcoad, HighlightRole::FirstStretch, -4});
        cand.Lista = "," + std::to_string(gem(d, i).arcoad) + ",";
        for (const InnerRecord& r : sorted) {
            cand.archi.push_back({r.p, HighlightRole::FirstStretch, -3});
            cand.Lista += std::to_string(r.p) + ",";
        }
        cand.nA = static_cast<int>(sorted.size());
        cand.incrocioPrimo = c;
        cand.arcoPrimo = gem(d, i).arcoad;
        cand.messaggioSviluppo.append("Tric ").append(C).append("-").append(C).append("  ");
        cand.messaggioSviluppo.append(C).append("-").append(C);
        cand.mossa.VoceMossa1 = testo(voce);
        if (!visita(cand)) break;
    }
    return true;
}

std::vector<CandidatoMossa> CandidatiMossaII(const Diagram& d, TipoTMan tipo) {
    std::vector<CandidatoMossa> out;
    EnumeraCandidatiMossaII(d, tipo, [&](const CandidatoMossa& c) {
        out.push_back(c);
        return true;
    });
    return out;
}

std::vector<CandidatoMossa> CandidatiMossaI(const Diagram& d) {
    std::vector<CandidatoMossa> out;
    EnumeraCandidatiMossaI(d, [&](const CandidatoMossa& c) {
        out.push_back(c);
        return true;
    });
    return out;
}

void SettaDone(StatusPort& status, bool modoAutomatico) {
    if (modoAutomatico) return;
    status.setPanel("p1", "Done");
    status.setPanel("p2", "");
}

namespace {

ViewerAnswer showViewer(ContestoRicerca& ctx, MoveKind tipoMossa, const std::string& message,
                        const EsitoRicerca& r) {
    StepViewRequest req;
    req.tipoMossa = tipoMossa;
    req.message = message;
    req.tempoInizioRicerca = r.TempoInizioRicerca;
    req.tempoFineRicerca = r.TempoFineRicerca;
    req.tempoFineDisegno = r.TempoFineDisegno;
    req.mainGrid = ctx.mainGrid;
    return ctx.ui.showCandidate(req);
}

}  // namespace

EsitoRicerca TMan(const Diagram& d, TipoTMan tipo, ContestoRicerca& ctx) {
    EsitoRicerca r;
    r.TempoInizioRicerca = ctx.ui.secondsSinceMidnight();
    const MoveKind tipoMossa = tipo == TipoTMan::N ? MoveKind::II : MoveKind::IILoop;
    const auto visita = [&](const CandidatoMossa& c) {
        r.TempoFineRicerca = ctx.ui.secondsSinceMidnight();
        if (!ctx.ModoAutomatico && ctx.evidenzia) ctx.evidenzia(c);
        if (ctx.ModoSviluppo && !ctx.ModoAutomatico) {
            r.NumCandidati += 1;
            r.EsitoDialogo = showViewer(ctx, tipoMossa, c.messaggioSviluppo, r);
        }
        // An answer given in the developer's showing ("Interrompi", "OK") is final: no second showing.
        if (tipo == TipoTMan::N && r.EsitoDialogo == ViewerAnswer::None) {
            SettaDone(ctx.ui, ctx.ModoAutomatico);
            r.NumCandidati += 1;
            r.TempoFineDisegno = ctx.ui.secondsSinceMidnight();
            r.EsitoDialogo = ctx.ModoAutomatico ? ViewerAnswer::Sel : showViewer(ctx, tipoMossa, "", r);
        }
        r.mossa = c.mossa;
        if (r.EsitoDialogo != ViewerAnswer::None) return false;
        r.mossa.VoceMossa1 = c.voceEvidenziata;
        r.mossa.VoceMossa2.clear();
        r.TempoInizioRicerca = ctx.ui.secondsSinceMidnight();
        return true;
    };
    const bool ok = EnumeraCandidatiMossaII(d, tipo, visita, ctx.dump);
    r.tabellaNonValida = !ok;
    return r;
}

EsitoRicerca TRic(const Diagram& d, ContestoRicerca& ctx) {
    EsitoRicerca r;
    r.TempoInizioRicerca = ctx.ui.secondsSinceMidnight();
    const auto visita = [&](const CandidatoMossa& c) {
        r.TempoFineRicerca = ctx.ui.secondsSinceMidnight();
        if (!ctx.ModoAutomatico && ctx.evidenzia) ctx.evidenzia(c);
        SettaDone(ctx.ui, ctx.ModoAutomatico);
        r.NumCandidati += 1;
        r.TempoFineDisegno = ctx.ui.secondsSinceMidnight();
        r.EsitoDialogo = ctx.ModoAutomatico ? ViewerAnswer::Sel : showViewer(ctx, MoveKind::I, "", r);
        // The developer's second showing, with its message, only after "Continua" on the first: an answer
        // given there ("Interrompi", "OK") is final.
        if (ctx.ModoSviluppo && r.EsitoDialogo == ViewerAnswer::None) {
            SettaDone(ctx.ui, ctx.ModoAutomatico);
            r.EsitoDialogo =
                ctx.ModoAutomatico ? ViewerAnswer::Sel : showViewer(ctx, MoveKind::I, c.messaggioSviluppo, r);
        }
        if (r.EsitoDialogo == ViewerAnswer::None) {
            r.mossa.VoceMossa1 = c.voceEvidenziata;
            r.TempoInizioRicerca = ctx.ui.secondsSinceMidnight();
            return true;
        }
        r.mossa.VoceMossa1 = c.mossa.VoceMossa1;
        return false;
    };
    const bool ok = EnumeraCandidatiMossaI(d, visita, ctx.dump);
    r.tabellaNonValida = !ok;
    return r;
}

}  // namespace trevalon
