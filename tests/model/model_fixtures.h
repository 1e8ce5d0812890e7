#pragma once
// Small diagrams for the model's tests, and one consistency check of every table after a build.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/gauss_code.h"
#include "model/sides.h"
#include "model/structure.h"
#include "platform/headless_ui.h"

namespace trevalon::testing {

struct Codice {
    std::string gauss;
    std::string letters;
};

// Closure of a braid word (+-i the generator i, positive or negative). At a positive generator the strand
// moving from position i to i + 1 passes over, at a negative one the strand moving back; letters "O" for
// positive generators, "V" for negative ones. The word must close into one strand.
inline Codice closure(const std::vector<int>& word) {
    std::vector<std::pair<int, char>> passes;
    int pos = 1;
    const std::size_t total = word.size() * 2;
    while (passes.size() < total)
        for (std::size_t j = 0; j < word.size() && passes.size() < total; ++j) {
            const int i = word[j] > 0 ? word[j] : -word[j];
            if (pos != i && pos != i + 1) continue;
            const bool right = pos == i;
            passes.emplace_back(static_cast<int>(j) + 1, (word[j] > 0 ? right : !right) ? '+' : '-');
            pos = right ? i + 1 : i;
        }
    Codice c;
    for (std::size_t k = 0; k < passes.size(); ++k)
        c.gauss += std::to_string(passes[k].first) + passes[(k + 1) % passes.size()].second;
    for (int g : word) c.letters += g > 0 ? 'O' : 'V';
    return c;
}

// A pseudo-random braid word of the given length on `strands` strands whose closure is a knot (the last
// generators are chosen to join the strands into one), from a fixed seed.
std::vector<int> knotWord(int length, int strands, unsigned seed);

inline std::unique_ptr<Diagram> emptyDiagram() {
    return std::make_unique<Diagram>();
}

// Check, read, base sides and the structure pipeline, as a build from a code does without layout.
// Returns the diagram; fails the test when any step fails.
std::unique_ptr<Diagram> buildStructure(const std::string& gauss, const std::string& letters);

// Every invariant of a complete build: arcs = passages = 2 x crossings, one over-in, over-out, under-in and
// under-out arc per crossing, arcs chained, passages' twins inverse, regions = crossings + 2 around every
// arc on both sides, the region graph symmetric with one shortest path per reachable pair.
void expectConsistent(const Diagram& d);

}  // namespace trevalon::testing
