#pragma once
// Text dumps of the tables beside the program, for inspection; written only while the debug switch is on.
// StampaIncroci also copies the over/under letters into the crossings, whatever the switch.

#include <filesystem>
#include <string>
#include <vector>

#include "model/model_settings.h"
#include "model/tables.h"

namespace trevalon {

// "archi" & ModoGen & ".txt": one line per arc.
void StampaArchi(const Diagram& d, const ModelSettings& settings);

// Always: Ori of crossing i := letter i of TxtOri (none when the text is shorter), Posto := 0.
// Then "incroci" & ModoGen & ".txt": one line per crossing.
void StampaIncroci(Diagram& d, const ModelSettings& settings);

// "regioni.txt": every stored path of the region graph.
void StampaRegioni(const Diagram& d, const ModelSettings& settings);

// "gemelli.txt": one line per passage.
void StampaGemelli(const Diagram& d, const ModelSettings& settings);

// The Gauss reader's own arc dump "archi.txt" ("1 1+ 2-").
void StampaArchiGauss(const Diagram& d, const ModelSettings& settings);

// A numbered list of texts ("index code" per line), as the region walk dumps its face codes.
void StampaListaNumerata(const std::vector<std::string>& items, int count, const std::string& fileName,
                         const ModelSettings& settings);

// The lines of each dump, for tests and for the writers above.
std::string rigaArco(const Diagram& d, int a);
std::string rigaIncrocio(const Diagram& d, int i);
std::string rigaGemello(const Diagram& d, int i);
std::vector<std::string> righeRegioni(const Diagram& d);

}  // namespace trevalon
