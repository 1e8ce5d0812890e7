#include "moves/relabel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <numeric>
#include <random>
#include <set>
#include <stdexcept>
#include <thread>

#include "moves/compare.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"

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

// While one thread files keys, other threads asking for keys find every key filed before they ask and
// never a key that is not filed; a full set refuses, an emptied one starts again.
TEST(Compare, TheSetAnswersOtherThreadsWhileKeysAreFiled) {
    constexpr int kChiavi = 20000;
    auto chiave = [](int k) { return "k" + std::to_string(k) + (k % 3 == 0 ? std::string(40, 'x') : ""); };
    InsiemeCodici set(kChiavi);
    std::atomic<int> archiviate{0};
    std::atomic<bool> errore{false};
    std::vector<std::thread> lettori;
    for (int t = 0; t < 3; ++t)
        lettori.emplace_back([&, t] {
            std::mt19937 rng(static_cast<unsigned>(t));
            while (archiviate.load() < kChiavi) {
                const int fatte = archiviate.load();
                if (fatte > 0 &&
                    !set.contieneChiave(chiave(static_cast<int>(rng() % static_cast<unsigned>(fatte)))))
                    errore = true;
                if (set.contieneChiave(chiave(kChiavi + static_cast<int>(rng() % 100)))) errore = true;
            }
        });
    for (int k = 0; k < kChiavi; ++k) {
        ASSERT_EQ(set.aggiungiChiave(chiave(k)), InsiemeCodici::Esito::Aggiunto);
        archiviate.store(k + 1);
    }
    for (std::thread& l : lettori) l.join();
    EXPECT_FALSE(errore.load());
    EXPECT_EQ(set.aggiungiChiave(chiave(5)), InsiemeCodici::Esito::GiaPresente);
    EXPECT_EQ(set.aggiungiChiave(chiave(kChiavi)), InsiemeCodici::Esito::Pieno);
    EXPECT_EQ(set.size(), static_cast<std::size_t>(kChiavi));
    set.svuota();
    EXPECT_FALSE(set.contieneChiave(chiave(7)));
    EXPECT_EQ(set.aggiungiChiave(chiave(7)), InsiemeCodici::Esito::Aggiunto);
    EXPECT_TRUE(set.contieneChiave(chiave(7)) && !set.contieneChiave(chiave(8)));
    EXPECT_THROW(InsiemeCodici(InsiemeCodici::kCapacitaMassima + 1), std::invalid_argument);
}

// Keys short enough to lie in their entries and longer ones kept apart are found as a plain set finds
// them: keys of torus knots from 2 to 60 crossings with every sign pattern tried near them (same
// length, a byte apart), and made-up keys of every length up to 130 bytes, zero bytes included.
TEST(Compare, TheSetFindsShortAndLongKeysAsAPlainSetDoes) {
    std::vector<std::string> chiavi;
    for (int strands = 2; strands <= 5; ++strands)
        for (int potenza = 1; (strands - 1) * potenza <= 60; ++potenza) {
            if (std::gcd(strands, potenza) != 1) continue;  // a link, not a knot
            testsupport::BraidWord parola;
            for (int k = 0; k < potenza; ++k)
                for (int i = 1; i < strands; ++i) parola.push_back(i);
            const std::string codice = testsupport::gaussText(testsupport::braidClosure(strands, parola));
            auto voci = leggiVociScifta(codice);
            ASSERT_TRUE(voci) << codice;
            chiavi.push_back(chiaveCanonica(*voci));
            (*voci)[voci->size() / 2].sign = (*voci)[voci->size() / 2].sign == '+' ? '-' : '+';
            chiavi.push_back(chiaveCanonica(*voci));
        }
    for (std::size_t lunghezza = 1; lunghezza <= 130; ++lunghezza)
        for (char ultimo : {'\0', 'a', 'b'}) chiavi.push_back(std::string(lunghezza - 1, '\0') + ultimo);
    std::set<std::string> semplice;
    InsiemeCodici set(chiavi.size());
    // Every other key is filed; all are asked for, before and after an emptying.
    for (int giro = 0; giro < 2; ++giro) {
        semplice.clear();
        for (std::size_t k = static_cast<std::size_t>(giro); k < chiavi.size(); k += 2) {
            const bool nuova = semplice.insert(chiavi[k]).second;
            EXPECT_EQ(set.aggiungiChiave(chiavi[k]),
                      nuova ? InsiemeCodici::Esito::Aggiunto : InsiemeCodici::Esito::GiaPresente);
        }
        for (const std::string& c : chiavi)
            EXPECT_EQ(set.contieneChiave(c), semplice.contains(c)) << c.size();
        EXPECT_EQ(set.size(), semplice.size());
        set.svuota();
        for (const std::string& c : chiavi) EXPECT_FALSE(set.contieneChiave(c));
    }
}

