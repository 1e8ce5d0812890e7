#pragma once
// The knot designer's drawing and its knot source file (".kns").
//
// The drawing is a grid of drawn symbols: "*" strand, "-" crossing with the horizontal strand over, "|"
// crossing with the vertical strand over, " " empty. Its rows are 0..Rows() - 1 and its columns
// 0..Cols() - 1; row 0 and column 0 never hold a symbol, so the drawing's cells are rows 1..Rows() - 1 and
// columns 1..Cols() - 1. Beside the symbols it keeps the picture it was drawn over and the size code of
// the grid.
//
// The file: a header "R,C,Source=<picture>,Size=<code>" (R and C the last row and column that hold a
// symbol), then rows 1..R, each C characters long, every line ended by CR LF. The rows are read by the
// main window's drawing reader, so the designer and the main window agree on every drawing.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/text_drawing.h"
#include "platform/result.h"

namespace trevalon {

// The largest designer grid: every drawing it holds fits the main window's drawing (rows 1..599, columns
// 1..1499), so every drawing that passes the check can be compiled.
inline constexpr int kMaxRigheProgetto = kMaxRigheDisegno + 1;
inline constexpr int kMaxColonneProgetto = kMaxColonneDisegno + 1;

// `Costsz`: the grid rows of a size code, 1 -> 94, 2 -> 155, 3 -> 200; any other code reads as 1.
int righePerCodice(int codice);
// A size code as it is kept: 1, 2 or 3 stay, any other becomes 1.
int codiceValido(int codice);

// The designer's drawing (the stored cells of the designer grid).
class DisegnoProgetto {
  public:
    DisegnoProgetto() = default;
    // An empty grid of rows by cols, each kept within 1..kMaxRigheProgetto and 1..kMaxColonneProgetto.
    DisegnoProgetto(int rows, int cols);

    int Rows() const { return rows_; }
    int Cols() const { return cols_; }
    // A drawing cell: rows 1..Rows() - 1, columns 1..Cols() - 1.
    bool dentro(int r, int c) const { return r >= 1 && r < rows_ && c >= 1 && c < cols_; }
    // The symbol of a cell; ' ' for an empty cell and for any cell outside the drawing.
    char simbolo(int r, int c) const;
    // Writes a symbol; a cell outside the drawing is left alone (false).
    bool setSimbolo(int r, int c, char s);
    // Every cell empty; size, picture and size code kept.
    void svuota();

    std::string NomeImg;  // the picture the drawing is made over; empty for none
    int Cost = 1;         // size code 1, 2 or 3

  private:
    int rows_ = 0;
    int cols_ = 0;
    std::vector<char> celle_;
};

// An under-strand cell: directly above or below a "-", or directly left or right of a "|" (the window
// paints it in the under-strand colour). Neighbours outside the drawing are not looked at.
bool cellaSotto(const DisegnoProgetto& d, int r, int c);

// A knot source as read, before the grid is set up (the grid's columns come from the picture).
struct SorgenteLetta {
    // The header's picture; absent when the file has no header or no "Source=" key, so that the picture
    // shown stays as it is.
    std::optional<std::string> NomeImg;
    int Cost = 2;               // the header's size code; 2 when the file has none
    bool intestazione = false;  // line 1 is a header (it holds "Source=" or "Size=", written just so)
    DisegnoTesto disegno;       // the rows
};

// Reads a knot source, the file's whole text (lines ended by CR LF, LF or CR). Line 1 is the header when
// it holds "Source=" or "Size=" (case-sensitive); otherwise the file has no header and line 1 is row 1.
// The picture path runs from "Source=" to the comma before the last "Size=" key, so a path may hold
// commas; the size code is a whole number (empty reads as 0), and any code but 1, 2 and 3 reads as 1.
// Refused with a message that says where: a size code that is not a whole number, and whatever the main
// window's drawing reader refuses (a character that is no drawn symbol, a drawing too large).
Result<SorgenteLetta> leggiSorgente(std::string_view testo);

// Reads the file, as leggiSorgente; a missing or unreadable file says so ("File not found:" and the path).
Result<SorgenteLetta> leggiFileSorgente(const std::filesystem::path& percorso);

// The grid set up for a source read: `righePerCodice(Cost)` rows and `colonne` columns, each widened to
// hold the file's last row and widest row; the picture is the header's, else `NomeImgPrima`.
DisegnoProgetto disegnoDaSorgente(const SorgenteLetta& s, int colonne, const std::string& NomeImgPrima);

// `SalvaFile`'s text. Refused when the picture path holds a line break (the header is one line).
Result<std::string> testoSorgente(const DisegnoProgetto& d);

// `SalvaFile`: writes the knot source. The old file is replaced only by a complete write; a failure says
// "The file could not be written: ", the path and the system's reason, and leaves the old file as it was.
Status SalvaFile(const DisegnoProgetto& d, const std::filesystem::path& percorso);

}  // namespace trevalon
