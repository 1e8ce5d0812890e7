#pragma once
// Knot diagrams for the benchmarks, made from closures of braid words: a word of generators +-i
// (1 <= i < strands) on a number of strands whose closure is one strand (a knot).

#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

namespace trevalon::bench {

struct CodiceGenerato {
    std::string txtNodo;
    std::string TxtOri;
};

// The Gauss text and letters of the closure of a braid word: crossings are numbered in word order; at a
// positive generator the strand moving from position i to i + 1 passes over, at a negative one the strand
// moving from i + 1 to i; the letter is "O" for a positive generator and "V" for a negative one.
inline CodiceGenerato chiusuraTreccia(const std::vector<int>& word) {
    struct Pass {
        int label;
        char sign;
    };
    std::vector<Pass> passes;
    int pos = 1;
    const std::size_t total = word.size() * 2;
    while (passes.size() < total) {
        for (std::size_t j = 0; j < word.size() && passes.size() < total; ++j) {
            const int g = word[j];
            const int i = g > 0 ? g : -g;
            if (pos != i && pos != i + 1) continue;
            const bool movesRight = pos == i;
            const bool over = g > 0 ? movesRight : !movesRight;
            passes.push_back({static_cast<int>(j) + 1, over ? '+' : '-'});
            pos = movesRight ? i + 1 : i;
        }
    }
    CodiceGenerato out;
    for (std::size_t k = 0; k < passes.size(); ++k) {
        out.txtNodo += std::to_string(passes[k].label);
        out.txtNodo += passes[(k + 1) % passes.size()].sign;
    }
    for (int g : word) out.TxtOri += g > 0 ? 'O' : 'V';
    return out;
}

// A braid word of exactly `crossings` generators whose closure is a knot: random generators and signs from
// a fixed seed, then generators that join the cycles of the permutation, then pairs of equal generators
// (which keep it) to reach the length. A knot on k strands has a word length of the parity of k - 1, so
// the strands are 5 for an even length and 4 for an odd one.
inline std::vector<int> parolaTreccia(int crossings, std::uint32_t seed) {
    const int strands = crossings % 2 == 0 ? 5 : 4;
    std::vector<int> word;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    const int random = std::max(0, crossings - 2 * strands);
    for (int k = 0; k < random; ++k) {
        const int i = static_cast<int>(next() % static_cast<std::uint32_t>(strands - 1)) + 1;
        word.push_back(next() % 2 ? i : -i);
    }
    // Join cycles: position p and p + 1 in different cycles are joined by the transposition (p, p + 1).
    auto cycleIds = [&] {
        std::vector<int> perm(static_cast<std::size_t>(strands) + 1);
        std::iota(perm.begin(), perm.end(), 0);
        for (int g : word) {
            const int i = g > 0 ? g : -g;
            std::swap(perm[i], perm[i + 1]);
        }
        std::vector<int> id(static_cast<std::size_t>(strands) + 1, 0);
        int cycles = 0;
        for (int p = 1; p <= strands; ++p) {
            if (id[p]) continue;
            ++cycles;
            for (int q = p; !id[q]; q = perm[q]) id[q] = cycles;
        }
        return id;
    };
    for (bool joined = true; joined;) {
        joined = false;
        const auto id = cycleIds();
        for (int p = 1; p < strands; ++p)
            if (id[p] != id[p + 1]) {
                word.push_back(next() % 2 ? p : -p);
                joined = true;
                break;
            }
    }
    while (static_cast<int>(word.size()) + 2 <= crossings) {
        const int i = static_cast<int>(next() % static_cast<std::uint32_t>(strands - 1)) + 1;
        word.push_back(i);
        word.push_back(i);
    }
    return word;
}

}  // namespace trevalon::bench
