#pragma once
// The catalogue of named knots of the developer layout: one line per knot, its name, "|", its Gauss text,
// "|", its over/under letters, kept in a text file beside the knot samples.

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

inline constexpr const char* kFileCatalogo = "NodiCodificati.txt";
// Entries 0..100: the catalogue holds at most 101 knots; further lines are not read.
inline constexpr int kMaxVociCatalogo = 101;

// One catalogue line: three fields split at "|" (blanks around each field dropped), the name not empty.
// Refused with the reason otherwise.
Result<VoceCatalogo> leggiVoceCatalogo(std::string_view riga);

// The catalogue written in a file's text: every line that is not blank is an entry, up to
// kMaxVociCatalogo of them. A faulty line refuses the whole catalogue, naming the line.
Result<std::vector<VoceCatalogo>> leggiCatalogoTesto(std::string_view testo);

// `CaricaTabellaNodiCodificati`: the catalogue of the file (a missing or unreadable file, or a faulty
// line, is refused with a message that names the file).
Result<std::vector<VoceCatalogo>> CaricaTabellaNodiCodificati(const std::filesystem::path& file);

// The catalogue of batch work, which reads no file: the trefoil alone.
std::vector<VoceCatalogo> catalogoIncorporato();

}  // namespace trevalon
