#pragma once
// Seeded, reproducible knot diagrams for tests: closures of braid words, diagrams made larger by curls,
// bigons and rerouted strands (all Reidemeister moves, so the knot stays the same), and connected sums.
// Every output is normalised: labels 1..n in order of first appearance, passage 1 at crossing 1.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "support/gauss_diagram.h"

namespace trevalon::testsupport {

inline constexpr int kMaxGeneratedCrossings = 250;

// Braid words: letter +i is sigma_i (strand i + 1 crosses over strand i, a positive crossing), -i its
// inverse; strands are numbered 1..k from the left.
using BraidWord = std::vector<int>;

// The closure of a braid word. Throws std::invalid_argument when the closure has more than one component
// or a letter is out of range.
GaussDiagram braidClosure(int strands, const BraidWord& word);
// A random word of `length` letters, extended by at most strands - 1 letters where needed so that its
// closure is a knot. Throws std::invalid_argument when length + strands - 1 exceeds kMaxGeneratedCrossings.
BraidWord randomKnotBraid(std::mt19937& rng, int strands, int length);
GaussDiagram randomBraidKnot(std::uint32_t seed, int strands, int length);

// A curl (move I) on edge `edge` (0-based; edge k runs from passage k to k + 1): the new crossing is passed
// first over (overFirst) or under, and has the given sign.
GaussDiagram addCurl(const GaussDiagram& d, int edge, bool overFirst, int sign);
// A bigon (move II): a finger of one edge pushed across another edge of the same face. Needs a crossing.
GaussDiagram addBigon(const GaussDiagram& d, std::mt19937& rng);
// A strand rerouted over (or under) `steps` further edges: a finger pushed across several faces in turn.
GaussDiagram addReroute(const GaussDiagram& d, std::mt19937& rng, int steps);
// Connected sum, cutting `a` at its edge edgeA and `b` at its edge edgeB.
GaussDiagram connectedSum(const GaussDiagram& a, const GaussDiagram& b, int edgeA = 0, int edgeB = 0);

// The knot of `base` drawn with at least `targetCrossings` crossings, by random curls, bigons and reroutes.
GaussDiagram enlarged(const GaussDiagram& base, std::uint32_t seed, int targetCrossings);
// An unknot diagram of at least `targetCrossings` crossings (a random curl, then enlarged).
GaussDiagram randomUnknot(std::uint32_t seed, int targetCrossings);

// A diagram as a user brings it after working on a sum: the connected sum of `summands` (each cut at a
// random edge, each mirrored where `mirror` says so), then scrambled as a whole by random curls, bigons and
// rerouted strands to at least `targetCrossings`, so that strands of one summand run across the others.
struct ScrambledCase {
    std::string name;                    // e.g. "3_1 # m4_1 @100"
    GaussDiagram diagram;                // what the program is given
    std::vector<GaussDiagram> summands;  // the knots it is the sum of, as drawn before scrambling
};
ScrambledCase scrambledSum(const std::vector<std::string>& names, const std::vector<bool>& mirror,
                           std::uint32_t seed, int targetCrossings);
// Cases of every shape the sum tests meet: sums of two to four knots of the named table (mirrors and
// non-alternating ones among them), single primes, and primes joined to an unknot diagram, all scrambled
// to sizes between minCrossings and maxCrossings. The same seed gives the same cases.
std::vector<ScrambledCase> scrambledCases(std::uint32_t seed, int count, int minCrossings, int maxCrossings);

}  // namespace trevalon::testsupport
