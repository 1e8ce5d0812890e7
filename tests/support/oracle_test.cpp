#include <gtest/gtest.h>

#include <random>

#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon::testsupport {
namespace {

constexpr std::uint64_t kP = 2305843009213693951ULL;
// A GCC and Clang extension, marked as one so that pedantic builds accept it.
__extension__ typedef unsigned __int128 u128;

std::uint64_t mulMod(std::uint64_t a, std::uint64_t b) {
    return static_cast<std::uint64_t>(static_cast<u128>(a) * b % kP);
}
std::uint64_t powMod(std::uint64_t a, std::uint64_t e) {
    std::uint64_t r = 1;
    for (; e; e >>= 1, a = mulMod(a, a))
        if (e & 1) r = mulMod(r, a);
    return r;
}
std::uint64_t toMod(long long v) {
    return v < 0 ? kP - static_cast<std::uint64_t>(-v) % kP : static_cast<std::uint64_t>(v) % kP;
}

// Delta(a)^2 modulo 2^61 - 1 from the published symmetric coefficients.
std::uint64_t publishedAlexanderSquare(const std::vector<int>& coeffs, long long a) {
    std::uint64_t v = 0, x = 1;
    const std::uint64_t am = toMod(a);
    for (int c : coeffs) {
        v = (v + mulMod(toMod(c), x)) % kP;
        x = mulMod(x, am);
    }
    const std::uint64_t half = coeffs.size() - 1;  // total degree, the span of exponents
    return mulMod(mulMod(v, v), powMod(powMod(am, half), kP - 2));
}

TEST(Oracle, TrefoilHandedness) {
    // "OOO" is the right-handed trefoil, "VVV" the left-handed one.
    const auto right = invariantsOf("1-2+3-1+2-3+", "OOO");
    const auto left = invariantsOf("1-2+3-1+2-3+", "VVV");
    EXPECT_TRUE(right.drawable);
    EXPECT_EQ(right.determinant, 3);
    ASSERT_TRUE(right.jones);
    ASSERT_TRUE(left.jones);
    EXPECT_EQ(right.jones->toString(), "t + t^3 - t^4");
    EXPECT_EQ(left.jones->toString(), "-t^-4 + t^-3 + t^-1");
}

TEST(Oracle, NamedKnotsHaveTheirPublishedInvariants) {
    for (const NamedKnot& k : namedKnots()) {
        SCOPED_TRACE(k.name);
        const GaussDiagram d = diagramOf(k);
        const KnotInvariants inv = invariantsOf(d);
        EXPECT_TRUE(inv.drawable);
        EXPECT_EQ(inv.determinant, k.determinant);
        ASSERT_TRUE(inv.jones);
        EXPECT_EQ(inv.jones->toString(), k.jones);
        // V(1) = 1 and |V(-1)| = determinant for every knot.
        EXPECT_EQ(inv.jones->valueAt(1), 1);
        EXPECT_EQ(std::abs(inv.jones->valueAt(-1)), k.determinant);
        // Alexander squares: entry 0 is Delta(-1)^2, then a = 2, 3, 5, -2 (first prime).
        ASSERT_GE(inv.alexanderSquares.size(), 5u);
        const long long points[] = {-1, 2, 3, 5, -2};
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(inv.alexanderSquares[i], publishedAlexanderSquare(k.alexander, points[i]))
                << "a=" << points[i];
        // The bracket summed crossing by crossing equals the plain state sum.
        EXPECT_EQ(kauffmanBracket(d), kauffmanBracketByStates(d));
        // The file in tests/data holds the same code.
        std::string why;
        auto fromFile = readGauFile(namedKnotPath(k), &why);
        ASSERT_TRUE(fromFile) << why;
        EXPECT_EQ(*fromFile, d);
    }
}

TEST(Oracle, MirrorsAreToldApartOnlyByJones) {
    for (const NamedKnot& k : namedKnots()) {
        SCOPED_TRACE(k.name);
        const GaussDiagram d = diagramOf(k);
        const KnotInvariants a = invariantsOf(d);
        const KnotInvariants m = invariantsOf(mirrored(d));
        EXPECT_TRUE(m.drawable);
        EXPECT_EQ(a.alexanderSquares, m.alexanderSquares);
        ASSERT_TRUE(a.jones && m.jones);
        EXPECT_EQ(*m.jones, a.jones->inverted());
        const bool amphichiral =
            k.name == "4_1" || k.name == "6_3" || k.name == "square" || k.name.starts_with("unknot");
        EXPECT_EQ(*a.jones == *m.jones, amphichiral);
        EXPECT_EQ(static_cast<bool>(sameKnot(d, mirrored(d))), amphichiral);
    }
}

TEST(Oracle, SmallAndEmptyDiagrams) {
    for (const auto& [gauss, letters] :
         std::vector<std::pair<std::string, std::string>>{{"", ""},
                                                          {"1-1+", "O"},
                                                          {"1+1-", "V"},
                                                          {"1-2+2-1+", "OV"},
                                                          {"1+2-2-1+", "VV"},
                                                          {"1-1+2-2+", "OO"}}) {
        SCOPED_TRACE(gauss + " " + letters);
        const KnotInvariants k = invariantsOf(gauss, letters);
        EXPECT_TRUE(k.drawable);
        EXPECT_EQ(k.determinant, 1);
        ASSERT_TRUE(k.jones);
        EXPECT_EQ(k.jones->toString(), "1");
        EXPECT_TRUE(sameKnot("", "", gauss, letters));
    }
    // A curl multiplies the bracket by -A^3 or -A^-3.
    EXPECT_EQ(kauffmanBracket(diagramOf("1-1+", "O"))->toString("A"), "-A^3");
    EXPECT_EQ(kauffmanBracket(diagramOf("1-1+", "V"))->toString("A"), "-A^-3");
}

TEST(Oracle, SameKnotAcceptsRelabellingAndRejectsOtherKnots) {
    const GaussDiagram t = diagramOf(namedKnot("trefoil_right"));
    for (int start = 0; start < 6; ++start) EXPECT_TRUE(sameKnot(t, rotated(t, start)));
    EXPECT_FALSE(sameKnot(t, diagramOf(namedKnot("trefoil_left"))));
    EXPECT_FALSE(sameKnot(t, diagramOf(namedKnot("4_1"))));
    EXPECT_FALSE(sameKnot(diagramOf(namedKnot("granny")), diagramOf(namedKnot("square"))));
    // 5_1 and 5_2 share nothing but the crossing number; 5_1 and 4_1 share the determinant 5.
    EXPECT_FALSE(sameKnot(diagramOf(namedKnot("5_1")), diagramOf(namedKnot("4_1"))));
    // A code that cannot be drawn is never the same knot, whatever its invariants.
    EXPECT_FALSE(sameKnot("1-2+3-1+2-3+", "OOO", "1-2+3-1+2-3+", "OOV"));
    EXPECT_FALSE(sameKnot("1-2+3-1+2-3+", "OOO", "1-2+3-1+2-3", "OOO"));  // malformed
}

TEST(Oracle, BracketSumMatchesStateSumOnRandomDiagrams) {
    std::mt19937 rng(11);
    for (int i = 0; i < 20; ++i) {
        const GaussDiagram d = i % 2 ? randomBraidKnot(100 + i, 3 + i % 3, 6 + i % 7)
                                     : enlarged(diagramOf(namedKnot("4_1")), i, 12);
        ASSERT_LE(d.crossings(), 16);
        EXPECT_EQ(kauffmanBracket(d), kauffmanBracketByStates(d)) << gaussText(d) << " " << lettersText(d);
    }
}

TEST(Oracle, BracketGivesUpBeyondItsStateBound) {
    const GaussDiagram d = randomBraidKnot(3, 8, 60);
    EXPECT_FALSE(kauffmanBracket(d, 4));
    const KnotInvariants k = invariantsOf(d, 4);
    EXPECT_FALSE(k.jones);
    EXPECT_TRUE(k.drawable);
    // Small diagrams fall back on the plain state sum.
    const GaussDiagram small = randomBraidKnot(3, 4, 12);
    ASSERT_LE(small.crossings(), kAlwaysJonesCrossings);
    EXPECT_EQ(jonesPolynomial(small, 1), jonesPolynomial(small));
    EXPECT_TRUE(jonesPolynomial(small, 1));
}

}  // namespace
}  // namespace trevalon::testsupport
