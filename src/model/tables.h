#pragma once
// The tables of one knot diagram: cell table, arcs, crossings, passages, regions and the region graph.
// Records are numbered from 1; index 0 is never used and a field holding a record number uses 0 for none.
// The fixed bounds are limits that builders check before writing; `at` refuses any index beyond them.

#include <array>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/table2d.h"

namespace trevalon {

inline constexpr int kMaxIncroci = 500;  // crossing table
inline constexpr int kMaxArchi = 1000;   // arc table
inline constexpr int kMaxGemelli = 500;  // passage table: at most 250 crossings in passage-based work
inline constexpr int kMaxRegioni = 500;  // regions
inline constexpr int kMaxCella = 1500;   // rows and columns of the cell table
inline constexpr int kMaxCrossingsForMoves = kMaxGemelli / 2;

// One cell of the cell table `TblNodo`; kept small, since the table has 1501 x 1501 of them.
struct CellaNodo {
    char Tipo = 0;          // 'A' arc cell, 'I' crossing cell, 0 empty
    std::int8_t Forma = 0;  // line code 0..8
    char Simbolo = 0;       // '*', '-', '|', ' ' or 0 (empty)
    std::array<char, 4>
        viciniText{};            // neighbour pair ("28", ...) or split mark ("II", "ZZ1", ...); 0-padded
    std::int32_t Numero = 0;     // arc or crossing number
    std::int32_t Posizione = 0;  // place along the arc, 1..n

    std::string_view Vicini() const {
        std::size_t n = 0;
        while (n < viciniText.size() && viciniText[n] != 0) ++n;
        return {viciniText.data(), n};
    }
    // Marks longer than three characters are refused: no caller writes one.
    void setVicini(std::string_view v) {
        if (v.size() > 3) throw std::length_error("cell mark too long: " + std::string(v));
        viciniText = {};
        for (std::size_t i = 0; i < v.size(); ++i) viciniText[i] = v[i];
    }
    std::string TipoText() const { return Tipo ? std::string(1, Tipo) : std::string(); }
};
static_assert(sizeof(CellaNodo) == 16, "a cell of the cell table stays 16 bytes: the table has 1501 x 1501");

// The cell table, rows and columns 0..1500. It knows while it is still as it was made or last cleared
// whole, every cell empty (`intatta`): such a table needs no clearing, and the cells a walk numbers in it
// are then the only ones.
class CellTable {
  public:
    static constexpr int kSize = kMaxCella + 1;

    static bool inside(int r, int c) { return r >= 0 && c >= 0 && r < kSize && c < kSize; }
    CellaNodo& at(int r, int c) {
        CellaNodo& x = cells_.at(r, c);
        intatta_ = false;
        return x;
    }
    const CellaNodo& at(int r, int c) const { return cells_.at(r, c); }
    // No cell has been handed out for change since the table was made or last cleared whole.
    bool intatta() const { return intatta_; }
    // Clears rows r0..r1 and columns c0..c1 (clipped to the table), every field.
    void clear(int r0, int r1, int c0, int c1) {
        if (intatta_) return;
        cells_.fill(r0, r1, c0, c1, CellaNodo{});
        intatta_ = r0 <= 0 && c0 <= 0 && r1 >= kSize - 1 && c1 >= kSize - 1;
    }
    void clearAll() { clear(0, kSize - 1, 0, kSize - 1); }
    // For a table about to be filled over most of its size: see Table2D::paginaGrande.
    void paginaGrande() { cells_.paginaGrande(); }

