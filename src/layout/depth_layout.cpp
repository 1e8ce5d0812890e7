#include "layout/depth_layout.h"

#include <algorithm>

#include "layout/auto_layout.h"
#include "layout/cell_access.h"
#include "layout/developer_hook.h"
#include "model/gauss_code.h"
#include "model/sides.h"

namespace trevalon {

Status GeneraDirezioni(Diagram& d, LayoutState& s, int n, int r, int c, int nArc, int Rotazione) {
    static constexpr int kLatoOpposto[5] = {0, 3, 4, 1, 2};
    const int rot = (Rotazione >= 0 && Rotazione <= 4) ? kLatoOpposto[Rotazione] : 0;
    s.TblNodoAlbero.set(r, c, 'I', n);
    d.incroci[n].Riga = r;
    d.incroci[n].Colonna = c;
    s.piazzato[n] = 1;
    AssegnaLatiBase(d, n);
    if (rot != 0) RuotaLati(d, n, nArc, rot);

    int lato = rot;
    for (int i = 0; i < 4; ++i) {
        lato = lato >= 4 ? 1 : lato + 1;
        const Incrocio& x = d.incroci[n];
        const int m = x.IncrocioLato[lato];
        if (m == n || m < 1 || m > d.NumIncroci || d.incroci[m].Posto != 0) continue;
        if (s.FondoCoda >= kMaxIncroci)
            return fail("the layout tree has more crossings than its queue holds");
        const int arco = x.ArcoLato[lato];
        ++s.FondoCoda;
        s.CodaAlbero[s.FondoCoda] = {n, m, arco, lato, x.VersoLato[lato]};
        if (arco >= 1 && arco <= kMaxArchi) d.archi[arco].Posto = 1;
        d.incroci[m].Posto = 1;

        // n may have moved while the crossings before were placed: the target is beside where it is now.
        int dr = 0, dc = 0;
        passoDi(lato, dr, dc);
        const int tr = d.incroci[n].Riga + dr, tc = d.incroci[n].Colonna + dc;
        if (tr < 1 || tc < 1 || tr >= WorkGrid::kMax || tc >= WorkGrid::kMax)
            return fail("the layout leaves the work grid");
        if (s.TblNodoAlbero.Tipo(tr, tc) != 0 &&
            !InsRigaCol(d, s, tr, tc, d.incroci[n].Riga, d.incroci[n].Colonna))
            return fail("the layout leaves the work grid");
        s.TblNodoAlbero.set(tr, tc, 'I', m);
        d.incroci[m].Riga = tr;
        d.incroci[m].Colonna = tc;
        s.piazzato[m] = 1;
        if (s.hook && !s.ModoAutomatico) s.hook->visCostruzione(d, s, "", true);
        if (Status figlio = GeneraDirezioni(d, s, m, tr, tc, arco, lato); !figlio) return figlio;
    }
    return {};
}

Status GeneraAlberoProfondita(Diagram& d, LayoutState& s) {
    if (Status inizio = iniziaAlbero(d, s); !inizio) return inizio;
    d.incroci[s.IncrocioRadice].Posto = 1;
    const int centro = WorkGrid::kMax / 2;
    return GeneraDirezioni(d, s, s.IncrocioRadice, centro, centro, 1, 0);
}

Status DisegnaProf(Diagram& d, LayoutState& s) {
    if (!Deserializza(d, letturaCodice(s)) || d.NumIncroci < 1) return fail("the code cannot be read");
    for (int k = 1; k <= d.NumIncroci; ++k) d.incroci[k].Posto = 0;
    std::fill(s.extraRiga.begin(), s.extraRiga.end(), 0);
    std::fill(s.extraCol.begin(), s.extraCol.end(), 0);
    if (s.IncrocioRadice < 1 || s.IncrocioRadice > d.NumIncroci) s.IncrocioRadice = 1;
    if (Status albero = GeneraAlberoProfondita(d, s); !albero) return albero;
    if (s.hook && !s.ModoAutomatico) s.hook->nodoIngrid(s);
    return VisCostruzione(d, s, "", true);
}

}  // namespace trevalon
