#include "model/catalogue.h"

#include <limits>

#include "model/knot_files.h"
#include "platform/text.h"

namespace trevalon {

std::string rigaTroppoLunga(std::size_t lunghezza) {
    return "a line of " + std::to_string(lunghezza) + " characters, longer than the " +
           std::to_string(kMaxRigaCatalogo) + " a line may hold";
}

Result<VoceVista> campiVoceCatalogo(std::string_view riga) {
    if (riga.size() > kMaxRigaCatalogo) return fail(rigaTroppoLunga(riga.size()));
    // The two bars that split the three fields; a third one makes the line faulty, whatever follows it.
    const std::size_t bar1 = riga.find('|');
    const std::size_t bar2 = bar1 == std::string_view::npos ? bar1 : riga.find('|', bar1 + 1);
    if (bar2 == std::string_view::npos || riga.find('|', bar2 + 1) != std::string_view::npos)
        return fail("a catalogue line holds a name, a Gauss code and its letters, split by \"|\"");
    VoceVista v{trim(riga.substr(0, bar1)), trim(riga.substr(bar1 + 1, bar2 - bar1 - 1)),
                trim(riga.substr(bar2 + 1))};
    if (v.nome.empty()) return fail("a catalogue line has no name");
    return v;
}

Result<VoceCatalogo> leggiVoceCatalogo(std::string_view riga) {
    const Result<VoceVista> v = campiVoceCatalogo(riga);
    if (!v) return fail(v.error());
    return v->voce();
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

Result<Listato> Listato::leggi(std::string testo) {
    if (testo.size() >= std::numeric_limits<std::uint32_t>::max())
        return fail("a text of " + std::to_string(testo.size()) + " bytes is more than a listing may hold");
    Listato l;
    // The lines that are not blank counted first, so that their places take exactly the room they need.
    std::size_t quante = 0;
    {
        LineReader righe(testo);
        for (std::string_view riga; righe.next(riga);)
            if (!trim(riga).empty()) ++quante;
    }
    l.righe_.reserve(quante);
    std::size_t numero = 0;
    LineReader righe(testo);
    for (std::string_view riga; righe.next(riga);) {
        ++numero;
        if (trim(riga).empty()) continue;
        if (const Result<VoceVista> v = campiVoceCatalogo(riga); !v)
            return fail("line " + std::to_string(numero) + ": " + v.error());
        l.righe_.push_back(Riga{static_cast<std::uint32_t>(riga.data() - testo.data()),
                                static_cast<std::uint32_t>(riga.size())});
    }
    l.testo_ = std::move(testo);
    return l;
}

VoceVista Listato::operator[](std::size_t i) const {
    const Riga r = righe_[i];
    return campiVoceCatalogo(std::string_view(testo_).substr(r.inizio, r.lunghezza)).value();
}

Result<Listato> leggiListato(std::string testo) {
    return Listato::leggi(std::move(testo));
}

}  // namespace trevalon
