#include "designer/picture_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "designer/compiler.h"
#include "designer_fixtures.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

const std::string kGif = std::string("GIF89a\x02\x00\x02\x00", 10) + "picture";
const std::string kPng = std::string("\x89PNG\r\n\x1A\n", 8) + "picture";

std::string contenuto(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void scrivi(const fs::path& p, const std::string& testo) {
    std::ofstream(p, std::ios::binary) << testo;
}

class Immagini : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("designer_picture_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "knots");
    }
    void TearDown() override { fs::remove_all(dir); }

    std::vector<std::string> nomi(const fs::path& cartella) const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(cartella)) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

    fs::path dir;
};

TEST(FormatoImmagine, ToldByTheFirstBytesOnly) {
    const std::pair<std::string, FormatoImmagine> casi[] = {
        {kGif, FormatoImmagine::Gif},
        {"GIF87a", FormatoImmagine::Gif},
        {"\xFF\xD8\xFF\xE0", FormatoImmagine::Jpeg},
        {kPng, FormatoImmagine::Png},
        {"BM\x36\x00", FormatoImmagine::Bmp},
        {"GIF8", FormatoImmagine::Nessuno},
        {"root:x:0:0:root:/root:/bin/bash\n", FormatoImmagine::Nessuno},
        {"23,33,Source=,Size=1\r\n", FormatoImmagine::Nessuno},
        {"Object=1,1,7|", FormatoImmagine::Nessuno},
        {"", FormatoImmagine::Nessuno},
    };
    for (const auto& [bytes, formato] : casi) EXPECT_EQ(formatoImmagine(bytes), formato) << bytes;
}

// A relative name is the source's folder's, whatever folder the program works in; then the picture is
// looked for beside the source under its last name.
TEST(CandidatiImmagine, ARelativeNameIsTakenFromTheSourcesFolder) {
    EXPECT_EQ(candidatiImmagine("pics/a.png", "/k"), (std::vector<fs::path>{"/k/pics/a.png", "/k/a.png"}));
    EXPECT_EQ(candidatiImmagine("../../etc/passwd", "/home/ann/knots"),
              (std::vector<fs::path>{"/home/ann/knots/../../etc/passwd", "/home/ann/knots/passwd"}));
    EXPECT_EQ(candidatiImmagine("/pics/a.png", "/k"), (std::vector<fs::path>{"/pics/a.png", "/k/a.png"}));
    EXPECT_EQ(candidatiImmagine("a.png", "/k"), (std::vector<fs::path>{"/k/a.png"}));
    EXPECT_EQ(candidatiImmagine("a.png", ""), (std::vector<fs::path>{"a.png"}));
    EXPECT_TRUE(candidatiImmagine("", "/k").empty());
}

// Lets a reader that waits on `fifo` for a writer go, should one still wait after some seconds: a writer
// opens the FIFO and closes it at once (which only succeeds while a reader has it open), and `sbloccato`
// says so. A search that waits on the FIFO then fails instead of hanging.
class GuardiaFifo {
  public:
    GuardiaFifo(fs::path fifo, bool& sbloccato)
        : fifo_(std::move(fifo)), sbloccato_(sbloccato), filo_([this] { guarda(); }) {}
    GuardiaFifo(const GuardiaFifo&) = delete;
    GuardiaFifo& operator=(const GuardiaFifo&) = delete;
    ~GuardiaFifo() {
        {
            const std::lock_guard<std::mutex> lock(m_);
            finito_ = true;
        }
        fatto_.notify_all();
        filo_.join();
    }

  private:
    void guarda() {
        std::unique_lock<std::mutex> lock(m_);
        for (auto attesa = std::chrono::seconds(30);
             !fatto_.wait_for(lock, attesa, [this] { return finito_; }); attesa = std::chrono::seconds(1)) {
            const int fd = ::open(fifo_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                sbloccato_ = true;
                ::close(fd);
            }
        }
    }

    fs::path fifo_;
    bool& sbloccato_;  // written by the thread, read once it has been joined
    std::mutex m_;
    std::condition_variable fatto_;
    bool finito_ = false;
    std::thread filo_;  // last: starts once everything it reads is there
};

