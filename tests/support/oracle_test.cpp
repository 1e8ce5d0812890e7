#include <gtest/gtest.h>

#include "support/gauss_diagram.h"
#include "support/knot_invariants.h"

namespace trevalon::testsupport {
namespace {

TEST(Oracle, TrefoilHandedness) {
    const auto right = invariantsOf("1-2+3-1+2-3+", "OOO");
    const auto left = invariantsOf("1-2+3-1+2-3+", "VVV");
    EXPECT_TRUE(right.drawable);
    EXPECT_EQ(right.determinant, 3);
    ASSERT_TRUE(right.jones);
    ASSERT_TRUE(left.jones);
    EXPECT_EQ(right.jones->toString(), "t + t^3 - t^4");
    EXPECT_EQ(left.jones->toString(), "-t^-4 + t^-3 + t^-1");
}

}  // namespace
}  // namespace trevalon::testsupport
