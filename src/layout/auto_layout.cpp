#include "layout/auto_layout.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <utility>

#include "layout/cell_access.h"
#include "layout/developer_hook.h"
#include "model/gauss_code.h"
#include "model/sides.h"

namespace trevalon {

namespace {

// The extent l grown to hold cell p.
void allarga(LimitiNodo& l, Punto p) {
    l.RigaMin = std::min(l.RigaMin, p.r);
    l.RigaMax = std::max(l.RigaMax, p.r);
    l.ColMin = std::min(l.ColMin, p.c);
    l.ColMax = std::max(l.ColMax, p.c);
}

// The largest spread the cell table takes: a ring of this many cells stays free around it for the
// routes that run outside the drawing.
constexpr int kMargineInstradamento = 40;

// The cells written that a build keeps a list of, at most; a clear visits them rather than their box
// while they are fewer than the box's cells divided by this (a cell at a time costs more than a row's).
constexpr std::size_t kMaxCelleScritte = 1 << 20;
constexpr long kCelleScrittePerCella = 4;

// A spread over this many cells or more (a quarter of the cell table) fills most of the tables the
// routing and the tidying walk: they are asked for large pages (see `pagineGrandi`).
constexpr long kStesaPagineGrandi = static_cast<long>(CellTable::kSize) * CellTable::kSize / 4;

// The cell table and the tables beside it that the routes and the tidying read cell by cell, backed by large
// pages where the system has them: writing the spread and the routes then costs a few faults where it cost
// thousands, and the walks over the table miss the address cache far less. The advice holds for the pages
// not yet touched; a table that is mostly used already is used as it is.
void pagineGrandi(Diagram& d, LayoutState& s) {
    d.TblNodo.paginaGrande();
    s.indiceCella.paginaGrande();
    s.marcheRaggiungibile.paginaGrande();
}

}  // namespace

int LeggiFattore(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const double v = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(v) || std::fabs(v) > 30000) return 0;
    return static_cast<int>(std::nearbyint(v));  // the default rounding mode rounds halves to even
}

void ClearTblNodo(Diagram& d, LayoutState& s) {
    const LimitiNodo& a = s.areaSporca;
    const LimitiNodo& l = d.limiti;
    const int r1 = std::max({a.RigaMax, d.NumRighe, l.RigaMax <= kMaxCella ? l.RigaMax : 0});
    const int c1 = std::max({a.ColMax, d.NumColonne, l.ColMax <= kMaxCella ? l.ColMax : 0});
    if (s.areaNotata && s.areaEsatta) {
        // The cells written, when they are few beside the box: the drawing and its routes fill a small
        // part of it.
        const long box = a.RigaMax < a.RigaMin || a.ColMax < a.ColMin
                             ? 0
                             : (a.RigaMax - a.RigaMin + 1L) * (a.ColMax - a.ColMin + 1L);
        if (s.celleScritteTutte && static_cast<long>(s.celleScritte.size()) * kCelleScrittePerCella < box) {
            for (const Punto& p : s.celleScritte)
                if (CellTable::inside(p.r, p.c)) d.TblNodo.at(p.r, p.c) = CellaNodo{};
        } else {
            d.TblNodo.clear(a.RigaMin, a.RigaMax, a.ColMin, a.ColMax);
        }
    } else {
        d.TblNodo.clear(0, r1, 0, c1);
    }
    // A build notes every cell it writes from here on; anyone else may write anywhere.
    s.areaEsatta = s.areaNotata;
    s.areaSporca =
        s.areaNotata ? LimitiNodo{kMaxCella, -1, kMaxCella, -1} : LimitiNodo{0, kMaxCella, 0, kMaxCella};
    s.celleScritte.clear();
    s.celleScritteTutte = s.areaNotata && !s.hook;
}

void NotaAreaScritta(LayoutState& s, const std::vector<Punto>& celle) {
    if (!s.areaNotata || !s.areaEsatta) return;
    LimitiNodo area = s.areaSporca;  // a copy the compiler keeps in registers
    for (const Punto& p : celle) allarga(area, p);
    s.areaSporca = area;
    if (!s.celleScritteTutte) return;
    if (s.celleScritte.size() + celle.size() > kMaxCelleScritte) {
        s.celleScritteTutte = false;
        s.celleScritte.clear();
        return;
    }
    s.celleScritte.insert(s.celleScritte.end(), celle.begin(), celle.end());
}

void NotaCellaScritta(LayoutState& s, Punto p) {
    if (!s.areaNotata || !s.areaEsatta || !s.celleScritteTutte) return;
    if (s.celleScritte.size() >= kMaxCelleScritte) {
        s.celleScritteTutte = false;
        s.celleScritte.clear();
        return;
    }
    s.celleScritte.push_back(p);
}

