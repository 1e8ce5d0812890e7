#pragma once
// The knot files a harness command is given: file names as they stand, folders as their .gau and .kno
// files in name order (a folder with none stays itself, and its reading fails); and the reading of one
// knot file: only a regular file of at most 64 MiB.

#include <filesystem>
#include <string>
#include <vector>

#include "celldraw/built_knot.h"

namespace trevalon::bench {

std::vector<std::filesystem::path> fileDaArgomenti(const std::vector<std::string>& args);

// A message on one line of the harness's output: its line ends become ";".
std::string unaRiga(std::string testo);

// The Gauss text and letters of a Gauss-code knot file, or the error line the harness prints.
struct FileGauss {
    bool ok = false;
    std::string txtNodo;
    std::string TxtOri;
    std::string errore;
};
FileGauss leggiFileGauss(const std::filesystem::path& file);

// A knot file of any kind the program opens. A Gauss-code file gives its texts; a drawn knot (a cell
// drawing "Object=", a knot source or a text drawing) is built into fresh tables as the program builds it,
// in `micros` microseconds.
struct FileNodo {
    bool ok = false;
    std::string errore;
    bool disegnato = false;
    std::string txtNodo;  // a Gauss-code file
    std::string TxtOri;
    NodoCostruito nodo;  // a drawn knot; its diagram is null for a drawing without crossings
    long long micros = 0;
};
FileNodo leggiFileNodo(const std::filesystem::path& file);

}  // namespace trevalon::bench
