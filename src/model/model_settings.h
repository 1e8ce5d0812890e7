#pragma once
// What the model's procedures need to know about the program around them: the developer debug switch,
// the folder beside the program where the debug dumps go, and the kind of the current tables.

#include <filesystem>
#include <string>

namespace trevalon {

struct ModelSettings {
    bool ModoDebug = false;               // table dumps are written only while this is on
    std::filesystem::path programFolder;  // folder of the dumps; the working folder when empty
    std::string ModoGen = "A";            // "A" from a code, "I" from the cell drawing, "D" from a drawing
};

}  // namespace trevalon