// A set of many keys, short ones in their entries and long ones in blocks of several sizes, answers as a
// plain set, gives each key back by its number, and does so again after an emptying.
TEST(Compare, ALargeSetFindsAndGivesBackItsKeysAsAPlainSetDoes) {
    struct Caso {
        std::size_t chiavi, lunghezzaMinima, lunghezzaMassima;
    };
    for (const Caso caso : {Caso{20000, 1, 56}, Caso{12000, 57, 400}, Caso{6000, 1, 2100}}) {
        SCOPED_TRACE(caso.lunghezzaMassima);
        std::mt19937 rng(static_cast<std::uint32_t>(caso.chiavi));
        InsiemeCodici set(caso.chiavi);
        for (int giro = 0; giro < 2; ++giro) {
            std::set<std::string> semplice;
            std::vector<std::string> filate, altre;
            for (std::size_t k = 0; k < caso.chiavi; ++k) {
                std::string c(
                    caso.lunghezzaMinima + rng() % (caso.lunghezzaMassima - caso.lunghezzaMinima + 1), '\0');
                for (char& b : c) b = static_cast<char>(rng() % 3);
                if (rng() % 4 == 0) {
                    altre.push_back(c);
                    continue;
                }
                const bool nuova = semplice.insert(c).second;
                ASSERT_EQ(set.aggiungiChiave(c),
                          nuova ? InsiemeCodici::Esito::Aggiunto : InsiemeCodici::Esito::GiaPresente);
                if (nuova) filate.push_back(c);
            }
            ASSERT_EQ(set.size(), filate.size());
            for (std::size_t k = 0; k < filate.size(); ++k) {
                EXPECT_EQ(set.chiave(k), filate[k]);
                EXPECT_TRUE(set.contieneChiave(filate[k], InsiemeCodici::hashChiave(filate[k])));
            }
            for (const std::string& c : altre) EXPECT_EQ(set.contieneChiave(c), semplice.contains(c));
            set.svuota();
            EXPECT_FALSE(set.contieneChiave(filate.front()));
        }
    }
}

// The compact key of a code tells the same diagrams apart as the canonical form does: over every code of
// few crossings with random signs (where many are readings of one another), keys are equal exactly when
// forms are, for codes with any labels, every reading of a code has its key, and a text whose labels are
// not each passed twice is keyed as well.
TEST(Compare, KeysAreEqualExactlyWhenCanonicalFormsAre) {
    std::mt19937 rng(7);
    std::vector<std::string> codici;
    for (int crossings = 1; crossings <= 4; ++crossings)
        for (int k = 0; k < 150; ++k) {
            std::vector<VoceScifta> voci;
            for (int c = 1; c <= crossings; ++c) {
                voci.push_back({'+', c});
                voci.push_back({'-', c});
            }
            std::shuffle(voci.begin(), voci.end(), rng);
            for (auto& v : voci)
                if (rng() % 5 == 0) v.sign = v.sign == '+' ? '-' : '+';
            if (k % 3 == 0)
                for (auto& v : voci) v.label = 1000 - 7 * v.label;  // labels far beyond the passage count
            codici.push_back(scriviVociScifta(voci));
        }
    codici.insert(codici.end(), {"1-2+1-", "1+1-2+2-3+", "4-4+4-4+", "1-2+3-1+2-3+3-"});
    std::vector<std::string> forme, chiavi;
    for (const auto& c : codici) {
        forme.push_back(*formaCanonica(c));
        chiavi.push_back(*chiaveCanonica(c));
    }
    int uguali = 0;
    for (std::size_t a = 0; a < codici.size(); ++a)
        for (std::size_t b = a + 1; b < codici.size(); ++b) {
            EXPECT_EQ(forme[a] == forme[b], chiavi[a] == chiavi[b]) << codici[a] << " " << codici[b];
            uguali += forme[a] == forme[b];
        }
    EXPECT_GT(uguali, 100);  // the comparison met many pairs of the same diagram
    for (std::size_t a = 0; a < codici.size(); a += 17) {
        const int passaggi = static_cast<int>(leggiVociScifta(codici[a])->size());
        for (int p = 1; p <= passaggi; ++p)
            for (bool back : {false, true})
                EXPECT_EQ(chiaveCanonica(letturaDaPassaggio(codici[a], "", p, back)->txtNodo), chiavi[a])
                    << codici[a] << " " << p << back;
    }
    EXPECT_FALSE(chiaveCanonica("1-2"));
}

