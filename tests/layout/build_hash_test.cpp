// The build from a code gives the same cell table, tables and pictures as the recorded builds: a hash of
// each, per diagram, against tests/data/layout/build_hashes.txt. TREVALON_RECORD_HASHES=1 writes the file
// anew from the current builds instead.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "layout/build.h"
#include "model/knot_files.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;
namespace ts = testsupport;

struct Hash {
    std::uint64_t h = 1469598103934665603ull;
    void bytes(const void* p, std::size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        for (std::size_t i = 0; i < n; ++i) h = (h ^ b[i]) * 1099511628211ull;
    }
    void num(long long v) { bytes(&v, sizeof v); }
    void text(std::string_view t) {
        num(static_cast<long long>(t.size()));
        bytes(t.data(), t.size());
    }
};

struct Caso {
    std::string nome, gauss, ori;
};

std::vector<Caso> casi() {
    std::vector<Caso> out;
    for (const char* cartella :
         {TREVALON_SOURCE_DIR "/Knots", TREVALON_TEST_DATA "/model", TREVALON_TEST_DATA "/layout"}) {
        std::vector<fs::path> files;
        for (const auto& e : fs::directory_iterator(cartella))
            if (e.path().extension() == ".gau") files.push_back(e.path());
        std::sort(files.begin(), files.end());
        for (const auto& p : files) {
            std::ifstream in(p, std::ios::binary);
            const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            const Result<CodiceGauss> t = leggiCodiceGaussTesto(text);
            if (!t || t->TxtOri.size() > 250) continue;
            out.push_back({p.filename().string(), t->txtNodo, t->TxtOri});
        }
    }
    auto generato = [&](std::string nome, const ts::GaussDiagram& g) {
        out.push_back({std::move(nome), ts::gaussText(g), ts::lettersText(g)});
    };
    for (int n : {30, 100, 200, 250}) generato("unknot_" + std::to_string(n), ts::randomUnknot(7, n));
    generato("braid_4_60", ts::randomBraidKnot(3, 4, 60));
    generato("braid_6_150", ts::randomBraidKnot(5, 6, 150));
    generato("braid_5_240", ts::randomBraidKnot(9, 5, 240));
    for (std::uint32_t seed = 3; seed <= 6; ++seed) {
        generato("unknot_" + std::to_string(seed) + "_160", ts::randomUnknot(seed, 160));
        generato("braid_" + std::to_string(seed) + "_220", ts::randomBraidKnot(seed, 3 + seed, 220));
    }
    return out;
}

// Everything a build leaves behind: the cell table, the extent, the arc and crossing tables, the grid's
// pictures and texts and the tile names.
std::string impronta(const Caso& c) {
    auto b = std::make_unique<BancoCostruzione>();
    b->d.txtNodo = c.gauss;
    b->d.TxtOri = c.ori;
    b->s.IncrocioRadice = 1;
    InizializzaGr(b->griglia, b->d.NumRighe, b->d.NumColonne, b->st.DimCella, GenMode::Code);
    std::string why;
    const auto r = CostruisciDaCodice(b->d, b->s, b->st,
                                      RenderTarget{b->griglia, b->tbltt, b->palette, &b->ui}, b->ui, &why);
    if (!r) return "failed:" + why;
    const Diagram& d = b->d;
    Hash celle, tabelle, figure;
    for (int i = 0; i < CellTable::kSize; ++i)
        for (int k = 0; k < CellTable::kSize; ++k) {
            const CellaNodo& x = d.TblNodo.at(i, k);
            if (x.Tipo == 0 && x.Forma == 0 && x.Simbolo == 0 && x.viciniText[0] == 0 && x.Numero == 0 &&
                x.Posizione == 0)
                continue;
            for (long long v : {i, k, int{x.Tipo}, int{x.Forma}, int{x.Simbolo}, x.Numero, x.Posizione})
                celle.num(v);
            celle.bytes(x.viciniText.data(), x.viciniText.size());
        }
    for (int v : {d.limiti.RigaMin, d.limiti.RigaMax, d.limiti.ColMin, d.limiti.ColMax, d.NumRighe,
                  d.NumColonne, d.NumIncroci, d.NumArchi, b->s.IncrocioRadice})
        tabelle.num(v);
    for (int a = 1; a <= d.NumArchi; ++a) {
        const Arco& x = d.archi[a];
        for (int v :
             {x.IncrocioDa, int{x.SegnoDa}, x.IncrocioA, int{x.SegnoA}, x.Posto, x.RigaFine, x.ColFine})
            tabelle.num(v);
        tabelle.text(x.Percorso);
        tabelle.text(x.PuntiExtra);
    }
    for (int i = 1; i <= d.NumIncroci; ++i) {
        const Incrocio& x = d.incroci[i];
        for (int v : {x.Riga, x.Colonna, int{x.Ori}, x.ArcoEntraSopra, x.ArcoEntraSotto, x.ArcoEsceSopra,
                      x.ArcoEsceSotto})
            tabelle.num(v);
        for (int l = 1; l <= 4; ++l) tabelle.num(x.ArcoLato[l] * 1000 + x.VersoLato[l]);
    }
    figure.num(b->griglia.rows());
    figure.num(b->griglia.cols());
    for (int i = 0; i < b->griglia.rows(); ++i)
        for (int k = 0; k < b->griglia.cols(); ++k) {
            const PictureRef p = b->griglia.picture(i, k);
            const std::string& t = b->griglia.text(i, k);
            const std::string_view nome = b->tbltt.get(i, k);
            if (p.empty() && t.empty() && nome.empty()) continue;
            figure.num(i * 100000LL + k);
            figure.num(static_cast<int>(p.palette) * 1000000 + static_cast<int>(p.set) * 100000 + p.index);
            figure.text(t);
            figure.text(nome);
        }
    std::ostringstream out;
    out << std::hex << celle.h << ' ' << tabelle.h << ' ' << figure.h;
    return out.str();
}

TEST(BuildHashes, CellsTablesAndPicturesAreThoseRecorded) {
    const std::string file = TREVALON_TEST_DATA "/layout/build_hashes.txt";
    std::map<std::string, std::string> attese;
    {
        std::ifstream in(file);
        std::string nome, resto;
        while (in >> nome && std::getline(in, resto))
            attese[nome] = resto.substr(resto.find_first_not_of(' '));
    }
    const bool registra = std::getenv("TREVALON_RECORD_HASHES") != nullptr;
    std::ofstream out;
    if (registra) out.open(file);
    for (const Caso& c : casi()) {
        const std::string h = impronta(c);
        if (registra) {
            out << c.nome << ' ' << h << '\n';
            continue;
        }
        ASSERT_TRUE(attese.count(c.nome)) << c.nome << " has no recorded hash";
        EXPECT_EQ(h, attese[c.nome]) << c.nome;
    }
}

}  // namespace
}  // namespace trevalon
