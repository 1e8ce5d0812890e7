#include "designer/compiler.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "designer_fixtures.h"
#include "layout/palette.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

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

}  // namespace
}  // namespace trevalon
