// The readers of the developer layout's catalogue of named knots and of its batch tools, on hostile files
// of up to 64 MB: the catalogue read at start-up, the duplicate search of a listing ("Doppi"), the
// comparison of listings ("Util"), the conversion of comma codes ("CodMio") and the catalogue of pairs of
// lines ("Stack"), each run as the developer panel runs it (the file chosen in the dialog, read and
// worked on, its result shown or written). Each case runs in a child process of its own, so that its peak
// resident memory is its own.
//
// usage: readers_bench [--folder DIR] [--keep] [CASE ...]
//   CASE      one of the names below (default: all)
//   --folder  where the files are written (default: a folder of the system's temporary folder, removed at
//             the end)
//   --keep    keeps each case's files and what the tools wrote (util-out.txt, codmio-out.txt), renamed
//             after the case, so that two builds' results can be compared
//
// One line per case: its name, the peak resident MiB of its process (VmHWM), the resident MiB before the
// file was read (the window's own tables), the seconds the tool took, the size of its input in MB and the
// first words of what the tool said.

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "child_process.h"
#include "mainwindow/developer_panel.h"
#include "mainwindow/form2.h"
#include "mainwindow/program_context.h"
#include "model/catalogue.h"
#include "peak_memory.h"
#include "platform/headless_ui.h"

