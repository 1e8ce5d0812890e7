#include "moves/gauss_rewrite.h"

#include <algorithm>
#include <cstdio>

#include "model/gauss_code.h"
#include "moves/bridge_lists.h"

namespace trevalon {

namespace {

std::vector<std::string> splitComma(const std::string& s) {
    return dividiVirgole(s);
}

// The non-empty items of a comma list.
std::vector<std::string> listItems(const std::string& s) {
    std::vector<std::string> out;
    for (auto& item : splitComma(s))
        if (!item.empty()) out.push_back(item);
    return out;
}

std::optional<int> wholeNumber(const std::string& s) {
    if (s.empty()) return std::nullopt;
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
        if (v > 1000000) return std::nullopt;
    }
    return v;
}

// Leading whole number of an item ("12+" gives 12); nothing when it does not start with a digit.
std::optional<int> leadingNumber(const std::string& s) {
    std::size_t n = 0;
    while (n < s.size() && s[n] >= '0' && s[n] <= '9') ++n;
    return wholeNumber(s.substr(0, n));
}

char opposite(char s) {
    return s == '+' ? '-' : '+';
}

// The passages of the code with their own signs, checked against the letters: every label has a letter.
struct Codice {
    std::vector<PassaggioGauss> passaggi;
    // cppcheck-suppress unusedStructMember ; read through the optional that holds the code
    std::string lettere;
};

std::optional<Codice> leggi(const TestoNodo& t) {
    auto p = leggiPassaggiGauss(t.txtNodo);
    if (!p || p->empty()) return std::nullopt;
    for (const auto& x : *p)
        if (x.label < 1 || x.label > kMaxIncroci || x.label > static_cast<int>(t.TxtOri.size()))
            return std::nullopt;
    return Codice{std::move(*p), t.TxtOri};
}

std::string nameOf(const TestoNodo& t, int c) {
    if (c >= 0 && c < static_cast<int>(t.NomiIncroci.size()))
        return t.NomiIncroci[static_cast<std::size_t>(c)];
    return std::to_string(c);
}

// Relabels surviving passages (label, own sign, letter, name) by first appearance and writes the code.
struct Superstite {
    int label = 0;  // old label, or the key of a new crossing
    char sign = 0;
};

struct Rinumera {
    std::vector<int> oldLabels;  // per new label - 1
    std::vector<PassaggioGauss> out;
    int add(int oldLabel, char sign) {
        auto it = std::find(oldLabels.begin(), oldLabels.end(), oldLabel);
        int nuovo;
        if (it == oldLabels.end()) {
            oldLabels.push_back(oldLabel);
            nuovo = static_cast<int>(oldLabels.size());
        } else {
            nuovo = static_cast<int>(it - oldLabels.begin()) + 1;
        }
        out.push_back({nuovo, sign});
        return nuovo;
    }
};

TestoNodo scrivi(const TestoNodo& prima, const Rinumera& r, const std::string& lettere,
                 const std::vector<std::string>& nomi) {
    TestoNodo t;
    t.txtNodo = r.out.empty() ? std::string() : scriviTestoGauss(r.out);
    t.TxtOri = lettere;
    t.NomiIncroci = prima.NomiIncroci;
    if (t.NomiIncroci.size() < nomi.size() + 1) t.NomiIncroci.resize(nomi.size() + 1);
    for (std::size_t i = 0; i < nomi.size(); ++i) t.NomiIncroci[i + 1] = nomi[i];
    return t;
}

// The sort keys of the positional rewrite, sorted as texts: a position below a million has six digits.
std::vector<std::string> chiaviOrdinate(const Codice& c, const std::vector<long>& pos) {
    std::vector<std::string> keys;
    keys.reserve(c.passaggi.size());
    for (std::size_t k = 0; k < c.passaggi.size(); ++k) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%06ld,%c%d,", pos[k], c.passaggi[k].sign, c.passaggi[k].label);
        keys.emplace_back(buf);
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

// Positional rewrite shared by the move I and move II kind M rewrites: the passages sorted by position,
// those at position 0 dropped, the survivors renumbered.
TestoNodo riordina(const TestoNodo& prima, const Codice& c, const std::vector<long>& pos,
                   const std::string& lettere, std::vector<std::string>* chiavi) {
    if (chiavi) *chiavi = chiaviOrdinate(c, pos);
    std::vector<std::size_t> order(c.passaggi.size());
    for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return pos[a] < pos[b]; });
    Rinumera r;
    std::string nuoveLettere;
    std::vector<std::string> nomi;
    for (std::size_t k : order) {
        if (pos[k] <= 0) continue;
        const PassaggioGauss& p = c.passaggi[k];
        const std::size_t before = r.oldLabels.size();
        r.add(p.label, p.sign);
        if (r.oldLabels.size() > before) {
            nuoveLettere += lettere[static_cast<std::size_t>(p.label - 1)];
            nomi.push_back(nameOf(prima, p.label));
        }
    }
    return scrivi(prima, r, nuoveLettere, nomi);
}