void SettaLimiti(Diagram& d) {
    SettaLimiti(d, LimitiNodo{1, CellTable::kSize - 1, 1, CellTable::kSize - 1});
}

void SettaLimiti(Diagram& d, const LimitiNodo& entro) {
    LimitiNodo l{9999, 0, 9999, 0};
    const int c0 = std::max(1, entro.ColMin), c1 = std::min(CellTable::kSize - 1, entro.ColMax);
    // Per row, its first and last filled cell: the cells between them are not read.
    for (int r = std::max(1, entro.RigaMin); r <= std::min(CellTable::kSize - 1, entro.RigaMax) && c0 <= c1;
         ++r) {
        const CellaNodo* riga = &std::as_const(d.TblNodo).at(r, 0);
        int a = c0;
        while (a <= c1 && riga[a].Tipo == 0) ++a;
        if (a > c1) continue;
        int b = c1;
        while (riga[b].Tipo == 0) --b;
        l.RigaMin = std::min(l.RigaMin, r);
        l.RigaMax = std::max(l.RigaMax, r);
        l.ColMin = std::min(l.ColMin, a);
        l.ColMax = std::max(l.ColMax, b);
    }
    d.limiti = l;
}

ModelSettings letturaCodice(const LayoutState& s) {
    ModelSettings m;
    m.ModoDebug = s.dump.active();
    m.programFolder = s.dump.folder;
    m.status = s.dump.status;
    return m;
}

Status Disegna(Diagram& d, LayoutState& s) {
    s.FattoreLayout = LeggiFattore(s.settings.Txtfat);
    s.MezzoFattore = s.FattoreLayout / 2;
    if (!Deserializza(d, letturaCodice(s)) || d.NumIncroci < 1) return fail("the code cannot be read");
    for (int k = 1; k <= d.NumIncroci; ++k) d.incroci[k].Posto = 0;
    std::fill(s.extraRiga.begin(), s.extraRiga.end(), 0);
    std::fill(s.extraCol.begin(), s.extraCol.end(), 0);
    // A root crossing that is not in the diagram starts the layout from crossing 1.
    if (s.IncrocioRadice < 1 || s.IncrocioRadice > d.NumIncroci) s.IncrocioRadice = 1;
    if (auto albero = GeneraAlberoAmpiezza(d, s); !albero || s.ModoAutomatico) return albero;
    if (s.hook) s.hook->nodoIngrid(s);
    return StendiLayout(d, s);
}

Status StendiLayout(Diagram& d, LayoutState& s) {
    if (auto stesa = VisCostruzione(d, s, "F", true); !stesa) return stesa;
    if (s.ModoAutomatico) return {};

    // Stray arc cells: those that touch neither a crossing nor a cell of their own number. Only the
    // spread has written cells: the others are empty.
    const LimitiNodo l = d.limiti;
    // A stray cell has no neighbour of its own number, so emptying it changes no other cell's test: the
    // order they are taken in does not matter, and a cell listed twice meets the same test twice. So the
    // extent of the cells left is taken as they are met.
    const std::vector<Punto>& scritte = s.celleStese;
    LimitiNodo rimasta{9999, 0, 9999, 0};
    for (const Punto& p : scritte) {
        const int r = p.r, c = p.c;
        if (r < std::max(2, l.RigaMin) || r > std::min(kMaxCella - 1, l.RigaMax) ||
            c < std::max(2, l.ColMin) || c > std::min(kMaxCella - 1, l.ColMax)) {
            if (r >= 1 && c >= 1 && std::as_const(d.TblNodo).at(r, c).Tipo != 0) allarga(rimasta, p);
            continue;
        }
        CellaNodo& x = d.TblNodo.at(r, c);
        if (x.Tipo != 'A') {
            if (x.Tipo != 0) allarga(rimasta, p);
            continue;
        }
        bool tocca = false;
        // The neighbours in its own row first: they lie beside it in memory, and a cell of a run along a
        // row touches its own arc there. Rows and columns 2..kMaxCella - 1 have every neighbour inside the
        // table, read by its distance from x.
        for (const std::ptrdiff_t passo :
             {std::ptrdiff_t{1}, std::ptrdiff_t{-1}, -std::ptrdiff_t{CellTable::kSize},
              std::ptrdiff_t{CellTable::kSize}}) {
            const CellaNodo& v = (&x)[passo];
            tocca = v.Tipo == 'I' || (v.Tipo != 0 && v.Numero == x.Numero);
            if (tocca) break;
        }
        if (tocca)
            allarga(rimasta, p);
        else
            svuota(x);
    }
    d.limiti = rimasta;
    s.tick();
    if (s.hook) s.hook->visCostruzione(d, s, "", false);
    return {};
}