// The key of a code in pairs by trying every reading: '\3', then the smallest of the sequences of 2 *
// (steps forward to the partner) + (own sign is '+') read from every passage, forwards and backwards.
std::string chiaveProvandoOgniLettura(const std::vector<VoceScifta>& voci) {
    const int n = static_cast<int>(voci.size());
    std::string migliore;
    for (bool back : {false, true})
        for (int inizio = 0; inizio < n; ++inizio) {
            std::vector<VoceScifta> letta;
            for (int k = 0; k < n; ++k)
                letta.push_back(
                    voci[static_cast<std::size_t>(((back ? inizio - k : inizio + k) % n + n) % n)]);
            std::string chiave(1, '\3');
            for (int k = 0; k < n; ++k) {
                int passi = 1;
                while (letta[static_cast<std::size_t>((k + passi) % n)].label !=
                       letta[static_cast<std::size_t>(k)].label)
                    ++passi;
                chiave +=
                    static_cast<char>(2 * passi + (letta[static_cast<std::size_t>(k)].sign == '+' ? 1 : 0));
            }
            if (migliore.empty() || chiave < migliore) migliore = chiave;
        }
    return migliore;
}

// Torus closures read the same from many passages, so that their smallest items repeat and both directions
// tie. Every reading keeps the key, and codes with one sign changed have equal keys exactly when their
// canonical forms are equal (a change moved along by the symmetry is the same diagram).
TEST(Compare, SymmetricCodesWithOneSignChangedAreToldApartOnlyByTheirShape) {
    int stesse = 0, diverse = 0;
    for (const auto& [strands, potenza] : {std::pair{2, 7}, {3, 5}, {4, 3}, {2, 21}}) {
        testsupport::BraidWord parola;
        for (int k = 0; k < potenza; ++k)
            for (int i = 1; i < strands; ++i) parola.push_back(i);
        const std::string codice = testsupport::gaussText(testsupport::braidClosure(strands, parola));
        const std::vector<VoceScifta> voci = *leggiVociScifta(codice);
        const std::string chiave = *chiaveCanonica(codice);
        EXPECT_EQ(chiave, chiaveProvandoOgniLettura(voci));
        for (int p = 1; p <= static_cast<int>(voci.size()); ++p)
            for (bool back : {false, true})
                EXPECT_EQ(chiaveCanonica(letturaDaPassaggio(codice, "", p, back)->txtNodo), chiave)
                    << p << back;
        std::vector<std::string> forme, chiavi;
        for (std::size_t q = 0; q < voci.size(); ++q) {
            std::vector<VoceScifta> cambiata = voci;
            cambiata[q].sign = cambiata[q].sign == '+' ? '-' : '+';
            forme.push_back(*formaCanonica(scriviVociScifta(cambiata)));
            chiavi.push_back(chiaveCanonica(cambiata));
            EXPECT_EQ(chiavi.back(), chiaveProvandoOgniLettura(cambiata)) << codice << " " << q;
            EXPECT_NE(chiavi.back(), chiave);
        }
        for (std::size_t a = 0; a < forme.size(); ++a)
            for (std::size_t b = a + 1; b < forme.size(); ++b) {
                EXPECT_EQ(forme[a] == forme[b], chiavi[a] == chiavi[b]) << codice << " " << a << " " << b;
                ++(forme[a] == forme[b] ? stesse : diverse);
            }
    }
    EXPECT_GT(stesse, 50);
    EXPECT_GT(diverse, 50);
}

