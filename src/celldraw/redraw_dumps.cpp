#include "celldraw/redraw_dumps.h"

#include <algorithm>

namespace trevalon {

namespace {

char primo(std::string_view s) {
    return s.empty() ? ' ' : s.front();
}

}  // namespace

std::vector<std::string> righeCelDis(const CellDrawing& tblGen, bool conSimbolo) {
    const LimitiDis& l = tblGen.limiti;
    const int righe = std::clamp(l.RigaMax + 3, 0, tblGen.lastRow());
    const int colonne = std::clamp(l.ColMax + 3, 0, tblGen.lastCol());
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(righe));
    for (int r = 1; r <= righe; ++r) {
        std::string line;
        line.reserve(static_cast<std::size_t>(colonne) * (conSimbolo ? 2 : 1));
        for (int c = 1; c <= colonne; ++c) {
            const char k = tblGen.at(r, c).codice;
            line += k ? k : ' ';
            if (conSimbolo) line += primo(tblGen.Simbolo(r, c));
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

void scriviCelDis(const CellDrawing& tblGen, const DumpFolder& dump, const std::string& name,
                  bool conSimbolo) {
    if (!dump.active()) return;
    writeDumpLines(dump, name, righeCelDis(tblGen, conSimbolo));
}

std::string nomeCelDisStadio(int stadio, int NumStato) {
    return "celdis_" + std::to_string(stadio) + "_" + std::to_string(NumStato) + "_.txt";
}

std::vector<std::string> righeTblCeldis(const CellDrawing& tblGen) {
    const LimitiDis& l = tblGen.limiti;
    const int righe = std::clamp(l.RigaMax, 0, tblGen.lastRow());
    const int colonne = std::clamp(l.ColMax, 0, tblGen.lastCol());
    std::vector<std::string> lines;
    for (int r = 1; r <= righe; ++r) {
        std::string line;
        for (int c = 1; c <= colonne; ++c) {
            std::string nome(tblGen.Simbolo(r, c).substr(0, 6));
            nome.resize(6, ' ');
            line += nome + ":";
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

void esportaTblCeldis(const CellDrawing& tblGen, const std::string& tmpTipo, const DumpFolder& dump) {
    if (!dump.active()) return;
    writeDumpLines(dump, "tblceldis" + tmpTipo + ".txt", righeTblCeldis(tblGen));
}

}  // namespace trevalon
