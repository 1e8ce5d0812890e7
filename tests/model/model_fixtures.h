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

inline Codice codice(const testsupport::GaussDiagram& g) {
    return {testsupport::gaussText(g), testsupport::lettersText(g)};
}
inline Codice closure(int strands, const testsupport::BraidWord& word) {
    return codice(testsupport::braidClosure(strands, word));
}

inline std::unique_ptr<Diagram> diagramWith(const std::string& gauss = "", const std::string& letters = "") {
    auto d = std::make_unique<Diagram>();
    d->txtNodo = gauss;
    d->TxtOri = letters;
    return d;
}

// The structure pipeline of a build from a code, without layout; fails the test when any step fails.
std::unique_ptr<Diagram> buildStructure(const std::string& gauss, const std::string& letters);

// Every invariant of a complete build: the tables' sizes, arcs chained with one of each end per crossing,
// twins inverse, regions around every arc, the region graph symmetric with one shortest path per pair.
void expectConsistent(const Diagram& d);

}  // namespace trevalon::testing
