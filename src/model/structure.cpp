#include "model/structure.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <span>
#include <string_view>

#include "model/dumps.h"
#include "model/gauss_code.h"
#include "model/sides.h"

namespace trevalon {

namespace {

int oppositeSide(int side) {
    return side + 2 > 4 ? side - 2 : side + 2;
}

// The side of crossing c through which the strand leaves along arc k: the side holding k marked "U";
// failing a mark, the first side holding k. 0 when no side holds it.
int leavingSide(const Incrocio& c, int k) {
    int first = 0;
    for (int s = 1; s <= 4; ++s) {
        if (c.ArcoLato[s] != k) continue;
        if (c.VersoLato[s] == 'U') return s;
        if (first == 0) first = s;
    }
    return first;
}

void appendNumber(std::string& out, int value) {
    char buf[16];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, res.ptr);
}

std::string threeDigits(int a) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%03d", a);
    return buf;
}

// One walk around a face from side `dir` of crossing `c`. The arcs are collected in walking order; `cycle`
// tells whether the walk came back to the very corner it started from, so that a walk from any corner on
// the way gives the same face. Corners are crossing * 4 + side - 1.
struct FaceWalk {
    std::vector<int> arcs;
    std::vector<int> corners;
    bool closed = false;
    bool cycle = false;
};

void walkFace(const Diagram& d, int c, int dir, std::vector<char>& seen, FaceWalk& w) {
    w.arcs.clear();
    w.corners.clear();
    w.closed = w.cycle = false;
    const int startCorner = c * 4 + dir - 1;
    while (true) {
        if (c < 1 || c > d.NumIncroci || dir < 1 || dir > 4) break;
        const Incrocio& here = d.incroci[c];
        const int a = here.ArcoLato[dir];
        if (a < 1 || a > d.NumArchi) break;
        if (seen[a]) {
            w.closed = true;
            w.cycle = c * 4 + dir - 1 == startCorner;
            break;
        }
        seen[a] = 1;
        w.arcs.push_back(a);
        w.corners.push_back(c * 4 + dir - 1);
        const int next = here.IncrocioLato[dir];
        if (next < 1 || next > d.NumIncroci) break;
        // At the far end the arc arrives at the side that holds it; for a curl (the arc comes back to the
        // crossing it left) that is the other side holding it, not the one just left.
        const Incrocio& there = d.incroci[next];
        int k = 0;
        for (int s = 1; s <= 4 && k == 0; ++s)
            if (there.ArcoLato[s] == a && !(next == c && s == dir)) k = s;
        if (k == 0) break;
        c = next;
        dir = k == 4 ? 1 : k + 1;
    }
    for (int a : w.arcs) seen[a] = 0;
}

// The three digits of every number below 1000, as a face code writes an arc.
struct TreCifre {
    char cifre[1000][3];
};
constexpr TreCifre kTreCifre = [] {
    TreCifre t{};
    for (int a = 0; a < 1000; ++a) {
        t.cifre[a][0] = static_cast<char>('0' + a / 100);
        t.cifre[a][1] = static_cast<char>('0' + a / 10 % 10);
        t.cifre[a][2] = static_cast<char>('0' + a % 10);
    }
    return t;
}();

// Appends the face code of arcs below 1000 already in ascending order: a comma, then each arc's three digits
// and a comma.
void appendTreCifre(std::span<const int> sorted, std::string& out) {
    std::size_t k = out.size();
    out.resize(k + 1 + 4 * sorted.size(), ',');
    ++k;
    for (int a : sorted) {
        std::memcpy(&out[k], kTreCifre.cifre[a], 3);
        k += 4;
    }
}

// Appends the face code of the arcs to `out`; `sorted` is working space.
void appendFaceCode(const std::vector<int>& arcs, std::vector<int>& sorted, std::string& out) {
    // Arcs below 1000 have three-digit texts, which sort as their numbers (a face has few: by insertion);
    // larger ones (beyond the passage table) are sorted as texts.
    bool treCifre = true;
    sorted.clear();
    for (int a : arcs) {
        treCifre = treCifre && a >= 0 && a < 1000;
        std::size_t k = sorted.size();
        sorted.push_back(a);
        for (; k > 0 && sorted[k - 1] > a; --k) sorted[k] = sorted[k - 1];
        sorted[k] = a;
    }
    if (!treCifre) {
        std::vector<std::string> items;
        items.reserve(arcs.size());
        for (int a : arcs) items.push_back(threeDigits(a));
        std::sort(items.begin(), items.end());
        out += ",";
        for (const auto& item : items) out += item + ",";
        return;
    }
    appendTreCifre(sorted, out);
}

}  // namespace

