// The quick move I and II checks against the tests as their rules read (a plain walk of every stretch,
// the whole sorted list of move II entries with its neighbouring pairs), over random passage tables,
// tables with odd handedness, and the tables of generated and scrambled diagrams; and the passage table
// read straight from a tree record's key against the one read from its code's text.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <random>
#include <set>

#include "moves/bridge_driver.h"
#include "moves/bridge_lists.h"
#include "moves/compare.h"
#include "moves/move_search.h"
#include "moves/tree_records.h"
#include "moves_fixture.h"
#include "support/diagram_generators.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

namespace ts = trevalon::testsupport;

std::size_t ix(int i) {
    return static_cast<std::size_t>(i);
}

// The move I and II tests walked afresh for every stretch, nothing kept between them.
class Riferimento {
  public:
    explicit Riferimento(const TabellaPassaggi& t) : t_(t), n_(t.numGemelli()) {}

    // The loops that pass, by crossing and first passage: the walk from i meets its own crossing again
    // before any other; the third strands pass.
    std::vector<std::pair<int, int>> anelli() const {
        std::vector<std::array<int, 3>> trovati;
        for (int i = 1; i <= n_; ++i) {
            std::set<int> visti{t_.padre[ix(i)]};
            int p = prossimo(i);
            while (visti.insert(t_.padre[ix(p)]).second) p = prossimo(p);
            if (t_.padre[ix(p)] == t_.padre[ix(i)] && passano({{i, p}}))
                trovati.push_back({t_.padre[ix(i)], i, p});
        }
        std::sort(trovati.begin(), trovati.end());
        std::vector<std::pair<int, int>> out;
        for (const auto& a : trovati) out.emplace_back(a[1], a[2]);
        return out;
    }
    bool mossaI() const { return !anelli().empty(); }

    // Entries: i and a passage q met on the walk from i before any crossing is met twice, of the same
    // sign (the kind "I": the other), of the other handedness. Sorted by their two crossings and passages,
    // two neighbours of the same crossings make a pair; the pairs that pass, in that order. `gruppiDiTre`
    // counts crossings with three entries or more.
    std::vector<std::array<int, 4>> coppie(TipoTMan tipo, int* gruppiDiTre = nullptr) const {
        struct Voce {
            int cMin, cMax, i, j;
            auto operator<=>(const Voce&) const = default;
        };
        std::vector<Voce> voci;
        for (int i = 1; i <= n_; ++i) {
            std::set<int> visti{t_.padre[ix(i)]};
            for (int q = prossimo(i); visti.insert(t_.padre[ix(q)]).second; q = prossimo(q)) {
                const bool stessoSegno = t_.segno[ix(q)] == t_.segno[ix(i)];
                if (stessoSegno == (tipo == TipoTMan::N) && mano(q) != mano(i)) {
                    const int ci = t_.padre[ix(i)], cq = t_.padre[ix(q)];
                    voci.push_back({std::min(ci, cq), std::max(ci, cq), i, q});
                }
            }
        }
        std::sort(voci.begin(), voci.end());
        std::vector<std::array<int, 4>> out;
        for (std::size_t k = 1; k < voci.size(); ++k) {
            const Voce& a = voci[k - 1];
            const Voce& b = voci[k];
            if (a.cMin != b.cMin || a.cMax != b.cMax) continue;
            if (gruppiDiTre && k >= 2 && voci[k - 2].cMin == a.cMin && voci[k - 2].cMax == a.cMax)
                ++*gruppiDiTre;
            if (passano({{a.i, a.j}, {b.i, b.j}})) out.push_back({a.i, a.j, b.i, b.j});
        }
        return out;
    }
    bool mossaII(TipoTMan tipo, int* gruppiDiTre = nullptr) const {
        return !coppie(tipo, gruppiDiTre).empty();
    }

