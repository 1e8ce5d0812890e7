// The complete run on closures of torus braids (s1 s2 .. s(k-1))^m: diagrams where no move simplifies and
// the horizontal search explores its whole tree before it can say so; also on random braids and sums of
// torus braids. Each case runs in a child process of its own, so that its peak resident memory is its
// own; a case still running at the time limit is stopped and reported as such.
//
// usage: torus_bench [--long] [--braids] [--strands] [--small] [--steps] [--limit SECONDS] [--files DIR]
//                    [CASE ...]
//   CASE      STRANDS:POWER, the torus braid; r:STRANDS:LENGTH:SEED, a random braid of that many letters
//             (and up to STRANDS - 1 more, so that its closure is a knot); p:STRANDS:LENGTH:SEED, the same
//             with every letter positive; sum:STRANDS:POWER+STRANDS:POWER+..., the connected sum of
//             torus braid closures
//   --long    adds the long cases (s1s2s3s4)^9 and (s1s2)^20 to the default ones
//   --braids  the torus series (s1s2)^k of 62 to 250 crossings and random braids of about 250 crossings
//             on 5, 7 and 9 strands instead of the default cases
//   --strands torus braids of 9 to 13 strands near 250 crossings instead of the default cases (below)
//   --small   the minimal diagrams of the small-machine measurements instead of the default cases (below)
//   --files DIR  writes each case's knot file (a .gau file named after the case) into DIR instead of
//                running it, for `trevalon-bench run` or the window
//   --steps   prints each step of the run's step list as `trevalon-bench run --steps` does
//   --limit   seconds a case may run (default 600)
//
// Pinned to two cores (taskset -c 0,1) the search uses two threads: the minimal diagrams of the
// small-machine measurements (--small) are 4:7 5:6 3:20 p:4:33:2 (35 crossings) and
// sum:3:10+4:7+2:5+2:5 (51), each of which answers "no move" after a search of up to 500,000 diagrams.
//
// The torus braids of --strands are the memory cases of many strands: 9:31 (248 crossings), 10:27 (243),
// 11:25 (250), 13:20 (240), 9:28 (224) and 12:19 (209; 12:22 closes to a link of two components and 12:23
// has 253 crossings). Their tree's first records have thousands of children each, where three strands
// have about a thousand: the first round of records examined side by side could take most of the tree's
// 500,000 diagrams before any was filed, and these runs peaked at 0.77-1.17 GB (now about 0.45 GB).
//
// One line per case: the braid, crossings before and after, steps, seconds of the run (opening the file
// not included), peak resident MiB of the case's process (VmHWM), its user CPU seconds, a hash of the step
// list, so that two builds can be compared for the same steps, and the horizontal search's last report
// (records filed and depth reached, twice, and why the tree stopped growing).

#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cinttypes>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "child_process.h"
#include "mainwindow/complete_run.h"
#include "mainwindow/form2.h"
#include "mainwindow/move_adapter.h"
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
    enum class Tipo { Toro, Casuale, Positiva, Somma };
    Tipo tipo = Tipo::Toro;
    int strands = 3;
    int potenza = 10;  // torus braids: the power; random ones: the letters
    std::uint32_t seme = 1;
    std::vector<std::pair<int, int>> addendi;  // a sum's torus braids (strands, power)
    static std::string toro(int strands, int potenza) {
        std::string s = "(";
        for (int i = 1; i < strands; ++i) s += "s" + std::to_string(i);
        return s + ")^" + std::to_string(potenza);
    }
    std::string nome() const {
        switch (tipo) {
            case Tipo::Toro:
                return toro(strands, potenza);
            case Tipo::Casuale:
            case Tipo::Positiva:
                return std::string(tipo == Tipo::Casuale ? "random" : "positive") + " braid " +
                       std::to_string(strands) + " strands " + std::to_string(potenza) + " letters seed " +
                       std::to_string(seme);
            case Tipo::Somma: {
                std::string s;
                for (const auto& [k, m] : addendi) s += (s.empty() ? "" : " # ") + toro(k, m);
                return s;
            }
        }
        return {};
    }
    bool valido() const {
        if (tipo == Tipo::Somma) {
            for (const auto& [k, m] : addendi)
                if (k < 2 || m < 1) return false;
            return !addendi.empty();
        }
        return strands >= 2 && potenza >= 1;
    }
};

// A case from its text (see the usage); nullopt when it is none.
std::optional<Caso> leggiCaso(const std::string& a) {
    auto numeri = [](const std::string& s, char sep) {
        std::vector<int> v;
        std::size_t pos = 0;
        while (pos <= s.size()) {
            const std::size_t fine = std::min(s.find(sep, pos), s.size());
            v.push_back(std::atoi(s.substr(pos, fine - pos).c_str()));
            pos = fine + 1;
        }
        return v;
    };
    Caso c;
    if (a.rfind("sum:", 0) == 0) {
        c.tipo = Caso::Tipo::Somma;
        std::size_t pos = 4;
        while (pos <= a.size()) {
            const std::size_t fine = std::min(a.find('+', pos), a.size());
            const std::vector<int> v = numeri(a.substr(pos, fine - pos), ':');
            if (v.size() != 2) return std::nullopt;
            c.addendi.emplace_back(v[0], v[1]);
            pos = fine + 1;
        }
        return c;
    }
    if (a.rfind("r:", 0) == 0 || a.rfind("p:", 0) == 0) {
        c.tipo = a[0] == 'r' ? Caso::Tipo::Casuale : Caso::Tipo::Positiva;
        const std::vector<int> v = numeri(a.substr(2), ':');
        if (v.size() != 3) return std::nullopt;
        c.strands = v[0];
        c.potenza = v[1];
        c.seme = static_cast<std::uint32_t>(v[2]);
        return c;
    }
    const std::vector<int> v = numeri(a, ':');
    if (v.size() != 2) return std::nullopt;
    c.strands = v[0];
    c.potenza = v[1];
    return c;
}

