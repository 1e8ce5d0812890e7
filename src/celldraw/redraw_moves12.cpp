#include "celldraw/redraw_moves12.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <string_view>

#include "celldraw/cell_drawing_check.h"
#include "celldraw/cell_drawing_rows.h"

namespace trevalon {

namespace {

std::string_view tipoTessera(const CellDrawing& g, int r, int c) {
    if (!CellDrawing::inside(r, c)) return {};
    const std::string_view s = g.Simbolo(r, c);
    return s.substr(0, std::min<std::size_t>(2, s.size()));
}

bool contiene(const CellDrawing& g, int r, int c, char lettera) {
    return CellDrawing::inside(r, c) && g.Simbolo(r, c).find(lettera) != std::string_view::npos;
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
Scansione scansione(const LimitiDis& l) {
    return {std::max(1, l.RigaMin), std::min(l.RigaMax, kMaxRigheDis), std::max(1, l.ColMin),
            std::min(l.ColMax, kMaxColonneDis)};
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
    if (!CellDrawing::inside(rr, cc) || !codiceTratto(g.at(rr, cc).codice)) return false;
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
    for (int s = 1; s <= 4; ++s) n += (bigon[static_cast<std::size_t>(s)] = latoDelBigon(g, r, c, s)) ? 1 : 0;
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
Status separaDiagonali(CellDrawing& g, VistaRidisegno& vista) {
    for (int giro = 0; giro <= kMaxRigheDis + kMaxColonneDis; ++giro) {
        const Scansione s = scansione(g.limiti);
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
        if (c1 == c2 && std::abs(r1 - r2) < 3)
            inserito = F3InsRigaDis(g, std::min(r1, r2));
        else if (r1 == r2 && std::abs(c1 - c2) < 3)
            inserito = F3InsColonnaDis(g, std::min(c1, c2));
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
    const Scansione s = scansione(g.limiti);
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

}  // namespace

Status F3disTxt1(CellDrawing& tblGen, VistaRidisegno& vista) {
    CellDrawing& g = tblGen;
    const Scansione s = scansione(g.limiti);
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

Status F3disTxt2(CellDrawing& tblGen, VistaRidisegno& vista) {
    CellDrawing& g = tblGen;
    if (Status ok = separaDiagonali(g, vista); !ok) return ok;
    // Each restart of pass 1 inserts a row and a column: the table bounds the restarts.
    bool finito = false;
    for (int giro = 0; giro <= kMaxRigheDis && !finito; ++giro) {
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
