#include "support/gauss_diagram.h"

#include <gtest/gtest.h>

#include "support/knot_invariants.h"

namespace trevalon::testsupport {
namespace {

TEST(GaussText, ReadsPassagesAndWritesThemBack) {
    const GaussDiagram d = diagramOf("1-2+3-1+2-3+", "OOV");
    ASSERT_EQ(d.crossings(), 3);
    ASSERT_EQ(d.passages.size(), 6u);
    // Passage 1 takes the final sign: label 1 over; then 2 under, 3 over, ...
    EXPECT_EQ(d.passages[0].label, 1);
    EXPECT_TRUE(d.passages[0].over);
    EXPECT_FALSE(d.passages[1].over);
    EXPECT_EQ(d.passages[5].label, 3);
    EXPECT_FALSE(d.passages[5].over);
    EXPECT_EQ(d.signs, (std::vector<int>{1, 1, -1}));
    EXPECT_EQ(d.writhe(), 1);
    EXPECT_EQ(gaussText(d), "1-2+3-1+2-3+");
    EXPECT_EQ(lettersText(d), "OOV");
}

TEST(GaussText, RefusesMalformedCodes) {
    std::string why;
    EXPECT_FALSE(parseGauss("1-2+3-1+2+3-", "OOO", &why));  // crossings 1 and 3 lack an under or over passage
    EXPECT_NE(why.find("crossing 1"), std::string::npos) << why;
    EXPECT_FALSE(parseGauss("1-2+1+", "OO"));          // odd number of passages
    EXPECT_FALSE(parseGauss("1-3+1+3-", "OO"));        // label 3 beyond 2 crossings (a gap)
    EXPECT_FALSE(parseGauss("1-2+1+2-1+1-", "OOO"));   // label 1 four times
    EXPECT_FALSE(parseGauss("1-2+3-1+2-3+", "OO"));    // a letter missing
    EXPECT_FALSE(parseGauss("1-2+3-1+2-3+", "OOX"));   // not a letter of the alphabet
    EXPECT_FALSE(parseGauss("1-2+3-1+2-3", "OOO"));    // last piece without a sign
    EXPECT_FALSE(parseGauss("1-2+ 3-1+2-3+", "OOO"));  // blank
    EXPECT_FALSE(parseGauss("0-0+", "O"));             // label 0
    EXPECT_FALSE(parseGauss("99999999999-99999999999+", "O"));
    EXPECT_THROW(diagramOf("1-1-", "O"), std::invalid_argument);
    // The crossing-free circle.
    auto empty = parseGauss("", "");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->crossings(), 0);
    EXPECT_EQ(gaussText(*empty), "");
}

TEST(GauFile, WritesTheProgramsFormatAndReadsItsVariants) {
    const GaussDiagram t = diagramOf("1-2+3-1+2-3+", "OOV");
    EXPECT_EQ(gauFileText(t), "GaussCode=1,-2,3,-1,2,-3\r\nIndices=1,1,-1\r\n");
    auto back = parseGauFile(gauFileText(t));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, t);
    auto variant = parseGauFile("gaussCode=+1,-2,+3,-1,+2,-3\nINDICES=+1,1,-1\n");
    ASSERT_TRUE(variant);
    EXPECT_EQ(*variant, t);
    EXPECT_FALSE(parseGauFile("GaussCode=1,-2,3,-1,2,-3\r\n"));                   // no Indices line
    EXPECT_FALSE(parseGauFile("GaussCode=1,-2,3,-1,2,-3\r\nIndices=1,2,1\r\n"));  // index 2
    EXPECT_FALSE(parseGauFile("GaussCode=1,-2,x3,-1,2,-3\r\nIndices=1,1,1\r\n"));
    auto none = parseGauFile("GaussCode=\r\nIndices=\r\n");
    ASSERT_TRUE(none);
    EXPECT_EQ(none->crossings(), 0);
}

