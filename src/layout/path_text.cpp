#include "layout/path_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "platform/text.h"

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

// A decimal number, possibly with a fraction, to the nearest whole number with halves to the even one.
bool numero(std::string_view t, int& out) {
    t = trim(t);
    if (t.empty() || t.size() > 12) return false;
    const std::string s(t);
    char* fine = nullptr;
    const double v = std::strtod(s.c_str(), &fine);
    if (fine != s.c_str() + s.size() || !std::isfinite(v) || std::fabs(v) > 1e9) return false;
    out = static_cast<int>(std::nearbyint(v));
    return true;
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

Result<std::vector<Punto>> leggiVociControllate(std::string_view testo) {
    std::vector<Punto> out;
    out.reserve(static_cast<std::size_t>(std::count(testo.begin(), testo.end(), '|')));
    while (true) {
        const std::size_t bar = testo.find('|');
        if (bar == std::string_view::npos) break;
        const std::string_view voce = testo.substr(0, bar);
        testo.remove_prefix(bar + 1);
        const std::size_t virgola = voce.find(',');
        Punto p;
        const std::size_t seconda = virgola == std::string_view::npos ? virgola : voce.find(',', virgola + 1);
        if (virgola == std::string_view::npos || !numero(voce.substr(0, virgola), p.r) ||
            !numero(voce.substr(virgola + 1, seconda == std::string_view::npos ? std::string_view::npos
                                                                               : seconda - virgola - 1),
                    p.c))
            return fail("the cell list item \"" + std::string(voce) + "\" is not a row and a column");
        out.push_back(p);
    }
    return out;
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

}  // namespace trevalon
