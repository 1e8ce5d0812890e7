#pragma once
// What the model's procedures need to know about the program around them: the developer debug switch,
// the folder beside the program where the debug dumps go, and the kind of the current tables.

#include <cstddef>
#include <filesystem>
#include <string>

#include "platform/codes.h"
#include "platform/debug_dump.h"
#include "platform/ports.h"

namespace trevalon {

// Caps of the complete mode of the shortest region paths, where shortest paths can be exponentially many.
// Paths beyond a cap are left out whole: a cam or reg text always holds whole paths, the first path to
// every reached region is always recorded, and a region's first reach is never dropped.
inline constexpr int kMaxCodaCammini = 100000;          // further paths queued per start region
inline constexpr std::size_t kMaxTestoCammini = 65536;  // characters of one cam or reg text

struct ModelSettings {
    bool ModoDebug = false;                // table dumps are written only while this is on
    std::filesystem::path programFolder;   // folder of the dumps (the program's is never used for them)
    StatusPort* status = nullptr;          // where a dump that cannot be written is reported; may be null
    DumpNonScritti* nonScritti = nullptr;  // where it is counted; may be null
    GenMode ModoGen = GenMode::Code;       // what the tables were built from; names the dump files
    int maxCodaCammini = kMaxCodaCammini;
    std::size_t maxTestoCammini = kMaxTestoCammini;
};

// The settings handed to the builder of tables of kind `modo`, which names their dumps ("archi" & ModoGen &
// ".txt"): each builder sets the kind it builds before it builds.
inline ModelSettings conModoGen(ModelSettings settings, GenMode modo) {
    settings.ModoGen = modo;
    return settings;
}

}  // namespace trevalon
