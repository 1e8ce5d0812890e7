#pragma once
// A main window's engine object with the scripted user interface, started as the program starts it,
// with the diagram commands installed.

#include "mainwindow/form2.h"
#include "mainwindow/open_knot.h"
#include "mainwindow/program_context.h"
#include "platform/headless_ui.h"

namespace trevalon::fixture {

struct FinestraDiProva {
    ProgramContext ctx;
    ScriptedUi ui;
    Form2 form{ctx, ui};
    FinestraDiProva() {
        ctx.programFolder = TREVALON_SOURCE_DIR;
        form.Form_Load();
        form.Form_Activate();
        InstallaComandiDiagramma(form);
    }
};

}  // namespace trevalon::fixture
