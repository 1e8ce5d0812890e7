#include "layout/build.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "layout/attempts.h"
#include "layout/auto_layout.h"
#include "layout/cell_lists.h"
#include "layout/path_text.h"
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

// When no tree from the first roots routes, neither served from the head of its queue nor from its end: how
// many more root crossings are tried. A diagram that none of them lays out is said to be so after a few
// seconds, not after every crossing has been a root.
constexpr int kRadiciOltre = 24;

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

}  // namespace

// The letters fix the side tables of every crossing, so the region walk over them gives the diagram's
// faces, and only a plane drawing has crossings + 2 of them (Euler: n crossings, 2n arcs). Checked before
// any layout: a layout of letters that cannot be drawn fails only after widening to the whole table from
// every root. The layout reads the code again and sets each crossing's sides as it places it.
std::string lettereNonDisegnabili(Diagram& d) {
    // The code alone first: a closed curve drawn in the plane passes an even number of passages between the
    // two passages of each crossing (each loop from a crossing back to it meets the rest of the curve an
    // even number of times). A code that breaks this may still give letters whose faces count right.
    if (const auto passaggi = leggiPassaggiGauss(d.txtNodo)) {
        std::vector<int> primo(static_cast<std::size_t>(kMaxIncrociGauss) + 1, -1);
        for (int k = 0; k < static_cast<int>(passaggi->size()); ++k) {
            const int e = (*passaggi)[static_cast<std::size_t>(k)].label;
            if (e < 1 || e > kMaxIncrociGauss) return {};
            int& p = primo[static_cast<std::size_t>(e)];
            if (p < 0) {
                p = k;
            } else if ((k - p - 1) % 2 != 0) {
                const int tra = k - p - 1;
                return "the over/under letters cannot be drawn in the plane: no letters can, as " +
                       std::to_string(tra) + (tra == 1 ? " passage lies" : " passages lie") +
                       " between the two passages of crossing " + std::to_string(e) + " (an odd number)";
            }
        }
    }
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

namespace {

long long micro(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration_cast<std::chrono::microseconds>(b - a).count();
}

// A diagram and its layout state set aside.
struct CoppiaDaParte {
    std::unique_ptr<Diagram> d;
    std::unique_ptr<LayoutState> s;
};

// Sets d and s aside and leaves in their place a copy of them with empty large tables (the cell table,
// the work grid, the reachability marks, the loop-removal index, the tidying's buffers), so that a layout can
// be made on them without copying those. A layout clears what it writes into before it spreads, so a layout
// made on the empty tables is the one made on the used ones.
CoppiaDaParte daParte(Diagram& d, LayoutState& s) {
    CoppiaDaParte parte{std::make_unique<Diagram>(), std::make_unique<LayoutState>()};
    TavoleLayout vuote = TavoleVuote(s);
    TavoleLayout proprie = TogliTavole(d, s);
    *parte.d = d;  // the rest copied
    *parte.s = s;
    RimettiTavole(*parte.d, *parte.s, proprie);
    RimettiTavole(d, s, vuote);
    d.MatRegioni = parte.d->MatRegioni;  // no layout reads it: the copy keeps it as it was
    return parte;
}

// The pair set aside back in d and s.
// cppcheck-suppress constParameter ; the pair's diagram and state are moved out through its pointers
void riprendi(Diagram& d, LayoutState& s, CoppiaDaParte& parte) {
    d = std::move(*parte.d);
    s = std::move(*parte.s);
}

}  // namespace

namespace {

// One build of a diagram from its code: checked, laid out, routed (widened, from other roots, with other
// turning modes, from the end of the tree's queue, as far as it takes), tidied, fitted to the grid and
// drawn. Each step is a member; the build keeps whether the last routing failed.
class Costruzione {
  public:
    Costruzione(Diagram& d, LayoutState& s, RenderState& st, const RenderTarget& t)
        : d_(d), s_(s), st_(st), t_(t) {}

    Result<BuildTimes> esegui(MessagePort& ui, std::string* why);

  private:
    // The window's message; the engine's own reason goes to *why.
    static Result<BuildTimes> fallisce(std::string* why, std::string messaggio, std::string motivo) {
        if (why) *why = motivo.empty() ? std::string("the diagram cannot be built") : std::move(motivo);
        return fail(std::move(messaggio));
    }
    bool stendiEInstrada();
    void allargaDove();
    // What of an attempt's routing it makes: all of it; all but the tighter spread; or only the tighter
    // spread, which starts from the tree's own spacing and so does not depend on the routings before it.
    enum class Parte { Tutta, SenzaStretta, SoloStretta };
    bool instrada(std::string& perche, Parte parte);
    void piuStretta(int fattore);
    // One layout attempt: the tree from a root crossing, with a turning mode (the developer's when none),
    // served from the head or the end of its queue, turning by the parity of the crossings' numbers or of
    // their places in the knot's first pass. An attempt that interrupts skips the rest of its group when
    // its tree cannot be spread.
    struct Tentativo {
        int radice = 1;
        const char* modo = nullptr;
        bool dallaFine = false;
        int gruppo = 0;
        bool interrompe = false;
        bool perVisita = false;
        Parte parte = Parte::Tutta;
    };
    std::vector<Tentativo> tentativi(bool dallaFine, int gruppo) const;
    std::vector<Tentativo> tentativiPiuPiccolo() const;
    std::vector<Tentativo> ultimiTentativi(int gruppo) const;
    EsitoTentativo tenta(const Tentativo& t, std::string& perche);
    int disponi(const std::vector<Tentativo>& lista, std::string& perche);
    void sistema(BuildTimes& times, const Clock::time_point& t2, Clock::time_point& t3);
    int altezza() const { return d_.limiti.RigaMax - d_.limiti.RigaMin + OffsetRiga; }
    int larghezza() const { return d_.limiti.ColMax - d_.limiti.ColMin + OffsetCol; }
    bool entra() const {
        return d_.limiti.RigaMax >= d_.limiti.RigaMin && altezza() <= d_.NumRighe &&
               larghezza() <= d_.NumColonne;
    }

    Diagram& d_;
    LayoutState& s_;
    RenderState& st_;
    RenderTarget t_;
    int radice_ = 1;
    bool fallito_ = false;  // the last routing failed
};

// Routes that fill a channel between two parts of the drawing can shut other arc ends in: the same layout
// spread wider leaves them room (the tidying removes the extra lines again), and a layout from another root
// crossing is another drawing of the same diagram.
//
// The spread made again and routed; false when it no longer fits the table.
bool Costruzione::stendiEInstrada() {
    for (int a = 1; a <= d_.NumArchi; ++a) {
        Arco& x = d_.archi[a];
        x.Percorso.clear();
        x.PuntiExtra.clear();
        x.RigaFine = x.ColFine = 0;
    }
    fallito_ = true;
    if (!StendiLayout(d_, s_)) return false;
    fallito_ = !(PercorriBordo(d_, s_) && DisegnaArchi(d_, s_));
    return true;
}

// More room only between the work lines where routes filled a passage one cell wide.
void Costruzione::allargaDove() {
    for (int giro = 0; fallito_ && giro < kAllargamentiMirati; ++giro)
        if (!allargaStrettoie(s_) || !stendiEInstrada()) break;
}

// Routes the layout, widening it as far as it helps (as far as the part asks); the reason of the first
// failure goes to perche.
bool Costruzione::instrada(std::string& perche, Parte parte) {
    const int fattore = s_.FattoreLayout;
    if (parte == Parte::SoloStretta) {
        s_.motiviCompleti = false;  // as after the routings it follows when the attempt is made whole
        fallito_ = true;
        piuStretta(fattore);
        if (!fallito_) return true;
        s_.FattoreLayout = fattore;
        s_.MezzoFattore = fattore / 2;
        return false;
    }
    Status rotta = PercorriBordo(d_, s_);
    if (rotta) rotta = DisegnaArchi(d_, s_);
    if (!rotta) perche = rotta.error();
    s_.motiviCompleti = false;  // the reasons of the routings after this one are not read
    fallito_ = !rotta;
    if (fallito_ && s_.primoInstradamentoFallito) s_.primoInstradamentoFallito();
    allargaDove();
    while (fallito_ && s_.FattoreLayout >= 3 && s_.FattoreLayout + s_.FattoreLayout / 2 <= kFattoreMassimo) {
        s_.FattoreLayout += s_.FattoreLayout / 2;
        s_.MezzoFattore = s_.FattoreLayout / 2;
        if (!stendiEInstrada()) break;  // no wider spread fits
    }
    if (fallito_ && parte == Parte::Tutta) piuStretta(fattore);
    if (!fallito_) return true;
    s_.FattoreLayout = fattore;
    s_.MezzoFattore = fattore / 2;
    return false;
}

// A layout that nearly fills the table leaves no room to widen: a tighter spread, widened only where the
// routes need it. It sets the spacing and the extra room anew, so it is the same after any routings.
void Costruzione::piuStretta(int fattore) {
    if (fattore < 8) return;
    s_.FattoreLayout = fattore * 2 / 3;
    s_.MezzoFattore = s_.FattoreLayout / 2;
    std::fill(s_.extraRiga.begin(), s_.extraRiga.end(), 0);
    std::fill(s_.extraCol.begin(), s_.extraCol.end(), 0);
    if (stendiEInstrada()) allargaDove();
}

// The attempts from the root, then from the next root crossings, then with the tree's other turning modes.
// A tree that always turns the same way lays a long twist region out as nested rings, whose routes close
// faces around arc ends still to be routed; a tree that turns by parity lays it out as a staircase. The
// developer's turning mode is kept.
//
// Served from the end of its queue (dallaFine), the tree of a diagram whose strands run round in rings (a
// closed braid of many turns) follows one ring to its end: the breadth-first tree has branches that curl
// into spirals and routes that run round them, so that its drawing grows with the square of the crossings,
// and this one is smaller, with arcs from the first crossings to the last that run the length of the tree.
std::vector<Costruzione::Tentativo> Costruzione::tentativi(bool dallaFine, int gruppo) const {
    std::vector<Tentativo> lista{{radice_, nullptr, dallaFine, gruppo++, false}};
    for (int t = 1; t <= kAltreRadici && t < d_.NumIncroci; ++t)
        lista.push_back({(radice_ - 1 + t) % d_.NumIncroci + 1, nullptr, dallaFine, gruppo, true});
    ++gruppo;
    for (const char* altroModo : kAltriModiDiGiro)
        if (s_.settings.TXTmodo != altroModo)
            lista.push_back({radice_, altroModo, dallaFine, gruppo++, false});
    return lista;
}

// For a smaller drawing than the first, which is larger than the grid: the tree from the root served from
// the end of its queue, turning by parity first, then the developer's way. The trees from the next roots
// are not tried: the smaller drawings found came from these, and a drawing only a few lines over the grid,
// for which no other tree routes, would cost several times its build in widening them all in vain. The
// trees turning by parity route at once or after few widenings where they route at all, and none seen
// routed where the tree turning the developer's way did, whose failure takes many widenings.
std::vector<Costruzione::Tentativo> Costruzione::tentativiPiuPiccolo() const {
    std::vector<Tentativo> lista = tentativi(true, 0);
    std::erase_if(lista, [this](const Tentativo& t) { return t.radice != radice_; });
    std::rotate(lista.begin(), lista.begin() + 1, lista.end());
    return lista;
}

// When no tree above routes: the trees from the root that turn by the parity of each crossing's place in
// the knot's first pass rather than of its number (served from either end of the queue), then the tree from
// each of the next further root crossings in turn. The closure of a torus braid numbered in word order has
// crossings whose numbers' parity follows the braid's generators, not the knot, and no tree turning by them
// routes; turning by the knot's pass, its tree is a staircase. A root whose spread does not fit the table
// says nothing of the next one.
std::vector<Costruzione::Tentativo> Costruzione::ultimiTentativi(int gruppo) const {
    std::vector<Tentativo> lista;
    for (const bool dallaFine : {true, false})
        for (const char* modo : {"A", "B"})
            lista.push_back({radice_, modo, dallaFine, gruppo++, false, true});
    for (int t = kAltreRadici + 1; t <= kAltreRadici + kRadiciOltre && t < d_.NumIncroci; ++t)
        lista.push_back({(radice_ - 1 + t) % d_.NumIncroci + 1, nullptr, false, gruppo++, false});
    return lista;
}

// One attempt on this build's diagram and state; the reason of its first failed routing goes to perche. The
// turning mode and the queue's serving are left as they were.
EsitoTentativo Costruzione::tenta(const Tentativo& t, std::string& perche) {
    s_.IncrocioRadice = t.radice;
    const std::string modo = s_.settings.TXTmodo;
    if (t.modo) s_.settings.TXTmodo = t.modo;
    s_.codaDallaFine = t.dallaFine;
    s_.giroPerVisita = t.perVisita;
    s_.maxCaratteriPercorso = t.dallaFine ? kMaxCaratteriDallaFine : kMaxCaratteriPercorso;
    const bool steso = static_cast<bool>(Disegna(d_, s_));
    const bool fatto = steso && instrada(perche, t.parte);
    s_.settings.TXTmodo = modo;
    s_.codaDallaFine = false;
    s_.giroPerVisita = false;
    s_.maxCaratteriPercorso = kMaxCaratteriPercorso;
    if (fatto) return EsitoTentativo::Riuscito;
    return !steso && t.interrompe ? EsitoTentativo::Interrompe : EsitoTentativo::Fallito;
}

// Makes the attempts in order until a layout routes: its index in the list, -1 when none does. The reason
// of the first attempt's first failure goes to perche. A large diagram's attempts after the first run at
// once, each on a diagram and state of its own, unless a developer aid watches the layout.
int Costruzione::disponi(const std::vector<Tentativo>& lista, std::string& perche) {
    PianoTentativi piano;
    piano.insieme = !s_.hook && !s_.dump.active() && d_.NumIncroci >= kIncrociTentativiInsieme;
    piano.aiutanti = s_.aiutantiTentativi;
    piano.subito = d_.NumIncroci >= kIncrociAvvioSubito;
    // Made at once, an attempt whose spacing allows a tighter spread is two: the tighter spread, the last
    // part of an attempt that fails, is made by another core while the widenings before it go on. It is
    // the next in order, in the same group, so the attempt kept is the same.
    const bool dividi = piano.insieme && LeggiFattore(s_.settings.Txtfat) >= 8;
    std::vector<Tentativo> parti;
    std::vector<int> origine;  // each part's attempt in lista
    for (std::size_t k = 0; k < lista.size(); ++k) {
        Tentativo t = lista[k];
        if (dividi) t.parte = Parte::SenzaStretta;
        parti.push_back(t);
        origine.push_back(static_cast<int>(k));
        if (!dividi) continue;
        t.parte = Parte::SoloStretta;
        parti.push_back(t);
        origine.push_back(static_cast<int>(k));
    }
    for (const Tentativo& t : parti) piano.gruppi.push_back(t.gruppo);
    const int scelto = TentaInOrdine(d_, s_, piano, [&](Diagram& d, LayoutState& s, std::size_t i) {
        Costruzione c(d, s, st_, t_);
        std::string altro;
        return c.tenta(parti[i], i == 0 ? perche : altro);
    });
    if (scelto < 0) {
        s_.IncrocioRadice = radice_;
        return scelto;
    }
    return origine[static_cast<std::size_t>(scelto)];
}

// The routed drawing tidied, timed from t2 to t3.
void Costruzione::sistema(BuildTimes& times, const Clock::time_point& t2, Clock::time_point& t3) {
    Assesta(d_, s_);
    RiparaArchi(d_, s_);
    t3 = Clock::now();
    times.tidyingUs += micro(t2, t3);
}

Result<BuildTimes> Costruzione::esegui(MessagePort& ui, std::string* why) {
    BuildTimes times;
    const auto t0 = Clock::now();
    if (!s_.ModoAutomatico) t_.tbltt.reset();
    if (s_.IncrocioRadice == 0) s_.IncrocioRadice = 1;
    if (auto verifica = VerificaGau(d_); !verifica) {
        ui.showMessage(verifica.error());
        return fallisce(why, kErroreCodiceGau, "the Gauss code is not valid");
    }
    if (std::string perche = lettereNonDisegnabili(d_); !perche.empty()) {
        // The reason goes before the failure, as the faults of a code do: the person sees why.
        std::string riga = perche;
        riga[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(riga[0])));
        ui.showMessage(riga);
        return fallisce(why, kErroreIndiciGau, std::move(perche));
    }
    st_.ModoGen = GenMode::Code;
    const Status layout = Disegna(d_, s_);
    const auto t1 = Clock::now();
    times.layoutUs = micro(t0, t1);
    // A tree whose spread does not fit the cell table (a closed braid whose rings the tree follows round
    // in spirals) is no fault of the code: the other trees are tried as when routing fails.
    const bool troppoGrande = !layout && !s_.ModoAutomatico && layout.error() == kLayoutTroppoGrande;
    if (!layout && !troppoGrande) return fallisce(why, kErroreCodiceGau, layout.error());
    if (s_.ModoAutomatico) return times;

    radice_ = s_.IncrocioRadice;
    std::string motivo = troppoGrande ? layout.error() : std::string();
    // The tree from its first roots, then served from the end of its queue, then the last resorts.
    std::vector<Tentativo> lista = tentativi(false, 0);
    const std::size_t primi = lista.size();
    const std::vector<Tentativo> coda = tentativi(true, lista.back().gruppo + 1);
    lista.insert(lista.end(), coda.begin(), coda.end());
    const std::vector<Tentativo> ultimi = ultimiTentativi(lista.back().gruppo + 1);
    lista.insert(lista.end(), ultimi.begin(), ultimi.end());
    const int scelto = disponi(lista, motivo);
    const bool instradato = scelto >= 0;
    // The tree served from the end of its queue has been tried.
    const bool dallaFine = !instradato || static_cast<std::size_t>(scelto) >= primi;
    auto t2 = Clock::now();
    times.routingUs = micro(t1, t2);
    if (!instradato) {
        // The letters can be drawn (checked above): what failed is this program's layout, and it says so.
        std::string perche =
            "no layout, widened as far as the cell table allows, leaves room to route every arc (" + motivo +
            ")";
        std::string messaggio = std::string(kNonDisponibile) + perche;
        return fallisce(why, std::move(messaggio), std::move(perche));
    }

    auto t3 = t2;
    sistema(times, t2, t3);
    if (!entra()) {
        const std::string motivoGrande = "the drawing needs " + std::to_string(altezza()) + " rows and " +
                                         std::to_string(larghezza()) + " columns; the grid has " +
                                         std::to_string(d_.NumRighe) + " by " + std::to_string(d_.NumColonne);
        // The tree served from the end of its queue may give a smaller drawing of the same diagram.
        bool piuPiccolo = false;
        if (!dallaFine) {
            // The first drawing is kept aside while that tree is tried: without a drawing of it, the first
            // one is the drawing (laid out again, it would come out the same).
            CoppiaDaParte primo = daParte(d_, s_);
            std::string altro;
            const bool fatto = disponi(tentativiPiuPiccolo(), altro) >= 0;
            t2 = Clock::now();
            times.routingUs += micro(t3, t2);
            if (fatto) {
                sistema(times, t2, t3);
                piuPiccolo = entra();
            } else {
                riprendi(d_, s_, primo);
                t3 = t2;
            }
        }
        // Still larger than the work extent: the display grid grows to the drawing, as far as the cell
        // table reaches.
        if (!piuPiccolo) {
            if (altezza() > kMaxCella || larghezza() > kMaxCella)
                return fallisce(why, std::string(kDisegnoTroppoGrande) + motivoGrande, motivoGrande);
            d_.NumRighe = std::max(d_.NumRighe, altezza());
            d_.NumColonne = std::max(d_.NumColonne, larghezza());
            InizializzaGr(t_.griglia, d_.NumRighe, d_.NumColonne, st_.DimCella, st_.ModoGen);
        }
    }

    DisegnoGrafico(d_, st_, t_, 0, ColNero, false, "", -1);
    times.renderingUs = micro(t3, Clock::now());
    return times;
}

}  // namespace

