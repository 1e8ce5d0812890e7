#include "moves/move_drivers.h"

namespace trevalon {

ContestoRicerca contestoRicerca(FinestraMosse& w) {
    const OpzioniMosse o = w.opzioni();
    ContestoRicerca ctx(w.ui());
    ctx.ModoAutomatico = o.ModoAutomatico;
    ctx.ModoSviluppo = o.ModoSviluppo;
    ctx.mainGrid = w.grigliaPrincipale();
    ctx.dump = o.dump;
    ctx.evidenzia = [&w](const CandidatoMossa& c) { w.evidenziaCandidato(c); };
    return ctx;
}

namespace {

enum class Quale { I, II };

EsitoRicerca cerca(FinestraMosse& w, Quale quale) {
    ContestoRicerca ctx = contestoRicerca(w);
    BusyGuard busy(w.ui());
    w.azzeraProgressivo();
    return quale == Quale::I ? TRic(w.diagramma(), ctx) : TMan(w.diagramma(), TipoTMan::N, ctx);
}

// The answer was not "Sel": report as the person expects and redraw.
EsitoDriver nonApplicata(FinestraMosse& w, const EsitoRicerca& r, Quale quale, bool Diretta) {
    const OpzioniMosse o = w.opzioni();
    EsitoDriver esito;
    if (r.NumCandidati != 0) {
        esito = r.EsitoDialogo == ViewerAnswer::Int ? EsitoDriver::Interrotta : EsitoDriver::NessunAltro;
        if (r.EsitoDialogo != ViewerAnswer::Int) {
            if (quale == Quale::II && o.PassoCombinato) {
                w.mossaIIIRifiutata();
            } else {
                w.ui().showMessage(quale == Quale::I ? "No other move I was found"
                                                     : "No other move II was found");
            }
        }
        w.ridisegna();
    } else {
        esito = EsitoDriver::NessunCandidato;
        if (Diretta) w.ui().showMessage(quale == Quale::I ? "No move  I was found" : "No move II was found");
    }
    SettaDone(w.ui(), o.ModoAutomatico);
    return esito;
}

RisultatoDriver fallita(FinestraMosse& w, RisultatoDriver r) {
    w.ui().showMessage(kMessaggioRiscritturaFallita);
    SettaDone(w.ui(), w.opzioni().ModoAutomatico);
    r.esito = EsitoDriver::RiscritturaFallita;
    return r;
}

RisultatoDriver troppoGrande(FinestraMosse& w, RisultatoDriver r, bool Diretta) {
    if (Diretta) w.ui().showMessage(kMessaggioTroppiIncroci);
    SettaDone(w.ui(), w.opzioni().ModoAutomatico);
    r.esito = EsitoDriver::Intrattabile;
    return r;
}

}  // namespace

RisultatoDriver DoTman(FinestraMosse& w, bool Diretta) {
    RisultatoDriver r;
    r.ricerca = cerca(w, Quale::II);
    if (r.ricerca.tabellaNonValida && w.diagramma().NumGemelli > kMaxGemelli)
        return troppoGrande(w, r, Diretta);
    if (r.ricerca.EsitoDialogo != ViewerAnswer::Sel) {
        r.esito = nonApplicata(w, r.ricerca, Quale::II, Diretta);
        return r;
    }
    const Diagram& d = w.diagramma();
    const MossaScelta& m = r.ricerca.mossa;
    r.esito = EsitoDriver::Applicata;
    if (m.TipoCandidato == MoveIIRewrite::M) {
        // The look-ahead instance only counts the moves it finds: it does not rewrite a move II of kind M.
        const OpzioniMosse o = w.opzioni();
        if (o.nascosta) return r;
        std::vector<std::string> chiavi;
        auto t = NuovoNodoDaMan(TestoDi(d), m, o.dump ? &chiavi : nullptr);
        if (!t) return fallita(w, r);
        if (o.dump) writeDumpLines(*o.dump, "posricalc.txt", chiavi);
        w.committaMossa(MoveKind::II, *t);
    } else {
        const int prima = w.contaNuoviIncroci();
        int conta = prima;
        auto t = NuovoNodoDaPonteB(TestoDi(d), m, d, conta);
        if (!t) return fallita(w, r);
        w.aggiungiNuoviIncroci(conta - prima);
        w.committaMossa(MoveKind::II, *t);
    }
    return r;
}

RisultatoDriver DoTric(FinestraMosse& w, bool Diretta) {
    RisultatoDriver r;
    r.ricerca = cerca(w, Quale::I);
    if (r.ricerca.tabellaNonValida && w.diagramma().NumGemelli > kMaxGemelli)
        return troppoGrande(w, r, Diretta);
    if (r.ricerca.EsitoDialogo != ViewerAnswer::Sel) {
        r.esito = nonApplicata(w, r.ricerca, Quale::I, Diretta);
        return r;
    }
    const DumpFolder* dump = w.opzioni().dump;
    std::vector<std::string> chiavi;
    auto t = NuovoNodoDaRic(TestoDi(w.diagramma()), r.ricerca.mossa, dump ? &chiavi : nullptr);
    if (!t) return fallita(w, r);
    if (dump) writeDumpLines(*dump, "posricalc.txt", chiavi);
    w.committaMossa(MoveKind::I, *t);
    r.esito = EsitoDriver::Applicata;
    return r;
}

}  // namespace trevalon
