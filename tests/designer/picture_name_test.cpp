// A picture name longer than the system takes (a part longer than a folder takes, or a whole path longer
// than the system takes) is said to be too long, never "there is no such file": where the designer looks
// for its picture and where the compiler copies it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "designer/picture_file.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

const std::string kGif = std::string("GIF89a\x02\x00\x02\x00", 10) + "picture";

class NomiLunghi : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("designer_long_names_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "pics");
        std::ofstream(dir / "pics" / "pic.gif", std::ios::binary) << kGif;
        std::string profondo;
        while (profondo.size() < 4200) profondo += "folder/";
        parteLunga = (dir / (std::string(300, 'p') + ".gif")).string();
        percorsoLungo = (dir / profondo / "pic.gif").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path dir;
    std::string parteLunga, percorsoLungo;
};

TEST_F(NomiLunghi, ThePictureLookedForOrCopiedSaysItsNameIsTooLong) {
    const std::string motivo = "the name is too long for the system";
    for (const std::string& nome : {parteLunga, percorsoLungo}) {
        SCOPED_TRACE(nome.size());
        // The designer's picture: the reason and the message it shows.
        const ImmagineTrovata t = cercaImmagine(nome, dir);
        EXPECT_TRUE(t.percorso.empty());
        EXPECT_EQ(t.motivo, motivo);
        EXPECT_NE(messaggioImmagineNonCaricata(nome, t.motivo).find("could not be loaded (" + motivo + ")"),
                  std::string::npos);
        // Relative, it is looked for beside the source too (by its last part, not there): the first place
        // says why.
        EXPECT_EQ(cercaImmagine(fs::path(nome).lexically_relative(dir).string(), dir).motivo, motivo);
        // The picture copy.
        const std::string avviso = CopiaImg(nome, dir / "a.kns");
        EXPECT_TRUE(avviso.ends_with(": " + motivo + ".")) << avviso;
        EXPECT_FALSE(fs::exists(dir / "a.gif"));
    }
    // A copy whose own name would be too long (the source's base name with the picture's extension) is not
    // taken for a file that is there: it could not be written, with the system's reason.
    const fs::path sorgente = dir / (std::string(252, 's') + ".kn");
    const std::string avviso = CopiaImg(dir / "pics" / "pic.gif", sorgente);
    EXPECT_NE(avviso.find("could not be written: File name too long."), std::string::npos) << avviso;
}

}  // namespace
}  // namespace trevalon
