#include "model/catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>

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

}  // namespace
}  // namespace trevalon
