#include "layout/routing.h"

#include <string>
#include <vector>

#include "layout/cell_access.h"
#include "layout/cell_lists.h"
#include "layout/developer_hook.h"
#include "layout/routing_dump.h"

namespace trevalon {

namespace {

std::size_t lunghezzaVoce(Punto p) {
    return std::to_string(p.r).size() + std::to_string(p.c).size() + 3;
}

// Whether cell b can be reached from cell a through cells free for the arc.
bool raggiungibile(const Diagram& d, int arco, Punto a, Punto b) {
    std::vector<char> visto(static_cast<std::size_t>(CellTable::kSize) * CellTable::kSize, 0);
    auto indice = [](Punto p) {
        return static_cast<std::size_t>(p.r) * CellTable::kSize + static_cast<std::size_t>(p.c);
    };
    std::vector<Punto> daVisitare{a};
    visto[indice(a)] = 1;
    while (!daVisitare.empty()) {
        const Punto p = daVisitare.back();
        daVisitare.pop_back();
        if (p == b) return true;
        for (int dir = 1; dir <= 4; ++dir) {
            int dr = 0, dc = 0;
            passoDi(dir, dr, dc);
            const Punto q{p.r + dr, p.c + dc};
            if (!liberaPerArco(d, arco, q.r, q.c) || visto[indice(q)]) continue;
            visto[indice(q)] = 1;
            daVisitare.push_back(q);
        }
    }
    return false;
}

}  // namespace

Status PercorriBordo(Diagram& d, LayoutState& s) {
    s.PuntiBordo.clear();
    s.BufferPunti.clear();
    s.bufferChars = 0;
    s.strettoiaRighe.clear();
    s.strettoiaColonne.clear();
    const int rmin = d.limiti.RigaMin;
    if (rmin < 1 || rmin > kMaxCella) {
        return fail("the cell table is empty: there is no border to walk");
    }
    int c0 = 0;
    for (int c = 1; c <= kMaxCella && c0 == 0; ++c)
        if (d.TblNodo.at(rmin, c).Tipo != 0) c0 = c;
    const Punto start{rmin - 1, c0 - 1};
    if (c0 == 0 || start.r < 0 || start.c < 0) {
        return fail("the drawing touches the edge of the cell table");
    }
    auto fuori = [](Punto p) { return p.r < 0 || p.c < 0 || p.r > kMaxCella || p.c > kMaxCella; };
    Punto p = start;
    int dir = 2;
    const long maxPassi = 4L * CellTable::kSize * CellTable::kSize;
    for (long passo = 0;; ++passo) {
        if (passo > maxPassi) {
            return fail("the border walk does not come back to its start");
        }
        int dr = 0, dc = 0;
        passoDi(dir, dr, dc);
        p = {p.r + dr, p.c + dc};
        if (p == start) return {};
        int rr = 0, rc = 0;
        passoDi(giraDestra(dir), rr, rc);
        const Punto vicino{p.r + rr, p.c + rc}, lontano{p.r + 2 * rr, p.c + 2 * rc};
        if (fuori(p) || fuori(vicino) || fuori(lontano)) {
            return fail("the border walk leaves the cell table");
        }
        const CellaNodo& v = d.TblNodo.at(vicino.r, vicino.c);
        const CellaNodo& l = d.TblNodo.at(lontano.r, lontano.c);
        if (v.Tipo == 'A' && l.Tipo == 'I')
            s.PuntiBordo.push_back({vicino.r, vicino.c, lontano.r, lontano.c, v.Numero, l.Numero});
        bool trovato = false;
        for (int k : {1, 0, -1, -2}) {
            const int nd = ruota(dir, k);
            passoDi(nd, dr, dc);
            const Punto q{p.r + dr, p.c + dc};
            if (fuori(q)) {
                return fail("the border walk leaves the cell table");
            }
            if (d.TblNodo.at(q.r, q.c).Tipo == 0) {
                dir = nd;
                trovato = true;
                break;
            }
        }
        if (!trovato) {
            return fail("the border walk is shut in");
        }
    }
}

Status DisegnaArchi(Diagram& d, LayoutState& s) {
    while (!s.PuntiBordo.empty()) {
        auto& pb = s.PuntiBordo;
        for (std::size_t k = 1; k < pb.size(); ++k) {
            if (pb[k].NumeroArco == -1 || pb[k].NumeroArco != pb[k - 1].NumeroArco) continue;
            if (auto percorso = TracciaPercorso(d, s, pb[k - 1], pb[k]); !percorso) return percorso;
            if (s.hook) s.hook->visCostruzione(d, s, std::to_string(pb[k].NumeroArco) + " ", false);
            pb[k - 1].NumeroArco = -1;
            pb[k].NumeroArco = -1;
        }
        std::vector<PuntoBordo> rimasti;
        for (const PuntoBordo& p : pb)
            if (p.NumeroArco != -1) rimasti.push_back(p);
        if (rimasti.size() == pb.size()) {
            std::string arcs;
            for (const PuntoBordo& p : rimasti) arcs += std::to_string(p.NumeroArco) + ",";
            if (s.dump.active()) scriviErroreBordo(s.dump, arcs, s.grigliaPrincipale);
            return fail("no two end cells of one arc follow each other on the border: " + arcs);
        }
        pb = std::move(rimasti);
    }
    return {};
}

Status TracciaPercorso(Diagram& d, LayoutState& s, const PuntoBordo& p1, const PuntoBordo& p2) {
    const int a = p1.NumeroArco;
    const int r1 = p1.RigaArco, c1 = p1.ColArco, r2 = p2.RigaArco, c2 = p2.ColArco;
    auto provaL = [&](bool orizzontalePrima) {
        s.BufferPunti.clear();
        s.bufferChars = 0;
        if (orizzontalePrima)
            return ListaPunti(d, s, a, r1, c1, r1, c2) && ListaPunti(d, s, a, r1, c2, r2, c2);
        return ListaPunti(d, s, a, r1, c1, r2, c1) && ListaPunti(d, s, a, r2, c1, r2, c2);
    };
    const bool laterale = r1 == p1.RigaInc;
    if (!provaL(laterale) && !provaL(!laterale))
        if (auto bordo = ListaPuntiBordo(d, s, a, r1, c1, r2, c2, p1.RigaInc, p1.ColInc); !bordo)
            return bordo;
    PuntiPercorso(d, s, a);
    return {};
}

bool ListaPunti(Diagram& d, LayoutState& s, int arco, int r1, int c1, int r2, int c2) {
    int dir = 3;
    if (r1 == r2) dir = c1 > c2 ? 4 : 2;
    if (c1 == c2) dir = r1 > r2 ? 1 : 3;
    if (r1 != r2 && c1 != c2) return false;
    int dr = 0, dc = 0;
    passoDi(dir, dr, dc);
    for (Punto p{r1, c1};; p = {p.r + dr, p.c + dc}) {
        if (!liberaPerArco(d, arco, p.r, p.c)) return false;
        s.BufferPunti.push_back(p);
        s.bufferChars += lunghezzaVoce(p) - 1;
        if (p == Punto{r2, c2}) return true;
    }
}

Status ListaPuntiBordo(Diagram& d, LayoutState& s, int arco, int r1, int c1, int rf, int cf, int ri, int ci) {
    s.tick();
    int d0 = 1;
    if (r1 == ri) d0 = c1 > ci ? 2 : 4;
    if (c1 == ci) d0 = r1 > ri ? 3 : 1;
    s.BufferPunti.clear();
    s.bufferChars = 0;
    Punto p{r1, c1};
    int dir = d0;
    const Punto fine{rf, cf};
    bool inStrettoia = false;
    while (!(p == fine)) {
        int scelta = 0;
        for (int k : {1, 0, -1, -2, 1}) {
            const int nd = ruota(dir, k);
            int dr = 0, dc = 0;
            passoDi(nd, dr, dc);
            if (liberaPerArco(d, arco, p.r + dr, p.c + dc)) {
                scelta = nd;
                break;
            }
        }
        if (scelta == 0) {
            s.BufferPunti.clear();
            s.bufferChars = 0;
            return fail("the route of arc " + std::to_string(arco) + " cannot leave its start cell");
        }
        int dr = 0, dc = 0;
        passoDi(scelta, dr, dc);
        p = {p.r + dr, p.c + dc};
        // A passage one cell wide, walled on both sides: this route fills it. Noted where it is entered.
        const bool stretto =
            !liberaPerArco(d, arco, p.r + dc, p.c - dr) && !liberaPerArco(d, arco, p.r - dc, p.c + dr);
        if (stretto && !inStrettoia) {
            if (dr != 0)
                s.strettoiaColonne.push_back(p.c);
            else
                s.strettoiaRighe.push_back(p.r);
        }
        inStrettoia = stretto;
        s.BufferPunti.push_back(p);
        s.bufferChars += lunghezzaVoce(p);
        if (s.bufferChars > s.maxCaratteriPercorso) {
            // Shut in, or only a walk that follows every wall on its way to an end that can be reached.
            const std::string perche =
                raggiungibile(d, arco, p, fine) ? "" : ": routes laid before it have shut its other end in";
            return fail("the route of arc " + std::to_string(arco) + " is too long" + perche);
        }
        dir = scelta;
        // Back on the start cell with the start heading: the walk goes round for ever.
        if (p == Punto{r1, c1} && dir == d0) {
            s.BufferPunti.clear();
            s.bufferChars = 0;
            return fail("the other end of arc " + std::to_string(arco) + " cannot be reached");
        }
    }
    Arco& a = d.archi[arco];
    a.Percorso = scriviVociPercorso(s.BufferPunti);
    int dr = 0, dc = 0;
    passoDi(d0, dr, dc);
    a.PuntiExtra = "|" + std::to_string(ri + dr) + "," + std::to_string(ci + dc) + ",|" +
                   std::to_string(ri + 2 * dr) + "," + std::to_string(ci + 2 * dc) + ",|";
    ListaCelle(d, s, arco, false);
    InvertiAngolo(d, s, arco, rf, cf, false);
    a.RigaFine = rf;
    a.ColFine = cf;
    return {};
}

void PuntiPercorso(Diagram& d, LayoutState& s, int arco) {
    s.tick();
    for (const Punto& p : s.BufferPunti)
        if (liberaPerArco(d, arco, p.r, p.c)) {
            CellaNodo& x = d.TblNodo.at(p.r, p.c);
            x.Tipo = 'A';
            x.Numero = arco;
        }
}

}  // namespace trevalon
