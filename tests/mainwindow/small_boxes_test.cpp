#include "mainwindow/small_boxes.h"

#include <gtest/gtest.h>

#include <set>

#include "form2_fixture.h"
#include "mainwindow/open_knot.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;
using fixture::campione;
using fixture::cartellaProva;
using Banco = fixture::FinestraDiProva;

// The boxes as a window would show them, recorded; a file named in `illeggibili` does not read.
struct CaselleRegistrate : BoxPort {
    std::set<std::string> illeggibili;
    std::vector<std::string> chiamate;
    std::vector<std::string> proprieta;
    std::vector<std::string> pictureFormats() const override { return {"gif", "png", "jpg", "bmp"}; }
    bool showImageBox(const std::string& path, const std::string& caption) override {
        if (illeggibili.count(fs::path(path).filename().string())) return false;
        chiamate.push_back("image " + caption + " " + path);
        return true;
    }
    void closeImageBox() override { chiamate.push_back("close image"); }
    void showPropertyBox(const std::string& caption, const std::string& g, const std::string& i,
                         const std::string& n) override {
        proprieta = {caption, g, i, n};
    }
    void closePropertyBox() override { chiamate.push_back("close properties"); }
    void showInfoBox(const std::string& caption, const std::vector<std::string>& lines) override {
        proprieta = {caption};
        proprieta.insert(proprieta.end(), lines.begin(), lines.end());
    }
};

TEST(SmallBoxes, ZoomStepsWithinTheRangeOfEachKindOfDiagram) {
    struct Caso {
        const char* nodo;
        int inizio, minimo, massimo;
    };
    for (const Caso c : {Caso{"Trefoil.gau", 6, 3, 6}, Caso{"Trefoil.kno", 3, 1, 5}}) {
        SCOPED_TRACE(c.nodo);
        Banco b;
        ASSERT_TRUE(ApriGen(b.form.contesto(), b.form.vista(), campione(c.nodo)));
        ASSERT_EQ(b.form.vista().zoom.LivelloZoom, c.inizio);
        // A zoom button is on only while it can change the level.
        const auto pulsanti = [&b] {
            const Zoom& z = b.form.vista().zoom;
            EXPECT_EQ(b.ui.commandEnabled("Dimensmeno"), z.LivelloZoom > z.ZoomMin) << z.LivelloZoom;
            EXPECT_EQ(b.ui.commandEnabled("Dimenspiu"), z.LivelloZoom < z.ZoomMax) << z.LivelloZoom;
        };
        pulsanti();
        const GridControl& g = b.form.vista().Gr;
        // Down to the lowest level and one click beyond, then up to the highest and one beyond; each click
        // leaves the level within the range and every cell but row 0 and column 0 at the level's size.
        std::vector<int> livelli;
        for (int i = 0; i <= c.inizio - c.minimo; ++i) {
            b.form.tlb1_ButtonClick("Dimensmeno");
            livelli.push_back(b.form.vista().zoom.LivelloZoom);
            pulsanti();
        }
        for (int i = 0; i <= c.massimo - c.minimo; ++i) {
            b.form.tlb1_ButtonClick("Dimenspiu");
            livelli.push_back(b.form.vista().zoom.LivelloZoom);
            const int dim =
                b.form.vista().zoom.TabDimCella[static_cast<std::size_t>(b.form.vista().zoom.LivelloZoom)];
            ASSERT_EQ(b.form.vista().zoom.DimCella, dim);
            ASSERT_EQ((std::tuple{g.rowHeight(1), g.colWidth(1), g.rowHeight(g.rows() - 1),
                                  g.colWidth(g.cols() - 1)}),
                      (std::tuple{dim, dim, dim, dim}));
            ASSERT_EQ((std::tuple{g.rowHeight(0), g.colWidth(0)}), (std::tuple{0, 0}));
        }
        std::vector<int> attesi;
        for (int l = c.inizio - 1; l >= c.minimo; --l) attesi.push_back(l);
        attesi.push_back(c.minimo);
        for (int l = c.minimo + 1; l <= c.massimo; ++l) attesi.push_back(l);
        attesi.push_back(c.massimo);
        EXPECT_EQ(livelli, attesi);
        EXPECT_EQ(b.form.vista().zoom.DimCella, c.massimo == 6 ? 320 : 200);
    }
}

