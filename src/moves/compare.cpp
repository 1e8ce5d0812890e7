#include "moves/compare.h"

#include <vector>

#include "moves/relabel.h"

namespace trevalon {

std::optional<std::string> formaCanonica(std::string_view txtNodo) {
    auto voci = leggiVociScifta(txtNodo);
    if (!voci) return std::nullopt;
    const int n = static_cast<int>(voci->size());
    auto at = [](auto& v, int k) -> decltype(auto) { return v[static_cast<std::size_t>(k)]; };

    // Labels are mapped to dense indices once, in order of appearance, so that renumbering needs only a
    // small table per reading. Labels of a rewritten code are small; larger ones are looked up by a scan.
    std::vector<int> dense(voci->size());
    {
        std::vector<int> perEtichetta(static_cast<std::size_t>(n) + 1, -1);
        std::vector<std::pair<int, int>> grandi;  // (label, index) of labels beyond n
        int next = 0;
        for (int k = 0; k < n; ++k) {
            const int label = at(*voci, k).label;
            int* idx = nullptr;
            if (label >= 0 && label <= n) {
                idx = &at(perEtichetta, label);
            } else {
                for (auto& [l, i] : grandi)
                    if (l == label) idx = &i;
                if (!idx) idx = &grandi.emplace_back(label, -1).second;
            }
            if (*idx < 0) *idx = next++;
            at(dense, k) = *idx;
        }
    }

    // A passage of a reading is encoded as 2 * new label + (own sign is '+'). Each reading is compared
    // with the best so far as it is renumbered, and dropped at the first passage that is larger.
    std::vector<int> best;
    std::vector<int> current(voci->size(), 0);
    // New label of each dense index in the current reading, valid where its stamp is the reading's.
    std::vector<int> nuovo(voci->size(), 0);
    std::vector<int> stamp(voci->size(), -1);
    int lettura = 0;
    for (int dir = 0; dir < 2; ++dir) {
        for (int start = 0; start < n; ++start, ++lettura) {
            int next = 0;
            bool smaller = best.empty();  // already known to be below best
            bool worse = false;
            int k = start;
            for (int s = 0; s < n; ++s) {
                const VoceScifta& v = at(*voci, k);
                const int di = at(dense, k);
                if (at(stamp, di) != lettura) {
                    at(stamp, di) = lettura;
                    at(nuovo, di) = ++next;
                }
                const int code = 2 * at(nuovo, di) + (v.sign == '+' ? 1 : 0);
                if (!smaller) {
                    const int b = at(best, s);
                    if (code > b) {
                        worse = true;
                        break;
                    }
                    if (code < b) smaller = true;
                }
                at(current, s) = code;
                k = dir == 0 ? (k + 1 == n ? 0 : k + 1) : (k == 0 ? n - 1 : k - 1);
            }
            if (!worse && smaller) best = current;
        }
    }
    std::vector<VoceScifta> out(best.size());
    for (std::size_t k = 0; k < best.size(); ++k) out[k] = {(best[k] & 1) ? '+' : '-', best[k] / 2};
    return scriviVociScifta(out);
}

bool stessoCodice(std::string_view a, std::string_view b) {
    auto fa = formaCanonica(a);
    auto fb = formaCanonica(b);
    return fa && fb && *fa == *fb;
}

bool InsiemeCodici::contiene(std::string_view txtNodo) const {
    auto f = formaCanonica(txtNodo);
    return f && contieneForma(*f);
}

InsiemeCodici::Esito InsiemeCodici::aggiungi(std::string_view txtNodo) {
    auto f = formaCanonica(txtNodo);
    if (!f) return Esito::Illeggibile;
    return aggiungiForma(std::move(*f));
}

InsiemeCodici::Esito InsiemeCodici::aggiungiForma(std::string forma) {
    if (forme_.count(forma) > 0) return Esito::GiaPresente;
    if (pieno()) return Esito::Pieno;
    forme_.insert(std::move(forma));
    return Esito::Aggiunto;
}

}  // namespace trevalon
