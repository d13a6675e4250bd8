#pragma once

#include "platform/ScopedHook.h"

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// Reading and writing the files a user names, safely against what may stand at the path: a FIFO never
// blocks, a device is never replaced by a file, a link is never written through unless asked, and nothing
// is read without a bound.
namespace qv::platform {

// A file that could not be read or written. what() is ready to print: "cannot read 'F': Is a
// directory"; reason() is the part after the colon.
class FileAccessError : public std::runtime_error {
public:
    FileAccessError(std::string_view verb, const std::string& path, const std::string& reason);
    // The message as given, with no reason of its own.
    explicit FileAccessError(const std::string& message);
    const std::string& reason() const { return m_reason; }

private:
    std::string m_reason;
};

// The file holds more than the reader's bound.
class FileTooLargeError : public FileAccessError {
public:
    FileTooLargeError(const std::string& path, std::int64_t limit);
    std::int64_t limit() const { return m_limit; }

private:
    std::int64_t m_limit;
};

// The target exists and may not be replaced: "'F' exists already".
class FileExistsError : public FileAccessError {
public:
    explicit FileExistsError(const std::string& path);
};

enum class Readable { RegularFile, RegularFileOrCharacterDevice };

// An open descriptor, closed when the object goes.
class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor = -1);
    ~FileDescriptor();
    FileDescriptor(FileDescriptor&& other) noexcept;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_descriptor; }
    bool isOpen() const { return m_descriptor >= 0; }
    // Hands the descriptor over to the caller, who closes it.
    int release();

private:
    int m_descriptor;
};

// Opens `path` for reading without waiting for a FIFO's writer, and keeps it only when it is a regular
// file (or a character device, where the caller allows it). Throws FileAccessError.
FileDescriptor openForReading(const std::string& path, Readable readable = Readable::RegularFile);

// The first `limit` bytes (fewer at the end of the file) of an open file. Throws FileAccessError.
std::string readAtMost(const FileDescriptor& file, const std::string& path, std::size_t limit);

// The whole file; FileTooLargeError when it holds more than `limit` bytes (a growing file or an endless
// device included). Throws FileAccessError.
std::string readBoundedFile(const std::string& path, std::int64_t limit,
                            Readable readable = Readable::RegularFile);

// The first `limit` bytes of a regular file, or nothing when it cannot be read.
std::optional<std::string> readFileHead(const std::string& path, std::size_t limit);

// What a write does with a target that exists already.
enum class Existing {
    // Refuse it (FileExistsError), whatever it is; a dangling link counts as existing.
    Keep,
    // A regular file is replaced in one step, keeping its mode and owner; anything else (a device, a
    // FIFO, a link such as /dev/stdout) is written into as a stream, never replaced.
    Replace,
    // Only a regular file that the user owns and may write is replaced (keeping its mode); a link is
    // never followed, and anything else is refused with its content kept.
    ReplaceOwnRegularFile,
};

// Throws what writeFileTarget would throw before it writes anything: the target exists and may not be
// replaced, it is a directory, its folder is missing or read-only, its name is too long. "-" with
// `allowStandardOutput` always passes.
void checkWritableTarget(const std::string& path, Existing existing, bool allowStandardOutput = false);

// Writes `bytes` to `path`. A new or replaced regular file is written beside the target and moved onto
// it in one step: a reader sees the old file or the new one, never a part, and a failure leaves no file
// behind; a new file gets 0666 less the umask. "-" writes to `standardOutput` when one is given. Write
// errors of a stream target (a full device, a closed pipe) are reported. Throws FileAccessError.
void writeFileTarget(const std::string& path, std::string_view bytes, Existing existing,
                     std::ostream* standardOutput = nullptr);

// The write(2) every file write goes through; tests give one that fails as a full disk does.
using FileWriteCall = std::function<ssize_t(int descriptor, const void* data, std::size_t size)>;
FileWriteCall setFileWriteCall(FileWriteCall call);
using ScopedFileWriteCall = ScopedHook<FileWriteCall, &setFileWriteCall>;

} // namespace qv::platform
