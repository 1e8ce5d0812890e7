#pragma once
// The cores this process may run on: the machine's, or fewer when the process is bound to some of them
// (taskset, a container's CPU set). Work split over threads asks this, not the machine's count: threads
// beyond the cores the process has only take turns on them.

#include <algorithm>
#include <thread>

#if defined(__linux__)
#include <sched.h>
#endif

namespace trevalon {

inline unsigned nucleiDisponibili() {
    const unsigned macchina = std::thread::hardware_concurrency();
#if defined(__linux__)
    cpu_set_t insieme;
    CPU_ZERO(&insieme);
    if (sched_getaffinity(0, sizeof insieme, &insieme) == 0) {
        const auto propri = static_cast<unsigned>(CPU_COUNT(&insieme));
        if (propri > 0) return macchina > 0 ? std::min(macchina, propri) : propri;
    }
#endif
    return macchina;
}

}  // namespace trevalon