  private:
    int prossimo(int p) const { return p % n_ + 1; }
    int mano(int p) const {
        int h = t_.dirad[ix(p)] - t_.dirad[ix(t_.gemello[ix(p)])];
        return h == 3 ? -1 : h == -3 ? 1 : h;
    }
    // The inner passages of the stretches meet no crossing twice; their twins, in the order of their
    // positions after the stretches' last start, pair off in their signs; and no under pair's strand passes
    // over a crossing of an over pair's strand.
    bool passano(const std::vector<std::pair<int, int>>& tratti) const {
        int base = 0;
        for (auto [a, b] : tratti) base = std::max({base, a, b});
        base -= 1;
        std::vector<int> gemelli;
        std::set<int> incroci;
        for (auto [a, b] : tratti)
            for (int p = prossimo(a); p != b; p = prossimo(p)) {
                if (!incroci.insert(t_.padre[ix(p)]).second) return false;
                gemelli.push_back(t_.gemello[ix(p)]);
            }
        const auto posizione = [&](int g) { return (g - base - 1 + n_) % n_; };
        std::sort(gemelli.begin(), gemelli.end(), [&](int x, int y) { return posizione(x) < posizione(y); });
        std::vector<std::pair<int, int>> sopra, sotto;
        for (std::size_t k = 0; k + 1 < gemelli.size(); k += 2) {
            const char s = t_.segno[ix(gemelli[k])];
            if (t_.segno[ix(gemelli[k + 1])] != s) return false;
            (s == '+' ? sopra : sotto).emplace_back(gemelli[k], gemelli[k + 1]);
        }
        std::set<int> coperti;
        for (auto [a, b] : sopra)
            for (int p = a;; p = prossimo(p)) {
                coperti.insert(t_.padre[ix(p)]);
                if (p == b) break;
            }
        for (auto [a, b] : sotto)
            for (int p = a;; p = prossimo(p)) {
                if (coperti.count(t_.padre[ix(p)]) && t_.segno[ix(p)] == '+') return false;
                if (p == b) break;
            }
        return true;
    }

    const TabellaPassaggi& t_;
    int n_;
};

// How far a random table strays from the table of a diagram: not at all; sides at random (handedness
// other than +1 and -1); signs at random (a crossing passed twice over or twice under), sides next to each
// other (handedness +1 or -1); both at random, where three or four entries of move II may share two
// crossings (with handedness +1 or -1, or with opposite signs, two at most can).
enum class Storta { No, Lati, Segni, Tutto };

// A table of `incroci` crossings whose passages come in random order, each crossing once over and once
// under, with random letters, unless `storta` says otherwise.
TabellaPassaggi tabellaCasuale(std::mt19937& rng, int incroci, Storta storta) {
    std::vector<int> ordine;
    for (int c = 1; c <= incroci; ++c) ordine.insert(ordine.end(), {c, c});
    std::shuffle(ordine.begin(), ordine.end(), rng);
    const int n = 2 * incroci;
    TabellaPassaggi t;
    t.numIncroci = incroci;
    t.padre.assign(ix(n) + 1, 0);
    t.gemello.assign(ix(n) + 1, 0);
    t.dirad.assign(ix(n) + 1, 0);
    t.segno.assign(ix(n) + 1, 0);
    std::vector<int> primo(ix(incroci) + 1, 0);
    std::vector<bool> sopraPrima(ix(incroci) + 1);
    std::vector<int> lettera(ix(incroci) + 1);
    for (int c = 1; c <= incroci; ++c) {
        sopraPrima[ix(c)] = rng() % 2 == 0;
        lettera[ix(c)] = rng() % 2 == 0 ? 1 : 3;
    }
    for (int p = 1; p <= n; ++p) {
        const int c = ordine[ix(p - 1)];
        t.padre[ix(p)] = c;
        const bool prima = primo[ix(c)] == 0;
        const bool sopra =
            storta == Storta::Segni || storta == Storta::Tutto ? rng() % 2 == 0 : prima == sopraPrima[ix(c)];
        t.segno[ix(p)] = sopra ? '+' : '-';
        t.dirad[ix(p)] = storta == Storta::Lati || storta == Storta::Tutto ? static_cast<int>(rng() % 4) + 1
                         : sopra                                           ? 2
                                                                           : lettera[ix(c)];
        if (prima) {
            primo[ix(c)] = p;
        } else {
            if (storta == Storta::Segni)
                t.dirad[ix(p)] = (t.dirad[ix(primo[ix(c)])] + (rng() % 2 == 0 ? 0 : 2)) % 4 + 1;
            t.gemello[ix(p)] = primo[ix(c)];
            t.gemello[ix(primo[ix(c)])] = p;
        }
    }
    return t;
}

TabellaPassaggi tabellaDi(const ts::GaussDiagram& g) {
    TabellaPassaggi t;
    EXPECT_TRUE(TabellaDaCodice(ts::gaussText(g), ts::lettersText(g), t)) << ts::gaussText(g);
    return t;
}

