#include "celldraw/redraw_driver.h"

#include <string>
#include <utility>

#include "celldraw/cell_drawing_build.h"
#include "celldraw/cell_drawing_check.h"
#include "celldraw/redraw_dumps.h"
#include "celldraw/redraw_move3.h"
#include "celldraw/redraw_moves12.h"

namespace trevalon {

Result<int> F3SavDis(CellDrawing& tblGen, VistaRidisegno& vista, MoveKind tipoMossa,
                     const MossaPonteDis* ponte, const Diagram* d) {
    if (vista.Gr3) vista.Gr3->setRedraw(true);
    Status ok;
    switch (tipoMossa) {
        case MoveKind::I:
            ok = F3disTxt1(tblGen, vista);
            break;
        case MoveKind::II:
            ok = F3disTxt2(tblGen, vista, d);
            break;
        case MoveKind::III:
            if (!ponte || !ponte->d)
                return fail("The cell drawing is not redrawn for a move III without its route.");
            ok = F3disTxt3(tblGen, vista, *ponte->d, ponte->archiMossa, ponte->archiAttraversati,
                           ponte->regioniMossa);
            break;
        default:
            return fail("The cell drawing is not redrawn for a move of kind \"" +
                        std::string(text(tipoMossa)) + "\".");
    }
    if (!ok) return Failure{ok.error()};
    const LimitiDis& l = tblGen.limiti;
    if (l.RigaMax > kMaxRigheDis || l.ColMax > kMaxColonneDis)
        return fail("The redrawn cell drawing passes the table (" + std::to_string(kMaxRigheDis) + " rows, " +
                    std::to_string(kMaxColonneDis) + " columns).");
    if (vista.Gr3) vista.Gr3->setRedraw(true);
    return contaIncrociCelDis(tblGen);
}

Result<std::unique_ptr<CellDrawing>> ridisegnaCelDis(const Diagram& d, const TileNameTable& Tbltt,
                                                     MoveKind tipoMossa, VistaRidisegno& vista,
                                                     const GridControl* Gr, int dimCella,
                                                     const MossaPonteDis* ponte) {
    auto tblGen = std::make_unique<CellDrawing>();
    if (Status ok = F3GenCelDis(*tblGen, d, Tbltt, false); !ok) return Failure{ok.error()};
    if (vista.Gr3 && Gr) F3DisegnaCelDis(*tblGen, vista, *Gr, dimCella);
    const Result<int> n = F3SavDis(*tblGen, vista, tipoMossa, ponte, &d);
    // The end of applying dumps the drawing the redraw left, also when the redraw failed half-way.
    if (vista.dump.active()) scriviCelDis(*tblGen, vista.dump, "celdis2.txt", false);
    if (!n) return Failure{n.error()};
    if (Status ok = verificaCelDis(*tblGen); !ok)
        return Failure{"The redrawn cell drawing is faulty: " + ok.error()};
    return tblGen;
}

}  // namespace trevalon
