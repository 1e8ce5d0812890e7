#include "moves/bridge_dumps.h"

#include <string>

namespace trevalon {

namespace {

std::string nome(const Diagram& d, int c) {
    return c >= 0 && static_cast<std::size_t>(c) < d.NomiIncroci.size()
               ? d.NomiIncroci[static_cast<std::size_t>(c)]
               : std::string();
}

// The arc's ends as the dumps show them; an arc outside the table shows no ends.
std::string estremi(const Diagram& d, int a, char sep) {
    if (a < 1 || a > d.NumArchi || static_cast<std::size_t>(a) >= d.archi.size())
        return std::to_string(a) + sep + "-";
    const Arco& x = d.archi[static_cast<std::size_t>(a)];
    return std::to_string(a) + sep + nome(d, x.IncrocioDa) + "-" + nome(d, x.IncrocioA);
}

}  // namespace

std::vector<std::string> righePonti(const Diagram& d, const std::vector<std::vector<int>>& ponti) {
    std::vector<std::string> lines;
    for (const auto& ponte : ponti) {
        std::string line;
        for (int a : ponte) line += estremi(d, a, '/') + "    ";
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<std::string> righePonteOk(const Diagram& d, const std::vector<int>& archiPonte) {
    std::vector<std::string> lines;
    for (int a : archiPonte)
        if (a > 0) lines.push_back(estremi(d, a, '-'));
    return lines;
}

void scriviPonti(const Diagram& d, char ab1, const std::vector<std::vector<int>>& ponti,
                 const DumpFolder& dump) {
    if (!dump.active()) return;
    writeDumpLines(dump, std::string("ponti") + (ab1 == '+' ? "P" : "A") + ".txt", righePonti(d, ponti));
}

void scriviPonteOk(const Diagram& d, const std::vector<int>& archiPonte, const DumpFolder& dump) {
    if (!dump.active()) return;
    writeDumpLines(dump, "ponteok.txt", righePonteOk(d, archiPonte));
}

}  // namespace trevalon
