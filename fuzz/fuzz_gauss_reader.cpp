// The Gauss-code knot-file reader and the structure build behind it. For every text the reader accepts:
// writing the code back and reading it again gives the same code; the structure build either refuses it
// with a message or gives n crossings, 2n arcs and every arc between two regions. (The region count is
// n + 2 only for a code and letters that can be drawn in the plane; a code whose interlacing has no plane
// drawing, e.g. "1,-2,2,-1,-3,4,3,-4", walks into other counts: the open path refuses those before any
// layout, see fuzz_open_layout.)

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "model/knot_files.h"
#include "model/structure.h"
#include "model/tables.h"

using namespace trevalon;
using trevalon::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Result<CodiceGauss> letto = leggiCodiceGaussTesto(text);
    if (!letto) {
        require(!letto.error().empty(), "a refusal without a message");
        return 0;
    }
    const std::string salvato = testoFileGaussCode(letto->txtNodo, letto->TxtOri);
    const Result<CodiceGauss> riletto = leggiCodiceGaussTesto(salvato);
    require(riletto.ok(), "the saved file is refused: " + riletto.error());
    require(riletto->txtNodo == letto->txtNodo && riletto->TxtOri == letto->TxtOri,
            "save then read changed the code: " + letto->txtNodo + " / " + letto->TxtOri);

    // One diagram for every input, as a window keeps one: its cell table is large.
    static const auto d = std::make_unique<Diagram>();
    d->txtNodo = letto->txtNodo;
    d->TxtOri = letto->TxtOri;
    const Status struttura = CostruisciStrutturaRicerca(*d);
    if (!struttura) {
        require(!struttura.error().empty(), "a structure refusal without a message");
        return 0;
    }
    const int n = static_cast<int>(letto->TxtOri.size());
    require(d->NumIncroci == n,
            "crossings " + std::to_string(d->NumIncroci) + " for " + std::to_string(n) + " letters");
    require(d->NumArchi == 2 * n, "arcs " + std::to_string(d->NumArchi) + " for " + std::to_string(n));
    require(d->NumRegioni >= 1, "no regions for " + std::to_string(n) + " crossings");
    for (int a = 1; a <= d->NumArchi; ++a) {
        const Arco& x = d->archi[a];
        require(x.Reg1 >= 1 && x.Reg1 <= d->NumRegioni && x.Reg2 >= 1 && x.Reg2 <= d->NumRegioni,
                "arc " + std::to_string(a) + " is not between two regions");
    }
    return 0;
}
