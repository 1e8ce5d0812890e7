#pragma once
// Diagrams for the connected-sum tests, built from Gauss codes with their structure only (the sub-knot test
// reads the tables, not the cells), and what a search showed on them.

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "connsum/search.h"
#include "connsum/sum_window.h"
#include "model/structure.h"
#include "model/tables.h"
#include "platform/headless_ui.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"
#include "support/named_knots.h"

namespace trevalon::connsumtest {

namespace ts = trevalon::testsupport;

// The structure of g, or nullptr when the engine refuses the code.
inline std::unique_ptr<Diagram> strutturaDi(const ts::GaussDiagram& g) {
    auto d = std::make_unique<Diagram>();
    d->txtNodo = ts::gaussText(g);
    d->TxtOri = ts::lettersText(g);
    return CostruisciStrutturaRicerca(*d) ? std::move(d) : nullptr;
}

// From the code alone: the arcs a and b (arc k runs from passage k to passage k + 1) cut the strand into two
// pieces that share no crossing, each passing some crossing.
inline bool separa(const ts::GaussDiagram& g, int a, int b) {
    const int n = static_cast<int>(g.passages.size());
    std::set<int> primo, secondo;
    for (int k = a % n + 1; k != b % n + 1; k = k % n + 1) primo.insert(g.passages[k - 1].label);
    for (int k = b % n + 1; k != a % n + 1; k = k % n + 1) secondo.insert(g.passages[k - 1].label);
    if (primo.empty() || secondo.empty()) return false;
    return std::none_of(primo.begin(), primo.end(), [&](int c) { return secondo.count(c) != 0; });
}

// The piece of g from passage a + 1 to passage b with only the crossings it passes twice, as a knot of its
// own; its letters are those of g.
inline ts::GaussDiagram pezzo(const ts::GaussDiagram& g, int a, int b) {
    const int n = static_cast<int>(g.passages.size());
    std::map<int, int> volte, nuove;
    for (int k = a % n + 1; k != b % n + 1; k = k % n + 1) ++volte[g.passages[k - 1].label];
    ts::GaussDiagram r;
    for (int k = a % n + 1; k != b % n + 1; k = k % n + 1) {
        const ts::Passage p = g.passages[k - 1];
        if (volte[p.label] != 2) continue;
        if (!nuove.count(p.label)) {
            nuove[p.label] = static_cast<int>(nuove.size()) + 1;
            r.signs.push_back(g.signs[p.label - 1]);
        }
        r.passages.push_back({nuove[p.label], p.over});
    }
    return r;
}

// Cyclic distance of arcs x and y on a strand of n arcs.
inline int distanza(int x, int y, int n) {
    const int d = std::abs(x - y) % n;
    return std::min(d, n - d);
}

// Every unordered pair of arcs that separates g, as (smaller, larger).
inline std::set<std::pair<int, int>> coppieSeparanti(const ts::GaussDiagram& g) {
    const int n = static_cast<int>(g.passages.size());
    std::set<std::pair<int, int>> out;
    for (int a = 1; a <= n; ++a)
        for (int b = a + 1; b <= n; ++b)
            if (separa(g, a, b)) out.insert({a, b});
    return out;
}

// The pair (a, b) is one of the pairs that separate g or lies within one crossing of one at both ends:
// the cut may slide through the crossing beside it when the strand there passes over or under the piece.
inline bool vicinoASeparante(const ts::GaussDiagram& g, int a, int b) {
    const int n = static_cast<int>(g.passages.size());
    for (const auto& [x, y] : coppieSeparanti(g))
        if ((distanza(a, x, n) <= 1 && distanza(b, y, n) <= 1) ||
            (distanza(a, y, n) <= 1 && distanza(b, x, n) <= 1))
            return true;
    return false;
}

// A whole search on d with every shown pair passed over ("Successivo").
struct Ricerca {
    ScriptedUi ui;
    std::unique_ptr<FinestraSommaSenzaVista> w;
    StatoSomma stato;
    int divisioni = 0;

    explicit Ricerca(Diagram& d, int risposteVuote = 1000)
        : w(std::make_unique<FinestraSommaSenzaVista>(d, ui)) {
        ui.viewerAnswers.assign(static_cast<std::size_t>(risposteVuote), ViewerAnswer::None);
    }
    void esegui() {
        CmdSottoNodi_Click(*w, stato, [this] { ++divisioni; });
    }
    std::set<std::pair<int, int>> mostrate() const {
        std::set<std::pair<int, int>> out;
        for (const auto& [a, b] : stato.CoppieMostrate) out.insert({std::min(a, b), std::max(a, b)});
        return out;
    }
};

}  // namespace trevalon::connsumtest
