// The knot designer's source file and what "Make .KNO" does with it in memory: the bytes are a knot
// source's text. A source that is read has at most the largest drawing; set up on a designer grid and
// written back, it reads again as the same drawing, picture and size code. The grid then goes through the
// check and the compilation: a refusal says why and marks only cells of the drawing; a compiled drawing
// gives a knot of at least three crossings whose knot file opens again as the same diagram.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "designer/compiler.h"
#include "designer/source_check.h"
#include "designer/source_file.h"
#include "fuzz_check.h"

using namespace trevalon;
using fuzz::require;

namespace {

// The columns a designer grid has before the source widens it (a picture's width in cells).
constexpr int kColonneGriglia = 120;

bool stessoDisegno(const DisegnoTesto& a, const DisegnoTesto& b) {
    if (a.numRighe() != b.numRighe() || a.numColonne() != b.numColonne()) return false;
    for (int r = 1; r <= a.numRighe(); ++r)
        for (int c = 1; c <= a.numColonne(); ++c)
            if (a.simbolo(r, c) != b.simbolo(r, c)) return false;
    return true;
}

void riscritta(const SorgenteLetta& letta, const DisegnoProgetto& d) {
    const Result<std::string> testo = testoSorgente(d);
    if (!testo) {
        require(d.NomeImg.find_first_of("\r\n") != std::string::npos,
                "a source not written: " + testo.error());
        return;
    }
    const Result<SorgenteLetta> riletta = leggiSorgente(*testo);
    require(riletta.ok(), "the written source is refused: " + riletta.error() + "\n" + *testo);
    require(riletta->intestazione && riletta->NomeImg == d.NomeImg && riletta->Cost == d.Cost,
            "write then read changed the header: " + testo->substr(0, testo->find('\r')));
    require(stessoDisegno(riletta->disegno, letta.disegno),
            "write then read changed the drawing:\n" + *testo);
}

void compilata(DisegnoProgetto& d) {
    const EsitoCompila esito = compilaDisegno(d);
    if (!esito.ok) {
        require(!esito.messaggio.empty(), "a drawing refused without a message");
        for (const CellaSegnata& c : esito.controllo.celleErrate)
            require(d.dentro(c.r, c.c), "a marked cell outside the drawing");
        return;
    }
    require(esito.controllo.ok && esito.controllo.incroci >= kMinIncrociCostruzione,
            "a drawing compiled with " + std::to_string(esito.controllo.incroci) + " crossings");
    require(esito.nodo.diagram && esito.nodo.diagram->NumIncroci >= kMinIncrociCostruzione,
            "a compiled drawing without its knot");
    require(esito.testoNodo.rfind("Object=", 0) == 0, "a knot file that is no cell drawing");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view testo(reinterpret_cast<const char*>(data), size);
    const Result<SorgenteLetta> letta = leggiSorgente(testo);
    if (!letta) {
        require(!letta.error().empty(), "a source refused without a message");
        return 0;
    }
    require(
        letta->disegno.numRighe() <= kMaxRigheDisegno && letta->disegno.numColonne() <= kMaxColonneDisegno,
        "an oversize drawing");
    require(letta->Cost >= 1 && letta->Cost <= 3, "a size code out of range");
    DisegnoProgetto d = disegnoDaSorgente(*letta, kColonneGriglia, "picture.bmp");
    require(d.Rows() > letta->disegno.numRighe() && d.Cols() > letta->disegno.numColonne(),
            "the grid does not hold the drawing");
    riscritta(*letta, d);
    compilata(d);
    return 0;
}