// The starts gathered while a sequence is written, in any order of its passages, give the key the sequence
// read again gives: on codes whose smallest items repeat more often than the few compared one by one
// (torus closures), on codes where they are few, and at sizes of both key formats.
TEST(Compare, StartsGatheredWhileWritingGiveTheKeyOfTheSequenceReadAgain) {
    std::mt19937 rng(11);
    auto passi = [](const std::vector<VoceScifta>& voci) {
        const std::size_t n = voci.size();
        std::vector<int> avanti(2 * n);
        for (std::size_t k = 0; k < n; ++k) {
            std::size_t d = 1;
            while (voci[(k + d) % n].label != voci[k].label) ++d;
            avanti[k] = avanti[k + n] = 2 * static_cast<int>(d) + (voci[k].sign == '+' ? 1 : 0);
        }
        return avanti;
    };
    std::vector<std::string> codici;
    for (const auto& [strands, potenza] :
         {std::pair{2, 9}, {3, 4}, {3, 7}, {4, 5}, {5, 6}, {2, 17}, {2, 31}, {3, 50}, {4, 9}}) {
        testsupport::BraidWord parola;
        for (int k = 0; k < potenza; ++k)
            for (int i = 1; i < strands; ++i) parola.push_back(i);
        const std::string codice = testsupport::gaussText(testsupport::braidClosure(strands, parola));
        codici.push_back(codice);
        // The same with some crossings' over and under exchanged: a single one, and three that a reading
        // backwards does not bring back onto themselves.
        for (const std::set<int>& scambiate :
             {std::set<int>{1}, std::set<int>{1, 2, 4}, std::set<int>{2, 3, 7}}) {
            std::vector<VoceScifta> voci = *leggiVociScifta(codice);
            for (VoceScifta& v : voci)
                if (scambiate.count(v.label)) v.sign = v.sign == '+' ? '-' : '+';
            codici.push_back(scriviVociScifta(voci));
        }
    }
    for (int incroci : {3, 8, 40, 70}) {
        // Random pairings with one passage over and one under at each crossing.
        std::vector<int> etichette;
        for (int c = 1; c <= incroci; ++c) etichette.insert(etichette.end(), {c, c});
        std::shuffle(etichette.begin(), etichette.end(), rng);
        std::vector<VoceScifta> voci;
        std::vector<char> visto(static_cast<std::size_t>(incroci) + 1, 0);
        for (int l : etichette) voci.push_back({visto[static_cast<std::size_t>(l)]++ ? '-' : '+', l});
        codici.push_back(scriviVociScifta(voci));
    }
    for (const std::string& codice : codici) {
        const std::vector<VoceScifta> voci = *leggiVociScifta(codice);
        std::vector<int> avanti = passi(voci);
        const std::string atteso = *chiaveCanonica(codice);
        std::vector<std::uint32_t> ordine(voci.size());
        std::iota(ordine.begin(), ordine.end(), 0u);
        for (int giro = 0; giro < 3; ++giro) {
            std::shuffle(ordine.begin(), ordine.end(), rng);
            IniziChiave inizi;
            for (std::uint32_t k : ordine) inizi.segna(k, avanti[k]);
            std::string chiave;
            chiaveDaPassiDoppi(avanti, inizi, chiave);
            EXPECT_EQ(chiave, atteso) << codice;
        }
    }
    // Exactly as many smallest items as are kept, with others after the last: every one kept. Backwards
    // only an item equal to the largest 2 * steps counts, not one with that step count and sign 1.
    const std::vector<int> a = {4, 9, 4, 4, 8, 4, 4, 4, 11, 4, 4, 10, 7};
    IniziChiave inizi;
    for (std::size_t k = 0; k < a.size(); ++k) inizi.segna(static_cast<std::uint32_t>(k), a[k]);
    ASSERT_EQ(inizi.quantiAvanti, IniziChiave::kPochi);
    EXPECT_EQ(std::vector<std::uint32_t>(inizi.avanti, inizi.avanti + IniziChiave::kPochi),
              (std::vector<std::uint32_t>{0, 2, 3, 5, 6, 7, 9, 10}));
    EXPECT_EQ(inizi.minimo, 4);
    EXPECT_EQ(inizi.massimoG, 10);
    ASSERT_EQ(inizi.quantiDietro, 1u);
    EXPECT_EQ(inizi.dietro[0], 11u);
}