  private:
    Table2D<CellaNodo, kSize, kSize> cells_{"table"};
    bool intatta_ = true;
};

// Extent of the used part of the cell table.
struct LimitiNodo {
    int RigaMin = 0, RigaMax = 0, ColMin = 0, ColMax = 0;
};

struct Arco {
    int IncrocioDa = 0;
    char SegnoDa = 0;  // '+' leaves on the over strand, '-' on the under strand
    int IncrocioA = 0;
    char SegnoA = 0;
    int Posto = 0;
    std::string Percorso;  // "r,c|" or "r,c,|" items in walking order
    std::string PuntiExtra;
    int GemelloDa = 0;
    int GemelloA = 0;
    int Reg1 = 0;
    int Reg2 = 0;
    int RigaFine = 0;
    int ColFine = 0;
};

struct Incrocio {
    int PrecSopra = 0, PrecSotto = 0, SuccSopra = 0, SuccSotto = 0;
    int ArcoEntraSopra = 0, ArcoEntraSotto = 0, ArcoEsceSopra = 0, ArcoEsceSotto = 0;
    char Ori = 0;  // 'O' or 'V'
    int Gem = 0;
    std::array<int, 5> ArcoLato{};
    std::array<char, 5> VersoLato{};  // 'E' enters, 'U' leaves, 0 none
    std::array<int, 5> IncrocioLato{};
    int Posto = 0;
    int Riga = 0, Colonna = 0;
    int GemSopra = 0, GemSotto = 0;
};

struct Gemello {
    int Padre = 0;
    int IndiceGemello = 0;
    char Segno = 0;  // '+' over, '-' under
    int dirda = 0;
    int dirad = 0;
    int gemDa = 0;
    int gemad = 0;
    int arcoda = 0;
    int arcoad = 0;
};

// One entry of the region graph: the arc between the two regions (0 for none) and their distance.
struct CoppiaRegioni {
    int arco = 0;
    int dis = 0;
};
static_assert(std::is_trivially_copyable_v<CoppiaRegioni>,
              "a region graph of the same size is emptied whole");

// The shortest paths between two regions as texts: the arcs (`cam`) and the regions (`reg`) of each path.
struct TestiCammino {
    std::string cam;
    std::string reg;
};

// The region graph, (NumRegioni + 1) squared entries, indexed (region, region). The path texts are kept
// in a table of their own, made only when one is written: the searches build the graph for every diagram
// they meet and read only its arcs and distances, which lie close together without them.
class RegionGraph {
  public:
    // NumRegioni + 1 squared empty entries.
    void reset(int numRegioni) {
        if (numRegioni < 0 || numRegioni > kMaxRegioni) throw std::out_of_range("too many regions");
        if (cells_.rows() == numRegioni + 1 && cells_.cols() == numRegioni + 1) {
            // The same size, as for every diagram of a search: the entries emptied where they are.
            if (cells_.size() != 0)
                std::memset(static_cast<void*>(cells_.row(0)), 0, cells_.size() * sizeof(CoppiaRegioni));
            if (testiScritti_)
                for (TestiCammino *e = testi_.row(0), *fine = e + testi_.size(); e != fine; ++e) {
                    e->cam.clear();
                    e->reg.clear();
                }
            testiScritti_ = false;
            return;
        }
        cells_.assign(numRegioni + 1, numRegioni + 1);
        testi_.assign(0, 0);
        testiScritti_ = false;
    }
    int size() const { return cells_.rows() - 1; }
    CoppiaRegioni& at(int i, int j) { return cells_.at(i, j); }
    const CoppiaRegioni& at(int i, int j) const { return cells_.at(i, j); }
    // Row i, size() + 1 entries one after another.
    CoppiaRegioni* riga(int i) { return cells_.row(i); }
    const CoppiaRegioni* riga(int i) const { return cells_.row(i); }
    // The path texts of the pair (i, j); empty until written.
    TestiCammino& testi(int i, int j) {
        (void)cells_.at(i, j);
        if (testi_.rows() != cells_.rows()) testi_.assign(cells_.rows(), cells_.cols());
        testiScritti_ = true;
        return testi_.at(i, j);
    }
    const TestiCammino& testi(int i, int j) const {
        (void)cells_.at(i, j);
        static const TestiCammino kVuoti;
        if (testi_.rows() != cells_.rows()) return kVuoti;
        return testi_.at(i, j);
    }

  private:
    Table2D<CoppiaRegioni> cells_{1, 1, "region graph"};
    Table2D<TestiCammino> testi_{0, 0, "region graph"};
    bool testiScritti_ = false;  // testi_ may hold a text not empty
};

// The tables of one diagram and its code texts. Two of these live side by side (the visible diagram and
// the look-ahead instance), so nothing here is global.
struct Diagram {
    Diagram()
        : archi(kMaxArchi + 1),
          incroci(kMaxIncroci + 1),
          NomiIncroci(kMaxIncroci + 1),
          gemelli(kMaxGemelli + 1),
          CodRegione(kMaxRegioni + 1) {}

    int NumIncroci = 0;
    int NumArchi = 0;
    int NumGemelli = 0;
    int NumRegioni = 0;
    int NumRighe = 600;
    int NumColonne = 600;

    CellTable TblNodo;
    LimitiNodo limiti;
    std::vector<Arco> archi;               // 0..1000
    std::vector<Incrocio> incroci;         // 0..500
    std::vector<std::string> NomiIncroci;  // 0..500
    std::vector<Gemello> gemelli;          // 0..500
    std::vector<std::string> CodRegione;   // 0..500
    RegionGraph MatRegioni;

    std::string txtNodo;  // Gauss-code text, "1-2+3-1+2-3+"
    std::string TxtOri;   // over/under letters, one per crossing
};

// The diagram without crossings (the trivial knot): every table empty, the texts too; the size of its cell
// table kept.
inline void svuotaDiagramma(Diagram& d) {
    Diagram vuoto;
    vuoto.NumRighe = d.NumRighe;
    vuoto.NumColonne = d.NumColonne;
    d = std::move(vuoto);
}

}  // namespace trevalon
