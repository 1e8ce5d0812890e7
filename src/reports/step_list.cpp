#include "reports/step_list.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "model/knot_files.h"
#include "platform/xlsx_export.h"

namespace trevalon {

namespace {

// The part after the last "/" or "\".
std::string_view nomeSenzaCartella(std::string_view path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

void rimuoviTutti(std::string& s, std::string_view what) {
    for (auto pos = s.find(what); pos != std::string::npos; pos = s.find(what, pos))
        s.erase(pos, what.size());
}

std::string testoDecimale(double seconds) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", seconds);
    std::string s = buf;
    s.erase(s.find_last_not_of('0') + 1);
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s;
}

bool stessoFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec) && !ec) return true;
    return std::filesystem::weakly_canonical(a, ec) == std::filesystem::weakly_canonical(b, ec);
}

}  // namespace

std::string captionLista(std::string_view nomeFileNodo) {
    std::string name(nomeSenzaCartella(nomeFileNodo));
    rimuoviTutti(name, ".kno");
    rimuoviTutti(name, ".KNO");
    return name;
}

std::string propostaNomeXls(std::string_view nomeFileNodo, int numStato) {
    if (nomeFileNodo.empty()) return {};
    const std::string_view file = nomeSenzaCartella(nomeFileNodo);
    const std::string_view folder = nomeFileNodo.substr(0, nomeFileNodo.size() - file.size());
    std::string base(file);
    std::string ext;
    if (const auto dot = base.rfind('.'); dot != std::string::npos && dot > 0) {
        ext = base.substr(dot);
        base.erase(dot);
    }
    bool upper = false;
    for (char ch : ext) upper = upper || (ch >= 'A' && ch <= 'Z');
    return std::string(folder) + base + "_S" + std::to_string(numStato) + (upper ? ".XLSX" : ".xlsx");
}

FrmLista::FrmLista(FileDialogPort& dialogs, MessagePort& messages) : dialogs_(dialogs), messages_(messages) {}

void FrmLista::Form_Load(ViewerAnswer* esitoDialogo) {
    if (esitoDialogo) *esitoDialogo = ViewerAnswer::None;
    InizializzaGrd();
}

void FrmLista::InizializzaGrd() {
    GrLis.clear();
    GrLis.setRows(1);
    GrLis.setCols(static_cast<int>(kColonneLista.size()));
    for (int c = 0; c < GrLis.cols(); ++c) {
        const ColonnaLista& col = kColonneLista[static_cast<std::size_t>(c)];
        GrLis.setText(0, c, std::string(col.header));
        GrLis.setColWidth(c, col.widthTwips);
        GrLis.setBold(0, c, true);
        GrLis.setAlignment(0, c, CellAlign::LeftCenter);
        GrLis.setBackColor(0, c, 0xC0C0C0);  // the header row looks fixed
    }
}

void FrmLista::AggiungiPasso(int passo, std::string_view codice, std::string_view ori) {
    const int r = GrLis.rows();
    if (r == 1) GrLis.setRedraw(false);  // bulk filling; Concludi turns painting back on
    GrLis.setRows(r + 1);
    GrLis.setText(r, 0, std::to_string(passo));
    GrLis.setText(r, 1, std::to_string(ori.size()));
    if (!codice.empty()) GrLis.setText(r, 2, valoreGaussCode(codice));
    GrLis.setText(r, 3, valoreIndices(ori));
    for (int c = 0; c < GrLis.cols(); ++c) GrLis.setAlignment(r, c, CellAlign::LeftCenter);
}

void FrmLista::Concludi() {
    GrLis.setRedraw(true);
    const int last = GrLis.rows() - 1;
    GrLis.setTopRow(last > 1 ? last : 1);
}

void FrmLista::ImpostaCaption(std::string_view nomeFileNodo) {
    NomeFileNodo = std::string(nomeFileNodo);
    caption = captionLista(nomeFileNodo);
}

void FrmLista::ImpostaTempo(double seconds) {
    p2 = "Time processing sec: " + testoDecimale(seconds);
}

std::string_view FrmLista::colKey(int col) const {
    if (col < 0 || col >= static_cast<int>(kColonneLista.size())) return {};
    return kColonneLista[static_cast<std::size_t>(col)].key;
}

bool FrmLista::EsportaXls() {
    const std::string proposta = propostaNomeXls(NomeFileNodo, NumStato);
    const std::string folder = std::filesystem::path(proposta).parent_path().string();
    std::string name = dialogs_.saveFileName(folder, proposta, {FileFilter{"File XLSX", {"*.xlsx"}}});
    if (name.empty()) return false;
    std::filesystem::path path(name);
    if (!path.has_extension()) path += ".xlsx";
    if (!NomeFileNodo.empty() && stessoFile(path, NomeFileNodo)) {
        messages_.showMessage("The step list cannot be written over the knot file: " + path.string());
        return false;
    }
    const Status esito = scriviGrigliaXlsx(GrLis, path.string(), "Steps", {0, 1});
    if (!esito) {
        messages_.showMessage("Export failed: " + path.string() + " (" + esito.error() + ")");
        return false;
    }
    return true;
}

void FrmLista::tlb1_ButtonClick(std::string_view key) {
    if (key == kPulsanteXls.key) EsportaXls();
}

}  // namespace trevalon
