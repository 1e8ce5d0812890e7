#include "model/gauss_code.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "model/dumps.h"
#include "platform/text.h"

namespace trevalon {

namespace {

// Labels are read with a ceiling, so that a long run of digits cannot overflow; anything this large is
// refused as out of range anyway.
constexpr int kEtichettaMassima = 1'000'000;

// The first label of the text, its digits as written, that is beyond kMaxIncrociGauss.
std::string_view etichettaOltreIlLimite(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t inizio = i;
        long long valore = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            valore = std::min<long long>(valore * 10 + (text[i] - '0'), kEtichettaMassima);
            ++i;
        }
        if (valore > kMaxIncrociGauss) return text.substr(inizio, i - inizio);
        if (i == inizio) ++i;
    }
    return {};
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) text += '\n';
        text += lines[i];
    }
    return text;
}

}  // namespace

std::optional<std::vector<PassaggioGauss>> leggiPassaggiGauss(std::string_view text, std::string* why) {
    auto fail = [&](std::string reason) -> std::optional<std::vector<PassaggioGauss>> {
        if (why) *why = std::move(reason);
        return std::nullopt;
    };
    if (text.empty()) return fail("Invalid Gauss code: the code is empty");
    // Piece k holds the label of passage k and the sign of passage k + 1.
    std::vector<int> labels;
    std::vector<char> nextSigns;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = i;
        long long value = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            value = std::min<long long>(value * 10 + (text[i] - '0'), kEtichettaMassima);
            ++i;
        }
        if (i == start)
            return fail("Invalid Gauss code: a crossing label is expected at character " +
                        std::to_string(i + 1));
        if (i >= text.size() || (text[i] != '+' && text[i] != '-'))
            return fail("Invalid Gauss code: a sign + or - is expected at character " +
                        std::to_string(i + 1));
        if (value == 0)
            return fail("Invalid Gauss code: crossing label 0 at character " + std::to_string(start + 1));
        labels.push_back(static_cast<int>(value));
        nextSigns.push_back(text[i]);
        ++i;
    }
    std::vector<PassaggioGauss> passages(labels.size());
    for (std::size_t k = 0; k < labels.size(); ++k) {
        passages[k].label = labels[k];
        passages[k].sign = nextSigns[(k + labels.size() - 1) % labels.size()];
    }
    return passages;
}

std::string scriviTestoGauss(const std::vector<PassaggioGauss>& passages) {
    std::string text;
    for (std::size_t k = 0; k < passages.size(); ++k) {
        text += std::to_string(passages[k].label);
        text += passages[(k + 1) % passages.size()].sign;
    }
    return text;
}

std::vector<std::string> difettiCodiceGauss(std::string_view txtNodo, std::string_view TxtOri,
                                            std::string* rotated) {
    // Two passages per crossing: a longer code is refused before its passages are listed, so that a huge
    // text costs no table of them.
    const auto segni = static_cast<std::size_t>(
        std::count_if(txtNodo.begin(), txtNodo.end(), [](char ch) { return ch == '+' || ch == '-'; }));
    if (segni > 2 * static_cast<std::size_t>(kMaxIncrociGauss))
        return {"Too many crossings: " + std::to_string(segni) + " passages (at most " +
                std::to_string(2 * kMaxIncrociGauss) + ", two for each of " +
                std::to_string(kMaxIncrociGauss) + " crossings)"};
    std::string why;
    const auto passages = leggiPassaggiGauss(txtNodo, &why);
    if (!passages) return {why};

    int top = 0;
    for (const auto& p : *passages) top = std::max(top, p.label);
    // A code's labels number its crossings from 1: a label beyond the limit is out of range whatever the
    // code's length (a longer code was refused above).
    if (top > kMaxIncrociGauss) {
        const std::size_t incroci = std::max<std::size_t>(passages->size() / 2, 1);
        return {"Crossing label " + citazione(etichettaOltreIlLimite(txtNodo)) +
                " is out of range: the labels of a code of " + std::to_string(incroci) +
                (incroci == 1 ? " crossing" : " crossings") + " run from 1 to " + std::to_string(incroci) +
                " (at most " + std::to_string(kMaxIncrociGauss) + ")"};
    }

    std::vector<int> sum(static_cast<std::size_t>(top) + 1, 0), count(static_cast<std::size_t>(top) + 1, 0);
    for (const auto& p : *passages) {
        sum[p.label] += p.sign == '+' ? p.label : -p.label;
        ++count[p.label];
    }
    std::vector<std::string> faults;
    int faulty = 0;  // crossings with a fault
    for (int c = 1; c <= top; ++c) {
        if (sum[c] == 0 && count[c] == 2) continue;
        if (++faulty > kMaxIncrociDifettosiMostrati) continue;
        if (sum[c] != 0) faults.push_back("Error +/- in cross " + std::to_string(c));
        if (count[c] != 2)
            faults.push_back("Error cross " + std::to_string(c) + ": " + std::to_string(count[c]) + " times");
    }
    if (faulty > kMaxIncrociDifettosiMostrati)
        faults.insert(faults.begin(), "Faults at " + std::to_string(faulty) +
                                          " crossings; those of the first " +
                                          std::to_string(kMaxIncrociDifettosiMostrati) + ":");
    if (!faults.empty()) return faults;

    const bool lettersOk =
        static_cast<int>(TxtOri.size()) == top &&
        std::all_of(TxtOri.begin(), TxtOri.end(), [](char ch) { return ch == 'O' || ch == 'V'; });
    if (!lettersOk) return {"error indices in file .GAU"};

    if (rotated) {
        // The passage walk starts at crossing 1 with arc 1: bring the first passage at crossing 1 to the
        // front.
        const auto first =
            std::find_if(passages->begin(), passages->end(), [](const auto& p) { return p.label == 1; });
        std::vector<PassaggioGauss> turned(first, passages->end());
        turned.insert(turned.end(), passages->begin(), first);
        *rotated = scriviTestoGauss(turned);
    }
    return {};
}

