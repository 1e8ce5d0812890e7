#include "layout/tidy.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <system_error>
#include <utility>
#include <vector>

#include "layout/auto_layout.h"
#include "layout/cell_access.h"
#include "layout/cell_lists.h"
#include "layout/corner_flipping.h"
#include "layout/hump_straightening.h"
#include "layout/path_text.h"

namespace trevalon {

namespace {

bool ugualeA(const CellaNodo& x, const CellaNodo& y) {
    return x.Tipo == y.Tipo && (x.Tipo == 0 || x.Numero == y.Numero);
}

// Leading number of a field and where it ends.
std::size_t fineNumero(std::string_view t, std::size_t i) {
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    return i;
}

// A field of a sign and digits as a number, refused as the standard text conversion refuses it: without
// digits (std::invalid_argument), beyond an int (std::out_of_range).
int leggiCampo(std::string_view campo) {
    if (!campo.empty() && campo[0] == '+') campo.remove_prefix(1);
    int v = 0;
    const std::errc errore = std::from_chars(campo.data(), campo.data() + campo.size(), v).ec;
    if (errore == std::errc::result_out_of_range)
        throw std::out_of_range("a path item's number is too large");
    if (errore != std::errc{}) throw std::invalid_argument("a path item has no number");
    return v;
}

void rinominaPercorsi(Diagram& d, const std::vector<int>& mappa, bool righe) {
    for (int a = 1; a <= d.NumArchi; ++a) {
        Arco& x = d.archi[a];
        if (!x.Percorso.empty()) x.Percorso = rinominaVoci(x.Percorso, mappa, righe);
        if (!x.PuntiExtra.empty()) x.PuntiExtra = rinominaVoci(x.PuntiExtra, mappa, righe);
        if (righe && x.RigaFine >= 0 && x.RigaFine < static_cast<int>(mappa.size()))
            x.RigaFine = mappa[x.RigaFine];
        if (!righe && x.ColFine >= 0 && x.ColFine < static_cast<int>(mappa.size()))
            x.ColFine = mappa[x.ColFine];
    }
}

// Whether renaming the items of the text, by rows and by columns, refuses none of them (see `leggiCampo`).
bool rinominabile(std::string_view text) {
    const auto valido = [](std::string_view campo) {
        if (!campo.empty() && campo[0] == '+') campo.remove_prefix(1);
        int v = 0;
        return std::from_chars(campo.data(), campo.data() + campo.size(), v).ec == std::errc{};
    };
    for (std::size_t start = 0, bar = text.find('|'); bar != std::string_view::npos;
         start = bar + 1, bar = text.find('|', start)) {
        const std::string_view item = text.substr(start, bar - start);
        const auto comma = item.find(',');
        if (comma == std::string_view::npos) continue;
        const std::size_t fineCol = fineNumero(item, comma + 1);
        if (fineNumero(item, 0) != comma || fineCol <= comma + 1) continue;  // not renamed
        if (!valido(item.substr(0, comma)) || !valido(item.substr(comma + 1, fineCol - comma - 1)))
            return false;
    }
    return true;
}

// The paths renamed as `rinominaPercorsi` does, those kept in memory and changed there as points: their
// texts, written from the points, would be renamed to the text of the renamed points.
void rinominaPercorsiInMemoria(Diagram& d, LayoutState& s, const std::vector<int>& mappa, bool righe) {
    const auto nuovo = [&](int v) { return v >= 0 && v < static_cast<int>(mappa.size()) ? mappa[v] : v; };
    for (int a = 1; a <= d.NumArchi; ++a) {
        Arco& x = d.archi[a];
        if (s.percorsoCambiato[static_cast<std::size_t>(a)]) {
            for (Punto& p : s.percorsiMemoria[static_cast<std::size_t>(a)])
                (righe ? p.r : p.c) = nuovo(righe ? p.r : p.c);
        } else if (!x.Percorso.empty()) {
            x.Percorso = rinominaVoci(x.Percorso, mappa, righe);
        }
        if (!x.PuntiExtra.empty()) x.PuntiExtra = rinominaVoci(x.PuntiExtra, mappa, righe);
        if (righe && x.RigaFine >= 0 && x.RigaFine < static_cast<int>(mappa.size()))
            x.RigaFine = mappa[x.RigaFine];
        if (!righe && x.ColFine >= 0 && x.ColFine < static_cast<int>(mappa.size()))
            x.ColFine = mappa[x.ColFine];
    }
}

}  // namespace

std::string rinominaVoci(std::string_view text, const std::vector<int>& mappa, bool righe) {
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    while (start < text.size()) {
        const auto bar = text.find('|', start);
        if (bar == std::string_view::npos) {
            out.append(text.substr(start));  // not an item
            break;
        }
        const std::string_view item = text.substr(start, bar - start);
        const auto comma = item.find(',');
        if (comma == std::string_view::npos) {
            out.append(item);
        } else {
            const std::size_t fineRiga = fineNumero(item, 0);
            const std::size_t fineCol = fineNumero(item, comma + 1);
            const bool leggibile = fineRiga == comma && fineCol > comma + 1;
            if (!leggibile) {
                out.append(item);
            } else {
                const std::string_view campo =
                    righe ? item.substr(0, comma) : item.substr(comma + 1, fineCol - comma - 1);
                const int v = leggiCampo(campo);
                const int nv = (v >= 0 && v < static_cast<int>(mappa.size())) ? mappa[v] : v;
                char cifre[16];
                const std::string_view nuovo(
                    cifre,
                    static_cast<std::size_t>(std::to_chars(cifre, cifre + sizeof cifre, nv).ptr - cifre));
                if (righe) {
                    out.append(nuovo);
                    out.append(item.substr(comma));
                } else {
                    out.append(item.substr(0, comma + 1));
                    out.append(nuovo);
                    out.append(item.substr(fineCol));
                }
            }
        }
        out += '|';
        start = bar + 1;
    }
    return out;
}

namespace {

// The repeated rows (columns) deleted as below, the paths left as they are: the map of old rows (columns)
// to new ones.
std::vector<int> eliminaRighe(Diagram& d, LimitiNodo* area) {
    constexpr int n = kMaxCella;
    // Outside the area every cell is empty: rows there repeat the row before them, and only the area's
    // columns need comparing and moving.
    const int r0 = area ? std::max(1, area->RigaMin) : 1, r1 = area ? std::min(n, area->RigaMax) : n;
    const int c0 = area ? std::max(0, area->ColMin) : 0, c1 = area ? std::min(n, area->ColMax) : n;
    std::vector<int> mappa(n + 1, 0);
    std::vector<char> uguale(n + 1, 1);
    const CellTable& tavola = d.TblNodo;
    for (int r = r0; r <= std::min(n, r1 + 1); ++r) {
        const CellaNodo *riga = &tavola.at(r, 0), *sopra = &tavola.at(r - 1, 0);
        bool eq = true;
        for (int c = std::max(1, c0); c <= c1 && eq; ++c) eq = ugualeA(riga[c], sopra[c]);
        uguale[r] = static_cast<char>(eq);
    }
    int k = 0;
    for (int r = 1; r <= n; ++r) {
        if (uguale[r]) {
            mappa[r] = mappa[r - 1];  // merged into the line it repeats
            continue;
        }
        ++k;
        mappa[r] = k;
        if (k != r && c0 <= c1) {
            const CellaNodo* da = &tavola.at(r, 0);
            std::copy(da + c0, da + c1 + 1, &d.TblNodo.at(k, 0) + c0);
        }
    }
    // Rows before the area were empty and stay so: only the area's rows past the kept ones are cleared.
    d.TblNodo.clear(std::max(k + 1, r0), r1, c0, c1);
    if (area) {
        area->RigaMin = 1;
        area->RigaMax = k;
    }
    return mappa;
}

std::vector<int> eliminaColonne(Diagram& d, LimitiNodo* area) {
    constexpr int n = kMaxCella;
    const int r0 = area ? std::max(0, area->RigaMin) : 0, r1 = area ? std::min(n, area->RigaMax) : n;
    const int c0 = area ? std::max(1, area->ColMin) : 1, c1 = area ? std::min(n, area->ColMax) : n;
    std::vector<int> mappa(n + 1, 0);
    std::vector<char> uguale(n + 1, 1);
    const CellTable& tavola = d.TblNodo;
    for (int r = std::max(1, r0); r <= r1; ++r) {
        const CellaNodo* riga = &tavola.at(r, 0);
        for (int c = c0; c <= std::min(n, c1 + 1); ++c)
            if (uguale[c] && !ugualeA(riga[c], riga[c - 1])) uguale[c] = 0;
    }
    int k = 0;
    std::vector<std::pair<int, int>> sposta;  // (from, to) of the kept columns that move
    for (int c = 1; c <= n; ++c) {
        if (uguale[c]) {
            mappa[c] = mappa[c - 1];
            continue;
        }
        ++k;
        mappa[c] = k;
        if (k != c) sposta.emplace_back(c, k);
    }
    // Moved row by row: each column moves to an earlier one, in order, as it would column by column.
    if (!sposta.empty())
        for (int r = r0; r <= r1; ++r) {
            CellaNodo* riga = &d.TblNodo.at(r, 0);
            for (const auto& [da, a] : sposta) riga[a] = riga[da];
        }
    d.TblNodo.clear(r0, r1, std::max(k + 1, c0), c1);
    if (area) {
        area->ColMin = 1;
        area->ColMax = k;
    }
    return mappa;
}

}  // namespace

void EliminaRigheUgualiN(Diagram& d, LimitiNodo* area) {
    rinominaPercorsi(d, eliminaRighe(d, area), true);
}

void EliminaColonneUgualiN(Diagram& d, LimitiNodo* area) {
    rinominaPercorsi(d, eliminaColonne(d, area), false);
}

namespace {

// The view of the construction without spreading the work grid: the extent recomputed, which cannot fail.
void vediCostruzione(Diagram& d, LayoutState& s, const LimitiNodo* area = nullptr) {
    const Status visto = VisCostruzione(d, s, "F", false, area);
    (void)visto;
}

}  // namespace

void Assesta(Diagram& d, LayoutState& s) {
    // A build knows the box that holds every cell it has written since it cleared the table: the extent
    // is looked for there only.
    if (s.areaNotata && s.areaEsatta)
        vediCostruzione(d, s, &s.areaSporca);
    else
        vediCostruzione(d, s);
    auto area = [&](int& r0, int& r1, int& c0, int& c1) {
        r0 = std::max(1, d.limiti.RigaMin - 1);
        r1 = std::min(kMaxCella - 1, d.limiti.RigaMax + 1);
        c0 = std::max(1, d.limiti.ColMin - 1);
        c1 = std::min(kMaxCella - 1, d.limiti.ColMax + 1);
    };
    riprendiPercorsiInMemoria(s);
    if (s.settings.ChKrAD && d.limiti.RigaMax >= d.limiti.RigaMin) {
        int r0 = 0, r1 = 0, c0 = 0, c1 = 0;
        area(r0, r1, c0, c1);
        iniziaRaddrizzature(s);
        for (int giri = 0; giri < 10000; ++giri) {
            s.TracciatoCambiato = false;
            RaddrizzaGobbe(d, s, 0, r0, r1, c0, c1);
            if (!s.TracciatoCambiato) break;
        }
        fineRaddrizzature(d, s);
        InvertiAngoliTutti(d, s, 827);
    }
    // Isolated cells go.
    if (d.limiti.RigaMax >= d.limiti.RigaMin) {
        int r0 = 0, r1 = 0, c0 = 0, c1 = 0;
        area(r0, r1, c0, c1);
        // The area lies within the table's border ring: every cell beside one of its cells is in the table.
        for (int r = r0; r <= r1 && c0 <= c1; ++r) {
            CellaNodo* riga = &d.TblNodo.at(r, 0);
            const CellaNodo *sopra = &std::as_const(d.TblNodo).at(r - 1, 0),
                            *sotto = &std::as_const(d.TblNodo).at(r + 1, 0);
            for (int c = c0; c <= c1; ++c)
                if (riga[c].Tipo != 0 && sopra[c].Tipo == 0 && sotto[c].Tipo == 0 && riga[c - 1].Tipo == 0 &&
                    riga[c + 1].Tipo == 0)
                    svuota(riga[c]);
        }
    }
    for (int i = 1; i <= d.NumArchi; ++i) {
        VerificaListacelle(d, s, i);
        ComponiListaCelle(d, s, i);
    }
    // The straightening works within one cell of the extent, so nothing lies outside that ring.
    LimitiNodo usata{0, -1, 0, -1};
    if (d.limiti.RigaMax >= d.limiti.RigaMin) area(usata.RigaMin, usata.RigaMax, usata.ColMin, usata.ColMax);
    // Repeated rows and columns go. The paths kept in memory are renamed there and written once, unless a
    // text would refuse to be renamed: the paths are then written first, and the refusal comes as it would.
    bool inMemoria = s.percorsiInMemoria && d.NumArchi < static_cast<int>(s.percorsoCambiato.size()) &&
                     d.NumArchi < static_cast<int>(d.archi.size());
    for (int a = 1; a <= d.NumArchi && inMemoria; ++a) {
        const Arco& x = d.archi[a];
        inMemoria = rinominabile(x.PuntiExtra) &&
                    (s.percorsoCambiato[static_cast<std::size_t>(a)] || rinominabile(x.Percorso));
    }
    if (inMemoria) {
        numeraInSospeso(d, s);
        rinominaPercorsiInMemoria(d, s, eliminaRighe(d, &usata), true);
        rinominaPercorsiInMemoria(d, s, eliminaColonne(d, &usata), false);
        scriviPercorsiInSospeso(d, s);
    } else {
        scriviPercorsiInSospeso(d, s);
        EliminaRigheUgualiN(d, &usata);
        EliminaColonneUgualiN(d, &usata);
    }
    // The deletions leave every cell outside the area they kept empty.
    vediCostruzione(d, s, &usata);
    // Beyond the last kept row and column the deletion has emptied every field.
    s.areaEsatta = false;
    s.areaSporca = {0, std::min(kMaxCella, d.limiti.RigaMax + 1), 0,
                    std::min(kMaxCella, d.limiti.ColMax + 1)};
}

}  // namespace trevalon
