#include "celldraw/redraw_move3.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "celldraw/cell_drawing_build.h"
#include "celldraw/cell_drawing_check.h"
#include "disegno_da_codice.h"
#include "layout/tile_renderer.h"
#include "model/drawn_structure.h"
#include "model/structure.h"
#include "moves/bridge_rewrite.h"
#include "moves/bridge_search.h"
#include "moves/compare.h"
#include "platform/headless_ui.h"
#include "support/diagram_generators.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

namespace ts = trevalon::testsupport;

// A diagram laid out from its code, and the candidate's highlight drawn over it.
struct Disegnato : fixture::Disegnato {
    // The candidate as the move III search shows it: the whole diagram in black, the bridge in red (its
    // two end crossings left black), and one green crossing marker on each crossed arc, each near the
    // one before.
    void evidenzia(const CandidatoPonte& c) {
        const RenderTarget t{griglia, tbltt, palette, nullptr};
        tbltt.reset();
        DisegnoGrafico(*d, st, t, 0, ColNero, false, "", -1);
        ASSERT_TRUE(DisegnaCandidatoPonte(*d, st, t, c.archiPonte, c.archiAttraversati, c.ab2));
    }
};

std::vector<PuntoDis> celleVerdi(const CellDrawing& g) {
    std::vector<PuntoDis> out;
    for (int r = g.limiti.RigaMin; r <= g.limiti.RigaMax; ++r)
        for (int c = g.limiti.ColMin; c <= g.limiti.ColMax; ++c)
            if (isCellaTratt(g.Simbolo(r, c))) out.push_back({r, c});
    return out;
}

// Every strand cell carries an arc number: the tidy-up that ends a redraw of a diagram from its code walks
// the drawing and numbers each arc's course; the cells of a new route are numbered by nothing else.
bool numerato(const CellDrawing& g) {
    for (int r = g.limiti.RigaMin; r <= g.limiti.RigaMax; ++r)
        for (int c = g.limiti.ColMin; c <= g.limiti.ColMax; ++c)
            if (codiceTratto(g.at(r, c).codice) && g.at(r, c).Numero == 0) return false;
    return true;
}

// The candidates redrawn, per kind: over- and under-bridges, move III and horizontal move III.
struct Conteggi {
    std::map<std::string, int> perTipo;
    int attraversoNulla = 0, ordinati = 0, candidati = 0;
};

// The bridge candidates of a diagram (the first `massimo` of each kind, and the first that crosses
// nothing) are highlighted, redrawn, checked, walked back into a diagram and compared with the rewrite of
// the same move. The redraw of a diagram from its code ends tidied; the first candidate of each kind is
// also redrawn as for a drawn knot, which is not tidied.
void ridisegnaTutti(const std::string& gauss, const std::string& lettere, int massimo, Conteggi& n) {
    Disegnato x;
    ASSERT_TRUE(x.costruisci(gauss, lettere)) << gauss;
    auto gen = std::make_unique<CellDrawing>();
    for (char ab1 : {'-', '+'})
        for (bool orizzontale : {false, true}) {
            const std::string tipo =
                std::string(ab1 == '-' ? "over" : "under") + (orizzontale ? " ==" : " III");
            std::vector<CandidatoPonte> candidati;
            bool nulla = false;
            EnumeraCandidatiPonte(*x.d, ab1, ab1 == '-' ? '+' : '-', orizzontale,
                                  [&](const CandidatoPonte& c) {
                                      const bool vuoto = c.archiAttraversati.empty();
                                      if (static_cast<int>(candidati.size()) < massimo || (vuoto && !nulla))
                                          candidati.push_back(c);
                                      nulla = nulla || vuoto;
                                      return true;
                                  });
            for (const CandidatoPonte& c : candidati) {
                SCOPED_TRACE(gauss + " " + lettere + " bridge " + c.mossa.ListaArchiMossa + " (" + ab1 +
                             ") crossing " + c.mossa.ListaArchiAttraversati + " regions " +
                             c.mossa.ListaRegioniMossa);
                int contatore = 1;
                const auto riscritto = NuovoNodoDaPonte(*x.d, c.mossa, ab1, contatore);
                ASSERT_TRUE(riscritto) << riscritto.error();
                for (SourceKind sorgente : {SourceKind::Code, SourceKind::Drawing}) {
                    if (sorgente == SourceKind::Drawing && &c != &candidati.front()) continue;
                    x.evidenzia(c);
                    ASSERT_TRUE(F3GenCelDis(*gen, *x.d, x.tbltt, false));
                    ASSERT_EQ(celleVerdi(*gen).size(), c.archiAttraversati.size());
                    VistaRidisegno vista;
                    vista.ModoSorgente = sorgente;
                    const Status s =
                        F3disTxt3(*gen, vista, *x.d, c.archiPonte, c.archiAttraversati, c.regioni);
                    ASSERT_TRUE(s) << "fallback: " << s.error();
                    ASSERT_TRUE(verificaCelDis(*gen)) << verificaCelDis(*gen).error();
                    auto dopo = std::make_unique<Diagram>();
                    const Status walked = StrutturaDaTblGen(*dopo, *gen);
                    ASSERT_TRUE(walked) << walked.error();
                    EXPECT_EQ(dopo->NumIncroci, x.d->NumIncroci - c.incrociPonte +
                                                    static_cast<int>(c.archiAttraversati.size()));
                    EXPECT_TRUE(stessoCodice(dopo->txtNodo, riscritto->txtNodo))
                        << dopo->txtNodo << " drawn, " << riscritto->txtNodo << " rewritten";
                    if (sorgente == SourceKind::Drawing) {
                        EXPECT_FALSE(numerato(*gen)) << "a drawn knot's redraw is not tidied";
                        continue;
                    }
                    n.ordinati += numerato(*gen) ? 1 : 0;
                    ++n.candidati;
                    ++n.perTipo[tipo];
                    n.attraversoNulla += c.archiAttraversati.empty() ? 1 : 0;
                }
            }
        }
}

