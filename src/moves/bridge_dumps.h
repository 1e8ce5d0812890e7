#pragma once
// The debug dumps of the move III search: the bridges it lists and the candidate it shows.

#include <string>
#include <vector>

#include "model/tables.h"
#include "platform/debug_dump.h"

namespace trevalon {

// "ponti" & X & ".txt", X "P" for the under-bridges (ab1 "+") and "A" for the over-bridges: the bridges
// of the kind that the search lists (or the mixed search's strands), each given by its arcs, one line
// each, every arc of it as "arc/from-to" with the names of its end crossings and four blanks.
void scriviPonti(const Diagram& d, char ab1, const std::vector<std::vector<int>>& ponti,
                 const DumpFolder& dump);

// "ponteok.txt": the bridge of the candidate shown, one "arc-from-to" line per arc.
void scriviPonteOk(const Diagram& d, const std::vector<int>& archiPonte, const DumpFolder& dump);

// The lines of the two dumps.
std::vector<std::string> righePonti(const Diagram& d, const std::vector<std::vector<int>>& ponti);
std::vector<std::string> righePonteOk(const Diagram& d, const std::vector<int>& archiPonte);

}  // namespace trevalon
