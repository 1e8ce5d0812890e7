#pragma once
// Relabelling of a Gauss text: the same diagram read from any of its 2n passages, forwards or backwards
// along the strand, with the crossings renumbered 1, 2, ... in order of first appearance and the
// over/under letters permuted to match.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/tables.h"

namespace trevalon {

// One passage with its own sign: '+' over, '-' under.
struct VoceScifta {
    char sign = 0;
    int label = 0;
    bool operator==(const VoceScifta&) const = default;
};

// Largest number of passages a relabelling reads: two per crossing of the crossing table.
inline constexpr int kMaxVociScifta = 2 * kMaxIncroci;

// Splits a Gauss text ("1-2+3-1+2-3+": each label followed by the sign of the next passage, the sign of
// passage 1 written last) into its passages with their own signs, in travel order. nullopt when the text
// is not labels with signs, is empty, or has more than kMaxVociScifta passages.
std::optional<std::vector<VoceScifta>> leggiVociScifta(std::string_view txtNodo);
// The same into `voci`, whose storage is reused; false (voci left unspecified) where that gives nullopt.
bool leggiVociScifta(std::string_view txtNodo, std::vector<VoceScifta>& voci);

// The Gauss text of passages given with their own signs (the inverse of leggiVociScifta).
std::string scriviVociScifta(const std::vector<VoceScifta>& voci);

// One reading: txtNodo and TxtOri of the same diagram read from another passage.
struct LetturaGauss {
    std::string txtNodo;
    std::string TxtOri;
};

// The reading that starts at passage `start` (1..2n) and runs forwards (or backwards), renumbered by first
// appearance; letter k of the new over/under text is the letter of the old crossing that became k (an
// old label beyond the letters contributes no letter). nullopt for an unreadable text or a start outside
// 1..2n.
std::optional<LetturaGauss> letturaDaPassaggio(std::string_view txtNodo, std::string_view TxtOri, int start,
                                               bool backward);

// The step-by-step enumeration of every reading (the developer buttons "IniziScifta" and "Scifta 1"):
// variant 1 of each start passage is the forward reading, variant 5 the backward reading, the other six
// variants write nothing. After inizia, call number 8(p - 1) + 1 of scifta writes the forward reading from
// passage p and call 8(p - 1) + 5 the backward one, for p = 1..2n, and then it starts over.
class EnumerazioneScifta {
  public:
    // CmdInizScifta_Click: starts an enumeration of the given texts. False (and nothing started) for a
    // text that cannot be read.
    bool inizia(std::string_view txtNodo, std::string_view TxtOri);
    // CmdInizScifta_Click on a diagram's own texts.
    bool inizia(const Diagram& d) { return inizia(d.txtNodo, d.TxtOri); }

    // Scifta: advances by one variant; for variants 1 and 5 writes the reading into the texts and returns
    // true, otherwise leaves them and returns false. Nothing happens before a successful inizia.
    bool scifta(std::string& txtNodo, std::string& TxtOri);
    // Scifta on a diagram: a written reading also sets NumIncroci and NumArchi to 0, since the tables no
    // longer describe the texts (the caller rebuilds them when it needs them).
    bool scifta(Diagram& d);

    // Sciftax: always moves on to the next start passage (without wrapping past 2n it reads nothing) and
    // writes the forward reading from it.
    bool sciftax(std::string& txtNodo, std::string& TxtOri);

    bool avviata() const { return !voci_.empty(); }
    int PosScifta() const { return PosScifta_; }
    int VarScifta() const { return VarScifta_; }
    int numVoci() const { return static_cast<int>(voci_.size()); }
    // The enumeration button's caption: "1-0" after inizia, then "p - v" at every written reading.
    const std::string& didascalia() const { return didascalia_; }

  private:
    LetturaGauss lettura(int start, bool backward) const;

    int PosScifta_ = 1;
    int VarScifta_ = 0;
    std::vector<VoceScifta> voci_;  // VociScifta, items 1..2n stored from index 0
    std::string OriScifta_;
    std::string didascalia_;
};

// CmdScifta_Click: the next root crossing of the automatic layout, 1 after the crossing count.
int avanzaIncrocioRadice(int IncrocioRadice, int numIncroci);

}  // namespace trevalon
