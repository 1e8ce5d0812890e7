#include "harness_files.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

#include "model/knot_files.h"

namespace trevalon::bench {

namespace fs = std::filesystem;

namespace {

bool isKnotFile(const fs::path& p) {
    std::string ext = p.extension().string();
    for (char& ch : ext) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return ext == ".gau" || ext == ".kno";
}

}  // namespace

std::vector<fs::path> fileDaArgomenti(const std::vector<std::string>& args) {
    std::vector<fs::path> files;
    for (const auto& arg : args) {
        if (!fs::is_directory(arg)) {
            files.emplace_back(arg);
            continue;
        }
        std::vector<fs::path> inFolder;
        for (const auto& entry : fs::directory_iterator(arg))
            if (entry.is_regular_file() && isKnotFile(entry.path())) inFolder.push_back(entry.path());
        std::sort(inFolder.begin(), inFolder.end());
        files.insert(files.end(), inFolder.begin(), inFolder.end());
    }
    return files;
}

FileGauss leggiFileGauss(const fs::path& file) {
    FileGauss out;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        out.errore = "File not found: " + file.string();
        return out;
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    const Result<CodiceGauss> read = leggiCodiceGaussTesto(buffer.str());
    if (!read) {
        out.errore = read.error();
        return out;
    }
    out.ok = true;
    out.txtNodo = read->txtNodo;
    out.TxtOri = read->TxtOri;
    return out;
}

}  // namespace trevalon::bench
