#pragma once
// Files written so that a failure never loses the file they replace, and files read only when they are
// regular files of a bounded size.
//
// A replacing write goes to a temporary file in the target's folder, is flushed to the disk, and only then
// is renamed over the target: the old file stays byte-identical until the new one is complete, and a
// failed write leaves no temporary file behind. Failures carry the system's reason ("No space left on
// device", "Permission denied", ...), which the callers put after their own sentence and the path.

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace trevalon {

// The system call that writes bytes to a file descriptor; tests hand in one that fails.
using WriteCall = ssize_t (*)(int fd, const void* buffer, std::size_t count);

// A write that passes the process's limit on a file's size (RLIMIT_FSIZE) raises SIGXFSZ, whose default
// action ends the program. The programs ignore it from their start: the write then fails with EFBIG ("File
// too large"), which the writers below report as any other failed write, leaving the old file as it was.
void ignoraLimiteDimensioneFile();

// Who gave the name a write replaces.
enum class TargetName {
    // The person, in a save dialog: a symbolic link there is followed to the file it names, which is
    // written (created when the link dangles) while the link stays as it is.
    Chosen,
    // The program, from a name of its own making (the knot file and the picture beside a knot source): a
    // symbolic link there, also a dangling one, is refused ("it is a symbolic link"), so that a folder that
    // came from elsewhere cannot lead the write out of it.
    Derived,
};

// Replaces target with bytes. Refused before anything is written: an existing file the running user may
// not write ("it is read-only": it stays byte-identical, as desktop programs leave it), a target that is,
// or leads to, a folder ("it is a folder"), a FIFO, a device or a socket ("it is not a regular file"), a
// loop of links ("it is a loop of symbolic links"), and a link at a Derived name. The temporary name keeps
// within the folder's limit on a name, so any name the folder takes can be saved. The failure's message is
// the reason alone, without the path.
Status replaceFileContents(const std::filesystem::path& target, std::string_view bytes,
                           TargetName name = TargetName::Chosen, WriteCall write = nullptr);

// Replaces target, as replaceFileContents does, with what produce writes to the temporary path it is given
// (for libraries that open their output by name). produce's failure message is passed on as the reason.
Status replaceFileWith(const std::filesystem::path& target,
                       const std::function<Status(const std::filesystem::path& temporary)>& produce,
                       TargetName name = TargetName::Chosen);

// What replaceFileContents would refuse at target before writing anything, with the same reason; nothing
// is written. For a writer of several files that checks them all before it writes the first.
Status checkReplaceable(const std::filesystem::path& target, TargetName name = TargetName::Chosen);

// What reading a file found when it could not give the file's bytes. NameTooLong: the system refuses the
// name (ENAMETOOLONG: a part longer than its folder takes, or the whole path longer than the system takes).
enum class ReadRefusal { None, Missing, Folder, LinkLoop, NotRegular, TooLarge, Unreadable, NameTooLong };

// Why a name the system refuses as too long is not read, as the messages say it.
inline constexpr const char* kNomeTroppoLungo = "the name is too long for the system";

struct FileRead {
    ReadRefusal refusal = ReadRefusal::None;
    std::string bytes;        // the whole file when refusal is None
    std::uintmax_t size = 0;  // the file's size when refusal is TooLarge
    std::string reason;       // the system's reason when refusal is Unreadable
};

// The cap every knot-file reader holds to.
inline constexpr std::uintmax_t kMaxKnotFileBytes = std::uintmax_t{64} * 1024 * 1024;

// Reads a regular file of at most maxBytes. The file is opened without blocking (a FIFO never waits for a
// writer) and its type is checked on the open descriptor; reading stops at maxBytes + 1, so a file that
// grows while it is read is still refused.
FileRead readRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes = kMaxKnotFileBytes);

// The message for a refused read: "File not found:" and the path for a missing file, else the path and
// what was wrong ("... is a folder", "... is a loop of symbolic links", "... is not a regular file",
// "... is too large: N MB, at most M MB").
// A name the system refuses: "The name is too long for the system: " and the path quoted short (citazione).
// The empty text for a read that was not refused.
std::string readRefusalMessage(const FileRead& read, const std::string& path,
                               std::uintmax_t maxBytes = kMaxKnotFileBytes);

}  // namespace trevalon
