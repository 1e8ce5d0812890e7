#include "moves/bridge_rewrite.h"

#include <span>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <type_traits>

#include "model/sides.h"
#include "model/structure.h"
#include "moves/bridge_lists.h"
#include "moves/compare.h"
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

// True when verificaMossa would accept the move: the same checks, told without saying why.
bool mossaAccettabile(const Diagram& d, int nOld, const std::vector<int>& ponte,
                      const std::vector<int>& attraversati, const std::vector<int>& regioni) {
    if (ponte.empty() || regioni.size() != attraversati.size() + 1) return false;
    const auto tetto = static_cast<unsigned>(std::max(0, std::min({d.NumArchi, nOld, kMaxArchi})));
    auto fuori = [tetto](int a) { return static_cast<unsigned>(a) - 1u >= tetto; };
    for (int a : ponte)
        if (fuori(a)) return false;
    const int* y = attraversati.data();
    const std::size_t m = attraversati.size();
    for (std::size_t w = 0; w < m; ++w) {
        if (fuori(y[w])) return false;
        for (std::size_t u = 0; u < w; ++u)
            if (y[u] == y[w]) return false;
        for (int a : ponte)
            if (a == y[w]) return false;
    }
    return true;
}

// The crossings of a text in pairs written at their passages' new places `nuova` (by old passage; n for
// a deleted one: both of its crossing's items go to the copy's first place, which is written over), each
// passage as 2 * (steps forward to its partner in the new text of n passages) + its sign.
template <class T>
void scriviCoppie(const int* nuova, const RiscritturaPonte::Coppia* coppie, std::size_t quante, int n,
                  T* passi) {
    for (std::size_t c = 0; c < quante; ++c) {
        const RiscritturaPonte::Coppia& x = coppie[c];
        const int p = nuova[x.primo], q = nuova[x.secondo];
        const int passi1 = q - p;
        passi[p] = static_cast<T>(2 * passi1 + x.segnoPrimo);
        passi[q] = static_cast<T>(2 * (n - passi1) + x.segnoSecondo);
    }
}

}  // namespace

RiscritturaPonte::RiscritturaPonte(const Diagram& d) {
    prepara(d);
}

