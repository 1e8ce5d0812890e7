#pragma once
// The sub-commands of the trevalon-bench harness. A new sub-command is one function here and one line in
// kHarnessCommands.

#include <string>
#include <vector>

#include "harness_build.h"

namespace trevalon::bench {

struct HarnessCommand {
    const char* name;
    const char* usage;
    int (*run)(const std::vector<std::string>& args);
};

// structure FILE|FOLDER...: per Gauss-code knot file, a tab-separated line of the file name, crossings,
// arcs, passages, regions and the microseconds of check, tables, passages, regions and all shortest paths;
// or the file name, "error" and the message.
int comandoStructure(const std::vector<std::string>& args);

// run FILE... [--steps] [--debug DIR]: the complete automatic simplification of each Gauss-code knot file;
// a tab-separated line of the file name, crossings before and after, steps, seconds, and the final Gauss
// code and indices as a .gau file writes them; or the file name, "error" and the message. --steps also
// prints every step of the history; --debug runs with the debug switch on and writes the debug dumps into
// the folder DIR (dumps that cannot be written are counted on the error output and make the status 1).
int comandoRun(const std::vector<std::string>& args);

// redraw [--each] [--kind KIND] FILE|FOLDER...: each knot file of any kind is opened as the program opens it,
// and every candidate of moves I, II, III and horizontal III is redrawn on the cell drawing from it, checked,
// walked and compared with the rewrite of its code. Per file and kind a tab-separated line of the file, the
// kind
// ("I", "II", "III", "horizontal III"), the candidates, those redrawn and checked, those that fell back
// (the others the window applies through their code without a redraw) and the mean milliseconds of one
// redraw; or the file, "error" and the message. --each also gives a line per candidate tried, before its
// kind's line: the file, the kind, the candidate's index, "redrawn" or "fell back", a digest of the redrawn
// drawing (zero when it fell back) and why it fell back, so that two builds can be compared. --kind tries
// only the candidates of that kind.
int comandoRedraw(const std::vector<std::string>& args);

// compile FILE.kns... [--write]: each knot source of the knot designer checked and compiled in memory; a
// tab-separated line of the file, its crossings and the compiled knot's Gauss code and indices as a .gau
// file writes them; or the file, "error" and the checker's or compiler's message. --write also writes what
// the designer's "Make .KNO" writes (the thinned source over FILE, the knot file beside it, the copy of the
// source's picture, taken only when the designer's own decoder decodes it: none in a build without Qt) and
// prints below the line "  knot file", "  picture" (the copy, or why the picture was not loaded) and
// "  warning" (a copy refused) lines; a refused copy makes the exit status 1.
int comandoCompile(const std::vector<std::string>& args);

// sums FILE...: each knot file opened as the program opens it and split at every connected sum the search
// can prove, each piece simplified by the complete run and searched again where it came down; a piece the
// complete run brings down to the trivial knot is no summand. When the diagram as given has no such sum,
// the complete run is made on it first. A tab-separated line of the file, its crossings, the number of
// prime summands, the seconds, each prime summand's Gauss code and indices as a .gau file writes them, then
// "unknot pieces: N" (the pieces left out) and "searched as given" or "searched after the complete run";
// or the file, "error" and the message.
int comandoSums(const std::vector<std::string>& args);

inline const HarnessCommand kHarnessCommands[] = {
    {"structure", "structure FILE|FOLDER...", comandoStructure},
    {"run", "run FILE... [--steps] [--debug DIR]", comandoRun},
    {"build", "build FILE|FOLDER...", comandoBuild},
    {"redraw", "redraw [--each] [--kind KIND] FILE|FOLDER...", comandoRedraw},
    {"compile", "compile FILE.kns... [--write]", comandoCompile},
    {"sums", "sums FILE...", comandoSums},
};

}  // namespace trevalon::bench
