#pragma once
// The records of the horizontal search's tree, kept compact. A tree of half a million diagrams of 250
// crossings kept as texts takes gigabytes; here a record keeps its code as a reading of its canonical key
// (which the tree keeps anyway for its duplicate tests), its letters as bits and its crossing names as
// references to its parent's names, and the texts are written again when a record is read.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "moves/relabel.h"

namespace trevalon {

// One diagram of the search tree or of the chosen list.
struct NodoLista {
    std::string Codice;
    std::string Ori;
    long IndicePadre = -1;
    long Mossa = 0;            // index of the route that produced it
    std::int64_t NumGiro = 0;  // ordinal of the depth-1 horizontal candidate it descends from
    int Profondita = 0;
    std::string Nomi;  // "|name|name|...|"
};

// Where a code lies in its canonical key (chiaveCanonica of a code each of whose labels is passed twice):
// the key's passage the code starts from and the direction of the reading. A code whose labels are
// numbered by first appearance is that reading of its key, renumbered.
struct LetturaChiave {
    std::uint32_t inizio = 0;
    bool indietro = false;
};

// The reading of `chiave` that gives back the code of passages `voci` (own signs) numbered by first
// appearance from its first passage, or false when there is none (another kind of key, or labels numbered
// otherwise). `lavoro` is working space.
bool letturaDelCodice(const std::vector<VoceScifta>& voci, std::string_view chiave, LetturaChiave& lettura,
                      std::vector<int>& lavoro);
// The Gauss text of that reading (labels by first appearance, each followed by the next passage's sign);
// false for a key that has no such readings.
bool codiceDaChiave(std::string_view chiave, LetturaChiave lettura, std::string& codice,
                    std::vector<int>& lavoro);

// The passages of that reading in travel order, each as 2 * (steps forward to the other passage of its
// crossing) + 1 for an over passage, 0 for an under one; false for a key that has no such reading or whose
// passages do not pair off (each the other's partner).
bool passiDaChiave(std::string_view chiave, LetturaChiave lettura, std::vector<int>& passi);

// The letters of a record as the tree keeps them (one bit a letter when they are of two kinds), into `out`.
void lettereCompatte(std::string_view ori, std::string& out);

// The crossing names of a record, "|name|name|...|", written as references to the names of its parent
// (by their number, 1 for the first; 0 is the empty name), as new names "parent index" "x" counter, or as
// texts. Runs of consecutive references or counters take a few bytes. Made empty, it is the list of no
// names, "|".
class NomiCompatti {
  public:
    void vecchio(int numero);
    void nuovo(long padre, long contatore);
    void testo(std::string_view nome);
    // The names as "|name|...|" given again, with the parent's index and names (index 0 the empty name),
    // for the encoding of any text: references where a name is the parent's of that number or of another,
    // new names where it reads as one.
    static NomiCompatti daTesto(std::string_view nomi, long padre, const std::vector<std::string>& nomiPadre);
    // The encoded bytes (empty text: no bytes).
    const std::string& byte() const {
        chiudi();
        return byte_;
    }
    // The names back, index 0 the empty name, from the bytes and the parent's names.
    static void leggi(std::string_view byte, long padre, const std::vector<std::string>& nomiPadre,
                      std::vector<std::string>& nomi);

  private:
    // Writes the run under way.
    void chiudi() const;
    mutable std::string byte_;
    mutable int tipo_ = -1;  // the run under way: 0 references, 1 counters, -1 none
    long primo_ = 0, lunghezza_ = 0;
    long padre_ = 0;
    bool vuoto_ = false;  // not even the "|" of an empty list: the text is empty
    friend class RecordAlbero;
};

// The keys of the children that the records of one round of a search kept while they were examined side
// by side, each with the first record (by index) known to keep it, so that a later record need not write
// again a child that an earlier record will file. Any number of threads may ask and claim at once. The
// keys are asked for with their hash (std::hash of the key, as the search's set of keys hashes them),
// which the caller has at hand: the key is not read again to find its place. A key's bytes stay where
// they are until the table is emptied, so that the records that keep it need no copy of their own.
class ChiaviDelGiro {
  public:
    ChiaviDelGiro() = default;
    ChiaviDelGiro(const ChiaviDelGiro&) = delete;
    ChiaviDelGiro& operator=(const ChiaviDelGiro&) = delete;

    static std::size_t hash(std::string_view chiave) { return std::hash<std::string_view>{}(chiave); }
    // A record of a lower index than `indice` keeps the key.
    bool tenutaPrima(std::string_view chiave, std::size_t hash, long indice) const;
    bool tenutaPrima(std::string_view chiave, long indice) const {
        return tenutaPrima(chiave, hash(chiave), indice);
    }
    // Record `indice` (a record of the tree, numbered in 32 bits) keeps the key: the table's copy of it,
    // which stays until the table is emptied, and in `nuova` true when the table did not hold the key
    // before (kept by any record).
    std::string_view tieni(std::string_view chiave, std::size_t hash, long indice, bool* nuova = nullptr);
    std::string_view tieni(std::string_view chiave, long indice) {
        return tieni(chiave, hash(chiave), indice);
    }
    // How many different keys the table holds; asked once it is closed (no thread claims any more).
    std::size_t quante() const;
    // No key will be claimed any more: the threads that read it from now on need not wait for each other.
    // Those threads must be started after this call.
    void chiudi() { chiusa_ = true; }
    // No key, open again, its tables kept for another round (as far as a round of a few keys needs them);
    // no other thread may use it meanwhile.
    void svuota();

