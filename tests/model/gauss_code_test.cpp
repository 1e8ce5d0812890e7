#include "model/gauss_code.h"

#include <gtest/gtest.h>

#include "model_fixtures.h"

namespace trevalon {
namespace {

using testing::closure;
using testing::emptyDiagram;

struct Checked {
    bool error;
    std::vector<std::string> messages;
    std::string text;
};

Checked check(const std::string& gauss, const std::string& letters) {
    auto d = emptyDiagram();
    d->txtNodo = gauss;
    d->TxtOri = letters;
    ScriptedUi ui;
    VerificaGau(*d, ui);
    return {d->ErroreCostruzione, ui.messages, d->txtNodo};
}

TEST(VerificaGau, SoundCodesPassAndKeepTheirText) {
    for (const auto& [gauss, letters] : std::vector<std::pair<std::string, std::string>>{
             {"1-2+3-1+2-3+", "OOO"}, {"1-2+1+2-", "OV"}, {"1-1+", "V"}, {"1+2-3+4-1-2+3-4+", "OVOV"}}) {
        const auto r = check(gauss, letters);
        EXPECT_FALSE(r.error) << gauss;
        EXPECT_TRUE(r.messages.empty()) << gauss;
        EXPECT_EQ(r.text, gauss);
    }
}

TEST(VerificaGau, FaultsOfLabelsComeInLabelOrderInOneBox) {
    auto r = check("1-2+3-1+2+3-", "OOO");
    EXPECT_TRUE(r.error);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0], "Error +/- in cross 1\nError +/- in cross 3");

    r = check("1-2+1+", "OO");
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0], "Error +/- in cross 1\nError +/- in cross 2\nError cross 2: 1 times");

    // A gap in the labels: the missing label is seen 0 times; a label seen three times.
    r = check("1-3+1+3-", "OOO");
    EXPECT_EQ(r.messages.at(0), "Error cross 2: 0 times");
    r = check("1-2+1+2-1+4-4+", "OOOO");
    EXPECT_EQ(r.messages.at(0), "Error +/- in cross 1\nError cross 1: 3 times\nError cross 3: 0 times");
}

TEST(VerificaGau, RefusesTextThatIsNotLabelsWithSigns) {
    for (const std::string bad : {"", "123", "1-2+3-1+2-3", "1-0+0-1+", "1-a+1+", "1 -1+", "+1-1", "1--1+"}) {
        const auto r = check(bad, "O");
        EXPECT_TRUE(r.error) << bad;
        ASSERT_EQ(r.messages.size(), 1u) << bad;
        EXPECT_NE(r.messages[0].find("Invalid Gauss code"), std::string::npos) << bad;
    }
}

TEST(VerificaGau, RefusesMoreCrossingsThanThePassageTableHolds) {
    std::vector<int> word(251, 1);
    auto code = closure(word);
    auto r = check(code.gauss, code.letters);
    EXPECT_TRUE(r.error);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0], "Too many crossings: 251 (at most 250)");
    // A single far label, as in a code with a label of 701, is refused the same way, in one box.
    r = check("99999999999999999999-1+", "O");
    EXPECT_EQ(r.messages, std::vector<std::string>{"Too many crossings: 1000000 (at most 250)"});
    r = check("1-701+1+701-", "OO");
    EXPECT_EQ(r.messages, std::vector<std::string>{"Too many crossings: 701 (at most 250)"});

    code = closure(std::vector<int>(249, 1));
    EXPECT_FALSE(check(code.gauss, code.letters).error);
}

TEST(VerificaGau, RequiresOneLetterOVPerCrossing) {
    for (const std::string letters : {"", "OO", "OOOO", "OoO", "OXO", "O O"}) {
        const auto r = check("1-2+3-1+2-3+", letters);
        EXPECT_TRUE(r.error) << letters;
        EXPECT_EQ(r.messages, std::vector<std::string>{"error indices in file .GAU"}) << letters;
    }
}

TEST(VerificaGau, RotatesACodeSoThatPassageOneIsAtCrossingOne) {
    // The trefoil started at its second passage: passage 1 was label 2 under.
    auto r = check("2+3-1+2-3+1-", "OOO");
    EXPECT_FALSE(r.error);
    EXPECT_EQ(r.text, "1+2-3+1-2+3-");
    auto d = testing::buildStructure("2+3-1+2-3+1-", "OOO");
    testing::expectConsistent(*d);
    r = check("3-1+2-3+1-2+", "OOO");
    EXPECT_EQ(r.text, "1+2-3+1-2+3-");
}

TEST(Deserializza, TrefoilTables) {
    auto d = emptyDiagram();
    d->txtNodo = "1-2+3-1+2-3+";
    d->TxtOri = "OOV";
    d->NomiIncroci[2] = "kept";
    d->incroci[1].Posto = 1;
    Deserializza(*d);
    EXPECT_FALSE(d->ErroreCostruzione);
    EXPECT_EQ(d->NumIncroci, 3);
    EXPECT_EQ(d->NumArchi, 6);
    EXPECT_EQ(d->archi[1].IncrocioDa, 1);
    EXPECT_EQ(d->archi[1].SegnoDa, '+');
    EXPECT_EQ(d->archi[1].IncrocioA, 2);
    EXPECT_EQ(d->archi[1].SegnoA, '-');
    EXPECT_EQ(d->archi[6].IncrocioDa, 3);
    EXPECT_EQ(d->archi[6].SegnoDa, '-');
    EXPECT_EQ(d->archi[6].IncrocioA, 1);
    EXPECT_EQ(d->archi[6].SegnoA, '+');
    const Incrocio& c1 = d->incroci[1];
    EXPECT_EQ(c1.ArcoEsceSopra, 1);
    EXPECT_EQ(c1.ArcoEntraSopra, 6);
    EXPECT_EQ(c1.ArcoEsceSotto, 4);
    EXPECT_EQ(c1.ArcoEntraSotto, 3);
    EXPECT_EQ(c1.PrecSopra, 3);
    EXPECT_EQ(c1.SuccSopra, 2);
    EXPECT_EQ(c1.PrecSotto, 3);
    EXPECT_EQ(c1.SuccSotto, 2);
    EXPECT_EQ(d->NomiIncroci[1], "1");
    EXPECT_EQ(d->NomiIncroci[2], "kept");
    // The letters are copied and the placed flags cleared.
    EXPECT_EQ(d->incroci[3].Ori, 'V');
    EXPECT_EQ(d->incroci[1].Posto, 0);
}

TEST(Deserializza, RefusesTextItCannotReadWithoutTouchingTheTables) {
    auto d = emptyDiagram();
    d->txtNodo = "1-2+x";
    d->archi[1].IncrocioDa = 7;
    Deserializza(*d);
    EXPECT_TRUE(d->ErroreCostruzione);
    EXPECT_EQ(d->NumArchi, 0);
    EXPECT_EQ(d->archi[1].IncrocioDa, 7);
    d->txtNodo = "1-501+1+501-";
    Deserializza(*d);
    EXPECT_TRUE(d->ErroreCostruzione);
    EXPECT_EQ(d->NumIncroci, 0);
}

}  // namespace
}  // namespace trevalon
