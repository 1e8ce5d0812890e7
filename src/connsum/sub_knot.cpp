#include "connsum/sub_knot.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "model/sides.h"
#include "moves/passage_arithmetic.h"

namespace trevalon {

int Opposto(int lato) {
    return lato + 2 <= 4 ? lato + 2 : lato - 2;
}

int Ades(int lato) {
    return lato - 1 >= 1 ? lato - 1 : lato + 3;
}

int Asin(int lato) {
    return lato + 1 <= 4 ? lato + 1 : lato - 3;
}

namespace {

// What a walk of the test came to: the pair cannot be walked (a table that does not hold together, or a
// walk that does not come back within its bound), the record fails, or the walk went through.
enum class Cammino { Rifiuta, Fallisce, Riesce };

// One test of a pair (a, b) on the tables of d. Every index read from a table is checked against the
// counts before it is used: a table that does not hold together rejects the pair.
class ProvaSottonodo {
  public:
    ProvaSottonodo(const Diagram& d, int a, int b)
        : d_(d),
          a_(a),
          b_(b),
          // A face walk takes every arc at most once each way before it comes round again.
          limite_(2 * d.NumArchi + 2) {}

    bool tavoleSane() const {
        return d_.NumArchi >= 1 && d_.NumArchi < static_cast<int>(d_.archi.size()) && d_.NumIncroci >= 1 &&
               d_.NumIncroci < static_cast<int>(d_.incroci.size()) && d_.NumGemelli == d_.NumArchi &&
               d_.NumGemelli < static_cast<int>(d_.gemelli.size()) && arco(a_) && arco(b_);
    }

    // Both ways round the strand, the cut arcs are at least three apart.
    bool abbastanzaLontani() const {
        const int n = d_.NumArchi;
        const int diretta = std::abs(a_ - b_);
        const int inversa = a_ >= b_ ? std::abs(a_ - (b_ + n)) : std::abs(a_ + n - b_);
        return diretta >= 3 && inversa >= 3;
    }

    // Passages da + 1 .. ad: how often each crossing is passed (into conta) and the arcs da + 1 .. ad - 1
    // (into tratto). False when no crossing is passed twice, or a passage has no crossing.
    bool percorriPassaggi(int da, int ad, std::vector<int>& conta, std::vector<int>& tratto) const {
        conta.assign(static_cast<std::size_t>(d_.NumIncroci) + 1, 0);
        tratto.clear();
        int chiusi = 0;
        int cursore = da;
        for (int passi = 0; passi < d_.NumGemelli; ++passi) {
            cursore = cursore + 1 > d_.NumGemelli ? 1 : cursore + 1;
            const int padre = d_.gemelli[static_cast<std::size_t>(cursore)].Padre;
            if (!incrocio(padre)) return false;
            if (++conta[static_cast<std::size_t>(padre)] == 2) ++chiusi;
            if (cursore == ad) return chiusi > 0;
            tratto.push_back(cursore);
        }
        return false;
    }

    // The counts of the first walk for the segment a + 1 .. b in t: one passage more than t holds when t
    // was counted for the pair before (a, b - 1), else walked anew. False when a passage has no crossing.
    bool contaTratto(TrattoPercorso& t) const {
        const auto prossimo = [&](int g) { return g + 1 > d_.NumGemelli ? 1 : g + 1; };
        const bool stesse = t.diagramma == &d_ && t.numGemelli == d_.NumGemelli && t.a == a_ &&
                            t.conta.size() == static_cast<std::size_t>(d_.NumIncroci) + 1;
        if (stesse && t.b == b_) return true;
        int da = t.b;
        if (!stesse || prossimo(t.b) != b_) {
            t = TrattoPercorso{&d_, d_.NumGemelli, a_, a_, {}, {}, 0, 0, 0};
            t.conta.assign(static_cast<std::size_t>(d_.NumIncroci) + 1, 0);
            t.segnoPrimo.assign(t.conta.size(), 0);
            da = a_;
        }
        for (int g = da; g != b_;) {
            g = prossimo(g);
            const Gemello& x = d_.gemelli[static_cast<std::size_t>(g)];
            if (!incrocio(x.Padre)) {
                t.diagramma = nullptr;
                return false;
            }
            const auto c = static_cast<std::size_t>(x.Padre);
            const int volte = ++t.conta[c];
            if (volte == 1) {
                t.segnoPrimo[c] = x.Segno;
                ++(x.Segno == '+' ? t.sopra : t.sotto);
            } else if (volte == 2) {
                --(t.segnoPrimo[c] == '+' ? t.sopra : t.sotto);
                ++t.chiusi;
            }
        }
        t.b = b_;
        return true;
    }