Status GeneraCodGem(Diagram& d, const ModelSettings& settings) {
    if (d.NumArchi > kMaxGemelli)
        return fail("Too many crossings for the passage table: " + std::to_string((d.NumArchi + 1) / 2) +
                    " (at most " + std::to_string(kMaxGemelli / 2) + ")");
    static_assert(kMaxGemelli <= kMaxArchi, "the arc count is bounded by the passage table's check above");
    if (d.NumArchi < 0 || d.NumIncroci < 0 || d.NumIncroci > kMaxIncroci)
        return fail("The arc or crossing count is beyond the tables");
    const int n = d.NumArchi;
    int c = 1;
    for (int k = 1; k <= n; ++k) {
        if (c < 1 || c > d.NumIncroci)
            return fail("The passage walk left the crossings at arc " + std::to_string(k));
        const Incrocio& here = d.incroci[c];
        const int side = leavingSide(here, k);
        if (side == 0)
            return fail("The passage walk cannot go on: crossing " + std::to_string(c) + " holds no arc " +
                        std::to_string(k));
        const int q = k + 1 > n ? 1 : k + 1;
        Gemello& next = d.gemelli[q];
        next.dirda = oppositeSide(side);
        next.arcoda = here.ArcoLato[side];
        next.gemDa = k;
        Gemello& p = d.gemelli[k];
        p.Padre = c;
        p.dirad = side;
        p.arcoad = k;
        p.gemad = q;
        p.Segno = here.ArcoEsceSopra == k ? '+' : '-';
        c = p.Segno == '+' ? here.SuccSopra : here.SuccSotto;
    }
    d.NumGemelli = n;
    for (int i = 1; i <= d.NumIncroci; ++i) d.incroci[i].GemSopra = d.incroci[i].GemSotto = 0;
    for (int i = 1; i <= n; ++i) {
        Incrocio& x = d.incroci[d.gemelli[i].Padre];
        (d.gemelli[i].Segno == '+' ? x.GemSopra : x.GemSotto) = i;
    }
    for (int i = 1; i <= d.NumIncroci; ++i) {
        const Incrocio& x = d.incroci[i];
        if (x.GemSopra) d.gemelli[x.GemSopra].IndiceGemello = x.GemSotto;
        if (x.GemSotto) d.gemelli[x.GemSotto].IndiceGemello = x.GemSopra;
    }
    for (int i = 1; i <= n; ++i) {
        d.archi[d.gemelli[i].arcoda].GemelloA = i;
        d.archi[d.gemelli[i].arcoad].GemelloDa = i;
    }
    StampaGemelli(d, settings);
    return {};
}

Status CmDConvertiGemelli_Click(Diagram& d, const ModelSettings& settings) {
    auto esito = GeneraCodGem(d, settings);
    StampaIncroci(d, settings);
    StampaArchi(d, settings);
    return esito;
}

std::string GeneraPerimetro(const Diagram& d, int tmpIncr, int tmpDirez) {
    if (d.NumArchi < 0 || d.NumArchi > kMaxArchi || d.NumIncroci > kMaxIncroci) return {};
    // Working tables kept between calls: a rewrite asks this for the corners of many diagrams.
    // Every mark is 0 between calls: a walk clears the marks it made.
    thread_local std::vector<char> seen;
    thread_local FaceWalk w;
    thread_local std::vector<int> sorted;
    if (seen.size() < static_cast<std::size_t>(d.NumArchi) + 1)
        seen.resize(static_cast<std::size_t>(d.NumArchi) + 1, 0);
    walkFace(d, tmpIncr, tmpDirez, seen, w);
    if (!w.closed) return {};
    std::string code;
    appendFaceCode(w.arcs, sorted, code);
    return code;
}

