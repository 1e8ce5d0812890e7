#include "moves/bridge_lists.h"

namespace trevalon {

std::vector<std::string> dividiVirgole(std::string_view lista) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (true) {
        const std::size_t end = lista.find(',', i);
        if (end == std::string_view::npos) {
            out.emplace_back(lista.substr(i));
            return out;
        }
        out.emplace_back(lista.substr(i, end - i));
        i = end + 1;
    }
}

std::vector<int> numeriLista(std::string_view lista) {
    std::vector<int> out;
    std::size_t i = 0;
    while (i <= lista.size()) {
        std::size_t end = lista.find(',', i);
        if (end == std::string_view::npos) end = lista.size();
        std::string_view item = lista.substr(i, end - i);
        if (!item.empty()) {
            long long v = 0;
            for (std::size_t k = 0; k < item.size() && item[k] >= '0' && item[k] <= '9' && v < 1'000'000'000;
                 ++k)
                v = v * 10 + (item[k] - '0');
            out.push_back(static_cast<int>(v));
        }
        i = end + 1;
    }
    return out;
}

std::string testoLista(const std::vector<int>& numeri, bool chiusa) {
    std::string out;
    for (std::size_t k = 0; k < numeri.size(); ++k) {
        if (k > 0 && !chiusa) out += ',';
        out += std::to_string(numeri[k]);
        if (chiusa) out += ',';
    }
    return out;
}

}  // namespace trevalon
