#include "designer/source_file.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "model/knot_files.h"
#include "platform/safe_file.h"
#include "platform/text.h"

namespace trevalon {

namespace {

constexpr std::string_view kChiaveSorgente = "Source=";
constexpr std::string_view kChiaveDimensione = "Size=";

// A size code's value: blanks around it ignored, empty reads as 0; a number too long to be a code is
// simply not 1, 2 or 3.
std::optional<int> valoreCodice(std::string_view testo) {
    testo = trim(testo);
    if (testo.empty()) return 0;
    if (!std::all_of(testo.begin(), testo.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
        return std::nullopt;
    const std::string_view cifre = testo.substr(std::min(testo.find_first_not_of('0'), testo.size()));
    if (cifre.size() > 3) return 999;
    int v = 0;
    for (char ch : cifre) v = v * 10 + (ch - '0');
    return v;
}

}  // namespace

int codiceValido(int codice) {
    return codice >= 1 && codice <= 3 ? codice : 1;
}

int righePerCodice(int codice) {
    switch (codiceValido(codice)) {
        case 2:
            return 155;
        case 3:
            return 200;
        default:
            return 94;
    }
}

DisegnoProgetto::DisegnoProgetto(int rows, int cols)
    : rows_(std::clamp(rows, 1, kMaxRigheProgetto)),
      cols_(std::clamp(cols, 1, kMaxColonneProgetto)),
      celle_(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(cols_), ' ') {}

char DisegnoProgetto::simbolo(int r, int c) const {
    if (!dentro(r, c)) return ' ';
    return celle_[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_) +
                  static_cast<std::size_t>(c)];
}

bool DisegnoProgetto::setSimbolo(int r, int c, char s) {
    if (!dentro(r, c)) return false;
    celle_[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(c)] = s;
    return true;
}

void DisegnoProgetto::svuota() {
    std::fill(celle_.begin(), celle_.end(), ' ');
}

bool cellaSotto(const DisegnoProgetto& d, int r, int c) {
    if (!d.dentro(r, c)) return false;
    return d.simbolo(r - 1, c) == '-' || d.simbolo(r + 1, c) == '-' || d.simbolo(r, c - 1) == '|' ||
           d.simbolo(r, c + 1) == '|';
}

Result<SorgenteLetta> leggiSorgente(std::string_view testo) {
    SorgenteLetta out;
    LineReader linee(testo);
    std::string_view prima;
    linee.next(prima);
    const std::size_t sorgente = prima.find(kChiaveSorgente);
    // The size key that counts is the last one; one inside the picture path (no comma between the path's
    // start and it) is part of the path.
    std::size_t dimensione = prima.rfind(kChiaveDimensione);
    std::size_t fineImmagine = prima.size();
    if (dimensione != std::string_view::npos && sorgente != std::string_view::npos && dimensione > sorgente) {
        const std::size_t virgola = prima.rfind(',', dimensione);
        const std::size_t inizioImmagine = sorgente + kChiaveSorgente.size();
        if (virgola == std::string_view::npos || virgola < inizioImmagine)
            dimensione = std::string_view::npos;
        else
            fineImmagine = virgola;
    }
    out.intestazione = sorgente != std::string_view::npos || dimensione != std::string_view::npos;
    if (sorgente != std::string_view::npos) {
        const std::size_t inizio = sorgente + kChiaveSorgente.size();
        out.NomeImg = std::string(prima.substr(inizio, fineImmagine - inizio));
    }
    if (dimensione != std::string_view::npos) {
        std::string_view valore = prima.substr(dimensione + kChiaveDimensione.size());
        valore = valore.substr(0, std::min(valore.find(','), valore.size()));
        const std::optional<int> codice = valoreCodice(valore);
        if (!codice)
            return fail("The first line of the knot source is faulty: the size code " + citazione(valore) +
                        " is not a whole number.");
        out.Cost = codiceValido(*codice);
    }
    // The drawing reader drops the first line: a file without a header gets an empty one in front.
    Result<DisegnoTesto> disegno =
        out.intestazione ? leggiDisegnoTesto(testo) : leggiDisegnoTesto("\n" + std::string(testo));
    if (!disegno) return fail("The knot source cannot be read: " + disegno.error() + ".");
    out.disegno = std::move(*disegno);
    return out;
}

Result<SorgenteLetta> leggiFileSorgente(const std::filesystem::path& percorso) {
    std::string testo;
    if (const Status letto = leggiTestoFile(percorso.string(), testo); !letto) return fail(letto.error());
    return leggiSorgente(testo);
}

DisegnoProgetto disegnoDaSorgente(const SorgenteLetta& s, int colonne, const std::string& NomeImgPrima) {
    const int righe = std::max(righePerCodice(s.Cost), s.disegno.numRighe() + 1);
    DisegnoProgetto d(righe, std::max(colonne, s.disegno.numColonne() + 1));
    d.Cost = s.Cost;
    d.NomeImg = s.NomeImg ? *s.NomeImg : NomeImgPrima;
    for (int r = 1; r <= s.disegno.numRighe(); ++r)
        for (int c = 1; c <= s.disegno.numColonne(); ++c) {
            const char ch = s.disegno.simbolo(r, c);
            if (ch != ' ') d.setSimbolo(r, c, ch);
        }
    return d;
}

Result<std::string> testoSorgente(const DisegnoProgetto& d) {
    if (d.NomeImg.find_first_of("\r\n") != std::string::npos)
        return fail("The picture's name holds a line break: it cannot be written in the knot source.");
    std::string testo = testoDisegno(d.Rows() - 1, d.Cols() - 1,
                                     [&d](int r, int c) { return std::string(1, d.simbolo(r, c)); });
    // testoDisegno's header is "R,C": the picture and the size code follow on the same line.
    const std::size_t fine = testo.find("\r\n");
    testo.insert(fine, "," + std::string(kChiaveSorgente) + d.NomeImg + "," + std::string(kChiaveDimensione) +
                           std::to_string(codiceValido(d.Cost)));
    return testo;
}

Status SalvaFile(const DisegnoProgetto& d, const std::filesystem::path& percorso) {
    const Result<std::string> testo = testoSorgente(d);
    if (!testo) return fail(testo.error());
    if (const Status scritto = replaceFileContents(percorso, *testo); !scritto)
        return fail("The file could not be written: " + percorso.string() + ": " + scritto.error());
    return {};
}

}  // namespace trevalon
