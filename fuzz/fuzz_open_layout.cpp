// Opening a knot file as the window does: what the reader accepts (small codes only) is built and drawn
// from its code, in one window kept between inputs, and checked as fuzz_layout.h says.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_layout.h"

using namespace trevalon;

namespace {

// Small codes: large ones come from fuzz_braid_layout, which makes only valid ones.
constexpr std::size_t kMaxLetters = 24;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1024) return 0;
    const Result<CodiceGauss> letto =
        leggiCodiceGaussTesto(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!letto || letto->TxtOri.size() > kMaxLetters) return 0;
    fuzz::costruisciEVerifica(*letto);
    return 0;
}
