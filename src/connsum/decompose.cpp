#include "connsum/decompose.h"

#include <array>
#include <set>
#include <utility>
#include <vector>

#include "celldraw/built_knot.h"
#include "connsum/search.h"
#include "connsum/split.h"
#include "connsum/sum_window.h"
#include "platform/headless_ui.h"

namespace trevalon {

namespace {

// No person: the first connected sum shown is split, unless it was found not to close; the summands are
// only looked at.
class PrimaSomma : public AutomaticUi {
  public:
    PrimaSomma(const StatoSomma& stato, const std::set<std::pair<int, int>>& scartate)
        : stato_(stato), scartate_(scartate) {}
    ViewerAnswer showCandidate(const StepViewRequest& r) override {
        if (r.tipoAzione != ViewerAction::Move) return ViewerAnswer::None;
        return scartate_.count({stato_.ArcoTaglio1, stato_.ArcoTaglio2}) ? ViewerAnswer::None
                                                                         : ViewerAnswer::Se1;
    }

  private:
    const StatoSomma& stato_;
    const std::set<std::pair<int, int>>& scartate_;
};

// A diagram can be split no deeper than it has crossings: each summand has at least three.
constexpr int kProfonditaMassima = kMaxIncroci / 3;

Status scomponi(Diagram& d, Scomposizione& esito, int profondita) {
    if (profondita > kProfonditaMassima) return fail("too many summands");
    std::set<std::pair<int, int>> scartate;
    for (;;) {
        StatoSomma stato;
        PrimaSomma ui(stato, scartate);
        FinestraSommaSenzaVista w(d, ui);
        std::array<Addendo, 2> addendi;
        bool diviso = false;
        CmdSottoNodi_Click(w, stato, [&] {
            addendi = costruisciAddendi(d, stato);
            diviso = true;
        });
        if (!diviso) {
            esito.primi.push_back({d.txtNodo, d.TxtOri});
            return {};
        }
        // A part of fewer than three crossings is a drawing of the trivial knot, closed or not.
        const auto perso = [&](int s) {
            return !addendi[static_cast<std::size_t>(s - 1)].chiuso && incrociDellaParte(d, stato, s) >= 3;
        };
        if (perso(1) || perso(2)) {
            ++esito.nonChiudibili;
            scartate.insert({stato.ArcoTaglio1, stato.ArcoTaglio2});
            scartate.insert({stato.ArcoTaglio2, stato.ArcoTaglio1});
            continue;
        }
        ++esito.divisioni;
        for (int s = 1; s <= 2; ++s) {
            const Addendo& a = addendi[static_cast<std::size_t>(s - 1)];
            if (!a.chiuso) continue;
            constexpr std::string_view chiave = "Object=";
            Result<NodoCostruito> n =
                costruisciDaSnapshot(a.testo.substr(std::min(a.testo.size(), chiave.size())));
            if (!n) return fail("a summand does not open as a knot: " + n.error());
            // Fewer than three crossings: a drawing of the trivial knot, which is no summand at all.
            if (!n->diagram || n->diagram->NumIncroci < 3) continue;
            if (Status r = scomponi(*n->diagram, esito, profondita + 1); !r) return r;
        }
        return {};
    }
}

}  // namespace

Result<Scomposizione> scomponiInPrimi(Diagram& d) {
    Scomposizione esito;
    if (Status s = scomponi(d, esito, 0); !s) return fail(s.error());
    return esito;
}

}  // namespace trevalon
