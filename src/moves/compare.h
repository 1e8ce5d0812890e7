#pragma once
// Comparison of Gauss texts. Two texts describe the same diagram when one is a reading of the other: read
// from any passage, forwards or backwards, with the crossings renumbered by first appearance. The
// over/under letters are not compared, and a text with every sign exchanged is compared as it stands
// (the mirror of a diagram is another diagram unless some reading of it gives back the same text).
//
// Instead of trying every reading of a candidate against every stored text, each text is brought to a
// canonical form (its smallest reading) once, and the stored forms are kept in a hash set as compact keys
// (one or two bytes a passage instead of the text).

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "moves/relabel.h"
#include "platform/table2d.h"

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
// The same for a code each of whose labels is passed exactly twice, given as the first half of `avanti`
// (whose size is twice the number of passages): each passage in travel order as 2 * (steps forward to the
// other passage of the same crossing) + (own sign is '+'). The second half is working space.
void chiaveDaPassi(std::vector<int>& avanti, std::string& chiave);
// The same with `avanti` already written twice (its second half a copy of the first), given the smallest
// item and the largest of 2 * steps (each item less its sign bit).
void chiaveDaPassiDoppi(const std::vector<int>& avanti, int minimoA, int massimoG, std::string& chiave);

// Where the smallest readings of a sequence for chiaveDaPassiDoppi may start, gathered while the sequence is
// written, so that it need not be read again to find them: the smallest item and the passages that hold
// it, and the largest 2 * steps (an item less its sign bit) and the passages whose item is that with sign
// 0. Of each kind the first kPochi passages are kept, and how many there are.
struct IniziChiave {
    static constexpr std::size_t kPochi = 8;
    int minimo = std::numeric_limits<int>::max();
    int massimoG = std::numeric_limits<int>::min();
    std::uint32_t avanti[kPochi] = {}, dietro[kPochi] = {};
    std::size_t quantiAvanti = 0, quantiDietro = 0;
    // Item c at passage k, in any order of the passages.
    void segna(std::uint32_t k, int c) {
        if (c <= minimo) {
            if (c < minimo) {
                minimo = c;
                quantiAvanti = 0;
            }
            if (quantiAvanti < kPochi) avanti[quantiAvanti] = k;
            ++quantiAvanti;
        }
        if (const int g = c & ~1; g >= massimoG) {
            if (g > massimoG) {
                massimoG = g;
                quantiDietro = 0;
            }
            if (c == g) {
                if (quantiDietro < kPochi) dietro[quantiDietro] = k;
                ++quantiDietro;
            }
        }
    }
};
// chiaveDaPassiDoppi with the starts gathered while `avanti` was written.
void chiaveDaPassiDoppi(const std::vector<int>& avanti, const IniziChiave& inizi, std::string& chiave);
// The same for a sequence whose items all fit in a byte (2n + 1 <= 255), given as n bytes written twice
// (2n from `avanti`); `dietro` is working space. The readings are compared as bytes, and the key is the
// smallest of them as it lies.
void chiaveDaPassiByte(const std::uint8_t* avanti, std::size_t n, std::vector<std::uint8_t>& dietro,
                       std::string& chiave);
// The same for a Gauss text; nullopt for a text that is not a Gauss text.
std::optional<std::string> chiaveCanonica(std::string_view txtNodo);

// True when both texts describe the same diagram in the sense above.
bool stessoCodice(std::string_view a, std::string_view b);

// A set of diagrams by their Gauss texts, with a fixed capacity. One thread adds keys; while it does, any
// number of other threads may ask whether a key is there (contiene, contieneChiave), and are told of a key
// once its adding has returned. Emptying it (svuota) wants no other thread reading.
// What the readers read has a cache line of its own.
// NOLINTNEXTLINE(clang-analyzer-optin.performance.Padding)
class InsiemeCodici {
  public:
    // Capacities from 0 up to kCapacitaMassima; a larger one is refused (std::invalid_argument).
    static constexpr std::size_t kCapacitaMassima = (std::size_t{1} << 24) - 2;

    explicit InsiemeCodici(std::size_t capacita);
    InsiemeCodici(const InsiemeCodici&) = delete;
    InsiemeCodici& operator=(const InsiemeCodici&) = delete;
    ~InsiemeCodici();

    // VerificaGiaElab / VerificaGiaElab2: true when the text, in any of its readings, is in the set.
    // An unreadable text is never in the set.
    bool contiene(std::string_view txtNodo) const;

