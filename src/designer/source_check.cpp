#include "designer/source_check.h"

#include <cstddef>
#include <string_view>

namespace trevalon {

namespace {

// The 5 x 5 square around a crossing, row by row: its arms two cells long on each side, blank elsewhere;
// the centre is not compared.
constexpr std::string_view kSagoma = "  *    *  **x**  *    *  ";

// The work copy of the drawing and, after the check, its error marks; ' ' is an empty entry.
class Lavoro {
  public:
    explicit Lavoro(const DisegnoProgetto& d)
        : cols_(d.Cols()),
          segni_(static_cast<std::size_t>(d.Rows()) * static_cast<std::size_t>(d.Cols()), ' ') {}
    char& at(int r, int c) {
        return segni_[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_) +
                      static_cast<std::size_t>(c)];
    }

  private:
    int cols_;
    std::vector<char> segni_;
};

bool incrocio(char s) {
    return s == '-' || s == '|';
}

bool percorribile(char m) {
    return m == '*' || m == 'a' || m == 'b' || m == 's' || m == 'd' || m == 'z';
}

// A crossing whose square differs from the template, or does not lie inside the drawing, is marked "E".
bool controllaSagome(const DisegnoProgetto& d, Lavoro& L) {
    bool ok = true;
    for (int i = 1; i < d.Rows(); ++i)
        for (int j = 1; j < d.Cols(); ++j) {
            if (!incrocio(d.simbolo(i, j))) continue;
            std::size_t k = 0;
            for (int r = i - 2; r <= i + 2; ++r)
                for (int c = j - 2; c <= j + 2; ++c, ++k) {
                    if (r == i && c == j) continue;
                    if (!d.dentro(r, c) || L.at(r, c) != kSagoma[k]) {
                        ok = false;
                        L.at(i, j) = 'E';
                    }
                }
        }
    return ok;
}

struct Cella {
    int r = 0;
    int c = 0;
};

// The walk along the curve from the start to the end cell, consuming every cell it stands on and jumping
// each crossing from arm to arm. False at a branch or a dead end, which are marked "E".
bool percorri(const DisegnoProgetto& d, Lavoro& L, Cella cella, Cella fine) {
    bool ok = true;
    // Every step consumes a cell: the walk cannot be longer than the grid.
    for (long passi = static_cast<long>(d.Rows()) * d.Cols(); passi > 0; --passi) {
        const int r = cella.r, c = cella.c;
        const char proprio = L.at(r, c);
        int k = 0;
        Cella prossima;
        for (int rr = r - 1; rr <= r + 1; ++rr)
            for (int cc = c - 1; cc <= c + 1; ++cc) {
                if ((rr == r && cc == c) || !d.dentro(rr, cc)) continue;
                const char m = L.at(rr, cc);
                if (!percorribile(m)) continue;
                // No diagonal step leaves a cell beside a crossing.
                if (rr != r && cc != c && proprio != '*') continue;
                if (++k != 1) continue;
                prossima = {rr, cc};
                switch (m) {
                    case 'a':
                        prossima.r = rr + 2;
                        break;
                    case 'b':
                        prossima.r = rr - 2;
                        break;
                    case 's':
                        prossima.c = cc + 2;
                        break;
                    case 'd':
                        prossima.c = cc - 2;
                        break;
                    default:
                        continue;
                }
                // The arm is jumped: the crossing is crossed and the walk lands on the other arm.
                L.at(rr, cc) = ' ';
                if (d.dentro(prossima.r, prossima.c)) L.at(prossima.r, prossima.c) = 'z';
            }
        L.at(r, c) = ' ';
        if (k == 0) {
            if (r == fine.r && c == fine.c) return ok;
            L.at(r, c) = 'E';
            return false;
        }
        if (k >= 2) {
            ok = false;
            L.at(r, c) = 'E';
        }
        if (!d.dentro(prossima.r, prossima.c) || L.at(prossima.r, prossima.c) == 'E') return false;
        cella = prossima;
    }
    return false;
}

}  // namespace

