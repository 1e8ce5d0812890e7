// The complete run on closures of torus braids (s1 s2 .. s(k-1))^m: diagrams where no move simplifies and
// the horizontal search explores its whole tree before it can say so. Each case runs in a child process of
// its own, so that its peak resident memory is its own; a case still running at the time limit is stopped
// and reported as such.
//
// usage: torus_bench [--long] [--steps] [--limit SECONDS] [STRANDS:POWER ...]
//   --long    adds the long cases (s1s2s3s4)^9 and (s1s2)^20 to the default ones
//   --steps   prints each step of the run's step list as `trevalon-bench run --steps` does
//   --limit   seconds a case may run (default 600)
//
// One line per case: the braid, crossings before and after, steps, seconds of the run (opening the file
// not included), peak resident MiB of the case's process (VmHWM), its user CPU seconds, a hash of the step
// list, so that two builds can be compared for the same steps, and the horizontal search's last report
// (records filed and depth reached, twice, and why the tree stopped growing).

#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cinttypes>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "mainwindow/complete_run.h"
#include "mainwindow/form2.h"
#include "mainwindow/move_window.h"
#include "mainwindow/open_knot.h"
#include "model/knot_files.h"
#include "model/structure.h"
#include "open_without_layout.h"
#include "platform/headless_ui.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"