Status iniziaAlbero(Diagram& d, LayoutState& s) {
    if (d.NumIncroci < 1 || d.NumIncroci > kMaxIncroci || s.IncrocioRadice < 1 ||
        s.IncrocioRadice > d.NumIncroci)
        return fail("the root crossing " + std::to_string(s.IncrocioRadice) +
                    " is not a crossing of the diagram (1.." + std::to_string(d.NumIncroci) + ")");
    s.TestaCoda = 0;
    s.FondoCoda = 0;
    if (s.giroPerVisita) {
        // Arcs run along the knot: each crossing's place is where an arc first leaves it.
        s.ordineVisita.assign(static_cast<std::size_t>(d.NumIncroci) + 1, 0);
        int posto = 0;
        for (int a = 1; a <= d.NumArchi && a <= kMaxArchi; ++a) {
            const int k = d.archi[a].IncrocioDa;
            if (k >= 1 && k <= d.NumIncroci && s.ordineVisita[k] == 0) s.ordineVisita[k] = ++posto;
        }
    }
    s.TblNodoAlbero.clearTouched();
    std::fill(s.piazzato.begin(), s.piazzato.end(), 0);
    return {};
}

Status GeneraAlberoAmpiezza(Diagram& d, LayoutState& s) {
    if (Status inizio = iniziaAlbero(d, s); !inizio) return inizio;
    // The root stands at the centre of the work grid, so that shifts have room on every side.
    const int centro = WorkGrid::kMax / 2;
    bool codaLibera = GeneraDirezioniAmpiezza(d, s, s.IncrocioRadice, centro, centro, 1, 0);
    d.incroci[s.IncrocioRadice].Posto = 1;
    while (true) {
        if (!codaLibera) return fail("the layout tree has more crossings than its queue holds");
        // Served from its end, the queue gives each record the crossing queued last: a tree that goes deep
        // before it goes wide.
        ElementoCoda e;
        if (s.codaDallaFine) {
            if (s.FondoCoda <= s.TestaCoda) return {};
            e = s.CodaAlbero[s.FondoCoda--];
        } else {
            ++s.TestaCoda;
            if (s.TestaCoda > s.FondoCoda) return {};
            e = s.CodaAlbero[s.TestaCoda];
        }
        int dr = 0, dc = 0;
        passoDi(e.LatoPadre, dr, dc);
        const Incrocio& padre = d.incroci[e.IncrocioPadre];
        const int r = padre.Riga + dr, c = padre.Colonna + dc;
        if (r < 1 || c < 1 || r >= WorkGrid::kMax || c >= WorkGrid::kMax)
            return fail("the layout leaves the work grid");
        if (s.TblNodoAlbero.Tipo(r, c) != 0 && !s.ModoAutomatico &&
            !InsRigaCol(d, s, r, c, padre.Riga, padre.Colonna))
            return fail("the layout leaves the work grid");
        s.TblNodoAlbero.set(r, c, 'I', e.IncrocioFiglio);
        d.incroci[e.IncrocioFiglio].Riga = r;
        d.incroci[e.IncrocioFiglio].Colonna = c;
        codaLibera = GeneraDirezioniAmpiezza(d, s, e.IncrocioFiglio, r, c, e.ArcoPadre, e.LatoPadre);
        if (s.hook && !s.ModoAutomatico) s.hook->visCostruzione(d, s, "", true);
    }
}

