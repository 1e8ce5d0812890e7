#include "model/drawn_structure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>

#include "model/cell_drawing_snapshot.h"
#include "model/structure.h"
#include "model_fixtures.h"
#include "support/knot_invariants.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

using Picture = std::vector<std::string>;

std::string readData(const std::string& name) {
    std::ostringstream text;
    text << std::ifstream(std::string(TREVALON_TEST_DATA) + "/drawn/" + name, std::ios::binary).rdbuf();
    return text.str();
}

// The rows of the trefoil's knot source without their line ends or header: entry k - 1 is row k.
Picture trefoilSource() {
    Picture rows;
    std::istringstream in(readData("trefoil.kns"));
    for (std::string line; std::getline(in, line);) rows.push_back(line.substr(0, line.find('\r')));
    rows.erase(rows.begin());
    return rows;
}

// The trefoil's object line without its key.
std::string trefoilObject() {
    const std::string line = readData("trefoil.kno");
    return line.substr(line.find('=') + 1, line.find_first_of("\r\n") - line.find('=') - 1);
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
        for (std::size_t c = 0; c < p[r].size(); ++c)
            if (const auto k = from.find(p[r][c]); k != std::string::npos) out[c][p.size() - 1 - r] = to[k];
    return out;
}

// The curl of one crossing, vertical strand over.
const Picture kCurl{"r-7..", "|.|..", "L-V-7", "..|.|", "..L-J"};

struct Walk {
    Status status;
    std::unique_ptr<Diagram> d = std::make_unique<Diagram>();
};

Walk walkSnapshot(const std::string& snapshot) {
    Walk w;
    auto tblGen = std::make_unique<CellDrawing>();
    EXPECT_TRUE(deserializzaCelDis(*tblGen, snapshot)) << snapshot.substr(0, 40);
    w.status = GeneraStrutturaDaTblGen(*w.d, *tblGen);
    return w;
}

// Drawn symbols into the cell table: character c of entry k - 1 is the symbol of row k, column c.
Walk walkSymbols(const Picture& rows) {
    Walk w;
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            if (rows[r][c] != ' ')
                w.d->TblNodo.at(static_cast<int>(r + 1), static_cast<int>(c + 1)).Simbolo = rows[r][c];
    w.status = GeneraStrutturaDaDisegno(*w.d);
    return w;
}

// A good walk leaves two arcs and one letter per crossing, each crossing with two arcs in and two out whose
// far ends agree with the arcs, and tables from which the structure pipeline builds n + 2 regions.
void expectSound(Diagram& d) {
    const int n = d.NumIncroci;
    ASSERT_EQ(d.NumArchi, 2 * n);
    ASSERT_EQ(d.TxtOri.size(), static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        const Incrocio& x = d.incroci[i];
        std::string verso;
        for (int s = 1; s <= 4; ++s) {
            verso += x.VersoLato[s];
            const Arco& arc = d.archi[x.ArcoLato[s]];
            EXPECT_EQ(x.IncrocioLato[s], x.VersoLato[s] == 'U' ? arc.IncrocioA : arc.IncrocioDa) << i;
            EXPECT_EQ(x.VersoLato[s] == 'U' ? arc.IncrocioDa : arc.IncrocioA, i) << i << "," << s;
        }
        std::sort(verso.begin(), verso.end());
        EXPECT_EQ(verso, "EEUU") << i;
    }
    ASSERT_TRUE(Cmdgecare_Click(d));
    testing::expectConsistent(d);
}

// The trefoil's object line, the same with every crossing turned over, and its knot source.
TEST(DrawnStructure, TrefoilObjectAndSourceWalkToTheKnotOrItsMirror) {
    const std::string vertical = trefoilObject();
    std::string horizontal = vertical;
    for (std::size_t p = 0; (p = horizontal.find(",4|", p)) != std::string::npos;)
        horizontal.replace(p, 3, ",3|");
    for (const auto& [w, named] : {std::pair{walkSnapshot(vertical), "trefoil_right"},
                                   std::pair{walkSnapshot(horizontal), "trefoil_left"},
                                   std::pair{walkSymbols(trefoilSource()), "trefoil_left"}}) {
        ASSERT_TRUE(w.status) << w.status.error();
        const auto k = testsupport::namedKnot(named);
        EXPECT_TRUE(testsupport::sameKnot(k.gauss, k.letters, w.d->txtNodo, w.d->TxtOri)) << named;
        expectSound(*w.d);
    }
}