namespace {

// The distances from region s, written into its row `riga`, one breadth-first level at a time over rows of
// neighbour bits in one word: a region first reached at level l gets l. `visti` holds s and the regions not
// to reach again, nor go on from.
void livelliInUnaParola(const std::uint64_t* vicini, int s, std::uint64_t visti, CoppiaRegioni* riga) {
    for (std::uint64_t fronte = std::uint64_t{1} << s, livello = 1;; ++livello) {
        std::uint64_t prossimo = 0;
        for (std::uint64_t b = fronte; b != 0; b &= b - 1) prossimo |= vicini[std::countr_zero(b)];
        prossimo &= ~visti;
        if (prossimo == 0) break;
        visti |= prossimo;
        for (std::uint64_t b = prossimo; b != 0; b &= b - 1)
            riga[std::countr_zero(b)].dis = static_cast<int>(livello);
        fronte = prossimo;
    }
}

// The same over rows of `parole` words; `fronte` holds the region searched from, and is used up.
void livelliInParole(const std::vector<std::uint64_t>& vicini, std::size_t parole,
                     std::vector<std::uint64_t>& visti, std::vector<std::uint64_t>& fronte,
                     std::vector<std::uint64_t>& prossimo, CoppiaRegioni* riga) {
    for (int livello = 1;; ++livello) {
        prossimo.assign(parole, 0);
        for (std::size_t w = 0; w < parole; ++w)
            for (std::uint64_t b = fronte[w]; b != 0; b &= b - 1) {
                const std::size_t u = w * 64 + static_cast<std::size_t>(std::countr_zero(b));
                const std::uint64_t* vu = vicini.data() + u * parole;
                for (std::size_t x = 0; x < parole; ++x) prossimo[x] |= vu[x];
            }
        bool altri = false;
        for (std::size_t w = 0; w < parole; ++w) {
            prossimo[w] &= ~visti[w];
            visti[w] |= prossimo[w];
            altri = altri || prossimo[w] != 0;
            for (std::uint64_t b = prossimo[w]; b != 0; b &= b - 1)
                riga[w * 64 + static_cast<std::size_t>(std::countr_zero(b))].dis = livello;
        }
        if (!altri) break;
        fronte.swap(prossimo);
    }
}

// The region graph of regions whose arcs all lie between two regions (Reg1, Reg2): every entry as a fresh
// graph with the arcs written by GeneraGrafoDuale and then the distances by GeneraDistanzeRegioni holds
// it. False, writing nothing, for an arc without its two regions.
bool grafoConDistanze(Diagram& d) {
    const int n = d.NumRegioni;
    const std::size_t lato = static_cast<std::size_t>(n) + 1;
    // The neighbours of every region as a row of bits (one word below 64 regions).
    const std::size_t parole = static_cast<std::size_t>(n) / 64 + 1;
    thread_local std::vector<std::uint64_t> vicini, visti, fronte, prossimo;
    vicini.assign(lato * parole, 0);
    auto metti = [](std::uint64_t* bit, std::size_t v) { bit[v / 64] |= std::uint64_t{1} << (v % 64); };
    for (int a = 1; a <= d.NumArchi; ++a) {
        const Arco& arc = d.archi[static_cast<std::size_t>(a)];
        if (arc.Reg1 == 0 || arc.Reg2 == 0) return false;
        const auto r1 = static_cast<std::size_t>(arc.Reg1), r2 = static_cast<std::size_t>(arc.Reg2);
        if (r1 != r2) {
            metti(vicini.data() + r1 * parole, r2);
            metti(vicini.data() + r2 * parole, r1);
        }
    }
    RegionGraph& g = d.MatRegioni;
    g.reset(n);
    // The arcs between two regions: a later arc between the same two takes the entry.
    for (int a = 1; a <= d.NumArchi; ++a) {
        const Arco& arc = d.archi[static_cast<std::size_t>(a)];
        g.riga(arc.Reg1)[arc.Reg2].arco = a;
        g.riga(arc.Reg2)[arc.Reg1].arco = a;
    }
    // The distances from every region, one breadth-first level at a time; row 0 holds no region.
    for (std::size_t s = 1; s < lato; ++s) {
        CoppiaRegioni* riga = g.riga(static_cast<int>(s));
        if (parole == 1) {
            livelliInUnaParola(vicini.data(), static_cast<int>(s), std::uint64_t{1} << s, riga);
            continue;
        }
        visti.assign(parole, 0);
        fronte.assign(parole, 0);
        metti(visti.data(), s);
        metti(fronte.data(), s);
        livelliInParole(vicini, parole, visti, fronte, prossimo, riga);
    }
    return true;
}

// The region graph's arcs, from each arc's two regions (an arc without both is a fault), and the dumps of
// the regions and arcs.
Status archiDelGrafo(Diagram& d, const ModelSettings& settings) {
    d.MatRegioni.reset(d.NumRegioni);
    for (int a = 1; a <= d.NumArchi; ++a) {
        const Arco& arc = d.archi[static_cast<std::size_t>(a)];
        if (arc.Reg1 == 0 || arc.Reg2 == 0)
            return fail("Arc " + std::to_string(a) + " does not lie between two regions");
        d.MatRegioni.at(arc.Reg1, arc.Reg2).arco = a;
        d.MatRegioni.at(arc.Reg2, arc.Reg1).arco = a;
    }
    StampaRegioni(d, settings);
    StampaArchi(d, settings);
    return {};
}

// GeneraGrafoDuale for arcs below 1000 without the dumps of every corner's face: the faces are ordered by
// their arcs in ascending order, compared as numbers one after another, which is the order of their codes
// (three digits an arc, a shorter code that begins another before it), and only the regions' codes are
// written. The side tables are those of GeneraGrafoDuale, and Reg1, Reg2 cleared.
// With `distanze` (every arc between two regions) the region graph is written with the
// distances GeneraDistanzeRegioni would then write, one row after another in a single pass over the
// graph, and *distanze set.
// The corners c * 4 + side - 1 of the crossings as a face walk goes from one to the next (walkFace): the
// arc of each corner (0 for a side whose arc is outside the arc table) and the corner the walk goes on
// from after that arc (-1 where it cannot go on). The far end of an arc held by exactly two sides is its
// other side, which the walk's search of the crossing it reaches finds when that crossing holds it, and
// nothing else there can; any other arc is searched for as walkFace searches.
void angoliDelleFacce(const Diagram& d, std::vector<int>& arcoDi, std::vector<int>& dopo) {
    thread_local std::vector<int> primo, compagno;
    thread_local std::vector<unsigned char> volte;
    const std::size_t archi = static_cast<std::size_t>(d.NumArchi) + 1;
    const std::size_t angoli = static_cast<std::size_t>(d.NumIncroci + 1) * 4;
    primo.assign(archi, -1);
    volte.assign(archi, 0);
    compagno.resize(angoli);  // read only for an arc held by two sides, both of which write it
    arcoDi.assign(angoli, 0);
    dopo.assign(angoli, -1);
    for (int c = 1; c <= d.NumIncroci; ++c) {
        const Incrocio& x = d.incroci[static_cast<std::size_t>(c)];
        for (int lato = 1; lato <= 4; ++lato) {
            const int a = x.ArcoLato[static_cast<std::size_t>(lato)];
            if (a < 1 || a > d.NumArchi) continue;
            const int angolo = c * 4 + lato - 1;
            arcoDi[static_cast<std::size_t>(angolo)] = a;
            unsigned char& n = volte[static_cast<std::size_t>(a)];
            if (n == 0) {
                primo[static_cast<std::size_t>(a)] = angolo;
            } else if (n == 1) {
                const int p = primo[static_cast<std::size_t>(a)];
                compagno[static_cast<std::size_t>(angolo)] = p;
                compagno[static_cast<std::size_t>(p)] = angolo;
            }
            n = static_cast<unsigned char>(std::min(n + 1, 3));
        }
    }
    for (int c = 1; c <= d.NumIncroci; ++c) {
        const Incrocio& x = d.incroci[static_cast<std::size_t>(c)];
        for (int lato = 1; lato <= 4; ++lato) {
            const int angolo = c * 4 + lato - 1;
            const int a = arcoDi[static_cast<std::size_t>(angolo)];
            const int next = x.IncrocioLato[static_cast<std::size_t>(lato)];
            if (a == 0 || next < 1 || next > d.NumIncroci) continue;
            if (volte[static_cast<std::size_t>(a)] == 2) {
                // The other side is side altro % 4 + 1 of crossing altro / 4; the walk goes on from the
                // side after it.
                const auto altro = static_cast<unsigned>(compagno[static_cast<std::size_t>(angolo)]);
                if (altro >> 2 == static_cast<unsigned>(next))
                    dopo[static_cast<std::size_t>(angolo)] = next * 4 + static_cast<int>((altro + 1) & 3);
                continue;
            }
            const Incrocio& there = d.incroci[static_cast<std::size_t>(next)];
            int k = 0;
            for (int s = 1; s <= 4 && k == 0; ++s)
                if (there.ArcoLato[static_cast<std::size_t>(s)] == a && !(next == c && s == lato)) k = s;
            if (k != 0) dopo[static_cast<std::size_t>(angolo)] = next * 4 + (k == 4 ? 1 : k + 1) - 1;
        }
    }
}

Status regioniDalleFacce(Diagram& d, const ModelSettings& settings, bool* distanze) {
    thread_local std::vector<int> faceOfCorner, arcs, arcsStart, order, arcoDi, dopo, giro, testa, seguente;
    thread_local std::vector<char> seen;
    angoliDelleFacce(d, arcoDi, dopo);
    faceOfCorner.assign(static_cast<std::size_t>(d.NumIncroci + 1) * 4, -1);
    seen.assign(static_cast<std::size_t>(d.NumArchi) + 1, 0);
    giro.resize(static_cast<std::size_t>(d.NumArchi) + 1);  // the corners of the walk under way
    arcs.clear();
    arcsStart.assign(1, 0);
    for (int c = 1; c <= d.NumIncroci; ++c) {
        for (int side = 1; side <= 4; ++side) {
            const int inizio = c * 4 + side - 1;
            if (faceOfCorner[static_cast<std::size_t>(inizio)] >= 0) continue;
            // The walk of walkFace from this corner; its arcs in ascending order (a face has few: by
            // insertion).
            const std::size_t da = arcs.size();
            std::size_t passi = 0;
            bool closed = false, cycle = false;
            for (int angolo = inizio; angolo >= 0; angolo = dopo[static_cast<std::size_t>(angolo)]) {
                const int a = arcoDi[static_cast<std::size_t>(angolo)];
                if (a == 0) break;
                if (seen[static_cast<std::size_t>(a)]) {
                    closed = true;
                    cycle = angolo == inizio;
                    break;
                }
                seen[static_cast<std::size_t>(a)] = 1;
                giro[passi++] = angolo;
                std::size_t k = arcs.size();
                arcs.push_back(a);
                for (; k > da && arcs[k - 1] > a; --k) arcs[k] = arcs[k - 1];
                arcs[k] = a;
            }
            for (std::size_t i = da; i < arcs.size(); ++i) seen[static_cast<std::size_t>(arcs[i])] = 0;
            if (!closed)
                return fail("The side tables do not close the region at side " + std::to_string(side) +
                            " of crossing " + std::to_string(c));
            const int index = static_cast<int>(arcsStart.size()) - 1;
            arcsStart.push_back(static_cast<int>(arcs.size()));
            if (cycle)
                for (std::size_t i = 0; i < passi; ++i)
                    faceOfCorner[static_cast<std::size_t>(giro[i])] = index;
        }
    }
    const int numFacce = static_cast<int>(arcsStart.size()) - 1;
    auto facciata = [](int f) {
        return std::span<const int>(arcs.data() + arcsStart[static_cast<std::size_t>(f)],
                                    arcs.data() + arcsStart[static_cast<std::size_t>(f) + 1]);
    };
    // The faces in ascending order of their arcs: by their least arc first, which at most a few faces
    // share (an arc lies on two), then those few by insertion.
    testa.assign(static_cast<std::size_t>(d.NumArchi) + 1, -1);
    seguente.resize(static_cast<std::size_t>(numFacce));
    for (int f = numFacce - 1; f >= 0; --f) {
        int& t = testa[static_cast<std::size_t>(
            arcs[static_cast<std::size_t>(arcsStart[static_cast<std::size_t>(f)])])];
        seguente[static_cast<std::size_t>(f)] = t;
        t = f;
    }
    order.clear();
    for (int a = 1; a <= d.NumArchi; ++a) {
        const std::size_t da = order.size();
        for (int f = testa[static_cast<std::size_t>(a)]; f >= 0; f = seguente[static_cast<std::size_t>(f)]) {
            const auto nuova = facciata(f);
            std::size_t k = order.size();
            order.push_back(f);
            for (; k > da; --k) {
                const auto prima = facciata(order[k - 1]);
                if (!std::lexicographical_compare(nuova.begin(), nuova.end(), prima.begin(), prima.end()))
                    break;
                order[k] = order[k - 1];
            }
            order[k] = f;
        }
    }
    thread_local std::vector<int> regionFace;
    regionFace.clear();
    d.NumRegioni = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const auto f = facciata(order[i]);
        if (i > 0 && std::ranges::equal(f, facciata(order[i - 1]))) continue;
        if (d.NumRegioni + 1 > kMaxRegioni) {
            d.NumRegioni = 0;
            return fail("Too many regions (at most " + std::to_string(kMaxRegioni) + ")");
        }
        ++d.NumRegioni;
        std::string& code = d.CodRegione[static_cast<std::size_t>(d.NumRegioni)];
        code.clear();
        appendTreCifre(f, code);
        regionFace.push_back(order[i]);
    }
    StampaListaNumerata(d.CodRegione, d.NumRegioni, "tmpreg.txt", settings);

