// Fuzz target: the walks that build a drawn knot's structure. An input holding "Object=" is a cell drawing
// (its items checked as a knot file's), any other a knot source or text drawing; the drawing is walked
// into tables kept between runs (only the drawing's cells are cleared again, so a run costs what the
// drawing costs). A walk that is accepted must give a whole knot diagram: 2n arcs and n letters for n
// crossings, every crossing entered and left once over and once under, and a structure with n + 2 regions.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "model/cell_drawing.h"
#include "model/cell_drawing_snapshot.h"
#include "model/drawn_structure.h"
#include "model/structure.h"
#include "model/text_drawing.h"

namespace {

using namespace trevalon;
using fuzz::require;

void verificaStruttura(Diagram& d) {
    const int n = d.NumIncroci;
    require(n >= 1 && n <= kMaxIncrociDisegno, "crossings within the limit");
    require(d.NumArchi == 2 * n, "2n arcs");
    require(static_cast<int>(d.TxtOri.size()) == n, "one letter per crossing");
    for (int k = 1; k <= n; ++k) {
        const Incrocio& x = d.incroci[k];
        int entra = 0, esce = 0;
        for (int s = 1; s <= 4; ++s) {
            entra += x.VersoLato[static_cast<std::size_t>(s)] == 'E';
            esce += x.VersoLato[static_cast<std::size_t>(s)] == 'U';
        }
        require(entra == 2 && esce == 2, "every crossing entered twice and left twice");
        require(x.ArcoEntraSopra && x.ArcoEntraSotto && x.ArcoEsceSopra && x.ArcoEsceSotto,
                "every crossing passed over and under");
    }
    const Status s = Cmdgecare_Click(d);
    require(s.ok(), "the structure of a walked drawing is derived: " + (s ? std::string() : s.error()));
    require(d.NumRegioni == n + 2, "n + 2 regions");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto d = std::make_unique<Diagram>();
    static auto tblGen = std::make_unique<CellDrawing>();
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    std::string testo(file);
    for (char& ch : testo) ch = static_cast<char>(ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch);

    if (testo.find("OBJECT=") != std::string::npos) {
        const Result<std::string> snapshot = leggiRigaOggetto(file);
        if (!snapshot) return 0;
        const Result<std::vector<VoceCelDis>> voci = leggiVociCelDis(*snapshot, true);
        require(voci.ok(), "an accepted object line has readable items");
        for (const VoceCelDis& v : *voci) tblGen->setCodice(v.r, v.c, v.codice);
        if (GeneraStrutturaDaTblGen(*d, *tblGen)) verificaStruttura(*d);
        for (const VoceCelDis& v : *voci) {
            tblGen->setCodice(v.r, v.c, "");
            if (CellTable::inside(v.r, v.c)) d->TblNodo.at(v.r, v.c) = CellaNodo{};
        }
        return 0;
    }

    const Result<DisegnoTesto> disegno = leggiDisegnoTesto(file);
    if (!disegno) return 0;
    const int R = disegno->numRighe(), C = disegno->numColonne();
    for (int r = 1; r <= R; ++r)
        for (int c = 1; c <= C; ++c) {
            const char s = disegno->simbolo(r, c);
            d->TblNodo.at(r, c).Simbolo = s == ' ' ? char{0} : s;
        }
    if (GeneraStrutturaDaDisegno(*d)) verificaStruttura(*d);
    for (int r = 0; r <= R + 1 && r < CellTable::kSize; ++r)
        for (int c = 0; c <= C + 1 && c < CellTable::kSize; ++c) d->TblNodo.at(r, c) = CellaNodo{};
    return 0;
}
