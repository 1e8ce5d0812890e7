// trevalon-bench: a small harness for timing the engine on knot files, one sub-command per task.

#include <cstring>
#include <exception>
#include <iostream>
#include <ostream>

#include "harness_commands.h"
#include "mainwindow/program_context.h"
#include "platform/safe_file.h"

namespace {

void usage(std::ostream& out) {
    out << "usage: trevalon-bench COMMAND ARGS...\n";
    for (const auto& c : trevalon::bench::kHarnessCommands) out << "  trevalon-bench " << c.usage << '\n';
}

// The usage, and what "run --debug DIR" writes into DIR: the dumps of a complete run, by file name.
void help() {
    usage(std::cout);
    std::cout << "\nrun --debug DIR writes into DIR, as the program's --debug does: "
              << trevalon::kDumpTabelle << "; " << trevalon::kDumpRicerche << "; and "
              << trevalon::kDumpInstradamento
              << ". A dump that cannot be written is counted on the error output and makes the status 1.\n";
}

}  // namespace

int main(int argc, char** argv) {
    // A file-size limit makes a write fail with a message instead of ending the harness.
    trevalon::ignoraLimiteDimensioneFile();
    if (argc < 2) {
        usage(std::cerr);
        return 2;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        help();
        return 0;
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
    usage(std::cerr);
    return 2;
}