    for (int r = 1; r <= d.NumRegioni; ++r)
        for (int a : facciata(regionFace[static_cast<std::size_t>(r) - 1])) {
            Arco& arc = d.archi[static_cast<std::size_t>(a)];
            (arc.Reg1 == 0 ? arc.Reg1 : arc.Reg2) = r;
        }
    if (distanze && grafoConDistanze(d)) {
        *distanze = true;
        StampaRegioni(d, settings);
        StampaArchi(d, settings);
        return {};
    }
    return archiDelGrafo(d, settings);
}

// GeneraGrafoDuale; with `distanze`, the region distances too where *distanze comes back set.
Status grafoDuale(Diagram& d, const ModelSettings& settings, bool* distanze) {
    if (d.NumArchi < 0 || d.NumArchi > kMaxArchi || d.NumIncroci < 0 || d.NumIncroci > kMaxIncroci)
        return fail("The arc or crossing count is beyond the tables");
    for (int a = 1; a <= d.NumArchi; ++a) d.archi[a].Reg1 = d.archi[a].Reg2 = 0;
    if (!settings.ModoDebug && d.NumArchi < 1000) return regioniDalleFacce(d, settings, distanze);

    // The face of every crossing corner, in crossing then side order. A face met again from another corner
    // of the same closed walk is not walked again. The walks' arcs and codes are kept one after another in
    // flat tables, kept between calls: the searches build a diagram for every one they meet.
    const int m = d.NumIncroci * 4;
    thread_local std::vector<int> faceOfCorner, faceOf, arcsFlat, arcsStart, sorted, order;
    thread_local std::string codesFlat;
    thread_local std::vector<std::size_t> codeStart;
    thread_local std::vector<char> seen;
    thread_local FaceWalk w;
    faceOfCorner.assign(static_cast<std::size_t>(d.NumIncroci + 1) * 4, -1);
    faceOf.assign(static_cast<std::size_t>(m) + 1, -1);
    seen.assign(static_cast<std::size_t>(d.NumArchi) + 1, 0);
    arcsFlat.clear();
    arcsStart.assign(1, 0);
    codesFlat.clear();
    codeStart.assign(1, 0);
    auto code = [&](int f) {
        return std::string_view(codesFlat).substr(
            codeStart[static_cast<std::size_t>(f)],
            codeStart[static_cast<std::size_t>(f) + 1] - codeStart[static_cast<std::size_t>(f)]);
    };
    int k = 0;
    for (int c = 1; c <= d.NumIncroci; ++c) {
        for (int side = 1; side <= 4; ++side) {
            ++k;
            const int corner = c * 4 + side - 1;
            if (faceOfCorner[corner] >= 0) {
                faceOf[k] = faceOfCorner[corner];
                continue;
            }
            walkFace(d, c, side, seen, w);
            if (!w.closed)
                return fail("The side tables do not close the region at side " + std::to_string(side) +
                            " of crossing " + std::to_string(c));
            const int index = static_cast<int>(codeStart.size()) - 1;
            appendFaceCode(w.arcs, sorted, codesFlat);
            codeStart.push_back(codesFlat.size());
            arcsFlat.insert(arcsFlat.end(), w.arcs.begin(), w.arcs.end());
            arcsStart.push_back(static_cast<int>(arcsFlat.size()));
            faceOf[k] = index;
            if (w.cycle)
                for (int corner2 : w.corners) faceOfCorner[corner2] = index;
        }
    }
    const int numCodes = static_cast<int>(codeStart.size()) - 1;
    if (settings.ModoDebug) {
        std::vector<std::string> collected(static_cast<std::size_t>(m) + 1);
        for (int i = 1; i <= m; ++i) collected[i] = std::string(code(faceOf[i]));
        StampaListaNumerata(collected, m, "tmpreg00.txt", settings);
        std::sort(collected.begin() + 1, collected.end());
        StampaListaNumerata(collected, m, "tmpreg01.txt", settings);
    }

    // Distinct codes in ascending text order are the regions.
    order.resize(static_cast<std::size_t>(numCodes));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int x, int y) { return code(x) < code(y); });
    thread_local std::vector<int> regionArcs;  // index of the walk giving each region's arcs
    regionArcs.clear();
    d.NumRegioni = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && code(order[i]) == code(order[i - 1])) continue;
        if (d.NumRegioni + 1 > kMaxRegioni) {
            d.NumRegioni = 0;
            return fail("Too many regions (at most " + std::to_string(kMaxRegioni) + ")");
        }
        ++d.NumRegioni;
        d.CodRegione[d.NumRegioni] = code(order[i]);
        regionArcs.push_back(order[i]);
    }
    StampaListaNumerata(d.CodRegione, d.NumRegioni, "tmpreg.txt", settings);

    for (int r = 1; r <= d.NumRegioni; ++r) {
        const int f = regionArcs[r - 1];
        for (int i = arcsStart[f]; i < arcsStart[f + 1]; ++i) {
            const int a = arcsFlat[i];
            Arco& arc = d.archi[a];
            (arc.Reg1 == 0 ? arc.Reg1 : arc.Reg2) = r;
        }
    }
    return archiDelGrafo(d, settings);
}

}  // namespace

