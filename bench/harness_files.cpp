#include "harness_files.h"

#include <algorithm>
#include <cctype>
#include <chrono>

#include "model/knot_files.h"
#include "platform/safe_file.h"

namespace trevalon::bench {

namespace fs = std::filesystem;

namespace {

bool isKnotFile(const fs::path& p) {
    std::string ext = p.extension().string();
    for (char& ch : ext) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return ext == ".gau" || ext == ".kno" || ext == ".kns";
}

}  // namespace

std::vector<fs::path> fileDaArgomenti(const std::vector<std::string>& args) {
    std::vector<fs::path> files;
    for (const auto& arg : args) {
        std::error_code ec;
        if (!fs::is_directory(arg, ec)) {
            files.emplace_back(arg);
            continue;
        }
        std::vector<fs::path> inFolder;
        for (fs::directory_iterator it(arg, ec), end; !ec && it != end; it.increment(ec))
            if (it->is_regular_file(ec) && isKnotFile(it->path())) inFolder.push_back(it->path());
        // A folder without a knot file in it (or one that cannot be listed) stays as it is given, so
        // that reading it says what is wrong instead of quietly reading nothing.
        if (ec || inFolder.empty()) {
            files.emplace_back(arg);
            continue;
        }
        std::sort(inFolder.begin(), inFolder.end());
        files.insert(files.end(), inFolder.begin(), inFolder.end());
    }
    return files;
}

std::string unaRiga(std::string testo) {
    std::replace(testo.begin(), testo.end(), '\n', ';');
    return testo;
}

FileGauss leggiFileGauss(const fs::path& file) {
    FileGauss out;
    const FileRead bytes = readRegularFile(file, kMaxKnotFileBytes);
    if (bytes.refusal != ReadRefusal::None) {
        out.errore = readRefusalMessage(bytes, file.string());
        return out;
    }
    const Result<CodiceGauss> read = leggiCodiceGaussTesto(bytes.bytes);
    if (!read) {
        out.errore = read.error();
        return out;
    }
    out.ok = true;
    out.txtNodo = read->txtNodo;
    out.TxtOri = read->TxtOri;
    return out;
}

FileNodo leggiFileNodo(const fs::path& file) {
    FileNodo out;
    std::string testo;
    if (const Status letto = leggiTestoFile(file.string(), testo); !letto) {
        out.errore = letto.error();
        return out;
    }
    const std::string tipo = tipoFileKnot(testo);
    if (tipo.empty()) {
        out.errore = messaggioNessunTipo(testo);
        return out;
    }
    if (tipo == "G") {
        const FileGauss g = leggiFileGauss(file);
        out.ok = g.ok;
        out.errore = g.errore;
        out.txtNodo = g.txtNodo;
        out.TxtOri = g.TxtOri;
        return out;
    }
    const TilePalette palette(PaletteId::Form1b, false);
    const auto start = std::chrono::steady_clock::now();
    Result<NodoCostruito> nodo = costruisciNodoDisegnato(testo, *codeFromText<KnotFileKind>(tipo), palette);
    out.micros =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start)
            .count();
    if (!nodo) {
        out.errore = nodo.error();
        return out;
    }
    out.ok = true;
    out.disegnato = true;
    out.nodo = std::move(*nodo);
    return out;
}

}  // namespace trevalon::bench