    enum class Esito { Aggiunto, GiaPresente, Pieno, Illeggibile };
    // Files the diagram unless it is there already or the set is full.
    Esito aggiungi(std::string_view txtNodo);

    // The same two for a key already computed (chiaveCanonica), so that a caller asking both computes it
    // once.
    bool contieneChiave(std::string_view chiave) const;
    Esito aggiungiChiave(std::string_view chiave);
    // A lookup in two steps, for a caller with other work to do meanwhile: the key's hash, a hint that
    // brings the slot it starts from into the cache, and later the lookup itself with that hash.
    static std::size_t hashChiave(std::string_view chiave) { return std::hash<std::string_view>{}(chiave); }
    void anticipa(std::size_t hash) const;
    bool contieneChiave(std::string_view chiave, std::size_t hash) const;

    void svuota();
    std::size_t size() const { return numero_; }
    // Key number k (0 for the first added), while it is in the set: k < size().
    std::string_view chiave(std::size_t k) const { return testo(dove_[k]); }
    std::size_t capacita() const { return capacita_; }
    bool pieno() const { return numero_ >= capacita_; }

  private:
    // An open-addressed table of slots, each 0 (free) or the high kBitMarca bits of the key's hash with,
    // in the low bits, where the key lies + 1 (in units of 8 bytes): a lookup that finds the key reads its
    // slot and the key's bytes only, and one whose hash bits differ reads the slot only. The table is made
    // at the first key, at twice the capacity or more, so that it never grows while others read.
    static constexpr int kBitMarca = 24;
    static constexpr int kBitDove = 64 - kBitMarca;
    static constexpr std::uint64_t kDove = (std::uint64_t{1} << kBitDove) - 1;
    // The keys lie in blocks that never move, each key as its length, its slot and its bytes, at a place
    // that is a multiple of 8: where it lies is the block's number * 2^kBitBlocco + the place in it. A key
    // longer than a block has a block of its own.
    static constexpr int kBitBlocco = 21;
    static constexpr std::size_t kBlocco = std::size_t{1} << kBitBlocco;
    // Keys filed before the slots are asked onto large pages.
    static constexpr std::size_t kChiaviPerPagineGrandi = 4096;
    static constexpr std::size_t kMaxBlocchi = std::size_t{1} << 16;
    struct Testa {
        std::uint32_t lunghezza;
        std::uint32_t posto;  // its slot
    };
    const char* inizio(std::uint64_t dove) const {
        return blocchiLetti_[dove >> kBitBlocco] + (dove & (kBlocco - 1));
    }
    std::string_view testo(std::uint64_t dove) const {
        const char* p = inizio(dove);
        Testa t;
        std::memcpy(&t, p, sizeof t);
        return {p + sizeof t, t.lunghezza};
    }
    // A slot read as the other threads write it.
    static std::uint64_t leggiPosto(const std::uint64_t* posti, std::size_t p) {
        return std::atomic_ref<std::uint64_t>(const_cast<std::uint64_t&>(posti[p]))
            .load(std::memory_order_acquire);
    }
    std::size_t cerca(const std::uint64_t* posti, std::string_view chiave, std::size_t hash,
                      bool& trovata) const;

    // Read by every thread, written only when the table is made: a cache line of their own, away from the
    // counters the filing thread writes for every key.
    struct alignas(64) {
        std::size_t maschera = 0;
        // The slots as the other threads read them: set once the table is made.
        std::atomic<const std::uint64_t*> pubblicati{nullptr};
    } letti_;
    // The blocks' starts by number, made with the table (kMaxBlocchi of them) and only appended to.
    char** blocchiLetti_ = nullptr;
    std::size_t capacita_;
    // The slots, written and read through atomic_ref. Zeroed by the system as they are first touched: a
    // search that files a few keys does not pay for clearing the whole table.
    table2d_detail::ZeroedBlock<std::uint64_t> posti_{0};
    table2d_detail::ZeroedBlock<char*> puntatori_{0};     // storage of blocchiLetti_
    table2d_detail::ZeroedBlock<std::uint64_t> dove_{0};  // where key k lies, by number
    std::vector<table2d_detail::ZeroedBlock<char>> blocchi_;
    std::size_t usatiNelBlocco_ = 0;
    alignas(64) std::size_t numero_ = 0;
};

}  // namespace trevalon
