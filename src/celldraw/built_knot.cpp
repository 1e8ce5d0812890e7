#include "celldraw/built_knot.h"

#include <algorithm>
#include <utility>

#include "celldraw/cell_drawing_build.h"
#include "layout/drawn_renderer.h"
#include "layout/line_codes.h"
#include "layout/render_grid.h"
#include "model/cell_drawing_snapshot.h"
#include "model/drawn_structure.h"
#include "model/dumps.h"
#include "model/structure.h"
#include "moves/compare.h"

namespace trevalon {

void estensioneDisegnato(Diagram& d) {
    d.NumRighe = kRigheDisegnato;
    d.NumColonne = kColonneDisegnato;
}

int contaIncrociDis(const CellDrawing& tblGen) {
    int n = 0;
    // Outside the used box every cell is empty.
    const UsedArea u = tblGen.usata();
    for (int r = std::max(u.r0, 1); r <= u.r1; ++r)
        for (int c = std::max(u.c0, 1); c <= u.c1; ++c) {
            const char k = tblGen.at(r, c).codice;
            if (k == '3' || k == '4') ++n;
        }
    return n;
}

void SettaTblNodoDagrd(Diagram& d, const DisegnoTesto& disegno) {
    for (int r = 1; r < d.NumRighe && r < CellTable::kSize; ++r)
        for (int c = 1; c < d.NumColonne && c < CellTable::kSize; ++c) {
            CellaNodo& cella = d.TblNodo.at(r, c);
            cella.Tipo = 0;
            cella.setVicini("");
            cella.Numero = 0;
            const char s = disegno.simbolo(r, c);
            cella.Simbolo = s == ' ' ? char{0} : s;
        }
}

Result<DisegnoPercorso> percorriDisegno(const DisegnoTesto& disegno, const TilePalette& palette,
                                        const std::function<void()>& tick,
                                        const ModelSettings& impostazioni) {
    DisegnoPercorso out;
    out.diagram = std::make_unique<Diagram>();
    out.nomi = std::make_unique<TileNameTable>();
    estensioneDisegnato(*out.diagram);
    SettaTblNodoDagrd(*out.diagram, disegno);
    GridControl nessunaGriglia;
    DisegnaModo2(*out.diagram, RenderTarget{nessunaGriglia, *out.nomi, palette, nullptr}, ColNero, false,
                 tick);
    if (Status s = GeneraStrutturaDaDisegno(*out.diagram); !s) return fail(s.error());
    // `CmdDadisegno_azione` has set `ModoGen` "D" before the walk.
    const ModelSettings modoD = conModoGen(impostazioni, GenMode::TextDrawing);
    StampaArchi(*out.diagram, modoD);
    StampaIncroci(*out.diagram, modoD);
    return out;
}

Result<NodoCostruito> costruisciDaDisegno(const DisegnoTesto& disegno, const TilePalette& palette,
                                          const std::function<void()>& tick,
                                          const ModelSettings& impostazioni) {
    // The walk over the drawn symbols: arcs, crossings, and the paths that give the cell table its lines.
    Result<DisegnoPercorso> percorso = percorriDisegno(disegno, palette, tick, impostazioni);
    if (!percorso) return fail(percorso.error());
    std::unique_ptr<Diagram> walked = std::move(percorso->diagram);
    const std::unique_ptr<TileNameTable> nomi = std::move(percorso->nomi);

    // The cell drawing of the work extent from its first row and column, and every table rebuilt from it.
    LimitiNodo& l = walked->limiti;
    l.RigaMin = 1;
    l.RigaMax = walked->NumRighe - 1;
    l.ColMin = 1;
    l.ColMax = walked->NumColonne - 1;
    if (Status s = SettaSimboliDaFile(*walked); !s) return fail(s.error());
    // Nothing lies beyond the last walked row and column (corner cells included): the copy stops there.
    int ultimaRiga = 1, ultimaColonna = 1;
    for (int r = 1; r <= l.RigaMax; ++r)
        for (int c = 1; c <= l.ColMax; ++c) {
            const char t = walked->TblNodo.at(r, c).Tipo;
            if (t != 'A' && t != 'I') continue;
            ultimaRiga = std::max(ultimaRiga, r);
            ultimaColonna = std::max(ultimaColonna, c);
        }
    l.RigaMax = ultimaRiga;
    l.ColMax = ultimaColonna;
    NodoCostruito out;
    out.tblGen = std::make_unique<CellDrawing>();
    if (Status s = F3GenCelDis(*out.tblGen, *walked, *nomi, false); !s) return fail(s.error());
    out.NumIncrociDis = contaIncrociDis(*out.tblGen);
    walked.reset();
    out.diagram = std::make_unique<Diagram>();
    // `CmdgrafCompleto_Click`: every table rebuilt from the cell drawing (`GeneradatblGen`, kind "I").
    if (Status s = StrutturaDaTblGen(*out.diagram, *out.tblGen, tick, true, impostazioni); !s)
        return fail(s.error());
    return out;
}

Result<NodoCostruito> costruisciDaSnapshot(const std::string& snapshot, const std::function<void()>& tick,
                                           const ModelSettings& impostazioni) {
    NodoCostruito out;
    out.tblGen = std::make_unique<CellDrawing>();
    if (Result<int> letti = deserializzaCelDis(*out.tblGen, snapshot); !letti)
        return fail("The drawing cannot be read: " + letti.error());
    out.NumIncrociDis = contaIncrociDis(*out.tblGen);
    if (out.NumIncrociDis == 0) return fail("The drawing has no crossing: there is no knot diagram in it.");
    out.diagram = std::make_unique<Diagram>();
    if (Status s = StrutturaDaTblGen(*out.diagram, *out.tblGen, tick, true, impostazioni); !s)
        return fail(s.error());
    return out;
}

Result<NodoCostruito> costruisciNodoDisegnato(std::string_view testo, KnotFileKind tipo,
                                              const TilePalette& palette, const std::function<void()>& tick,
                                              const ModelSettings& impostazioni) {
    if (tipo == KnotFileKind::Object) {
        const Result<std::string> snapshot = leggiRigaOggetto(testo);
        if (!snapshot) return fail("The knot file cannot be read: " + snapshot.error() + ".");
        return costruisciDaSnapshot(*snapshot, tick, impostazioni);
    }
    const Result<DisegnoTesto> disegno = leggiDisegnoTesto(testo);
    if (!disegno) return fail(disegno.error());
    return costruisciDaDisegno(*disegno, palette, tick, impostazioni);
}

Result<NodoCostruito> controllaRidisegno(std::unique_ptr<CellDrawing> tblGen, const TestoNodo& nuovo,
                                         const std::function<void()>& tick,
                                         const ModelSettings& impostazioni) {
    NodoCostruito nodo;
    nodo.NumIncrociDis = contaIncrociDis(*tblGen);
    const int attesi = static_cast<int>(nuovo.TxtOri.size());
    if (nodo.NumIncrociDis != attesi)
        return fail("the redrawn drawing has " + std::to_string(nodo.NumIncrociDis) +
                    " crossings, the move gives " + std::to_string(attesi) + ".");
    nodo.tblGen = std::move(tblGen);
    // Fewer than three crossings: the trivial knot, kept as the drawing it is and not built; its code is
    // the rewrite's.
    if (attesi < 3) {
        nodo.testo = nuovo;
        return nodo;
    }
    nodo.diagram = std::make_unique<Diagram>();
    // The walk first: only the drawing of the move is derived further, and dumped.
    if (Status s = PercorriTblGen(*nodo.diagram, *nodo.tblGen, tick); !s)
        return fail("the redrawn drawing cannot be walked: " + s.error());
    const Diagram& d = *nodo.diagram;
    const auto lettereO = [](const std::string& ori) { return std::count(ori.begin(), ori.end(), 'O'); };
    const std::optional<std::string> forma = formaCanonica(d.txtNodo);
    const std::optional<std::string> attesa = formaCanonica(nuovo.txtNodo);
    if (d.NumIncroci != attesi || !forma || !attesa || *forma != *attesa ||
        lettereO(d.TxtOri) != lettereO(nuovo.TxtOri))
        return fail("the redrawn drawing is not the diagram of the move (" + d.txtNodo + " instead of " +
                    nuovo.txtNodo + ").");
    if (Status s = DerivaStrutturaDisegnata(*nodo.diagram, impostazioni); !s)
        return fail("the redrawn drawing cannot be walked: " + s.error());
    return nodo;
}

}  // namespace trevalon
