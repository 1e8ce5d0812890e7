#include "layout/build.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "layout/auto_layout.h"
#include "layout/cell_lists.h"
#include "layout/render_grid.h"
#include "layout/routing.h"
#include "layout/tidy.h"
#include "model/gauss_code.h"
#include "model/knot_files.h"
#include "model/sides.h"
#include "model/structure.h"

namespace trevalon {

namespace {

using Clock = std::chrono::steady_clock;

// When routing fails: the widest spacing tried, and how many other root crossings.
constexpr int kFattoreMassimo = 100;
constexpr int kAltreRadici = 6;

// When routing fails: how many times the spread is widened where routes filled narrow passages.
constexpr int kAllargamentiMirati = 12;

// When routing fails from every root: the tree's other turning modes, turning by the crossing's parity.
constexpr const char* kAltriModiDiGiro[] = {"A", "B"};

// The longest border route, as text, of a tree served from the end of its queue: its routes may follow the
// tree's whole length.
constexpr std::size_t kMaxCaratteriDallaFine = 4000000;

// The work-grid interval j (between work lines j and j + 1) whose spread holds cell line x: pos gives
// each work line's cell line, -1 outside the layout. A cell line on a work line counts to the interval
// after it (before it for the last line); -1 beyond the layout.
int intervalloDi(const std::vector<int>& pos, int x) {
    int prima = -1, ultima = -1, trovata = -1;
    for (int j = 0; j < static_cast<int>(pos.size()); ++j) {
        if (pos[j] < 0) continue;
        if (prima < 0) prima = j;
        if (pos[j] <= x) trovata = j;
        ultima = j;
    }
    if (trovata < 0 || prima == ultima) return -1;
    if (trovata == ultima) {
        if (pos[ultima] != x) return -1;
        for (int j = ultima - 1; j >= 0; --j)
            if (pos[j] >= 0) return j;
        return -1;
    }
    return trovata;
}

// Gives every work interval that holds a narrow passage filled by the last routing some more room.
// False when there is none to widen.
bool allargaStrettoie(LayoutState& s) {
    const int passo = std::max(2, s.FattoreLayout / 2);
    bool fatto = false;
    auto allarga = [&](const std::vector<int>& linee, const std::vector<int>& pos, std::vector<int>& extra) {
        std::vector<char> scelto(extra.size(), 0);
        for (int x : linee) {
            const int j = intervalloDi(pos, x);
            if (j < 0 || scelto[j]) continue;
            scelto[j] = 1;
            extra[j] += passo;
            fatto = true;
        }
    };
    allarga(s.strettoiaRighe, s.rigaStesa, s.extraRiga);
    allarga(s.strettoiaColonne, s.colStesa, s.extraCol);
    return fatto;
}

// Whether the over/under letters of d's code can be drawn in the plane. The letters fix the side tables
// of every crossing, so the region walk over them gives the diagram's faces, and only a plane drawing has
// crossings + 2 of them (Euler: n crossings, 2n arcs). Checked before any layout: a layout of letters that
// cannot be drawn fails only after widening to the whole table from every root. The crossing, arc and
// region tables of d are built as the structure build builds them (the layout reads the code again and
// sets each crossing's sides as it places it). The empty text when they can be drawn, or when the code is
// left for the layout to refuse.
std::string lettereNonDisegnabili(Diagram& d) {
    if (!Deserializza(d) || d.NumIncroci < 1 || d.NumIncroci + 2 > kMaxRegioni) return {};
    AssegnaLatiTutti(d);
    if (!GeneraCodGem(d)) return {};
    const Status regioni = GeneraGrafoDuale(d);
    if (regioni && d.NumRegioni == d.NumIncroci + 2) return {};
    return "the over/under letters cannot be drawn in the plane: " +
           (regioni ? std::to_string(d.NumRegioni) + " regions for " + std::to_string(d.NumIncroci) +
                          " crossings, not " + std::to_string(d.NumIncroci + 2)
                    : regioni.error());
}

long long micro(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration_cast<std::chrono::microseconds>(b - a).count();
}

}  // namespace

namespace {

Result<BuildTimes> costruisci(Diagram& d, LayoutState& s, RenderState& st, RenderTarget t, MessagePort& ui,
                              std::string* why) {
    BuildTimes times;
    // The window's message; the engine's own reason goes to *why.
    auto fallisce = [&](std::string messaggio, std::string motivo) -> Result<BuildTimes> {
        if (why) *why = motivo.empty() ? std::string("the diagram cannot be built") : std::move(motivo);
        return fail(std::move(messaggio));
    };
    const auto t0 = Clock::now();
    if (!s.ModoAutomatico) t.tbltt.reset();
    if (s.IncrocioRadice == 0) s.IncrocioRadice = 1;
    if (auto verifica = VerificaGau(d); !verifica) {
        ui.showMessage(verifica.error());
        return fallisce(kErroreCodiceGau, "the Gauss code is not valid");
    }
    if (std::string perche = lettereNonDisegnabili(d); !perche.empty()) {
        // The reason goes before the failure, as the faults of a code do: the person sees why.
        std::string riga = perche;
        riga[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(riga[0])));
        ui.showMessage(riga);
        return fallisce(kErroreIndiciGau, std::move(perche));
    }
    st.ModoGen = GenMode::Code;
    const Status layout = Disegna(d, s);
    const auto t1 = Clock::now();
    times.layoutUs = micro(t0, t1);
    if (!layout) return fallisce(kErroreCodiceGau, layout.error());
    if (s.ModoAutomatico) return times;

