#include "mainwindow/commands.h"

#include "mainwindow/build_commands.h"
#include "mainwindow/complete_run.h"
#include "mainwindow/form2.h"
#include "mainwindow/history.h"
#include "mainwindow/move_adapter.h"
#include "mainwindow/open_knot.h"
#include "mainwindow/small_boxes.h"
#include "mainwindow/sum_command.h"
#include "moves/developer_variants.h"

namespace trevalon {

void InstallaComandiDiagramma(Form2& f) {
    f.setCommand("ApriG", [&f] {
        if (ApriGen(f.contesto(), f.vista(), "")) f.nodoAperto();
    });
    f.setCommand("Apri", [&f] { ApriGau(f.contesto(), f.vista(), ""); });
    f.setCommand("draw", [&f] { ComandoDraw(f); });
    f.setCommand("Undo", [&f] { StatoPrec(f.contesto(), f.vista()); });
    f.setCommand("Salva", [&f] { SalvaDatblDis(f.contesto(), ""); });
    f.setCommand("Dimensmeno", [&f] { RicalcolaDimensioni(f.contesto(), f.vista(), "-"); });
    f.setCommand("Dimenspiu", [&f] { RicalcolaDimensioni(f.contesto(), f.vista(), "+"); });
}

void InstallaComandiCaselle(Form2& f, BoxPort& caselle) {
    // The picture and the properties belong to the knot shown: another knot opened closes them.
    f.setOnKnotOpened([&caselle] {
        Unloadform4(caselle);
        UnloadFormprop(caselle);
    });
    f.setCommand("Immagine", [&f, &caselle] { LoadImg(f.contesto(), caselle); });
    f.setCommand("propr", [&f, &caselle] { LoadPropr(f.contesto(), caselle); });
    f.setCommand("info", [&caselle] {
        const TestiInformazioni t;
        caselle.showInfoBox(t.caption, {t.Label1, t.Label2, t.Label3});
    });
}

void InstallaComandiMosse(Form2& f, FinestraForm2& w, StepListPort& lista) {
    f.setCommand("m1", [&w] { DoTric(w, true); });
    f.setCommand("m2", [&w] { DoTman(w, true); });
    f.setCommand("m3", [&w] { CmdTpon_Click(w, w.statoPonte()); });
    f.setCommand("m3b", [&w] { CmdTpon2_Click(w, w.statoPonte()); });
    f.setCommand("quick", [&f, &w, &lista] { AzioneCompleta(f, w, &lista); });
    // The developer variants of the move searches, which only the developer panel reaches.
    f.setCommand("cmdTec2I", [&w] { cmdTec2I_Click(w); });
    f.setCommand("CmdTpon3", [&w] { CmdTpon3_Click(w, w.statoPonte()); });
}

void InstallaComandiSomma(Form2& f, FinestraSommaForm2& w) {
    f.setCommand("compcon", [&w] { TrovaSommaConnessa(w); });
}

}  // namespace trevalon
