#pragma once
// Gauss-code knot files: the "GaussCode=" and "Indices=" lines, read into the Gauss text and over/under
// letters, and written back from them. Pure text functions: the dialogs and files are the callers'.

#include <string>
#include <string_view>

#include "platform/result.h"

namespace trevalon {

// The code texts of a knot file.
struct CodiceGauss {
    std::string txtNodo;  // "1-2+3-1+2-3+"
    std::string TxtOri;   // "OOO"
};

inline constexpr const char* kErroreCodiceGau = "error gauss code in file .GAU";
inline constexpr const char* kErroreIndiciGau = "error indices in file .GAU";

// Reads a Gauss-code file's whole text, line by line (lines ended by LF, CR LF or CR alone). Keys are found
// without regard to case anywhere in a line and the value is what follows the key; a later line with a key
// replaces an earlier one. "GaussCode=" items are signed labels ("+" optional), blanks around an item
// ignored; "Indices=" items are 1 or +1 ("O") and -1 ("V"), blanks ignored. Both keys are required.
// Failures: kErroreCodiceGau or kErroreIndiciGau. Nothing but the two values is copied out of the text.
Result<CodiceGauss> leggiCodiceGaussTesto(std::string_view fileText);

// "1-2+3-1+2-3+" -> "1,-2,3,-1,2,-3".
std::string valoreGaussCode(std::string_view txtNodo);

// "OOV" -> "1,1,-1".
std::string valoreIndices(std::string_view TxtOri);

// The whole file: "GaussCode=" line and "Indices=" line, each ended by CR LF.
std::string testoFileGaussCode(std::string_view txtNodo, std::string_view TxtOri);

// The kind of a knot file by its lines (the file's whole text): "O" when a line holds "Object=", else "G"
// for "GaussCode=", else "S" for "Source=" (keys anywhere in a line, without regard to case), else "S" for
// a text drawing (a first line "R,C"); "" for none.
std::string tipoFileKnot(std::string_view testo);

// The message for a text in which tipoFileKnot finds no kind: "No Fikle Knot", and on a second line why: a
// text in an encoding of two or four bytes a character (UTF-16 or UTF-32, with or without a byte-order
// mark) holds NUL bytes, so none of its keys can be found; else the file is empty, holds only blanks and
// line ends, or holds no key, followed by what a knot file holds.
std::string messaggioNessunTipo(std::string_view testo);

// A knot file's whole text, for the readers that go through its lines. Only a regular file of at most
// 64 MiB is read; the failure says what was wrong: "File not found:" and the path, or that it is a folder,
// a loop of symbolic links, not a regular file, too large or unreadable (with the system's reason).
Status leggiTestoFile(const std::string& percorso, std::string& testo);

}  // namespace trevalon
