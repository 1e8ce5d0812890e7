#include "model/catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>

#include <unistd.h>

#include "support/named_knots.h"

namespace trevalon {
namespace {

TEST(Catalogue, LinesAreReadAndAFaultyLineRefusesTheWholeCatalogue) {
    const Result<std::vector<VoceCatalogo>> buono =
        leggiCatalogoTesto("Trefoil | 1-2+3-1+2-3+ | OOO\r\n\r\n4_1|1+2-3+1-4+3-2+4-|OVVO\n");
    ASSERT_TRUE(buono.ok()) << buono.error();
    ASSERT_EQ(buono->size(), 2u);
    EXPECT_EQ((*buono)[0].nome, "Trefoil");
    EXPECT_EQ((*buono)[0].txtNodo, "1-2+3-1+2-3+");
    EXPECT_EQ((*buono)[1].TxtOri, "OVVO");

    for (const char* testo : {"Trefoil|1-2+3-1+2-3+\n", "a|b|c\n|1-1+|O\n", "x|y|z|w\n"}) {
        const Result<std::vector<VoceCatalogo>> r = leggiCatalogoTesto(testo);
        EXPECT_FALSE(r.ok()) << testo;
        EXPECT_EQ(r.error().rfind("line ", 0), 0u) << r.error();
    }
    std::string lungo;
    for (int i = 0; i < 150; ++i) lungo += "k" + std::to_string(i) + "|1-1+|O\n";
    EXPECT_EQ(leggiCatalogoTesto(lungo)->size(), static_cast<std::size_t>(kMaxVociCatalogo));

    const Result<std::vector<VoceCatalogo>> mancante = CaricaTabellaNodiCodificati(
        std::filesystem::path(TREVALON_SOURCE_DIR) / "no-such-folder" / kFileCatalogo);
    EXPECT_FALSE(mancante.ok());
    EXPECT_NE(mancante.error().find("catalogue"), std::string::npos);
}

// The catalogue shipped beside the samples holds the named knots of the test table, as the table writes them.
TEST(Catalogue, TheShippedCatalogueHoldsTheNamedKnots) {
    const Result<std::vector<VoceCatalogo>> voci =
        CaricaTabellaNodiCodificati(std::filesystem::path(TREVALON_SOURCE_DIR) / "Knots" / kFileCatalogo);
    ASSERT_TRUE(voci.ok()) << voci.error();
    ASSERT_EQ(voci->size(), 13u);
    int riconosciuti = 0;
    for (const VoceCatalogo& v : *voci)
        for (const testsupport::NamedKnot& k : testsupport::namedKnots())
            if (v.txtNodo == k.gauss && v.TxtOri == k.letters) {
                ++riconosciuti;
                break;
            }
    EXPECT_EQ(riconosciuti, 13);
}

// The shipped catalogue reads the same whatever its line ends: LF, CR LF or CR alone (as every reader).
TEST(Catalogue, EveryLineEndReadsTheSameEntries) {
    std::ifstream in(std::filesystem::path(TREVALON_SOURCE_DIR) / "Knots" / kFileCatalogo, std::ios::binary);
    std::stringstream spedito;
    spedito << in.rdbuf();
    std::string lf = spedito.str();
    std::erase(lf, '\r');
    const Result<std::vector<VoceCatalogo>> atteso = leggiCatalogoTesto(lf);
    ASSERT_TRUE(atteso.ok() && atteso->size() == 13u);
    for (const char* fine : {"\r\n", "\r"}) {
        std::string testo;
        for (char ch : lf) testo += ch == '\n' ? std::string(fine) : std::string(1, ch);
        const Result<std::vector<VoceCatalogo>> letto = leggiCatalogoTesto(testo);
        ASSERT_TRUE(letto.ok()) << letto.error();
        ASSERT_EQ(letto->size(), atteso->size()) << "line end " << (fine[1] ? "CR LF" : "CR");
        for (std::size_t i = 0; i < letto->size(); ++i)
            EXPECT_EQ(std::tie((*letto)[i].nome, (*letto)[i].txtNodo, (*letto)[i].TxtOri),
                      std::tie((*atteso)[i].nome, (*atteso)[i].txtNodo, (*atteso)[i].TxtOri));
    }
    // A faulty line is named by its number with CR alone too.
    EXPECT_EQ(leggiCatalogoTesto("a|1-1+|O\rb|c\r").error().rfind("line 2: ", 0), 0u);
}

// A line longer than a catalogue line may be (63 MB of "|" once took a gigabyte to split) is refused by its
// number, before its fields are looked for; a file over 64 MB is refused as too large.
TEST(Catalogue, ALineOrAFileTooLargeIsRefusedSayingWhere) {
    const std::string troppo = " characters, longer than the 65536 a line may hold";
    const std::string barre(std::size_t{1} << 20, '|');
    const std::string lunga = "k|1-1+|" + std::string(kMaxRigaCatalogo - 6, 'O');  // 65537 characters
    struct Caso {
        const char* cosa;
        std::string testo;
        std::string atteso;
    };
    const Caso casi[] = {
        {"bars", barre, "line 1: a line of 1048576" + troppo},
        {"bars after an entry", "a|1-1+|O\r\n\r\n" + barre + "\r\n", "line 3: a line of 1048576" + troppo},
        {"one character too many", "a|1-1+|O\n" + lunga, "line 2: a line of 65537" + troppo},
        {"bars in a short line", "a|1-1+|O||",
         "line 1: a catalogue line holds a name, a Gauss code and its letters, split by \"|\""},
    };
    for (const Caso& c : casi) {
        const Result<std::vector<VoceCatalogo>> r = leggiCatalogoTesto(c.testo);
        ASSERT_FALSE(r.ok()) << c.cosa;
        EXPECT_EQ(r.error(), c.atteso) << c.cosa;
    }
    // One character less is a line.
    const Result<std::vector<VoceCatalogo>> alLimite = leggiCatalogoTesto(lunga.substr(0, lunga.size() - 1));
    ASSERT_TRUE(alLimite.ok()) << alLimite.error();
    EXPECT_EQ(alLimite->front().TxtOri.size(), kMaxRigaCatalogo - 7);

    // The catalogue read at the developer layout's start-up says which file and which line.
    const auto cartella =
        std::filesystem::temp_directory_path() / ("trevalon_catalogue_" + std::to_string(::getpid()));
    std::filesystem::create_directories(cartella);
    const auto file = cartella / kFileCatalogo;
    std::ofstream(file, std::ios::binary) << "Trefoil|1-2+3-1+2-3+|OOO\n" << barre;
    const Result<std::vector<VoceCatalogo>> barreNelFile = CaricaTabellaNodiCodificati(file);
    ASSERT_FALSE(barreNelFile.ok());
    EXPECT_EQ(barreNelFile.error(),
              "The catalogue of knots " + file.string() + " is faulty, line 2: a line of 1048576" + troppo);
    std::filesystem::resize_file(file, std::uintmax_t{64} * 1024 * 1024 + 1);  // sparse
    const Result<std::vector<VoceCatalogo>> grande = CaricaTabellaNodiCodificati(file);
    ASSERT_FALSE(grande.ok());
    EXPECT_EQ(grande.error(), "The catalogue of knots could not be read: " + file.string() +
                                  " is too large: 65 MB, at most 64 MB");
    std::filesystem::remove_all(cartella);
}

}  // namespace
}  // namespace trevalon