void assottigliaAngoli(DisegnoProgetto& d) {
    const auto filo = [&d](int r, int c) { return d.simbolo(r, c) == '*'; };
    const auto vuota = [&d](int r, int c) { return d.simbolo(r, c) == ' '; };
    for (int i = 1; i <= d.Rows() - 2; ++i)
        for (int j = 1; j <= d.Cols() - 2; ++j) {
            const int i2 = i + 1, j2 = j + 1;
            if (filo(i, j) && filo(i, j2) && filo(i2, j) && vuota(i2, j2)) d.setSimbolo(i, j, ' ');
            if (filo(i, j) && filo(i, j2) && filo(i2, j2) && vuota(i2, j)) d.setSimbolo(i, j2, ' ');
            if (filo(i, j2) && filo(i2, j) && filo(i2, j2) && vuota(i, j)) d.setSimbolo(i2, j2, ' ');
            if (filo(i, j) && filo(i2, j) && filo(i2, j2) && vuota(i, j2)) d.setSimbolo(i2, j, ' ');
        }
}

EsitoControllo ControllaSource(DisegnoProgetto& d) {
    EsitoControllo out;
    assottigliaAngoli(d);
    Lavoro L(d);
    for (int i = 1; i < d.Rows(); ++i)
        for (int j = 1; j < d.Cols(); ++j) {
            const char s = d.simbolo(i, j);
            if (s == '*' || incrocio(s)) L.at(i, j) = s;
            if (incrocio(s)) ++out.incroci;
        }
    const auto raccogli = [&]() {
        for (int i = 1; i < d.Rows(); ++i)
            for (int j = 1; j < d.Cols(); ++j)
                if (L.at(i, j) != ' ') out.celleErrate.push_back({i, j, L.at(i, j)});
    };

    if (!controllaSagome(d, L)) {
        // Only the crossings that are no clean cross stay marked; no walk is made.
        for (int i = 1; i < d.Rows(); ++i)
            for (int j = 1; j < d.Cols(); ++j)
                if (L.at(i, j) != 'E') L.at(i, j) = ' ';
        raccogli();
        out.messaggio = kMessaggioErrori;
        return out;
    }

    // Arms marked; the walk starts on the right arm of the first crossing and ends on its left arm.
    bool partenza = false;
    Cella inizio, fine;
    for (int i = 1; i < d.Rows(); ++i)
        for (int j = 1; j < d.Cols(); ++j) {
            if (incrocio(L.at(i, j))) {
                L.at(i, j) = ' ';
                L.at(i - 1, j) = 'a';
                L.at(i + 1, j) = 'b';
                L.at(i, j - 1) = 's';
                L.at(i, j + 1) = 'd';
            }
            if (!partenza && L.at(i, j) == 'd') {
                partenza = true;
                inizio = {i, j};
                fine = {i, j - 2};
                L.at(i, j) = 'z';
                L.at(i, j - 2) = '*';
            }
        }
    if (!partenza) {
        // No crossing: nowhere to start from, and no knot. Every strand cell is marked.
        raccogli();
        out.messaggio = "The drawing has no crossing: a knot is drawn with at least three crossings.";
        return out;
    }

    out.ok = percorri(d, L, inizio, fine);
    // Whatever the walk did not reach is a second curve or a loose strand.
    raccogli();
    if (!out.celleErrate.empty()) out.ok = false;
    if (!out.ok) {
        out.messaggio = kMessaggioErrori;
        return out;
    }
    if (out.incroci < 3) {
        out.ok = false;
        for (int i = 1; i < d.Rows(); ++i)
            for (int j = 1; j < d.Cols(); ++j)
                if (incrocio(d.simbolo(i, j))) out.celleErrate.push_back({i, j, d.simbolo(i, j)});
        out.messaggio = "The drawing has " + std::to_string(out.incroci) +
                        (out.incroci == 1 ? " crossing" : " crossings") +
                        ": a knot is drawn with at least three crossings.";
    }
    return out;
}

}  // namespace trevalon