    // Routes that fill a channel between two parts of the drawing can shut other arc ends in: the same
    // layout spread wider leaves them room (the tidying removes the extra lines again), and a layout from
    // another root crossing is another drawing of the same diagram.
    bool fallito = false;  // the last routing failed
    // The spread made again and routed; false when it no longer fits the table.
    auto stendiEInstrada = [&] {
        for (int a = 1; a <= d.NumArchi; ++a) {
            Arco& x = d.archi[a];
            x.Percorso.clear();
            x.PuntiExtra.clear();
            x.RigaFine = x.ColFine = 0;
        }
        fallito = true;
        if (!StendiLayout(d, s)) return false;
        fallito = !(PercorriBordo(d, s) && DisegnaArchi(d, s));
        return true;
    };
    // Routes the layout, widening it as far as it helps; the reason of the first failure goes to perche.
    auto instrada = [&](std::string& perche) {
        const int fattore = s.FattoreLayout;
        Status rotta = PercorriBordo(d, s);
        if (rotta) rotta = DisegnaArchi(d, s);
        if (!rotta) perche = rotta.error();
        fallito = !rotta;
        // First more room only between the work lines where routes filled a passage one cell wide.
        auto allargaDove = [&] {
            for (int giro = 0; fallito && giro < kAllargamentiMirati; ++giro)
                if (!allargaStrettoie(s) || !stendiEInstrada()) break;
        };
        allargaDove();
        while (fallito && s.FattoreLayout >= 3 && s.FattoreLayout + s.FattoreLayout / 2 <= kFattoreMassimo) {
            s.FattoreLayout += s.FattoreLayout / 2;
            s.MezzoFattore = s.FattoreLayout / 2;
            if (!stendiEInstrada()) break;  // no wider spread fits
        }
        // A layout that nearly fills the table leaves no room to widen: a tighter spread, widened only
        // where the routes need it.
        if (fallito && fattore >= 8) {
            s.FattoreLayout = fattore * 2 / 3;
            s.MezzoFattore = s.FattoreLayout / 2;
            std::fill(s.extraRiga.begin(), s.extraRiga.end(), 0);
            std::fill(s.extraCol.begin(), s.extraCol.end(), 0);
            if (stendiEInstrada()) allargaDove();
        }
        if (!fallito) return true;
        s.FattoreLayout = fattore;
        s.MezzoFattore = fattore / 2;
        return false;
    };
    const int radice = s.IncrocioRadice;
    // Lays out from the root, then from the next root crossings, then with the tree's other turning modes,
    // until a layout routes; the reason of the first failure goes to perche.
    auto disponi = [&](std::string& perche) {
        s.IncrocioRadice = radice;
        bool fatto = Disegna(d, s) && instrada(perche);
        for (int tentativo = 1; !fatto && tentativo <= kAltreRadici && tentativo < d.NumIncroci;
             ++tentativo) {
            s.IncrocioRadice = (radice - 1 + tentativo) % d.NumIncroci + 1;
            if (!Disegna(d, s)) break;
            std::string altro;
            fatto = instrada(altro);
        }
        // A tree that always turns the same way lays a long twist region out as nested rings, whose routes
        // close faces around arc ends still to be routed; a tree that turns by parity lays it out as a
        // staircase. The developer's turning mode is kept.
        const std::string modo = s.settings.TXTmodo;
        for (const char* altroModo : kAltriModiDiGiro) {
            if (fatto) break;
            if (modo == altroModo) continue;
            s.settings.TXTmodo = altroModo;
            s.IncrocioRadice = radice;
            std::string altro;
            fatto = Disegna(d, s) && instrada(altro);
            s.settings.TXTmodo = modo;
        }
        if (!fatto) s.IncrocioRadice = radice;
        return fatto;
    };
    // The breadth-first tree of a diagram whose strands run round in rings (a closed braid of many turns)
    // has branches that curl into spirals and routes that run round them, so the drawing grows with the
    // square of the crossings. Served from the end of its queue, the tree follows one ring to its end: a
    // smaller drawing, whose arcs from the first crossings to the last run the length of the tree.
    auto disponiDallaFine = [&] {
        s.codaDallaFine = true;
        s.maxCaratteriPercorso = kMaxCaratteriDallaFine;
        std::string altro;
        const bool fatto = disponi(altro);
        s.codaDallaFine = false;
        s.maxCaratteriPercorso = kMaxCaratteriPercorso;
        return fatto;
    };
    std::string motivo;
    bool dallaFine = false;  // the drawing is of the tree served from the end of its queue
    bool instradato = disponi(motivo);
    if (!instradato) instradato = dallaFine = disponiDallaFine();
    auto t2 = Clock::now();
    times.routingUs = micro(t1, t2);
    if (!instradato) {
        // The letters can be drawn (checked above): what failed is this program's layout, and it says so.
        std::string perche =
            "no layout, widened as far as the cell table allows, leaves room to route every arc (" + motivo +
            ")";
        std::string messaggio = std::string(kNonDisponibile) + perche;
        return fallisce(std::move(messaggio), std::move(perche));
    }

