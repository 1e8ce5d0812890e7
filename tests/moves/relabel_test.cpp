#include "moves/relabel.h"

#include <gtest/gtest.h>

#include "moves/compare.h"

namespace trevalon {
namespace {

TEST(Relabel, ReadingsFromAPassage) {
    const std::string trefoil = "1-2+3-1+2-3+";
    EXPECT_EQ(letturaDaPassaggio(trefoil, "OOO", 2, false)->txtNodo, "1+2-3+1-2+3-");
    EXPECT_EQ(letturaDaPassaggio(trefoil, "OOO", 1, true)->txtNodo, trefoil);
    EXPECT_EQ(letturaDaPassaggio(trefoil, "OOO", 1, false)->txtNodo, trefoil);
    EXPECT_FALSE(letturaDaPassaggio(trefoil, "OOO", 7, false));
    EXPECT_FALSE(letturaDaPassaggio("1-2+x", "OOO", 1, false));
    // Letters follow their crossings: crossing 3 ("V") is met first backwards from passage 3.
    auto r = letturaDaPassaggio(trefoil, "OOV", 3, true);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->TxtOri, "VOO");
    EXPECT_EQ(leggiVociScifta(r->txtNodo)->front(), (VoceScifta{'+', 1}));
    // Every passage keeps its own sign: backwards from 1 the passages come as 1, 6, 5, 4, 3, 2.
    const std::string mixed = "1-2-3+1+2-3+";
    auto v = leggiVociScifta(mixed);
    auto r2 = letturaDaPassaggio(mixed, "OVO", 1, true);
    ASSERT_TRUE(v && r2);
    auto back = leggiVociScifta(r2->txtNodo);
    ASSERT_TRUE(back);
    for (int s = 0; s < 6; ++s) EXPECT_EQ((*back)[s].sign, (*v)[(6 - s) % 6].sign) << s;
    EXPECT_EQ(r2->TxtOri, "OOV");  // old 1, then 3, then 2
}

TEST(Relabel, EnumerationWritesForwardAndBackwardReadingsOnly) {
    Diagram d;
    d.txtNodo = "1-2+3-1+2-3+";
    d.TxtOri = "OOV";
    d.NumIncroci = 3;
    const std::string code = d.txtNodo, ori = d.TxtOri;
    EnumerazioneScifta e;
    ASSERT_TRUE(e.inizia(d));
    for (int call = 1; call <= 16 * 3 + 8; ++call) {
        SCOPED_TRACE(call);
        const std::string before = d.txtNodo + " " + d.TxtOri;
        const bool wrote = e.scifta(d);
        const int p = (call - 1) / 8 % 6 + 1, v = (call - 1) % 8 + 1;
        EXPECT_EQ(e.PosScifta(), p);
        EXPECT_EQ(e.VarScifta(), v);
        ASSERT_EQ(wrote, v == 1 || v == 5);
        const auto want = wrote ? letturaDaPassaggio(code, ori, p, v == 5) : std::nullopt;
        EXPECT_EQ(d.txtNodo + " " + d.TxtOri, want ? want->txtNodo + " " + want->TxtOri : before);
        if (wrote) {
            EXPECT_EQ(d.NumIncroci, 0);
            EXPECT_EQ(e.didascalia(), std::to_string(p) + " - " + std::to_string(v));
        }
    }
    EnumerazioneScifta none;
    EXPECT_FALSE(none.scifta(d));
    EXPECT_FALSE(none.inizia("12", "O"));
}

// Every reading of a code, with any labels, is the same diagram; the sign-exchanged text of a
// non-alternating code is another diagram.
TEST(Compare, ReadingsAreDuplicatesMirrorIsNotAndTheSetHasACapacity) {
    const std::pair<std::string, std::string> codes[] = {
        {"1-2+3-1+2-3+", "OOO"},
        {"1-2+3-4+2-1+4-3+", "OOVV"},                      // figure eight
        {"1-2+3-4+5-6+7-8+2-1+4-3+6-5+8-7+", "OOVVOOVV"},  // connected sum of two figure eights
        {"1-2+3-1+2-3+4-5-6-4+5+6+", "OOOOOO"},            // two trefoils, one crossing changed
    };
    InsiemeCodici set(1000);
    for (const auto& [code, ori] : codes) {
        EXPECT_EQ(set.aggiungi(code), InsiemeCodici::Esito::Aggiunto) << code;
        for (int p = 1; p <= static_cast<int>(code.size() / 2); ++p)
            for (bool back : {false, true}) {
                auto r = letturaDaPassaggio(code, ori, p, back);
                EXPECT_TRUE(set.contiene(r->txtNodo)) << code << " " << p << back;
                EXPECT_TRUE(stessoCodice(r->txtNodo, code));
                auto rv = leggiVociScifta(r->txtNodo);
                for (auto& v : *rv) v.label = 100 - v.label;
                EXPECT_TRUE(set.contiene(scriviVociScifta(*rv)));
            }
    }
    EXPECT_EQ(set.aggiungi("2-3+1-2+3-1+"), InsiemeCodici::Esito::GiaPresente);
    // For an alternating code the sign-exchanged text is itself a reading, one passage on.
    EXPECT_TRUE(set.contiene("1+2-3+1-2+3-"));
    const std::string mirror = "1+2-3+1-2+3-4+5+6+4-5-6-";
    EXPECT_FALSE(set.contiene(mirror));
    EXPECT_FALSE(stessoCodice(mirror, codes[3].first));
    EXPECT_FALSE(set.contiene("1-2+3-1+2-3-"));  // not a Gauss code of any diagram in the set
    EXPECT_EQ(set.aggiungi("junk"), InsiemeCodici::Esito::Illeggibile);
    // A full set refuses new codes; emptied, it holds nothing.
    InsiemeCodici small(1);
    EXPECT_EQ(small.aggiungi(codes[0].first), InsiemeCodici::Esito::Aggiunto);
    EXPECT_EQ(small.aggiungi(codes[1].first), InsiemeCodici::Esito::Pieno);
    small.svuota();
    EXPECT_FALSE(small.contiene(codes[0].first));
}

}  // namespace
}  // namespace trevalon
