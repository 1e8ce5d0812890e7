#include "support/diagram_generators.h"

#include "support/named_knots.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <stdexcept>

namespace trevalon::testsupport {

namespace {

int uniform(std::mt19937& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

void checkSize(int crossings) {
    if (crossings > kMaxGeneratedCrossings)
        throw std::invalid_argument("generated diagram would exceed " +
                                    std::to_string(kMaxGeneratedCrossings) + " crossings");
}

// Inserts the passages `ins` after passage index `edge` (so on edge `edge`).
void insertOnEdge(std::vector<Passage>& ps, int edge, const std::vector<Passage>& ins) {
    ps.insert(ps.begin() + edge + 1, ins.begin(), ins.end());
}

struct BigonResult {
    GaussDiagram diagram;  // not normalised: the new crossings are n + 1 and n + 2
    int tipEdge = 0;       // the edge between the two new passages of the pushed strand
};

// Pushes a finger of edge e1 (walked with direction dir1 around a face, the face on its left) across the
// edge e2 (walked with dir2 around the same face). Going along e1 in the walking direction the finger
// first crosses e2 at the point that comes later along e2's walking direction.
BigonResult pushFinger(const GaussDiagram& d, FaceStep s1, FaceStep s2, bool firstOver) {
    const int n = d.crossings();
    const int later = n + 1, earlier = n + 2;
    const int signLater = (firstOver ? 1 : -1) * s1.dir * s2.dir;
    BigonResult r;
    r.diagram = d;
    r.diagram.signs.push_back(signLater);
    r.diagram.signs.push_back(-signLater);
    std::vector<Passage> on1 = {{later, firstOver}, {earlier, firstOver}};
    if (s1.dir < 0) std::swap(on1[0], on1[1]);
    std::vector<Passage> on2 = {{earlier, !firstOver}, {later, !firstOver}};
    if (s2.dir < 0) std::swap(on2[0], on2[1]);
    if (s1.edge > s2.edge) {
        insertOnEdge(r.diagram.passages, s1.edge, on1);
        insertOnEdge(r.diagram.passages, s2.edge, on2);
    } else {
        insertOnEdge(r.diagram.passages, s2.edge, on2);
        insertOnEdge(r.diagram.passages, s1.edge, on1);
    }
    const auto& ps = r.diagram.passages;
    for (int q = 0; q < static_cast<int>(ps.size()); ++q) {
        if ((ps[q].label == later || ps[q].label == earlier) && ps[q].over == firstOver) {
            r.tipEdge = q;
            break;
        }
    }
    return r;
}

// Two steps of one face with different edges, chosen at random; false when no face has two edges.
bool pickFacePair(const GaussDiagram& d, std::mt19937& rng, FaceStep& s1, FaceStep& s2) {
    auto fs = faces(d);
    std::shuffle(fs.begin(), fs.end(), rng);
    for (const auto& f : fs) {
        for (int attempt = 0; attempt < 8; ++attempt) {
            const auto& a = f[uniform(rng, 0, static_cast<int>(f.size()) - 1)];
            const auto& b = f[uniform(rng, 0, static_cast<int>(f.size()) - 1)];
            if (a.edge != b.edge) {
                s1 = a;
                s2 = b;
                return true;
            }
        }
    }
    return false;
}

}  // namespace

GaussDiagram braidClosure(int strands, const BraidWord& word) {
    if (strands < 1) throw std::invalid_argument("a braid needs a strand");
    checkSize(static_cast<int>(word.size()));
    for (int g : word)
        if (g == 0 || std::abs(g) >= strands) throw std::invalid_argument("braid letter out of range");
    // Follow the strand from the top of position 0 down through the word, round and round.
    GaussDiagram d;
    std::vector<int> label(word.size(), 0);
    int pos = 0;
    int rounds = 0;
    do {
        ++rounds;
        for (std::size_t j = 0; j < word.size(); ++j) {
            const int g = std::abs(word[j]);
            if (pos != g - 1 && pos != g) continue;
            const bool fromRight = pos == g;
            const bool over = word[j] > 0 ? fromRight : !fromRight;
            if (label[j] == 0) {
                label[j] = static_cast<int>(d.signs.size()) + 1;
                d.signs.push_back(word[j] > 0 ? 1 : -1);
            }
            d.passages.push_back({label[j], over});
            pos = fromRight ? g - 1 : g;
        }
    } while (pos != 0);
    if (d.passages.size() != 2 * word.size() || rounds != strands)
        throw std::invalid_argument("the closure of the braid has more than one component");
    return normalized(d);
}

BraidWord randomKnotBraid(std::mt19937& rng, int strands, int length) {
    if (strands < 1 || length < 0) throw std::invalid_argument("bad braid size");
    // The joining letters are at most strands - 1: refuse sizes that could end beyond the limit.
    checkSize(length + strands - 1);
    BraidWord w;
    for (int i = 0; i < length && strands > 1; ++i)
        w.push_back(uniform(rng, 1, strands - 1) * (uniform(rng, 0, 1) ? 1 : -1));
    // Join the cycles of the strand permutation with extra letters at the bottom.
    while (true) {
        std::vector<int> perm(strands);
        std::iota(perm.begin(), perm.end(), 0);  // perm[position at the bottom] = strand starting there
        for (int g : w) std::swap(perm[std::abs(g) - 1], perm[std::abs(g)]);
        std::vector<int> cycle(strands, -1);
        int cycles = 0;
        for (int s = 0; s < strands; ++s) {
            if (cycle[s] >= 0) continue;
            for (int x = s; cycle[x] < 0; x = perm[x]) cycle[x] = cycles;
            ++cycles;
        }
        if (cycles == 1) break;
        std::vector<int> joins;
        for (int p = 0; p + 1 < strands; ++p)
            if (cycle[perm[p]] != cycle[perm[p + 1]]) joins.push_back(p + 1);
        w.push_back(joins[uniform(rng, 0, static_cast<int>(joins.size()) - 1)] *
                    (uniform(rng, 0, 1) ? 1 : -1));
    }
    checkSize(static_cast<int>(w.size()));
    return w;
}

GaussDiagram randomBraidKnot(std::uint32_t seed, int strands, int length) {
    std::mt19937 rng(seed);
    return braidClosure(strands, randomKnotBraid(rng, strands, length));
}

GaussDiagram addCurl(const GaussDiagram& d, int edge, bool overFirst, int sign) {
    checkSize(d.crossings() + 1);
    GaussDiagram r = d;
    const int c = d.crossings() + 1;
    r.signs.push_back(sign > 0 ? 1 : -1);
    if (r.passages.empty()) {
        r.passages = {{c, overFirst}, {c, !overFirst}};
    } else {
        const int m = static_cast<int>(r.passages.size());
        insertOnEdge(r.passages, ((edge % m) + m) % m, {{c, overFirst}, {c, !overFirst}});
    }
    return normalized(r);
}

GaussDiagram addBigon(const GaussDiagram& d, std::mt19937& rng) {
    checkSize(d.crossings() + 2);
    FaceStep s1, s2;
    if (d.crossings() == 0 || !pickFacePair(d, rng, s1, s2))
        throw std::invalid_argument("no face with two edges to push a bigon across");
    return normalized(pushFinger(d, s1, s2, uniform(rng, 0, 1) == 1).diagram);
}

GaussDiagram addReroute(const GaussDiagram& d, std::mt19937& rng, int steps) {
    checkSize(d.crossings() + 2 * steps);
    FaceStep s1, s2;
    if (steps < 1) return d;
    if (d.crossings() == 0 || !pickFacePair(d, rng, s1, s2))
        throw std::invalid_argument("no face with two edges to push a strand across");
    const bool over = uniform(rng, 0, 1) == 1;
    BigonResult cur = pushFinger(d, s1, s2, over);
    for (int step = 1; step < steps; ++step) {
        // The tip now lies in the face beyond the edge just crossed: push it across another edge of that
        // face.
        std::vector<std::pair<FaceStep, std::vector<FaceStep>>> options;
        for (const auto& f : faces(cur.diagram)) {
            if (f.size() <= 2) continue;  // the bigon just made
            for (const auto& st : f) {
                if (st.edge != cur.tipEdge) continue;
                std::vector<FaceStep> others;
                for (const auto& o : f)
                    if (o.edge != cur.tipEdge) others.push_back(o);
                if (!others.empty()) options.push_back({st, others});
            }
        }
        if (options.empty()) break;
        const auto& [tip, others] = options[uniform(rng, 0, static_cast<int>(options.size()) - 1)];
        cur =
            pushFinger(cur.diagram, tip, others[uniform(rng, 0, static_cast<int>(others.size()) - 1)], over);
    }
    return normalized(cur.diagram);
}

GaussDiagram connectedSum(const GaussDiagram& a, const GaussDiagram& b, int edgeA, int edgeB) {
    checkSize(a.crossings() + b.crossings());
    auto cut = [](const GaussDiagram& d, int edge) {
        if (d.passages.empty()) return d;
        const int m = static_cast<int>(d.passages.size());
        GaussDiagram r = d;
        std::rotate(r.passages.begin(), r.passages.begin() + (((edge + 1) % m) + m) % m, r.passages.end());
        return r;
    };
    GaussDiagram r = cut(a, edgeA);
    const GaussDiagram cb = cut(b, edgeB);
    const int shift = a.crossings();
    for (const Passage& p : cb.passages) r.passages.push_back({p.label + shift, p.over});
    r.signs.insert(r.signs.end(), cb.signs.begin(), cb.signs.end());
    return normalized(r);
}

GaussDiagram enlarged(const GaussDiagram& base, std::uint32_t seed, int targetCrossings) {
    checkSize(targetCrossings);
    std::mt19937 rng(seed);
    GaussDiagram d = base;
    if (d.crossings() == 0 && targetCrossings > 0)
        d = addCurl(d, 0, uniform(rng, 0, 1) == 1, uniform(rng, 0, 1) ? 1 : -1);
    while (d.crossings() < targetCrossings) {
        const int room = targetCrossings - d.crossings();
        const int kind = uniform(rng, 0, 9);
        if (kind < 2 || room < 2) {
            const int m = static_cast<int>(d.passages.size());
            d = addCurl(d, uniform(rng, 0, m - 1), uniform(rng, 0, 1) == 1, uniform(rng, 0, 1) ? 1 : -1);
        } else if (kind < 6 || room < 4) {
            d = addBigon(d, rng);
        } else {
            d = addReroute(d, rng, uniform(rng, 2, std::min(5, room / 2)));
        }
    }
    if (d.passages.empty()) return d;
    // Start the strand somewhere else, so that passage 1 is not always the original one.
    return rotated(d, uniform(rng, 0, static_cast<int>(d.passages.size()) - 1));
}

GaussDiagram randomUnknot(std::uint32_t seed, int targetCrossings) {
    return enlarged(GaussDiagram{}, seed, targetCrossings);
}

ScrambledCase scrambledSum(const std::vector<std::string>& names, const std::vector<bool>& mirror,
                           std::uint32_t seed, int targetCrossings) {
    std::mt19937 rng(seed);
    ScrambledCase c;
    GaussDiagram sum;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const bool m = i < mirror.size() && mirror[i];
        const GaussDiagram k = m ? mirrored(diagramOf(namedKnot(names[i]))) : diagramOf(namedKnot(names[i]));
        c.summands.push_back(k);
        c.name += (i ? " # " : "") + std::string(m ? "m" : "") + names[i];
        const int edges = std::max(1, static_cast<int>(k.passages.size()));
        sum = i == 0 ? k
                     : connectedSum(sum, k, uniform(rng, 0, 2 * sum.crossings()), uniform(rng, 0, edges - 1));
    }
    c.name += " @" + std::to_string(targetCrossings);
    c.diagram = enlarged(sum, seed * 2654435761U + 1, targetCrossings);
    return c;
}

std::vector<ScrambledCase> scrambledCases(std::uint32_t seed, int count, int minCrossings, int maxCrossings) {
    static const std::vector<std::string> primes = {"trefoil_right", "4_1", "5_1", "5_2", "6_1",
                                                    "6_2",           "6_3", "7_1", "8_19"};
    std::mt19937 rng(seed);
    std::vector<ScrambledCase> out;
    for (int i = 0; i < count; ++i) {
        const int shape = uniform(rng, 0, 9);
        // Two summands most often, then three or four; one in five a prime alone or joined to an unknot.
        const int n = shape < 2 ? 1 : shape < 6 ? 2 : shape < 8 ? 3 : 4;
        std::vector<std::string> names;
        std::vector<bool> mirror;
        for (int k = 0; k < n; ++k) {
            names.push_back(
                primes[static_cast<std::size_t>(uniform(rng, 0, static_cast<int>(primes.size()) - 1))]);
            mirror.push_back(uniform(rng, 0, 1) == 1);
        }
        const int target = uniform(rng, minCrossings, maxCrossings);
        const auto caseSeed = static_cast<std::uint32_t>(rng());
        ScrambledCase c = scrambledSum(names, mirror, caseSeed, target);
        if (n == 1 && shape == 1) {
            // A prime joined to a drawing of the unknot, both scrambled together: still the prime alone.
            const GaussDiagram u = randomUnknot(caseSeed, uniform(rng, 5, 15));
            std::mt19937 cut(caseSeed);
            c.diagram = enlarged(connectedSum(c.summands[0], u, uniform(cut, 0, 5), uniform(cut, 0, 5)),
                                 caseSeed + 7, target);
            c.name = "unknot diagram # " + c.name;
        }
        out.push_back(std::move(c));
    }
    return out;
}

}  // namespace trevalon::testsupport
