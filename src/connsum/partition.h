#pragma once
// What a connected-sum search keeps: the two records the sub-knot test writes for a pair of arcs (one
// anchored at each cut arc), the pairs shown and set aside, and the pair the person answered on, which the
// split into summands reads.

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace trevalon {

// One record of a pair (a, b): anchored at the cut arc `Arco1`, the other cut arc being `Arco2`.
struct Partizione {
    int Arco1 = 0;
    int Arco2 = 0;
    std::vector<int> ListaBordo;         // arcs met by the boundary walk, in walking order
    std::vector<int> ListaIncrociBordo;  // crossings met by the boundary walk, in walking order
    std::vector<int> ListaBordoOrd;      // ListaBordo sorted (only compared for equality), repeats kept
    int Marca = 0;                       // 2 once the record is anchored
    std::vector<int> ArchiTratto;        // the arcs strictly between the cut arcs, in travel order
    int IncrocioAncora = 0;              // end crossing of Arco1 where the strand runs on into ArchiTratto
    int LatoAncora = 0;                  // side of IncrocioAncora that holds Arco1
    // How often each crossing 1..NumIncroci occurs in ListaIncrociBordo (index 0 unused); filled only for
    // the record the person answered on.
    std::vector<int> Molteplicita;

    bool inTratto(int arco) const {
        return std::find(ArchiTratto.begin(), ArchiTratto.end(), arco) != ArchiTratto.end();
    }
};

// How the two pieces of a pair of cut arcs lie: apart (no crossing joins them), or one of them wholly over
// the other at every crossing they share (the piece between the cut arcs, or the rest). Only then is the
// diagram the sum of the two pieces: the lower one closed by a strand over it, the upper one by a strand
// under it; a piece kept apart from the other closes either way.
enum class Strati { Separati, TrattoSopra, RestoSopra };

// What the first walk of the sub-knot test found for the segment between two cut arcs a and b, kept so
// that the next pair of the search, the same first arc with the next second arc, takes one passage more
// instead of walking the segment again.
struct TrattoPercorso {
    const void* diagramma = nullptr;  // the tables it was counted on
    int numGemelli = 0;
    int a = 0, b = 0;              // passages a + 1 .. b counted
    std::vector<int> conta;        // per crossing: how often the segment passes it
    std::vector<char> segnoPrimo;  // per crossing passed once: '+' over, '-' under
    int chiusi = 0;                // crossings passed twice
    int sopra = 0, sotto = 0;      // crossings passed once, over and under
};

// The state of the connected-sum search of one main window. Reset at the start of every search; what the
// person answered on stays for the split.
struct StatoSomma {
    std::vector<std::pair<int, int>> CoppieSospese;   // set aside by the first pass, in order
    std::vector<std::pair<int, int>> CoppieMostrate;  // shown, in order
    int NumCandidati = 0;                             // pairs shown
    int ArcoTaglio1 = 0, ArcoTaglio2 = 0;             // the cut arcs of the pair shown last
    Strati strati = Strati::Separati;                 // how the pieces of the pair shown last lie
    int IndicePartizione = 0;                         // 1 or 2: the record the person answered on
    std::array<Partizione, 3> tblPartizioni{};        // records 1 and 2; 0 unused
    TrattoPercorso tratto;                            // the last first walk, for the next pair

    void azzera() { *this = StatoSomma{}; }
    // The pair (a, b) or (b, a) has been shown.
    bool mostrata(int a, int b) const {
        return std::any_of(CoppieMostrate.begin(), CoppieMostrate.end(), [&](const std::pair<int, int>& p) {
            return (p.first == a && p.second == b) || (p.first == b && p.second == a);
        });
    }
    // Takes the pair (in either order) off the shown list, so that it can be shown again.
    void dimentica(int a, int b) {
        std::erase_if(CoppieMostrate, [&](const std::pair<int, int>& p) {
            return (p.first == a && p.second == b) || (p.first == b && p.second == a);
        });
    }
};

// ",a,b,c," as the drawing of a sub-knot takes its arc lists.
inline std::string testoVirgole(const std::vector<int>& v) {
    std::string s = ",";
    for (int x : v) s += std::to_string(x) + ",";
    return s;
}

}  // namespace trevalon
