#include "model/catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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

}  // namespace
}  // namespace trevalon
