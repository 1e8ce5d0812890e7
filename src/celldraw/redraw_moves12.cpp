#include "celldraw/redraw_moves12.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "celldraw/cell_drawing_check.h"
#include "celldraw/cell_drawing_rows.h"
#include "celldraw/redraw_move3.h"

namespace trevalon {

namespace {

std::string_view tipoTessera(const CellDrawing& g, int r, int c) {
    if (!g.inside(r, c)) return {};
    const std::string_view s = g.Simbolo(r, c);
    return s.substr(0, std::min<std::size_t>(2, s.size()));
}

bool contiene(const CellDrawing& g, int r, int c, char lettera) {
    return g.inside(r, c) && g.Simbolo(r, c).find(lettera) != std::string_view::npos;
}

bool rossa(const CellDrawing& g, int r, int c) {
    return contiene(g, r, c, 'r');
}
bool colorata(const CellDrawing& g, int r, int c) {
    return contiene(g, r, c, 'v') || contiene(g, r, c, 'r');
}

bool tesseraDiagonale(const CellDrawing& g, int r, int c) {
    const std::string_view k = tipoTessera(g, r, c);
    return k == "n/" || k == "n\\" || k == "nE";
}

// A crossing the move takes away: a crossing cell drawn with a diagonal tile (a bridge that took such a
// tile name is not one).
bool diagonale(const CellDrawing& g, int r, int c) {
    return tesseraDiagonale(g, r, c) && codiceIncrocio(g.at(r, c).codice);
}

void scrivi(CellDrawing& g, VistaRidisegno& vista, int r, int c, char codice, int colore) {
    g.setCodice(r, c, std::string_view(&codice, 1));
    F3AggImg(g, vista, r, c, colore);
}

void svuota(CellDrawing& g, VistaRidisegno& vista, int r, int c) {
    g.at(r, c).Numero = 0;
    scrivi(g, vista, r, c, '0', ColGrigio);
}

// The rows and columns a scan of the drawing covers: its extent, from row and column 1.
struct Scansione {
    int r0, r1, c0, c1;
};
Scansione scansione(const CellDrawing& g) {
    const LimitiDis& l = g.limiti;
    return {std::max(1, l.RigaMin), std::min(l.RigaMax, g.lastRow()), std::max(1, l.ColMin),
            std::min(l.ColMax, g.lastCol())};
}

Status eliminaRipetute(CellDrawing& tblGen) {
    if (Status s = F3EliminaRgheUgualiDis(tblGen); !s) return s;
    return F3EliminaColonneUgualiDis(tblGen);
}

// ---- move II ----

// The four diagonal directions: 1 top-left, 2 top-right, 3 bottom-left, 4 bottom-right. A is the
// neighbour in the same column on that side, B the one in the same row, D the corner cell beside both.
struct Direzione {
    int dr, dc;
    char codiceD;  // the corner that joins D to A and B
};
constexpr std::array<Direzione, 5> kDirezioni = {
    {{0, 0, 0}, {-1, -1, '7'}, {-1, 1, '8'}, {1, -1, '6'}, {1, 1, '5'}}};

// One recoding rule: a cell whose code is `da` becomes `a`.
struct Regola {
    char da, a;
};
struct Ricodifica {
    Regola A[2];     // A when D is free, or when B is dropped
    Regola B[2];     // B when D is free, or when A is dropped
    char dDefaultA;  // D joined to B when A is dropped: the code it takes unless it is one of dSalvaA
    char dSalvaA[2];
    Regola DA[2];    // then D's rules when A is dropped
    char aDefaultB;  // A joined to D when B is dropped: the code it takes unless it is one of aSalvaB
    char aSalvaB[2];
    Regola DB[2];  // D's rules when B is dropped
};
constexpr std::array<Ricodifica, 5> kRicodifica = {{
    {},
    // 1: A above, B left
    {{{'7', '2'}, {'1', '5'}},
     {{'7', '1'}, {'2', '5'}},
     '8',
     {'2', '6'},
     {{'6', '1'}, {'2', '8'}},
     '5',
     {'1', '7'},
     {{'1', '6'}, {'8', '2'}}},
    // 2: A above, B right
    {{{'8', '2'}, {'1', '6'}},
     {{'8', '1'}, {'2', '6'}},
     '7',
     {'2', '5'},
     {{'5', '1'}, {'2', '7'}},
     '6',
     {'1', '8'},
     {{'1', '5'}, {'7', '2'}}},
    // 3: A below, B left
    {{{'6', '2'}, {'1', '8'}},
     {{'6', '1'}, {'2', '8'}},
     '5',
     {'2', '7'},
     {{'7', '1'}, {'2', '5'}},
     '8',
     {'1', '6'},
     {{'1', '7'}, {'5', '2'}}},
    // 4: A below, B right
    {{{'5', '2'}, {'1', '7'}},
     {{'5', '1'}, {'2', '7'}},
     '6',
     {'2', '8'},
     {{'8', '1'}, {'2', '6'}},
     '7',
     {'1', '5'},
     {{'1', '8'}, {'6', '2'}}},
}};

void applica(CellDrawing& g, int r, int c, const Regola (&regole)[2]) {
    CellaDis& x = g.at(r, c);
    for (const Regola& k : regole)
        if (x.codice == k.da) {
            x.codice = k.a;
            break;
        }
}

void predefinito(CellDrawing& g, int r, int c, char codice, const char (&salvo)[2]) {
    CellaDis& x = g.at(r, c);
    if (x.codice != salvo[0] && x.codice != salvo[1]) x.codice = codice;
}

// Two cells on the same strand: both strand cells (a crossing's number or a bridge between two
// crossings is no arc's) with the same arc number.
bool stessoTratto(const CellaDis& x, const CellaDis& y) {
    return codiceTratto(x.codice) && codiceTratto(y.codice) && x.Numero != 0 && x.Numero == y.Numero;
}

// The side s (1 top, 2 right, 3 bottom, 4 left) of a diagonal cell belongs to the bigon: its neighbour is
// coloured, or is a bridge inserted between two of the crossings taken away (it carries their tile name).
bool latoDelBigon(const CellDrawing& g, int r, int c, int s) {
    static constexpr std::array<int, 5> kDr = {0, -1, 0, 1, 0};
    static constexpr std::array<int, 5> kDc = {0, 0, 1, 0, -1};
    const int rr = r + kDr[static_cast<std::size_t>(s)], cc = c + kDc[static_cast<std::size_t>(s)];
    if (colorata(g, rr, cc)) return true;
    if (!g.inside(rr, cc) || !codiceTratto(g.at(rr, cc).codice)) return false;
    const std::string_view n = g.Simbolo(rr, cc);
    return n.size() == 3 && n.back() == 'z' &&
           (n.substr(0, 2) == "n/" || n.substr(0, 2) == "n\\" || n.substr(0, 2) == "nE");
}

// The directions of a diagonal cell, in the order 2, 1, 4, 3 in which they are handled. The two strands of
// the bigon leave the crossing by two sides next to each other; taking the crossing away joins each of
// them to the other side beside it (a bigon side to an outer side), so the strands no longer cross. A
// crossing whose bigon sides are not two sides next to each other gets no direction (the redraw then
// fails its check).
std::string direzioni(const CellDrawing& g, int r, int c) {
    std::array<bool, 5> bigon{};
    int n = 0;
    for (int s = 1; s <= 4; ++s) {
        bigon[static_cast<std::size_t>(s)] = latoDelBigon(g, r, c, s);
        if (bigon[static_cast<std::size_t>(s)]) ++n;
    }
    if (n != 2 || (bigon[1] && bigon[3]) || (bigon[2] && bigon[4])) return {};
    // The corner between two sides next to each other.
    const auto angolo = [](int a, int b) {
        const int lo = std::min(a, b), hi = std::max(a, b);
        if (lo == 1) return hi == 2 ? '2' : '1';
        return lo == 2 ? '4' : '3';
    };
    std::string trovate;
    for (int s = 1; s <= 4; ++s) {
        if (!bigon[static_cast<std::size_t>(s)]) continue;
        for (int t : {s % 4 + 1, (s + 2) % 4 + 1})
            if (!bigon[static_cast<std::size_t>(t)]) trovate += angolo(s, t);
    }
    std::string s;
    for (char d : {'2', '1', '4', '3'})
        if (trovate.find(d) != std::string::npos) s += d;
    return s;
}

// Phase 1: the first and the last diagonal cell are moved apart until they lie more than two rows or
// columns apart. Fewer than two diagonal cells: nothing to do.
Status separaDiagonali(CellDrawing& g, const VistaRidisegno& vista) {
    for (int giro = 0; giro <= g.lastRow() + g.lastCol(); ++giro) {
        const Scansione s = scansione(g);
        int n = 0, r1 = 0, c1 = 0, r2 = 0, c2 = 0;
        for (int r = s.r0; r <= s.r1; ++r) {
            vista.tick();
            for (int c = s.c0; c <= s.c1; ++c) {
                if (!diagonale(g, r, c)) continue;
                if (n++ == 0) r1 = r, c1 = c;
                r2 = r, c2 = c;
            }
        }
        if (n < 2) return {};
        Status inserito;
        // One above the other: a row between them; further apart: nothing to do; else a column.
        if (c1 == c2 && std::abs(r1 - r2) < 3)
            inserito = F3InsRigaDis(g, std::min(r1, r2));
        else if (std::abs(r1 - r2) > 2 || std::abs(c1 - c2) > 2)
            return {};
        else
            inserito = F3InsColonnaDis(g, std::min(c1, c2));
        if (!inserito) return inserito;
    }
    return fail("The crossings taken away could not be moved apart.");
}

// One pass of phase 2 over the drawing. Pass 1 makes room where a corner cell is taken (true when it
// inserted); pass 2 reroutes and empties the diagonal cells.
Result<bool> passoDiagonali(CellDrawing& g, VistaRidisegno& vista, int passo) {
    const Scansione s = scansione(g);
    for (int r = s.r0; r <= s.r1; ++r) {
        vista.tick();
        for (int c = s.c0; c <= s.c1; ++c) {
            if (!diagonale(g, r, c)) continue;
            for (char d : direzioni(g, r, c)) {
                const std::size_t k = static_cast<std::size_t>(d - '0');
                const Direzione& v = kDirezioni[k];
                const int ra = r + v.dr, ca = c;
                const int rb = r, cb = c + v.dc;
                const int rd = r + v.dr, cd = c + v.dc;
                const bool libera = g.vuota(rd, cd);
                if (passo == 1) {
                    if (libera) continue;
                    if (Status ok = F3InsRigaDis(g, std::min(r, rd)); !ok) return Failure{ok.error()};
                    if (Status ok = F3InsColonnaDis(g, std::min(c, cd)); !ok) return Failure{ok.error()};
                    return true;
                }
                const Ricodifica& t = kRicodifica[k];
                if (libera) {
                    g.at(rd, cd).codice = v.codiceD;
                    g.at(rd, cd).Numero = static_cast<std::int16_t>(g.at(ra, ca).Numero + 1000);
                    F3AggImg(g, vista, rd, cd, ColGrigio);
                    applica(g, ra, ca, t.A);
                    F3AggImg(g, vista, ra, ca, ColGrigio);
                    applica(g, rb, cb, t.B);
                    F3AggImg(g, vista, rb, cb, ColGrigio);
                } else if (stessoTratto(g.at(rd, cd), g.at(ra, ca))) {
                    svuota(g, vista, ra, ca);
                    predefinito(g, rd, cd, t.dDefaultA, t.dSalvaA);
                    applica(g, rd, cd, t.DA);
                    F3AggImg(g, vista, rd, cd, ColGrigio);
                    applica(g, rb, cb, t.B);
                    F3AggImg(g, vista, rb, cb, ColGrigio);
                } else if (stessoTratto(g.at(rd, cd), g.at(rb, cb))) {
                    svuota(g, vista, rb, cb);
                    predefinito(g, ra, ca, t.aDefaultB, t.aSalvaB);
                    applica(g, ra, ca, t.A);
                    F3AggImg(g, vista, ra, ca, ColGrigio);
                    applica(g, rd, cd, t.DB);
                    F3AggImg(g, vista, rd, cd, ColGrigio);
                }
            }
            if (passo == 2) svuota(g, vista, r, c);
        }
    }
    return false;
}

// ---- move II that lays one stretch along the other ----

std::string testoCella(PuntoDis p) {
    return std::to_string(p.r) + "," + std::to_string(p.c);
}

// A bound on the cells a strand followed in the drawing can pass: those of its extent and a margin.
long celleEstensione(const LimitiDis& l) {
    return static_cast<long>(l.RigaMax - l.RigaMin + 3) * (l.ColMax - l.ColMin + 3) + 8;
}

// One stretch of the pair, followed from a crossing taken away straight through the crossings on its way
// to the other: those crossing cells with the heading it passes them with, and the arcs of its strand
// cells in order.
struct Stretto {
    std::vector<std::pair<PuntoDis, int>> incroci;
    std::vector<int> archi;
    PuntoDis fine;
};

// The stretch that leaves the crossing cell `da` by side `lato`; nothing when it breaks off or runs longer
// than the drawing holds cells before it reaches a crossing taken away.
std::optional<Stretto> seguiStretto(const CellDrawing& g, PuntoDis da, int lato) {
    const long massimo = celleEstensione(g.limiti);
    Stretto s;
    int verso = lato;
    PuntoDis p = accanto(da, verso);
    for (long passi = 0; passi < massimo; ++passi) {
        if (!g.inside(p.r, p.c)) return std::nullopt;
        const CellaDis& x = g.at(p.r, p.c);
        if (codiceIncrocio(x.codice)) {
            if (diagonale(g, p.r, p.c)) {
                s.fine = p;
                return s;
            }
            s.incroci.emplace_back(p, verso);
        } else if (codiceTratto(x.codice) && codiceEsce(x.codice, opposto(verso))) {
            for (int t = 1; t <= 4; ++t)
                if (t != opposto(verso) && codiceEsce(x.codice, t)) {
                    verso = t;
                    break;
                }
            if (s.archi.empty() || s.archi.back() != x.Numero) s.archi.push_back(x.Numero);
        } else {
            return std::nullopt;
        }
        p = accanto(p, verso);
    }
    return std::nullopt;
}

// The two stretches between the crossings taken away, followed from the crossing cell `da`.
std::optional<std::array<Stretto, 2>> strettiDa(const CellDrawing& g, PuntoDis da, PuntoDis a) {
    std::vector<Stretto> trovati;
    for (int lato = 1; lato <= 4; ++lato) {
        if (!latoDelBigon(g, da.r, da.c, lato)) continue;
        std::optional<Stretto> s = seguiStretto(g, da, lato);
        if (!s || s->fine != a) return std::nullopt;
        trovati.push_back(std::move(*s));
    }
    if (trovati.size() != 2) return std::nullopt;
    return std::array<Stretto, 2>{std::move(trovati[0]), std::move(trovati[1])};
}

bool haRegione(const Arco& a, int reg) {
    return a.Reg1 == reg || a.Reg2 == reg;
}

// The move the rewrite makes when the two stretches cross different numbers of strands: the stretch that
// crosses more (the moved strand) loses its crossings and is laid along the other from the one crossing
// taken away to the other, both of which stay, crossing every strand that crosses the other stretch, over
// it where that strand passes over the other stretch. The route runs through the regions on the moved
// strand's side of the other stretch; each new crossing is marked by a green crossing tile on a straight
// cell of the crossed arc next to the other stretch.
struct Stesura {
    std::vector<int> archiMossa, archiAttraversati, regioni;
    std::vector<IncrocioVerde> segni;
    // An arc crossed twice whose straight cell next to both crossings is the same one: room is made there
    // first, so that each crossing gets a cell of its own.
    std::optional<PuntoDis> stretta;
};

// Nothing when the drawing does not show such a move (the two stretches cross as many strands, or the
// drawing shows no pair of crossings taken away): the ordinary redraw then takes the crossings away.
Result<std::optional<Stesura>> stesuraMossaII(const CellDrawing& g, const Diagram& d) {
    std::vector<PuntoDis> diagonali;
    const Scansione sc = scansione(g);
    for (int r = sc.r0; r <= sc.r1; ++r)
        for (int c = sc.c0; c <= sc.c1; ++c)
            if (diagonale(g, r, c)) diagonali.push_back({r, c});
    if (diagonali.size() != 2) return std::optional<Stesura>{};
    std::optional<std::array<Stretto, 2>> stretti = strettiDa(g, diagonali[0], diagonali[1]);
    if (!stretti || (*stretti)[0].incroci.size() == (*stretti)[1].incroci.size())
        return std::optional<Stesura>{};
    const auto arco = [&](int a) -> const Arco* {
        return a >= 1 && a <= d.NumArchi && a <= kMaxArchi ? &d.archi[static_cast<std::size_t>(a)] : nullptr;
    };
    const auto numero = [&](PuntoDis p) { return static_cast<int>(g.at(p.r, p.c).Numero); };
    const long massimo = celleEstensione(g.limiti);
    const auto mosso = [&]() -> const Stretto& {
        return (*stretti)[0].incroci.size() > (*stretti)[1].incroci.size() ? (*stretti)[0] : (*stretti)[1];
    };
    // The moved strand is followed the way the diagram runs: from the crossing its first arc leaves.
    const std::string rifiuto = "The stretch of the move II cannot be laid along the other one: ";
    for (const Stretto& s : *stretti)
        if (s.archi.size() != s.incroci.size() + 1 ||
            std::any_of(s.archi.begin(), s.archi.end(), [&](int a) { return !arco(a); }))
            return fail(rifiuto + "a stretch has an arc without cells of its own.");
    if (arco(mosso().archi.front())->IncrocioDa != numero(diagonali[0])) {
        std::swap(diagonali[0], diagonali[1]);
        stretti = strettiDa(g, diagonali[0], diagonali[1]);
        if (!stretti) return fail(rifiuto + "its stretches cannot be followed back.");
    }
    const Stretto& m = mosso();
    const Stretto& k = &m == &(*stretti)[0] ? (*stretti)[1] : (*stretti)[0];
    if (m.archi.size() != m.incroci.size() + 1 || k.archi.size() != k.incroci.size() + 1 ||
        arco(m.archi.front())->IncrocioDa != numero(diagonali[0]) ||
        arco(m.archi.back())->IncrocioA != numero(diagonali[1]))
        return fail(rifiuto + "its arcs do not run from one crossing taken away to the other.");

    Stesura out;
    out.archiMossa = m.archi;
    const Arco& primoMosso = *arco(m.archi.front());
    const Arco& ultimoMosso = *arco(m.archi.back());
    const Arco& primoTenuto = *arco(k.archi.front());
    // The first region lies between the two stretches at the first crossing; each crossed arc, the arc of
    // the crossing strand on that side, leads to the next.
    for (int inizio : {primoTenuto.Reg1, primoTenuto.Reg2}) {
        if (!haRegione(primoMosso, inizio)) continue;
        out.archiAttraversati.clear();
        out.regioni.assign(1, inizio);
        out.segni.clear();
        for (const auto& [q, verso] : k.incroci) {
            const int reg = out.regioni.back();
            int lato = 0;
            for (int t : {verso % 4 + 1, (verso + 2) % 4 + 1}) {
                const PuntoDis p = accanto(q, t);
                if (g.inside(p.r, p.c) && codiceTratto(g.at(p.r, p.c).codice) && arco(numero(p)) &&
                    haRegione(*arco(numero(p)), reg)) {
                    lato = t;
                    break;
                }
            }
            if (lato == 0) break;
            // The crossed arc followed from the crossing to its first straight cell.
            int passo = lato;
            PuntoDis p = accanto(q, passo);
            const int attraversato = numero(p);
            for (long passi = 0; passi < massimo && g.inside(p.r, p.c) &&
                                 codiceTratto(g.at(p.r, p.c).codice) && numero(p) == attraversato;
                 ++passi) {
                const char codice = g.at(p.r, p.c).codice;
                if (codice == ((passo == 2 || passo == 4) ? '2' : '1')) break;
                for (int t = 1; t <= 4; ++t)
                    if (t != opposto(passo) && codiceEsce(codice, t)) {
                        passo = t;
                        break;
                    }
                p = accanto(p, passo);
            }
            if (!g.inside(p.r, p.c) || numero(p) != attraversato || !codiceTratto(g.at(p.r, p.c).codice))
                return fail(rifiuto + "the crossed arc " + std::to_string(attraversato) +
                            " has no straight cell.");
            // Over the moved strand where it passes over the other stretch.
            const bool orizzontale = lato == 2 || lato == 4;
            const bool sopra = g.at(q.r, q.c).codice == (orizzontale ? '3' : '4');
            const bool cellaOrizzontale = g.at(p.r, p.c).codice == '2';
            out.segni.push_back({p, cellaOrizzontale ? (sopra ? "v-b" : "v|a") : (sopra ? "v|b" : "v-a")});
            out.archiAttraversati.push_back(attraversato);
            const Arco& a = *arco(attraversato);
            out.regioni.push_back(a.Reg1 == reg ? a.Reg2 : a.Reg1);
        }
        if (out.archiAttraversati.size() != k.incroci.size() || !haRegione(ultimoMosso, out.regioni.back()))
            continue;
        for (std::size_t i = 0; i < out.segni.size() && !out.stretta; ++i)
            for (std::size_t j = 0; j < i; ++j)
                if (out.segni[i].cella == out.segni[j].cella) out.stretta = out.segni[i].cella;
        return std::optional<Stesura>{std::move(out)};
    }
    return fail(rifiuto + "no run of regions beside the other stretch from cell " + testoCella(diagonali[0]) +
                " to cell " + testoCella(diagonali[1]) + ".");
}

}  // namespace

Status F3disTxt1(CellDrawing& tblGen, VistaRidisegno& vista) {
    CellDrawing& g = tblGen;
    const Scansione s = scansione(g);
    // The corner tests read the cells beside the extent: they stay inside the table (inside() checks).
    static constexpr std::array<std::pair<std::array<int, 4>, char>, 4> kAngoli = {{
        {{-1, 0, 0, -1}, '7'},  // red above and left
        {{-1, 0, 0, 1}, '8'},   // red above and right
        {{0, -1, 1, 0}, '6'},   // red left and below
        {{1, 0, 0, 1}, '5'},    // red below and right
    }};
    for (int r = s.r0; r <= s.r1; ++r) {
        vista.tick();
        for (int c = s.c0; c <= s.c1; ++c) {
            const std::string_view k = tipoTessera(g, r, c);
            // A crossing inside the curl (red all round) goes with the curl; a crossing of the curl with
            // the strand that stays keeps that strand.
            const bool dentro =
                rossa(g, r - 1, c) && rossa(g, r + 1, c) && rossa(g, r, c - 1) && rossa(g, r, c + 1);
            if ((k == "r-" || k == "r|") && !dentro) {
                scrivi(g, vista, r, c, k == "r-" ? '1' : '2', ColNero);
                g.setSimbolo(r, c, "n*");
            } else if (tesseraDiagonale(g, r, c)) {
                for (const auto& [d, codice] : kAngoli)
                    if (rossa(g, r + d[0], c + d[1]) && rossa(g, r + d[2], c + d[3]))
                        scrivi(g, vista, r, c, codice, ColGrigio);
            }
        }
    }
    for (int r = s.r0; r <= s.r1; ++r)
        for (int c = s.c0; c <= s.c1; ++c)
            if (rossa(g, r, c)) scrivi(g, vista, r, c, '0', ColGrigio);
    vista.ColonnaScorrimento = vista.ColonnaBaseDis;
    if (vista.ModoSorgente == SourceKind::Code)
        if (Result<bool> ok = sistemaRidisegno(g, vista, false); !ok) return Failure{ok.error()};
    return eliminaRipetute(g);
}

Status F3disTxt2(CellDrawing& tblGen, VistaRidisegno& vista, const Diagram* d) {
    CellDrawing& g = tblGen;
    // Each room made lengthens one arc crossed twice: the crossed arcs bound the rounds.
    for (std::size_t giro = 0; d; ++giro) {
        Result<std::optional<Stesura>> stesura = stesuraMossaII(g, *d);
        if (!stesura) return Failure{stesura.error()};
        if (!*stesura) break;
        const Stesura& x = **stesura;
        if (x.stretta) {
            if (giro > x.archiAttraversati.size())
                return fail(
                    "The stretch of the move II cannot be laid along the other one: no room for its "
                    "crossings.");
            const PuntoDis p = *x.stretta;
            if (Status ok = g.at(p.r, p.c).codice == '1' ? F3InsRigaDis(g, p.r) : F3InsColonnaDis(g, p.c);
                !ok)
                return ok;
            continue;
        }
        if (Status ok = F3disTxt3(g, vista, *d, x.archiMossa, x.archiAttraversati, x.regioni, x.segni); !ok)
            return ok;
        return eliminaRipetute(g);
    }
    if (Status ok = separaDiagonali(g, vista); !ok) return ok;
    // Each restart of pass 1 inserts a row and a column: the table bounds the restarts.
    bool finito = false;
    for (int giro = 0; giro <= g.lastRow() && !finito; ++giro) {
        disegnaCelDis(g, vista);
        const Result<bool> inserito = passoDiagonali(g, vista, 1);
        if (!inserito) return Failure{inserito.error()};
        if (*inserito) continue;
        if (const Result<bool> ok = passoDiagonali(g, vista, 2); !ok) return Failure{ok.error()};
        finito = true;
    }
    if (!finito) return fail("The strands beside the crossings taken away could not be rerouted.");
    vista.ColonnaScorrimento = vista.ColonnaBaseDis;
    if (vista.ModoSorgente == SourceKind::Code)
        if (Result<bool> ok = sistemaRidisegno(g, vista, true); !ok) return Failure{ok.error()};
    return eliminaRipetute(g);
}

}  // namespace trevalon
