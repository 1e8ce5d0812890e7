#include "layout/cell_lists.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "layout/auto_layout.h"
#include "layout/cell_access.h"
#include "layout/developer_hook.h"

namespace trevalon {

namespace {

// The leading number of a field ("12" of "12+", 0 when there is none).
int leggiNumero(std::string_view field) {
    std::size_t i = 0;
    while (i < field.size() && field[i] == ' ') ++i;
    bool neg = false;
    if (i < field.size() && (field[i] == '-' || field[i] == '+')) neg = field[i++] == '-';
    long v = 0;
    while (i < field.size() && field[i] >= '0' && field[i] <= '9' && v < 100000)
        v = v * 10 + (field[i++] - '0');
    return static_cast<int>(neg ? -v : v);
}

Punto leggiVoce(std::string_view item) {
    const auto comma = item.find(',');
    Punto p;
    p.r = leggiNumero(item.substr(0, comma));
    if (comma != std::string_view::npos) {
        std::string_view rest = item.substr(comma + 1);
        p.c = leggiNumero(rest.substr(0, rest.find(',')));
    }
    return p;
}

// A cell at (r, c) changed its kind or arc: the straightening takes note of it for its row and column.
void cambiata(LayoutState& s, int r, int c) {
    LayoutState::Raddrizzatura& z = s.raddrizzatura;
    if (!z.attiva || r < z.r0 || r > z.r1 || c < z.c0 || c > z.c1) return;
    int& riga = z.cambioRiga[static_cast<std::size_t>(r - z.r0)];
    int& colonna = z.cambioColonna[static_cast<std::size_t>(c - z.c0)];
    riga = std::min(riga, c);
    colonna = std::min(colonna, r);
    int& rigaFine = z.cambioFineRiga[static_cast<std::size_t>(r - z.r0)];
    int& colonnaFine = z.cambioFineColonna[static_cast<std::size_t>(c - z.c0)];
    rigaFine = std::max(rigaFine, c);
    colonnaFine = std::max(colonnaFine, r);
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
    std::size_t start = 0;
    const std::size_t n = text.size();
    while (start < n) {
        std::size_t bar = start;
        while (bar < n && text[bar] != '|') ++bar;
        if (bar == n) break;  // the text after the last "|" is not an item
        if (bar > start) out.push_back(leggiVoce(text.substr(start, bar - start)));
        start = bar + 1;
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
    std::string text;
    text.reserve(punti.size() * 10);
    for (const Punto& p : punti) aggiungiVoce(text, p);
    return text;
}

const std::vector<Punto>& puntiPercorso(const Diagram& d, LayoutState& s, int arco) {
    if (s.percorsiInMemoria) {
        if (!s.percorsoCaricato[arco]) {
            s.percorsiMemoria[arco] = leggiVociPercorso(d.archi[arco].Percorso);
            s.percorsoCaricato[arco] = 1;
        }
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
    for (int a = 1; a <= kMaxArchi; ++a) {
        int& da = s.numeratoFino[static_cast<std::size_t>(a)];
        if (da == LayoutState::kNumeratoTutto) continue;
        const std::vector<Punto>& percorso = s.percorsiMemoria[static_cast<std::size_t>(a)];
        for (std::size_t i = static_cast<std::size_t>(da); i < percorso.size(); ++i)
            d.TblNodo.at(percorso[i].r, percorso[i].c).Posizione = static_cast<int>(i) + 1;
        da = LayoutState::kNumeratoTutto;
    }
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
            if (x.Tipo != 'A') cambiata(s, p.r, p.c);
            x.Tipo = 'A';
            x.Numero = arco;
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
        x = 0;
    }
    for (std::size_t j = 0; j < k; ++j)
        PostoInLista{s.indiceCella.at(s.BufferPunti[j].r, s.BufferPunti[j].c)} = -1;
    s.percorsoPulito[arco] = pulito;
}

// The cells strictly between a and b on their row, column or diagonal become arc n's cells, appended to
// `out` in order.
void tracciaDiritto(Diagram& d, LayoutState& s, Punto a, Punto b, int n, std::vector<Punto>& out) {
    const int dr = (b.r > a.r) - (b.r < a.r), dc = (b.c > a.c) - (b.c < a.c);
    for (Punto t{a.r + dr, a.c + dc}; !(t == b); t = {t.r + dr, t.c + dc}) {
        CellaNodo& x = d.TblNodo.at(t.r, t.c);
        cambiata(s, t.r, t.c);
        x.Tipo = 'A';
        x.Numero = n;
        out.push_back(t);
    }
}

// The straightening of a hump of an arc whose path is clean (see `percorsoPulito`): the path's cells are
// all the arc's already, so listing it stamps nothing, and rebuilding it keeps every point and renumbers
// only from the hump on. Gives what the straightening below gives; the path stays clean unless the
// straight run passes beside the arc, when the loops go as below.
bool raddrizzaPulita(Diagram& d, LayoutState& s, int n, Punto p, Punto q) {
    std::vector<Punto>& percorso = s.percorsiMemoria[n];
    // A cell of a clean path holds its place in it, or did before a straightening renumbered it (the
    // renumbering of the places after a hump waits for the end of the straightening).
    // Humps only shorten a path: a cell whose place waits to be renumbered lies at or before the place
    // it holds, and not before the first place that waits.
    const int numerato = s.numeratoFino[static_cast<std::size_t>(n)];
    const auto trova = [&](Punto t) {
        const int i = d.TblNodo.at(t.r, t.c).Posizione - 1;
        const int fine = static_cast<int>(percorso.size());
        if (i >= 0 && i < fine && percorso[static_cast<std::size_t>(i)] == t) return i;
        for (int j = std::min(i, fine - 1); j >= numerato; --j)
            if (percorso[static_cast<std::size_t>(j)] == t) return j;
        return static_cast<int>(std::find(percorso.begin(), percorso.end(), t) - percorso.begin());
    };
    const int i1 = trova(p), i2 = trova(q), fine = static_cast<int>(percorso.size());
    if (i1 == fine || i2 == fine) {
        s.punti = percorso;
        return false;
    }
    const int lo = std::min(i1, i2), hi = std::max(i1, i2);
    const Punto a = percorso[lo], b = percorso[hi];
    for (int k = lo + 1; k < hi; ++k) {
        CellaNodo& x = d.TblNodo.at(percorso[k].r, percorso[k].c);
        svuota(x);
        x.Posizione = 0;
        cambiata(s, percorso[k].r, percorso[k].c);
    }
    std::vector<Punto> diritto;
    tracciaDiritto(d, s, a, b, n, diritto);
    const auto dopo = percorso.erase(percorso.begin() + lo + 1, percorso.begin() + hi);
    percorso.insert(dopo, diritto.begin(), diritto.end());
    s.TracciatoCambiato = true;
    bool accanto = false;
    const int dr = (b.r > a.r) - (b.r < a.r), dc = (b.c > a.c) - (b.c < a.c);
    for (const Punto& t : diritto) {
        accanto = cellaDellArco(d, n, t.r + dc, t.c + dr) || cellaDellArco(d, n, t.r - dc, t.c - dr);
        if (accanto) break;
    }
    if (accanto) {
        s.punti = percorso;
        cancellaAnelli(d, s, n, false);
        ComponiListaCelle(d, s, n);
        segnaPulito(s, n);
        return true;
    }
    // The path was changed in place; its places from the hump on are renumbered later.
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
            cambiata(s, s.punti[k].r, s.punti[k].c);
        }
    std::vector<Punto> nuovi(s.punti.begin(), s.punti.begin() + lo + 1);
    tracciaDiritto(d, s, a, b, n, nuovi);
    nuovi.insert(nuovi.end(), s.punti.begin() + hi, s.punti.end());
    s.punti = std::move(nuovi);
    // The straight run may pass beside another stretch of the same arc: loops it closes go.
    bool accanto = false;
    const int dr = (b.r > a.r) - (b.r < a.r), dc = (b.c > a.c) - (b.c < a.c);
    for (Punto t{a.r + dr, a.c + dc}; !(t == b) && !accanto; t = {t.r + dr, t.c + dc})
        accanto = cellaDellArco(d, n, t.r + dc, t.c + dr) || cellaDellArco(d, n, t.r - dc, t.c - dr);
    if (accanto) cancellaAnelli(d, s, n, false);
    ComponiListaCelle(d, s, n);
    segnaPulito(s, n);
    s.TracciatoCambiato = true;
    return true;
}

}  // namespace

namespace {

// No straightening under way; the buffers of the scan states are kept for the next one.
void chiudiRaddrizzatura(LayoutState::Raddrizzatura& z) {
    auto righe = std::move(z.statiRighe), colonne = std::move(z.statiColonne);
    z = {};
    z.statiRighe = std::move(righe);
    z.statiColonne = std::move(colonne);
}

// The straightening over rows r0..r1 and columns c0..c1 begins: every line is to be scanned where the
// scan can straighten something, that is where an arc's cell follows empty cells after a cell of the same
// arc, found for every row and column in one pass over the area. The other lines would be scanned without
// a change, and stay so until a cell of theirs changes.
void iniziaRaddrizzatura(const Diagram& d, LayoutState& s, int r0, int r1, int c0, int c1) {
    LayoutState::Raddrizzatura& z = s.raddrizzatura;
    chiudiRaddrizzatura(z);
    z.attiva = true;
    z.r0 = r0;
    z.r1 = r1;
    z.c0 = c0;
    z.c1 = c1;
    const int righe = r1 - r0 + 1, colonne = c1 - c0 + 1;
    const auto nr = static_cast<std::size_t>(righe), nc = static_cast<std::size_t>(colonne);
    // Every place's state is written by a line's first scan before it is read: the buffers keep what an
    // earlier area left in them.
    if (z.statiRighe.size() < nr * nc) z.statiRighe.resize(nr * nc);
    if (z.statiColonne.size() < nr * nc) z.statiColonne.resize(nr * nc);
    z.cambioRiga.assign(nr, c1 + 1);
    z.tentatoRiga.assign(nr, c1 + 1);
    z.cambioColonna.assign(nc, r1 + 1);
    z.tentatoColonna.assign(nc, r1 + 1);
    z.vistaRiga.assign(nr, 0);
    z.cambioFineRiga.assign(nr, c1);
    z.tentatoFineRiga.assign(nr, -1);
    z.completaRiga.assign(nr, 0);
    z.cambioFineColonna.assign(nc, r1);
    z.tentatoFineColonna.assign(nc, -1);
    z.completaColonna.assign(nc, 0);
    z.vistaColonna.assign(nc, 0);
    std::vector<int> ultimoCol(nc, -1), vuoteCol(nc, 0);
    auto passo = [](const CellaNodo& x, int& ultimo, int& vuote) {
        bool gobba = false;
        if (x.Tipo == 'A') {
            gobba = x.Numero == ultimo && vuote > 0;
            ultimo = x.Numero;
            vuote = 0;
        } else if (x.Tipo == 'I') {
            ultimo = -1;
            vuote = 0;
        } else if (x.Tipo == 0) {
            ++vuote;
        }
        return gobba;
    };
    for (int r = r0; r <= r1; ++r) {
        int ultimo = -1, vuote = 0;
        for (int c = c0; c <= c1; ++c) {
            const CellaNodo& x = cella(d, r, c);
            if (passo(x, ultimo, vuote)) z.cambioRiga[r - r0] = c0;
            if (passo(x, ultimoCol[c - c0], vuoteCol[c - c0])) z.cambioColonna[c - c0] = r0;
        }
    }
}

// Scans row (or column) rc of the area, straightening every hump it meets, as a scan from the line's
// start does, and again from the start after each straightening. What it skips is what such a scan
// would meet unchanged: it starts at the first place whose cells before it have not changed since the
// line was last scanned and where no straightening was tried, with the state the scan had there.
void scansionaLinea(Diagram& d, LayoutState& s, bool riga, int rc) {
    LayoutState::Raddrizzatura& z = s.raddrizzatura;
    const int first = riga ? z.c0 : z.r0, last = riga ? z.c1 : z.r1;
    const auto i = static_cast<std::size_t>(riga ? rc - z.r0 : rc - z.c0);
    LayoutState::StatoScansione* stati =
        (riga ? z.statiRighe.data() : z.statiColonne.data()) + i * static_cast<std::size_t>(last - first + 1);
    int& cambio = riga ? z.cambioRiga[i] : z.cambioColonna[i];
    int& tentato = riga ? z.tentatoRiga[i] : z.tentatoColonna[i];
    char& vista = riga ? z.vistaRiga[i] : z.vistaColonna[i];
    int& cambioFine = riga ? z.cambioFineRiga[i] : z.cambioFineColonna[i];
    int& tentatoFine = riga ? z.tentatoFineRiga[i] : z.tentatoFineColonna[i];
    char& completa = riga ? z.completaRiga[i] : z.completaColonna[i];
    const auto uguali = [](const LayoutState::StatoScansione& a, const LayoutState::StatoScansione& b) {
        return a.ultimo == b.ultimo && a.vuote == b.vuote && a.ultimaCella == b.ultimaCella;
    };
    int inizio = vista ? std::max(first, std::min(cambio, tentato)) : (cambio <= last ? first : last + 1);
    if (inizio > last) return;
    vista = 1;
    // The line's cells, read in place: the cell table stores its rows one after another in one block.
    // A line that leaves the table reads the empty cell beyond it, as `cella` does.
    const bool dentro = riga ? CellTable::inside(rc, first) && CellTable::inside(rc, last)
                             : CellTable::inside(first, rc) && CellTable::inside(last, rc);
    const CellaNodo* inizioLinea =
        dentro ? &std::as_const(d).TblNodo.at(riga ? rc : first, riga ? first : rc) : nullptr;
    const std::ptrdiff_t passo = riga ? 1 : CellTable::kSize;
    bool ancora = true;
    int giri = 0;
    while (ancora && giri++ < 100000) {
        ancora = false;
        LayoutState::StatoScansione st =
            inizio == first ? LayoutState::StatoScansione{} : stati[inizio - first];
        const int fineCambi = cambioFine;
        cambio = last + 1;
        cambioFine = -1;
        for (int t = inizio; t <= last; ++t) {
            // Past every change and failed try, the state the last scan had here: it goes on as it went,
            // to the line's end without a straightening.
            if (completa && t > inizio && t > fineCambi && t > tentatoFine && uguali(stati[t - first], st))
                break;
            stati[t - first] = st;
            const Punto here = riga ? Punto{rc, t} : Punto{t, rc};
            const CellaNodo& x = dentro ? inizioLinea[(t - first) * passo] : cella(d, here.r, here.c);
            if (x.Tipo == 'A') {
                if (x.Numero != st.ultimo) {
                    st.ultimo = x.Numero;
                } else if (st.vuote > 0) {
                    if (raddrizzaGobba(d, s, x.Numero, st.ultimaCella, here)) {
                        ancora = true;
                        inizio = std::max(first, std::min({cambio, t, tentato}));
                        cambioFine = std::max(cambioFine, fineCambi);  // changes this round did not reach
                        break;
                    }
                    tentato = std::min(tentato, t);
                    tentatoFine = std::max(tentatoFine, t);
                }
                st.vuote = 0;
                st.ultimaCella = here;
            } else if (x.Tipo == 'I') {
                st.ultimo = -1;
                st.vuote = 0;
            } else if (x.Tipo == 0) {
                ++st.vuote;
            }
        }
        if (!ancora) completa = 1;
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
        (riga ? z.cambioRiga[rc - minR] : z.cambioColonna[rc - minC]) = riga ? minC : minR;
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

void invertiAngolo(Diagram& d, LayoutState& s, int arco, int rf, int cf, bool segnala, bool appenaElencato,
                   bool daScrivere = false) {
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
    struct Lettura {
        int posto, ultimoPunto;
        int r0, r1, c0, c1;
    };
    std::vector<Lettura> letture;
    int da = 1;
    for (int giri = 0; giri < 100000; ++giri) {
        if (!senzaAnelli || mostra) {
            da = 1;
            letture.clear();
            s.punti.clear();
            for (const Punto& p : puntiPercorso(d, s, arco)) {
                if (!s.punti.empty() && s.punti.back() == p) continue;
                s.punti.push_back(p);
                if (mostra) s.hook->marcaCella(d, p.r, p.c, "L");
            }
        }
        const int n = static_cast<int>(s.punti.size());
        // Without loops every point is a cell of the arc: the legs need not read the table.
        const bool puntiDellArco = senzaAnelli && !mostra;
        bool girato = false;
        for (int i = da; i + 1 < n && !girato; ++i) {
            const Punto prev = s.punti[i - 1], c = s.punti[i], next = s.punti[i + 1];
            if ((prev.r == c.r && c.r == next.r) || (prev.c == c.c && c.c == next.c)) continue;
            const int d1r = prev.r - c.r, d1c = prev.c - c.c, d2r = next.r - c.r, d2c = next.c - c.c;
            if (std::abs(d1r) + std::abs(d1c) != 1 || std::abs(d2r) + std::abs(d2c) != 1) continue;
            // The legs: as far as the path runs straight from the corner.
            int l1 = 0, l2 = 0;
            while (i - l1 - 1 >= 0 &&
                   s.punti[i - l1 - 1] == Punto{c.r + (l1 + 1) * d1r, c.c + (l1 + 1) * d1c} &&
                   (puntiDellArco || cellaDellArco(d, arco, c.r + (l1 + 1) * d1r, c.c + (l1 + 1) * d1c)))
                ++l1;
            while (i + l2 + 1 < n &&
                   s.punti[i + l2 + 1] == Punto{c.r + (l2 + 1) * d2r, c.c + (l2 + 1) * d2c} &&
                   (puntiDellArco || cellaDellArco(d, arco, c.r + (l2 + 1) * d2r, c.c + (l2 + 1) * d2c)))
                ++l2;
            const Punto a{c.r + l1 * d1r, c.c + l1 * d1c}, b{c.r + l2 * d2r, c.c + l2 * d2c};
            const Punto c2 = d1r != 0 ? Punto{a.r, b.c} : Punto{b.r, a.c};
            const Punto x{a.r - d2r, a.c - d2c}, z{b.r - d1r, b.c - d1c};
            {
                // Read: the legs and one cell beyond each, x, z and the rectangle of c and c2, all within
                // the box of these.
                Lettura l{i, i + l2 + 1, c.r, c.r, c.c, c.c};
                for (const Punto t : {Punto{a.r + d1r, a.c + d1c}, Punto{b.r + d2r, b.c + d2c}, x, z, c2}) {
                    l.r0 = std::min(l.r0, t.r);
                    l.r1 = std::max(l.r1, t.r);
                    l.c0 = std::min(l.c0, t.c);
                    l.c1 = std::max(l.c1, t.c);
                }
                letture.push_back(l);
            }
            if (l1 == 0 || l2 == 0) continue;
            const Punto fine{rf, cf};
            const bool ok1 = tipoDi(d, x.r, x.c) == 'I' || cellaDellArco(d, arco, x.r, x.c) ||
                             Punto{b.r + d1r, b.c + d1c} == fine;
            const bool ok2 = tipoDi(d, z.r, z.c) == 'I' || cellaDellArco(d, arco, z.r, z.c) ||
                             Punto{a.r + d2r, a.c + d2c} == fine;
            if (!ok1 || !ok2 || !VerificaRettangoloVuoto(d, arco, c.r, c.c, c2.r, c2.c)) continue;
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
            for (int k = primo; k <= ultimo && restaSenzaAnelli; ++k)
                for (int dir = 1; dir <= 4; ++dir) {
                    int dr = 0, dc = 0;
                    passoDi(dir, dr, dc);
                    const Punto q{s.punti[k].r + dr, s.punti[k].c + dc};
                    if (!cellaDellArco(d, arco, q.r, q.c) || (k > 0 && q == s.punti[k - 1]) ||
                        (k + 1 < n && q == s.punti[k + 1]))
                        continue;
                    restaSenzaAnelli = false;
                    break;
                }
            if (restaSenzaAnelli) {
                for (int k = primo; k <= ultimo; ++k)
                    d.TblNodo.at(s.punti[k].r, s.punti[k].c).Posizione = k + 1;
                // Written as the buffer and the path once the flips are over: until then only the
                // point list is read.
                daScrivere = true;
                // The points from the old legs on and the cells of the rectangle of c and c2 have
                // changed; the path keeps its length.
                const int r0 = std::min(c.r, c2.r), r1 = std::max(c.r, c2.r);
                const int c0 = std::min(c.c, c2.c), c1 = std::max(c.c, c2.c);
                da = std::max(1, primo - 1);
                for (const Lettura& l : letture)
                    if (l.posto < da &&
                        (l.ultimoPunto >= primo || (l.r0 <= r1 && l.r1 >= r0 && l.c0 <= c1 && l.c1 >= c0))) {
                        da = l.posto;
                        break;
                    }
                while (!letture.empty() && letture.back().posto >= da) letture.pop_back();
            } else {
                // The new legs may run beside another stretch of the same arc: loops they close go.
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
        if (!girato) break;
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

void InvertiAngoloElencato(Diagram& d, LayoutState& s, int arco, int rf, int cf, bool daScrivere) {
    invertiAngolo(d, s, arco, rf, cf, false, true, daScrivere);
}

}  // namespace trevalon
