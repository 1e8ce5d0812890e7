#pragma once
// Braid words from a fuzzer's bytes, and the Gauss-code file of their closure. The closure of a braid is
// drawn in the plane by its nature, so its code and letters are sound whatever the bytes.

#include <cstddef>
#include <cstdint>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_check.h"

namespace trevalon::fuzz {

struct Generatore {
    int i;      // the strands at positions i and i + 1 (from 0) cross
    bool over;  // positive: the strand from position i to i + 1 passes over
};

inline int radice(std::vector<int>& padre, int x) {
    while (padre[static_cast<std::size_t>(x)] != x) x = padre[static_cast<std::size_t>(x)];
    return x;
}

// The word of the bytes, with the generators that make its closure one component added at its end: byte 0
// gives the strands (2..9), byte 1 how many times the word is repeated (1..`ripetizioniMax`), every further
// byte one crossing: generator 1 + (b / 2) % (strands - 1), positive when b is even. The word is cut where
// its repeats would pass `incrociMax` crossings, less the crossings that join the closure's components into
// one (a positive generator between two neighbouring strands of different components, at the end).
inline std::vector<Generatore> parola(const std::uint8_t* data, std::size_t size, int& fili, int incrociMax,
                                      int ripetizioniMax) {
    fili = 2 + data[0] % 8;
    const int volte = 1 + data[1] % ripetizioniMax;
    const std::size_t massimo = static_cast<std::size_t>(incrociMax - (fili - 1));
    std::vector<Generatore> w;
    for (int v = 0; v < volte && size > 2; ++v)
        for (std::size_t k = 2; k < size && w.size() < massimo; ++k)
            w.push_back({(data[k] >> 1) % (fili - 1), (data[k] & 1) == 0});
    // The closure's permutation: where each strand ends; its cycles are the components.
    std::vector<int> fine(static_cast<std::size_t>(fili));
    std::iota(fine.begin(), fine.end(), 0);
    std::vector<int> at(fine);  // at[p]: the strand at position p
    for (const Generatore& g : w)
        std::swap(at[static_cast<std::size_t>(g.i)], at[static_cast<std::size_t>(g.i + 1)]);
    for (int p = 0; p < fili; ++p) fine[static_cast<std::size_t>(at[static_cast<std::size_t>(p)])] = p;
    std::vector<int> padre(fine);
    std::iota(padre.begin(), padre.end(), 0);
    for (int x = 0; x < fili; ++x)
        padre[static_cast<std::size_t>(radice(padre, x))] = radice(padre, fine[static_cast<std::size_t>(x)]);
    for (int i = 0; i + 1 < fili; ++i) {
        const int a = radice(padre, i), b = radice(padre, i + 1);
        if (a == b) continue;
        w.push_back({i, true});
        padre[static_cast<std::size_t>(a)] = b;
    }
    return w;
}

// The Gauss-code file of the closure: crossing t + 1 is generator t; the walk starts at the top of position
// 0 and passes the word again from the top wherever it ends, until it is back at the start.
inline std::string fileGauss(const std::vector<Generatore>& w) {
    std::string codice = "GaussCode=", indici = "Indices=";
    int posizione = 0;
    std::size_t passaggi = 0;
    do {
        for (std::size_t t = 0; t < w.size(); ++t) {
            const Generatore& g = w[t];
            if (posizione != g.i && posizione != g.i + 1) continue;
            const bool versoDestra = posizione == g.i;
            const bool sopra = versoDestra == g.over;
            posizione = versoDestra ? g.i + 1 : g.i;
            if (passaggi++) codice += ',';
            codice += (sopra ? "" : "-") + std::to_string(t + 1);
        }
    } while (posizione != 0);
    require(passaggi == 2 * w.size(), "the closure is one component");
    for (std::size_t t = 0; t < w.size(); ++t) indici += std::string(t ? "," : "") + (w[t].over ? "1" : "-1");
    return codice + "\n" + indici + "\n";
}

}  // namespace trevalon::fuzz
