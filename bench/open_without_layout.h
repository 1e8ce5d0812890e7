#pragma once
// Opening a Gauss-code file for a benchmark of the complete run when the automatic layout cannot route
// it: loaded as step 0 as far as the searches need it, so that the run itself is still measured.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "mainwindow/form2.h"
#include "model/knot_files.h"
#include "model/step_history.h"
#include "model/structure.h"

namespace trevalon::bench {

inline bool senzaDisegno(Form2& f, const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const Result<CodiceGauss> t = leggiCodiceGaussTesto(text);
    if (!t) return false;
    f.doc().diagram.txtNodo = t->txtNodo;
    f.doc().diagram.TxtOri = t->TxtOri;
    if (!CostruisciStrutturaRicerca(f.doc().diagram)) return false;
    f.doc().storia.azzera();
    f.doc().storia.passo(0) = Stato{t->txtNodo, t->TxtOri, 1, GenMode::Code, ""};
    f.doc().modi.ModoSorgente = SourceKind::Code;
    return true;
}

}  // namespace trevalon::bench
