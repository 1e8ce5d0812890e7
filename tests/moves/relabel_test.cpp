#include "moves/relabel.h"

#include <gtest/gtest.h>

#include <set>

#include "moves/compare.h"

namespace trevalon {
namespace {

TEST(Relabel, TrefoilReadings) {
    auto fwd2 = letturaDaPassaggio("1-2+3-1+2-3+", "OOO", 2, false);
    ASSERT_TRUE(fwd2);
    EXPECT_EQ(fwd2->txtNodo, "1+2-3+1-2+3-");
    EXPECT_EQ(fwd2->TxtOri, "OOO");
    auto back1 = letturaDaPassaggio("1-2+3-1+2-3+", "OOO", 1, true);
    ASSERT_TRUE(back1);
    EXPECT_EQ(back1->txtNodo, "1-2+3-1+2-3+");
    // A code numbered by first appearance read forwards from passage 1 is itself.
    EXPECT_EQ(letturaDaPassaggio("1-2+3-1+2-3+", "OOO", 1, false)->txtNodo, "1-2+3-1+2-3+");
    EXPECT_FALSE(letturaDaPassaggio("1-2+3-1+2-3+", "OOO", 7, false));
    EXPECT_FALSE(letturaDaPassaggio("1-2+x", "OOO", 1, false));
}

TEST(Relabel, LettersFollowTheirCrossingsAndSignsStayWithTheirPassages) {
    // Crossing 3 is "V"; read backwards from passage 3 it is met first.
    std::string code = "1-2+3-1+2-3+";
    auto r = letturaDaPassaggio(code, "OOV", 3, true);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->TxtOri, "VOO");
    // Own sign of every passage is kept: passage 3 (over, label 3) opens the reading as over, new label 1.
    auto voci = leggiVociScifta(r->txtNodo);
    ASSERT_TRUE(voci);
    EXPECT_EQ((*voci)[0], (VoceScifta{'+', 1}));
    // A non-alternating code: backward readings keep over passages over.
    auto v2 = leggiVociScifta("1-2-3+1+2-3+");
    auto r2 = letturaDaPassaggio("1-2-3+1+2-3+", "OVO", 1, true);
    ASSERT_TRUE(v2 && r2);
    auto back = leggiVociScifta(r2->txtNodo);
    ASSERT_TRUE(back);
    // passage order backwards from 1: 1, 6, 5, 4, 3, 2
    const int order[] = {0, 5, 4, 3, 2, 1};
    for (int s = 0; s < 6; ++s) EXPECT_EQ((*back)[s].sign, (*v2)[order[s]].sign);
    EXPECT_EQ(r2->TxtOri, "OOV");  // old 1, then 3, then 2
}

TEST(Relabel, EnumerationWritesForwardAndBackwardReadingsOnly) {
    Diagram d;
    d.txtNodo = "1-2+3-1+2-3+";
    d.TxtOri = "OOV";
    d.NumIncroci = 3;
    d.NumArchi = 6;
    EnumerazioneScifta e;
    ASSERT_TRUE(e.inizia(d));
    EXPECT_EQ(e.didascalia(), "1-0");
    const std::string code = d.txtNodo, ori = d.TxtOri;
    for (int call = 1; call <= 16 * 3 + 8; ++call) {
        std::string before = d.txtNodo, beforeOri = d.TxtOri;
        bool wrote = e.scifta(d);
        int p = (call - 1) / 8 % 6 + 1, v = (call - 1) % 8 + 1;
        EXPECT_EQ(e.PosScifta(), p);
        EXPECT_EQ(e.VarScifta(), v);
        if (v == 1 || v == 5) {
            ASSERT_TRUE(wrote);
            auto want = letturaDaPassaggio(code, ori, p, v == 5);
            EXPECT_EQ(d.txtNodo, want->txtNodo) << call;
            EXPECT_EQ(d.TxtOri, want->TxtOri) << call;
            EXPECT_EQ(d.NumIncroci, 0);
            EXPECT_EQ(e.didascalia(), std::to_string(p) + " - " + std::to_string(v));
        } else {
            EXPECT_FALSE(wrote);
            EXPECT_EQ(d.txtNodo, before);
            EXPECT_EQ(d.TxtOri, beforeOri);
        }
    }
    std::string t = code, o = ori;
    EXPECT_TRUE(e.inizia(t, o));
    EXPECT_TRUE(e.sciftax(t, o));
    EXPECT_EQ(t, "1+2-3+1-2+3-");
    EnumerazioneScifta none;
    EXPECT_FALSE(none.scifta(t, o));
    EXPECT_FALSE(none.inizia("12", "O"));
}

TEST(Relabel, RootCrossingCycles) {
    int r = 1;
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) seen.push_back(r = avanzaIncrocioRadice(r, 3));
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 1, 2}));
}