Status GeneraGrafoDuale(Diagram& d, const ModelSettings& settings) {
    return grafoDuale(d, settings, nullptr);
}

bool GeneraCamminoMinimo(Diagram& d, int da, int ad, bool tmpCompleto, int newDist, int Nd2,
                         const ModelSettings& settings) {
    RegionGraph& g = d.MatRegioni;
    const int n = std::min(d.NumRegioni, g.size());
    bool complete = true;
    if (n <= 0) return complete;

    // Neighbours of every region in ascending order, with the arc between them.
    std::vector<std::vector<std::pair<int, int>>> neighbours(static_cast<std::size_t>(n) + 1);
    for (int u = 1; u <= n; ++u)
        for (int v = 1; v <= n; ++v)
            if (v != u && g.at(u, v).arco != 0) neighbours[u].emplace_back(v, g.at(u, v).arco);
    const bool nd2Valid = Nd2 >= 0 && Nd2 <= n;

    struct Entry {
        int region;
        int parent;  // queue index of the entry this one was reached from, -1 for the start
        int arc;
        int dist;
    };
    std::vector<Entry> queue;
    std::vector<int> chain;
    std::string camPath, regPath;

    for (int s = std::max(da, 1); s <= std::min(ad, n); ++s) {
        queue.clear();
        queue.push_back({s, -1, 0, 0});
        int further = 0;  // queued paths beyond the first reach of their region
        // The arc path and region path of queue entry e, each closed by "|".
        auto buildPaths = [&](int e) {
            chain.clear();
            for (int i = e; queue[i].parent >= 0; i = queue[i].parent) chain.push_back(i);
            camPath.clear();
            regPath.clear();
            appendNumber(regPath, s);
            regPath += ',';
            for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
                appendNumber(camPath, queue[*it].arc);
                camPath += ',';
                appendNumber(regPath, queue[*it].region);
                regPath += ',';
            }
            camPath += '|';
            regPath += '|';
        };
        for (std::size_t head = 0; head < queue.size(); ++head) {
            const int u = queue[head].region;
            const int t = queue[head].dist;
            for (const auto& [v, a] : neighbours[u]) {
                if (v == s) continue;
                CoppiaRegioni& sv = g.at(s, v);
                if (sv.dis == 0) {
                    queue.push_back({v, static_cast<int>(head), a, t + 1});
                    sv.dis = t + 1;
                    buildPaths(static_cast<int>(queue.size()) - 1);
                    TestiCammino& testi = g.testi(s, v);
                    testi.cam = camPath;
                    testi.reg = regPath;
                } else if (tmpCompleto && sv.dis == t + 1 && nd2Valid &&
                           g.at(Nd2, v).dis + sv.dis <= newDist) {
                    if (further >= settings.maxCodaCammini) {
                        complete = false;
                        continue;
                    }
                    ++further;
                    queue.push_back({v, static_cast<int>(head), a, t + 1});
                    buildPaths(static_cast<int>(queue.size()) - 1);
                    TestiCammino& testi = g.testi(s, v);
                    if (testi.cam.size() + camPath.size() > settings.maxTestoCammini ||
                        testi.reg.size() + regPath.size() > settings.maxTestoCammini) {
                        complete = false;
                        continue;
                    }
                    testi.cam += camPath;
                    testi.reg += regPath;
                }
            }
        }
    }
    StampaRegioni(d, settings);
    return complete;
}

