// The readers of catalogue texts: the catalogue of named knots and the developer's batch lists (listings,
// pairs of code and letters, lines of labels). Byte 0 chooses the reader, the rest is the file's text.
// Whatever a reader accepts has its limits kept and its fields trimmed and split at "|"; written back as
// catalogue lines it reads again as the same entries, and the text reads the same with its line ends
// written as LF, CR LF or CR alone.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "mainwindow/batch_tools.h"
#include "model/catalogue.h"
#include "platform/text.h"

using namespace trevalon;
using fuzz::require;

namespace {

bool stesseVoci(const std::vector<VoceCatalogo>& a, const std::vector<VoceCatalogo>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].nome != b[i].nome || a[i].txtNodo != b[i].txtNodo || a[i].TxtOri != b[i].TxtOri)
            return false;
    return true;
}

// The text with every line end written as `fine`.
std::string conFineRiga(std::string_view testo, std::string_view fine) {
    std::string out;
    LineReader righe(testo);
    for (std::string_view riga; righe.next(riga);) out.append(riga).append(fine);
    return out;
}

std::string righeCatalogo(const std::vector<VoceCatalogo>& voci) {
    std::string out;
    for (const VoceCatalogo& v : voci) out += v.nome + "|" + v.txtNodo + "|" + v.TxtOri + "\r\n";
    return out;
}

// A field trimmed, without a line end, and without a bar when it was split at bars.
bool campoPulito(const std::string& s, bool campi) {
    return s.find_first_of(campi ? "|\r\n" : "\r\n") == std::string::npos && trim(s) == s;
}

using Lettore = Result<std::vector<VoceCatalogo>> (*)(std::string_view);

// A listing's lines as entries.
Result<std::vector<VoceCatalogo>> vociListato(std::string_view testo) {
    const Result<Listato> l = leggiListato(std::string(testo));
    if (!l) return fail(l.error());
    std::vector<VoceCatalogo> voci;
    for (std::size_t i = 0; i < l->size(); ++i) voci.push_back((*l)[i].voce());
    return voci;
}

void voci(Lettore leggi, std::string_view testo, bool catalogo) {
    const Result<std::vector<VoceCatalogo>> lette = leggi(testo);
    for (std::string_view fine : {"\n", "\r\n", "\r"}) {
        const Result<std::vector<VoceCatalogo>> altre = leggi(conFineRiga(testo, fine));
        require(altre.ok() == lette.ok() && (!lette || stesseVoci(*altre, *lette)),
                "the line ends change what is read");
    }
    if (!lette) {
        require(!lette.error().empty(), "a text refused without a message");
        return;
    }
    if (catalogo)
        require(static_cast<int>(lette->size()) <= kMaxVociCatalogo, "more entries than the catalogue holds");
    // The pairs of lines have numbers for names, and lines as they stand for their texts.
    const bool campi = leggi != CaricaTabellaStack;
    for (const VoceCatalogo& v : *lette)
        require(campoPulito(v.nome, campi) && campoPulito(v.txtNodo, campi) && campoPulito(v.TxtOri, campi),
                "a field with a blank at an end, a bar or a line end");
    if (!campi) return;
    for (const VoceCatalogo& v : *lette) require(!v.nome.empty(), "an entry without a name");
    const Result<std::vector<VoceCatalogo>> riletto = leggi(righeCatalogo(*lette));
    require(riletto.ok() && stesseVoci(*riletto, *lette), "write then read changed the entries");
}

void etichette(std::string_view testo) {
    const Result<std::string> righe = CodMioDaGauss(testo);
    if (!righe) {
        require(!righe.error().empty(), "labels refused without a message");
        return;
    }
    const Result<std::vector<VoceCatalogo>> lette = vociListato(*righe);
    require(lette.ok(), "the catalogue lines made from labels are refused: " + lette.error());
    for (const VoceCatalogo& v : *lette)
        require(
            2 * v.TxtOri.size() <= v.txtNodo.size() && v.TxtOri.find_first_not_of('O') == std::string::npos,
            "letters that do not fit their code: " + v.txtNodo + " " + v.TxtOri);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::string_view testo(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 4) {
        case 0:
            voci(leggiCatalogoTesto, testo, true);
            break;
        case 1:
            voci(vociListato, testo, false);
            break;
        case 2:
            voci(CaricaTabellaStack, testo, true);
            break;
        default:
            etichette(testo);
            break;
    }
    return 0;
}