void RiscritturaPonte::prepara(const Diagram& d) {
    d_ = &d;
    // The passages are read into the tables of the diagram before.
    if (!voci_) voci_.emplace();
    if (!leggiVociScifta(d.txtNodo, *voci_)) voci_.reset();
    // What the last diagram left: its checked arcs and known corners, and the text in pairs.
    arcoValido_.assign(arcoValido_.size(), 0);
    inCoppie_ = false;
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
    // The tables by label are only grown: an entry counts only where its stamp is the current round's, and
    // the rounds go on from one diagram to the next, so that the search does not clear them for every one.
    const std::size_t etichette =
        static_cast<std::size_t>(std::max(std::min(massima, 4 * kMaxArchi), kEtichettaNuova + nOld)) + 1;
    if (nuovaDi_.size() < etichette) {
        nuovaDi_.resize(etichette, 0);
        timbro_.resize(etichette, 0);
    }
    // The old items as a list, and the places of each label in the old text (labels the table holds).
    const std::size_t n = static_cast<std::size_t>(nOld) + 1;
    etichette_.resize(n);
    segni_.resize(n);
    origini_.resize(n);
    dopo_.resize(n);
    prima_.resize(n);
    for (int k = 1; k <= nOld; ++k) {
        const std::size_t u = static_cast<std::size_t>(k);
        etichette_[u] = sorgente_[u].label;
        segni_[u] = sorgente_[u].segnoSucc;
        origini_[u] = k;
        dopo_[u] = k == nOld ? 1 : k + 1;
        prima_[u] = k == 1 ? nOld : k - 1;
    }
    const int tetto = std::min(massima, 4 * kMaxArchi);
    primaPosizione_.assign(static_cast<std::size_t>(tetto) + 2, 0);
    for (int k = 1; k <= nOld; ++k)
        if (const int l = sorgente_[static_cast<std::size_t>(k)].label; l >= 0 && l <= tetto)
            ++primaPosizione_[static_cast<std::size_t>(l) + 1];
    for (std::size_t l = 1; l < primaPosizione_.size(); ++l) primaPosizione_[l] += primaPosizione_[l - 1];
    posizioni_.assign(static_cast<std::size_t>(primaPosizione_.back()), 0);
    std::vector<int>& riempite = riempite_;
    riempite.assign(primaPosizione_.begin(), primaPosizione_.end() - 1);
    for (int k = 1; k <= nOld; ++k)
        if (const int l = sorgente_[static_cast<std::size_t>(k)].label; l >= 0 && l <= tetto)
            posizioni_[static_cast<std::size_t>(riempite[static_cast<std::size_t>(l)]++)] = k;
    regioneAngolo_.assign(static_cast<std::size_t>(std::max(d.NumIncroci, 0) + 1) * 5, -1);

    // The text in pairs, with labels below those of new crossings: the key is then read from the old
    // passages' partners without rewriting the text.
    compagno_.assign(n, 0);
    inCoppie_ = nOld >= 2;
    for (int k = 1; k <= nOld && inCoppie_; ++k) {
        const int l = sorgente_[static_cast<std::size_t>(k)].label;
        if (l < 1 || l >= kEtichettaNuova ||
            primaPosizione_[static_cast<std::size_t>(l) + 1] - primaPosizione_[static_cast<std::size_t>(l)] !=
                2) {
            inCoppie_ = false;
            break;
        }
        const int* due = posizioni_.data() + primaPosizione_[static_cast<std::size_t>(l)];
        compagno_[static_cast<std::size_t>(k)] = due[0] == k ? due[1] : due[0];
    }
    if (inCoppie_) {
        coppie_.clear();
        for (int k = 1; k <= nOld; ++k)
            if (const int c = compagno_[static_cast<std::size_t>(k)]; c > k)
                coppie_.push_back({k, c, segnoVecchio(k) == '+' ? 1 : 0, segnoVecchio(c) == '+' ? 1 : 0});
        // All 0 between rewrites: made once.
        if (cancellataEt_.size() != static_cast<std::size_t>(kEtichettaNuova))
            cancellataEt_.assign(static_cast<std::size_t>(kEtichettaNuova), 0);
        inseritaDopo_.assign(n, 0);
        nuovaPosizione_.assign(n, 0);
        passo_.assign(n, 1);
        // The arcs' start crossings in a table of their own (the move's checks keep the arcs within it),
        // and by crossing label the first of its passages with either own sign.
        const int archi = std::max(0, std::min({d.NumArchi, nOld, kMaxArchi}));
        incrocioDa_.resize(static_cast<std::size_t>(archi) + 1);
        for (int a = 1; a <= archi; ++a)
            incrocioDa_[static_cast<std::size_t>(a)] = d.archi[static_cast<std::size_t>(a)].IncrocioDa;
        // Whether a new crossing on each arc passes incrocioNuovoValido's check, found for every arc at
        // once: the candidates of a diagram cross most of its arcs.
        if (arcoValido_.size() < incrocioDa_.size()) arcoValido_.resize(incrocioDa_.size(), 0);
        for (int a = 1; a <= archi; ++a) {
            const int X = incrocioDa_[static_cast<std::size_t>(a)];
            arcoValido_[static_cast<std::size_t>(a)] =
                static_cast<char>(X >= 1 && X <= d.NumIncroci && latoUscita(d, X, a) >= 1);
        }
        for (std::vector<int>& inizi : inizioPerSegno_) inizi.assign(static_cast<std::size_t>(tetto) + 1, 0);
        for (int k = nOld; k >= 1; --k)
            inizioPerSegno_[segnoVecchio(k) == '+' ? 1 : 0]
                           [static_cast<std::size_t>(sorgente_[static_cast<std::size_t>(k)].label)] = k;
    }
}

