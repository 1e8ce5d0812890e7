#include "layout/straightening_notes.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace trevalon {

void notaCambiata(LayoutState& s, int r, int c, bool piena) {
    LayoutState::Raddrizzatura& z = s.raddrizzatura;
    if (!z.attiva || r < z.r0 || r > z.r1 || c < z.c0 || c > z.c1) return;
    const auto i = static_cast<std::size_t>(r - z.r0), j = static_cast<std::size_t>(c - z.c0);
    std::uint64_t& bitRiga = z.pieneRighe[i * static_cast<std::size_t>(z.paroleRiga) + j / 64];
    std::uint64_t& bitColonna = z.pieneColonne[j * static_cast<std::size_t>(z.paroleColonna) + i / 64];
    const std::uint64_t inRiga = std::uint64_t{1} << (j % 64), inColonna = std::uint64_t{1} << (i % 64);
    if (piena) {
        bitRiga |= inRiga;
        bitColonna |= inColonna;
    } else {
        bitRiga &= ~inRiga;
        bitColonna &= ~inColonna;
    }
    LayoutState::LineaRaddrizzata& riga = z.righe[i];
    riga.da = std::min(riga.da, c);
    riga.fine = std::max(riga.fine, c);
    riga.cambio = std::min(riga.cambio, c);
    riga.cambioFine = std::max(riga.cambioFine, c);
    LayoutState::LineaRaddrizzata& colonna = z.colonne[j];
    colonna.da = std::min(colonna.da, r);
    colonna.fine = std::max(colonna.fine, r);
    colonna.cambio = std::min(colonna.cambio, r);
    colonna.cambioFine = std::max(colonna.cambioFine, r);
}

void notaFila(LayoutState& s, bool riga, int linea, int da, int a, bool piena) {
    LayoutState::Raddrizzatura& z = s.raddrizzatura;
    if (!z.attiva) return;
    const int primaLinea = riga ? z.r0 : z.c0, ultimaLinea = riga ? z.r1 : z.c1;
    da = std::max(da, riga ? z.c0 : z.r0);
    a = std::min(a, riga ? z.c1 : z.r1);
    if (linea < primaLinea || linea > ultimaLinea || da > a) return;
    const auto i = static_cast<std::size_t>(linea - primaLinea);
    const int primo = riga ? z.c0 : z.r0;
    std::uint64_t* bits = (riga ? z.pieneRighe.data() : z.pieneColonne.data()) +
                          i * static_cast<std::size_t>(riga ? z.paroleRiga : z.paroleColonna);
    for (int t = da; t <= a; ++t) {
        const auto j = static_cast<std::size_t>(t - primo);
        // The line across the run at this place.
        std::uint64_t* traverso = (riga ? z.pieneColonne.data() : z.pieneRighe.data()) +
                                  j * static_cast<std::size_t>(riga ? z.paroleColonna : z.paroleRiga);
        if (piena) {
            bits[j / 64] |= std::uint64_t{1} << (j % 64);
            traverso[i / 64] |= std::uint64_t{1} << (i % 64);
        } else {
            bits[j / 64] &= ~(std::uint64_t{1} << (j % 64));
            traverso[i / 64] &= ~(std::uint64_t{1} << (i % 64));
        }
        LayoutState::LineaRaddrizzata& l = (riga ? z.colonne : z.righe)[j];
        l.da = std::min(l.da, linea);
        l.fine = std::max(l.fine, linea);
        l.cambio = std::min(l.cambio, linea);
        l.cambioFine = std::max(l.cambioFine, linea);
    }
    LayoutState::LineaRaddrizzata& l = (riga ? z.righe : z.colonne)[i];
    l.da = std::min(l.da, da);
    l.fine = std::max(l.fine, a);
    l.cambio = std::min(l.cambio, da);
    l.cambioFine = std::max(l.cambioFine, a);
}

void notaCambiata(LayoutState& s, int r, int c) {
    const LayoutState::Raddrizzatura& z = s.raddrizzatura;
    if (!z.attiva || r < z.r0 || r > z.r1 || c < z.c0 || c > z.c1) return;
    notaCambiata(s, r, c, z.tavola->at(r, c).Tipo != 0);
}

}  // namespace trevalon
