#include "model/drawn_structure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>

#include "model/step_history.h"
#include "model/structure.h"
#include "model_fixtures.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

using Picture = std::vector<std::string>;

std::string readData(const std::string& name) {
    std::ifstream in(std::string(TREVALON_TEST_DATA) + "/drawn/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The lines of a knot source without their line ends; the header line is dropped, so entry k - 1 is row k.
Picture sourceRows(const std::string& text) {
    Picture rows;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        rows.push_back(line);
    }
    rows.erase(rows.begin());
    return rows;
}

// Drawn symbols into the cell table: character c of entry k - 1 is the symbol of row k, column c.
void fillSymbols(Diagram& d, const Picture& rows) {
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            if (rows[r][c] != ' ')
                d.TblNodo.at(static_cast<int>(r + 1), static_cast<int>(c + 1)).Simbolo = rows[r][c];
}

// A cell drawing as a picture: '|' 1, '-' 2, 'H' 3 (horizontal over), 'V' 4 (vertical over), and the
// corners by the sides they join: 'J' 5 top-left, 'L' 6 top-right, 'r' 7 right-bottom, '7' 8 bottom-left.
// Anything else is empty. The snapshot text puts the picture's top-left cell at (1 + dr, 1 + dc).
std::string snapshotOf(const Picture& p, int dr = 0, int dc = 0) {
    const std::string glyphs = "|-HVJLr7";
    std::string out;
    for (std::size_t r = 0; r < p.size(); ++r)
        for (std::size_t c = 0; c < p[r].size(); ++c)
            if (const auto k = glyphs.find(p[r][c]); k != std::string::npos)
                out += std::to_string(static_cast<int>(r) + 1 + dr) + "," +
                       std::to_string(static_cast<int>(c) + 1 + dc) + "," + std::to_string(k + 1) + "|";
    return out;
}

// The picture turned a quarter clockwise.
Picture turned(const Picture& p) {
    const std::string from = "|-HVJLr7", to = "-|VHLr7J";
    Picture out(p[0].size(), std::string(p.size(), '.'));
    for (std::size_t r = 0; r < p.size(); ++r)
        for (std::size_t c = 0; c < p[r].size(); ++c) {
            const auto k = from.find(p[r][c]);
            out[c][p.size() - 1 - r] = k == std::string::npos ? '.' : to[k];
        }
    return out;
}

// The picture seen in a mirror: left and right exchanged.
Picture mirrored(Picture p) {
    for (std::string& row : p) {
        std::reverse(row.begin(), row.end());
        for (char& ch : row) ch = ch == 'J' ? 'L' : ch == 'L' ? 'J' : ch == 'r' ? '7' : ch == '7' ? 'r' : ch;
    }
    return p;
}

// The closure of the two-strand braid with n equal crossings, drawn down the picture (5 n + 5 rows).
Picture twist(int n) {
    const int rows = 5 * n + 5;
    Picture p(static_cast<std::size_t>(rows), std::string(9, '.'));
    const auto put = [&](int r, int c, char ch) {
        p[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)] = ch;
    };
    const auto across = [&](int r, int c0, int c1, const char* ends) {
        for (int c = c0; c <= c1; ++c) put(r, c, c == c0 ? ends[0] : c == c1 ? ends[1] : '-');
    };
    for (int r = 2; r < rows; ++r) put(r, 1, '|'), put(r, 9, '|');
    for (int r = 3; r < rows - 1; ++r) put(r, 5, '|'), put(r, 7, '|');
    across(1, 1, 9, "r7");
    across(2, 5, 7, "r7");
    across(rows - 1, 5, 7, "LJ");
    across(rows, 1, 9, "LJ");
    for (int r = 6; r < rows - 2; r += 5) {  // the strands of columns 1 and 5 change places at (r, 3)
        across(r, 1, 5, "L7");
        put(r, 3, 'V');
        across(r - 2, 3, 5, "rJ");
        across(r + 2, 1, 3, "rJ");
        put(r - 1, 3, '|'), put(r + 1, 3, '|'), put(r - 1, 5, '.'), put(r + 1, 1, '.');
    }
    return p;
}

struct Walk {
    Status status;
    int ticks = 0;
    std::unique_ptr<Diagram> d = std::make_unique<Diagram>();
};

Walk walkSnapshot(const std::string& snapshot) {
    Walk w;
    auto tblGen = std::make_unique<CellDrawing>();
    const Result<int> read = deserializzaCelDis(*tblGen, snapshot);
    EXPECT_TRUE(read) << read.error();
    w.status = GeneraStrutturaDaTblGen(*w.d, *tblGen, [&] { ++w.ticks; });
    return w;
}

Walk walkSymbols(const Picture& rows) {
    Walk w;
    fillSymbols(*w.d, rows);
    w.status = GeneraStrutturaDaDisegno(*w.d);
    return w;
}