namespace {

namespace fs = std::filesystem;
using namespace trevalon;

constexpr std::uintmax_t kMiB = std::uintmax_t{1024} * 1024;
constexpr std::uintmax_t k64MiB = 64 * kMiB;

// Writes a file line by line from `riga` (which returns false when there is no further line), stopping
// before the file would pass `massimo` bytes.
void scriviRighe(const fs::path& p, std::uintmax_t massimo, const std::function<bool(std::string&)>& riga) {
    std::ofstream out(p, std::ios::binary);
    std::string blocco, r;
    std::uintmax_t scritti = 0;
    while (riga(r)) {
        if (scritti + blocco.size() + r.size() > massimo) break;
        blocco += r;
        if (blocco.size() >= (1u << 20)) {
            out << blocco;
            scritti += blocco.size();
            blocco.clear();
        }
    }
    out << blocco;
}

void scriviRipetuto(const fs::path& p, std::uintmax_t byte, char ch) {
    std::ofstream out(p, std::ios::binary);
    const std::string blocco(1u << 20, ch);
    for (std::uintmax_t scritti = 0; scritti < byte;) {
        const std::size_t n =
            static_cast<std::size_t>(std::min<std::uintmax_t>(blocco.size(), byte - scritti));
        out.write(blocco.data(), static_cast<std::streamsize>(n));
        scritti += n;
    }
}

// A random Gauss text of n crossings (any chord diagram, each crossing once over and once under), read
// from passage `da`: label of each passage, then the sign of the next one.
struct CodiceCasuale {
    std::vector<int> etichette;
    std::vector<char> segni;
    CodiceCasuale(int n, std::mt19937& g) {
        for (int c = 1; c <= n; ++c) etichette.insert(etichette.end(), {c, c});
        std::shuffle(etichette.begin(), etichette.end(), g);
        segni.assign(etichette.size(), '-');
        std::vector<bool> primo(static_cast<std::size_t>(n) + 1, true);
        std::bernoulli_distribution moneta(0.5);
        std::vector<char> primoSegno(static_cast<std::size_t>(n) + 1);
        for (std::size_t k = 0; k < etichette.size(); ++k) {
            const auto c = static_cast<std::size_t>(etichette[k]);
            if (primo[c]) {
                primoSegno[c] = moneta(g) ? '+' : '-';
                segni[k] = primoSegno[c];
                primo[c] = false;
            } else {
                segni[k] = primoSegno[c] == '+' ? '-' : '+';
            }
        }
    }
    std::string testo(std::size_t da) const {
        std::string s;
        const std::size_t m = etichette.size();
        for (std::size_t i = 0; i < m; ++i) {
            s += std::to_string(etichette[(da + i) % m]);
            s += segni[(da + i + 1) % m];
        }
        return s;
    }
};

struct Caso {
    std::string nome;
    std::string descrizione;
    // Writes the case's files into the folder and gives what the child runs on the panel.
    std::function<void(const fs::path&)> prepara;
    std::function<std::string(PannelloSviluppo&, ScriptedUi&, const fs::path&)> esegui;
    std::vector<std::string> file;  // the files read, for the input size
};

std::string primoMessaggio(const ScriptedUi& ui) {
    if (ui.messages.empty()) return "(no message)";
    std::string m = ui.messages.front();
    for (char& ch : m)
        if (ch == '\n' || ch == '\t') ch = ' ';
    return m.size() > 110 ? m.substr(0, 110) + "..." : m;
}

std::vector<Caso> casi() {
    std::vector<Caso> v;
    // The catalogue read at the developer layout's start-up: one line of 63 MB of "|".
    v.push_back({"catalogue-bars",
                 "Knots/NodiCodificati.txt: 63,000,000 \"|\" on one line",
                 [](const fs::path& d) {
                     fs::create_directories(d / "Knots");
                     scriviRipetuto(d / "Knots" / kFileCatalogo, 63'000'000, '|');
                 },
                 [](PannelloSviluppo& p, ScriptedUi& ui, const fs::path&) {
                     const Status s = p.CaricaTabellaNodiCodificati();
                     if (!s) ui.showMessage(s.error());
                     return std::to_string(p.catalogo().size()) + " entries";
                 },
                 {"Knots/NodiCodificati.txt"}});
    // A catalogue of 64 MiB: one entry whose code fills the file.
    v.push_back({"catalogue-64MB-line",
                 "Knots/NodiCodificati.txt: one line of 64 MiB (a code of 1+ 2- ...)",
                 [](const fs::path& d) {
                     fs::create_directories(d / "Knots");
                     long c = 0;
                     bool testa = true;
                     scriviRighe(d / "Knots" / kFileCatalogo, k64MiB - 8, [&](std::string& r) {
                         if (testa) {
                             r = "big|";
                             testa = false;
                         } else {
                             ++c;
                             r = std::to_string(c % 250 + 1) + (c % 2 ? "+" : "-");
                         }
                         return true;
                     });
                     std::ofstream(d / "Knots" / kFileCatalogo, std::ios::app) << "|OOO\n";
                 },
                 [](PannelloSviluppo& p, ScriptedUi& ui, const fs::path&) {
                     const Status s = p.CaricaTabellaNodiCodificati();
                     if (!s) ui.showMessage(s.error());
                     return std::to_string(p.catalogo().size()) + " entries";
                 },
                 {"Knots/NodiCodificati.txt"}});
    // "Doppi" on 63 MB of "|".
    v.push_back({"doppi-bars",
                 "Doppi: 63,000,000 \"|\" on one line",
                 [](const fs::path& d) { scriviRipetuto(d / "bars.txt", 63'000'000, '|'); },
                 [](PannelloSviluppo& p, ScriptedUi& ui, const fs::path& d) {
                     ui.openAnswers = {(d / "bars.txt").string()};
                     p.premi("CmdCercaDoppi");
                     return std::string();
                 },
                 {"bars.txt"}});
    // "Doppi" on 11 million short lines.
    v.push_back({"doppi-11M-short",
                 "Doppi: 11,000,000 lines \"a|b|c\"",
                 [](const fs::path& d) {
                     long n = 0;
                     scriviRighe(d / "short.txt", k64MiB, [&](std::string& r) {
                         r = "a|b|c\n";
                         return n++ < 11'000'000;
                     });
                 },
                 [](PannelloSviluppo& p, ScriptedUi& ui, const fs::path& d) {
                     ui.openAnswers = {(d / "short.txt").string()};
                     p.premi("CmdCercaDoppi");
                     return std::string();
                 },
                 {"short.txt"}});
    // "Doppi" on 2 million lines of random 4-crossing codes under 997 names: a few hundred diagrams, each
    // under many names.
    v.push_back({"doppi-2M",
                 "Doppi: 2,000,000 lines of random 4-crossing codes under 997 knots' names",
                 [](const fs::path& d) {
                     std::mt19937 g(50);
                     long n = 0;
                     scriviRighe(d / "dup2M.txt", k64MiB, [&](std::string& r) {
                         const CodiceCasuale c(4, g);
                         r = "K" + std::to_string(n % 997) + "_1_0|" +
                             c.testo(static_cast<std::size_t>(n % 8)) + "|OOOO\n";
                         return n++ < 2'000'000;
                     });
                 },
                 [](PannelloSviluppo& p, ScriptedUi& ui, const fs::path& d) {
                     ui.openAnswers = {(d / "dup2M.txt").string()};
                     p.premi("CmdCercaDoppi");
                     return std::string();
                 },
                 {"dup2M.txt"}});
    // "Doppi" on 64 MiB of pairs: random 9-crossing diagrams, each under two names (the second read from
    // another passage): half a million groups of two.
    v.push_back({"doppi-64MB-pairs",
                 "Doppi: 64 MiB, random 9-crossing codes each twice under two names",
                 [](const fs::path& d) {
                     std::mt19937 g(51);
                     long n = 0;
                     std::string secondo;
                     scriviRighe(d / "pairs.txt", k64MiB, [&](std::string& r) {
                         if (n % 2 == 0) {
                             const CodiceCasuale c(9, g);
                             r = "A_" + std::to_string(n) + "_0|" + c.testo(0) + "|OOOOOOOOO\n";
                             secondo = "B_" + std::to_string(n) + "_0|" + c.testo(5) + "|OOOOOOOOO\n";
                         } else {
                             r = secondo;
                         }
                         ++n;
                         return true;
                     });
                 },
                 [](PannelloSviluppo& p, ScriptedUi& ui, const fs::path& d) {
                     ui.openAnswers = {(d / "pairs.txt").string()};
                     p.premi("CmdCercaDoppi");
                     return std::string();
                 },
                 {"pairs.txt"}});
    // "Doppi" on 64 MiB of one diagram under two names: one group of every line.
    v.push_back({"doppi-64MB-one",
                 "Doppi: 64 MiB of the trefoil under two names (one group of 5 million lines)",
                 [](const fs::path& d) {
                     long n = 0;
                     scriviRighe(d / "one.txt", k64MiB, [&](std::string& r) {
                         r = (n++ % 2 ? "a|" : "b|") + std::string("1-2+3-1+2-3+|OOO\n");
                         return true;
                     });
                 },
                 [](PannelloSviluppo& p, ScriptedUi& ui, const fs::path& d) {
                     ui.openAnswers = {(d / "one.txt").string()};
                     p.premi("CmdCercaDoppi");
                     return std::string();
                 },
                 {"one.txt"}});
    // "Util" on four listings of 16 MiB, sharing their diagrams.
    v.push_back(
        {"util-4x16MB",
         "Util: four listings of 16 MiB of random 5-crossing codes",
         [](const fs::path& d) {
             for (int k = 0; k < 4; ++k) {
                 std::mt19937 g(static_cast<unsigned>(60 + k));
                 long n = 0;
                 scriviRighe(d / ("list" + std::to_string(k) + ".txt"), 16 * kMiB, [&](std::string& r) {
                     const CodiceCasuale c(5, g);
                     r = "L" + std::to_string(k) + "_" + std::to_string(++n) + "_0|" + c.testo(0) +
                         "|OOOOO\n";
                     return true;
                 });
             }
         },
         [](PannelloSviluppo& p, ScriptedUi& ui, const fs::path& d) {
             std::string nomi;
             for (int k = 0; k < 4; ++k)
                 nomi += (k ? "," : "") + (d / ("list" + std::to_string(k) + ".txt")).string();
             ui.inputAnswers = {nomi};
             ui.saveAnswers = {(d / "util-out.txt").string()};
             p.premi("Cmdutil");
             std::error_code ec;
             const auto scritti = fs::file_size(d / "util-out.txt", ec);
             return ec ? std::string("nothing written") : std::to_string(scritti / kMiB) + " MiB written";
         },
         {"list0.txt", "list1.txt", "list2.txt", "list3.txt"}});
    // "Util" on four listings of 16 MiB of random 8-crossing codes, which share few diagrams.
    v.push_back(
        {"util-4x16MB-few",
         "Util: four listings of 16 MiB of random 8-crossing codes",
         [](const fs::path& d) {
             for (int k = 0; k < 4; ++k) {
                 std::mt19937 g(static_cast<unsigned>(70 + k));
                 long n = 0;
                 scriviRighe(d / ("few" + std::to_string(k) + ".txt"), 16 * kMiB, [&](std::string& r) {
                     const CodiceCasuale c(8, g);
                     r = "L" + std::to_string(k) + "_" + std::to_string(++n) + "_0|" + c.testo(0) +
                         "|OOOOOOOO\n";
                     return true;
                 });
             }
         },
         [](PannelloSviluppo& p, ScriptedUi& ui, const fs::path& d) {
             std::string nomi;
             for (int k = 0; k < 4; ++k)
                 nomi += (k ? "," : "") + (d / ("few" + std::to_string(k) + ".txt")).string();
             ui.inputAnswers = {nomi};
             ui.saveAnswers = {(d / "util-out.txt").string()};
             p.premi("Cmdutil");
             std::error_code ec;
             const auto scritti = fs::file_size(d / "util-out.txt", ec);
             return ec ? std::string("nothing written") : std::to_string(scritti / 1024) + " KiB written";
         },
         {"few0.txt", "few1.txt", "few2.txt", "few3.txt"}});
    // "CodMio" on 64 MiB of the shortest codes.
    v.push_back({"codmio-64MB",
                 "CodMio: 64 MiB of lines \"1,-1\"",
                 [](const fs::path& d) {
                     scriviRighe(d / "comma.txt", k64MiB, [](std::string& r) {
                         r = "1,-1\n";
                         return true;
                     });
                 },
                 [](PannelloSviluppo& p, ScriptedUi& ui, const fs::path& d) {
                     ui.openAnswers = {(d / "comma.txt").string()};
                     ui.saveAnswers = {(d / "codmio-out.txt").string()};
                     p.premi("Command12");
                     std::error_code ec;
                     const auto scritti = fs::file_size(d / "codmio-out.txt", ec);
                     return ec ? std::string("nothing written")
                               : std::to_string(scritti / kMiB) + " MiB written";
                 },
                 {"comma.txt"}});
    // "Stack" on 64 MiB: a code line filling the file but for its letters.
    v.push_back({"stack-64MB",
                 "Stack: a pair of lines of 64 MiB",
                 [](const fs::path& d) {
                     long c = 0;
                     scriviRighe(d / "stack.txt", k64MiB - 8, [&](std::string& r) {
                         ++c;
                         r = std::to_string(c % 250 + 1) + (c % 2 ? "+" : "-");
                         return true;
                     });
                     std::ofstream(d / "stack.txt", std::ios::app) << "\nOOO\n";
                 },
                 [](PannelloSviluppo& p, ScriptedUi& ui, const fs::path& d) {
                     ui.openAnswers = {(d / "stack.txt").string()};
                     p.premi("CmdStack");
                     return std::to_string(p.catalogo().size()) + " entries";
                 },
                 {"stack.txt"}});
    return v;
}

// The child's work: the window made, the tool run; its line written to `fd`.
int eseguiCaso(const Caso& c, const fs::path& cartella, int fd) {
    ProgramContext ctx;
    ctx.programFolder = cartella;
    ctx.ModoSviluppo = true;
    ScriptedUi ui;
    Form2 form{ctx, ui};
    form.Form_Load();
    PannelloSviluppo pannello{form};
    const double prima = bench::memoriaResidenteMiB();
    const auto inizio = std::chrono::steady_clock::now();
    std::string esito = c.esegui(pannello, ui, cartella);
    const double secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
    if (!esito.empty()) esito += "; ";
    esito += primoMessaggio(ui);
    char buf[512];
    const int n = std::snprintf(buf, sizeof buf, "%.1f\t%.1f\t%.2f\t%s\n", bench::picoMemoriaMiB(), prima,
                                secondi, esito.c_str());
    (void)!::write(fd, buf, static_cast<std::size_t>(std::min(n, static_cast<int>(sizeof buf) - 1)));
    return 0;
}

void misura(const Caso& c, const fs::path& cartella, bool tieni) {
    c.prepara(cartella);
    std::uintmax_t byte = 0;
    for (const std::string& f : c.file) byte += fs::file_size(cartella / f);
    const bench::Figlio figlio = bench::avviaInFiglio([&](int out) { return eseguiCaso(c, cartella, out); });
    if (figlio.uscita < 0) return;
    const pid_t pid = figlio.pid;
    std::string testo;
    char buf[4096];
    for (ssize_t n; (n = ::read(figlio.uscita, buf, sizeof buf)) > 0;)
        testo.append(buf, static_cast<std::size_t>(n));
    ::close(figlio.uscita);
    int stato = 0;
    ::waitpid(pid, &stato, 0);
    if (testo.empty()) testo = "failed (status " + std::to_string(stato) + ")\n";
    std::printf("%-20s\t%.1f MB\t%s", c.nome.c_str(), static_cast<double>(byte) / 1e6, testo.c_str());
    std::fflush(stdout);
    for (const char* uscita : {"util-out.txt", "codmio-out.txt"}) {
        if (tieni && fs::exists(cartella / uscita))
            fs::rename(cartella / uscita, cartella / (c.nome + "-" + uscita));
        fs::remove(cartella / uscita);
    }
    if (!tieni)
        for (const std::string& f : c.file) fs::remove(cartella / f);
}

}  // namespace

int main(int argc, char** argv) {
    fs::path cartella;
    bool tieni = false;
    std::vector<std::string> scelti;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--folder" && i + 1 < argc) {
            cartella = argv[++i];
        } else if (a == "--keep") {
            tieni = true;
        } else if (a == "--help" || a == "-h") {
            std::printf("usage: readers_bench [--folder DIR] [--keep] [CASE ...]\ncases:\n");
            for (const Caso& c : casi()) std::printf("  %-20s %s\n", c.nome.c_str(), c.descrizione.c_str());
            return 0;
        } else {
            scelti.push_back(a);
        }
    }
    const bool propria = cartella.empty();
    if (propria) cartella = fs::temp_directory_path() / ("trevalon_readers_" + std::to_string(::getpid()));
    fs::create_directories(cartella);
    std::printf("case\tinput\tpeak MiB\tbefore MiB\tseconds\toutcome\n");
    for (const Caso& c : casi()) {
        if (!scelti.empty() && std::find(scelti.begin(), scelti.end(), c.nome) == scelti.end()) continue;
        misura(c, cartella, tieni);
    }
    if (propria && !tieni) fs::remove_all(cartella);
    return 0;
}