    // How the segment (passages da + 1 .. ad, counted in conta) lies on the rest: apart, or over or under
    // it at every crossing the two share. Nothing when it passes over the rest at one and under at another.
    std::optional<Strati> strati(int da, int ad, const std::vector<int>& conta) const {
        bool sopra = false, sotto = false;
        for (int cursore = da; cursore != ad;) {
            cursore = cursore + 1 > d_.NumGemelli ? 1 : cursore + 1;
            const Gemello& g = d_.gemelli[static_cast<std::size_t>(cursore)];
            if (conta[static_cast<std::size_t>(g.Padre)] != 1) continue;
            (g.Segno == '+' ? sopra : sotto) = true;
        }
        if (sopra && sotto) return std::nullopt;
        return sopra ? Strati::TrattoSopra : sotto ? Strati::RestoSopra : Strati::Separati;
    }

    void segnaTratto(const std::vector<int>& tratto) {
        nelTratto_.assign(static_cast<std::size_t>(d_.NumArchi) + 1, 0);
        for (int x : tratto) nelTratto_[static_cast<std::size_t>(x)] = 1;
    }

    // Anchors p at arc `arco`: at the end crossing where the strand runs straight on into the segment (the
    // head end when both do).
    void ancora(Partizione& p, int arco, int altro, const std::vector<int>& tratto) const {
        const Arco& x = d_.archi[static_cast<std::size_t>(arco)];
        for (int c : {x.IncrocioDa, x.IncrocioA}) {
            if (!incrocio(c)) continue;
            const int s = ArcoInnodo(d_, c, arco);
            if (s < 1) continue;
            if (!nelTratto(lato(c, Opposto(s)))) continue;
            p = Partizione{};
            p.Arco1 = arco;
            p.Arco2 = altro;
            p.LatoAncora = s;
            p.IncrocioAncora = c;
            p.ArchiTratto = tratto;
            p.Marca = 2;
        }
    }

    // The walk round the segment from the anchor, turning anticlockwise to the next arc of the segment at
    // each crossing, until it is back at the anchor crossing.
    Cammino bordo(Partizione& p) const {
        int c = p.IncrocioAncora;
        int s = p.LatoAncora;
        for (int passi = 0; passi < limite_; ++passi) {
            p.ListaIncrociBordo.push_back(c);
            const int x = gira(c, s);
            if (x == 0) return Cammino::Rifiuta;
            p.ListaBordo.push_back(x);
            if (!segui(c, s, x)) return Cammino::Rifiuta;
            if (c == p.IncrocioAncora) return Cammino::Riesce;
        }
        return Cammino::Rifiuta;
    }

    // The same walk again, until it takes its first arc a second time: it closes soundly when that happens
    // at the crossing it first left from and no arc was taken from both its ends.
    Cammino chiusura(const Partizione& p) const {
        std::vector<int> primoIncrocio(static_cast<std::size_t>(d_.NumArchi) + 1, 0);
        int c = p.IncrocioAncora;
        int s = p.LatoAncora;
        int primoArco = 0, incrocioPrimo = 0;
        for (int passi = 0; passi < limite_; ++passi) {
            const int x = gira(c, s);
            if (x == 0) return Cammino::Rifiuta;
            if (primoArco == 0) {
                primoArco = x;
                incrocioPrimo = c;
            } else if (x == primoArco) {
                return c == incrocioPrimo ? Cammino::Riesce : Cammino::Fallisce;
            } else {
                int& visto = primoIncrocio[static_cast<std::size_t>(x)];
                if (visto == 0) visto = c;
                if (visto != c) return Cammino::Fallisce;
            }
            if (!segui(c, s, x)) return Cammino::Rifiuta;
        }
        return Cammino::Rifiuta;
    }

    // Every crossing is an end of an even number of the distinct arcs of the boundary.
    bool paritaPari(const Partizione& p) const {
        std::vector<char> visto(static_cast<std::size_t>(d_.NumArchi) + 1, 0);
        std::vector<int> estremi(static_cast<std::size_t>(d_.NumIncroci) + 1, 0);
        for (int x : p.ListaBordo) {
            if (visto[static_cast<std::size_t>(x)]) continue;
            visto[static_cast<std::size_t>(x)] = 1;
            const Arco& arco = d_.archi[static_cast<std::size_t>(x)];
            // The walk only took arcs whose ends it reached as crossings of the table.
            ++estremi[static_cast<std::size_t>(arco.IncrocioDa)];
            ++estremi[static_cast<std::size_t>(arco.IncrocioA)];
        }
        return std::all_of(estremi.begin(), estremi.end(), [](int k) { return k % 2 == 0; });
    }

