#pragma once
// Drawings of the designer tests: grids written as rows of symbols, and the thinned trefoil that the
// program ships as Knots/Trefoil.kns.

#include <algorithm>
#include <string>
#include <vector>

#include "designer/source_file.h"

namespace trevalon::designertest {

// A grid holding `righe` from row 1 and column 1, with `margine` empty rows and columns beyond them.
inline DisegnoProgetto disegnoDaRighe(const std::vector<std::string>& righe, int margine = 2) {
    int colonne = 0;
    for (const std::string& r : righe) colonne = std::max(colonne, static_cast<int>(r.size()));
    DisegnoProgetto d(static_cast<int>(righe.size()) + 1 + margine, colonne + 1 + margine);
    for (std::size_t i = 0; i < righe.size(); ++i)
        for (std::size_t j = 0; j < righe[i].size(); ++j)
            if (righe[i][j] != ' ')
                d.setSimbolo(static_cast<int>(i) + 1, static_cast<int>(j) + 1, righe[i][j]);
    return d;
}

// An alternating trefoil, thinned: crossings (5,17) "-", (17,7) "-" and (17,27) "|".
inline const std::vector<std::string> kTrifoglio = {
    " ***************                 ", "*               *                ",
    "*               *                ", "*               *                ",
    "*             **-*************** ", "*            *  *               *",
    "*           *   *               *", "*          *     *              *",
    "*         *       *             *", "*        *         *            *",
    "*       *           *           *", "*      *             *          *",
    "*     *               *         *", "*     *                ***      *",
    "*     *                   *     *", "*     *                   *     *",
    " *****-*******************|***** ", "      *                   *      ",
    "      *                   *      ", "      *                   *      ",
    "      *                   *      ", "      *                   *      ",
    "       *******************       ",
};

// Rows as the drawing reader keeps them: without the blanks at their end.
inline std::vector<std::string> senzaCoda(std::vector<std::string> righe) {
    for (std::string& r : righe) r.erase(r.find_last_not_of(' ') + 1);
    return righe;
}

inline std::string knotsFile(const std::string& nome) {
    return std::string(TREVALON_SOURCE_DIR) + "/Knots/" + nome;
}

}  // namespace trevalon::designertest
