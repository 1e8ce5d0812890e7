#include "designer/source_file.h"

#include <gtest/gtest.h>

#include <string>

#include "designer_fixtures.h"

namespace trevalon {
namespace {

using designertest::disegnoDaRighe;

std::string scritto(const DisegnoProgetto& d) {
    const Result<std::string> t = testoSorgente(d);
    EXPECT_TRUE(t.ok()) << t.error();
    return t.ok() ? *t : std::string();
}

TEST(KnotSourceWriter, HeaderHoldsTheLastRowAndColumnFoundEachOnItsOwn) {
    DisegnoProgetto d(94, 40);
    d.setSimbolo(3, 10, '*');
    d.setSimbolo(7, 4, '|');
    const std::string t = scritto(d);
    std::string atteso = "7,10,Source=,Size=1\r\n";
    for (int r = 1; r <= 7; ++r) {
        std::string riga(10, ' ');
        if (r == 3) riga[9] = '*';
        if (r == 7) riga[3] = '|';
        atteso += riga + "\r\n";
    }
    EXPECT_EQ(t, atteso);
    EXPECT_EQ(scritto(DisegnoProgetto(94, 40)), "0,0,Source=,Size=1\r\n");
}

TEST(KnotSourceFile, RoundTripKeepsSymbolsPictureWithCommasAndSize) {
    DisegnoProgetto d = disegnoDaRighe(designertest::kTrifoglio);
    d.NomeImg = "/home/ann/my,pics/Size=2,tref,oil.jpg";
    d.Cost = 3;
    const Result<SorgenteLetta> letta = leggiSorgente(scritto(d));
    ASSERT_TRUE(letta.ok()) << letta.error();
    ASSERT_TRUE(letta->NomeImg.has_value());
    EXPECT_EQ(*letta->NomeImg, d.NomeImg);
    EXPECT_EQ(letta->Cost, 3);
    const DisegnoProgetto back = disegnoDaSorgente(*letta, 50, "old.jpg");
    EXPECT_EQ(back.Rows(), 200);
    EXPECT_EQ(back.Cols(), 50);
    EXPECT_EQ(back.NomeImg, d.NomeImg);
    for (int r = 1; r < d.Rows(); ++r)
        for (int c = 1; c < d.Cols(); ++c) ASSERT_EQ(back.simbolo(r, c), d.simbolo(r, c)) << r << "," << c;
    // The shipped trefoil is this drawing.
    const Result<SorgenteLetta> file = leggiFileSorgente(designertest::knotsFile("Trefoil.kns"));
    ASSERT_TRUE(file.ok()) << file.error();
    EXPECT_EQ(file->disegno.righe(), designertest::senzaCoda(designertest::kTrifoglio));
}

TEST(KnotSourceReader, HeaderKeysAndSizeCodes) {
    const auto leggi = [](const std::string& testo) {
        Result<SorgenteLetta> l = leggiSorgente(testo);
        EXPECT_TRUE(l.ok()) << l.error();
        return l.ok() ? std::move(*l) : SorgenteLetta{};
    };
    EXPECT_EQ(righePerCodice(leggi("1,1,Source=a.gif,Size=3\r\n*\r\n").Cost), 200);
    EXPECT_EQ(leggi("1,1,Source=a.gif,Size=7\r\n*\r\n").Cost, 1);
    EXPECT_EQ(leggi("1,1,Source=a.gif,Size=0\r\n*\r\n").Cost, 1);
    EXPECT_EQ(leggi("1,1,Source=a.gif,Size= 2 \r\n*\r\n").Cost, 2);
    // No size key: size 2; no picture key: the picture shown stays.
    const SorgenteLetta senzaSize = leggi("1,1,Source=a.gif\r\n*\r\n");
    EXPECT_EQ(senzaSize.Cost, 2);
    EXPECT_EQ(*senzaSize.NomeImg, "a.gif");
    const SorgenteLetta senzaSource = leggi("1,1,Size=1\r\n*\r\n");
    EXPECT_TRUE(senzaSource.intestazione);
    EXPECT_FALSE(senzaSource.NomeImg.has_value());
    EXPECT_EQ(disegnoDaSorgente(senzaSource, 10, "kept.jpg").NomeImg, "kept.jpg");
    // A "Size=" inside the picture's name, with no size piece after it, is part of the name.
    EXPECT_EQ(*leggi("1,1,Source=/p/Size=3.jpg\r\n*\r\n").NomeImg, "/p/Size=3.jpg");
    // Keys in lower case are no keys: line 1 is row 1.
    const SorgenteLetta minuscole = leggi("*\r\n*\r\n");
    EXPECT_FALSE(minuscole.intestazione);
    EXPECT_EQ(minuscole.Cost, 2);
    EXPECT_EQ(minuscole.disegno.numRighe(), 2);
    const Result<SorgenteLetta> chiavi = leggiSorgente("1,1,source=a.gif,size=3\r\n*\r\n");
    ASSERT_FALSE(chiavi.ok());
    EXPECT_NE(chiavi.error().find("row 1, column 1"), std::string::npos) << chiavi.error();
    const Result<SorgenteLetta> nonNumero = leggiSorgente("1,1,Source=,Size=big\r\n*\r\n");
    ASSERT_FALSE(nonNumero.ok());
    EXPECT_NE(nonNumero.error().find("\"big\" is not a whole number"), std::string::npos);
}

TEST(KnotSourceReader, LineEndsHeaderlessFilesAndRefusals) {
    const std::string lf = "3,3,Source=,Size=1\n* *\n -\n|\n";
    std::string crlf, cr;
    for (char ch : lf) {
        crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
        cr += ch == '\n' ? '\r' : ch;
    }
    const Result<SorgenteLetta> a = leggiSorgente(lf), b = leggiSorgente(crlf), c = leggiSorgente(cr);
    ASSERT_TRUE(a.ok() && b.ok() && c.ok());
    EXPECT_EQ(a->disegno.righe(), (std::vector<std::string>{"* *", " -", "|"}));
    EXPECT_EQ(b->disegno.righe(), a->disegno.righe());
    EXPECT_EQ(c->disegno.righe(), a->disegno.righe());

    // A file of 160 rows without a header grows the 155-row grid to 161 rows.
    std::string lunghe;
    for (int i = 0; i < 160; ++i) lunghe += "*\r\n";
    const Result<SorgenteLetta> senza = leggiSorgente(lunghe);
    ASSERT_TRUE(senza.ok());
    const DisegnoProgetto d = disegnoDaSorgente(*senza, 4, "");
    EXPECT_EQ(d.Rows(), 161);
    EXPECT_EQ(d.simbolo(160, 1), '*');
    // A row wider than the columns of the picture widens the grid.
    EXPECT_EQ(disegnoDaSorgente(*a, 2, "").Cols(), 4);

    const Result<SorgenteLetta> cattivo = leggiSorgente("1,2,Source=,Size=1\r\n*#\r\n");
    ASSERT_FALSE(cattivo.ok());
    EXPECT_NE(cattivo.error().find("row 1, column 2"), std::string::npos) << cattivo.error();
    EXPECT_FALSE(leggiFileSorgente("/nonexistent/k.kns").ok());
    DisegnoProgetto rotto(10, 10);
    rotto.NomeImg = "a\nb.jpg";
    EXPECT_FALSE(testoSorgente(rotto).ok());
}

TEST(KnotSourceFile, UnderStrandCellsStayInsideTheGrid) {
    DisegnoProgetto d(10, 12);
    d.setSimbolo(5, 8, '-');
    EXPECT_TRUE(cellaSotto(d, 4, 8));
    EXPECT_TRUE(cellaSotto(d, 6, 8));
    EXPECT_FALSE(cellaSotto(d, 5, 7));
    d.setSimbolo(5, 8, '|');
    EXPECT_TRUE(cellaSotto(d, 5, 7));
    EXPECT_TRUE(cellaSotto(d, 5, 9));
    EXPECT_FALSE(cellaSotto(d, 4, 8));
    // Crossings in the last row and column: their outer neighbours are not cells.
    d.setSimbolo(9, 11, '-');
    EXPECT_TRUE(cellaSotto(d, 8, 11));
    EXPECT_FALSE(cellaSotto(d, 10, 11));
    EXPECT_FALSE(d.setSimbolo(10, 11, '*'));
    EXPECT_EQ(d.simbolo(10, 11), ' ');
}

}  // namespace
}  // namespace trevalon