std::string trefoilObject() {
    std::string line = readData("trefoil.kno");
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    return line.substr(line.find('=') + 1);
}

// The tables a good walk leaves: two arcs per crossing, one letter per crossing, every arc between two
// crossings, every crossing with two arcs in and two out whose far ends agree with the arcs; and the
// structure pipeline builds passages and n + 2 regions from the side tables.
void expectSound(Diagram& d) {
    const int n = d.NumIncroci;
    ASSERT_EQ(d.NumArchi, 2 * n);
    ASSERT_EQ(d.TxtOri.size(), static_cast<std::size_t>(n));
    for (int a = 1; a <= d.NumArchi; ++a) {
        const Arco& x = d.archi[a];
        EXPECT_TRUE(x.IncrocioDa >= 1 && x.IncrocioDa <= n && x.IncrocioA >= 1 && x.IncrocioA <= n) << a;
        EXPECT_FALSE(x.Percorso.empty()) << a;
    }
    for (int i = 1; i <= n; ++i) {
        const Incrocio& x = d.incroci[i];
        std::string verso;
        for (int s = 1; s <= 4; ++s) {
            verso += x.VersoLato[s];
            const Arco& arc = d.archi[x.ArcoLato[s]];
            EXPECT_EQ(x.IncrocioLato[s], x.VersoLato[s] == 'U' ? arc.IncrocioA : arc.IncrocioDa)
                << i << "," << s;
            EXPECT_EQ(x.VersoLato[s] == 'U' ? arc.IncrocioDa : arc.IncrocioA, i) << i << "," << s;
        }
        std::sort(verso.begin(), verso.end());
        EXPECT_EQ(verso, "EEUU") << i;
        EXPECT_EQ(d.TblNodo.at(x.Riga, x.Colonna).Tipo, 'I');
        EXPECT_EQ(d.NomiIncroci[i], std::to_string(i));
    }
    ASSERT_TRUE(Cmdgecare_Click(d));
    testing::expectConsistent(d);
}

TEST(DrawnStructure, TrefoilObjectDrawingAndItsMirrorCrossings) {
    std::string vertical = trefoilObject();
    std::string horizontal = vertical;
    for (std::size_t p = 0; (p = horizontal.find(",4|", p)) != std::string::npos;)
        horizontal.replace(p, 3, ",3|");
    for (const auto& [snapshot, gauss, letters, named] :
         std::vector<std::tuple<std::string, std::string, std::string, std::string>>{
             {vertical, "1-2+3-1+2-3+", "OOO", "trefoil_right"},
             {horizontal, "1+2-3+1-2+3-", "VVV", "trefoil_left"}}) {
        Walk w = walkSnapshot(snapshot);
        ASSERT_TRUE(w.status) << w.status.error();
        EXPECT_EQ(w.ticks, 5);  // one per row scanned for crossing 1
        EXPECT_EQ(w.d->txtNodo, gauss);
        EXPECT_EQ(w.d->TxtOri, letters);
        const auto k = testsupport::namedKnot(named);
        EXPECT_TRUE(testsupport::sameKnot(k.gauss, k.letters, gauss, letters));
        // Crossing 1 is the first crossing cell; arc 1 leaves it downwards and is numbered in the cell table.
        EXPECT_EQ((std::tuple{w.d->incroci[1].Riga, w.d->incroci[1].Colonna}), (std::tuple{5, 5}));
        EXPECT_EQ(w.d->archi[1].Percorso.substr(0, 8), "6,5|7,5|");
        EXPECT_EQ(w.d->archi[1].PuntiExtra, "5,5");
        EXPECT_EQ((std::tuple{w.d->TblNodo.at(6, 5).Tipo, w.d->TblNodo.at(6, 5).Numero,
                              w.d->TblNodo.at(7, 5).Forma}),
                  (std::tuple{'A', 1, std::int8_t{6}}));
        expectSound(*w.d);
    }
}

