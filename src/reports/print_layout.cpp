#include "reports/print_layout.h"

#include <algorithm>

#include "platform/text.h"

namespace trevalon {

namespace {

std::string sostituisci(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

}  // namespace

PageDocument DuplicaGrid(const GridControl& S, int Dacol, const std::string& Frase,
                         const TextMeasure& measure) {
    PageDocument doc(measure);
    doc.setMargins(PageMargins{0, 0, 20, 20});
    doc.begin();
    doc.setFontSize(12);
    doc.paragraph(Frase);

    const PageMargins& m = doc.margins();
    const int larghezza = doc.pageWidth() - m.left - m.right - 10;
    const int altezza = (doc.pageHeight() - m.bottom - m.top) * 5 / 6;
    // Whole cells only, and none below the bottom margin however long the text above them.
    const int spazioSotto = doc.pageHeight() - m.bottom - doc.y();
    const int righeMax = std::min(altezza, spazioSotto) / kCellaReport;
    const int colonneMax = larghezza / kCellaReport;

    const int primaColonna = std::max(Dacol, 1);
    PageTiles blocco;
    blocco.x = m.left;
    blocco.y = doc.y();
    blocco.cell = kCellaReport;
    blocco.rows = std::clamp(S.rows() - 1, 0, std::max(righeMax, 0));
    blocco.cols = std::clamp(S.cols() - primaColonna, 0, std::max(colonneMax, 0));
    if (blocco.rows == 0 || blocco.cols == 0) return doc;
    blocco.tiles.resize(static_cast<std::size_t>(blocco.rows) * blocco.cols);
    for (int r = 0; r < blocco.rows; ++r)
        for (int c = 0; c < blocco.cols; ++c)
            blocco.tiles[static_cast<std::size_t>(r) * blocco.cols + c] = S.picture(r + 1, c + primaColonna);
    doc.tiles(std::move(blocco));
    return doc;
}

TestoReport testoReportVisore(const std::string& caption, int ColonnaBaseDis, double secondiRicerca) {
    TestoReport t;
    t.Frase = sostituisci(caption, " move", " Corvane-algorithm-move");
    const std::size_t found = t.Frase.find(" Found");
    if (found != std::string::npos && found >= 1) {
        t.Frase += "\nTime execution find algorithm sec." + testoSecondi(secondiRicerca);
        t.Dacol = 1;
    } else {
        t.Dacol = ColonnaBaseDis;
    }
    return t;
}

PageDocument Generareport(const GridControl& Gr3, const std::string& caption, int ColonnaBaseDis,
                          double secondiRicerca, const TextMeasure& measure) {
    const TestoReport t = testoReportVisore(caption, ColonnaBaseDis, secondiRicerca);
    return DuplicaGrid3(Gr3, t.Dacol, t.Frase, measure);
}

}  // namespace trevalon