// Over- and under-bridges, move III and horizontal move III, of named knots drawn with extra crossings and
// of generated diagrams of 10 to 40 crossings: every candidate taken is redrawn, and each redraw gives the
// diagram of the rewrite, tidied. Routes across nothing are among them.
TEST(RedrawMove3, EveryBridgeCandidateRedrawsToTheRewrittenDiagram) {
    std::vector<ts::GaussDiagram> diagrammi;
    for (const char* nome : {"trefoil_left", "4_1", "5_2", "6_1"}) {
        const ts::GaussDiagram g = ts::diagramOf(ts::namedKnot(nome));
        diagrammi.push_back(ts::enlarged(g, 1, g.crossings() + 6));
    }
    for (std::uint32_t seme = 1; seme <= 4; ++seme) {
        const int taglia = 10 * static_cast<int>(seme);
        diagrammi.push_back(seme % 2
                                ? ts::randomUnknot(seme, taglia)
                                : ts::enlarged(ts::randomBraidKnot(seme, 3, taglia / 2), seme + 40, taglia));
    }
    Conteggi n;
    for (const ts::GaussDiagram& g : diagrammi) ridisegnaTutti(ts::gaussText(g), ts::lettersText(g), 2, n);
    std::cout << "[ redraw III ]";
    for (const char* tipo : {"over III", "under III", "over ==", "under =="}) {
        std::cout << " " << tipo << ": " << n.perTipo[tipo] << ",";
        EXPECT_GE(n.perTipo[tipo], 10) << tipo;
    }
    std::cout << " across nothing: " << n.attraversoNulla << ", tidied: " << n.ordinati << "\n";
    EXPECT_GE(n.attraversoNulla, 1);
    EXPECT_EQ(n.ordinati, n.candidati);
}

// Diagrams of about 200 crossings as users bring them (braid closures and a sum of knots, scrambled by
// curls, bigons and rerouted strands): their drawings are too large to be spread out within the drawing's
// table, so each redraw spreads them out in a working table of its own and brings the result back. Every
// candidate taken is redrawn in place, passes the drawing check and gives the diagram of the rewrite.
TEST(RedrawMove3, DiagramsOfTwoHundredCrossingsRedrawInPlace) {
    std::vector<ts::GaussDiagram> diagrammi;
    for (std::uint32_t seme : {1u, 2u})
        diagrammi.push_back(ts::enlarged(ts::randomBraidKnot(seme, 4, 66), seme + 40, 200));
    diagrammi.push_back(ts::scrambledCases(242, 1, 199, 201).front().diagram);
    Conteggi n;
    for (const ts::GaussDiagram& g : diagrammi) {
        ASSERT_GE(g.crossings(), 199);
        ridisegnaTutti(ts::gaussText(g), ts::lettersText(g), 1, n);
    }
    for (const char* tipo : {"over III", "under III", "over ==", "under =="})
        EXPECT_GE(n.perTipo[tipo], 3) << tipo;
    EXPECT_EQ(n.ordinati, n.candidati);
}

