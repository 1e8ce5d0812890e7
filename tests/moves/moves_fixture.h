#pragma once
// Diagrams from Gauss codes, candidates applied by their rewrites and a fake main window.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/structure.h"
#include "model/tables.h"
#include "moves/bridge_driver.h"
#include "moves/gauss_rewrite.h"
#include "moves/move_search.h"
#include "moves/relabel.h"
#include "platform/codes.h"
#include "platform/headless_ui.h"
#include "support/gauss_diagram.h"

namespace trevalon::movetest {

namespace ts = trevalon::testsupport;

// The program's text of a diagram read from passage `inizio`, forwards or backwards, its labels numbered
// by first appearance, as the tree keeps codes.
inline std::string lettura(const std::string& testo, std::size_t inizio, bool indietro) {
    const std::vector<VoceScifta> voci = *leggiVociScifta(testo);
    const std::size_t n = voci.size();
    std::vector<VoceScifta> letta;
    std::vector<int> nuova(2 * n + 2, 0);
    int prossima = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const VoceScifta& v = voci[indietro ? (inizio + n - k) % n : (inizio + k) % n];
        int& l = nuova[static_cast<std::size_t>(v.label)];
        if (l == 0) l = ++prossima;
        letta.push_back({v.sign, l});
    }
    return scriviVociScifta(letta);
}

// The diagram of a code with passages and regions, or nullptr when the engine refuses the code.
inline std::unique_ptr<Diagram> costruisci(const std::string& gauss, const std::string& letters) {
    auto d = std::make_unique<Diagram>();
    d->txtNodo = gauss;
    d->TxtOri = letters;
    AutomaticUi ui;
    return StrutturaDaCodice(*d, ui) ? std::move(d) : nullptr;
}
inline std::unique_ptr<Diagram> costruisci(const ts::GaussDiagram& g) {
    return costruisci(ts::gaussText(g), ts::lettersText(g));
}

inline bool diTipoM(const MossaScelta& m) {
    return m.TipoCandidato == MoveIIRewrite::M;
}
inline std::optional<TestoNodo> applica(const Diagram& d, MoveKind kind, const MossaScelta& m, int& conta) {
    if (kind == MoveKind::I) return NuovoNodoDaRic(TestoDi(d), m);
    if (diTipoM(m)) return NuovoNodoDaMan(TestoDi(d), m);
    return NuovoNodoDaPonteB(TestoDi(d), m, d, conta);
}

// Crossings a candidate should leave.
inline int incrociAttesi(const Diagram& d, MoveKind kind, const CandidatoMossa& c) {
    if (kind == MoveKind::I) return d.NumIncroci - 1 - c.nA;
    if (diTipoM(c.mossa)) return d.NumIncroci - 2;
    return d.NumIncroci - std::max(c.nA, c.nB) + std::min(c.nA, c.nB);
}

// Every over-bridge (ab1 '-') or under-bridge (ab1 '+') candidate of a diagram.
inline std::vector<CandidatoPonte> candidatiPonte(const Diagram& d, char ab1, bool orizzontale,
                                                  LimitiPonte limiti = {},
                                                  EsitoEnumerazionePonti* esito = nullptr) {
    std::vector<CandidatoPonte> out;
    auto tieni = [&](const CandidatoPonte& c) { return out.push_back(c), true; };
    const auto e = EnumeraCandidatiPonte(d, ab1, ab1 == '-' ? '+' : '-', orizzontale, tieni, limiti);
    if (esito) *esito = e;
    return out;
}

using Risposte = decltype(ScriptedUi::viewerAnswers);

// A walk of a search's candidates by the step viewer's answers.
struct CasoVisore {
    const char* what;
    Risposte answers;
    bool automatic;
    ViewerAnswer esito;
    int shown;  // candidates shown; the last one is the record left
};

// A main window reduced to what the drivers use: an applied move is rebuilt from its code and recorded as a
// step (the look-ahead instance records none); the look-ahead twin is made on first use and shares the tree.
class FintaFinestra : public FinestraPonte {
  public:
    bool carica(const std::string& gauss, const std::string& letters) {
        auto n = costruisci(gauss, letters);
        if (!n) return false;
        d = std::move(n);
        return true;
    }
    bool carica(const ts::GaussDiagram& g) { return carica(ts::gaussText(g), ts::lettersText(g)); }

    Diagram& diagramma() override { return *d; }
    UserInterface& ui() override { return esterna ? *esterna : scripted; }
    OpzioniMosse opzioni() const override { return opz; }
    int contaNuoviIncroci() const override { return conta; }
    void aggiungiNuoviIncroci(int n) override { conta += n; }
    bool committaMossa(MoveKind t, const TestoNodo& nuovo) override {
        tipi.push_back(t);
        if (nuovo.txtNodo.empty()) d = std::make_unique<Diagram>();
        if (!nuovo.txtNodo.empty() && !carica(nuovo.txtNodo, nuovo.TxtOri)) return false;
        if (!opz.nascosta) passi.push_back(nuovo.txtNodo + " " + nuovo.TxtOri);
        return !opz.nascosta;
    }
    void ridisegna() override { ++ridisegni; }
    void mossaIIIRifiutata() override { ++rifiutate; }
    AlberoOrizzontale& albero() override { return *albero_; }
    FinestraPonte& prova() override {
        if (!prova_) {
            ++provaCreata;
            prova_ = std::make_unique<FintaFinestra>();
            prova_->esterna = &prova_->automatico;
            prova_->opz.nascosta = prova_->opz.ModoAutomatico = true;
            prova_->albero_ = albero_;
        }
        return *prova_;
    }
    StopRequest& RichiestaStop() override { return stop; }
    void fineCorsaCompleta() override { opz.CorsaCompleta = false; }
    bool caricaConsegna(const std::string& c, const std::string& o, const std::string&) override {
        return carica(c, o);
    }
    void impostaPassoCombinato(bool on) override { opz.PassoCombinato = on; }

    std::unique_ptr<Diagram> d = std::make_unique<Diagram>();
    ScriptedUi scripted;
    AutomaticUi automatico;
    UserInterface* esterna = nullptr;  // answers in place of `scripted`
    OpzioniMosse opz;
    int conta = 100;
    StopRequest stop;
    std::vector<MoveKind> tipi;      // one per move handed over
    std::vector<std::string> passi;  // the steps recorded
    int ridisegni = 0, rifiutate = 0, provaCreata = 0;

  private:
    std::shared_ptr<AlberoOrizzontale> albero_ = std::make_shared<AlberoOrizzontale>();
    std::unique_ptr<FintaFinestra> prova_;
};

}  // namespace trevalon::movetest
