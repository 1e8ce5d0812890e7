#include "layout/cell_lists.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "layout/cell_access.h"
#include "layout/developer_hook.h"
#include "layout/straightening_notes.h"
#include "model/sides.h"

namespace trevalon {

namespace {

// A cell's place in the list being cleaned, -1 for none. The index table keeps it plus one, so that a
// fresh table, zeroed, holds no place without being filled first.
class PostoInLista {
  public:
    explicit PostoInLista(std::int32_t& cella) : cella_(cella) {}
    operator int() const { return cella_ - 1; }
    PostoInLista& operator=(int posto) {
        cella_ = posto + 1;
        return *this;
    }

  private:
    std::int32_t& cella_;
};

}  // namespace

bool arcoValido(int arco) {
    return arco >= 1 && arco <= kMaxArchi;
}

void cancellaAnelli(Diagram& d, LayoutState& s, int arco, bool chiedi) {
    auto at = [&](Punto p) { return PostoInLista{s.indiceCella.at(p.r, p.c)}; };
    std::vector<Punto> out;
    out.reserve(s.punti.size());
    std::vector<Punto> tolti;
    auto tronca = [&](std::size_t n) {
        while (out.size() > n) {
            at(out.back()) = -1;
            tolti.push_back(out.back());
            out.pop_back();
        }
    };
    for (const Punto& p : s.punti) {
        if (!cellaDellArco(d, arco, p.r, p.c)) continue;
        if (const int j = at(p); j >= 0) {
            tronca(static_cast<std::size_t>(j) + 1);
            continue;
        }
        int m = -1;
        for (int dir = 1; dir <= 4; ++dir) {
            int dr = 0, dc = 0;
            passoDi(dir, dr, dc);
            const Punto q{p.r + dr, p.c + dc};
            if (!CellTable::inside(q.r, q.c)) continue;
            if (const int j = at(q); j >= 0 && (m < 0 || j < m)) m = j;
        }
        if (m >= 0 && static_cast<std::size_t>(m) + 1 < out.size()) tronca(static_cast<std::size_t>(m) + 1);
        at(p) = static_cast<int>(out.size());
        out.push_back(p);
        if (chiedi && s.hook) s.hook->pausaPunto(d, p.r, p.c, static_cast<int>(out.size()));
    }
    for (const Punto& p : tolti)
        if (at(p) < 0 && cellaDellArco(d, arco, p.r, p.c)) {
            CellaNodo& x = d.TblNodo.at(p.r, p.c);
            svuota(x);
            x.Posizione = 0;
            notaCambiata(s, p.r, p.c);
        }
    for (const Punto& p : out) at(p) = -1;
    s.punti = std::move(out);
    for (std::size_t i = 0; i < s.punti.size(); ++i)
        d.TblNodo.at(s.punti[i].r, s.punti[i].c).Posizione = static_cast<int>(i) + 1;
}

void segnaPulito(LayoutState& s, int arco) {
    if (!s.percorsiInMemoria) return;
    bool pulito = s.BufferPunti.size() == s.punti.size();
    std::size_t k = 0;
    for (; pulito && k < s.BufferPunti.size(); ++k) {
        PostoInLista x{s.indiceCella.at(s.BufferPunti[k].r, s.BufferPunti[k].c)};
        pulito = x < 0;
        // cppcheck-suppress unreadVariable ; x writes through to the index table
        x = 0;
    }
    for (std::size_t j = 0; j < k; ++j)
        PostoInLista{s.indiceCella.at(s.BufferPunti[j].r, s.BufferPunti[j].c)} = -1;
    s.percorsoPulito[arco] = static_cast<char>(pulito);
}

void ListaCelle(Diagram& d, LayoutState& s, int arco, bool chiedi) {
    if (!arcoValido(arco)) return;
    const Arco& a = d.archi[arco];
    const std::string testo = a.PuntiExtra + a.Percorso;
    // The first piece, before the first "|", is not an item.
    const auto bar = testo.find('|');
    s.punti.clear();
    if (bar == std::string::npos) return;
    ListaCelle(d, s, arco, leggiVociPercorso(std::string_view(testo).substr(bar + 1)), chiedi);
}

void ListaCelle(Diagram& d, LayoutState& s, int arco, const std::vector<Punto>& voci, bool chiedi) {
    if (!arcoValido(arco)) return;
    s.punti.clear();
    for (const Punto& p : voci) {
        if (!s.punti.empty() && s.punti.back() == p) continue;
        if (!CellTable::inside(p.r, p.c)) continue;
        s.punti.push_back(p);
        if (liberaPerArco(d, arco, p.r, p.c)) {
            CellaNodo& x = d.TblNodo.at(p.r, p.c);
            x.Tipo = 'A';
            x.Numero = arco;
            x.Posizione = static_cast<int>(s.punti.size());
        }
        if (chiedi && s.hook) s.hook->pausaPunto(d, p.r, p.c, static_cast<int>(s.punti.size()));
    }
    PuntiDaEl(d, s, arco, chiedi);
}

std::vector<Punto> celleDelCorso(const Diagram& d, int arco) {
    std::vector<Punto> out;
    if (!arcoValido(arco) || arco > d.NumArchi) return out;
    const int k = d.archi[static_cast<std::size_t>(arco)].IncrocioDa;
    if (k < 1 || k > kMaxIncroci || k > d.NumIncroci) return out;
    const Incrocio& da = d.incroci[static_cast<std::size_t>(k)];
    // The side the arc leaves its start crossing by; without the sides of the crossing, the side with a cell
    // of the arc beside it.
    int lato = 0;
    for (int l = 1; l <= 4 && lato == 0; ++l)
        if (da.ArcoLato[static_cast<std::size_t>(l)] == arco &&
            da.VersoLato[static_cast<std::size_t>(l)] == 'U')
            lato = l;
    for (int l = 1; l <= 4 && lato == 0; ++l) {
        int dr = 0, dc = 0;
        passoDi(l, dr, dc);
        if (cellaDellArco(d, arco, da.Riga + dr, da.Colonna + dc)) lato = l;
    }
    int r = da.Riga, c = da.Colonna;
    while (lato != 0) {
        int dr = 0, dc = 0;
        passoDi(lato, dr, dc);
        r += dr;
        c += dc;
        if (!cellaDellArco(d, arco, r, c)) break;
        const Punto p{r, c};
        // A course that comes back to a cell it passed is a ring of its own: the walk ends there.
        if (std::find(out.begin(), out.end(), p) != out.end()) break;
        out.push_back(p);
        const auto [l1, l2] = latiDellaForma(d.TblNodo.at(r, c).Forma);
        const int entrata = latoOpposto(lato);
        lato = l1 == entrata ? l2 : l2 == entrata ? l1 : 0;
    }
    return out;
}

void RiparaArchi(Diagram& d, LayoutState& s) {
    for (int pass = 0; pass < 2; ++pass)
        for (int a = 1; a <= d.NumArchi; ++a)
            if (!d.archi[a].Percorso.empty()) ListaCelle(d, s, a, false);
}

void VerificaListacelle(Diagram& d, LayoutState& s, int arco) {
    s.punti.clear();
    if (!arcoValido(arco)) return;
    for (const Punto& p : puntiPercorso(d, s, arco)) {
        if (arco == 538 && s.hook) s.hook->marcaCella(d, p.r, p.c, "V");
        if (cellaDellArco(d, arco, p.r, p.c)) s.punti.push_back(p);
    }
}

void SplittaListacelle(Diagram& d, LayoutState& s, int arco) {
    s.punti.clear();
    if (!arcoValido(arco)) return;
    for (const Punto& p : puntiPercorso(d, s, arco)) {
        if (!CellTable::inside(p.r, p.c)) continue;
        s.punti.push_back(p);
        if (liberaPerArco(d, arco, p.r, p.c)) {
            CellaNodo& x = d.TblNodo.at(p.r, p.c);
            const bool vuota = x.Tipo != 'A';
            x.Tipo = 'A';
            x.Numero = arco;
            if (vuota) notaCambiata(s, p.r, p.c, true);
        }
    }
}

void ComponiListaCelle(Diagram& d, LayoutState& s, int arco) {
    if (!arcoValido(arco)) return;
    s.BufferPunti.clear();
    for (std::size_t i = 0; i < s.punti.size(); ++i) {
        const Punto p = s.punti[i];
        if (!cellaDellArco(d, arco, p.r, p.c)) continue;
        if (i > 0 && s.punti[i - 1] == p) continue;
        s.BufferPunti.push_back(p);
        d.TblNodo.at(p.r, p.c).Posizione = static_cast<int>(i) + 1;
    }
    scriviPercorso(d, s, arco, s.BufferPunti);
}

void PuntiDaEl(Diagram& d, LayoutState& s, int arco, bool chiedi) {
    if (!arcoValido(arco)) return;
    s.tick();
    std::vector<Punto> uniti;
    uniti.reserve(s.punti.size());
    for (const Punto& p : s.punti)
        if (uniti.empty() || !(uniti.back() == p)) uniti.push_back(p);
    s.punti = std::move(uniti);
    cancellaAnelli(d, s, arco, chiedi);
    s.BufferPunti = s.punti;
    scriviPercorso(d, s, arco, s.punti);
}

bool VerificaRettangoloVuoto(const Diagram& d, int arco, int r1, int c1, int r2, int c2) {
    for (int r = std::min(r1, r2); r <= std::max(r1, r2); ++r)
        for (int c = std::min(c1, c2); c <= std::max(c1, c2); ++c)
            if (!liberaPerArco(d, arco, r, c)) return false;
    return true;
}

}  // namespace trevalon
