#include "mainwindow/prime_summands.h"

#include <memory>
#include <utility>
#include <vector>

#include "celldraw/code_knot.h"
#include "layout/render_grid.h"
#include "mainwindow/complete_run.h"
#include "mainwindow/form2.h"
#include "mainwindow/move_adapter.h"
#include "mainwindow/open_knot.h"
#include "model/knot_files.h"
#include "platform/headless_ui.h"

namespace trevalon {

namespace {

// A window of its own, without a person, holding one piece.
struct Pezzo {
    AutomaticUi ui;
    std::unique_ptr<Form2> form;

    explicit Pezzo(ProgramContext& ctx) : form(std::make_unique<Form2>(ctx, ui)) {
        form->Form_Load();
        form->Form_Activate();
    }
};

// The options of a piece's build from its code: those of a window of its own opening the code.
OpzioniCostruzione opzioniPezzo(const ProgramContext& ctx) {
    OpzioniCostruzione o;
    o.ModoSviluppo = ctx.ModoSviluppo;
    o.ModoDebug = ctx.ModoDebug && !ctx.cartellaDump.empty();
    o.ModoSorgente = SourceKind::Code;
    o.DimCella = Zoom{}.TabDimCella[6];
    o.cartellaDump = ctx.cartellaDump;
    return o;
}

class Scomponi {
  public:
    Scomponi(ProgramContext& ctx, AddendiPrimi& esito) : ctx_(ctx), esito_(esito) {}

    // The pieces of a split, in which the search found no further sum, each simplified in turn.
    Status pezzi(const std::vector<AddendoPrimo>& primi) {
        for (const AddendoPrimo& p : primi) {
            Pezzo pezzo(ctx_);
            if (!ApriCodice(pezzo.form->contesto(), pezzo.form->vista(), {p.txtNodo, p.TxtOri}, ""))
                return fail("a summand does not open as a knot: " + p.txtNodo);
            if (Status r = riduci(*pezzo.form); !r) return r;
        }
        return {};
    }

    // What the complete run left of a piece: split where a sum is found, else a summand. The search needs
    // only the piece's diagram: it is built as a window opens a code, without the window.
    Status ridotto(const CodiceGauss& codice) {
        AutomaticUi ui;
        LayoutState layout;
        StopRequest stop;
        const CostruzioneNuova nuova =
            costruisciNodoDaCodice(codice.txtNodo, codice.TxtOri, 1, opzioniPezzo(ctx_), layout, ui, &stop);
        if (nuova.esito != EsitoCostruzione::Costruito)
            return fail("a summand does not open as a knot: " + codice.txtNodo);
        Result<Scomposizione> s = scomponiInPrimi(*nuova.nodo.diagram);
        if (!s) return fail(s.error());
        esito_.divisioni += s->divisioni;
        esito_.nonChiudibili += s->nonChiudibili;
        if (s->divisioni > 0) return pezzi(s->primi);
        esito_.primi.push_back({codice.txtNodo, codice.TxtOri});
        return {};
    }

    // f's knot, in which no sum was found, as the complete run leaves it: left out when it is trivial,
    // searched again when it came down to fewer crossings (true in `fatta` then).
    Status riduci(Form2& f, bool* fatta = nullptr) {
        FinestraForm2 w(f);
        const EsitoCorsa corsa = AzioneCompleta(f, w, nullptr);
        if (corsa.fine == FineCorsa::Banale) {
            ++esito_.banali;
            return {};
        }
        if (corsa.incrociDopo >= corsa.incrociPrima) {
            esito_.primi.push_back({f.doc().diagram.txtNodo, f.doc().diagram.TxtOri});
            return {};
        }
        if (fatta) *fatta = true;
        return ridotto({corsa.codiceFinale, corsa.oriFinale});
    }

  private:
    ProgramContext& ctx_;
    AddendiPrimi& esito_;
};

}  // namespace

Result<AddendiPrimi> addendiPrimi(ProgramContext& ctx, Diagram& nodo) {
    AddendiPrimi esito;
    Scomponi scomponi(ctx, esito);
    Result<Scomposizione> s = scomponiInPrimi(nodo);
    if (!s) return fail(s.error());
    esito.divisioni = s->divisioni;
    esito.nonChiudibili = s->nonChiudibili;
    Status r;
    if (s->divisioni > 0) {
        r = scomponi.pezzi(s->primi);
    } else {
        // No sum the search can prove in the diagram as given: the complete run first, on a copy of its
        // code, and the search again on what it leaves.
        Pezzo copia(ctx);
        if (!ApriCodice(copia.form->contesto(), copia.form->vista(), {nodo.txtNodo, nodo.TxtOri}, ""))
            return fail("the diagram does not open as a knot from its code");
        r = scomponi.riduci(*copia.form, &esito.corsaPrima);
    }
    if (!r) return fail(r.error());
    return esito;
}

}  // namespace trevalon