// What a refused redraw leaves: the codes and numbers of the drawing's cells, its extent and no work mark.
std::string stato(const CellDrawing& g) {
    const LimitiDis& l = g.limiti;
    std::string out = std::to_string(l.RigaMin) + "," + std::to_string(l.RigaMax) + "," +
                      std::to_string(l.ColMin) + "," + std::to_string(l.ColMax) + ":";
    for (int r = 1; r <= std::min(l.RigaMax + 2, g.lastRow()); ++r)
        for (int c = 1; c <= std::min(l.ColMax + 2, g.lastCol()); ++c) {
            const CellaDis& x = g.at(r, c);
            out += x.codice ? x.codice : '.';
            out += std::to_string(x.Numero) + (x.Marca ? "!" : " ");
        }
    return out;
}

// Below the drawing, a closed strand across every column of the table whose columns all differ (it climbs
// and falls by one row at each): no column of the drawing can be squeezed out, so a redraw that needs a
// column more for its new route gives a drawing wider than the table.
void onda(CellDrawing& g) {
    const int r = g.limiti.RigaMax + 2, c0 = 1, c1 = g.lastCol();
    std::vector<PuntoDis> giro;
    for (int i = r + 3; i >= r; --i) giro.push_back({i, c0});
    for (int c = c0 + 1; c < c1; ++c) {
        const bool scende = (c - c0) % 2 == 1;
        giro.push_back({scende ? r : r + 1, c});
        giro.push_back({scende ? r + 1 : r, c});
    }
    for (int i = giro.back().r; i <= r + 3; ++i) giro.push_back({i, c1});
    for (int c = c1 - 1; c > c0; --c) giro.push_back({r + 3, c});
    const std::size_t n = giro.size();
    for (std::size_t k = 0; k < n; ++k) {
        const PuntoDis p = giro[k];
        bool su = false, giu = false, sx = false, dx = false;
        for (const PuntoDis q : {giro[(k + n - 1) % n], giro[(k + 1) % n]}) {
            su = su || q.r < p.r;
            giu = giu || q.r > p.r;
            sx = sx || q.c < p.c;
            dx = dx || q.c > p.c;
        }
        const char* codice = su && giu   ? "1"
                             : sx && dx  ? "2"
                             : su && sx  ? "5"
                             : su && dx  ? "6"
                             : dx && giu ? "7"
                                         : "8";
        g.setCodice(p.r, p.c, codice);
    }
    g.limiti = {r + 3, c1, std::min(g.limiti.RigaMin, r), c0};
}

