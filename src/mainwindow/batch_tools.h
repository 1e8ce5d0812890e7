#pragma once
// The developer's batch tools over the catalogue of named knots: the over/under letters that lay an
// entry's Gauss code out as the entry's own knot, the expansion of entries by horizontal moves into a
// listing of the diagrams they reach, and the listings of diagrams that two entries (or two listings)
// share. The tools work on texts and return texts; the developer panel asks for the files and writes them.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/catalogue.h"
#include "moves/bridge_driver.h"
#include "platform/result.h"

namespace trevalon {

// A long tool's stop and progress: `fermare` is asked once per diagram (the panel serves the window's
// events there and reads the stop request); `avanza` hears how many diagrams are done.
struct ControlloLavoro {
    std::function<bool()> fermare;
    std::function<void(long)> avanza;
    bool richiestoStop() const { return fermare && fermare(); }
};

// The message of a tool the person stopped.
inline constexpr const char* kLavoroFermato = "stopped";

// ---- Over/under letters (generaOri) ----

// Largest crossing count whose 2^n masks of letters are tried.
inline constexpr int kMaxIncrociOri = 16;

// The letters of a mask: letter k + 1 is "O" when bit k is set, "V" when it is clear.
std::string lettereDaMaschera(std::uint32_t maschera, int n);

// The Kauffman bracket of the diagram normalised by its writhe, (-A^3)^(-w) <D>, as exponent of A ->
// coefficient. Unchanged by every Reidemeister move, and changed (A -> 1/A) by a mirror reflection, so it
// tells a knot from its mirror image where the two differ. nullopt for an unreadable code or letters, or
// more than kMaxIncrociOri crossings.
std::optional<std::map<int, std::int64_t>> bracketNormalizzato(std::string_view txtNodo,
                                                               std::string_view TxtOri);

struct EsitoOri {
    // The entry as its first relabelling reads it (crossings numbered by first appearance from passage
    // 1), with the letters kept.
    VoceCatalogo voce;
    bool trovata = false;  // some mask lays the code out
    // The entry's own letters lay its code out, so its knot is known and the letters kept give that knot.
    // Otherwise the first mask that lays out was kept, and its mirror image would have done as well.
    bool nodoNoto = false;
};

// generaOri for one entry: every mask of letters for its code, in order, each laid out by the full build;
// kept is the first that lays out as the entry's own knot (the same normalised bracket as the entry's own
// letters give). Refused: an unreadable code, more than kMaxIncrociOri crossings, a stop (kLavoroFermato).
Result<EsitoOri> generaOri(const VoceCatalogo& voce, const ControlloLavoro& controllo = {});

// ---- Expansion by horizontal moves (GeneratblListaUg) ----

struct LimitiEspansione {
    long maxDiagrammi = kMaxListaUg;  // diagrams listed after the entry itself
    int maxProfondita = kMaxProfondita;
    LimitiPonte ponte;  // the route caps of the horizontal-move search
};

struct EsitoEspansione {
    // The tree of diagrams reached: record 0 is the entry, every other record a horizontal move away from
    // its IndicePadre. No two records are the same diagram (by the canonical form of their codes).
    std::vector<NodoLista> diagrammi;
    std::string limite;     // the limit that cut the listing short, or empty
    bool troncato = false;  // some route list was cut at the search's caps: diagrams may be missing
};

// The entry's diagram expanded breadth-first by horizontal moves (over- and under-bridges) until no new
// diagram is reached or a limit is met. Refused: an entry whose code cannot be built, and a stop
// (kLavoroFermato), which keeps nothing.
Result<EsitoEspansione> GeneratblListaUg(const VoceCatalogo& voce, const LimitiEspansione& limiti = {},
                                         const ControlloLavoro& controllo = {});

// The listing's lines: for record k (from 1, the entry itself), name "_" k "_" parent (0 for the entry)
// "|" code "|" letters.
std::string righeListato(const std::string& nome, const EsitoEspansione& e);

// The knot's name of a listing line's label: the label without its "_k_parent" ending, as a view into it.
std::string_view nomeDaEtichetta(std::string_view etichetta);

// A listing's or catalogue's lines read back: leggiListato (model/catalogue.h), with no limit of lines.

// CaricaTabellaStack: a catalogue from pairs of lines (Gauss code, then letters); pair n (from 0) becomes
// the entry named n. At most kMaxVociCatalogo pairs are read; a code without its letters, or a line longer
// than kMaxRigaCatalogo, refuses the text, naming the line.
Result<std::vector<VoceCatalogo>> CaricaTabellaStack(std::string_view testo);

// CodMioDaGauss: lines of labels separated by "," ("1, -2, 3, -1, 2, -3": a label alone is over, "-"
// under) into catalogue lines "n001|1-2+3-1+2-3+|OOO", one letter "O" per crossing. A line that is not a
// Gauss code, or longer than kMaxRigaCatalogo, refuses the text, naming the line.
Result<std::string> CodMioDaGauss(std::string_view testo);

// ---- Diagrams met twice ----

// One line as the duplicate tools read it: where it comes from (a knot's name, a listing file), its label
// and texts, as views into the text or entries it was read from.
struct RigaConfronto {
    std::string_view origine;
    VoceVista voce;
};

// The lines the duplicate tools compare, given one at a time by their number (0 up) from where they lie,
// so that the tools hold no copy of them: beside the texts read, a search holds for each line its key
// (about a byte a passage), the key's end, hash and place in the order of the keys (some 20 bytes), and the
// groups it finds 8 bytes for each line in them.
struct RigheConfronto {
    std::size_t numero = 0;
    std::function<RigaConfronto(std::size_t)> riga;
};

// A listing's lines, each from the knot its label names (nomeDaEtichetta).
RigheConfronto righeDiListato(const Listato& listato);
// A catalogue's entries, each from the knot its name names (nomeDaEtichetta).
RigheConfronto righeDiCatalogo(const std::vector<VoceCatalogo>& catalogo);
// Listings (name, lines), one after the other, each line from its listing's name.
using ListatoNominato = std::pair<std::string, Listato>;
RigheConfronto righeDiListati(const std::vector<ListatoNominato>& listati);

// Lines whose codes are the same (equal canonical forms, as the horizontal search tells diagrams apart,
// letters not compared), or the same once every sign is exchanged (over for under: with its letters, the
// mirror image of the diagram or the knot drawn otherwise), coming from more than one origin.
struct GruppoDoppi {
    struct Riga {
        std::uint32_t indice = 0;  // the line's number among the lines searched
        bool specchio = false;     // its code is the first line's with every sign exchanged
    };
    std::vector<Riga> righe;  // in the order of the lines
};

// CercaDoppi: the groups, in the order of their first lines; lines of one origin alone are never a group.
// Refused: a line whose code cannot be read (named by its label), and more than 2^32 - 1 lines.
Result<std::vector<GruppoDoppi>> CercaDoppi(const RigheConfronto& righe);

// The groups of these lines as text: "* " and the canonical form of the group's first code, then each line
// as "= label|code|letters (origin)", with "~" instead of "=" for a code with its signs exchanged. With
// maxRighe, the text stops after that many lines.
std::string testoDoppi(const std::vector<GruppoDoppi>& gruppi, const RigheConfronto& righe,
                       std::size_t maxRighe = static_cast<std::size_t>(-1));

// VerificaGaussUguale: the entries of a catalogue that share a code (or its code with the signs
// exchanged) under different names; the lines are righeDiCatalogo(catalogo).
Result<std::vector<GruppoDoppi>> VerificaGaussUguale(const std::vector<VoceCatalogo>& catalogo);

// VerificaGaussUgualesoloconfr: the listings merged, and the diagrams that more than one of them holds; the
// lines are righeDiListati(listati).
Result<std::vector<GruppoDoppi>> VerificaGaussUgualesoloconfr(const std::vector<ListatoNominato>& listati);

// The most bytes the text of a comparison of listings may take.
inline constexpr std::size_t kMaxTestoConfronto = std::size_t{64} * 1024 * 1024;

// ConfrontoFraduenodi: every two listings compared; for each pair that shares a diagram a line
// "== first - second" and its groups. Empty when no two listings share a diagram. Each line's key is made
// once, whatever the number of listings. Refused: a line whose code cannot be read (named by its listing
// and label), a text that would pass maxTesto bytes (named by the pair where it would), a stop.
Result<std::string> ConfrontoFraduenodi(const std::vector<ListatoNominato>& listati,
                                        const ControlloLavoro& controllo = {},
                                        std::size_t maxTesto = kMaxTestoConfronto);

}  // namespace trevalon
