// trevalon-bench build: lays out, routes, tidies and draws Gauss-code knot files and times each phase; a
// drawn knot file is walked and built from its drawing (its time in the layout column) and drawn.

#include "harness_build.h"
#include "harness_files.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "build_state.h"
#include "layout/build.h"
#include "layout/cell_table_check.h"
#include "model/knot_files.h"
#include "platform/headless_ui.h"

namespace trevalon::bench {

namespace {

namespace fs = std::filesystem;

}  // namespace

int comandoBuild(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::cerr << "usage: trevalon-bench build FILE|FOLDER...\n";
        return 2;
    }
    int failures = 0;
    auto b = std::make_unique<Banco>();
    for (const auto& file : fileDaArgomenti(args)) {
        const std::string name = file.filename().string();
        FileNodo read = leggiFileNodo(file);
        if (!read.ok) {
            std::cout << name << "\terror\t" << unaRiga(read.errore) << '\n';
            ++failures;
            continue;
        }
        BuildTimes tempi;
        if (read.disegnato) {
            // A drawn knot is built as it is read; then drawn with the drawn-knot tiles.
            if (!read.nodo.diagram) {
                std::cout << name << "\t0\tvalid\t0\t0\t" << read.micros << "\t0\t0\t0\n";
                continue;
            }
            b->d = std::move(*read.nodo.diagram);
            tempi.layoutUs = read.micros;
            const TilePalette disegni(PaletteId::Form1b, false);
            RenderState st;
            st.ModoGen = GenMode::CellDrawing;
            st.ModoSorgente = SourceKind::Drawing;
            st.DimCella = 85;
            InizializzaGr(b->griglia, b->d.NumRighe, b->d.NumColonne, st.DimCella, GenMode::CellDrawing);
            const auto start = std::chrono::steady_clock::now();
            DisegnoGrafico(b->d, st, RenderTarget{b->griglia, b->tbltt, disegni, &b->ui}, 0, ColNero, true,
                           "", 0);
            tempi.renderingUs = std::chrono::duration_cast<std::chrono::microseconds>(
                                    std::chrono::steady_clock::now() - start)
                                    .count();
        } else {
            b->d.txtNodo = read.txtNodo;
            b->d.TxtOri = read.TxtOri;
            b->s.IncrocioRadice = 1;
            InizializzaGr(b->griglia, b->d.NumRighe, b->d.NumColonne, b->st.DimCella, GenMode::Code);
            std::string why;
            const Result<BuildTimes> r = CostruisciDaCodice(
                b->d, b->s, b->st, RenderTarget{b->griglia, b->tbltt, b->palette, &b->ui}, b->ui, &why);
            if (!r) {
                std::cout << name << "\terror\t" << unaRiga(why) << '\n';
                ++failures;
                continue;
            }
            tempi = *r;
        }
        const bool valid = testcheck::verificaTabella(b->d, true).empty();
        if (!valid) ++failures;
        const LimitiNodo& l = b->d.limiti;
        std::cout << name << '\t' << b->d.NumIncroci << '\t' << (valid ? "valid" : "invalid") << '\t'
                  << l.RigaMax - l.RigaMin + 1 << '\t' << l.ColMax - l.ColMin + 1 << '\t' << tempi.layoutUs
                  << '\t' << tempi.routingUs << '\t' << tempi.tidyingUs << '\t' << tempi.renderingUs << '\n';
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace trevalon::bench
