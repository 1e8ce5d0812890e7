#include "moves/developer_variants.h"

#include <algorithm>
#include <array>
#include <functional>
#include <utility>

#include "moves/bridge_dumps.h"
#include "moves/bridge_lists.h"
#include "moves/compare.h"
#include "moves/gauss_rewrite.h"

namespace trevalon {

namespace {

std::size_t ix(int i) {
    return static_cast<std::size_t>(i);
}

}  // namespace

RisultatoDriver cmdTec2I_Click(FinestraMosse& w) {
    RisultatoDriver r;
    ContestoRicerca ctx = contestoRicerca(w);
    r.ricerca = TMan(w.diagramma(), TipoTMan::I, ctx);
    if (r.ricerca.tabellaNonValida && w.diagramma().NumGemelli > kMaxGemelli) {
        w.ui().showMessage(kMessaggioTroppiIncroci);
        r.esito = EsitoDriver::Intrattabile;
        return r;
    }
    if (r.ricerca.EsitoDialogo != ViewerAnswer::Sel) {
        r.esito = r.ricerca.NumCandidati == 0                   ? EsitoDriver::NessunCandidato
                  : r.ricerca.EsitoDialogo == ViewerAnswer::Int ? EsitoDriver::Interrotta
                                                                : EsitoDriver::NessunAltro;
        return r;
    }
    const MossaScelta& m = r.ricerca.mossa;
    if (m.TipoCandidato != MoveIIRewrite::P) return r;
    const Diagram& d = w.diagramma();
    const int prima = w.contaNuoviIncroci();
    int conta = prima;
    const std::optional<TestoNodo> t = NuovoNodoDaPonteB(TestoDi(d), m, d, conta);
    if (!t) {
        w.ui().showMessage(kMessaggioRiscritturaFallita);
        r.esito = EsitoDriver::RiscritturaFallita;
        return r;
    }
    w.aggiungiNuoviIncroci(conta - prima);
    w.committaMossa(MoveKind::IILoop, *t);
    r.esito = EsitoDriver::Applicata;
    return r;
}

namespace {

// The four end-region pairings of a strand from arc f to arc l, as the bridge search pairs them.
std::array<std::pair<int, int>, 4> coppieEstremi(const Diagram& d, int f, int l) {
    const Arco& a = d.archi[ix(f)];
    const Arco& b = d.archi[ix(l)];
    return {{{a.Reg1, b.Reg1}, {a.Reg1, b.Reg2}, {a.Reg2, b.Reg1}, {a.Reg2, b.Reg2}}};
}

int distanza(const Diagram& d, const std::pair<int, int>& p) {
    return p.first == p.second ? 0 : d.MatRegioni.at(p.first, p.second).dis;
}

// The tables the mixed search reads, within their bounds.
bool tabelleValide(const Diagram& d) {
    if (d.NumGemelli < 2 || d.NumGemelli > kMaxGemelli || d.NumArchi != d.NumGemelli) return false;
    if (d.NumIncroci < 1 || d.NumIncroci > kMaxIncroci) return false;
    if (d.NumRegioni < 1 || d.NumRegioni > kMaxRegioni || d.MatRegioni.size() != d.NumRegioni) return false;
    if (d.gemelli.size() <= ix(d.NumGemelli) || d.archi.size() <= ix(d.NumArchi)) return false;
    for (int p = 1; p <= d.NumGemelli; ++p) {
        const Gemello& g = d.gemelli[ix(p)];
        if ((g.Segno != '+' && g.Segno != '-') || g.Padre < 1 || g.Padre > d.NumIncroci) return false;
        const Arco& a = d.archi[ix(p)];
        if (a.Reg1 < 1 || a.Reg1 > d.NumRegioni || a.Reg2 < 1 || a.Reg2 > d.NumRegioni) return false;
    }
    return true;
}

// The first shortest route (smallest region sequence) from rA to rB of the given length crossing no
// forbidden arc, found depth-first with neighbours in ascending order; false when there is none or the
// step cap is reached first.
class PrimoPercorso {
  public:
    PrimoPercorso(const Diagram& d, const std::vector<char>& vietato, long maxPassi)
        : d_(d), vietato_(vietato) {
        maxPassi_ = maxPassi;
        vicini_.resize(ix(d.NumRegioni) + 1);
        for (int u = 1; u <= d.NumRegioni; ++u)
            for (int v = 1; v <= d.NumRegioni; ++v) {
                const int a = d.MatRegioni.at(u, v).arco;
                if (v != u && a >= 1 && a <= d.NumArchi) vicini_[ix(u)].emplace_back(v, a);
            }
    }

    bool cerca(int rA, int rB, int lunghezza, std::vector<int>& regioni, std::vector<int>& archi) {
        rB_ = rB;
        passi_ = 0;
        troncato = false;
        regioni.assign(1, rA);
        archi.clear();
        return estendi(rA, lunghezza, regioni, archi);
    }
    bool troncato = false;