// Every reading of a code has the same canonical form; the sign-exchanged text of a non-alternating code
// is another diagram.
TEST(Compare, ReadingsAreDuplicatesMirrorIsNot) {
    const std::string codes[] = {
        "1-2+3-1+2-3+",
        "1-2+3-4+2-1+4-3+",                  // figure eight
        "1-2+3-4+5-6+7-8+2-1+4-3+6-5+8-7+",  // connected sum of two figure eights
        "1-2+3-1+2-3+4-5-6-4+5+6+",          // two trefoils, one crossing changed
    };
    const std::string oris[] = {"OOO", "OOVV", "OOVVOOVV", "OOOOOO"};
    InsiemeCodici set(1000);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(set.aggiungi(codes[c]), InsiemeCodici::Esito::Aggiunto) << codes[c];
        auto voci = leggiVociScifta(codes[c]);
        for (int p = 1; p <= static_cast<int>(voci->size()); ++p)
            for (bool back : {false, true}) {
                auto r = letturaDaPassaggio(codes[c], oris[c], p, back);
                EXPECT_TRUE(set.contiene(r->txtNodo)) << codes[c] << " " << p << back;
                EXPECT_TRUE(stessoCodice(r->txtNodo, codes[c]));
                // Arbitrary labels (not by first appearance) are the same diagram too.
                auto rv = leggiVociScifta(r->txtNodo);
                for (auto& v : *rv) v.label = 100 - v.label;
                EXPECT_TRUE(set.contiene(scriviVociScifta(*rv)));
            }
    }
    EXPECT_EQ(set.aggiungi("2-3+1-2+3-1+"), InsiemeCodici::Esito::GiaPresente);
    // Every sign exchanged. (For an alternating code that text is itself a reading, one passage on.)
    EXPECT_TRUE(set.contiene("1+2-3+1-2+3-"));
    std::string mirror = "1+2-3+1-2+3-4+5+6+4-5-6-";
    EXPECT_FALSE(set.contiene(mirror));
    EXPECT_FALSE(stessoCodice(mirror, codes[3]));
    EXPECT_FALSE(set.contiene("1-2+3-1+2-3-"));  // not a Gauss code of any diagram in the set
    EXPECT_FALSE(set.contiene("junk"));
    EXPECT_EQ(set.aggiungi("junk"), InsiemeCodici::Esito::Illeggibile);
}

TEST(Compare, CanonicalFormIsAReadingAndTheSetHasACapacity) {
    auto f = formaCanonica("2+1-3+2-1+3-");
    ASSERT_TRUE(f);
    bool found = false;
    for (int p = 1; p <= 6; ++p)
        for (bool back : {false, true})
            found = found || letturaDaPassaggio("2+1-3+2-1+3-", "OOO", p, back)->txtNodo == *f;
    EXPECT_TRUE(found);
    InsiemeCodici small(1);
    EXPECT_EQ(small.aggiungi("1-2+3-1+2-3+"), InsiemeCodici::Esito::Aggiunto);
    EXPECT_EQ(small.aggiungi("1-2+3-4+2-1+4-3+"), InsiemeCodici::Esito::Pieno);
    EXPECT_EQ(small.size(), 1u);
    small.svuota();
    EXPECT_FALSE(small.contiene("1-2+3-1+2-3+"));
}

}  // namespace
}  // namespace trevalon
