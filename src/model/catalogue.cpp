#include "model/catalogue.h"

#include "model/knot_files.h"
#include "platform/text.h"

namespace trevalon {

Result<VoceCatalogo> leggiVoceCatalogo(std::string_view riga) {
    std::vector<std::string_view> campi;
    std::size_t inizio = 0;
    for (std::size_t bar; (bar = riga.find('|', inizio)) != std::string_view::npos; inizio = bar + 1)
        campi.push_back(trim(riga.substr(inizio, bar - inizio)));
    campi.push_back(trim(riga.substr(inizio)));
    if (campi.size() != 3)
        return fail("a catalogue line holds a name, a Gauss code and its letters, split by \"|\"");
    if (campi[0].empty()) return fail("a catalogue line has no name");
    return VoceCatalogo{std::string(campi[0]), std::string(campi[1]), std::string(campi[2])};
}

Result<std::vector<VoceCatalogo>> leggiCatalogoTesto(std::string_view testo) {
    std::vector<VoceCatalogo> voci;
    int numero = 0;
    LineReader righe(testo);
    for (std::string_view riga; static_cast<int>(voci.size()) < kMaxVociCatalogo && righe.next(riga);) {
        ++numero;
        if (trim(riga).empty()) continue;
        Result<VoceCatalogo> v = leggiVoceCatalogo(riga);
        if (!v) return fail("line " + std::to_string(numero) + ": " + v.error());
        voci.push_back(std::move(*v));
    }
    return voci;
}

Result<std::vector<VoceCatalogo>> CaricaTabellaNodiCodificati(const std::filesystem::path& file) {
    std::string testo;
    if (const Status letto = leggiTestoFile(file.string(), testo); !letto)
        return fail("The catalogue of knots could not be read: " + letto.error());
    Result<std::vector<VoceCatalogo>> voci = leggiCatalogoTesto(testo);
    if (!voci) return fail("The catalogue of knots " + file.string() + " is faulty, " + voci.error());
    return voci;
}

std::vector<VoceCatalogo> catalogoIncorporato() {
    return {VoceCatalogo{"Trifoglio", "1-2+3-1+2-3+", "OOO"}};
}

}  // namespace trevalon