  private:
    bool estendi(int u, int resto, std::vector<int>& regioni, std::vector<int>& archi) {
        if (resto == 0) return u == rB_;
        for (const auto& [v, arco] : vicini_[ix(u)]) {
            if (vietato_[ix(arco)]) continue;
            const int dv = v == rB_ ? 0 : d_.MatRegioni.at(rB_, v).dis;
            if (dv != resto - 1 || (resto - 1 > 0 && v == rB_)) continue;
            if (++passi_ > maxPassi_) {
                troncato = true;
                return false;
            }
            regioni.push_back(v);
            archi.push_back(arco);
            if (estendi(v, resto - 1, regioni, archi)) return true;
            if (troncato) return false;
            regioni.pop_back();
            archi.pop_back();
        }
        return false;
    }

    const Diagram& d_;
    const std::vector<char>& vietato_;
    std::vector<std::vector<std::pair<int, int>>> vicini_;
    long maxPassi_ = 0;
    long passi_ = 0;
    int rB_ = 0;
};

std::string rigaArco(const Diagram& d, int a) {
    const Arco& arc = d.archi[ix(a)];
    auto nome = [&d](int c) { return c >= 0 && ix(c) < d.NomiIncroci.size() ? d.NomiIncroci[ix(c)] : ""; };
    return std::to_string(a) + "-" + nome(arc.IncrocioDa) + "-" + nome(arc.IncrocioA);
}

}  // namespace

void ListaPontiMisti(const Diagram& d, const std::function<bool(const std::vector<int>&)>& visita) {
    if (!tabelleValide(d)) return;
    const int n = d.NumGemelli;
    auto succ = [n](int p) { return p % n + 1; };
    std::vector<char> usato(ix(d.NumIncroci) + 1, 0);
    std::vector<int> tratto;
    for (int i = 1; i <= n; ++i) {
        std::fill(usato.begin(), usato.end(), 0);
        usato[ix(d.gemelli[ix(i)].Padre)] = 1;
        tratto.assign(1, i);
        // A prefix is handed on only once the walk has gone one passage further: its end crossing must be
        // new too.
        bool inAttesa = false;
        for (int j = succ(i); j != i; j = succ(j)) {
            const int c = d.gemelli[ix(j)].Padre;
            if (usato[ix(c)]) break;
            if (inAttesa && !visita(tratto)) return;
            usato[ix(c)] = 1;
            tratto.push_back(j);
            const int k = static_cast<int>(tratto.size()) - 1;
            inAttesa = false;
            for (const auto& p : coppieEstremi(d, i, j))
                if (distanza(d, p) < k) inAttesa = true;
        }
    }
}

bool ValidaMisto(const Diagram& d, const std::vector<int>& tratto, char ab1, char ab2) {
    if (tratto.size() < 2) return false;
    for (int p : tratto)
        if (p < 1 || p > d.NumGemelli) return false;
    if (d.gemelli[ix(tratto.front())].Segno != ab1) return false;
    for (std::size_t k = 1; k < tratto.size(); ++k)
        if (d.gemelli[ix(tratto[k])].Segno != ab2) return false;
    return true;
}

EsitoEnumerazionePonti EnumeraCandidatiPonteMisto(const Diagram& d, char ab1, char ab2,
                                                  const std::function<bool(const CandidatoPonte&)>& visita,
                                                  const LimitiPonte& limiti) {
    EsitoEnumerazionePonti esito;
    if (!tabelleValide(d)) {
        esito.tabellaNonValida = true;
        return esito;
    }
    std::vector<char> vietato(ix(d.NumArchi) + 1, 0);
    PrimoPercorso percorso(d, vietato, limiti.maxPassiPercorsi);
    std::vector<int> regioni, archi;
    ListaPontiMisti(d, [&](const std::vector<int>& tratto) {
        ++esito.ponti;
        if (!ValidaMisto(d, tratto, ab1, ab2)) return true;
        const int c = static_cast<int>(tratto.size()) - 1;
        std::vector<std::pair<int, int>> tenute;
        for (const auto& p : coppieEstremi(d, tratto.front(), tratto.back()))
            if (distanza(d, p) < c) tenute.push_back(p);
        std::stable_sort(tenute.begin(), tenute.end(),
                         [&](const auto& a, const auto& b) { return distanza(d, a) < distanza(d, b); });
        for (int a : tratto) vietato[ix(a)] = 1;
        for (const auto& p : tenute) {
            const bool trovato = percorso.cerca(p.first, p.second, distanza(d, p), regioni, archi);
            if (percorso.troncato) esito.troncato = true;
            if (!trovato) continue;
            CandidatoPonte cand;
            cand.ab1 = ab1;
            cand.ab2 = ab2;
            cand.incrociPonte = c;
            cand.archiPonte = tratto;
            cand.archiAttraversati = archi;
            cand.regioni = regioni;
            cand.mossa.ListaArchiMossa = testoLista(tratto, false);
            cand.mossa.ListaArchiAttraversati = testoLista(archi, true);
            cand.mossa.ListaRegioniMossa = testoLista(regioni, true);
            cand.mossa.RegioneInizioMossa = std::to_string(p.first);
            cand.mossa.RegioneFineMossa = std::to_string(p.second);
            for (int a : tratto) cand.messaggio += rigaArco(d, a) + "\n";
            cand.messaggio += "\n";
            for (int a : archi) cand.messaggio += rigaArco(d, a) + "\n";
            if (!visita(cand)) esito.fermato = true;
            break;
        }
        for (int a : tratto) vietato[ix(a)] = 0;
        return !esito.fermato;
    });
    return esito;
}

EsitoPonte TponteMisto(const Diagram& d, char ab1, char ab2, ContestoPonte& ctx) {
    EsitoPonte r;
    r.TempoInizioRicerca = ctx.ui.secondsSinceMidnight();
    r.TempoInizioPonte = r.TempoInizioRicerca;
    if (ctx.dump && ctx.dump->active()) {
        std::vector<std::vector<int>> ponti;
        ListaPontiMisti(d, [&ponti](const std::vector<int>& tratto) {
            ponti.push_back(tratto);
            return true;
        });
        scriviPonti(d, ab1, ponti, *ctx.dump);
    }
    const auto e = EnumeraCandidatiPonteMisto(
        d, ab1, ab2,
        [&](const CandidatoPonte& cand) {
            ctx.ui.yieldToEvents();
            r.TempoFineRicerca = ctx.ui.secondsSinceMidnight();
            if (ctx.dump) scriviPonteOk(d, cand.archiPonte, *ctx.dump);
            MostraCandidatoPonte(cand, BridgeKind::MoveIII, ctx, r);
            if (r.EsitoDialogo == ViewerAnswer::Sel || r.EsitoDialogo == ViewerAnswer::Int) return false;
            r.TempoInizioRicerca = ctx.ui.secondsSinceMidnight();
            return true;
        },
        ctx.limiti);
    r.tabellaNonValida = e.tabellaNonValida;
    r.troncato = e.troncato;
    return r;
}

RisultatoPonte CmdTpon3_Click(FinestraPonte& w, const StatoPonte& s) {
    RisultatoPonte r;
    const OpzioniMosse o = w.opzioni();
    ContestoPonte ctx = contestoPonte(w, s);
    EsitoPonte e;
    {
        w.azzeraProgressivo();
        BusyGuard busy(w.ui());
        e = TponteMisto(w.diagramma(), '-', '+', ctx);
    }
    r.NumCandidati = e.NumCandidati;
    r.EsitoDialogo = e.EsitoDialogo;
    if (e.tabellaNonValida && w.diagramma().NumGemelli > kMaxGemelli) {
        w.ui().showMessage(kMessaggioTroppiIncroci);
        r.esito = EsitoDriver::Intrattabile;
        return r;
    }
    if (ChiudiSeInterrotta(w, o, e.EsitoDialogo, r)) return r;
    if (e.EsitoDialogo != ViewerAnswer::Sel) {
        r.esito = e.NumCandidati == 0 ? EsitoDriver::NessunCandidato : EsitoDriver::NessunAltro;
        return r;
    }
    ApplicaPonte(w, e.mossa, '-', r);
    return r;
}

std::optional<bool> ValidaCamminoSviluppo(FinestraPonte& w, RiscritturaPonte& riscrittura,
                                          const CandidatoPonte& c) {
    const OpzioniMosse o = w.opzioni();
    if (!o.SoloGenerazione && o.ValoreDebug != 1 && o.ValoreDebug2 != 1) return std::nullopt;
    if (!o.SoloGenerazione && o.ValoreDebug != 1) return true;  // ValoreDebug2: every candidate taken

    AlberoOrizzontale& t = w.albero();
    const std::optional<CandidatoRiscritto> r = riscriviCandidato(w, riscrittura, c);
    if (!r) return false;
    const std::string& chiave = r->chiave;
    const NuovoNodo e = r->nodo(riscrittura, t.CursoreListaUg);

    NodoLista nodo;
    nodo.Ori = e.TxtOri;
    nodo.IndicePadre = t.CursoreListaUg;
    nodo.Mossa = c.indicePercorso;
    if (o.SoloGenerazione) {
        // The expansion of a catalogue entry: every diagram reached is filed once, none is tested.
        if (t.chiaveNellAlbero(chiave)) return false;
        const NodoLista& padre = t.record(t.CursoreListaUg);
        nodo.Codice = e.txtNodo;
        nodo.NumGiro = padre.NumGiro;
        nodo.Profondita = padre.Profondita + 1;
        nodo.Nomi = e.NomiConsegna();
        t.archivia(nodo, chiave);
        return false;
    }
    // The duplicate test tried on a known code: the tree is its root and the test code, and the candidate
    // is taken when its diagram is one of them.
    const long cursore = t.CursoreListaUg;
    t.svuota();
    t.CursoreListaUg = cursore;
    nodo.Codice = kCodiceProvaDebug;
    t.archivia(nodo);
    return t.chiaveNellAlbero(chiave);
}

}  // namespace trevalon