// The key of byte sequences is the smallest of every rotation of the sequence and of its reverse (each
// item 2d + s read backwards as 2(n - d) + s), one byte each after the key's first byte, for sequences
// whose smallest item repeats more often than the few compared one by one, whose items are all alike,
// and whose lengths leave every remainder of the eight- and sixteen-byte steps; and it is the key of the
// same sequence as whole numbers.
TEST(Compare, ByteKeysAreTheSmallestOfEveryReading) {
    auto chiaveLenta = [](const std::vector<int>& a) {
        const std::size_t n = a.size();
        std::vector<int> minima;
        for (std::size_t r = 0; r < n; ++r)
            for (bool indietro : {false, true}) {
                std::vector<int> lettura;
                for (std::size_t j = 0; j < n; ++j) {
                    const int c = a[indietro ? (r + n - j) % n : (r + j) % n];
                    lettura.push_back(indietro ? 2 * (static_cast<int>(n) - c / 2) + (c & 1) : c);
                }
                if (minima.empty() || lettura < minima) minima = lettura;
            }
        std::string chiave(1, '\3');
        for (int c : minima) chiave += static_cast<char>(c);
        return chiave;
    };
    std::mt19937 rng(5);
    struct Caso {
        const char* nome;
        std::size_t n;
        int periodo;  // 0: random items; else the items repeat with this period, one of them changed
        bool tutteUguali;
    };
    const Caso casi[] = {
        {"two passages", 2, 0, false},      {"short", 7, 0, false},
        {"below a chunk", 15, 3, false},    {"a chunk", 16, 4, false},
        {"one past a chunk", 17, 0, false}, {"periodic 42", 42, 6, false},
        {"periodic 48", 48, 8, false},      {"periodic 80", 80, 4, false},
        {"all alike 30", 30, 0, true},      {"all alike 127", 127, 0, true},
        {"random 99", 99, 0, false},        {"periodic 126", 126, 2, false},
        {"largest", 127, 0, false},         {"periodic 120 by 3", 120, 3, false},
    };
    int confrontate = 0;
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.nome);
        const int ni = static_cast<int>(caso.n);
        auto voce = [&] {
            return 2 * (1 + static_cast<int>(rng() % (caso.n > 1 ? caso.n - 1 : 1))) +
                   static_cast<int>(rng() % 2);
        };
        for (int giro = 0; giro < 20; ++giro) {
            std::vector<int> a(caso.n);
            if (caso.tutteUguali) {
                std::fill(a.begin(), a.end(), voce());
            } else if (caso.periodo > 0) {
                std::vector<int> motivo(static_cast<std::size_t>(caso.periodo));
                for (int& c : motivo) c = voce();
                for (std::size_t k = 0; k < caso.n; ++k) a[k] = motivo[k % motivo.size()];
                if (giro % 2) a[rng() % caso.n] = voce();
            } else {
                for (int& c : a) c = voce();
            }
            ASSERT_LE(2 * ni + 1, 255);
            std::vector<std::uint8_t> byte(2 * caso.n);
            std::vector<int> interi(2 * caso.n);
            for (std::size_t k = 0; k < caso.n; ++k) {
                byte[k] = byte[k + caso.n] = static_cast<std::uint8_t>(a[k]);
                interi[k] = a[k];
            }
            std::vector<std::uint8_t> dietro;
            std::string chiave, intera;
            chiaveDaPassiByte(byte.data(), caso.n, dietro, chiave);
            EXPECT_EQ(chiave, chiaveLenta(a));
            chiaveDaPassi(interi, intera);
            EXPECT_EQ(chiave, intera);
            ++confrontate;
        }
    }
    EXPECT_EQ(confrontate, 20 * static_cast<int>(std::size(casi)));
    std::vector<std::uint8_t> dietro;
    std::string chiave;
    const std::vector<std::uint8_t> troppe(256, 2);
    EXPECT_THROW(chiaveDaPassiByte(troppe.data(), 128, dietro, chiave), std::invalid_argument);
}

}  // namespace
}  // namespace trevalon
