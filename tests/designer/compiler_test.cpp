#include "designer/compiler.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "designer_fixtures.h"
#include "layout/palette.h"
#include "platform/text.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"
#include "support/ordinary_user.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;
namespace ts = trevalon::testsupport;

std::string contenuto(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class Cartella : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("designer_compile_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    DisegnoProgetto apri(const std::string& nome) {
        const Result<SorgenteLetta> s = leggiFileSorgente(designertest::knotsFile(nome));
        EXPECT_TRUE(s.ok()) << s.error();
        return s.ok() ? disegnoDaSorgente(*s, 80, "") : DisegnoProgetto();
    }

    // The knot file as the main window opens it, against the named knot(s).
    ::testing::AssertionResult apreComeNodo(const fs::path& fileNodo, const std::vector<std::string>& nomi) {
        const TilePalette disegni(PaletteId::Form1b, false);
        const Result<NodoCostruito> n =
            costruisciNodoDisegnato(contenuto(fileNodo), KnotFileKind::Object, disegni);
        if (!n) return ::testing::AssertionFailure() << "does not open: " << n.error();
        if (!n->diagram) return ::testing::AssertionFailure() << "no diagram";
        for (const std::string& nome : nomi) {
            const ts::NamedKnot k = ts::namedKnot(nome);
            if (ts::sameKnot(k.gauss, k.letters, n->diagram->txtNodo, n->diagram->TxtOri))
                return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << n->diagram->txtNodo << " " << n->diagram->TxtOri;
    }

    fs::path dir;
};

TEST(KnotFileName, OnlyTheFinalExtensionChangesAndNeverToTheSource) {
    EXPECT_EQ(*nomeFileNodo("/k/a.kns"), fs::path("/k/a.kno"));
    EXPECT_EQ(*nomeFileNodo("/k/A.KNS"), fs::path("/k/A.KNO"));
    EXPECT_EQ(*nomeFileNodo("/k/t.Kns"), fs::path("/k/t.kno"));
    EXPECT_EQ(*nomeFileNodo("/my.kns/knots/t"), fs::path("/my.kns/knots/t.kno"));
    EXPECT_FALSE(nomeFileNodo("/k/t.kno").ok());
    EXPECT_FALSE(nomeFileNodo("/k/T.KNO").ok());
    EXPECT_EQ(destinazioneImmagine("/home/ann/.local/my.knots/t1.kns", "/pics/trefoil.v2.JPG",
                                   FormatoImmagine::Jpeg),
              fs::path("/home/ann/.local/my.knots/t1.JPG"));
}

TEST_F(Cartella, TrefoilCompilesWithItsPictureAndOpensAsTheTrefoil) {
    DisegnoProgetto d = apri("Trefoil.kns");
    const fs::path immagine = dir / "pics.v1" / "trefoil.photo.gif";
    fs::create_directories(immagine.parent_path());
    std::ofstream(immagine, std::ios::binary) << "GIF89a-picture";
    d.NomeImg = immagine.string();
    const EsitoCompila e = Compila(d, dir / "t1.kns", immagine);
    ASSERT_TRUE(e.ok) << e.messaggio;
    EXPECT_EQ(e.messaggio, kFineCompilazione);
    EXPECT_TRUE(e.avvisi.empty());
    EXPECT_EQ(e.fileNodo, dir / "t1.kno");
    EXPECT_EQ(contenuto(dir / "t1.gif"), "GIF89a-picture");
    EXPECT_EQ(contenuto(dir / "t1.kno"), e.testoNodo);
    const std::string intestazione = "23,33,Source=" + immagine.string() + ",Size=1\r\n";
    EXPECT_EQ(contenuto(dir / "t1.kns").substr(0, intestazione.size()), intestazione);
    EXPECT_TRUE(apreComeNodo(dir / "t1.kno", {"trefoil_left", "trefoil_right"}));
    EXPECT_EQ(e.nodo.diagram->TxtOri.size(), 3u);
}

TEST_F(Cartella, FigureEightCompilesWithoutPictureAndOpensAsTheFigureEight) {
    DisegnoProgetto d = apri("FigureEight.kns");
    const EsitoCompila e = Compila(d, dir / "F8.KNS", {});
    ASSERT_TRUE(e.ok) << e.messaggio;
    EXPECT_EQ(e.messaggio, kFineCompilazione);
    EXPECT_TRUE(fs::exists(dir / "F8.KNO"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
    EXPECT_TRUE(apreComeNodo(dir / "F8.KNO", {"4_1"}));
}

TEST_F(Cartella, SourceHoldsTheThinnedDrawingAndAMissingPictureOnlyWarns) {
    std::vector<std::string> righe = designertest::kTrifoglio;
    righe[0][0] = '*';  // a square corner, thinned away
    DisegnoProgetto d = designertest::disegnoDaRighe(righe);
    // The picture shown went away before the compilation: the knot file is written, and the message says
    // that the picture is not.
    d.NomeImg = (dir / "gone.jpg").string();
    const EsitoCompila e = Compila(d, dir / "t.kns", d.NomeImg);
    ASSERT_TRUE(e.ok) << e.messaggio;
    ASSERT_EQ(e.avvisi.size(), 1u);
    EXPECT_NE(e.avvisi[0].find("there is no such file"), std::string::npos) << e.avvisi[0];
    EXPECT_EQ(e.messaggio, kFineSenzaImmagine + e.avvisi[0]);
    EXPECT_TRUE(fs::exists(dir / "t.kno"));
    const Result<SorgenteLetta> scritta = leggiFileSorgente(dir / "t.kns");
    ASSERT_TRUE(scritta.ok());
    EXPECT_EQ(scritta->disegno.righe(), designertest::senzaCoda(designertest::kTrifoglio));
}

TEST_F(Cartella, RefusedDrawingsAndUnsafeNamesWriteNothing) {
    std::ofstream(dir / "t.kns", std::ios::binary) << "old source";
    std::ofstream(dir / "t.kno", std::ios::binary) << "old knot";
    std::vector<std::string> righe = designertest::kTrifoglio;
    righe[0][7] = ' ';
    DisegnoProgetto rotto = designertest::disegnoDaRighe(righe);
    EsitoCompila e = Compila(rotto, dir / "t.kns", {});
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.messaggio, kMessaggioErrori);
    EXPECT_FALSE(e.controllo.celleErrate.empty());
    EXPECT_EQ(contenuto(dir / "t.kns"), "old source");
    EXPECT_EQ(contenuto(dir / "t.kno"), "old knot");

    // A source named like its knot file: the compilation stops before writing over it.
    DisegnoProgetto d = designertest::disegnoDaRighe(designertest::kTrifoglio);
    e = Compila(d, dir / "t.kno", {});
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.messaggio.rfind(kCompilazioneFallita, 0), 0u) << e.messaggio;
    EXPECT_EQ(contenuto(dir / "t.kno"), "old knot");

    // A source and its knot file that are links to one file.
    fs::create_symlink(dir / "t.kno", dir / "l.kns");
    fs::create_symlink(dir / "t.kno", dir / "l.kno");
    e = Compila(d, dir / "l.kns", {});
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(contenuto(dir / "t.kno"), "old knot");

    // A folder where the knot file should go: the failure is said, never "End of compilation".
    fs::create_directories(dir / "k.kno");
    e = Compila(d, dir / "k.kns", {});
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.messaggio.rfind(kCompilazioneFallita, 0), 0u) << e.messaggio;
}

