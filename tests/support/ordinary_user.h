#pragma once
// Runs part of a test as an ordinary user, whom a file's permissions bind: as root (the way CI runs) in a
// child process that becomes "nobody", owner of the given paths, and hands its answer back through a pipe;
// as anyone else directly. A write that root may make over a read-only file is refused to such a user.

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace trevalon::testsupport {

inline constexpr uid_t kNobody = 65534;

// What a run as an ordinary user gave: `risposta` is what the action returned; `errore` says why the child
// could not run it (empty when it ran).
struct EsitoUtenteComune {
    std::string risposta;
    std::string errore;
};

// The action's answer, computed as an ordinary user. The paths in `owned` (folders, files, links) are
// given to that user first; a folder must be, for a file to be written in it.
inline EsitoUtenteComune comeUtenteComune(const std::vector<std::filesystem::path>& owned,
                                          const std::function<std::string()>& azione) {
    EsitoUtenteComune out;
    if (::geteuid() != 0) {
        out.risposta = azione();
        return out;
    }
    // A child has only the thread that forked it: a lock another thread held stays held there for good.
    std::error_code ec;
    const auto threads = std::distance(std::filesystem::directory_iterator("/proc/self/task", ec), {});
    if (!ec && threads != 1) {
        out.errore = "the test runs " + std::to_string(threads) + " threads: it cannot fork a child safely";
        return out;
    }
    for (const std::filesystem::path& p : owned)
        if (::lchown(p.c_str(), kNobody, kNobody) != 0) {
            out.errore = "cannot give " + p.string() + " to nobody";
            return out;
        }
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        out.errore = "no pipe";
        return out;
    }
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        out.errore = "no child process";
        return out;
    }
    if (child == 0) {
        ::close(pipeEnds[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(10);
        const std::string risposta = azione();
        std::size_t fatto = 0;
        while (fatto < risposta.size()) {
            const ssize_t n = ::write(pipeEnds[1], risposta.data() + fatto, risposta.size() - fatto);
            if (n <= 0) ::_exit(11);
            fatto += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        out.risposta.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        out.errore = "the child process failed: status " + std::to_string(status);
    return out;
}

// For a test whose process runs threads (a Qt test runs its platform's), which a child cannot carry: the
// whole process acts as the ordinary user while this lives, through its effective user and group (those a
// file's permissions are checked against; the C library changes them in every thread), and as root again
// after. The paths in `owned` are given to that user first. Nothing changes for a user who is not root.
class UtenteComuneQui {
  public:
    explicit UtenteComuneQui(const std::vector<std::filesystem::path>& owned) {
        if (::geteuid() != 0) return;
        for (const std::filesystem::path& p : owned)
            if (::lchown(p.c_str(), kNobody, kNobody) != 0) {
                errore_ = "cannot give " + p.string() + " to nobody";
                return;
            }
        gruppi_.resize(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
        if (::getgroups(static_cast<int>(gruppi_.size()), gruppi_.data()) < 0 ||
            ::setgroups(0, nullptr) != 0 || ::setegid(kNobody) != 0 || ::seteuid(kNobody) != 0) {
            errore_ = "cannot act as nobody";
            ripristina();
            return;
        }
        attivo_ = true;
    }
    UtenteComuneQui(const UtenteComuneQui&) = delete;
    UtenteComuneQui& operator=(const UtenteComuneQui&) = delete;
    ~UtenteComuneQui() {
        if (attivo_) ripristina();
    }
    // Why the process could not act as the ordinary user; empty when it does.
    const std::string& errore() const { return errore_; }

  private:
    void ripristina() {
        // Root again first: only root may give the groups back.
        if (::seteuid(0) != 0 || ::setegid(0) != 0 || ::setgroups(gruppi_.size(), gruppi_.data()) != 0)
            std::abort();
    }
    std::vector<gid_t> gruppi_;
    std::string errore_;
    bool attivo_ = false;
};

}  // namespace trevalon::testsupport