Status VerificaGau(Diagram& d) {
    std::string rotated;
    const auto faults = difettiCodiceGauss(d.txtNodo, d.TxtOri, &rotated);
    if (!faults.empty()) return fail(joinLines(faults));
    d.txtNodo = rotated;
    return {};
}

Status Deserializza(Diagram& d, const ModelSettings& settings) {
    d.NumIncroci = 0;
    d.NumArchi = 0;
    const auto passages = leggiPassaggiGauss(d.txtNodo);
    if (!passages) return fail("The Gauss code cannot be read");
    return DeserializzaPassaggi(d, *passages, settings);
}

Status DeserializzaPassaggi(Diagram& d, const std::vector<PassaggioGauss>& p, const ModelSettings& settings,
                            bool nomi) {
    d.NumIncroci = 0;
    d.NumArchi = 0;
    if (p.size() > static_cast<std::size_t>(kMaxArchi))
        return fail("Too many passages for the arc table: " + std::to_string(p.size()));
    const int m = static_cast<int>(p.size());
    int top = 0;
    for (const auto& q : p) top = std::max(top, q.label);
    if (top > kMaxIncroci)
        return fail("A crossing label is beyond the crossing table: " + std::to_string(top));

    for (int k = 0; k < m; ++k) {
        const auto& here = p[k];
        const auto& next = p[(k + 1) % m];
        const auto& prev = p[(k + m - 1) % m];
        const int L = here.label;
        if (std::string& nome = d.NomiIncroci[L]; nomi && nome.empty()) {
            char cifre[16];
            nome.assign(cifre, std::to_chars(cifre, cifre + sizeof cifre, L).ptr);
        }
        Incrocio& c = d.incroci[L];
        if (here.sign == '+') {
            c.PrecSopra = prev.label;
            c.SuccSopra = next.label;
        } else {
            c.PrecSotto = prev.label;
            c.SuccSotto = next.label;
        }
        const int a = ++d.NumArchi;
        Arco& arc = d.archi[a];
        arc.IncrocioDa = L;
        arc.SegnoDa = here.sign;
        arc.IncrocioA = next.label;
        arc.SegnoA = next.sign;
        arc.Percorso.clear();
        arc.PuntiExtra.clear();
        arc.Reg1 = 0;
        arc.Reg2 = 0;
        d.NumIncroci = std::max(d.NumIncroci, L);
    }

    if (settings.ModoDebug) StampaArchiGauss(d, settings);
    for (int a = 1; a <= d.NumArchi; ++a) {
        Arco& arc = d.archi[a];
        arc.Posto = 0;
        Incrocio& from = d.incroci[arc.IncrocioDa];
        (arc.SegnoDa == '+' ? from.ArcoEsceSopra : from.ArcoEsceSotto) = a;
        Incrocio& to = d.incroci[arc.IncrocioA];
        (arc.SegnoA == '+' ? to.ArcoEntraSopra : to.ArcoEntraSotto) = a;
    }
    StampaIncroci(d, settings);
    return {};
}

}  // namespace trevalon
