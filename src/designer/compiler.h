#pragma once
// `Compila`: the designer's drawing into a knot file the main window opens. The drawing is checked (and
// thinned), built into fresh tables exactly as the main window builds a knot source, and its cell drawing
// written as a knot file of the "Object=" kind, which is read back and built again before anything is
// written; then the knot source and the knot file are written and the picture the design is shown over
// copied beside the source (`CopiaImg`) under the source's base name, where the main window's picture box
// finds it.
//
// A refused drawing writes nothing. A drawing that passes the check but cannot be built, or whose knot
// file would not open, writes nothing either and says "Compilation failed" with the reason; so does a knot
// source or a knot file that cannot be replaced (read-only, or a symbolic link at the knot file's name,
// which the program made). A picture that cannot be copied leaves the knot file written, and the message
// says so instead of "End of compilation".

#include <filesystem>
#include <string>
#include <vector>

#include "celldraw/built_knot.h"
#include "designer/picture_file.h"
#include "designer/source_check.h"
#include "designer/source_file.h"
#include "platform/result.h"

namespace trevalon {

inline constexpr const char* kFineCompilazione = "End of compilation";
inline constexpr const char* kCompilazioneFallita = "Compilation failed";

struct EsitoCompila {
    bool ok = false;
    // kFineCompilazione; the check's message (kMessaggioErrori, or why too few crossings); or
    // kCompilazioneFallita, ": " and the reason.
    std::string messaggio;
    EsitoControllo controllo;   // the check, with the cells to paint red when it refused the drawing
    std::string testoSorgente;  // the knot source of the (thinned) drawing
    std::string testoNodo;      // the knot file: "Object=" and the cell drawing's snapshot
    NodoCostruito nodo;         // the compiled knot, built as the main window builds its source
    std::filesystem::path fileNodo;
    std::filesystem::path fileImmagine;  // the picture's copy beside the source; empty when none was made
    std::vector<std::string> avvisi;  // what went wrong without stopping the compilation (the picture copy)
};

// The check and the build, in memory: nothing is written. messaggio is empty on success.
EsitoCompila compilaDisegno(DisegnoProgetto& d);

// The knot file's name: the source's final extension replaced, without regard to case, by ".kno" (".KNO"
// when the extension was written in capitals); a name without extension gets ".kno". Folders keep their
// names. Refused when the name would be the source's own (a source named ".kno").
Result<std::filesystem::path> nomeFileNodo(const std::filesystem::path& sorgente);

// The text of a compilation that wrote the knot file but could not copy the picture: this and the reason.
inline constexpr const char* kFineSenzaImmagine = "The knot file was written. ";

// Writes a compilation that passed compilaDisegno: the knot source into `FileSorgente`, the knot file
// beside it, then the copy of `immagine`, the picture found and shown for the design (empty for none). The
// source and the knot file are both checked before either is written: a refusal writes neither.
void scriviCompilazione(EsitoCompila& e, const std::filesystem::path& FileSorgente,
                        const std::filesystem::path& immagine);

// The whole compilation: compilaDisegno, then scriviCompilazione.
EsitoCompila Compila(DisegnoProgetto& d, const std::filesystem::path& FileSorgente,
                     const std::filesystem::path& immagine);

}  // namespace trevalon
