#include <grp.h>
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

// Runs write as a user without privileges, so that the folder's permissions bind it: as root (the way CI
// runs) in a child process that becomes "nobody", owner of the given paths, and hands back the failure's
// reason through a pipe; as anyone else directly.
Status asUnprivilegedUser(const std::vector<fs::path>& owned, const std::function<Status()>& write) {
    if (::geteuid() != 0) return write();
    constexpr uid_t kNobody = 65534;
    for (const fs::path& p : owned)
        if (::chown(p.c_str(), kNobody, kNobody) != 0)
            return fail("cannot give " + p.string() + " to nobody");
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return fail("no pipe");
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) return fail("no child process");
    if (child == 0) {
        ::close(pipeEnds[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(10);
        const Status s = write();
        const std::string reason = s.ok() ? "" : s.error();
        if (::write(pipeEnds[1], reason.data(), reason.size()) != static_cast<ssize_t>(reason.size()))
            ::_exit(11);
        ::_exit(s.ok() ? 0 : 1);
    }
    ::close(pipeEnds[1]);
    std::string reason;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        reason.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) > 1)
        return fail("the child process failed: status " + std::to_string(status));
    if (WEXITSTATUS(status) == 0) return {};
    return fail(reason);
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
         [&](const fs::path& t, const Folder&) { return replaceFileContents(t, fresh, diskFull); }},
        {"write breaks halfway", "Input/output error",
         [&](const fs::path& t, const Folder&) { return replaceFileContents(t, fresh, failsAfterFewBytes); }},
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
