// The connected-sum split: two knots from braid words (see fuzz_braid.h) are joined into their connected
// sum, cut at edges the bytes choose, laid out in one window kept between inputs, and the connected-sum
// search runs on it as it runs without a person, splitting the diagram at the first sum it offers. The split
// leaves the diagram as it was, every summand it closes opens again as a knot, and every split it offers
// keeps the knot: the product of the summands' determinants, told by the independent invariant oracle of
// the tests, is the sum's.
//
// Byte 0 gives the length of the first word's bytes, bytes 1 and 2 the edges cut; the rest are the two
// words' bytes, each as fuzz_braid.h reads them.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "celldraw/built_knot.h"
#include "connsum/search.h"
#include "connsum/split.h"
#include "connsum/sum_window.h"
#include "fuzz_braid.h"
#include "fuzz_layout.h"
#include "model/structure.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"
#include "support/knot_invariants.h"

using namespace trevalon;
using fuzz::require;
namespace ts = trevalon::testsupport;

namespace {

// Each summand's crossings at most; its word is repeated once.
constexpr int kIncrociAddendo = 14;
constexpr long kBudget = 300;
// The determinant compared modulo a prime of 61 bits, squared so that its sign does not matter.
constexpr std::uint64_t kPrimo = 2305843009213693951ULL;

std::uint64_t perModulo(std::uint64_t a, std::uint64_t b) {
    return static_cast<std::uint64_t>(static_cast<unsigned __int128>(a) * b % kPrimo);
}

std::uint64_t quadratoDeterminante(const ts::GaussDiagram& d) {
    const std::uint64_t x = ts::alexanderMinorMod(d, -1, kPrimo);
    return perModulo(x, x);
}

// The knot of a word's bytes; nullopt when they hold no word.
std::optional<ts::GaussDiagram> nodo(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return std::nullopt;
    int fili = 0;
    const std::vector<fuzz::Generatore> w = fuzz::parola(data, size, fili, kIncrociAddendo, 1);
    if (w.empty()) return std::nullopt;
    std::string errore;
    std::optional<ts::GaussDiagram> d = ts::parseGauFile(fuzz::fileGauss(w), &errore);
    require(d.has_value(), "the oracle does not read a braid closure: " + errore);
    return d;
}

// No person: the first sum offered is split.
class PrimaSomma : public AutomaticUi {
  public:
    ViewerAnswer showCandidate(const StepViewRequest& r) override {
        return r.tipoAzione == ViewerAction::Move ? ViewerAnswer::Se1 : ViewerAnswer::None;
    }
};

// The squared determinant of a summand's knot file; a drawing too small to be built is of the unknot.
std::uint64_t quadratoAddendo(const Addendo& a, std::string& testo) {
    const Result<NodoCostruito> n =
        costruisciDaSnapshot(a.testo.substr(std::min<std::size_t>(7, a.testo.size())));
    require(n.ok(), "a closed summand does not open: " + (n ? std::string() : n.error()));
    if (!n->diagram || n->diagram->NumIncroci < 3) return 1;
    testo += "\n  " + n->diagram->txtNodo + " " + n->diagram->TxtOri;
    std::string errore;
    const std::optional<ts::GaussDiagram> g =
        ts::parseGauss(n->diagram->txtNodo, n->diagram->TxtOri, &errore);
    require(g.has_value(), "a summand's code is unreadable: " + errore);
    return quadratoDeterminante(*g);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4 || size > 256) return 0;
    const std::size_t primo = std::min<std::size_t>(data[0], size - 3);
    const std::optional<ts::GaussDiagram> a = nodo(data + 3, primo);
    const std::optional<ts::GaussDiagram> b = nodo(data + 3 + primo, size - 3 - primo);
    if (!a || !b) return 0;
    const ts::GaussDiagram somma =
        ts::connectedSum(*a, *b, data[1] % (2 * a->crossings()), data[2] % (2 * b->crossings()));
    const CodiceGauss codice{ts::gaussText(somma), ts::lettersText(somma)};
    if (!fuzz::costruisciEVerifica(codice, kBudget).empty()) return 0;  // a layout that gave up
    Diagram& d = fuzz::finestra()->d;
    require(Cmdgecare_Click(d).ok(), "a laid-out knot has no structure");

    PrimaSomma ui;
    FinestraSommaSenzaVista w(d, ui);
    StatoSomma stato;
    std::array<Addendo, 2> addendi;
    bool diviso = false;
    CmdSottoNodi_Click(w, stato, [&] {
        addendi = costruisciAddendi(d, stato);
        diviso = true;
    });
    require(d.txtNodo == codice.txtNodo && d.TxtOri == codice.TxtOri, "the search changed the diagram");
    if (!diviso) return 0;

    std::uint64_t prodotto = 1;
    std::string testi;
    for (const Addendo& x : addendi) {
        require(x.chiuso == !x.testo.empty(), "a summand closed without its knot file, or the other way");
        if (x.chiuso) prodotto = perModulo(prodotto, quadratoAddendo(x, testi));
    }
    if (!addendi[0].chiuso || !addendi[1].chiuso) return 0;
    require(prodotto == quadratoDeterminante(somma),
            "the summands' determinants do not make the sum's: " + codice.txtNodo + " " + codice.TxtOri +
                " into" + testi);
    return 0;
}
