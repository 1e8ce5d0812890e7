#pragma once
// The Gauss text of a diagram ("1-2+3-1+2-3+": each passage's crossing label followed by the sign of the
// next passage, the sign of passage 1 written last), its check and its reader into the tables.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/model_settings.h"
#include "model/tables.h"
#include "platform/result.h"

namespace trevalon {

// One passage of the strand through a crossing: the crossing's label and the passage's own sign.
struct PassaggioGauss {
    int label = 0;
    char sign = 0;  // '+' over, '-' under
};

// Splits a Gauss text into its passages in travel order. Accepts only one or more pieces of a positive
// decimal label followed by "+" or "-", nothing else; on failure returns nullopt and says why.
std::optional<std::vector<PassaggioGauss>> leggiPassaggiGauss(std::string_view text,
                                                              std::string* why = nullptr);

// The Gauss text of passages in travel order (the inverse of leggiPassaggiGauss).
std::string scriviTestoGauss(const std::vector<PassaggioGauss>& passages);

// Largest crossing count a Gauss code may have: the passage table holds two passages per crossing.
inline constexpr int kMaxIncrociGauss = kMaxCrossingsForMoves;

// The most crossings whose faults a check lists: a code with more faulty crossings says how many there are
// and lists the faults of the first ones.
inline constexpr int kMaxIncrociDifettosiMostrati = 5;

// Checks d.txtNodo and d.TxtOri. On a fault the failure's message is the fault lines found, in order, one
// per line: the text the window shows in one message box. A sound code whose first passage is not at
// crossing 1 has its passages rotated in d.txtNodo so that it is (the knot is unchanged).
// Faults: more passages than two for each of kMaxIncrociGauss crossings, a text that is not labels with
// signs, more than kMaxIncrociGauss crossings, per label 1..n "Error +/- in cross c" (not once over and
// once under) and "Error cross c: k times" (not twice), and over/under letters that are not exactly one
// "O" or "V" per crossing ("error indices in file .GAU"). With more than kMaxIncrociDifettosiMostrati
// faulty crossings, a first line says how many there are and only the faults of the first ones follow.
Status VerificaGau(Diagram& d);

// The fault lines of VerificaGau, without touching any diagram; `rotated` receives the text with
// passage 1 at crossing 1 when the code is sound.
std::vector<std::string> difettiCodiceGauss(std::string_view txtNodo, std::string_view TxtOri,
                                            std::string* rotated = nullptr);

// Reads d.txtNodo into the crossing and arc tables (crossing links, arc ends and signs, labels in
// NomiIncroci where still empty, NumIncroci = largest label, NumArchi = passages), then StampaIncroci.
// Meant for a checked code; a text it cannot read, or one beyond the tables, fails and leaves the counts
// at 0.
Status Deserializza(Diagram& d, const ModelSettings& settings = {});

// Deserializza for the passages of d.txtNodo already read (as leggiPassaggiGauss reads them). Without
// `nomi` no label is written into an empty name, for a caller that empties the names after the build.
Status DeserializzaPassaggi(Diagram& d, const std::vector<PassaggioGauss>& passages,
                            const ModelSettings& settings = {}, bool nomi = true);

}  // namespace trevalon
