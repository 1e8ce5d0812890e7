#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "platform/safe_file.h"
#include "platform/text.h"
#include "support/ordinary_user.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

// A folder of this test's own, emptied at the end.
struct Folder {
    fs::path path;
    explicit Folder(const std::string& name) {
        path = fs::temp_directory_path() / ("trevalon_safe_" + name + "_" + std::to_string(::getpid()));
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~Folder() {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path, ec);
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(path)) out.push_back(e.path().filename().string());
        return out;
    }
};

std::string contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void put(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

// Write calls that fail as a full or broken disk does: at once, or after part of the bytes.
ssize_t diskFull(int, const void*, std::size_t) {
    errno = ENOSPC;
    return -1;
}
ssize_t failsAfterFewBytes(int fd, const void* buffer, std::size_t count) {
    static thread_local int calls = 0;
    if (++calls % 2 == 1) return ::write(fd, buffer, std::min<std::size_t>(count, 3));
    errno = EIO;
    return -1;
}

// Runs write as a user without privileges, so that the folder's permissions bind it (see
// support/ordinary_user.h), and hands back its failure's reason.
Status asUnprivilegedUser(const std::vector<fs::path>& owned, const std::function<Status()>& write) {
    const testsupport::EsitoUtenteComune e = testsupport::comeUtenteComune(owned, [&] {
        const Status s = write();
        return s.ok() ? std::string() : "refused:" + s.error();
    });
    if (!e.errore.empty()) return fail(e.errore);
    if (e.risposta.empty()) return {};
    return fail(e.risposta.substr(std::string("refused:").size()));
}

TEST(SafeFile, AFailedWriteKeepsTheOldFileByteIdenticalAndSaysWhy) {
    const std::string old = "GaussCode=1,-2,3,-1,2,-3\r\nIndices=1,1,1\r\n";
    const std::string fresh(100000, 'x');
    struct Case {
        std::string name;
        std::string reason;  // the system's reason the failure must give
        std::function<Status(const fs::path& target, const Folder& folder)> write;
    };
    const std::vector<Case> cases = {
        {"full disk", "No space left on device",
         [&](const fs::path& t, const Folder&) {
             return replaceFileContents(t, fresh, TargetName::Chosen, diskFull);
         }},
        {"write breaks halfway", "Input/output error",
         [&](const fs::path& t, const Folder&) {
             return replaceFileContents(t, fresh, TargetName::Chosen, failsAfterFewBytes);
         }},
        {"folder does not exist", "No such file or directory",
         [&](const fs::path& t, const Folder&) {
             return replaceFileContents(t.parent_path() / "missing" / t.filename(), fresh);
         }},
        // The file itself may be written by its owner: only a write through a temporary file fails here.
        {"read-only folder", "Permission denied",
         [&](const fs::path& t, const Folder& f) {
             fs::permissions(f.path, fs::perms::owner_read | fs::perms::owner_exec);
             const Status s = asUnprivilegedUser({f.path, t}, [&] { return replaceFileContents(t, fresh); });
             fs::permissions(f.path, fs::perms::owner_all);
             return s;
         }},
        {"producer fails", "the workbook cannot be created",
         [&](const fs::path& t, const Folder&) {
             return replaceFileWith(t, [&](const fs::path& temporary) -> Status {
                 put(temporary, fresh);  // a partial file that must not survive
                 return fail("the workbook cannot be created");
             });
         }},
        {"producer's file vanished", "No such file or directory",
         [&](const fs::path& t, const Folder&) {
             return replaceFileWith(t, [&](const fs::path& temporary) -> Status {
                 fs::remove(temporary);
                 return {};
             });
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Folder folder("w");
        const fs::path target = folder.path / "knot.kno";
        put(target, old);
        const Status s = c.write(target, folder);
        ASSERT_FALSE(s.ok());
        EXPECT_EQ(s.error(), c.reason);
        EXPECT_EQ(contents(target), old);
        EXPECT_EQ(folder.names(), std::vector<std::string>{"knot.kno"}) << "a temporary file was left";
    }
}

TEST(SafeFile, ACompleteWriteReplacesTheFileKeepingItsModeAndItsLink) {
    Folder folder("ok");
    const fs::path real = folder.path / "real.gau", link = folder.path / "link.gau";
    put(real, "old");
    ::chmod(real.c_str(), 0640);
    fs::create_symlink(real, link);
    ASSERT_TRUE(replaceFileContents(link, "new contents").ok());
    EXPECT_EQ(contents(real), "new contents");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(replaceFileWith(folder.path / "new.xlsx", [](const fs::path& t) -> Status {
                    put(t, "zip");
                    return {};
                }).ok());
    EXPECT_EQ(contents(folder.path / "new.xlsx"), "zip");
    EXPECT_EQ(folder.names().size(), 3u);
}

// What the folders hold, one "name=contents" or "name->target" (a link) for each entry, sorted.
std::string listing(const std::vector<fs::path>& folders) {
    std::vector<std::string> held;
    for (const fs::path& f : folders)
        for (const auto& e : fs::directory_iterator(f))
            held.push_back(e.path().filename().string() + (fs::is_symlink(e.symlink_status())
                                                               ? "->" + fs::read_symlink(e.path()).string()
                                                               : "=" + contents(e.path())));
    std::sort(held.begin(), held.end());
    std::string line;
    for (const std::string& h : held) line += (line.empty() ? "" : " ") + h;
    return line;
}

// Who may replace what. An existing file the user may not write is refused, read-only, and stays
// byte-identical with its mode, written as an ordinary user whose folder it is (the rename would replace it
// all the same); the superuser may. At a name of the program's making a symbolic link is refused, also a
// dangling one, and what it leads to stays as it is; at a name chosen in a dialog the link is followed and
// stays a link. Each case through both writers; checkReplaceable says the same and writes nothing.
TEST(SafeFile, AReadOnlyFileIsKeptAndOnlyAChosenNameIsWrittenThroughALink) {
    enum Via { Contents, With, Check };
    struct Case {
        std::string name;
        std::function<void(const fs::path& knots, const fs::path& elsewhere)> prepare;
        std::string target;  // in knots
        TargetName who;
        bool ordinaryUser;
        std::string reason;  // the refusal's; empty: written
        std::string after;   // what the folders hold after the write (see listing); a refusal leaves them
    };
    const auto link = [](const std::string& to, const std::string& name) {
        return [to, name](const fs::path& knots, const fs::path&) { fs::create_symlink(to, knots / name); };
    };
    const auto readOnly = [](const fs::path& file) {
        put(file, "old");
        ::chmod(file.c_str(), 0444);
    };
    const auto readOnlyKnot = [&](const fs::path& k, const fs::path&) { readOnly(k / "knot.kno"); };
    std::vector<Case> cases = {
        {"read-only file, chosen name", readOnlyKnot, "knot.kno", TargetName::Chosen, true, "it is read-only",
         ""},
        {"read-only file, derived name", readOnlyKnot, "knot.kno", TargetName::Derived, true,
         "it is read-only", ""},
        {"chosen link to a read-only file",
         [&](const fs::path& k, const fs::path& e) {
             readOnly(e / "ro.txt");
             fs::create_symlink("../elsewhere/ro.txt", k / "link.kno");
         },
         "link.kno", TargetName::Chosen, true, "it is read-only", ""},
        {"derived name, link to outside", link("../elsewhere/notes.txt", "name.kno"), "name.kno",
         TargetName::Derived, true, "it is a symbolic link", ""},
        {"derived name, dangling link", link("../elsewhere/new.txt", "name.kno"), "name.kno",
         TargetName::Derived, true, "it is a symbolic link", ""},
        {"derived name, link beside it", link("other.kno", "name.kno"), "name.kno", TargetName::Derived,
         false, "it is a symbolic link", ""},
        {"chosen name, link to outside", link("../elsewhere/notes.txt", "name.kno"), "name.kno",
         TargetName::Chosen, true, "", "name.kno->../elsewhere/notes.txt notes.txt=new"},
        {"chosen name, dangling link", link("../elsewhere/new.txt", "name.kno"), "name.kno",
         TargetName::Chosen, true, "", "name.kno->../elsewhere/new.txt new.txt=new notes.txt=secret"},
        {"derived name, new file", [](const fs::path&, const fs::path&) {}, "name.kno", TargetName::Derived,
         true, "", "name.kno=new notes.txt=secret"},
        {"derived name, old file", [](const fs::path& k, const fs::path&) { put(k / "name.kno", "old"); },
         "name.kno", TargetName::Derived, true, "", "name.kno=new notes.txt=secret"},
    };
    if (::geteuid() == 0)
        cases.push_back({"read-only file, the superuser", readOnlyKnot, "knot.kno", TargetName::Chosen, false,
                         "", "knot.kno=new notes.txt=secret"});
    for (const Case& c : cases)
        for (const Via via : {Contents, With, Check}) {
            SCOPED_TRACE(c.name + (via == Contents ? ", replaceFileContents"
                                   : via == With   ? ", replaceFileWith"
                                                   : ", checkReplaceable"));
            Folder folder("who");
            const fs::path knots = folder.path / "knots", elsewhere = folder.path / "elsewhere";
            fs::create_directories(knots);
            fs::create_directories(elsewhere);
            put(elsewhere / "notes.txt", "secret");
            c.prepare(knots, elsewhere);
            const std::string before = listing({knots, elsewhere});
            std::vector<fs::path> owned;
            for (const fs::path& f : {knots, elsewhere}) {
                owned.push_back(f);
                for (const auto& e : fs::directory_iterator(f)) owned.push_back(e.path());
            }
            const fs::path target = knots / c.target;
            const auto write = [&]() -> Status {
                switch (via) {
                    case Contents:
                        return replaceFileContents(target, "new", c.who);
                    case With:
                        return replaceFileWith(
                            target,
                            [](const fs::path& temporary) -> Status {
                                put(temporary, "new");
                                return {};
                            },
                            c.who);
                    case Check:
                        break;
                }
                return checkReplaceable(target, c.who);
            };
            const Status s = c.ordinaryUser ? asUnprivilegedUser(owned, write) : write();
            EXPECT_EQ(s.ok() ? std::string() : s.error(), c.reason);
            EXPECT_EQ(listing({knots, elsewhere}), c.reason.empty() && via != Check ? c.after : before);
            if (c.reason == "it is read-only") {
                EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
                          fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
            }
        }
}

// A target that is not a regular file is refused, also through a link, and nothing is created or replaced;
// a dangling link is written through to the file it names; a loop of links is said to be one.
TEST(SafeFile, SpecialTargetsAreRefusedAndLinksAreFollowed) {
    Folder folder("special");
    const fs::path fifo = folder.path / "pipe.kno", toFifo = folder.path / "to_pipe.kno",
                   sub = folder.path / "sub", loop = folder.path / "loop.kno",
                   dangling = folder.path / "new.kno";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink(fifo, toFifo);
    fs::create_directory(sub);
    fs::create_symlink("loop.kno", loop);
    fs::create_symlink("sub/made.kno", dangling);
    for (const auto& [target, reason] :
         std::vector<std::pair<fs::path, std::string>>{{fifo, "it is not a regular file"},
                                                       {toFifo, "it is not a regular file"},
                                                       {sub, "it is a folder"},
                                                       {loop, "it is a loop of symbolic links"}}) {
        SCOPED_TRACE(target.string());
        const Status s = replaceFileContents(target, "Object=1,1,1|");
        EXPECT_EQ(s.error(), reason);
        EXPECT_EQ(replaceFileWith(target, [](const fs::path&) -> Status { return {}; }).error(), reason);
    }
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo)));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(toFifo)));
    EXPECT_TRUE(fs::is_empty(sub));

    ASSERT_TRUE(replaceFileContents(dangling, "made").ok());
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dangling)));
    EXPECT_EQ(contents(sub / "made.kno"), "made");
    std::vector<std::string> names = folder.names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"loop.kno", "new.kno", "pipe.kno", "sub", "to_pipe.kno"}));
    EXPECT_EQ(fs::directory_iterator(sub)->path().filename(), "made.kno");
}

