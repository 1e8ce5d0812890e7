#include "layout/tidy.h"

#include <vector>

#include "layout/auto_layout.h"
#include "layout/cell_access.h"
#include "layout/cell_lists.h"

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
                const int v = std::stoi(std::string(campo));
                const int nv = (v >= 0 && v < static_cast<int>(mappa.size())) ? mappa[v] : v;
                if (righe) {
                    out += std::to_string(nv);
                    out.append(item.substr(comma));
                } else {
                    out.append(item.substr(0, comma + 1));
                    out += std::to_string(nv);
                    out.append(item.substr(fineCol));
                }
            }
        }
        out += '|';
        start = bar + 1;
    }
    return out;
}

void EliminaRigheUgualiN(Diagram& d) {
    constexpr int n = kMaxCella;
    std::vector<int> mappa(n + 1, 0);
    std::vector<char> uguale(n + 1, 0);
    for (int r = 1; r <= n; ++r) {
        bool eq = true;
        for (int c = 1; c <= n && eq; ++c) eq = ugualeA(d.TblNodo.at(r, c), d.TblNodo.at(r - 1, c));
        uguale[r] = eq;
    }
    int k = 0;
    for (int r = 1; r <= n; ++r) {
        if (uguale[r]) {
            mappa[r] = mappa[r - 1];  // merged into the line it repeats
            continue;
        }
        ++k;
        mappa[r] = k;
        if (k != r)
            for (int c = 0; c <= n; ++c) d.TblNodo.at(k, c) = d.TblNodo.at(r, c);
    }
    d.TblNodo.clear(k + 1, n, 0, n);
    rinominaPercorsi(d, mappa, true);
}

void EliminaColonneUgualiN(Diagram& d) {
    constexpr int n = kMaxCella;
    std::vector<int> mappa(n + 1, 0);
    std::vector<char> uguale(n + 1, 1);
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c)
            if (uguale[c] && !ugualeA(d.TblNodo.at(r, c), d.TblNodo.at(r, c - 1))) uguale[c] = 0;
    int k = 0;
    for (int c = 1; c <= n; ++c) {
        if (uguale[c]) {
            mappa[c] = mappa[c - 1];
            continue;
        }
        ++k;
        mappa[c] = k;
        if (k != c)
            for (int r = 0; r <= n; ++r) d.TblNodo.at(r, k) = d.TblNodo.at(r, c);
    }
    d.TblNodo.clear(0, n, k + 1, n);
    rinominaPercorsi(d, mappa, false);
}

void Assesta(Diagram& d, LayoutState& s) {
    VisCostruzione(d, s, "F", false);
    auto area = [&](int& r0, int& r1, int& c0, int& c1) {
        r0 = std::max(1, d.limiti.RigaMin - 1);
        r1 = std::min(kMaxCella - 1, d.limiti.RigaMax + 1);
        c0 = std::max(1, d.limiti.ColMin - 1);
        c1 = std::min(kMaxCella - 1, d.limiti.ColMax + 1);
    };
    tieniPercorsiInMemoria(s);
    if (s.settings.ChKrAD && d.limiti.RigaMax >= d.limiti.RigaMin) {
        int r0 = 0, r1 = 0, c0 = 0, c1 = 0;
        area(r0, r1, c0, c1);
        for (int giri = 0; giri < 10000; ++giri) {
            s.TracciatoCambiato = false;
            RaddrizzaGobbe(d, s, 0, r0, r1, c0, c1);
            if (!s.TracciatoCambiato) break;
        }
        for (int giri = 0; giri < 10000; ++giri) {
            s.TracciatoCambiato = false;
            for (int i = 1; i <= d.NumArchi; ++i)
                InvertiAngolo(d, s, i, d.archi[i].RigaFine, d.archi[i].ColFine, i == 827);
            if (!s.TracciatoCambiato) break;
        }
    }
    // Isolated cells go.
    if (d.limiti.RigaMax >= d.limiti.RigaMin) {
        int r0 = 0, r1 = 0, c0 = 0, c1 = 0;
        area(r0, r1, c0, c1);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c) {
                CellaNodo& x = d.TblNodo.at(r, c);
                if (x.Tipo == 0) continue;
                if (tipoDi(d, r - 1, c) == 0 && tipoDi(d, r + 1, c) == 0 && tipoDi(d, r, c - 1) == 0 &&
                    tipoDi(d, r, c + 1) == 0)
                    svuota(x);
            }
    }
    for (int i = 1; i <= d.NumArchi; ++i) {
        VerificaListacelle(d, s, i);
        ComponiListaCelle(d, s, i);
    }
    scriviPercorsiInSospeso(d, s);
    EliminaRigheUgualiN(d);
    EliminaColonneUgualiN(d);
    VisCostruzione(d, s, "F", false);
    // Beyond the last kept row and column the deletion has emptied every field.
    s.areaSporca = {0, std::min(kMaxCella, d.limiti.RigaMax + 1), 0,
                    std::min(kMaxCella, d.limiti.ColMax + 1)};
}

}  // namespace trevalon