Result<BuildTimes> CostruisciDaCodice(Diagram& d, LayoutState& s, RenderState& st, const RenderTarget& t,
                                      MessagePort& ui, std::string* why) {
    // The build notes what it writes into the cell table, so that laying out again clears only that;
    // when it ends without a tidied drawing, the next one clears as far as anything may have gone. After
    // it, failed routes say all of their reasons again, and failed routings write their paths. Inside it, a
    // routing that succeeds hands its paths to the tidying as points; a build that ends between the two
    // writes them.
    struct AreaNotata {
        Diagram& d;
        LayoutState& s;
        bool finita = false;
        AreaNotata(Diagram& y, LayoutState& x) : d(y), s(x) {
            s.areaNotata = true;
            s.percorsiDiFallimento = false;
            s.percorsiPerAssestare = true;
        }
        ~AreaNotata() {
            s.areaNotata = s.areaEsatta = s.percorsiPerAssestare = false;
            s.motiviCompleti = s.percorsiDiFallimento = true;
            if (!finita) s.areaSporca = {0, kMaxCella, 0, kMaxCella};
            // A destructor lets nothing out: paths that cannot be written (a build stopped by a drawing
            // off its tables) are dropped with the failed build.
            try {
                scriviPercorsiInSospeso(d, s);
            } catch (...) {
                s.percorsiInMemoria = false;
            }
        }
    } nota(d, s);
    // The tables refuse an index beyond their bounds by throwing; a drawing that runs off them is a
    // drawing that does not fit, said as such, and never an exception for the window to meet.
    try {
        Result<BuildTimes> fatto = Costruzione(d, s, st, t).esegui(ui, why);
        nota.finita = static_cast<bool>(fatto) || s.ModoAutomatico;
        return fatto;
    } catch (const LayoutFermato&) {
        if (why) *why = "stopped";
        return fail(std::string(kLayoutFermato));
    } catch (const std::out_of_range& e) {
        const std::string motivo = std::string("the drawing runs off a table (") + e.what() + ")";
        if (why) *why = motivo;
        return fail(std::string(kDisegnoTroppoGrande) + motivo);
    }
}

}  // namespace trevalon
