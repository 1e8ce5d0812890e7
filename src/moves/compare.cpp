#include "moves/compare.h"

namespace trevalon {

namespace {

// Working tables of the smallest reading, kept between calls: a search computes it for every diagram it
// reaches.
struct Lavoro {
    std::vector<int> dense;                   // dense index of each passage's label, by first appearance
    std::vector<int> perEtichetta;            // dense index per small label, -1 when not yet seen
    std::vector<std::pair<int, int>> grandi;  // (label, dense index) of labels beyond the passage count
    std::vector<int> best, current;
    std::vector<int> nuovo, stamp;  // new label per dense index, valid where stamp is the reading's
};

// The smallest of the 4n readings, each passage as 2 * new label + (own sign is '+').
const std::vector<int>& letturaMinima(const std::vector<VoceScifta>& voci) {
    thread_local Lavoro w;
    const int n = static_cast<int>(voci.size());
    const std::size_t un = voci.size();
    auto at = [](auto& v, int k) -> decltype(auto) { return v[static_cast<std::size_t>(k)]; };

    // Labels are mapped to dense indices once, in order of appearance, so that renumbering needs only a
    // small table per reading. Labels of a rewritten code are small; larger ones are looked up by a scan.
    w.dense.assign(un, 0);
    w.perEtichetta.assign(un + 1, -1);
    w.grandi.clear();
    int distinte = 0;
    for (int k = 0; k < n; ++k) {
        const int label = at(voci, k).label;
        int* idx = nullptr;
        if (label >= 0 && label <= n) {
            idx = &at(w.perEtichetta, label);
        } else {
            for (auto& [l, i] : w.grandi)
                if (l == label) idx = &i;
            if (!idx) idx = &w.grandi.emplace_back(label, -1).second;
        }
        if (*idx < 0) *idx = distinte++;
        at(w.dense, k) = *idx;
    }

    // Each reading is compared with the best so far as it is renumbered, and dropped at the first passage
    // that is larger.
    w.best.clear();
    w.current.assign(un, 0);
    w.nuovo.assign(un, 0);
    w.stamp.assign(un, -1);
    int lettura = 0;
    for (int dir = 0; dir < 2; ++dir) {
        for (int start = 0; start < n; ++start, ++lettura) {
            int next = 0;
            bool smaller = w.best.empty();  // already known to be below best
            bool worse = false;
            int k = start;
            for (int s = 0; s < n; ++s) {
                const int di = at(w.dense, k);
                if (at(w.stamp, di) != lettura) {
                    at(w.stamp, di) = lettura;
                    at(w.nuovo, di) = ++next;
                }
                const int code = 2 * at(w.nuovo, di) + (at(voci, k).sign == '+' ? 1 : 0);
                if (!smaller) {
                    const int b = at(w.best, s);
                    if (code > b) {
                        worse = true;
                        break;
                    }
                    if (code < b) smaller = true;
                }
                at(w.current, s) = code;
                k = dir == 0 ? (k + 1 == n ? 0 : k + 1) : (k == 0 ? n - 1 : k - 1);
            }
            if (!worse && smaller) w.best.swap(w.current);
            if (w.current.size() != un) w.current.assign(un, 0);
        }
    }
    return w.best;
}

}  // namespace

std::optional<std::string> formaCanonica(std::string_view txtNodo) {
    auto voci = leggiVociScifta(txtNodo);
    if (!voci) return std::nullopt;
    const std::vector<int>& best = letturaMinima(*voci);
    std::vector<VoceScifta> out(best.size());
    for (std::size_t k = 0; k < best.size(); ++k) out[k] = {(best[k] & 1) ? '+' : '-', best[k] / 2};
    return scriviVociScifta(out);
}

std::string chiaveCanonica(const std::vector<VoceScifta>& voci) {
    std::string chiave;
    if (voci.empty()) return chiave;
    const std::vector<int>& best = letturaMinima(voci);
    // One byte a passage while every code fits in it, else two; the first byte says which.
    int massimo = 0;
    for (int c : best) massimo = c > massimo ? c : massimo;
    const bool largo = massimo > 255;
    chiave.reserve(1 + best.size() * (largo ? 2 : 1));
    chiave += largo ? '\2' : '\1';
    for (int c : best) {
        if (largo) chiave += static_cast<char>(c >> 8);
        chiave += static_cast<char>(c & 0xff);
    }
    return chiave;
}

std::optional<std::string> chiaveCanonica(std::string_view txtNodo) {
    auto voci = leggiVociScifta(txtNodo);
    if (!voci) return std::nullopt;
    return chiaveCanonica(*voci);
}

bool stessoCodice(std::string_view a, std::string_view b) {
    auto fa = chiaveCanonica(a);
    auto fb = chiaveCanonica(b);
    return fa && fb && *fa == *fb;
}

bool InsiemeCodici::contiene(std::string_view txtNodo) const {
    auto k = chiaveCanonica(txtNodo);
    return k && contieneChiave(*k);
}

InsiemeCodici::Esito InsiemeCodici::aggiungi(std::string_view txtNodo) {
    auto k = chiaveCanonica(txtNodo);
    if (!k) return Esito::Illeggibile;
    return aggiungiChiave(std::move(*k));
}

InsiemeCodici::Esito InsiemeCodici::aggiungiChiave(std::string chiave) {
    if (chiavi_.count(chiave) > 0) return Esito::GiaPresente;
    if (pieno()) return Esito::Pieno;
    chiavi_.insert(std::move(chiave));
    return Esito::Aggiunto;
}

}  // namespace trevalon