ts::GaussDiagram diagrammaToro(int strands, int potenza) {
    ts::BraidWord parola;
    for (int k = 0; k < potenza; ++k)
        for (int i = 1; i < strands; ++i) parola.push_back(i);
    return ts::braidClosure(strands, parola);
}

std::uint64_t fnv1a(const std::string& s, std::uint64_t h = 14695981039346656037ull) {
    for (unsigned char c : s) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

fs::path fileCaso(const Caso& c) {
    ts::GaussDiagram g;
    switch (c.tipo) {
        case Caso::Tipo::Toro:
            g = diagrammaToro(c.strands, c.potenza);
            break;
        case Caso::Tipo::Casuale:
            g = ts::randomBraidKnot(c.seme, c.strands, c.potenza);
            break;
        case Caso::Tipo::Positiva: {
            std::mt19937 rng(c.seme);
            ts::BraidWord parola = ts::randomKnotBraid(rng, c.strands, c.potenza);
            for (int& l : parola) l = std::abs(l);
            g = ts::braidClosure(c.strands, parola);
            break;
        }
        case Caso::Tipo::Somma:
            g = diagrammaToro(c.addendi[0].first, c.addendi[0].second);
            for (std::size_t k = 1; k < c.addendi.size(); ++k)
                g = ts::connectedSum(g, diagrammaToro(c.addendi[k].first, c.addendi[k].second));
            break;
    }
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
    const bool aperto = ApriGau(form->contesto(), form->vista(), file.string()) || senzaDisegno(*form, file);
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
        const Stato& s = form->doc().storia.passo(i);
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
    const bench::Figlio figlio = bench::avviaInFiglio([&](int out) { return eseguiCaso(c, passi, out); });
    if (figlio.uscita < 0) return;
    const pid_t pid = figlio.pid;
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
        pollfd p{figlio.uscita, POLLIN, 0};
        if (::poll(&p, 1, 200) <= 0) continue;
        char buf[4096];
        const ssize_t n = ::read(figlio.uscita, buf, sizeof buf);
        if (n <= 0) break;
        testo.append(buf, static_cast<std::size_t>(n));
    }
    ::close(figlio.uscita);
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
    bool lunghi = false, passi = false, trecce = false, piccola = false, fili = false;
    std::string cartella;
    double limite = 600;
    std::vector<Caso> casi;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--long") {
            lunghi = true;
        } else if (a == "--braids") {
            trecce = true;
        } else if (a == "--small") {
            piccola = true;
        } else if (a == "--strands") {
            fili = true;
        } else if (a == "--steps") {
            passi = true;
        } else if (a == "--files" && i + 1 < argc) {
            cartella = argv[++i];
        } else if (a == "--limit" && i + 1 < argc) {
            limite = std::atof(argv[++i]);
        } else if (const std::optional<Caso> c = leggiCaso(a)) {
            casi.push_back(*c);
        } else {
            std::fprintf(
                stderr,
                "usage: torus_bench [--long] [--braids] [--strands] [--small] [--steps] [--limit SECONDS] "
                "[--files DIR] [CASE ...]\n");
            return 2;
        }
    }
    if (trecce) {
        for (int k : {31, 62, 100, 125}) casi.push_back(*leggiCaso("3:" + std::to_string(k)));
        // 251 - strands letters, and up to strands - 1 more: at most 250 crossings.
        for (int strands : {5, 7, 9})
            casi.push_back(
                *leggiCaso("r:" + std::to_string(strands) + ":" + std::to_string(251 - strands) + ":1"));
    }
    if (piccola)
        for (const char* c : {"4:7", "5:6", "3:20", "p:4:33:2", "sum:3:10+4:7+2:5+2:5"})
            casi.push_back(*leggiCaso(c));
    if (fili)
        for (const char* c : {"9:31", "10:27", "11:25", "13:20", "9:28", "12:19"})
            casi.push_back(*leggiCaso(c));
    if (casi.empty()) {
        for (const char* c : {"3:10", "4:7", "5:6"}) casi.push_back(*leggiCaso(c));
        if (lunghi)
            for (const char* c : {"5:9", "3:20"}) casi.push_back(*leggiCaso(c));
    }
    if (!cartella.empty()) {
        for (const Caso& c : casi) {
            if (!c.valido()) continue;
            std::string nome;
            for (char ch : c.nome()) nome += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
            const fs::path destinazione = fs::path(cartella) / (nome + ".gau");
            // A braid whose closure is no knot, or too large, is said and the next one written.
            fs::path file;
            try {
                file = fileCaso(c);
            } catch (const std::exception& ex) {
                std::printf("%s\tfailed\t%s\n", c.nome().c_str(), ex.what());
                continue;
            }
            std::error_code ec;
            fs::rename(file, destinazione, ec);
            if (ec) {
                fs::copy_file(file, destinazione, fs::copy_options::overwrite_existing, ec);
                std::error_code ignora;
                fs::remove(file, ignora);
            }
            std::printf("%s\t%s\n", c.nome().c_str(), ec ? ec.message().c_str() : destinazione.c_str());
        }
        return 0;
    }
    std::printf("braid\tcrossings\tafter\tsteps\tseconds\tpeak_MiB\tcpu_s\tstep_list_hash\tsearch_tree\n");
    for (const Caso& c : casi) {
        if (!c.valido()) {
            std::printf("%s\tfailed\tnot a braid\n", c.nome().c_str());
            continue;
        }
        misura(c, passi, limite);
    }
    return 0;
}
