#include "support/knot_invariants.h"

#include <algorithm>
#include <array>
#include <map>
#include <numeric>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace trevalon::testsupport {

namespace {

using u64 = std::uint64_t;
// A GCC and Clang extension, marked as one so that pedantic builds accept it.
__extension__ typedef unsigned __int128 u128;

constexpr u64 kPrimes[] = {2305843009213693951ULL, 1000000000000000009ULL};  // 2^61 - 1 and 10^18 + 9
constexpr std::int64_t kPoints[] = {2, 3, 5, -2};

u64 mulMod(u64 a, u64 b, u64 p) {
    return static_cast<u64>(static_cast<u128>(a) * b % p);
}
u64 addMod(u64 a, u64 b, u64 p) {
    return static_cast<u64>((static_cast<u128>(a) + b) % p);
}
u64 subMod(u64 a, u64 b, u64 p) {
    return addMod(a, p - b % p, p);
}
u64 toMod(std::int64_t v, u64 p) {
    const std::int64_t r = v % static_cast<std::int64_t>(p);
    return r < 0 ? static_cast<u64>(r + static_cast<std::int64_t>(p)) : static_cast<u64>(r);
}
u64 powMod(u64 a, u64 e, u64 p) {
    u64 r = 1 % p;
    while (e) {
        if (e & 1) r = mulMod(r, a, p);
        a = mulMod(a, a, p);
        e >>= 1;
    }
    return r;
}
u64 invMod(u64 a, u64 p) {
    return powMod(a, p - 2, p);
}

u64 determinantMod(std::vector<std::vector<u64>> m, u64 p) {
    const std::size_t n = m.size();
    u64 det = 1;
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t piv = col;
        while (piv < n && m[piv][col] == 0) ++piv;
        if (piv == n) return 0;
        if (piv != col) {
            std::swap(m[piv], m[col]);
            det = subMod(0, det, p);
        }
        det = mulMod(det, m[col][col], p);
        const u64 inv = invMod(m[col][col], p);
        for (std::size_t r = col + 1; r < n; ++r) {
            if (m[r][col] == 0) continue;
            const u64 f = mulMod(m[r][col], inv, p);
            for (std::size_t c = col; c < n; ++c) m[r][c] = subMod(m[r][c], mulMod(f, m[col][c], p), p);
        }
    }
    return det;
}

// Over-arcs: an arc runs from one under-passage to the next; arcOfEdge[e] for edge e (passage e to e + 1).
std::vector<int> arcsOfEdges(const GaussDiagram& d) {
    const int m = static_cast<int>(d.passages.size());
    std::vector<int> arcOfEdge(m, 0);
    int u0 = 0;
    while (d.passages[u0].over) ++u0;
    int arc = 0;
    for (int k = 0; k < m; ++k) {
        const int e = (u0 + k) % m;
        arcOfEdge[e] = arc;
        if (!d.passages[(e + 1) % m].over && k < m - 1) ++arc;
    }
    return arcOfEdge;
}

Laurent loopValue() {
    return Laurent::fromTerms({{-1, 2}, {-1, -2}});
}  // d = -A^2 - A^-2

struct BracketState {
    std::vector<std::pair<int, int>> mates;  // open edges paired through the smoothed part, sorted
    bool operator<(const BracketState& o) const { return mates < o.mates; }
};

int mateOf(const std::vector<std::pair<int, int>>& mates, int e) {
    for (const auto& [a, b] : mates) {
        if (a == e) return b;
        if (b == e) return a;
    }
    return -1;
}

}  // namespace

std::uint64_t alexanderMinorMod(const GaussDiagram& d, std::int64_t a, std::uint64_t p) {
    const int n = d.crossings();
    if (n <= 1) return 1 % p;
    const std::vector<int> arcOfEdge = arcsOfEdges(d);
    const int m = static_cast<int>(d.passages.size());
    std::vector<int> overPassage(n, -1), underPassage(n, -1);
    for (int k = 0; k < m; ++k)
        (d.passages[k].over ? overPassage : underPassage)[d.passages[k].label - 1] = k;
    const u64 t = toMod(a, p);
    const u64 oneMinusT = subMod(1, t, p);
    const u64 minusOne = p - 1;
    std::vector<std::vector<u64>> full(n, std::vector<u64>(n, 0));
    for (int c = 0; c < n; ++c) {
        const int over = arcOfEdge[overPassage[c]];
        const int in = arcOfEdge[(underPassage[c] + m - 1) % m];
        const int out = arcOfEdge[underPassage[c]];
        const bool positive = d.signs[c] > 0;
        full[c][over] = addMod(full[c][over], oneMinusT, p);
        full[c][in] = addMod(full[c][in], positive ? t : minusOne, p);
        full[c][out] = addMod(full[c][out], positive ? minusOne : t, p);
    }
    std::vector<std::vector<u64>> minor(n - 1, std::vector<u64>(n - 1));
    for (int r = 0; r + 1 < n; ++r)
        for (int c = 0; c + 1 < n; ++c) minor[r][c] = full[r][c];
    return determinantMod(std::move(minor), p);
}