    std::vector<int> molteplicita(const Partizione& p) const {
        std::vector<int> m(static_cast<std::size_t>(d_.NumIncroci) + 1, 0);
        for (int c : p.ListaIncrociBordo) ++m[static_cast<std::size_t>(c)];
        return m;
    }

    // The strand outside the segment, from Arco1 on to Arco2: between two crossings that the boundary
    // meets once it must stay on the side (over or under) it took at the first of them.
    Cammino fuori(const Partizione& p, const std::vector<int>& molt,
                  const std::vector<int>& contaPrima) const {
        std::vector<char> marca(static_cast<std::size_t>(d_.NumIncroci) + 1, 0);
        std::string tenuto;
        int x = p.Arco1;
        int c = p.IncrocioAncora;
        int s = p.LatoAncora;
        if (!segui(c, s, x)) return Cammino::Rifiuta;
        for (int passi = 0; passi < limite_; ++passi) {
            const auto ci = static_cast<std::size_t>(c);
            bool confronta = false;
            if (molt[ci] == 1) {
                if (tenuto.empty()) {
                    tenuto = segnoArcoIncrocio(d_, c, x);
                    if (tenuto.empty()) return Cammino::Rifiuta;
                } else {
                    confronta = true;
                }
            } else if (!tenuto.empty()) {
                // A crossing the first walk passed once is compared at once; any other takes the held sign
                // as its mark the first time, and is compared when it comes back with another.
                if (contaPrima[ci] != 1 && marca[ci] == 0)
                    marca[ci] = tenuto[0];
                else if (contaPrima[ci] == 1 || marca[ci] != tenuto[0])
                    confronta = true;
            }
            if (confronta) {
                const std::string segno = segnoArcoIncrocio(d_, c, x);
                if (segno.empty()) return Cammino::Rifiuta;
                if (segno != tenuto) return Cammino::Fallisce;
                if (molt[ci] == 1) tenuto.clear();
            }
            s = Opposto(s);
            const int y = lato(c, s);
            if (y == p.Arco2) return Cammino::Riesce;
            if (!arco(y) || !segui(c, s, y)) return Cammino::Rifiuta;
            x = y;
        }
        return Cammino::Rifiuta;
    }

  private:
    bool arco(int x) const { return x >= 1 && x <= d_.NumArchi; }
    bool incrocio(int c) const { return c >= 1 && c <= d_.NumIncroci; }
    bool nelTratto(int x) const { return arco(x) && nelTratto_[static_cast<std::size_t>(x)] != 0; }
    int lato(int c, int s) const {
        return d_.incroci[static_cast<std::size_t>(c)].ArcoLato[static_cast<std::size_t>(s)];
    }

    // The end of arc x that is not c (c itself for a curl); 0 when c is no end of x or the other end is no
    // crossing of the table.
    int altraEstremita(int x, int c) const {
        const Arco& arc = d_.archi[static_cast<std::size_t>(x)];
        int altra = 0;
        if (arc.IncrocioDa == c)
            altra = arc.IncrocioA;
        else if (arc.IncrocioA == c)
            altra = arc.IncrocioDa;
        return incrocio(altra) ? altra : 0;
    }

    // Follows arc x out of crossing c, where it leaves at side s, to the crossing it reaches (into c) and
    // the side it arrives at there (into s). A curl comes back at its other side of c: the side that holds
    // it cannot be told by the arc alone. False when the tables do not hold the arc at its other end.
    bool segui(int& c, int& s, int x) const {
        const int altra = altraEstremita(x, c);
        if (altra == 0) return false;
        int arrivo = -1;
        if (altra == c) {
            for (int k = 1; k <= 4; ++k)
                if (k != s && lato(c, k) == x) arrivo = k;
        } else {
            arrivo = ArcoInnodo(d_, altra, x);
        }
        if (arrivo < 1) return false;
        c = altra;
        s = arrivo;
        return true;
    }

    // Turns s anticlockwise at crossing c to the next side that holds an arc of the segment (the side it
    // started from last) and returns that arc; 0 when no side of c holds one.
    int gira(int c, int& s) const {
        for (int k = 0; k < 4; ++k) {
            s = Ades(s);
            const int x = lato(c, s);
            if (nelTratto(x)) return x;
        }
        return 0;
    }

