#include "moves/compare.h"

#include <vector>

#include "moves/relabel.h"

namespace trevalon {

std::optional<std::string> formaCanonica(std::string_view txtNodo) {
    auto voci = leggiVociScifta(txtNodo);
    if (!voci) return std::nullopt;
    const int n = static_cast<int>(voci->size());

    // Labels are mapped to dense indices once, so that renumbering needs only a small table per reading.
    std::vector<int> dense(voci->size());
    {
        std::vector<std::pair<int, int>> seen;  // (label, index) in order of appearance
        for (int k = 0; k < n; ++k) {
            int label = (*voci)[static_cast<std::size_t>(k)].label;
            int idx = -1;
            for (const auto& [l, i] : seen)
                if (l == label) {
                    idx = i;
                    break;
                }
            if (idx < 0) {
                idx = static_cast<int>(seen.size());
                seen.emplace_back(label, idx);
            }
            dense[static_cast<std::size_t>(k)] = idx;
        }
    }

    // A passage of a reading is encoded as 2 * new label + (own sign is '+').
    std::vector<int> best;
    std::vector<int> nuovo(voci->size(), 0);
    std::vector<int> current;
    current.reserve(voci->size());
    for (int dir = 0; dir < 2; ++dir) {
        for (int start = 0; start < n; ++start) {
            std::fill(nuovo.begin(), nuovo.end(), 0);
            int next = 0;
            current.clear();
            bool smaller = best.empty();  // already known to be below best
            bool worse = false;
            for (int s = 0; s < n && !worse; ++s) {
                int k = dir == 0 ? (start + s) % n : ((start - s) % n + n) % n;
                const VoceScifta& v = (*voci)[static_cast<std::size_t>(k)];
                int& nl = nuovo[static_cast<std::size_t>(dense[static_cast<std::size_t>(k)])];
                if (nl == 0) nl = ++next;
                int code = 2 * nl + (v.sign == '+' ? 1 : 0);
                if (!smaller) {
                    int b = best[static_cast<std::size_t>(s)];
                    if (code > b) worse = true;
                    if (code < b) smaller = true;
                }
                current.push_back(code);
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
    return f && forme_.count(*f) > 0;
}

InsiemeCodici::Esito InsiemeCodici::aggiungi(std::string_view txtNodo) {
    auto f = formaCanonica(txtNodo);
    if (!f) return Esito::Illeggibile;
    if (forme_.count(*f) > 0) return Esito::GiaPresente;
    if (pieno()) return Esito::Pieno;
    forme_.insert(std::move(*f));
    return Esito::Aggiunto;
}

}  // namespace trevalon