// The passage (0-based) with the given own sign and label; the last match, as each occurs once.
std::optional<std::size_t> trova(const Codice& c, char sign, int label) {
    std::optional<std::size_t> found;
    for (std::size_t k = 0; k < c.passaggi.size(); ++k)
        if (c.passaggi[k].sign == sign && c.passaggi[k].label == label) found = k;
    return found;
}

struct Voce {
    char sign = 0;
    int ci = 0;
    int cj = 0;
};

// Fields 5 to 7 of a candidate entry ("003,005,007,012,-,5,3").
std::optional<Voce> leggiVoce(const std::string& entry) {
    auto f = splitComma(entry);
    if (f.size() < 7 || f[4].size() != 1 || (f[4][0] != '+' && f[4][0] != '-')) return std::nullopt;
    auto ci = wholeNumber(f[5]), cj = wholeNumber(f[6]);
    if (!ci || !cj) return std::nullopt;
    return Voce{f[4][0], *ci, *cj};
}

}  // namespace

TestoNodo TestoDi(const Diagram& d) {
    return TestoNodo{d.txtNodo, d.TxtOri, d.NomiIncroci};
}

void ScriviTesto(Diagram& d, const TestoNodo& t) {
    d.txtNodo = t.txtNodo;
    d.TxtOri = t.TxtOri;
    for (std::size_t i = 1; i < t.NomiIncroci.size() && i < d.NomiIncroci.size(); ++i)
        d.NomiIncroci[i] = t.NomiIncroci[i];
}

std::optional<TestoNodo> NuovoNodoDaMan(const TestoNodo& prima, const MossaScelta& mossa,
                                        std::vector<std::string>* chiavi) {
    auto c = leggi(prima);
    auto v1 = leggiVoce(mossa.VoceMossa1), v2 = leggiVoce(mossa.VoceMossa2);
    if (!c || !v1 || !v2) return std::nullopt;
    const std::size_t n = c->passaggi.size();
    if (n == 0) return std::nullopt;  // a code without passages has no move to rewrite
    auto p1 = trova(*c, v1->sign, v1->ci), q1 = trova(*c, v1->sign, v1->cj);
    auto p2 = trova(*c, v2->sign, v2->ci), q2 = trova(*c, v2->sign, v2->cj);
    if (!p1 || !q1 || !p2 || !q2) return std::nullopt;

    std::vector<long> pos(n);
    for (std::size_t k = 0; k < n; ++k) pos[k] = static_cast<long>(k + 1) * 1000;
    std::string lettere = c->lettere;
    const bool sameWay = v1->ci == v2->ci;
    auto swap = [&](int label) {
        char& l = lettere[static_cast<std::size_t>(label - 1)];
        l = l == 'O' ? 'V' : 'O';
    };
    // Each stretch lands at the place of the other strand's first passage.
    auto move = [&](std::size_t from, std::size_t to, std::size_t other) {
        long d = 0;
        for (std::size_t k = (from + 1) % n; k != to; k = (k + 1) % n) {
            ++d;
            const long base = static_cast<long>(other + 1) * 1000;
            if (sameWay) {
                pos[k] = base + d;
            } else {
                pos[k] = base - d;
                swap(c->passaggi[k].label);
            }
        }
    };
    move(*p1, *q1, *p2);
    move(*p2, *q2, *p1);
    pos[*p1] = pos[*q1] = pos[*p2] = pos[*q2] = 0;
    return riordina(prima, *c, pos, lettere, chiavi);
}

