#pragma once
// The main window's open and save dialogs for knot, Gauss-code and text files, with their proposed names,
// and the reading of a file named or asked for.

#include <optional>
#include <string>
#include <string_view>

#include "platform/codes.h"

namespace trevalon {

struct ContestoFinestra;

// `Apri`: open dialog of kind "KNO" (knot and Gauss-code files), "GAU" or "TXT"; the chosen path, or ""
// when cancelled or when the file does not exist ("File not found:" and the path).
std::string Apri(ContestoFinestra& f, DialogKind tmpTipoFile);

// The save name proposed for the file last opened: its final extension (in any case) replaced by "_S", the
// step number and the kind's extension, in upper case when the old extension was ("CS1" and "CS2" add "_"
// and the kind after the step; "GAU" ends with ".gau", any other kind with ".txt" and no step); folders are
// left as they are. Empty for an empty name.
std::string propostaSalva(std::string_view nome, DialogKind tipo, int numStato);

// `Salva`: save dialog with the proposed name; the extension of the kind is added to a name typed without
// one (asking before replacing an existing file). "" when cancelled.
std::string Salva(ContestoFinestra& f, DialogKind tmpTipoFile);

// A file read whole: its name and its text.
struct FileLetto {
    std::string nome;
    std::string testo;
};

// The file `nome` (an empty name asks with the open dialog of kind `tipo`) read whole, under the busy
// pointer. Nothing when the dialog was cancelled, or when the file cannot be read (the reason is shown).
std::optional<FileLetto> leggiFileChiesto(ContestoFinestra& f, const std::string& nome, DialogKind tipo);

}  // namespace trevalon