    const Diagram& d_;
    int a_, b_;
    int limite_;
    std::vector<char> nelTratto_;
};

std::string etichetta(const Diagram& d, int a, int b) {
    const Arco& x = d.archi[static_cast<std::size_t>(a)];
    const Arco& y = d.archi[static_cast<std::size_t>(b)];
    return "Sottonodo " + std::to_string(a) + "(" + std::to_string(x.IncrocioDa) + "-" +
           std::to_string(x.IncrocioA) + ") - " + std::to_string(b) + "(" + std::to_string(y.IncrocioDa) +
           "-" + std::to_string(y.IncrocioA) + ")";
}

}  // namespace

ViewerAnswer TSotto(FinestraSomma& w, StatoSomma& stato, int daArco, int adArco, ModoSottonodo TsModo) {
    const Diagram& d = w.diagramma();
    auto& record = stato.tblPartizioni;
    record[1] = Partizione{};
    record[2] = Partizione{};

    if (stato.mostrata(daArco, adArco)) return ViewerAnswer::None;
    ProvaSottonodo prova(d, daArco, adArco);
    if (!prova.tavoleSane() || !prova.abbastanzaLontani()) return ViewerAnswer::None;

    // Counted on from the pair before, most pairs fail at once: the segment passes no crossing twice, or
    // it passes the rest over at one crossing and under at another (see below).
    if (!prova.contaTratto(stato.tratto)) return ViewerAnswer::None;
    if (stato.tratto.chiusi == 0 || (stato.tratto.sopra > 0 && stato.tratto.sotto > 0))
        return ViewerAnswer::None;

    // The segment a + 1 .. b - 1 must pass some crossing twice, and so must the rest of the strand.
    std::vector<int> contaPrima, tratto;
    if (!prova.percorriPassaggi(daArco, adArco, contaPrima, tratto)) return ViewerAnswer::None;
    // And at the crossings that join the segment to the rest, one of the two must pass wholly over the
    // other: otherwise closing the pieces gives knots that need not be the summands, or no summands at all.
    const std::optional<Strati> strati = prova.strati(daArco, adArco, contaPrima);
    if (!strati) return ViewerAnswer::None;
    prova.segnaTratto(tratto);
    prova.ancora(record[1], daArco, adArco, tratto);
    prova.ancora(record[2], adArco, daArco, tratto);
    {
        std::vector<int> contaDopo, resto;
        if (!prova.percorriPassaggi(adArco, daArco, contaDopo, resto)) return ViewerAnswer::None;
    }

    // A record fails when it could not be anchored or its boundary walk does not close soundly.
    std::array<bool, 3> fallito{false, record[1].Marca != 2, record[2].Marca != 2};
    for (int r = 1; r <= 2; ++r) {
        if (fallito[static_cast<std::size_t>(r)]) continue;
        Partizione& p = record[static_cast<std::size_t>(r)];
        if (prova.bordo(p) == Cammino::Rifiuta) return ViewerAnswer::None;
        const Cammino chiuso = prova.chiusura(p);
        if (chiuso == Cammino::Rifiuta) return ViewerAnswer::None;
        fallito[static_cast<std::size_t>(r)] = chiuso == Cammino::Fallisce;
    }
    for (int r = 1; r <= 2; ++r) {
        if (fallito[static_cast<std::size_t>(r)]) continue;
        Partizione& p = record[static_cast<std::size_t>(r)];
        if (!prova.paritaPari(p)) return ViewerAnswer::None;
        p.ListaBordoOrd = p.ListaBordo;
        std::sort(p.ListaBordoOrd.begin(), p.ListaBordoOrd.end());
    }

    for (int r = 1; r <= 2; ++r) {
        if (fallito[static_cast<std::size_t>(r)]) continue;
        Partizione& p = record[static_cast<std::size_t>(r)];
        std::vector<int> molt = prova.molteplicita(p);
        const Cammino esterno = prova.fuori(p, molt, contaPrima);
        if (esterno == Cammino::Rifiuta) return ViewerAnswer::None;
        if (esterno == Cammino::Fallisce) continue;
        if (TsModo == ModoSottonodo::A && record[1].ListaBordoOrd != record[2].ListaBordoOrd) {
            stato.CoppieSospese.emplace_back(daArco, adArco);
            continue;
        }
        if (stato.mostrata(daArco, adArco)) continue;

        stato.CoppieMostrate.emplace_back(daArco, adArco);
        const GridArea taglio = w.evidenziaSottonodo(p);
        stato.ArcoTaglio1 = daArco;
        stato.ArcoTaglio2 = adArco;
        stato.strati = *strati;
        ++stato.NumCandidati;
        StepViewRequest richiesta;
        richiesta.tipoMossa = MoveKind::ConnSum;
        richiesta.tipoAzione = ViewerAction::Move;
        richiesta.message = etichetta(d, daArco, adArco);
        richiesta.mainGrid = w.grigliaPrincipale();
        richiesta.fuoco = taglio;
        const ViewerAnswer risposta = w.ui().showCandidate(richiesta);
        if (risposta != ViewerAnswer::None) {
            stato.IndicePartizione = r;
            p.Molteplicita = std::move(molt);
            return risposta;
        }
    }
    return ViewerAnswer::None;
}

}  // namespace trevalon