bool RiscritturaPonte::latoDestro(int x, int lato, int reg) {
    const int d2 = lato % 4 + 1;
    // The region of the corner is found once per crossing and side: the diagram does not change.
    int& trovata = regioneAngolo_[static_cast<std::size_t>(x) * 5 + static_cast<std::size_t>(d2)];
    if (trovata < 0) {
        trovata = 0;
        const std::string codice = GeneraPerimetro(*d_, x, d2);
        if (!codice.empty())
            for (int r = 1; r <= d_->NumRegioni && static_cast<std::size_t>(r) < d_->CodRegione.size(); ++r)
                if (d_->CodRegione[static_cast<std::size_t>(r)] == codice) {
                    trovata = r;
                    break;
                }
    }
    if (trovata > 0) return trovata == reg;
    const int A = d_->incroci[static_cast<std::size_t>(x)].ArcoLato[static_cast<std::size_t>(d2)];
    return A >= 1 && A <= d_->NumArchi &&
           (d_->archi[static_cast<std::size_t>(A)].Reg1 == reg ||
            d_->archi[static_cast<std::size_t>(A)].Reg2 == reg);
}

std::span<const int> RiscritturaPonte::posizioniVecchie(int x0, int nOld) {
    if (x0 >= 0 && static_cast<std::size_t>(x0) + 1 < primaPosizione_.size()) {
        const std::size_t da = static_cast<std::size_t>(primaPosizione_[static_cast<std::size_t>(x0)]);
        const std::size_t a = static_cast<std::size_t>(primaPosizione_[static_cast<std::size_t>(x0) + 1]);
        return std::span<const int>(posizioni_).subspan(da, a - da);
    }
    posizioniInizio_.clear();
    for (int k = 1; k <= nOld; ++k)
        if (sorgente_[static_cast<std::size_t>(k)].label == x0) posizioniInizio_.push_back(k);
    return posizioniInizio_;
}

Status RiscritturaPonte::vive(const std::vector<int>& ponte, const std::vector<int>& attraversati,
                              const std::vector<int>& regioni, char ab1) {
    vivi_.clear();
    propri_.clear();
    const Diagram& d = *d_;
    if (ab1 != '+' && ab1 != '-') return rifiuta("the sign pair is not + or -");
    if (!voci_) return rifiuta("the Gauss code cannot be read");
    const int nOld = static_cast<int>(voci_->size());
    if (Status esito = verificaMossa(d, nOld, ponte, attraversati, regioni); !esito) return esito;
    const std::size_t totale = static_cast<std::size_t>(nOld) + 2 * attraversati.size() + 1;
    preparaLista(nOld, totale);
    Status esito = inserisciAttraversati(ponte, attraversati, ab1, nOld);
    if (esito) raccogliVive(ponte, nOld, totale);
    ripristinaVecchie(nOld);
    return esito;
}

void RiscritturaPonte::preparaLista(int nOld, std::size_t totale) {
    // 1. The old text's items 1..n as a circular list, each remembering its passage (made once, and put
    // back as it was after every rewrite); the inserted items follow them in the tables and are linked in
    // where they belong. Item 1 stays first: nothing is ever put before it, so the list read from item 1
    // is the text.
    if (etichette_.size() < totale) {
        etichette_.resize(totale);
        segni_.resize(totale);
        origini_.resize(totale);
        dopo_.resize(totale);
        prima_.resize(totale);
    }
    toccate_.clear();
    libero_ = nOld + 1;
}

void RiscritturaPonte::inserisci(int dopo, int label, char segno) {
    const std::size_t b = static_cast<std::size_t>(libero_);
    const std::size_t a = static_cast<std::size_t>(dopo);
    const int seguente = dopo_[a];
    toccate_.push_back(dopo);
    toccate_.push_back(seguente);
    etichette_[b] = label;
    segni_[b] = segno;
    origini_[b] = 0;
    dopo_[b] = seguente;
    prima_[b] = dopo;
    prima_[static_cast<std::size_t>(seguente)] = libero_;
    dopo_[a] = libero_++;
}

