#pragma once
// Comparison of Gauss texts. Two texts describe the same diagram when one is a reading of the other: read
// from any passage, forwards or backwards, with the crossings renumbered by first appearance. The
// over/under letters are not compared, and a text with every sign exchanged is compared as it stands
// (the mirror of a diagram is another diagram unless some reading of it gives back the same text).
//
// Instead of trying every reading of a candidate against every stored text, each text is brought to a
// canonical form (its smallest reading) once, and the stored forms are kept in a hash set as compact keys
// (one or two bytes a passage instead of the text).

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "moves/relabel.h"

namespace trevalon {

// The canonical form of a Gauss text: the smallest of its 4n readings (2n start passages, two directions,
// each renumbered by first appearance), compared passage by passage (label, then own sign). nullopt for a
// text that is not a Gauss text.
std::optional<std::string> formaCanonica(std::string_view txtNodo);

// The canonical form of passages with their own signs as a compact key: equal keys, and only those, belong
// to texts with equal canonical forms. Empty for no passages.
std::string chiaveCanonica(const std::vector<VoceScifta>& voci);
// The same written into `chiave`, whose storage is reused.
void chiaveCanonica(const std::vector<VoceScifta>& voci, std::string& chiave);
// The same for a Gauss text; nullopt for a text that is not a Gauss text.
std::optional<std::string> chiaveCanonica(std::string_view txtNodo);

// True when both texts describe the same diagram in the sense above.
bool stessoCodice(std::string_view a, std::string_view b);

// A set of diagrams by their Gauss texts, with a fixed capacity.
class InsiemeCodici {
  public:
    explicit InsiemeCodici(std::size_t capacita) : capacita_(capacita) {}

    // VerificaGiaElab / VerificaGiaElab2: true when the text, in any of its readings, is in the set.
    // An unreadable text is never in the set.
    bool contiene(std::string_view txtNodo) const;

    enum class Esito { Aggiunto, GiaPresente, Pieno, Illeggibile };
    // Files the diagram unless it is there already or the set is full.
    Esito aggiungi(std::string_view txtNodo);

    // The same two for a key already computed (chiaveCanonica), so that a caller asking both computes it
    // once.
    bool contieneChiave(std::string_view chiave) const { return chiavi_.find(chiave) != chiavi_.end(); }
    Esito aggiungiChiave(std::string chiave);

    void svuota() { chiavi_ = {}; }
    std::size_t size() const { return chiavi_.size(); }
    std::size_t capacita() const { return capacita_; }
    bool pieno() const { return chiavi_.size() >= capacita_; }

  private:
    std::size_t capacita_;
    // Looked up by std::string_view as well, without a copy of the key.
    struct HashChiave {
        using is_transparent = void;
        std::size_t operator()(std::string_view k) const { return std::hash<std::string_view>{}(k); }
    };
    std::unordered_set<std::string, HashChiave, std::equal_to<>> chiavi_;
};

}  // namespace trevalon