// The temporary name is cut to the folder's limit on a name, never the name saved: the longest name the
// folder takes is saved, and replaced again, with no temporary file left beside it.
TEST(SafeFile, TheLongestNameTheFolderTakesIsSaved) {
    Folder folder("long");
    const long limit = ::pathconf(folder.path.c_str(), _PC_NAME_MAX);
    ASSERT_GT(limit, 20);
    for (const std::size_t length : {std::size_t{250}, static_cast<std::size_t>(limit)}) {
        const fs::path target = folder.path / (std::string(length - 4, 'k') + ".kno");
        ASSERT_TRUE(replaceFileContents(target, "first").ok()) << length;
        ASSERT_TRUE(replaceFileContents(target, "second").ok()) << length;
        EXPECT_EQ(contents(target), "second");
        EXPECT_EQ(folder.names(), std::vector<std::string>{target.filename().string()});
        fs::remove(target);
    }
}

TEST(SafeFile, OnlyRegularFilesUpToTheCapAreRead) {
    Folder folder("r");
    const fs::path knot = folder.path / "knot.gau", fifo = folder.path / "pipe.gau",
                   zero = folder.path / "zero.gau", big = folder.path / "big.gau",
                   sub = folder.path / "sub.gau", loop = folder.path / "loop.gau";
    fs::create_symlink("loop.gau", loop);
    put(knot, "GaussCode=1,-1\n");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", zero);
    fs::create_directory(sub);
    put(big, "");
    fs::resize_file(big, 70u * 1024u * 1024u);  // sparse: no disk used
    // Names the system refuses: a part longer than a folder takes, a path longer than the system takes.
    const fs::path longPart = folder.path / (std::string(300, 'k') + ".gau");
    std::string deep;
    while (deep.size() < 4200) deep += "folder/";
    const fs::path longPath = folder.path / deep / "k.gau";
    struct Case {
        fs::path path;
        ReadRefusal refusal;
        std::string message;
    };
    const std::vector<Case> cases = {
        {knot, ReadRefusal::None, ""},
        {folder.path / "missing.gau", ReadRefusal::Missing,
         "File not found:" + (folder.path / "missing.gau").string()},
        {sub, ReadRefusal::Folder, sub.string() + " is a folder"},
        {loop, ReadRefusal::LinkLoop, loop.string() + " is a loop of symbolic links"},
        {fifo, ReadRefusal::NotRegular, fifo.string() + " is not a regular file"},
        {zero, ReadRefusal::NotRegular, zero.string() + " is not a regular file"},
        {big, ReadRefusal::TooLarge, big.string() + " is too large: 70 MB, at most 64 MB"},
        {longPart, ReadRefusal::NameTooLong,
         "The name is too long for the system: " + citazione(longPart.string())},
        {longPath, ReadRefusal::NameTooLong,
         "The name is too long for the system: " + citazione(longPath.string())},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.string());
        const FileRead r = readRegularFile(c.path);
        EXPECT_EQ(r.refusal, c.refusal);
        EXPECT_EQ(readRefusalMessage(r, c.path.string()), c.message);
        EXPECT_EQ(r.bytes, c.refusal == ReadRefusal::None ? "GaussCode=1,-1\n" : "");
    }
    // A cap smaller than the file: refused even when the file's size says nothing (it grew, or is /proc's).
    EXPECT_EQ(readRegularFile(knot, 4).refusal, ReadRefusal::TooLarge);
    EXPECT_EQ(readRegularFile("/proc/self/status", 4).refusal, ReadRefusal::TooLarge);
}

// A limit on a file's size, as a shell's "ulimit -f" sets it, met by a save: with the signal ignored as the
// programs ignore it from their start, the save fails with the system's reason and the old file stays, with
// no temporary file beside it. Run in a child process, whose limit and signal are its own; without the
// signal ignored the child is ended by it.
TEST(SafeFile, AFileSizeLimitFailsTheWriteInsteadOfEndingTheProgram) {
    Folder dir("fsize");
    const fs::path target = dir.path / "knot.kno";
    put(target, "old");
    std::fflush(nullptr);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ignoraLimiteDimensioneFile();
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(10);
        const Status s = replaceFileContents(target, std::string(100000, 'x'));
        if (s.ok()) ::_exit(11);
        if (s.error() != std::error_code(EFBIG, std::generic_category()).message()) ::_exit(12);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_FALSE(WIFSIGNALED(status)) << "ended by signal " << WTERMSIG(status);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(contents(target), "old");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"knot.kno"});
}

}  // namespace
}  // namespace trevalon
