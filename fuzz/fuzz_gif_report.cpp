// The picture report over GIF files: byte 0 gives how many pictures the report folder holds (1 to 4, named
// so that the zero page, the connected components' title and ordinary pages all occur), the other bytes are
// their files, in equal parts. The report is made exactly when every picture's header gives a width and a
// height; then every picture lies on its page, at least one twip each way, and the zero page stays empty.

#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <variant>

#include "fuzz_check.h"
#include "platform/page_document.h"
#include "reports/picture_report.h"

using namespace trevalon;
using fuzz::require;
namespace fs = std::filesystem;

namespace {

// In the report's order: "0.gif" first, then the empty page "00.GIF", the title of the components before
// "S1.gif", and an ordinary page.
constexpr std::array<const char*, 4> kNomi = {"0.gif", "S1.gif", "00.GIF", "s2.gif"};

// The report folder of this process, made once and removed at exit.
const fs::path& cartella() {
    static const fs::path c = [] {
        std::string modello = (fs::temp_directory_path() / "fuzz_gif_report.XXXXXX").string();
        require(mkdtemp(modello.data()) != nullptr, "no temporary folder");
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(cartella(), ec);
        });
        return fs::path(modello);
    }();
    return c;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::size_t quante = 1 + data[0] % kNomi.size();
    const std::string_view resto(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t parte = resto.size() / quante;
    bool tutteLette = true;
    for (std::size_t i = 0; i < kNomi.size(); ++i) {
        const fs::path file = cartella() / kNomi[i];
        if (i >= quante) {
            fs::remove(file);
            continue;
        }
        const std::string_view byte = resto.substr(i * parte, parte);
        std::ofstream(file, std::ios::binary | std::ios::trunc)
            .write(byte.data(), static_cast<long>(byte.size()));
        // "00.GIF" after the first picture is an empty page and is never read.
        if (kNomi[i] != std::string_view("00.GIF"))
            tutteLette = tutteLette && dimensioniIntestazioneGif(byte).has_value();
    }
    static const ApproxTextMeasure misura;
    const Result<PageDocument> report = GenerareportCompl1pg(cartella(), misura);
    require(report.ok() == tutteLette, "a report made or refused against its pictures' headers: " +
                                           (report ? std::string("made") : report.error()));
    if (!report) return 0;
    for (const Page& pagina : report->pages())
        for (const PageItem& voce : pagina.items)
            if (const auto* p = std::get_if<PagePicture>(&voce)) {
                require(p->width >= 1 && p->height >= 1 && p->x >= 0 && p->y >= 0 &&
                            p->x + p->width <= report->pageWidth() &&
                            p->y + p->height <= report->pageHeight(),
                        "a picture off its page: " + std::to_string(p->x) + "," + std::to_string(p->y) + " " +
                            std::to_string(p->width) + "x" + std::to_string(p->height));
                require(fs::path(p->path).filename() != "00.GIF", "the zero page holds a picture");
            }
    return 0;
}