namespace {

using trevalon::bench::senzaDisegno;
using namespace trevalon;
namespace ts = trevalon::testsupport;
namespace fs = std::filesystem;

struct Caso {
    int strands = 3;
    int potenza = 10;
    std::string nome() const {
        std::string s = "(";
        for (int i = 1; i < strands; ++i) s += "s" + std::to_string(i);
        return s + ")^" + std::to_string(potenza);
    }
};

std::uint64_t fnv1a(const std::string& s, std::uint64_t h = 14695981039346656037ull) {
    for (unsigned char c : s) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

fs::path fileCaso(const Caso& c) {
    ts::BraidWord parola;
    for (int k = 0; k < c.potenza; ++k)
        for (int i = 1; i < c.strands; ++i) parola.push_back(i);
    const ts::GaussDiagram g = ts::braidClosure(c.strands, parola);
    const fs::path p =
        fs::temp_directory_path() / ("trevalon_torus_" + std::to_string(::getpid()) + "_" +
                                     std::to_string(c.strands) + "_" + std::to_string(c.potenza) + ".gau");
    std::ofstream(p, std::ios::binary) << testoFileGaussCode(ts::gaussText(g), ts::lettersText(g));
    return p;
}

// Remembers the horizontal search's last report, which later panels overwrite.
struct UiBench : ScriptedUi {
    std::string rapporto;
    void setPanel(const std::string& key, const std::string& text) override {
        if (key == "p2" && text.find('/') != std::string::npos) rapporto = text;
        ScriptedUi::setPanel(key, text);
    }
};

// The child's work: one complete run; its result line goes to `out`.
int eseguiCaso(const Caso& c, bool passi, int out) {
    const fs::path file = fileCaso(c);
    ProgramContext ctx;
    UiBench ui;
    auto form = std::make_unique<Form2>(ctx, ui);
    form->Form_Load();
    form->Form_Activate();
    const bool aperto = ApriGau(*form, file.string()) || senzaDisegno(*form, file);
    std::error_code ec;
    fs::remove(file, ec);
    std::string riga;
    if (!aperto) {
        riga = "error\t" + (ui.messages.empty() ? std::string("cannot open") : ui.messages.back()) + "\n";
        (void)!::write(out, riga.data(), riga.size());
        return 1;
    }
    FinestraForm2 w(*form);
    const std::size_t messaggiPrima = ui.messages.size();
    const EsitoCorsa e = AzioneCompleta(*form, w, nullptr);
    std::string lista;
    for (int i = 0; i <= e.ultimoPasso; ++i) {
        const Stato& s = form->doc.storia.passo(i);
        lista += "  step " + std::to_string(i) + "\t" + std::to_string(s.Ori.size()) + "\t" +
                 valoreGaussCode(s.Codice) + "\t" + valoreIndices(s.Ori) + "\n";
    }
    for (std::size_t k = messaggiPrima; k < ui.messages.size(); ++k)
        lista += "  message\t" + ui.messages[k] + "\n";
    char buf[160];
    std::snprintf(buf, sizeof buf, "%d\t%d\t%d\t%.3f\t", e.incrociPrima, e.incrociDopo,
                  e.ultimoPasso - e.passoIniziale, e.secondi);
    char hash[32];
    std::snprintf(hash, sizeof hash, "%016" PRIx64, fnv1a(lista));
    // The horizontal search's last panel: records filed / depth, and why it stopped.
    riga = std::string(buf) + "@MEM@\t" + hash + "\t" + ui.rapporto + "\n";
    if (passi) riga += lista;
    (void)!::write(out, riga.data(), riga.size());
    return 0;
}

// Runs the case in a child and prints its line.
void misura(const Caso& c, bool passi, double limite) {
    int tubo[2];
    if (::pipe(tubo) != 0) return;
    std::fflush(stdout);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(tubo[0]);
        int rc = 1;
        try {
            rc = eseguiCaso(c, passi, tubo[1]);
        } catch (const std::exception& ex) {
            const std::string riga = std::string("error\t") + ex.what() + "\n";
            (void)!::write(tubo[1], riga.data(), riga.size());
        }
        ::_exit(rc);
    }
    ::close(tubo[1]);
    std::string testo;
    bool scaduto = false;
    const auto inizio = std::chrono::steady_clock::now();
    for (;;) {
        const double trascorsi =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
        if (trascorsi >= limite) {
            scaduto = true;
            ::kill(pid, SIGKILL);
            break;
        }
        pollfd p{tubo[0], POLLIN, 0};
        if (::poll(&p, 1, 200) <= 0) continue;
        char buf[4096];
        const ssize_t n = ::read(tubo[0], buf, sizeof buf);
        if (n <= 0) break;
        testo.append(buf, static_cast<std::size_t>(n));
    }
    ::close(tubo[0]);
    int stato = 0;
    rusage uso{};
    ::wait4(pid, &stato, 0, &uso);
    char mem[64];
    std::snprintf(mem, sizeof mem, "%.1f\t%.1f", static_cast<double>(uso.ru_maxrss) / 1024.0,
                  static_cast<double>(uso.ru_utime.tv_sec) + static_cast<double>(uso.ru_utime.tv_usec) / 1e6);
    if (scaduto) {
        std::printf("%s\tstopped after %.0f s\t%s\n", c.nome().c_str(), limite, mem);
    } else if (const auto at = testo.find("@MEM@"); at != std::string::npos) {
        testo.replace(at, 5, mem);
        std::printf("%s\t%s", c.nome().c_str(), testo.c_str());
    } else {
        std::printf("%s\tfailed\t%s", c.nome().c_str(), testo.empty() ? "no result\n" : testo.c_str());
    }
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    bool lunghi = false, passi = false;
    double limite = 600;
    std::vector<Caso> casi;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--long") {
            lunghi = true;
        } else if (a == "--steps") {
            passi = true;
        } else if (a == "--limit" && i + 1 < argc) {
            limite = std::atof(argv[++i]);
        } else if (const auto colon = a.find(':'); colon != std::string::npos) {
            casi.push_back({std::atoi(a.substr(0, colon).c_str()), std::atoi(a.substr(colon + 1).c_str())});
        } else {
            std::fprintf(stderr,
                         "usage: torus_bench [--long] [--steps] [--limit SECONDS] [STRANDS:POWER ...]\n");
            return 2;
        }
    }
    if (casi.empty()) {
        casi = {{3, 10}, {4, 7}, {5, 6}};
        if (lunghi) casi.insert(casi.end(), {{5, 9}, {3, 20}});
    }
    std::printf("braid\tcrossings\tafter\tsteps\tseconds\tpeak_MiB\tcpu_s\tstep_list_hash\tsearch_tree\n");
    for (const Caso& c : casi) {
        if (c.strands < 2 || c.potenza < 1) {
            std::printf("%s\tfailed\tnot a braid\n", c.nome().c_str());
            continue;
        }
        misura(c, passi, limite);
    }
    return 0;
}
