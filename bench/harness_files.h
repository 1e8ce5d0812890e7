#pragma once
// The knot files a harness command is given: file names as they stand, folders as their .gau and .kno
// files in name order (a folder with none stays itself, and its reading fails); and the reading of one
// Gauss-code file: only a regular file of at most 64 MiB.

#include <filesystem>
#include <string>
#include <vector>

namespace trevalon::bench {

std::vector<std::filesystem::path> fileDaArgomenti(const std::vector<std::string>& args);

// The Gauss text and letters of a Gauss-code knot file, or the error line the harness prints.
struct FileGauss {
    bool ok = false;
    std::string txtNodo;
    std::string TxtOri;
    std::string errore;
};
FileGauss leggiFileGauss(const std::filesystem::path& file);

}  // namespace trevalon::bench
