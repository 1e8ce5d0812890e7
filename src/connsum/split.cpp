#include "connsum/split.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "celldraw/built_knot.h"
#include "connsum/cell_sides.h"
#include "connsum/join.h"
#include "connsum/sub_knot.h"
#include "model/sides.h"

namespace trevalon {
namespace {

using lati::Cella;
using lati::codiceLati;
using lati::raggiunge;
using lati::vicino;

bool dentro(const LimitiNodo& l, Cella x) {
    return x.r >= l.RigaMin && x.r <= l.RigaMax && x.c >= l.ColMin && x.c <= l.ColMax;
}

// The extent widened by one cell on every side, kept inside the cell table (row and column 0 excluded, as
// a knot file has no cell there).
LimitiNodo allargato(const LimitiNodo& l) {
    return {std::max(1, l.RigaMin - 1), std::min(kMaxCella, l.RigaMax + 1), std::max(1, l.ColMin - 1),
            std::min(kMaxCella, l.ColMax + 1)};
}

bool vuoto(const LimitiNodo& l) {
    return l.RigaMin > l.RigaMax || l.ColMin > l.ColMax;
}

// The cells of the widened box as they were before the split (`TblNodoCopia`).
class CopiaRiquadro {
  public:
    CopiaRiquadro(const CellTable& t, const LimitiNodo& box) : box_(box) {
        if (vuoto(box)) return;
        celle_.reserve(static_cast<std::size_t>(box.RigaMax - box.RigaMin + 1) *
                       static_cast<std::size_t>(box.ColMax - box.ColMin + 1));
        for (int r = box.RigaMin; r <= box.RigaMax; ++r)
            for (int c = box.ColMin; c <= box.ColMax; ++c) celle_.push_back(t.at(r, c));
    }
    const CellaNodo& at(int r, int c) const {
        return celle_[static_cast<std::size_t>(r - box_.RigaMin) *
                          static_cast<std::size_t>(box_.ColMax - box_.ColMin + 1) +
                      static_cast<std::size_t>(c - box_.ColMin)];
    }
    void ripristina(CellTable& t) const {
        std::size_t i = 0;
        for (int r = box_.RigaMin; r <= box_.RigaMax && i < celle_.size(); ++r)
            for (int c = box_.ColMin; c <= box_.ColMax; ++c) t.at(r, c) = celle_[i++];
    }

  private:
    LimitiNodo box_;
    std::vector<CellaNodo> celle_;
};

// Puts the cell table and its extent back as they were, however the split ends.
class Ripristino {
  public:
    Ripristino(Diagram& d, const CopiaRiquadro& copia, const LimitiNodo& limiti)
        : d_(d), copia_(copia), limiti_(limiti) {}
    ~Ripristino() {
        copia_.ripristina(d_.TblNodo);
        d_.limiti = limiti_;
    }
    Ripristino(const Ripristino&) = delete;
    Ripristino& operator=(const Ripristino&) = delete;