std::optional<Laurent> kauffmanBracket(const GaussDiagram& d, std::size_t maxStates) {
    const int n = d.crossings();
    if (n == 0) return Laurent::monomial(1, 0);
    const PdCode pd = pdCode(d);
    const int edges = static_cast<int>(d.passages.size());
    const Laurent loop = loopValue();
    std::vector<Laurent> loopPowers{Laurent::monomial(1, 0)};
    try {
        // Order: next the crossing with most edges into the part already done (keeps the cut small).
        std::vector<int> done(edges, 0);  // ends of each edge already processed
        std::vector<char> used(n, 0);
        std::map<BracketState, Laurent> states;
        states[BracketState{}] = Laurent::monomial(1, 0);
        for (int step = 0; step < n; ++step) {
            int best = -1, bestScore = -1;
            for (int c = 0; c < n; ++c) {
                if (used[c]) continue;
                int score = 0;
                for (int e : pd[c]) score += done[e - 1] == 1;
                if (score > bestScore) bestScore = score, best = c;
            }
            used[best] = 1;
            std::array<int, 4> e{};
            for (int s = 0; s < 4; ++s) e[s] = pd[best][s] - 1;
            std::array<bool, 4> isPort{};
            for (int s = 0; s < 4; ++s) isPort[s] = done[e[s]] == 1;

            std::map<BracketState, Laurent> next;
            for (const auto& [state, poly] : states) {
                for (int smoothing = 0; smoothing < 2; ++smoothing) {
                    // Links among the four ends at this crossing; an end without a partner here leads out.
                    std::array<std::vector<int>, 4> link;
                    auto join = [&](int i, int j) {
                        link[i].push_back(j);
                        link[j].push_back(i);
                    };
                    if (smoothing == 0) {
                        join(0, 1);
                        join(2, 3);
                    } else {
                        join(0, 3);
                        join(1, 2);
                    }
                    std::array<int, 4> outer{-1, -1, -1, -1};
                    for (int i = 0; i < 4; ++i) {
                        for (int j = i + 1; j < 4; ++j) {
                            if (e[i] == e[j])
                                join(i, j);  // a curl edge with both ends here
                            else if (isPort[i] && isPort[j] && mateOf(state.mates, e[i]) == e[j])
                                join(i, j);
                        }
                    }
                    for (int i = 0; i < 4; ++i) {
                        if (link[i].size() == 2) continue;
                        outer[i] = isPort[i] ? mateOf(state.mates, e[i]) : e[i];
                    }
                    BracketState ns;
                    for (const auto& pr : state.mates) {
                        bool touches = false;
                        for (int i = 0; i < 4; ++i)
                            touches |= isPort[i] && (pr.first == e[i] || pr.second == e[i]);
                        if (!touches) ns.mates.push_back(pr);
                    }
                    std::array<char, 4> seen{};
                    for (int i = 0; i < 4; ++i) {
                        if (seen[i] || outer[i] < 0) continue;
                        int prev = -1, cur = i;
                        seen[cur] = 1;
                        while (true) {
                            int nxt = -1;
                            for (int j : link[cur])
                                if (j != prev && !seen[j]) nxt = j;
                            if (nxt < 0) break;
                            prev = cur;
                            cur = nxt;
                            seen[cur] = 1;
                        }
                        // Remove any stale pair of the outer ends, then pair them.
                        const int x = outer[i], y = outer[cur];
                        std::erase_if(ns.mates, [&](const std::pair<int, int>& pr) {
                            return pr.first == x || pr.second == x || pr.first == y || pr.second == y;
                        });
                        ns.mates.emplace_back(std::min(x, y), std::max(x, y));
                    }
                    int cycles = 0;
                    for (int i = 0; i < 4; ++i) {
                        if (seen[i]) continue;
                        ++cycles;
                        int prev = -1, cur = i;
                        while (!seen[cur]) {
                            seen[cur] = 1;
                            int nxt = -1;
                            for (int j : link[cur])
                                if (j != prev && !seen[j]) nxt = j;
                            if (nxt < 0) break;
                            prev = cur;
                            cur = nxt;
                        }
                    }
                    std::sort(ns.mates.begin(), ns.mates.end());
                    while (static_cast<int>(loopPowers.size()) <= cycles)
                        loopPowers.push_back(loopPowers.back() * loop);
                    Laurent term = (poly * loopPowers[cycles]).shifted(smoothing == 0 ? 1 : -1);
                    next[ns] += term;
                }
            }
            for (int s = 0; s < 4; ++s) done[e[s]]++;
            states = std::move(next);
            if (states.size() > maxStates) return std::nullopt;
        }
        if (states.size() != 1 || !states.begin()->first.mates.empty())
            throw std::logic_error("bracket sum left open strands");
        return states.begin()->second.dividedBy(loop);
    } catch (const std::overflow_error&) {
        return std::nullopt;
    }
}

