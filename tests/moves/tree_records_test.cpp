// The search tree's compact records: codes kept as readings of their keys, names as references to the
// parent's, and every record read back as it was filed.

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <thread>

#include "moves/bridge_driver.h"
#include "moves/compare.h"
#include "moves/tree_records.h"
#include "moves_fixture.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"

namespace trevalon {
namespace {

namespace ts = trevalon::testsupport;

using movetest::lettura;

TEST(TreeRecords, CodesAreReadingsOfTheirKeys) {
    std::vector<std::string> testi = {"1-2+3-1+2-3+"};
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        testi.push_back(ts::gaussText(ts::randomBraidKnot(seed, 3 + static_cast<int>(seed), 40)));
        testi.push_back(ts::gaussText(ts::randomUnknot(seed, 60)));
    }
    testi.push_back(ts::gaussText(ts::randomBraidKnot(7, 9, 241)));  // ten bits a passage in its key
    std::vector<int> lavoro;
    for (const std::string& t : testi) {
        const std::size_t n = leggiVociScifta(t)->size();
        // Every reading of the diagram has the same key and comes back from it as it was.
        for (std::size_t inizio : {std::size_t{0}, std::size_t{1}, n / 2, n - 1})
            for (bool indietro : {false, true}) {
                const std::string codice = lettura(t, inizio, indietro);
                const auto voci = leggiVociScifta(codice);
                ASSERT_TRUE(voci);
                const std::string chiave = chiaveCanonica(*voci);
                EXPECT_EQ(chiave, *chiaveCanonica(t));
                LetturaChiave l;
                ASSERT_TRUE(letturaDelCodice(*voci, chiave, l, lavoro)) << codice;
                std::string scritto;
                ASSERT_TRUE(codiceDaChiave(chiave, l, scritto, lavoro));
                EXPECT_EQ(scritto, codice);
            }
    }
    // Labels not numbered by first appearance, and another diagram's key, have no reading.
    LetturaChiave l;
    EXPECT_FALSE(
        letturaDelCodice(*leggiVociScifta("2-1+3-2+1-3+"), *chiaveCanonica("1-2+3-1+2-3+"), l, lavoro));
    const std::string altra = *chiaveCanonica("1-2-3-1+2+3+");
    ASSERT_NE(altra, *chiaveCanonica("1-2+3-1+2-3+"));
    EXPECT_FALSE(letturaDelCodice(*leggiVociScifta("1-2+3-1+2-3+"), altra, l, lavoro));
}

TEST(TreeRecords, NamesComeBackFromTheirEncoding) {
    const std::vector<std::string> padre = {"", "1", "2", "3", "7x4", "abc", "5"};
    const struct {
        std::string nomi;
        std::size_t byteAlPiu;  // runs stay short
    } casi[] = {
        {"|1|2|3|7x4|abc|5|", 3},        // the parent's names in order: one run
        {"|3|1|2|12x8|12x9|12x10|", 9},  // references and a run of new names (the parent is record 12)
        {"|abc|12x08|12x|x1|||5|", 40},  // names that only look new, empty names
        {"|", 0},
        {"", 0},
        {"not a list", 20},
    };
    for (const auto& c : casi) {
        const NomiCompatti e = NomiCompatti::daTesto(c.nomi, 12, padre);
        EXPECT_LE(e.byte().size(), c.byteAlPiu) << c.nomi;
        std::vector<std::string> letti;
        NomiCompatti::leggi(e.byte(), 12, padre, letti);
        if (c.nomi.empty() || c.nomi.front() != '|') continue;  // not a list: the tree keeps it whole
        std::string testo = "|";
        for (std::size_t k = 1; k < letti.size(); ++k) testo += letti[k] + "|";
        EXPECT_EQ(testo, c.nomi);
    }
}

TEST(TreeRecords, TheTreeGivesBackEveryRecordAsFiled) {
    const std::string radice = ts::gaussText(ts::randomBraidKnot(3, 5, 30));
    AlberoOrizzontale t;
    t.azzera(radice, std::string(30, 'O'));
    std::vector<NodoLista> archiviati;
    // Children and grandchildren: readings of other diagrams, one code numbered otherwise (kept as text),
    // names with references, new names and texts, letters of two kinds and of more.
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        const ts::GaussDiagram g =
            ts::randomBraidKnot(seed, 3 + static_cast<int>(seed % 4), 20 + static_cast<int>(seed));
        NodoLista n;
        n.Codice = seed == 5 ? "2-1+3-2+1-3+" : lettura(ts::gaussText(g), seed % 7, seed % 2 == 0);
        n.Ori = seed == 7 ? "OVXO" : ts::lettersText(g);
        n.IndicePadre = seed <= 4 ? 0 : static_cast<long>(seed - 4);
        n.Profondita = t.profondita(n.IndicePadre) + 1;
        n.NumGiro = seed * 3;
        n.Mossa = static_cast<long>(seed % 3);
        const std::vector<std::string> nomiPadre = t.nomi(n.IndicePadre);
        n.Nomi = "|";
        for (std::size_t k = 1; k < nomiPadre.size() && k < 4; ++k) n.Nomi += nomiPadre[k] + "|";
        n.Nomi +=
            std::to_string(n.IndicePadre) + "x" + std::to_string(seed) + "|name" + std::to_string(seed) + "|";
        ASSERT_TRUE(t.archivia(n)) << seed;
        archiviati.push_back(n);
    }
    ASSERT_EQ(t.NumListaUg(), 12);
    // Read in any order: the names of other records read in between do not change them.
    for (long i : {12L, 1L, 7L, 3L, 12L, 9L, 2L, 4L, 5L, 6L, 8L, 10L, 11L}) {
        const NodoLista r = t.record(i);
        const NodoLista& a = archiviati[static_cast<std::size_t>(i - 1)];
        EXPECT_EQ(r.Codice, a.Codice) << i;
        EXPECT_EQ(r.Ori, a.Ori) << i;
        EXPECT_EQ(r.Nomi, a.Nomi) << i;
        EXPECT_EQ(r.IndicePadre, a.IndicePadre);
        EXPECT_EQ(r.Profondita, a.Profondita);
        EXPECT_EQ(r.NumGiro, a.NumGiro);
        EXPECT_EQ(r.Mossa, a.Mossa);
    }
    EXPECT_EQ(t.record(0).Codice, radice);
    // A diagram filed again under another reading is refused, as before.
    NodoLista stesso = archiviati[0];
    stesso.Codice = lettura(stesso.Codice, 3, true);
    EXPECT_FALSE(t.archivia(stesso));
    t.svuota();
    EXPECT_EQ(t.NumListaUg(), 0);
    EXPECT_EQ(t.record(0).Codice, radice);
    EXPECT_THROW(t.record(1), std::out_of_range);
}

