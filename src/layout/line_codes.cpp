#include "layout/line_codes.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <unordered_set>
#include <vector>

#include "layout/path_text.h"

namespace trevalon {

namespace {

// The line code of a neighbour pair; 0 for a text that is not one of the six pairs.
int codiceCoppia(std::string_view coppia) {
    static constexpr std::string_view kCoppie[] = {"28", "46", "24", "26", "68", "48"};
    static constexpr int kCodici[] = {1, 2, 5, 6, 7, 8};
    for (std::size_t i = 0; i < std::size(kCoppie); ++i)
        if (coppia == kCoppie[i]) return kCodici[i];
    return 0;
}

bool contiene(std::string_view coppia, char cifra) {
    return coppia.find(cifra) != std::string_view::npos;
}

// Replaces the digit `da` by `a` and puts the digits in ascending order.
std::string correggi(std::string coppia, char da, char a) {
    std::replace(coppia.begin(), coppia.end(), da, a);
    std::sort(coppia.begin(), coppia.end());
    return coppia;
}

std::string cellaTesto(int r, int c) {
    return "(" + std::to_string(r) + "," + std::to_string(c) + ")";
}

// One cell of the rewritten path: its pair, or for a corner cell its line code (the pair text "x").
struct Voce {
    int r = 0, c = 0;
    std::string coppia;
    int angolo = 0;  // 6 or 7 for a corner cell put into a diagonal step
    int numero = 0;  // a corner's arc number: that of the cell the step leaves
};

// The rewritten path of one arc, worked out before anything is written.
struct PianoArco {
    int arco = 0;
    std::vector<Voce> voci;
};

long chiave(int r, int c) {
    return static_cast<long>(r) * CellTable::kSize + c;
}

// Works out arc `arco`'s rewritten path. A corner cell must be free and claimed by no other corner of this
// run (`occupate`, which gains the corners of this arc).
Result<PianoArco> pianifica(const Diagram& d, int arco, std::unordered_set<long>& occupate) {
    if (arco < 1 || arco > kMaxArchi)
        return fail("Line codes: there is no arc " + std::to_string(arco) + " (arcs are 1.." +
                    std::to_string(kMaxArchi) + ").");
    const std::vector<Punto> punti = leggiVociPercorso(d.archi[static_cast<std::size_t>(arco)].Percorso);
    for (const Punto& p : punti)
        if (!CellTable::inside(p.r, p.c))
            return fail("Line codes: arc " + std::to_string(arco) + " passes through " +
                        cellaTesto(p.r, p.c) + ", outside the cell table.");
    PianoArco piano;
    piano.arco = arco;
    // Pairs as the walk corrects them: a diagonal step corrects the pair of the cell it reaches.
    std::vector<std::string> coppie;
    coppie.reserve(punti.size());
    for (const Punto& p : punti) coppie.emplace_back(d.TblNodo.at(p.r, p.c).Vicini());
    for (std::size_t i = 0; i < punti.size(); ++i) {
        const int r1 = punti[i].r, c1 = punti[i].c;
        if (i + 1 == punti.size() || r1 == punti[i + 1].r || c1 == punti[i + 1].c) {
            piano.voci.push_back({r1, c1, coppie[i], 0});
            continue;
        }
        const int r2 = punti[i + 1].r, c2 = punti[i + 1].c;
        const std::string& p1 = coppie[i];
        std::string& p2 = coppie[i + 1];
        const bool diagonale = std::abs(r1 - r2) == 1 && std::abs(c1 - c2) == 1;
        Voce angolo;
        std::string nuova1;
        if (diagonale &&
            ((contiene(p2, '1') && contiene(p1, '9')) || (contiene(p2, '9') && contiene(p1, '1')))) {
            // Top-left to bottom-right: the corner is the bottom-left cell of the block.
            angolo = {std::max(r1, r2), std::min(c1, c2), "x", 6, d.TblNodo.at(r1, c1).Numero};
            nuova1 = r1 >= r2 ? correggi(p1, '1', '4') : correggi(p1, '9', '8');
            p2 = r1 <= r2 ? correggi(p2, '1', '4') : correggi(p2, '9', '8');
        } else if (diagonale &&
                   ((contiene(p2, '3') && contiene(p1, '7')) || (contiene(p2, '7') && contiene(p1, '3')))) {
            // Top-right to bottom-left: the corner is the top-left cell of the block.
            angolo = {std::min(r1, r2), std::min(c1, c2), "x", 7, d.TblNodo.at(r1, c1).Numero};
            nuova1 = r1 >= r2 ? correggi(p1, '3', '2') : correggi(p1, '7', '4');
            p2 = r1 <= r2 ? correggi(p2, '3', '2') : correggi(p2, '7', '4');
        } else {
            // A step that cannot be turned into a corner keeps its cell as it is.
            piano.voci.push_back({r1, c1, p1, 0});
            continue;
        }
        const bool fuori = !CellTable::inside(angolo.r, angolo.c);
        if (fuori || d.TblNodo.at(angolo.r, angolo.c).Tipo != 0 ||
            !occupate.insert(chiave(angolo.r, angolo.c)).second)
            return fail("Line codes: arc " + std::to_string(arco) + " steps diagonally from " +
                        cellaTesto(r1, c1) + " to " + cellaTesto(r2, c2) + ", and its corner " +
                        cellaTesto(angolo.r, angolo.c) +
                        (fuori ? " lies outside the cell table." : " is not free."));
        piano.voci.push_back({r1, c1, nuova1, 0});
        piano.voci.push_back(angolo);
    }
    return piano;
}

void applica(Diagram& d, const PianoArco& piano) {
    std::string percorso;
    for (const Voce& v : piano.voci) {
        percorso += std::to_string(v.r) + "," + std::to_string(v.c) + "|";
        CellaNodo& x = d.TblNodo.at(v.r, v.c);
        if (v.angolo != 0) {
            x.Tipo = 'A';
            x.Numero = v.numero;
            x.Forma = static_cast<std::int8_t>(v.angolo);
        } else if (const int code = codiceCoppia(v.coppia); code != 0) {
            x.Forma = static_cast<std::int8_t>(code);
        }
        // A pair longer than a cell holds is kept as far as it goes: it names no line code either way.
        x.setVicini(std::string_view(v.coppia).substr(0, 3));
    }
    d.archi[static_cast<std::size_t>(piano.arco)].Percorso = std::move(percorso);
}

}  // namespace

Status SettaSimboliArco(Diagram& d, int arco) {
    std::unordered_set<long> occupate;
    auto piano = pianifica(d, arco, occupate);
    if (!piano) return fail(piano.error());
    applica(d, *piano);
    return {};
}

Status SettaSimboliDaFile(Diagram& d) {
    // Every arc is worked out before any is written, so a refused arc leaves the whole diagram as it was.
    std::unordered_set<long> occupate;
    std::vector<PianoArco> piani;
    for (int arco = 1; arco <= d.NumArchi; ++arco) {
        auto piano = pianifica(d, arco, occupate);
        if (!piano) return fail(piano.error());
        piani.push_back(std::move(*piano));
    }
    for (const PianoArco& p : piani) applica(d, p);
    return {};
}

}  // namespace trevalon