// Diagrams as the search meets them: minimal braid closures (no move at all), random braids, scrambled
// sums, enlarged unknots, each also read from other passages.
std::vector<ts::GaussDiagram> diagrammiGenerati() {
    std::vector<ts::GaussDiagram> diagrammi;
    for (int k = 4; k <= 16; ++k) {
        ts::BraidWord tre, quattro;
        for (int r = 0; r < k; ++r) tre.insert(tre.end(), {1, 2});
        for (int r = 0; r < k / 2 + 2; ++r) quattro.insert(quattro.end(), {1, 2, 3});
        if (k % 3 != 0) diagrammi.push_back(ts::braidClosure(3, tre));
        if ((k / 2 + 2) % 2 != 0) diagrammi.push_back(ts::braidClosure(4, quattro));
    }
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        diagrammi.push_back(
            ts::randomBraidKnot(seed, 3 + static_cast<int>(seed % 5), 10 + 2 * static_cast<int>(seed)));
        diagrammi.push_back(ts::randomUnknot(seed, 8 + static_cast<int>(seed)));
    }
    for (const ts::ScrambledCase& c : ts::scrambledCases(7, 30, 10, 60)) diagrammi.push_back(c.diagram);
    for (const char* nome : {"trefoil_right", "4_1", "5_2", "6_2", "8_19"}) {
        const ts::GaussDiagram g = ts::diagramOf(ts::namedKnot(nome));
        diagrammi.push_back(g);
        diagrammi.push_back(ts::enlarged(g, 5, 30));
    }
    const std::size_t primi = diagrammi.size();
    for (std::size_t k = 0; k < primi; ++k) {
        const int n = 2 * diagrammi[k].crossings();
        for (int inizio : {1, n / 3, n - 1}) diagrammi.push_back(ts::rotated(diagrammi[k], inizio));
    }
    return diagrammi;
}

std::vector<TabellaPassaggi> tabelleDiDiagrammi() {
    std::vector<TabellaPassaggi> out;
    for (const ts::GaussDiagram& g : diagrammiGenerati()) out.push_back(tabellaDi(g));
    return out;
}

std::vector<TabellaPassaggi> tabelleCasuali(std::uint32_t seme, int quante, int minimo, int massimo,
                                            Storta storte = Storta::No) {
    std::mt19937 rng(seme);
    std::vector<TabellaPassaggi> out;
    for (int k = 0; k < quante; ++k)
        out.push_back(
            tabellaCasuale(rng, minimo + static_cast<int>(rng() % ix(massimo - minimo + 1)), storte));
    return out;
}

TEST(QuickMoveChecks, AnswerAsTheRulesRead) {
    struct Famiglia {
        const char* nome;
        std::function<std::vector<TabellaPassaggi>()> tabelle;
        bool senzaMosse;    // some tables of the family have no move at all
        bool gruppiGrandi;  // three or more entries of move II share two crossings in some tables
    };
    const Famiglia famiglie[] = {
        {"small random tables", [] { return tabelleCasuali(1, 3000, 2, 9); }, true, false},
        {"random tables", [] { return tabelleCasuali(2, 1500, 10, 60); }, false, false},
        {"large random tables", [] { return tabelleCasuali(3, 60, 200, 250); }, false, false},
        {"small tables with odd sides", [] { return tabelleCasuali(4, 1500, 2, 8, Storta::Lati); }, true,
         false},
        {"tables with odd sides", [] { return tabelleCasuali(5, 500, 9, 40, Storta::Lati); }, false, false},
        {"small tables with odd signs", [] { return tabelleCasuali(6, 3000, 2, 8, Storta::Segni); }, true,
         false},
        {"tables with odd signs", [] { return tabelleCasuali(7, 500, 9, 40, Storta::Segni); }, false, false},
        {"small tables with odd signs and sides", [] { return tabelleCasuali(8, 3000, 2, 8, Storta::Tutto); },
         true, true},
        {"diagrams", tabelleDiDiagrammi, true, false},
    };
    for (const Famiglia& f : famiglie) {
        SCOPED_TRACE(f.nome);
        int conI = 0, conII = 0, conIIi = 0, senza = 0, gruppiDiTre = 0;
        for (const TabellaPassaggi& t : f.tabelle()) {
            const Riferimento r(t);
            const bool mossaI = r.mossaI(), mossaII = r.mossaII(TipoTMan::N, &gruppiDiTre);
            const bool mossaIIi = r.mossaII(TipoTMan::I, &gruppiDiTre);
            ASSERT_EQ(EsisteMossaI(t), mossaI);
            ASSERT_EQ(EsisteMossaII(t), mossaII);
            ASSERT_EQ(EsisteMossaII(t, TipoTMan::I), mossaIIi);
            ASSERT_EQ(EsisteMossaIoII(t), mossaI || mossaII);
            conI += mossaI;
            conII += mossaII;
            conIIi += mossaIIi;
            senza += !mossaI && !mossaII;
        }
        // Each answer is met; three or more entries share two crossings only when a crossing is passed
        // twice on the same strand.
        EXPECT_GT(conI, 0);
        EXPECT_GT(conII, 0);
        EXPECT_GT(conIIi, 0);
        if (f.senzaMosse) {
            EXPECT_GT(senza, 0);
        }
        EXPECT_EQ(gruppiDiTre > 0, f.gruppiGrandi);
    }
}

