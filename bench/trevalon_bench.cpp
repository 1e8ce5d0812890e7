// trevalon-bench: a small harness for timing the engine on knot files, one sub-command per task.

#include <cstring>
#include <exception>
#include <iostream>

#include "harness_commands.h"
#include "platform/safe_file.h"

namespace {

void usage() {
    std::cerr << "usage: trevalon-bench COMMAND ARGS...\n";
    for (const auto& c : trevalon::bench::kHarnessCommands)
        std::cerr << "  trevalon-bench " << c.usage << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    // A file-size limit makes a write fail with a message instead of ending the harness.
    trevalon::ignoraLimiteDimensioneFile();
    if (argc < 2) {
        usage();
        return 2;
    }
    for (const auto& c : trevalon::bench::kHarnessCommands) {
        if (std::strcmp(argv[1], c.name) != 0) continue;
        try {
            return c.run(std::vector<std::string>(argv + 2, argv + argc));
        } catch (const std::exception& e) {
            std::cerr << "trevalon-bench: " << e.what() << '\n';
            return 1;
        }
    }
    usage();
    return 2;
}
