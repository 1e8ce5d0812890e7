// The catalogue's batch tools: letters that lay an entry out as its own knot, the expansion by horizontal
// moves, the listings of diagrams met twice, and the panel buttons that write their files.

#include "mainwindow/batch_tools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "mainwindow/developer_panel.h"
#include "mainwindow/form2_fixture.h"
#include "moves/compare.h"
#include "platform/safe_file.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;
namespace ts = trevalon::testsupport;

VoceCatalogo voce(const std::string& nome) {
    const ts::NamedKnot k = ts::namedKnot(nome);
    return VoceCatalogo{nome, k.gauss, k.letters};
}

std::string leggi(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void scriviFile(const fs::path& p, const std::string& testo) {
    std::ofstream(p, std::ios::binary) << testo;
}

TEST(StrumentiBatch, TheBracketTellsAKnotFromItsMirrorAndIgnoresCurls) {
    EXPECT_EQ(lettereDaMaschera(5, 10), "OVOVVVVVVV");
    const std::map<int, std::int64_t> banale{{0, 1}};
    EXPECT_EQ(bracketNormalizzato("1-1+", "O"), banale);
    EXPECT_EQ(bracketNormalizzato("1-1+", "V"), banale);
    EXPECT_NE(bracketNormalizzato("1-2+3-1+2-3+", "OOO"), bracketNormalizzato("1-2+3-1+2-3+", "VVV"));
    const ts::NamedKnot otto = ts::namedKnot("4_1");
    EXPECT_EQ(bracketNormalizzato(otto.gauss, "OVVO"), bracketNormalizzato(otto.gauss, "VOOV"));
    EXPECT_EQ(bracketNormalizzato("1-2+3-1+2-3+", "OO"), std::nullopt);
    EXPECT_EQ(bracketNormalizzato("1-2+3-1+2-3+", "OOX"), std::nullopt);
    EXPECT_EQ(bracketNormalizzato("1-1-", "O"), std::nullopt);
}

// The first mask that lays the trefoil out is "VVV", the mirror image; the letters kept are the entry's
// knot, whichever hand it has. An entry whose own letters cannot be drawn gets letters that can.
TEST(StrumentiBatch, GeneraOriKeepsLettersOfTheEntrysOwnKnot) {
    for (const char* nome : {"trefoil_right", "trefoil_left", "5_2", "6_2", "granny", "square"}) {
        const VoceCatalogo v = voce(nome);
        const Result<EsitoOri> e = generaOri(v);
        ASSERT_TRUE(e.ok()) << nome << ": " << e.error();
        EXPECT_TRUE(e->trovata && e->nodoNoto) << nome;
        EXPECT_TRUE(ts::sameKnot(v.txtNodo, v.TxtOri, e->voce.txtNodo, e->voce.TxtOri)) << nome;
    }
    VoceCatalogo segnaposto = voce("5_2");
    segnaposto.TxtOri = "OOOOOO";
    ASSERT_FALSE(ts::drawable(segnaposto.txtNodo, segnaposto.TxtOri));
    const Result<EsitoOri> e = generaOri(segnaposto);
    ASSERT_TRUE(e.ok());
    EXPECT_TRUE(e->trovata);
    EXPECT_FALSE(e->nodoNoto);
    EXPECT_TRUE(ts::drawable(e->voce.txtNodo, e->voce.TxtOri));

    std::string grande;
    for (int i = 1; i <= 17; ++i) grande += std::to_string(i) + "-" + std::to_string(i) + "+";
    EXPECT_FALSE(generaOri(VoceCatalogo{"big", grande, std::string(17, 'O')}).ok());
    EXPECT_FALSE(generaOri(VoceCatalogo{"bad", "1-2+", "OO"}).ok());
    const Result<EsitoOri> fermato = generaOri(voce("5_2"), ControlloLavoro{[] { return true; }, {}});
    ASSERT_FALSE(fermato.ok());
    EXPECT_EQ(fermato.error(), kLavoroFermato);
}

TEST(StrumentiBatch, TheExpansionListsEachReachableDiagramOnceAndKeepsTheKnot) {
    for (const char* nome : {"6_1", "8_19"}) {
        const VoceCatalogo v = voce(nome);
        const Result<EsitoEspansione> e = GeneratblListaUg(v);
        ASSERT_TRUE(e.ok()) << e.error();
        ASSERT_GT(e->diagrammi.size(), 2u) << nome;
        EXPECT_TRUE(e->limite.empty());
        std::set<std::string> chiavi;
        for (std::size_t k = 0; k < e->diagrammi.size(); ++k) {
            const NodoLista& r = e->diagrammi[k];
            EXPECT_EQ(r.Ori.size(), v.TxtOri.size());
            EXPECT_TRUE(ts::sameKnot(v.txtNodo, v.TxtOri, r.Codice, r.Ori)) << nome << " " << k;
            EXPECT_TRUE(chiavi.insert(*chiaveCanonica(r.Codice)).second) << nome << " " << k;
            if (k == 0) continue;
            ASSERT_LT(r.IndicePadre, static_cast<long>(k));
            EXPECT_EQ(r.Profondita, e->diagrammi[static_cast<std::size_t>(r.IndicePadre)].Profondita + 1);
        }
        // The listing reads back line for line, each line naming the knot.
        const Result<Listato> righe = leggiListato(righeListato(nome, *e));
        ASSERT_TRUE(righe.ok());
        ASSERT_EQ(righe->size(), e->diagrammi.size());
        EXPECT_EQ((*righe)[0].nome, std::string(nome) + "_1_0");
        for (std::size_t k = 0; k < righe->size(); ++k) {
            EXPECT_EQ(nomeDaEtichetta((*righe)[k].nome), nome);
            EXPECT_EQ((*righe)[k].txtNodo, e->diagrammi[k].Codice);
            EXPECT_EQ((*righe)[k].TxtOri, e->diagrammi[k].Ori);
        }
    }
    EXPECT_EQ(nomeDaEtichetta("6_1"), "6_1");
    EXPECT_EQ(nomeDaEtichetta("Trefoil (mirror)_12_3"), "Trefoil (mirror)");
}

TEST(StrumentiBatch, TheExpansionStopsAtItsLimitsAndACancelKeepsNothing) {
    const VoceCatalogo v = voce("6_1");
    LimitiEspansione pochi;
    pochi.maxDiagrammi = 2;
    const Result<EsitoEspansione> a = GeneratblListaUg(v, pochi);
    ASSERT_TRUE(a.ok());
    EXPECT_EQ(a->diagrammi.size(), 3u);
    EXPECT_FALSE(a->limite.empty());
    LimitiEspansione piatto;
    piatto.maxProfondita = 0;
    const Result<EsitoEspansione> b = GeneratblListaUg(v, piatto);
    ASSERT_TRUE(b.ok());
    EXPECT_EQ(b->diagrammi.size(), 1u);
    EXPECT_FALSE(b->limite.empty());

    int chiamate = 0;
    const Result<EsitoEspansione> c =
        GeneratblListaUg(v, {}, ControlloLavoro{[&] { return ++chiamate > 2; }, {}});
    ASSERT_FALSE(c.ok());
    EXPECT_EQ(c.error(), kLavoroFermato);
    EXPECT_FALSE(GeneratblListaUg(VoceCatalogo{"bad", "1-2+3-", "OOO"}).ok());
}

// A diagram of one knot's listing planted under another name, read from another passage, and the mirror
// image of another: both are found, and nothing else is.
TEST(StrumentiBatch, TheDuplicateToolsFindAPlantedDuplicate) {
    const Result<EsitoEspansione> e = GeneratblListaUg(voce("6_1"));
    ASSERT_TRUE(e.ok());
    ASSERT_GE(e->diagrammi.size(), 4u);
    const NodoLista& copiato = e->diagrammi[3];
    const std::optional<LetturaGauss> letto = letturaDaPassaggio(copiato.Codice, copiato.Ori, 5, true);
    ASSERT_TRUE(letto);
    ASSERT_NE(letto->txtNodo, copiato.Codice);
    std::string riflesso = e->diagrammi[2].Codice;
    for (char& ch : riflesso) ch = ch == '+' ? '-' : ch == '-' ? '+' : ch;

    const std::string propri = righeListato("6_1", *e);
    const Result<Listato> listato = leggiListato(propri + "planted_1_0|" + letto->txtNodo + "|" +
                                                 letto->TxtOri + "\nmirror_1_0|" + riflesso + "|OOVOVVO\n");
    ASSERT_TRUE(listato.ok());
    const RigheConfronto righe = righeDiListato(*listato);
    const Result<std::vector<GruppoDoppi>> gruppi = CercaDoppi(righe);
    ASSERT_TRUE(gruppi.ok());
    // The planted line is in a group with the line it copies, marked alike; the mirror line is in a group
    // with the line it reflects, marked the other way.
    const auto trovaIn = [&](const std::string& origine, const std::string& copiaDi, bool riflessa) {
        for (const GruppoDoppi& g : *gruppi)
            for (const GruppoDoppi::Riga& r : g.righe) {
                if (righe.riga(r.indice).origine != origine) continue;
                for (const GruppoDoppi::Riga& q : g.righe)
                    if (righe.riga(q.indice).voce.txtNodo == copiaDi &&
                        (q.specchio != r.specchio) == riflessa)
                        return true;
            }
        return false;
    };
    EXPECT_TRUE(trovaIn("planted", copiato.Codice, false)) << testoDoppi(*gruppi, righe);
    EXPECT_TRUE(trovaIn("mirror", e->diagrammi[2].Codice, true)) << testoDoppi(*gruppi, righe);
    const std::string testo = testoDoppi(*gruppi, righe);
    EXPECT_NE(testo.find("planted_1_0|"), std::string::npos);
    EXPECT_NE(testo.find("mirror_1_0|"), std::string::npos);
    const Result<Listato> soloPropri = leggiListato(propri);
    ASSERT_TRUE(soloPropri.ok());
    EXPECT_TRUE(CercaDoppi(righeDiListato(*soloPropri))->empty());

    // The shipped catalogue: the two trefoils share a code, and so do the granny and the square knot.
    const Result<std::vector<VoceCatalogo>> catalogo =
        CaricaTabellaNodiCodificati(fs::path(TREVALON_SOURCE_DIR) / "Knots" / kFileCatalogo);
    ASSERT_TRUE(catalogo.ok());
    const std::string doppi = testoDoppi(*VerificaGaussUguale(*catalogo), righeDiCatalogo(*catalogo));
    for (const char* nome : {"= Trefoil|", "Trefoil (mirror)|", "Granny|", "Square|"})
        EXPECT_NE(doppi.find(nome), std::string::npos) << nome;
    EXPECT_EQ(doppi.find("5_2|"), std::string::npos);

    // Listings two by two: only the pair that shares a diagram is written.
    const Result<EsitoEspansione> altro = GeneratblListaUg(voce("5_2"));
    ASSERT_TRUE(altro.ok());
    std::vector<ListatoNominato> listati;
    listati.emplace_back("a.txt", *leggiListato(righeListato("6_1", *e)));
    listati.emplace_back("b.txt", *leggiListato(righeListato("5_2", *altro)));
    listati.emplace_back("c.txt", *leggiListato("planted|" + letto->txtNodo + "|" + letto->TxtOri));
    const Result<std::string> confronto = ConfrontoFraduenodi(listati);
    ASSERT_TRUE(confronto.ok());
    EXPECT_NE(confronto->find("== a.txt - c.txt\n"), std::string::npos);
    EXPECT_EQ(confronto->find("b.txt"), std::string::npos);
    const Result<Listato> illeggibile = leggiListato("x|x+y|O");
    ASSERT_TRUE(illeggibile.ok());
    const Result<std::vector<GruppoDoppi>> rifiutato = CercaDoppi(righeDiListato(*illeggibile));
    ASSERT_FALSE(rifiutato.ok());
    EXPECT_EQ(rifiutato.error(), "\"x\": the Gauss code cannot be read");
}

TEST(StrumentiBatch, CatalogueLinesFromCommaCodesAndFromPairsOfLines) {
    const Result<std::string> cod = CodMioDaGauss("1, -2, 3, -1, 2, -3\r\n\n-1,+2,-3,1,-2,3\n");
    ASSERT_TRUE(cod.ok()) << cod.error();
    EXPECT_EQ(*cod, "n001|1-2+3-1+2-3+|OOO\nn002|1+2-3+1-2+3-|OOO\n");
    const Result<std::string> rotto = CodMioDaGauss("1,-2,3,-1,2,-3\n1, 2\n");
    ASSERT_FALSE(rotto.ok());
    EXPECT_NE(rotto.error().find("line 2"), std::string::npos);
    EXPECT_FALSE(CodMioDaGauss("1,,-1").ok());

    const Result<std::vector<VoceCatalogo>> pila = CaricaTabellaStack("1-2+3-1+2-3+\r\nOOO\n\n1-1+\nO\n");
    ASSERT_TRUE(pila.ok());
    ASSERT_EQ(pila->size(), 2u);
    EXPECT_EQ((*pila)[1].nome, "1");
    EXPECT_EQ((*pila)[1].TxtOri, "O");
    EXPECT_FALSE(CaricaTabellaStack("1-1+\nO\n1-1+\n").ok());
    std::string lunga;
    for (int i = 0; i < 150; ++i) lunga += "1-1+\nO\n";
    EXPECT_EQ(CaricaTabellaStack(lunga)->size(), static_cast<std::size_t>(kMaxVociCatalogo));

    // Lines ended by CR alone read as lines, in every batch list.
    EXPECT_EQ(CodMioDaGauss("1, -2, 3, -1, 2, -3\r-1,+2,-3,1,-2,3\r").value(), *cod);
    EXPECT_EQ(CaricaTabellaStack("1-2+3-1+2-3+\rOOO\r\r1-1+\rO\r").value().size(), 2u);
    const Result<Listato> listato = leggiListato("a_1_0|1-1+|O\rb_2_1|1+1-|V\r");
    ASSERT_TRUE(listato.ok()) << listato.error();
    EXPECT_EQ(listato->size(), 2u);
}

// ---- Results on ordinary listings, recorded before the listings were kept as one text ----

// Listings of ordinary lines (labels "knot_k_parent", codes read from other passages, mirror images, blank
// lines, every line end) with the duplicate search's text as it was when every line was kept whole.
struct CasoDoppi {
    const char* nome;
    const char* listato;
    const char* atteso;
};

const CasoDoppi kCasiDoppi[] = {
    {"mixed",
     "6_1_1_0|1+2+3-4+5-6+4+1-2-7+6-5+7-3-|OOVOVVO\n"
     "Trefoil_1_0|1-2+3-1+2-3+|OOO\n"
     "Trefoil_2_1|2+3-1+2-3+1-|OOO\r\n"
     "Other_1_0 | 3+2-1+3-2+1- | VVV\n"
     "Mirror_1_0|1+2-3+1-2+3-|OOO\n"
     "\n"
     "4_1_1_0|1+2-3+1-4+3-2+4-|OVVO\r"
     "4_1b_1_0|1-2+3-1+4-3+2-4+|VOOV\n"
     "5_2_1_0|1+2-3-4+5+1-2+3+6-5+4-6-|OOOOOV\n"
     "Trefoil_3_1|1-2+3-1+2-3+|VVV\n"
     "   \r\n"
     "Granny_1_0|1+2-3+1-2+3-4+5-6+4-5+6-|OOOOOO\n"
     "Square_1_0|1+2-3+1-2+3-4+5-6+4-5+6-|OOOVVV\n"
     "Curl_1_0|1-1+|O\n"
     "Curl2_4_2|1+1-|V\n"
     "Mirror52_1_0|1-2+3+4-5-1+2-3-6+5-4+6+|VVVVVO\n"
     "Mirror61_2_1|1-2-3+4-5+6-4-1+2+7-6+5-7+3+|VVOVOOV",
     "* 1-2+3+1-4+5-6+4+2-3-7+6-5+7-\n"
     "= 6_1_1_0|1+2+3-4+5-6+4+1-2-7+6-5+7-3-|OOVOVVO (6_1)\n"
     "= Mirror61_2_1|1-2-3+4-5+6-4-1+2+7-6+5-7+3+|VVOVOOV (Mirror61)\n"
     "* 1+2-3+1-2+3-\n"
     "= Trefoil_1_0|1-2+3-1+2-3+|OOO (Trefoil)\n"
     "= Trefoil_2_1|2+3-1+2-3+1-|OOO (Trefoil)\n"
     "= Other_1_0|3+2-1+3-2+1-|VVV (Other)\n"
     "= Mirror_1_0|1+2-3+1-2+3-|OOO (Mirror)\n"
     "= Trefoil_3_1|1-2+3-1+2-3+|VVV (Trefoil)\n"
     "* 1+2-3+1-4+3-2+4-\n"
     "= 4_1_1_0|1+2-3+1-4+3-2+4-|OVVO (4_1)\n"
     "= 4_1b_1_0|1-2+3-1+4-3+2-4+|VOOV (4_1b)\n"
     "* 1-2+3-4+2+5-6+1+4-3-5+6-\n"
     "= 5_2_1_0|1+2-3-4+5+1-2+3+6-5+4-6-|OOOOOV (5_2)\n"
     "= Mirror52_1_0|1-2+3+4-5-1+2-3-6+5-4+6+|VVVVVO (Mirror52)\n"
     "* 1+2-3+1-2+3-4+5-6+4-5+6-\n"
     "= Granny_1_0|1+2-3+1-2+3-4+5-6+4-5+6-|OOOOOO (Granny)\n"
     "= Square_1_0|1+2-3+1-2+3-4+5-6+4-5+6-|OOOVVV (Square)\n"
     "* 1+1-\n"
     "= Curl_1_0|1-1+|O (Curl)\n"
     "= Curl2_4_2|1+1-|V (Curl2)\n"},
    {"one knot", "a_1_0|1-2+3-1+2-3+|OOO\na_2_1|2+3-1+2-3+1-|OOO\nb_1_0|1+2-3+1-4+3-2+4-|OVVO\n", ""},
    {"empty", "\n\r\n", ""},
};

// The listings compared two by two by "Util", with the text recorded when every line was kept whole.
const std::pair<const char*, const char*> kListatiUtil[] = {
    {"listA.txt",
     "T_1_0|1-2+3-1+2-3+|OOO\nF_1_0|1+2-3-4+5+1-2+3+6-5+4-6-|OOOOOV\nG_1_0|1+2-3+1-2+3-4+5-6+4-5+6-|"
     "OOOOOO\n"},
    {"listB.txt",
     "M_1_0|1+2-3+1-2+3-|VVV\nS_1_0|1+2+3-4+5-6+4+1-2-7+6-5+7-3-|OOVOVVO\nQ_1_0|4+5-6+4-5+6-1+2-3+1-2+3-|"
     "OOOVVV\n"},
    {"listC.txt",
     "R_1_0|3+4-5+6-1+2-3-4+5+1-2+6-|OOOOOV\nE_1_0|1+2-3+1-4+3-2+4-|OVVO\nT2_9_3|2+3-1+2-3+1-|OOO\n"},
    {"listD.txt", "Z_1_0|1+2-3+4-5+1-2+3-4+5-|OOOOO\n"},
};
const char* const kUtilAtteso =
    "== listA.txt - listB.txt\n"
    "* 1+2-3+1-2+3-\n"
    "= T_1_0|1-2+3-1+2-3+|OOO (listA.txt)\n"
    "= M_1_0|1+2-3+1-2+3-|VVV (listB.txt)\n"
    "* 1+2-3+1-2+3-4+5-6+4-5+6-\n"
    "= G_1_0|1+2-3+1-2+3-4+5-6+4-5+6-|OOOOOO (listA.txt)\n"
    "= Q_1_0|4+5-6+4-5+6-1+2-3+1-2+3-|OOOVVV (listB.txt)\n"
    "== listA.txt - listC.txt\n"
    "* 1+2-3+1-2+3-\n"
    "= T_1_0|1-2+3-1+2-3+|OOO (listA.txt)\n"
    "= T2_9_3|2+3-1+2-3+1-|OOO (listC.txt)\n"
    "== listB.txt - listC.txt\n"
    "* 1+2-3+1-2+3-\n"
    "= M_1_0|1+2-3+1-2+3-|VVV (listB.txt)\n"
    "= T2_9_3|2+3-1+2-3+1-|OOO (listC.txt)\n";
const char* const kSoloconfrAtteso =
    "* 1+2-3+1-2+3-\n"
    "= T_1_0|1-2+3-1+2-3+|OOO (listA.txt)\n"
    "= M_1_0|1+2-3+1-2+3-|VVV (listB.txt)\n"
    "= T2_9_3|2+3-1+2-3+1-|OOO (listC.txt)\n"
    "* 1+2-3+1-2+3-4+5-6+4-5+6-\n"
    "= G_1_0|1+2-3+1-2+3-4+5-6+4-5+6-|OOOOOO (listA.txt)\n"
    "= Q_1_0|4+5-6+4-5+6-1+2-3+1-2+3-|OOOVVV (listB.txt)\n";

std::vector<ListatoNominato> listatiUtil() {
    std::vector<ListatoNominato> l;
    for (const auto& [nome, testo] : kListatiUtil) l.emplace_back(nome, *leggiListato(testo));
    return l;
}

TEST(StrumentiBatch, TheDuplicateSearchGivesTheTextsRecordedOnOrdinaryListings) {
    for (const CasoDoppi& c : kCasiDoppi) {
        const Result<Listato> listato = leggiListato(c.listato);
        ASSERT_TRUE(listato.ok()) << c.nome << ": " << listato.error();
        const RigheConfronto righe = righeDiListato(*listato);
        const Result<std::vector<GruppoDoppi>> gruppi = CercaDoppi(righe);
        ASSERT_TRUE(gruppi.ok()) << c.nome << ": " << gruppi.error();
        EXPECT_EQ(testoDoppi(*gruppi, righe), c.atteso) << c.nome;
    }
    const std::vector<ListatoNominato> listati = listatiUtil();
    const Result<std::string> confronto = ConfrontoFraduenodi(listati);
    ASSERT_TRUE(confronto.ok()) << confronto.error();
    EXPECT_EQ(*confronto, kUtilAtteso);
    const Result<std::vector<GruppoDoppi>> uniti = VerificaGaussUgualesoloconfr(listati);
    ASSERT_TRUE(uniti.ok());
    EXPECT_EQ(testoDoppi(*uniti, righeDiListati(listati)), kSoloconfrAtteso);
    // The first lines alone: the text stops after them.
    const Result<Listato> misto = leggiListato(kCasiDoppi[0].listato);
    const RigheConfronto righe = righeDiListato(*misto);
    const std::string intero = testoDoppi(*CercaDoppi(righe), righe);
    for (const std::size_t n : std::initializer_list<std::size_t>{0, 1, 2, 5, 12}) {
        std::size_t fine = 0;
        for (std::size_t k = 0; k < n; ++k) fine = intero.find('\n', fine) + 1;
        EXPECT_EQ(testoDoppi(*CercaDoppi(righe), righe, n), intero.substr(0, fine)) << n;
    }
}

// The expansions of the shipped catalogue's knots, with the mirror image of every third diagram under
// another name and two planted lines: the duplicate search of the whole listing, and the comparison of its
// stretches of one knot's name each (some names come back: those stretches share nothing), as recorded when
// every line was kept whole (tests/data/batch).
TEST(StrumentiBatch, TheToolsGiveTheTextsRecordedOnTheCataloguesExpansions) {
    const fs::path cartella = fs::path(TREVALON_TEST_DATA) / "batch";
    const Result<Listato> listato = leggiListato(leggi(cartella / "expansions.txt"));
    ASSERT_TRUE(listato.ok()) << listato.error();
    ASSERT_EQ(listato->size(), 47u);
    const RigheConfronto righe = righeDiListato(*listato);
    const Result<std::vector<GruppoDoppi>> gruppi = CercaDoppi(righe);
    ASSERT_TRUE(gruppi.ok());
    EXPECT_EQ(gruppi->size(), 15u);
    EXPECT_EQ(testoDoppi(*gruppi, righe), leggi(cartella / "expansions_doppi.txt"));

    std::vector<ListatoNominato> tratti;
    std::string nome, testo;
    const auto chiudi = [&] {
        if (!nome.empty()) tratti.emplace_back(nome, *leggiListato(testo));
    };
    for (std::size_t i = 0; i < listato->size(); ++i) {
        const VoceVista v = (*listato)[i];
        if (nomeDaEtichetta(v.nome) != nome) {
            chiudi();
            nome = std::string(nomeDaEtichetta(v.nome));
            testo.clear();
        }
        testo += std::string(v.nome) + "|" + std::string(v.txtNodo) + "|" + std::string(v.TxtOri) + "\n";
    }
    chiudi();
    ASSERT_EQ(tratti.size(), 32u);
    const Result<std::string> confronto = ConfrontoFraduenodi(tratti);
    ASSERT_TRUE(confronto.ok()) << confronto.error();
    EXPECT_EQ(*confronto, leggi(cartella / "expansions_util.txt"));
}

// ---- Where a line or a file is refused ----

// Each reader's refusal of a line too long, or of what it cannot read, names the line.
TEST(StrumentiBatch, ALineTooLongIsRefusedByEveryReaderNamingTheLine) {
    const std::string lunga = "k|" + std::string(kMaxRigaCatalogo, '1') + "|O";  // 65540 characters
    const std::string barre(std::size_t{1} << 20, '|');
    const std::string limite = "k|" + std::string(kMaxRigaCatalogo - 8, ' ') + "1-1+|O";  // 65536 characters
    ASSERT_EQ(limite.size(), kMaxRigaCatalogo);
    const std::string troppo = ": a line of 65540 characters, longer than the 65536 a line may hold";
    struct Caso {
        const char* cosa;
        std::string errore;
        std::string atteso;
    };
    const auto errore = [](const auto& r) { return r.ok() ? std::string("accepted") : r.error(); };
    const Caso casi[] = {
        {"catalogue", errore(leggiCatalogoTesto("a|1-1+|O\n\n" + lunga + "\n")), "line 3" + troppo},
        {"catalogue of bars", errore(leggiCatalogoTesto(barre)),
         "line 1: a line of 1048576 characters, longer than the 65536 a line may hold"},
        {"catalogue, four fields", errore(leggiCatalogoTesto("a|1-1+|O|\n")),
         "line 1: a catalogue line holds a name, a Gauss code and its letters, split by \"|\""},
        {"listing", errore(leggiListato("a|1-1+|O\r" + lunga)), "line 2" + troppo},
        {"listing of bars", errore(leggiListato(barre + "\n")),
         "line 1: a line of 1048576 characters, longer than the 65536 a line may hold"},
        {"listing without a name", errore(leggiListato("a|1-1+|O\n|1-1+|O\n")),
         "line 2: a catalogue line has no name"},
        {"pairs of lines", errore(CaricaTabellaStack(lunga + "\nOOO\n")), "line 1" + troppo},
        {"pairs of lines, letters", errore(CaricaTabellaStack("1-1+\r\n" + lunga + "\n")), "line 2" + troppo},
        {"comma codes", errore(CodMioDaGauss("1,-1\n" + lunga)), "line 2" + troppo},
        {"a code that cannot be read",
         errore(CercaDoppi(righeDiListato(*leggiListato("a|1-1+|O\nx_1_0|x+y|O")))),
         "\"x_1_0\": the Gauss code cannot be read"},
    };
    for (const Caso& c : casi) EXPECT_EQ(c.errore, c.atteso) << c.cosa;
    // A line of the longest length is read.
    EXPECT_TRUE(leggiCatalogoTesto(limite).ok());
    const Result<Listato> alLimite = leggiListato(limite);
    ASSERT_TRUE(alLimite.ok());
    EXPECT_EQ((*alLimite)[0].txtNodo, "1-1+");
}

// "Util": a line that cannot be read names its listing; a text that would pass its limit names the pair of
// listings where it would, and nothing is kept.
TEST(StrumentiBatch, TheComparisonOfListingsNamesWhatItRefuses) {
    std::vector<ListatoNominato> listati = listatiUtil();
    listati.emplace_back("bad.txt", *leggiListato("ok_1_0|1-1+|O\nx_1_0|1-2+|OO\ny_1_0|1+x|O\n"));
    const Result<std::string> illeggibile = ConfrontoFraduenodi(listati);
    ASSERT_FALSE(illeggibile.ok());
    EXPECT_EQ(illeggibile.error(), "bad.txt: \"y_1_0\": the Gauss code cannot be read");
    listati.pop_back();
    const Result<std::string> lungo = ConfrontoFraduenodi(listati, {}, 200);
    ASSERT_FALSE(lungo.ok());
    EXPECT_EQ(lungo.error(),
              "the comparison's text would pass 200 bytes at listA.txt - listB.txt: compare fewer or smaller "
              "listings");
    EXPECT_EQ(ConfrontoFraduenodi(listati, {}, std::string(kUtilAtteso).size()).value(), kUtilAtteso);
    // Two listings of one name are one origin.
    std::vector<ListatoNominato> stessoNome;
    stessoNome.emplace_back("a.txt", *leggiListato("t|1-2+3-1+2-3+|OOO"));
    stessoNome.emplace_back("a.txt", *leggiListato("u|1-2+3-1+2-3+|OOO"));
    EXPECT_EQ(ConfrontoFraduenodi(stessoNome).value(), "");
}

struct Banco : fixture::FinestraDiProva {
    PannelloSviluppo pannello{form};
    fs::path cartella = fixture::cartellaProva() / "batch";
    Banco() {
        ctx.ModoSviluppo = true;
        form.Form_Load();
        fs::create_directories(cartella);
        EXPECT_TRUE(pannello.CaricaTabellaNodiCodificati().ok());
    }
};

// "ListaUg" on the chosen entry writes its listing; "Cancel" leaves the file that was there; a path that
// cannot be written says so and leaves what is there.
TEST(PannelloBatch, ListaUgWritesTheChosenEntrysListingWholeOrNotAtAll) {
    Banco b;
    b.pannello.CmbNodi_Click(6);
    ASSERT_EQ(b.pannello.catalogo()[6].nome, "6_1");
    const fs::path file = b.cartella / "listaug.txt";
    scriviFile(file, "old\n");
    b.ui.yesNoAnswers = {false};
    b.ui.saveAnswers = {file.string()};
    ASSERT_TRUE(b.pannello.premi("Command13"));
    const Result<Listato> righe = leggiListato(leggi(file));
    ASSERT_TRUE(righe.ok());
    EXPECT_EQ(righe->size(), GeneratblListaUg(b.pannello.catalogo()[6])->diagrammi.size());
    EXPECT_EQ((*righe)[0].nome, "6_1_1_0");

    scriviFile(file, "old\n");
    b.ui.messages.clear();
    b.ui.yesNoAnswers = {true};
    b.ui.saveAnswers = {file.string()};
    b.ui.onYield = [&b] { b.form.contesto().RichiestaStop.richiedi(); };
    ASSERT_TRUE(b.pannello.premi("Command13"));
    b.ui.onYield = nullptr;
    ASSERT_EQ(b.ui.messages.size(), 1u);
    EXPECT_NE(b.ui.messages[0].find("stopped"), std::string::npos);
    EXPECT_EQ(leggi(file), "old\n");
    EXPECT_FALSE(b.form.contesto().RichiestaStop.richiesta());

    const fs::path cartellaTxt = b.cartella / "folder.txt";
    fs::create_directories(cartellaTxt);
    for (const fs::path& cattivo : {cartellaTxt, b.cartella / "missing" / "x.txt"}) {
        b.ui.messages.clear();
        b.ui.yesNoAnswers = {false};
        b.ui.saveAnswers = {cattivo.string()};
        b.pannello.premi("Command13");
        ASSERT_EQ(b.ui.messages.size(), 1u);
        EXPECT_NE(b.ui.messages[0].find("could not be written"), std::string::npos) << b.ui.messages[0];
    }
    EXPECT_TRUE(fs::is_directory(cartellaTxt));
    EXPECT_TRUE(fs::is_empty(cartellaTxt));
    EXPECT_EQ(leggi(file), "old\n");
}

TEST(PannelloBatch, TheOtherButtonsWriteTheirFilesAndStackFillsTheCatalogue) {
    Banco b;
    const fs::path ori = b.cartella / "ori.txt";
    b.ui.saveAnswers = {ori.string()};
    ASSERT_TRUE(b.pannello.premi("CmdGeneraOri"));
    const Result<Listato> lettere = leggiListato(leggi(ori));
    ASSERT_TRUE(lettere.ok());
    ASSERT_EQ(lettere->size(), b.pannello.catalogo().size());
    for (std::size_t i = 0; i < lettere->size(); ++i) {
        const VoceCatalogo& v = b.pannello.catalogo()[i];
        EXPECT_TRUE(ts::sameKnot(v.txtNodo, v.TxtOri, std::string((*lettere)[i].txtNodo),
                                 std::string((*lettere)[i].TxtOri)))
            << v.nome;
    }

    const fs::path uguali = b.cartella / "uguali.txt";
    b.ui.saveAnswers = {uguali.string()};
    ASSERT_TRUE(b.pannello.premi("Cmdruota"));
    EXPECT_NE(leggi(uguali).find("Trefoil (mirror)|"), std::string::npos);

    // Two listings compared, and a listing with a planted duplicate shown.
    const fs::path a = b.cartella / "a.txt", c = b.cartella / "c.txt";
    scriviFile(a, righeListato("6_1", *GeneratblListaUg(b.pannello.catalogo()[6])));
    scriviFile(c, "planted_1_0|" + b.pannello.catalogo()[6].txtNodo + "|OOVOVVO\n");
    const fs::path confronto = b.cartella / "confronto.txt";
    b.ui.inputAnswers = {a.string() + ", " + c.string()};
    b.ui.saveAnswers = {confronto.string()};
    b.ui.messages.clear();
    ASSERT_TRUE(b.pannello.premi("Cmdutil"));
    EXPECT_TRUE(b.ui.messages.empty()) << b.ui.messages.front();
    EXPECT_NE(leggi(confronto).find("== a.txt - c.txt"), std::string::npos);
    scriviFile(c, leggi(a) + leggi(c));
    b.ui.openAnswers = {c.string()};
    ASSERT_TRUE(b.pannello.premi("CmdCercaDoppi"));
    ASSERT_EQ(b.ui.messages.size(), 1u);
    EXPECT_NE(b.ui.messages[0].find("1 diagrams"), std::string::npos);

    const fs::path codici = b.cartella / "codici.txt", convertiti = b.cartella / "convertiti.txt";
    scriviFile(codici, "1,-2,3,-1,2,-3\n");
    b.ui.openAnswers = {codici.string()};
    b.ui.saveAnswers = {convertiti.string()};
    ASSERT_TRUE(b.pannello.premi("Command12"));
    EXPECT_EQ(leggi(convertiti), "n001|1-2+3-1+2-3+|OOO\n");

    const fs::path pila = b.cartella / "stacknak.txt";
    scriviFile(pila, "1-2+3-1+2-3+\nVVV\n1-1+\nO\n");
    int cambi = 0;
    b.pannello.catalogoCambiato = [&cambi] { ++cambi; };
    b.ui.openAnswers = {pila.string()};
    ASSERT_TRUE(b.pannello.premi("CmdStack"));
    EXPECT_EQ(cambi, 1);
    ASSERT_EQ(b.pannello.catalogo().size(), 2u);
    EXPECT_EQ(b.pannello.TxtOri, "VVV");
    // A faulty one leaves the catalogue as it was.
    scriviFile(pila, "1-1+\n");
    b.ui.openAnswers = {pila.string()};
    b.ui.messages.clear();
    b.pannello.premi("CmdStack");
    EXPECT_EQ(b.ui.messages.size(), 1u);
    EXPECT_EQ(b.pannello.catalogo().size(), 2u);
}

// The panel's readers say where a file is refused: a line too long (by its number), a file over 64 MB,
// listings over 64 MB together; a listing read whole shows its first groups only.
TEST(PannelloBatch, TheReadersSayWhereALineOrAFileIsRefused) {
    Banco b;
    const fs::path lunga = b.cartella / "long.txt", grande = b.cartella / "large.txt",
                   piccola = b.cartella / "small.txt", molti = b.cartella / "many.txt";
    scriviFile(lunga, "a_1_0|1-1+|O\n" + std::string(70000, '|') + "\n");
    scriviFile(grande, "");
    fs::resize_file(grande, kMaxKnotFileBytes + 1);  // sparse: no disk is used
    scriviFile(piccola, "a_1_0|1-1+|O\n");
    const fs::path virgole = b.cartella / "comma.txt";
    scriviFile(virgole, "1,-1\n" + std::string(70000, ',') + "\n");
    std::string righe;
    for (int k = 1; k <= 40; ++k) {
        // Two knots' names for each of 40 unknots with k curls.
        std::string codice;
        for (int c = 1; c <= k; ++c) codice += std::to_string(c) + "-" + std::to_string(c) + "+";
        righe += "a_" + std::to_string(k) + "_0|" + codice + "|" +
                 std::string(static_cast<std::size_t>(k), 'O') + "\n";
        righe += "b_" + std::to_string(k) + "_0|" + codice + "|" +
                 std::string(static_cast<std::size_t>(k), 'V') + "\n";
    }
    scriviFile(molti, righe);
    struct Caso {
        const char* tasto;
        std::deque<std::string> apri;
        std::deque<std::optional<std::string>> scrivi;
        std::string atteso;
    };
    const std::string msg64 = std::to_string(kMaxKnotFileBytes >> 20);
    const Caso casi[] = {
        {"CmdCercaDoppi",
         {lunga.string()},
         {},
         "The listing " + lunga.string() +
             " is faulty, line 2: a line of 70000 characters, longer than the 65536 a line may hold"},
        {"CmdCercaDoppi",
         {grande.string()},
         {},
         "The file could not be read: " + grande.string() + ": " + grande.string() +
             " is too large: 65 MB, at most " + msg64 + " MB"},
        {"CmdStack",
         {lunga.string()},
         {},
         "The catalogue " + lunga.string() +
             " is faulty, line 2: a line of 70000 characters, longer than the 65536 a line may hold"},
        {"Command12",
         {virgole.string()},
         {},
         virgole.string() + ": line 2: a line of 70000 characters, longer than the 65536 a line may hold"},
        {"Cmdutil",
         {},
         {piccola.string() + "," + lunga.string()},
         "The listing " + lunga.string() +
             " is faulty, line 2: a line of 70000 characters, longer than the 65536 a line may hold"},
        {"Cmdutil",
         {},
         {piccola.string() + "," + grande.string()},
         "The listings are too large together: with " + grande.string() + " they pass " + msg64 +
             " MB, the most they may take together. Compare fewer at a time."},
        {"Cmdutil",
         {},
         {grande.string() + "," + piccola.string()},
         "The file could not be read: " + grande.string() + ": " + grande.string() +
             " is too large: 65 MB, at most " + msg64 + " MB"},
    };
    for (const Caso& c : casi) {
        b.ui.messages.clear();
        b.ui.openAnswers = c.apri;
        b.ui.inputAnswers = c.scrivi;
        ASSERT_TRUE(b.pannello.premi(c.tasto));
        ASSERT_EQ(b.ui.messages.size(), 1u) << c.tasto;
        EXPECT_EQ(b.ui.messages[0], c.atteso) << c.tasto;
    }
    // Only listings of 64 MB together are held: one of exactly 64 MB and an empty one are read.
    fs::resize_file(grande, kMaxKnotFileBytes);
    scriviFile(piccola, "");
    b.ui.messages.clear();
    b.ui.inputAnswers = {piccola.string() + "," + grande.string()};
    b.pannello.premi("Cmdutil");
    ASSERT_EQ(b.ui.messages.size(), 1u);
    EXPECT_NE(b.ui.messages[0].find("line 1: a line of 67108864 characters"), std::string::npos)
        << b.ui.messages[0];

    // "Doppi" shows the first 30 lines of its 40 groups.
    b.ui.messages.clear();
    b.ui.openAnswers = {molti.string()};
    ASSERT_TRUE(b.pannello.premi("CmdCercaDoppi"));
    ASSERT_EQ(b.ui.messages.size(), 1u);
    const std::string& m = b.ui.messages[0];
    EXPECT_EQ(m.rfind("40 diagrams are listed under two knots' names:\n* 1+1-\n= a_1_0|1-1+|O (a)\n= "
                      "b_1_0|1-1+|V (b)\n",
                      0),
              0u)
        << m;
    EXPECT_EQ(std::count(m.begin(), m.end(), '\n'), 31);
    EXPECT_EQ(m.substr(m.size() - 3), "...");
}

}  // namespace
}  // namespace trevalon
