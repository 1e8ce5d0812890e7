#include "mainwindow/file_dialogs.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

#include "mainwindow/window_context.h"
#include "model/knot_files.h"

namespace trevalon {

namespace {

namespace fs = std::filesystem;

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& ch : out) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return out;
}

// The kinds saved as knot files.
bool fileNodo(DialogKind tipo) {
    return tipo == DialogKind::Knot || tipo == DialogKind::Summand1 || tipo == DialogKind::Summand2;
}

std::vector<FileFilter> filtriApri(DialogKind tipo) {
    if (tipo == DialogKind::Knot)
        return {{"File knot", {"*.kno", "*.KNO", "*.kns", "*.KNS", "*.gau", "*.GAU", "*.txt", "*.TXT"}}};
    if (tipo == DialogKind::GaussCode) return {{"File Gauss code", {"*.gau", "*.GAU"}}};
    return {{"File Nodi", {"*.txt", "*.TXT"}}};
}

std::vector<FileFilter> filtriSalva(DialogKind tipo) {
    if (fileNodo(tipo)) return {{"File knot", {"*.kno", "*.KNO"}}};
    if (tipo == DialogKind::GaussCode) return {{"File Gauss code", {"*.gau", "*.GAU"}}};
    return {{"File Nodi", {"*.txt", "*.TXT"}}};
}

}  // namespace

std::string Apri(ContestoFinestra& f, DialogKind tmpTipoFile) {
    std::string nome = f.ui.openFileName(f.CartellaDialoghi.string(), filtriApri(tmpTipoFile));
    if (nome.empty()) return {};
    // Only a missing file is refused here; what else may be wrong with it is said when it is read. A loop
    // of symbolic links, or a name too long for the system, is not a missing file: reading it says what it
    // is.
    std::error_code ec;
    if (fs::status(nome, ec).type() == fs::file_type::not_found) {
        f.ui.showMessage("File not found:" + nome);
        return {};
    }
    return nome;
}

std::string propostaSalva(std::string_view nome, DialogKind tipo, int numStato) {
    if (nome.empty()) return {};
    // Only the file name's final extension changes: a folder whose name holds an extension stays as it is,
    // and the proposal always ends with the kind's own extension, so it never names the file opened.
    const std::size_t sep = nome.find_last_of("/\\");
    const std::size_t inizioFile = sep == std::string_view::npos ? 0 : sep + 1;
    std::size_t punto = nome.find_last_of('.');
    if (punto == std::string_view::npos || punto < inizioFile) punto = nome.size();
    const std::string_view base = nome.substr(0, punto);
    const std::string_view estensione = nome.substr(punto);
    const bool maiuscola = estensione.size() > 1 && estensione == upper(estensione) &&
                           std::any_of(estensione.begin(), estensione.end(),
                                       [](char ch) { return std::isalpha(static_cast<unsigned char>(ch)); });
    const std::string n = "_S" + std::to_string(numStato);
    std::string suffisso, nuova;
    if (fileNodo(tipo)) {
        suffisso = tipo == DialogKind::Knot ? n : n + "_" + std::string(text(tipo));
        nuova = ".kno";
    } else if (tipo == DialogKind::GaussCode) {
        suffisso = n;
        nuova = ".gau";
    } else {
        nuova = ".txt";
    }
    return std::string(base) + suffisso + (maiuscola ? upper(nuova) : nuova);
}

std::string Salva(ContestoFinestra& f, DialogKind tmpTipoFile) {
    const std::string proposta = propostaSalva(f.doc.NomeFile, tmpTipoFile, f.doc.storia.NumStato);
    std::string nome = f.ui.saveFileName(f.CartellaDialoghi.string(), proposta, filtriSalva(tmpTipoFile));
    if (nome.empty()) return {};
    fs::path p(nome);
    if (p.extension().empty() || p.extension() == ".") {
        // The kind's extension, in the case of the proposed name's.
        const std::string estProposta = fs::path(proposta).extension().string();
        const bool maiuscola = !estProposta.empty() && estProposta == upper(estProposta);
        std::string est = ".txt";
        if (fileNodo(tmpTipoFile)) est = ".kno";
        if (tmpTipoFile == DialogKind::GaussCode) est = ".gau";
        if (maiuscola) est = upper(est);
        if (!nome.empty() && nome.back() == '.') nome.pop_back();
        nome += est;
        std::error_code ec;
        if (fs::exists(nome, ec) && !f.ui.askYesNo(nome + " already exists.\nDo you want to replace it?"))
            return {};
    }
    return nome;
}

std::optional<FileLetto> leggiFileChiesto(ContestoFinestra& f, const std::string& nome, DialogKind tipo) {
    FileLetto letto{nome, {}};
    if (letto.nome.empty()) {
        letto.nome = Apri(f, tipo);
        if (letto.nome.empty()) return std::nullopt;
    }
    BusyGuard busy(f.ui);
    if (const Status s = leggiTestoFile(letto.nome, letto.testo); !s) {
        f.ui.showMessage(s.error());
        return std::nullopt;
    }
    return letto;
}

}  // namespace trevalon
