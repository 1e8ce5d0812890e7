#include "model/knot_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace trevalon {
namespace {

TEST(GaussCodeFile, ReadsKeysWithoutRegardToCaseAndOptionalPlus) {
    for (const std::string text :
         {"GaussCode=1,-2,3,-1,2,-3\nIndices=1,1,-1\n", "gaussCode=+1,-2,+3,-1,+2,-3\r\nINDICES=+1,1,-1\r\n",
          "name\r\nGAUSSCODE= 1, -2 ,3,-1,2,-3 \r\nindices= 1 , +1, -1\r\n",
          "x GaussCode=1,-2,3,-1,2,-3\nIndices=1,1,-1"}) {
        const auto r = leggiTestoGaussCode(text);
        ASSERT_TRUE(r.ok) << text << r.errore;
        EXPECT_EQ(r.txtNodo, "1-2+3-1+2-3+");
        EXPECT_EQ(r.TxtOri, "OOV");
    }
}

TEST(GaussCodeFile, ALaterLineReplacesAnEarlierOne) {
    const auto r =
        leggiRigheGaussCode({"GaussCode=1,-1", "Indices=1", "GaussCode=1,-2,3,-1,2,-3", "Indices=1,1,1"});
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.txtNodo, "1-2+3-1+2-3+");
    EXPECT_EQ(r.TxtOri, "OOO");
}

TEST(GaussCodeFile, BothKeysAreRequiredAndValuesChecked) {
    EXPECT_EQ(leggiTestoGaussCode("Indices=1,1,1\n").errore, kErroreCodiceGau);
    EXPECT_EQ(leggiTestoGaussCode("GaussCode=1,-2,3,-1,2,-3\n").errore, kErroreIndiciGau);
    EXPECT_EQ(leggiTestoGaussCode("GaussCode=1,-2,x3,-1,2,-3\nIndices=1,1,1").errore, kErroreCodiceGau);
    EXPECT_EQ(leggiTestoGaussCode("GaussCode=1,,2\nIndices=1,1").errore, kErroreCodiceGau);
    for (const std::string bad : {"1,2,1", "1,-1,0", "1,1,-1,", "1,11", "O,O,O", "1;1;1"}) {
        const auto r = leggiTestoGaussCode("GaussCode=1,-2,3,-1,2,-3\nIndices=" + bad + "\n");
        EXPECT_FALSE(r.ok) << bad;
        EXPECT_EQ(r.errore, kErroreIndiciGau) << bad;
    }
    // Empty values are the knot without crossings.
    const auto empty = leggiTestoGaussCode("GaussCode=\r\nIndices=\r\n");
    ASSERT_TRUE(empty.ok);
    EXPECT_EQ(empty.txtNodo, "");
    EXPECT_EQ(empty.TxtOri, "");
}

TEST(GaussCodeFile, WriterFormsAndRoundTrip) {
    EXPECT_EQ(valoreGaussCode("1-2+3-1+2-3+"), "1,-2,3,-1,2,-3");
    EXPECT_EQ(valoreIndices("OOV"), "1,1,-1");
    EXPECT_EQ(testoFileGaussCode("1-2+3-1+2-3+", "OOO"), "GaussCode=1,-2,3,-1,2,-3\r\nIndices=1,1,1\r\n");
    for (const auto& [gauss, letters] : std::vector<std::pair<std::string, std::string>>{
             {"1-2+3-1+2-3+", "OOO"}, {"1+2-3+4-1-2+3-4+", "OVOV"}, {"1-1+", "V"}, {"12+3-12-3+", "VO"}}) {
        const auto r = leggiTestoGaussCode(testoFileGaussCode(gauss, letters));
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.txtNodo, gauss);
        EXPECT_EQ(r.TxtOri, letters);
    }
}

TEST(GaussCodeFile, ReadsTheSampleFiles) {
    std::ifstream in(std::string(TREVALON_TEST_DATA) + "/model/trefoil_rotated.gau", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const auto r = leggiTestoGaussCode(text.str());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.txtNodo, "2-1+3-2+1-3+");
    EXPECT_EQ(r.TxtOri, "OOO");
}

}  // namespace
}  // namespace trevalon