  private:
    Diagram& d_;
    const CopiaRiquadro& copia_;
    LimitiNodo limiti_;
};

const Partizione* partizioneScelta(const StatoSomma& stato) {
    if (stato.IndicePartizione < 1 || stato.IndicePartizione > 2) return nullptr;
    return &stato.tblPartizioni[static_cast<std::size_t>(stato.IndicePartizione)];
}

// The state of a search that the split can work on: a record answered on, two cut arcs of the diagram.
bool statoUtilizzabile(const Diagram& d, const StatoSomma& stato) {
    const Partizione* p = partizioneScelta(stato);
    const auto arco = [&](int a) { return a >= 1 && a <= d.NumArchi && a <= kMaxArchi; };
    return p && arco(stato.ArcoTaglio1) && arco(stato.ArcoTaglio2) && arco(p->Arco1) && arco(p->Arco2) &&
           d.NumIncroci >= 1 && d.NumIncroci <= kMaxIncroci;
}

// The crossing's own line code: 3 for "O", 4 for "V", exchanged when both strands leave towards sides 2
// and 3 or towards sides 1 and 4.
int codiceIncrocio(const Incrocio& x) {
    int t = x.Ori == 'V' ? 4 : 3;
    if ((x.VersoLato[2] == 'U' && x.VersoLato[3] == 'U') || (x.VersoLato[1] == 'U' && x.VersoLato[4] == 'U'))
        t = 7 - t;
    return t;
}

void svuota(CellaNodo& x) {
    x.Tipo = 0;
    x.Numero = 0;
    x.Forma = 0;
}

// The scan that keeps summand s. The first scan (`ponte` null) marks the cut ends "II"; the second one,
// after the bridge, keeps the bridge's arcs as well and turns its "ZZ" ends into "II" ones. True when a
// "ZZ" end was turned.
bool scansione(Diagram& d, const StatoSomma& stato, int s, const LimitiNodo& box,
               const std::vector<char>* ponte, const CopiaRiquadro& copia) {
    CellTable& t = d.TblNodo;
    const auto nelPonte = [&](int a) {
        return ponte && a >= 0 && static_cast<std::size_t>(a) < ponte->size() &&
               (*ponte)[static_cast<std::size_t>(a)];
    };
    const auto taglio = [&](int a) { return a == stato.ArcoTaglio1 || a == stato.ArcoTaglio2; };
    bool estremi = false;
    for (int r = box.RigaMin; r <= box.RigaMax; ++r) {
        for (int c = box.ColMin; c <= box.ColMax; ++c) {
            CellaNodo& x = t.at(r, c);
            if (x.Tipo == 'A') {
                const int n = x.Numero;
                if (!ponte) {
                    const int parte = CodpartizioneNew(stato, n);
                    if (parte != s && parte != 0) {
                        x.Numero = 0;
                        x.Forma = 0;
                    }
                    continue;
                }
                std::string prima(x.Vicini());
                if (nelPonte(n))
                    x.setVicini("III");
                else if (CodpartizioneNew(stato, n) != s)
                    svuota(x);
                if (prima.starts_with("ZZ")) {
                    std::replace(prima.begin(), prima.end(), 'Z', 'I');
                    x.setVicini(prima);
                    x.Numero = copia.at(r, c).Numero;
                    x.Forma = copia.at(r, c).Forma;
                    estremi = true;
                }
                continue;
            }
            if (x.Tipo != 'I') continue;
            const int n = x.Numero;
            if (n < 1 || n > d.NumIncroci) continue;
            const Incrocio& inc = d.incroci[static_cast<std::size_t>(n)];
            const int codice = codiceIncrocio(inc);
            x.Forma = static_cast<std::int8_t>(codice);
            std::vector<int> dentroLati;
            for (int lato = 1; lato <= 4; ++lato) {
                const int a = inc.ArcoLato[static_cast<std::size_t>(lato)];
                if (a == 0) continue;
                if (CodpartizioneNew(stato, a) == s || nelPonte(a)) {
                    dentroLati.push_back(lato);
                } else if (!ponte && taglio(a)) {
                    const int y = inc.ArcoLato[static_cast<std::size_t>(Opposto(lato))];
                    if (y != 0 && CodpartizioneNew(stato, y) == s) {
                        dentroLati.push_back(lato);
                        const Cella v = vicino({r, c}, lato);
                        if (dentro(box, v)) t.at(v.r, v.c).setVicini("II");
                    }
                }
            }
            if (dentroLati.empty()) {
                svuota(x);
            } else if (dentroLati.size() == 2) {
                const int a = dentroLati[0], b = dentroLati[1];
                if (a + 2 != b) {
                    x.setVicini("III");
                } else {
                    const Cella p = vicino({r, c}, a), q = vicino({r, c}, b);
                    const auto III = [&](Cella v) {
                        return dentro(box, v) && t.at(v.r, v.c).Vicini() == "III";
                    };
                    if (III(p) || III(q)) x.setVicini("III");
                }
                x.Forma = static_cast<std::int8_t>(codiceLati(a, b));
                x.Tipo = 'A';
                x.Numero = kArcoIncrocioAperto;
            }
        }
    }
    return estremi;
}

// `ValutaStessaRegIC`: numbers the "II" ends in scan order and empties the rest of the cut arcs; then
// whether "II2" can be reached from "II1" over empty cells of the box.
bool stessaRegione(Diagram& d, const StatoSomma& stato, const LimitiNodo& box) {
    CellTable& t = d.TblNodo;
    std::optional<Cella> start;
    int estremi = 0;
    for (int r = box.RigaMin; r <= box.RigaMax; ++r) {
        for (int c = box.ColMin; c <= box.ColMax; ++c) {
            CellaNodo& x = t.at(r, c);
            if (x.Vicini() == "II") {
                // Only "II1" and "II2" are ever joined; further ends share the last number a mark holds.
                ++estremi;
                x.setVicini("II" + std::to_string(std::min(estremi, 9)));
                if (!start) start = Cella{r, c};
            } else if (x.Tipo == 'A' && (x.Numero == stato.ArcoTaglio1 || x.Numero == stato.ArcoTaglio2)) {
                svuota(x);
            }
        }
    }
    if (!start) return false;
    const int larghezza = box.ColMax - box.ColMin + 1;
    const auto indice = [&](Cella v) {
        return static_cast<std::size_t>(v.r - box.RigaMin) * static_cast<std::size_t>(larghezza) +
               static_cast<std::size_t>(v.c - box.ColMin);
    };
    std::vector<char> visto(
        static_cast<std::size_t>(box.RigaMax - box.RigaMin + 1) * static_cast<std::size_t>(larghezza), 0);
    std::vector<Cella> coda{*start};
    visto[indice(*start)] = 1;
    for (std::size_t i = 0; i < coda.size(); ++i) {
        for (int lato : {1, 2, 3, 4}) {
            const Cella v = vicino(coda[i], lato);
            if (!dentro(box, v)) continue;
            const CellaNodo& x = t.at(v.r, v.c);
            if (x.Vicini() == "II2") return true;
            if (x.Forma == 0 && !visto[indice(v)]) {
                visto[indice(v)] = 1;
                coda.push_back(v);
            }
        }
    }
    return false;
}

// What the bridge construction keeps: its arcs (by arc number) and, for summand 1, the two cells that
// become its cut ends.
struct Ponte {
    std::vector<char> archi;
    std::optional<Cella> zz1, zz2;
};

// The cell beside crossing n on side `lato`.
Cella accanto(const Diagram& d, int n, int lato) {
    const Incrocio& x = d.incroci[static_cast<std::size_t>(n)];
    return vicino({x.Riga, x.Colonna}, lato);
}

// The bridge walk of summand s along the strand, straight through the crossings, with its loops erased.
// Nothing when its start is not defined or it does not reach its end within its bound.
std::optional<Ponte> camminoPonte(const Diagram& d, const StatoSomma& stato, int s) {
    const Partizione& p = *partizioneScelta(stato);
    const auto incrocioValido = [&](int n) { return n >= 1 && n <= d.NumIncroci; };
    const auto arcoValido = [&](int a) { return a >= 1 && a <= d.NumArchi; };
    const auto arcoA = [&](int n, int lato) {
        return d.incroci[static_cast<std::size_t>(n)].ArcoLato[static_cast<std::size_t>(lato)];
    };
    // 1 when the arc's `IncrocioDa` end leads into the segment, 2 its `IncrocioA` end (the later wins).
    const auto entrata = [&](int arco) {
        const Arco& a = d.archi[static_cast<std::size_t>(arco)];
        int fine = 0;
        for (int k : {1, 2}) {
            const int n = k == 1 ? a.IncrocioDa : a.IncrocioA;
            if (!incrocioValido(n)) continue;
            const int lato = ArcoInnodo(d, n, arco);
            if (lato >= 1 && p.inTratto(arcoA(n, Opposto(lato)))) fine = k;
        }
        return fine;
    };
    const auto fine = [&](int arco, int k) {
        const Arco& a = d.archi[static_cast<std::size_t>(arco)];
        return k == 1 ? a.IncrocioDa : a.IncrocioA;
    };
    const auto molteplicita = [&](int n) {
        return static_cast<std::size_t>(n) < p.Molteplicita.size()
                   ? p.Molteplicita[static_cast<std::size_t>(n)]
                   : 0;
    };

    Ponte ponte;
    ponte.archi.assign(static_cast<std::size_t>(d.NumArchi) + 1, 0);
    const int entra2 = entrata(p.Arco2);
    if (entra2 == 0) return std::nullopt;
    int incrocio = fine(p.Arco2, s == 2 ? entra2 : 3 - entra2);
    if (s == 1) {
        const int entra1 = entrata(p.Arco1);
        if (entra1 == 0) return std::nullopt;
        const int e = fine(p.Arco1, entra1);
        ponte.zz1 = accanto(d, e, ArcoInnodo(d, e, p.Arco1));
    }

    std::vector<int> archi, incroci;
    std::vector<int> visita(static_cast<std::size_t>(d.NumIncroci) + 1, 0);  // place in the lists + 1
    int arco = p.Arco2;
    const int limite = 2 * d.NumArchi + 2;
    for (int passi = 0;; ++passi) {
        if (!incrocioValido(incrocio)) return std::nullopt;
        if (s == 2 ? arco == p.Arco1 : molteplicita(incrocio) == 1) break;
        if (passi >= limite) return std::nullopt;
        if (const int v = visita[static_cast<std::size_t>(incrocio)]; v != 0) {
            for (std::size_t i = static_cast<std::size_t>(v - 1); i < incroci.size(); ++i)
                visita[static_cast<std::size_t>(incroci[i])] = 0;
            archi.resize(static_cast<std::size_t>(v - 1));
            incroci.resize(static_cast<std::size_t>(v - 1));
        }
        const int lato = ArcoInnodo(d, incrocio, arco);
        if (lato < 1) return std::nullopt;
        const int prossimo = arcoA(incrocio, Opposto(lato));
        if (!arcoValido(prossimo)) return std::nullopt;
        archi.push_back(prossimo);
        incroci.push_back(incrocio);
        visita[static_cast<std::size_t>(incrocio)] = static_cast<int>(archi.size());
        arco = prossimo;
        const Arco& a = d.archi[static_cast<std::size_t>(arco)];
        incrocio = a.IncrocioDa != incrocio ? a.IncrocioDa : a.IncrocioA;
    }
    if (s == 1) {
        archi.push_back(arco);
        const int lato = ArcoInnodo(d, incrocio, arco);
        if (lato < 1) return std::nullopt;
        ponte.zz2 = accanto(d, incrocio, Opposto(lato));
        archi.push_back(p.Arco2);
    } else {
        archi.push_back(stato.ArcoTaglio1);
        archi.push_back(stato.ArcoTaglio2);
    }
    for (int a : archi) ponte.archi[static_cast<std::size_t>(a)] = 1;
    return ponte;
}

// The non-empty cells of the box form one closed strand: every side a cell's line code joins meets a
// neighbour joining it back, and one walk along the strand (straight through the crossings) comes back to
// its start having passed every strand cell once and every crossing cell once each way.
bool filoChiuso(const CellTable& t, const LimitiNodo& box) {
    const auto forma = [&](Cella v) { return dentro(box, v) ? int{t.at(v.r, v.c).Forma} : 0; };
    long celleFilo = 0, passaggiIncroci = 0;
    std::optional<Cella> start;
    for (int r = box.RigaMin; r <= box.RigaMax; ++r) {
        for (int c = box.ColMin; c <= box.ColMax; ++c) {
            const int f = forma({r, c});
            if (f == 0) continue;
            if (f < 1 || f > 8) return false;
            for (int lato = 1; lato <= 4; ++lato)
                if (raggiunge(f, lato) && !raggiunge(forma(vicino({r, c}, lato)), Opposto(lato)))
                    return false;
            if (f == 3 || f == 4) {
                passaggiIncroci += 2;
            } else {
                ++celleFilo;
                if (!start) start = Cella{r, c};
            }
        }
    }
    if (!start) return false;
    const int larghezza = box.ColMax - box.ColMin + 1;
    std::vector<char> passato(
        static_cast<std::size_t>(box.RigaMax - box.RigaMin + 1) * static_cast<std::size_t>(larghezza), 0);
    const auto indice = [&](Cella v) {
        return static_cast<std::size_t>(v.r - box.RigaMin) * static_cast<std::size_t>(larghezza) +
               static_cast<std::size_t>(v.c - box.ColMin);
    };
    // Bits: 1 a strand cell passed, 2 a crossing passed vertically, 4 horizontally.
    int uscita = 1;
    while (!raggiunge(forma(*start), uscita)) ++uscita;
    Cella cur = *start;
    passato[indice(cur)] = 1;
    long passati = 0;
    for (;;) {
        const Cella n = vicino(cur, uscita);
        const int f = forma(n);
        const int entrata = Opposto(uscita);
        char& segno = passato[indice(n)];
        if (f == 3 || f == 4) {
            const char bit = uscita % 2 == 1 ? 2 : 4;
            if (segno & bit) return false;
            segno = static_cast<char>(segno | bit);
        } else {
            if (segno)
                return n.r == start->r && n.c == start->c && passati == celleFilo + passaggiIncroci - 1;
            segno = 1;
            int altro = 1;
            while (altro == entrata || !raggiunge(f, altro)) ++altro;
            uscita = altro;
        }
        ++passati;
        cur = n;
    }
}

// The crossings of the summand on the table, when it is one closed strand whose knot file opens again as
// a knot.
std::optional<int> chiuso(const Diagram& d, const LimitiNodo& box) {
    if (!filoChiuso(d.TblNodo, box)) return std::nullopt;
    const std::string testo = testoAddendo(d, box);
    constexpr std::string_view chiave = "Object=";
    const Result<NodoCostruito> n = costruisciDaSnapshot(testo.substr(chiave.size()));
    if (!n || !n->diagram) return std::nullopt;
    return n->diagram->NumIncroci;
}

// The ways summand s may be closed by a strand that crosses it, as the pieces lie: the lower piece under a
// strand over it, the upper one over a strand under it.
std::vector<Scavalco> scavalchiAmmessi(Strati strati, int s) {
    switch (strati) {
        case Strati::Separati:
            return {Scavalco::Sopra, Scavalco::Sotto};
        case Strati::TrattoSopra:
            return {s == 1 ? Scavalco::Sotto : Scavalco::Sopra};
        case Strati::RestoSopra:
            return {s == 1 ? Scavalco::Sopra : Scavalco::Sotto};
    }
    return {};
}

// A summand closed along the other piece's strand or through empty cells crosses only where that piece
// crossed it: every crossing cell on the table is a crossing of the diagram, drawn as before, that summand
// s passes at least once (its own, or one it shares with the other piece). The closing strand then crosses
// neither itself nor anything but summand s, always on the other piece's side: the summand is closed over
// or under as the pieces lie, and keeps its knot.
bool incrociDelDiagramma(const Diagram& d, const StatoSomma& stato, int s, const LimitiNodo& box,
                         const CopiaRiquadro& copia) {
    const std::vector<int> passaggi = passaggiNellaParte(d, stato, s);
    for (int r = box.RigaMin; r <= box.RigaMax; ++r)
        for (int c = box.ColMin; c <= box.ColMax; ++c) {
            // NOLINTNEXTLINE(bugprone-signed-char-misuse): the shape is a small number, not a character.
            const int forma = d.TblNodo.at(r, c).Forma;
            if (forma != 3 && forma != 4) continue;
            const CellaNodo& prima = copia.at(r, c);
            const int n = prima.Numero;
            if (prima.Tipo != 'I' || prima.Forma != forma || n < 1 ||
                n >= static_cast<int>(passaggi.size()) || passaggi[static_cast<std::size_t>(n)] == 0)
                return false;
        }
    return true;
}

// Summand s built on the table (restored to the whole diagram), closed only in a way that keeps its knot:
// the join through the region its cut ends share, or the bridge along the other piece's strand, when it
// crosses the summand only where the other piece did; otherwise a strand laid over or under everything
// it meets, as the pieces lie. True when the summand is one closed strand; an open one stays on the table
// when none of these closes it.
bool costruisciAddendo(Diagram& d, const StatoSomma& stato, int s, const LimitiNodo& box,
                       const CopiaRiquadro& copia) {
    const auto daCapo = [&] {
        copia.ripristina(d.TblNodo);
        scansione(d, stato, s, box, nullptr, copia);
        return stessaRegione(d, stato, box);
    };
    const auto comeLAltro = [&] { return chiuso(d, box) && incrociDelDiagramma(d, stato, s, box, copia); };
    if (daCapo()) {
        if (CollegaEstremiIC(d, box) && comeLAltro()) return true;
    } else if (const std::optional<Ponte> ponte = camminoPonte(d, stato, s)) {
        // The ends lie in different regions: the bridge along the other summand's strand.
        copia.ripristina(d.TblNodo);
        for (const auto& [zz, mark] : {std::pair{ponte->zz1, "ZZ1"}, std::pair{ponte->zz2, "ZZ2"}})
            if (zz && dentro(box, *zz)) d.TblNodo.at(zz->r, zz->c).setVicini(mark);
        const bool unione = scansione(d, stato, s, box, &ponte->archi, copia);
        if ((!unione || CollegaEstremiIC(d, box)) && comeLAltro()) return true;
    }
    for (const Scavalco passa : scavalchiAmmessi(stato.strati, s)) {
        daCapo();
        if (CollegaEstremiScavalcando(d, box, passa) && chiuso(d, box)) return true;
    }
    daCapo();
    return false;
}

}  // namespace

std::vector<int> passaggiNellaParte(const Diagram& d, const StatoSomma& stato, int s) {
    const Partizione* p = partizioneScelta(stato);
    if (!p || d.NumIncroci < 1 || d.NumGemelli >= static_cast<int>(d.gemelli.size()) ||
        d.NumIncroci >= static_cast<int>(d.incroci.size()))
        return {};
    std::vector<int> dentro(static_cast<std::size_t>(d.NumIncroci) + 1, 0);
    for (int g = 1; g <= d.NumGemelli; ++g) {
        // Passage g is where arc g - 1 ends and arc g begins.
        const int arcoPrima = g == 1 ? d.NumArchi : g - 1;
        const bool traTagli = p->inTratto(g) || p->inTratto(arcoPrima);
        const int c = d.gemelli[static_cast<std::size_t>(g)].Padre;
        if (c >= 1 && c <= d.NumIncroci && traTagli == (s == 1)) ++dentro[static_cast<std::size_t>(c)];
    }
    return dentro;
}

int incrociDellaParte(const Diagram& d, const StatoSomma& stato, int s) {
    const std::vector<int> dentro = passaggiNellaParte(d, stato, s);
    return static_cast<int>(std::count(dentro.begin(), dentro.end(), 2));
}

int CodpartizioneNew(const StatoSomma& stato, int n) {
    if (n == stato.ArcoTaglio1 || n == stato.ArcoTaglio2) return 0;
    const Partizione* p = partizioneScelta(stato);
    return p && p->inTratto(n) ? 1 : 2;
}

std::string testoAddendo(const Diagram& d, const LimitiNodo& l) {
    std::string out = "Object=";
    for (int r = std::max(0, l.RigaMin); r <= std::min(kMaxCella, l.RigaMax); ++r)
        for (int c = std::max(0, l.ColMin); c <= std::min(kMaxCella, l.ColMax); ++c) {
            // NOLINTNEXTLINE(bugprone-signed-char-misuse): the shape is a small number, not a character.
            const int forma = d.TblNodo.at(r, c).Forma;
            if (forma != 0)
                out += std::to_string(r) + "," + std::to_string(c) + "," + std::to_string(forma) + "|";
        }
    return out;
}

std::array<Addendo, 2> costruisciAddendi(Diagram& d, const StatoSomma& stato,
                                         const std::function<void(int s, const Addendo&)>& mentre) {
    std::array<Addendo, 2> addendi{};
    const LimitiNodo box = allargato(d.limiti);
    if (!statoUtilizzabile(d, stato) || vuoto(box)) {
        // Nothing to split: each summand is shown as not closed, on the table as it is.
        if (mentre)
            for (int s : {1, 2}) mentre(s, addendi[static_cast<std::size_t>(s - 1)]);
        return addendi;
    }
    const CopiaRiquadro copia(d.TblNodo, box);
    const Ripristino ripristino(d, copia, d.limiti);
    d.limiti = box;
    for (int s : {1, 2}) {
        copia.ripristina(d.TblNodo);
        Addendo& a = addendi[static_cast<std::size_t>(s - 1)];
        a.chiuso = costruisciAddendo(d, stato, s, box, copia);
        if (a.chiuso) a.testo = testoAddendo(d, box);
        if (mentre) mentre(s, a);
    }
    return addendi;
}

void GeneraIndipendentSections(FinestraSomma& w, const StatoSomma& stato) {
    costruisciAddendi(w.diagramma(), stato, [&w](int s, const Addendo& a) {
        const GridArea dove = w.disegnaAddendo(s);
        StepViewRequest richiesta;
        richiesta.tipoMossa = MoveKind::ConnSum;
        richiesta.tipoAzione = s == 1 ? ViewerAction::Summand1 : ViewerAction::Summand2;
        richiesta.salvabile = a.chiuso;
        richiesta.mainGrid = w.grigliaPrincipale();
        richiesta.fuoco = dove;
        if (w.ui().showCandidate(richiesta) == ViewerAnswer::Save && a.chiuso) w.salvaAddendo(s, a.testo);
    });
}

}  // namespace trevalon
