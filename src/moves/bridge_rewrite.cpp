#include "moves/bridge_rewrite.h"

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

constexpr int kEtichettaNuova = 1000;  // temporary labels of new crossings: crossed arc + 1000

// One item of the text: a label followed by the sign of the next passage; `origine` is the old passage
// it comes from (0 for an inserted item).
struct Voce {
    int label = 0;
    char segnoSucc = 0;
    int origine = 0;
};

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

// True when region `reg` lies on the right of arc e as it leaves crossing x at side `lato`: in the corner
// between that side and the next one clockwise. That corner's face is the one walked from the next side
// (the walk keeps its face on the left). The region beside the arc at the next side is not enough: at a
// crossing with a curl the same region can lie in two corners.
bool latoDestro(const Diagram& d, int x, int lato, int reg) {
    const int d2 = lato % 4 + 1;
    const std::string codice = GeneraPerimetro(d, x, d2);
    if (!codice.empty())
        for (int r = 1; r <= d.NumRegioni && static_cast<std::size_t>(r) < d.CodRegione.size(); ++r)
            if (d.CodRegione[static_cast<std::size_t>(r)] == codice) return r == reg;
    const int A = d.incroci[static_cast<std::size_t>(x)].ArcoLato[static_cast<std::size_t>(d2)];
    return A >= 1 && A <= d.NumArchi &&
           (d.archi[static_cast<std::size_t>(A)].Reg1 == reg ||
            d.archi[static_cast<std::size_t>(A)].Reg2 == reg);
}

}  // namespace

