#include "mainwindow/redraw_candidates.h"

#include <chrono>
#include <memory>

#include "celldraw/redraw_driver.h"
#include "mainwindow/commit.h"
#include "mainwindow/move_adapter.h"
#include "moves/bridge_rewrite.h"

namespace trevalon {

std::vector<CandidatoPonte> candidatiPonte(const Diagram& d, bool orizzontale) {
    std::vector<CandidatoPonte> out;
    for (char k : {'-', '+'})
        EnumeraCandidatiPonte(d, k, k == '-' ? '+' : '-', orizzontale, [&](const CandidatoPonte& c) {
            out.push_back(c);
            return true;
        });
    return out;
}

std::vector<CandidatoRidisegno> candidatiRidisegno(const Diagram& d, MoveKind tipo, bool orizzontale) {
    std::vector<CandidatoRidisegno> out;
    if (tipo == MoveKind::III) {
        for (CandidatoPonte& c : candidatiPonte(d, orizzontale)) out.push_back({tipo, {}, std::move(c)});
    } else if (tipo == MoveKind::I || tipo == MoveKind::II) {
        for (CandidatoMossa& c : tipo == MoveKind::I ? CandidatiMossaI(d) : CandidatiMossaII(d))
            out.push_back({tipo, std::move(c), {}});
    }
    return out;
}

std::optional<TestoNodo> riscritturaCandidato(const Diagram& d, const CandidatoRidisegno& c, int& conta) {
    switch (c.tipo) {
        case MoveKind::I:
            return NuovoNodoDaRic(TestoDi(d), c.mossa.mossa);
        case MoveKind::II:
            if (c.mossa.mossa.TipoCandidato == MoveIIRewrite::M)
                return NuovoNodoDaMan(TestoDi(d), c.mossa.mossa);
            return NuovoNodoDaPonteB(TestoDi(d), c.mossa.mossa, d, conta);
        case MoveKind::III: {
            const Result<NuovoNodo> n = NuovoNodoDaPonte(d, c.ponte.mossa, c.ponte.ab1, conta);
            if (!n) return std::nullopt;
            return TestoNodo{n->txtNodo, n->TxtOri, n->nomi};
        }
        default:
            return std::nullopt;
    }
}

ProvaRidisegno provaRidisegno(FinestraForm2& w, const CandidatoRidisegno& c) {
    ProvaRidisegno out;
    const DocumentoNodo& doc = w.form().doc();
    const VistaNodo& v = w.form().vista();
    const Diagram& d = doc.diagram;
    int conta = doc.ContaNuoviIncroci;
    const std::optional<TestoNodo> nuovo = riscritturaCandidato(d, c, conta);
    // What the window leaves to the code.
    if (!nuovo || !FinestraForm2::ridisegnabile(c.tipo, d, *nuovo)) return out;

    std::optional<MossaPonteDis> ponte;
    if (c.tipo == MoveKind::III) {
        w.evidenziaPonte(c.ponte);
        ponte = MossaPonteDis{&d, c.ponte.archiPonte, c.ponte.archiAttraversati, c.ponte.regioni};
    } else {
        w.evidenziaCandidato(c.mossa);
    }
    const auto inizio = std::chrono::steady_clock::now();
    VistaRidisegno vista;
    vista.ModoSorgente = doc.modi.ModoSorgente;
    Result<std::unique_ptr<CellDrawing>> disegno =
        ridisegnaCelDis(d, v.Tbltt, c.tipo, vista, nullptr, 0, ponte ? &*ponte : nullptr);
    Result<NodoCostruito> nodo = disegno ? controllaRidisegno(std::move(*disegno), *nuovo)
                                         : Result<NodoCostruito>(Failure{disegno.error()});
    out.millisecondi =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inizio).count();
    out.esito = nodo ? ProvaRidisegno::Esito::Riuscito : ProvaRidisegno::Esito::Ricaduto;
    if (!nodo) out.motivo = nodo.error();
    return out;
}

}  // namespace trevalon