// The folder's entries, each "name=contents" or "name->target" for a link, sorted.
std::vector<std::string> elenco(const fs::path& cartella) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(cartella))
        out.push_back(e.path().filename().string() + (fs::is_symlink(e.symlink_status())
                                                          ? "->" + fs::read_symlink(e.path()).string()
                                                          : "=" + contenuto(e.path())));
    std::sort(out.begin(), out.end());
    return out;
}

// A file its owner made read-only, as an ordinary user compiles beside it: the knot file, the source or the
// picture's copy. The knot file or the source is not replaced: nothing is written, the message says which
// file is read-only, and never "End of compilation". A read-only picture copy leaves the knot file written
// and says that the picture was not copied. The designer's save says the same of its source.
TEST_F(Cartella, AReadOnlyFileIsNotReplacedAndTheCompilationSaysSo) {
    const fs::path pic = dir / "pic.gif";
    std::ofstream(pic, std::ios::binary) << "GIF89a-picture";
    struct Caso {
        std::string prova;
        std::string solaLettura;  // the read-only file
        bool scritto;             // whether the knot file is written all the same
        std::string messaggio;
    };
    const Caso casi[] = {
        {"knot file", "t.kno", false,
         std::string(kCompilazioneFallita) + ": The file could not be written: " + (dir / "t.kno").string() +
             ": it is read-only"},
        {"knot source", "t.kns", false,
         std::string(kCompilazioneFallita) + ": The file could not be written: " + (dir / "t.kns").string() +
             ": it is read-only"},
        {"picture copy", "t.gif", true,
         std::string(kFineSenzaImmagine) + "The picture was not copied beside the knot source: " +
             citazione((dir / "t.gif").string()) + " could not be written: it is read-only."},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.prova);
        for (const char* nome : {"t.kns", "t.kno", "t.gif"}) fs::remove(dir / nome);
        std::ofstream(dir / c.solaLettura, std::ios::binary) << "GIF89a protected";
        ASSERT_EQ(::chmod((dir / c.solaLettura).c_str(), 0444), 0);
        const std::vector<std::string> prima = elenco(dir);
        DisegnoProgetto d = designertest::disegnoDaRighe(designertest::kTrifoglio);
        const testsupport::EsitoUtenteComune e =
            testsupport::comeUtenteComune({dir, dir / c.solaLettura}, [&] {
                const EsitoCompila esito = Compila(d, dir / "t.kns", pic);
                return std::string(esito.ok ? "ok" : "failed") + "|" + esito.messaggio;
            });
        ASSERT_EQ(e.errore, "");
        EXPECT_EQ(e.risposta, (c.scritto ? "ok|" : "failed|") + c.messaggio);
        EXPECT_EQ(contenuto(dir / c.solaLettura), "GIF89a protected");
        if (c.scritto) {
            EXPECT_TRUE(apreComeNodo(dir / "t.kno", {"trefoil_left", "trefoil_right"}));
        } else {
            EXPECT_EQ(elenco(dir), prima);
        }
    }

    // The designer's save over a read-only source.
    fs::remove(dir / "t.kno");
    fs::remove(dir / "t.kns");
    std::ofstream(dir / "t.kns", std::ios::binary) << "GIF89a protected";
    ASSERT_EQ(::chmod((dir / "t.kns").c_str(), 0444), 0);
    const DisegnoProgetto d = designertest::disegnoDaRighe(designertest::kTrifoglio);
    const testsupport::EsitoUtenteComune e = testsupport::comeUtenteComune({dir, dir / "t.kns"}, [&] {
        const Status s = SalvaFile(d, dir / "t.kns");
        return s.ok() ? std::string("saved") : s.error();
    });
    ASSERT_EQ(e.errore, "");
    EXPECT_EQ(e.risposta, "The file could not be written: " + (dir / "t.kns").string() + ": it is read-only");
    EXPECT_EQ(contenuto(dir / "t.kns"), "GIF89a protected");
}