Result<NuovoNodo> NuovoNodoDaPonte(const Diagram& d, const MossaScelta& mossa, char ab1,
                                   int& ContaNuoviIncroci, long cursoreListaUg) {
    if (ab1 != '+' && ab1 != '-') return rifiuta("the sign pair is not + or -");
    auto voci = leggiVociScifta(d.txtNodo);
    if (!voci) return rifiuta("the Gauss code cannot be read");
    const int nOld = static_cast<int>(voci->size());
    const std::vector<int> ponte = numeriLista(mossa.ListaArchiMossa);
    const std::vector<int> attraversati = numeriLista(mossa.ListaArchiAttraversati);
    const std::vector<int> regioni = numeriLista(mossa.ListaRegioniMossa);
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

    // 1. Items of the old text, each remembering its passage.
    std::vector<Voce> items(1);  // index 0 unused
    for (int k = 1; k <= nOld; ++k)
        items.push_back({(*voci)[static_cast<std::size_t>(k - 1)].label,
                         (*voci)[static_cast<std::size_t>(k % nOld)].sign, k});
    const std::vector<Voce> sorgente = items;  // never shifted: item k is old passage k
    auto n = [&] { return static_cast<int>(items.size()) - 1; };
    auto segnoProprio = [&](int i) {
        return items[static_cast<std::size_t>(i == 1 ? n() : i - 1)].segnoSucc;
    };
    const int x0 = d.archi[static_cast<std::size_t>(ponte.front())].IncrocioDa;

    // 2. Insertions, from the last crossed arc to the first, so that the strand's new passages, always put
    // right after its start crossing, come out in route order.
    for (auto it = attraversati.rbegin(); it != attraversati.rend(); ++it) {
        const int y = *it;
        int i = 0;
        for (int k = 1; k <= n() && i == 0; ++k)
            if (items[static_cast<std::size_t>(k)].label == x0 && segnoProprio(k) == ab1) i = k;
        if (i == 0) return rifiuta("the bridge's start crossing is not in the Gauss code");
        const int src = items[static_cast<std::size_t>(i)].origine;
        const char segno = src > 0 ? sorgente[static_cast<std::size_t>(src)].segnoSucc
                                   : items[static_cast<std::size_t>(i)].segnoSucc;
        items.insert(items.begin() + i + 1, Voce{y + kEtichettaNuova, segno, 0});

        int j = 0;
        for (int k = 1; k <= n() && j == 0; ++k)
            if (items[static_cast<std::size_t>(k)].origine == y) j = k;
        if (j == 0) return rifiuta("the passage of crossed arc " + std::to_string(y) + " is not in the code");
        items.insert(items.begin() + j + 1,
                     Voce{y + kEtichettaNuova, sorgente[static_cast<std::size_t>(y)].segnoSucc, 0});
        items[static_cast<std::size_t>(j)].segnoSucc = ab1;
    }

    // 3. Deletions: both passages of every crossing inside the bridge.
    for (std::size_t k = 1; k < ponte.size(); ++k) {
        const int c = d.archi[static_cast<std::size_t>(ponte[k])].IncrocioDa;
        for (std::size_t i = 1; i < items.size(); ++i)
            if (items[i].label == c) items[i].label = 0;
    }

    // 4. Sign repair: every surviving item takes the own sign of the next surviving item.
    std::vector<int> vivi;
    for (int i = 1; i <= n(); ++i)
        if (items[static_cast<std::size_t>(i)].label != 0) vivi.push_back(i);
    if (vivi.empty()) {
        NuovoNodo e;
        e.nodoBanale = true;
        e.nomi.assign(1, std::string());
        return e;
    }
    {
        std::vector<char> nuovi(vivi.size());
        for (std::size_t v = 0; v < vivi.size(); ++v) nuovi[v] = segnoProprio(vivi[(v + 1) % vivi.size()]);
        for (std::size_t v = 0; v < vivi.size(); ++v)
            items[static_cast<std::size_t>(vivi[v])].segnoSucc = nuovi[v];
    }

    // 5. Renumbering by first appearance, with letters and names.
    struct Record {
        int vecchia = 0;
        char lettera = 0;
        std::string nome;
    };
    std::vector<Record> records(1);
    std::vector<int> nuovaDi;  // new label per old label (dense lookup)
    auto cerca = [&](int c) -> int& {
        if (static_cast<std::size_t>(c) >= nuovaDi.size()) nuovaDi.resize(static_cast<std::size_t>(c) + 1, 0);
        return nuovaDi[static_cast<std::size_t>(c)];
    };
    int contatore = ContaNuoviIncroci;
    std::string t;
    for (int i : vivi) {
        const Voce& v = items[static_cast<std::size_t>(i)];
        int& nl = cerca(v.label);
        if (nl == 0) {
            Record r;
            r.vecchia = v.label;
            if (v.label < kEtichettaNuova) {
                if (static_cast<std::size_t>(v.label) <= d.TxtOri.size())
                    r.lettera = d.TxtOri[static_cast<std::size_t>(v.label) - 1];
                if (static_cast<std::size_t>(v.label) < d.NomiIncroci.size())
                    r.nome = d.NomiIncroci[static_cast<std::size_t>(v.label)];
            } else {
                ++contatore;
                r.nome = cursoreListaUg >= 0
                             ? std::to_string(cursoreListaUg) + "x" + std::to_string(contatore)
                             : std::to_string(contatore);
                // Letter: which way the strand crosses arc e, told by the region it comes from.
                const int e = v.label - kEtichettaNuova;
                const int X = d.archi[static_cast<std::size_t>(e)].IncrocioDa;
                if (X < 1 || X > d.NumIncroci)
                    return rifiuta("crossed arc " + std::to_string(e) + " has no start");
                const int lato = latoUscita(d, X, e);
                if (lato < 1)
                    return rifiuta("crossed arc " + std::to_string(e) + " is not held by its crossing");
                std::size_t w = 0;
                for (std::size_t u = 0; u < attraversati.size(); ++u)
                    if (attraversati[u] == e) w = u;
                const int segno = latoDestro(d, X, lato, regioni[w]) ? 1 : -1;
                r.lettera = (ab1 == '+' ? -segno : segno) == 1 ? 'V' : 'O';
            }
            records.push_back(std::move(r));
            nl = static_cast<int>(records.size()) - 1;
            if (nl > kMaxIncroci) return rifiuta("the diagram would have more than 500 crossings");
        }
        t += std::to_string(nl);
        t += v.segnoSucc;
    }

    NuovoNodo e;
    e.txtNodo = std::move(t);
    e.nomi.assign(1, std::string());
    for (std::size_t r = 1; r < records.size(); ++r) {
        if (records[r].lettera) e.TxtOri += records[r].lettera;
        e.nomi.push_back(records[r].nome);
    }
    e.nuoviIncroci = contatore - ContaNuoviIncroci;
    ContaNuoviIncroci = contatore;
    return e;
}

}  // namespace trevalon
