#pragma once
// A knot kept as a cell drawing with a move I left to make: the right trefoil with two curls, one of them
// taken away in the ordinary window, saved from there as a knot file.

#include <filesystem>

#include "mainwindow/form2_fixture.h"
#include "mainwindow/move_adapter.h"
#include "mainwindow/open_knot.h"
#include "model/knot_files.h"
#include "moves/move_drivers.h"
#include "reports/step_list.h"
#include "support/diagram_generators.h"
#include "support/named_knots.h"

namespace trevalon::fixture {

inline bool scriviTrifoglioDisegnatoConRiccio(const std::filesystem::path& file) {
    namespace ts = testsupport;
    struct NessunaLista : StepListPort {
        void showStepList(FrmLista&) override {}
    } lista;
    FinestraDiProva o;
    FinestraForm2 w{o.form};
    InstallaComandiMosse(o.form, w, lista);
    const ts::GaussDiagram g =
        ts::addCurl(ts::addCurl(ts::diagramOf(ts::namedKnot("trefoil_right")), 0, true, 1), 3, false, -1);
    if (!ApriGau(o.form.contesto(), o.form.vista(),
                 scrivi("ricciolo.gau", testoFileGaussCode(ts::gaussText(g), ts::lettersText(g))).string()))
        return false;
    o.ui.viewerAnswers = {ViewerAnswer::Sel};
    return DoTric(w, true).esito == EsitoDriver::Applicata &&
           o.form.doc().modi.ModoGen == GenMode::CellDrawing &&
           SalvaDatblDis(o.form.contesto(), file.string());
}

}  // namespace trevalon::fixture