// The keys a round keeps answer as a plain map of each key's lowest claiming record does: with the real
// hash and with hashes that collide (all equal, or a few values), claimed from several threads at once,
// asked for while open and once closed, and again after the tables were emptied for another round. The
// copy a claim gives back still reads as its key after every other claim, exactly one claim of each key
// says it was new, and the table counts its keys as the map does.
TEST(TreeRecords, KeysOfARoundAnswerAsAPlainMapOfTheirFirstRecords) {
    struct Caso {
        const char* nome;
        std::size_t chiavi;
        int fili;
        std::size_t (*hash)(std::string_view);
        std::size_t lunghezza = 90;  // the longest key
    };
    const Caso casi[] = {
        {"real hash", 3000, 4, [](std::string_view c) { return ChiaviDelGiro::hash(c); }},
        {"one hash for all", 300, 3, [](std::string_view) { return std::size_t{12345}; }},
        {"a few hashes", 2000, 2, [](std::string_view c) { return std::size_t{c.size() % 5} << 20; }},
        {"one thread", 500, 1, [](std::string_view c) { return ChiaviDelGiro::hash(c); }},
        // Keys longer than a block of the table's bytes, among short ones.
        {"long keys", 60, 3, [](std::string_view c) { return ChiaviDelGiro::hash(c); }, 150000},
        {"many keys", 40000, 4, [](std::string_view c) { return ChiaviDelGiro::hash(c); }, 400},
    };
    ChiaviDelGiro tenute;  // used again by every case, as the rounds use it
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.nome);
        std::mt19937 rng(static_cast<std::uint32_t>(caso.chiavi));
        // Keys of varied lengths, some claimed several times by records of random indices.
        std::vector<std::string> chiavi;
        for (std::size_t k = 0; k < caso.chiavi; ++k) {
            std::string c(1 + rng() % caso.lunghezza, '\0');
            for (char& b : c) b = static_cast<char>(rng() % 4);
            chiavi.push_back(c);
        }
        std::vector<std::pair<std::size_t, long>> claims;
        for (std::size_t k = 0; k < 2 * caso.chiavi; ++k)
            if (rng() % 3 != 0) claims.emplace_back(rng() % caso.chiavi, static_cast<long>(rng() % 1000));
        std::map<std::string, long> prima;
        for (const auto& [k, indice] : claims) {
            auto [it, nuova] = prima.try_emplace(chiavi[k], indice);
            if (!nuova) it->second = std::min(it->second, indice);
        }
        std::vector<std::thread> fili;
        std::vector<std::string_view> copie(claims.size());
        std::vector<char> nuove(claims.size(), 0);
        for (int f = 0; f < caso.fili; ++f)
            fili.emplace_back([&, f] {
                for (std::size_t c = static_cast<std::size_t>(f); c < claims.size(); c += caso.fili) {
                    const std::string& chiave = chiavi[claims[c].first];
                    bool nuova = false;
                    copie[c] = tenute.tieni(chiave, caso.hash(chiave), claims[c].second, &nuova);
                    nuove[c] = nuova;
                    // Asked while others claim: a claim made is seen by its own thread.
                    EXPECT_TRUE(tenute.tenutaPrima(chiave, caso.hash(chiave), claims[c].second + 1));
                }
            });
        for (std::thread& f : fili) f.join();
        std::map<std::string, int> nuovePerChiave;
        for (std::size_t c = 0; c < claims.size(); ++c) {
            const std::string& chiave = chiavi[claims[c].first];
            EXPECT_EQ(copie[c], chiave);
            EXPECT_NE(copie[c].data(), chiave.data());
            nuovePerChiave[chiave] += nuove[c];
        }
        for (const auto& [chiave, n] : nuovePerChiave) EXPECT_EQ(n, 1);
        EXPECT_EQ(tenute.quante(), prima.size());
        for (bool chiusa : {false, true}) {
            if (chiusa) tenute.chiudi();
            for (const std::string& chiave : chiavi)
                for (long indice : {0L, 1L, 500L, 1000L}) {
                    const auto it = prima.find(chiave);
                    EXPECT_EQ(tenute.tenutaPrima(chiave, caso.hash(chiave), indice),
                              it != prima.end() && it->second < indice);
                }
        }
        tenute.svuota();
        for (const std::string& chiave : chiavi) EXPECT_FALSE(tenute.tenutaPrima(chiave, 1000));
    }
}

}  // namespace
}  // namespace trevalon
