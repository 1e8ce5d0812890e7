#include "platform/safe_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

#include "platform/text.h"

namespace trevalon {

namespace fs = std::filesystem;

namespace {

std::string reasonOf(int err) {
    return std::error_code(err, std::generic_category()).message();
}

// Closes a descriptor once.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { close(); }
    int get() const { return fd_; }
    // 0, or the errno of a failed close (a write-back error can first show here).
    int close() {
        if (fd_ < 0) return 0;
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0 ? 0 : errno;
    }

  private:
    int fd_;
};

// Links followed before a chain of them counts as a loop (the system's own limit, SYMLOOP_MAX, is 40).
constexpr int kMaxLinks = 40;

constexpr const char* kLinkLoop = "it is a loop of symbolic links";

// The file a write replaces: a symbolic link at a chosen name is followed to its target, so that the link
// stays a link, and a dangling link's target is created. Refused: an existing file the running user may not
// write (the rename would replace it all the same, as the folder is the user's), a target that is, or leads
// to, a folder, a FIFO, a device or a socket (replacing one by a regular file would break what uses it), a
// loop of links, and a link at a name of the program's making.
Result<fs::path> resolvedTarget(const fs::path& target, TargetName name) {
    fs::path file = target;
    for (int links = 0;; ++links) {
        struct stat st {};
        if (::lstat(file.c_str(), &st) != 0) {
            const int e = errno;
            if (e == ENOENT) return file;  // a new file: creating it says whether its folder exists
            return fail(e == ELOOP ? kLinkLoop : reasonOf(e));
        }
        if (S_ISREG(st.st_mode)) {
            // As the running user: the superuser may write any file, and is let.
            if (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES)
                return fail("it is read-only");
            return file;
        }
        if (S_ISDIR(st.st_mode)) return fail("it is a folder");
        if (!S_ISLNK(st.st_mode)) return fail("it is not a regular file");
        if (name == TargetName::Derived) return fail("it is a symbolic link");
        if (links == kMaxLinks) return fail(kLinkLoop);
        std::error_code ec;
        const fs::path next = fs::read_symlink(file, ec);
        if (ec) return fail(ec.message());
        file = next.is_absolute() ? next : file.parent_path() / next;
    }
}

// A temporary name beside target that no other file has: created with O_EXCL. The name is the target's
// with a dot before it and a number after it, the target's part cut short where the whole would pass the
// folder's limit on a name's length.
int createTemporary(const fs::path& target, fs::path& temporary, int& err) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    const std::size_t maxName = limit > 0 ? static_cast<std::size_t>(limit) : 255;
    const std::string name = target.filename().string();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string tail = "." + std::to_string(random() % 1000000000u) + ".tmp";
        const std::size_t room = maxName > tail.size() + 1 ? maxName - tail.size() - 1 : 0;
        temporary = folder / ("." + name.substr(0, room) + tail);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        err = errno;
        if (err != EEXIST) return -1;
    }
    return -1;
}

// The mode of the file being replaced goes to its replacement; a new file keeps the umask's mode.
void keepMode(int fd, const fs::path& target) {
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);
}

int syncFolder(const fs::path& target) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return 0;  // the file is in place; a folder we cannot open is not a failed write
    ::fsync(fd);
    ::close(fd);
    return 0;
}

}  // namespace

void ignoraLimiteDimensioneFile() {
    struct sigaction ignora {};
    ignora.sa_handler = SIG_IGN;
    sigemptyset(&ignora.sa_mask);
    ::sigaction(SIGXFSZ, &ignora, nullptr);
}

Status checkReplaceable(const fs::path& target, TargetName name) {
    const Result<fs::path> resolved = resolvedTarget(target, name);
    if (!resolved) return fail(resolved.error());
    return {};
}

Status replaceFileContents(const fs::path& target, std::string_view bytes, TargetName name, WriteCall write) {
    if (!write) write = ::write;
    const Result<fs::path> resolved = resolvedTarget(target, name);
    if (!resolved) return fail(resolved.error());
    const fs::path& file = *resolved;
    fs::path temporary;
    int err = 0;
    Descriptor fd(createTemporary(file, temporary, err));
    if (fd.get() < 0) return fail(reasonOf(err));
    auto abandon = [&](int e) -> Status {
        fd.close();
        ::unlink(temporary.c_str());
        return fail(reasonOf(e));
    };
    keepMode(fd.get(), file);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return abandon(errno);
        }
        if (n == 0) return abandon(ENOSPC);
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.get()) != 0) return abandon(errno);
    if (const int e = fd.close(); e != 0) {
        ::unlink(temporary.c_str());
        return fail(reasonOf(e));
    }
    if (::rename(temporary.c_str(), file.c_str()) != 0) {
        const int e = errno;
        ::unlink(temporary.c_str());
        return fail(reasonOf(e));
    }
    syncFolder(file);
    return {};
}