// The passages of an entry's text "ccc,ddd,iii,jjj,...": its first and last passage.
std::pair<int, int> passaggiDellaVoce(const std::string& voce) {
    const std::vector<std::string> campi = dividiVirgole(voce);
    return {std::stoi(campi.at(2)), std::stoi(campi.at(3))};
}

// What a candidate shows and leaves, to compare candidates found with and without the dumps.
std::string descrizione(const CandidatoMossa& c) {
    std::string t = c.mossa.VoceMossa1 + "|" + c.mossa.VoceMossa2 + "|" + c.voceEvidenziata + "|" + c.Lista +
                    "|" + c.messaggioSviluppo + "|" + std::to_string(c.nA) + "," + std::to_string(c.nB);
    for (const ArcoEvidenziato& a : c.archi)
        t += "," + std::to_string(a.arco) + ":" + std::to_string(static_cast<int>(a.ruolo)) + ":" +
             std::to_string(a.codice);
    return t;
}

TEST(QuickMoveChecks, SearchesListTheCandidatesOfTheRulesInTheirOrder) {
    const auto cartella =
        std::filesystem::temp_directory_path() / ("trevalon_quick_checks_" + std::to_string(::getpid()));
    std::filesystem::create_directories(cartella);
    const DumpFolder dump{cartella};
    int candidatiI = 0, candidatiII = 0;
    int conDumps = 0;
    for (const ts::GaussDiagram& g : diagrammiGenerati()) {
        SCOPED_TRACE(ts::gaussText(g));
        // The dumps are written for a few diagrams only: each pair walked writes its files.
        const bool scriviDump = g.crossings() <= 30 && conDumps++ % 30 == 0;
        const auto d = movetest::costruisci(g);
        ASSERT_TRUE(d);
        TabellaPassaggi t;
        TabellaDaDiagramma(*d, t);
        const Riferimento r(t);
        std::vector<std::pair<int, int>> anelli;
        for (const CandidatoMossa& c : CandidatiMossaI(*d))
            anelli.push_back(passaggiDellaVoce(c.mossa.VoceMossa1));
        EXPECT_EQ(anelli, r.anelli());
        candidatiI += static_cast<int>(anelli.size());
        for (TipoTMan tipo : {TipoTMan::N, TipoTMan::I}) {
            std::vector<std::array<int, 4>> coppie;
            std::vector<std::string> senzaDump, conDump;
            for (const CandidatoMossa& c : CandidatiMossaII(*d, tipo)) {
                const auto [ai, aj] = passaggiDellaVoce(c.mossa.VoceMossa1);
                const auto [bi, bj] = passaggiDellaVoce(c.mossa.VoceMossa2);
                coppie.push_back({ai, aj, bi, bj});
                senzaDump.push_back(descrizione(c));
            }
            EXPECT_EQ(coppie, r.coppie(tipo));
            candidatiII += static_cast<int>(coppie.size());
            // With the dumps the search walks the whole sorted list of entries: the same candidates.
            if (!scriviDump) continue;
            EnumeraCandidatiMossaII(
                *d, tipo,
                [&](const CandidatoMossa& c) {
                    conDump.push_back(descrizione(c));
                    return true;
                },
                &dump);
            EXPECT_EQ(conDump, senzaDump);
        }
    }
    std::filesystem::remove_all(cartella);
    EXPECT_GT(candidatiI, 50);
    EXPECT_GT(candidatiII, 50);
}

using movetest::lettura;

void attendeUguali(const TabellaPassaggi& a, const TabellaPassaggi& b) {
    EXPECT_EQ(a.numIncroci, b.numIncroci);
    EXPECT_EQ(a.padre, b.padre);
    EXPECT_EQ(a.gemello, b.gemello);
    EXPECT_EQ(a.segno, b.segno);
    EXPECT_EQ(a.dirad, b.dirad);
}

