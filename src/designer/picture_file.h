#pragma once
// The picture a design is drawn over: where the name a knot source gives it is looked for, how it is read,
// and what counts as a picture. The window decodes the bytes for display; the compiler copies only a
// picture that was found here and decoded, never whatever file the source happens to name.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace trevalon {

// The kinds of picture a design is drawn over, told by their first bytes.
enum class FormatoImmagine { Nessuno, Gif, Jpeg, Png, Bmp };

FormatoImmagine formatoImmagine(std::string_view bytes);

// The largest picture read.
inline constexpr std::uintmax_t kMaxImmagineBytes = std::uintmax_t{256} * 1024 * 1024;

// Where a picture name is looked for, in order: the name itself, a relative name taken from
// `cartellaSorgente` (the folder of the knot source that names it; the working folder when there is no
// source); then, for a source carried to another folder with its picture, `cartellaSorgente` with the
// name's last part. No place is listed twice.
std::vector<std::filesystem::path> candidatiImmagine(const std::string& nome,
                                                     const std::filesystem::path& cartellaSorgente);

struct ImmagineTrovata {
    std::filesystem::path percorso;  // the first place that holds a picture; empty when none does
    std::string bytes;               // its contents
    std::string motivo;              // when none does: why the first place was refused
};

// The picture named `nome`, from the first of its places (candidatiImmagine) that is a regular file of at
// most kMaxImmagineBytes whose bytes are a picture of a known kind and, when `decodifica` is given, that
// it decodes. A file is never opened in a way that waits: a FIFO or a device is refused unread.
ImmagineTrovata cercaImmagine(const std::string& nome, const std::filesystem::path& cartellaSorgente,
                              const std::function<bool(const std::string& bytes)>& decodifica = {});

// "The picture ... could not be loaded: <motivo>; the drawing goes on without it.", the name quoted short.
std::string messaggioImmagineNonCaricata(const std::string& nome, const std::string& motivo);

// Where `CopiaImg` puts a picture of kind `formato`: the source's folder and base name, with the picture's
// own final extension when it is one of its kind's (".jpg", ".jpeg", ".JPG", ...), else its kind's.
std::filesystem::path destinazioneImmagine(const std::filesystem::path& sorgente,
                                           const std::filesystem::path& immagine, FormatoImmagine formato);

// `CopiaImg`: copies the picture `immagine` (the one found and shown for the design; empty for none) beside
// `FileSorgente` (destinazioneImmagine), replacing what is there only by a complete copy. Nothing is done
// for no picture or when the target is the picture itself. Refused with the reason, and nothing written:
// a picture that is no longer a regular readable picture, a target that is the source, a target that is
// there but is not a picture, and a symbolic link at the target (the name is of the program's making: it
// is never followed). `copiata` receives the target of a copy made.
// Returns the warning, empty when all went well.
std::string CopiaImg(const std::filesystem::path& immagine, const std::filesystem::path& FileSorgente,
                     std::filesystem::path* copiata = nullptr);

}  // namespace trevalon
