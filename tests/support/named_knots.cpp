#include "support/named_knots.h"

#include <stdexcept>

namespace trevalon::testsupport {

// Codes: the closures of the standard braid words (noted per entry), walked from the first crossing; the
// trefoil in the program's own form. Jones polynomials and determinants as in the public knot tables; where
// the braid gives the mirror of the tabulated chirality, the mirrored (t -> 1/t) polynomial is listed.
std::vector<NamedKnot> namedKnots() {
    return {
        {"unknot_curl_O", "1-1+", "O", "unknot_curl_O.gau", 1, "1", {1}, false},
        {"unknot_curl_V", "1-1+", "V", "unknot_curl_V.gau", 1, "1", {1}, false},
        {"trefoil_right", "1-2+3-1+2-3+", "OOO", "trefoil_right.gau", 3, "t + t^3 - t^4", {1, -1, 1}, true},
        {"trefoil_left",
         "1-2+3-1+2-3+",
         "VVV",
         "trefoil_left.gau",
         3,
         "-t^-4 + t^-3 + t^-1",
         {1, -1, 1},
         true},
        // sigma1 sigma2^-1 sigma1 sigma2^-1
        {"4_1", "1+2-3+1-4+3-2+4-", "OVVO", "4_1.gau", 5, "t^-2 - t^-1 + 1 - t + t^2", {-1, 3, -1}, true},
        // sigma1^5
        {"5_1",
         "1+2-3+4-5+1-2+3-4+5-",
         "OOOOO",
         "5_1.gau",
         5,
         "t^2 + t^4 - t^5 + t^6 - t^7",
         {1, -1, 1, -1, 1},
         true},
        // sigma1^3 sigma2 sigma1^-1 sigma2 (mirror of the tabulated chirality)
        {"5_2",
         "1+2-3-4+5+1-2+3+6-5+4-6-",
         "OOOOOV",
         "5_2.gau",
         7,
         "t - t^2 + 2t^3 - t^4 + t^5 - t^6",
         {2, -3, 2},
         false},
        // sigma1^2 sigma2 sigma1^-1 sigma3^-1 sigma2 sigma3^-1 (mirror of the tabulated chirality)
        {"6_1",
         "1+2+3-4+5-6+4+1-2-7+6-5+7-3-",
         "OOVOVVO",
         "6_1.gau",
         9,
         "t^-2 - t^-1 + 2 - 2t + t^2 - t^3 + t^4",
         {-2, 5, -2},
         false},
        // sigma1^3 sigma2^-1 sigma1 sigma2^-1
        {"6_2",
         "1+2-3+4-5+1-2+3-6+5-4+6-",
         "OOOVVO",
         "6_2.gau",
         11,
         "t^-1 - 1 + 2t - 2t^2 + 2t^3 - 2t^4 + t^5",
         {-1, 3, -3, 3, -1},
         true},
        // sigma1^2 sigma2^-1 sigma1 sigma2^-2
        {"6_3",
         "1+2-3+4-5+1-2+6-4+5-6+3-",
         "OOOVVV",
         "6_3.gau",
         13,
         "-t^-3 + 2t^-2 - 2t^-1 + 3 - 2t + 2t^2 - t^3",
         {1, -3, 5, -3, 1},
         true},
        // sigma1^7
        {"7_1",
         "1+2-3+4-5+6-7+1-2+3-4+5-6+7-",
         "OOOOOOO",
         "7_1.gau",
         7,
         "t^3 + t^5 - t^6 + t^7 - t^8 + t^9 - t^10",
         {1, -1, 1, -1, 1, -1, 1},
         true},
        // (sigma1 sigma2)^4, the torus knot T(3,4)
        {"8_19",
         "1-2+3+4-5-6+2+7-4-8+6+1-7-3+8+5-",
         "OOOOOOOO",
         "8_19.gau",
         3,
         "t^3 + t^5 - t^8",
         {1, -1, 0, 1, 0, -1, 1},
         false},
        // two right-handed trefoils
        {"granny",
         "1+2-3+1-2+3-4+5-6+4-5+6-",
         "OOOOOO",
         "granny.gau",
         9,
         "t^2 + 2t^4 - 2t^5 + t^6 - 2t^7 + t^8",
         {1, -2, 3, -2, 1},
         false},
        // a right-handed and a left-handed trefoil
        {"square",
         "1+2-3+1-2+3-4+5-6+4-5+6-",
         "OOOVVV",
         "square.gau",
         9,
         "-t^-3 + t^-2 - t^-1 + 3 - t + t^2 - t^3",
         {1, -2, 3, -2, 1},
         false},
    };
}

NamedKnot namedKnot(const std::string& name) {
    for (auto& k : namedKnots())
        if (k.name == name) return k;
    throw std::out_of_range("no named knot " + name);
}

GaussDiagram diagramOf(const NamedKnot& k) {
    return diagramOf(k.gauss, k.letters);
}

std::string namedKnotPath(const NamedKnot& k) {
    return std::string(TREVALON_KNOT_DATA) + "/" + k.file;
}

}  // namespace trevalon::testsupport