TEST(GaussDiagramForms, NormalisingRotatingAndMirroring) {
    const GaussDiagram t = diagramOf("1-2+3-1+2-3+", "OOV");
    const GaussDiagram r = rotated(t, 2);  // start at the third passage (crossing 3, over)
    EXPECT_EQ(gaussText(r), "1-2+3-1+2-3+");
    EXPECT_EQ(lettersText(r), "VOO");  // old crossing 3 is now crossing 1
    EXPECT_EQ(lettersText(mirrored(t)), "VVO");
    EXPECT_EQ(gaussText(mirrored(t)), gaussText(t));
    const GaussDiagram scrambled = diagramOf("2-3+1-2+3-1+", "OVO");
    EXPECT_EQ(gaussText(normalized(scrambled)), "1-2+3-1+2-3+");
    EXPECT_EQ(lettersText(normalized(scrambled)), "VOO");
}

TEST(PlanarDiagram, TrefoilPdCodeFollowsTheCrossingConvention) {
    // Edges: 1 = passage 1 -> 2, ... Crossing 1 is passed over by passage 1 and under by passage 4.
    const PdCode pd = pdCode(diagramOf("1-2+3-1+2-3+", "OOO"));
    ASSERT_EQ(pd.size(), 3u);
    // Positive crossing: under-in, over-out, under-out, over-in.
    EXPECT_EQ(pd[0], (std::array<int, 4>{3, 1, 4, 6}));
    const PdCode neg = pdCode(diagramOf("1-2+3-1+2-3+", "VVV"));
    EXPECT_EQ(neg[0], (std::array<int, 4>{3, 6, 4, 1}));
}

TEST(Drawability, PlaneCodesAndCodesThatCannotBeDrawn) {
    EXPECT_TRUE(drawable("", ""));
    EXPECT_TRUE(drawable("1-1+", "O"));
    EXPECT_TRUE(drawable("1+1-", "V"));
    EXPECT_TRUE(drawable("1-2+2-1+", "OV"));  // two curls one after the other
    for (const char* letters : {"OO", "OV", "VO", "VV"})
        EXPECT_TRUE(drawable("1+2-2-1+", letters)) << letters;  // a curl inside a curl: any letters
    EXPECT_TRUE(drawable("1-2+3-1+2-3+", "OOO"));
    EXPECT_TRUE(drawable("1-2+3-1+2-3+", "VVV"));
    // The virtual trefoil: crossings 1 and 2 interlaced with an odd number of passages between them.
    for (const char* letters : {"OO", "OV", "VO", "VV"}) {
        EXPECT_FALSE(drawable("1-2+1+2-", letters)) << letters;
        EXPECT_FALSE(drawable("1-2-1+2+", letters)) << letters;
    }
    // Face boundaries use every edge once in each direction.
    const GaussDiagram f8 = diagramOf("1+2-3+1-4+3-2+4-", "OVVO");
    int steps = 0, sumDir = 0;
    for (const auto& face : faces(f8))
        for (const auto& s : face) ++steps, sumDir += s.dir;
    EXPECT_EQ(steps, 16);
    EXPECT_EQ(sumDir, 0);
}

TEST(Drawability, FlippedLetterInAPrimeAlternatingDiagramIsCaught) {
    for (const auto& [gauss, letters] :
         std::vector<std::pair<std::string, std::string>>{{"1-2+3-1+2-3+", "OOO"},
                                                          {"1+2-3+1-4+3-2+4-", "OVVO"},
                                                          {"1+2-3+4-5+1-2+3-4+5-", "OOOOO"},
                                                          {"1+2-3+4-5+1-2+3-6+5-4+6-", "OOOVVO"},
                                                          {"1+2-3+4-5+1-2+6-4+5-6+3-", "OOOVVV"}}) {
        ASSERT_TRUE(drawable(gauss, letters));
        for (std::size_t c = 0; c < letters.size(); ++c) {
            std::string bad = letters;
            bad[c] = bad[c] == 'O' ? 'V' : 'O';
            EXPECT_FALSE(drawable(gauss, bad)) << gauss << " with crossing " << c + 1 << " flipped";
        }
    }
}

}  // namespace
}  // namespace trevalon::testsupport
