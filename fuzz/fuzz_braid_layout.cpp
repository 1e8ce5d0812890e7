// Valid codes laid out: the bytes are a braid word (see fuzz_braid.h) whose closure is made a knot and
// written as a Gauss-code file of up to kIncrociMax crossings, which is read, built and drawn in one window
// kept between inputs and checked as fuzz_layout.h says. The closure of a braid is drawn in the plane by its
// nature, so its code and letters are never refused as such: only the layout may give up, saying why.
// The codes stay small enough for thousands of layouts a minute; the largest codes are laid out by the
// tests and benchmarks.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_braid.h"
#include "fuzz_layout.h"
#include "model/gauss_code.h"

using namespace trevalon;
using fuzz::require;

namespace {

// The largest code and the most repeats of the word's bytes.
constexpr int kIncrociMax = 48;
constexpr int kRipetizioniMax = 8;
// Progress reports a build may make (see costruisciEVerifica): a few hundred milliseconds with the
// sanitizers.
constexpr long kBudget = 300;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2 || size > 4096) return 0;
    int fili = 0;
    const std::vector<fuzz::Generatore> w = fuzz::parola(data, size, fili, kIncrociMax, kRipetizioniMax);
    if (w.empty()) return 0;
    const std::string file = fuzz::fileGauss(w);
    const Result<CodiceGauss> letto = leggiCodiceGaussTesto(file);
    require(letto.ok(), "the file of a braid closure is read: " + letto.error() + "\n" + file);
    const std::vector<std::string> difetti = difettiCodiceGauss(letto->txtNodo, letto->TxtOri);
    require(difetti.empty(),
            "the code of a braid closure is sound: " + (difetti.empty() ? "" : difetti[0]) + "\n" + file);
    const std::string esito = fuzz::costruisciEVerifica(*letto, kBudget);
    require(esito != kErroreIndiciGau, "the letters of a braid closure are drawn in the plane\n" + file);
    return 0;
}