// A curl keeps its letter however the drawing is turned; turned over, it has the other letter.
TEST(DrawnStructure, CurlLetterInEveryOrientation) {
    Picture curl = kCurl;
    for (int turn = 0; turn < 4; ++turn, curl = turned(curl)) {
        Picture over = curl;
        for (std::string& row : over)
            for (char& ch : row) ch = ch == 'V' ? 'H' : ch == 'H' ? 'V' : ch;
        for (const auto& [picture, letter] : {std::pair{curl, "V"}, std::pair{over, "O"}}) {
            Walk w = walkSnapshot(snapshotOf(picture));
            ASSERT_TRUE(w.status) << w.status.error();
            EXPECT_EQ(w.d->TxtOri, letter) << "turn " << turn;
            expectSound(*w.d);
        }
    }
}

TEST(DrawnStructure, BadDrawingsAreRefused) {
    const std::string trefoil = trefoilObject();
    const auto with = [&](const std::string& item, const std::string& instead) {
        std::string s = trefoil;
        return s.replace(s.find(item), item.size(), instead);
    };
    const Picture hopf{"r---7..", "|...|..", "|.r-H-7", "|.|.|.|", "L-V-J.|", "..|...|", "..L---J"};
    Picture broken = trefoilSource(), plain = trefoilSource();
    broken[19][6] = ' ';  // row 20, column 7: a cell of the strand below the crossing at row 17, column 7
    for (std::string& row : plain)
        for (char& ch : row) ch = ch == '-' || ch == '|' ? '*' : ch;
    const std::pair<Walk, std::string> casi[] = {
        {walkSnapshot(with("|1,10,2|", "|")), "the strand ends at row 1, column 11."},
        {walkSnapshot(with("|2,1,1|", "|2,1,2|")), "the line code does not fit the strand at row 2"},
        {walkSnapshot(""), "it has no crossing."},
        {walkSnapshot(snapshotOf(hopf)), "the strand passes the crossing only once at row 3, column 5"},
        {walkSnapshot(snapshotOf(kCurl) + snapshotOf(kCurl, 10, 0)), "a second strand has a crossing"},
        {walkSnapshot(snapshotOf(kCurl, 0, 1600)), "the drawing goes beyond the cell table"},
        {walkSnapshot(snapshotOf(kCurl, 0, 1496)), "the strand leaves the cell table at row 5, column 1501"},
        {walkSymbols(broken), "the strand ends at row 21, column 7."},
        {walkSymbols(plain), "it has no crossing."}};
    for (const auto& [w, message] : casi)
        EXPECT_NE(w.status.error().find("The drawing cannot be walked: " + message), std::string::npos)
            << w.status.error();
}

// A second strand without crossings is refused where it starts, in both drawings; cells the walk steps
// past beside its own strand (the corners of diagonal steps in a knot source) are not one.
TEST(DrawnStructure, AStrandWithNoCrossingIsRefusedSayingWhere) {
    const Picture ring{"r-7", "|.|", "L-J"};
    Picture source = trefoilSource();
    source.insert(source.end(), {"", "", "   ***", "   * *", "   ***"});
    const std::string row = std::to_string(source.size() - 2);
    const std::pair<Walk, std::string> casi[] = {
        {walkSnapshot(snapshotOf(kCurl) + snapshotOf(ring, 10, 0)), "at row 11, column 1."},
        {walkSnapshot(snapshotOf(ring, 0, 20) + snapshotOf(kCurl, 3, 0)), "at row 1, column 21."},
        {walkSymbols(source), "at row " + row + ", column 4."}};
    for (const auto& [w, where] : casi)
        EXPECT_EQ(w.status.error(),
                  "The drawing cannot be walked: a second strand with no crossing " + where);
    EXPECT_TRUE(walkSymbols(trefoilSource()).status);
    EXPECT_TRUE(walkSnapshot(trefoilObject()).status);
}

}  // namespace
}  // namespace trevalon
