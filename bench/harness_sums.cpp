// trevalon-bench sums: knot files split into their prime summands by the connected-sum search, headless.

#include <chrono>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>
#include <vector>

#include "celldraw/built_knot.h"
#include "celldraw/code_knot.h"
#include "harness_commands.h"
#include "harness_files.h"
#include "layout/render_grid.h"
#include "mainwindow/prime_summands.h"
#include "mainwindow/program_context.h"
#include "model/knot_files.h"
#include "platform/headless_ui.h"

namespace trevalon::bench {

namespace {

std::string riga(std::string s) {
    for (char& ch : s)
        if (ch == '\n' || ch == '\t' || ch == '\r') ch = ' ';
    return s;
}

// The knot of a file built as the main window opens it, without the window: a Gauss code laid out from
// crossing 1 at the largest zoom, a drawn knot walked and rebuilt from its drawing (one too small to build
// is the empty diagram the window is left with). The message the window would show when it cannot.
Result<std::unique_ptr<Diagram>> nodoDelFile(const std::string& file) {
    std::string testo;
    if (const Status letto = leggiTestoFile(file, testo); !letto) return fail(letto.error());
    const std::string tipo = tipoFileKnot(testo);
    if (tipo.empty()) return fail(messaggioNessunTipo(testo));
    if (tipo != "G") {
        Result<NodoCostruito> nodo = costruisciNodoDisegnato(testo, *codeFromText<KnotFileKind>(tipo),
                                                             TilePalette(PaletteId::Form1b, false));
        if (!nodo) return fail(nodo.error());
        if (nodo->diagram) return std::move(nodo->diagram);
        auto vuoto = std::make_unique<Diagram>();
        estensioneDisegnato(*vuoto);
        return vuoto;
    }
    const Result<CodiceGauss> codice = leggiCodiceGaussTesto(testo);
    if (!codice) return fail(codice.error());
    OpzioniCostruzione o;
    o.DimCella = Zoom{}.TabDimCella[6];
    ScriptedUi ui;
    LayoutState layout;
    StopRequest stop;
    CostruzioneNuova nuova = costruisciNodoDaCodice(codice->txtNodo, codice->TxtOri, 1, o, layout, ui, &stop);
    if (nuova.esito == EsitoCostruzione::Banale) return fail("Trivial knot");
    if (nuova.esito != EsitoCostruzione::Costruito)
        return fail(nuova.messaggio.empty() ? std::string("the file cannot be opened") : nuova.messaggio);
    return std::move(nuova.nodo.diagram);
}

int sommeFile(const std::string& file) {
    ProgramContext ctx;
    Result<std::unique_ptr<Diagram>> nodo = nodoDelFile(file);
    if (!nodo) {
        std::cout << file << "\terror\t" << riga(nodo.error()) << '\n';
        return 1;
    }
    Diagram& d = **nodo;
    const int incroci = d.NumIncroci;
    const auto t0 = std::chrono::steady_clock::now();
    const Result<AddendiPrimi> primi = addendiPrimi(ctx, d);
    const double secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (!primi) {
        std::cout << file << "\terror\t" << riga(primi.error()) << '\n';
        return 1;
    }
    std::ostringstream out;
    out << file << '\t' << incroci << '\t' << primi->primi.size() << '\t' << std::fixed
        << std::setprecision(3) << secondi;
    for (const AddendoPrimo& p : primi->primi)
        out << '\t' << valoreGaussCode(p.txtNodo) << '\t' << valoreIndices(p.TxtOri);
    out << "\tunknot pieces: " << primi->banali << '\t'
        << (primi->corsaPrima ? "searched after the complete run" : "searched as given");
    std::cout << out.str() << '\n';
    return 0;
}

}  // namespace

int comandoSums(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::cerr << "usage: trevalon-bench sums FILE...\n";
        return 2;
    }
    int rc = 0;
    for (const auto& file : fileDaArgomenti(args)) rc |= sommeFile(file.string());
    return rc;
}

}  // namespace trevalon::bench
