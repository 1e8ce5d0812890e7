// trevalon-bench compile: knot sources of the knot designer checked and compiled as the designer compiles
// them, in memory.

#include <iostream>
#include <string>
#include <vector>

#include "designer/compiler.h"
#include "designer/source_file.h"
#include "harness_commands.h"
#include "model/knot_files.h"

namespace trevalon::bench {

int comandoCompile(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::cerr << "usage: trevalon-bench compile FILE.kns...\n";
        return 2;
    }
    int failures = 0;
    for (const std::string& file : args) {
        const Result<SorgenteLetta> letta = leggiFileSorgente(file);
        if (!letta) {
            std::cout << file << "\terror\t" << letta.error() << '\n';
            ++failures;
            continue;
        }
        // The grid just holds the drawing: its columns are the widest row's.
        DisegnoProgetto d = disegnoDaSorgente(*letta, 1, "");
        const EsitoCompila e = compilaDisegno(d);
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
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace trevalon::bench
