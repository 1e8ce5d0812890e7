#include "model/text_drawing.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace trevalon {
namespace {

// The lines of a written text, each ended by CR LF.
std::vector<std::string> linee(const std::string& testo) {
    std::vector<std::string> out;
    for (std::size_t start = 0; start < testo.size();) {
        const std::size_t fine = testo.find("\r\n", start);
        EXPECT_NE(fine, std::string::npos) << "a line without CR LF";
        if (fine == std::string::npos) break;
        out.push_back(testo.substr(start, fine - start));
        start = fine + 2;
    }
    return out;
}

std::string scrivi(const std::map<std::pair<int, int>, std::string>& celle, int righe = 20,
                   int colonne = 40) {
    return testoDisegno(righe, colonne, [&](int r, int c) {
        const auto it = celle.find({r, c});
        return it == celle.end() ? std::string() : it->second;
    });
}

TEST(TextDrawing, WrittenTextReadsBackIntoTheSameCells) {
    struct Caso {
        std::map<std::pair<int, int>, std::string> celle;
        std::string testo;                 // as written
        std::vector<std::string> disegno;  // as read back
    };
    for (const Caso& k : std::vector<Caso>{
             // The extent is the largest row and the largest column, each found on its own.
             {{{{3, 10}, "*"}, {{7, 4}, "|"}},
              "7,10\r\n          \r\n          \r\n         *\r\n          \r\n          \r\n          \r\n  "
              " |      "
              "\r\n",
              {"", "", "         *", "", "", "", "   |"}},
             // A placeholder counts for the extent and is written as a blank, so the next "*" keeps column 3;
             // a longer text is written as its first character.
             {{{{1, 1}, "*"}, {{1, 2}, "x"}, {{1, 3}, "*"}, {{2, 5}, "{"}, {{2, 1}, "-a"}},
              "2,5\r\n* *  \r\n-    \r\n",
              {"* *", "-"}},
             {{}, "0,0\r\n", {}},
         }) {
        const std::string testo = scrivi(k.celle);
        EXPECT_EQ(testo, k.testo);
        const Result<DisegnoTesto> letto = leggiDisegnoTesto(linee(testo));
        ASSERT_TRUE(letto.ok()) << letto.error();
        EXPECT_EQ(letto->righe(), k.disegno) << testo;
        for (const auto& [rc, s] : k.celle) {
            if (s == "x" || s == "{") continue;
            EXPECT_EQ(letto->simbolo(rc.first, rc.second), s[0]) << testo;
        }
    }
}

TEST(TextDrawing, ReaderDropsTheHeaderAndKeepsColumns) {
    struct Caso {
        std::vector<std::string> file;
        std::vector<std::string> disegno;
        int colonne;
    };
    for (const Caso& k : std::vector<Caso>{
             {{}, {}, 0},
             {{"0,0"}, {}, 0},
             // Whatever the header says; leading blanks and placeholders keep the columns after them.
             {{"1,1,Source=/a/b.jpg,Size=3", "  *", "*y-|", "", "\t|z*\r", "  ", ""},
              {"  *", "* -|", "", " | *"},
              4},
             // A knot source written without a header loses its first row, as the window's reader does.
             {{"***", "* *"}, {"* *"}, 3},
         }) {
        const Result<DisegnoTesto> d = leggiDisegnoTesto(k.file);
        ASSERT_TRUE(d.ok()) << d.error();
        EXPECT_EQ(d->righe(), k.disegno);
        EXPECT_EQ((std::pair{d->numRighe(), d->numColonne()}),
                  (std::pair{static_cast<int>(k.disegno.size()), k.colonne}));
    }
    const DisegnoTesto d({"*", " -|"});
    EXPECT_EQ(
        (std::string{d.simbolo(2, 3), d.simbolo(1, 2), d.simbolo(0, 1), d.simbolo(3, 1), d.simbolo(1, -1)}),
        "|    ");
}

TEST(TextDrawing, RefusesOversizeAndForeignCharactersSayingWhere) {
    const std::string largo(kMaxColonneDisegno, '*');
    std::vector<std::string> alto(kMaxRigheDisegno + 1, "*");
    EXPECT_TRUE(leggiDisegnoTesto(alto).ok());                            // header + 599 rows
    EXPECT_TRUE(leggiDisegnoTesto({"h", largo + "   \r", "", ""}).ok());  // blanks do not widen it
    alto.emplace_back("  *");
    for (const auto& [file, messaggio] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {alto, "the drawing has 600 rows; a drawing can have at most 599 rows"},
             {{"h", "*", largo + "-"}, "row 2 is 1500 columns wide; a drawing can have at most 1499 columns"},
             {{"h", "**", "* a*"}, "row 2, column 3 holds \"a\", which is not a drawn symbol"},
             {{"h", "*X"}, "row 1, column 2 holds \"X\""},
             {{"h", "*\x01"}, "row 1, column 2 holds the character of code 1"},
         }) {
        const Result<DisegnoTesto> d = leggiDisegnoTesto(file);
        ASSERT_FALSE(d.ok());
        EXPECT_NE(d.error().find(messaggio), std::string::npos) << d.error();
    }
}

