#include "mainwindow/redraw_candidates.h"

#include <algorithm>
#include <chrono>
#include <memory>

#include "celldraw/redraw_driver.h"
#include "mainwindow/commit.h"
#include "mainwindow/move_adapter.h"
#include "moves/bridge_rewrite.h"

namespace trevalon {

namespace {

// FNV-1a over the drawing's extent and the line code, number and tile name of every cell of its used box.
std::uint64_t improntaDisegno(const CellDrawing& g) {
    std::uint64_t h = 1469598103934665603ULL;
    const auto mescola = [&h](std::int64_t v) {
        for (int i = 0; i < 8; ++i) {
            h ^= static_cast<std::uint64_t>(v >> (8 * i)) & 0xffU;
            h *= 1099511628211ULL;
        }
    };
    const LimitiDis& l = g.limiti;
    for (int v : {l.RigaMin, l.RigaMax, l.ColMin, l.ColMax}) mescola(v);
    const UsedArea u = g.usata();
    for (int r = std::max(u.r0, 0); r <= u.r1; ++r)
        for (int c = std::max(u.c0, 0); c <= u.c1; ++c) {
            const CellaDis& x = g.at(r, c);
            if (x.codice == 0 && x.Numero == 0 && x.simbolo == 0) continue;
            mescola(r);
            mescola(c);
            mescola(x.codice);
            mescola(x.Numero);
            for (char k : g.Simbolo(r, c)) mescola(k);
        }
    return h;
}

}  // namespace

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
    if (!nodo)
        out.motivo = nodo.error();
    else if (nodo->tblGen)
        out.impronta = improntaDisegno(*nodo->tblGen);
    return out;
}

}  // namespace trevalon
