#pragma once
// The catalogue of named knots of the developer layout: one line per knot, its name, "|", its Gauss text,
// "|", its over/under letters, kept in a text file beside the knot samples; and the listings of the batch
// tools, made of lines of the same kind.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace trevalon {

struct VoceCatalogo {
    std::string nome;
    std::string txtNodo;
    std::string TxtOri;
};

// A catalogue line's three fields as views into the text it was read from.
struct VoceVista {
    std::string_view nome;
    std::string_view txtNodo;
    std::string_view TxtOri;
    VoceCatalogo voce() const { return {std::string(nome), std::string(txtNodo), std::string(TxtOri)}; }
};

inline constexpr const char* kFileCatalogo = "NodiCodificati.txt";
// Entries 0..100: the catalogue holds at most 101 knots; further lines are not read.
inline constexpr int kMaxVociCatalogo = 101;
// The most characters of one line of a catalogue, a listing or another batch list (its line end not
// counted). The longest code the program works on (250 crossings) takes under 2,000 characters, and a
// listing's label and letters a few hundred more.
inline constexpr std::size_t kMaxRigaCatalogo = 65536;

// The refusal of a line longer than kMaxRigaCatalogo, saying how long it is.
std::string rigaTroppoLunga(std::size_t lunghezza);

// One catalogue line's fields as views into it: three fields split at "|" (blanks around each field
// dropped), the name not empty. Refused with the reason otherwise, and for a line longer than
// kMaxRigaCatalogo. The line is read once, up to its third "|" at most.
Result<VoceVista> campiVoceCatalogo(std::string_view riga);
// The same as strings.
Result<VoceCatalogo> leggiVoceCatalogo(std::string_view riga);

// The catalogue written in a file's text: every line that is not blank is an entry, up to
// kMaxVociCatalogo of them. A faulty line refuses the whole catalogue, naming the line.
Result<std::vector<VoceCatalogo>> leggiCatalogoTesto(std::string_view testo);

// `CaricaTabellaNodiCodificati`: the catalogue of the file (a missing or unreadable file, a file over
// kMaxKnotFileBytes, or a faulty line, is refused with a message that names the file).
Result<std::vector<VoceCatalogo>> CaricaTabellaNodiCodificati(const std::filesystem::path& file);

// The catalogue of batch work, which reads no file: the trefoil alone.
std::vector<VoceCatalogo> catalogoIncorporato();

// A listing of the batch tools (or any text of catalogue lines), read with no limit of lines: the text is
// kept as it was read and each line that is not blank is known by where it lies in it (8 bytes a line),
// its fields found again when it is asked for. A text of a few bytes a line therefore takes little more
// than itself, however many lines it has.
class Listato {
  public:
    Listato() = default;
    // Every line that is not blank, as campiVoceCatalogo reads it. Refused: a faulty line, named by its
    // number ("line N: ..."), and a text of 4 GB or more.
    static Result<Listato> leggi(std::string testo);

    std::size_t size() const { return righe_.size(); }
    bool empty() const { return righe_.empty(); }
    // Line i (from 0) of the lines that are not blank, as views into the listing's text: they hold while
    // the listing is neither changed nor moved.
    VoceVista operator[](std::size_t i) const;

  private:
    struct Riga {
        std::uint32_t inizio;     // where the line starts in the text
        std::uint32_t lunghezza;  // without its line end
    };
    std::string testo_;
    std::vector<Riga> righe_;
};

// Listato::leggi.
Result<Listato> leggiListato(std::string testo);

}  // namespace trevalon
