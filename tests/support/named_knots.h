#pragma once
// A small table of named knots with their Gauss texts and letters and the published values of their
// invariants. Each entry is also stored as tests/data/<file>, a ".gau" file of the program's format.

#include <string>
#include <vector>

#include "support/gauss_diagram.h"

namespace trevalon::testsupport {

struct NamedKnot {
    std::string name;       // table name, e.g. "5_2", "trefoil_left"
    std::string gauss;      // Gauss text
    std::string letters;    // over/under letters
    std::string file;       // file name in tests/data
    long long determinant;  // published
    std::string jones;      // published Jones polynomial for this chirality, as Laurent::toString writes it
    std::vector<int>
        alexander;          // published symmetric Alexander polynomial, coefficients from the lowest power
    bool primeAlternating;  // the diagram is reduced, prime and alternating
};

std::vector<NamedKnot> namedKnots();
// Throws std::out_of_range when the name is unknown.
NamedKnot namedKnot(const std::string& name);
GaussDiagram diagramOf(const NamedKnot& k);
// Full path of the entry's file in tests/data.
std::string namedKnotPath(const NamedKnot& k);

}  // namespace trevalon::testsupport