TEST(SmallBoxes, ThePictureBesideTheKnotFileIsFoundByItsRealNameAndOnlyAPictureCounts) {
    struct Caso {
        const char* cartella;
        std::vector<const char*> file;
        std::set<std::string> illeggibili;
        const char* attesa;  // nullptr: "No image found"
    };
    const std::vector<Caso> casi = {
        // Another case than the knot file's.
        {"caso", {"k.kno", "K.GIF", "k.kns", "k.gau"}, {}, "K.GIF"},
        // A spreadsheet, a backup, knot files and a picture of another knot are not its picture.
        {"foglio", {"k.kno", "k.xls", "k.bak", "k.kns", "k.gau", "kk.png", "k.png.txt"}, {}, nullptr},
        // A folder named like a knot file, and a folder named like a picture.
        {"x.kno", {"k.kno", "k.png"}, {}, "k.png"},
        {"cartelle", {"k.kno", "k.gif/"}, {}, nullptr},
        // A picture that does not read gives way to the next.
        {"rotta", {"k.kno", "k.bmp", "k.jpg"}, {"k.bmp"}, "k.jpg"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.cartella);
        const fs::path dir = cartellaProva() / "immagini" / c.cartella;
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (std::string nome : c.file) {
            if (nome.back() == '/')
                fs::create_directories(dir / nome.substr(0, nome.size() - 1));
            else
                std::ofstream(dir / nome) << "x";
        }
        Banco b;
        CaselleRegistrate caselle;
        caselle.illeggibili = c.illeggibili;
        InstallaComandiCaselle(b.form, caselle);
        b.form.doc().NomeFileNodo = (dir / "k.kno").string();
        b.form.tlb1_ButtonClick("Immagine");
        ASSERT_FALSE(caselle.chiamate.empty());
        EXPECT_EQ(caselle.chiamate.front(), "close image");
        if (c.attesa) {
            EXPECT_TRUE(b.ui.messages.empty());
            EXPECT_EQ(caselle.chiamate.back(),
                      "image " + std::string(c.attesa) + " " + (dir / c.attesa).string());
        } else {
            EXPECT_EQ(caselle.chiamate.size(), 1u);
            EXPECT_EQ(b.ui.messages, std::vector<std::string>{"No image found"});
        }
    }
}

TEST(SmallBoxes, PropertiesOfTheTrefoilAndTheInformationBox) {
    Banco b;
    CaselleRegistrate caselle;
    InstallaComandiCaselle(b.form, caselle);
    ASSERT_TRUE(ApriGen(b.form.contesto(), b.form.vista(), campione("Trefoil.gau")));
    ASSERT_TRUE(b.ui.commandEnabled("propr") && b.ui.commandEnabled("Immagine"));
    b.form.tlb1_ButtonClick("propr");
    EXPECT_EQ(caselle.chiamate, std::vector<std::string>{"close properties"});
    EXPECT_EQ(caselle.proprieta, (std::vector<std::string>{" Trevalon - Trefoil - Step 0   Gauss code",
                                                           "1,-2,3,-1,2,-3", "1,1,1", "3"}));
    b.form.tlb1_ButtonClick("info");
    ASSERT_EQ(caselle.proprieta.size(), 4u);
    EXPECT_EQ(caselle.proprieta[0], "Trevalon");
    EXPECT_EQ(caselle.proprieta[1], "VERSION   4.1");
    EXPECT_TRUE(b.ui.messages.empty());
    // Another knot opened closes the boxes of the one before.
    caselle.chiamate.clear();
    b.ui.openAnswers.push_back(campione("FigureEight.gau"));
    b.form.tlb1_ButtonClick("ApriG");
    EXPECT_EQ(caselle.chiamate, (std::vector<std::string>{"close image", "close properties"}));
}

}  // namespace
}  // namespace trevalon
