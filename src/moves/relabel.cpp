#include "moves/relabel.h"

#include <unordered_map>

namespace trevalon {

std::optional<std::vector<VoceScifta>> leggiVociScifta(std::string_view txtNodo) {
    std::vector<VoceScifta> voci;
    if (!leggiVociScifta(txtNodo, voci)) return std::nullopt;
    return voci;
}

bool leggiVociScifta(std::string_view txtNodo, std::vector<VoceScifta>& voci) {
    // Items of the text: a label followed by the sign of the next passage, kept in the passage's sign
    // until every item is read.
    voci.clear();
    std::size_t i = 0;
    while (i < txtNodo.size()) {
        long long label = 0;
        std::size_t digits = 0;
        while (i < txtNodo.size() && txtNodo[i] >= '0' && txtNodo[i] <= '9') {
            label = label * 10 + (txtNodo[i] - '0');
            if (label > 1'000'000'000) return false;
            ++i;
            ++digits;
        }
        if (digits == 0 || i >= txtNodo.size() || (txtNodo[i] != '+' && txtNodo[i] != '-')) return false;
        if (static_cast<int>(voci.size()) >= kMaxVociScifta) return false;
        voci.push_back({txtNodo[i], static_cast<int>(label)});
        ++i;
    }
    if (voci.empty()) return false;
    // Each passage's own sign is the one written after the item before it (the last item's for the first).
    const char ultimo = voci.back().sign;
    for (std::size_t k = voci.size() - 1; k > 0; --k) voci[k].sign = voci[k - 1].sign;
    voci.front().sign = ultimo;
    return true;
}

std::string scriviVociScifta(const std::vector<VoceScifta>& voci) {
    std::string out;
    if (voci.empty()) return out;
    out.reserve(voci.size() * 4);
    for (std::size_t k = 0; k < voci.size(); ++k) {
        out += std::to_string(voci[k].label);
        out += voci[(k + 1) % voci.size()].sign;
    }
    return out;
}

namespace {

// Reads voci from index `start` (0-based) forwards or backwards and renumbers by first appearance.
LetturaGauss rileggi(const std::vector<VoceScifta>& voci, std::string_view ori, int start, bool backward) {
    const int n = static_cast<int>(voci.size());
    std::unordered_map<int, int> nuovo;
    std::vector<VoceScifta> out;
    out.reserve(voci.size());
    std::string letters;
    for (int s = 0; s < n; ++s) {
        int k = backward ? ((start - s) % n + n) % n : (start + s) % n;
        const VoceScifta& v = voci[static_cast<std::size_t>(k)];
        auto [it, added] = nuovo.try_emplace(v.label, static_cast<int>(nuovo.size()) + 1);
        if (added && v.label >= 1 && static_cast<std::size_t>(v.label) <= ori.size())
            letters += ori[static_cast<std::size_t>(v.label) - 1];
        out.push_back({v.sign, it->second});
    }
    return {scriviVociScifta(out), letters};
}

}  // namespace

std::optional<LetturaGauss> letturaDaPassaggio(std::string_view txtNodo, std::string_view TxtOri, int start,
                                               bool backward) {
    auto voci = leggiVociScifta(txtNodo);
    if (!voci || start < 1 || start > static_cast<int>(voci->size())) return std::nullopt;
    return rileggi(*voci, TxtOri, start - 1, backward);
}

bool EnumerazioneScifta::inizia(std::string_view txtNodo, std::string_view TxtOri) {
    auto voci = leggiVociScifta(txtNodo);
    if (!voci) {
        voci_.clear();
        return false;
    }
    voci_ = std::move(*voci);
    OriScifta_ = std::string(TxtOri);
    PosScifta_ = 1;
    VarScifta_ = 0;
    didascalia_ = "1-0";
    return true;
}

LetturaGauss EnumerazioneScifta::lettura(int start, bool backward) const {
    return rileggi(voci_, OriScifta_, start - 1, backward);
}

bool EnumerazioneScifta::scifta(std::string& txtNodo, std::string& TxtOri) {
    if (voci_.empty()) return false;
    if (++VarScifta_ > 8) {
        VarScifta_ = 1;
        // The start passage runs over the passages of the code being enumerated.
        if (++PosScifta_ > numVoci()) PosScifta_ = 1;
    }
    if (VarScifta_ != 1 && VarScifta_ != 5) return false;
    didascalia_ = std::to_string(PosScifta_) + " - " + std::to_string(VarScifta_);
    LetturaGauss l = lettura(PosScifta_, VarScifta_ == 5);
    txtNodo = std::move(l.txtNodo);
    TxtOri = std::move(l.TxtOri);
    return true;
}

bool EnumerazioneScifta::scifta(Diagram& d) {
    if (!scifta(d.txtNodo, d.TxtOri)) return false;
    d.NumIncroci = 0;
    d.NumArchi = 0;
    return true;
}

bool EnumerazioneScifta::sciftax(std::string& txtNodo, std::string& TxtOri) {
    if (voci_.empty()) return false;
    ++PosScifta_;
    VarScifta_ = 1;
    didascalia_ = std::to_string(PosScifta_) + " - " + std::to_string(VarScifta_);
    if (PosScifta_ > numVoci()) return false;
    LetturaGauss l = lettura(PosScifta_, false);
    txtNodo = std::move(l.txtNodo);
    TxtOri = std::move(l.TxtOri);
    return true;
}

int avanzaIncrocioRadice(int IncrocioRadice, int numIncroci) {
    ++IncrocioRadice;
    return IncrocioRadice > numIncroci ? 1 : IncrocioRadice;
}

}  // namespace trevalon
