#pragma once
// The peak resident memory of the benchmark's process, which the benchmarks report beside their times.

#include <fstream>
#include <string>

namespace trevalon::bench {

// A memory line of the process's status ("VmHWM:", "VmRSS:") in MiB, 0 when unknown.
inline double rigaMemoriaMiB(const std::string& chiave) {
    std::ifstream in("/proc/self/status");
    std::string key;
    while (in >> key) {
        if (key == chiave) {
            double kb = 0;
            in >> kb;
            return kb / 1024.0;
        }
        std::string rest;
        std::getline(in, rest);
    }
    return 0;
}

// Peak resident memory of the process in MiB (VmHWM), 0 when unknown.
inline double picoMemoriaMiB() {
    return rigaMemoriaMiB("VmHWM:");
}

// Resident memory of the process now, in MiB (VmRSS), 0 when unknown.
inline double memoriaResidenteMiB() {
    return rigaMemoriaMiB("VmRSS:");
}

}  // namespace trevalon::bench
