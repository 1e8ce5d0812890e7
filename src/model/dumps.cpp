#include "model/dumps.h"

#include <algorithm>
#include <cstdio>

#include "platform/debug_dump.h"

namespace trevalon {

namespace {

std::string text(char ch) {
    return ch ? std::string(1, ch) : std::string();
}

std::string padded(int value, int width) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*d", width, value);
    return buf;
}

// Written whole or not at all; no folder chosen for the dumps: nothing is written (never into whatever
// folder is current).
void writeLines(const std::vector<std::string>& lines, const std::string& fileName, const ModelSettings& s) {
    writeDumpLines(DumpFolder{s.programFolder, s.status, s.nonScritti}, fileName, lines);
}

// Splits a path text at "|"; the text after the last "|" is not an item.
std::vector<std::string> paths(const std::string& s) {
    std::vector<std::string> items;
    std::size_t start = 0;
    for (std::size_t bar; (bar = s.find('|', start)) != std::string::npos; start = bar + 1)
        items.push_back(s.substr(start, bar - start));
    return items;
}

}  // namespace

std::string rigaArco(const Diagram& d, int a) {
    const Arco& x = d.archi.at(a);
    return std::to_string(a) + " " + std::to_string(x.IncrocioDa) + text(x.SegnoDa) + "/" +
           std::to_string(x.IncrocioA) + text(x.SegnoA) + " gem>" + std::to_string(x.GemelloDa) + "-" +
           std::to_string(x.GemelloA) + " r1>" + std::to_string(x.Reg1) + " r2>" + std::to_string(x.Reg2);
}

std::string rigaIncrocio(const Diagram& d, int i) {
    const Incrocio& c = d.incroci.at(i);
    std::string line = std::to_string(i) + " EA>" + std::to_string(c.PrecSopra) + "-" +
                       std::to_string(c.ArcoEntraSopra) + " " + " EB>" + std::to_string(c.PrecSotto) + "-" +
                       std::to_string(c.ArcoEntraSotto) + " " + " UA>" + std::to_string(c.SuccSopra) + "-" +
                       std::to_string(c.ArcoEsceSopra) + " " + " UB>" + std::to_string(c.SuccSotto) + "-" +
                       std::to_string(c.ArcoEsceSotto) + " " + " OR>" + text(c.Ori) + " Gem>" +
                       std::to_string(c.Gem) + " ";
    for (int s = 1; s <= 4; ++s) line += " D" + std::to_string(s) + ">" + std::to_string(c.ArcoLato[s]);
    for (int s = 1; s <= 4; ++s) line += " I" + std::to_string(s) + ">" + std::to_string(c.IncrocioLato[s]);
    line += " g+>" + std::to_string(c.GemSopra) + " g->" + std::to_string(c.GemSotto);
    return line;
}

std::string rigaGemello(const Diagram& d, int i) {
    const Gemello& g = d.gemelli.at(i);
    return std::to_string(i) + " Padre>" + std::to_string(g.Padre) + text(g.Segno) + " dirda>" +
           std::to_string(g.dirda) + " arcoda>" + std::to_string(g.arcoda) + " gemDa>" +
           std::to_string(g.gemDa) + " dirad>" + std::to_string(g.dirad) + " arcoad>" +
           std::to_string(g.arcoad) + " gemad>" + std::to_string(g.gemad);
}

std::vector<std::string> righeRegioni(const Diagram& d) {
    std::vector<std::string> lines;
    const int n = std::min(d.NumRegioni, d.MatRegioni.size());
    for (int i = 1; i <= n; ++i) {
        lines.emplace_back(" ");
        for (int j = 1; j <= n; ++j) {
            const CoppiaRegioni& p = d.MatRegioni.at(i, j);
            const TestiCammino& t = d.MatRegioni.testi(i, j);
            const auto cams = paths(t.cam);
            const auto regs = paths(t.reg);
            for (std::size_t k = 0; k < cams.size(); ++k) {
                lines.push_back("\t" + padded(i, 2) + "," + padded(j, 2) + " arco>" + padded(p.arco, 3) +
                                " dis>" + padded(p.dis, 3) + " cam>" + cams[k] + " reg>" +
                                (k < regs.size() ? regs[k] : "") + "  CODICI:" + d.CodRegione.at(i) + "-" +
                                d.CodRegione.at(j));
            }
        }
    }
    return lines;
}

void StampaArchi(const Diagram& d, const ModelSettings& settings) {
    if (!settings.ModoDebug) return;
    std::vector<std::string> lines;
    for (int a = 1; a <= d.NumArchi; ++a) lines.push_back(rigaArco(d, a));
    writeLines(lines, "archi" + std::string(1, letter(settings.ModoGen)) + ".txt", settings);
}

void StampaIncroci(Diagram& d, const ModelSettings& settings) {
    for (int i = 1; i <= d.NumIncroci; ++i) {
        Incrocio& c = d.incroci.at(i);
        c.Ori = i <= static_cast<int>(d.TxtOri.size()) ? d.TxtOri[i - 1] : '\0';
        c.Posto = 0;
    }
    if (!settings.ModoDebug) return;
    std::vector<std::string> lines;
    for (int i = 1; i <= d.NumIncroci; ++i) lines.push_back(rigaIncrocio(d, i));
    writeLines(lines, "incroci" + std::string(1, letter(settings.ModoGen)) + ".txt", settings);
}

void StampaRegioni(const Diagram& d, const ModelSettings& settings) {
    if (!settings.ModoDebug) return;
    writeLines(righeRegioni(d), "regioni.txt", settings);
}

void StampaGemelli(const Diagram& d, const ModelSettings& settings) {
    if (!settings.ModoDebug) return;
    std::vector<std::string> lines;
    for (int i = 1; i <= d.NumGemelli; ++i) lines.push_back(rigaGemello(d, i));
    writeLines(lines, "gemelli.txt", settings);
}

void StampaArchiGauss(const Diagram& d, const ModelSettings& settings) {
    if (!settings.ModoDebug) return;
    std::vector<std::string> lines;
    for (int a = 1; a <= d.NumArchi; ++a) {
        const Arco& x = d.archi[a];
        lines.push_back(std::to_string(a) + " " + std::to_string(x.IncrocioDa) + text(x.SegnoDa) + " " +
                        std::to_string(x.IncrocioA) + text(x.SegnoA));
    }
    writeLines(lines, "archi.txt", settings);
}

void StampaListaNumerata(const std::vector<std::string>& items, int count, const std::string& fileName,
                         const ModelSettings& settings) {
    if (!settings.ModoDebug) return;
    std::vector<std::string> lines;
    for (int i = 1; i <= count && i < static_cast<int>(items.size()); ++i)
        lines.push_back(std::to_string(i) + " " + items[i]);
    writeLines(lines, fileName, settings);
}

}  // namespace trevalon