TEST(QuickMoveChecks, TableFromTheKeyIsTheTableOfTheCode) {
    std::vector<ts::GaussDiagram> diagrammi;
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
        diagrammi.push_back(
            ts::randomBraidKnot(seed, 3 + static_cast<int>(seed % 4), 12 + 5 * static_cast<int>(seed)));
        diagrammi.push_back(ts::randomUnknot(seed, 20));
    }
    diagrammi.push_back(ts::randomBraidKnot(9, 9, 241));  // ten bits a passage in its key
    std::vector<int> lavoro, passi;
    for (const ts::GaussDiagram& g : diagrammi) {
        const std::string testo = ts::gaussText(g), lettere = ts::lettersText(g);
        const std::size_t n = 2 * ix(g.crossings());
        for (std::size_t inizio : {std::size_t{0}, std::size_t{3}, n - 2})
            for (bool indietro : {false, true}) {
                const std::string codice = lettura(testo, inizio, indietro);
                SCOPED_TRACE(codice);
                const auto voci = leggiVociScifta(codice);
                const std::string chiave = chiaveCanonica(*voci);
                LetturaChiave l;
                ASSERT_TRUE(letturaDelCodice(*voci, chiave, l, lavoro));
                std::string scritto;
                ASSERT_TRUE(codiceDaChiave(chiave, l, scritto, lavoro));
                ASSERT_TRUE(passiDaChiave(chiave, l, passi));
                // Any letters will do for the comparison: those of the diagram's own labels.
                const std::string& ori = lettere;
                TabellaPassaggi daTesto, daPassi;
                ASSERT_TRUE(TabellaDaCodice(scritto, ori, daTesto));
                ASSERT_TRUE(TabellaDaPassi(passi, ori, daPassi));
                attendeUguali(daPassi, daTesto);
            }
    }
    // Refused as the text of the same passages is, or not pairing off.
    struct Caso {
        std::vector<int> passi;
        const char* lettere;
    };
    const Caso rifiutati[] = {
        {{7, 6, 7, 6, 7, 6}, "OO"},   // a letter short
        {{7, 6, 7, 6, 7, 6}, "OVX"},  // not a letter of the code
        {{5, 4, 5, 4}, "OO"},         // both passages of each crossing on the same strand
        {{7, 6, 5, 4, 3}, "OOO"},     // a crossing passed once
        {{3, 6, 5, 6}, "OO"},         // passages that are not each other's partners
        {{0, 3, 5, 7}, "OO"},         // a passage partner of itself
        {{}, ""},                     // no passage
    };
    for (const Caso& c : rifiutati) {
        TabellaPassaggi t;
        EXPECT_FALSE(TabellaDaPassi(c.passi, c.lettere, t)) << c.lettere;
        EXPECT_FALSE(EsisteMossaIoII(t));
    }
}

TEST(QuickMoveChecks, TreeRecordsGiveTheirPassagesWhenKeptAsKeys) {
    const std::string radice = ts::gaussText(ts::randomBraidKnot(3, 5, 30));
    AlberoOrizzontale t;
    t.azzera(radice, std::string(30, 'O'));
    std::vector<int> passi;
    std::string ori;
    EXPECT_FALSE(t.passiELettere(0, passi, ori));  // the root is kept as its text
    for (std::uint32_t seed = 1; seed <= 10; ++seed) {
        const ts::GaussDiagram g =
            ts::randomBraidKnot(seed, 3 + static_cast<int>(seed % 4), 20 + static_cast<int>(seed));
        NodoLista n;
        // Seed 4: labels not by first appearance, a code the tree keeps as text.
        n.Codice = seed == 4 ? "2-1+3-2+1-3+" : lettura(ts::gaussText(g), seed % 5, seed % 2 == 0);
        n.Ori = seed == 4 ? "OVO" : ts::lettersText(g);
        n.IndicePadre = 0;
        n.Profondita = 1;
        n.Nomi = "|";
        ASSERT_TRUE(t.archivia(n));
        const long i = t.NumListaUg();
        if (seed == 4) {
            EXPECT_FALSE(t.passiELettere(i, passi, ori));
            continue;
        }
        ASSERT_TRUE(t.passiELettere(i, passi, ori)) << seed;
        EXPECT_EQ(ori, n.Ori);
        TabellaPassaggi daTesto, daPassi;
        ASSERT_TRUE(TabellaDaCodice(n.Codice, n.Ori, daTesto));
        ASSERT_TRUE(TabellaDaPassi(passi, ori, daPassi));
        attendeUguali(daPassi, daTesto);
    }
}

}  // namespace
}  // namespace trevalon
