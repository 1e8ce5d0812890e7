#pragma once
// The developer's debug dumps: text files that show what a search, a route or a redraw did, each written
// whole into the dumps folder while the debug switch is on. The switch is off when no folder is given, and
// then a caller builds no text at all. A dump that cannot be written is reported in the status bar, counted
// for the run of the program, and stops nothing: the work it describes goes on.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ports.h"

namespace trevalon {

// The dumps of one run of the program that could not be written, shared by all its windows: each failure
// only flashes by in the status bar, the next text replaces it, so the count is what is said at the end.
struct DumpNonScritti {
    std::size_t quanti = 0;
    std::string ultimo;  // the last failure: the path, ": " and the reason
    bool detto = false;  // the message of riferisciDumpNonScritti has been shown
};

struct DumpFolder {
    std::filesystem::path folder;          // empty: the debug switch is off, nothing is written
    StatusPort* status = nullptr;          // where a dump that cannot be written is reported; may be null
    DumpNonScritti* nonScritti = nullptr;  // where it is counted; may be null

    bool active() const { return !folder.empty(); }
};

// The status text of a dump that could not be written: this, the path, ": " and the reason.
inline constexpr std::string_view kDumpNonScritto = "Debug dump not written: ";

// Replaces folder/name with text through the atomic writer. False, with the reason in the status panel
// "p2", when it cannot; nothing at all, and true, while the dump folder is not active.
bool writeDump(const DumpFolder& dump, const std::string& name, std::string_view text);
// The same, one line per item, each ended by a line break.
bool writeDumpLines(const DumpFolder& dump, const std::string& name, const std::vector<std::string>& lines);
// A dump written by another writer that failed, reported as writeDump reports its own failures.
void reportDumpFailure(const DumpFolder& dump, const std::filesystem::path& path, const std::string& reason);

// "N debug dumps were not written; the last: <path>: <reason>" for the failures counted after the first
// `prima`; empty when there were none.
std::string testoDumpNonScritti(const DumpNonScritti& n, std::size_t prima);

// Said at the end of a piece of work in which dumps failed (more than `prima` counted): the count in the
// status panel "p2", where it stays, and the first time in the run of the program a message as well.
// False when nothing failed.
bool riferisciDumpNonScritti(DumpNonScritti& n, std::size_t prima, StatusPort& status, MessagePort& messaggi);

}  // namespace trevalon
