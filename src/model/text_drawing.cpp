#include "model/text_drawing.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <utility>

#include "model/step_history.h"
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

// Where "Object=" starts in a line, without regard to case; npos when the line does not hold it.
std::size_t trovaChiave(std::string_view riga) {
    if (riga.size() < kChiaveOggetto.size()) return std::string_view::npos;
    for (std::size_t i = 0; i + kChiaveOggetto.size() <= riga.size(); ++i) {
        std::size_t k = 0;
        while (k < kChiaveOggetto.size() &&
               std::tolower(static_cast<unsigned char>(riga[i + k])) == kChiaveOggetto[k])
            ++k;
        if (k == kChiaveOggetto.size()) return i;
    }
    return std::string_view::npos;
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
// the limits are measured on the symbols alone (a line ended by "\r" or by blanks is not wider for it).
Result<DisegnoTesto> leggiDisegnoTesto(const std::vector<std::string>& righe) {
    std::vector<std::string> disegno;
    for (std::size_t k = 1; k < righe.size(); ++k) {
        const std::string& linea = righe[k];
        const int r = static_cast<int>(k);
        std::string riga(linea.size(), ' ');
        for (std::size_t j = 0; j < linea.size(); ++j) {
            const char ch = linea[j];
            if (ch == '*' || ch == '-' || ch == '|') {
                riga[j] = ch;
            } else if (!vuoto(ch) && !segnaposto(ch)) {
                return fail("row " + std::to_string(r) + ", column " + std::to_string(j + 1) + " holds " +
                            mostra(ch) + ", which is not a drawn symbol (\"*\", \"-\", \"|\" or a blank)");
            }
        }
        riga.erase(riga.find_last_not_of(' ') + 1);
        if (riga.size() > static_cast<std::size_t>(kMaxColonneDisegno))
            return fail("row " + std::to_string(r) + " is " + std::to_string(riga.size()) +
                        " columns wide; a drawing can have at most " + std::to_string(kMaxColonneDisegno) +
                        " columns");
        disegno.push_back(std::move(riga));
    }
    while (!disegno.empty() && disegno.back().empty()) disegno.pop_back();
    if (disegno.size() > static_cast<std::size_t>(kMaxRigheDisegno))
        return fail("the drawing has " + std::to_string(disegno.size()) +
                    " rows; a drawing can have at most " + std::to_string(kMaxRigheDisegno) + " rows");
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

Result<std::string> leggiRigaOggetto(const std::vector<std::string>& righe) {
    for (const std::string& riga : righe) {
        const std::size_t chiave = trovaChiave(riga);
        if (chiave == std::string_view::npos) continue;
        const std::string_view valore = trim(std::string_view(riga).substr(chiave + kChiaveOggetto.size()));
        if (valore.empty()) return fail("the \"Object=\" line of the file holds no cell drawing");
        const Result<std::vector<VoceCelDis>> voci = leggiVociCelDis(valore, true);
        if (!voci) return fail("the \"Object=\" line of the file is faulty: " + voci.error());
        return std::string(valore);
    }
    return fail("the file holds no \"Object=\" line");
}

}  // namespace trevalon
