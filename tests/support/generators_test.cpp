#include "support/diagram_generators.h"

#include <gtest/gtest.h>

#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon::testsupport {
namespace {

// Labels 1..n by first appearance, passage 1 at crossing 1.
bool isNormalised(const GaussDiagram& d) {
    return normalized(d) == d;
}

TEST(BraidClosure, StandardWordsGiveTheirKnots) {
    EXPECT_TRUE(sameKnot(braidClosure(2, {1, 1, 1}), diagramOf(namedKnot("trefoil_right"))));
    EXPECT_TRUE(sameKnot(braidClosure(2, {-1, -1, -1}), diagramOf(namedKnot("trefoil_left"))));
    EXPECT_TRUE(sameKnot(braidClosure(3, {1, -2, 1, -2}), diagramOf(namedKnot("4_1"))));
    EXPECT_TRUE(sameKnot(braidClosure(3, {1, 2}), GaussDiagram{}));  // an unknot on three strands
    EXPECT_EQ(braidClosure(1, {}).crossings(), 0);
    EXPECT_THROW(braidClosure(2, {1, 1}), std::invalid_argument);     // a link of two components
    EXPECT_THROW(braidClosure(3, {1, 1, 1}), std::invalid_argument);  // strand 3 left alone
    EXPECT_THROW(braidClosure(3, {3}), std::invalid_argument);
}

TEST(BraidClosure, RandomWordsAreReproducibleKnotsThatCanBeDrawn) {
    for (int strands = 2; strands <= 7; ++strands) {
        for (int length : {1, 10, 45, 120, 243}) {
            const std::uint32_t seed = static_cast<std::uint32_t>(strands * 1000 + length);
            const GaussDiagram d = randomBraidKnot(seed, strands, length);
            SCOPED_TRACE(gaussText(d));
            EXPECT_GE(d.crossings(), length);
            EXPECT_LE(d.crossings(), kMaxGeneratedCrossings);
            EXPECT_TRUE(isDrawable(d));
            EXPECT_TRUE(isNormalised(d));
            EXPECT_EQ(d, randomBraidKnot(seed, strands, length));
        }
    }
    EXPECT_NE(randomBraidKnot(1, 4, 30), randomBraidKnot(2, 4, 30));
    EXPECT_THROW(randomBraidKnot(1, 3, 249), std::invalid_argument);  // could end beyond 250 crossings
    EXPECT_LE(randomBraidKnot(1, 3, 248).crossings(), kMaxGeneratedCrossings);
}

TEST(Enlarging, UnknotsStayUnknotted) {
    for (std::uint32_t seed = 0; seed < 12; ++seed) {
        const int target = 10 + static_cast<int>(seed) * 5;
        const GaussDiagram u = randomUnknot(seed, target);
        SCOPED_TRACE(gaussText(u) + " " + lettersText(u));
        EXPECT_GE(u.crossings(), target);
        EXPECT_TRUE(isNormalised(u));
        EXPECT_EQ(u, randomUnknot(seed, target));
        const KnotInvariants k = invariantsOf(u);
        EXPECT_TRUE(k.drawable);
        EXPECT_EQ(k.determinant, 1);
        if (k.jones) {
            EXPECT_EQ(k.jones->toString(), "1");
        }
    }
    EXPECT_TRUE(isDrawable(randomUnknot(99, 240)));
}

TEST(Enlarging, NamedKnotsKeepTheirType) {
    std::uint32_t seed = 1;
    for (const NamedKnot& k : namedKnots()) {
        const GaussDiagram d = enlarged(diagramOf(k), seed++, 30);
        EXPECT_TRUE(sameKnot(diagramOf(k), d)) << k.name;
    }
}

TEST(Enlarging, EachMoveKeepsTheKnotAndCanBeDrawn) {
    const GaussDiagram base = diagramOf(namedKnot("5_2"));
    std::mt19937 rng(5);
    for (int i = 0; i < 30; ++i) {
        const GaussDiagram b = addBigon(base, rng);
        EXPECT_EQ(b.crossings(), 8);
        EXPECT_TRUE(sameKnot(base, b));
        const GaussDiagram r = addReroute(base, rng, 3);
        EXPECT_TRUE(sameKnot(base, r));
        for (bool overFirst : {false, true})
            for (int sign : {1, -1}) EXPECT_TRUE(sameKnot(base, addCurl(base, i, overFirst, sign)));
    }
    EXPECT_THROW(addBigon(GaussDiagram{}, rng), std::invalid_argument);
}

TEST(ConnectedSum, InvariantsMultiply) {
    const GaussDiagram t = diagramOf(namedKnot("trefoil_right"));
    const GaussDiagram f = diagramOf(namedKnot("4_1"));
    for (int ea = 0; ea < 6; ++ea) {
        for (int eb = 0; eb < 8; eb += 3) {
            const GaussDiagram s = connectedSum(t, f, ea, eb);
            const KnotInvariants k = invariantsOf(s);
            EXPECT_TRUE(k.drawable);
            EXPECT_TRUE(isNormalised(s));
            EXPECT_EQ(k.determinant, 15);
            ASSERT_TRUE(k.jones);
            EXPECT_EQ(*k.jones, *invariantsOf(t).jones * *invariantsOf(f).jones);
        }
    }
    EXPECT_TRUE(sameKnot(connectedSum(t, t), diagramOf(namedKnot("granny"))));
    EXPECT_TRUE(sameKnot(connectedSum(t, mirrored(t), 2, 4), diagramOf(namedKnot("square"))));
    EXPECT_TRUE(sameKnot(connectedSum(GaussDiagram{}, f), f));
    // Sums of generated diagrams can be drawn too.
    const GaussDiagram big = connectedSum(randomBraidKnot(4, 4, 80), randomUnknot(4, 60), 7, 11);
    EXPECT_TRUE(isDrawable(big));
}

}  // namespace
}  // namespace trevalon::testsupport