namespace {

// The breadth-first distances of the region graph, as GeneraDistanzeRegioni writes them. With `nuovo` the
// graph is the one GeneraGrafoDuale has just made, every distance still 0: the neighbours are then read
// from the two regions beside every arc (the pairs whose arco it wrote) instead of from every entry of the
// graph, and no distance is known before.
void distanzeRegioni(Diagram& d, bool nuovo) {
    RegionGraph& g = d.MatRegioni;
    const int n = std::min(d.NumRegioni, g.size());
    if (n <= 0) return;
    // The arcs between two regions of the graph, each pair once per arc (both ways).
    auto perOgniCoppia = [&d, n](auto&& f) {
        for (int a = 1; a <= d.NumArchi; ++a) {
            const int r1 = d.archi[static_cast<std::size_t>(a)].Reg1,
                      r2 = d.archi[static_cast<std::size_t>(a)].Reg2;
            if (r1 == r2 || r1 < 1 || r1 > n || r2 < 1 || r2 > n) continue;
            f(r1, r2);
            f(r2, r1);
        }
    };
    if (n < 64) {
        // One word a row: the usual diagram of a search, which builds this for every diagram it meets.
        // Each row read once for its neighbours and for the regions with a distance already, which are
        // not reached again, nor gone on from (a row is written only when its own region is searched from).
        std::uint64_t vicini[64] = {}, giaNote[64] = {};
        if (nuovo) {
            perOgniCoppia([&vicini](int u, int v) { vicini[u] |= std::uint64_t{1} << v; });
        } else {
            for (int u = 1; u <= n; ++u) {
                const CoppiaRegioni* riga = &g.at(u, 0);
                std::uint64_t bit = 0, note = 0;
                for (int v = 1; v <= n; ++v) {
                    if (v != u && riga[v].arco != 0) bit |= std::uint64_t{1} << v;
                    if (riga[v].dis != 0) note |= std::uint64_t{1} << v;
                }
                vicini[u] = bit;
                giaNote[u] = note;
            }
        }
        for (int s = 1; s <= n; ++s) {
            CoppiaRegioni* riga = &g.at(s, 0);
            livelliInUnaParola(vicini, s, (std::uint64_t{1} << s) | giaNote[s], riga);
        }
        return;
    }
    // The neighbours of every region as a row of bits, so that one breadth-first level from a region is a
    // few word operations per region on it.
    const std::size_t parole = static_cast<std::size_t>(n) / 64 + 1;
    thread_local std::vector<std::uint64_t> vicini, visti, fronte, prossimo;
    vicini.assign((static_cast<std::size_t>(n) + 1) * parole, 0);
    auto metti = [](std::uint64_t* bit, int v) {
        bit[static_cast<std::size_t>(v) / 64] |= std::uint64_t{1} << (static_cast<unsigned>(v) % 64);
    };
    if (nuovo) {
        perOgniCoppia([&](int u, int v) { metti(vicini.data() + static_cast<std::size_t>(u) * parole, v); });
    } else {
        for (int u = 1; u <= n; ++u) {
            const CoppiaRegioni* riga = &g.at(u, 0);
            std::uint64_t* vu = vicini.data() + static_cast<std::size_t>(u) * parole;
            for (int v = 1; v <= n; ++v)
                if (v != u && riga[v].arco != 0) metti(vu, v);
        }
    }
    for (int s = 1; s <= n; ++s) {
        CoppiaRegioni* riga = &g.at(s, 0);
        // A region with a distance already is not reached again, nor gone on from.
        visti.assign(parole, 0);
        fronte.assign(parole, 0);
        metti(visti.data(), s);
        metti(fronte.data(), s);
        if (!nuovo)
            for (int v = 1; v <= n; ++v)
                if (riga[v].dis != 0) metti(visti.data(), v);
        livelliInParole(vicini, parole, visti, fronte, prossimo, riga);
    }
}

}  // namespace