// Bad moves, and drawings the redraw cannot follow, are refused with a message; what is refused before the
// drawing is reshaped leaves it as it was. A route end walled in from its region fails at once, with no
// box and no endless trace.
TEST(RedrawMove3, RefusedMovesAndDrawingsFailWithoutHanging) {
    // The first drawing of 5_2 with extra crossings that has a candidate crossing some arcs and one
    // crossing none.
    Disegnato x;
    std::optional<CandidatoPonte> attraversa, diretto;
    for (std::uint32_t seme = 1; seme <= 20 && !(attraversa && diretto); ++seme) {
        x = Disegnato{};
        attraversa.reset();
        diretto.reset();
        const ts::GaussDiagram g = ts::enlarged(ts::diagramOf(ts::namedKnot("5_2")), seme, 12);
        ASSERT_TRUE(x.costruisci(ts::gaussText(g), ts::lettersText(g)));
        for (char ab1 : {'-', '+'})
            for (bool orizzontale : {false, true})
                EnumeraCandidatiPonte(*x.d, ab1, ab1 == '-' ? '+' : '-', orizzontale,
                                      [&](const CandidatoPonte& c) {
                                          auto& posto = c.archiAttraversati.empty() ? diretto : attraversa;
                                          if (!posto) posto = c;
                                          return true;
                                      });
    }
    ASSERT_TRUE(attraversa && diretto);
    const Diagram& d = *x.d;
    // A region beside neither end arc of the direct candidate's bridge.
    int lontana = 0;
    const Arco& primo = d.archi[static_cast<std::size_t>(diretto->archiPonte.front())];
    const Arco& ultimo = d.archi[static_cast<std::size_t>(diretto->archiPonte.back())];
    for (int r = 1; r <= d.NumRegioni && lontana == 0; ++r)
        if (r != primo.Reg1 && r != primo.Reg2 && r != ultimo.Reg1 && r != ultimo.Reg2) lontana = r;
    ASSERT_NE(lontana, 0);

    struct Caso {
        const char* nome;
        const CandidatoPonte* c;
        std::function<void(CellDrawing&, std::vector<int>& mossi, std::vector<int>& attraversati,
                           std::vector<int>& regioni)>
            guasta;
        const char* messaggio;  // part of the failure's message
        bool intatto;
    };
    const auto nulla = [](CellDrawing&, std::vector<int>&, std::vector<int>&, std::vector<int>&) {};
    const std::vector<Caso> casi = {
        {"nothing wrong", &*attraversa, nulla, "", true},
        {"arc out of range", &*attraversa,
         [&](CellDrawing&, std::vector<int>& m, std::vector<int>&, std::vector<int>&) {
             m.push_back(d.NumArchi + 1);
         },
         "not an arc", true},
        {"one region short", &*attraversa,
         [](CellDrawing&, std::vector<int>&, std::vector<int>&, std::vector<int>& r) { r.pop_back(); },
         "one region more", true},
        {"region out of range", &*attraversa,
         [&](CellDrawing&, std::vector<int>&, std::vector<int>&, std::vector<int>& r) {
             r[0] = d.NumRegioni + 1;
         },
         "not a region", true},
        {"green crossing missing", &*attraversa,
         [](CellDrawing& gen, std::vector<int>&, std::vector<int>&, std::vector<int>&) {
             const PuntoDis p = celleVerdi(gen).front();
             gen.setSimbolo(p.r, p.c, "n*");
         },
         "green crossings for", true},
        {"old route broken", &*attraversa,
         [&](CellDrawing& gen, std::vector<int>& m, std::vector<int>&, std::vector<int>&) {
             for (int r = gen.limiti.RigaMin; r <= gen.limiti.RigaMax; ++r)
                 for (int c = gen.limiti.ColMin; c <= gen.limiti.ColMax; ++c)
                     if (gen.at(r, c).Numero == m.front() && codiceTratto(gen.at(r, c).codice)) {
                         gen.setCodice(r, c, "0");
                         return;
                     }
         },
         "cannot be followed", true},
        {"drawing too wide for the table once redrawn", &*attraversa,
         [](CellDrawing& gen, std::vector<int>&, std::vector<int>&, std::vector<int>&) { onda(gen); },
         "after the redraw) is too large to be spread out", true},
        {"route end walled in", &*diretto,
         [&](CellDrawing&, std::vector<int>&, std::vector<int>&, std::vector<int>& r) { r = {lontana}; },
         "No way through region", false},
    };
    auto gen = std::make_unique<CellDrawing>();
    for (const Caso& k : casi) {
        SCOPED_TRACE(k.nome);
        x.evidenzia(*k.c);
        ASSERT_TRUE(F3GenCelDis(*gen, d, x.tbltt, false));
        std::vector<int> mossi = k.c->archiPonte, attraversati = k.c->archiAttraversati,
                         regioni = k.c->regioni;
        k.guasta(*gen, mossi, attraversati, regioni);
        const std::string prima = stato(*gen);
        VistaRidisegno vista;
        const Status s = F3disTxt3(*gen, vista, d, mossi, attraversati, regioni);
        EXPECT_EQ(s.ok(), std::string(k.messaggio).empty()) << s.error();
        EXPECT_NE(s.error().find(k.messaggio), std::string::npos) << s.error();
        if (k.intatto && !s) {
            EXPECT_EQ(stato(*gen), prima);
        }
        EXPECT_EQ(stato(*gen).find('!'), std::string::npos) << "a work mark is left";
    }
}