TEST(DrawnStructure, KnotSourceTrefoilAndFigureEight) {
    Walk source = walkSymbols(sourceRows(readData("trefoil.kns")));
    ASSERT_TRUE(source.status) << source.status.error();
    EXPECT_EQ((std::tuple{source.d->txtNodo, source.d->TxtOri}), (std::tuple{"1+2-3+1-2+3-", "VVV"}));
    EXPECT_TRUE(testsupport::sameKnot("1-2+3-1+2-3+", "VVV", source.d->txtNodo, source.d->TxtOri));
    expectSound(*source.d);

    // The closure of a three-strand braid with alternating crossings.
    const Picture eight{"r-------------7", "|...r-------7.|", "|...|...r-7.|.|", "|.r-J...|.|.|.|",
                        "|.|.....|.|.|.|", "L-V-7...|.|.|.|", "..|.|...|.|.|.|", "r-J.|...|.|.|.|",
                        "|...|.r-J.|.|.|", "|...|.|...|.|.|", "|...L-H-7.|.|.|", "|.....|.|.|.|.|",
                        "|...r-J.|.|.|.|", "|.r-J...|.|.|.|", "|.|.....|.|.|.|", "L-V-7...|.|.|.|",
                        "..|.|...|.|.|.|", "r-J.|...|.|.|.|", "|...|.r-J.|.|.|", "|...|.|...|.|.|",
                        "|...L-H-7.|.|.|", "|.....|.|.|.|.|", "|...r-J.|.|.|.|", "|...|...L-J.|.|",
                        "|...L-------J.|", "L-------------J"};
    Walk w = walkSnapshot(snapshotOf(eight));
    ASSERT_TRUE(w.status) << w.status.error();
    const auto k = testsupport::namedKnot("4_1");
    EXPECT_TRUE(testsupport::sameKnot(k.gauss, k.letters, w.d->txtNodo, w.d->TxtOri));
    expectSound(*w.d);
}

// A curl keeps its letter however the drawing is turned; its mirror image has the other letter.
TEST(DrawnStructure, CurlLetterInEveryOrientation) {
    Picture curl{"r-7..", "|.|..", "L-V-7", "..|.|", "..L-J"};
    for (int turn = 0; turn < 4; ++turn, curl = turned(curl))
        for (const auto& [picture, letter] : {std::pair{curl, "V"}, std::pair{mirrored(curl), "O"}}) {
            Walk w = walkSnapshot(snapshotOf(picture));
            ASSERT_TRUE(w.status) << w.status.error();
            EXPECT_EQ(w.d->TxtOri, letter) << "turn " << turn;
            EXPECT_EQ(w.d->archi[1].IncrocioA, 1);
            expectSound(*w.d);
        }
}

TEST(DrawnStructure, BadDrawingsAreRefused) {
    const std::string trefoil = trefoilObject();
    const auto without = [&](const std::string& item, const std::string& with = "") {
        std::string s = trefoil;
        return s.replace(s.find(item), item.size(), with);
    };
    const Picture curl{"r-7..", "|.|..", "L-V-7", "..|.|", "..L-J"};
    const Picture hopf{"r---7..", "|...|..", "|.r-H-7", "|.|.|.|", "L-V-J.|", "..|...|", "..L---J"};
    const std::string why = "The drawing cannot be walked: ";
    for (const auto& [snapshot, message] : std::vector<std::pair<std::string, std::string>>{
             {without("|1,10,2|", "|"), "the strand ends at row 1, column 11."},
             {without("|2,1,1|", "|2,1,2|"), "the line code does not fit the strand at row 2, column 1."},
             {snapshotOf({"r7", "LJ"}), "it has no crossing."},
             {"", "it has no crossing."},
             {snapshotOf(hopf), "the strand passes the crossing only once at row 3, column 5."},
             {snapshotOf(curl) + snapshotOf(curl, 10, 0),
              "a second strand has a crossing at row 13, column 3."},
             {snapshotOf(curl, 0, 1600), "the drawing goes beyond the cell table at row 3, column 1603."},
             {snapshotOf(curl, 0, 1496), "the strand leaves the cell table at row 5, column 1501."}}) {
        Walk w = walkSnapshot(snapshot);
        EXPECT_EQ(w.status.error(), why + message) << snapshot.substr(0, 40);
    }

    // The crossing limit, drawn across the table.
    Walk most = walkSnapshot(snapshotOf(turned(twist(kMaxIncrociDisegno - 1))));
    ASSERT_TRUE(most.status) << most.status.error();
    EXPECT_EQ((std::tuple{most.d->NumArchi, most.d->TxtOri}),
              (std::tuple{2 * kMaxIncrociDisegno - 2, std::string(kMaxIncrociDisegno - 1, 'O')}));
    EXPECT_EQ(walkSnapshot(snapshotOf(turned(twist(kMaxIncrociDisegno + 1)))).status.error(),
              why + "it has more than 250 crossings.");

    Picture source = sourceRows(readData("trefoil.kns"));
    Picture broken = source;
    broken[19][6] = ' ';  // row 20, column 7: a cell of the strand below the crossing at row 17, column 7
    Picture plain = source;
    for (std::string& row : plain)
        for (char& ch : row) ch = ch == '-' || ch == '|' ? '*' : ch;
    for (const auto& [rows, message] : std::vector<std::pair<Picture, std::string>>{
             {broken, "the strand ends at row 21, column 7."}, {plain, "it has no crossing."}}) {
        Walk w = walkSymbols(rows);
        EXPECT_EQ(w.status.error(), why + message);
    }
}

}  // namespace
}  // namespace trevalon