bool GeneraDirezioniAmpiezza(Diagram& d, LayoutState& s, int n, int r, int c, int nArc, int Rotazione) {
    s.tick();
    if (!s.ModoAutomatico && s.settings.ModoSviluppo && s.didascalia)
        s.didascalia("GeneraDirezioniAmpiezza " + std::to_string(n));
    static constexpr int kLatoOpposto[5] = {0, 3, 4, 1, 2};
    const int rot = (Rotazione >= 0 && Rotazione <= 4) ? kLatoOpposto[Rotazione] : 0;
    s.TblNodoAlbero.set(r, c, 'I', n);
    Incrocio& x = d.incroci[n];
    x.Riga = r;
    x.Colonna = c;
    s.piazzato[n] = 1;
    AssegnaLatiBase(d, n);
    if (rot != 0) RuotaLati(d, n, nArc, rot);

    std::string modo = s.settings.TXTmodo;
    for (char& ch : modo) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    const int pari = s.giroPerVisita && n < static_cast<int>(s.ordineVisita.size()) ? s.ordineVisita[n] : n;
    const bool orario = modo == "S" || (modo == "A" && pari % 2 == 1) || (modo == "B" && pari % 2 == 0);
    int lato = rot;
    for (int i = 0; i < 4; ++i) {
        if (orario)
            lato = lato >= 4 ? 1 : lato + 1;
        else
            lato = lato <= 1 ? 4 : lato - 1;
        const int m = x.IncrocioLato[lato];
        if (m == n || m < 1 || m > d.NumIncroci || d.incroci[m].Posto != 0) continue;
        if (s.FondoCoda >= kMaxIncroci) return false;
        ++s.FondoCoda;
        s.CodaAlbero[s.FondoCoda] = {n, m, x.ArcoLato[lato], lato, x.VersoLato[lato]};
        if (x.ArcoLato[lato] >= 1 && x.ArcoLato[lato] <= kMaxArchi) d.archi[x.ArcoLato[lato]].Posto = 1;
        d.incroci[m].Posto = 1;
    }
    return true;
}

bool InsRigaCol(Diagram& d, LayoutState& s, int r, int c, int rp, int cp) {
    WorkGrid& g = s.TblNodoAlbero;
    if (r == rp) {
        const bool versoUno = c <= cp;
        // The block that moves must not push a filled cell off the grid.
        if (versoUno ? g.cMin() <= 1 : g.cMax() >= WorkGrid::kMax) return false;
        if (versoUno)
            g.shiftColumns(std::max(2, g.cMin()), c, -1);
        else
            g.shiftColumns(c, g.cMax(), +1);
        for (int k = 1; k <= d.NumIncroci; ++k) {
            if (!s.piazzato[k]) continue;
            Incrocio& x = d.incroci[k];
            if (versoUno && x.Colonna >= 2 && x.Colonna <= c) --x.Colonna;
            if (!versoUno && x.Colonna >= c && x.Colonna < WorkGrid::kMax) ++x.Colonna;
        }
        for (int i = g.rMin(); i <= g.rMax(); ++i) {
            if (i == r) {
                g.set(i, c, 0, 0);
            } else if (g.Tipo(i, c) == 'I') {
                const Incrocio& x = d.incroci[g.Numero(i, c)];
                g.set(i, c, 'A', x.ArcoLato[versoUno ? 4 : 2]);
            }
        }
    } else if (c == cp) {
        const bool versoUno = r <= rp;
        if (versoUno ? g.rMin() <= 1 : g.rMax() >= WorkGrid::kMax) return false;
        if (versoUno)
            g.shiftRows(std::max(2, g.rMin()), r, -1);
        else
            g.shiftRows(r, g.rMax(), +1);
        for (int k = 1; k <= d.NumIncroci; ++k) {
            if (!s.piazzato[k]) continue;
            Incrocio& x = d.incroci[k];
            if (versoUno && x.Riga >= 2 && x.Riga <= r) --x.Riga;
            if (!versoUno && x.Riga >= r && x.Riga < WorkGrid::kMax) ++x.Riga;
        }
        for (int j = g.cMin(); j <= g.cMax(); ++j) {
            if (j == c) {
                g.set(r, j, 0, 0);
            } else if (g.Tipo(r, j) == 'I') {
                const Incrocio& x = d.incroci[g.Numero(r, j)];
                g.set(r, j, 'A', x.ArcoLato[versoUno ? 3 : 1]);
            }
        }
    }
    if (s.hook)
        s.hook->visCostruzione(
            d, s,
            std::to_string(r) + " " + std::to_string(c) + " " + std::to_string(rp) + " " + std::to_string(cp),
            true);
    return true;
}