void GeneraDistanzeRegioni(Diagram& d) {
    distanzeRegioni(d, false);
}

Status Cmdgecare_Click(Diagram& d, const ModelSettings& settings) {
    if (auto esito = CmDConvertiGemelli_Click(d, settings); !esito) return esito;
    if (auto esito = CmdGrafoReg_Click(d, settings); !esito) return esito;
    CmdCammino_Click(d, settings);
    return {};
}

namespace {

// The passages of d.txtNodo and its letters read once, as the code check and the reader into the tables
// read them, when the check finds no fault and the tables hold the code: `girati` the passages turned so
// that the first is at crossing 1, as the check turns the text, and `comeScritto` whether the text is the
// one the check writes for them already (it begins at crossing 1 and no label has a leading 0). False for
// any other code, which is left to the check and the reader themselves, with their messages; nothing is
// written meanwhile.
bool passaggiSenzaDifetti(const Diagram& d, std::vector<PassaggioGauss>& girati, bool& comeScritto) {
    thread_local std::vector<int> etichette, somma, volte;
    thread_local std::vector<char> segniDopo;
    const std::string_view t = d.txtNodo;
    if (t.empty()) return false;
    etichette.clear();
    segniDopo.clear();
    int top = 0;
    comeScritto = true;
    for (std::size_t i = 0; i < t.size();) {
        const std::size_t inizio = i;
        comeScritto = comeScritto && t[i] != '0';
        int valore = 0;
        for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
            valore = valore * 10 + (t[i] - '0');
            if (valore > kMaxIncrociGauss) return false;
        }
        if (i == inizio || i >= t.size() || (t[i] != '+' && t[i] != '-') || valore == 0) return false;
        etichette.push_back(valore);
        segniDopo.push_back(t[i]);
        top = std::max(top, valore);
        ++i;
    }
    const std::size_t n = etichette.size();
    if (n > 2 * static_cast<std::size_t>(kMaxIncrociGauss) || n > static_cast<std::size_t>(kMaxArchi) ||
        top > kMaxIncroci)
        return false;
    // Passage k's sign is written after passage k - 1's label.
    somma.assign(static_cast<std::size_t>(top) + 1, 0);
    volte.assign(static_cast<std::size_t>(top) + 1, 0);
    std::size_t primo = n;
    for (std::size_t k = 0; k < n; ++k) {
        const int l = etichette[k];
        somma[static_cast<std::size_t>(l)] += segniDopo[(k + n - 1) % n] == '+' ? l : -l;
        ++volte[static_cast<std::size_t>(l)];
        if (l == 1 && primo == n) primo = k;
    }
    for (int c = 1; c <= top; ++c)
        if (somma[static_cast<std::size_t>(c)] != 0 || volte[static_cast<std::size_t>(c)] != 2) return false;
    if (static_cast<int>(d.TxtOri.size()) != top ||
        !std::all_of(d.TxtOri.begin(), d.TxtOri.end(), [](char ch) { return ch == 'O' || ch == 'V'; }))
        return false;
    comeScritto = comeScritto && primo == 0;
    girati.resize(n);
    for (std::size_t j = 0; j < n; ++j) {
        const std::size_t k = (primo + j) % n;
        girati[j] = {etichette[k], segniDopo[(k + n - 1) % n]};
    }
    return true;
}