// A redrawn drawing comes back from its working table where it stands when it fits the drawing's table,
// moved up and left just enough when it passes the table's last row or column, and is refused, the
// drawing's table left as it was, when it is taller or wider than the table.
TEST(RedrawMove3, TheWorkingTableIsBroughtBackWithinTheTable) {
    // A closed strand round the box of rows r0..r1 and columns c0..c1.
    const auto anello = [](CellDrawing& g, int r0, int r1, int c0, int c1) {
        for (int c = c0 + 1; c < c1; ++c) {
            g.setCodice(r0, c, "2");
            g.setCodice(r1, c, "2");
        }
        for (int r = r0 + 1; r < r1; ++r) {
            g.setCodice(r, c0, "1");
            g.setCodice(r, c1, "1");
        }
        g.setCodice(r0, c0, "7");
        g.setCodice(r0, c1, "8");
        g.setCodice(r1, c0, "6");
        g.setCodice(r1, c1, "5");
        g.limiti = {r1, c1, r0, c0};
    };
    struct Caso {
        const char* nome;
        int r0, r1, c0, c1;  // the strand in the working table
        int dr, dc;          // where it lands in the drawing's table; refused when both are 99
    };
    const int R = kMaxRigheDis, C = kMaxColonneDis;
    const std::vector<Caso> casi = {
        {"fits where it stands", 3, 40, 2, 50, 0, 0},
        {"touches the last row and column", R - 20, R, C - 30, C, 0, 0},
        {"below the table", R + 40, R + 60, 5, 20, -60, 0},
        {"right of the table", 10, 30, C + 300, C + 320, 0, -320},
        {"below and right", R + 1, R + 650, C + 1, C + 1500, -650, -1500},
        {"taller than the table", 1, R + 1, 5, 9, 99, 99},
        {"wider than the table", 5, 9, 1, C + 1, 99, 99},
    };
    for (const Caso& k : casi) {
        SCOPED_TRACE(k.nome);
        auto tblGen = std::make_unique<CellDrawing>();
        anello(*tblGen, 100, 110, 100, 120);  // what the table held before the redraw
        // The working table began as a copy of the drawing, whose strand the redraw took away.
        auto lavoro = std::make_unique<CellDrawing>(R + 700, C + 1600);
        lavoro->copiaRiquadro(*tblGen, 100, 110, 100, 120, 0, 0);
        for (int r = 100; r <= 110; ++r)
            for (int c = 100; c <= 120; ++c) lavoro->setCodice(r, c, "");
        anello(*lavoro, k.r0, k.r1, k.c0, k.c1);
        const std::string prima = stato(*tblGen);
        const Status s = riportaNellaTavola(*lavoro, *tblGen);
        if (k.dr == 99) {
            ASSERT_FALSE(s);
            EXPECT_NE(s.error().find("is too large to be spread out for the redraw of the move."),
                      std::string::npos)
                << s.error();
            EXPECT_EQ(stato(*tblGen), prima);
            continue;
        }
        ASSERT_TRUE(s) << s.error();
        const LimitiDis& l = tblGen->limiti;
        EXPECT_EQ(std::vector<int>({l.RigaMin, l.RigaMax, l.ColMin, l.ColMax}),
                  std::vector<int>({k.r0 + k.dr, k.r1 + k.dr, k.c0 + k.dc, k.c1 + k.dc}));
        EXPECT_TRUE(verificaCelDis(*tblGen)) << verificaCelDis(*tblGen).error();
        int piene = 0;
        for (int r = 0; r <= R; ++r)
            for (int c = 0; c <= C; ++c) piene += tblGen->vuota(r, c) ? 0 : 1;
        EXPECT_EQ(piene, 2 * (k.r1 - k.r0 + k.c1 - k.c0)) << "the strand alone, once";
    }
}

// A working table that a redraw leaves for the next one is emptied as a fresh table of its size would be:
// the same candidates redrawn again, each in the table the one before left, give the same drawings and the
// same refusals.
TEST(RedrawMove3, AWorkingTableUsedAgainIsAFreshOne) {
    CellDrawing g;
    g.setCodice(5, 7, "2");
    g.setSimbolo(5, 7, "n*");
    g.at(9, 3).Marca = 4;
    g.limiti = {9, 7, 5, 3};
    g.svuotaTutto();
    EXPECT_TRUE(g.usata().empty());
    const LimitiDis& l = g.limiti;
    EXPECT_EQ(std::vector<int>({l.RigaMin, l.RigaMax, l.ColMin, l.ColMax}),
              std::vector<int>({9999, 0, 9999, 0}));
    for (const PuntoDis p : {PuntoDis{5, 7}, PuntoDis{9, 3}}) {
        const CellaDis& x = std::as_const(g).at(p.r, p.c);
        EXPECT_EQ(std::vector<int>({x.codice, x.simbolo, x.Marca}), std::vector<int>({0, 0, 0}));
    }
    g.setSimbolo(1, 1, "v-a");
    EXPECT_EQ(std::as_const(g).at(1, 1).simbolo, 1) << "the tile names start again from the empty one";

    Disegnato x;
    const ts::GaussDiagram k = ts::enlarged(ts::diagramOf(ts::namedKnot("5_2")), 3, 16);
    ASSERT_TRUE(x.costruisci(ts::gaussText(k), ts::lettersText(k)));
    std::vector<CandidatoPonte> candidati;
    for (char ab1 : {'-', '+'})
        EnumeraCandidatiPonte(*x.d, ab1, ab1 == '-' ? '+' : '-', false, [&](const CandidatoPonte& c) {
            candidati.push_back(c);
            return candidati.size() < 8;
        });
    ASSERT_GE(candidati.size(), 4U);
    std::vector<std::string> prima;
    for (int giro = 0; giro < 2; ++giro)
        for (std::size_t i = 0; i < candidati.size(); ++i) {
            const CandidatoPonte& c = candidati[i];
            x.evidenzia(c);
            auto gen = std::make_unique<CellDrawing>();
            ASSERT_TRUE(F3GenCelDis(*gen, *x.d, x.tbltt, false));
            VistaRidisegno vista;
            const Status s = F3disTxt3(*gen, vista, *x.d, c.archiPonte, c.archiAttraversati, c.regioni);
            const std::string esito = (s ? std::string("redrawn ") : s.error() + " ") + stato(*gen);
            if (giro == 0)
                prima.push_back(esito);
            else
                EXPECT_EQ(esito, prima[i]) << "candidate " << i;
        }
}