TEST(ObjectLine, FoundAnywhereAndEveryItemChecked) {
    for (const auto& [file, atteso] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"Object=3,4,7|3,5,2|"}, "3,4,7|3,5,2|"},
             {{"\xEF\xBB\xBFObject=3,4,7|3,5,2|\r", "x"}, "3,4,7|3,5,2|"},
             {{"", "name object=1,1,7|700,2000,8"}, "1,1,7|700,2000,8"},  // the last "|" may be missing
             {{"OBJECT=1,2,1|", "Object=9,9,9|"}, "1,2,1|"},              // the first line counts
         }) {
        const Result<std::string> r = leggiRigaOggetto(file);
        ASSERT_TRUE(r.ok()) << r.error();
        EXPECT_EQ(*r, atteso);
    }
    for (const auto& [riga, messaggio] : std::vector<std::pair<std::string, std::string>>{
             {"Object=0,1,1|", "item 1 \"0,1,1\": the row is not a number from 1 to 700"},
             {"Object=1,1,1|701,1,1|", "item 2 \"701,1,1\": the row"},
             {"Object=1,2001,1|", "item 1 \"1,2001,1\": the column is not a number from 1 to 2000"},
             {"Object=1,0,1|", "the column"},
             {"Object=1,1,9|", "the line code is not from 1 to 8"},
             {"Object=1,1,0|", "the line code"},
             {"Object=1,1,|", "the line code"},
             {"Object=1,1|", "it needs a row, a column and a line code"},
             {"Object=1,1,1||", "item 2"},
             {"Object= \r", "holds no cell drawing"},
             {"GaussCode=1,-1", "the file holds no \"Object=\" line"},
         }) {
        const Result<std::string> r = leggiRigaOggetto({"first", riga});
        ASSERT_FALSE(r.ok()) << riga;
        EXPECT_NE(r.error().find(messaggio), std::string::npos) << r.error();
    }
    EXPECT_FALSE(leggiRigaOggetto({}).ok());
}

TEST(TextDrawing, SymbolOfATileName) {
    for (const auto& [nome, simbolo] : std::vector<std::pair<std::string, std::string>>{{"", " "},
                                                                                        {"E1", " "},
                                                                                        {"Z", " "},
                                                                                        {"B2", "*"},
                                                                                        {"b", "*"},
                                                                                        {"A*", "*"},
                                                                                        {"E*", "*"},
                                                                                        {"-x", "-"},
                                                                                        {"|", "|"},
                                                                                        {"aB", "a"}})
        EXPECT_EQ(simboloDaTessera(nome), simbolo) << nome;
}

}  // namespace
}  // namespace trevalon
