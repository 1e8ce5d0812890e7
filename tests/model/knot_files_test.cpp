#include "model/knot_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace trevalon {
namespace {

void expectCode(const Result<CodiceGauss>& r, const std::string& gauss, const std::string& letters) {
    ASSERT_TRUE(r) << r.error();
    EXPECT_EQ(r->txtNodo, gauss);
    EXPECT_EQ(r->TxtOri, letters);
}

TEST(GaussCodeFile, ReadsKeysWithoutRegardToCaseAndOptionalPlus) {
    for (const std::string text :
         {"GaussCode=1,-2,3,-1,2,-3\nIndices=1,1,-1\n", "gaussCode=+1,-2,+3,-1,+2,-3\r\nINDICES=+1,1,-1\r\n",
          "GaussCode=1,-2,3,-1,2,-3\rIndices=1,1,-1\r",
          "name\r\nGAUSSCODE= 1, -2 ,3,-1,2,-3 \r\nindices= 1 , +1, -1\r\n",
          "x GaussCode=1,-2,3,-1,2,-3\nIndices=1,1,-1"})
        expectCode(leggiCodiceGaussTesto(text), "1-2+3-1+2-3+", "OOV");
    // A later line replaces an earlier one; empty values are the knot without crossings.
    expectCode(leggiCodiceGaussTesto("GaussCode=1,-1\nIndices=1\nGaussCode=1,-2,3,-1,2,-3\nIndices=1,1,1"),
               "1-2+3-1+2-3+", "OOO");
    expectCode(leggiCodiceGaussTesto("GaussCode=\r\nIndices=\r\n"), "", "");
    std::ifstream in(std::string(TREVALON_TEST_DATA) + "/model/trefoil_rotated.gau", std::ios::binary);
    std::stringstream sample;
    sample << in.rdbuf();
    expectCode(leggiCodiceGaussTesto(sample.str()), "2-1+3-2+1-3+", "OOO");
}

TEST(GaussCodeFile, BothKeysAreRequiredAndValuesChecked) {
    for (const auto& [text, message] : std::vector<std::pair<std::string, std::string>>{
             {"Indices=1,1,1\n", kErroreCodiceGau},
             {"GaussCode=1,-2,x3,-1,2,-3\nIndices=1,1,1", kErroreCodiceGau},
             {"GaussCode=1,,2\nIndices=1,1", kErroreCodiceGau},
             {"GaussCode=1,-2,3,-1,2,-3\n", kErroreIndiciGau},
         })
        EXPECT_EQ(leggiCodiceGaussTesto(text).error(), message) << text;
    for (const std::string bad : {"1,2,1", "1,-1,0", "1,1,-1,", "1,11", "O,O,O", "1;1;1"})
        EXPECT_EQ(leggiCodiceGaussTesto("GaussCode=1,-2,3,-1,2,-3\nIndices=" + bad + "\n").error(),
                  kErroreIndiciGau)
            << bad;
}

TEST(GaussCodeFile, WrittenFilesReadBack) {
    EXPECT_EQ(testoFileGaussCode("1-2+3-1+2-3+", "OOV"), "GaussCode=1,-2,3,-1,2,-3\r\nIndices=1,1,-1\r\n");
    for (const auto& [gauss, letters] : std::vector<std::pair<std::string, std::string>>{
             {"1+2-3+4-1-2+3-4+", "OVOV"}, {"1-1+", "V"}, {"12+3-12-3+", "VO"}})
        expectCode(leggiCodiceGaussTesto(testoFileGaussCode(gauss, letters)), gauss, letters);
}

}  // namespace
}  // namespace trevalon