// The text of passages as scriviTestoGauss writes it, into `out`.
void scriviPassaggi(const std::vector<PassaggioGauss>& passaggi, std::string& out) {
    out.clear();
    const std::size_t n = passaggi.size();
    for (std::size_t k = 0; k < n; ++k) {
        appendNumber(out, passaggi[k].label);
        out += passaggi[(k + 1) % n].sign;
    }
}

// The code check shows its fault lines through ui when there is one.
Status strutturaDaCodice(Diagram& d, MessagePort* ui, const ModelSettings& settings, CamminiRegioni cammini,
                         bool nomi = true) {
    // A sound code is read once: the check's turned text and the reader's tables are written from the
    // same passages.
    thread_local std::vector<PassaggioGauss> passaggi;
    bool comeScritto = false;
    if (passaggiSenzaDifetti(d, passaggi, comeScritto)) {
        if (!comeScritto) scriviPassaggi(passaggi, d.txtNodo);
        if (auto lettura = DeserializzaPassaggi(d, passaggi, settings, nomi); !lettura) return lettura;
    } else {
        if (auto verifica = VerificaGau(d); !verifica) {
            if (ui) ui->showMessage(verifica.error());
            return verifica;
        }
        if (auto lettura = Deserializza(d, settings); !lettura) return lettura;
    }
    AssegnaLatiTutti(d);
    if (cammini == CamminiRegioni::Testi) return Cmdgecare_Click(d, settings);
    // CmDConvertiGemelli_Click, whose crossing letters the reading has just written: only their dump again.
    auto gemelli = GeneraCodGem(d, settings);
    if (settings.ModoDebug) StampaIncroci(d, settings);
    StampaArchi(d, settings);
    if (!gemelli) return gemelli;
    if (cammini == CamminiRegioni::Nessuno) return CmdGrafoReg_Click(d, settings);
    // The distances with the region graph where they can be written in the same pass; else from the
    // graph just made, whose neighbours are those of the arcs.
    bool distanze = false;
    if (auto esito = grafoDuale(d, settings, &distanze); !esito) return esito;
    if (!distanze) distanzeRegioni(d, true);
    return {};
}

}  // namespace

Status StrutturaDaCodice(Diagram& d, MessagePort& ui, const ModelSettings& settings, CamminiRegioni cammini) {
    return strutturaDaCodice(d, &ui, settings, cammini);
}

Status CostruisciStrutturaRicerca(Diagram& d, bool conDistanze, bool conNomi) {
    return strutturaDaCodice(d, nullptr, {},
                             conDistanze ? CamminiRegioni::SoloDistanze : CamminiRegioni::Nessuno, conNomi);
}

}  // namespace trevalon
