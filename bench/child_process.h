#pragma once
// A benchmark case run in a child process of its own, so that its peak memory is its own: the child writes
// its result line into a pipe, which the parent reads.

#include <sys/types.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <functional>
#include <string>

namespace trevalon::bench {

struct Figlio {
    pid_t pid = -1;
    int uscita = -1;  // the read end of the child's pipe; -1 when the child could not be started
};

// Forks a child that runs `caso` with the write end of a pipe and exits with what it returns; an exception
// is written into the pipe as "error\t<what>". The caller reads the returned end, closes it and waits for
// the child.
inline Figlio avviaInFiglio(const std::function<int(int)>& caso) {
    int tubo[2];
    if (::pipe(tubo) != 0) return {};
    std::fflush(stdout);
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(tubo[0]);
        ::close(tubo[1]);
        return {};
    }
    if (pid == 0) {
        ::close(tubo[0]);
        int rc = 1;
        try {
            rc = caso(tubo[1]);
        } catch (const std::exception& ex) {
            const std::string riga = std::string("error\t") + ex.what() + "\n";
            (void)!::write(tubo[1], riga.data(), riga.size());
        }
        ::_exit(rc);
    }
    ::close(tubo[1]);
    return {pid, tubo[0]};
}

}  // namespace trevalon::bench
