#include "model/text_drawing.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace trevalon {
namespace {

using Righe = std::vector<std::string>;

// A file's text from its lines, each ended by LF.
std::string file(const Righe& righe) {
    std::string testo;
    for (const std::string& r : righe) testo += r + "\n";
    return testo;
}

// A placeholder counts for the extent and is written as a blank, so the next "*" keeps its column; a longer
// text is written as its first character. The extent is the largest row and the largest column.
TEST(TextDrawing, WrittenTextReadsBackIntoTheSameCells) {
    struct Caso {
        std::map<std::pair<int, int>, std::string> celle;
        std::string testo;  // as written
        Righe disegno;      // as read back
    };
    for (const Caso& k : std::vector<Caso>{
             {{{{3, 10}, "*"}, {{4, 4}, "|"}},
              "4,10\r\n          \r\n          \r\n         *\r\n   |      \r\n",
              {"", "", "         *", "   |"}},
             {{{{1, 1}, "*"}, {{1, 2}, "x"}, {{1, 3}, "*"}, {{2, 5}, "{"}, {{2, 1}, "-a"}},
              "2,5\r\n* *  \r\n-    \r\n",
              {"* *", "-"}},
             {{}, "0,0\r\n", {}},
         }) {
        const std::string testo = testoDisegno(20, 40, [&](int r, int c) {
            const auto it = k.celle.find({r, c});
            return it == k.celle.end() ? std::string() : it->second;
        });
        ASSERT_EQ(testo, k.testo);
        const Result<DisegnoTesto> letto = leggiDisegnoTesto(testo);
        ASSERT_TRUE(letto.ok()) << letto.error();
        EXPECT_EQ(letto->righe(), k.disegno) << testo;
    }
}

// Whatever the header says, leading blanks and placeholders keep the columns after them; a knot source with
// no header loses its first row. Too many rows or columns, or a foreign character, are refused saying where.
TEST(TextDrawing, ReaderKeepsColumnsAndRefusesWhatDoesNotFit) {
    struct Caso {
        Righe file, disegno;
        std::string errore;
    };
    for (const Caso& k : std::vector<Caso>{
             {{"1,1,Source=/a/b.jpg,Size=3", "  *", "*y-|", "", "\t|z*\r", "  ", ""},
              {"  *", "* -|", "", " | *"},
              ""},
             {{"***", "* *"}, {"* *"}, ""},
             {Righe(kMaxRigheDisegno + 1, "*"), Righe(kMaxRigheDisegno, "*"), ""},
             {Righe(kMaxRigheDisegno + 2, "*"), {}, "the drawing has at least 600 rows"},
             {{"h", "*", std::string(kMaxColonneDisegno, '*') + "-"}, {}, "row 2 is 1500 columns wide"},
             {{"h", "**", "* a*"}, {}, "row 2, column 3 holds \"a\", which is not a drawn symbol"},
         }) {
        const Result<DisegnoTesto> d = leggiDisegnoTesto(file(k.file));
        EXPECT_EQ(d.ok(), k.errore.empty()) << d.error();
        EXPECT_NE(d.error().find(k.errore), std::string::npos) << d.error();
        EXPECT_EQ(d.ok() ? d->righe() : Righe{}, k.disegno);
    }
    const DisegnoTesto d({"*", " -|"});
    EXPECT_EQ((std::string{d.simbolo(2, 3), d.simbolo(0, 1), d.simbolo(3, 1), d.simbolo(1, -1)}), "|   ");
}

TEST(ObjectLine, FoundAnywhereAndEveryItemChecked) {
    EXPECT_EQ(*leggiRigaOggetto(file({"\xEF\xBB\xBFObject=3,4,7|3,5,2|\r", "x"})), "3,4,7|3,5,2|");
    EXPECT_EQ(*leggiRigaOggetto(file({"", "name object=1,1,7|700,2000,8"})), "1,1,7|700,2000,8");
    for (const auto& [riga, messaggio] : std::vector<std::pair<std::string, std::string>>{
             {"Object=1,1,1|701,1,1|", "item 2 \"701,1,1\": the row is not a number from 1 to 700"},
             {"Object=1,2001,1|", "the column"},
             {"Object=1,1,9|", "the line code"},
             {"Object=1,1|", "it needs a row, a column and a line code"},
             {"Object= \r", "holds no cell drawing"},
             {"GaussCode=1,-1", "no \"Object=\" line"},
         }) {
        const Result<std::string> r = leggiRigaOggetto(file({"first", riga}));
        ASSERT_FALSE(r.ok()) << riga;
        EXPECT_NE(r.error().find(messaggio), std::string::npos) << r.error();
    }
}

// A drawing is measured while it is read: empty lines only count, a symbol beyond the last row is refused
// where it stands, and lines may end with CR alone.
TEST(TextDrawing, RowsAreCountedWhileReadingAndAnyLineEndIsRead) {
    const std::string manyEmpty = "3,3\n" + std::string(200000, '\n');
    const Result<DisegnoTesto> vuoto = leggiDisegnoTesto(manyEmpty);
    ASSERT_TRUE(vuoto.ok());
    EXPECT_EQ(vuoto->numRighe(), 0);
    EXPECT_EQ(
        leggiDisegnoTesto(manyEmpty + "  *\n").error(),
        "the drawing has at least 200001 rows (row 200001 holds a symbol); a drawing can have at most 599 "
        "rows");
    std::string stelle = "1,1\n";
    for (int r = 0; r < 100000; ++r) stelle += "*\n";
    EXPECT_NE(leggiDisegnoTesto(stelle).error().find("at least 600 rows"), std::string::npos);
    const std::string wide = "1,1\n*" + std::string(3000000, ' ') + "-\n";
    EXPECT_EQ(leggiDisegnoTesto(wide).error(),
              "row 1 is 3000002 columns wide; a drawing can have at most 1499 columns");
    for (const std::string fine : {"\n", "\r\n", "\r"}) {
        const Result<DisegnoTesto> d = leggiDisegnoTesto("2,3" + fine + " * " + fine + "-|*" + fine);
        ASSERT_TRUE(d.ok()) << d.error();
        EXPECT_EQ(d->righe(), (Righe{" *", "-|*"}));
    }
}

// A faulty item of any length is quoted by its first characters: the message stays short.
TEST(ObjectLine, AHugeFaultyItemIsQuotedShort) {
    const Result<std::string> r = leggiRigaOggetto("Object=" + std::string(1048576, '1'));
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error(), "the \"Object=\" line of the file is faulty: item 1 \"" + std::string(80, '1') +
                             "...\" (1048576 characters): it needs a row, a column and a line code");
    const Result<std::string> cr = leggiRigaOggetto("x\rObject=1,1,6|1,2,2|\rrest");
    ASSERT_TRUE(cr.ok()) << cr.error();
    EXPECT_EQ(*cr, "1,1,6|1,2,2|");
}

}  // namespace
}  // namespace trevalon