Status RiscritturaPonte::inserisciAttraversati(const std::vector<int>& ponte,
                                               const std::vector<int>& attraversati, char ab1, int nOld) {
    const int x0 = d_->archi[static_cast<std::size_t>(ponte.front())].IncrocioDa;
    // An inserted item's label is above kEtichettaNuova: a start crossing below it is one of the old
    // items, which keep their order, so only those are tried.
    const bool soloVecchie = x0 <= kEtichettaNuova;
    const std::span<const int> vecchie = soloVecchie ? posizioniVecchie(x0, nOld) : std::span<const int>{};
    const int* inizio = vecchie.data();
    const int* fine = vecchie.data() + vecchie.size();

    // 2. Insertions, from the last crossed arc to the first, so that the strand's new passages, always put
    // right after its start crossing, come out in route order.
    for (auto it = attraversati.rbegin(); it != attraversati.rend(); ++it) {
        const int y = *it;
        // The first item of the start crossing whose own sign begins the bridge.
        int i = 0;
        if (soloVecchie) {
            for (const int* k = inizio; k != fine; ++k)
                if (segnoProprio(*k) == ab1) {
                    i = *k;
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
    return {};
}

void RiscritturaPonte::raccogliVive(const std::vector<int>& ponte, int nOld, std::size_t totale) {
    const Diagram& d = *d_;
    // 3. Deletions: both passages of every crossing inside the bridge, marked by label (label 0 is no
    // crossing's).
    std::vector<char>& via = cancellate_;
    grandi_.clear();
    auto marca = [&](char m) {
        for (std::size_t k = 1; k < ponte.size(); ++k) {
            const int c = d.archi[static_cast<std::size_t>(ponte[k])].IncrocioDa;
            if (c < 0) continue;             // no item has a negative label
            if (c > kMaxEtichettaMarcata) {  // a table that is no diagram's: looked for directly
                if (m) grandi_.push_back(c);
                continue;
            }
            if (static_cast<std::size_t>(c) >= via.size()) via.resize(static_cast<std::size_t>(c) + 1, 0);
            via[static_cast<std::size_t>(c)] = m;
        }
    };
    marca(1);
    // 4. The surviving items in text order, each with its own sign, the sign written after the item
    // before it, deleted or not. Deleting items and giving every survivor the own sign of the next
    // survivor leaves each passage its own sign.
    vivi_.resize(totale);
    propri_.resize(totale);
    std::size_t quanti = 0;
    const char* marcate = via.data();
    const std::size_t numMarcate = via.size();
    char precedente = segni_[static_cast<std::size_t>(prima_[1])];
    // Between two old items lie only inserted ones.
    for (int k = 1; k <= nOld; ++k) {
        int j = k;
        do {
            const std::size_t u = static_cast<std::size_t>(j);
            const int label = etichette_[u];
            const bool cancellata =
                label == 0 ||
                (label > 0 && static_cast<std::size_t>(label) < numMarcate &&
                 marcate[static_cast<std::size_t>(label)]) ||
                (!grandi_.empty() && std::find(grandi_.begin(), grandi_.end(), label) != grandi_.end());
            if (!cancellata) {
                vivi_[quanti] = label;
                propri_[quanti++] = precedente;
            }
            precedente = segni_[u];
            j = dopo_[u];
        } while (j > nOld);
    }
    vivi_.resize(quanti);
    propri_.resize(quanti);
    marca(0);
}

void RiscritturaPonte::ripristinaVecchie(int nOld) {
    for (int k : toccate_) {
        if (k < 1 || k > nOld) continue;
        const std::size_t u = static_cast<std::size_t>(k);
        segni_[u] = sorgente_[u].segnoSucc;
        dopo_[u] = k == nOld ? 1 : k + 1;
        prima_[u] = k == 1 ? nOld : k - 1;
    }
}

void RiscritturaPonte::nuovoGiro() {
    ++giro_;
    if (giro_ == 0) {  // the stamps wrapped: none of them may look current
        std::fill(timbro_.begin(), timbro_.end(), 0);
        giro_ = 1;
    }
}

std::size_t RiscritturaPonte::posto(int label) {
    const std::size_t slot = static_cast<std::size_t>(label);
    if (slot >= nuovaDi_.size()) {  // only a label the text did not hold could get here
        nuovaDi_.resize(slot + 1, 0);
        timbro_.resize(slot + 1, 0);
    }
    return slot;
}

Status RiscritturaPonte::incrocioNuovoValido(int label) {
    const Diagram& d = *d_;
    // The crossed arc must start at a crossing that holds it: its letter is read there. Known once per
    // arc: the diagram does not change.
    const int y = label - kEtichettaNuova;
    // cppcheck-suppress knownConditionTrueFalse ; a bound checked, whatever the callers pass today
    if (y >= 0 && static_cast<std::size_t>(y) < arcoValido_.size() &&
        arcoValido_[static_cast<std::size_t>(y)])
        return {};
    const int X = d.archi[static_cast<std::size_t>(y)].IncrocioDa;
    if (X < 1 || X > d.NumIncroci) return rifiuta("crossed arc " + std::to_string(y) + " has no start");
    if (latoUscita(d, X, y) < 1)
        return rifiuta("crossed arc " + std::to_string(y) + " is not held by its crossing");
    if (y >= 0) {
        if (static_cast<std::size_t>(y) >= arcoValido_.size())
            arcoValido_.resize(static_cast<std::size_t>(y) + 1, 0);
        arcoValido_[static_cast<std::size_t>(y)] = 1;
    }
    return {};
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
    Status fatta;
    if (!viveInCoppie(ponte, attraversati, regioni, ab1, fatta))
        fatta = vive(ponte, attraversati, regioni, ab1);
    if (!fatta) return fatta;
    const std::vector<int>& vivi = vivi_;
    if (vivi.empty()) {
        e.nodoBanale = true;
        return {};
    }

    // 5. Renumbering by first appearance.
    nuovoGiro();
    e.voci.resize(vivi.size());
    e.segniSucc.resize(vivi.size());
    for (std::size_t v = 0; v < vivi.size(); ++v) {
        const int label = vivi[v];
        const std::size_t slot = posto(label);
        if (timbro_[slot] != giro_) {
            timbro_[slot] = giro_;
            if (label >= kEtichettaNuova) {
                ++e.nuoviIncroci;
                if (Status esito = incrocioNuovoValido(label); !esito) return esito;
            }
            e.vecchie.push_back(label);
            nuovaDi_[slot] = static_cast<int>(e.vecchie.size()) - 1;
            if (nuovaDi_[slot] > kMaxIncroci)
                return rifiuta("the diagram would have more than 500 crossings");
        }
        // Each survivor is followed by the own sign of the next one, and has its own.
        e.voci[v] = {propri_[v], nuovaDi_[slot]};
        e.segniSucc[v] = propri_[v + 1 == vivi.size() ? 0 : v + 1];
    }
    if (conLettere) lettere(attraversati, regioni, ab1, e);
    return {};
}

Status RiscritturaPonte::chiave(const std::vector<int>& ponte, const std::vector<int>& attraversati,
                                const std::vector<int>& regioni, char ab1, std::string& chiave,
                                int& nuoviIncroci, bool& nodoBanale) {
    chiave.clear();
    nuoviIncroci = 0;
    nodoBanale = false;
    if (Status esito; chiaveInCoppie(ponte, attraversati, regioni, ab1, chiave, nuoviIncroci, esito))
        return esito;
    if (Status esito = vive(ponte, attraversati, regioni, ab1); !esito) return esito;
    const std::vector<int>& vivi = vivi_;
    if (vivi.empty()) {
        nodoBanale = true;
        return {};
    }
    // Each passage as 2 * (steps forward to the other passage of its crossing) + (own sign is '+'), as
    // chiaveCanonica reads the passages that passaggi writes; the labels are not renumbered, since the key
    // does not depend on them. The crossings are checked as passaggi checks them.
    const std::size_t n = vivi.size();
    const int ni = static_cast<int>(n);
    passi_.resize(2 * n);
    nuovoGiro();
    int distinte = 0;
    std::size_t coppie = 0;
    bool ognunaDueVolte = true;
    for (std::size_t k = 0; k < n; ++k) {
        const int label = vivi[k];
        const int segno = propri_[k] == '+' ? 1 : 0;
        const std::size_t slot = posto(label);
        if (timbro_[slot] != giro_) {
            timbro_[slot] = giro_;
            if (label >= kEtichettaNuova) {
                ++nuoviIncroci;
                if (Status esito = incrocioNuovoValido(label); !esito) return esito;
            }
            if (++distinte > kMaxIncroci) return rifiuta("the diagram would have more than 500 crossings");
            nuovaDi_[slot] = static_cast<int>(k);
            passi_[k] = segno;
        } else if (nuovaDi_[slot] < 0) {
            ognunaDueVolte = false;  // a third passage
        } else {
            const int primo = nuovaDi_[slot];
            const int passi = static_cast<int>(k) - primo;
            passi_[static_cast<std::size_t>(primo)] += 2 * passi;
            passi_[k] = 2 * (ni - passi) + segno;
            nuovaDi_[slot] = -1;
            ++coppie;
        }
    }
    if (ognunaDueVolte && 2 * coppie == n) {
        chiaveDaPassi(passi_, chiave);
        return {};
    }
    // A crossing passed once or more than twice: the passages themselves.
    PassaggiRiscritti& p = scritti_;
    if (Status esito = passaggi(ponte, attraversati, regioni, ab1, p, false); !esito) return esito;
    chiaveCanonica(p.voci, chiave);
    return {};
}

bool RiscritturaPonte::controllaInCoppie(const std::vector<int>& ponte, const std::vector<int>& attraversati,
                                         const std::vector<int>& regioni, char ab1, Status& esito,
                                         int& inizio) {
    if (!inCoppie_ || (ab1 != '+' && ab1 != '-')) return false;
    const Diagram& d = *d_;
    const int nOld = static_cast<int>(voci_->size());
    if (!mossaAccettabile(d, nOld, ponte, attraversati, regioni)) {
        esito = verificaMossa(d, nOld, ponte, attraversati, regioni);
        return !esito;  // refused as verificaMossa says (which always refuses here)
    }
    const std::size_t m = attraversati.size();
    if (m == 0) return false;
    // The start crossing's passage that begins the bridge: the first of its two with that own sign.
    const int* da = incrocioDa_.data();
    const int x0 = da[ponte.front()];
    if (x0 < 1 || x0 >= kEtichettaNuova || static_cast<std::size_t>(x0) + 1 >= primaPosizione_.size())
        return false;
    inizio = inizioPerSegno_[ab1 == '+' ? 1 : 0][static_cast<std::size_t>(x0)];
    if (inizio == 0) {
        esito = rifiuta("the bridge's start crossing is not in the Gauss code");
        return true;
    }
    // A crossed arc that starts at the start passage would have its new passage among the strand's.
    for (int y : attraversati)
        if (y == inizio) return false;
    for (std::size_t k = 1; k < ponte.size(); ++k) {
        const int c = da[ponte[k]];
        if (c < 1 || c >= kEtichettaNuova) return false;
    }
    esito = {};
    return true;
}

bool RiscritturaPonte::viveInCoppie(const std::vector<int>& ponte, const std::vector<int>& attraversati,
                                    const std::vector<int>& regioni, char ab1, Status& esito) {
    int inizio = 0;
    if (!controllaInCoppie(ponte, attraversati, regioni, ab1, esito, inizio)) return false;
    if (!esito) return true;
    const Diagram& d = *d_;
    const int nOld = static_cast<int>(voci_->size());
    const std::size_t m = attraversati.size();

    // The survivors: the old passages in order, but for those of the bridge's crossings, with the strand's
    // new passages after the start passage and each crossed arc's after its first passage. The strand's
    // new passages take the own sign of the passage after the start one, the crossed arcs' the sign of the
    // bridge's start.
    for (std::size_t k = 1; k < ponte.size(); ++k)
        cancellataEt_[static_cast<std::size_t>(d.archi[static_cast<std::size_t>(ponte[k])].IncrocioDa)] = 1;
    for (std::size_t w = 0; w < m; ++w)
        inseritaDopo_[static_cast<std::size_t>(attraversati[w])] = static_cast<int>(w) + 1;
    const char segnoFilo = sorgente_[static_cast<std::size_t>(inizio)].segnoSucc;
    vivi_.resize(static_cast<std::size_t>(nOld) + 2 * m);
    propri_.resize(vivi_.size());
    // The tables read through plain pointers: the writes below change none of them.
    int* vivi = vivi_.data();
    char* propri = propri_.data();
    const Voce* vecchie = sorgente_.data();
    const char* via = cancellataEt_.data();
    const int* dopo = inseritaDopo_.data();
    int t = 0;
    auto metti = [&](int label, char segno) {
        vivi[t] = label;
        propri[t] = segno;
        ++t;
    };
    char proprio = vecchie[nOld].segnoSucc;  // passage 1's own sign
    for (int k = 1; k <= nOld; ++k) {
        const Voce& v = vecchie[k];
        if (!via[v.label]) metti(v.label, proprio);
        proprio = v.segnoSucc;
        if (k == inizio)
            for (std::size_t w = 0; w < m; ++w) metti(attraversati[w] + kEtichettaNuova, segnoFilo);
        if (const int w = dopo[k])
            metti(attraversati[static_cast<std::size_t>(w - 1)] + kEtichettaNuova, ab1);
    }
    for (std::size_t k = 1; k < ponte.size(); ++k)
        cancellataEt_[static_cast<std::size_t>(d.archi[static_cast<std::size_t>(ponte[k])].IncrocioDa)] = 0;
    for (int y : attraversati) inseritaDopo_[static_cast<std::size_t>(y)] = 0;
    vivi_.resize(static_cast<std::size_t>(t));
    propri_.resize(static_cast<std::size_t>(t));
    esito = {};
    return true;
}

bool RiscritturaPonte::chiaveInCoppie(const std::vector<int>& ponte, const std::vector<int>& attraversati,
                                      const std::vector<int>& regioni, char ab1, std::string& chiave,
                                      int& nuoviIncroci, Status& esito) {
    int inizio = 0;
    if (!controllaInCoppie(ponte, attraversati, regioni, ab1, esito, inizio)) return false;
    if (!esito) return true;
    const int nOld = static_cast<int>(voci_->size());
    const std::size_t m = attraversati.size();
    // What changes along the old text, by old passage: how many places of the new text the passage and
    // what follows it take before the next old passage. The bridge's crossings' passages are deleted (each
    // crossing once, with both of its passages, 0 places), the strand's new passages follow the start
    // passage and each crossed arc's its first passage, none of them the same (1 place more each).
    int* passo = passo_.data();
    int tolte = 0;
    for (std::size_t k = 1; k < ponte.size(); ++k) {
        const auto x = static_cast<std::size_t>(incrocioDa_[static_cast<std::size_t>(ponte[k])]);
        if (x + 1 < primaPosizione_.size())
            for (int q = primaPosizione_[x]; q < primaPosizione_[x + 1]; ++q) {
                int& p = passo[posizioni_[static_cast<std::size_t>(q)]];
                tolte += p;  // a crossing met again is not counted twice
                p = 0;
            }
    }
    const int n = nOld - tolte + 2 * static_cast<int>(m);
    auto ripristina = [&] {
        for (std::size_t k = 1; k < ponte.size(); ++k) {
            const auto x = static_cast<std::size_t>(incrocioDa_[static_cast<std::size_t>(ponte[k])]);
            if (x + 1 < primaPosizione_.size())
                for (int q = primaPosizione_[x]; q < primaPosizione_[x + 1]; ++q) {
                    const auto j = static_cast<std::size_t>(posizioni_[static_cast<std::size_t>(q)]);
                    passo[j] = 1;
                    nuovaPosizione_[j] = n;  // a deleted passage's item goes to the copy's first place
                }
        }
        passo[inizio] = 1;
        for (int y : attraversati) passo[y] = 1;
    };
    if (n / 2 > kMaxIncroci) {
        ripristina();
        esito = rifiuta("the diagram would have more than 500 crossings");
        return true;
    }
    for (int y : attraversati)
        if (!arcoGiaValido(y))
            if (Status s = incrocioNuovoValido(y + kEtichettaNuova); !s) {
                ripristina();
                esito = s;
                return true;
            }
    nuoviIncroci = static_cast<int>(m);
    // The new passages' places are first those after the old passage they follow (whether it is kept), and
    // each old passage's place is the sum of the places before it; a deleted passage's is then n, the
    // copy's first place, which the copy writes over.
    posizioniNuove_.resize(2 * m);
    int* sulFilo = posizioniNuove_.data();
    int* sullArco = sulFilo + m;
    const int tieneInizio = passo[inizio];
    passo[inizio] += static_cast<int>(m);
    for (std::size_t w = 0; w < m; ++w) {
        const auto y = static_cast<std::size_t>(attraversati[w]);
        sullArco[w] = passo[y];
        ++passo[y];
    }
    int* nuova = nuovaPosizione_.data();
    int t = 0;
    for (int k = 1; k <= nOld; ++k) {
        nuova[k] = t;
        t += passo[k];
    }
    for (std::size_t u = 0; u < m; ++u) sulFilo[u] = nuova[inizio] + tieneInizio + static_cast<int>(u);
    for (std::size_t w = 0; w < m; ++w) sullArco[w] += nuova[attraversati[w]];
    ripristina();
    // Each passage as 2 * (steps forward to its partner) + (own sign is '+'), as chiave reads them,
    // written twice (each item also n places on).
    const int segnoFilo = sorgente_[static_cast<std::size_t>(inizio)].segnoSucc == '+' ? 1 : 0;
    const int segnoArco = ab1 == '+' ? 1 : 0;
    auto scrivi = [&](auto* passi) {
        using T = std::remove_pointer_t<decltype(passi)>;
        scriviCoppie(nuova, coppie_.data(), coppie_.size(), n, passi);
        for (std::size_t w = 0; w < m; ++w) {
            int dist = sullArco[w] - sulFilo[w];
            if (dist < 0) dist += n;
            passi[sulFilo[w]] = static_cast<T>(2 * dist + segnoFilo);
            passi[sullArco[w]] = static_cast<T>(2 * (n - dist) + segnoArco);
        }
        std::copy(passi, passi + n, passi + n);
    };
    const auto un = static_cast<std::size_t>(n);
    if (2 * n + 1 <= 255) {
        passiByte_.resize(2 * un);
        scrivi(passiByte_.data());
        chiaveDaPassiByte(passiByte_.data(), un, dietroByte_, chiave);
        return true;
    }
    passi_.resize(2 * un);
    scrivi(passi_.data());
    IniziChiave inizi;
    for (std::size_t q = 0; q < un; ++q) inizi.segna(static_cast<std::uint32_t>(q), passi_[q]);
    chiaveDaPassiDoppi(passi_, inizi, chiave);
    return true;
}

void RiscritturaPonte::lettere(const std::vector<int>& attraversati, const std::vector<int>& regioni,
                               char ab1, PassaggiRiscritti& e) {
    const Diagram& d = *d_;
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