std::optional<TestoNodo> NuovoNodoDaRic(const TestoNodo& prima, const MossaScelta& mossa,
                                        std::vector<std::string>* chiavi) {
    auto c = leggi(prima);
    auto v = leggiVoce(mossa.VoceMossa1);
    if (!c || !v) return std::nullopt;
    const std::size_t n = c->passaggi.size();
    if (n == 0) return std::nullopt;  // a code without passages has no move to rewrite
    auto p = trova(*c, v->sign, v->ci), q = trova(*c, opposite(v->sign), v->cj);
    if (!p || !q) return std::nullopt;
    std::vector<long> pos(n);
    for (std::size_t k = 0; k < n; ++k) pos[k] = static_cast<long>(k + 1) * 1000;
    for (std::size_t k = (*p + 1) % n; k != *q; k = (k + 1) % n) {
        const int label = c->passaggi[k].label;
        for (std::size_t j = 0; j < n; ++j)
            if (c->passaggi[j].label == label) pos[j] = 0;
    }
    pos[*p] = pos[*q] = 0;
    return riordina(prima, *c, pos, c->lettere, chiavi);
}

namespace {

// A crossed arc of a move II of kind P: the sign it keeps at its new crossing (its sign at the other
// strand), and the crossing at its end beside the other strand, where the new crossing comes.
struct Attraversato {
    int arco = 0;
    char sigma = 0;
    bool vicinoInizio = true;  // the new crossing lies at the start of the arc, else at its end
    int vicino = 0;            // the crossing of the other strand that the arc leaves or reaches
};

// The crossed arcs of the move, read from its lists; none when an item does not name an arc of the
// diagram (`validArc`) with a sign, or a crossing among the `crossings` of the text.
template <class ValidArc>
std::optional<std::vector<Attraversato>> leggiAttraversati(const MossaScelta& mossa, const Diagram& d,
                                                           const ValidArc& validArc, int crossings) {
    std::vector<Attraversato> crossed;
    const auto lontani = listItems(mossa.ListaIncrociAttraversati);
    for (const std::string& item : listItems(mossa.ListaArchiAttraversati)) {
        auto a = leadingNumber(item);
        const char s = item.back();
        if (!a || !validArc(*a) || (s != '+' && s != '-')) return std::nullopt;
        const Arco& arc = d.archi[static_cast<std::size_t>(*a)];
        Attraversato x{*a, s, true, arc.IncrocioDa};
        if (crossed.size() >= lontani.size()) return std::nullopt;
        auto far = leadingNumber(lontani[crossed.size()]);
        if (!far) return std::nullopt;
        if (*far == arc.IncrocioDa && *far != arc.IncrocioA) {
            x.vicinoInizio = false;
            x.vicino = arc.IncrocioA;
        }
        if (x.vicino < 1 || x.vicino > crossings) return std::nullopt;
        crossed.push_back(x);
    }
    return crossed;
}

}  // namespace

