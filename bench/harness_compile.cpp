// trevalon-bench compile: knot sources of the knot designer checked and compiled as the designer compiles
// them, in memory, or with --write into the knot source, the knot file and the picture's copy, as the
// designer's "Make .KNO" writes them. The picture is taken only when the designer's own decoder
// (designer/qt/picture_decoder.h) decodes it, so a build without Qt copies no picture and says so.

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "designer/compiler.h"
#include "designer/picture_file.h"
#include "designer/source_file.h"
#include "harness_commands.h"
#include "model/knot_files.h"

#ifdef TREVALON_DECODIFICA_IMMAGINI
#include "designer/qt/picture_decoder.h"
#endif

namespace trevalon::bench {

namespace {

// The picture a source names, found as the designer finds it: from the source's folder, and kept only when
// it is a picture that the designer's decoder decodes.
ImmagineTrovata immagineDelDisegnatore(const std::string& nome, const std::filesystem::path& cartella) {
#ifdef TREVALON_DECODIFICA_IMMAGINI
    return cercaImmagine(nome, cartella, [](const std::string& bytes) { return decodificaImmagine(bytes); });
#else
    // Every other test as the designer makes it; the last, decoding, cannot be made here.
    ImmagineTrovata trovata = cercaImmagine(nome, cartella);
    if (!trovata.percorso.empty())
        trovata =
            ImmagineTrovata{{}, {}, "this trevalon-bench is built without Qt, which decodes the pictures"};
    return trovata;
#endif
}

}  // namespace

int comandoCompile(const std::vector<std::string>& args) {
    bool scrivi = false;
    std::vector<std::string> files;
    for (const std::string& a : args) {
        if (a == "--write")
            scrivi = true;
        else
            files.push_back(a);
    }
    if (files.empty()) {
        std::cerr << "usage: trevalon-bench compile FILE.kns... [--write]\n";
        return 2;
    }
    int failures = 0;
    for (const std::string& file : files) {
        const Result<SorgenteLetta> letta = leggiFileSorgente(file);
        if (!letta) {
            std::cout << file << "\terror\t" << letta.error() << '\n';
            ++failures;
            continue;
        }
        // The grid just holds the drawing: its columns are the widest row's.
        DisegnoProgetto d = disegnoDaSorgente(*letta, 1, "");
        // The picture as the designer opens it: looked for from the source's folder, kept only when it is
        // a picture, and then named by the path it was found at.
        ImmagineTrovata immagine;
        if (scrivi && letta->NomeImg) {
            immagine = immagineDelDisegnatore(*letta->NomeImg, std::filesystem::path(file).parent_path());
            if (!immagine.percorso.empty()) d.NomeImg = immagine.percorso.string();
        }
        EsitoCompila e = compilaDisegno(d);
        if (scrivi) scriviCompilazione(e, file, immagine.percorso);
        if (!e.ok) {
            std::cout << file << "\terror\t" << e.messaggio;
            if (!e.controllo.celleErrate.empty()) {
                const CellaSegnata& prima = e.controllo.celleErrate.front();
                std::cout << "(" << e.controllo.celleErrate.size() << " cells marked, the first at "
                          << prima.r << "," << prima.c << ")";
            }
            std::cout << '\n';
            ++failures;
            continue;
        }
        const Diagram& k = *e.nodo.diagram;
        std::cout << file << '\t' << k.TxtOri.size() << '\t' << valoreGaussCode(k.txtNodo) << '\t'
                  << valoreIndices(k.TxtOri) << '\n';
        if (!scrivi) continue;
        std::cout << "  knot file\t" << e.fileNodo.string() << '\n';
        if (letta->NomeImg && !letta->NomeImg->empty() && immagine.percorso.empty())
            std::cout << "  picture\t" << messaggioImmagineNonCaricata(*letta->NomeImg, immagine.motivo)
                      << '\n';
        if (!e.fileImmagine.empty()) std::cout << "  picture\t" << e.fileImmagine.string() << '\n';
        for (const std::string& avviso : e.avvisi) std::cout << "  warning\t" << avviso << '\n';
        if (!e.avvisi.empty()) ++failures;
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace trevalon::bench