Status VisCostruzione(Diagram& d, LayoutState& s, const std::string& msg, bool daCelle,
                      const LimitiNodo* entro) {
    if (s.ModoAutomatico) return {};
    s.tick();
    // The cells written here, in a table empty elsewhere once it has been cleared, and the box where the
    // extent is looked for.
    std::vector<Punto>& scritte = s.celleStese;
    LimitiNodo stesa{0, -1, 0, -1};
    scritte.clear();
    if (daCelle) {
        ClearTblNodo(d, s);
        const WorkGrid& g = s.TblNodoAlbero;
        int rmin = 9999, rmax = 0, cmin = 9999, cmax = 0;
        for (int r = std::max(1, g.rMin()); r <= std::min(WorkGrid::kMax, g.rMax()); ++r)
            for (int c = std::max(1, g.cMin()); c <= std::min(WorkGrid::kMax, g.cMax()); ++c)
                if (g.Tipo(r, c) != 0) {
                    rmin = std::min(rmin, r);
                    rmax = std::max(rmax, r);
                    cmin = std::min(cmin, c);
                    cmax = std::max(cmax, c);
                }
        if (rmax >= rmin) {
            const int f = s.FattoreLayout;
            if (f < 3) return fail("the layout spacing is too small to draw the diagram");
            // Work row (column) j stands f cells after the one before it, plus the extra room a failed
            // routing asked for after j - 1.
            const long spazio = kMaxCella - 2L * kMargineInstradamento;
            auto stendi = [&](int j0, int j1, const std::vector<int>& extra, std::vector<int>& pos) {
                std::fill(pos.begin(), pos.end(), -1);
                long alto = 0;
                for (int j = j0; j < j1; ++j) alto += f + std::max(0, extra[j]);
                if (alto > spazio) return false;
                // The spread stands in the middle of the table, with room for routes on every side.
                long p = (kMaxCella - alto) / 2;
                for (int j = j0; j <= j1; ++j) {
                    pos[j] = static_cast<int>(p);
                    p += f + std::max(0, extra[j]);
                }
                return true;
            };
            if (!stendi(rmin, rmax, s.extraRiga, s.rigaStesa) || !stendi(cmin, cmax, s.extraCol, s.colStesa))
                return fail(std::string(kLayoutTroppoGrande));
            // Crossings and tree cells at the spread lines, stubs one cell beside them, tree arcs between.
            stesa = {s.rigaStesa[rmin] - 1, s.rigaStesa[rmax] + 1, s.colStesa[cmin] - 1,
                     s.colStesa[cmax] + 1};
            if (static_cast<long>(stesa.RigaMax - stesa.RigaMin + 1) * (stesa.ColMax - stesa.ColMin + 1) >=
                kStesaPagineGrandi)
                pagineGrandi(d, s);
            for (int r = rmin; r <= rmax; ++r)
                for (int c = cmin; c <= cmax; ++c)
                    if (g.Tipo(r, c) != 0) {
                        CellaNodo& x = d.TblNodo.at(s.rigaStesa[r], s.colStesa[c]);
                        x.Tipo = g.Tipo(r, c);
                        x.Numero = g.Numero(r, c);
                        scritte.push_back({s.rigaStesa[r], s.colStesa[c]});
                    }
            for (int r = rmin; r <= rmax; ++r)
                for (int c = cmin; c <= cmax; ++c) {
                    if (g.Tipo(r, c) != 'I') continue;
                    const int R = s.rigaStesa[r], C = s.colStesa[c];
                    if (d.TblNodo.at(R, C).Tipo != 'I') continue;
                    const Incrocio& k = d.incroci[d.TblNodo.at(R, C).Numero];
                    for (int lato = 1; lato <= 4; ++lato) {
                        int dr = 0, dc = 0;
                        passoDi(lato, dr, dc);
                        CellaNodo& stub = d.TblNodo.at(R + dr, C + dc);
                        stub.Tipo = 'A';
                        stub.Numero = k.ArcoLato[lato];
                        scritte.push_back({R + dr, C + dc});
                    }
                    if (msg != "F") continue;
                    for (int lato = 1; lato <= 4; ++lato) {
                        const int arco = k.ArcoLato[lato];
                        if (arco < 1 || arco > kMaxArchi || d.archi[arco].Posto != 1) continue;
                        int dr = 0, dc = 0;
                        passoDi(lato, dr, dc);
                        int i = R + dr, j = C + dc;
                        while (true) {
                            if (i < 1 || j < 1 || i >= kMaxCella || j >= kMaxCella)
                                return fail("a tree arc of the layout meets no crossing");
                            CellaNodo& x = d.TblNodo.at(i, j);
                            if (x.Tipo == 'I') break;
                            x.Tipo = 'A';
                            x.Numero = arco;
                            scritte.push_back({i, j});
                            i += dr;
                            j += dc;
                        }
                    }
                }
        }
        LimitiNodo l{9999, 0, 9999, 0};
        for (const Punto& p : scritte)
            if (p.r >= std::max(1, stesa.RigaMin) && p.r <= stesa.RigaMax &&
                p.c >= std::max(1, stesa.ColMin) && p.c <= stesa.ColMax)
                allarga(l, p);
        d.limiti = l;
        NotaAreaScritta(s, scritte);
    } else if (entro)
        SettaLimiti(d, *entro);
    else
        SettaLimiti(d);
    if (s.hook) s.hook->visCostruzione(d, s, msg, false);
    return {};
}

}  // namespace trevalon