Laurent kauffmanBracketByStates(const GaussDiagram& d) {
    const int n = d.crossings();
    if (n == 0) return Laurent::monomial(1, 0);
    if (n > 24) throw std::invalid_argument("too many crossings for the plain state sum");
    const PdCode pd = pdCode(d);
    const int edges = static_cast<int>(d.passages.size());
    const Laurent loop = loopValue();
    std::vector<Laurent> loopPowers{Laurent::monomial(1, 0)};
    for (int i = 0; i < edges; ++i) loopPowers.push_back(loopPowers.back() * loop);
    std::vector<int> parent(edges);
    std::vector<std::vector<std::int64_t>> counts(n + 1, std::vector<std::int64_t>(edges + 1, 0));
    for (std::uint32_t mask = 0; mask < (1U << n); ++mask) {
        std::iota(parent.begin(), parent.end(), 0);
        auto root = [&](int x) {
            while (parent[x] != x) x = parent[x] = parent[parent[x]];
            return x;
        };
        int components = edges;
        auto unite = [&](int a, int b) {
            a = root(a), b = root(b);
            if (a != b) parent[a] = b, --components;
        };
        int aCount = 0;
        for (int c = 0; c < n; ++c) {
            const auto& x = pd[c];
            if (mask & (1U << c)) {
                ++aCount;
                unite(x[0] - 1, x[1] - 1);
                unite(x[2] - 1, x[3] - 1);
            } else {
                unite(x[0] - 1, x[3] - 1);
                unite(x[1] - 1, x[2] - 1);
            }
        }
        counts[aCount][components]++;
    }
    Laurent sum;
    for (int a = 0; a <= n; ++a)
        for (int loops = 1; loops <= edges; ++loops)
            if (counts[a][loops])
                sum += (loopPowers[loops - 1] * Laurent::monomial(counts[a][loops], 0)).shifted(2 * a - n);
    return sum;
}

std::optional<Laurent> jonesPolynomial(const GaussDiagram& d, std::size_t maxStates) {
    auto bracket = kauffmanBracket(d, maxStates);
    if (!bracket && d.crossings() <= kAlwaysJonesCrossings) {
        try {
            bracket = kauffmanBracketByStates(d);
        } catch (const std::overflow_error&) {
        }
    }
    if (!bracket) return std::nullopt;
    const int w = d.writhe();
    // (-A^3)^(-w) = (-1)^w A^(-3w)
    Laurent f = bracket->shifted(-3 * w);
    if (w % 2 != 0) f = -f;
    // A = t^(-1/4): A^k becomes t^(-k/4).
    return f.inverted().exponentsDividedBy(4);
}

std::string KnotInvariants::summary() const {
    std::ostringstream s;
    s << crossings << " crossings, " << faces << " faces" << (drawable ? "" : " (NOT drawable)");
    s << ", determinant " << (determinant ? std::to_string(*determinant) : std::string("large"));
    s << ", Jones " << (jones ? jones->toString() : std::string("not computed"));
    return s.str();
}

KnotInvariants invariantsOf(const GaussDiagram& d, std::size_t maxStates) {
    KnotInvariants k;
    k.crossings = d.crossings();
    k.faces = faceCount(d);
    k.drawable = k.faces == k.crossings + 2;
    std::array<u64, 2> atMinusOne{};
    for (int i = 0; i < 2; ++i) {
        const u64 p = kPrimes[i];
        atMinusOne[i] = alexanderMinorMod(d, -1, p);
        k.alexanderSquares.push_back(mulMod(atMinusOne[i], atMinusOne[i], p));
        for (std::int64_t a : kPoints) {
            const u64 da = alexanderMinorMod(d, a, p);
            // Delta(1/a) is Delta(a) for the symmetric Alexander polynomial; the units cancel in the product.
            const u64 invA = invMod(toMod(a, p), p);
            const u64 dInv = alexanderMinorMod(d, static_cast<std::int64_t>(invA), p);
            k.alexanderSquares.push_back(mulMod(da, dInv, p));
        }
    }
    // Chinese remainder of Delta(-1) modulo both primes, read as a signed number.
    const u64 p1 = kPrimes[0], p2 = kPrimes[1];
    const u64 h = mulMod(subMod(atMinusOne[1], atMinusOne[0] % p2, p2), invMod(p1 % p2, p2), p2);
    const u128 x = static_cast<u128>(atMinusOne[0]) + static_cast<u128>(p1) * h;
    const u128 prod = static_cast<u128>(p1) * p2;
    const u128 mag = x > prod / 2 ? prod - x : x;
    if (mag < (static_cast<u128>(1) << 62)) k.determinant = static_cast<std::int64_t>(mag);
    k.jones = jonesPolynomial(d, maxStates);
    return k;
}

