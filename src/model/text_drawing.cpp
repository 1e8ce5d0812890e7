#include "model/text_drawing.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <utility>

#include "model/cell_drawing_snapshot.h"
#include "platform/text.h"

namespace trevalon {

namespace {

constexpr std::string_view kChiaveOggetto = "object=";

// The knot designer's placeholders: cells that hold them are written and read as empty cells.
bool segnaposto(char ch) {
    return ch == 'x' || ch == 'y' || ch == 'z' || ch == '{';
}

bool vuoto(char ch) {
    return std::isspace(static_cast<unsigned char>(ch)) != 0;
}

// A character as the person can read it in a message.
std::string mostra(char ch) {
    const auto u = static_cast<unsigned char>(ch);
    if (std::isprint(u)) return "\"" + std::string(1, ch) + "\"";
    return "the character of code " + std::to_string(u);
}

}  // namespace

DisegnoTesto::DisegnoTesto(std::vector<std::string> righe) : righe_(std::move(righe)) {
    for (const std::string& r : righe_) colonne_ = std::max(colonne_, static_cast<int>(r.size()));
}

char DisegnoTesto::simbolo(int r, int c) const {
    if (r < 1 || r > numRighe() || c < 1) return ' ';
    const std::string& riga = righe_[static_cast<std::size_t>(r - 1)];
    return static_cast<std::size_t>(c) <= riga.size() ? riga[static_cast<std::size_t>(c - 1)] : ' ';
}

// Each row keeps "*", "-" and "|" in their columns and " " for every empty cell; blanks at the end of a row
// and empty rows at the end of the drawing are dropped, so the drawing's extent is that of its symbols and
// the limits are measured on the symbols alone (a line ended by blanks is not wider for it). An empty row
// is only counted: it is kept when a row with a symbol follows, and that row is refused beyond the limit.
Result<DisegnoTesto> leggiDisegnoTesto(std::string_view testo) {
    LineReader linee(testo);
    std::string_view linea;
    linee.next(linea);  // the header
    std::vector<std::string> disegno;
    for (int r = 1; linee.next(linea); ++r) {
        std::size_t larghezza = 0;  // up to the last symbol
        for (std::size_t j = 0; j < linea.size(); ++j) {
            const char ch = linea[j];
            if (ch == '*' || ch == '-' || ch == '|') {
                larghezza = j + 1;
            } else if (!vuoto(ch) && !segnaposto(ch)) {
                return fail("row " + std::to_string(r) + ", column " + std::to_string(j + 1) + " holds " +
                            mostra(ch) + ", which is not a drawn symbol (\"*\", \"-\", \"|\" or a blank)");
            }
        }
        if (larghezza == 0) continue;
        if (larghezza > static_cast<std::size_t>(kMaxColonneDisegno))
            return fail("row " + std::to_string(r) + " is " + std::to_string(larghezza) +
                        " columns wide; a drawing can have at most " + std::to_string(kMaxColonneDisegno) +
                        " columns");
        if (r > kMaxRigheDisegno)
            return fail("the drawing has at least " + std::to_string(r) + " rows (row " + std::to_string(r) +
                        " holds a symbol); a drawing can have at most " + std::to_string(kMaxRigheDisegno) +
                        " rows");
        disegno.resize(static_cast<std::size_t>(r));
        std::string& riga = disegno.back();
        riga.assign(larghezza, ' ');
        for (std::size_t j = 0; j < larghezza; ++j)
            if (linea[j] == '*' || linea[j] == '-' || linea[j] == '|') riga[j] = linea[j];
    }
    return DisegnoTesto(std::move(disegno));
}

std::string testoDisegno(int righe, int colonne, const std::function<std::string(int, int)>& cella) {
    righe = std::max(righe, 0);
    colonne = std::max(colonne, 0);
    // One pass over the cells: the character each writes, and the extent of the non-blank ones.
    std::vector<std::string> caratteri(static_cast<std::size_t>(righe));
    int R = 0, C = 0;
    for (int r = 1; r <= righe; ++r) {
        std::string& riga = caratteri[static_cast<std::size_t>(r - 1)];
        riga.assign(static_cast<std::size_t>(colonne), ' ');
        for (int c = 1; c <= colonne; ++c) {
            const std::string testo = cella(r, c);
            if (trim(testo).empty()) continue;
            R = std::max(R, r);
            C = std::max(C, c);
            // A placeholder, or a blank before the symbol, is written as a blank: the line keeps its width.
            if (!segnaposto(testo[0]) && !vuoto(testo[0])) riga[static_cast<std::size_t>(c - 1)] = testo[0];
        }
    }
    std::string out = std::to_string(R) + "," + std::to_string(C) + "\r\n";
    out.reserve(out.size() + static_cast<std::size_t>(R) * (static_cast<std::size_t>(C) + 2));
    for (int r = 1; r <= R; ++r) {
        out.append(caratteri[static_cast<std::size_t>(r - 1)], 0, static_cast<std::size_t>(C));
        out += "\r\n";
    }
    return out;
}

std::string simboloDaTessera(std::string_view nomeTessera) {
    if (nomeTessera.find('*') != std::string_view::npos) return "*";
    if (nomeTessera.empty()) return " ";
    switch (nomeTessera[0]) {
        case 'E':
        case 'Z':
            return " ";
        case 'B':
        case 'b':
            return "*";
        default:
            return std::string(1, nomeTessera[0]);
    }
}

Result<std::string> leggiRigaOggetto(std::string_view testo) {
    LineReader linee(testo);
    std::string_view riga;
    while (linee.next(riga)) {
        const std::size_t chiave = findNoCase(riga, kChiaveOggetto);
        if (chiave == std::string_view::npos) continue;
        const std::string_view valore = trim(riga.substr(chiave + kChiaveOggetto.size()));
        if (valore.empty()) return fail("the \"Object=\" line of the file holds no cell drawing");
        if (const Status voci = perOgniVoceCelDis(valore, true); !voci)
            return fail("the \"Object=\" line of the file is faulty: " + voci.error());
        return std::string(valore);
    }
    return fail("the file holds no \"Object=\" line");
}

}  // namespace trevalon
