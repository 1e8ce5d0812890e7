#include "connsum/search.h"

#include <utility>
#include <vector>

namespace trevalon {

namespace {

// Tests the pair until the answer is no "Rip"; a repeated pair is first taken off the shown list, so that
// it is shown again.
ViewerAnswer provaFinoARisposta(StatoSomma& stato, int a, int b, ModoSottonodo modo,
                                const std::function<ViewerAnswer(int, int, ModoSottonodo)>& prova) {
    ViewerAnswer risposta = prova(a, b, modo);
    while (risposta == ViewerAnswer::Rip) {
        stato.dimentica(a, b);
        risposta = prova(a, b, modo);
    }
    return risposta;
}

}  // namespace

EsitoCoppie percorriCoppie(int numArchi, StatoSomma& stato,
                           const std::function<ViewerAnswer(int a, int b, ModoSottonodo modo)>& prova,
                           const std::function<bool()>& fermata, const std::function<void()>& passo) {
    if (numArchi < 6) return {};

    int a1 = 0;
    while (a1 != numArchi) {
        if (fermata()) return {FineCoppie::Fermata, ViewerAnswer::None};
        ++a1;
        passo();
        int a2 = a1 + 2;
        for (;;) {
            ++a2;
            if (a2 > numArchi) a2 -= numArchi;
            if (a2 == a1) break;
            const ViewerAnswer risposta = provaFinoARisposta(stato, a1, a2, ModoSottonodo::A, prova);
            if (risposta == ViewerAnswer::Sel) {
                a1 = a2 == numArchi ? a2 - 1 : a2;
                a2 = a1 + 2;
            } else if (risposta != ViewerAnswer::None) {
                return {FineCoppie::Risposta, risposta};
            }
        }
    }

    // Only the first pass sets pairs aside; the copy keeps the walk off a list that its tests write to.
    const std::vector<std::pair<int, int>> sospese = stato.CoppieSospese;
    for (const auto& [a, b] : sospese) {
        passo();
        const ViewerAnswer risposta = provaFinoARisposta(stato, a, b, ModoSottonodo::B, prova);
        if (risposta != ViewerAnswer::None && risposta != ViewerAnswer::Sel)
            return {FineCoppie::Risposta, risposta};
    }
    return {};
}

void CmdSottoNodi_Click(FinestraSomma& w, StatoSomma& stato, const std::function<void()>& dividi) {
    UserInterface& ui = w.ui();
    StopRequest& stop = w.RichiestaStop();
    stop.azzera();
    ui.showStopFrame("Find connected sum ...");
    ui.setToolbarEnabled(false);
    w.azzeraProgressivo();
    stato.azzera();

    EsitoCoppie esito;
    {
        BusyGuard busy(ui);
        // A count beyond the arc table is no diagram: there is nothing to test.
        const int numArchi = w.diagramma().NumArchi <= kMaxArchi ? w.diagramma().NumArchi : 0;
        esito = percorriCoppie(
            numArchi, stato, [&](int a, int b, ModoSottonodo modo) { return TSotto(w, stato, a, b, modo); },
            [&] {
                ui.yieldToEvents();
                return stop.richiesta();
            },
            [&] { w.progresso(); });
        ui.hideStopFrame();
        if (esito.fine == FineCoppie::Risposta && esito.risposta == ViewerAnswer::Se1 && dividi) dividi();
    }

    w.ridisegna();
    w.settaDone();
    if (esito.fine == FineCoppie::Finita)
        ui.showMessage(stato.NumCandidati != 0 ? "No other connected sum was found"
                                               : "No connected sum was found");
    stop.azzera();
    ui.setToolbarEnabled(true);
}

}  // namespace trevalon
