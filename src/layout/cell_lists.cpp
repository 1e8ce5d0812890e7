#include "layout/cell_lists.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <utility>

#include "layout/auto_layout.h"
#include "layout/cell_access.h"
#include "layout/developer_hook.h"

namespace trevalon {

namespace {

// The leading number of the text from b to e ("12" of "12+", 0 when there is none): spaces, a sign and
// digits, read while the value is below 100000; b is left after them.
int leggiNumero(const char*& b, const char* e) {
    while (b < e && *b == ' ') ++b;
    bool neg = false;
    if (b < e && (*b == '-' || *b == '+')) neg = *b++ == '-';
    long v = 0;
    while (b < e && *b >= '0' && *b <= '9' && v < 100000) v = v * 10 + (*b++ - '0');
    return static_cast<int>(neg ? -v : v);
}

// A cell at (r, c) has changed its kind or arc, and is now filled or empty: the straightening takes note
// of it for its row and column, and sets or clears their bits of the cell.
void cambiata(LayoutState& s, int r, int c, bool piena) {
    LayoutState::Raddrizzatura& z = s.raddrizzatura;
    if (!z.attiva || r < z.r0 || r > z.r1 || c < z.c0 || c > z.c1) return;
    const auto i = static_cast<std::size_t>(r - z.r0), j = static_cast<std::size_t>(c - z.c0);
    std::uint64_t& bitRiga = z.pieneRighe[i * static_cast<std::size_t>(z.paroleRiga) + j / 64];
    std::uint64_t& bitColonna = z.pieneColonne[j * static_cast<std::size_t>(z.paroleColonna) + i / 64];
    const std::uint64_t inRiga = std::uint64_t{1} << (j % 64), inColonna = std::uint64_t{1} << (i % 64);
    if (piena) {
        bitRiga |= inRiga;
        bitColonna |= inColonna;
    } else {
        bitRiga &= ~inRiga;
        bitColonna &= ~inColonna;
    }
    LayoutState::LineaRaddrizzata& riga = z.righe[i];
    riga.da = std::min(riga.da, c);
    riga.fine = std::max(riga.fine, c);
    riga.cambio = std::min(riga.cambio, c);
    riga.cambioFine = std::max(riga.cambioFine, c);
    LayoutState::LineaRaddrizzata& colonna = z.colonne[j];
    colonna.da = std::min(colonna.da, r);
    colonna.fine = std::max(colonna.fine, r);
    colonna.cambio = std::min(colonna.cambio, r);
    colonna.cambioFine = std::max(colonna.cambioFine, r);
}

// The same for the cells of row (or column) `linea` from place `da` to place `a`, all now filled (or all
// now empty, with `piena` false).
void riempitaFila(LayoutState& s, bool riga, int linea, int da, int a, bool piena = true) {
    LayoutState::Raddrizzatura& z = s.raddrizzatura;
    if (!z.attiva) return;
    const int primaLinea = riga ? z.r0 : z.c0, ultimaLinea = riga ? z.r1 : z.c1;
    da = std::max(da, riga ? z.c0 : z.r0);
    a = std::min(a, riga ? z.c1 : z.r1);
    if (linea < primaLinea || linea > ultimaLinea || da > a) return;
    const auto i = static_cast<std::size_t>(linea - primaLinea);
    const int primo = riga ? z.c0 : z.r0;
    std::uint64_t* bits = (riga ? z.pieneRighe.data() : z.pieneColonne.data()) +
                          i * static_cast<std::size_t>(riga ? z.paroleRiga : z.paroleColonna);
    for (int t = da; t <= a; ++t) {
        const auto j = static_cast<std::size_t>(t - primo);
        // The line across the run at this place.
        std::uint64_t* traverso = (riga ? z.pieneColonne.data() : z.pieneRighe.data()) +
                                  j * static_cast<std::size_t>(riga ? z.paroleColonna : z.paroleRiga);
        if (piena) {
            bits[j / 64] |= std::uint64_t{1} << (j % 64);
            traverso[i / 64] |= std::uint64_t{1} << (i % 64);
        } else {
            bits[j / 64] &= ~(std::uint64_t{1} << (j % 64));
            traverso[i / 64] &= ~(std::uint64_t{1} << (i % 64));
        }
        LayoutState::LineaRaddrizzata& l = (riga ? z.colonne : z.righe)[j];
        l.da = std::min(l.da, linea);
        l.fine = std::max(l.fine, linea);
        l.cambio = std::min(l.cambio, linea);
        l.cambioFine = std::max(l.cambioFine, linea);
    }
    LayoutState::LineaRaddrizzata& l = (riga ? z.righe : z.colonne)[i];
    l.da = std::min(l.da, da);
    l.fine = std::max(l.fine, a);
    l.cambio = std::min(l.cambio, da);
    l.cambioFine = std::max(l.cambioFine, a);
}

// The same, the cell read for whether it is filled.
void cambiata(LayoutState& s, int r, int c) {
    const LayoutState::Raddrizzatura& z = s.raddrizzatura;
    if (!z.attiva || r < z.r0 || r > z.r1 || c < z.c0 || c > z.c1) return;
    cambiata(s, r, c, z.tavola->at(r, c).Tipo != 0);
}

bool arcoValido(int arco) {
    return arco >= 1 && arco <= kMaxArchi;
}

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

// Loop erasure of the point list of an arc whose listed cells are stamped: a point that comes back to a
// cell listed earlier drops everything after that cell; a point next to a cell listed before its
// predecessor drops the cells between. Dropped cells are cleared; the kept ones are numbered.
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
            cambiata(s, p.r, p.c);
        }
    for (const Punto& p : out) at(p) = -1;
    s.punti = std::move(out);
    for (std::size_t i = 0; i < s.punti.size(); ++i)
        d.TblNodo.at(s.punti[i].r, s.punti[i].c).Posizione = static_cast<int>(i) + 1;
}

}  // namespace

