#pragma once
// The record of the last trace: for every cell a trace is about to change, its position and its previous
// text and back colour (the designer's `LogCelle` and `LogValori`, item for item). Undo writes those
// previous contents back, newest first, so a cell written twice by one trace gets its oldest content.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace trevalon {

class GridControl;

struct VoceLog {
    int riga = 0;
    int colonna = 0;
    std::string testo;         // the previous text
    std::uint32_t colore = 0;  // the previous back colour (BGR)
    friend bool operator==(const VoceLog&, const VoceLog&) = default;
};

class LogTraccia {
  public:
    void svuota() { voci_.clear(); }
    void registra(int riga, int colonna, std::string testo, std::uint32_t colore) {
        voci_.push_back({riga, colonna, std::move(testo), colore});
    }
    bool vuoto() const { return voci_.empty(); }
    const std::vector<VoceLog>& voci() const { return voci_; }

    // Writes the previous contents back into `Gr` and, when there is one, the shadow grid `grs`: the text
    // trimmed of blanks and the back colour, newest item first. Items outside the grid are skipped. The
    // log is kept, so a second replay writes the same contents again.
    void ripristina(GridControl& Gr, GridControl* grs) const;

  private:
    std::vector<VoceLog> voci_;
};

}  // namespace trevalon