// The lanes a piece of a new route leaves for a later piece of its region, on maps of a region: '.' a cell
// of the region the piece may take, '*' one it must keep off, '#' a wall; A and B the wall cells where the
// piece meets its crossings, a and b those of the later piece. A corridor three cells wide whose inner wall
// holds the later door: the piece keeps off the cells along that wall (and the wall beyond, where the later
// piece's other door lies), never the cells beside its own ends. A later piece with its doors on both
// stretches of wall, or ends side by side that cut nothing, keep nothing off.
TEST(RedrawMove3, APieceKeepsOffTheLanesAlongTheWallsWhereALaterPieceHasItsDoors) {
    const std::vector<std::string> corridoio = {"##A#######",  //
                                                "#...*****#",  //
                                                "#..******#",  //
                                                "#..*######",  //
                                                "#..*a     ",  //
                                                "#..*#     ",  //
                                                "#..*######",  //
                                                "#..******b",  //
                                                "#.......*#",  //
                                                "######B###"};
    const auto senza = [](std::vector<std::string> m, std::vector<std::pair<char, char>> cambi) {
        for (std::string& riga : m)
            for (char& ch : riga) {
                if (ch == '*') ch = '.';
                for (auto [da, a] : cambi)
                    if (ch == da) ch = a;
            }
        return m;
    };
    std::vector<std::string> agliEstremi = senza(corridoio, {{'a', '#'}});
    agliEstremi[4][0] = 'a';
    std::vector<std::string> accostati = senza(corridoio, {{'B', '#'}});
    accostati[0][3] = 'B';
    const std::vector<std::pair<const char*, std::vector<std::string>>> casi = {
        {"the later door on the corridor's inner wall", corridoio},
        {"the later doors on both stretches", agliEstremi},
        {"the piece's ends side by side", accostati}};
    for (const auto& [nome, mappa] : casi) {
        SCOPED_TRACE(nome);
        std::set<std::pair<int, int>> regione, attese;
        std::map<char, PuntoDis> segni;
        LimitiDis box;
        for (int r = 0; r < static_cast<int>(mappa.size()); ++r)
            for (int c = 0; c < static_cast<int>(mappa[static_cast<std::size_t>(r)].size()); ++c) {
                const char ch = mappa[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
                const PuntoDis p{r + 1, c + 1};
                if (std::isalpha(static_cast<unsigned char>(ch))) segni[ch] = p;
                if (ch != '.' && ch != '*') continue;
                regione.insert({p.r, p.c});
                if (ch == '*') attese.insert({p.r, p.c});
                box = {std::max(box.RigaMax, p.r), std::max(box.ColMax, p.c), std::min(box.RigaMin, p.r),
                       std::min(box.ColMin, p.c)};
            }
        const auto diRegione = [&](PuntoDis p) { return regione.count({p.r, p.c}) > 0; };
        std::set<std::pair<int, int>> tenute;
        for (PuntoDis p :
             corsieDaLasciare(box, diRegione, {segni['A'], segni['B']}, {{segni['a'], segni['b']}}))
            tenute.insert({p.r, p.c});
        EXPECT_EQ(tenute, attese);
    }
}

}  // namespace
}  // namespace trevalon
