#pragma once
// Knots drawn in characters, one drawn symbol per cell: "*" strand, "-" crossing with the horizontal strand
// over, "|" crossing with the vertical strand over, " " empty. Three files carry such a drawing: a text
// drawing ("File Nodi", ".txt": a header "R,C" and then the rows), a knot source of the knot designer
// (".kns": a header "R,C,Source=<picture>,Size=<code>" and then the rows) and, as a cell drawing, a knot
// file of the "Object=" kind. This file reads and writes the texts; the callers own files and dialogs.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace trevalon {

// The largest drawing the main window can take: its grid holds rows 1..599 and columns 1..1499 of a drawn
// knot (600 by 1500 cells, row 0 and column 0 never belong to a drawing).
inline constexpr int kMaxRigheDisegno = 599;
inline constexpr int kMaxColonneDisegno = 1499;

// A drawing in characters. Row r (1..numRighe()) and column c (1..numColonne()); every other cell is empty.
class DisegnoTesto {
  public:
    DisegnoTesto() = default;
    // Rows as they stand: righe[0] is row 1, character j of a row is column j + 1.
    explicit DisegnoTesto(std::vector<std::string> righe);

    int numRighe() const { return static_cast<int>(righe_.size()); }
    int numColonne() const { return colonne_; }
    // The symbol of a cell; ' ' for an empty cell and for any cell outside the drawing.
    char simbolo(int r, int c) const;
    const std::vector<std::string>& righe() const { return righe_; }

  private:
    std::vector<std::string> righe_;
    int colonne_ = 0;
};

// Reads a text drawing or a knot source, the file's whole text (lines ended by LF, CR LF or CR alone): line
// 1 is the header and is dropped whatever it holds, line k + 1 becomes row k, character position c column
// c. A blank (and any character that trims to nothing) leaves its cell empty. Blanks at the end of a row
// and empty rows at the end are dropped, so the drawing's extent is that of its symbols. An empty file, or
// one with only its header, is an empty drawing. Refused, with a message that says where: a symbol in a
// row beyond kMaxRigheDisegno or a row wider than kMaxColonneDisegno, and a character other than "*",
// "-", "|" and " " ("x", "y", "z" and "{" are the knot designer's placeholders and read as empty cells).
// The text is read once, line by line, and refused as soon as it fails: only the drawing's own rows are
// kept, so a huge file costs no more memory than its text.
Result<DisegnoTesto> leggiDisegnoTesto(std::string_view testo);

// `SalvaFile`'s text: the header R "," C, where R is the largest row and C the largest column that hold a
// non-blank cell (each found on its own; both 0 for an empty drawing), then rows 1..R, each C characters
// long, every line ended by CR LF. `cella`(r, c) gives a cell's source text for r in 1..righe and c in
// 1..colonne; a cell is non-blank when its text trimmed is not empty, and is written as its first
// character (" " when empty). The designer's placeholders "x", "y", "z" and "{" are written as " ", so the
// characters after them keep their columns.
std::string testoDisegno(int righe, int colonne, const std::function<std::string(int, int)>& cella);

// The sources of `SalvaFile` that are not the grid's text: a tile name of the tile-name table becomes "*"
// when it holds "*", else its first character after "E" and "Z" became " " and "B" and "b" became "*"
// (" " when empty).
std::string simboloDaTessera(std::string_view nomeTessera);

// The snapshot text of a knot file of the "Object=" kind, from the file's whole text: the value of the
// first line that holds the key "Object=" (found without regard to case, anywhere in the line; the value
// is what follows the key). Every item is checked before anything is used: a decimal row 1..700, a decimal
// column 1..2000 and a line code "1".."8", each item ended by "|" (a last item without its "|" is taken
// too). Refused with a message naming the first faulty item (quoted short, see `citazione`), or that the
// file holds no "Object=" line or an empty one.
Result<std::string> leggiRigaOggetto(std::string_view testo);

}  // namespace trevalon
