#pragma once
// Small diagrams for the model's tests, and one consistency check of every table after a build.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/gauss_code.h"
#include "model/sides.h"
#include "model/structure.h"
#include "platform/headless_ui.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"

namespace trevalon::testing {

struct Codice {
    std::string gauss;
    std::string letters;
};

// The code texts of a generated diagram, and of the closure of a braid word on `strands` strands.
inline Codice codice(const testsupport::GaussDiagram& g) {
    return {testsupport::gaussText(g), testsupport::lettersText(g)};
}
inline Codice closure(int strands, const testsupport::BraidWord& word) {
    return codice(testsupport::braidClosure(strands, word));
}

inline std::unique_ptr<Diagram> emptyDiagram() {
    return std::make_unique<Diagram>();
}

// Check, read, base sides and the structure pipeline, as a build from a code does without layout.
// Returns the diagram; fails the test when any step fails.
std::unique_ptr<Diagram> buildStructure(const std::string& gauss, const std::string& letters);

// Every invariant of a complete build: arcs = passages = 2 x crossings, one over-in, over-out, under-in and
// under-out arc per crossing, arcs chained, passages' twins inverse, regions = crossings + 2 around every
// arc on both sides, the region graph symmetric with one shortest path per reachable pair.
void expectConsistent(const Diagram& d);

}  // namespace trevalon::testing
