#include "layout/region_highlight.h"

#include <charconv>
#include <optional>
#include <string>

#include "layout/tile_renderer.h"

namespace trevalon {

namespace {

std::string_view spazi(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// A whole decimal number; an empty item is 0.
std::optional<int> numero(std::string_view s) {
    s = spazi(s);
    if (s.empty()) return 0;
    int n = 0;
    const auto [fine, errore] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (errore != std::errc{} || fine != s.data() + s.size()) return std::nullopt;
    return n;
}

// The arc numbers of a list of decimal items each closed by "," and paths closed by "|".
void aggiungiArchi(std::string_view lista, std::vector<int>& archi, int numArchi) {
    std::size_t i = 0;
    while (i < lista.size()) {
        const std::size_t j = lista.find_first_of(",|", i);
        const std::string_view pezzo = lista.substr(i, j == std::string_view::npos ? j : j - i);
        if (const std::optional<int> a = numero(pezzo); a && *a > 0 && *a <= numArchi) archi.push_back(*a);
        if (j == std::string_view::npos) break;
        i = j + 1;
    }
}

}  // namespace

Result<std::vector<int>> archiRegione(const Diagram& d, std::string_view risposta) {
    if (d.NumRegioni < 1) return fail("The diagram has no regions.");
    std::vector<int> regioni;
    std::size_t i = 0;
    while (true) {
        const std::size_t j = risposta.find(',', i);
        const std::string_view voce = risposta.substr(i, j == std::string_view::npos ? j : j - i);
        const std::optional<int> n = numero(voce);
        if (!n || *n < 1 || *n > d.NumRegioni || *n > d.MatRegioni.size())
            return fail("Regions are numbered 1 to " + std::to_string(d.NumRegioni) + ": \"" +
                        std::string(spazi(voce)) + "\" is not one of them.");
        regioni.push_back(*n);
        if (j == std::string_view::npos) break;
        i = j + 1;
    }
    if (regioni.size() > 2) return fail("Give one region, or two regions separated by \",\".");
    std::vector<int> archi;
    if (regioni.size() == 1)
        aggiungiArchi(d.CodRegione[static_cast<std::size_t>(regioni[0])], archi, d.NumArchi);
    else
        aggiungiArchi(d.MatRegioni.testi(regioni[0], regioni[1]).cam, archi, d.NumArchi);
    return archi;
}

Result<std::vector<int>> DisegnaRegione(Diagram& d, RenderState& st, const RenderTarget& t, MessagePort& ui,
                                        int colore) {
    const std::optional<std::string> risposta = ui.askInput("", "Regioni", "");
    if (!risposta) return std::vector<int>{};
    Result<std::vector<int>> archi = archiRegione(d, *risposta);
    if (!archi) {
        ui.showMessage(archi.error());
        return archi;
    }
    for (int a : *archi) DisegnoGrafico(d, st, t, a, colore, false, "", 0);
    return archi;
}

}  // namespace trevalon
