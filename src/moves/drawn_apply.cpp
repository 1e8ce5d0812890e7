#include "moves/drawn_apply.h"

#include <charconv>
#include <string>

namespace trevalon {

namespace {

// A whole number of the text, or -1.
int numero(std::string_view t) {
    int v = -1;
    const auto [fine, errore] = std::from_chars(t.data(), t.data() + t.size(), v);
    return errore == std::errc{} && fine == t.data() + t.size() ? v : -1;
}

template <typename F>
void perOgniPezzo(std::string_view testo, char sep, F&& f) {
    while (!testo.empty()) {
        const std::size_t k = testo.find(sep);
        f(testo.substr(0, k));
        if (k == std::string_view::npos) break;
        testo.remove_prefix(k + 1);
    }
}

}  // namespace

int EliminaArchi(Diagram& d, std::string_view tmpLista) {
    std::string lista;
    for (char ch : tmpLista)
        if (ch != '-' && ch != '+') lista += ch;
    int tolte = 0;
    perOgniPezzo(lista, ',', [&](std::string_view voce) {
        const int a = numero(voce);
        if (a < 1 || a > d.NumArchi || a > kMaxArchi) return;
        perOgniPezzo(d.archi[a].Percorso, '|', [&](std::string_view cella) {
            const std::size_t k = cella.find(',');
            if (k == std::string_view::npos) return;
            std::string_view colonna = cella.substr(k + 1);
            if (!colonna.empty() && colonna.back() == ',') colonna.remove_suffix(1);
            const int r = numero(cella.substr(0, k)), c = numero(colonna);
            if (!CellTable::inside(r, c)) return;
            CellaNodo& x = d.TblNodo.at(r, c);
            x.Tipo = 0;
            x.setVicini("");
            x.Simbolo = 0;
            x.Numero = 0;
            ++tolte;
        });
    });
    return tolte;
}

}  // namespace trevalon
