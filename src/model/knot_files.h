#pragma once
// Gauss-code knot files: the "GaussCode=" and "Indices=" lines, read into the Gauss text and over/under
// letters, and written back from them. Pure text functions: the dialogs and files are the callers'.

#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace trevalon {

// The code texts of a knot file.
struct CodiceGauss {
    std::string txtNodo;  // "1-2+3-1+2-3+"
    std::string TxtOri;   // "OOO"
};

inline constexpr const char* kErroreCodiceGau = "error gauss code in file .GAU";
inline constexpr const char* kErroreIndiciGau = "error indices in file .GAU";

// Reads the lines of a Gauss-code file. Keys are found without regard to case anywhere in a line and the
// value is what follows the key; a trailing "\r" is dropped; a later line with a key replaces an earlier
// one. "GaussCode=" items are signed labels ("+" optional), blanks around an item ignored; "Indices=" items
// are 1 or +1 ("O") and -1 ("V"), blanks ignored. Both keys are required. Failures: kErroreCodiceGau or
// kErroreIndiciGau.
Result<CodiceGauss> leggiCodiceGaussRighe(const std::vector<std::string>& lines);

// The same for a file's whole text (LF or CR LF lines).
Result<CodiceGauss> leggiCodiceGaussTesto(std::string_view fileText);

// Adapter, to be removed: the old form of the two readers above, for callers not yet switched
// (src/mainwindow/open_knot.cpp, bench/harness_files.cpp, bench/complete_run_bench.cpp,
// tests/mainwindow/opening_test.cpp).
struct TestoGaussCode {
    TestoGaussCode(const Result<CodiceGauss>& r)  // NOLINT: implicit on purpose
        : ok(r.ok()), txtNodo(r.ok() ? r->txtNodo : ""), TxtOri(r.ok() ? r->TxtOri : ""), errore(r.error()) {}
    bool ok = false;
    std::string txtNodo;
    std::string TxtOri;
    std::string errore;  // the message when not ok
};
inline TestoGaussCode leggiRigheGaussCode(const std::vector<std::string>& lines) {
    return leggiCodiceGaussRighe(lines);
}
inline TestoGaussCode leggiTestoGaussCode(std::string_view fileText) {
    return leggiCodiceGaussTesto(fileText);
}

// "1-2+3-1+2-3+" -> "1,-2,3,-1,2,-3".
std::string valoreGaussCode(std::string_view txtNodo);

// "OOV" -> "1,1,-1".
std::string valoreIndices(std::string_view TxtOri);

// The whole file: "GaussCode=" line and "Indices=" line, each ended by CR LF.
std::string testoFileGaussCode(std::string_view txtNodo, std::string_view TxtOri);

}  // namespace trevalon
