#pragma once
// The horizontal candidates of a built diagram, for the benchmarks of what the search does with each.

#include <vector>

#include "model/tables.h"
#include "moves/bridge_search.h"

namespace trevalon::bench {

// The word of the torus closure T(strands, potenza): (s1 ... s(strands-1)) repeated.
inline std::vector<int> parolaToro(int strands, int potenza) {
    std::vector<int> parola;
    for (int k = 0; k < potenza; ++k)
        for (int i = 1; i < strands; ++i) parola.push_back(i);
    return parola;
}

// Every horizontal candidate of both bridge kinds, in the search's order, off its bridge's own sides.
inline std::vector<CandidatoPonte> candidatiOrizzontali(const Diagram& d) {
    std::vector<CandidatoPonte> candidati;
    for (char ab1 : {'-', '+'})
        EnumeraCandidatiPonte(
            d, ab1, ab1 == '-' ? '+' : '-', true,
            [&](const CandidatoPonte& c) {
                candidati.push_back(c);
                return true;
            },
            {}, false, {}, false, true);
    return candidati;
}

}  // namespace trevalon::bench
