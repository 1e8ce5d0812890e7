#pragma once
// Opening knot files into the main window ("Load Knot"), the open and save dialogs with their proposed
// names, and "Save" of the current step. A Gauss-code file is read, built and drawn into fresh tables;
// only an opening that succeeded replaces the diagram, its history and its name.

#include <string>
#include <string_view>

#include "model/knot_files.h"
#include "platform/codes.h"
#include "platform/result.h"

namespace trevalon {

struct ContestoFinestra;
struct VistaNodo;

// `ApriGen`: opens a knot file (an empty name asks for one): a Gauss-code file with `ApriGau`, a drawn knot
// (a cell drawing "Object=", a knot source "Source=" or a text drawing) with `ApriDis`. "No Fikle Knot"
// for a file of no known kind. True when a diagram was opened.
bool ApriGen(ContestoFinestra& f, VistaNodo& v, const std::string& FilePassato);

// `ApriDis`: opens the drawn knot `nome` whose text and kind the caller has read. Step 0 of kind "I" holds
// the knot's Gauss code, letters and cell drawing; the window shows it with the drawn-knot tiles at the
// drawing zoom. False, with the message shown and nothing changed, when the file cannot be built.
bool ApriDis(ContestoFinestra& f, VistaNodo& v, const std::string& nome, std::string_view testo,
             KnotFileKind tipo);

// `cmdDadisegnoRichiesta` ("Da Disegno" of the developer panel with the empty name): a drawn knot file (an
// empty name asks with the "KNO" dialog). An object file opens as `ApriDis` opens it. A knot source or text
// drawing is walked alone (`CmdDadisegno_azione`): its symbols into the cell table, the arcs, crossings,
// Gauss text and letters from the walk, the drawing shown in black at the drawing zoom, and the tables
// kept as drawn ("D"): no cell drawing is made, and passages and regions wait for "gecare". Step 0 holds
// the walk's code and letters. False, with the message shown and nothing changed, when the file is not a
// drawn knot or does not walk.
bool cmdDadisegnoRichiesta(ContestoFinestra& f, VistaNodo& v, const std::string& tmpNome);

// `ApriGau`: opens a Gauss-code file (an empty name asks with the "GAU" dialog): read, check, build, draw,
// derive the structure, then step 0 of kind "A", caption, commands. Any failure shows its message and leaves
// everything as it was.
bool ApriGau(ContestoFinestra& f, VistaNodo& v, const std::string& tmpNome);

// A Gauss text and its letters opened as the window's new knot at step 0, as a Gauss-code file `nome` is
// (`nome` may be empty: the caption then names no file). Any failure shows its message and leaves
// everything as it was.
bool ApriCodice(ContestoFinestra& f, VistaNodo& v, const CodiceGauss& testo, const std::string& nome);

// `SalvaDatblDis`: writes the current step as a knot file (an empty name asks with the "KNO" dialog): a step
// built from a code as its "GaussCode=" and "Indices=" lines, any other step as "Object=" and its snapshot.
// The file is replaced only by a complete write; a failure shows "The file could not be written: ", the
// path and the system's reason, and leaves the old file as it was.
bool SalvaDatblDis(ContestoFinestra& f, const std::string& FilePassato);

}  // namespace trevalon
