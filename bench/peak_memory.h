#pragma once
// The peak resident memory of the benchmark's process, which the benchmarks report beside their times.

#include <fstream>
#include <string>

namespace trevalon::bench {

// Peak resident memory of the process in MiB (VmHWM), 0 when unknown.
inline double picoMemoriaMiB() {
    std::ifstream in("/proc/self/status");
    std::string key;
    while (in >> key) {
        if (key == "VmHWM:") {
            double kb = 0;
            in >> kb;
            return kb / 1024.0;
        }
        std::string rest;
        std::getline(in, rest);
    }
    return 0;
}

}  // namespace trevalon::bench