std::optional<TestoNodo> NuovoNodoDaPonteB(const TestoNodo& prima, const MossaScelta& mossa, const Diagram& d,
                                           int& contaNuoviIncroci) {
    auto c = leggi(prima);
    if (!c) return std::nullopt;
    const int numArchi = static_cast<int>(c->passaggi.size());
    auto validArc = [&](int a) { return a >= 1 && a <= numArchi && a < static_cast<int>(d.archi.size()); };

    // The stretches run the same way when both candidate entries start at the same crossing.
    auto v1 = leggiVoce(mossa.VoceMossa1), v2 = leggiVoce(mossa.VoceMossa2);
    if (!v1 || !v2) return std::nullopt;
    const bool sameWay = v1->ci == v2->ci;

    const std::optional<std::vector<Attraversato>> attraversati =
        leggiAttraversati(mossa, d, validArc, static_cast<int>(c->lettere.size()));
    if (!attraversati) return std::nullopt;
    const std::vector<Attraversato>& crossed = *attraversati;
    std::vector<int> mossi;
    for (const std::string& item : listItems(mossa.ListaArchiMossa)) {
        auto a = leadingNumber(item);
        if (!a || !validArc(*a)) return std::nullopt;
        mossi.push_back(*a);
    }
    const std::string& inizio = mossa.IncrocioInizioMossa;
    if (inizio.size() < 2) return std::nullopt;
    auto x0 = wholeNumber(inizio.substr(0, inizio.size() - 1));
    const char s0 = inizio.back();
    if (!x0 || (s0 != '+' && s0 != '-')) return std::nullopt;

    // Items in own-sign form; a new crossing is keyed by the index (1-based) of its crossed arc in the list.
    struct Voce {
        int label = 0;  // old label; 0 once deleted
        int nuovo = 0;  // index of the crossed arc for a new crossing
        char sign = 0;
        int sorgente = 0;  // old passage number, 0 for an inserted item
    };
    std::vector<Voce> items;
    items.reserve(static_cast<std::size_t>(std::max(numArchi, 0)) + crossed.size());
    for (int k = 0; k < numArchi; ++k)
        items.push_back({c->passaggi[static_cast<std::size_t>(k)].label, 0,
                         c->passaggi[static_cast<std::size_t>(k)].sign, k + 1});

    for (std::size_t j = crossed.size(); j-- > 0;) {
        const Attraversato& x = crossed[j];
        const int key = static_cast<int>(j) + 1;
        // On the moved strand, right after its start crossing: taken from the last to the first, the new
        // passages come in route order.
        auto at = std::find_if(items.begin(), items.end(),
                               [&](const Voce& v) { return v.nuovo == 0 && v.label == *x0 && v.sign == s0; });
        if (at == items.end()) return std::nullopt;
        items.insert(at + 1, Voce{0, key, opposite(x.sigma), 0});
        // On the crossed arc, beside the other strand: after the passage the arc leaves, or before the one
        // it reaches (an arc that touches the other strand at both ends is crossed twice, in that order).
        if (x.vicinoInizio) {
            auto on =
                std::find_if(items.begin(), items.end(), [&](const Voce& v) { return v.sorgente == x.arco; });
            if (on == items.end()) return std::nullopt;
            items.insert(on + 1, Voce{0, key, x.sigma, 0});
        } else {
            const int next = x.arco % numArchi + 1;
            auto on =
                std::find_if(items.begin(), items.end(), [&](const Voce& v) { return v.sorgente == next; });
            if (on == items.end()) return std::nullopt;
            items.insert(on, Voce{0, key, x.sigma, 0});
        }
    }
    // The moved strand's inner crossings disappear, both passages.
    for (std::size_t k = 1; k < mossi.size(); ++k) {
        const int gone = d.archi[static_cast<std::size_t>(mossi[k])].IncrocioDa;
        for (Voce& v : items)
            if (v.nuovo == 0 && v.label == gone) v.label = 0;
    }

    Rinumera r;
    std::string lettere;
    std::vector<std::string> nomi;
    int conta = contaNuoviIncroci;
    for (const Voce& v : items) {
        if (v.nuovo == 0 && v.label == 0) continue;
        const int key = v.nuovo ? -v.nuovo : v.label;
        const std::size_t before = r.oldLabels.size();
        r.add(key, v.sign);
        if (r.oldLabels.size() == before) continue;
        if (v.nuovo == 0) {
            lettere += c->lettere[static_cast<std::size_t>(v.label - 1)];
            nomi.push_back(nameOf(prima, v.label));
            continue;
        }
        // A new crossing repeats the crossing of the same third strand with the other strand: the same
        // over/under roles and directions, except that the moved strand runs against the other one when
        // the stretches run opposite ways.
        const Attraversato& x = crossed[static_cast<std::size_t>(v.nuovo - 1)];
        char l = c->lettere[static_cast<std::size_t>(x.vicino - 1)];
        if (!sameWay) l = l == 'O' ? 'V' : 'O';
        lettere += l;
        ++conta;
        nomi.push_back(std::to_string(conta));
    }
    if (static_cast<int>(r.oldLabels.size()) > kMaxIncroci) return std::nullopt;
    contaNuoviIncroci = conta;
    return scrivi(prima, r, lettere, nomi);
}

}  // namespace trevalon
