// The snapshot text of the cell drawing. A text that is accepted fills the drawing with the codes of its
// items (the last item of a cell wins) and nothing else: the written snapshot is exactly those cells, and
// read back it names the same cells and is a knot file's line too (rows and columns from 1, codes
// "1".."8"). A refused text leaves the drawing as it was.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_snapshot.h"
#include "model/cell_drawing.h"
#include "model/cell_drawing_snapshot.h"

using namespace trevalon;
using namespace trevalon::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view testo(reinterpret_cast<const char*>(data), size);
    static const auto tblGen = std::make_unique<CellDrawing>();
    // A cell the previous accepted text wrote, to see that a refusal leaves the drawing alone.
    static int rPrec = 0, cPrec = 0;
    static std::string codicePrec;

    const Result<int> letto = deserializzaCelDis(*tblGen, testo);
    if (!letto) {
        require(!letto.error().empty(), "a snapshot refused without a message");
        require(tblGen->Codice(rPrec, cPrec) == codicePrec, "a refused snapshot changed the drawing");
        return 0;
    }
    const Result<std::vector<VoceCelDis>> voci = leggiVociCelDis(testo, false);
    require(voci.ok() && static_cast<int>(voci->size()) == *letto, "the items and the cells written differ");
    rPrec = cPrec = 0;
    codicePrec = std::string(tblGen->Codice(0, 0));
    for (const auto& [rc, codice] : celleDelleVoci(*voci)) {
        require(tblGen->Codice(rc.first, rc.second) == codice, "a cell does not hold its item's code");
        std::tie(rPrec, cPrec) = rc;
        codicePrec = std::string(codice);
    }
    const std::string scritto = serializzaCelDis(*tblGen);
    require(scritto == snapshotAtteso(*voci), "the drawing holds other cells than its items: " + scritto);
    rilettoUguale(scritto);
    return 0;
}