KnotInvariants invariantsOf(const std::string& gauss, const std::string& letters) {
    return invariantsOf(diagramOf(gauss, letters));
}

::testing::AssertionResult sameKnot(const GaussDiagram& before, const GaussDiagram& after) {
    const KnotInvariants a = invariantsOf(before);
    const KnotInvariants b = invariantsOf(after);
    std::string why;
    if (!a.drawable) why += "the first code cannot be drawn in the plane; ";
    if (!b.drawable) why += "the second code cannot be drawn in the plane; ";
    if (a.determinant != b.determinant || a.alexanderSquares != b.alexanderSquares)
        why += "determinant or Alexander polynomial differ; ";
    if (a.jones && b.jones && *a.jones != *b.jones) why += "Jones polynomials differ; ";
    if (why.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << why << "\n  before " << gaussText(before) << " " << lettersText(before) << ": " << a.summary()
           << "\n  after  " << gaussText(after) << " " << lettersText(after) << ": " << b.summary();
}

::testing::AssertionResult sameKnot(const std::string& gaussBefore, const std::string& lettersBefore,
                                    const std::string& gaussAfter, const std::string& lettersAfter) {
    std::string why;
    auto a = parseGauss(gaussBefore, lettersBefore, &why);
    if (!a) return ::testing::AssertionFailure() << "first code \"" << gaussBefore << "\": " << why;
    auto b = parseGauss(gaussAfter, lettersAfter, &why);
    if (!b) return ::testing::AssertionFailure() << "second code \"" << gaussAfter << "\": " << why;
    return sameKnot(*a, *b);
}

::testing::AssertionResult isConnectedSumOf(const GaussDiagram& whole,
                                            const std::vector<GaussDiagram>& pieces) {
    const KnotInvariants w = invariantsOf(whole);
    KnotInvariants product;
    product.determinant = 1;
    product.alexanderSquares.assign(w.alexanderSquares.size(), 1);
    product.jones = Laurent::monomial(1, 0);
    std::string why, names;
    for (const GaussDiagram& g : pieces) {
        const KnotInvariants k = invariantsOf(g);
        names += "\n  piece " + gaussText(g) + " " + lettersText(g) + ": " + k.summary();
        if (!k.drawable) why += "a piece cannot be drawn in the plane; ";
        if (product.determinant && k.determinant)
            product.determinant = *product.determinant * *k.determinant;
        else
            product.determinant.reset();
        for (std::size_t i = 0; i < product.alexanderSquares.size() && i < k.alexanderSquares.size(); ++i)
            product.alexanderSquares[i] = mulMod(product.alexanderSquares[i], k.alexanderSquares[i],
                                                 kPrimes[i / (1 + std::size(kPoints))]);
        if (product.jones && k.jones)
            product.jones = *product.jones * *k.jones;
        else
            product.jones.reset();
    }
    if (w.determinant && product.determinant && *w.determinant != *product.determinant)
        why += "the determinants do not multiply; ";
    if (w.alexanderSquares != product.alexanderSquares) why += "the Alexander polynomials do not multiply; ";
    if (w.jones && product.jones && *w.jones != *product.jones)
        why += "the Jones polynomials do not multiply; ";
    if (why.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << why << "\n  whole " << gaussText(whole) << " "
                                         << lettersText(whole) << ": " << w.summary() << names;
}

bool looksUnknotted(const GaussDiagram& d) {
    const KnotInvariants k = invariantsOf(d);
    return k.determinant == 1 &&
           std::all_of(k.alexanderSquares.begin(), k.alexanderSquares.end(),
                       [](std::uint64_t x) { return x == 1; }) &&
           (!k.jones || *k.jones == Laurent::monomial(1, 0));
}

::testing::AssertionResult drawable(const std::string& gauss, const std::string& letters) {
    std::string why;
    auto d = parseGauss(gauss, letters, &why);
    if (!d) return ::testing::AssertionFailure() << "\"" << gauss << "\" / \"" << letters << "\": " << why;
    const int f = faceCount(*d);
    if (f == d->crossings() + 2) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << gauss << "\" / \"" << letters << "\" has " << f
                                         << " faces, a plane drawing needs " << d->crossings() + 2;
}

}  // namespace trevalon::testsupport
