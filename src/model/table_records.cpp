#include "model/table_records.h"

#include <algorithm>
#include <stdexcept>

namespace trevalon {

void OrdinaStringhe(std::vector<std::string>& arr, int lo, int hi) {
    if (lo >= hi) return;
    if (lo < 0 || hi >= static_cast<int>(arr.size()))
        throw std::out_of_range("sort range " + std::to_string(lo) + ".." + std::to_string(hi) +
                                " is outside the list");
    // std::string compares by unsigned character codes, which is the binary order wanted.
    std::sort(arr.begin() + lo, arr.begin() + hi + 1);
}

void CopiaGrigliaRecord(const CellTable& src, CellTable& dst, int off, int rows, int cols) {
    if (rows < 1 || cols < 1) return;
    if (!CellTable::inside(rows, cols) || !CellTable::inside(off + 1, off + 1) ||
        !CellTable::inside(off + rows, off + cols))
        throw std::out_of_range("cell table copy of " + std::to_string(rows) + " x " + std::to_string(cols) +
                                " at offset " + std::to_string(off) + " leaves the table");
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) dst.at(off + i, off + j) = src.at(i, j);
}

void InizializzaArco(Diagram& d, int tmpArc) {
    Arco& a = d.archi.at(static_cast<std::size_t>(tmpArc));
    const int posto = a.Posto;
    a = Arco{};
    a.Posto = posto;
}

void inizializzaIncr(Diagram& d, int tmpIncr) {
    Incrocio& c = d.incroci.at(static_cast<std::size_t>(tmpIncr));
    Incrocio fresh;
    fresh.Posto = c.Posto;
    fresh.ArcoLato[0] = c.ArcoLato[0];
    fresh.VersoLato[0] = c.VersoLato[0];
    fresh.IncrocioLato[0] = c.IncrocioLato[0];
    c = fresh;
}

}  // namespace trevalon
