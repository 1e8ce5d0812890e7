#include "connsum/decompose.h"

#include <array>
#include <vector>

#include "celldraw/built_knot.h"
#include "connsum/search.h"
#include "connsum/split.h"
#include "connsum/sum_window.h"
#include "platform/headless_ui.h"

namespace trevalon {

namespace {

// No person: the first connected sum found is split; the summands are only looked at.
class PrimaSomma : public AutomaticUi {
  public:
    ViewerAnswer showCandidate(const StepViewRequest& r) override {
        return r.tipoAzione == ViewerAction::Move ? ViewerAnswer::Se1 : ViewerAnswer::None;
    }
};

// A diagram can be split no deeper than it has crossings: each summand has at least three.
constexpr int kProfonditaMassima = kMaxIncroci / 3;

Status scomponi(Diagram& d, std::vector<AddendoPrimo>& primi, int profondita) {
    if (profondita > kProfonditaMassima) return fail("too many summands");
    PrimaSomma ui;
    FinestraSommaSenzaVista w(d, ui);
    StatoSomma stato;
    std::array<Addendo, 2> addendi;
    bool diviso = false;
    CmdSottoNodi_Click(w, stato, [&] {
        addendi = costruisciAddendi(d, stato);
        diviso = true;
    });
    if (!diviso) {
        primi.push_back({d.txtNodo, d.TxtOri});
        return {};
    }
    for (int s = 1; s <= 2; ++s) {
        const Addendo& a = addendi[static_cast<std::size_t>(s - 1)];
        // A part of fewer than three crossings is a drawing of the trivial knot, closed or not.
        if (!a.chiuso && incrociDellaParte(d, stato, s) < 3) continue;
        if (!a.chiuso) return fail("summand could not be closed");
        constexpr std::string_view chiave = "Object=";
        Result<NodoCostruito> n =
            costruisciDaSnapshot(a.testo.substr(std::min(a.testo.size(), chiave.size())));
        if (!n) return fail("a summand does not open as a knot: " + n.error());
        // Fewer than three crossings: a drawing of the trivial knot, which is no summand at all.
        if (!n->diagram || n->diagram->NumIncroci < 3) continue;
        if (Status esito = scomponi(*n->diagram, primi, profondita + 1); !esito) return esito;
    }
    return {};
}

}  // namespace

int incrociDellaParte(const Diagram& d, const StatoSomma& stato, int s) {
    const Partizione& p = stato.tblPartizioni[static_cast<std::size_t>(stato.IndicePartizione)];
    std::vector<int> dentro(static_cast<std::size_t>(d.NumIncroci) + 1, 0);
    for (int g = 1; g <= d.NumGemelli; ++g) {
        // Passage g is where arc g - 1 ends and arc g begins.
        const int arcoPrima = g == 1 ? d.NumArchi : g - 1;
        const bool traTagli = p.inTratto(g) || p.inTratto(arcoPrima);
        const int c = d.gemelli[static_cast<std::size_t>(g)].Padre;
        if (c >= 1 && c <= d.NumIncroci && traTagli == (s == 1)) ++dentro[static_cast<std::size_t>(c)];
    }
    int n = 0;
    for (int c = 1; c <= d.NumIncroci; ++c) n += dentro[static_cast<std::size_t>(c)] == 2 ? 1 : 0;
    return n;
}

Result<std::vector<AddendoPrimo>> scomponiInPrimi(Diagram& d) {
    std::vector<AddendoPrimo> primi;
    if (Status s = scomponi(d, primi, 0); !s) return fail(s.error());
    return primi;
}

}  // namespace trevalon