// A folder that came from elsewhere holds links at the names "Make .KNO" makes (name.kno, name.gif): they
// are never followed, also when they dangle. A link at the knot file's name writes nothing and names the
// link; one at the picture's leaves the knot file written and says the picture was not copied. The source,
// whose name the person chose, is still written through a link, which stays one.
TEST_F(Cartella, MakeKnoFollowsNoLinkAtANameItMakes) {
    const fs::path knots = dir / "knots", altrove = dir / "elsewhere";
    fs::create_directories(knots);
    fs::create_directories(altrove);
    const fs::path pic = dir / "pic.gif";
    std::ofstream(pic, std::ios::binary) << "GIF89a-picture";
    const std::string fallito = std::string(kCompilazioneFallita) + ": The file could not be written: ";
    const std::string nonCopiata =
        std::string(kFineSenzaImmagine) + "The picture was not copied beside the knot source: ";
    struct Caso {
        std::string prova;
        std::string nome;   // the link, in knots
        std::string verso;  // where it leads
        bool ok;
        std::string messaggio;
    };
    const Caso casi[] = {
        {"knot file, link to outside", "name.kno", "../elsewhere/notes.txt", false,
         fallito + (knots / "name.kno").string() + ": it is a symbolic link"},
        {"knot file, dangling link", "name.kno", "../elsewhere/made.kno", false,
         fallito + (knots / "name.kno").string() + ": it is a symbolic link"},
        {"picture, link to outside", "name.gif", "../elsewhere/notes.txt", true,
         nonCopiata + citazione((knots / "name.gif").string()) +
             " could not be written: it is a symbolic link."},
        {"picture, link to a picture outside", "name.gif", "../elsewhere/old.gif", true,
         nonCopiata + citazione((knots / "name.gif").string()) +
             " could not be written: it is a symbolic link."},
        {"picture, dangling link", "name.gif", "../elsewhere/made.gif", true,
         nonCopiata + citazione((knots / "name.gif").string()) +
             " could not be written: it is a symbolic link."},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.prova);
        fs::remove_all(knots);
        fs::remove_all(altrove);
        fs::create_directories(knots);
        fs::create_directories(altrove);
        std::ofstream(altrove / "notes.txt", std::ios::binary) << "secret";
        std::ofstream(altrove / "old.gif", std::ios::binary) << "GIF89a-old";
        fs::create_symlink(c.verso, knots / c.nome);
        const std::vector<std::string> fuori = elenco(altrove);
        DisegnoProgetto d = designertest::disegnoDaRighe(designertest::kTrifoglio);
        const EsitoCompila e = Compila(d, knots / "name.kns", pic);
        EXPECT_EQ(e.ok, c.ok);
        EXPECT_EQ(e.messaggio, c.messaggio);
        EXPECT_EQ(elenco(altrove), fuori);
        EXPECT_EQ(fs::read_symlink(knots / c.nome), c.verso);
        if (c.ok) {
            EXPECT_TRUE(apreComeNodo(knots / "name.kno", {"trefoil_left", "trefoil_right"}));
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(knots / "name.kno")));
        } else {
            EXPECT_EQ(elenco(knots), std::vector<std::string>{c.nome + "->" + c.verso})
                << "the source was written";
        }
    }

    // The source chosen through a link: written where the link leads; the knot file and the picture beside
    // the link, as files of their own.
    fs::remove_all(knots);
    fs::remove_all(altrove);
    fs::create_directories(knots);
    fs::create_directories(altrove);
    std::ofstream(altrove / "real.kns", std::ios::binary) << "old source";
    fs::create_symlink("../elsewhere/real.kns", knots / "l.kns");
    DisegnoProgetto d = designertest::disegnoDaRighe(designertest::kTrifoglio);
    const EsitoCompila e = Compila(d, knots / "l.kns", pic);
    ASSERT_TRUE(e.ok) << e.messaggio;
    EXPECT_EQ(e.messaggio, kFineCompilazione);
    EXPECT_EQ(fs::read_symlink(knots / "l.kns"), "../elsewhere/real.kns");
    EXPECT_EQ(contenuto(altrove / "real.kns"), e.testoSorgente);
    EXPECT_EQ(contenuto(knots / "l.kno"), e.testoNodo);
    EXPECT_EQ(contenuto(knots / "l.gif"), "GIF89a-picture");
}

}  // namespace
}  // namespace trevalon
