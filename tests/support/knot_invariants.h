#pragma once
// Knot-type invariants computed from a Gauss code and its letters alone, and the one-line checks that
// tests use to make sure a move did not change the knot:
//
//   EXPECT_TRUE(sameKnot(before, after));
//   EXPECT_TRUE(sameKnot("1-2+3-1+2-3+", "OOO", engineGauss, engineLetters));
//
// What is compared: drawability of both codes, the determinant, the Alexander polynomial at a few points
// (as Delta(a)^2 modulo two 61/62-bit primes, which removes the units +-t^k), and the Jones polynomial
// whenever it can be computed for both (the bracket is summed with a bounded number of partial states).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/gauss_diagram.h"
#include "support/laurent.h"

namespace trevalon::testsupport {

// Partial states allowed in the bracket sum before the Jones polynomial is given up as too costly.
inline constexpr std::size_t kDefaultBracketStates = 20000;
// Up to this many crossings the Jones polynomial is always computed (by the plain state sum if need be).
inline constexpr int kAlwaysJonesCrossings = 20;

struct KnotInvariants {
    int crossings = 0;
    int faces = 0;
    bool drawable = false;
    // |Delta(-1)|, exact while it is below 2^62 (always for diagrams of a few dozen crossings).
    std::optional<std::int64_t> determinant;
    // Delta(-1)^2 and Delta(a)^2 for a = 2, 3, 5, -2, each modulo both primes: independent of units.
    std::vector<std::uint64_t> alexanderSquares;
    std::optional<Laurent> jones;  // in t; absent when the bracket sum was too large

    std::string summary() const;
};

// The Alexander polynomial's matrix determinant at t = a modulo p, one row and column deleted. Equal to
// +-a^k Delta(a); used by the invariants and exposed for tests.
std::uint64_t alexanderMinorMod(const GaussDiagram& d, std::int64_t a, std::uint64_t p);

// Kauffman bracket <D> in the variable A, normalised so that the crossing-free circle is 1. Summed crossing
// by crossing over the connections of the strands cut so far; nothing when more than maxStates partial
// states are needed or a coefficient would overflow.
std::optional<Laurent> kauffmanBracket(const GaussDiagram& d, std::size_t maxStates = kDefaultBracketStates);
// The same bracket by the plain sum over all 2^n states (for cross-checks; n at most 24).
Laurent kauffmanBracketByStates(const GaussDiagram& d);
// V(t) = (-A^3)^(-writhe) <D> with A = t^(-1/4); always given up to kAlwaysJonesCrossings crossings.
std::optional<Laurent> jonesPolynomial(const GaussDiagram& d, std::size_t maxStates = kDefaultBracketStates);

KnotInvariants invariantsOf(const GaussDiagram& d, std::size_t maxStates = kDefaultBracketStates);
// Throws std::invalid_argument when the code or the letters are malformed.
KnotInvariants invariantsOf(const std::string& gauss, const std::string& letters);

// Both codes drawable and every invariant that is available for both equal.
::testing::AssertionResult sameKnot(const GaussDiagram& before, const GaussDiagram& after);
::testing::AssertionResult sameKnot(const std::string& gaussBefore, const std::string& lettersBefore,
                                    const std::string& gaussAfter, const std::string& lettersAfter);
// The knot of `whole` is the connected sum of the knots of `pieces` as far as the invariants tell: every
// piece drawable, and the determinants, the Alexander squares and (where all are available) the Jones
// polynomials of the pieces multiply to those of `whole`. No pieces is the unknot.
::testing::AssertionResult isConnectedSumOf(const GaussDiagram& whole,
                                            const std::vector<GaussDiagram>& pieces);
// The invariants do not tell the knot from the unknot (determinant 1, Alexander polynomial 1 and, where it
// can be computed, Jones polynomial 1).
bool looksUnknotted(const GaussDiagram& d);

// The code parses and can be drawn in the plane.
::testing::AssertionResult drawable(const std::string& gauss, const std::string& letters);

}  // namespace trevalon::testsupport