std::vector<Punto> leggiVociPercorso(std::string_view text) {
    std::vector<Punto> out;
    out.reserve(text.size() / 8 + 1);
    const char* p = text.data();
    const char* const e = p + text.size();
    // An item runs to the next "|": its row before its first ",", its column after it. A number stops at
    // the first character that is not of it, a "," or a "|" among them.
    while (p < e) {
        const char* x = p;
        Punto q;
        q.r = leggiNumero(x, e);
        while (x < e && *x != ',' && *x != '|') ++x;
        if (x < e && *x == ',') {
            ++x;
            q.c = leggiNumero(x, e);
            while (x < e && *x != '|') ++x;
        }
        if (x == e) break;  // the text after the last "|" is not an item
        if (x > p) out.push_back(q);
        p = x + 1;
    }
    return out;
}

void aggiungiVoce(std::string& text, Punto p) {
    char buf[32];
    char* end = std::to_chars(buf, buf + 12, p.r).ptr;
    *end++ = ',';
    end = std::to_chars(end, end + 12, p.c).ptr;
    *end++ = ',';
    *end++ = '|';
    text.append(buf, end);
}

std::string scriviVociPercorso(const std::vector<Punto>& punti) {
    // Written in place: an item takes at most two ints, two commas and a bar.
    constexpr std::size_t kVoceMassima = 2 * 11 + 3;
    std::string text(punti.size() * kVoceMassima, '\0');
    char* out = text.data();
    for (const Punto& p : punti) {
        out = std::to_chars(out, out + 11, p.r).ptr;
        *out++ = ',';
        out = std::to_chars(out, out + 11, p.c).ptr;
        *out++ = ',';
        *out++ = '|';
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
    return text;
}

namespace {

// The holes of the path of arc a kept in memory closed, and the cells from the first place that waits on
// given their places.
void numeraArco(Diagram& d, LayoutState& s, int a) {
    int& da = s.numeratoFino[static_cast<std::size_t>(a)];
    if (da == LayoutState::kNumeratoTutto) return;
    std::vector<Punto>& percorso = s.percorsiMemoria[static_cast<std::size_t>(a)];
    if (static_cast<std::size_t>(da) < percorso.size()) {
        percorso.erase(std::remove_if(percorso.begin() + da, percorso.end(), buco), percorso.end());
        for (std::size_t i = static_cast<std::size_t>(da); i < percorso.size(); ++i)
            d.TblNodo.at(percorso[i].r, percorso[i].c).Posizione = static_cast<int>(i) + 1;
    }
    da = LayoutState::kNumeratoTutto;
}

}  // namespace

const std::vector<Punto>& puntiPercorso(Diagram& d, LayoutState& s, int arco) {
    if (s.percorsiInMemoria) {
        if (!s.percorsoCaricato[arco]) {
            s.percorsiMemoria[arco] = leggiVociPercorso(d.archi[arco].Percorso);
            s.percorsoCaricato[arco] = 1;
        }
        numeraArco(d, s, arco);  // read whole, without holes
        return s.percorsiMemoria[arco];
    }
    s.percorsiMemoria.resize(1);
    s.percorsiMemoria[0] = leggiVociPercorso(d.archi[arco].Percorso);
    return s.percorsiMemoria[0];
}

void scriviPercorso(Diagram& d, LayoutState& s, int arco, const std::vector<Punto>& punti) {
    if (s.percorsiInMemoria) {
        s.numeratoFino[arco] = LayoutState::kNumeratoTutto;
        s.percorsiMemoria[arco] = punti;
        s.percorsoCaricato[arco] = 1;
        s.percorsoCambiato[arco] = 1;
        s.percorsoPulito[arco] = 0;
        return;
    }
    d.archi[arco].Percorso = scriviVociPercorso(punti);
}

void tieniPercorsiInMemoria(LayoutState& s) {
    s.percorsiInMemoria = true;
    s.percorsiMemoria.assign(kMaxArchi + 1, {});
    s.percorsoCaricato.assign(kMaxArchi + 1, 0);
    s.percorsoCambiato.assign(kMaxArchi + 1, 0);
    s.percorsoPulito.assign(kMaxArchi + 1, 0);
    s.numeratoFino.assign(kMaxArchi + 1, LayoutState::kNumeratoTutto);
}

void numeraInSospeso(Diagram& d, LayoutState& s) {
    if (!s.percorsiInMemoria) return;
    for (int a = 1; a <= kMaxArchi; ++a) numeraArco(d, s, a);
}

void scriviPercorsiInSospeso(Diagram& d, LayoutState& s) {
    if (!s.percorsiInMemoria) return;
    numeraInSospeso(d, s);
    s.percorsiInMemoria = false;
    for (int a = 1; a <= kMaxArchi; ++a)
        if (s.percorsoCambiato[a]) d.archi[a].Percorso = scriviVociPercorso(s.percorsiMemoria[a]);
    s.percorsiMemoria.clear();
    s.percorsoCaricato.clear();
    s.percorsoCambiato.clear();
    s.percorsoPulito.clear();
    s.numeratoFino.clear();
}

void scartaPercorsiInSospeso(Diagram& d, LayoutState& s) {
    if (!s.percorsiInMemoria) return;
    numeraInSospeso(d, s);
    s.percorsiInMemoria = false;
    for (int a = 1; a <= d.NumArchi; ++a) d.archi[a].Percorso.clear();
    s.percorsiMemoria.clear();
    s.percorsoCaricato.clear();
    s.percorsoCambiato.clear();
    s.percorsoPulito.clear();
    s.numeratoFino.clear();
}

void consegnaPercorsiInSospeso(Diagram& d, LayoutState& s) {
    if (!s.percorsiInMemoria) return;
    numeraInSospeso(d, s);
    // A path changed in memory is as its text would read back; one not changed still reads its text.
    std::fill(s.percorsoPulito.begin(), s.percorsoPulito.end(), 0);
}

void riprendiPercorsiInMemoria(LayoutState& s) {
    if (!s.percorsiInMemoria) tieniPercorsiInMemoria(s);
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
            if (vuota) cambiata(s, p.r, p.c, true);
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

namespace {

// Whether the path just rebuilt from the point list (`ComponiListaCelle`) names distinct cells and kept
// every point, so that each is a cell of the arc numbered by its place.
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

// The cells strictly between a and b on their row, column or diagonal become arc n's cells, written in
// order from `out` on.
void tracciaDiritto(Diagram& d, LayoutState& s, Punto a, Punto b, int n, Punto* out) {
    const int dr = (b.r > a.r) - (b.r < a.r), dc = (b.c > a.c) - (b.c < a.c);
    const bool fila = (dr == 0) != (dc == 0);  // along a row or column: noted at once
    for (Punto t{a.r + dr, a.c + dc}; !(t == b); t = {t.r + dr, t.c + dc}) {
        CellaNodo& x = d.TblNodo.at(t.r, t.c);
        x.Tipo = 'A';
        x.Numero = n;
        if (!fila) cambiata(s, t.r, t.c, true);
        *out++ = t;
    }
    if (fila && dr == 0)
        riempitaFila(s, true, a.r, std::min(a.c, b.c) + 1, std::max(a.c, b.c) - 1);
    else if (fila)
        riempitaFila(s, false, a.c, std::min(a.r, b.r) + 1, std::max(a.r, b.r) - 1);
}

// One line of the straightening's area as its bits and cells.
class LineaArea {
  public:
    LineaArea(const Diagram& d, const LayoutState::Raddrizzatura& z, bool riga, int rc)
        : d_(d),
          riga_(riga),
          rc_(rc),
          first_(riga ? z.c0 : z.r0),
          last_(riga ? z.c1 : z.r1),
          parole_(riga ? z.paroleRiga : z.paroleColonna) {
        const auto i = static_cast<std::size_t>(riga ? rc - z.r0 : rc - z.c0);
        piene_ = (riga ? z.pieneRighe.data() : z.pieneColonne.data()) + i * static_cast<std::size_t>(parole_);
        // The line's cells, read in place: the cell table stores its rows one after another in one block.
        // A line that leaves the table reads the empty cell beyond it, as `cella` does.
        const bool dentro = riga ? CellTable::inside(rc, first_) && CellTable::inside(rc, last_)
                                 : CellTable::inside(first_, rc) && CellTable::inside(last_, rc);
        inizio_ = dentro ? &d.TblNodo.at(riga ? rc : first_, riga ? first_ : rc) : nullptr;
        passo_ = riga ? 1 : CellTable::kSize;
    }
    int first() const { return first_; }
    int last() const { return last_; }
    Punto punto(int t) const { return riga_ ? Punto{rc_, t} : Punto{t, rc_}; }
    const CellaNodo& cella(int t) const {
        if (inizio_) return inizio_[(t - first_) * passo_];
        const Punto p = punto(t);
        return trevalon::cella(d_, p.r, p.c);
    }
    // The first place from t on whose cell is filled (or empty, with `piena` false); past the end for none.
    int prossima(int t, bool piena = true) const {
        if (t > last_) return last_ + 1;
        const auto j = static_cast<std::size_t>(t - first_);
        std::size_t w = j / 64;
        const std::uint64_t tutte = piena ? 0 : ~std::uint64_t{0};
        std::uint64_t bits = (piene_[w] ^ tutte) & (~std::uint64_t{0} << (j % 64));
        while (bits == 0) {
            if (++w >= static_cast<std::size_t>(parole_)) return last_ + 1;
            bits = piene_[w] ^ tutte;
        }
        return std::min(last_ + 1, first_ + static_cast<int>(w * 64 + std::countr_zero(bits)));
    }
    // The last place before t whose cell is filled; before the line's start for none.
    int precedente(int t) const {
        if (t <= first_) return first_ - 1;
        const auto j = static_cast<std::size_t>(t - first_);
        std::size_t w = j / 64;
        std::uint64_t bits = j % 64 ? piene_[w] & ((std::uint64_t{1} << (j % 64)) - 1) : 0;
        while (bits == 0) {
            if (w == 0) return first_ - 1;
            bits = piene_[--w];
        }
        return first_ + static_cast<int>(w * 64 + 63 - static_cast<std::size_t>(std::countl_zero(bits)));
    }

  private:
    const Diagram& d_;
    bool riga_;
    int rc_, first_, last_, parole_;
    const std::uint64_t* piene_;
    const CellaNodo* inizio_;
    std::ptrdiff_t passo_;
};

// Whether a cell of arc n lies beside the cells strictly between a and b, on either side. Along a row or
// column of the straightening's area whose lines beside it are the area's too, only their filled cells
// are read.
bool accantoDiritto(const Diagram& d, const LayoutState& s, int n, Punto a, Punto b) {
    const int dr = (b.r > a.r) - (b.r < a.r), dc = (b.c > a.c) - (b.c < a.c);
    const LayoutState::Raddrizzatura& z = s.raddrizzatura;
    if (z.attiva && (dr == 0) != (dc == 0)) {
        const bool riga = dr == 0;
        const int linea = riga ? a.r : a.c, da = (riga ? std::min(a.c, b.c) : std::min(a.r, b.r)) + 1,
                  a_ = (riga ? std::max(a.c, b.c) : std::max(a.r, b.r)) - 1;
        if (linea - 1 >= (riga ? z.r0 : z.c0) && linea + 1 <= (riga ? z.r1 : z.c1) &&
            da >= (riga ? z.c0 : z.r0) && a_ <= (riga ? z.c1 : z.r1)) {
            for (const int lato : {linea - 1, linea + 1}) {
                const LineaArea accanto(d, z, riga, lato);
                for (int t = accanto.prossima(da); t <= a_; t = accanto.prossima(t + 1))
                    if (accanto.cella(t).Tipo == 'A' && accanto.cella(t).Numero == n) return true;
            }
            return false;
        }
    }
    for (Punto t{a.r + dr, a.c + dc}; !(t == b); t = {t.r + dr, t.c + dc})
        if (cellaDellArco(d, n, t.r + dc, t.c + dr) || cellaDellArco(d, n, t.r - dc, t.c - dr)) return true;
    return false;
}

// The straightening of a hump of an arc whose path is clean (see `percorsoPulito`): the path's cells are
// all the arc's already, so listing it stamps nothing, and rebuilding it keeps every point and renumbers
// only from the hump on. Gives what the straightening below gives; the path stays clean unless the
// straight run passes beside the arc, when the loops go as below.
bool raddrizzaPulita(Diagram& d, LayoutState& s, int n, Punto p, Punto q) {
    std::vector<Punto>& percorso = s.percorsiMemoria[n];
    // A cell of a clean path holds its place in it: a straightening leaves holes where it shortens the path
    // rather than moving the places after them. Only a straight run longer than its hump moves them on; a
    // cell whose place has moved is looked for (a clean path names it once).
    const auto trova = [&](Punto t) {
        const int i = d.TblNodo.at(t.r, t.c).Posizione - 1;
        const int fine = static_cast<int>(percorso.size());
        if (i >= 0 && i < fine && percorso[static_cast<std::size_t>(i)] == t) return i;
        return static_cast<int>(std::find(percorso.begin(), percorso.end(), t) - percorso.begin());
    };
    // The path without its holes, as the list being cleaned.
    const auto elenca = [&] {
        s.punti.clear();
        std::copy_if(percorso.begin(), percorso.end(), std::back_inserter(s.punti),
                     [](const Punto& x) { return !buco(x); });
    };
    const int i1 = trova(p), i2 = trova(q), fine = static_cast<int>(percorso.size());
    if (i1 == fine || i2 == fine) {
        elenca();
        return false;
    }
    const int lo = std::min(i1, i2), hi = std::max(i1, i2);
    const Punto a = percorso[lo], b = percorso[hi];
    // The straight run takes the hump's places, in place; the places it leaves become holes.
    const int diritto = std::max(std::abs(b.r - a.r), std::abs(b.c - a.c)) - 1, gobba = hi - lo - 1;
    // A stretch of holes is passed at once: its first place holds its length. The straightening takes
    // note of the emptied cells a run along a row or column at a time.
    Punto primo{-1, 0}, ultimo{-1, 0};
    const auto nota = [&] {
        if (primo == ultimo)
            cambiata(s, primo.r, primo.c, false);
        else if (primo.r == ultimo.r)
            riempitaFila(s, true, primo.r, std::min(primo.c, ultimo.c), std::max(primo.c, ultimo.c), false);
        else
            riempitaFila(s, false, primo.c, std::min(primo.r, ultimo.r), std::max(primo.r, ultimo.r), false);
    };
    for (int k = lo + 1; k < hi;) {
        Punto& t = percorso[static_cast<std::size_t>(k)];
        if (buco(t)) {
            k += t.c;
            continue;
        }
        CellaNodo& x = d.TblNodo.at(t.r, t.c);
        svuota(x);
        x.Posizione = 0;
        // t goes on the run when it lies next to its last cell, along the run's line.
        const bool segue = !buco(ultimo) && std::abs(t.r - ultimo.r) + std::abs(t.c - ultimo.c) == 1 &&
                           (primo == ultimo || (ultimo.r == primo.r ? t.r == primo.r : t.c == primo.c));
        if (!segue) {
            if (!buco(primo)) nota();
            primo = t;
        }
        ultimo = t;
        t = Punto{-1, 1};
        ++k;
    }
    if (!buco(primo)) nota();
    if (const int buchi = gobba - diritto; buchi > 0)
        percorso[static_cast<std::size_t>(hi - buchi)] = Punto{-1, buchi};
    if (diritto > gobba)
        percorso.insert(percorso.begin() + hi, static_cast<std::size_t>(diritto - gobba), Punto{});
    tracciaDiritto(d, s, a, b, n, percorso.data() + lo + 1);
    // The run's cells hold their places at once, so that a later straightening finds them; the places
    // after a longer run wait for the end.
    for (int k = lo + 1; k <= lo + diritto; ++k)
        d.TblNodo.at(percorso[static_cast<std::size_t>(k)].r, percorso[static_cast<std::size_t>(k)].c)
            .Posizione = k + 1;
    s.TracciatoCambiato = true;
    if (accantoDiritto(d, s, n, a, b)) {
        elenca();
        cancellaAnelli(d, s, n, false);
        ComponiListaCelle(d, s, n);
        segnaPulito(s, n);
        return true;
    }
    // The path was changed in place; its places from the hump on are closed and numbered later.
    s.percorsoCambiato[n] = 1;
    s.numeratoFino[n] = std::min(s.numeratoFino[n], lo + 1);
    return true;
}

// Straightens the hump of arc n between the cells p and q of one line, both of its path. False when
// either end is not on the path: the hump is then left alone.
bool raddrizzaGobba(Diagram& d, LayoutState& s, int n, Punto p, Punto q) {
    if (s.percorsiInMemoria && s.percorsoPulito[n]) return raddrizzaPulita(d, s, n, p, q);
    SplittaListacelle(d, s, n);
    int i1 = -1, i2 = -1;
    for (int i = 0; i < static_cast<int>(s.punti.size()); ++i) {
        if (s.punti[i] == p) i1 = i;
        if (s.punti[i] == q) i2 = i;
    }
    if (i1 < 0 || i2 < 0) return false;
    const int lo = std::min(i1, i2), hi = std::max(i1, i2);
    const Punto a = s.punti[lo], b = s.punti[hi];
    for (int k = lo + 1; k < hi; ++k)
        if (cellaDellArco(d, n, s.punti[k].r, s.punti[k].c)) {
            CellaNodo& x = d.TblNodo.at(s.punti[k].r, s.punti[k].c);
            svuota(x);
            x.Posizione = 0;
            cambiata(s, s.punti[k].r, s.punti[k].c, false);
        }
    std::vector<Punto> nuovi(s.punti.begin(), s.punti.begin() + lo + 1);
    nuovi.resize(nuovi.size() +
                 static_cast<std::size_t>(std::max(std::abs(b.r - a.r), std::abs(b.c - a.c)) - 1));
    tracciaDiritto(d, s, a, b, n, nuovi.data() + lo + 1);
    nuovi.insert(nuovi.end(), s.punti.begin() + hi, s.punti.end());
    s.punti = std::move(nuovi);
    // The straight run may pass beside another stretch of the same arc: loops it closes go.
    if (accantoDiritto(d, s, n, a, b)) cancellaAnelli(d, s, n, false);
    ComponiListaCelle(d, s, n);
    segnaPulito(s, n);
    s.TracciatoCambiato = true;
    return true;
}

}  // namespace

namespace {

// No straightening under way; the buffers are kept for the next one.
void chiudiRaddrizzatura(LayoutState::Raddrizzatura& z) {
    z.attiva = false;
    z.tavola = nullptr;
    z.r0 = z.c0 = 0;
    z.r1 = z.c1 = -1;
}

// The straightening over rows r0..r1 and columns c0..c1 begins: every line is to be scanned where the
// scan can straighten something, that is where an arc's cell follows empty cells after a cell of the same
// arc, found for every row and column in one pass over the area, which also sets the bits of the filled
// cells. The other lines would be scanned without a change, and stay so until a cell of theirs changes.
void iniziaRaddrizzatura(const Diagram& d, LayoutState& s, int r0, int r1, int c0, int c1) {
    LayoutState::Raddrizzatura& z = s.raddrizzatura;
    z.attiva = true;
    z.tavola = &d.TblNodo;
    z.r0 = r0;
    z.r1 = r1;
    z.c0 = c0;
    z.c1 = c1;
    // The lines of the area (none when it is empty).
    const std::size_t nr = r1 >= r0 ? static_cast<std::size_t>(r1) - static_cast<std::size_t>(r0) + 1 : 0;
    const std::size_t nc = c1 >= c0 ? static_cast<std::size_t>(c1) - static_cast<std::size_t>(c0) + 1 : 0;
    z.paroleRiga = static_cast<int>((nc + 63) / 64);
    z.paroleColonna = static_cast<int>((nr + 63) / 64);
    z.pieneRighe.assign(nr * static_cast<std::size_t>(z.paroleRiga), 0);
    z.pieneColonne.assign(nc * static_cast<std::size_t>(z.paroleColonna), 0);
    z.righe.assign(nr, {c1 + 1, -1, c1 + 1, -1, c1 + 1, -1});
    z.colonne.assign(nc, {r1 + 1, -1, r1 + 1, -1, r1 + 1, -1});
    // Per column, and for the row under way: the last crossing's or arc's number (-1 for a crossing or
    // none), whether an empty cell has come since, and the last filled place (empty cells are not read).
    struct Scansione {
        int ultimo = -1;
        bool vuote = false;
        int piena = 0;
        // The filled cell x at place t: whether it ends a hump.
        bool passo(const CellaNodo& x, int t) {
            vuote = vuote || t > piena + 1;
            piena = t;
            bool gobba = false;
            if (x.Tipo == 'A') {
                gobba = x.Numero == ultimo && vuote;
                ultimo = x.Numero;
                vuote = false;
            } else if (x.Tipo == 'I') {
                ultimo = -1;
                vuote = false;
            }
            return gobba;
        }
    };
    std::vector<Scansione> perColonna(nc, Scansione{-1, false, r0 - 1});
    for (int r = r0; r <= r1; ++r) {
        const auto i = static_cast<std::size_t>(r - r0);
        std::uint64_t* bitRiga = &z.pieneRighe[i * static_cast<std::size_t>(z.paroleRiga)];
        LayoutState::LineaRaddrizzata& riga = z.righe[i];
        Scansione perRiga{-1, false, c0 - 1};
        const bool dentro = CellTable::inside(r, c0) && CellTable::inside(r, c1);
        const CellaNodo* celle = dentro ? &d.TblNodo.at(r, c0) : nullptr;
        for (int c = c0; c <= c1; ++c) {
            const auto j = static_cast<std::size_t>(c - c0);
            const CellaNodo& x = celle ? celle[j] : cella(d, r, c);
            if (x.Tipo == 0) continue;
            bitRiga[j / 64] |= std::uint64_t{1} << (j % 64);
            z.pieneColonne[j * static_cast<std::size_t>(z.paroleColonna) + i / 64] |= std::uint64_t{1}
                                                                                      << (i % 64);
            if (perRiga.passo(x, c)) {
                riga.da = std::min(riga.da, c);
                riga.fine = c;
            }
            if (perColonna[j].passo(x, r)) {
                LayoutState::LineaRaddrizzata& colonna = z.colonne[j];
                colonna.da = std::min(colonna.da, r);
                colonna.fine = r;
            }
        }
    }
}

// The scan of a line before a place: the last crossing or arc cell before it (none: `ultimo` -1 and
// `posto` before the line), the last arc cell, and whether an empty cell lies between the last crossing
// or arc cell and the place.
struct Stato {
    int ultimo = -1;
    bool vuote = false;
    int posto = 0;
    Punto ultimaCella;
};

// The scan's state after reading places from..to, all filled, with state st before them: cells of another
// kind than an arc's or a crossing's pass as they are, and the state is the last crossing or arc cell's.
// The places are read from the end back.
void leggiPiene(const LineaArea& linea, int from, int to, Stato& st) {
    int u = to;
    for (; u >= from; --u) {
        const CellaNodo& x = linea.cella(u);
        if (x.Tipo != 'A' && x.Tipo != 'I') continue;
        st.ultimo = x.Tipo == 'A' ? x.Numero : -1;
        st.vuote = false;
        st.posto = u;
        break;
    }
    for (; u >= from; --u)
        if (linea.cella(u).Tipo == 'A') {
            st.ultimaCella = linea.punto(u);
            break;
        }
}

// The scan's state before place t, from the filled cells before it.
Stato statoPrima(const LineaArea& linea, int t) {
    Stato st;
    st.posto = linea.first() - 1;
    // Back to the last crossing or arc cell, and on to the last arc cell.
    int dopo = t;
    for (int u = linea.precedente(t); u >= linea.first(); u = linea.precedente(u)) {
        const CellaNodo& x = linea.cella(u);
        const bool vuoteDopo = dopo - u > 1;
        dopo = u;
        if (st.posto < linea.first()) {
            st.vuote = st.vuote || vuoteDopo;
            if (x.Tipo != 'A' && x.Tipo != 'I') continue;
            st.ultimo = x.Tipo == 'A' ? x.Numero : -1;
            st.posto = u;
        }
        if (x.Tipo == 'A') {
            st.ultimaCella = linea.punto(u);
            return st;
        }
    }
    if (st.posto < linea.first()) st.vuote = st.vuote || dopo > linea.first();
    return st;
}

// Scans row (or column) rc of the area, straightening every hump it meets, as a scan from the line's
// start does, and again from the start after each straightening. What it skips is what such a scan would
// meet unchanged. A hump ends at the first arc cell after empty cells: where a filled place follows an
// empty one, or where cells of other kinds follow; along filled places the scan reads only the last.
// When the line was last scanned to its end, every hump the scan could meet was tried and failed; since,
// humps can have come only where a cell has changed, between the last filled cell before it and itself.
// So a scan begins at the first changed place or failed try, and ends once past the last failed try with
// its last crossing or arc cell past every change; after a straightening it begins again at the first
// place changed since the scan began (or the hump, or a failed try), since before that it would meet
// what it met.
void scansionaLinea(Diagram& d, LayoutState& s, bool riga, int rc) {
    LayoutState::Raddrizzatura& z = s.raddrizzatura;
    LayoutState::LineaRaddrizzata& l =
        riga ? z.righe[static_cast<std::size_t>(rc - z.r0)] : z.colonne[static_cast<std::size_t>(rc - z.c0)];
    const LineaArea linea(d, z, riga, rc);
    const int first = linea.first(), last = linea.last();
    int inizio = std::max(first, std::min(l.da, l.tentato));
    if (inizio > last) return;
    bool ancora = true;
    int giri = 0;
    while (ancora && giri++ < 100000) {
        ancora = false;
        l.cambio = last + 1;
        l.cambioFine = -1;
        Stato st = statoPrima(linea, inizio);
        int prima = inizio - 1;  // the last place read
        for (int t = linea.prossima(inizio); t <= last;) {
            // Past the last failed try, with the last crossing or arc cell past every change: no hump is
            // left.
            if (t > l.tentatoFine && st.posto > l.fine) break;
            const CellaNodo& x = linea.cella(t);
            st.vuote = st.vuote || t > prima + 1;
            prima = t;
            if (x.Tipo == 'A') {
                if (x.Numero != st.ultimo) {
                    st.ultimo = x.Numero;
                } else if (st.vuote) {
                    if (raddrizzaGobba(d, s, x.Numero, st.ultimaCella, linea.punto(t))) {
                        ancora = true;
                        inizio = std::max(first, std::min({l.cambio, t, l.tentato}));
                        break;
                    }
                    l.tentato = std::min(l.tentato, t);
                    l.tentatoFine = std::max(l.tentatoFine, t);
                }
                st.vuote = false;
                st.posto = t;
                st.ultimaCella = linea.punto(t);
            } else if (x.Tipo == 'I') {
                st.ultimo = -1;
                st.vuote = false;
                st.posto = t;
            } else {
                t = linea.prossima(t + 1);  // another kind: the scan passes it as it is
                continue;
            }
            // The filled places that follow hold no hump: the scan goes on from their last.
            const int fine = linea.prossima(t + 1, false) - 1;
            if (fine > t) {
                leggiPiene(linea, t + 1, fine, st);
                prima = fine;
            }
            t = linea.prossima(fine + 1);
        }
        // Scanned to its end: what a try that failed has changed since the scan began again, behind it
        // too, waits for the next scan.
        if (!ancora) {
            l.da = l.cambio;
            l.fine = l.cambioFine;
        }
    }
}

}  // namespace

void RaddrizzaRigCol(Diagram& d, LayoutState& s, int minR, int maxR, int minC, int maxC, int rc, int dr,
                     int dc) {
    (void)dc;
    if (maxR < minR || maxC < minC) return;
    const bool riga = dr == 0;
    LayoutState::Raddrizzatura& z = s.raddrizzatura;
    const bool propria = !(z.attiva && z.r0 == minR && z.r1 == maxR && z.c0 == minC && z.c1 == maxC);
    if (propria) {
        iniziaRaddrizzatura(d, s, minR, maxR, minC, maxC);
        // Scanned whole, as asked.
        if (riga ? rc >= minR && rc <= maxR : rc >= minC && rc <= maxC) {
            LayoutState::LineaRaddrizzata& l = riga ? z.righe[static_cast<std::size_t>(rc - minR)]
                                                    : z.colonne[static_cast<std::size_t>(rc - minC)];
            l.da = riga ? minC : minR;
            l.fine = riga ? maxC : maxR;
        }
    }
    if (riga ? rc >= minR && rc <= maxR : rc >= minC && rc <= maxC) scansionaLinea(d, s, riga, rc);
    if (propria) {
        chiudiRaddrizzatura(z);
        numeraInSospeso(d, s);
    }
}

void RaddrizzaGobbe(Diagram& d, LayoutState& s, int arco, int minR, int maxR, int minC, int maxC) {
    (void)arco;
    if (!s.settings.ChKrAD || maxR < minR || maxC < minC) return;
    LayoutState::Raddrizzatura& z = s.raddrizzatura;
    const bool propria = !z.attiva;
    if (!z.attiva || z.r0 != minR || z.r1 != maxR || z.c0 != minC || z.c1 != maxC)
        iniziaRaddrizzatura(d, s, minR, maxR, minC, maxC);
    for (int r = minR; r <= maxR; ++r) scansionaLinea(d, s, true, r);
    for (int c = minC; c <= maxC; ++c) scansionaLinea(d, s, false, c);
    if (propria) {
        chiudiRaddrizzatura(z);
        numeraInSospeso(d, s);
    }
}

void iniziaRaddrizzature(LayoutState& s) {
    chiudiRaddrizzatura(s.raddrizzatura);
    s.raddrizzatura.attiva = true;
    s.raddrizzatura.r1 = s.raddrizzatura.c1 = -2;  // no area yet: the first pass sets it
}

void fineRaddrizzature(Diagram& d, LayoutState& s) {
    chiudiRaddrizzatura(s.raddrizzatura);
    numeraInSospeso(d, s);
}

namespace {

// A box of cells, rows r0..r1 by columns c0..c1; empty when r0 > r1.
struct Riquadro {
    int r0 = 0, r1 = -1, c0 = 0, c1 = -1;
    bool tocca(const Riquadro& x) const { return r0 <= x.r1 && r1 >= x.r0 && c0 <= x.c1 && c1 >= x.c0; }
    void unisci(const Riquadro& x) {
        if (x.r0 > x.r1) return;
        if (r0 > r1) {
            *this = x;
            return;
        }
        r0 = std::min(r0, x.r0);
        r1 = std::max(r1, x.r1);
        c0 = std::min(c0, x.c0);
        c1 = std::max(c1, x.c1);
    }
};

// A corner tried that could not flip: its place, the last point it read and a box of the cells it read.
struct Lettura {
    int posto = 0, ultimoPunto = 0;
    Riquadro letto;
};

// The tries at one arc's corners, pass after pass: what the last try left, to begin the next one where a
// change since may have made a corner flip. The changes of every arc's tries, in order, are shared.
struct RipresaAngoli {
    bool valida = false;  // `letture` holds every corner of the path that reads cells, as the last try ended
    std::vector<Lettura> letture;
    std::size_t visti = 0;  // the changes made before the last try ended
    std::vector<Riquadro>* cambiati = nullptr;
};

// The first place from which a try at the corners recorded in r may flip one: that of the first corner
// whose read cells a change since has touched; past the path's end (n) for none.
int primoToccato(const RipresaAngoli& r, int n) {
    Riquadro tutto;
    for (const Lettura& l : r.letture) tutto.unisci(l.letto);
    std::vector<Riquadro> vicini;
    for (std::size_t k = r.visti; k < r.cambiati->size(); ++k)
        if (tutto.tocca((*r.cambiati)[k])) vicini.push_back((*r.cambiati)[k]);
    if (vicini.empty()) return n;
    for (const Lettura& l : r.letture)
        for (const Riquadro& t : vicini)
            if (l.letto.tocca(t)) return l.posto;
    return n;
}

// The leg of the corner at place i of the point list, towards the places before it (verso -1) or after it
// (+1), heading (dr, dc): how far the path runs straight from the corner through cells of the arc (all
// its points are, when puntiDellArco).
int gamba(const Diagram& d, const LayoutState& s, int arco, int i, int verso, int dr, int dc,
          bool puntiDellArco) {
    const Punto c = s.punti[i];
    const int n = static_cast<int>(s.punti.size());
    int l = 0;
    for (int k = i + verso; k >= 0 && k < n; k += verso) {
        const Punto t{c.r + (l + 1) * dr, c.c + (l + 1) * dc};
        if (!(s.punti[k] == t) || (!puntiDellArco && !cellaDellArco(d, arco, t.r, t.c))) break;
        ++l;
    }
    return l;
}

// Whether the points at places primo..ultimo lie beside no cell of the arc but their neighbours in the
// point list.
bool gambeIsolate(const Diagram& d, const LayoutState& s, int arco, int primo, int ultimo) {
    const int n = static_cast<int>(s.punti.size());
    for (int k = primo; k <= ultimo; ++k)
        for (int dir = 1; dir <= 4; ++dir) {
            int dr = 0, dc = 0;
            passoDi(dir, dr, dc);
            const Punto q{s.punti[k].r + dr, s.punti[k].c + dc};
            if (!cellaDellArco(d, arco, q.r, q.c) || (k > 0 && q == s.punti[k - 1]) ||
                (k + 1 < n && q == s.punti[k + 1]))
                continue;
            return false;
        }
    return true;
}

void invertiAngolo(Diagram& d, LayoutState& s, int arco, int rf, int cf, bool segnala, bool appenaElencato,
                   bool daScrivere = false, RipresaAngoli* ripresa = nullptr) {
    if (!arcoValido(arco)) return;
    const bool mostra = segnala && s.hook;
    // After a flip whose loops went, the path has none: its points are distinct cells of the arc,
    // numbered by their places, and each lies beside no other point but its neighbours in the path. The
    // path is then s.punti, and a later flip whose new legs keep that is a flip whose loop removal would
    // keep every point: its points are kept as they are and only the new legs numbered. A path just
    // listed is such a path already.
    bool senzaAnelli = appenaElencato;
    // The corners before `da` were tried since the last flip that kept the path's points, or before it,
    // and none can flip: for those that read cells, the last point they read and the box of those cells
    // are in `letture`. A flip that changes neither the points nor the cells one of them read leaves it
    // as it was, so the next try begins at the first corner it may have changed.
    // A try over the passes of the tidying begins where the last one left its corners: the path has not
    // changed since, and the corners before the first whose read cells another arc has changed since
    // cannot flip.
    if (mostra) ripresa = nullptr;
    std::vector<Lettura> proprie;
    std::vector<Lettura>& letture = ripresa ? ripresa->letture : proprie;
    const bool riprende = ripresa && ripresa->valida;
    if (ripresa) ripresa->valida = false;
    int da = 1;
    bool finito = false;
    for (int giri = 0; giri < 100000; ++giri) {
        if (!senzaAnelli || mostra) {
            da = 1;
            if (!(riprende && giri == 0)) letture.clear();
            s.punti.clear();
            for (const Punto& p : puntiPercorso(d, s, arco)) {
                if (!s.punti.empty() && s.punti.back() == p) continue;
                s.punti.push_back(p);
                if (mostra) s.hook->marcaCella(d, p.r, p.c, "L");
            }
        }
        const int n = static_cast<int>(s.punti.size());
        if (riprende && giri == 0) {
            da = std::max(1, primoToccato(*ripresa, n));
            while (!letture.empty() && letture.back().posto >= da) letture.pop_back();
        }
        // Without loops every point is a cell of the arc: the legs need not read the table.
        const bool puntiDellArco = senzaAnelli && !mostra;
        bool girato = false;
        for (int i = da; i + 1 < n && !girato; ++i) {
            const Punto prev = s.punti[i - 1], c = s.punti[i], next = s.punti[i + 1];
            if ((prev.r == c.r && c.r == next.r) || (prev.c == c.c && c.c == next.c)) continue;
            const int d1r = prev.r - c.r, d1c = prev.c - c.c, d2r = next.r - c.r, d2c = next.c - c.c;
            if (std::abs(d1r) + std::abs(d1c) != 1 || std::abs(d2r) + std::abs(d2c) != 1) continue;
            // The legs: as far as the path runs straight from the corner.
            const int l1 = gamba(d, s, arco, i, -1, d1r, d1c, puntiDellArco);
            const int l2 = gamba(d, s, arco, i, +1, d2r, d2c, puntiDellArco);
            const Punto a{c.r + l1 * d1r, c.c + l1 * d1c}, b{c.r + l2 * d2r, c.c + l2 * d2c};
            const Punto c2 = d1r != 0 ? Punto{a.r, b.c} : Punto{b.r, a.c};
            const Punto x{a.r - d2r, a.c - d2c}, z{b.r - d1r, b.c - d1c};
            {
                // Read: the legs and one cell beyond each, x, z and the rectangle of c and c2, all within
                // the box of these.
                Lettura l{i, i + l2 + 1, {c.r, c.r, c.c, c.c}};
                for (const Punto t : {Punto{a.r + d1r, a.c + d1c}, Punto{b.r + d2r, b.c + d2c}, x, z, c2})
                    l.letto.unisci({t.r, t.r, t.c, t.c});
                letture.push_back(l);
            }
            if (l1 == 0 || l2 == 0) continue;
            const Punto fine{rf, cf};
            const bool ok1 = tipoDi(d, x.r, x.c) == 'I' || cellaDellArco(d, arco, x.r, x.c) ||
                             Punto{b.r + d1r, b.c + d1c} == fine;
            const bool ok2 = tipoDi(d, z.r, z.c) == 'I' || cellaDellArco(d, arco, z.r, z.c) ||
                             Punto{a.r + d2r, a.c + d2c} == fine;
            if (!ok1 || !ok2 || !VerificaRettangoloVuoto(d, arco, c.r, c.c, c2.r, c2.c)) continue;
            // The old legs go and the new ones come within the rectangle of c and c2.
            if (ripresa)
                ripresa->cambiati->push_back(
                    {std::min(c.r, c2.r), std::max(c.r, c2.r), std::min(c.c, c2.c), std::max(c.c, c2.c)});
            for (int k = i - l1; k <= i + l2; ++k) {
                CellaNodo& y = d.TblNodo.at(s.punti[k].r, s.punti[k].c);
                svuota(y);
                y.Posizione = 0;
                if (mostra) s.hook->marcaCella(d, s.punti[k].r, s.punti[k].c, "E");
            }
            // The new legs take the old legs' places: the path keeps its length.
            int nuovo = i - l1;
            bool restaSenzaAnelli = senzaAnelli && !mostra;
            auto scrivi = [&](Punto t, const char* segno) {
                CellaNodo& y = d.TblNodo.at(t.r, t.c);
                if (y.Tipo == 'A' && y.Numero == arco) restaSenzaAnelli = false;  // a cell the path holds
                y.Tipo = 'A';
                y.Numero = arco;
                NotaCellaScritta(s, t);
                s.punti[static_cast<std::size_t>(nuovo++)] = t;
                if (mostra) s.hook->marcaCella(d, t.r, t.c, segno);
            };
            for (int k = 0; k <= l2; ++k) scrivi({a.r + k * d2r, a.c + k * d2c}, "N");
            for (int k = 1; k <= l1; ++k) scrivi({c2.r - k * d1r, c2.c - k * d1c}, "P");
            const int primo = i - l1, ultimo = i + l2;  // the new legs' places
            restaSenzaAnelli = restaSenzaAnelli && gambeIsolate(d, s, arco, primo, ultimo);
            if (restaSenzaAnelli) {
                for (int k = primo; k <= ultimo; ++k)
                    d.TblNodo.at(s.punti[k].r, s.punti[k].c).Posizione = k + 1;
                // Written as the buffer and the path once the flips are over: until then only the
                // point list is read.
                daScrivere = true;
                // The points from the old legs on and the cells of the rectangle of c and c2 have
                // changed; the path keeps its length.
                const Riquadro rettangolo{std::min(c.r, c2.r), std::max(c.r, c2.r), std::min(c.c, c2.c),
                                          std::max(c.c, c2.c)};
                da = std::max(1, primo - 1);
                for (const Lettura& l : letture)
                    if (l.posto < da && (l.ultimoPunto >= primo || l.letto.tocca(rettangolo))) {
                        da = l.posto;
                        break;
                    }
                while (!letture.empty() && letture.back().posto >= da) letture.pop_back();
            } else {
                // The new legs may run beside another stretch of the same arc: loops they close go, with
                // cells of the points listed.
                if (ripresa) {
                    Riquadro lista;
                    for (const Punto& p : s.punti) lista.unisci({p.r, p.r, p.c, p.c});
                    ripresa->cambiati->push_back(lista);
                }
                cancellaAnelli(d, s, arco, false);
                ComponiListaCelle(d, s, arco);
                daScrivere = false;
                senzaAnelli = true;
                da = 1;
                letture.clear();
            }
            s.TracciatoCambiato = true;
            girato = true;
        }
        if (!girato) {
            finito = true;
            break;
        }
    }
    if (ripresa) {
        ripresa->valida = finito;
        ripresa->visti = ripresa->cambiati->size();
    }
    if (daScrivere) {
        s.BufferPunti = s.punti;
        scriviPercorso(d, s, arco, s.BufferPunti);
    }
}

}  // namespace

void InvertiAngolo(Diagram& d, LayoutState& s, int arco, int rf, int cf, bool segnala) {
    invertiAngolo(d, s, arco, rf, cf, segnala, false);
}

void InvertiAngoliTutti(Diagram& d, LayoutState& s, int segnalato) {
    std::vector<Riquadro> cambiati;
    std::vector<RipresaAngoli> riprese(static_cast<std::size_t>(std::max(0, d.NumArchi)) + 1);
    for (RipresaAngoli& r : riprese) r.cambiati = &cambiati;
    for (int giri = 0; giri < 10000; ++giri) {
        s.TracciatoCambiato = false;
        for (int i = 1; i <= d.NumArchi; ++i)
            invertiAngolo(d, s, i, d.archi[i].RigaFine, d.archi[i].ColFine, i == segnalato, false, false,
                          &riprese[static_cast<std::size_t>(i)]);
        if (!s.TracciatoCambiato) break;
    }
}

void InvertiAngoloElencato(Diagram& d, LayoutState& s, int arco, int rf, int cf, bool daScrivere) {
    invertiAngolo(d, s, arco, rf, cf, false, true, daScrivere);
}

}  // namespace trevalon
