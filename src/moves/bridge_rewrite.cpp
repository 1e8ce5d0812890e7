#include "moves/bridge_rewrite.h"

#include <algorithm>
#include <stdexcept>

#include "model/sides.h"
#include "model/structure.h"
#include "moves/bridge_lists.h"
#include "moves/relabel.h"

namespace trevalon {

void ShiftaTab(std::vector<std::string>& tmpT, long da, long& Limite, long& NewLimite) {
    if (da < 1 || da > Limite + 1 || Limite < 0)
        throw std::out_of_range("ShiftaTab: item " + std::to_string(da) + " outside 1.." +
                                std::to_string(Limite + 1));
    NewLimite = Limite + 1;
    tmpT.resize(static_cast<std::size_t>(NewLimite) + 1);
    for (long k = NewLimite; k >= da + 1; --k)
        tmpT[static_cast<std::size_t>(k)] = tmpT[static_cast<std::size_t>(k - 1)];
    Limite = NewLimite;
}

std::string NuovoNodo::NomiConsegna() const {
    std::string out = "|";
    for (std::size_t i = 1; i < nomi.size(); ++i) out += nomi[i] + "|";
    return out;
}

namespace {

// Labels up to this are marked in a table when the bridge's crossings are deleted.
constexpr int kMaxEtichettaMarcata = 1 << 16;

Failure rifiuta(std::string why) {
    return fail(std::move(why));
}

// The side of crossing x at which arc e leaves it; a curl is attached twice, and the leaving side is the
// one that tells how the arc runs. Falls back to the attached side when no side is marked as leaving.
int latoUscita(const Diagram& d, int x, int e) {
    const Incrocio& c = d.incroci[static_cast<std::size_t>(x)];
    for (int s = 1; s <= 4; ++s)
        if (c.ArcoLato[static_cast<std::size_t>(s)] == e && c.VersoLato[static_cast<std::size_t>(s)] == 'U')
            return s;
    return ArcoInnodo(d, x, e);
}

// The move's own checks: a bridge, one region more than crossed arcs, arcs of the diagram (of a text of
// nOld passages), no arc crossed twice, none of the bridge's own arcs crossed.
Status verificaMossa(const Diagram& d, int nOld, const std::vector<int>& ponte,
                     const std::vector<int>& attraversati, const std::vector<int>& regioni) {
    if (ponte.empty()) return rifiuta("the move has no bridge");
    if (regioni.size() != attraversati.size() + 1)
        return rifiuta("the route's regions do not match its arcs");
    auto arcoValido = [&](int a) { return a >= 1 && a <= d.NumArchi && a <= nOld && a <= kMaxArchi; };
    for (int a : ponte)
        if (!arcoValido(a)) return rifiuta("bridge arc " + std::to_string(a) + " is not in the diagram");
    for (std::size_t w = 0; w < attraversati.size(); ++w) {
        const int y = attraversati[w];
        if (!arcoValido(y)) return rifiuta("crossed arc " + std::to_string(y) + " is not in the diagram");
        for (std::size_t u = 0; u < w; ++u)
            if (attraversati[u] == y) return rifiuta("the route crosses arc " + std::to_string(y) + " twice");
        for (int a : ponte)
            if (a == y) return rifiuta("the route crosses the bridge's own arc " + std::to_string(y));
    }
    return {};
}

}  // namespace

RiscritturaPonte::RiscritturaPonte(const Diagram& d) : d_(d), voci_(leggiVociScifta(d.txtNodo)) {
    if (!voci_) return;
    const int nOld = static_cast<int>(voci_->size());
    sorgente_.assign(1, Voce{});
    int massima = 0;
    for (int k = 1; k <= nOld; ++k) {
        const int label = (*voci_)[static_cast<std::size_t>(k - 1)].label;
        sorgente_.push_back({label, (*voci_)[static_cast<std::size_t>(k % nOld)].sign, k});
        massima = std::max(massima, label);
    }
    // New crossings take labels from kEtichettaNuova + 1 up to kEtichettaNuova + the largest crossed arc,
    // which is at most nOld.
    // An old label beyond that (a text the tables do not hold) widens the table when it is met.
    nuovaDi_.assign(
        static_cast<std::size_t>(std::max(std::min(massima, 4 * kMaxArchi), kEtichettaNuova + nOld)) + 1, 0);
    timbro_.assign(nuovaDi_.size(), 0);
    regioneAngolo_.assign(static_cast<std::size_t>(std::max(d.NumIncroci, 0) + 1) * 5, -1);
}

bool RiscritturaPonte::latoDestro(int x, int lato, int reg) {
    const int d2 = lato % 4 + 1;
    // The region of the corner is found once per crossing and side: the diagram does not change.
    int& trovata = regioneAngolo_[static_cast<std::size_t>(x) * 5 + static_cast<std::size_t>(d2)];
    if (trovata < 0) {
        trovata = 0;
        const std::string codice = GeneraPerimetro(d_, x, d2);
        if (!codice.empty())
            for (int r = 1; r <= d_.NumRegioni && static_cast<std::size_t>(r) < d_.CodRegione.size(); ++r)
                if (d_.CodRegione[static_cast<std::size_t>(r)] == codice) {
                    trovata = r;
                    break;
                }
    }
    if (trovata > 0) return trovata == reg;
    const int A = d_.incroci[static_cast<std::size_t>(x)].ArcoLato[static_cast<std::size_t>(d2)];
    return A >= 1 && A <= d_.NumArchi &&
           (d_.archi[static_cast<std::size_t>(A)].Reg1 == reg ||
            d_.archi[static_cast<std::size_t>(A)].Reg2 == reg);
}

Status RiscritturaPonte::passaggi(const std::vector<int>& ponte, const std::vector<int>& attraversati,
                                  const std::vector<int>& regioni, char ab1, PassaggiRiscritti& e,
                                  bool conLettere) {
    e.nodoBanale = false;
    e.voci.clear();
    e.segniSucc.clear();
    e.TxtOri.clear();
    e.vecchie.assign(1, 0);
    e.nuoviIncroci = 0;
    const Diagram& d = d_;
    if (ab1 != '+' && ab1 != '-') return rifiuta("the sign pair is not + or -");
    if (!voci_) return rifiuta("the Gauss code cannot be read");
    const int nOld = static_cast<int>(voci_->size());
    if (Status esito = verificaMossa(d, nOld, ponte, attraversati, regioni); !esito) return esito;

    // 1. The old text's items 1..n as a circular list, each remembering its passage; the inserted items
    // follow them in the tables and are linked in where they belong. Item 1 stays first: nothing is ever
    // put before it, so the list read from item 1 is the text.
    const std::size_t totale = static_cast<std::size_t>(nOld) + 2 * attraversati.size() + 1;
    etichette_.resize(totale);
    segni_.resize(totale);
    origini_.resize(totale);
    dopo_.resize(totale);
    prima_.resize(totale);
    for (int k = 1; k <= nOld; ++k) {
        const std::size_t u = static_cast<std::size_t>(k);
        etichette_[u] = sorgente_[u].label;
        segni_[u] = sorgente_[u].segnoSucc;
        origini_[u] = k;
        dopo_[u] = k == nOld ? 1 : k + 1;
        prima_[u] = k == 1 ? nOld : k - 1;
    }
    int libero = nOld + 1;
    auto inserisci = [&](int dopo, int label, char segno) {
        const std::size_t b = static_cast<std::size_t>(libero);
        const std::size_t a = static_cast<std::size_t>(dopo);
        etichette_[b] = label;
        segni_[b] = segno;
        origini_[b] = 0;
        dopo_[b] = dopo_[a];
        prima_[b] = dopo;
        prima_[static_cast<std::size_t>(dopo_[a])] = libero;
        dopo_[a] = libero++;
    };
    // A passage's own sign: the sign written after the item before it.
    auto segnoProprio = [&](int i) {
        return segni_[static_cast<std::size_t>(prima_[static_cast<std::size_t>(i)])];
    };
    const int x0 = d.archi[static_cast<std::size_t>(ponte.front())].IncrocioDa;
    // An inserted item's label is above kEtichettaNuova: a start crossing below it is one of the old
    // items, which keep their order, so only those are tried.
    const bool soloVecchie = x0 <= kEtichettaNuova;
    posizioniInizio_.clear();
    if (soloVecchie)
        for (int k = 1; k <= nOld; ++k)
            if (sorgente_[static_cast<std::size_t>(k)].label == x0) posizioniInizio_.push_back(k);

    // 2. Insertions, from the last crossed arc to the first, so that the strand's new passages, always put
    // right after its start crossing, come out in route order.
    for (auto it = attraversati.rbegin(); it != attraversati.rend(); ++it) {
        const int y = *it;
        // The first item of the start crossing whose own sign begins the bridge.
        int i = 0;
        if (soloVecchie) {
            for (int k : posizioniInizio_)
                if (segnoProprio(k) == ab1) {
                    i = k;
                    break;
                }
        } else {
            int k = 1;
            do {
                if (etichette_[static_cast<std::size_t>(k)] == x0 && segnoProprio(k) == ab1) i = k;
                k = dopo_[static_cast<std::size_t>(k)];
            } while (i == 0 && k != 1);
        }
        if (i == 0) return rifiuta("the bridge's start crossing is not in the Gauss code");
        const int src = origini_[static_cast<std::size_t>(i)];
        const char segno = src > 0 ? sorgente_[static_cast<std::size_t>(src)].segnoSucc
                                   : segni_[static_cast<std::size_t>(i)];
        inserisci(i, y + kEtichettaNuova, segno);
        // The crossed arc's old passage is item y (the move's checks keep y within the old text).
        inserisci(y, y + kEtichettaNuova, sorgente_[static_cast<std::size_t>(y)].segnoSucc);
        segni_[static_cast<std::size_t>(y)] = ab1;
    }
    const std::size_t usati = static_cast<std::size_t>(libero);

    // 3. Deletions: both passages of every crossing inside the bridge.
    // The bridge's crossings are marked by label, so that one pass over the items finds them all.
    if (ponte.size() > 1) {
        std::vector<char>& via = cancellate_;
        auto marca = [&](char m) {
            for (std::size_t k = 1; k < ponte.size(); ++k) {
                const int c = d.archi[static_cast<std::size_t>(ponte[k])].IncrocioDa;
                if (c < 0) continue;             // no item has a negative label
                if (c > kMaxEtichettaMarcata) {  // a table that is no diagram's: looked for directly
                    if (m)
                        for (std::size_t i = 1; i < usati; ++i)
                            if (etichette_[i] == c) etichette_[i] = 0;
                    continue;
                }
                if (static_cast<std::size_t>(c) >= via.size()) via.resize(static_cast<std::size_t>(c) + 1, 0);
                via[static_cast<std::size_t>(c)] = m;
            }
        };
        marca(1);
        for (std::size_t i = 1; i < usati; ++i) {
            const int label = etichette_[i];
            if (label >= 0 && static_cast<std::size_t>(label) < via.size() &&
                via[static_cast<std::size_t>(label)])
                etichette_[i] = 0;
        }
        marca(0);
    }

    // 4. Sign repair: every surviving item takes the own sign of the next surviving item.
    std::vector<int>& vivi = vivi_;
    vivi.clear();
    {
        int k = 1;
        do {
            if (etichette_[static_cast<std::size_t>(k)] != 0) vivi.push_back(k);
            k = dopo_[static_cast<std::size_t>(k)];
        } while (k != 1);
    }
    if (vivi.empty()) {
        e.nodoBanale = true;
        return {};
    }
    {
        std::vector<char>& nuovi = nuoviSegni_;
        nuovi.resize(vivi.size());
        for (std::size_t v = 0; v + 1 < vivi.size(); ++v) nuovi[v] = segnoProprio(vivi[v + 1]);
        nuovi[vivi.size() - 1] = segnoProprio(vivi[0]);
        for (std::size_t v = 0; v < vivi.size(); ++v) segni_[static_cast<std::size_t>(vivi[v])] = nuovi[v];
    }

    // 5. Renumbering by first appearance.
    ++giro_;
    if (giro_ == 0) {  // the stamps wrapped: none of them may look current
        std::fill(timbro_.begin(), timbro_.end(), 0);
        giro_ = 1;
    }
    e.voci.reserve(vivi.size());
    e.segniSucc.reserve(vivi.size());
    for (int i : vivi) {
        const int label = etichette_[static_cast<std::size_t>(i)];
        const std::size_t slot = static_cast<std::size_t>(label);
        if (slot >= nuovaDi_.size()) {  // only a label the text did not hold could get here
            nuovaDi_.resize(slot + 1, 0);
            timbro_.resize(slot + 1, 0);
        }
        if (timbro_[slot] != giro_) {
            timbro_[slot] = giro_;
            if (label >= kEtichettaNuova) {
                ++e.nuoviIncroci;
                // The crossed arc must start at a crossing that holds it: its letter is read there.
                const int y = label - kEtichettaNuova;
                const int X = d.archi[static_cast<std::size_t>(y)].IncrocioDa;
                if (X < 1 || X > d.NumIncroci)
                    return rifiuta("crossed arc " + std::to_string(y) + " has no start");
                if (latoUscita(d, X, y) < 1)
                    return rifiuta("crossed arc " + std::to_string(y) + " is not held by its crossing");
            }
            e.vecchie.push_back(label);
            nuovaDi_[slot] = static_cast<int>(e.vecchie.size()) - 1;
            if (nuovaDi_[slot] > kMaxIncroci)
                return rifiuta("the diagram would have more than 500 crossings");
        }
        e.voci.push_back({0, nuovaDi_[slot]});
        e.segniSucc.push_back(segni_[static_cast<std::size_t>(i)]);
    }
    // Own signs: each passage's is the sign its predecessor's label is followed by.
    for (std::size_t k = 0; k < e.voci.size(); ++k)
        e.voci[k].sign = e.segniSucc[k == 0 ? e.voci.size() - 1 : k - 1];
    if (conLettere) lettere(attraversati, regioni, ab1, e);
    return {};
}

void RiscritturaPonte::lettere(const std::vector<int>& attraversati, const std::vector<int>& regioni,
                               char ab1, PassaggiRiscritti& e) {
    const Diagram& d = d_;
    e.TxtOri.clear();
    for (std::size_t r = 1; r < e.vecchie.size(); ++r) {
        const int label = e.vecchie[r];
        if (label < kEtichettaNuova) {
            if (label >= 1 && static_cast<std::size_t>(label) <= d.TxtOri.size())
                if (const char lettera = d.TxtOri[static_cast<std::size_t>(label) - 1]) e.TxtOri += lettera;
            continue;
        }
        // Which way the strand crosses arc y, told by the region it comes from.
        const int y = label - kEtichettaNuova;
        const int X = d.archi[static_cast<std::size_t>(y)].IncrocioDa;
        const int lato = latoUscita(d, X, y);
        std::size_t w = 0;
        for (std::size_t u = 0; u < attraversati.size(); ++u)
            if (attraversati[u] == y) w = u;
        const int segno = latoDestro(X, lato, regioni[w]) ? 1 : -1;
        e.TxtOri += (ab1 == '+' ? -segno : segno) == 1 ? 'V' : 'O';
    }
}

NuovoNodo RiscritturaPonte::nodo(const PassaggiRiscritti& p, int primoNuovo, long cursoreListaUg,
                                 const std::vector<std::string>& nomiVecchi) {
    NuovoNodo e;
    e.nomi.assign(1, std::string());
    if (p.nodoBanale) {
        e.nodoBanale = true;
        return e;
    }
    e.txtNodo.reserve(p.voci.size() * 4);
    for (std::size_t k = 0; k < p.voci.size(); ++k) {
        e.txtNodo += std::to_string(p.voci[k].label);
        e.txtNodo += p.segniSucc[k];
    }
    e.TxtOri = p.TxtOri;
    int contatore = primoNuovo;
    for (std::size_t r = 1; r < p.vecchie.size(); ++r) {
        const int vecchia = p.vecchie[r];
        if (vecchia < kEtichettaNuova) {
            e.nomi.push_back(static_cast<std::size_t>(vecchia) < nomiVecchi.size()
                                 ? nomiVecchi[static_cast<std::size_t>(vecchia)]
                                 : std::string());
        } else {
            ++contatore;
            e.nomi.push_back(cursoreListaUg >= 0
                                 ? std::to_string(cursoreListaUg) + "x" + std::to_string(contatore)
                                 : std::to_string(contatore));
        }
    }
    e.nuoviIncroci = p.nuoviIncroci;
    return e;
}

Result<NuovoNodo> RiscritturaPonte::riscrivi(const std::vector<int>& ponte,
                                             const std::vector<int>& attraversati,
                                             const std::vector<int>& regioni, char ab1,
                                             int& ContaNuoviIncroci, long cursoreListaUg) {
    PassaggiRiscritti p;
    if (Status esito = passaggi(ponte, attraversati, regioni, ab1, p); !esito) return rifiuta(esito.error());
    NuovoNodo e = nodo(p, ContaNuoviIncroci, cursoreListaUg);
    ContaNuoviIncroci += p.nuoviIncroci;
    return e;
}

Result<NuovoNodo> NuovoNodoDaPonte(const Diagram& d, const MossaScelta& mossa, char ab1,
                                   int& ContaNuoviIncroci, long cursoreListaUg) {
    if (ab1 != '+' && ab1 != '-') return rifiuta("the sign pair is not + or -");
    RiscritturaPonte r(d);
    return r.riscrivi(numeriLista(mossa.ListaArchiMossa), numeriLista(mossa.ListaArchiAttraversati),
                      numeriLista(mossa.ListaRegioniMossa), ab1, ContaNuoviIncroci, cursoreListaUg);
}

}  // namespace trevalon