    Assesta(d, s);
    RiparaArchi(d, s);
    auto t3 = Clock::now();
    times.tidyingUs = micro(t2, t3);
    const LimitiNodo& l = d.limiti;
    auto altezza = [&] { return l.RigaMax - l.RigaMin + OffsetRiga; };
    auto larghezza = [&] { return l.ColMax - l.ColMin + OffsetCol; };
    auto entra = [&] {
        return l.RigaMax >= l.RigaMin && altezza() <= d.NumRighe && larghezza() <= d.NumColonne;
    };
    if (!entra()) {
        const std::string motivoGrande = "the drawing needs " + std::to_string(altezza()) + " rows and " +
                                         std::to_string(larghezza()) + " columns; the grid has " +
                                         std::to_string(d.NumRighe) + " by " + std::to_string(d.NumColonne);
        // The tree served from the end of its queue may give a smaller drawing of the same diagram.
        bool piuPiccolo = false;
        if (!dallaFine && disponiDallaFine()) {
            t2 = Clock::now();
            times.routingUs += micro(t3, t2);
            Assesta(d, s);
            RiparaArchi(d, s);
            t3 = Clock::now();
            times.tidyingUs += micro(t2, t3);
            piuPiccolo = entra();
        }
        // Still larger than the work extent: the display grid grows to the drawing, as far as the cell
        // table reaches.
        if (!piuPiccolo) {
            if (altezza() > kMaxCella || larghezza() > kMaxCella)
                return fallisce(std::string(kDisegnoTroppoGrande) + motivoGrande, motivoGrande);
            d.NumRighe = std::max(d.NumRighe, altezza());
            d.NumColonne = std::max(d.NumColonne, larghezza());
            InizializzaGr(t.griglia, d.NumRighe, d.NumColonne, st.DimCella, st.ModoGen);
        }
    }

    DisegnoGrafico(d, st, t, 0, ColNero, false, "", -1);
    times.renderingUs = micro(t3, Clock::now());
    return times;
}

}  // namespace

Result<BuildTimes> CostruisciDaCodice(Diagram& d, LayoutState& s, RenderState& st, RenderTarget t,
                                      MessagePort& ui, std::string* why) {
    // The tables refuse an index beyond their bounds by throwing; a drawing that runs off them is a
    // drawing that does not fit, said as such, and never an exception for the window to meet.
    try {
        return costruisci(d, s, st, t, ui, why);
    } catch (const std::out_of_range& e) {
        const std::string motivo = std::string("the drawing runs off a table (") + e.what() + ")";
        if (why) *why = motivo;
        return fail(std::string(kDisegnoTroppoGrande) + motivo);
    }
}

}  // namespace trevalon
