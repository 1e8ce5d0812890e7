#include "mainwindow/small_boxes.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "celldraw/step_viewer.h"
#include "mainwindow/window_context.h"
#include "model/knot_files.h"

namespace trevalon {

namespace fs = std::filesystem;

namespace {

std::string lowerText(std::string s) {
    for (char& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return s;
}

bool estensioneNodo(const std::string& estensione) {
    constexpr std::array<std::string_view, 4> kNodi = {".txt", ".kno", ".gau", ".kns"};
    return std::find(kNodi.begin(), kNodi.end(), estensione) != kNodi.end();
}

// A file name up to its last dot, and the rest from that dot, both in lower case ("K.Gif" -> "k", ".gif").
// A name whose only dot leads it (".gif") has no extension.
std::pair<std::string, std::string> baseEdEstensione(const std::string& nome) {
    const std::size_t punto = nome.find_last_of('.');
    if (punto == std::string::npos || punto == 0) return {lowerText(nome), {}};
    return {lowerText(nome.substr(0, punto)), lowerText(nome.substr(punto))};
}

}  // namespace

void Ridimensiona(VistaNodo& vista) {
    GridControl& gr = vista.Gr;
    if (gr.rows() < 1 || gr.cols() < 1) return;
    const int riga0 = gr.rowHeight(0);
    const int col0 = gr.colWidth(0);
    gr.setRedraw(false);
    gr.setAllRowHeights(vista.zoom.DimCella);
    gr.setAllColWidths(vista.zoom.DimCella);
    gr.setRowHeight(0, riga0);
    gr.setColWidth(0, col0);
    gr.setRedraw(true);
}

void RicalcolaDimensioni(ContestoFinestra& f, VistaNodo& v, std::string_view PiuMeno) {
    v.zoom.cambia(PiuMeno);
    Ridimensiona(v);
    f.AbilitaZoom(v.zoom);
}

void ZoomDisegno(ContestoFinestra& f, VistaNodo& v) {
    const GridArea a = areaDisegni(v.Gr);
    if (a.empty() || v.LarghezzaVista <= 0 || v.AltezzaVista <= 0) return;
    Zoom& z = v.zoom;
    int livello = z.ZoomMin;
    for (int l = z.ZoomMin; l <= z.ZoomMax; ++l) {
        const long long dim = z.TabDimCella[static_cast<std::size_t>(std::clamp(l, 1, 6))];
        if ((a.r1 - a.r0 + 1) * dim <= v.AltezzaVista && (a.c1 - a.c0 + 1) * dim <= v.LarghezzaVista)
            livello = l;
    }
    z.imposta(z.ZoomMin, z.ZoomMax, livello);
    Ridimensiona(v);
    mostraArea(v.Gr, a, v.LarghezzaVista, v.AltezzaVista);
    f.AbilitaZoom(v.zoom);
}

std::vector<fs::path> immaginiAccanto(const fs::path& fileNodo, const std::vector<std::string>& formati) {
    std::vector<fs::path> trovate;
    // Only the file name counts: a folder named like a knot file changes nothing.
    const std::string nomeNodo = fileNodo.filename().string();
    if (nomeNodo.empty()) return trovate;
    const std::string base = baseEdEstensione(nomeNodo).first;
    const fs::path cartella = fileNodo.has_parent_path() ? fileNodo.parent_path() : fs::path(".");
    std::error_code ec;
    fs::directory_iterator it(cartella, ec);
    if (ec) return trovate;
    for (const fs::directory_entry& voce : it) {
        std::error_code ecVoce;
        if (!voce.is_regular_file(ecVoce)) continue;
        const std::string nome = voce.path().filename().string();
        if (nome == nomeNodo) continue;
        const auto [b, estensione] = baseEdEstensione(nome);
        if (b != base || estensione.empty() || estensioneNodo(estensione)) continue;
        if (std::find(formati.begin(), formati.end(), estensione.substr(1)) == formati.end()) continue;
        trovate.push_back(voce.path());
    }
    // The folder's own order is not fixed; the name order is.
    std::sort(trovate.begin(), trovate.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
    return trovate;
}

ProprietaNodo proprietaNodo(const ContestoFinestra& f) {
    const Diagram& d = f.doc.diagram;
    // The box names what it shows after the main window's caption, so that the two are told apart.
    return {f.ui.caption() + "   Gauss code", valoreGaussCode(d.txtNodo), valoreIndices(d.TxtOri),
            std::to_string(d.TxtOri.size())};
}

void Unloadform4(BoxPort& caselle) {
    caselle.closeImageBox();
}

void UnloadFormprop(BoxPort& caselle) {
    caselle.closePropertyBox();
}

void LoadImg(ContestoFinestra& f, BoxPort& caselle) {
    Unloadform4(caselle);
    if (!f.doc.NomeFileNodo.empty()) {
        std::vector<std::string> formati = caselle.pictureFormats();
        for (std::string& formato : formati) formato = lowerText(formato);
        // A file that the picture reader cannot read after all is passed over for the next one.
        for (const fs::path& p : immaginiAccanto(fs::path(f.doc.NomeFileNodo), formati))
            if (caselle.showImageBox(p.string(), p.filename().string())) return;
    }
    f.ui.showMessage("No image found");
}

void LoadPropr(const ContestoFinestra& f, BoxPort& caselle) {
    UnloadFormprop(caselle);
    const ProprietaNodo p = proprietaNodo(f);
    caselle.showPropertyBox(p.caption, p.txtgau, p.txtOrie, p.TxtIncr);
}

}  // namespace trevalon