  private:
    // A key's place: its hash, its bytes, the record; indice < 0 a free place.
    struct Voce {
        std::size_t hash = 0;
        const char* byte = nullptr;
        std::uint32_t lunghezza = 0;
        std::int32_t indice = -1;
    };
    // The keys in parts by their hash, each with its own lock, so that threads seldom wait for each other;
    // each part an open-addressed table at most half full, its keys' bytes in blocks that never move.
    struct alignas(64) Parte {
        std::mutex m;
        std::vector<Voce> voci;
        std::size_t quante = 0;
        std::vector<std::unique_ptr<char[]>> blocchi;
        std::size_t blocco = 0;  // the block being filled
        std::size_t usati = 0;   // its bytes used
        // The place of the key, or the free place where it would go.
        std::size_t cerca(std::string_view chiave, std::size_t hash) const;
        // Room for n bytes of a key.
        char* spazio(std::size_t n);
    };
    static constexpr std::size_t kParti = 64;
    Parte& parte(std::size_t hash) const { return parti_[(hash >> 7) % kParti]; }
    mutable std::array<Parte, kParti> parti_;
    bool chiusa_ = false;
};

// The records of a search tree after its root, each of which keeps its code as a reading of its key in
// the tree's set of keys (found by number). Records are added at the end and never change.
class RecordAlbero {
  public:
    RecordAlbero();
    ~RecordAlbero();
    RecordAlbero(const RecordAlbero&) = delete;
    RecordAlbero& operator=(const RecordAlbero&) = delete;

    // Empties the tree down to its root.
    void azzera(NodoLista radice);
    long size() const { return static_cast<long>(record_.size()) + 1; }  // with the root

    long padre(long i) const;
    int profondita(long i) const;
    std::int64_t numGiro(long i) const;
    void impostaNumGiroRadice(std::int64_t n) { radice_.NumGiro = n; }

    // A record, its texts written again; `chiavi` gives the key of a key number.
    template <class Chiavi>
    NodoLista record(long i, const Chiavi& chiavi) const {
        if (i == 0) return radice_;
        NodoLista n;
        scriviRecord(i, n, chiavi(numeroChiave(i)));
        return n;
    }
    // The code and letters of record i without its names, for threads that read the records while none is
    // added: it touches no table of the reader's cache. `chiave` is the record's key.
    void codiceELettere(long i, std::string_view chiave, std::string& codice, std::string& ori,
                        std::vector<int>& lavoro) const;
    // The passages of record i as passiDaChiave gives them, and its letters, when its code is kept as a
    // reading of its key `chiave` and they pair off; false otherwise (the root, a code kept as text, a key
    // without that reading), when the code is to be read with codiceELettere.
    bool passiELettere(long i, std::string_view chiave, std::vector<int>& passi, std::string& ori) const;
    // The number of the key of record i >= 1.
    std::uint32_t chiaveDi(long i) const { return numeroChiave(i); }
    // The crossing names of a record by number, index 0 the empty name; valid until the next call.
    const std::vector<std::string>& nomi(long i) const;

    // Adds a record: its code as a reading of key number `numeroChiave` when `lettura` is given, else as
    // text; its letters as lettereCompatte writes them; its names as encoded (see NomiCompatti).
    void aggiungi(const NodoLista& n, std::uint32_t numeroChiave, const LetturaChiave* lettura,
                  std::string_view lettere, const NomiCompatti& nomi);

  private:
    struct Compatto {
        std::int64_t NumGiro = 0;
        std::uint64_t dove = 0;  // its bytes: the code's text unless read from the key, letters, names
        std::int32_t IndicePadre = -1;
        std::int32_t Mossa = 0;
        std::uint32_t chiave = 0;  // its key's number
        std::uint32_t inizio = 0;  // the key's reading; all bits set: the code is kept as text
        std::int32_t Profondita = 0;
        std::uint8_t indietro = 0;
        std::uint8_t nomiVuoti = 0;  // no names at all (not even "|")
    };
    std::uint32_t numeroChiave(long i) const;
    void scriviRecord(long i, NodoLista& n, std::string_view chiave) const;
    std::string_view dati(const Compatto& c) const;
    char* spazio(std::size_t misura, std::uint64_t& dove);

    NodoLista radice_;
    std::vector<Compatto> record_;
    // The records' bytes in blocks that never move: where a record's bytes start is the block's number
    // times kBlocco plus the place in it.
    std::vector<std::unique_ptr<char[]>> blocchi_;
    std::size_t usatiNelBlocco_ = 0;
    // The names of the records last read, one by depth, so that reading a record's names reads its
    // ancestors' once for all its siblings.
    struct NomiLetti {
        long indice = -1;
        std::vector<std::string> nomi;
    };
    mutable std::vector<NomiLetti> letti_;
    mutable std::vector<int> lavoro_;
};

}  // namespace trevalon
