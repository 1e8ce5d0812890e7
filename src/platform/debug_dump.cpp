#include "platform/debug_dump.h"

#include <exception>

#include "platform/safe_file.h"

namespace trevalon {

bool writeDump(const DumpFolder& dump, const std::string& name, std::string_view text) {
    if (!dump.active()) return true;
    const std::filesystem::path path = dump.folder / name;
    std::string why;
    try {
        if (Status ok = replaceFileContents(path, text); !ok) why = ok.error();
    } catch (const std::exception& e) {
        why = e.what();  // a path the system refuses outright, or memory
    }
    if (why.empty()) return true;
    reportDumpFailure(dump, path, why);
    return false;
}

bool writeDumpLines(const DumpFolder& dump, const std::string& name, const std::vector<std::string>& lines) {
    if (!dump.active()) return true;
    std::string text;
    for (const std::string& line : lines) text.append(line).append(1, '\n');
    return writeDump(dump, name, text);
}

void reportDumpFailure(const DumpFolder& dump, const std::filesystem::path& path, const std::string& reason) {
    if (dump.nonScritti) {
        ++dump.nonScritti->quanti;
        dump.nonScritti->ultimo = path.string() + ": " + reason;
    }
    if (dump.status)
        dump.status->setPanel("p2", std::string(kDumpNonScritto) + path.string() + ": " + reason);
}

std::string testoDumpNonScritti(const DumpNonScritti& n, std::size_t prima) {
    if (n.quanti <= prima) return {};
    const std::size_t quanti = n.quanti - prima;
    return std::to_string(quanti) + (quanti == 1 ? " debug dump was" : " debug dumps were") +
           " not written; the last: " + n.ultimo;
}

bool riferisciDumpNonScritti(DumpNonScritti& n, std::size_t prima, StatusPort& status,
                             MessagePort& messaggi) {
    const std::string testo = testoDumpNonScritti(n, prima);
    if (testo.empty()) return false;
    status.setPanel("p2", testo);
    if (!n.detto) {
        n.detto = true;
        messaggi.showMessage(testo + "\n\nThe work goes on without them.");
    }
    return true;
}

}  // namespace trevalon
