#include "reports/picture_report.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <system_error>

#include "model/table_records.h"

namespace trevalon {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kMarginiLati = 720;
constexpr int kMargineTitolo = 1000;
constexpr int kMargineImmagini = 15;

std::string minuscolo(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return s;
}

// A picture of `size` pixels made to fit `maxWidth` by `maxHeight` twips, proportions kept; with
// `allarga` it is widened to `maxWidth` first.
DimensioniImmagine adatta(DimensioniImmagine size, int maxWidth, int maxHeight, bool allarga) {
    double w = static_cast<double>(size.width) * kTwipsPerPixel;
    double h = static_cast<double>(size.height) * kTwipsPerPixel;
    double scala = allarga ? maxWidth / w : 1.0;
    scala = std::min({scala, maxWidth / w, maxHeight / h});
    return DimensioniImmagine{std::max(1, static_cast<int>(w * scala)),
                              std::max(1, static_cast<int>(h * scala))};
}

}  // namespace

std::optional<std::filesystem::path> cartellaReport(const std::filesystem::path& programFolder) {
    std::error_code ec;
    if (std::filesystem::is_directory(programFolder / "report", ec)) return programFolder / "report";
    for (std::filesystem::directory_iterator it(programFolder, ec), end; !ec && it != end; it.increment(ec)) {
        if (minuscolo(it->path().filename().string()) == "report" && it->is_directory(ec)) return it->path();
    }
    return std::nullopt;
}

std::vector<std::string> elencoImmaginiReport(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (minuscolo(it->path().extension().string()) == ".gif" && it->is_regular_file(ec))
            names.push_back(name);
    }
    if (!names.empty()) OrdinaStringhe(names, 0, static_cast<int>(names.size()) - 1);
    return names;
}

std::optional<DimensioniImmagine> dimensioniIntestazioneGif(std::string_view intestazione) {
    constexpr std::size_t kIntestazione = 10;
    if (intestazione.size() < kIntestazione) return std::nullopt;
    const std::string_view firma = intestazione.substr(0, 6);
    if (firma != "GIF87a" && firma != "GIF89a") return std::nullopt;
    // The logical screen's width and height, little-endian.
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(intestazione[i]); };
    const DimensioniImmagine d{byte(6) | (byte(7) << 8), byte(8) | (byte(9) << 8)};
    if (d.width == 0 || d.height == 0) return std::nullopt;
    return d;
}

std::optional<DimensioniImmagine> dimensioniGif(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::array<char, 10> h{};
    if (!in.read(h.data(), h.size())) return std::nullopt;
    return dimensioniIntestazioneGif(std::string_view(h.data(), h.size()));
}

Result<PageDocument> GenerareportCompl1pg(const std::filesystem::path& folder, const TextMeasure& measure) {
    const std::vector<std::string> names = elencoImmaginiReport(folder);
    if (names.empty()) return fail(kNessunaImmagine);
    // Every picture is read before the document is built: a bad one stops the report with its name.
    std::vector<DimensioniImmagine> sizes(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0 && names[i] == "00.GIF") continue;
        const std::optional<DimensioniImmagine> d = dimensioniGif(folder / names[i]);
        if (!d)
            return fail("The picture " + names[i] + " of the report is not a GIF picture that can be read.");
        sizes[i] = *d;
    }

    PageDocument doc(measure);
    doc.setMargins(PageMargins{kMarginiLati, kMarginiLati, kMargineTitolo, kMarginiLati});
    doc.begin();
    doc.setFontSize(36);
    doc.centredParagraph("PARTE 1");
    doc.setFontSize(16);
    doc.centredParagraph("Passi per sciogliere il nodo gordiano di Vandrel");
    doc.addY(180);
    doc.paragraph("Significato dei colori:");
    doc.addY(180);
    doc.paragraph(
        "IMMAGINI 1 e 2: il filo verde ed il filo rosso si scambiano il percorso e i due incroci che formano "
        "sono eliminati.");
    doc.addY(180);
    doc.paragraph(
        "RESTANTI IMMAGINI:Il filo rosso deve essere modificato in modo continuo e fatto passare in "
        "corrispondenza del piccolo tratto verde  , sopra o sotto in base al disegno del trattino verde.");
    doc.paragraph(
        "Se non sono presenti trattini verdi allora la modifica in modo continuo del filo rosso risiede "
        "nella "
        "stessa regione.");
    doc.paragraph("Un filo rosso che comincia e termina nello stesso incrocio viene eliminato.");

    PageMargins m = doc.margins();
    m.top = m.bottom = kMargineImmagini;
    doc.setMargins(m);
    doc.addY(480);
    // The first picture at its own size under the legend, smaller where the rest of the page is too small;
    // on a page of its own when hardly any is left.
    int spazio = doc.pageHeight() - m.bottom - doc.y();
    if (spazio < doc.printableHeight() / 4) {
        doc.newPage();
        spazio = doc.printableHeight();
    }
    const DimensioniImmagine prima = adatta(sizes[0], doc.printableWidth(), spazio, false);
    doc.picture((folder / names[0]).string(), m.left + (doc.printableWidth() - prima.width) / 2, doc.y(),
                prima.width, prima.height);

    for (std::size_t i = 1; i < names.size(); ++i) {
        if (minuscolo(names[i]) == "s1.gif") {
            m.top = kMargineTitolo;
            doc.setMargins(m);
            doc.newPage();
            doc.centredParagraph("PARTE 2");
            doc.setFontSize(16);
            doc.centredParagraph("Componenti connesse ");
            doc.addY(120);
            doc.paragraph(
                "La parte rossa e la parte verde sono due componenti connesse, si possono tagliare i due "
                "archi "
                "grigi e riunire i rispettivi tratti di arco  nelle due parti separate.");
            m.top = m.bottom = kMargineImmagini;
            doc.setMargins(m);
        }
        doc.newPage();
        if (names[i] == "00.GIF") continue;
        const DimensioniImmagine d = adatta(sizes[i], doc.printableWidth(), doc.printableHeight(), true);
        doc.picture((folder / names[i]).string(), m.left + (doc.printableWidth() - d.width) / 2, m.top,
                    d.width, d.height);
    }
    return doc;
}

}  // namespace trevalon
