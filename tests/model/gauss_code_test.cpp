#include "model/gauss_code.h"

#include <gtest/gtest.h>

#include "model_fixtures.h"

namespace trevalon {
namespace {

using testing::closure;
using testing::diagramWith;

// The check of a code: its failure message ("" when sound) and the text it leaves.
std::pair<std::string, std::string> check(const std::string& gauss, const std::string& letters) {
    auto d = diagramWith(gauss, letters);
    const Status esito = VerificaGau(*d);
    EXPECT_EQ(esito.ok(), esito.error().empty()) << gauss;
    return {esito.error(), d->txtNodo};
}

TEST(VerificaGau, FaultLinesComeInLabelOrderInOneMessage) {
    const auto twist249 = closure(2, std::vector<int>(249, 1));
    struct Caso {
        std::string gauss, letters, message;
    };
    for (const auto& [gauss, letters, message] : std::vector<Caso>{
             {"1-2+3-1+2-3+", "OOO", ""},
             {"1-2+1+2-", "OV", ""},
             {"1-1+", "V", ""},
             {twist249.gauss, twist249.letters, ""},
             {"1-2+3-1+2+3-", "OOO", "Error +/- in cross 1\nError +/- in cross 3"},
             {"1-2+1+", "OO", "Error +/- in cross 1\nError +/- in cross 2\nError cross 2: 1 times"},
             // A gap in the labels: the missing label is seen 0 times; a label seen three times.
             {"1-3+1+3-", "OOO", "Error cross 2: 0 times"},
             {"1-2+1+2-1+4-4+", "OOOO",
              "Error +/- in cross 1\nError cross 1: 3 times\nError cross 3: 0 times"},
             // A single far label is refused as out of range, quoted as written, in one line.
             {"99999999999999999999-1+", "O",
              "Crossing label \"99999999999999999999\" is out of range: the labels of a code of 1 crossing "
              "run "
              "from 1 to 1 (at most 250)"},
             {"1-251+1+251-", "O",
              "Crossing label \"251\" is out of range: the labels of a code of 2 crossings run from 1 to 2 "
              "(at "
              "most 250)"},
             {"1-2147483648+3-1+2-3+", "OOO",
              "Crossing label \"2147483648\" is out of range: the labels of a code of 3 crossings run from 1 "
              "to 3 "
              "(at most 250)"},
             {"1-2+18446744073709551617-1+2-18446744073709551617+", "OOO",
              "Crossing label \"18446744073709551617\" is out of range: the labels of a code of 3 crossings "
              "run "
              "from 1 to 3 (at most 250)"},
         }) {
        const auto [error, text] = check(gauss, letters);
        EXPECT_EQ(error, message) << gauss << " " << letters;
        EXPECT_TRUE(!message.empty() || text == gauss) << text;
    }
    // A label of 5,000 digits: out of range, quoted short.
    const std::string cifre(5000, '7');
    const std::string lunga = check("1-2+" + cifre + "-1+2-" + cifre + "+", "OOO").first;
    EXPECT_EQ(lunga.rfind("Crossing label \"77777", 0), 0u) << lunga.substr(0, 200);
    EXPECT_NE(lunga.find("(5000 characters) is out of range: the labels of a code of 3 crossings"),
              std::string::npos);
    EXPECT_LT(lunga.size(), 300u);
    for (const char* letters : {"", "OO", "OOOO", "OoO", "O O"})  // one letter O or V per crossing
        EXPECT_EQ(check("1-2+3-1+2-3+", letters).first, "error indices in file .GAU") << letters;
    for (const std::string bad : {"", "123", "1-2+3-1+2-3", "1-0+0-1+", "1-a+1+", "1 -1+", "+1-1", "1--1+"})
        EXPECT_NE(check(bad, "O").first.find("Invalid Gauss code"), std::string::npos) << bad;
}

// Many faults: how many crossings have one, and the faults of the first few; a code longer than the passage
// table is refused by its length, before its passages are listed.
TEST(VerificaGau, ManyFaultsAreCountedAndTheFirstListed) {
    std::string allOver;
    for (int c = 1; c <= 250; ++c) allOver += std::to_string(c) + "+" + std::to_string(c) + "+";
    const std::string error = check(allOver, std::string(250, 'O')).first;
    EXPECT_EQ(error,
              "Faults at 250 crossings; those of the first 5:\nError +/- in cross 1\nError +/- in cross 2\n"
              "Error +/- in cross 3\nError +/- in cross 4\nError +/- in cross 5");
    std::string longCode;
    for (int k = 0; k < 300; ++k) longCode += "1+1-";
    EXPECT_EQ(check(longCode, "O").first,
              "Too many crossings: 600 passages (at most 500, two for each of 250 crossings)");
}

TEST(VerificaGau, RotatesACodeSoThatPassageOneIsAtCrossingOne) {
    EXPECT_EQ(check("2+3-1+2-3+1-", "OOO").second, "1+2-3+1-2+3-");
    EXPECT_EQ(check("3-1+2-3+1-2+", "OOO").second, "1+2-3+1-2+3-");
    testing::expectConsistent(*testing::buildStructure("2+3-1+2-3+1-", "OOO"));
}

TEST(Deserializza, TrefoilTablesAndTextItCannotReadLeavesThem) {
    auto d = diagramWith("1-2+3-1+2-3+", "OOV");
    d->NomiIncroci[2] = "kept";
    d->incroci[1].Posto = 1;
    ASSERT_TRUE(Deserializza(*d));
    EXPECT_EQ(d->NumArchi, 6);
    const Arco& a6 = d->archi[6];
    EXPECT_EQ((std::tuple{a6.IncrocioDa, a6.SegnoDa, a6.IncrocioA, a6.SegnoA}), (std::tuple{3, '-', 1, '+'}));
    const Incrocio& c = d->incroci[1];
    EXPECT_EQ((std::array{c.ArcoEsceSopra, c.ArcoEntraSopra, c.ArcoEsceSotto, c.ArcoEntraSotto}),
              (std::array{1, 6, 4, 3}));
    EXPECT_EQ((std::array{c.PrecSopra, c.SuccSopra, c.PrecSotto, c.SuccSotto}), (std::array{3, 2, 3, 2}));
    EXPECT_EQ((std::tuple{d->NomiIncroci[1], d->NomiIncroci[2]}), (std::tuple{"1", "kept"}));
    EXPECT_EQ(d->incroci[3].Ori, 'V');
    EXPECT_EQ(d->incroci[1].Posto, 0);
    for (const std::string bad : {"1-2+x", "1-501+1+501-"}) {
        d->txtNodo = bad;
        EXPECT_FALSE(Deserializza(*d)) << bad;
        EXPECT_EQ((std::tuple{d->NumArchi, d->NumIncroci, d->archi[6].IncrocioDa}), (std::tuple{0, 0, 3}));
    }
}

}  // namespace
}  // namespace trevalon