Status replaceFileWith(const fs::path& target,
                       const std::function<Status(const fs::path& temporary)>& produce, TargetName name) {
    const Result<fs::path> resolved = resolvedTarget(target, name);
    if (!resolved) return fail(resolved.error());
    const fs::path& file = *resolved;
    fs::path temporary;
    {
        // The name is taken here, so that no other file can have it; produce writes over the empty file.
        int err = 0;
        Descriptor fd(createTemporary(file, temporary, err));
        if (fd.get() < 0) return fail(reasonOf(err));
        keepMode(fd.get(), file);
    }
    auto abandon = [&](std::string reason) -> Status {
        ::unlink(temporary.c_str());
        return fail(std::move(reason));
    };
    Status produced = produce(temporary);
    if (!produced) return abandon(produced.error());
    // The producer closed its file; it is flushed to the disk before it takes the target's place.
    {
        Descriptor fd(::open(temporary.c_str(), O_RDONLY | O_CLOEXEC));
        if (fd.get() < 0) return abandon(reasonOf(errno));
        if (::fsync(fd.get()) != 0) return abandon(reasonOf(errno));
    }
    if (::rename(temporary.c_str(), file.c_str()) != 0) return abandon(reasonOf(errno));
    syncFolder(file);
    return {};
}

FileRead readRegularFile(const fs::path& path, std::uintmax_t maxBytes) {
    FileRead out;
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        const int e = errno;
        if (e == ELOOP) {
            out.refusal = ReadRefusal::LinkLoop;
        } else if (e == ENOENT || e == ENOTDIR) {
            out.refusal = ReadRefusal::Missing;
        } else if (e == ENAMETOOLONG) {
            out.refusal = ReadRefusal::NameTooLong;
        } else {
            out.refusal = ReadRefusal::Unreadable;
            out.reason = reasonOf(e);
        }
        return out;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        out.refusal = ReadRefusal::Unreadable;
        out.reason = reasonOf(errno);
        return out;
    }
    if (S_ISDIR(st.st_mode)) {
        out.refusal = ReadRefusal::Folder;
        return out;
    }
    if (!S_ISREG(st.st_mode)) {
        out.refusal = ReadRefusal::NotRegular;
        return out;
    }
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
        out.refusal = ReadRefusal::TooLarge;
        out.size = static_cast<std::uintmax_t>(st.st_size);
        return out;
    }
    // One byte more than the size said, so that the end of an unchanged file is met without growing.
    out.bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t done = 0;
    for (;;) {
        if (done == out.bytes.size()) {
            // The file may have grown since fstat: read on, a block at a time, up to one byte over the cap.
            if (done > maxBytes) break;
            out.bytes.resize(static_cast<std::size_t>(std::min<std::uintmax_t>(done + 65536, maxBytes + 1)));
        }
        const ssize_t n = ::read(fd.get(), out.bytes.data() + done, out.bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            out.refusal = ReadRefusal::Unreadable;
            out.reason = reasonOf(errno);
            out.bytes.clear();
            return out;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    out.bytes.resize(done);
    if (done > maxBytes) {
        out.refusal = ReadRefusal::TooLarge;
        out.size = done;
        out.bytes.clear();
    }
    return out;
}

std::string readRefusalMessage(const FileRead& read, const std::string& path, std::uintmax_t maxBytes) {
    constexpr std::uintmax_t kMiB = std::uintmax_t{1024} * 1024;
    switch (read.refusal) {
        case ReadRefusal::None:
            return {};
        case ReadRefusal::Missing:
            return "File not found:" + path;
        case ReadRefusal::Folder:
            return path + " is a folder";
        case ReadRefusal::LinkLoop:
            return path + " is a loop of symbolic links";
        case ReadRefusal::NotRegular:
            return path + " is not a regular file";
        case ReadRefusal::TooLarge:
            return path + " is too large: " + std::to_string((read.size + kMiB - 1) / kMiB) +
                   " MB, at most " + std::to_string(maxBytes / kMiB) + " MB";
        case ReadRefusal::Unreadable:
            return "The file could not be read: " + path + ": " + read.reason;
        case ReadRefusal::NameTooLong:
            return "The name is too long for the system: " + citazione(path);
    }
    return {};
}

}  // namespace trevalon
