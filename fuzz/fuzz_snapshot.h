#pragma once
// What the cell drawing's snapshot text must give: the cells its items name, the last item of a cell
// winning, written back rows then columns without row 0, column 0 and the empty codes "" and "0". The
// drawing is large (701 by 2001 cells), so the targets compare texts and items, and go over the whole
// drawing only where the code under test does.

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz_check.h"
#include "model/cell_drawing_snapshot.h"

namespace trevalon::fuzz {

inline std::map<std::pair<int, int>, std::string_view> celleDelleVoci(const std::vector<VoceCelDis>& voci) {
    std::map<std::pair<int, int>, std::string_view> celle;
    for (const VoceCelDis& v : voci) celle[{v.r, v.c}] = v.codice;
    return celle;
}

inline std::string snapshotAtteso(const std::vector<VoceCelDis>& voci) {
    std::string testo;
    for (const auto& [rc, codice] : celleDelleVoci(voci)) {
        if (rc.first == 0 || rc.second == 0 || codice.empty() || codice == "0") continue;
        testo += std::to_string(rc.first) + "," + std::to_string(rc.second) + "," + std::string(codice) + "|";
    }
    return testo;
}

// The written snapshot read back as items names the same cells, and is a knot file's line too.
inline void rilettoUguale(const std::string& scritto) {
    const Result<std::vector<VoceCelDis>> riletto = leggiVociCelDis(scritto, false);
    require(riletto.ok(), "the written snapshot is refused: " + riletto.error());
    require(snapshotAtteso(*riletto) == scritto, "write then read changed the cells: " + scritto);
    require(leggiVociCelDis(scritto, true).ok(), "the written snapshot is no knot file's line: " + scritto);
}

}  // namespace trevalon::fuzz
