// The readers of drawn knots: the bytes are the lines of a file (split at "\n", a "\r" left in place as a
// CR LF file brings it). A text drawing that is accepted, written back and read again, is the same drawing.
// An "Object=" line that is accepted is a snapshot text the cell drawing takes, the drawing holds exactly
// the cells of its items, and its written snapshot names the same cells read back and, as a knot file's
// line, is accepted again unchanged.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_snapshot.h"
#include "model/cell_drawing.h"
#include "model/cell_drawing_snapshot.h"
#include "model/text_drawing.h"

using namespace trevalon;
using namespace trevalon::fuzz;

namespace {

void disegnoTesto(std::string_view file) {
    const Result<DisegnoTesto> letto = leggiDisegnoTesto(file);
    if (!letto) {
        require(!letto.error().empty(), "a drawing refused without a message");
        return;
    }
    const DisegnoTesto& d = *letto;
    require(d.numRighe() <= kMaxRigheDisegno && d.numColonne() <= kMaxColonneDisegno, "an oversize drawing");
    const std::string testo = testoDisegno(d.numRighe(), d.numColonne(),
                                           [&](int r, int c) { return std::string(1, d.simbolo(r, c)); });
    require(testo.size() >= 2 && testo.compare(testo.size() - 2, 2, "\r\n") == 0, "a line without CR LF");
    const Result<DisegnoTesto> riletto = leggiDisegnoTesto(testo);
    require(riletto.ok(), "the written drawing is refused: " + riletto.error());
    require(riletto->righe() == d.righe(), "write then read changed the drawing:\n" + testo);
}

void rigaOggetto(std::string_view testoFile) {
    const Result<std::string> letto = leggiRigaOggetto(testoFile);
    if (!letto) {
        require(!letto.error().empty(), "an object line refused without a message");
        return;
    }
    static const auto tblGen = std::make_unique<CellDrawing>();
    const Result<int> celle = deserializzaCelDis(*tblGen, *letto);
    require(celle.ok(), "an accepted object line is refused as a snapshot: " + celle.error());
    const Result<std::vector<VoceCelDis>> voci = leggiVociCelDis(*letto, false);
    require(voci.ok() && !voci->empty(), "an accepted object line without items");
    const std::string scritto = serializzaCelDis(*tblGen);
    require(!scritto.empty() && scritto == snapshotAtteso(*voci),
            "the drawing of an object line holds other cells than its items: " + scritto);
    rilettoUguale(scritto);
    const Result<std::string> file = leggiRigaOggetto("Object=" + scritto);
    require(file.ok() && *file == scritto, "the written object line does not read back: " + file.error());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    disegnoTesto(file);
    rigaOggetto(file);
    return 0;
}
