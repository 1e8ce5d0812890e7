// The catalogue's batch tools: letters that lay an entry out as its own knot, the expansion by horizontal
// moves, the listings of diagrams met twice, and the panel buttons that write their files.

#include "mainwindow/batch_tools.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "mainwindow/developer_panel.h"
#include "mainwindow/form2_fixture.h"
#include "moves/compare.h"
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
        const Result<std::vector<VoceCatalogo>> righe = leggiListato(righeListato(nome, *e));
        ASSERT_TRUE(righe.ok());
        ASSERT_EQ(righe->size(), e->diagrammi.size());
        EXPECT_EQ(righe->front().nome, std::string(nome) + "_1_0");
        for (const VoceCatalogo& r : *righe) EXPECT_EQ(nomeDaEtichetta(r.nome), nome);
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

    const Result<std::vector<VoceCatalogo>> listato = leggiListato(righeListato("6_1", *e));
    ASSERT_TRUE(listato.ok());
    std::vector<RigaConfronto> righe;
    for (const VoceCatalogo& r : *listato) righe.push_back({"6_1", r});
    const std::size_t propri = righe.size();
    righe.push_back({"planted", VoceCatalogo{"planted_1_0", letto->txtNodo, letto->TxtOri}});
    righe.push_back({"mirror", VoceCatalogo{"mirror_1_0", riflesso, "OOVOVVO"}});
    const Result<std::vector<GruppoDoppi>> gruppi = CercaDoppi(righe);
    ASSERT_TRUE(gruppi.ok());
    // The planted line is in a group with the line it copies, marked alike; the mirror line is in a group
    // with the line it reflects, marked the other way.
    const auto trovaIn = [&](const std::string& origine, const std::string& copiaDi, bool riflessa) {
        for (const GruppoDoppi& g : *gruppi)
            for (const GruppoDoppi::Riga& r : g.righe) {
                if (r.riga.origine != origine) continue;
                for (const GruppoDoppi::Riga& q : g.righe)
                    if (q.riga.voce.txtNodo == copiaDi && (q.specchio != r.specchio) == riflessa) return true;
            }
        return false;
    };
    EXPECT_TRUE(trovaIn("planted", copiato.Codice, false)) << testoDoppi(*gruppi);
    EXPECT_TRUE(trovaIn("mirror", e->diagrammi[2].Codice, true)) << testoDoppi(*gruppi);
    const std::string testo = testoDoppi(*gruppi);
    EXPECT_NE(testo.find("planted_1_0|"), std::string::npos);
    EXPECT_NE(testo.find("mirror_1_0|"), std::string::npos);
    righe.resize(propri);
    EXPECT_TRUE(CercaDoppi(righe)->empty());

    // The shipped catalogue: the two trefoils share a code, and so do the granny and the square knot.
    const Result<std::vector<VoceCatalogo>> catalogo =
        CaricaTabellaNodiCodificati(fs::path(TREVALON_SOURCE_DIR) / "Knots" / kFileCatalogo);
    ASSERT_TRUE(catalogo.ok());
    const std::string doppi = testoDoppi(*VerificaGaussUguale(*catalogo));
    for (const char* nome : {"= Trefoil|", "Trefoil (mirror)|", "Granny|", "Square|"})
        EXPECT_NE(doppi.find(nome), std::string::npos) << nome;
    EXPECT_EQ(doppi.find("5_2|"), std::string::npos);

    // Listings two by two: only the pair that shares a diagram is written.
    const Result<EsitoEspansione> altro = GeneratblListaUg(voce("5_2"));
    ASSERT_TRUE(altro.ok());
    const std::vector<std::pair<std::string, std::vector<VoceCatalogo>>> listati{
        {"a.txt", *leggiListato(righeListato("6_1", *e))},
        {"b.txt", *leggiListato(righeListato("5_2", *altro))},
        {"c.txt", {VoceCatalogo{"planted", letto->txtNodo, letto->TxtOri}}}};
    const Result<std::string> confronto = ConfrontoFraduenodi(listati);
    ASSERT_TRUE(confronto.ok());
    EXPECT_NE(confronto->find("== a.txt - c.txt\n"), std::string::npos);
    EXPECT_EQ(confronto->find("b.txt"), std::string::npos);
    EXPECT_FALSE(CercaDoppi({{"x", VoceCatalogo{"x", "x+y", "O"}}}).ok());
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
    const Result<std::vector<VoceCatalogo>> listato = leggiListato("a_1_0|1-1+|O\rb_2_1|1+1-|V\r");
    ASSERT_TRUE(listato.ok()) << listato.error();
    EXPECT_EQ(listato->size(), 2u);
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
    const Result<std::vector<VoceCatalogo>> righe = leggiListato(leggi(file));
    ASSERT_TRUE(righe.ok());
    EXPECT_EQ(righe->size(), GeneratblListaUg(b.pannello.catalogo()[6])->diagrammi.size());
    EXPECT_EQ(righe->front().nome, "6_1_1_0");

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
    const Result<std::vector<VoceCatalogo>> lettere = leggiListato(leggi(ori));
    ASSERT_TRUE(lettere.ok());
    ASSERT_EQ(lettere->size(), b.pannello.catalogo().size());
    for (std::size_t i = 0; i < lettere->size(); ++i) {
        const VoceCatalogo& v = b.pannello.catalogo()[i];
        EXPECT_TRUE(ts::sameKnot(v.txtNodo, v.TxtOri, (*lettere)[i].txtNodo, (*lettere)[i].TxtOri)) << v.nome;
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

}  // namespace
}  // namespace trevalon
