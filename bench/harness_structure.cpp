// trevalon-bench structure: builds the structure of knot files and times it.

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "harness_commands.h"
#include "harness_files.h"
#include "layout/build.h"
#include "model/gauss_code.h"
#include "model/structure.h"
#include "platform/headless_ui.h"

namespace trevalon::bench {

int comandoStructure(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::cerr << "usage: trevalon-bench structure FILE|FOLDER...\n";
        return 2;
    }
    int failures = 0;
    for (const auto& file : fileDaArgomenti(args)) {
        const std::string name = file.filename().string();
        FileNodo read = leggiFileNodo(file);
        if (!read.ok) {
            std::cout << name << "\terror\t" << unaRiga(read.errore) << '\n';
            ++failures;
            continue;
        }
        if (read.disegnato) {
            // A drawn knot is walked and its structure derived as it is read.
            const Diagram* d = read.nodo.diagram.get();
            std::cout << name << '\t' << (d ? d->NumIncroci : 0) << '\t' << (d ? d->NumArchi : 0) << '\t'
                      << (d ? d->NumGemelli : 0) << '\t' << (d ? d->NumRegioni : 0) << '\t' << read.micros
                      << '\n';
            continue;
        }
        // What build and the window refuse by the plane check is refused here too, in build's words and
        // before anything else build would say: a sound code whose letters cannot be drawn in the plane.
        // Checked on tables of its own, outside the time measured.
        {
            auto piano = std::make_unique<Diagram>();
            piano->txtNodo = read.txtNodo;
            piano->TxtOri = read.TxtOri;
            if (VerificaGau(*piano)) {
                if (const std::string perche = lettereNonDisegnabili(*piano); !perche.empty()) {
                    std::cout << name << "\terror\t" << unaRiga(perche) << '\n';
                    ++failures;
                    continue;
                }
            }
        }
        auto d = std::make_unique<Diagram>();
        d->txtNodo = read.txtNodo;
        d->TxtOri = read.TxtOri;
        AutomaticUi quiet;
        const auto start = std::chrono::steady_clock::now();
        const Status esito = StrutturaDaCodice(*d, quiet);
        const auto stop = std::chrono::steady_clock::now();
        if (!esito) {
            std::cout << name << "\terror\t" << unaRiga(esito.error()) << '\n';
            ++failures;
            continue;
        }
        const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(stop - start).count();
        std::cout << name << '\t' << d->NumIncroci << '\t' << d->NumArchi << '\t' << d->NumGemelli << '\t'
                  << d->NumRegioni << '\t' << micros << '\n';
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace trevalon::bench