// What a source may name as its picture: only a regular file holding a picture is taken; a FIFO is
// refused at once, without waiting for a writer.
TEST_F(Immagini, OnlyARegularPictureIsFoundAndAFifoIsNeverWaitedOn) {
    scrivi(dir / "knots" / "pic.gif", kGif);
    scrivi(dir / "knots" / "t.kno", "Object=1,1,7|");
    scrivi(dir / "notes.txt", "secret");
    ASSERT_EQ(::mkfifo((dir / "knots" / "fifo.gif").c_str(), 0600), 0);
    const fs::path knots = dir / "knots";
    struct Caso {
        std::string nome;
        std::string motivo;  // empty: found
    };
    const Caso casi[] = {
        {"pic.gif", ""},
        {(knots / "pic.gif").string(), ""},
        {"../notes.txt", "it is not a GIF, JPEG, PNG or BMP picture"},
        {"t.kno", "it is not a GIF, JPEG, PNG or BMP picture"},
        {"/proc/self/environ", "it is not a GIF, JPEG, PNG or BMP picture"},
        {"fifo.gif", "it is not a regular file"},
        {"/dev/zero", "it is not a regular file"},
        {"..", "it is a folder"},
        {"gone.gif", "there is no such file"},
    };
    bool sbloccato = false;
    {
        const GuardiaFifo guardia(knots / "fifo.gif", sbloccato);
        for (const Caso& c : casi) {
            const ImmagineTrovata t = cercaImmagine(c.nome, knots);
            EXPECT_EQ(t.motivo, c.motivo) << c.nome;
            EXPECT_EQ(t.percorso.empty(), !c.motivo.empty()) << c.nome;
            if (c.motivo.empty()) {
                EXPECT_EQ(t.bytes, kGif);
            }
        }
    }
    EXPECT_FALSE(sbloccato) << "the FIFO was waited on for a writer";
    // The window's decoder has the last word.
    EXPECT_EQ(cercaImmagine("pic.gif", knots, [](const std::string&) { return false; }).motivo,
              "the picture cannot be decoded");
    // A picture moved beside its source is found there under its last name.
    EXPECT_EQ(cercaImmagine("/elsewhere/pic.gif", knots).percorso, knots / "pic.gif");
}

TEST(MessaggioImmagine, ALongNameIsQuotedShort) {
    const std::string nome(1 << 20, 'p');
    const std::string m = messaggioImmagineNonCaricata(nome, "there is no such file");
    EXPECT_LT(m.size(), 250u);
    EXPECT_NE(m.find("could not be loaded (there is no such file)"), std::string::npos) << m;
}

// The copy lands only beside the source, under a picture's extension, and never over the source or a file
// that is not a picture; a copy refused says why and writes nothing.
TEST_F(Immagini, TheCopyNeverReplacesTheSourceTheKnotFileOrAnythingButAPicture) {
    const fs::path knots = dir / "knots";
    scrivi(dir / "pic.gif", kGif);
    scrivi(dir / "raw", kPng);
    EXPECT_EQ(CopiaImg(dir / "pic.gif", knots / "a.kns"), "");
    EXPECT_EQ(contenuto(knots / "a.gif"), kGif);
    // A picture with no extension takes its kind's; an old copy is replaced.
    scrivi(knots / "b.png", kPng + "old");
    fs::path copiata;
    EXPECT_EQ(CopiaImg(dir / "raw", knots / "b.kns", &copiata), "");
    EXPECT_EQ(copiata, knots / "b.png");
    EXPECT_EQ(contenuto(knots / "b.png"), kPng);

    struct Caso {
        const char* prova;
        fs::path sorgente;
        std::function<void()> prepara;
        std::string atteso;  // in the warning
    };
    const Caso casi[] = {
        {"source named like a picture", knots / "c.gif", [&] { scrivi(knots / "c.gif", "source"); },
         "is the knot source itself"},
        {"a text file where the copy goes", knots / "d.kns", [&] { scrivi(knots / "d.gif", "notes"); },
         "is there and is not a picture"},
        {"a link to the knot file where the copy goes", knots / "e.kns",
         [&] {
             scrivi(knots / "e.kno", "Object=1,1,7|");
             fs::create_symlink(knots / "e.kno", knots / "e.gif");
         },
         "could not be written: it is a symbolic link."},
        {"a folder where the copy goes", knots / "f.kns", [&] { fs::create_directories(knots / "f.gif"); },
         "is there and is not a picture"},
    };
    for (const Caso& c : casi) {
        c.prepara();
        const auto prima = nomi(knots);
        std::vector<std::string> contenuti;
        for (const std::string& n : prima)
            if (fs::is_regular_file(knots / n)) contenuti.push_back(contenuto(knots / n));
        const std::string avviso = CopiaImg(dir / "pic.gif", c.sorgente);
        EXPECT_NE(avviso.find(c.atteso), std::string::npos) << c.prova << ": " << avviso;
        EXPECT_EQ(nomi(knots), prima) << c.prova;
        std::vector<std::string> dopo;
        for (const std::string& n : prima)
            if (fs::is_regular_file(knots / n)) dopo.push_back(contenuto(knots / n));
        EXPECT_EQ(dopo, contenuti) << c.prova;
    }
    // The picture shown was replaced by another file before the compilation: it is not copied.
    scrivi(dir / "pic.gif", "root:x:0:0");
    EXPECT_NE(CopiaImg(dir / "pic.gif", knots / "g.kns").find("is not a GIF, JPEG, PNG or BMP picture"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(knots / "g.gif"));
}

}  // namespace
}  // namespace trevalon
