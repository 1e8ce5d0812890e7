#pragma once
// A knot diagram given by its Gauss code and its over/under letters, read and written without any engine
// code: this is the independent side of the checks that the engine's moves keep the knot.
//
// Conventions (the program's own text forms):
//  - Gauss text "1-2+3-1+2-3+": each passage is its crossing label followed by the sign of the NEXT passage,
//    "+" over and "-" under; the sign of passage 1 is the last character.
//  - Letters "OOV": one per crossing in label order; "O" is a positive (right-handed) crossing, "V" negative.
//  - ".gau" file: "GaussCode=1,-2,3,-1,2,-3" (each label with the sign of its own passage) and
//  "Indices=1,1,1".
//
// Geometry used by the planar checks: at a crossing the over strand runs from the left side to the right
// side; the under strand of a positive crossing runs from the bottom to the top, of a negative one from the
// top to the bottom. Counterclockwise from the incoming under strand the four ends are therefore
//   positive: under-in, over-out, under-out, over-in      negative: under-in, over-in, under-out, over-out
// which is the usual planar-diagram (PD) convention X[a,b,c,d].

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace trevalon::testsupport {

struct Passage {
    int label = 0;     // crossing label, 1..n
    bool over = true;  // the strand passes over the crossing here
    bool operator==(const Passage&) const = default;
};

struct GaussDiagram {
    std::vector<Passage> passages;  // in travel order; passage 1 is passages[0]
    std::vector<int> signs;         // signs[c - 1] = +1 ("O") or -1 ("V") for crossing label c

    int crossings() const { return static_cast<int>(signs.size()); }
    int writhe() const;
    bool operator==(const GaussDiagram&) const = default;
};

// Reads a Gauss text and its letters. Checks: labels are positive numbers 1..n, each exactly twice, once
// over and once under; one letter "O"/"V" per crossing. The empty text with empty letters is the unknot
// without crossings. On failure returns nothing and, if given, sets *error to a readable reason.
std::optional<GaussDiagram> parseGauss(const std::string& gauss, const std::string& letters,
                                       std::string* error = nullptr);
// As parseGauss, but throws std::invalid_argument with the reason.
GaussDiagram diagramOf(const std::string& gauss, const std::string& letters);

std::string gaussText(const GaussDiagram& d);
std::string lettersText(const GaussDiagram& d);

// The two lines of a ".gau" file, each ended by CR LF.
std::string gauFileText(const GaussDiagram& d);
// Reads the text of a ".gau" file (keys without regard to case, LF or CR LF, "+" optional).
std::optional<GaussDiagram> parseGauFile(const std::string& content, std::string* error = nullptr);
std::optional<GaussDiagram> readGauFile(const std::string& path, std::string* error = nullptr);

// Labels renumbered 1..n in order of first appearance from passage 1 (letters follow their crossings).
GaussDiagram normalized(const GaussDiagram& d);
// The same closed strand started at passage `start` (0-based), then normalised.
GaussDiagram rotated(const GaussDiagram& d, int start);
// The diagram reflected in a line of the plane: same Gauss text, every letter flipped; the mirror knot.
GaussDiagram mirrored(const GaussDiagram& d);

// Planar-diagram code: edge k (1..2n) runs from passage k to passage k + 1 (edge 2n back to passage 1).
// Each entry lists the four edges at one crossing counterclockwise from the incoming under edge.
using PdCode = std::vector<std::array<int, 4>>;
PdCode pdCode(const GaussDiagram& d);

// Faces of the ribbon graph given by the crossings' rotations (2 for the crossing-free circle).
int faceCount(const GaussDiagram& d);
// The code with its letters can be drawn in the plane: faces = crossings + 2.
bool isDrawable(const GaussDiagram& d);
bool isDrawable(const std::string& gauss, const std::string& letters);

// One boundary step of a face: edge (0-based, edge k from passage k to k + 1) walked along (+1) or against
// (-1) its orientation, the face lying on the left.
struct FaceStep {
    int edge = 0;
    int dir = 1;
};
std::vector<std::vector<FaceStep>> faces(const GaussDiagram& d);

}  // namespace trevalon::testsupport
