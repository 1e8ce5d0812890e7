#include "moves/move_drivers.h"

#include "moves/gauss_rewrite.h"

namespace trevalon {

namespace {

enum class Quale { I, II };

EsitoRicerca cerca(FinestraMosse& w, Quale quale) {
    const OpzioniMosse o = w.opzioni();
    ContestoRicerca ctx(w.ui());
    ctx.ModoAutomatico = o.ModoAutomatico;
    ctx.ModoSviluppo = o.ModoSviluppo;
    ctx.mainGrid = w.grigliaPrincipale();
    ctx.evidenzia = [&w](const CandidatoMossa& c) { w.evidenziaCandidato(c); };
    BusyGuard busy(w.ui());
    w.azzeraProgressivo();
    w.impostaTipoMossa(quale == Quale::I ? "1" : "2");
    w.impostaEsitoDialogo("");
    return quale == Quale::I ? TRic(w.diagramma(), ctx) : TMan(w.diagramma(), TipoTMan::N, ctx);
}

// The answer was not "Sel": report as the person expects and redraw.
EsitoDriver nonApplicata(FinestraMosse& w, const EsitoRicerca& r, Quale quale, bool Diretta) {
    const OpzioniMosse o = w.opzioni();
    EsitoDriver esito;
    if (r.NumCandidati != 0) {
        esito = r.EsitoDialogo == "Int" ? EsitoDriver::Interrotta : EsitoDriver::NessunAltro;
        if (r.EsitoDialogo != "Int") {
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

// Writes a successful rewrite into the diagram's texts and names.
void scriviTesto(Diagram& d, const TestoNodo& t) {
    d.txtNodo = t.txtNodo;
    d.TxtOri = t.TxtOri;
    for (std::size_t i = 1; i < t.NomiIncroci.size() && i < d.NomiIncroci.size(); ++i)
        d.NomiIncroci[i] = t.NomiIncroci[i];
}

// The tables of the trivial knot without crossings: nothing to rebuild from an empty code.
void svuota(Diagram& d) {
    d.NumIncroci = 0;
    d.NumArchi = 0;
    d.NumGemelli = 0;
    d.NumRegioni = 0;
}

RisultatoDriver fallita(FinestraMosse& w, RisultatoDriver r) {
    w.ui().showMessage(kMessaggioRiscritturaFallita);
    SettaDone(w.ui(), w.opzioni().ModoAutomatico);
    r.esito = EsitoDriver::RiscritturaFallita;
    return r;
}

// Records the step; for tables built from the code the diagram is first rebuilt from the new texts.
void registra(FinestraMosse& w, bool ricostruisci) {
    Diagram& d = w.diagramma();
    if (ricostruisci) {
        if (d.txtNodo.empty()) {
            svuota(d);
        } else {
            w.ricostruisciDaCodice();
        }
    }
    w.registraPasso();
}

void didascaliaBanale(FinestraMosse& w) {
    const OpzioniMosse o = w.opzioni();
    if (w.diagramma().NumIncroci >= 3 || o.CorsaCompleta || o.nascosta || o.ModoBatch) return;
    const std::string caption = w.ui().caption();
    if (caption.find("TRIVIAL KNOT") == std::string::npos) w.ui().setCaption(caption + " - TRIVIAL KNOT");
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
    w.impostaEsitoDialogo(r.ricerca.EsitoDialogo);
    if (r.ricerca.tabellaNonValida && w.diagramma().NumGemelli > kMaxGemelli)
        return troppoGrande(w, r, Diretta);
    if (r.ricerca.EsitoDialogo != "Sel") {
        r.esito = nonApplicata(w, r.ricerca, Quale::II, Diretta);
        return r;
    }
    const OpzioniMosse o = w.opzioni();
    Diagram& d = w.diagramma();
    const MossaScelta& m = r.ricerca.mossa;
    const char modo = w.modoGen();
    if (modo == 'A') {
        if (m.TipoCandidato == "M") {
            // The look-ahead instance does not rewrite a move II of kind M.
            if (!o.nascosta) {
                auto t = NuovoNodoDaMan(TestoDi(d), m);
                if (!t) return fallita(w, r);
                scriviTesto(d, *t);
            }
        } else {
            int conta = w.contaNuoviIncroci();
            auto t = NuovoNodoDaPonteB(TestoDi(d), m, d, conta);
            if (!t) return fallita(w, r);
            w.contaNuoviIncroci() = conta;
            scriviTesto(d, *t);
        }
    } else if (modo == 'I') {
        w.ricostruisciDaDisegno();
    } else {
        w.scriviDisegnoTesto();
    }
    w.riattivaPittura();
    if (!o.nascosta && !o.ModoSviluppo) registra(w, modo == 'A' && !o.ModoBatch);
    didascaliaBanale(w);
    r.esito = EsitoDriver::Applicata;
    return r;
}

RisultatoDriver DoTric(FinestraMosse& w, bool Diretta) {
    RisultatoDriver r;
    r.ricerca = cerca(w, Quale::I);
    w.impostaEsitoDialogo(r.ricerca.EsitoDialogo);
    if (r.ricerca.tabellaNonValida && w.diagramma().NumGemelli > kMaxGemelli)
        return troppoGrande(w, r, Diretta);
    if (r.ricerca.EsitoDialogo != "Sel") {
        r.esito = nonApplicata(w, r.ricerca, Quale::I, Diretta);
        return r;
    }
    const OpzioniMosse o = w.opzioni();
    Diagram& d = w.diagramma();
    const char modo = w.modoGen();
    if (modo == 'A') {
        auto t = NuovoNodoDaRic(TestoDi(d), r.ricerca.mossa);
        if (!t) return fallita(w, r);
        scriviTesto(d, *t);
    } else if (modo == 'I') {
        w.ricostruisciDaDisegno();
    } else {
        w.scriviDisegnoTesto();
    }
    if (!o.ModoSviluppo) registra(w, modo == 'A' && !o.nascosta && !o.ModoBatch);
    didascaliaBanale(w);
    w.riattivaPittura();
    r.esito = EsitoDriver::Applicata;
    return r;
}

}  // namespace trevalon
